#include "CurveSelectionWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QScreen>

#include "core/CurveSelection.h"
#include "core/Curves.h"
#include "core/ScenarioSlots.h"
#include "core/WindowPlacement.h"
#include "ui/common/HelpMark.h"
#include "ui/common/Look.h"
#include "ui/common/TrackingFrame.h"
#include "ui/common/WindowNames.h"

namespace {

// Box n (1 to 9) governs curve k: per slot the 80 %, Medio and 20 % curves.
constexpr int CurveOfBox[9] = {4, 1, 7, 5, 2, 8, 6, 3, 9};

} // namespace

CurveSelectionWindow::CurveSelectionWindow(CurveSelection& selection, const ScenarioSlots& scenarioSlots,
                                           QWidget* parent)
    : VelmaroWindow(QString(WindowNames::CurveSelection), QStringLiteral("Seleccione las curvas que desea ver"),
                    parent),
      selection_(selection),
      slots_(scenarioSlots)
{
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(477, 78);
    move(99, 421);
    placedAt_ = frameOnScreen().topLeft();
    setMouseTracking(true);

    auto* panel = new TrackingFrame(this);
    panel->setObjectName(QStringLiteral("Panel4"));
    panel->setGeometry(0, 0, 477, 78);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 0));
    panel->setPalette(palette);

    const char* captions[3] = {"Escenario 1", "Escenario 2", "Escenario 3"};
    const QColor colours[3] = {QColor(255, 0, 0), QColor(0, 128, 128), QColor(0, 0, 255)};
    const char* levels[3] = {"80 %", "Medio", "20 %"};
    for (int slot = 0; slot < 3; ++slot) {
        auto* caption = new QLabel(QLatin1String(captions[slot]), panel);
        caption->setObjectName(QStringLiteral("Label%1").arg(22 + slot));
        caption->setGeometry(10 + slot * 152, 4, 140, 16);
        caption->setFont(Look::arial(8, true));
        caption->setStyleSheet(QStringLiteral("color: %1;").arg(colours[slot].name()));
        for (int level = 0; level < 3; ++level) {
            const int n = slot * 3 + level;
            auto* box = new QCheckBox(QLatin1String(levels[level]), panel);
            box->setObjectName(QStringLiteral("CheckBox%1").arg(n + 1));
            box->setGeometry(6 + slot * 152 + level * 49, 26, 48, 40);
            box->setFont(Look::arial(7));
            box->setAutoFillBackground(true);
            // A box of an inactive slot is greyed, so the adviser sees it cannot be ticked.
            box->setStyleSheet(QStringLiteral("QCheckBox { background: %1; color: white; }"
                                              " QCheckBox:disabled { background: #a0a0a0; color: #e8e8e8; }")
                                   .arg(colours[slot].name()));
            const int k = CurveOfBox[n];
            box->setChecked(selection_.isShown(k));
            connect(box, &QCheckBox::toggled, this, [this, k](bool on) { selection_.setShown(k, on); });
            boxes_[n] = box;
        }
    }

    help_ = new HelpMark(QStringLiteral("Label1"), QStringLiteral("?"), 14, 18, panel);
    help_->move(462, 24);
    connect(help_, &HelpMark::clicked, this, &CurveSelectionWindow::helpRequested);
    panel->onPointerMove = [this] { help_->reset(); };

    // The boxes follow the selection, whoever changed it.
    connect(&selection_, &CurveSelection::shownChanged, this, [this](int k, bool shown) {
        if (QCheckBox* box = boxFor(k))
            box->setChecked(shown);
    });
    connect(&selection_, &CurveSelection::offeredChanged, this, [this](int slot, bool offered) {
        for (Level level : {Level::P80, Level::Medio, Level::P20})
            boxFor(Curves::number(slot, level))->setEnabled(offered);
    });
}

QCheckBox* CurveSelectionWindow::boxFor(int k) const
{
    for (int n = 0; n < 9; ++n)
        if (CurveOfBox[n] == k)
            return boxes_[n];
    return nullptr;
}

QString CurveSelectionWindow::toggleCaption(bool selectionVisible)
{
    return selectionVisible ? QStringLiteral("Ocultar elegir cvas.") : QStringLiteral("Elegir curvas");
}

void CurveSelectionWindow::onActivated()
{
    selection_.applySlotRules(slots_);
}

void CurveSelectionWindow::closeEvent(QCloseEvent* event)
{
    // Only the charts, the main window and the soil calculator hide it.
    event->ignore();
}

void CurveSelectionWindow::mouseMoveEvent(QMouseEvent* event)
{
    help_->reset();
    VelmaroWindow::mouseMoveEvent(event);
}

void CurveSelectionWindow::placeClearOf(const QList<QRect>& keepClear)
{
    const QScreen* screen = this->screen();
    if (movedByAdviser_ || !screen)
        return;
    const QRect frame = frameOnScreen();
    placedAt_ = WindowPlacement::clearOf(frame.size(), screen->availableGeometry(), keepClear, frame.topLeft());
    moveFrameTo(placedAt_);
}

void CurveSelectionWindow::showEvent(QShowEvent* event)
{
    VelmaroWindow::showEvent(event); // kept on the screen
    if (!event->spontaneous())
        placedAt_ = frameOnScreen().topLeft();
}

void CurveSelectionWindow::moveEvent(QMoveEvent* event)
{
    // The window manager reports the adviser's moves; the program's own arrive first-hand.
    if (event->spontaneous() && isVisible() && frameOnScreen().topLeft() != placedAt_)
        movedByAdviser_ = true;
    VelmaroWindow::moveEvent(event);
}
