#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/TableDocument.h"

// Every CSV file the program writes. By default in the form a Spanish-locale spreadsheet
// opens into cells: separated by semicolons, numbers with a decimal comma, UTF-8 with a
// byte-order mark, CRLF line ends. The international form is separated by commas with a
// decimal point. A cell holding the separator, a quote, a line end or blanks around it is
// quoted (RFC 4180). Files written either way read back into the program unchanged.
class CsvWriter {
public:
    enum class Format { Spanish, International };

    static QByteArray bytes(const QList<QStringList>& rows, Format format);
    static QByteArray bytes(const TableDocument& document, Format format);

    // Writes through QSaveFile: a failed write leaves the old file and sets *error.
    static bool save(const QString& path, const QByteArray& bytes, QString* error);

    // The adviser's choice, kept in the program's settings (Spanish unless changed).
    static Format savedFormat();
    static void saveFormat(Format format);
};
