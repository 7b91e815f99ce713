// Pointer moves go through the window, as the windowing system delivers them.
#define QTEST_QPA_MOUSE_HANDLING

#include <cmath>
#include <memory>
#include <optional>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "ui/info/MapChooserWindow.h"
#include "ui/info/MapLegends.h"
#include "ui/info/SiteMapWindow.h"

namespace {

// What one note line should show: shown with a text, or hidden, and then either with
// whatever it held before (no text to check) or emptied.
struct Line {
    bool visible;
    std::optional<QString> text;
};

Line shown(const QString& text)
{
    return {true, text};
}

const Line Hidden{false, std::nullopt};
const Line HiddenEmpty{false, QString()};
const Line ShownEmpty{true, QString()};

using Panel = QList<Line>;

struct SiteNames {
    const char* objectName;
    const char16_t* caption;
    QStringList zones;
    QStringList lines;
    QStringList towns; // the site itself first
};

QStringList labels(std::initializer_list<int> numbers)
{
    QStringList names;
    for (int n : numbers)
        names << QStringLiteral("Label%1").arg(n);
    return names;
}

const SiteNames& names(int site)
{
    static const SiteNames all[] = {
        {"TForm5",
         u"Mapa de Gualeguay",
         labels({1, 2, 3, 4, 5, 6}),
         labels({7, 8, 9, 10, 11}),
         {QStringLiteral("Gualeguay"), QStringLiteral("Urdinarrain"), QStringLiteral("Larroque"),
          QStringLiteral("Gobernador Mansilla"), QStringLiteral("San Pedro")}},
        {"TForm9",
         u"Mapa de Gualeguaychú",
         labels({1, 2, 3, 4, 9}),
         labels({5, 6, 7, 8, 10, 11}),
         {QStringLiteral("Gualeguaychú"), QStringLiteral("Concepción del Uruguay"), QStringLiteral("Enrique Carbo"),
          QStringLiteral("Larroque"), QStringLiteral("Urdinarrain"), QStringLiteral("Gilbert")}},
        {"TForm8",
         u"Mapa de Reconquista",
         labels({8, 9, 10, 11}),
         labels({13, 14, 15, 3, 1}),
         {QStringLiteral("Reconquista"), QStringLiteral("Romang"), QStringLiteral("Vera")}},
        {"TForm7",
         u"Mapa Paraná",
         labels({10, 11, 12, 13, 14, 1}),
         labels({15, 16, 17, 2, 3, 4, 5}),
         {QStringLiteral("Paraná"), QStringLiteral("Cayasta"), QStringLiteral("Esperanza"), QStringLiteral("Crespo"),
          QStringLiteral("Coronda")}},
        {"TForm10",
         u"Mapa Rafaela",
         labels({1, 2, 3, 4, 9}),
         labels({5, 6, 7, 8, 10}),
         {QStringLiteral("Rafaela"), QStringLiteral("La Pelada"), QStringLiteral("Tacural"), QStringLiteral("Freyre"),
          QStringLiteral("Esperanza")}},
    };
    return all[site];
}

// The notes of every zone, lines from the top. (Paraná's first zone writes its one line
// on the second row: see zonePanel.)
const QList<QStringList>& notes(int site)
{
    static const QList<QStringList> all[] = {
        {
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
        },
        {
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
             QStringLiteral("en lomas altas y pies de lomas de pendientes "), QStringLiteral("suavemente onduladas.")},
            {QStringLiteral("Unidades cartograficas no agricolas")},
            {QStringLiteral("Rio")},
        },
        {
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
        },
        {
            {QStringLiteral("Lagunas, Rios y Terrenos miscelaneos")},
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
        },
        {
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
        },
    };
    return all[site];
}

const char* siteName(int site)
{
    return names(site).objectName;
}

