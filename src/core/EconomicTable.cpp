#include "EconomicTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/NumberText.h"

namespace {

QString text(double value)
{
    return std::isfinite(value) ? NumberText::format(value, 6, 2) : QString();
}

} // namespace

void EconomicTable::fillYields(const std::array<Curves::Quadratic, Curves::Count>& curves)
{
    for (int n = 1; n < Columns; ++n)
        cells_[0][n] = QStringLiteral("DATO %1").arg(n);
    for (int n = 40; n <= 190; ++n)
        for (int k = 1; k <= Curves::Count; ++k)
            cells_[k][n] = text(curves[k - 1].at(n));
}

void EconomicTable::rebuild(double grainPricePerTonne, double nCostPerTonne)
{
    grainPrice_ = grainPricePerTonne;
    nCost_ = nCostPerTonne;
    const double pricePerKg = grainPricePerTonne / 1000.0;
    for (int n = FirstIncomeN; n <= LastIncomeN; ++n)
        for (int k = 1; k <= Curves::Count; ++k)
            cells_[incomeRow(k)][n] = incomeText(number(n, k), number(n - 1, k), pricePerKg);
    const QString cost = text(nCostPerTonne / 1000.0);
    for (int n = 1; n < Columns; ++n)
        cells_[CostRow][n] = cost;
}

QString EconomicTable::incomeText(double yield, double yieldBefore, double grainPricePerKg)
{
    return text((yield - yieldBefore) * grainPricePerKg);
}

QString EconomicTable::cell(int column, int row) const
{
    if (column < 0 || column >= Columns || row < 0 || row >= Rows)
        return {};
    return cells_[row][column];
}

double EconomicTable::number(int column, int row) const
{
    const NumberText::Reading reading = NumberText::read(cell(column, row));
    return reading.ok ? reading.value : std::numeric_limits<double>::quiet_NaN();
}

std::vector<double> EconomicTable::incomePoints(int k) const
{
    std::vector<double> points(PlaceholderCount, std::numeric_limits<double>::quiet_NaN());
    for (int n = FirstIncomeN; n <= LastIncomeN; ++n)
        points.push_back(number(n, incomeRow(k)));
    return points;
}

std::vector<double> EconomicTable::costPoints() const
{
    std::vector<double> points(PlaceholderCount, std::numeric_limits<double>::quiet_NaN());
    for (int n = 1; n < Columns; ++n)
        points.push_back(number(n, CostRow));
    return points;
}

double EconomicTable::margin(int k, int referenceN, int pointerN, double nCostPerKg) const
{
    double m = 0.0;
    const int last = std::min(pointerN, LastIncomeN);
    for (int n = std::max(referenceN, FirstIncomeN - 1) + 1; n <= last; ++n) {
        const double income = number(n, incomeRow(k));
        if (std::isfinite(income))
            m += income - nCostPerKg;
    }
    return m;
}
