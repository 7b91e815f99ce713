// libFuzzer target: any bytes as a sheet file (text in any encoding and separator, or an
// archive) through the sheet reader and the trial and table readers on top of it.
#include <cstddef>
#include <cstdint>

#include "SheetFuzzing.h"
#include "core/ResponseTableReader.h"
#include "core/SheetReader.h"
#include "core/TrialFit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Sheet sheet = SheetReader::read(bytes, QStringLiteral("hoja.csv"));
    checkSheet(sheet);
    const TrialFit::Reading trials = TrialFit::read(sheet);
    require(trials.ok != !trials.error.isEmpty());
    const ResponseTableReader::Result table = ResponseTableReader::read(sheet, false);
    require(table.ok != !table.error.isEmpty());
    return 0;
}
