#include <QApplication>

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
    windows.start(Startup::caseToOpen(QCoreApplication::arguments()));
    return application.exec();
}
