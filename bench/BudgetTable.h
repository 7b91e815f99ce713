#pragma once

#include <optional>
#include <vector>

#include <QString>

class Samples;

// The benchmarks' verdicts: each measure's median next to its budget, PASS or OVER.
// A budget is either absolute (milliseconds) or a multiple of a reference measure's
// median (the bare Qt program's), in which case the ratio is shown too.
class BudgetTable {
public:
    enum class Unit { Milliseconds, MiB, MegaInstructions };

    // A figure other measures are compared with; it has no budget of its own.
    void addReference(const QString& measure, const Samples& samples, Unit unit);
    void addAbsolute(const QString& measure, const Samples& samples, Unit unit, double budget);
    void addRelative(const QString& measure, const Samples& samples, Unit unit, const Samples& reference,
                     double maximumRatio);
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
    static QString format(double value, Unit unit);
    static Row measured(const QString& measure, const Samples& samples, Unit unit);

    std::vector<Row> rows_;
};
