#include "ChartSkeleton.h"

#include <algorithm>

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include "core/Curves.h"
#include "core/ScenarioSlots.h"
#include "ui/common/FirstShowing.h"
#include "ui/common/HelpMark.h"
#include "ui/common/Look.h"
#include "ui/common/SlotColours.h"
#include "ui/data/DataSourceLabel.h"

ChartSkeleton::ChartSkeleton(CurveChart& chart, const QString& scenarioLabelName)
    : QObject(&chart),
      chart_(chart),
      scenarioLabel_(new QLabel(&chart)),
      dataSourceLabel_(new DataSourceLabel(&chart))
{
    scenarioLabel_->setObjectName(scenarioLabelName);
    scenarioLabel_->setFont(Look::arial(9, true));
    scenarioLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&chart_, &QCustomPlot::afterReplot, this, &ChartSkeleton::placeMarks);
}

void ChartSkeleton::addSeries(const std::vector<SeriesLook>& looks)
{
    for (const SeriesLook& look : looks) {
        CurveChart::SeriesStyle style;
        style.objectName = QStringLiteral("Series%1").arg(chart_.seriesCount() + 1);
        style.colour = look.colour;
        style.width = look.width;
        style.marker = look.marker;
        style.markerHalfSize = look.markerHalfSize;
        const int k = chart_.addSeries(style, look.title);
        if (k <= Curves::Count)
            chart_.setSeriesShown(k, false);
    }
}

void ChartSkeleton::setAxisMarks(HelpMark* yMark, QPoint yAt, HelpMark* xMark, int xDrop)
{
    yMark_ = yMark;
    xMark_ = xMark;
    yAt_ = yAt;
    xDrop_ = xDrop;
}

void ChartSkeleton::placeMarks()
{
    const QRect plot = chart_.axisRect()->rect();
    if (yMark_)
        yMark_->move(yAt_.x(), plot.top() + yAt_.y());
    // Under the axis title, whole, however low the chart is.
    if (xMark_)
        xMark_->move(plot.center().x() + 130, std::min(plot.bottom() + xDrop_, chart_.height() - xMark_->height()));
    // Inside the plot's top left corner, clear of the chart title at every window size.
    scenarioLabel_->move(plot.left() + 6, plot.top() + 4);
}

void ChartSkeleton::showPointedCurve(int k, const ScenarioSlots& scenarioSlots, QLineEdit* nameEdit)
{
    const int slot = Curves::key(k).slot;
    const QColor colour = SlotColours::forSlot(slot);
    nameEdit->setText(Curves::readOutName(k));
    Look::setColour(nameEdit, QPalette::Text, colour);
    scenarioLabel_->setText(scenarioSlots.slot(slot).curvesLine);
    Look::setColour(scenarioLabel_, QPalette::WindowText, colour);
    scenarioLabel_->adjustSize();
}

void ChartSkeleton::setDataSourceText(const QString& text)
{
    dataSourceLabel_->setSource(text);
}

void ChartSkeleton::copyToClipboard(const QBrush& panel)
{
    QGuiApplication::clipboard()->setPixmap(chart_.renderPixmap(panel));
}

void ChartSkeleton::setOptimumMarks(const std::vector<RateAdvice::Mark>& marks)
{
    // Drawn as items, not series: the series and the read-out never see them.
    for (QCPAbstractItem* item : std::as_const(markItems_))
        chart_.removeItem(item);
    markItems_.clear();
    // Each range shaded faintly over the whole height (fainter the more curves there are),
    // and once more as a strip of its own at the foot of the plot, so that nine ranges can
    // still be told apart.
    const int faint = std::max(8, 48 / std::max<int>(1, static_cast<int>(marks.size())));
    constexpr double StripHeight = 0.022;
    for (size_t i = 0; i < marks.size(); ++i) {
        const RateAdvice::Mark& mark = marks[i];
        const QColor colour = chart_.series(mark.k)->pen().color();
        const auto band = [this, &mark](double top, double bottom, QColor shade) {
            auto* range = new QCPItemRect(&chart_);
            range->setClipToAxisRect(true);
            for (QCPItemPosition* corner : {range->topLeft, range->bottomRight}) {
                corner->setTypeX(QCPItemPosition::ptPlotCoords);
                corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
            }
            range->topLeft->setCoords(mark.rangeLow, top);
            range->bottomRight->setCoords(mark.rangeHigh, bottom);
            range->setPen(Qt::NoPen);
            range->setBrush(shade);
            range->setSelectable(false);
            return range;
        };
        QColor light = colour, strong = colour;
        light.setAlpha(faint);
        strong.setAlpha(150);
        const double stripBottom = 1.0 - StripHeight * static_cast<double>(i);
        markItems_ << band(0.0, 1.0, light) << band(stripBottom - StripHeight * 0.8, stripBottom, strong);
        auto* line = new QCPItemStraightLine(&chart_);
        line->point1->setCoords(mark.optimumN, 0.0);
        line->point2->setCoords(mark.optimumN, 1.0);
        line->setPen(QPen(colour, 1.5, Qt::DashLine));
        line->setSelectable(false);
        markItems_ << line;
    }
    // The legend says what the marks are, drawn as the marks are, in neutral grey.
    QList<CurveChart::LegendMark> legendMarks;
    if (!marks.empty()) {
        QColor grey(96, 96, 96), shade(96, 96, 96, 90);
        legendMarks << CurveChart::LegendMark{QStringLiteral("Óptimo económico (trazos, color de la curva)"),
                                              QPen(grey, 1.5, Qt::DashLine), Qt::NoBrush}
                    << CurveChart::LegendMark{QStringLiteral("Rango rentable (franja, color de la curva)"), Qt::NoPen,
                                              shade};
    }
    chart_.setLegendMarks(legendMarks);
    // Queued: a rebuild that has just redrawn the chart is not drawn twice.
    chart_.replot(QCustomPlot::rpQueuedReplot);
}

QLabel* ChartSkeleton::caption(const QString& text, QWidget* parent, const QFont& font, const QColor& colour)
{
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    Look::setColour(l, QPalette::WindowText, colour);
    return l;
}

QLineEdit* ChartSkeleton::readOutEdit(const char* name, QWidget* parent, const QRect& geometry, const QColor& colour)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    FirstShowing::font(e, Look::arial(8, true));
    e->setGeometry(geometry);
    Look::setColour(e, QPalette::Text, colour);
    return e;
}

QFrame* ChartSkeleton::figureBox(QWidget* parent, const QRect& geometry)
{
    auto* box = new QFrame(parent);
    box->setObjectName(QStringLiteral("Panel3"));
    box->setGeometry(geometry);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAutoFillBackground(true);
    Look::setColour(box, QPalette::Window, QColor(192, 192, 192));
    return box;
}
