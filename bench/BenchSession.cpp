#include "BenchSession.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QRadioButton>
#include <QWidget>

#include "PaintWatcher.h"
#include "ui/app/MainWindow.h"
#include "ui/app/WindowSet.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/RadioGroup.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

namespace {

bool showAndWaitForPaint(QWidget* w)
{
    if (!w)
        return false;
    PaintWatcher watcher(w);
    w->show();
    w->raise();
    return watcher.waitForPaint();
}

} // namespace

BenchSession::BenchSession()
{
    Seams seams;
    seams.messages = &messages_;
    seams.errors = &errors_;
    set_ = std::make_unique<WindowSet>(seams);
    PaintWatcher watcher(&set_->mainWindow());
    set_->start();
    watcher.waitForPaint();
    settle();
}

BenchSession::~BenchSession() = default;

QWidget* BenchSession::window(const char* objectName) const
{
    return set_->window(QLatin1String(objectName));
}

bool BenchSession::click(const char* windowName, const char* buttonName) const
{
    auto* button = child<QAbstractButton>(windowName, buttonName);
    if (!button)
        return false;
    button->click();
    return true;
}

bool BenchSession::confirmThreeScenarios()
{
    const char* buttons[] = {"ToolButton1", "ToolButton3", "ToolButton5"};
    for (int slot = 0; slot < 3; ++slot) {
        if (!click("TForm1", buttons[slot]))
            return false;
        auto* sites = child<RadioGroup>("TForm2", "RadioGroup1");
        if (!sites || sites->count() <= slot * 2)
            return false;
        sites->button(slot * 2)->click(); // Gualeguay, Paraná, Rafaela...
        if (!click("TForm2", "BitBtn1"))
            return false;
    }
    settle();
    return true;
}

bool BenchSession::plot()
{
    PaintWatcher watcher(&set_->yieldChart().chart());
    if (!click("TForm1", "ToolButton13"))
        return false;
    const bool painted = watcher.waitForPaint();
    settle();
    return painted;
}

bool BenchSession::openEconomicChart()
{
    EconomicChartWindow& economic = set_->economicChart();
    PaintWatcher watcher(&economic.chart());
    if (!click("TForm3", "ToolButton10"))
        return false;
    const bool painted = watcher.waitForPaint();
    settle();
    // As the window system would on the chart's activation: recomputed, the curve
    // selection applied.
    if (!economic.isActiveWindow()) {
        economic.onActivated();
        Q_EMIT economic.activated();
    }
    settle();
    return painted;
}

bool BenchSession::showAllCurves()
{
    for (int n = 1; n <= 9; ++n) {
        auto* box = child<QCheckBox>("TForm4", QStringLiteral("CheckBox%1").arg(n).toLatin1().constData());
        if (!box || !box->isEnabled())
            return false;
        if (!box->isChecked())
            box->click();
    }
    settle();
    return true;
}

bool BenchSession::showMaps()
{
    for (const char* name : {"TForm5", "TForm7", "TForm8", "TForm9", "TForm10"})
        if (!showAndWaitForPaint(window(name)))
            return false;
    settle();
    return true;
}

void BenchSession::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

QStringList BenchSession::problems() const
{
    return messages_.texts + errors_.messages;
}
