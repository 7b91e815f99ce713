#pragma once

#include "core/DataFileText.h"
#include "core/Sheet.h"

// The rows of a delimited text file: the separator (comma, semicolon or tab) is the one
// the header line uses most, outside quotes; fields follow RFC 4180 (a field in double
// quotes may hold separators, line ends and doubled quotes). A comma-separated file
// writes its decimals with a point; with a semicolon or a tab a decimal comma is taken too.
class CsvSheetReader {
public:
    // `sheet` carries the file name and bytes; its rows, separator, dialect and line
    // count are filled in, or its error set.
    static void read(const DataFileText::Result& text, Sheet& sheet);

    // The separator the line uses most outside quotes; ',' when it uses none.
    static QChar detectSeparator(const QString& line);
};
