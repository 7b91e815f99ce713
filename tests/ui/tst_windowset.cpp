#include <QApplication>
#include <QCloseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

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
    void closedWindowsShowTheirOwnFonts_data();
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

void TestWindowSet::closedWindowsShowTheirOwnFonts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control"); // empty: the window itself
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("scenario dialog") << "TForm2"
                                     << ""
                                     << "MS Sans Serif" << 8 << false;
    QTest::newRow("scenario site group, by its style sheet") << "TForm2"
                                                             << "RadioGroup1"
                                                             << "Arial" << 8 << false;
    QTest::newRow("yield chart titles") << "TForm13"
                                        << ""
                                        << "MS Sans Serif" << 8 << false;
    QTest::newRow("nitrogen cost result") << "TForm21"
                                          << "Edit3"
                                          << "Arial" << 9 << true;
    QTest::newRow("soil entry") << "TForm32"
                                << "Edit1"
                                << "Arial" << 8 << false;
    QTest::newRow("reference N") << "TForm32"
                                 << "Edit14"
                                 << "Arial" << 10 << true;
    QTest::newRow("economic read-out") << "TForm20"
                                       << "Edit4"
                                       << "Arial" << 8 << true;
    QTest::newRow("yield read-out") << "TForm3"
                                    << "Edit3"
                                    << "Arial" << 8 << true;
    QTest::newRow("case entry") << "CaseWindow"
                                << "ClientEdit"
                                << "Arial" << 9 << false;
    QTest::newRow("help text") << "TForm15"
                               << "Memo1"
                               << "Arial" << 8 << true;
}

// Closed windows take their fonts and texts as they first show; what shows is theirs.
void TestWindowSet::closedWindowsShowTheirOwnFonts()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    WindowSet set;
    set.start();
    QWidget* w = set.window(window);
    QVERIFY(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QWidget* shown = control.isEmpty() ? w : w->findChild<QWidget*>(control);
    QVERIFY(shown);
    QTEST(shown->font().family(), "family");
    QTEST(shown->font().pointSize(), "points");
    QTEST(shown->font().bold(), "bold");
    if (auto* box = qobject_cast<QTextEdit*>(shown))
        QVERIFY(box->toPlainText().size() > 100);
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
