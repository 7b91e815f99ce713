#include "YieldChartWindow.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ChartReadOut.h"
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
#include "ui/yieldchart/CurveSelectionWindow.h"

namespace {

const QString ChartTitle = QStringLiteral("         Rendimiento de trigo en función del N disponible ");

} // namespace

YieldChartWindow::YieldChartWindow(const ScenarioSlots& scenarioSlots, ErrorReporter& errors, ProgramLauncher& launcher,
                                   QWidget* parent)
    : VelmaroWindow(QString(WindowNames::YieldChart),
                    QStringLiteral("Gráfico de rendimiento en función de N disponible"), parent),
      slots_(scenarioSlots),
      errors_(errors),
      launcher_(launcher)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    resize(800, 560);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* top = new QHBoxLayout;
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    buildToolbar(bar);
    toolbar_ = bar;
    top->addWidget(bar);
    auto* notices = new QVBoxLayout;
    const char* noticeTexts[2] = {"* Gráfico en", "el portapapeles"};
    for (int i = 0; i < 2; ++i) {
        clipboardNotice_[i] = new QLabel(QString::fromUtf8(noticeTexts[i]), this);
        clipboardNotice_[i]->setObjectName(QStringLiteral("Label%1").arg(6 + i));
        clipboardNotice_[i]->setFont(Look::arial(10, true));
        clipboardNotice_[i]->setStyleSheet(QStringLiteral("color: red;"));
        clipboardNotice_[i]->hide();
        notices->addWidget(clipboardNotice_[i]);
    }
    top->addLayout(notices);
    top->addStretch();
    layout->addLayout(top);

    auto* middle = new QHBoxLayout;
    chart_ = new CurveChart(this);
    chart_->setObjectName(QStringLiteral("Chart1"));
    skeleton_ = new ChartSkeleton(*chart_, QStringLiteral("Label1"));
    buildChart();
    middle->addWidget(chart_, 1);
    readOutPanel_ = buildReadOutPanel();
    middle->addWidget(readOutPanel_);
    layout->addLayout(middle, 1);

    connect(chart_, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) { readOut(event->pos()); });
    connect(chart_, &QCustomPlot::afterLayout, this, &YieldChartWindow::fitBackground);
    // Open, the chart follows new coefficients at once; the read-out of the old ones goes.
    connect(&slots_, &ScenarioSlots::curvesChanged, this, [this] {
        if (!isVisible())
            return;
        rebuild();
        skeleton_->scenarioLabel()->clear();
        incrementLabel_->clear();
    });
}

void YieldChartWindow::buildChart()
{
    using Marker = CurveChart::Marker;
    const auto look = [](const QColor& colour, Marker marker, int half, const char* designTitle) {
        return ChartSkeleton::SeriesLook{colour, 2, marker, half, QLatin1String(designTitle)};
    };
    // Design-time titles, replaced at every showing; the curve selection decides what shows.
    skeleton_->addSeries({
        look(SlotColours::forSlot(1), Marker::None, 0, "Escenario1-Medio"),
        look(SlotColours::forSlot(2), Marker::None, 0, "Escenario2-Medio"),
        look(SlotColours::forSlot(3), Marker::None, 0, "Escenario3-Medio"),
        look(SlotColours::forSlot(1), Marker::Square, 2, "Escenario1 - 80%"),
        look(SlotColours::slot2Levels(), Marker::Square, 2, "Escenario2 - 80%"),
        look(SlotColours::forSlot(3), Marker::Square, 2, "Escenario3 - 80%"),
        look(SlotColours::forSlot(1), Marker::Circle, 3, "Escenario1 - 20%"),
        look(SlotColours::slot2Levels(), Marker::Circle, 3, "Escenario2 - 20%"),
        look(SlotColours::forSlot(3), Marker::Circle, 3, "Escenario3 - 20%"),
    });

    const QColor blue(0, 0, 255);
    chart_->setTitleLines({ChartTitle});
    chart_->setTitleFont(Look::arial(16, true), blue);
    chart_->setAxisRange(CurveChart::Axis::Bottom, 0, 200);
    chart_->setAxisStep(CurveChart::Axis::Bottom, 40);
    chart_->setAxisTitle(CurveChart::Axis::Bottom, QStringLiteral("Nitrógeno disponible (Kg/ha)"));
    chart_->setAxisTitleFont(CurveChart::Axis::Bottom, Look::arial(12, true), blue);
    chart_->setAxisRange(CurveChart::Axis::Left, 0, 9000);
    chart_->setAxisStep(CurveChart::Axis::Left, 1000);
    chart_->setAxisTitle(CurveChart::Axis::Left, QStringLiteral("Rendimiento (Kg/ha) 14% H R"));
    chart_->setAxisTitleFont(CurveChart::Axis::Left, Look::arial(12, true), blue);
    chart_->yAxis->grid()->setPen(QPen(QColor(64, 0, 64), 0, Qt::DotLine));
    chart_->xAxis->grid()->setPen(QPen(QColor(64, 0, 64), 0, Qt::DotLine));

    QLinearGradient panel(0, 0, 0, 1);
    panel.setCoordinateMode(QGradient::ObjectMode);
    panel.setColorAt(0, QColor(253, 249, 159));
    panel.setColorAt(1, QColor(244, 248, 182));
    chart_->setPanel(QBrush(panel));
    // The wheat picture behind the plot comes at the first showing (see showEvent).
    chart_->legend->setBorderPen(QPen(Qt::red));
    chart_->legend->setBrush(QColor(255, 255, 255, 230));
    chart_->legend->setFont(Look::arial(8));

    yieldAxisHelp_ = new HelpMark(QStringLiteral("Label9"), QStringLiteral("?"), 12, 16, chart_);
    nitrogenAxisHelp_ = new HelpMark(QStringLiteral("Label10"), QStringLiteral("?"), 12, 16, chart_);
    connect(yieldAxisHelp_, &HelpMark::clicked, this,
            [this] { Q_EMIT windowRequested(QString(WindowNames::YieldAxisHelp)); });
    connect(nitrogenAxisHelp_, &HelpMark::clicked, this,
            [this] { Q_EMIT windowRequested(QString(WindowNames::NitrogenAxisHelp)); });
    skeleton_->setAxisMarks(yieldAxisHelp_, {2, 4}, nitrogenAxisHelp_, 28);
}