// The panel after resting on `zone` (from 0): its lines written and shown, the rest hidden.
Panel zonePanel(int site, int zone)
{
    const int lineCount = static_cast<int>(names(site).lines.size());
    Panel panel(lineCount, Hidden);
    if (site == SiteMapWindow::Parana && zone == 0) {
        panel[0] = HiddenEmpty;
        panel[1] = shown(QStringLiteral("Lagunas, Rios y Terrenos miscelaneos"));
        panel[2] = HiddenEmpty;
        return panel;
    }
    const QStringList& texts = notes(site).at(zone);
    for (int i = 0; i < texts.size(); ++i)
        panel[i] = shown(texts.at(i));
    return panel;
}

Panel allHidden(int site)
{
    return Panel(names(site).lines.size(), Hidden);
}

QColor colourOf(MapLegends::Colour c)
{
    return QColor(c.red, c.green, c.blue);
}

int colourDistance(QColor a, QColor b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

} // namespace

Q_DECLARE_METATYPE(Panel)

class TestSiteMaps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { window_.reset(); }
    void windowLook_data();
    void windowLook();
    void notePanelStartsEmpty_data();
    void notePanelStartsEmpty();
    void noteLinesStackedInOrder_data();
    void noteLinesStackedInOrder();
    void zoneNotes_data();
    void zoneNotes();
    void mapPicture_data();
    void mapPicture();
    void legendOutsideZones_data();
    void legendOutsideZones();
    void townNamesAndInstructionIgnoreThePointer_data();
    void townNamesAndInstructionIgnoreThePointer();
    void activation_data();
    void activation();
    void activationByTheWindowSystem();
    void zonesCoverTheirSquares_data();
    void zonesCoverTheirSquares();
    void townsBesideTheirDots_data();
    void townsBesideTheirDots();
    void referenceHint();
    void chooserList();
    void chooserPicks_data();
    void chooserPicks();

private:
    // The map window of `site`, shown and ready for pointer moves.
    void open(int site)
    {
        site_ = site;
        window_ = SiteMapWindow::create(site);
        QVERIFY(window_);
        window_->move(0, 0);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    QWidget* child(const QString& name) const { return window_->findChild<QWidget*>(name); }
    QPoint zoneCentre(int zone) const
    {
        const QWidget* w = child(names(site_).zones.at(zone));
        return w ? w->geometry().center() : QPoint();
    }
    // A spot on the map picture itself, clear of town names and the reference area.
    QPoint onMapPicture() const
    {
        const QWidget* map = child(QStringLiteral("Image1"));
        for (int y = map->height() / 2; y < map->height(); y += 7)
            for (int x = map->width() / 2; x < map->width(); x += 7) {
                const QPoint p = map->geometry().topLeft() + QPoint(x, y);
                if (window_->childAt(p) == map)
                    return p;
            }
        return {};
    }
    // The instruction line reacts to nothing: a resting place between moves, since a
    // move to where the pointer already is sends nothing.
    QPoint restingPlace() const { return child(QStringLiteral("InstructionLine"))->geometry().center(); }
    void hover(QPoint p) const
    {
        QTest::mouseMove(window_.get(), restingPlace());
        QTest::mouseMove(window_.get(), p);
    }
    void moveStraightTo(QPoint p) const { QTest::mouseMove(window_.get(), p); }
    void verifyPanel(const Panel& expected, const QString& after) const
    {
        const QStringList& lines = names(site_).lines;
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i) {
            const auto* line = window_->findChild<QLabel*>(lines.at(i));
            QVERIFY2(line, qPrintable(lines.at(i)));
            const QString where = QStringLiteral("%1 line %2 after %3").arg(lines.at(i)).arg(i + 1).arg(after);
            QVERIFY2(line->isVisible() == expected.at(i).visible, qPrintable(where));
            if (expected.at(i).text)
                QCOMPARE(line->text(), *expected.at(i).text);
        }
    }

    std::unique_ptr<SiteMapWindow> window_;
    int site_ = 0;
};

void TestSiteMaps::windowLook_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<QString>("instruction");
    const QString usual = QStringLiteral("Coloque el mouse sobre el color de la izquierda para obtener información");
    for (int site = 0; site < SiteMapWindow::SiteCount; ++site)
        QTest::newRow(siteName(site)) << site
                                      << (site == SiteMapWindow::Gualeguaychu
                                              ? QStringLiteral(
                                                    "Coloque el mouse sobre el color de la izquierda para información")
                                              : usual);
}

