#pragma once

#include <QWidget>

// A window of the program: created once at start-up, never destroyed during the run.
// Closing it only hides it, so whatever the adviser typed is there when it is shown
// again. A window that becomes the active one calls onActivated(), which tests may
// also call directly.
class VelmaroWindow : public QWidget {
    Q_OBJECT
public:
    VelmaroWindow(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    // Runs when the window becomes the active window.
    virtual void onActivated() {}

    // The first showing puts the window in the middle of the desktop.
    void centreOnDesktopWhenFirstShown() { centreWhenShown_ = true; }

Q_SIGNALS:
    void activated();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool centreWhenShown_ = false;
};
