#pragma once

#include <QRect>

// Where a chart goes on a printed page. Margins are whole percentages of the printable
// width (left, right) or height (top, bottom): 15 on the chart's long sides, and on the
// other two whatever keeps the chart's proportions at 60 % of the page across its long
// side. The chart, drawn as on screen, is scaled into the rectangle the margins leave.
struct PrintedChartLayout {
    int left = 0; // percent of the printable width
    int right = 0;
    int top = 0; // percent of the printable height
    int bottom = 0;
    QRect area; // in printer pixels, inside the printable page

    // chartSize: on screen, in pixels; page: printable size in printer pixels;
    // aspect: the printer's horizontal resolution over its vertical one.
    static PrintedChartLayout compute(QSize chartSize, QSize page, double aspect);
};
