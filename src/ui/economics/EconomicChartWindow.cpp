#include "EconomicChartWindow.h"

#include <algorithm>

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ChartReadOut.h"
#include "core/EconomicInputs.h"
#include "core/EconomicSituation.h"
#include "core/ScenarioSlots.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/HelpMark.h"
#include "ui/common/Look.h"
#include "ui/common/ProgramLauncher.h"
#include "ui/common/SlotColours.h"
#include "ui/common/ToolButtonGrid.h"
#include "ui/common/TrackingFrame.h"
#include "ui/common/WindowNames.h"
#include "ui/data/DataSourceLabel.h"

namespace {

const QColor Teal(0, 128, 128);

QLabel* label(const QString& text, QWidget* parent, const QFont& font, const QColor& colour)
{
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

} // namespace

EconomicChartWindow::EconomicChartWindow(const ScenarioSlots& scenarioSlots, EconomicSituation& situation,
                                         ErrorReporter& errors, ProgramLauncher& launcher, QWidget* parent)
    : VelmaroWindow(QString(WindowNames::EconomicChart), QStringLiteral("N disp. de referencia"), parent),
      slots_(scenarioSlots),
      situation_(situation),
      errors_(errors),
      launcher_(launcher)
{
    resize(800, 560);
    setMouseTracking(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    inputRow_ = buildInputRow();
    toolbar_ = buildToolbar();
    layout->addWidget(inputRow_);
    layout->addWidget(toolbar_);
    auto* middle = new QHBoxLayout;
    chart_ = new CurveChart(this);
    chart_->setObjectName(QStringLiteral("Chart1"));
    buildChart();
    middle->addWidget(chart_, 1);
    middle->addWidget(buildReadOutPanel());
    layout->addLayout(middle, 1);

    connect(chart_, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) { readOut(event->pos()); });
    connect(chart_, &QCustomPlot::mousePress, this, [this](QMouseEvent* event) {
        // A click on the background, away from every shown curve, empties the read-out.
        if (chart_->topShownCurveAt(event->pos()).number == 0)
            clearReadOut();
    });
    connect(chart_, &QCustomPlot::afterReplot, this, &EconomicChartWindow::placeChartMarks);
}

QWidget* EconomicChartWindow::buildInputRow()
{
    auto* row = new QWidget(this);
    row->setMouseTracking(true);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    struct Input {
        const char* edit;
        const char* initial;
        const char* caption;
        const char* unit;
        const char* mark;
        const char* window;
    };
    const Input inputs[3] = {
        {"Edit1", "115", "Precio neto del grano?", "U$S/Tn.", "Label16", WindowNames::GrainPriceHelp.data()},
        {"Edit2", "600", "Costo del nitrógeno", "U$S/Tn.", "Label17", WindowNames::NitrogenCostHelp.data()},
        {"Edit3", "40", "N disp. de referencia?", "Kg/ha.", "Label18", WindowNames::ReferenceNHelp.data()},
    };
    QLineEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
        h->addWidget(label(QString::fromUtf8(inputs[i].caption), row, Look::arial(9, true), Teal));
        auto* edit = new QLineEdit(QLatin1String(inputs[i].initial), row);
        edit->setObjectName(QLatin1String(inputs[i].edit));
        edit->setFixedWidth(60);
        edit->setMouseTracking(true);
        edit->installEventFilter(this);
        h->addWidget(edit);
        h->addWidget(label(QString::fromUtf8(inputs[i].unit), row, Look::arial(9), Qt::black));
        auto* mark = new HelpMark(QLatin1String(inputs[i].mark), QStringLiteral(" ? "), 14, 18, row);
        mark->setCursor(Qt::WhatsThisCursor);
        const QString window = QLatin1String(inputs[i].window);
        connect(mark, &HelpMark::clicked, this, [this, window] { Q_EMIT windowRequested(window); });
        h->addWidget(mark);
        h->addSpacing(16);
        inputMarks_[i] = mark;
        edits[i] = edit;
    }
    h->addStretch();
    // Beyond the specified controls, at the row's free right end.
    auto* advice = new QToolButton(row);
    advice->setObjectName(QStringLiteral("RateAdviceButton"));
    advice->setText(QStringLiteral("Dosis recomendada"));
    advice->setToolTip(QStringLiteral("La dosis de N de mayor margen para cada curva, su rango rentable y el riesgo "
                                      "de la campaña"));
    advice->setFont(Look::arial(8, true));
    Look::setColour(advice, QPalette::ButtonText, Teal);
    connect(advice, &QToolButton::clicked, this,
            [this] { Q_EMIT windowRequested(QStringLiteral("RateAdviceWindow")); });
    h->addWidget(advice);
    grainPriceEdit_ = edits[0];
    nCostEdit_ = edits[1];
    referenceNEdit_ = edits[2];

