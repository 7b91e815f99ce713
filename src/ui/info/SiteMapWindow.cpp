#include "SiteMapWindow.h"

#include <algorithm>

#include <QEvent>
#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include "ui/common/FirstShowing.h"
#include "ui/info/MapLegends.h"
#include "ui/info/SiteMapSetups.h"

namespace {

// A map kept at three bytes a pixel (a photograph has no transparency), read past the
// pixmap cache: five maps open side by side weigh a quarter less. Drawn unscaled, its
// pixels on screen are the same.
QPixmap compactPicture(const QString& file)
{
    return QPixmap::fromImage(QImageReader(file).read().convertToFormat(QImage::Format_RGB888), Qt::NoFormatConversion);
}

// Look shared by the five map windows.
constexpr int Margin = 8;
constexpr int MapTop = 30;
constexpr int LegendToMap = 10;
constexpr int PanelGap = 8;
constexpr int PanelPadding = 6;
constexpr int LineLeft = 10;
constexpr int LinePitch = 13; // the note lines stand 13 pixels apart
constexpr int TownGap = 6;    // between a town's dot and its name
const QColor Teal(0, 128, 128);
const QColor PaleGreen(222, 242, 214);
const QColor LightBlue(173, 216, 230);

} // namespace

std::unique_ptr<SiteMapWindow> SiteMapWindow::create(int site, QWidget* parent)
{
    const std::optional<Setup> setup = SiteMaps::setupFor(site);
    return setup ? std::make_unique<SiteMapWindow>(*setup, parent) : nullptr;
}

SiteMapWindow::SiteMapWindow(const Setup& setup, QWidget* parent)
    : VelmaroWindow(setup.objectName, setup.caption, parent),
      setup_(setup)
{
    const MapLegends::SiteLayout& layout = MapLegends::Sites[setup.site];
    const QString stem = QLatin1String(layout.pictureStem);

    // Look: the instruction across the top, the legend strip at the left with the map
    // beside it, the note panel below both.
    const QRect legendRect(layout.legendInWindow.x, layout.legendInWindow.y, layout.stripWidth, layout.stripHeight);
    const QRect mapRect(legendRect.right() + 1 + LegendToMap, MapTop, MapLegends::MapWidth, MapLegends::MapHeight);
    const int width = mapRect.right() + 1 + Margin;
    const int lineCount = static_cast<int>(setup.lineNames.size());
    const QRect panelRect(Margin, mapRect.bottom() + 1 + PanelGap, width - 2 * Margin,
                          2 * PanelPadding + lineCount * LinePitch);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(width, panelRect.bottom() + 1 + Margin);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    auto* instruction = new QLabel(setup.instruction, this);
    instruction->setObjectName(QStringLiteral("InstructionLine"));
    QFont bold = font();
    bold.setBold(true);
    instruction->setFont(bold);
    QPalette teal = instruction->palette();
    teal.setColor(QPalette::WindowText, Teal);
    instruction->setPalette(teal);
    instruction->setGeometry(Margin, 8, width - 2 * Margin, 16);

    mapPicture_ = new QLabel(this);
    mapPicture_->setObjectName(QStringLiteral("Image1"));
    mapPicture_->setGeometry(mapRect);

    legendPicture_ = new QLabel(this);
    legendPicture_->setObjectName(QStringLiteral("Image2"));
    pictureStem_ = stem; // the pictures are decoded at the first showing, not at start-up
    legendPicture_->setGeometry(legendRect);

    // Invisible hover zones, exactly over the legend's colour squares.
    for (size_t i = 0; i < layout.squares.size() && i < static_cast<size_t>(setup.zoneNames.size()); ++i) {
        const MapLegends::Rect& square = layout.squares[i].rect;
        auto* zone = new QWidget(this);
        zone->setObjectName(setup.zoneNames.at(static_cast<qsizetype>(i)));
        zone->setGeometry(legendRect.x() + square.x, legendRect.y() + square.y, square.width, square.height);
        zones_.push_back(zone);
    }

    // Town names beside their dots on the map, the site's own in bold.
    bool siteTown = true;
    int townNumber = 1;
    for (const MapLegends::Town& town : layout.towns) {
        auto* name = new QLabel(QString::fromUtf8(town.name), this);
        name->setObjectName(QStringLiteral("Town%1").arg(townNumber++));
        QFont townFont = font();
        townFont.setBold(siteTown);
        name->setFont(townFont);
        name->setContentsMargins(3, 0, 3, 0);
        name->setAutoFillBackground(true);
        QPalette blue = name->palette();
        blue.setColor(QPalette::Window, LightBlue);
        name->setPalette(blue);
        // Placed beside its dot once measured, at the first showing: measuring loads the font.
        const MapLegends::Point dot = MapLegends::onMap(layout.frame, town);
        const QPoint at = mapRect.topLeft() + QPoint(dot.x, dot.y);
        const MapLegends::LabelSide side = town.labelSide;
        FirstShowing::run(name, [name, at, side] {
            name->adjustSize();
            const QSize size = name->size();
            switch (side) {
            case MapLegends::LabelSide::Right:
                name->move(at.x() + TownGap, at.y() - size.height() / 2);
                break;
            case MapLegends::LabelSide::Left:
                name->move(at.x() - TownGap - size.width(), at.y() - size.height() / 2);
                break;
            case MapLegends::LabelSide::Above:
                name->move(at.x() - size.width() / 2, at.y() - TownGap - size.height());
                break;
            case MapLegends::LabelSide::Below:
                name->move(at.x() - size.width() / 2, at.y() + TownGap);
                break;
            }
        });
        siteTown = false;
    }

    if (!setup.referenceHint.isEmpty()) {
        auto* reference = new QWidget(this);
        reference->setObjectName(QStringLiteral("ReferenceArea"));
        const int size = MapLegends::ReferenceAreaSize;
        reference->setGeometry(mapRect.x() + MapLegends::GualeguayReferenceMark.x - size / 2,
                               mapRect.y() + MapLegends::GualeguayReferenceMark.y - size / 2, size, size);
        reference->setToolTip(setup.referenceHint);
        // Like the notes, the hint answers the pointer also while another window (the
        // map chooser, the main window) is the active one.
        setAttribute(Qt::WA_AlwaysShowToolTips);
    }

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette green = panel->palette();
    green.setColor(QPalette::Window, PaleGreen);
    panel->setPalette(green);
    panel->setGeometry(panelRect);
    for (int i = 0; i < lineCount; ++i) {
        auto* line = new QLabel(panel);
        line->setObjectName(setup.lineNames.at(i));
        line->setTextFormat(Qt::PlainText);
        line->setGeometry(LineLeft, PanelPadding + i * LinePitch, panelRect.width() - 2 * LineLeft, LinePitch);
        lines_.push_back(line);
    }

    // Behaviour: the zones, the map picture and (where the site has a rule for it) the
    // legend picture rewrite the note panel on every pointer movement over them.
    for (QWidget* zone : zones_) {
        zone->setMouseTracking(true);
        zone->installEventFilter(this);
    }
    mapPicture_->setMouseTracking(true);
    mapPicture_->installEventFilter(this);
    if (setup_.onLegendOutsideZones) {
        legendPicture_->setMouseTracking(true);
        legendPicture_->installEventFilter(this);
    }
}

