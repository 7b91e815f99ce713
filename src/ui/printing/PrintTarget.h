#pragma once

#include <memory>

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;
class MessageBoxes;

// Where the program's print jobs go: the system printer, kept for the whole run so that
// the settings chosen in its setup dialog hold for later jobs. With no printer installed
// a job goes to a PDF file the adviser names, never silently nowhere.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    virtual QPrinter& printer() = 0;

    // Readies the printer for a job with this title. False when there is nowhere to print
    // (no printer and no PDF file named): nothing is printed then. Without a printer the PDF
    // file is offered as `pdfName` (without ".pdf"), for a title an adviser would not file a
    // document under; empty: as the title.
    virtual bool prepareJob(QWidget* parent, const QString& title, const QString& pdfName = {}) = 0;
    // The same after the system's print dialog, where the adviser picks the printer and the
    // pages; false when it is cancelled. Without a printer, the PDF file is offered as above.
    virtual bool prepareDialogJob(QWidget* parent, const QString& title) { return prepareJob(parent, title); }

    // The system's printer setup dialog.
    virtual void setUp(QWidget* parent) = 0;
};

class SystemPrintTarget : public PrintTarget {
public:
    explicit SystemPrintTarget(MessageBoxes& messages);
    ~SystemPrintTarget() override;

    QPrinter& printer() override;
    bool prepareJob(QWidget* parent, const QString& title, const QString& pdfName = {}) override;
    bool prepareDialogJob(QWidget* parent, const QString& title) override;
    void setUp(QWidget* parent) override;

    static bool printerInstalled();

private:
    MessageBoxes& messages_;
    std::unique_ptr<QPrinter> printer_;
};

// Jobs go to numbered PDF files in a folder, for tests; a job can be made to fail.
class PdfPrintTarget : public PrintTarget {
public:
    explicit PdfPrintTarget(const QString& folder);
    ~PdfPrintTarget() override;

    QPrinter& printer() override { return *printer_; }
    bool prepareJob(QWidget* parent, const QString& title, const QString& pdfName = {}) override;
    void setUp(QWidget*) override { ++setUps; }

    QStringList titles;   // one per job
    QStringList pdfNames; // what the PDF offer would suggest, one per job
    QStringList files;    // one per job
    int setUps = 0;
    bool failNextJob = false; // the next job's file cannot be written

private:
    QString folder_;
    std::unique_ptr<QPrinter> printer_;
};
