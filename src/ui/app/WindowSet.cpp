#include "WindowSet.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "core/AdviserCase.h"
#include "core/CaseRecovery.h"
#include "core/CurveSelection.h"
#include "core/EconomicInputs.h"
#include "core/EconomicSituation.h"
#include "core/ReportContent.h"
#include "core/ResponseData.h"
#include "core/ResponseTable.h"
#include "core/ScenarioSlots.h"
#include "ui/advice/RateAdviceWindow.h"
#include "ui/app/MainWindow.h"
#include "ui/cases/CaseActions.h"
#include "ui/cases/CaseWindow.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/AxisSliderWindow.h"
#include "ui/common/ChartTitleWindow.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FileChooser.h"
#include "ui/common/FirstShowing.h"
#include "ui/common/FocusRing.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/ProgramLauncher.h"
#include "ui/common/VelmaroWindow.h"
#include "ui/common/WindowNames.h"
#include "ui/data/ResponseDataWindow.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/economics/NitrogenCostWindow.h"
#include "ui/info/CreditsWindow.h"
#include "ui/info/HelpWindow.h"
#include "ui/info/HelpWindows.h"
#include "ui/info/MapChooserWindow.h"
#include "ui/info/SiteMapWindow.h"
#include "ui/info/WarningWindow.h"
#include "ui/printing/ChartPrintDialog.h"
#include "ui/printing/ChartPrinter.h"
#include "ui/printing/HelpPrintWindow.h"
#include "ui/printing/PrintTarget.h"
#include "ui/printing/ReportPrinter.h"
#include "ui/report/ChartFigure.h"
#include "ui/report/ReportWindow.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/soiln/SoilNitrogenWindow.h"
#include "ui/yieldchart/AppliedFunctionsWindow.h"
#include "ui/yieldchart/CurveSelectionWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"
#include <QSettings>

template <typename Window> Window* WindowSet::adopt(Window* window)
{
    windows_.push_back(std::unique_ptr<QWidget>(window));
    return window;
}

