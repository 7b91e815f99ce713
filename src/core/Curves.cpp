#include "Curves.h"

#include <limits>

#include <QStringList>

#include "core/NumberText.h"
#include "core/ScenarioSlots.h"

namespace Curves {

QString readOutName(int k)
{
    const Key c = key(k);
    const char* level = c.level == Level::Medio ? "Medio" : c.level == Level::P80 ? "80%" : "20%";
    return QStringLiteral("Escenario%1-%2").arg(c.slot).arg(QLatin1String(level));
}

Quadratic fromTexts(const CoefficientTexts& texts, QStringList* errors)
{
    const double undefined = std::numeric_limits<double>::quiet_NaN();
    double values[3];
    bool ok = true;
    const QString* fields[3] = {&texts.a, &texts.b, &texts.c};
    for (int i = 0; i < 3; ++i) {
        const NumberText::Reading reading = NumberText::read(*fields[i]);
        values[i] = reading.value;
        if (!reading.ok) {
            ok = false;
            if (errors)
                errors->append(reading.error);
        }
    }
    std::optional<double> plateau;
    if (!texts.plateau.trimmed().isEmpty()) {
        const NumberText::Reading reading = NumberText::read(texts.plateau);
        plateau = reading.value;
        if (!reading.ok) {
            ok = false;
            if (errors)
                errors->append(reading.error);
        }
    }
    return ok ? Quadratic{values[0], values[1], values[2], plateau}
              : Quadratic{undefined, undefined, undefined, std::nullopt};
}

std::array<Quadratic, Count> capture(const ScenarioSlots& scenarioSlots, QStringList* errors)
{
    std::array<Quadratic, Count> curves{};
    for (int k = 1; k <= Count; ++k) {
        const Key c = key(k);
        curves[k - 1] = fromTexts(scenarioSlots.slot(c.slot).at(c.level), errors);
    }
    return curves;
}

} // namespace Curves
