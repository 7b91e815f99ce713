#include "SiteMapWindow.h"

#include <algorithm>

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>

#include "ui/info/MapLegends.h"

namespace {

using NoteChange = SiteMapWindow::NoteChange;
using Setup = SiteMapWindow::Setup;

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

const QString Instruction =
    QStringLiteral("Coloque el mouse sobre el color de la izquierda para obtener información");

QStringList labelNames(std::initializer_list<int> numbers)
{
    QStringList names;
    for (int n : numbers)
        names << QStringLiteral("Label%1").arg(n);
    return names;
}

// A zone's note: `texts` written on the lines from `firstLine` down and shown, every
// other line of the panel hidden.
NoteChange zoneNote(int lineCount, const QStringList& texts, int firstLine = 1)
{
    NoteChange change;
    for (int i = 0; i < texts.size(); ++i)
        change.written.push_back({firstLine + i, texts.at(i)});
    for (int line = 1; line <= lineCount; ++line)
        if (line < firstLine || line >= firstLine + texts.size())
            change.hidden.push_back(line);
    return change;
}

std::vector<NoteChange> zoneNotes(int lineCount, std::initializer_list<QStringList> notes)
{
    std::vector<NoteChange> changes;
    for (const QStringList& texts : notes)
        changes.push_back(zoneNote(lineCount, texts));
    return changes;
}

NoteChange hideAll(int lineCount)
{
    NoteChange change;
    for (int line = 1; line <= lineCount; ++line)
        change.hidden.push_back(line);
    return change;
}

// The three top lines cleared, whatever stands below them kept.
NoteChange emptyTopThree(std::vector<int> hidden = {})
{
    return NoteChange{{}, {1, 2, 3}, std::move(hidden)};
}

Setup gualeguay()
{
    Setup s;
    s.site = SiteMapWindow::Gualeguay;
    s.objectName = QStringLiteral("TForm5");
    s.caption = QStringLiteral("Mapa de Gualeguay");
    s.instruction = Instruction;
    s.zoneNames = labelNames({1, 2, 3, 4, 5, 6});
    s.lineNames = labelNames({7, 8, 9, 10, 11});
    s.zoneNotes = zoneNotes(5, {
        {QStringLiteral("Peniplanicie ondulada integrada por peludertes argico cromicos y argiudoles"),
         QStringLiteral("verticos. Suelos de la unidad: Series La Concordia y San Julian (Peludertes"),
         QStringLiteral("árgicos y árgico crómicos respectivamente) en lomas y partes altas de las"),
         QStringLiteral("pendientes, y Series La Blanqueada y San Roque (ambas Argiudoles verticos)"),
         QStringLiteral("en sectores bajos de las pendientes y lomas planas altas")},
        {QStringLiteral("Llanuras y terrazas aluviales con Hapludoles fluventicos y fluvacuenticos."),
         QStringLiteral("Suelos de la unidad: Serie Aldea Asuncion (Hapludol fluventico) en"),
         QStringLiteral("pendientes o sectores altos")},
        {QStringLiteral("Peniplanicie ondulada dominada por argiudoles acuicos"),
         QStringLiteral("Suelos de la unidad: Serie La Emiliana (Argiudol acuico)"),
         QStringLiteral("y Serie Gualeguay (Argiudol acuico paquico) en pendientes"),
         QStringLiteral("muy suaves o lomas altas y Series La Blanqueada y San Roque"),
         QStringLiteral("(ambas argiudoles verticos) en lomas bajas y partes bajas de las pendientes.")},
        {QStringLiteral("Unidades cartograficas menores")},
        {QStringLiteral("Rio")},
        {QStringLiteral("Unidades cartograficas no agricolas")},
    });
    s.onMapPicture = hideAll(5);
    s.referenceHint = QStringLiteral("34º00'Lat,-61º20'Long.");
    return s;
}

Setup gualeguaychu()
{
    Setup s;
    s.site = SiteMapWindow::Gualeguaychu;
    s.objectName = QStringLiteral("TForm9");
    s.caption = QStringLiteral("Mapa de Gualeguaychú");
    s.instruction = QStringLiteral("Coloque el mouse sobre el color de la izquierda para información");
    s.zoneNames = labelNames({1, 2, 3, 4, 9});
    s.lineNames = labelNames({5, 6, 7, 8, 10, 11});
    s.zoneNotes = zoneNotes(6, {
        {QStringLiteral("Peniplanicie ondulada integrada por Peludertes argico cromicos y "),
         QStringLiteral("argiudoles verticos. Suelos de la unidad: Series La Concordia,"),
         QStringLiteral("La Paulina y San Julian (Peludertes argico, argico cromico) y "),
         QStringLiteral("argiudolico respectivamente en lomas y sectores altos de las"),
         QStringLiteral("pendientes, y Serie La Blanqueada (Argiudol vertico) en sectores"),
         QStringLiteral("bajos de las pendientes")},
        {QStringLiteral("Llanuras y terrazas aluviales con hapludoles"),
         QStringLiteral("fluventicos y fluvacuenticos. Suelos de la"),
         QStringLiteral("unidad: Serie Aldea Asuncion (Hapludol fluventico)"),
         QStringLiteral("en sectores altos y pendientes")},
        {QStringLiteral("Peniplanicie ondulada dominada por argiudoles acuicos"),
         QStringLiteral("Suelos de la unidad: Serie Arroyo Animal (Argiudol acuico)"),
         QStringLiteral("en lomas altas y pies de lomas de pendientes "),
         QStringLiteral("suavemente onduladas.")},
        {QStringLiteral("Unidades cartograficas no agricolas")},
        {QStringLiteral("Rio")},
    });
    s.onMapPicture = hideAll(6);
    return s;
}

Setup reconquista()
{
    Setup s;
    s.site = SiteMapWindow::Reconquista;
    s.objectName = QStringLiteral("TForm8");
    s.caption = QStringLiteral("Mapa de Reconquista");
    s.instruction = Instruction;
    s.zoneNames = labelNames({8, 9, 10, 11});
    s.lineNames = labelNames({13, 14, 15, 3, 1});
    s.zoneNotes = zoneNotes(5, {
        {QStringLiteral("Lagunas, Rios y terrenos insulares")},
        {QStringLiteral("Lomadas vecinas a Cañadas"),
         QStringLiteral("Suelos de la Unidad: Perfil  típico Nº33 (Udipsament"),
         QStringLiteral("tapto árgico) y Perfil típico Nº 22 (Udipsament típico) en lomas.")},
        {QStringLiteral("Crestas planas, lomadas planas y planicies extendidas. Suelos de la "),
         QStringLiteral("Unidad: Perfil tipico Nº25 y Perfil tipico Nº11 (Argiudoles acuicos)"),
         QStringLiteral("en lomas, Perfil tipico Nº29 (Argiudol tipico) en pendientes suaves, "),
         QStringLiteral("perfil tipico Nº35 (Argiudol vertico) en planos concavos y Perfil"),
         QStringLiteral("tipico Nº48 (Argiudol argiacuico) en sectores planos.")},
        {QStringLiteral("Unidades cartográficas no agrícolas")},
    });
    s.onMapPicture = emptyTopThree({4, 5});
    s.onActivation = emptyTopThree();
    return s;
}

Setup parana()
{
    Setup s;
    s.site = SiteMapWindow::Parana;
    s.objectName = QStringLiteral("TForm7");
    s.caption = QStringLiteral("Mapa Paraná");
    s.instruction = Instruction;
    s.zoneNames = labelNames({10, 11, 12, 13, 14, 1});
    s.lineNames = labelNames({15, 16, 17, 2, 3, 4, 5});
    // The first zone's single line stands on the second row, the rows around it emptied.
    NoteChange waterAndIslands = zoneNote(7, {QStringLiteral("Lagunas, Rios y Terrenos miscelaneos")}, 2);
    waterAndIslands.emptied = {1, 3};
    s.zoneNotes = zoneNotes(7, {
        {}, // the first zone: waterAndIslands, set below
        {QStringLiteral("Peniplanicie ondulada integrada por peludertes argico cromicos y argiudoles"),
         QStringLiteral("verticos Suelos de la unidad: Series Damasio y La Luisa (Argiudoles verticos)"),
         QStringLiteral("en pendientes suaves y Serie El Triangulo (Peludert argilico cromico)"),
         QStringLiteral(" en sectores bajos de las pendientes partes bajas de pendientes.")},
        {QStringLiteral("Relieve ondulado dominado por argiudoles tipicos. Suelos de la unidad:"),
         QStringLiteral("Argiudoles tipicos en sectores altos y lomas planas y Argiudoles acuicos"),
         QStringLiteral("en medias lomas y sectores mas bajos. Nota: Cuesta mucho diferenciar"),
         QStringLiteral("caracteristicas edaficas entre los argiudoles tipicos y los argiudoles"),
         QStringLiteral("acuicos de estas unidades cartograficas. Al mismo tiempo presentan caracteristicas"),
         QStringLiteral("muy similares a los suelos de las series Tezanos Pinto y Tacuara (ambos argiudoles"),
         QStringLiteral("acuicos) por lo que se asigno tambien a esta unidad de paisaje a estos suelos.")},
        {QStringLiteral("Peniplanicie ondulada dominada por argiudoles acuicos"),
         QStringLiteral("Suelos de la unidad: Series Tezanos Pinto y Tacuara "),
         QStringLiteral("(Argiudoles acuicos) en lomas altas, pies de lomas y"),
         QStringLiteral("sectores planos, y lomas altas y partes superiores de "),
         QStringLiteral("las pendientes. Series Damasio y La Luisa (Argiudoles "),
         QStringLiteral("verticos) en lomas bajas y partes bajas de las pendientes")},
        {QStringLiteral("Unidades cartograficas menores")},
        {QStringLiteral("Lagunas, Rios y Terrenos miscelaneos")},
    });
    s.zoneNotes.front() = waterAndIslands;
    // Line 2 keeps its visibility on the map picture, empty.
    s.onMapPicture = emptyTopThree({1, 3, 4, 5, 6, 7});
    s.onLegendOutsideZones = emptyTopThree();
    s.onActivation = emptyTopThree();
    return s;
}

Setup rafaela()
{
    Setup s;
    s.site = SiteMapWindow::Rafaela;
    s.objectName = QStringLiteral("TForm10");
    s.caption = QStringLiteral("Mapa Rafaela");
    s.instruction = Instruction;
    s.zoneNames = labelNames({1, 2, 3, 4, 9});
    s.lineNames = labelNames({5, 6, 7, 8, 10});
    s.zoneNotes = zoneNotes(5, {
        {QStringLiteral("Planicies muy extendidas"),
         QStringLiteral("Suelos de la unidad: Perfil tipico C184 (Argiudol acuico) en"),
         QStringLiteral("las posiciones intermedias del paisaje, Perfil tipico B124"),
         QStringLiteral("(Argiudol tipico) en pequeñas lomadas y Perfil tipico  B122"),
         QStringLiteral("(Argialbol tipico) en bajos y pendientes.")},
        {QStringLiteral("Paisaje ligeramente ondulado a plano. Suelos de la unidad: Perfil"),
         QStringLiteral("tipico Nº3095 (Argiudol tipico) en pequeñas lomas o zonas mejor drenadas "),
         QStringLiteral("y Perfiles tipicos Nº1 y Nº6 (ambos Argiudoles acuicos) en sectores"),
         QStringLiteral("deprimidos del microrrelieve. Nota: El patron de asociacion"),
         QStringLiteral("de los dos tipos de suelos es muy dificil de determinar en cartograficamente.")},
        {QStringLiteral("Planicies altas muy extendidas dominadas por argiudoles tipicos"),
         QStringLiteral("Suelos de la unidad: Perfil tipico Nº3095 (Argiudol tipico) en"),
         QStringLiteral(" lomas planas extendidas bien drenadas y Perfiles tipicos Nº1"),
         QStringLiteral("y Nº6 (ambos Argiudoles acuicos) en sectores deprimidos del "),
         QStringLiteral("paisaje.")},
        {QStringLiteral("Otras unidades cartograficas")},
        {QStringLiteral("Unidades no agricolas")},
    });
    s.onMapPicture = hideAll(5);
    return s;
}

} // namespace

