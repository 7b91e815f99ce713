#include "ScenarioSlots.h"

#include <algorithm>

ScenarioSlots::ScenarioSlots(QObject* parent)
    : QObject(parent),
      slots_{SlotRecord::initial(1), SlotRecord::initial(2), SlotRecord::initial(3)}
{
}

const SlotRecord& ScenarioSlots::slot(int slot) const
{
    return slots_[std::clamp(slot, 1, SlotCount) - 1];
}

SlotRecord& ScenarioSlots::record(int slot)
{
    return slots_[std::clamp(slot, 1, SlotCount) - 1];
}

void ScenarioSlots::confirm(int slot, const QString& siteName, const QString& unitName, const QString& cultivarName,
                            const QString& waterName, const QString& siteLetter, const QString& unitLetter,
                            const QString& cultivarLetter, const QString& waterLetter)
{
    if (slot < 1 || slot > SlotCount)
        return;
    SlotRecord& r = record(slot);
    r.siteName = siteName;
    r.unitName = unitName;
    r.cultivarName = cultivarName;
    r.waterName = waterName;
    r.siteLetter = siteLetter;
    r.unitLetter = unitLetter;
    r.cultivarLetter = cultivarLetter;
    r.waterLetter = waterLetter;
    r.panelShown = true;
    r.active = true;
    Q_EMIT slotChanged(slot);
}

void ScenarioSlots::setActive(int slot, bool active)
{
    if (slot < 1 || slot > SlotCount || record(slot).active == active)
        return;
    record(slot).active = active;
    Q_EMIT slotChanged(slot);
}

void ScenarioSlots::replace(const SlotRecord& record)
{
    if (record.slot < 1 || record.slot > SlotCount || slot(record.slot) == record)
        return;
    this->record(record.slot) = record;
    Q_EMIT slotChanged(record.slot);
}

void ScenarioSlots::composeAndLookUp(const ResponseTable& table)
{
    const auto before = slots_;
    for (SlotRecord& r : slots_)
        r.compose();
    lookUp(table, before);
}

void ScenarioSlots::lookUpAgain(const ResponseTable& table)
{
    const auto before = slots_; // a copy: the slots change below
    lookUp(table, before);
}

void ScenarioSlots::lookUp(const ResponseTable& table, const std::array<SlotRecord, SlotCount>& before)
{
    for (SlotRecord& r : slots_)
        r.lookUp(table);
    // Drawing again what is already drawn changes no slot: a saved case stays saved.
    for (int slot = 1; slot <= SlotCount; ++slot)
        if (!(slots_[slot - 1] == before[slot - 1]))
            Q_EMIT slotChanged(slot);
    Q_EMIT curvesChanged();
}