void TestSiteMaps::windowLook()
{
    QFETCH(int, site);
    QFETCH(QString, instruction);
    open(site);
    QCOMPARE(window_->objectName(), QLatin1String(names(site).objectName));
    QCOMPARE(window_->windowTitle(), QString::fromUtf16(names(site).caption));
    QCOMPARE(window_->findChild<QLabel*>(QStringLiteral("InstructionLine"))->text(), instruction);
    // A close box only.
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // The map fills most of the window, with the legend at its top left.
    const QRect map = child(QStringLiteral("Image1"))->geometry();
    const QRect legend = child(QStringLiteral("Image2"))->geometry();
    QVERIFY(map.width() * map.height() > window_->width() * window_->height() / 2);
    QVERIFY(legend.right() < map.left());
    QCOMPARE(legend.top(), map.top());
    QVERIFY(!static_cast<QLabel*>(child(QStringLiteral("Image1")))->pixmap().isNull());
    QVERIFY(!static_cast<QLabel*>(child(QStringLiteral("Image2")))->pixmap().isNull());
    // Closing hides; the window lives on.
    window_->close();
    QVERIFY(window_->isHidden());
}

void TestSiteMaps::notePanelStartsEmpty_data()
{
    QTest::addColumn<int>("site");
    for (int site = 0; site < SiteMapWindow::SiteCount; ++site)
        QTest::newRow(siteName(site)) << site;
}

void TestSiteMaps::notePanelStartsEmpty()
{
    QFETCH(int, site);
    open(site);
    for (const QString& name : names(site).lines)
        QCOMPARE(window_->findChild<QLabel*>(name)->text(), QString());
}

void TestSiteMaps::noteLinesStackedInOrder_data()
{
    notePanelStartsEmpty_data();
}

void TestSiteMaps::noteLinesStackedInOrder()
{
    QFETCH(int, site);
    open(site);
    const auto* panel = window_->findChild<QFrame*>(QStringLiteral("Panel1"));
    QVERIFY(panel);
    QVERIFY(panel->geometry().top() > child(QStringLiteral("Image1"))->geometry().bottom());
    const QColor ground = panel->palette().color(QPalette::Window);
    QVERIFY(ground.green() > ground.red() && ground.green() > ground.blue() && ground.lightness() > 180);
    const QLabel* previous = nullptr;
    for (const QString& name : names(site).lines) {
        const auto* line = window_->findChild<QLabel*>(name);
        QVERIFY2(line && line->parentWidget() == panel, qPrintable(name));
        QVERIFY(panel->rect().contains(line->geometry()));
        QCOMPARE(line->font().pointSize(), 8);
        if (previous) {
            QCOMPARE(line->x(), previous->x());
            const int step = line->y() - previous->y();
            QVERIFY2(step == 12 || step == 13, qPrintable(name));
        }
        previous = line;
    }
}

void TestSiteMaps::zoneNotes_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<int>("zone");
    for (int site = 0; site < SiteMapWindow::SiteCount; ++site)
        for (int zone = 0; zone < names(site).zones.size(); ++zone)
            QTest::addRow("%s %s", siteName(site), qPrintable(names(site).zones.at(zone))) << site << zone;
}

// Each zone's note, reached straight from every other zone (a longer or shorter note
// before it) and from the map picture.
void TestSiteMaps::zoneNotes()
{
    QFETCH(int, site);
    QFETCH(int, zone);
    open(site);
    hover(zoneCentre(zone));
    verifyPanel(zonePanel(site, zone), QStringLiteral("resting on the zone"));
    for (int from = 0; from < names(site).zones.size(); ++from) {
        if (from == zone)
            continue;
        hover(zoneCentre(from));
        moveStraightTo(zoneCentre(zone));
        verifyPanel(zonePanel(site, zone), names(site).zones.at(from));
    }
    hover(onMapPicture());
    moveStraightTo(zoneCentre(zone));
    verifyPanel(zonePanel(site, zone), QStringLiteral("the map picture"));
}

