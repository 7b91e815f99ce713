#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of a data file an adviser brings (a coefficient table, trial results, a sheet
// saved as CSV): UTF-8 with or without byte-order mark, UTF-16 with its mark (a
// spreadsheet's "Unicode text"), or Windows-1252 when the bytes are not UTF-8; "\n",
// "\r\n" or "\r" line ends. Anything else (a folder, a pipe or a device, a binary file, a
// file too large to be a table) is refused with a message that names the file and the real cause, before any of its
// lines is read.
class DataFileText {
public:
    // Far more than any table or trial set: the full table as CSV is about 30 kB.
    static constexpr qint64 MaximumBytes = 4 * 1024 * 1024;

    enum class Encoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

    struct Bytes {
        bool ok = false;
        QString error;
        QByteArray bytes; // the file exactly as read, for its SHA-256
    };

    struct Result {
        bool ok = false;
        QString error;
        QByteArray bytes; // the file exactly as read, for its SHA-256
        Encoding encoding = Encoding::Utf8;
        QString text;      // decoded, without byte-order mark, every line end as "\n"
        QStringList lines; // the lines of `text`, a last empty one left out
    };

    // The file's bytes, refused when it cannot be opened or is larger than MaximumBytes.
    static Bytes load(const QString& path);
    static Result read(const QString& path);
    static Result decode(const QByteArray& bytes, const QString& fileName);

    // "<file>, línea <n>, columna <c> (<what>): <reason>", the form of every refusal.
    static QString where(const QString& fileName, int line, const QString& column, const QString& reason);
    // "<file>: el archivo es demasiado grande (<size>; el máximo es <n> MB)".
    static QString tooLarge(const QString& fileName, qint64 size, qint64 maximum);
};
