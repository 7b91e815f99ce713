#include "YieldTable.h"

#include <cmath>
#include <limits>

#include "core/NumberText.h"

void YieldTable::build(const std::array<Curves::Quadratic, Curves::Count>& curves)
{
    for (int n = 1; n < Columns; ++n)
        cells_[0][n] = QStringLiteral("DATO %1").arg(n);
    for (int n = FirstN; n <= LastN; ++n)
        for (int k = 1; k <= Curves::Count; ++k) {
            const double y = curves[k - 1].at(n);
            cells_[k][n] = std::isfinite(y) ? NumberText::format(y, 6, 2) : QString(); // undefined curve
        }
}

QString YieldTable::cell(int column, int row) const
{
    if (column < 0 || column >= Columns || row < 0 || row >= Rows)
        return {};
    return cells_[row][column];
}

std::vector<double> YieldTable::points(int k) const
{
    const double placeholder = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> values(PointCount, placeholder);
    if (k < 1 || k > Curves::Count)
        return values;
    for (int column = FirstN + 1; column <= LastN; ++column) {
        const NumberText::Reading reading = NumberText::read(cells_[k][column]);
        values[column - 1] = reading.ok ? reading.value : placeholder;
    }
    return values;
}
