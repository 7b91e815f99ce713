#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/Curves.h"
#include "core/EconomicTable.h"
#include "core/RateAdvice.h"
#include "ui/common/VelmaroWindow.h"

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
// economic inputs of its top row.
class EconomicChartWindow : public VelmaroWindow {
    Q_OBJECT
public:
    static constexpr int CostSeries = 10;

    EconomicChartWindow(const ScenarioSlots& scenarioSlots, EconomicSituation& situation, ErrorReporter& errors,
                        ProgramLauncher& launcher, QWidget* parent = nullptr);

    CurveChart& chart() const { return *chart_; }
    const EconomicTable& economicTable() const { return table_; }

    // The economic inputs as they stand in the fields.
    QString grainPrice() const;
    QString nCost() const;
    QString referenceN() const;
    void setGrainPrice(const QString& text); // from a reopened case
    void setNCost(const QString& text);      // from the nitrogen cost assistant
    void setReferenceN(const QString& text); // from the soil calculator

    // The input row and the toolbar, in screen coordinates: windows that serve them open
    // beside them, not over them.
    QRect inputsOnScreen() const;

    // Captures the coefficients, fills the yields and rebuilds.
    void recompute();
    // Marginal incomes, cost line and series from the current prices; then the check of
    // the reference nitrogen. A price that is not a number changes nothing.
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
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QWidget* buildInputRow();
    QWidget* buildToolbar();
    void buildChart();
    QWidget* buildReadOutPanel();
    void resetInputMarks();
    // Whether both prices read as numbers; the bad one is reported, naming its field.
    bool pricesReadable();
    // Reports a bad number once per distinct text, so pointer moves raise no storm.
    void reportOnce(const QString& message);
    // Reports a bad reference N once for the text that holds it.
    void reportReferenceOnce(const QString& message);

    const ScenarioSlots& slots_;
    EconomicSituation& situation_;
    std::array<Curves::Quadratic, Curves::Count> curves_{};
    ErrorReporter& errors_;
    ProgramLauncher& launcher_;
    CurveChart* chart_ = nullptr;
    EconomicTable table_;

    QWidget* inputRow_ = nullptr;
    QWidget* toolbar_ = nullptr;             // ToolBar1
    QLineEdit* grainPriceEdit_ = nullptr;    // Edit1
    QLineEdit* nCostEdit_ = nullptr;         // Edit2
    QLineEdit* referenceNEdit_ = nullptr;    // Edit3
    QLineEdit* curveNameEdit_ = nullptr;     // Edit4
    QLineEdit* nitrogenEdit_ = nullptr;      // Edit5
    QLineEdit* valueEdit_ = nullptr;         // Edit6
    QLabel* marginLabel_ = nullptr;          // Label13
    ChartSkeleton* skeleton_ = nullptr;      // scenario line Label24, data note, marks
    std::array<HelpMark*, 3> inputMarks_{};  // Label16, Label17, Label18
    HelpMark* yAxisMark_ = nullptr;          // Label14
    HelpMark* xAxisMark_ = nullptr;          // Label15
    HelpMark* marginMark_ = nullptr;         // Label10
    QToolButton* selectionButton_ = nullptr; // ToolButton4
    QString lastReported_;
    std::optional<QString> reportedReference_; // the bad reference N text already reported
};