WindowSet::WindowSet(const Seams& seams)
    : seams_(seams),
      slots_(std::make_unique<ScenarioSlots>()),
      curveSelectionModel_(std::make_unique<CurveSelection>()),
      economicSituation_(std::make_unique<EconomicSituation>()),
      responseData_(std::make_unique<ResponseData>()),
      case_(std::make_unique<AdviserCase>(*slots_, *curveSelectionModel_, *responseData_))
{
    if (!seams_.messages) {
        ownMessages_ = std::make_unique<DialogMessageBoxes>();
        seams_.messages = ownMessages_.get();
    }
    if (!seams_.errors) {
        ownErrors_ = std::make_unique<DialogErrorReporter>();
        seams_.errors = ownErrors_.get();
    }
    if (!seams_.printTarget) {
        ownPrintTarget_ = std::make_unique<SystemPrintTarget>(*seams_.messages);
        seams_.printTarget = ownPrintTarget_.get();
    }
    if (!seams_.reportPrinter) {
        ownReportPrinter_ = std::make_unique<DialogReportPrinter>(seams_.errors, seams_.printTarget);
        seams_.reportPrinter = ownReportPrinter_.get();
    }
    if (!seams_.files) {
        ownFiles_ = std::make_unique<DialogFileChooser>();
        seams_.files = ownFiles_.get();
    }
    if (!seams_.launcher) {
        ownLauncher_ = std::make_unique<SystemProgramLauncher>();
        seams_.launcher = ownLauncher_.get();
    }

    QCoreApplication::setApplicationName(QStringLiteral("velmaro"));
    QLocale::setDefault(QLocale::c());

    // Created once, in this order, the main window first.
    auto help = [this](std::initializer_list<const char*> names) {
        for (const char* name : names)
            adopt(HelpWindows::create(QLatin1String(name)).release());
    };
    mainWindow_ =
        adopt(new MainWindow(*slots_, responseData_->table(), *seams_.messages, *seams_.errors, *seams_.launcher));
    scenarioDialog_ = adopt(new ScenarioDialog(*slots_));
    curveSelection_ = adopt(new CurveSelectionWindow(*curveSelectionModel_, *slots_));
    siteMaps_[3] = adopt(SiteMapWindow::create(3).release()); // Paraná
    siteMaps_[2] = adopt(SiteMapWindow::create(2).release()); // Reconquista
    yieldAxes_ = adopt(AxisSliderWindow::yieldAxisWindow().release());
    auto* yieldPrint = adopt(new ChartPrintDialog(QString(WindowNames::YieldPrint), QStringLiteral("Imprimir")));
    yieldTitles_ = adopt(ChartTitleWindow::yieldTitleWindow().release());
    adopt(new AppliedFunctionsWindow(*slots_, *seams_.reportPrinter));
    help({WindowNames::YieldChartHelp.data(), WindowNames::YieldAxisHelp.data(), WindowNames::NitrogenAxisHelp.data(),
          WindowNames::IncrementHelp.data(), WindowNames::CurveChoiceHelp.data()});
    nitrogenCost_ = adopt(new NitrogenCostWindow(*seams_.messages, *seams_.errors));
    adopt(new WarningWindow);
    auto* economicPrint =
        adopt(new ChartPrintDialog(QString(WindowNames::EconomicPrint), QStringLiteral("Imprimir gráfico económico")));
    economicTitles_ = adopt(ChartTitleWindow::economicTitleWindow().release());
    economicAxes_ = adopt(AxisSliderWindow::economicAxisWindow().release());
    help({WindowNames::MarginAxisHelp.data(), WindowNames::EconomicNitrogenAxisHelp.data(),
          WindowNames::MarginHelp.data(), WindowNames::GrainPriceHelp.data(), WindowNames::NitrogenCostHelp.data(),
          WindowNames::ReferenceNHelp.data()});
    soilNitrogen_ = adopt(new SoilNitrogenWindow(*seams_.errors));
    help({WindowNames::SoilReferenceHelp.data()});
    adopt(HelpWindow::createMissingInputNotice().release());
    economicChart_ = adopt(new EconomicChartWindow(*slots_, *economicSituation_, *seams_.errors, *seams_.launcher));
    yieldChart_ = adopt(new YieldChartWindow(*slots_, *seams_.errors, *seams_.launcher));
    // The map of an area that no list offers: created, never shown.
    adopt(new VelmaroWindow(QString(WindowNames::MapVictoria), QStringLiteral("Mapa de Victoria")));
    mapChooser_ = adopt(new MapChooserWindow);
    siteMaps_[4] = adopt(SiteMapWindow::create(4).release()); // Rafaela
    adopt(new CreditsWindow);
    siteMaps_[1] = adopt(SiteMapWindow::create(1).release()); // Gualeguaychú
    siteMaps_[0] = adopt(SiteMapWindow::create(0).release()); // Gualeguay
    adopt(new HelpPrintWindow(*seams_.printTarget, *seams_.errors));
    // Beyond the program's own 37: the adviser's data, the dose advice and its help.
    responseDataWindow_ = new ResponseDataWindow(*responseData_, *seams_.errors, *seams_.files, *seams_.messages);
    addedWindows_.emplace_back(responseDataWindow_);

    wireMainWindow();
    wireYieldChart();
    wireEconomicChart();
    wireChartEditors(yieldAxes_, yieldTitles_, yieldChart_->chart());
    wireChartEditors(economicAxes_, economicTitles_, economicChart_->chart());
    wireMaps();
    wireChartPrinting(yieldPrint, yieldChart_->chart(), QStringLiteral("Gráfico de rendimiento"));
    wireChartPrinting(economicPrint, economicChart_->chart(), QStringLiteral("Gráfico económico"));
    createRateAdvice();
    wireResponseData();
    wireCase();
    createReport();

    // The keyboard focus is marked plainly in every window, whatever the style draws.
    FocusRing::follow(this);

    // Screen readers name every control by the words a sighted adviser reads beside it,
    // from the window's first showing on (a closed window is not read).
    for (const auto* list : {&windows_, &addedWindows_})
        for (const auto& window : *list)
            FirstShowing::run(window.get(), [w = window.get()] { AccessibleNames::apply(*w); });

    // Qt polishes every new control from the event loop, which would prepare all the
    // windows' controls before the main window is first painted. A window polishes its
    // controls as it first shows, so the start leaves that to each window.
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
}

