// libFuzzer target: any bytes through the case file reader must return without a crash,
// a hang or a sanitizer report. A file read as sound is written back to the same bytes'
// meaning (read again, it gives the same content) and its case can be put in place or
// refused; a refused case leaves the models exactly as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "core/AdviserCase.h"
#include "core/CaseFile.h"
#include "core/CurveSelection.h"
#include "core/ResponseData.h"
#include "core/ScenarioSlots.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CaseFile::Reading reading = CaseFile::parse(bytes, QStringLiteral("caso.velmaro"));
    require(reading.ok == reading.error.isEmpty());
    if (!reading.ok)
        return 0;

    const QByteArray written = CaseFile::toJson(reading.content, reading.casePath);
    const CaseFile::Reading again = CaseFile::parse(written, QStringLiteral("caso.velmaro"));
    require(again.ok && again.content == reading.content && again.casePath == reading.casePath);
    require(CaseFile::toJson(again.content, again.casePath) == written);

    ScenarioSlots scenarioSlots;
    CurveSelection selection;
    ResponseData responseData;
    AdviserCase adviserCase(scenarioSlots, selection, responseData);
    const AdviserCase::Content before = adviserCase.content();
    QString error;
    if (adviserCase.apply(reading.content, &error)) {
        require(adviserCase.content() == reading.content);
    } else {
        require(!error.isEmpty());
        require(adviserCase.content() == before);
    }
    return 0;
}
