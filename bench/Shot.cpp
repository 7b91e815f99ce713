// velmaro_shot: a session with three scenarios, all nine curves, the economic chart and
// "Dosis recomendada" open, written as pictures for a person to look at: the two windows
// as drawn (econ.png, advice.png) and the whole screen with the window manager's frames
// (screen.png), into the folder named by SHOT_DIR. Run it under Xvfb with a window manager
// to see the program as an adviser would at a given screen size.
#include <QApplication>
#include <QScreen>
#include <QThread>

#include "BenchSession.h"
#include "ui/app/WindowSet.h"
#include "ui/economics/EconomicChartWindow.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    BenchSession session;
    if (!session.confirmThreeScenarios() || !session.plot() || !session.openEconomicChart() || !session.showAllCurves()
        || !session.click("TForm20", "RateAdviceButton"))
        return 1;
    // Time for the window manager to place and paint every window.
    for (int i = 0; i < 30; ++i) {
        BenchSession::settle();
        QThread::msleep(50);
    }
    const QString folder = QString::fromLocal8Bit(qgetenv("SHOT_DIR"));
    const bool saved = session.windows().economicChart().grab().save(folder + QStringLiteral("/econ.png"))
        && session.window("RateAdviceWindow")->grab().save(folder + QStringLiteral("/advice.png"))
        && QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QStringLiteral("/screen.png"));
    return saved ? 0 : 2;
}
