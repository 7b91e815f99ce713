#pragma once

#include <QPageLayout>

class QWidget;
class CurveChart;
class ErrorReporter;
class PrintTarget;

// Prints a chart on one page, as one job titled "Chart1", in the orientation asked for;
// the printer's own orientation is restored afterwards, also when the job fails.
class ChartPrinter {
public:
    // True when the page was printed; a failure is reported and the job aborted.
    static bool print(CurveChart& chart, QPageLayout::Orientation orientation, PrintTarget& target,
                      ErrorReporter& errors, QWidget* parent);
};
