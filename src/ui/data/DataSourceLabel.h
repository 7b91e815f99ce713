#pragma once

#include <QLabel>

class CurveChart;

// "datos: incorporados" / "datos: <file>" just above the top right corner of a chart's
// plot area, across from the scenario line, following the plot as the chart is resized
// or redrawn; clear of the title (centred) and of the legend (inside the plot). The same
// text goes to the chart's note, so that pictures and printouts of the chart say it too.
class DataSourceLabel : public QLabel {
    Q_OBJECT
public:
    explicit DataSourceLabel(CurveChart* chart);

    void setSource(const QString& text);

private:
    void place();

    CurveChart* chart_;
};
