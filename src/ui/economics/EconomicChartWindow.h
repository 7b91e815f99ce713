#pragma once

#include <array>
#include <vector>

#include "core/Curves.h"
#include "core/EconomicTable.h"
#include "core/RateAdvice.h"
#include "ui/common/VelmaroWindow.h"
#include "ui/economics/EconomicInputRow.h"

class QLabel;
class ChartSkeleton;
class QLineEdit;
class QToolButton;
class CurveChart;
class EconomicSituation;
class ErrorReporter;
class ProgramLauncher;
class HelpMark;
class ScenarioSlots;

// "N disp. de referencia": the marginal income of each curve at the net grain price
// against the marginal cost of nitrogen, and the margin over the reference nitrogen read
// under the pointer. Every activation recomputes everything from the slots and the three
// economic inputs of its top row, as they were last confirmed: a value counts once Enter
// or leaving its field confirms it, and a refused one is said once and marked in its field.
class EconomicChartWindow : public VelmaroWindow {
    Q_OBJECT
public:
    static constexpr int CostSeries = 10;

    EconomicChartWindow(const ScenarioSlots& scenarioSlots, EconomicSituation& situation, ErrorReporter& errors,
                        ProgramLauncher& launcher, QWidget* parent = nullptr);
    ~EconomicChartWindow() override;

    CurveChart& chart() const { return *chart_; }
    const EconomicTable& economicTable() const { return table_; }

    // The economic inputs as last confirmed: the texts every number here is computed with.
    QString grainPrice() const { return inputRow_->confirmed(EconomicInputRow::GrainPrice); }
    QString nCost() const { return inputRow_->confirmed(EconomicInputRow::NCost); }
    QString referenceN() const { return inputRow_->confirmed(EconomicInputRow::ReferenceN); }
    // From a reopened case, the nitrogen cost assistant and the soil calculator: confirmed at once.
    void setGrainPrice(const QString& text) { take(EconomicInputRow::GrainPrice, text); }
    void setNCost(const QString& text) { take(EconomicInputRow::NCost, text); }
    void setReferenceN(const QString& text) { take(EconomicInputRow::ReferenceN, text); }

    // The input row and the toolbar, in screen coordinates: windows that serve them open
    // beside them, not over them.
    QRect inputsOnScreen() const;
    // Those and the read-out panel.
    QList<QRect> keepClearOnScreen() const override;

    // Captures the coefficients, fills the yields and redraws with the confirmed inputs.
    void recompute();
    // "Recalcular": confirms the three fields as they stand, then redraws. A refused text
    // changes nothing and is said once per edit.
    void rebuild();

    void setCurveSelectionCaption(const QString& caption);
    // The short note of the data the curves rest on ("datos: incorporados").
    void setDataSourceText(const QString& text);

    // The recommended doses drawn over the chart: a dashed line at each optimum and its
    // profitable range lightly shaded, in the curve's colour. Empty: no marks.
    void setOptimumMarks(const std::vector<RateAdvice::Mark>& marks);

    void readOut(QPoint pixel);
    void clearReadOut();
    void copyToClipboard();

    void onActivated() override;

Q_SIGNALS:
    void windowRequested(const QString& objectName);
    void curveSelectionToggleRequested();
    void lowNitrogenWarning();
    void chartsToClose(); // "Escenarios": this window and the yield chart

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QWidget* buildToolbar();
    void buildChart();
    QWidget* buildReadOutPanel();
    // A value handed in, confirmed at once; the chart redrawn once it has computed anything.
    void take(EconomicInputRow::Field field, const QString& text);
    // Marginal incomes, cost line and series from the confirmed prices, for all to read.
    void redraw();
    // Reports a margin that cannot be computed once per distinct message.
    void reportOnce(const QString& message);

    const ScenarioSlots& slots_;
    EconomicSituation& situation_;
    std::array<Curves::Quadratic, Curves::Count> curves_{};
    ErrorReporter& errors_;
    ProgramLauncher& launcher_;
    CurveChart* chart_ = nullptr;
    EconomicTable table_;

    EconomicInputRow* inputRow_ = nullptr;   // Edit1 to Edit3 with their marks
    QWidget* toolbar_ = nullptr;             // ToolBar1
    QWidget* readOutPanel_ = nullptr;        // Panel2
    QLineEdit* curveNameEdit_ = nullptr;     // Edit4
    QLineEdit* nitrogenEdit_ = nullptr;      // Edit5
    QLineEdit* valueEdit_ = nullptr;         // Edit6
    QLabel* marginLabel_ = nullptr;          // Label13
    ChartSkeleton* skeleton_ = nullptr;      // scenario line Label24, data note, marks
    HelpMark* yAxisMark_ = nullptr;          // Label14
    HelpMark* xAxisMark_ = nullptr;          // Label15
    HelpMark* marginMark_ = nullptr;         // Label10
    QToolButton* selectionButton_ = nullptr; // ToolButton4
    QString lastReported_;
};
