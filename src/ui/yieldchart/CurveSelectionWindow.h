#pragma once

#include <array>

#include "ui/common/VelmaroWindow.h"

class QCheckBox;
class CurveSelection;
class HelpMark;
class ScenarioSlots;

// "Seleccione las curvas que desea ver": nine boxes over the shared curve selection that
// both charts draw from. It floats above the charts, cannot be closed from its title bar,
// and offers only the curves of active slots.
class CurveSelectionWindow : public VelmaroWindow {
    Q_OBJECT
public:
    CurveSelectionWindow(CurveSelection& selection, const ScenarioSlots& scenarioSlots, QWidget* parent = nullptr);

    // The caption of the charts' button that shows or hides this window.
    static QString toggleCaption(bool selectionVisible);

    // Re-reads the slots' "Activar" boxes through the slot rules.
    void onActivated() override;

    // Moves where it covers none of `keepClear` (screen coordinates), unless the adviser has
    // moved it: then it stays where it was put.
    void placeClearOf(const QList<QRect>& keepClear);
    bool movedByAdviser() const { return movedByAdviser_; }

Q_SIGNALS:
    void helpRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QCheckBox* boxFor(int k) const;

    CurveSelection& selection_;
    const ScenarioSlots& slots_;
    std::array<QCheckBox*, 9> boxes_{}; // CheckBox1 ... CheckBox9
    HelpMark* help_ = nullptr;
    QPoint placedAt_;             // where the program last put it
    bool movedByAdviser_ = false; // moved through the window manager since
};
