#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QThread>
#include "BenchSession.h"
#include "ui/app/WindowSet.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/advice/RateAdviceWindow.h"
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BenchSession s;
    s.confirmThreeScenarios();
    s.plot();
    s.openEconomicChart();
    s.showAllCurves();
    s.click("TForm20", "RateAdviceButton");
    for (int i = 0; i < 30; ++i) { BenchSession::settle(); QThread::msleep(50); }
    const QString out = QString::fromLocal8Bit(qgetenv("SHOT_DIR"));
    s.windows().economicChart().grab().save(out + "/econ.png");
    s.window("RateAdviceWindow")->grab().save(out + "/advice.png");
    QGuiApplication::primaryScreen()->grabWindow(0).save(out + "/screen.png");
    return 0;
}
