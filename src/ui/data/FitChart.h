#pragma once

#include "core/TrialFit.h"
#include "core/TrialStatistics.h"
#include "ui/charting/CurveChart.h"

class QCPItemRect;
class QCPItemStraightLine;
class QCPItemText;

// The picture of one fit in the program's chart style: the trial plots as dots, the
// quadratic and the quadratic-plateau through them, and the optimum N* of the model in
// use with its interval as a shaded band.
class FitChart : public CurveChart {
    Q_OBJECT
public:
    enum Series { Plots = 1, QuadraticCurve = 2, PlateauCurve = 3 };

    explicit FitChart(QWidget* parent = nullptr);

    void showFit(const TrialFit::Fit& fit, const TrialStatistics::Analysis& analysis, TrialStatistics::Model chosen,
                 const QString& levelLabel);
    void clearFit();

    // The band and the line of N*, hidden when there is nothing to mark.
    const QCPItemRect* band() const { return band_; }
    const QCPItemStraightLine* optimumLine() const { return optimumLine_; }
    QString optimumNote() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setCurve(int series, const Curves::Quadratic& curve, double to);
    // Drawn at once when shown; hidden, at the next showing, so a data window never opened
    // costs the start-up nothing.
    void redraw();

    QCPItemRect* band_ = nullptr;
    QCPItemStraightLine* optimumLine_ = nullptr;
    QCPItemText* note_ = nullptr;
    bool stale_ = false;
};
