#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

class QAbstractButton;

// A window of the program: created once at start-up, never destroyed during the run.
// Closing it only hides it, so whatever the adviser typed is there when it is shown
// again. A window that becomes the active one calls onActivated(), which tests may
// also call directly.
class VelmaroWindow : public QWidget {
    Q_OBJECT
public:
    VelmaroWindow(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    // Runs when the window becomes the active window.
    virtual void onActivated() { }

    // The first showing puts the window in the middle of the desktop.
    void centreOnDesktopWhenFirstShown() { centreWhenShown_ = true; }

    // A window used like a dialog: Enter presses its main button (when it has one) and
    // Escape closes it, unless the window refuses every close.
    void behaveAsDialog(QAbstractButton* mainButton = nullptr);

    // What a window floating above this one must not cover, in screen coordinates: the
    // whole window, unless it names the parts the adviser types in or reads.
    virtual QList<QRect> keepClearOnScreen() const { return {frameGeometry()}; }

    // The window's frame (title bar and borders), or where the window manager has not
    // framed it yet, the frame of a window it has framed.
    QMargins frameAllowance() const;
    // Where the window's frame is, or will be once framed: until then the window system
    // puts the inside of the window where the program asked for the whole.
    QRect frameOnScreen() const;
    // Puts the frame's top left corner here, framed yet or not.
    void moveFrameTo(QPoint topLeft);

Q_SIGNALS:
    void activated();

protected:
    void changeEvent(QEvent* event) override;
    // Every showing opens the window wholly inside the screen's available area, smaller
    // where it would not fit.
    void showEvent(QShowEvent* event) override;
    // Enter presses the push or tool button that has the focus, as Space does; in a
    // dialog-like window it otherwise presses the main button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void keepOnScreen();

    bool centreWhenShown_ = false;
    bool dialogLike_ = false;
    QAbstractButton* mainButton_ = nullptr;
};
