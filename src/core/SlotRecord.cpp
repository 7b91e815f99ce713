#include "SlotRecord.h"

#include <algorithm>

namespace {

// Placeholder texts of each slot: the letters' own names and the fields' numbers.
struct InitialTexts {
    const char* letters[4];
    int code;
    int firstCoefficient;
};
constexpr InitialTexts Initial[3] = {
    {{"Label5", "Label2", "Label6", "Label8"}, 36, 38},
    {{"Label9", "Label3", "Label10", "Label12"}, 47, 49},
    {{"Label13", "Label4", "Label14", "Label16"}, 58, 60},
};

} // namespace

SlotRecord SlotRecord::initial(int slot)
{
    SlotRecord record;
    record.slot = slot;
    const InitialTexts& texts = Initial[std::clamp(slot, 1, 3) - 1];
    record.siteLetter = QLatin1String(texts.letters[0]);
    record.unitLetter = QLatin1String(texts.letters[1]);
    record.cultivarLetter = QLatin1String(texts.letters[2]);
    record.waterLetter = QLatin1String(texts.letters[3]);
    record.code = QString::number(texts.code);
    int number = texts.firstCoefficient;
    for (CoefficientTexts& level : record.coefficients) { // 20 %, Medio, 80 %
        level.a = QString::number(number++);
        level.b = QString::number(number++);
        level.c = QString::number(number++);
    }
    record.curvesLine = record.scenarioLine();
    return record;
}

QString SlotRecord::scenarioLine() const
{
    return QStringLiteral("ESCENARIO: ") + siteName + QStringLiteral(" - ") + unitName + QStringLiteral(" - ") +
        cultivarName + QStringLiteral(" - ") + waterName;
}

void SlotRecord::compose()
{
    code = siteLetter + unitLetter + cultivarLetter + waterLetter;
}

bool SlotRecord::lookUp(const ResponseTable& table)
{
    const int row = table.find(code);
    if (row < 0)
        return false;
    for (int level = 0; level < 3; ++level)
        coefficients[level] = table.coefficients(static_cast<Level>(level), row);
    curvesLine = scenarioLine();
    return true;
}