    // Enter rebuilds and moves on to the other price.
    connect(grainPriceEdit_, &QLineEdit::returnPressed, this, [this] {
        rebuild();
        nCostEdit_->setFocus();
    });
    connect(nCostEdit_, &QLineEdit::returnPressed, this, [this] {
        rebuild();
        grainPriceEdit_->setFocus();
    });
    // Enter in the reference N checks it now, as it is entered; a bad one is told once,
    // and again only after the adviser changes it.
    connect(referenceNEdit_, &QLineEdit::returnPressed, this, [this] {
        rebuild();
        grainPriceEdit_->setFocus();
    });
    connect(referenceNEdit_, &QLineEdit::textChanged, this, [this] { reportedReference_.reset(); });
    return row;
}

QWidget* EconomicChartWindow::buildToolbar()
{
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    const QList<ToolButtonGrid::Button> buttons{
        {"ToolButton12", "Escenarios", "Regresa a pantalla de escenarios"},
        {"ToolButton2", "&Imprimir gráfico", "Copia impresa del gráfico", WindowNames::EconomicPrint.data()},
        {"ToolButton8", "Ajuste de ejes", "Ajusta los máximos y mínimos de los ejes", WindowNames::EconomicAxes.data()},
        {"ToolButton10", "Costo del Nitrógeno", "Cálculo del costo del nitrógeno", WindowNames::NitrogenCost.data()},
        {"ToolButton11", "Ndisp de referencia", "Cálculo del N disponible de referencia",
         WindowNames::SoilNitrogen.data()},
        {"ToolButton5", "Uso del gráfico", "Ayuda del uso del gráfico", WindowNames::ReferenceNHelp.data()},
        {"ToolButton7", "Rendimiento y Ndisp", "Regresa a pantalla anterior"},
        {"ToolButton1", "&Copiar gráfico", "Copia el gráfico al portapapeles"},
        {"ToolButton9", "Cambiar títulos", "Cambia los títulos del gráfico", WindowNames::EconomicTitles.data()},
        {"ToolButton3", "Recalcular", "Recalcula las curvas"},
        {"ToolButton4", "Elegir curvas", "Quita o pone ventana de \"elegir curvas\""},
        {"ToolButton6", "Calculadora", "Uso de las curvas"},
    };
    const auto open = [this](const QString& window) { Q_EMIT windowRequested(window); };
    const QList<QToolButton*> made = ToolButtonGrid::build(bar, buttons, 6, 120, Look::arial(8, true), open);
    for (QToolButton* b : made)
        Look::setColour(b, QPalette::ButtonText, Teal);
    selectionButton_ = made[10];

    connect(made[0], &QToolButton::clicked, this, [this] {
        hide();
        Q_EMIT chartsToClose();
    });
    connect(made[6], &QToolButton::clicked, this, &QWidget::hide);
    connect(made[7], &QToolButton::clicked, this, &EconomicChartWindow::copyToClipboard);
    connect(made[9], &QToolButton::clicked, this, &EconomicChartWindow::rebuild);
    connect(made[10], &QToolButton::clicked, this, &EconomicChartWindow::curveSelectionToggleRequested);
    connect(made[11], &QToolButton::clicked, this, [this] { launcher_.start(ProgramLauncher::Program::Calculator); });
    return bar;
}