void WindowSet::createRateAdvice()
{
    rateAdvice_ = new RateAdviceWindow(*economicSituation_, *curveSelectionModel_, *slots_, *seams_.errors,
                                       *seams_.reportPrinter);
    addedWindows_.emplace_back(rateAdvice_);
    QFile help(QStringLiteral(":/help/RateAdvice.html"));
    const QString text = help.open(QIODevice::ReadOnly) ? QString::fromUtf8(help.readAll()).trimmed() : QString();
    auto* adviceHelp =
        new HelpWindow(QStringLiteral("RateAdviceHelpWindow"), QStringLiteral("Ayuda: dosis recomendada"), text);
    addedWindows_.emplace_back(adviceHelp);

    rateAdvice_->showFitIntervals(*responseData_);
    connect(rateAdvice_, &RateAdviceWindow::marksChanged, economicChart_, &EconomicChartWindow::setOptimumMarks);
    connect(rateAdvice_, &RateAdviceWindow::helpRequested, this, [adviceHelp] { present(adviceHelp); });
    connect(nitrogenCost_, &NitrogenCostWindow::productChosen, rateAdvice_, &RateAdviceWindow::setProduct);
}

void WindowSet::createReport()
{
    report_ = new ReportWindow(*case_, *economicSituation_, *seams_.printTarget, *seams_.files, *seams_.errors);
    addedWindows_.emplace_back(report_);
    // Both charts as they stand, drawn for the page.
    report_->setChartSource([this] {
        return QList<QPicture>{ChartFigure::draw(yieldChart_->chart()), ChartFigure::draw(economicChart_->chart())};
    });
    rateAdvice_->showBasisOf(*case_);
    connect(nitrogenCost_, &NitrogenCostWindow::productChosen, report_, &ReportWindow::setProduct);
    const auto open = [this] {
        // The case's advice and both charts drawn from it, whichever windows are shown.
        curveSelectionModel_->applySlotRules(*slots_);
        if (!economicChart_->isVisible()) {
            adviseFromCase();
            economicChart_->recompute();
        }
        if (!yieldChart_->isVisible())
            yieldChart_->rebuild();
        // The curves of the selection, as each chart shows them when it is activated.
        for (CurveChart* chart : {&yieldChart_->chart(), &economicChart_->chart()})
            chart->showCurves(curveSelectionModel_->shownCurves());
        present(report_);
    };
    connect(mainWindow_, &MainWindow::reportRequested, this, open);
    connect(rateAdvice_, &RateAdviceWindow::reportRequested, this, open);
}

void WindowSet::wireResponseData()
{
    QFile help(QStringLiteral(":/help/ResponseData.html"));
    const QString text = help.open(QIODevice::ReadOnly) ? QString::fromUtf8(help.readAll()).trimmed() : QString();
    auto* dataHelp =
        new HelpWindow(QStringLiteral("ResponseDataHelpWindow"), QStringLiteral("Ayuda: datos de respuesta"), text);
    addedWindows_.emplace_back(dataHelp);
    connect(responseDataWindow_, &ResponseDataWindow::helpRequested, this, [dataHelp] { present(dataHelp); });

    // The charts name the data they rest on; the choice is kept for the next session.
    auto label = [this] {
        yieldChart_->setDataSourceText(responseData_->shortLabel());
        economicChart_->setDataSourceText(responseData_->shortLabel());
    };
    label();
    connect(responseData_.get(), &ResponseData::changed, this, [this, label] {
        label();
        slots_->lookUpAgain(responseData_->table()); // the curves follow the table at once
        // The adviser's own choice is kept; the data a case brings stay with the case.
        if (case_->isApplying())
            return;
        QSettings settings(QStringLiteral("Velmaro"), QStringLiteral("velmaro")); // the program's own
        QString error;
        if (!responseData_->save(settings, &error))
            seams_.errors->report(responseDataWindow_,
                                  error +
                                      QStringLiteral("\nLa tabla en uso vale para esta sesión; el próximo inicio "
                                                     "no la recordará."));
    });
    connect(mainWindow_, &MainWindow::responseDataRequested, this, [this] { present(responseDataWindow_); });

    // The fits' optima at the prices in use: the economic chart's last complete state, or
    // its inputs as they stand before it is first drawn.
    const EconomicInputs::Prices opening =
        EconomicInputs::readPrices(economicChart_->grainPrice(), economicChart_->nCost());
    const EconomicInputs::ReferenceN reference = EconomicInputs::readReferenceN(economicChart_->referenceN());
    if (opening.ok() && reference.ok())
        responseDataWindow_->setPrices(opening.grainPrice, opening.nCost, reference.effective());
    connect(economicSituation_.get(), &EconomicSituation::changed, responseDataWindow_, [this] {
        const EconomicSituation::State& s = economicSituation_->state();
        responseDataWindow_->setPrices(s.grainPrice, s.nCost, s.referenceN);
    });
}

