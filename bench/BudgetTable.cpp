#include "BudgetTable.h"

#include <algorithm>
#include <array>

#include <QStringList>

#include "Samples.h"

BudgetTable::Row BudgetTable::measured(const QString& measure, const Samples& samples, Budget::Unit unit)
{
    Row row;
    row.measure = measure;
    row.median = Budget::format(samples.median(), unit);
    // The middle half of the runs: how steady the figure was.
    const int decimals = unit == Budget::Unit::PerSecond ? 0
        : unit != Budget::Unit::Milliseconds             ? 1
        : samples.quantile(0.75) < 1.0                   ? 3
                                                         : 2;
    row.spread = QStringLiteral("%1-%2 (n=%3)")
                     .arg(samples.quantile(0.25), 0, 'f', decimals)
                     .arg(samples.quantile(0.75), 0, 'f', decimals)
                     .arg(samples.count());
    return row;
}

void BudgetTable::addReference(const QString& measure, const Samples& samples, Budget::Unit unit)
{
    Row row = measured(measure, samples, unit);
    row.budget = QStringLiteral("(reference)");
    rows_.push_back(row);
}

void BudgetTable::add(const QString& measure, const Samples& samples, const Budget& budget)
{
    Row row = measured(measure, samples, budget.unit());
    row.budget = budget.text();
    row.within = !budget.isRelative() && budget.holds(samples.median());
    rows_.push_back(row);
}

void BudgetTable::add(const QString& measure, const Samples& samples, const Budget& budget, const Samples& reference)
{
    Row row = measured(measure, samples, budget.unit());
    const double ratio = samples.median() / reference.median();
    row.budget = budget.text();
    row.ratio = QString::number(ratio, 'f', 2);
    row.within = budget.isRelative() && budget.holds(ratio);
    rows_.push_back(row);
}

void BudgetTable::addFailure(const QString& measure, const QString& reason)
{
    Row row;
    row.measure = measure;
    row.median = QStringLiteral("not measured");
    row.spread = reason.left(40);
    row.within = false;
    rows_.push_back(row);
}

int BudgetTable::overBudget() const
{
    return static_cast<int>(
        std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.within.has_value() && !*r.within; }));
}

QString BudgetTable::text() const
{
    const std::array<QString, 6> heads{QStringLiteral("measure"), QStringLiteral("median"), QStringLiteral("p25-p75"),
                                       QStringLiteral("budget"),  QStringLiteral("ratio"),  QStringLiteral("verdict")};
    std::vector<std::array<QString, 6>> lines{heads};
    for (const Row& r : rows_) {
        const QString verdict = !r.within.has_value() ? QString()
            : *r.within                               ? QStringLiteral("PASS")
                                                      : QStringLiteral("OVER");
        lines.push_back(
            {r.measure, r.median, r.spread, r.budget, r.ratio.isEmpty() ? QStringLiteral("-") : r.ratio, verdict});
    }
    std::array<qsizetype, 6> widths{};
    for (const auto& line : lines)
        for (size_t c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], line[c].size());

    QStringList out;
    for (const auto& line : lines) {
        QString text;
        for (size_t c = 0; c < line.size(); ++c)
            text += line[c].leftJustified(widths[c] + 2);
        out << text.trimmed();
    }
    return out.join(u'\n') + u'\n';
}