void EconomicChartWindow::buildChart()
{
    using Marker = CurveChart::Marker;
    struct SeriesLook {
        QColor colour;
        int width;
        Marker marker;
    };
    const QColor red(255, 0, 0), green(0, 128, 0), blue(0, 0, 255);
    const SeriesLook looks[10] = {
        {red, 2, Marker::None},     {green, 2, Marker::None},
        {blue, 2, Marker::None},    {red, 1, Marker::Square},
        {green, 1, Marker::Square}, {blue, 1, Marker::Square},
        {red, 1, Marker::Circle},   {SlotColours::slot2Levels(), 1, Marker::Circle},
        {blue, 1, Marker::Circle},  {QColor(255, 128, 255), 3, Marker::None},
    };
    for (int k = 1; k <= 10; ++k) {
        CurveChart::SeriesStyle style;
        style.objectName = QStringLiteral("Series%1").arg(k);
        style.colour = looks[k - 1].colour;
        style.width = looks[k - 1].width;
        style.marker = looks[k - 1].marker;
        style.markerHalfSize = style.marker == Marker::None ? 0 : 2;
        chart_->addSeries(style, k == CostSeries ? QStringLiteral("Costo del N") : Curves::readOutName(k));
    }
    for (int k = 1; k <= 9; ++k)
        chart_->setSeriesShown(k, false); // the curve selection decides at activation

    const QColor blueText(0, 0, 255);
    chart_->setTitleLines({QStringLiteral("Determinación del óptimo económico para la fertilización")});
    chart_->setTitleFont(Look::arial(12), blueText);
    chart_->setAxisRange(CurveChart::Axis::Bottom, 0, 200);
    chart_->setAxisStep(CurveChart::Axis::Bottom, 40);
    chart_->setAxisTitle(CurveChart::Axis::Bottom, QStringLiteral("Nitrógeno disponible (Kg N /ha)"));
    chart_->setAxisTitleFont(CurveChart::Axis::Bottom, Look::arial(10), blueText);
    chart_->setAxisRange(CurveChart::Axis::Left, -2.01, 4);
    chart_->setAxisStep(CurveChart::Axis::Left, 2);
    chart_->setAxisTitle(CurveChart::Axis::Left, QStringLiteral("Ingreso o Costo marginal (U$S / ha)"));
    chart_->setAxisTitleFont(CurveChart::Axis::Left, Look::arial(10, true), blueText);
    for (QCPAxis* axis : {chart_->xAxis, chart_->yAxis}) {
        axis->setBasePen(QPen(Qt::black, 3));
        axis->setTickPen(QPen(Qt::red, 2));
        axis->setSubTickPen(QPen(Qt::red, 1));
        axis->setTickLengthIn(0);
        axis->setTickLengthOut(14);
        axis->setSubTickLengthIn(0);
        axis->setSubTickLengthOut(10);
        axis->setTickLabelFont(Look::arial(9, true));
        axis->setTickLabelColor(Qt::black);
    }
    chart_->xAxis->grid()->setVisible(false);
    chart_->yAxis->grid()->setPen(QPen(QColor(128, 128, 128), 0, Qt::SolidLine));

    QLinearGradient panel(0, 0, 0, 1);
    panel.setCoordinateMode(QGradient::ObjectMode);
    panel.setColorAt(0, Qt::white);
    panel.setColorAt(1, QColor(208, 236, 17));
    chart_->setPanel(QBrush(panel));
    chart_->axisRect()->setBackground(Qt::NoBrush);
    chart_->legend->setFont(Look::arial(8));

    scenarioLabel_ = new QLabel(chart_);
    scenarioLabel_->setObjectName(QStringLiteral("Label24"));
    scenarioLabel_->setFont(Look::arial(9, true));
    scenarioLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    dataSourceLabel_ = new DataSourceLabel(chart_);

    yAxisMark_ = new HelpMark(QStringLiteral("Label14"), QStringLiteral(" ? "), 14, 18, chart_);
    yAxisMark_->setToolTip(QStringLiteral("Ayuda del eje del ingreso o costo marginal"));
    xAxisMark_ = new HelpMark(QStringLiteral("Label15"), QStringLiteral(" ? "), 14, 18, chart_);
    xAxisMark_->setToolTip(QStringLiteral("Ayuda del eje del nitrógeno disponible"));
    for (HelpMark* mark : {yAxisMark_, xAxisMark_})
        mark->setCursor(Qt::WhatsThisCursor);
    connect(yAxisMark_, &HelpMark::clicked, this,
            [this] { Q_EMIT windowRequested(QString(WindowNames::MarginAxisHelp)); });
    connect(xAxisMark_, &HelpMark::clicked, this,
            [this] { Q_EMIT windowRequested(QString(WindowNames::EconomicNitrogenAxisHelp)); });
}

