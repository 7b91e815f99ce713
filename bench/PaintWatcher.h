#pragma once

#include <QObject>

class QWidget;

// Counts the paint events a widget receives. The benchmarks stop their clocks on the
// first one: that is when the adviser sees the window or the chart.
class PaintWatcher : public QObject {
    Q_OBJECT
public:
    explicit PaintWatcher(QWidget* widget);

    int paints() const { return paints_; }
    void reset() { paints_ = 0; }

    // Runs the event loop until the widget has been painted (at once if it already has
    // been since the last reset); false when nothing was painted within the time.
    bool waitForPaint(int timeoutMs = 5000);

Q_SIGNALS:
    // Sent as the paint event arrives, before the widget paints: connect queued to act
    // after the painting.
    void painted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int paints_ = 0;
};
