#include "VelmaroWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

VelmaroWindow::VelmaroWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(objectName);
    setWindowTitle(caption);
}

void VelmaroWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        onActivated();
        Q_EMIT activated();
    }
}

void VelmaroWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!centreWhenShown_)
        return;
    centreWhenShown_ = false;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
