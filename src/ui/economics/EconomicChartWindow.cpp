#include "EconomicChartWindow.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ChartReadOut.h"
#include "core/EconomicSituation.h"
#include "core/ScenarioSlots.h"
#include "ui/charting/ChartSkeleton.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/HelpMark.h"
#include "ui/common/Look.h"
#include "ui/common/ProgramLauncher.h"
#include "ui/common/SlotColours.h"
#include "ui/common/ToolButtonGrid.h"
#include "ui/common/TrackingFrame.h"
#include "ui/common/WindowNames.h"
#include "ui/economics/EconomicInputRow.h"

namespace {

const QColor Teal(0, 128, 128);

QLabel* label(const QString& text, QWidget* parent, const QFont& font, const QColor& colour)
{
    return ChartSkeleton::caption(text, parent, font, colour);
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
    inputRow_ = new EconomicInputRow(situation_, errors_, this);
    connect(inputRow_, &EconomicInputRow::confirmedChanged, this, &EconomicChartWindow::redraw);
    connect(inputRow_, &EconomicInputRow::lowNitrogenWarning, this, &EconomicChartWindow::lowNitrogenWarning);
    connect(inputRow_, &EconomicInputRow::windowRequested, this, &EconomicChartWindow::windowRequested);
    toolbar_ = buildToolbar();
    layout->addWidget(inputRow_);
    layout->addWidget(toolbar_);
    auto* middle = new QHBoxLayout;
    chart_ = new CurveChart(this);
    chart_->setObjectName(QStringLiteral("Chart1"));
    skeleton_ = new ChartSkeleton(*chart_, QStringLiteral("Label24"));
    buildChart();
    middle->addWidget(chart_, 1);
    readOutPanel_ = buildReadOutPanel();
    middle->addWidget(readOutPanel_);
    layout->addLayout(middle, 1);

    connect(chart_, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) { readOut(event->pos()); });
    connect(chart_, &QCustomPlot::mousePress, this, [this](QMouseEvent* event) {
        // A click on the background, away from every shown curve, empties the read-out.
        if (chart_->topShownCurveAt(event->pos()).number == 0)
            clearReadOut();
    });
    // New coefficients reach the chart at once, open or not, once it has computed anything:
    // the dose advice and the marks rest on it. The read-out of the old ones goes.
    connect(&slots_, &ScenarioSlots::curvesChanged, this, [this] {
        if (!isVisible() && !situation_.hasState())
            return;
        recompute();
        clearReadOut();
    });
}

EconomicChartWindow::~EconomicChartWindow()
{
    // A field losing the focus as the window goes confirms nothing any more.
    inputRow_->disconnect(this);
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
    const QColor red(255, 0, 0), green(0, 128, 0), blue(0, 0, 255);
    std::vector<ChartSkeleton::SeriesLook> looks{
        {red, 2, Marker::None, 0, {}},     {green, 2, Marker::None, 0, {}},
        {blue, 2, Marker::None, 0, {}},    {red, 1, Marker::Square, 2, {}},
        {green, 1, Marker::Square, 2, {}}, {blue, 1, Marker::Square, 2, {}},
        {red, 1, Marker::Circle, 2, {}},   {SlotColours::slot2Levels(), 1, Marker::Circle, 2, {}},
        {blue, 1, Marker::Circle, 2, {}},  {QColor(255, 128, 255), 3, Marker::None, 0, QStringLiteral("Costo del N")},
    };
    for (int k = 1; k <= Curves::Count; ++k)
        looks[k - 1].title = Curves::readOutName(k);
    skeleton_->addSeries(looks); // the curve selection decides at activation

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
    skeleton_->setAxisMarks(yAxisMark_, {0, 0}, xAxisMark_, 36);
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
        return ChartSkeleton::readOutEdit(name, panel, QRect(6, y, width, 21), colour);
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

    QFrame* silver = ChartSkeleton::figureBox(panel, QRect(4, 184, 140, 104));
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

QRect EconomicChartWindow::inputsOnScreen() const
{
    const QRect both = inputRow_->geometry().united(toolbar_->geometry());
    return QRect(mapToGlobal(both.topLeft()), both.size());
}

QList<QRect> EconomicChartWindow::keepClearOnScreen() const
{
    return {inputsOnScreen(), QRect(readOutPanel_->mapToGlobal(QPoint()), readOutPanel_->size())};
}

void EconomicChartWindow::take(EconomicInputRow::Field field, const QString& text)
{
    if (inputRow_->take(field, text) && situation_.hasState())
        redraw();
}

void EconomicChartWindow::onActivated()
{
    // Coming back to the window is leaving the field it was left in.
    inputRow_->confirmAll();
    recompute();
}

void EconomicChartWindow::recompute()
{
    QStringList errors;
    curves_ = Curves::capture(slots_, &errors);
    if (!errors.isEmpty())
        errors_.report(this, errors.first());
    redraw();
}

void EconomicChartWindow::rebuild()
{
    if (inputRow_->confirmAll())
        redraw();
}

void EconomicChartWindow::redraw()
{
    // The confirmed texts always read: they were checked as they were taken.
    const EconomicSituation::Worked worked = EconomicSituation::work(curves_, grainPrice(), nCost(), referenceN());
    if (!worked.ok())
        return;
    table_ = worked.state.table;
    inputRow_->focusFirstToMend();
    for (int k = 1; k <= Curves::Count; ++k)
        chart_->setPoints(k, table_.incomePoints(k));
    chart_->setPoints(CostSeries, table_.costPoints());
    chart_->replot();
    situation_.update(worked.state);
}

void EconomicChartWindow::setOptimumMarks(const std::vector<RateAdvice::Mark>& marks)
{
    skeleton_->setOptimumMarks(marks);
}

void EconomicChartWindow::setCurveSelectionCaption(const QString& caption)
{
    selectionButton_->setText(caption);
}

void EconomicChartWindow::reportOnce(const QString& message)
{
    if (message == lastReported_)
        return;
    lastReported_ = message;
    errors_.report(this, message);
}

void EconomicChartWindow::readOut(QPoint pixel)
{
    inputRow_->resetMarks();
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

    // The margin over the confirmed reference at the confirmed cost, as the chart is drawn.
    const ChartReadOut::Margin margin = ChartReadOut::margin(table_, touched, pointer.nitrogen, referenceN(), nCost());
    lastReported_.clear();

    skeleton_->showPointedCurve(touched, slots_, curveNameEdit_);
    if (margin.outcome != ChartReadOut::Margin::Outcome::Shown) {
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
    skeleton_->scenarioLabel()->clear();
}

void EconomicChartWindow::copyToClipboard()
{
    // On a white background, as it would print.
    skeleton_->copyToClipboard(QBrush(Qt::white));
}

void EconomicChartWindow::mouseMoveEvent(QMouseEvent* event)
{
    inputRow_->resetMarks();
    VelmaroWindow::mouseMoveEvent(event);
}

void EconomicChartWindow::setDataSourceText(const QString& text)
{
    skeleton_->setDataSourceText(text);
}
