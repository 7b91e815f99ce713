#include "EconomicInputs.h"

#include "core/NumberText.h"

namespace {

EconomicInputs::Price readPrice(const QString& field, const QString& text, const NumberText::Range& range)
{
    const NumberText::Reading reading = NumberText::readField(field, text, range);
    EconomicInputs::Price price;
    if (reading.ok)
        price.value = reading.value;
    else
        price.error = reading.error;
    return price;
}

} // namespace

NumberText::Range EconomicInputs::grainPriceRange()
{
    return {0.0, 10000.0, false, QStringLiteral("U$S/Tn.")};
}

NumberText::Range EconomicInputs::nCostRange()
{
    return {0.0, 100000.0, true, QStringLiteral("U$S/Tn.")};
}

NumberText::Range EconomicInputs::referenceNRange()
{
    return {0.0, double(HighestReferenceN), true, QStringLiteral("Kg/ha.")};
}

EconomicInputs::Price EconomicInputs::readGrainPrice(const QString& text)
{
    return readPrice(QStringLiteral("Precio neto del grano"), text, grainPriceRange());
}

EconomicInputs::Price EconomicInputs::readNCost(const QString& text)
{
    return readPrice(QStringLiteral("Costo del nitrógeno"), text, nCostRange());
}

EconomicInputs::Prices EconomicInputs::readPrices(const QString& grainPrice, const QString& nCost)
{
    const Price grain = readGrainPrice(grainPrice);
    const Price cost = readNCost(nCost);
    Prices prices;
    prices.grainPrice = grain.value;
    prices.nCost = cost.value;
    prices.error = !grain.ok() ? grain.error : cost.error;
    return prices;
}

EconomicInputs::ReferenceN EconomicInputs::readReferenceN(const QString& text)
{
    const NumberText::Reading reading =
        NumberText::readWholeField(QStringLiteral("N disp. de referencia"), text, referenceNRange());
    ReferenceN reference;
    if (reading.ok)
        reference.value = static_cast<int>(reading.value);
    else
        reference.error = reading.error;
    return reference;
}
