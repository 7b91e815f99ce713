#pragma once

#include <QPicture>
#include <QSize>

class CurveChart;

// A chart as a report shows it: drawn as it stands, at a size fit for a page rather than
// the window's, with its legend (the optimum marks' entry among it) and the note of its
// data, kept as painter commands so that it reaches the page as lines and text.
class ChartFigure {
public:
    // Two of them, with their titles and captions, take one A4 page.
    static constexpr QSize PageSize{760, 470};

    static QPicture draw(CurveChart& chart, QSize size = PageSize);
};
