#pragma once

#include "core/Sheet.h"

class ZipArchive;

// The first sheet of an Office Open XML workbook (.xlsx): its cells by their cached
// values (a formula is read by the value the spreadsheet last computed), shared and
// inline strings, numbers as stored. A date, a merged cell, a formula error or a formula
// never computed is refused, naming its row and column.
class XlsxSheetReader {
public:
    // Fills `sheet`'s rows and line count, or sets its error.
    static void read(ZipArchive& archive, Sheet& sheet);

    // Columns beyond this hold nothing a table or a trial needs; a cell there is refused.
    static constexpr int MaximumColumns = 256;
};
