#include "NitrogenCost.h"

#include <cmath>

#include "core/EconomicInputs.h"
#include "core/FertiliserProducts.h"

QString NitrogenCost::initialPriceText()
{
    return QStringLiteral("0.00");
}

NumberText::Range NitrogenCost::priceRange()
{
    return {0.0, 10000.0, true, QStringLiteral("U$S / tn")};
}

QString NitrogenCost::noDataMessage()
{
    return QStringLiteral("DEBE PROVEER DE DATOS PARA EL CALCULO");
}

QString NitrogenCost::noProductMessage()
{
    return QStringLiteral("DEBE ELEGIR UN FERTILIZANTE");
}

QString NitrogenCost::contentText(double nFraction)
{
    return NumberText::format(nFraction * 1000.0, 3, 0);
}

QString NitrogenCost::returnText(double nCostPerTonne)
{
    return NumberText::formatWhole(nCostPerTonne, 4);
}

NitrogenCost::Result NitrogenCost::calculate(const QString& priceText, int productIndex)
{
    Result result;
    // Only the untouched field counts as empty; "0" or " 0.00" is a price of nothing.
    if (priceText == initialPriceText()) {
        result.failure = Failure::NoData;
        result.message = noDataMessage();
        return result;
    }
    const double fraction = FertiliserProducts::nFraction(productIndex);
    if (fraction <= 0.0) {
        result.failure = Failure::NoProduct;
        result.message = noProductMessage();
        return result;
    }
    const NumberText::Reading price =
        NumberText::readField(QStringLiteral("Costo del fertilizante"), priceText, priceRange());
    if (!price) {
        // A text that is no number at all is told as such; a number, with what is accepted.
        const NumberText::Reading plain = NumberText::read(priceText);
        result.failure = plain ? Failure::OutOfRange : Failure::NotANumber;
        result.message = price.wellFormed ? price.error : plain.error;
        return result;
    }

    // Grams of N in a kg of product as shown, then the price of a kg of N from it:
    // a tonne at P costs P/1000 a kg and holds g/1000 kg of N per kg of product.
    const QString content = contentText(fraction);
    const double grams = NumberText::read(content).value;
    const QString cost = NumberText::format(price.value / grams, 4, 3);
    const NumberText::Reading perKg = NumberText::read(cost);
    const double perTonne = perKg.value * 1000.0;
    // Only a cost the economic chart accepts is kept to be handed over.
    const EconomicInputs::Price handed = EconomicInputs::readNCost(returnText(perTonne));
    if (!perKg || !std::isfinite(perTonne) || !handed.ok()) {
        result.failure = Failure::OutOfRange;
        result.message = handed.error;
        return result;
    }

    result.contentText = content;
    result.costText = cost;
    result.nCostPerKg = perKg.value;
    result.nCostPerTonne = perTonne;
    return result;
}
