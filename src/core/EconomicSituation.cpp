#include "EconomicSituation.h"

#include "core/EconomicInputs.h"

void EconomicSituation::update(const State& state)
{
    state_ = state;
    hasState_ = true;
    Q_EMIT changed();
}

void EconomicSituation::refuse(const QString& reason)
{
    Q_EMIT refused(reason);
}

EconomicSituation::Worked EconomicSituation::work(const std::array<Curves::Quadratic, Curves::Count>& curves,
                                                  const QString& grainPrice, const QString& nCost,
                                                  const QString& referenceN)
{
    Worked worked;
    const EconomicInputs::Prices prices = EconomicInputs::readPrices(grainPrice, nCost);
    if (!prices.ok()) {
        worked.priceError = prices.error;
        return worked;
    }
    State& s = worked.state;
    s.curves = curves;
    s.table.fillYields(curves);
    s.table.rebuild(prices.grainPrice, prices.nCost);
    s.grainPrice = prices.grainPrice;
    s.nCost = prices.nCost;
    const EconomicInputs::ReferenceN reference = EconomicInputs::readReferenceN(referenceN);
    if (!reference.ok()) {
        worked.referenceError = reference.error;
        return worked;
    }
    worked.referenceBelowLowest = reference.belowLowest();
    s.referenceN = reference.effective();
    return worked;
}

bool EconomicSituation::recompute(const ScenarioSlots& scenarioSlots, const QString& grainPrice, const QString& nCost,
                                  const QString& referenceN)
{
    const Worked worked = work(Curves::capture(scenarioSlots), grainPrice, nCost, referenceN);
    if (!worked.ok()) {
        refuse(worked.priceError.isEmpty() ? worked.referenceError : worked.priceError);
        return false;
    }
    update(worked.state);
    return true;
}
