#include "AppliedFunctionsWindow.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "core/ScenarioSlots.h"
#include "ui/common/Look.h"
#include "ui/common/WindowNames.h"
#include "ui/printing/ReportPrinter.h"

namespace {

const QColor Purple(128, 0, 128);
const QString DesignEquation = QStringLiteral("y=a+bx+cx2");

void paint(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// Columns left to right: 80 %, Medio, 20 %.
struct Column {
    Level level;
    const char* captionName;
    const char16_t* caption;
    int left;
};
constexpr int ColumnWidth = 172;
const Column Columns[3] = {
    {Level::P80, "Label4", u"80 %", 101},
    {Level::Medio, "Label6", u"Medio", 273},
    {Level::P20, "Label8", u"20 %", 445},
};

// Rows top to bottom: the three slots, each in its colour, with its equation labels by Level.
struct Row {
    const char* captionName;
    const char16_t* caption;
    QColor colour;
    int top;
    std::array<const char*, 3> equationNames; // 20 %, Medio, 80 %
};
const Row Rows[AppliedFunctions::SlotCount] = {
    {"Label1", u"Escenario 1", QColor(255, 0, 0), 74, {"Label13", "Label10", "Label5"}},
    {"Label2", u"Escenario 2", QColor(0, 128, 128), 106, {"Label14", "Label11", "Label7"}},
    {"Label3", u"Escenario 3", QColor(0, 0, 255), 138, {"Label15", "Label12", "Label9"}},
};

} // namespace

AppliedFunctionsWindow::AppliedFunctionsWindow(const ScenarioSlots& scenarioSlots, ReportPrinter& printer,
                                               QWidget* parent)
    : VelmaroWindow(QString(WindowNames::AppliedFunctions), QStringLiteral("Funciones aplicadas"), parent),
      slots_(scenarioSlots),
      printer_(printer)
{
    centreOnDesktopWhenFirstShown();
    setFixedSize(627, 186);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(4, 4, 619, 178);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);

    auto* title = new QLabel(QStringLiteral("Funciones aplicadas"), panel);
    title->setObjectName(QStringLiteral("Label25"));
    title->setGeometry(110, 8, 399, 22);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(Look::arialPixels(16, true, true));
    paint(title, Purple);

    for (const Column& c : Columns) {
        auto* caption = new QLabel(QString::fromUtf16(c.caption), panel);
        caption->setObjectName(QLatin1String(c.captionName));
        caption->setGeometry(c.left, 46, ColumnWidth, 18);
        caption->setAlignment(Qt::AlignCenter);
        caption->setFont(Look::arialPixels(13, true));
        paint(caption, Purple);
    }

    for (int s = 0; s < AppliedFunctions::SlotCount; ++s) {
        const Row& r = Rows[s];
        auto* caption = new QLabel(QString::fromUtf16(r.caption), panel);
        caption->setObjectName(QLatin1String(r.captionName));
        caption->setGeometry(8, r.top, 92, 18);
        caption->setFont(Look::arialPixels(13, true));
        paint(caption, r.colour);
        for (const Column& c : Columns) {
            const int level = static_cast<int>(c.level);
            auto* label = new QLabel(DesignEquation, panel);
            label->setObjectName(QLatin1String(r.equationNames[level]));
            label->setGeometry(c.left, r.top, ColumnWidth, 18);
            label->setAlignment(Qt::AlignCenter);
            label->setFont(Look::arialPixels(11, true));
            paint(label, r.colour);
            equationLabels_[s][level] = label;
            equations_[s][level] = DesignEquation;
        }
    }

    print_ = new QPushButton(
        QIcon::fromTheme(QStringLiteral("document-print"), Look::standardIcon(QStyle::SP_DialogSaveButton)),
        QStringLiteral("Imprimir"), this);
    print_->setObjectName(QStringLiteral("BitBtn1"));
    print_->setGeometry(10, 10, 89, 25);

    copy_ = new QPushButton(
        QIcon::fromTheme(QStringLiteral("edit-copy"), Look::standardIcon(QStyle::SP_FileDialogContentsView)),
        QStringLiteral("Copiar"), this);
    copy_->setObjectName(QStringLiteral("BitBtn2"));
    copy_->setGeometry(528, 10, 89, 25);

    connect(print_, &QPushButton::clicked, this, &AppliedFunctionsWindow::printReport);
    connect(copy_, &QPushButton::clicked, this, &AppliedFunctionsWindow::copyReport);
    // New coefficients show at once while the window is open, as the charts draw them.
    connect(&slots_, &ScenarioSlots::curvesChanged, this, [this] {
        if (isVisible())
            onActivated();
    });
}

QFont AppliedFunctionsWindow::reportFont()
{
    return QFont(QStringLiteral("MS Sans Serif"), 12);
}

void AppliedFunctionsWindow::onActivated()
{
    for (int s = 0; s < AppliedFunctions::SlotCount; ++s) {
        const SlotRecord& record = slots_.slot(s + 1);
        // Only the Medio a tells: a slot filled once and deactivated since keeps its row.
        const bool received = AppliedFunctions::hasReceivedCoefficients(record);
        equations_[s] = AppliedFunctions::equations(record);
        for (int level = 0; level < 3; ++level) {
            equationLabels_[s][level]->setVisible(received);
            equationLabels_[s][level]->setText(equations_[s][level]);
        }
    }
}

QStringList AppliedFunctionsWindow::reportLines() const
{
    std::array<bool, AppliedFunctions::SlotCount> active{};
    for (int s = 0; s < AppliedFunctions::SlotCount; ++s)
        active[s] = slots_.slot(s + 1).active;
    return AppliedFunctions::reportLines(equations_, active);
}

bool AppliedFunctionsWindow::printReport()
{
    return printer_.print(this, reportLines(), reportFont());
}

void AppliedFunctionsWindow::copyReport()
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(AppliedFunctions::reportText(reportLines()));
}
