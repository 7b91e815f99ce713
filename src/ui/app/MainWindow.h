#pragma once

#include <array>
#include <functional>
#include <future>

#include <QImage>

#include "ui/common/VelmaroWindow.h"

class QCheckBox;
class QMenu;
class ErrorReporter;
class MessageBoxes;
class ProgramLauncher;
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QToolButton;
class ResponseTable;
class ScenarioSlots;

// The program's home: the banner, the toolbar that leads to every task, the three
// scenario slots and the help area. Closing it ends the run.
class MainWindow : public VelmaroWindow {
    Q_OBJECT
public:
    MainWindow(ScenarioSlots& scenarioSlots, const ResponseTable& table, MessageBoxes& messages, ErrorReporter& errors,
               ProgramLauncher& launcher, QWidget* parent = nullptr);

    void onActivated() override;

    // "AYUDA": opens the help area, reading "velmaro.rtf" again, or closes it.
    void toggleHelpArea();

    // "Graficar": at least one slot must be active; then the three codes are composed
    // and looked up and the yield chart is asked for.
    void plot();

    // The help document read at every opening of the help area.
    // The working directory's copy first, then the installed ones (HelpDocumentLocation).
    static QString helpDocumentPath();

    // The case in the title: its name, marked while it has unsaved changes. No name: the
    // window's own caption alone.
    void showCase(const QString& name, bool modified);
    // What "Abrir" offers beside its file chooser, newest first.
    void setRecentCases(const QStringList& paths);
    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

Q_SIGNALS:
    void closed();
    void scenarioRequested(int slot);
    void plotRequested();
    void creditsRequested();
    void mapsRequested();
    void helpPrintRequested();
    void responseDataRequested();
    void adviceRequested();
    void reportRequested();
    void curveSelectionToHide();
    void openCaseRequested();
    void recentCaseRequested(const QString& path);
    void saveCaseRequested();
    void saveCaseAsRequested();
    void caseWindowRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct SlotPanel {
        QFrame* panel = nullptr;
        QCheckBox* active = nullptr;
        std::array<QLabel*, 4> values{}; // site, unit, cultivar, water
    };

    void buildBanner();
    void buildToolbar();
    void buildCaseButtons();
    void buildSlotPanel(int slot);
    void showSlot(int slot);
    QToolButton* addToolButton(QWidget* bar, int x, const QString& name, const QString& caption,
                               const QString& picture);

    ScenarioSlots& slots_;
    const ResponseTable& table_;
    MessageBoxes& messages_;
    ErrorReporter& errors_;
    ProgramLauncher& launcher_;
    // The background is decoded on a second core while the other windows are made (here,
    // if no thread can be started), drawn at the first paint, and decoded again for each
    // later paint rather than held: the main window repaints seldom, and the picture
    // weighs 3 MB.
    std::future<QImage> firstBackground_;
    std::array<SlotPanel, 3> slotPanels_;
    QTextEdit* helpArea_ = nullptr;
    QPushButton* printHelpButton_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::function<bool()> closeGuard_;
};
