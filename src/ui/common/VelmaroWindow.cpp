#include "VelmaroWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

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

void VelmaroWindow::behaveAsDialog(QAbstractButton* mainButton)
{
    dialogLike_ = true;
    mainButton_ = mainButton;
}

void VelmaroWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // A radio button or a check box with the focus is not pressed: Enter means the
        // window's main button there.
        QWidget* focused = focusWidget();
        QAbstractButton* button = nullptr;
        if (qobject_cast<QPushButton*>(focused) || qobject_cast<QToolButton*>(focused))
            button = static_cast<QAbstractButton*>(focused);
        else
            button = mainButton_;
        if (button && button->isEnabled() && button->isVisibleTo(this)) {
            button->click();
            event->accept();
            return;
        }
    } else if (key == Qt::Key_Escape && dialogLike_) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
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
