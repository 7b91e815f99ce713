#include "SoilNitrogen.h"

#include <cmath>

#include "core/FertiliserProducts.h"
#include "core/NumberText.h"

namespace {

// Reads every text in order, each against its field; the first that fails ends the step.
// A text that is no number is told as such; a number outside its field's range, with the
// field's name and what it accepts.
template <std::size_t N>
bool readAll(const std::array<QString, N>& texts, const std::array<SoilNitrogen::Field, N>& fields,
             std::array<double, N>& values, SoilNitrogen::Result& result)
{
    for (std::size_t i = 0; i < N; ++i) {
        const NumberText::Reading reading = NumberText::readField(fields[i].name, texts[i], fields[i].range);
        if (!reading) {
            const NumberText::Reading plain = NumberText::read(texts[i]);
            result.failure = plain ? SoilNitrogen::Failure::OutOfRange : SoilNitrogen::Failure::NotANumber;
            result.message = reading.wellFormed ? reading.error : plain.error;
            return false;
        }
        values[i] = reading.value;
    }
    return true;
}

const QString Layers[3] = {QStringLiteral("0-20 Cm"), QStringLiteral("20-40 Cm"), QStringLiteral("40-60 Cm")};

SoilNitrogen::Result missing()
{
    SoilNitrogen::Result result;
    result.failure = SoilNitrogen::Failure::MissingInput;
    return result;
}

SoilNitrogen::Result outOfRange()
{
    SoilNitrogen::Result result;
    result.failure = SoilNitrogen::Failure::OutOfRange;
    result.message = QStringLiteral("Los datos ingresados dan un resultado demasiado grande");
    return result;
}

std::optional<QString> fraction(const QString& upper, double divisor)
{
    const NumberText::Reading reading = NumberText::read(upper);
    if (!reading)
        return std::nullopt;
    return NumberText::format(reading.value / divisor, 3, 1);
}

} // namespace

SoilNitrogen::Field SoilNitrogen::nitrateField(int layer)
{
    return {QStringLiteral("Concentración de nitratos ") + Layers[layer],
            {0.0, 1000.0, true, QStringLiteral("ppm NO3")}};
}

SoilNitrogen::Field SoilNitrogen::mineralNField(int layer)
{
    return {QStringLiteral("Concentración de N mineral ") + Layers[layer],
            {0.0, 1000.0 * NitrogenInNitrate, true, QStringLiteral("ppm N")}};
}

SoilNitrogen::Field SoilNitrogen::densityField(int layer)
{
    return {QStringLiteral("Densidad aparente ") + Layers[layer], {500.0, 2000.0, true, QStringLiteral("Kg/m3")}};
}

SoilNitrogen::Field SoilNitrogen::amountField(int row)
{
    return {QStringLiteral("Kg agregados del fertilizante %1").arg(row + 1),
            {0.0, 5000.0, true, QStringLiteral("kg/ha")}};
}

SoilNitrogen::Field SoilNitrogen::soilNField()
{
    return {QStringLiteral("N mineral en suelo"), {0.0, 2700.0, true, QStringLiteral("kg/ha")}};
}

std::optional<QString> SoilNitrogen::halfOf(const QString& upper)
{
    return fraction(upper, 2.0);
}

std::optional<QString> SoilNitrogen::quarterOf(const QString& upper)
{
    return fraction(upper, 4.0);
}

SoilNitrogen::Result SoilNitrogen::mineralNitrogen(const std::array<QString, 3>& nitrate)
{
    // The placeholder "ppm" and what is left of it while it is being deleted, then empty.
    for (const QString& placeholder : {QStringLiteral("ppm"), QStringLiteral("pp"), QStringLiteral("p"), QString()})
        for (const QString& text : nitrate)
            if (text == placeholder)
                return missing();

    Result result;
    std::array<double, 3> values{};
    if (!readAll(nitrate, {nitrateField(0), nitrateField(1), nitrateField(2)}, values, result))
        return result;
    for (double value : values)
        result.texts << NumberText::format(value * NitrogenInNitrate, 3, 1);
    return result;
}

SoilNitrogen::Result SoilNitrogen::soilNitrogen(const std::array<QString, 3>& mineralN,
                                                const std::array<QString, 3>& density)
{
    const std::array<QString, 6> texts = {mineralN[0], mineralN[1], mineralN[2], density[0], density[1], density[2]};
    for (const QString& text : texts)
        if (text.isEmpty())
            return missing();

    Result result;
    std::array<double, 6> values{};
    const std::array<Field, 6> fields = {mineralNField(0), mineralNField(1), mineralNField(2),
                                         densityField(0),  densityField(1),  densityField(2)};
    if (!readAll(texts, fields, values, result))
        return result;
    // A 20 cm layer of a hectare: 10 000 m2 x 0.2 m x density kg/m3 x ppm / 1 000 000.
    double sum = 0.0;
    for (int layer = 0; layer < 3; ++layer)
        sum += values[layer] * values[layer + 3] * 0.2 / 100.0;
    if (!std::isfinite(sum))
        return outOfRange();
    result.texts << NumberText::format(sum, 4, 1);
    return result;
}

SoilNitrogen::Result SoilNitrogen::availableNitrogen(const QString& amount1, int product1, const QString& amount2,
                                                     int product2, const QString& soilText)
{
    if (amount1.isEmpty() || amount2.isEmpty())
        return missing();

    Result result;
    std::array<double, 3> values{};
    if (!readAll(std::array<QString, 3>{amount1, amount2, soilText}, {amountField(0), amountField(1), soilNField()},
                 values, result))
        return result;
    const double fertiliserN =
        values[0] * FertiliserProducts::nFraction(product1) + values[1] * FertiliserProducts::nFraction(product2);
    const double availableN = fertiliserN + values[2];
    if (!std::isfinite(fertiliserN) || !std::isfinite(availableN))
        return outOfRange();
    // The available N is handed to the economic chart as a whole number: never "1.355E4".
    result.texts << NumberText::format(fertiliserN, 4, 1) << NumberText::formatWhole(availableN, 4);
    return result;
}

SoilNitrogen::HandOverResult SoilNitrogen::handOver(const QString& referenceText)
{
    // Judged by the economic chart's own reading, so that the calculator hands over only
    // what the chart takes, and both say the same of it.
    const EconomicInputs::ReferenceN reference = EconomicInputs::readReferenceN(referenceText);
    HandOverResult result;
    if (!reference.ok()) {
        result.outcome = HandOver::Refused;
        result.message = reference.error;
        return result;
    }
    result.value = reference.value;
    result.outcome = reference.belowLowest() ? HandOver::TooLow : HandOver::Accept;
    return result;
}