void SiteMapWindow::onActivated()
{
    if (setup_.onActivation)
        apply(*setup_.onActivation);
}

bool SiteMapWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == mapPicture_) {
            apply(setup_.onMapPicture);
            return true;
        }
        if (watched == legendPicture_ && setup_.onLegendOutsideZones) {
            apply(*setup_.onLegendOutsideZones);
            return true;
        }
        const auto zone = std::find(zones_.begin(), zones_.end(), watched);
        if (zone != zones_.end()) {
            const auto index = static_cast<size_t>(zone - zones_.begin());
            if (index < setup_.zoneNotes.size())
                apply(setup_.zoneNotes[index]);
            return true;
        }
    }
    return VelmaroWindow::eventFilter(watched, event);
}

void SiteMapWindow::apply(const NoteChange& change)
{
    auto line = [this](int number) -> QLabel* {
        return number >= 1 && number <= static_cast<int>(lines_.size()) ? lines_[static_cast<size_t>(number - 1)]
                                                                        : nullptr;
    };
    for (int number : change.emptied)
        if (QLabel* l = line(number))
            l->clear();
    for (const auto& [number, text] : change.written) {
        if (QLabel* l = line(number)) {
            l->setText(text);
            l->show();
        }
    }
    for (int number : change.hidden)
        if (QLabel* l = line(number))
            l->hide();
}

void SiteMapWindow::showEvent(QShowEvent* event)
{
    if (mapPicture_->pixmap().isNull()) {
        mapPicture_->setPixmap(compactPicture(QStringLiteral(":/pictures/map_%1.jpg").arg(pictureStem_)));
        legendPicture_->setPixmap(compactPicture(QStringLiteral(":/pictures/legend_%1.jpg").arg(pictureStem_)));
    }
    VelmaroWindow::showEvent(event);
}
