#include "ReportPrinter.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/common/ErrorReporter.h"
#include "ui/printing/PdfJobFile.h"
#include "ui/printing/PrintTarget.h"

namespace {

const QString OutputError = QStringLiteral("Error de entrada/salida: no se puede escribir en la impresora");

} // namespace

bool ReportPrinter::printLines(QPrinter& printer, const QStringList& lines, const QFont& font, QWidget* parent,
                               ErrorReporter* errors)
{
    auto fail = [&](const QString& why) {
        if (errors)
            errors->report(parent, why);
        return false;
    };
    PdfJobFile file(printer);
    if (!file.refusal().isEmpty())
        return fail(file.refusal());

    QPainter painter;
    if (!painter.begin(&printer))
        return fail(OutputError);
    painter.setFont(font);
    painter.setPen(Qt::black);

    // The painter's origin is the top left corner of the printable page rectangle.
    const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
    const QFontMetricsF metrics(painter.font(), &printer);
    const qreal lineHeight = metrics.lineSpacing();
    qreal top = 0;
    for (const QString& line : lines) {
        if (top > 0 && top + lineHeight > page.height()) {
            if (!printer.newPage()) {
                painter.end();
                return fail(OutputError);
            }
            top = 0;
        }
        if (!line.isEmpty())
            painter.drawText(QPointF(0, top + metrics.ascent()), line);
        top += lineHeight;
    }
    if (!painter.end())
        return fail(OutputError);
    if (const QString failed = file.finish(); !failed.isEmpty())
        return fail(failed);
    return true;
}

bool DialogReportPrinter::print(QWidget* parent, const QStringList& lines, const QFont& font)
{
    return printTitled(parent, QStringLiteral("Funciones aplicadas"), lines, font);
}

bool DialogReportPrinter::printTitled(QWidget* parent, const QString& title, const QStringList& lines,
                                      const QFont& font)
{
    // With no printer installed the adviser is told so and may keep the pages as a PDF file.
    if (target_ && !SystemPrintTarget::printerInstalled()) {
        if (!target_->prepareJob(parent, title))
            return false;
        return printLines(target_->printer(), lines, font, parent, errors_);
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return printLines(printer, lines, font, parent, errors_);
}

bool PdfReportPrinter::print(QWidget* parent, const QStringList& lines, const QFont& font)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(filePath_);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return printLines(printer, lines, font, parent, errors_);
}
