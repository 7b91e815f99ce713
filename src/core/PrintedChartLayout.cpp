#include "PrintedChartLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// The integer part of half of N, where N is 100 × (page − 0.6 × across) / page to the
// nearest integer. Never negative: a chart that would overflow the page fills it instead.
int sideMargin(double page, double across)
{
    if (page <= 0)
        return 0;
    const long n = std::lround(100.0 * (page - 0.6 * across) / page);
    return static_cast<int>(std::max(0L, n / 2));
}

} // namespace

PrintedChartLayout PrintedChartLayout::compute(QSize chartSize, QSize page, double aspect)
{
    PrintedChartLayout layout;
    const double w = chartSize.width(), h = chartSize.height();
    const double W = page.width(), H = page.height();
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0 || !(aspect > 0))
        return layout;
    if (h < w) {
        layout.left = layout.right = 15;
        layout.top = layout.bottom = sideMargin(H, W * (h / w) * aspect);
    } else {
        layout.top = layout.bottom = 15;
        layout.left = layout.right = sideMargin(W, H * (w / h) * aspect);
    }
    const int leftEdge = static_cast<int>(std::lround(layout.left * W / 100.0));
    const int rightEdge = static_cast<int>(std::lround(W - layout.right * W / 100.0));
    const int topEdge = static_cast<int>(std::lround(layout.top * H / 100.0));
    const int bottomEdge = static_cast<int>(std::lround(H - layout.bottom * H / 100.0));
    layout.area = QRect(QPoint(leftEdge, topEdge), QPoint(rightEdge - 1, bottomEdge - 1));
    return layout;
}
