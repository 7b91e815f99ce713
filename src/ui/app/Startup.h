#pragma once

#include <future>
#include <optional>

#include <QString>
#include <QStringList>

class QCoreApplication;

// What happens before the windows: the few command-line options an installed program
// answers without opening a window, and Qt's own Spanish texts for the standard dialogs.
class Startup {
public:
    // "--version" and "--help" print and give the exit code, before any window system
    // is touched (they work without a display); so does "--lote", the dose of every field
    // of a sheet (BatchRun), and the hidden "--comprobar-ayuda",
    // which reads the help document the help area would read now and prints where it
    // was found. Any other command line, Qt's own options included, opens the program:
    // an empty optional.
    static std::optional<int> answerCommandLine(int& argc, char** argv);

    // Loads qtbase_es from Qt's translations folder, so the file chooser, the print and
    // page set-up dialogs and the message boxes' buttons speak Spanish. False when the
    // translation is not installed; the program then runs with Qt's English texts.
    static bool loadSpanishTranslations(QCoreApplication& application);

    // Reads the system's font configuration (fontconfig's files and caches) on a thread of
    // its own, while the application is being set up; wait for it before the first window.
    // The first text the main window lays out would otherwise read it on the way to the
    // screen.
    [[nodiscard]] static std::future<void> readFontConfiguration();

    // The case file named on the command line ("velmaro caso.velmaro", as a file manager
    // starts the program for a double click), or empty.
    static QString caseToOpen(const QStringList& arguments);

private:
    static int checkHelpDocument();
    static QString caseArgumentName();
    static QString caseArgumentDescription();
    // The batch command explained, with an example, after the options.
    static QString batchHelp();
};