void TestSiteMaps::mapPicture_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<int>("zoneBefore");
    QTest::addColumn<Panel>("expected");
    QTest::newRow("Gualeguay after five lines") << int(SiteMapWindow::Gualeguay) << 0 << allHidden(0);
    QTest::newRow("Gualeguay after one line") << int(SiteMapWindow::Gualeguay) << 4 << allHidden(0);
    QTest::newRow("Gualeguaychu after six lines") << int(SiteMapWindow::Gualeguaychu) << 0 << allHidden(1);
    QTest::newRow("Rafaela after five lines") << int(SiteMapWindow::Rafaela) << 1 << allHidden(4);
    QTest::newRow("Reconquista after five lines")
        << int(SiteMapWindow::Reconquista) << 2 << Panel{ShownEmpty, ShownEmpty, ShownEmpty, Hidden, Hidden};
    QTest::newRow("Reconquista after one line")
        << int(SiteMapWindow::Reconquista) << 0 << Panel{ShownEmpty, HiddenEmpty, HiddenEmpty, Hidden, Hidden};
    QTest::newRow("Parana after seven lines")
        << int(SiteMapWindow::Parana) << 2
        << Panel{HiddenEmpty, ShownEmpty, HiddenEmpty, Hidden, Hidden, Hidden, Hidden};
    QTest::newRow("Parana after the second row")
        << int(SiteMapWindow::Parana) << 0
        << Panel{HiddenEmpty, ShownEmpty, HiddenEmpty, Hidden, Hidden, Hidden, Hidden};
    QTest::newRow("Parana after one line")
        << int(SiteMapWindow::Parana) << 4
        << Panel{HiddenEmpty, HiddenEmpty, HiddenEmpty, Hidden, Hidden, Hidden, Hidden};
}

void TestSiteMaps::mapPicture()
{
    QFETCH(int, site);
    QFETCH(int, zoneBefore);
    QFETCH(Panel, expected);
    open(site);
    hover(zoneCentre(zoneBefore));
    const QPoint map = onMapPicture();
    QVERIFY(!map.isNull());
    moveStraightTo(map);
    verifyPanel(expected, QStringLiteral("the map picture"));
    // The same on every further movement.
    moveStraightTo(map + QPoint(3, 2));
    verifyPanel(expected, QStringLiteral("moving on over the map picture"));
}

void TestSiteMaps::legendOutsideZones_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<int>("zoneBefore");
    QTest::addColumn<int>("gapBelowSquare"); // -1: the strip's top margin
    QTest::addColumn<Panel>("expected");
    for (int site : {0, 1, 2, 4})
        QTest::addRow("%s keeps its note", siteName(site)) << site << 0 << -1 << zonePanel(site, 0);
    const Panel third = zonePanel(SiteMapWindow::Parana, 2);
    const Panel thirdBelowEmptyLines{ShownEmpty, ShownEmpty, ShownEmpty, third[3], third[4], third[5], third[6]};
    for (int gap = 0; gap < 5; ++gap)
        QTest::addRow("Parana third zone, gap %d", gap + 1)
            << int(SiteMapWindow::Parana) << 2 << gap << thirdBelowEmptyLines;
    QTest::newRow("Parana third zone, top margin") << int(SiteMapWindow::Parana) << 2 << -1 << thirdBelowEmptyLines;
    QTest::newRow("Parana one line, gap 1")
        << int(SiteMapWindow::Parana) << 4 << 0 << Panel{ShownEmpty, Hidden, Hidden, Hidden, Hidden, Hidden, Hidden};
    QTest::newRow("Parana second row, gap 2")
        << int(SiteMapWindow::Parana) << 0 << 1
        << Panel{HiddenEmpty, ShownEmpty, HiddenEmpty, Hidden, Hidden, Hidden, Hidden};
}

