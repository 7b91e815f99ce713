#include "EconomicTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/NumberText.h"

namespace {

constexpr int Precision = 6;
constexpr int Decimals = 2;

double rounded(double value)
{
    return NumberText::rounded(value, Precision, Decimals);
}

} // namespace

EconomicTable::EconomicTable()
{
    for (auto& row : values_)
        row.fill(std::numeric_limits<double>::quiet_NaN());
}

void EconomicTable::fillYields(const std::array<Curves::Quadratic, Curves::Count>& curves)
{
    headed_ = true;
    for (int k = 1; k <= Curves::Count; ++k) {
        defined_[k] = false;
        for (int n = 40; n <= 190; ++n) {
            values_[k][n] = rounded(curves[k - 1].at(n));
            defined_[k] = defined_[k] || !std::isnan(values_[k][n]);
        }
    }
}

void EconomicTable::rebuild(double grainPricePerTonne, double nCostPerTonne)
{
    grainPrice_ = grainPricePerTonne;
    nCost_ = nCostPerTonne;
    const double pricePerKg = grainPricePerTonne / 1000.0;
    for (int k = 1; k <= Curves::Count; ++k) {
        const auto& yields = values_[k];
        auto& incomes = values_[incomeRow(k)];
        if (!defined_[k]) { // no yield, no income
            std::fill(incomes.begin() + FirstIncomeN, incomes.begin() + LastIncomeN + 1,
                      std::numeric_limits<double>::quiet_NaN());
            continue;
        }
        for (int n = FirstIncomeN; n <= LastIncomeN; ++n)
            incomes[n] = rounded((yields[n] - yields[n - 1]) * pricePerKg);
    }
    values_[CostRow].fill(rounded(nCostPerTonne / 1000.0));
    values_[CostRow][0] = std::numeric_limits<double>::quiet_NaN();
}

QString EconomicTable::incomeText(double yield, double yieldBefore, double grainPricePerKg)
{
    const double income = (yield - yieldBefore) * grainPricePerKg;
    return std::isfinite(income) ? NumberText::format(income, Precision, Decimals) : QString();
}

QString EconomicTable::cell(int column, int row) const
{
    if (column < 0 || column >= Columns || row < 0 || row >= Rows)
        return {};
    if (row == 0)
        return headed_ && column > 0 ? QStringLiteral("DATO %1").arg(column) : QString();
    // A value read back from its text writes that text again.
    const double value = values_[row][column];
    return std::isnan(value) ? QString() : NumberText::format(value, Precision, Decimals);
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