QWidget* EconomicChartWindow::buildReadOutPanel()
{
    auto* panel = new TrackingFrame(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFixedWidth(150);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);

    auto caption = [panel](const char* name, const char* text, int y, const QColor& colour) {
        QLabel* l = label(QString::fromUtf8(text), panel, Look::arial(8, true), colour);
        l->setObjectName(QLatin1String(name));
        l->move(6, y);
        return l;
    };
    auto edit = [panel](const char* name, int y, int width, const QColor& colour) {
        auto* e = new QLineEdit(panel);
        e->setObjectName(QLatin1String(name));
        e->setFont(Look::arial(8, true));
        e->setGeometry(6, y, width, 21);
        Look::setColour(e, QPalette::Text, colour);
        return e;
    };
    caption("Label20", "Serie señalada", 6, Teal);
    caption("Label6", "por el puntero", 20, Teal);
    curveNameEdit_ = edit("Edit4", 38, 130, Teal);
    caption("Label7", "Nitrógeno", 66, Teal);
    caption("Label22", "disponible", 80, Teal);
    nitrogenEdit_ = edit("Edit5", 96, 60, Qt::red);
    nitrogenEdit_->setReadOnly(true);
    caption("Label9", "Ing/cst.", 124, Teal);
    caption("Label23", "marginal", 138, Teal);
    valueEdit_ = edit("Edit6", 154, 60, Qt::red);
    valueEdit_->setReadOnly(true);

    auto* silver = new QFrame(panel);
    silver->setObjectName(QStringLiteral("Panel3"));
    silver->setGeometry(4, 184, 140, 104);
    silver->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    silver->setAutoFillBackground(true);
    Look::setColour(silver, QPalette::Window, QColor(192, 192, 192));
    const char* lines[4][2] = {{"Label11", "Margen en $/ha"},
                               {"Label19", "respecto de la"},
                               {"Label12", "situación de"},
                               {"Label21", "referencia"}};
    for (int i = 0; i < 4; ++i) {
        QLabel* l = label(QString::fromUtf8(lines[i][1]), silver, Look::arial(8, true), Qt::blue);
        l->setObjectName(QLatin1String(lines[i][0]));
        l->move(4, 4 + 14 * i);
    }
    marginLabel_ = label(QStringLiteral("0000"), silver, Look::arial(12, true), Qt::blue);
    marginLabel_->setObjectName(QStringLiteral("Label13"));
    marginLabel_->setGeometry(8, 64, 120, 30);
    marginLabel_->setToolTip(QStringLiteral("Cantidad de cambio por aumento de 1 kg de nitrógeno disponible mmmmmmm"));

    marginMark_ = new HelpMark(QStringLiteral("Label10"), QStringLiteral(" ? "), 14, 18, panel);
    marginMark_->setCursor(Qt::WhatsThisCursor);
    marginMark_->move(110, 292);
    connect(marginMark_, &HelpMark::clicked, this,
            [this] { Q_EMIT windowRequested(QString(WindowNames::MarginHelp)); });
    panel->onPointerMove = [this] { marginMark_->reset(); };
    return panel;
}

