// The floor every Qt Widgets program pays: an application and one shown widget, quitting
// as soon as the widget has first been painted. Start-up and peak memory of Velmaro are
// compared with this program, built and run on the same machine in the same way.
#include <QApplication>
#include <QWidget>

#include "PaintWatcher.h"
#include "PeakMemory.h"

int main(int argc, char* argv[])
{
    const bool reportPeak = PeakMemory::requested(argc, argv);
    QApplication application(argc, argv);
    QWidget widget;
    widget.resize(640, 480);
    PaintWatcher watcher(&widget);
    QObject::connect(&watcher, &PaintWatcher::painted, &application, &QApplication::quit, Qt::QueuedConnection);
    widget.show();
    const int status = application.exec();
    if (reportPeak)
        PeakMemory::print();
    return status;
}
