#pragma once

#include <optional>
#include <vector>

#include <QString>

#include "Budget.h"

class Samples;

// The benchmarks' verdicts: each measure's median next to its budget, PASS or OVER.
// For a budget relative to a reference measure (the bare Qt program's), the ratio of the
// medians is shown and judged.
class BudgetTable {
public:
    // A figure other measures are compared with; it has no budget of its own.
    void addReference(const QString& measure, const Samples& samples, Budget::Unit unit);
    void add(const QString& measure, const Samples& samples, const Budget& budget);
    void add(const QString& measure, const Samples& samples, const Budget& budget, const Samples& reference);
    // A measure that could not be taken counts as over its budget.
    void addFailure(const QString& measure, const QString& reason);

    int overBudget() const;
    bool isEmpty() const { return rows_.empty(); }
    QString text() const;

private:
    struct Row {
        QString measure;
        QString median;
        QString spread;
        QString budget;
        QString ratio;
        std::optional<bool> within; // none for a reference
    };
    static Row measured(const QString& measure, const Samples& samples, Budget::Unit unit);

    std::vector<Row> rows_;
};
