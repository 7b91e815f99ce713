#pragma once

#include <vector>

#include <QColor>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include "core/RateAdvice.h"
#include "ui/charting/CurveChart.h"

class QFont;
class QFrame;
class QLabel;
class QLineEdit;
class QCPAbstractItem;
class DataSourceLabel;
class HelpMark;
class ScenarioSlots;

// What both chart windows build around their plot, in one place: the looks of the
// series, the parts of the read-out panel, the help marks on the axes, the scenario line
// of the curve under the pointer, the note of the data in use, the copy to the clipboard
// and the recommended doses drawn over the curves.
class ChartSkeleton : public QObject {
    Q_OBJECT
public:
    struct SeriesLook {
        QColor colour;
        int width;
        CurveChart::Marker marker;
        int markerHalfSize;
        QString title;
    };

    // The scenario line (`scenarioLabelName`) and the data note over `chart`.
    ChartSkeleton(CurveChart& chart, const QString& scenarioLabelName);

    // Series "Series1" ... in this order; the nine curves hidden: the curve selection decides.
    void addSeries(const std::vector<SeriesLook>& looks);

    // The two axes' help marks, placed at every redraw: the vertical one at `yAt` from
    // the plot's top left corner, the horizontal one under its axis title, `xDrop` below
    // the plot and never cut off.
    void setAxisMarks(HelpMark* yMark, QPoint yAt, HelpMark* xMark, int xDrop);

    // Curve k under the pointer: its name in `nameEdit` and the scenario its coefficients
    // were looked up for on the plot, both in the scenario's colour.
    void showPointedCurve(int k, const ScenarioSlots& scenarioSlots, QLineEdit* nameEdit);
    QLabel* scenarioLabel() const { return scenarioLabel_; }
    void setDataSourceText(const QString& text);
    // The chart as a picture on the clipboard, on `panel` (none: the chart's own).
    void copyToClipboard(const QBrush& panel);

    // The recommended doses: a dashed line at each optimum and its profitable range
    // lightly shaded, in the curve's colour, with their legend entries. Empty: no marks.
    void setOptimumMarks(const std::vector<RateAdvice::Mark>& marks);

    // Parts of a read-out panel.
    static QLabel* caption(const QString& text, QWidget* parent, const QFont& font, const QColor& colour);
    static QLineEdit* readOutEdit(const char* name, QWidget* parent, const QRect& geometry, const QColor& colour);
    // The sunken silver box ("Panel3") that holds the panel's main figure.
    static QFrame* figureBox(QWidget* parent, const QRect& geometry);

private:
    void placeMarks();

    CurveChart& chart_;
    QLabel* scenarioLabel_;
    DataSourceLabel* dataSourceLabel_;
    HelpMark* yMark_ = nullptr;
    HelpMark* xMark_ = nullptr;
    QPoint yAt_;
    int xDrop_ = 0;
    QList<QCPAbstractItem*> markItems_;
};
