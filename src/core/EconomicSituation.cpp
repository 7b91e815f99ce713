#include "EconomicSituation.h"

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