void TestSiteMaps::legendOutsideZones()
{
    QFETCH(int, site);
    QFETCH(int, zoneBefore);
    QFETCH(int, gapBelowSquare);
    QFETCH(Panel, expected);
    open(site);
    const MapLegends::SiteLayout& layout = MapLegends::Sites[site];
    const QPoint strip(layout.legendInWindow.x, layout.legendInWindow.y);
    QPoint spot = strip + QPoint(layout.stripWidth / 2, 2);
    if (gapBelowSquare >= 0) {
        const MapLegends::Rect& above = layout.squares[static_cast<size_t>(gapBelowSquare)].rect;
        const MapLegends::Rect& below = layout.squares[static_cast<size_t>(gapBelowSquare) + 1].rect;
        spot = strip + QPoint(above.x + above.width / 2, (above.y + above.height + below.y) / 2);
    }
    QCOMPARE(window_->childAt(spot), child(QStringLiteral("Image2")));
    hover(zoneCentre(zoneBefore));
    moveStraightTo(spot);
    verifyPanel(expected, QStringLiteral("the legend outside the zones"));
}

void TestSiteMaps::townNamesAndInstructionIgnoreThePointer_data()
{
    notePanelStartsEmpty_data();
}

// The town names lie over the map picture, yet resting on one leaves the note standing.
void TestSiteMaps::townNamesAndInstructionIgnoreThePointer()
{
    QFETCH(int, site);
    open(site);
    const int zone = site == SiteMapWindow::Parana ? 2 : 0;
    QList<QPoint> spots{restingPlace()};
    for (const QString& town : names(site).towns)
        for (const QLabel* label : window_->findChildren<QLabel*>())
            if (label->text() == town)
                spots << label->geometry().center();
    QCOMPARE(spots.size(), names(site).towns.size() + 1);
    for (const QPoint& spot : spots) {
        hover(zoneCentre(zone));
        moveStraightTo(spot);
        verifyPanel(zonePanel(site, zone), QStringLiteral("a town name or the instruction"));
    }
}

void TestSiteMaps::activation_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<int>("zoneBefore");
    QTest::addColumn<Panel>("expected");
    const Panel reconquista = zonePanel(SiteMapWindow::Reconquista, 2);
    QTest::newRow("Reconquista after five lines")
        << int(SiteMapWindow::Reconquista) << 2
        << Panel{ShownEmpty, ShownEmpty, ShownEmpty, reconquista[3], reconquista[4]};
    QTest::newRow("Reconquista after one line")
        << int(SiteMapWindow::Reconquista) << 0 << Panel{ShownEmpty, HiddenEmpty, HiddenEmpty, Hidden, Hidden};
    const Panel parana = zonePanel(SiteMapWindow::Parana, 3);
    QTest::newRow("Parana after six lines")
        << int(SiteMapWindow::Parana) << 3
        << Panel{ShownEmpty, ShownEmpty, ShownEmpty, parana[3], parana[4], parana[5], parana[6]};
    QTest::newRow("Parana after the second row")
        << int(SiteMapWindow::Parana) << 0
        << Panel{HiddenEmpty, ShownEmpty, HiddenEmpty, Hidden, Hidden, Hidden, Hidden};
    QTest::newRow("Gualeguay keeps its note")
        << int(SiteMapWindow::Gualeguay) << 0 << zonePanel(SiteMapWindow::Gualeguay, 0);
    QTest::newRow("Gualeguaychu keeps its note")
        << int(SiteMapWindow::Gualeguaychu) << 1 << zonePanel(SiteMapWindow::Gualeguaychu, 1);
    QTest::newRow("Rafaela keeps its note") << int(SiteMapWindow::Rafaela) << 2 << zonePanel(SiteMapWindow::Rafaela, 2);
}

void TestSiteMaps::activation()
{
    QFETCH(int, site);
    QFETCH(int, zoneBefore);
    QFETCH(Panel, expected);
    open(site);
    hover(zoneCentre(zoneBefore));
    window_->onActivated();
    verifyPanel(expected, QStringLiteral("activation"));
}

