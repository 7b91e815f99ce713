#include "ChartFigure.h"

#include "ui/charting/CurveChart.h"

QPicture ChartFigure::draw(CurveChart& chart, QSize size)
{
    QPicture picture;
    {
        QCPPainter painter(&picture);
        painter.setMode(QCPPainter::pmVectorized);
        painter.setMode(QCPPainter::pmNoCaching);
        chart.renderForPrint(&painter, size);
    }
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    // The chart on screen is laid out again at its own size.
    if (chart.isVisible())
        chart.replot(QCustomPlot::rpQueuedReplot);
    return picture;
}
