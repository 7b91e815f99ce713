#include "CurveChart.h"

#include <cmath>

#include <QCoreApplication>

#include "ui/charting/MarkLegendItem.h"

CurveChart::CurveChart(QWidget* parent) : QCustomPlot(parent)
{
    setMouseTracking(true);
    setNoAntialiasingOnDrag(true);
    plotLayout()->insertRow(0);
    title_ = new QCPTextElement(this, QString());
    plotLayout()->addElement(0, 0, title_);
    legend->setVisible(true);
    // All layers draw into one buffer. The overlay layer has a buffer of its own only to
    // be redrawn alone (a selection rectangle dragged over the plot), which these charts
    // never do; that buffer would cost a chart-sized picture of memory per chart.
    if (QCPLayer* overlay = layer(QStringLiteral("overlay")))
        overlay->setMode(QCPLayer::lmLogical);
    for (Axis a : {Axis::Bottom, Axis::Left}) {
        QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
        ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
        axis(a)->setTicker(ticker);
        applyRange(a);
    }
    connect(this, &QCustomPlot::afterReplot, this, &CurveChart::cachePixels);
    // QCustomPlot queues a first redraw of the empty chart as it is made. Both charts are
    // made at start-up and stay closed until plotted; their first showing lays them out
    // and draws them, so that redraw would only cost the start.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

int CurveChart::addSeries(const SeriesStyle& style, const QString& title)
{
    QCPGraph* graph = addGraph();
    graph->setObjectName(style.objectName);
    graph->setName(title);
    QPen pen(style.colour, style.width, style.penStyle);
    graph->setPen(pen);
    graph->setLineStyle(QCPGraph::lsLine);
    if (style.marker != Marker::None) {
        const auto shape = style.marker == Marker::Square ? QCPScatterStyle::ssSquare : QCPScatterStyle::ssDisc;
        // Fill and outline both in the curve's colour: a disc takes its fill from the pen,
        // and a dark outline would hide the colour of markers this small.
        graph->setScatterStyle(QCPScatterStyle(shape, style.colour, style.colour, 2 * style.markerHalfSize + 1));
    }
    series_.push_back({graph, style, {}});
    series_.back().curve.markerHalfSize = style.marker == Marker::None ? 0 : style.markerHalfSize;
    rebuildLegend();
    return seriesCount();
}

QCPGraph* CurveChart::series(int number) const
{
    return number >= 1 && number <= seriesCount() ? series_[number - 1].graph : nullptr;
}

void CurveChart::setPoints(int number, const std::vector<double>& values)
{
    QCPGraph* graph = series(number);
    if (!graph)
        return;
    QVector<double> keys(static_cast<int>(values.size())), data(static_cast<int>(values.size()));
    int firstDrawn = static_cast<int>(values.size());
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        keys[i] = i;
        data[i] = values[i];
        if (firstDrawn == static_cast<int>(values.size()) && !std::isnan(values[i]))
            firstDrawn = i;
    }
    graph->setData(keys, data, true);
    Series& s = series_[number - 1];
    s.curve.x.assign(keys.begin(), keys.end());
    s.curve.firstDrawn = firstDrawn;
    s.curve.pixels.clear(); // until the next redraw nothing is touched
}

double CurveChart::pointValue(int number, int index) const
{
    const QCPGraph* graph = series(number);
    if (!graph || index < 0 || index >= graph->data()->size())
        return std::nan("");
    return (graph->data()->constBegin() + index)->value;
}

int CurveChart::pointCount(int number) const
{
    const QCPGraph* graph = series(number);
    return graph ? graph->data()->size() : 0;
}

void CurveChart::setSeriesTitle(int number, const QString& title)
{
    if (QCPGraph* graph = series(number)) {
        graph->setName(title);
        rebuildLegend();
    }
}

QString CurveChart::seriesTitle(int number) const
{
    const QCPGraph* graph = series(number);
    return graph ? graph->name() : QString();
}

void CurveChart::setSeriesShown(int number, bool shown)
{
    QCPGraph* graph = series(number);
    if (!graph || graph->visible() == shown)
        return;
    graph->setVisible(shown);
    rebuildLegend();
}

bool CurveChart::isSeriesShown(int number) const
{
    const QCPGraph* graph = series(number);
    return graph && graph->visible();
}

