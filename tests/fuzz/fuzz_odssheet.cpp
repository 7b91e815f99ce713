// libFuzzer target: the bytes as the content.xml of an .ods archive, through the sheet
// reader.
#include <cstddef>
#include <cstdint>

#include "SheetFuzzing.h"
#include "core/SheetReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray archive =
        zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
    checkSheet(SheetReader::read(archive, QStringLiteral("hoja.ods")));
    return 0;
}
