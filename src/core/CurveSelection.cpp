#include "CurveSelection.h"

#include "core/ScenarioSlots.h"

CurveSelection::CurveSelection(QObject* parent) : QObject(parent)
{
    for (int slot = 1; slot <= 3; ++slot)
        shown_[Curves::number(slot, Level::Medio) - 1] = true;
}

bool CurveSelection::isShown(int k) const
{
    return k >= 1 && k <= Curves::Count && shown_[k - 1];
}

std::array<bool, Curves::Count> CurveSelection::shownCurves() const
{
    return shown_;
}

bool CurveSelection::isOffered(int slot) const
{
    return slot >= 1 && slot <= 3 && offered_[slot - 1];
}

void CurveSelection::setShown(int k, bool shown)
{
    if (k < 1 || k > Curves::Count || shown_[k - 1] == shown)
        return;
    shown_[k - 1] = shown;
    Q_EMIT shownChanged(k, shown);
}

void CurveSelection::applySlotRules(const ScenarioSlots& scenarioSlots)
{
    for (int slot = 1; slot <= 3; ++slot) {
        const bool active = scenarioSlots.slot(slot).active;
        for (Level level : {Level::P80, Level::Medio, Level::P20}) {
            const int k = Curves::number(slot, level);
            if (!active)
                setShown(k, false);
            else if (level == Level::Medio)
                setShown(k, true);
        }
        if (offered_[slot - 1] != active) {
            offered_[slot - 1] = active;
            Q_EMIT offeredChanged(slot, active);
        }
    }
}

void CurveSelection::restore(const std::array<bool, Curves::Count>& shown, const std::array<bool, 3>& offered)
{
    for (int k = 1; k <= Curves::Count; ++k)
        setShown(k, shown[k - 1]);
    for (int slot = 1; slot <= 3; ++slot) {
        if (offered_[slot - 1] != offered[slot - 1]) {
            offered_[slot - 1] = offered[slot - 1];
            Q_EMIT offeredChanged(slot, offered[slot - 1]);
        }
    }
}
