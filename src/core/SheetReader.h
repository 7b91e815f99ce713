#pragma once

#include <QByteArray>
#include <QString>

#include "core/Sheet.h"

// Reads a tabular file an adviser brings, whatever the spreadsheet saved it as: text
// separated by commas, semicolons or tabs (CSV, "Unicode text") in any of the encodings
// DataFileText takes, the first sheet of an Excel workbook (.xlsx) or of an OpenDocument
// spreadsheet (.ods). The kind is told by the content, not by the file's name. A file
// that cannot be read whole is refused with its name and the real cause.
class SheetReader {
public:
    static Sheet read(const QString& path);
    static Sheet read(const QByteArray& bytes, const QString& fileName);
};
