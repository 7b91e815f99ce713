#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

// One cell as the file holds it: its text, blanks around it removed, and whether a
// spreadsheet stored it as a number (its text then in the form "2074.5", "-3E-05").
struct SheetCell {
    QString text;
    bool number = false;
};

// One row of cells, column 1 first, with its place in the file.
struct SheetRow {
    int line = 0; // the file line (CSV) or sheet row where the row starts, from 1
    QList<SheetCell> cells;

    bool isBlank() const;
};

// A tabular file as read: its header (the first row that is not blank) and the rows
// below it, blank rows left out, each cell with the place it came from, plus what the
// file's dialect says about decimals. A refused file has `ok` false, an `error` that
// names the file, line (or sheet row) and column and says what was expected, and no rows.
struct Sheet {
    enum class Format { Csv, Xlsx, Ods };

    bool ok = false;
    QString error;
    QString fileName;
    Format format = Format::Csv;
    QChar separator;           // the CSV's field separator: ',', ';' or tab
    bool decimalComma = false; // a number written as text may carry a decimal comma
    QByteArray bytes;          // the file exactly as read, for its SHA-256
    int lineCount = 0;         // the lines of the file, or the last row of the sheet
    SheetRow header;
    QList<SheetRow> rows;

    // "<file>, línea 5, columna 3 (n_disponible): <reason>" for a CSV file,
    // "<file>, fila 5, columna C (n_disponible): <reason>" for a spreadsheet; a column
    // of 0 names the line only, an empty column name leaves out the parenthesis.
    static QString where(const QString& fileName, Format format, int line, int column, const QString& columnName,
                         const QString& reason);
    QString where(int line, int column, const QString& columnName, const QString& reason) const
    {
        return where(fileName, format, line, column, columnName, reason);
    }

    // "A", "B", ... "Z", "AA": the letters a spreadsheet gives column `column` (from 1).
    static QString columnLetters(int column);
    // A number as a spreadsheet stores it ("0.10000000000000001") as the shortest text that
    // reads back to the same double ("0.1"); *ok false when it is not a number.
    static QString storedNumber(const QString& stored, bool* ok);
    // "CSV separado por ';'", "libro de Excel (.xlsx)": how the file was read, for messages.
    QString dialectName() const;
};
