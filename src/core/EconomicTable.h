#pragma once

#include <array>
#include <limits>
#include <vector>

#include <QString>

#include "core/Curves.h"

// The table behind the economic chart, every number a text (two decimals after rounding
// to six significant digits) and kept as the value that text reads back as:
//   row 0        column headings "DATO 1" ... "DATO 190"
//   rows 1-9     yield of curve k at N = 40 ... 190 (kg/ha)
//   rows 10-18   marginal income of curve k at N = 41 ... 189: the difference of the two
//                rounded yields times the net grain price per kg (U$S per ha per kg N)
//   row 19       marginal cost of nitrogen, U$S per kg N, in columns 1 ... 190
// Later steps read these rounded texts back, never the unrounded values.
class EconomicTable {
public:
    static constexpr int Columns = 191;
    static constexpr int Rows = 20;
    static constexpr int FirstIncomeN = 41;
    static constexpr int LastIncomeN = 189;
    static constexpr int CostRow = 19;
    static constexpr int PlaceholderCount = 40;

    static constexpr int incomeRow(int k) { return 9 + k; }

    EconomicTable();

    // Headings and the yields of the nine curves (rows 0 to 9).
    void fillYields(const std::array<Curves::Quadratic, Curves::Count>& curves);

    // Marginal incomes at this grain price and the cost row at this nitrogen cost, both in
    // U$S per tonne. The yields are those of the last fillYields.
    void rebuild(double grainPricePerTonne, double nCostPerTonne);

    // The prices of the last rebuild, U$S per tonne.
    double grainPricePerTonne() const { return grainPrice_; }
    double nCostPerTonne() const { return nCost_; }

    // A marginal income as the table writes it: the difference of two yields times the
    // grain price per kg, as a text (empty when not finite).
    static QString incomeText(double yield, double yieldBefore, double grainPricePerKg);

    QString cell(int column, int row) const;
    // The cell read back; NaN when empty.
    double number(int column, int row) const
    {
        return column >= 0 && column < Columns && row >= 0 && row < Rows ? values_[row][column]
                                                                         : std::numeric_limits<double>::quiet_NaN();
    }

    // Points as the chart draws them, X = position, 40 placeholders (NaN) first:
    // curve k carries the income of column X + 1 up to X = 188; the cost line carries
    // column X - 39 up to X = 229.
    std::vector<double> incomePoints(int k) const;
    std::vector<double> costPoints() const;

    // The margin of curve k in U$S/ha earned from the reference nitrogen up to the pointer:
    // for N = reference + 1 ... pointerN (never past column 189), the income of column N
    // less the cost per kg. Zero when the pointer is not above the reference.
    double margin(int k, int referenceN, int pointerN, double nCostPerKg) const;

private:
    // NaN where a cell is empty; row 0 holds no numbers.
    std::array<std::array<double, Columns>, Rows> values_;
    bool headed_ = false;              // the headings are written
    std::array<bool, Rows> defined_{}; // curve k has a yield somewhere: its incomes are computed
    double grainPrice_ = 0.0;
    double nCost_ = 0.0;
};
