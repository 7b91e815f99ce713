#pragma once

#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "support/RecordingSeams.h"
#include "ui/app/MainWindow.h"
#include "ui/app/WindowSet.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/printing/PrintTarget.h"
#include "ui/yieldchart/YieldChartWindow.h"

// The real window set with recording seams: nothing blocks, everything is observed.
struct WindowSetFixture {
    RecordingMessageBoxes messages;
    RecordingErrorReporter errors;
    RecordingProgramLauncher launcher;
    RecordingReportPrinter reports;
    ScriptedFileChooser files; // answers as a cancelled dialog unless scripted
    QTemporaryDir printed;     // where print jobs go, as PDF files
    PdfPrintTarget printer{printed.path()};
    std::unique_ptr<WindowSet> set;

    // `answers`: to the questions the start asks, in order (a recovery offer, a changed
    // table file); `caseFile`: as named on the command line.
    explicit WindowSetFixture(const QList<MessageBoxes::Answer>& answers = {}, const QString& caseFile = {})
    {
        messages.answers = answers;
        set = std::make_unique<WindowSet>(Seams{&messages, &errors, &launcher, &reports, &printer, &files});
        set->start(caseFile);
    }

    QWidget* window(const char* name) const { return set->window(QLatin1String(name)); }

    template <typename T = QWidget> T* child(const char* windowName, const char* childName) const
    {
        QWidget* w = window(windowName);
        return w ? w->findChild<T*>(QLatin1String(childName)) : nullptr;
    }

    void click(const char* windowName, const char* childName) const
    {
        auto* button = child<QAbstractButton>(windowName, childName);
        QVERIFY2(button, childName);
        button->click();
    }

    // The common way in: slot 1 confirmed with the scenario dialog's defaults (AGAA),
    // "Graficar", and the yield chart activated.
    void plotFirstScenario() const
    {
        click("TForm1", "ToolButton1");
        click("TForm2", "BitBtn1");
        click("TForm1", "ToolButton13");
        Q_EMIT set->yieldChart().activated();
    }

    // The same, then "Análisis económico" with the economic chart activated.
    void openEconomicChart() const
    {
        plotFirstScenario();
        click("TForm3", "ToolButton10");
        set->economicChart().onActivated();
        Q_EMIT set->economicChart().activated();
    }
};
