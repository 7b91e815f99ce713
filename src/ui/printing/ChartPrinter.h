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
    // True when the page was printed; a failure is reported and the job aborted. Without a
    // printer, the PDF file offered is named `pdfName` (empty: "Chart1").
    static bool print(CurveChart& chart, QPageLayout::Orientation orientation, PrintTarget& target,
                      ErrorReporter& errors, QWidget* parent, const QString& pdfName = {});
};
