#include "SeriesHitTest.h"

#include <algorithm>
#include <cstdlib>

bool SeriesHitTest::onSegment(QPoint a, QPoint b, QPoint p)
{
    const long long dx = static_cast<long long>(b.x()) - a.x();
    const long long dy = static_cast<long long>(b.y()) - a.y();
    const long long cross = (static_cast<long long>(p.x()) - a.x()) * dy - (static_cast<long long>(p.y()) - a.y()) * dx;
    if (std::llabs(cross) >= std::max(std::llabs(dx), std::llabs(dy)))
        return false;
    return p.x() >= std::min(a.x(), b.x()) && p.x() <= std::max(a.x(), b.x()) && p.y() >= std::min(a.y(), b.y()) &&
        p.y() <= std::max(a.y(), b.y());
}

int SeriesHitTest::find(const Curve& curve, double axisMinimum, double axisMaximum, QPoint pointer)
{
    const int count = static_cast<int>(std::min(curve.x.size(), curve.pixels.size()));
    int first = std::max(curve.firstDrawn, 0);
    while (first < count && curve.x[first] < axisMinimum)
        ++first;
    int last = first;
    while (last < count - 1 && curve.x[last] < axisMaximum)
        ++last;

    for (int i = first; i <= last && i < count; ++i) {
        const QPoint point = curve.pixels[i];
        if (curve.markerHalfSize > 0 && std::abs(pointer.x() - point.x()) < curve.markerHalfSize &&
            std::abs(pointer.y() - point.y()) < curve.markerHalfSize)
            return i;
        if (pointer == point)
            return i;
        if (i > first && onSegment(curve.pixels[i - 1], point, pointer))
            return i - 1;
    }
    return -1;
}
