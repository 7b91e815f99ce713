#pragma once

#include <array>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>

#include "ui/common/Seams.h"

class QWidget;
class MainWindow;
class ScenarioDialog;
class CurveSelectionWindow;
class YieldChartWindow;
class EconomicChartWindow;
class NitrogenCostWindow;
class SoilNitrogenWindow;
class MapChooserWindow;
class SiteMapWindow;
class ScenarioSlots;
class CurveSelection;
class EconomicSituation;
class RateAdviceWindow;
class ReportWindow;
class ErrorReporter;
class MessageBoxes;
class ProgramLauncher;
class ReportPrinter;
class AxisSliderWindow;
class ChartTitleWindow;
class CurveChart;
class ChartPrintDialog;
class PrintTarget;
class FileChooser;
class ResponseData;
class ResponseDataWindow;
class AdviserCase;
class CaseActions;
class CaseWindow;

// Every window of the program, created once at start-up in a fixed order (the main
// window first) and wired together here. Windows never reach into each other's
// widgets: they share small models and signals connected in this class.
class WindowSet : public QObject {
    Q_OBJECT
public:
    // Seams left empty are the real ones: message boxes, error report, other programs.
    explicit WindowSet(const Seams& seams = {});
    ~WindowSet() override;

    // Shows the main window, maximised. Nothing else is visible at start. Work a crash
    // left unsaved is offered; then the case file named, if any, is opened.
    void start(const QString& casePath = {});

    MainWindow& mainWindow() const { return *mainWindow_; }
    ScenarioSlots& scenarioSlots() const { return *slots_; }
    ScenarioDialog& scenarioDialog() const { return *scenarioDialog_; }
    CurveSelectionWindow& curveSelection() const { return *curveSelection_; }
    CurveSelection& curveSelectionModel() const { return *curveSelectionModel_; }
    YieldChartWindow& yieldChart() const { return *yieldChart_; }
    EconomicChartWindow& economicChart() const { return *economicChart_; }
    ResponseData& responseData() const { return *responseData_; }
    AdviserCase& adviserCase() const { return *case_; }
    CaseActions& caseActions() const { return *caseActions_; }

    // The window with this object name ("TForm1" ... "TForm37"), or nullptr.
    QWidget* window(const QString& objectName) const;

    // The program's own 37 windows in order of creation.
    std::vector<QWidget*> windows() const;
    // The windows that came after them (the dose advice and its help, the report, ...), in
    // order of creation.
    std::vector<QWidget*> addedWindows() const;
    RateAdviceWindow& rateAdvice() const { return *rateAdvice_; }

Q_SIGNALS:
    // The main window was closed: the run ends.
    void quitRequested();

private:
    template <typename Window> Window* adopt(Window* window);
    void wireMainWindow();
    void wireYieldChart();
    void wireEconomicChart();
    void createRateAdvice();
    void createReport();
    void wireMaps();
    // `lead`: what the printout is, at the head of the PDF name the case completes.
    void wireChartPrinting(ChartPrintDialog* dialog, CurveChart& chart, const QString& lead);
    void wireChartEditors(AxisSliderWindow* axes, ChartTitleWindow* titles, CurveChart& chart);
    // Shows or hides the curve selection; the caption the chart's button takes.
    QString toggleCurveSelection();
    // Puts the curve selection, which stays on top, clear of what the adviser types in or
    // reads in the windows it floats over.
    void placeCurveSelection();
    void presentByName(const QString& objectName);
    void wireResponseData();
    void wireCase();
    // The case's texts of the economic chart's three inputs, as they stand in it.
    void bringChartInputsIn();
    // A reopened or recovered case: the assistants show its working, the shown charts redraw.
    void showReplacedCase();
    void showCaseTitle();
    // The economic situation, and so the dose advice, worked out from the case alone.
    void adviseFromCase();

    // Brings a window forward, showing it if hidden.
    static void present(QWidget* window);
    static void fillScreen(QWidget* window);
    static void showRestored(QWidget* window);

    std::unique_ptr<MessageBoxes> ownMessages_;
    std::unique_ptr<ErrorReporter> ownErrors_;
    std::unique_ptr<ProgramLauncher> ownLauncher_;
    std::unique_ptr<ReportPrinter> ownReportPrinter_;
    std::unique_ptr<PrintTarget> ownPrintTarget_;
    std::unique_ptr<FileChooser> ownFiles_;
    Seams seams_;
    std::unique_ptr<ScenarioSlots> slots_;
    std::unique_ptr<CurveSelection> curveSelectionModel_;
    std::unique_ptr<EconomicSituation> economicSituation_;
    std::unique_ptr<ResponseData> responseData_; // the table every lookup uses
    std::unique_ptr<AdviserCase> case_;          // wraps the slots, the selection and the data
    std::unique_ptr<CaseActions> caseActions_;
    CaseWindow* caseWindow_ = nullptr;
    std::vector<std::unique_ptr<QWidget>> windows_;
    std::vector<std::unique_ptr<QWidget>> addedWindows_;
    RateAdviceWindow* rateAdvice_ = nullptr;
    ReportWindow* report_ = nullptr;
    bool workingFromCase_ = false; // the situation comes from the case, not the chart's fields
    MainWindow* mainWindow_ = nullptr;
    ScenarioDialog* scenarioDialog_ = nullptr;
    CurveSelectionWindow* curveSelection_ = nullptr;
    YieldChartWindow* yieldChart_ = nullptr;
    EconomicChartWindow* economicChart_ = nullptr;
    NitrogenCostWindow* nitrogenCost_ = nullptr;
    SoilNitrogenWindow* soilNitrogen_ = nullptr;
    MapChooserWindow* mapChooser_ = nullptr;
    std::array<SiteMapWindow*, 5> siteMaps_{}; // in the chooser's order, Gualeguay first
    AxisSliderWindow* yieldAxes_ = nullptr;
    AxisSliderWindow* economicAxes_ = nullptr;
    ChartTitleWindow* yieldTitles_ = nullptr;
    ChartTitleWindow* economicTitles_ = nullptr;
    ResponseDataWindow* responseDataWindow_ = nullptr;
};
