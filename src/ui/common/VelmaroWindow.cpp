#include "VelmaroWindow.h"

#include <QEvent>

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
