#pragma once

#include <memory>

#include <QStringList>
#include <QWidget>

#include "support/RecordingSeams.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/MessageBoxes.h"

class WindowSet;

// The whole program, every window of it, driven as an adviser would: by the windows' and
// controls' names, with clicks. Message boxes and error reports are recorded instead of
// shown, so nothing waits for a person, and a benchmark checks problems() to be sure it
// measured the intended path and not an error. Everything else is the program's own: the
// printer, the report printer and the launcher of other programs (none of them is used).
class BenchSession {
public:
    // Creates and starts every window; returns once the main window has been painted.
    BenchSession();
    ~BenchSession();

    WindowSet& windows() const { return *set_; }
    QWidget* window(const char* objectName) const;
    template <typename T = QWidget> T* child(const char* windowName, const char* childName) const
    {
        QWidget* w = window(windowName);
        return w ? w->findChild<T*>(QLatin1String(childName)) : nullptr;
    }
    // Clicks a button of a window; false if there is no such button.
    bool click(const char* windowName, const char* buttonName) const;

    // Three different sites in the three slots, each confirmed in the scenario dialog.
    bool confirmThreeScenarios();
    // "Graficar", then waits until the yield chart has been painted.
    bool plot();
    // "Análisis económico" from the yield chart, the economic chart activated and painted.
    bool openEconomicChart();
    // Ticks every box of the curve selection: the nine curves shown on both charts.
    bool showAllCurves();
    // Shows the five site maps and waits until each has been painted.
    bool showMaps();

    // Runs the event loop until nothing is left to do right now.
    static void settle();
    // Whatever went to a message box or the error report, in order.
    QStringList problems() const;

private:
    RecordingMessageBoxes messages_;
    RecordingErrorReporter errors_;
    std::unique_ptr<WindowSet> set_;
};
