#pragma once

#include <functional>

#include <QFrame>

// A panel that tells when the pointer moves over it, so the help marks on it can return
// to their resting look.
class TrackingFrame : public QFrame {
public:
    explicit TrackingFrame(QWidget* parent = nullptr) : QFrame(parent) { setMouseTracking(true); }

    std::function<void()> onPointerMove;

protected:
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (onPointerMove)
            onPointerMove();
        QFrame::mouseMoveEvent(event);
    }
};
