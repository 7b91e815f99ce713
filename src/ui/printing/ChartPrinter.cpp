#include "ChartPrinter.h"

#include <QPrinter>

#include "core/PrintedChartLayout.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/ErrorReporter.h"
#include "ui/printing/PdfJobFile.h"
#include "ui/printing/PrintTarget.h"

bool ChartPrinter::print(CurveChart& chart, QPageLayout::Orientation orientation, PrintTarget& target,
                         ErrorReporter& errors, QWidget* parent, const QString& pdfName)
{
    QPrinter& printer = target.printer();
    const QPageLayout::Orientation remembered = printer.pageLayout().orientation();
    printer.setPageOrientation(orientation);
    struct Restore {
        QPrinter& printer;
        QPageLayout::Orientation orientation;
        ~Restore() { printer.setPageOrientation(orientation); }
    } restore{printer, remembered};

    if (!target.prepareJob(parent, QStringLiteral("Chart1"), pdfName))
        return false;
    PdfJobFile file(printer);
    if (!file.refusal().isEmpty()) {
        errors.report(parent, file.refusal());
        return false;
    }

    QCPPainter painter;
    if (!painter.begin(&printer)) {
        if (printer.printerState() == QPrinter::Active)
            printer.abort();
        errors.report(parent, QStringLiteral("No se pudo imprimir el gráfico: la impresora no acepta el trabajo."));
        return false;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);

    const QSize onScreen = chart.size();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    const double aspect = double(printer.logicalDpiX()) / double(printer.logicalDpiY());
    const PrintedChartLayout layout = PrintedChartLayout::compute(onScreen, page.size(), aspect);
    painter.translate(layout.area.topLeft());
    painter.scale(double(layout.area.width()) / onScreen.width(), double(layout.area.height()) / onScreen.height());
    chart.renderForPrint(&painter); // at its on-screen size, with the note of its data
    if (!painter.end()) {
        errors.report(parent, QStringLiteral("No se pudo terminar la impresión del gráfico."));
        return false;
    }
    if (const QString failed = file.finish(); !failed.isEmpty()) {
        errors.report(parent, failed);
        return false;
    }
    return true;
}