// Becoming the active window is what empties the Paraná map's top lines.
void TestSiteMaps::activationByTheWindowSystem()
{
    open(SiteMapWindow::Parana);
    hover(zoneCentre(2));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    verifyPanel(zonePanel(SiteMapWindow::Parana, 2), QStringLiteral("another window became active"));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    const Panel third = zonePanel(SiteMapWindow::Parana, 2);
    verifyPanel(Panel{ShownEmpty, ShownEmpty, ShownEmpty, third[3], third[4], third[5], third[6]},
                QStringLiteral("activation"));
}

void TestSiteMaps::zonesCoverTheirSquares_data()
{
    notePanelStartsEmpty_data();
}

void TestSiteMaps::zonesCoverTheirSquares()
{
    QFETCH(int, site);
    open(site);
    const MapLegends::SiteLayout& layout = MapLegends::Sites[site];
    const QPoint strip(layout.legendInWindow.x, layout.legendInWindow.y);
    QCOMPARE(child(QStringLiteral("Image2"))->geometry(), QRect(strip, QSize(layout.stripWidth, layout.stripHeight)));
    const QImage legend(QStringLiteral(":/pictures/legend_%1.jpg").arg(QLatin1String(layout.pictureStem)));
    QCOMPARE(legend.size(), QSize(layout.stripWidth, layout.stripHeight));
    QCOMPARE(static_cast<size_t>(names(site).zones.size()), layout.squares.size());
    for (int zone = 0; zone < names(site).zones.size(); ++zone) {
        const QString& name = names(site).zones.at(zone);
        const QWidget* w = child(name);
        QVERIFY2(w, qPrintable(name));
        const MapLegends::LegendSquare& square = layout.squares[static_cast<size_t>(zone)];
        QCOMPARE(w->geometry(),
                 QRect(square.rect.x, square.rect.y, square.rect.width, square.rect.height).translated(strip));
        QVERIFY(w->hasMouseTracking());
        QVERIFY(!w->autoFillBackground());
        QCOMPARE(window_->childAt(w->geometry().center()), w);
        // The picture under the zone's centre has the square's colour.
        const QColor under = legend.pixelColor(w->geometry().center() - strip);
        QVERIFY2(colourDistance(under, colourOf(square.colour)) <= 10, qPrintable(name));
        if (site == SiteMapWindow::Parana && zone > 0) {
            // Between two squares the paper shows, unlike either square.
            const MapLegends::Rect& above = layout.squares[static_cast<size_t>(zone) - 1].rect;
            const QPoint gap(above.x + above.width / 2, (above.y + above.height + square.rect.y) / 2);
            const QColor paper = legend.pixelColor(gap);
            QVERIFY(colourDistance(paper, colourOf(square.colour)) > 30);
            QVERIFY(colourDistance(paper, colourOf(layout.squares[static_cast<size_t>(zone) - 1].colour)) > 30);
            QCOMPARE(window_->childAt(gap + strip), child(QStringLiteral("Image2")));
        }
    }
}

void TestSiteMaps::townsBesideTheirDots_data()
{
    notePanelStartsEmpty_data();
}

void TestSiteMaps::townsBesideTheirDots()
{
    QFETCH(int, site);
    open(site);
    const MapLegends::SiteLayout& layout = MapLegends::Sites[site];
    const QImage map(QStringLiteral(":/pictures/map_%1.jpg").arg(QLatin1String(layout.pictureStem)));
    QCOMPARE(map.size(), QSize(MapLegends::MapWidth, MapLegends::MapHeight));
    const QPoint mapOrigin = child(QStringLiteral("Image1"))->geometry().topLeft();
    const QStringList& towns = names(site).towns;
    QCOMPARE(static_cast<size_t>(towns.size()), layout.towns.size());
    for (int i = 0; i < towns.size(); ++i) {
        const QLabel* label = nullptr;
        for (const QLabel* candidate : window_->findChildren<QLabel*>())
            if (candidate->text() == towns.at(i))
                label = candidate;
        QVERIFY2(label, qPrintable(towns.at(i)));
        QCOMPARE(label->font().bold(), i == 0);
        QVERIFY(label->autoFillBackground());
        const QColor ground = label->palette().color(QPalette::Window);
        QVERIFY(ground.blue() > ground.red() && ground.lightness() > 170);
        // The town's dot is drawn on the map picture where the name points.
        const MapLegends::Point dot = MapLegends::onMap(layout.frame, layout.towns[static_cast<size_t>(i)]);
        const QColor dotColour = map.pixelColor(dot.x, dot.y);
        QVERIFY2(dotColour.red() > 130 && dotColour.green() < 90 && dotColour.blue() < 90, qPrintable(towns.at(i)));
        const QRect name = label->geometry();
        const QPoint inWindow = mapOrigin + QPoint(dot.x, dot.y);
        QVERIFY(!name.contains(inWindow));
        const int dx = std::max({name.left() - inWindow.x(), inWindow.x() - name.right(), 0});
        const int dy = std::max({name.top() - inWindow.y(), inWindow.y() - name.bottom(), 0});
        QVERIFY2(dx + dy >= 3 && dx + dy <= 10, qPrintable(towns.at(i)));
        QVERIFY(child(QStringLiteral("Image1"))->geometry().contains(name));
    }
}

