#pragma once

#include <QList>
#include <QRect>

// Where a window goes on the desktop, as pure arithmetic on rectangles in screen
// coordinates: frames include the title bar and borders the window manager adds.
namespace WindowPlacement {

// The frame moved, and shrunk where it is larger, so that it lies wholly inside `area`.
QRect inside(const QRect& frame, const QRect& area);

// Where a frame of `size` covers none of `keepClear` inside `area`: `preferred` when it
// is clear, else the first clear spot beside one of them (below, above, right, left) or
// in a corner of the area; where every spot covers something, the one covering least.
QPoint clearOf(QSize size, const QRect& area, const QList<QRect>& keepClear, QPoint preferred);

} // namespace WindowPlacement
