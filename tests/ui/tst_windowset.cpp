#include <QApplication>
#include <QCloseEvent>
#include <QSignalSpy>
#include <QTest>

#include "ui/app/MainWindow.h"
#include "ui/app/WindowSet.h"
#include "ui/charting/CurveChart.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

class TestWindowSet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void createsEveryWindowOnceInOrder();
    void captions_data();
    void captions();
    void onlyTheMainWindowIsShownAtStart();
    void closedWindowsShowTheirOwnFonts();
    void closingAWindowOnlyHidesIt();
    void closingTheMainWindowEndsTheRun();
};

void TestWindowSet::createsEveryWindowOnceInOrder()
{
    WindowSet set;
    QStringList names;
    for (QWidget* w : set.windows()) {
        names << w->objectName();
        QVERIFY(w->isWindow());
        QVERIFY(!w->parent());
    }
    const QStringList expected{"TForm1",  "TForm2",  "TForm4",  "TForm7",  "TForm8",  "TForm11", "TForm12", "TForm13",
                               "TForm14", "TForm15", "TForm16", "TForm17", "TForm18", "TForm19", "TForm21", "TForm22",
                               "TForm23", "TForm24", "TForm25", "TForm26", "TForm27", "TForm28", "TForm29", "TForm30",
                               "TForm31", "TForm32", "TForm33", "TForm34", "TForm20", "TForm3",  "TForm36", "TForm6",
                               "TForm10", "TForm35", "TForm9",  "TForm5",  "TForm37"};
    QCOMPARE(names, expected);
    QCOMPARE(set.window(QStringLiteral("TForm1")), &set.mainWindow());
    QVERIFY(!set.window(QStringLiteral("TForm38")));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("velmaro"));
}

void TestWindowSet::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const std::pair<const char*, const char*> table[] = {
        {"TForm1", "Velmaro zona NEA"},
        {"TForm2", "Elección de escenario"},
        {"TForm4", "Seleccione las curvas que desea ver"},
        {"TForm7", "Mapa Paraná"},
        {"TForm8", "Mapa de Reconquista"},
        {"TForm11", "Ajuste de ejes"},
        {"TForm12", "Imprimir"},
        {"TForm13", "Cambio de títulos de ejes y gráfico"},
        {"TForm14", "Funciones aplicadas"},
        {"TForm15", "Uso del gráfico"},
        {"TForm16", "Ayuda eje de rendimiento"},
        {"TForm17", "Ayuda eje de nitrógeno"},
        {"TForm18", "Ayuda incremento de rendimiento por kg N"},
        {"TForm19", "Ayuda para elegir curvas"},
        {"TForm21", "Costo del Nitrógeno"},
        {"TForm22", "ATENCION"},
        {"TForm23", "Imprimir gráfico económico"},
        {"TForm24", "Cambio de títulos de gráfico económico"},
        {"TForm25", "Ajuste de ejes de gráfico económico"},
        {"TForm26", "Ayuda eje Y de gráfico económico"},
        {"TForm27", "Ayuda eje x gráfico económico"},
        {"TForm28", "Ayuda margen en $/ha"},
        {"TForm29", "Ayuda parte económica"},
        {"TForm30", "ayuda parte económica"},
        {"TForm31", "Ayuda pte económica"},
        {"TForm32", "Calculo de N disponible en suelo"},
        {"TForm33", "Nitrógeno disponible de referencia"},
        {"TForm34", "Faltan datos"},
        {"TForm20", "N disp. de referencia"},
        {"TForm3", "Gráfico de rendimiento en función de N disponible"},
        {"TForm6", "Mapas"},
        {"TForm10", "Mapa Rafaela"},
        {"TForm35", "Créditos"},
        {"TForm9", "Mapa de Gualeguaychú"},
        {"TForm5", "Mapa de Gualeguay"},
        {"TForm37", "Imprimir"},
    };
    for (const auto& [name, caption] : table)
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(caption);
}

