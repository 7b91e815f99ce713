// An adviser's session whose peak memory is measured from outside: start, three
// scenarios plotted, the economic chart opened, every site map shown; then quit.
#include <cstdio>

#include <QApplication>

#include "BenchSession.h"
#include "PeakMemory.h"

int main(int argc, char* argv[])
{
    const bool reportPeak = PeakMemory::requested(argc, argv);
    QApplication application(argc, argv);
    BenchSession session;
    const bool done =
        session.confirmThreeScenarios() && session.plot() && session.openEconomicChart() && session.showMaps();
    if (!done) {
        std::fputs("the session did not get through\n", stderr);
        return 1;
    }
    if (!session.problems().isEmpty()) {
        std::fputs(qPrintable(session.problems().join(u'\n') + u'\n'), stderr);
        return 1;
    }
    if (reportPeak)
        PeakMemory::print();
    return 0;
}
