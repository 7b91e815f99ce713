#pragma once

#include <array>

#include <QObject>

#include "core/Curves.h"

class ScenarioSlots;

// Which of the nine curves both charts draw, and which may be chosen at all. At start the
// three Medio curves are shown. The slot rules offer only the curves of active slots: an
// active slot gets its Medio curve shown (80 % and 20 % keep their state); an inactive
// slot gets all three hidden and not offered.
class CurveSelection : public QObject {
    Q_OBJECT
public:
    explicit CurveSelection(QObject* parent = nullptr);

    bool isShown(int k) const; // curve k = 1 to 9
    std::array<bool, Curves::Count> shownCurves() const;
    bool isOffered(int slot) const; // slot 1 to 3
    std::array<bool, 3> offeredSlots() const { return offered_; }

    void setShown(int k, bool shown);
    void applySlotRules(const ScenarioSlots& scenarioSlots);
    // The selection exactly as a reopened case holds it.
    void restore(const std::array<bool, Curves::Count>& shown, const std::array<bool, 3>& offered);

Q_SIGNALS:
    void shownChanged(int k, bool shown);
    void offeredChanged(int slot, bool offered);

private:
    std::array<bool, Curves::Count> shown_{};
    std::array<bool, 3> offered_{true, true, true};
};
