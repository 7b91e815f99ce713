#pragma once

#include <memory>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include "core/DataFileText.h"
#include "core/Sheet.h"

// A tabular file read one row at a time, for files far larger than SheetReader holds:
// a delimited text file streams (a million lines take no more memory than one), in the
// dialects SheetReader reads (comma, semicolon or tab told by the header line; quoted
// fields with separators, line ends and doubled quotes inside; UTF-8 with or without
// mark, UTF-16 with its mark, Windows-1252 when the bytes are not UTF-8). A spreadsheet
// (.xlsx, .ods) is read whole by SheetReader, within its size limit, and handed out row
// by row. Blank rows are left out; the first row that is not blank is the header.
class SheetRowStream {
public:
    // The longest row taken: a quote left open would otherwise swallow the file.
    static constexpr qsizetype MaximumRowCharacters = 64 * 1024;

    explicit SheetRowStream(const QString& path);
    ~SheetRowStream();
    SheetRowStream(const SheetRowStream&) = delete;
    SheetRowStream& operator=(const SheetRowStream&) = delete;

    // Opens the file and reads up to its header; false with error() when the file is not
    // a tabular file that can be read (missing, binary, empty, a damaged spreadsheet).
    bool open();

    // The file's name, kind, dialect and header; it holds no rows.
    const Sheet& sheet() const { return sheet_; }

    // The next row that is not blank. A row whose fields are malformed (text after a
    // closing quote) comes with *fault saying where and why, its cells as far as read.
    // False at the end of the file, and when it cannot be read on (error() then says why).
    bool next(SheetRow& row, QString* fault);

    QString error() const { return error_; }
    // How much of the file has been read, from 0 to 1.
    double progress() const;

private:
    bool openText(const QByteArray& start);
    bool readLine(QString& line);
    bool fillBuffer();
    QString decodeBytes(QByteArrayView bytes);
    bool nextRecord(SheetRow& row, QString* fault);

    QString path_;
    QFile file_;
    Sheet sheet_;
    QString error_;
    std::unique_ptr<Sheet> whole_; // a spreadsheet, read whole
    qsizetype nextWholeRow_ = 0;

    DataFileText::Encoding encoding_ = DataFileText::Encoding::Utf8;
    QStringDecoder utf16_;
    QByteArray bytes_; // read and not yet taken, in the file's encoding (8-bit encodings)
    QString text_;     // decoded and not yet taken (UTF-16)
    qsizetype taken_ = 0;
    bool endOfFile_ = false;
    int line_ = 0; // of the last line read
    qint64 size_ = 0;
    QString pushedBack_; // a line read ahead, to be read again
};