// Both redraw only on a change: every activation of a chart applies the curve selection
// again, mostly unchanged, right after the chart has been drawn with its new points.
void CurveChart::showCurve(int number, bool shown)
{
    if (series(number) && isSeriesShown(number) == shown)
        return;
    setSeriesShown(number, shown);
    replot();
}

void CurveChart::showCurves(const std::array<bool, 9>& shown)
{
    bool changed = false;
    for (int k = 1; k <= 9; ++k) {
        changed = changed || isSeriesShown(k) != shown[k - 1];
        setSeriesShown(k, shown[k - 1]);
    }
    if (changed)
        replot();
}

QStringList CurveChart::legendTitles() const
{
    QStringList titles;
    for (int i = 0; i < legend->itemCount(); ++i)
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i)))
            titles << item->plottable()->name();
    return titles;
}

void CurveChart::rebuildLegend()
{
    // Only shown series, always in series order; then the marks.
    legend->clearItems();
    for (const Series& s : series_)
        if (s.graph->visible())
            s.graph->addToLegend(legend);
    for (const LegendMark& mark : std::as_const(legendMarks_))
        legend->addItem(new MarkLegendItem(legend, mark.text, mark.pen, mark.brush));
}

void CurveChart::setLegendMarks(const QList<LegendMark>& marks)
{
    legendMarks_ = marks;
    rebuildLegend();
}

QStringList CurveChart::legendMarkTitles() const
{
    QStringList titles;
    for (int i = 0; i < legend->itemCount(); ++i)
        if (auto* item = qobject_cast<MarkLegendItem*>(legend->item(i)))
            titles << item->text();
    return titles;
}

void CurveChart::setAxisRange(Axis a, double minimum, double maximum)
{
    limits_[index(a)] = {minimum, maximum};
    applyRange(a);
}

void CurveChart::setAxisMinimum(Axis a, double minimum)
{
    setAxisRange(a, minimum, axisMaximum(a));
}

void CurveChart::setAxisMaximum(Axis a, double maximum)
{
    setAxisRange(a, axisMinimum(a), maximum);
}

void CurveChart::applyRange(Axis a)
{
    const auto [minimum, maximum] = limits_[index(a)];
    const bool drawable = isDrawable(Axis::Bottom) && isDrawable(Axis::Left);
    if (minimum < maximum)
        axis(a)->setRange(minimum, maximum);
    else
        axis(a)->setRange(minimum, minimum + 1.0); // nothing sensible to draw: the curves go
    if (QCPLayer* main = layer(QStringLiteral("main")))
        main->setVisible(drawable);
}

void CurveChart::setAxisLimit(AxisLimit limit, double value)
{
    switch (limit) {
    case AxisLimit::LeftMaximum:
        setAxisMaximum(Axis::Left, value);
        break;
    case AxisLimit::LeftMinimum:
        setAxisMinimum(Axis::Left, value);
        break;
    case AxisLimit::BottomMaximum:
        setAxisMaximum(Axis::Bottom, value);
        break;
    case AxisLimit::BottomMinimum:
        setAxisMinimum(Axis::Bottom, value);
        break;
    }
}

ChartTitles CurveChart::titles() const
{
    return {titleLines().value(0), axisTitle(Axis::Bottom), axisTitle(Axis::Left)};
}

void CurveChart::setTitles(const ChartTitles& titles)
{
    setTitleLines({titles.title});
    setAxisTitle(Axis::Bottom, titles.bottomAxis);
    setAxisTitle(Axis::Left, titles.leftAxis);
}

void CurveChart::setAxisStep(Axis a, double step)
{
    if (auto ticker = axis(a)->ticker().dynamicCast<QCPAxisTickerFixed>())
        ticker->setTickStep(step > 0 ? step : 1.0);
}

void CurveChart::setAxisTitle(Axis a, const QString& title)
{
    axis(a)->setLabel(title);
}

QString CurveChart::axisTitle(Axis a) const
{
    return axis(a)->label();
}

void CurveChart::setAxisTitleFont(Axis a, const QFont& font, const QColor& colour)
{
    axis(a)->setLabelFont(font);
    axis(a)->setLabelColor(colour);
}

void CurveChart::setTitleLines(const QStringList& lines)
{
    title_->setText(lines.join(u'\n'));
}

