// libFuzzer target: the bytes, cut at form feeds, as the first sheet, the shared strings,
// the styles and the workbook of an .xlsx archive, through the sheet reader.
#include <cstddef>
#include <cstdint>

#include "SheetFuzzing.h"
#include "core/SheetReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts = partsOf(data, size, 4);
    const QByteArray workbook = parts[3].isEmpty()
        ? QByteArray("<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                     "<sheets><sheet name=\"H\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>")
        : parts[3];
    const QByteArray archive =
        zipOf({{"xl/workbook.xml", workbook},
               {"xl/_rels/workbook.xml.rels",
                "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/><Relationship "
                "Id=\"rId2\" Target=\"/xl/worksheets/sheet1.xml\"/></Relationships>"},
               {"xl/worksheets/sheet1.xml", parts[0]},
               {"xl/sharedStrings.xml", parts[1]},
               {"xl/styles.xml", parts[2]}});
    checkSheet(SheetReader::read(archive, QStringLiteral("libro.xlsx")));
    return 0;
}