void YieldChartWindow::buildToolbar(QWidget* bar)
{
    const QList<ToolButtonGrid::Button> buttons{
        {"ToolButton7", "Escenarios", "Retorno a escenarios"},
        {"ToolButton2", "Imprimir gráfico", "Copia impresa del gráfico", WindowNames::YieldPrint.data()},
        {"ToolButton8", "Ajuste de ejes", "Ajuste de máximos y mínimos de ejes", WindowNames::YieldAxes.data()},
        {"ToolButton3", "Ver funciones", "Muestra las funciones aplicadas", WindowNames::AppliedFunctions.data()},
        {"ToolButton5", "Uso del gráfico", "", WindowNames::YieldChartHelp.data()},
        {"ToolButton10", "Análisis económico", "Gráfico de análisis económico", WindowNames::EconomicChart.data()},
        {"ToolButton1", "Copiar gráfico", "Copia el gráfico al portapapeles"},
        {"ToolButton9", "Cambiar títulos", "Cambia los títulos del gráfico", WindowNames::YieldTitles.data()},
        {"ToolButton4", "Quitar elegir curvas", "Quita o pone ventana de \"elegir curvas\""},
        {"ToolButton6", "Calculadora", "Ayuda sobre las curvas"},
    };
    const auto open = [this](const QString& window) { Q_EMIT windowRequested(window); };
    const QList<QToolButton*> made = ToolButtonGrid::build(bar, buttons, 5, 115, Look::arial(8), open);
    made[4]->setCursor(Qt::WhatsThisCursor);
    selectionButton_ = made[8];

    connect(made[0], &QToolButton::clicked, this, [this] {
        hide();
        Q_EMIT curveSelectionToHide();
    });
    connect(made[6], &QToolButton::clicked, this, &YieldChartWindow::copyToClipboard);
    connect(made[8], &QToolButton::clicked, this, &YieldChartWindow::curveSelectionToggleRequested);
    connect(made[9], &QToolButton::clicked, this, [this] { launcher_.start(ProgramLauncher::Program::Calculator); });
}

