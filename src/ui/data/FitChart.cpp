#include "FitChart.h"

#include <algorithm>
#include <cmath>

#include "ui/common/Look.h"

namespace {

const QColor Blue(0, 0, 255);
const QColor Teal(0, 128, 128);

// A tick step of 1, 2, 2.5 or 5 times a power of ten giving about `ticks` steps.
double niceStep(double span, int ticks)
{
    const double raw = std::max(span, 1e-9) / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

QString modelName(TrialStatistics::Model model)
{
    return model == TrialStatistics::Model::Plateau ? QStringLiteral("cuadrática-meseta")
                                                    : QStringLiteral("cuadrática");
}

} // namespace

FitChart::FitChart(QWidget* parent) : CurveChart(parent)
{
    // Look: the yield chart's title, axes, grid, panel and legend.
    struct SeriesLook {
        const char* name;
        const char16_t* title;
        QColor colour;
        Marker marker;
        Qt::PenStyle pen;
    };
    const SeriesLook looks[3] = {
        {"FitPoints", u"Parcelas", QColor(64, 0, 64), Marker::Circle, Qt::SolidLine},
        {"QuadraticCurve", u"Cuadrática", QColor(255, 0, 0), Marker::None, Qt::SolidLine},
        {"PlateauCurve", u"Cuadrática-meseta", QColor(0, 0, 255), Marker::None, Qt::DashLine},
    };
    for (const SeriesLook& look : looks) {
        SeriesStyle style;
        style.objectName = QLatin1String(look.name);
        style.colour = look.colour;
        style.marker = look.marker;
        style.markerHalfSize = 2;
        style.penStyle = look.pen;
        addSeries(style, QString::fromUtf16(look.title));
    }
    series(Plots)->setLineStyle(QCPGraph::lsNone);
    setTitleFont(Look::arial(11, true), Blue);
    setAxisTitle(Axis::Bottom, QStringLiteral("Nitrógeno disponible (Kg/ha)"));
    setAxisTitleFont(Axis::Bottom, Look::arial(10, true), Blue);
    setAxisTitle(Axis::Left, QStringLiteral("Rendimiento (Kg/ha)"));
    setAxisTitleFont(Axis::Left, Look::arial(10, true), Blue);
    yAxis->grid()->setPen(QPen(QColor(64, 0, 64), 0, Qt::DotLine));
    xAxis->grid()->setPen(QPen(QColor(64, 0, 64), 0, Qt::DotLine));
    QLinearGradient panel(0, 0, 0, 1);
    panel.setCoordinateMode(QGradient::ObjectMode);
    panel.setColorAt(0, QColor(253, 249, 159));
    panel.setColorAt(1, QColor(244, 248, 182));
    setPanel(QBrush(panel));
    legend->setBorderPen(QPen(Qt::red));
    legend->setBrush(QColor(255, 255, 255, 230));
    legend->setFont(Look::arial(8));
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignRight);

    band_ = new QCPItemRect(this);
    band_->setPen(Qt::NoPen);
    band_->setBrush(QColor(0, 128, 128, 60));
    band_->setLayer(QStringLiteral("background"));
    optimumLine_ = new QCPItemStraightLine(this);
    optimumLine_->setPen(QPen(Teal, 2, Qt::DashDotLine));
    note_ = new QCPItemText(this);
    note_->position->setType(QCPItemPosition::ptAxisRectRatio);
    note_->position->setCoords(0.01, 0.01);
    note_->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setFont(Look::arial(9, true));
    note_->setColor(Teal);
    note_->setBrush(QColor(255, 255, 255, 200));
    note_->setPadding(QMargins(3, 2, 3, 2));
    clearFit();
}

void FitChart::clearFit()
{
    for (int s : {Plots, QuadraticCurve, PlateauCurve})
        series(s)->data()->clear();
    setSeriesShown(PlateauCurve, true);
    setTitleLines({QStringLiteral("Elija un ajuste en la tabla")});
    band_->setVisible(false);
    optimumLine_->setVisible(false);
    note_->setVisible(false);
    setAxisRange(Axis::Bottom, 0, 200);
    setAxisStep(Axis::Bottom, 40);
    setAxisRange(Axis::Left, 0, 5000);
    setAxisStep(Axis::Left, 1000);
    redraw();
}

