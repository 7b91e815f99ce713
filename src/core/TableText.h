#pragma once

#include <QString>

#include "core/TableDocument.h"

// A document as the clipboard carries it to a spreadsheet: tab-separated plain text and,
// beside it, an HTML table, both with the numbers written with a decimal comma, so that
// a paste into a Spanish-locale spreadsheet lands in cells as numbers.
class TableText {
public:
    static QString tabSeparated(const TableDocument& document);
    static QString html(const TableDocument& document);
    // "97.1" as "97,1"; any other cell as it is.
    static QString localCell(const QString& cell);
};
