#pragma once

#include "ui/common/VelmaroWindow.h"

class ScenarioSlots;
class ResponseTable;

// The program's home: the banner, the toolbar that leads to every task and the three
// scenario slots. Closing it ends the run.
class MainWindow : public VelmaroWindow {
    Q_OBJECT
public:
    MainWindow(ScenarioSlots& slots, const ResponseTable& table, QWidget* parent = nullptr);

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ScenarioSlots& slots_;
    const ResponseTable& table_;
};
