#include "PaintWatcher.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWidget>

PaintWatcher::PaintWatcher(QWidget* widget) : QObject(widget)
{
    widget->installEventFilter(this);
}

bool PaintWatcher::waitForPaint(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    // processEvents() does not block: this spins, which keeps the wake-up latency of
    // the event loop out of the figures.
    while (paints_ == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return paints_ > 0;
}

bool PaintWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        ++paints_;
        Q_EMIT painted();
    }
    return QObject::eventFilter(watched, event);
}
