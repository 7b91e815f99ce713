#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "core/AdviserCase.h"
#include "core/DoseAdvice.h"
#include "core/RateAdvice.h"
#include "core/TableDocument.h"
#include "ui/common/VelmaroWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class CurveSelection;
class EconomicSituation;
class ErrorReporter;
class ReportPrinter;
class ResponseData;
class ScenarioSlots;

// "Dosis recomendada": for every curve drawn on the economic chart, the available N of
// the highest margin, the dose to apply and its product, and the range within a tolerance
// of the best; the season risk of one scenario; and how the dose moves with the prices.
// It follows the economic situation of the case: every complete one refreshes it, a
// refused input leaves the last results and says why in the line at the top.
class RateAdviceWindow : public VelmaroWindow {
    Q_OBJECT
public:
    RateAdviceWindow(const EconomicSituation& situation, const CurveSelection& selection,
                     const ScenarioSlots& scenarioSlots, ErrorReporter& errors, ReportPrinter& printer,
                     QWidget* parent = nullptr);
    ~RateAdviceWindow() override;

    // The fertiliser last chosen in the nitrogen cost assistant (its index among the products).
    void setProduct(int productIndex);

    // Where the optimum table finds which curves come from trial fits: those get the
    // interval of their optimum beside N*.
    void showFitIntervals(const ResponseData& data);

    // Where the basis lines of the copy, the print and the files find the case's working
    // (the cost assistant's product, the soil sample) and the data in use.
    void showBasisOf(const AdviserCase& adviserCase) { case_ = &adviserCase; }

    // Recomputes every table from the last complete economic situation.
    void refresh();

    // The tolerance, the weights, the risk scenario and the marks, as last confirmed.
    AdviserCase::AdviceSettings settings() const;
    // Puts a case's settings in the fields; the tables follow when they read.
    void showSettings(const AdviserCase::AdviceSettings& settings);

    // The tolerance and the season weights every number shown was computed with: the
    // texts last confirmed by Enter or by leaving their fields, and their values.
    double tolerance() const { return tolerance_; }
    const std::array<double, 3>& weights() const { return weights_; }
    QString toleranceText() const { return toleranceText_; }
    const std::array<QString, 3>& weightTexts() const { return weightTexts_; }

    // The three tables as text, cells separated by `separator` (tab for the clipboard,
    // comma for CSV files), each under its title.
    QStringList tablesAsText(QChar separator) const;
    // The tables with the basis above them: tab-separated text and an HTML table.
    void copyToClipboard() const;
    // Writes the CSV file (in the form chosen in "Datos de respuesta") or the .xlsx file;
    // a file that cannot be written is reported, naming it.
    bool exportCsv(const QString& path);
    bool exportXlsx(const QString& path);
    void print();

    // Where "Exportar CSV…" asks for the file; tests answer without a dialog.
    using SavePathChooser = std::function<QString(QWidget* parent)>;
    void setSavePathChooser(SavePathChooser chooser) { choosePath_ = std::move(chooser); }
    void setXlsxPathChooser(SavePathChooser chooser) { chooseXlsxPath_ = std::move(chooser); }

    // The input row, the three tables, the scenario list and the buttons.
    QList<QRect> keepClearOnScreen() const override;

Q_SIGNALS:
    // The optima to mark on the economic chart; empty when the marks are switched off.
    void marksChanged(const std::vector<RateAdvice::Mark>& marks);
    void helpRequested();
    void reportRequested();
    // The adviser confirmed a setting (Enter in a field, a scenario chosen, the marks switched).
    void settingsEdited();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildInputs(QWidget* row);
    // Takes the tolerance, or the three weights together, as their fields stand; a refused
    // text is marked in its field, said once until it is edited, and changes nothing.
    void confirmTolerance();
    void confirmWeights();
    // Whether the reference leaves any dose to weigh within the table.
    bool evaluable() const;
    void refuse(const QString& reason);
    // The optimum of every curve drawn, which the chart marks even while this window is hidden.
    void computeOptima();
    void fillOptimumTable();
    void fillRiskTable();
    void fillSensitivityTable();
    void publishMarks();
    // What the tables are computed from: the situation, the curves shown, the slots, the
    // settings confirmed here, the product and the fits.
    DoseAdvice::Inputs inputs() const;
    QString headerLine() const;
    TableDocument document() const;
    // The scenarios, the prices and reference in use, the tolerance and weights confirmed
    // here, and the data source.
    QStringList basisLines() const;

    const EconomicSituation& situation_;
    const CurveSelection& selection_;
    const ScenarioSlots& slots_;
    ErrorReporter& errors_;
    ReportPrinter& printer_;
    SavePathChooser choosePath_;
    SavePathChooser chooseXlsxPath_;
    const ResponseData* fitData_ = nullptr;
    const AdviserCase* case_ = nullptr;

    QLabel* statusLabel_ = nullptr;
    QWidget* inputRow_ = nullptr;
    QLineEdit* toleranceEdit_ = nullptr;
    std::array<QLineEdit*, 3> weightEdits_{}; // 20 %, Medio, 80 %
    QCheckBox* marksCheck_ = nullptr;
    QTableWidget* optimumTable_ = nullptr;
    QComboBox* riskSlotChooser_ = nullptr;
    QTableWidget* riskTable_ = nullptr;
    QLabel* valueOfKnowingLabel_ = nullptr;
    QLabel* sensitivityTitle_ = nullptr;
    QTableWidget* sensitivityTable_ = nullptr;

    double tolerance_ = 2.5;
    std::array<double, 3> weights_{0.25, 0.50, 0.25};
    QString toleranceText_ = QStringLiteral("2.5");
    std::array<QString, 3> weightTexts_{QStringLiteral("0.25"), QStringLiteral("0.50"), QStringLiteral("0.25")};
    std::optional<QString> reportedTolerance_;              // the refused text already said
    std::optional<std::array<QString, 3>> reportedWeights_; // the refused texts already said
    int product_ = -1;
    int riskSlot_ = 1;                        // the scenario chosen for the season risk, kept while it is inactive
    std::vector<int> rowCurves_;              // curve k of each optimum row
    std::vector<RateAdvice::Optimum> optima_; // per row
    bool tablesStale_ = false;                // the tables wait for the next showing
};
