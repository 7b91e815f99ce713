#pragma once

#include <array>

#include <QStringList>

#include "core/AppliedFunctions.h"
#include "ui/common/VelmaroWindow.h"

class QLabel;
class QPushButton;
class ReportPrinter;
class ScenarioSlots;

// "Funciones aplicadas": the nine yield equations of the three slots with their
// coefficients exactly as the table holds them. A row shows only once its slot has
// received coefficients. "Imprimir" and "Copiar" turn the equations of the active slots
// into a short report for the printer or the clipboard.
class AppliedFunctionsWindow : public VelmaroWindow {
    Q_OBJECT
public:
    AppliedFunctionsWindow(const ScenarioSlots& scenarioSlots, ReportPrinter& printer, QWidget* parent = nullptr);

    // Refreshes which rows are shown and the nine equations; also whenever the slots'
    // coefficients are looked up again.
    void onActivated() override;

    // The report of the equations set at the last activation, for the slots active now.
    QStringList reportLines() const;

    // "Imprimir": returns whether the report was printed.
    bool printReport();
    // "Copiar": the report as plain text on the clipboard.
    void copyReport();

    // The font the report is printed in.
    static QFont reportFont();

private:
    const ScenarioSlots& slots_;
    ReportPrinter& printer_;
    // Equation labels and the texts they show, by slot (0-based) and Level.
    std::array<std::array<QLabel*, 3>, AppliedFunctions::SlotCount> equationLabels_{};
    std::array<AppliedFunctions::SlotEquations, AppliedFunctions::SlotCount> equations_;
    QPushButton* print_;
    QPushButton* copy_;
};
