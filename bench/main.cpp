// Velmaro's benchmarks: start-up, "Graficar", pointer moves over both charts, the
// economic chart's activation, the help area on a 10 MB document and a session's peak
// memory, each against its budget (the rows: VelmaroBench::rows()).
// Run with "make bench"; Qt Test options work too, e.g. "velmaro_bench measure:graficar".
// Ends with status 1 when a measure is over its budget or could not be taken, so that it
// serves as a check.
#include <cstdio>

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "BudgetTable.h"
#include "VelmaroBench.h"

int main(int argc, char* argv[])
{
    // Headless unless told otherwise; the probes inherit the platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Recovery copies of the sessions in a folder of their own: an adviser's unsaved work is
    // never offered to the probes, nor theirs left behind.
    const QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QApplication application(argc, argv);
    BudgetTable table;
    VelmaroBench bench(table);
    // Without options Qt Test stays quiet but for failures: the offscreen platform warns
    // at every raise() and the table below is what counts.
    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 1)
        arguments << QStringLiteral("-silent");
    const int failed = QTest::qExec(&bench, arguments);
    if (!table.isEmpty()) {
        // The charts and the windows' backing stores grow with the screen: say which one.
        const QSize screen = QGuiApplication::primaryScreen()->size();
        std::printf("\nVelmaro benchmarks: medians on %s, platform %s, screen %dx%d\n\n%s",
                    qPrintable(QSysInfo::machineHostName()), qPrintable(QGuiApplication::platformName()),
                    screen.width(), screen.height(), qPrintable(table.text()));
        std::printf("\n%s\n",
                    table.overBudget() == 0
                        ? "All within budget."
                        : qPrintable(QStringLiteral("%1 measure(s) over budget.").arg(table.overBudget())));
    }
    return failed != 0 || table.overBudget() != 0 ? 1 : 0;
}