void EconomicChartWindow::placeChartMarks()
{
    const QRect plot = chart_->axisRect()->rect();
    yAxisMark_->move(0, plot.top());
    // The axis mark under the axis title, whole, however low the chart is.
    xAxisMark_->move(plot.center().x() + 130, std::min(plot.bottom() + 36, chart_->height() - xAxisMark_->height()));
    // Inside the plot's top left corner, clear of the chart title at every window size.
    scenarioLabel_->move(plot.left() + 6, plot.top() + 4);
}

QRect EconomicChartWindow::inputsOnScreen() const
{
    const QRect both = inputRow_->geometry().united(toolbar_->geometry());
    return QRect(mapToGlobal(both.topLeft()), both.size());
}

QString EconomicChartWindow::grainPrice() const
{
    return grainPriceEdit_->text();
}
QString EconomicChartWindow::nCost() const
{
    return nCostEdit_->text();
}
QString EconomicChartWindow::referenceN() const
{
    return referenceNEdit_->text();
}
void EconomicChartWindow::setGrainPrice(const QString& text)
{
    grainPriceEdit_->setText(text);
}
void EconomicChartWindow::setNCost(const QString& text)
{
    nCostEdit_->setText(text);
}
void EconomicChartWindow::setReferenceN(const QString& text)
{
    referenceNEdit_->setText(text);
}

void EconomicChartWindow::onActivated()
{
    recompute();
}

void EconomicChartWindow::recompute()
{
    // A bad price leaves everything as it was, the yields too, so that the table never
    // mixes new yields with old incomes.
    if (!pricesReadable())
        return;
    QStringList errors;
    const auto curves = Curves::capture(slots_, &errors);
    if (!errors.isEmpty())
        errors_.report(this, errors.first());
    curves_ = curves;
    table_.fillYields(curves);
    rebuild();
}

bool EconomicChartWindow::pricesReadable()
{
    const EconomicInputs::Prices prices = EconomicInputs::readPrices(grainPriceEdit_->text(), nCostEdit_->text());
    if (!prices.ok())
        errors_.report(this, prices.error);
    return prices.ok();
}

void EconomicChartWindow::rebuild()
{
    // Both prices are checked before anything is written: a bad one leaves the table and
    // the chart exactly as they were.
    const EconomicInputs::Prices prices = EconomicInputs::readPrices(grainPriceEdit_->text(), nCostEdit_->text());
    if (!prices.ok()) {
        errors_.report(this, prices.error);
        situation_.refuse(prices.error);
        return;
    }
    table_.rebuild(prices.grainPrice, prices.nCost);
    grainPriceEdit_->setFocus();
    for (int k = 1; k <= Curves::Count; ++k)
        chart_->setPoints(k, table_.incomePoints(k));
    chart_->setPoints(CostSeries, table_.costPoints());
    chart_->replot();

    const EconomicInputs::ReferenceN reference = EconomicInputs::readReferenceN(referenceNEdit_->text());
    if (!reference.ok()) {
        reportReferenceOnce(reference.error);
        situation_.refuse(reference.error);
        return;
    }
    if (reference.belowLowest()) {
        Q_EMIT lowNitrogenWarning();
        referenceNEdit_->setText(QString::number(EconomicInputs::LowestReferenceN));
    }
    situation_.update({table_, curves_, prices.grainPrice, prices.nCost, reference.effective()});
}

