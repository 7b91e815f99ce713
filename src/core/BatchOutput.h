#pragma once

#include <memory>

#include <QList>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "core/CsvWriter.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// Where a batch writes its rows, one at a time, so a file of any length takes the same
// memory: a CSV file in the form the adviser chose for every CSV the program writes
// (CsvWriter), or an Excel workbook (.xlsx, told by the name) written by libxlsxwriter
// in its constant-memory mode, headings in bold and numbers as numbers. Nothing replaces
// the old file until commit(); a run that stops leaves it as it was.
class BatchOutput {
public:
    explicit BatchOutput(const QString& path);
    ~BatchOutput();
    BatchOutput(const BatchOutput&) = delete;
    BatchOutput& operator=(const BatchOutput&) = delete;

    // The first row written is the headings. False with error() when it cannot be written.
    bool open(const QStringList& headings);
    bool write(const QStringList& cells);
    bool commit();

    QString error() const { return error_; }

private:
    bool flushCsv();
    bool fail(const QString& reason);

    QString path_;
    QString error_;
    bool xlsx_ = false;
    // CSV: rows wait in a batch, written through CsvWriter.
    QSaveFile file_;
    CsvWriter::Format format_ = CsvWriter::Format::Spanish;
    QList<QStringList> pending_;
    bool started_ = false;
    // .xlsx: the workbook is made in a folder of its own, then copied through QSaveFile.
    std::unique_ptr<QTemporaryDir> folder_;
    QByteArray folderName_; // for libxlsxwriter's own temporary files
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* bold_ = nullptr;
    QList<lxw_format*> numberFormats_; // by decimals
    unsigned row_ = 0;
};
