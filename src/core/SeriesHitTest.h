#pragma once

#include <vector>

#include <QPoint>

// Which point of a drawn curve lies under the pointer, in pixels. A curve is touched on
// one of its markers (when it has them), exactly on a point, or within about one pixel
// of the straight segment between two neighbouring points.
class SeriesHitTest {
public:
    struct Curve {
        std::vector<double> x;      // each point's X value on the bottom axis
        std::vector<QPoint> pixels; // each point as drawn
        int firstDrawn = 0;         // points before this index are placeholders, never touched
        int markerHalfSize = 0;     // 0: no markers
    };

    // The index of the touched point, or -1. Points are scanned from the first whose X
    // is at or above axisMinimum up to the first whose X is at or above axisMaximum
    // (or the last); the first match wins. On a segment the left point is reported.
    static int find(const Curve& curve, double axisMinimum, double axisMaximum, QPoint pointer);

    // Whether the pointer lies on the segment from a to b, within about one pixel and
    // not beyond either end.
    static bool onSegment(QPoint a, QPoint b, QPoint pointer);
};
