#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "core/Sheet.h"

// One column a reader looks for in a sheet's header.
struct SheetColumn {
    QString name;        // as the messages, the help and the exports write it: "n_disponible"
    QStringList aliases; // other headings taken for it: "N disponible", "código"
    bool required = true;
};

// Finds a reader's columns in a sheet's header. Headings are compared without regard to
// case, accents, blanks, underscores or a unit in parentheses at the end, so "Código",
// "N disponible (kg/ha)" and "n_disponible" are what they say. Columns may come in any
// order; a column whose heading is none of them is left aside.
class SheetColumns {
public:
    explicit SheetColumns(QList<SheetColumn> columns);

    // Finds every column; false with *error naming the file, the header line and what
    // is missing or repeated.
    bool match(const Sheet& sheet, QString* error);
    bool has(int k) const { return positions_.value(k, -1) >= 0; }
    // Column k's cell in a row; an empty cell when the row is short or the column absent.
    SheetCell cell(const SheetRow& row, int k) const;
    // A refusal at column k of a row, naming the column.
    QString where(const Sheet& sheet, const SheetRow& row, int k, const QString& reason) const;
    // A row with filled cells beyond the header's columns is refused: its columns have
    // been cut where they should not (a decimal comma in a comma-separated file).
    bool checkWidth(const Sheet& sheet, const SheetRow& row, QString* error) const;

    // "codigo, nivel, a, b, c"
    QString expected() const;
    static QString normalised(const QString& heading);

private:
    QList<SheetColumn> columns_;
    QList<int> positions_; // 0-based cell index of each column, -1 when absent
};
