#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of a data file an adviser brings (a coefficient table, trial results):
// UTF-8, an optional byte-order mark, "\n" or "\r\n" line ends. Anything else (a binary
// file, another encoding, a file too large to be a table) is refused with a message that
// names the file, before any of its lines is read.
class DataFileText {
public:
    // Far more than any table or trial set: the full table as CSV is about 30 kB.
    static constexpr qint64 MaximumBytes = 4 * 1024 * 1024;

    struct Result {
        bool ok = false;
        QString error;
        QByteArray bytes;  // the file exactly as read, for its SHA-256
        QStringList lines; // without line ends and without the byte-order mark
    };

    static Result read(const QString& path);
    static Result decode(const QByteArray& bytes, const QString& fileName);

    // "<file>, línea <n>, columna <c> (<what>): <reason>", the form of every refusal.
    static QString where(const QString& fileName, int line, const QString& column, const QString& reason);
};
