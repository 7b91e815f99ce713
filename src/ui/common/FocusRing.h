#pragma once

#include <QPointer>
#include <QWidget>

// A clear mark around the control that has the keyboard focus, whatever its style draws:
// a dark orange ring edged in black, drawn above the control in its window. Each window
// of the program gets its own ring the first time one of its controls takes the focus.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    // From now on, until `context` goes, the focus is marked in every VelmaroWindow.
    static void follow(QObject* context);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FocusRing(QWidget* window);
    // Around this control of the ring's window; none hides the ring.
    void surround(QWidget* control);
    void place();

    QPointer<QWidget> control_;
};
