#include <QApplication>

#include "ui/app/WindowSet.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    WindowSet windows;
    QObject::connect(&windows, &WindowSet::quitRequested, &application, &QApplication::quit);
    windows.start();
    return application.exec();
}