void WindowSet::wireCase()
{
    caseWindow_ = new CaseWindow(*case_);
    addedWindows_.emplace_back(caseWindow_);
    caseActions_ = std::make_unique<CaseActions>(*case_, seams_, mainWindow_, CaseRecovery::defaultFolder());
    caseActions_->setBeforeWriting([this] { bringChartInputsIn(); });

    connect(mainWindow_, &MainWindow::openCaseRequested, caseActions_.get(), &CaseActions::open);
    connect(mainWindow_, &MainWindow::saveCaseRequested, caseActions_.get(), &CaseActions::save);
    connect(mainWindow_, &MainWindow::saveCaseAsRequested, caseActions_.get(), &CaseActions::saveAs);
    connect(mainWindow_, &MainWindow::recentCaseRequested, caseActions_.get(), &CaseActions::openPath);
    connect(mainWindow_, &MainWindow::caseWindowRequested, this, [this] { present(caseWindow_); });
    connect(caseActions_.get(), &CaseActions::recentCasesChanged, mainWindow_, &MainWindow::setRecentCases);
    connect(caseActions_.get(), &CaseActions::caseReplaced, this, &WindowSet::showReplacedCase);
    mainWindow_->setRecentCases(caseActions_->recentCases());
    mainWindow_->setCloseGuard([this] { return caseActions_->maySetAside(); });
    connect(case_.get(), &AdviserCase::modifiedChanged, this, &WindowSet::showCaseTitle);
    connect(case_.get(), &AdviserCase::filePathChanged, this, &WindowSet::showCaseTitle);
    connect(case_.get(), &AdviserCase::identityChanged, this, &WindowSet::showCaseTitle);

    // The economic chart's inputs: the case hears of them at every complete or refused
    // rebuild (and before it is written), and puts its own in the fields when reopened.
    const auto fromChart = [this] {
        // A case being put in place hands its values to the chart one by one: the chart's
        // redraws in between hold a mix, which must not flow back.
        if (!workingFromCase_ && !case_->isApplying())
            bringChartInputsIn();
    };
    connect(economicSituation_.get(), &EconomicSituation::changed, this, fromChart);
    connect(economicSituation_.get(), &EconomicSituation::refused, this, fromChart);
    connect(case_.get(), &AdviserCase::grainPriceChanged, economicChart_, &EconomicChartWindow::setGrainPrice);
    connect(case_.get(), &AdviserCase::nCostChanged, economicChart_, &EconomicChartWindow::setNCost);
    connect(case_.get(), &AdviserCase::referenceNChanged, economicChart_, &EconomicChartWindow::setReferenceN);
    // The assistants' working goes into the case with the value they hand over.
    connect(nitrogenCost_, &NitrogenCostWindow::workingReturned, case_.get(),
            [this](int product, const QString& price, const QString& cost) {
                case_->setNCostFromAssistant({product, price, cost});
            });
    connect(soilNitrogen_, &SoilNitrogenWindow::sampleAccepted, case_.get(), &AdviserCase::setReferenceNFromSoil);

    // The dose advice's settings are the case's.
    rateAdvice_->showSettings(case_->adviceSettings());
    connect(rateAdvice_, &RateAdviceWindow::settingsEdited, case_.get(),
            [this] { case_->setAdviceSettings(rateAdvice_->settings()); });
    connect(case_.get(), &AdviserCase::adviceSettingsChanged, rateAdvice_, [this] {
        if (rateAdvice_->settings() != case_->adviceSettings())
            rateAdvice_->showSettings(case_->adviceSettings());
    });
    // The advice works from the case, whether or not the economic chart is shown: once it
    // has results, they follow the case's prices, reference and scenarios while the chart
    // is hidden (shown, the chart's activations rebuild them).
    const auto follow = [this] {
        if (economicSituation_->hasState() && !economicChart_->isVisible())
            adviseFromCase();
    };
    connect(case_.get(), &AdviserCase::grainPriceChanged, this, follow);
    connect(case_.get(), &AdviserCase::nCostChanged, this, follow);
    connect(case_.get(), &AdviserCase::referenceNChanged, this, follow);
    connect(slots_.get(), &ScenarioSlots::slotChanged, this, follow);
    connect(responseData_.get(), &ResponseData::changed, this, follow);
    connect(mainWindow_, &MainWindow::adviceRequested, this, [this] {
        // The curves of the active scenarios, as the charts draw them.
        curveSelectionModel_->applySlotRules(*slots_);
        if (!economicChart_->isVisible())
            adviseFromCase();
        present(rateAdvice_);
    });
}