QStringList CurveChart::titleLines() const
{
    return title_->text().split(u'\n');
}

void CurveChart::setTitleFont(const QFont& font, const QColor& colour)
{
    title_->setFont(font);
    title_->setTextColor(colour);
}

AxisScale CurveChart::scale(Axis a) const
{
    const QRect plot = axisRect()->rect();
    AxisScale s;
    s.minimum = axisMinimum(a);
    s.maximum = axisMaximum(a);
    s.vertical = a == Axis::Left;
    // As the chart draws: the maximum of a vertical axis lies one pixel above the plot's top row.
    s.start = s.vertical ? plot.bottom() - plot.height() : plot.left();
    s.length = s.vertical ? plot.height() : plot.width();
    return s;
}

QPointF CurveChart::valueAt(QPoint pixel) const
{
    return {scale(Axis::Bottom).valueAt(pixel.x()), scale(Axis::Left).valueAt(pixel.y())};
}

int CurveChart::hitTest(int number, QPoint pixel) const
{
    if (number < 1 || number > seriesCount() || !isDrawable(Axis::Bottom) || !isDrawable(Axis::Left))
        return -1;
    return SeriesHitTest::find(series_[number - 1].curve, axisMinimum(Axis::Bottom), axisMaximum(Axis::Bottom), pixel);
}

CurveChart::Hit CurveChart::topShownCurveAt(QPoint pixel, int curveCount) const
{
    Hit hit;
    for (int k = 1; k <= curveCount; ++k) {
        if (!isSeriesShown(k))
            continue;
        const int point = hitTest(k, pixel);
        if (point >= 0)
            hit = {k, point};
    }
    return hit;
}

void CurveChart::cachePixels()
{
    for (Series& s : series_) {
        const auto data = s.graph->data();
        s.curve.pixels.resize(static_cast<size_t>(data->size()));
        int i = 0;
        for (auto it = data->constBegin(); it != data->constEnd(); ++it, ++i) {
            const double y = std::isnan(it->value) ? 0.0 : it->value;
            const double px = xAxis->coordToPixel(it->key);
            const double py = yAxis->coordToPixel(y);
            s.curve.pixels[static_cast<size_t>(i)] = QPoint(static_cast<int>(std::lround(std::clamp(px, -1e6, 1e6))),
                                                            static_cast<int>(std::lround(std::clamp(py, -1e6, 1e6))));
        }
    }
}

void CurveChart::setPanel(const QBrush& brush)
{
    panel_ = brush;
    setBackground(brush);
}

QPixmap CurveChart::renderPixmap(const QBrush& panel)
{
    const bool note = sourceNote_ && !sourceNote_->text().isEmpty();
    if (note)
        sourceNote_->setVisible(true);
    if (panel.style() != Qt::NoBrush)
        setBackground(panel);
    QPixmap pixmap = toPixmap(width(), height());
    setBackground(panel_);
    if (note)
        sourceNote_->setVisible(false);
    return pixmap;
}

void CurveChart::setSourceNote(const QString& note)
{
    if (!sourceNote_) {
        sourceNote_ = new QCPItemText(this);
        sourceNote_->setClipToAxisRect(false);
        sourceNote_->position->setType(QCPItemPosition::ptViewportRatio);
        sourceNote_->position->setCoords(1.0, 1.0);
        sourceNote_->setPositionAlignment(Qt::AlignRight | Qt::AlignBottom);
        sourceNote_->setPadding(QMargins(4, 2, 6, 4));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(11);
        sourceNote_->setFont(font);
        sourceNote_->setColor(Qt::black);
        sourceNote_->setSelectable(false);
        sourceNote_->setVisible(false); // the window's own label shows it on screen
    }
    sourceNote_->setText(note);
}

QString CurveChart::sourceNote() const
{
    return sourceNote_ ? sourceNote_->text() : QString();
}

void CurveChart::renderForPrint(QCPPainter* painter, QSize size)
{
    const bool note = sourceNote_ && !sourceNote_->text().isEmpty();
    if (note)
        sourceNote_->setVisible(true);
    const QSize drawn = size.isValid() ? size : this->size();
    toPainter(painter, drawn.width(), drawn.height());
    if (note)
        sourceNote_->setVisible(false);
}
