#include "VelmaroWindow.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

#include "core/WindowPlacement.h"

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
    if (event->spontaneous())
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (centreWhenShown_ && screen) {
        centreWhenShown_ = false;
        QRect frame = frameOnScreen();
        frame.moveCenter(screen->availableGeometry().center());
        moveFrameTo(frame.topLeft());
    }
    keepOnScreen();
}

QMargins VelmaroWindow::frameAllowance() const
{
    const auto framed = [](const QWidget* w) {
        return w->windowHandle() ? w->windowHandle()->frameMargins() : QMargins();
    };
    if (!framed(this).isNull())
        return framed(this);
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !framed(w).isNull())
            return framed(w);
    return {};
}

QRect VelmaroWindow::frameOnScreen() const
{
    if (windowHandle() && !windowHandle()->frameMargins().isNull())
        return frameGeometry();
    const QMargins frame = frameAllowance();
    return QRect(geometry().topLeft() - QPoint(frame.left(), frame.top()), size().grownBy(frame));
}

void VelmaroWindow::moveFrameTo(QPoint topLeft)
{
    if (windowHandle() && !windowHandle()->frameMargins().isNull())
        move(topLeft);
    else
        setGeometry(QRect(topLeft + QPoint(frameAllowance().left(), frameAllowance().top()), size()));
}

void VelmaroWindow::keepOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen || isMaximized() || isFullScreen())
        return;
    const QRect frame = frameOnScreen();
    const QRect fitted = WindowPlacement::inside(frame, screen->availableGeometry());
    const QSize inner = size() - (frame.size() - fitted.size());
    if (inner != size())
        resize(inner.expandedTo(minimumSize()));
    // A window the program places is moved in; the others are placed by the window manager.
    if (testAttribute(Qt::WA_Moved) && fitted.topLeft() != frame.topLeft())
        moveFrameTo(fitted.topLeft());
}
