#pragma once

#include <array>

#include <QObject>

#include "core/SlotRecord.h"

// The three scenario slots shared by the main window, the scenario dialog and the
// chart windows. Every change goes through here and is announced, so each window
// shows the slot as it stands without reaching into another window.
class ScenarioSlots : public QObject {
    Q_OBJECT
public:
    static constexpr int SlotCount = 3;

    explicit ScenarioSlots(QObject* parent = nullptr);

    const SlotRecord& slot(int slot) const; // 1 to 3

    // A scenario confirmed in the dialog: names and pending letters are written, the
    // panel is shown and "Activar" is ticked. Code and coefficients wait for "Graficar".
    void confirm(int slot, const QString& siteName, const QString& unitName, const QString& cultivarName,
                 const QString& waterName, const QString& siteLetter, const QString& unitLetter,
                 const QString& cultivarLetter, const QString& waterLetter);

    void setActive(int slot, bool active);

    // A slot exactly as a reopened case holds it; the record's own slot number says which.
    void replace(const SlotRecord& record);

    // "Graficar": composes the codes of slots 1, 2, 3, then looks up slots 1, 2, 3.
    void composeAndLookUp(const ResponseTable& table);
    // The table in use changed: the codes already composed are looked up in it again; a
    // scenario confirmed and not yet plotted stays pending.
    void lookUpAgain(const ResponseTable& table);

Q_SIGNALS:
    void slotChanged(int slot);
    // The coefficients were looked up again: whatever is drawn or computed from them follows.
    void curvesChanged();

private:
    SlotRecord& record(int slot);
    // Looks every slot up in `table`; announces the slots that differ from `before`, then
    // the curves.
    void lookUp(const ResponseTable& table, const std::array<SlotRecord, SlotCount>& before);
    std::array<SlotRecord, SlotCount> slots_;
};