void EconomicChartWindow::setOptimumMarks(const std::vector<RateAdvice::Mark>& marks)
{
    // Drawn as items, not series: the legend, the series and the read-out never see them.
    for (QCPAbstractItem* item : std::as_const(markItems_))
        chart_->removeItem(item);
    markItems_.clear();
    // Each range shaded faintly over the whole height (fainter the more curves there are),
    // and once more as a strip of its own at the foot of the plot, so that nine ranges can
    // still be told apart.
    const int faint = std::max(8, 48 / std::max<int>(1, static_cast<int>(marks.size())));
    constexpr double StripHeight = 0.022;
    for (size_t i = 0; i < marks.size(); ++i) {
        const RateAdvice::Mark& mark = marks[i];
        const QColor colour = chart_->series(mark.k)->pen().color();
        const auto band = [this, &mark](double top, double bottom, QColor shade) {
            auto* range = new QCPItemRect(chart_);
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
        auto* line = new QCPItemStraightLine(chart_);
        line->point1->setCoords(mark.optimumN, 0.0);
        line->point2->setCoords(mark.optimumN, 1.0);
        line->setPen(QPen(colour, 1.5, Qt::DashLine));
        line->setSelectable(false);
        markItems_ << line;
    }
    // Queued: a rebuild that has just redrawn the chart is not drawn twice.
    chart_->replot(QCustomPlot::rpQueuedReplot);
}

void EconomicChartWindow::setCurveSelectionCaption(const QString& caption)
{
    selectionButton_->setText(caption);
}

void EconomicChartWindow::resetInputMarks()
{
    for (HelpMark* mark : inputMarks_)
        mark->reset();
}

void EconomicChartWindow::reportOnce(const QString& message)
{
    if (message == lastReported_)
        return;
    lastReported_ = message;
    errors_.report(this, message);
}

void EconomicChartWindow::reportReferenceOnce(const QString& message)
{
    // One message for one mistake: not again at every activation or pointer move.
    if (reportedReference_ == referenceNEdit_->text())
        return;
    reportedReference_ = referenceNEdit_->text();
    errors_.report(this, message);
}

void EconomicChartWindow::readOut(QPoint pixel)
{
    resetInputMarks();
    yAxisMark_->reset();
    xAxisMark_->reset();
    marginMark_->reset();

    const QPointF value = chart_->valueAt(pixel);
    const ChartReadOut::Pointer pointer = ChartReadOut::economicPointer(value.x(), value.y());
    nitrogenEdit_->setText(pointer.nitrogen);
    valueEdit_->setText(pointer.value);

    const int touched = chart_->topShownCurveAt(pixel).number;
    if (touched == 0)
        return;

    const ChartReadOut::Margin margin =
        ChartReadOut::margin(table_, touched, pointer.nitrogen, referenceNEdit_->text(), nCostEdit_->text());
    if (margin.outcome == ChartReadOut::Margin::Outcome::BadInput) {
        const EconomicInputs::ReferenceN reference = EconomicInputs::readReferenceN(referenceNEdit_->text());
        if (!reference.ok())
            reportReferenceOnce(reference.error);
        else
            reportOnce(margin.text);
        return;
    }
    lastReported_.clear();

    const int slot = Curves::key(touched).slot;
    const QColor colour = SlotColours::forSlot(slot);
    curveNameEdit_->setText(Curves::readOutName(touched));
    Look::setColour(curveNameEdit_, QPalette::Text, colour);
    scenarioLabel_->setText(slots_.slot(slot).scenarioLine());
    Look::setColour(scenarioLabel_, QPalette::WindowText, colour);
    scenarioLabel_->adjustSize();
    if (margin.outcome == ChartReadOut::Margin::Outcome::NotFinite) {
        marginLabel_->clear();
        reportOnce(margin.text);
        return;
    }
    marginLabel_->setText(margin.text);
}

void EconomicChartWindow::clearReadOut()
{
    curveNameEdit_->clear();
    marginLabel_->clear();
    scenarioLabel_->clear();
}

void EconomicChartWindow::copyToClipboard()
{
    // On a white background, as it would print.
    QGuiApplication::clipboard()->setPixmap(chart_->renderPixmap(QBrush(Qt::white)));
}

bool EconomicChartWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Focus follows the pointer over the three inputs.
    if (event->type() == QEvent::MouseMove) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            edit->setFocus();
    }
    return VelmaroWindow::eventFilter(watched, event);
}

void EconomicChartWindow::mouseMoveEvent(QMouseEvent* event)
{
    resetInputMarks();
    VelmaroWindow::mouseMoveEvent(event);
}

void EconomicChartWindow::setDataSourceText(const QString& text)
{
    dataSourceLabel_->setSource(text);
}