void FitChart::setCurve(int number, const Curves::Quadratic& curve, double to)
{
    QVector<double> keys, values;
    for (double n = 0.0; n <= to; n += 1.0) {
        keys << n;
        values << curve.at(n);
    }
    // The join itself, so that the corner of the plateau is drawn where it is.
    if (curve.plateau && *curve.plateau < to) {
        const auto at = std::lower_bound(keys.begin(), keys.end(), *curve.plateau);
        const auto i = at - keys.begin();
        keys.insert(i, *curve.plateau);
        values.insert(i, curve.at(*curve.plateau));
    }
    series(number)->setData(keys, values, true);
}

void FitChart::showFit(const TrialFit::Fit& fit, const TrialStatistics::Analysis& analysis,
                       TrialStatistics::Model chosen, const QString& levelLabel)
{
    QVector<double> n, yield;
    double low = fit.data.isEmpty() ? 0.0 : fit.data.first().yield, high = low;
    for (const TrialFit::Point& p : fit.data) {
        n << p.n;
        yield << p.yield;
        low = std::min(low, p.yield);
        high = std::max(high, p.yield);
    }
    series(Plots)->setData(n, yield);

    // The rates tested and a margin; an optimum a little beyond them still in sight.
    const TrialStatistics::Optimum& optimum = analysis.of(chosen).optimum;
    double right = fit.nMaximum * 1.1;
    if (optimum.defined && optimum.n > fit.nMaximum && optimum.n < 1.5 * fit.nMaximum)
        right = optimum.n * 1.1;
    const double xStep = niceStep(right, 5);
    right = std::ceil(right / xStep) * xStep;
    // A little room left of the lowest rate, so that its plots are not cut by the axis.
    setAxisRange(Axis::Bottom, std::min(0.0, fit.nMinimum) - xStep / 4, right);
    setAxisStep(Axis::Bottom, xStep);

    series(QuadraticCurve)->data()->clear();
    series(PlateauCurve)->data()->clear();
    setSeriesShown(PlateauCurve, analysis.plateauIdentified);
    if (analysis.ok) {
        setCurve(QuadraticCurve, analysis.quadratic.curve, right);
        if (analysis.plateauIdentified)
            setCurve(PlateauCurve, analysis.plateau.curve, right);
        for (const Curves::Quadratic* c : {&analysis.quadratic.curve, &analysis.plateau.curve})
            for (double x = 0.0; x <= right; x += right / 50) {
                low = std::min(low, c->at(x));
                high = std::max(high, c->at(x));
            }
    }
    const double yStep = niceStep(high - low, 6);
    const double bottom = std::floor((low - 0.05 * (high - low)) / yStep) * yStep;
    const double top = std::ceil((high + 0.05 * (high - low)) / yStep) * yStep;
    setAxisRange(Axis::Left, bottom, top);
    setAxisStep(Axis::Left, yStep);

    setTitleLines(
        {QStringLiteral("%1 %2: ensayos y curvas ajustadas").arg(fit.code, ResponseTable::levelName(fit.level))});
    const bool marked = analysis.ok && optimum.defined;
    optimumLine_->setVisible(marked);
    band_->setVisible(marked && optimum.interval.closes);
    note_->setVisible(marked);
    if (marked) {
        optimumLine_->point1->setCoords(optimum.n, bottom);
        optimumLine_->point2->setCoords(optimum.n, top);
        band_->topLeft->setCoords(optimum.interval.low, top);
        band_->bottomRight->setCoords(optimum.interval.high, bottom);
        note_->setText(QStringLiteral("N* %1: %2 kg/ha · intervalo %3: %4")
                           .arg(modelName(chosen), QString::number(std::llround(optimum.n)), levelLabel,
                                TrialStatistics::intervalText(optimum)));
    }
    redraw();
}

void FitChart::redraw()
{
    stale_ = !isVisible();
    if (!stale_)
        replot();
}

void FitChart::showEvent(QShowEvent* event)
{
    CurveChart::showEvent(event);
    if (stale_)
        redraw();
}

QString FitChart::optimumNote() const
{
    return note_->visible() ? note_->text() : QString();
}
