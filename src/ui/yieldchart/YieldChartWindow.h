#pragma once

#include <array>

#include "core/Curves.h"
#include "core/YieldTable.h"
#include "ui/common/VelmaroWindow.h"

class QLabel;
class ChartSkeleton;
class QLineEdit;
class QToolButton;
class CurveChart;
class ErrorReporter;
class ProgramLauncher;
class HelpMark;
class ScenarioSlots;

// "Gráfico de rendimiento en función de N disponible": the nine yield curves of the three
// slots against available nitrogen, with the read-out of the curve under the pointer.
// Showing the window captures the coefficients and rebuilds every curve, and so does every
// new lookup while it is open; activating it only re-applies the curve selection.
class YieldChartWindow : public VelmaroWindow {
    Q_OBJECT
public:
    YieldChartWindow(const ScenarioSlots& scenarioSlots, ErrorReporter& errors, ProgramLauncher& launcher,
                     QWidget* parent = nullptr);

    CurveChart& chart() const { return *chart_; }
    const YieldTable& yieldTable() const { return table_; }
    const std::array<Curves::Quadratic, Curves::Count>& coefficients() const { return coefficients_; }

    // Captures the 27 coefficients, fills the yield table, retitles and rebuilds the series.
    void rebuild();

    // The caption of the button that shows or hides the curve selection.
    void setCurveSelectionCaption(const QString& caption);
    // The short note of the data the curves rest on ("datos: incorporados").
    void setDataSourceText(const QString& text);

    // The read-out for a pointer at this chart pixel.
    void readOut(QPoint pixel);

    // Copies the chart to the clipboard as a picture and shows the notice for good.
    void copyToClipboard();

    void onActivated() override;
    // The toolbar and the read-out panel.
    QList<QRect> keepClearOnScreen() const override;

Q_SIGNALS:
    void windowRequested(const QString& objectName);
    void curveSelectionToggleRequested();
    void curveSelectionToHide();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildChart();
    void fitBackground();
    void buildToolbar(QWidget* bar);
    QWidget* buildReadOutPanel();

    const ScenarioSlots& slots_;
    ErrorReporter& errors_;
    ProgramLauncher& launcher_;
    CurveChart* chart_ = nullptr;
    QWidget* toolbar_ = nullptr;
    QWidget* readOutPanel_ = nullptr;
    YieldTable table_;
    std::array<Curves::Quadratic, Curves::Count> coefficients_{};

    QLineEdit* nitrogenEdit_ = nullptr;      // Edit1
    QLineEdit* yieldEdit_ = nullptr;         // Edit2
    QLineEdit* curveNameEdit_ = nullptr;     // Edit3
    ChartSkeleton* skeleton_ = nullptr;      // series, scenario line Label1, data note, axis marks
    QLabel* incrementLabel_ = nullptr;       // Label13
    QLabel* clipboardNotice_[2] = {};        // Label6, Label7
    HelpMark* yieldAxisHelp_ = nullptr;      // Label9
    HelpMark* nitrogenAxisHelp_ = nullptr;   // Label10
    HelpMark* incrementHelp_ = nullptr;      // Label8
    QToolButton* selectionButton_ = nullptr; // ToolButton4
    bool backgroundWanted_ = false;          // from the first showing on
};