std::unique_ptr<SiteMapWindow> SiteMapWindow::create(int site, QWidget* parent)
{
    switch (site) {
    case Gualeguay: return std::make_unique<SiteMapWindow>(gualeguay(), parent);
    case Gualeguaychu: return std::make_unique<SiteMapWindow>(gualeguaychu(), parent);
    case Reconquista: return std::make_unique<SiteMapWindow>(reconquista(), parent);
    case Parana: return std::make_unique<SiteMapWindow>(parana(), parent);
    case Rafaela: return std::make_unique<SiteMapWindow>(rafaela(), parent);
    default: return nullptr;
    }
}

SiteMapWindow::SiteMapWindow(const Setup& setup, QWidget* parent)
    : VelmaroWindow(setup.objectName, setup.caption, parent),
      setup_(setup)
{
    const maplegends::SiteLayout& layout = maplegends::Sites[setup.site];
    const QString stem = QLatin1String(layout.pictureStem);

    // Look: the instruction across the top, the legend strip at the left with the map
    // beside it, the note panel below both.
    const QRect legendRect(layout.legendInWindow.x, layout.legendInWindow.y, layout.stripWidth, layout.stripHeight);
    const QRect mapRect(legendRect.right() + 1 + LegendToMap, MapTop, maplegends::MapWidth, maplegends::MapHeight);
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
        const maplegends::Rect& square = layout.squares[i].rect;
        auto* zone = new QWidget(this);
        zone->setObjectName(setup.zoneNames.at(static_cast<qsizetype>(i)));
        zone->setGeometry(legendRect.x() + square.x, legendRect.y() + square.y, square.width, square.height);
        zones_.push_back(zone);
    }

    // Town names beside their dots on the map, the site's own in bold.
    bool siteTown = true;
    int townNumber = 1;
    for (const maplegends::Town& town : layout.towns) {
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
        name->adjustSize();
        const maplegends::Point dot = maplegends::onMap(layout.frame, town);
        const QPoint at = mapRect.topLeft() + QPoint(dot.x, dot.y);
        const QSize size = name->size();
        switch (town.labelSide) {
        case maplegends::LabelSide::Right: name->move(at.x() + TownGap, at.y() - size.height() / 2); break;
        case maplegends::LabelSide::Left: name->move(at.x() - TownGap - size.width(), at.y() - size.height() / 2); break;
        case maplegends::LabelSide::Above: name->move(at.x() - size.width() / 2, at.y() - TownGap - size.height()); break;
        case maplegends::LabelSide::Below: name->move(at.x() - size.width() / 2, at.y() + TownGap); break;
        }
        siteTown = false;
    }

    if (!setup.referenceHint.isEmpty()) {
        auto* reference = new QWidget(this);
        reference->setObjectName(QStringLiteral("ReferenceArea"));
        const int size = maplegends::ReferenceAreaSize;
        reference->setGeometry(mapRect.x() + maplegends::GualeguayReferenceMark.x - size / 2,
                               mapRect.y() + maplegends::GualeguayReferenceMark.y - size / 2, size, size);
        reference->setToolTip(setup.referenceHint);
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
        mapPicture_->setPixmap(QPixmap(QStringLiteral(":/pictures/map_%1.jpg").arg(pictureStem_)));
        legendPicture_->setPixmap(QPixmap(QStringLiteral(":/pictures/legend_%1.jpg").arg(pictureStem_)));
    }
    VelmaroWindow::showEvent(event);
}
