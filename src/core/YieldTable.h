#pragma once

#include <array>
#include <vector>

#include <QString>

#include "core/Curves.h"

// The yield table behind the yield chart: row k, column N holds the yield of curve k
// at N kg/ha as text (two decimals after rounding to six significant digits), for
// N = 40 to 190. Row 0 holds the column headings "DATO 1" ... "DATO 190".
class YieldTable {
public:
    static constexpr int Columns = 191; // 0 to 190: the column is N
    static constexpr int Rows = 10;     // 0 headings, 1 to 9 curves
    static constexpr int FirstN = 40;
    static constexpr int LastN = 190;
    static constexpr int PointCount = 190;      // points per curve
    static constexpr int PlaceholderCount = 40; // X = 0 to 39, not drawn

    void build(const std::array<Curves::Quadratic, Curves::Count>& curves);

    QString cell(int column, int row) const;

    // The points of curve k as the chart draws them: X = position; positions 0 to 39 are
    // placeholders (NaN); position X carries the table's yield at N = X + 1, read back
    // from its rounded text.
    std::vector<double> points(int k) const;

private:
    std::array<std::array<QString, Columns>, Rows> cells_;
};
