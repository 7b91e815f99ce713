#pragma once

#include <array>
#include <vector>

#include <qcustomplot.h>

#include "core/AxisScale.h"
#include "core/SeriesHitTest.h"
#include "ui/common/AxisLimit.h"
#include "ui/common/ChartTitles.h"

class QCPTextElement;

// A line chart of numbered series over two fixed axes, as both of the program's charts
// need it: series with colour, width and markers; placeholder points (NaN) that take a
// position but are not drawn, so that a point's index is its X; a legend of the shown
// series in series order; a multi-line title; the pointer converted to axis values and
// the per-series hit test, computed from pixel positions cached at every redraw.
// Series are numbered from 1, like the curves they draw.
class CurveChart : public QCustomPlot {
    Q_OBJECT
public:
    enum class Marker { None, Square, Circle };
    enum class Axis { Bottom, Left };

    struct SeriesStyle {
        QString objectName; // "Series1" ...
        QColor colour;
        int width = 2;
        Marker marker = Marker::None;
        int markerHalfSize = 0;
        Qt::PenStyle penStyle = Qt::SolidLine;
    };

    explicit CurveChart(QWidget* parent = nullptr);

    int addSeries(const SeriesStyle& style, const QString& title = {});
    int seriesCount() const { return static_cast<int>(series_.size()); }
    QCPGraph* series(int number) const;

    // Replaces the points of a series: point i at X = i, NaN for a placeholder.
    void setPoints(int number, const std::vector<double>& values);
    double pointValue(int number, int index) const;
    int pointCount(int number) const;

    void setSeriesTitle(int number, const QString& title);
    QString seriesTitle(int number) const;
    void setSeriesShown(int number, bool shown);
    bool isSeriesShown(int number) const;
    // The first series shown or hidden as the curve selection says; the chart is redrawn
    // when that changes what it shows.
    void showCurve(int number, bool shown);
    void showCurves(const std::array<bool, 9>& shown);
    // Titles of the legend's entries of series, top to bottom.
    QStringList legendTitles() const;

    // Legend entries, after the series', for marks drawn over the plot that are no series.
    struct LegendMark {
        QString text;
        QPen pen;
        QBrush brush;
    };
    void setLegendMarks(const QList<LegendMark>& marks);
    QStringList legendMarkTitles() const;

    // Axis limits as set, also when they are not drawable (minimum not below maximum:
    // the chart is then drawn empty).
    void setAxisRange(Axis axis, double minimum, double maximum);
    void setAxisMinimum(Axis axis, double minimum);
    void setAxisMaximum(Axis axis, double maximum);
    double axisMinimum(Axis axis) const { return limits_[index(axis)].first; }
    double axisMaximum(Axis axis) const { return limits_[index(axis)].second; }
    void setAxisLimit(AxisLimit limit, double value);
    void setAxisStep(Axis axis, double step);
    void setAxisTitle(Axis axis, const QString& title);
    QString axisTitle(Axis axis) const;
    void setAxisTitleFont(Axis axis, const QFont& font, const QColor& colour);

    void setTitleLines(const QStringList& lines);
    QStringList titleLines() const;
    void setTitleFont(const QFont& font, const QColor& colour);

    // The chart title's first line and the two axis titles.
    ChartTitles titles() const;
    void setTitles(const ChartTitles& titles);

    // Pointer position in axis values, linear and unclamped, with the current limits.
    QPointF valueAt(QPoint pixel) const;
    // The index of the point of a shown or hidden series under the pointer, or -1.
    int hitTest(int number, QPoint pixel) const;

    struct Hit {
        int number = 0; // the series, 0 when none
        int point = -1; // the index of its point under the pointer
    };
    // The highest-numbered shown curve (of the first `curveCount` series) under the pointer:
    // where curves cross, the read-out names the one drawn last.
    Hit topShownCurveAt(QPoint pixel, int curveCount = 9) const;

    // The panel behind the plot (a colour or a gradient).
    void setPanel(const QBrush& brush);

    // The chart exactly as drawn, at its on-screen size; optionally on a plain panel.
    // The source note is drawn in it.
    QPixmap renderPixmap(const QBrush& panel = Qt::NoBrush);

    // A note of the data the curves rest on ("datos: incorporados"), written in the lower
    // right corner of every rendered or printed picture of the chart; on screen a label
    // of the window says it.
    void setSourceNote(const QString& note);
    QString sourceNote() const;
    // The chart onto a printer's painter at its on-screen size (or at `size`), the source
    // note included.
    void renderForPrint(QCPPainter* painter, QSize size = {});

    bool isDrawable(Axis axis) const { return axisMinimum(axis) < axisMaximum(axis); }

private:
    static int index(Axis axis) { return axis == Axis::Bottom ? 0 : 1; }
    QCPAxis* axis(Axis axis) const { return axis == Axis::Bottom ? xAxis : yAxis; }
    void applyRange(Axis axis);
    void rebuildLegend();
    void cachePixels();
    AxisScale scale(Axis axis) const;

    struct Series {
        QCPGraph* graph = nullptr;
        SeriesStyle style;
        SeriesHitTest::Curve curve; // pixel cache for the hit test
    };
    std::vector<Series> series_;
    QList<LegendMark> legendMarks_;
    std::pair<double, double> limits_[2] = {{0.0, 1.0}, {0.0, 1.0}};
    QCPTextElement* title_ = nullptr;
    QCPItemText* sourceNote_ = nullptr;
    QBrush panel_;
};
