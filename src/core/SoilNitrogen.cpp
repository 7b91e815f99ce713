#include "SoilNitrogen.h"

#include <cmath>

#include "core/FertiliserProducts.h"
#include "core/NumberText.h"

namespace {

// Reads every text in order; the first that is not a number ends the step.
template <std::size_t N>
bool readAll(const std::array<QString, N>& texts, std::array<double, N>& values, SoilNitrogen::Result& result)
{
    for (std::size_t i = 0; i < N; ++i) {
        const NumberText::Reading reading = NumberText::read(texts[i]);
        if (!reading) {
            result.failure = SoilNitrogen::Failure::NotANumber;
            result.message = reading.error;
            return false;
        }
        values[i] = reading.value;
    }
    return true;
}

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
    if (!readAll(nitrate, values, result))
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
    if (!readAll(texts, values, result))
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
    if (!readAll(std::array<QString, 3>{amount1, amount2, soilText}, values, result))
        return result;
    const double fertiliserN =
        values[0] * FertiliserProducts::nFraction(product1) + values[1] * FertiliserProducts::nFraction(product2);
    const double availableN = fertiliserN + values[2];
    if (!std::isfinite(fertiliserN) || !std::isfinite(availableN))
        return outOfRange();
    result.texts << NumberText::format(fertiliserN, 4, 1) << NumberText::format(availableN, 4, 0);
    return result;
}

QString SoilNitrogen::notAnIntegerMessage(const QString& text)
{
    return QStringLiteral("'%1' no es un valor entero válido").arg(text);
}

SoilNitrogen::HandOverResult SoilNitrogen::handOver(const QString& referenceText)
{
    HandOverResult result;
    // A whole number: an optional sign and digits, blanks around it ignored.
    const QString trimmed = referenceText.trimmed();
    int start = (!trimmed.isEmpty() && (trimmed[0] == u'+' || trimmed[0] == u'-')) ? 1 : 0;
    bool digitsOnly = trimmed.size() > start;
    for (int i = start; i < trimmed.size() && digitsOnly; ++i)
        digitsOnly = trimmed[i] >= u'0' && trimmed[i] <= u'9';
    bool converted = false;
    const int value = digitsOnly ? trimmed.toInt(&converted) : 0;
    if (!converted) {
        result.outcome = HandOver::NotAnInteger;
        result.message = notAnIntegerMessage(referenceText);
        return result;
    }
    result.value = value;
    result.outcome = value >= LowestReferenceN ? HandOver::Accept : HandOver::TooLow;
    return result;
}
