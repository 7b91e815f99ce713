#pragma once

#include <QString>

class QPrinter;

// A print job into a PDF file is written beside the file under a temporary name and
// takes the file's name only when it is complete: a job that fails (a full disk, a
// folder that cannot be written) leaves the earlier file as it was, and is said, naming
// the file. A job for a printer is left alone.
class PdfJobFile {
public:
    explicit PdfJobFile(QPrinter& printer);
    ~PdfJobFile(); // the printer's own file name back; a temporary file left is removed
    PdfJobFile(const PdfJobFile&) = delete;
    PdfJobFile& operator=(const PdfJobFile&) = delete;

    // Why the job cannot start (the name is a folder, a pipe or a device; the folder
    // cannot be written), or empty.
    const QString& refusal() const { return refusal_; }

    // After the painter has ended: the complete file takes its name. Why it could not, or empty.
    QString finish();

private:
    QPrinter& printer_;
    QString target_;    // the file the adviser named; empty for a printer
    QString temporary_; // where the job is written meanwhile
    QString refusal_;
};