void TestWindowSet::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    WindowSet set;
    QWidget* w = set.window(name);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), caption);
}

void TestWindowSet::onlyTheMainWindowIsShownAtStart()
{
    WindowSet set;
    for (QWidget* w : set.windows())
        QVERIFY(!w->isVisible());
    set.start();
    QVERIFY(QTest::qWaitForWindowExposed(&set.mainWindow()));
    QVERIFY(set.mainWindow().windowState() & Qt::WindowMaximized);
    for (QWidget* w : set.windows())
        QCOMPARE(w->isVisible(), w == &set.mainWindow());
    // A closed window is prepared for the screen (styled, its pictures decoded, its text
    // measured) only as it first shows: the start pays for the main window alone.
    QCoreApplication::processEvents();
    QWidget* closed[] = {set.window(QStringLiteral("TForm2")), set.window(QStringLiteral("TForm35")),
                         set.window(QStringLiteral("TForm3")), set.window(QStringLiteral("RateAdviceWindow"))};
    for (QWidget* w : closed) {
        QVERIFY(w);
        QVERIFY2(!w->testAttribute(Qt::WA_WState_Polished), qPrintable(w->objectName()));
    }
    QVERIFY(set.mainWindow().testAttribute(Qt::WA_WState_Polished));
    // Nor are the two closed charts drawn: QCustomPlot's first redraw waits for their showing.
    for (const CurveChart* chart : {&set.yieldChart().chart(), &set.economicChart().chart()})
        QCOMPARE(chart->replotTime(), 0.0);
    // The map of the sixth area is never offered.
    QVERIFY(!set.window(QStringLiteral("TForm36"))->windowTitle().isEmpty());
}

// Closed windows take their fonts and style sheets as they first show (control "": the window).
void TestWindowSet::closedWindowsShowTheirOwnFonts()
{
    const std::tuple<const char*, const char*, const char*, int, bool> rows[] = {
        {"TForm2", "", "MS Sans Serif", 8, false},       {"TForm2", "RadioGroup1", "Arial", 8, false},
        {"TForm13", "", "MS Sans Serif", 8, false},      {"TForm21", "Edit3", "Arial", 9, true},
        {"TForm32", "Edit1", "Arial", 8, false},         {"TForm32", "Edit14", "Arial", 10, true},
        {"TForm20", "Edit4", "Arial", 8, true},          {"TForm3", "Edit3", "Arial", 8, true},
        {"CaseWindow", "ClientEdit", "Arial", 9, false}, {"TForm15", "Memo1", "Arial", 8, true}};
    WindowSet set;
    set.start();
    for (const auto& [window, control, family, points, bold] : rows) {
        QWidget* w = set.window(QLatin1String(window));
        w->show();
        QWidget* shown = *control ? w->findChild<QWidget*>(QLatin1String(control)) : w;
        QVERIFY2(shown, control);
        QCOMPARE(std::tuple(shown->font().family(), shown->font().pointSize(), shown->font().bold()),
                 std::tuple(QLatin1String(family), points, bold));
    }
}

void TestWindowSet::closingAWindowOnlyHidesIt()
{
    WindowSet set;
    QSignalSpy quit(&set, &WindowSet::quitRequested);
    set.start();
    QWidget* dialog = set.window(QStringLiteral("TForm2"));
    dialog->show();
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->close());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(set.window(QStringLiteral("TForm2")), dialog); // the same window, not a new one
    QCOMPARE(quit.count(), 0);
    dialog->show();
    QVERIFY(dialog->isVisible());
}

void TestWindowSet::closingTheMainWindowEndsTheRun()
{
    WindowSet set;
    QSignalSpy quit(&set, &WindowSet::quitRequested);
    set.start();
    set.window(QStringLiteral("TForm3"))->show(); // the yield chart open too
    set.mainWindow().close();
    QCOMPARE(quit.count(), 1);
}

QTEST_MAIN(TestWindowSet)
#include "tst_windowset.moc"
