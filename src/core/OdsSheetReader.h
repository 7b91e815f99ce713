#pragma once

#include "core/Sheet.h"

class ZipArchive;

// The first table of an OpenDocument spreadsheet (.ods): numbers by their stored values
// (a formula by the value last computed), texts by their paragraphs, repeated rows and
// cells written once in the file taken as often as they repeat. A date or a time, a
// merged cell or a formula error is refused, naming its row and column.
class OdsSheetReader {
public:
    // Fills `sheet`'s rows and line count, or sets its error.
    static void read(ZipArchive& archive, Sheet& sheet);

    static constexpr int MaximumColumns = 256;
    // Rows kept, repeated ones counted; a table or a trial has a few thousand at most.
    static constexpr int MaximumRows = 100000;
};
