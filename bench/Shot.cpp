// velmaro_shot: a session with three scenarios, all nine curves, the economic chart and
// "Dosis recomendada" open, written as pictures for a person to look at: the windows as
// drawn (main.png, yield.png, econ.png, advice.png, the five site maps as TForm5.png ...,
// and some dialogs and help windows by their names) and, under a window system, the whole screen with the window manager's
// frames (screen.png), into the folder named by SHOT_DIR. Run it under Xvfb with a window
// manager to see the program as an adviser would at a given screen size; run it before
// and after a change to compare what the windows draw, pixel for pixel.
#include <QApplication>
#include <QScreen>
#include <QThread>

#include "BenchSession.h"
#include "ui/app/MainWindow.h"
#include "ui/app/WindowSet.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    BenchSession session;
    if (!session.confirmThreeScenarios() || !session.plot() || !session.openEconomicChart() ||
        !session.showAllCurves() || !session.click("TForm20", "RateAdviceButton") || !session.showMaps())
        return 1;
    // Time for the window manager to place and paint every window.
    for (int i = 0; i < 30; ++i) {
        BenchSession::settle();
        QThread::msleep(50);
    }
    const QString folder = QString::fromLocal8Bit(qgetenv("SHOT_DIR")) + u'/';
    bool saved = session.windows().mainWindow().grab().save(folder + QStringLiteral("main.png")) &&
        session.windows().yieldChart().grab().save(folder + QStringLiteral("yield.png")) &&
        session.windows().economicChart().grab().save(folder + QStringLiteral("econ.png")) &&
        session.window("RateAdviceWindow")->grab().save(folder + QStringLiteral("advice.png"));
    for (const char* map : {"TForm5", "TForm7", "TForm8", "TForm9", "TForm10"})
        saved = saved && session.window(map)->grab().save(folder + QLatin1String(map) + QStringLiteral(".png"));
    // Dialogs and help windows, each shown alone: the scenario choice, the curve selection,
    // a chart's print dialog and title editor, the soil calculator, a help window, the credits.
    for (const char* name : {"TForm2", "TForm4", "TForm12", "TForm13", "TForm32", "TForm15", "TForm35"}) {
        QWidget* w = session.window(name);
        w->show();
        BenchSession::settle();
        saved = saved && w->grab().save(folder + QLatin1String(name) + QStringLiteral(".png"));
        w->hide();
    }
    if (QGuiApplication::platformName() != u"offscreen")
        saved = saved && QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QStringLiteral("screen.png"));
    return saved ? 0 : 2;
}
