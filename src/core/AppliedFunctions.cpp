#include "AppliedFunctions.h"

#include "core/NumberText.h"

namespace {

// Order of the lines of one slot in the report.
constexpr Level ReportOrder[3] = {Level::Medio, Level::P80, Level::P20};

} // namespace

QString AppliedFunctions::equation(const CoefficientTexts& texts)
{
    const QString curve = QStringLiteral("y=") + texts.a + QStringLiteral("+") + texts.b + QStringLiteral("X ") +
        texts.c + QStringLiteral("x2");
    if (texts.plateau.trimmed().isEmpty())
        return curve;
    return curve + QStringLiteral(" (meseta desde N=") + texts.plateau.trimmed() + QStringLiteral(")");
}

AppliedFunctions::SlotEquations AppliedFunctions::equations(const SlotRecord& slot)
{
    SlotEquations out;
    for (int level = 0; level < 3; ++level)
        out[level] = equation(slot.coefficients[level]);
    return out;
}

bool AppliedFunctions::hasReceivedCoefficients(const SlotRecord& slot)
{
    const NumberText::Reading medioA = NumberText::read(slot.at(Level::Medio).a);
    if (!medioA)
        return true;
    const double placeholder = NumberText::read(SlotRecord::initial(slot.slot).at(Level::Medio).a).value;
    return medioA.value != placeholder;
}

QString AppliedFunctions::linePrefix(int slot, Level level)
{
    QString name;
    switch (level) {
    case Level::Medio:
        name = QStringLiteral("Medio");
        break;
    case Level::P80:
        name = QStringLiteral("80%");
        break;
    case Level::P20:
        name = QStringLiteral("20%");
        break;
    }
    return QStringLiteral("Escenario%1 - %2").arg(slot).arg(name).leftJustified(20, u' ');
}

QStringList AppliedFunctions::reportLines(const std::array<SlotEquations, SlotCount>& equations,
                                          const std::array<bool, SlotCount>& active)
{
    QStringList lines{QStringLiteral("   FUNCIONES GRAFICADAS"), QString()};
    for (int s = 1; s <= SlotCount; ++s) {
        if (!active[s - 1])
            continue;
        for (Level level : ReportOrder)
            lines << linePrefix(s, level) + equations[s - 1][static_cast<int>(level)];
        lines << QString();
    }
    return lines;
}

QString AppliedFunctions::reportText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}