void TestSiteMaps::referenceHint()
{
    open(SiteMapWindow::Gualeguay);
    const QWidget* area = child(QStringLiteral("ReferenceArea"));
    QVERIFY(area);
    QCOMPARE(area->size(), QSize(26, 26));
    QCOMPARE(area->toolTip(), QStringLiteral("34º00'Lat,-61º20'Long."));
    QVERIFY(child(QStringLiteral("Image1"))->geometry().contains(area->geometry()));
    QVERIFY(!area->autoFillBackground());
    // Resting the pointer on it brings the hint up, also while another window (here the
    // map chooser) is the active one and the map was never clicked.
    MapChooserWindow chooser;
    for (bool mapActive : {true, false}) {
        if (mapActive) {
            window_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        } else {
            chooser.move(900, 0);
            chooser.show();
            chooser.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&chooser));
            QVERIFY(!window_->isActiveWindow());
        }
        hover(area->geometry().center());
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("34º00'Lat,-61º20'Long."));
        QToolTip::hideText();
        QTRY_VERIFY(QToolTip::text().isEmpty());
    }
    // The other maps carry no such area.
    for (int site = 1; site < SiteMapWindow::SiteCount; ++site)
        QVERIFY(!SiteMapWindow::create(site)->findChild<QWidget*>(QStringLiteral("ReferenceArea")));
}

void TestSiteMaps::chooserList()
{
    MapChooserWindow chooser;
    QCOMPARE(chooser.objectName(), QStringLiteral("TForm6"));
    QCOMPARE(chooser.windowTitle(), QStringLiteral("Mapas"));
    QVERIFY(chooser.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(chooser.windowType(), Qt::Tool);
    const auto* list = chooser.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    QVERIFY(list);
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    QCOMPARE(
        items,
        (QStringList{QStringLiteral("A : Gualeguay"), QStringLiteral("B: Gualeguaychú"),
                     QStringLiteral("C: Reconquista"), QStringLiteral("D: Paraná"), QStringLiteral("E: Rafaela")}));
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->placeholderText(), QStringLiteral("Gualeguay"));
}

void TestSiteMaps::chooserPicks_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < SiteMapWindow::SiteCount; ++i)
        QTest::newRow(siteName(i)) << i;
}

// Picking an item from the open list asks for its map, also when it is picked again.
void TestSiteMaps::chooserPicks()
{
    QFETCH(int, index);
    MapChooserWindow chooser;
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    auto* list = chooser.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    QSignalSpy chosen(&chooser, &MapChooserWindow::siteChosen);
    for (int pick = 1; pick <= 2; ++pick) {
        list->showPopup();
        QAbstractItemView* view = list->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        const QPoint item = view->visualRect(view->model()->index(index, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item);
        QTRY_COMPARE(chosen.count(), pick);
        QCOMPARE(chosen.last().at(0).toInt(), index);
        QCOMPARE(list->currentIndex(), index);
    }
}

QTEST_MAIN(TestSiteMaps)
#include "tst_sitemaps.moc"
