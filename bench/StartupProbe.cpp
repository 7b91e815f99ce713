// Velmaro's start-up as main() does it (application, every window, the main window
// shown), quitting as soon as the main window has first been painted.
#include <QApplication>

#include "PaintWatcher.h"
#include "ui/app/MainWindow.h"
#include "ui/app/Startup.h"
#include "ui/app/WindowSet.h"

int main(int argc, char* argv[])
{
    if (const auto exitCode = Startup::answerCommandLine(argc, argv))
        return *exitCode;
    auto fontConfiguration = Startup::readFontConfiguration();
    QApplication application(argc, argv);
    Startup::loadSpanishTranslations(application);
    fontConfiguration.wait();
    WindowSet windows;
    QObject::connect(&windows, &WindowSet::quitRequested, &application, &QApplication::quit);
    PaintWatcher watcher(&windows.mainWindow());
    QObject::connect(&watcher, &PaintWatcher::painted, &application, &QApplication::quit, Qt::QueuedConnection);
    windows.start();
    return application.exec();
}
