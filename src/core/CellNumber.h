#pragma once

#include "core/NumberText.h"
#include "core/Sheet.h"

// The number in a cell. A spreadsheet's stored number is read as stored. A number
// written as text takes a decimal point always, and a decimal comma where the dialect
// allows it (a file not separated by commas, a spreadsheet); a number that needs a
// guess is refused: both marks ("2.074,5", "1,234.5"), more than one mark ("1.234.567")
// or, where a comma could be the decimal mark, a point that groups thousands ("4.500").
class CellNumber {
public:
    // On failure the reading's error says why and how to save the sheet, without the
    // place, which the caller adds.
    static NumberText::Reading read(const SheetCell& cell, bool decimalComma);
};
