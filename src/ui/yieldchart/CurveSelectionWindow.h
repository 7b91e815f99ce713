#pragma once

#include <array>

#include "ui/common/VelmaroWindow.h"

class QCheckBox;
class HelpMark;
class ScenarioSlots;

// "Seleccione las curvas que desea ver": nine boxes that decide which curves both charts
// draw. It floats above the charts, cannot be closed from its title bar, and offers only
// the curves of active slots.
class CurveSelectionWindow : public VelmaroWindow {
    Q_OBJECT
public:
    explicit CurveSelectionWindow(const ScenarioSlots& scenarioSlots, QWidget* parent = nullptr);

    bool isTicked(int k) const;
    std::array<bool, 9> tickedCurves() const;

    // Active slots get their Medio box ticked and their boxes enabled (80 % and 20 % keep
    // their state); inactive slots get all three unticked and disabled.
    void applySlotRules();

    void onActivated() override;

Q_SIGNALS:
    // A box changed, by the user or by the slot rules: curve k is to be shown or hidden.
    void curveToggled(int k, bool shown);
    void helpRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QCheckBox* boxFor(int k) const;

    const ScenarioSlots& slots_;
    std::array<QCheckBox*, 9> boxes_{}; // CheckBox1 ... CheckBox9
    HelpMark* help_ = nullptr;
};
