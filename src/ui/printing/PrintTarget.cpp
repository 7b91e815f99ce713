#include "PrintTarget.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "ui/common/MessageBoxes.h"

SystemPrintTarget::SystemPrintTarget(MessageBoxes& messages) : messages_(messages) { }

QPrinter& SystemPrintTarget::printer()
{
    // Made at the first print: a printer loads the print system, which start-up can do without.
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    return *printer_;
}

SystemPrintTarget::~SystemPrintTarget() = default;

bool SystemPrintTarget::printerInstalled()
{
    return !QPrinterInfo::availablePrinters().isEmpty();
}

bool SystemPrintTarget::prepareJob(QWidget* parent, const QString& title, const QString& pdfName)
{
    printer().setDocName(title);
    if (printerInstalled()) {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        return true;
    }
    // Without a printer Qt would print into a PDF file with no name, that is nowhere.
    messages_.information(parent,
                          QStringLiteral("NO HAY NINGUNA IMPRESORA INSTALADA.\n"
                                         "Puede guardar la impresión como archivo PDF."));
    const QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Guardar como PDF"),
                                                      (pdfName.isEmpty() ? title : pdfName) + QStringLiteral(".pdf"),
                                                      QStringLiteral("Documento PDF (*.pdf)"));
    if (file.isEmpty())
        return false;
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(file);
    return true;
}

bool SystemPrintTarget::prepareDialogJob(QWidget* parent, const QString& title)
{
    if (!printerInstalled())
        return prepareJob(parent, title);
    printer().setDocName(title);
    printer_->setOutputFormat(QPrinter::NativeFormat);
    QPrintDialog dialog(printer_.get(), parent);
    return dialog.exec() == QDialog::Accepted;
}

void SystemPrintTarget::setUp(QWidget* parent)
{
    QPageSetupDialog dialog(&printer(), parent);
    dialog.exec();
}

PdfPrintTarget::PdfPrintTarget(const QString& folder)
    : folder_(folder),
      printer_(std::make_unique<QPrinter>(QPrinter::ScreenResolution))
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
}

PdfPrintTarget::~PdfPrintTarget() = default;

bool PdfPrintTarget::prepareJob(QWidget*, const QString& title, const QString& pdfName)
{
    const QString file = failNextJob ? QStringLiteral("/nonexistent-folder/job.pdf")
                                     : QStringLiteral("%1/job%2.pdf").arg(folder_).arg(files.size() + 1);
    failNextJob = false;
    printer_->setDocName(title);
    printer_->setOutputFileName(file);
    titles << title;
    pdfNames << (pdfName.isEmpty() ? title : pdfName);
    files << file;
    return true;
}