void WindowSet::adviseFromCase()
{
    if (workingFromCase_)
        return;
    workingFromCase_ = true;
    // The slots' curves as "Graficar" composes and looks them up.
    slots_->composeAndLookUp(responseData_->table());
    economicSituation_->recompute(*slots_, case_->grainPrice(), case_->nCost(), case_->referenceN());
    workingFromCase_ = false;
}

void WindowSet::bringChartInputsIn()
{
    case_->setGrainPrice(economicChart_->grainPrice());
    case_->setNCost(economicChart_->nCost());
    case_->setReferenceN(economicChart_->referenceN());
}

void WindowSet::showReplacedCase()
{
    if (const auto& source = case_->costSource())
        nitrogenCost_->showWorking(source->product, source->productPrice);
    if (const auto& sample = case_->soilSample())
        soilNitrogen_->showSample(*sample);
    if (yieldChart_->isVisible())
        yieldChart_->rebuild();
    if (economicChart_->isVisible())
        economicChart_->recompute();
    else if (economicSituation_->hasState())
        adviseFromCase();
}

void WindowSet::showCaseTitle()
{
    // A case never saved and untouched is the program as it starts: its caption alone.
    const bool fresh = case_->filePath().isEmpty() && !case_->isModified();
    mainWindow_->showCase(fresh ? QString() : case_->displayName(), case_->isModified());
}

void WindowSet::wireMaps()
{
    // The chooser shows the chosen site's map and hides the other four.
    connect(mapChooser_, &MapChooserWindow::siteChosen, this, [this](int site) {
        if (site < 0 || site >= static_cast<int>(siteMaps_.size()))
            return;
        for (int i = 0; i < static_cast<int>(siteMaps_.size()); ++i)
            if (i != site)
                siteMaps_[i]->hide();
        present(siteMaps_[site]);
    });
}

void WindowSet::wireChartPrinting(ChartPrintDialog* dialog, CurveChart& chart, const QString& lead)
{
    connect(dialog, &ChartPrintDialog::printRequested, &chart,
            [this, dialog, &chart, lead](QPageLayout::Orientation o) {
                // Named after the case, as the report is: "Gráfico económico Lote 7 - Campaña 2026".
                ChartPrinter::print(chart, o, *seams_.printTarget, *seams_.errors, dialog,
                                    ReportContent::nameOf(case_->identity(), lead, lead));
            });
}

void WindowSet::wireChartEditors(AxisSliderWindow* axes, ChartTitleWindow* titles, CurveChart& chart)
{
    connect(axes, &AxisSliderWindow::limitChanged, &chart, [&chart](AxisLimit limit, double value) {
        chart.setAxisLimit(limit, value);
        chart.replot();
    });
    titles->setTitleSource([&chart] { return chart.titles(); });
    connect(titles, &ChartTitleWindow::accepted, &chart, [&chart](const ChartTitles& t) {
        chart.setTitles(t);
        chart.replot();
    });
}

