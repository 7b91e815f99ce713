#pragma once

#include <QLabel>

class CurveChart;

// "datos: incorporados" / "datos: <file>" at the top right of a chart's plot area, on the
// scenario line's row, following the plot as the chart is resized or redrawn. The same
// text goes to the chart's note, so that pictures and printouts of the chart say it too.
class DataSourceLabel : public QLabel {
    Q_OBJECT
public:
    // Where the chart's scenario line is: inside the plot's top, or above the plot.
    enum class Row { InsidePlot, AbovePlot };
    DataSourceLabel(CurveChart* chart, Row row);

    void setSource(const QString& text);

private:
    void place();

    CurveChart* chart_;
    Row row_;
};
