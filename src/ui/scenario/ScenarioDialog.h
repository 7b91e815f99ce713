#pragma once

#include <array>

#include "ui/common/VelmaroWindow.h"

class QLabel;
class QPushButton;
class RadioGroup;
class ScenarioSlots;

// "Elección de escenario": one dialog for the three slots. The heading names the slot
// that OK fills; the selections are shared by the three slots and kept for the run.
class ScenarioDialog : public VelmaroWindow {
    Q_OBJECT
public:
    explicit ScenarioDialog(ScenarioSlots& scenarioSlots, QWidget* parent = nullptr);

    // Shows the dialog (or brings it forward) for slot 1, 2 or 3.
    void openForSlot(int slot);

    QString heading() const;

    // OK: fills the slot the heading names and closes.
    void accept();

    void onActivated() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applySiteRule();

    ScenarioSlots& slots_;
    QLabel* heading_;
    RadioGroup* sites_;
    std::array<RadioGroup*, 5> unitGroups_{};
    RadioGroup* water_;
    RadioGroup* cultivars_;
    QPushButton* ok_;
    bool placed_ = false;
};
