#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "core/TableDocument.h"

// Writes a document as an Excel workbook (.xlsx) of one sheet with libxlsxwriter: the
// title and basis lines above the tables, headings in bold, numbers as numbers shown with
// the decimals they were written with, each column as wide as its widest cell.
// The workbook is made in a temporary folder and then written through QSaveFile, so a
// failed write leaves the old file.
class XlsxWriter {
public:
    static bool save(const QString& path, const TableDocument& document, const QString& sheetName, QString* error);
};