void WindowSet::wireMainWindow()
{
    auto presenter = [this](const char* name) { return [this, name] { present(window(QLatin1String(name))); }; };
    connect(mainWindow_, &MainWindow::closed, this, &WindowSet::quitRequested);
    connect(mainWindow_, &MainWindow::scenarioRequested, scenarioDialog_, &ScenarioDialog::openForSlot);
    connect(mainWindow_, &MainWindow::plotRequested, this, [this] {
        if (!yieldChart_->isVisible())
            fillScreen(yieldChart_); // opens maximised
        present(yieldChart_);
    });
    connect(mainWindow_, &MainWindow::creditsRequested, this, presenter(WindowNames::Credits.data()));
    connect(mainWindow_, &MainWindow::helpPrintRequested, this, presenter(WindowNames::HelpPrint.data()));
    connect(mainWindow_, &MainWindow::mapsRequested, this, [this] {
        present(siteMaps_[0]);         // always the Gualeguay map
        if (!mapChooser_->isVisible()) // beside the map, not over its legend
            mapChooser_->moveFrameTo(siteMaps_[0]->frameOnScreen().topRight() + QPoint(8, 0));
        present(mapChooser_);
    });
    connect(mainWindow_, &MainWindow::curveSelectionToHide, curveSelection_, &QWidget::hide);
}

void WindowSet::wireYieldChart()
{
    // Activating the chart brings up the curve selection, applies its slot rules and
    // draws the ticked curves.
    connect(yieldChart_, &VelmaroWindow::activated, this, [this] {
        if (!curveSelection_->isVisible())
            placeCurveSelection();
        showRestored(curveSelection_);
        curveSelection_->raise();
        curveSelectionModel_->applySlotRules(*slots_);
        yieldChart_->chart().showCurves(curveSelectionModel_->shownCurves());
    });
    connect(curveSelectionModel_.get(), &CurveSelection::shownChanged, &yieldChart_->chart(), &CurveChart::showCurve);
    connect(curveSelection_, &CurveSelectionWindow::helpRequested, this,
            [this] { present(window(QString(WindowNames::CurveChoiceHelp))); });
    connect(yieldChart_, &YieldChartWindow::windowRequested, this, &WindowSet::presentByName);
    connect(yieldChart_, &YieldChartWindow::curveSelectionToHide, curveSelection_, &QWidget::hide);
    connect(yieldChart_, &YieldChartWindow::curveSelectionToggleRequested, this,
            [this] { yieldChart_->setCurveSelectionCaption(toggleCurveSelection()); });
}

QString WindowSet::toggleCurveSelection()
{
    // A minimised selection counts as hidden: the button brings it back.
    if (curveSelection_->isVisible() && !curveSelection_->isMinimized()) {
        curveSelection_->hide();
    } else {
        placeCurveSelection();
        showRestored(curveSelection_);
        curveSelectionModel_->applySlotRules(*slots_);
    }
    return CurveSelectionWindow::toggleCaption(curveSelection_->isVisible());
}

void WindowSet::wireEconomicChart()
{
    // Activation recomputes the chart (its own business) after the curve selection has
    // been applied to its series.
    connect(economicChart_, &VelmaroWindow::activated, this, [this] {
        economicChart_->setCurveSelectionCaption(CurveSelectionWindow::toggleCaption(curveSelection_->isVisible()));
        economicChart_->chart().showCurves(curveSelectionModel_->shownCurves());
    });
    connect(curveSelectionModel_.get(), &CurveSelection::shownChanged, &economicChart_->chart(),
            &CurveChart::showCurve);
    connect(economicChart_, &EconomicChartWindow::windowRequested, this, &WindowSet::presentByName);
    connect(economicChart_, &EconomicChartWindow::curveSelectionToggleRequested, this,
            [this] { economicChart_->setCurveSelectionCaption(toggleCurveSelection()); });
    connect(economicChart_, &EconomicChartWindow::chartsToClose, yieldChart_, &QWidget::hide);
    connect(economicChart_, &EconomicChartWindow::lowNitrogenWarning, this,
            [this] { presentByName(QString(WindowNames::Warning)); });

    // The assistants hand their results to the chart's inputs; the chart's next activation
    // (it becomes active again as they close) rebuilds with them.
    connect(nitrogenCost_, &NitrogenCostWindow::costReturned, economicChart_, &EconomicChartWindow::setNCost);
    connect(soilNitrogen_, &SoilNitrogenWindow::referenceNAccepted, economicChart_,
            &EconomicChartWindow::setReferenceN);
    connect(soilNitrogen_, &SoilNitrogenWindow::lowNitrogenWarning, this,
            [this] { presentByName(QString(WindowNames::Warning)); });
    connect(soilNitrogen_, &SoilNitrogenWindow::missingInput, this,
            [this] { presentByName(QString(WindowNames::MissingInput)); });
    connect(soilNitrogen_, &SoilNitrogenWindow::helpRequested, this,
            [this] { presentByName(QString(WindowNames::SoilReferenceHelp)); });
    connect(soilNitrogen_, &VelmaroWindow::activated, curveSelection_, &QWidget::hide);
}

