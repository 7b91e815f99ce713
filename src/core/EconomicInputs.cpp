#include "EconomicInputs.h"

#include "core/NumberText.h"

namespace {

EconomicInputs::Price readPrice(const QString& field, const QString& text)
{
    const NumberText::Reading reading = NumberText::read(text);
    EconomicInputs::Price price;
    if (reading.ok)
        price.value = reading.value;
    else
        price.error = field + QStringLiteral(": ") + reading.error;
    return price;
}

} // namespace

EconomicInputs::Price EconomicInputs::readGrainPrice(const QString& text)
{
    return readPrice(QStringLiteral("Precio neto del grano"), text);
}

EconomicInputs::Price EconomicInputs::readNCost(const QString& text)
{
    return readPrice(QStringLiteral("Costo del nitrógeno"), text);
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
    const NumberText::Reading reading = NumberText::readInteger(text);
    ReferenceN reference;
    if (reading.ok)
        reference.value = static_cast<int>(reading.value);
    else
        reference.error = QStringLiteral("N disp. de referencia: ") + reading.error;
    return reference;
}