QWidget* YieldChartWindow::buildReadOutPanel()
{
    auto* panel = new TrackingFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedWidth(150);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 128));
    palette.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(palette);

    auto caption = [panel](const char* text, int x, int y) {
        ChartSkeleton::caption(QString::fromUtf8(text), panel, Look::arial(8, true), Qt::white)->move(x, y);
    };
    auto readOnlyEdit = [panel](const char* name, int x, int y, int width, const QColor& colour) {
        QLineEdit* edit = ChartSkeleton::readOutEdit(name, panel, QRect(x, y, width, 21), colour);
        edit->setReadOnly(true);
        return edit;
    };

    caption("Nitrógeno", 6, 10);
    caption("disponible", 6, 24);
    nitrogenEdit_ = readOnlyEdit("Edit1", 80, 14, 36, Qt::red);
    caption("Rendimiento", 6, 52);
    yieldEdit_ = readOnlyEdit("Edit2", 80, 48, 52, Qt::red);
    caption("Serie señalada", 6, 82);
    caption("por el puntero", 6, 96);
    curveNameEdit_ = ChartSkeleton::readOutEdit("Edit3", panel, QRect(6, 114, 119, 21), Qt::black);

    QFrame* increment = ChartSkeleton::figureBox(panel, QRect(4, 146, 140, 70));
    for (const auto& [text, y] : {std::pair{"Incremento de rendimiento", 4}, {"por kg de N agregado:", 18}})
        ChartSkeleton::caption(QLatin1String(text), increment, Look::arial(7, true), Qt::black)->move(4, y);
    incrementLabel_ = new QLabel(QStringLiteral("Label13"), increment);
    incrementLabel_->setObjectName(QStringLiteral("Label13"));
    incrementLabel_->setFont(Look::arial(12, true));
    incrementLabel_->setStyleSheet(QStringLiteral("color: blue;"));
    incrementLabel_->setGeometry(10, 36, 120, 26);
    incrementLabel_->setToolTip(
        QStringLiteral("Cantidad de cambio por aumento de 1 kg de nitrógeno disponible mmmmmmm"));

    incrementHelp_ = new HelpMark(QStringLiteral("Label8"), QStringLiteral("?  "), 12, 16, panel);
    incrementHelp_->move(120, 220);
    connect(incrementHelp_, &HelpMark::clicked, this,
            [this] { Q_EMIT windowRequested(QString(WindowNames::IncrementHelp)); });
    panel->onPointerMove = [this] { incrementHelp_->reset(); };
    return panel;
}

void YieldChartWindow::showEvent(QShowEvent* event)
{
    VelmaroWindow::showEvent(event);
    if (event->spontaneous())
        return;
    // A run that never plots never pays for the picture, and start-up does not wait for it.
    backgroundWanted_ = true;
    rebuild();
}

// The picture behind the curves, stretched over the plot as QCustomPlot itself would
// stretch it, and kept at that size only: it is decoded again when the plot changes size
// (a resized window, a printed page), rather than held at its own size as well.
void YieldChartWindow::fitBackground()
{
    QCPAxisRect* plot = chart_->axisRect();
    const QSize size = plot->rect().size();
    if (!backgroundWanted_ || size.isEmpty() || plot->background().size() == size)
        return;
    const QPixmap picture = QPixmap::fromImage(QImageReader(QStringLiteral(":/pictures/yield_background.jpg")).read());
    plot->setBackground(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), false);
}

void YieldChartWindow::rebuild()
{
    QStringList errors;
    coefficients_ = Curves::capture(slots_, &errors);
    if (!errors.isEmpty())
        errors_.report(this, errors.first());
    table_.build(coefficients_);
    for (int k = 1; k <= Curves::Count; ++k) {
        chart_->setSeriesTitle(k, QStringLiteral("ESCENARIO %1").arg(k));
        chart_->setPoints(k, table_.points(k));
    }
    chart_->replot();
}

QList<QRect> YieldChartWindow::keepClearOnScreen() const
{
    return {QRect(toolbar_->mapToGlobal(QPoint()), toolbar_->size()),
            QRect(readOutPanel_->mapToGlobal(QPoint()), readOutPanel_->size())};
}

void YieldChartWindow::setCurveSelectionCaption(const QString& caption)
{
    selectionButton_->setText(caption);
}

void YieldChartWindow::onActivated()
{
    selectionButton_->setText(CurveSelectionWindow::toggleCaption(true));
}

void YieldChartWindow::readOut(QPoint pixel)
{
    yieldAxisHelp_->reset();
    nitrogenAxisHelp_->reset();

    const QPointF value = chart_->valueAt(pixel);
    const ChartReadOut::Pointer pointer = ChartReadOut::yieldPointer(value.x(), value.y());
    nitrogenEdit_->setText(pointer.nitrogen);
    yieldEdit_->setText(pointer.value);

    const CurveChart::Hit hit = chart_->topShownCurveAt(pixel);
    if (hit.number == 0)
        return;
    skeleton_->showPointedCurve(hit.number, slots_, curveNameEdit_);
    incrementLabel_->setText(ChartReadOut::yieldIncrement(coefficients_[hit.number - 1], hit.point));
}

void YieldChartWindow::copyToClipboard()
{
    skeleton_->copyToClipboard(Qt::NoBrush);
    for (QLabel* notice : clipboardNotice_)
        notice->show();
}

void YieldChartWindow::setDataSourceText(const QString& text)
{
    skeleton_->setDataSourceText(text);
}