void WindowSet::presentByName(const QString& objectName)
{
    QWidget* w = window(objectName);
    if (w == economicChart_ && !w->isVisible())
        fillScreen(w); // opens maximised
    if (w == nitrogenCost_ && !w->isVisible() && economicChart_->isVisible()) {
        // Below the chart's inputs, at their right end: the cost field it fills stays in sight.
        const QRect inputs = economicChart_->inputsOnScreen();
        nitrogenCost_->moveFrameTo(QPoint(
            std::max(inputs.left(), inputs.right() - nitrogenCost_->frameOnScreen().width()), inputs.bottom() + 8));
    }
    present(w);
    // Once the window is laid out where it opened, the selection makes way for it.
    if (w == nitrogenCost_ || w == rateAdvice_)
        QTimer::singleShot(0, this, [this] {
            if (curveSelection_->isVisible())
                placeCurveSelection();
        });
}

void WindowSet::placeCurveSelection()
{
    QList<QRect> keepClear;
    for (const VelmaroWindow* w :
         std::initializer_list<const VelmaroWindow*>{yieldChart_, economicChart_, nitrogenCost_, rateAdvice_})
        if (w->isVisible() && !w->isMinimized())
            keepClear << w->keepClearOnScreen();
    curveSelection_->placeClearOf(keepClear);
}

WindowSet::~WindowSet()
{
    // The last window created goes first.
    caseActions_.reset(); // a clean exit: the recovery copy goes
    while (!addedWindows_.empty())
        addedWindows_.pop_back();
    while (!windows_.empty())
        windows_.pop_back();
}

void WindowSet::present(QWidget* window)
{
    if (!window)
        return;
    showRestored(window);
    window->raise();
    window->activateWindow();
}

void WindowSet::showRestored(QWidget* window)
{
    // A window minimised from its title bar comes back at its former size.
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
}

void WindowSet::fillScreen(QWidget* window)
{
    // Maximised; where no window manager honours that, the window still fills the screen.
    if (const QScreen* screen = window->screen())
        window->setGeometry(screen->availableGeometry());
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void WindowSet::start(const QString& casePath)
{
    fillScreen(mainWindow_);
    mainWindow_->show();
    // The table chosen in an earlier session is read and checked again; what cannot be
    // used is said, and a table file changed since it was chosen is used only if the adviser agrees.
    QSettings settings(QStringLiteral("Velmaro"), QStringLiteral("velmaro"));
    QString error;
    const auto useChanged = [this](const QStringList& paths) {
        return seams_.messages->confirm(
            mainWindow_,
            QStringLiteral("El archivo de la tabla de coeficientes cambió desde que se eligió:\n%1\n\n"
                           "¿Usar su contenido actual?\n\nSi responde «No», en esta sesión se usa la "
                           "tabla incorporada y se volverá a preguntar en el próximo inicio.")
                .arg(paths.join(u'\n')));
    };
    if (!responseData_->restore(settings, &error, useChanged))
        seams_.errors->report(mainWindow_,
                              QStringLiteral("No se pudo usar todo lo elegido en la sesión anterior:\n%1").arg(error));
    // What the program starts with is the case's first state, nothing unsaved yet.
    case_->markSaved({});
    caseActions_->offerRecovery();
    if (!casePath.isEmpty())
        caseActions_->openPath(casePath);
}

QWidget* WindowSet::window(const QString& objectName) const
{
    for (const auto* list : {&windows_, &addedWindows_})
        for (const auto& w : *list)
            if (w->objectName() == objectName)
                return w.get();
    return nullptr;
}

std::vector<QWidget*> WindowSet::addedWindows() const
{
    std::vector<QWidget*> list;
    for (const auto& w : addedWindows_)
        list.push_back(w.get());
    return list;
}

std::vector<QWidget*> WindowSet::windows() const
{
    std::vector<QWidget*> list;
    list.reserve(windows_.size());
    for (const auto& w : windows_)
        list.push_back(w.get());
    return list;
}
