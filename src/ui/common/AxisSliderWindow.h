#pragma once

#include <array>
#include <memory>
#include <optional>

#include <QPoint>
#include <QSize>
#include <QSlider>
#include <QString>

#include "ui/common/AxisLimit.h"
#include "ui/common/VelmaroWindow.h"

class QLabel;

// A small window of four horizontal sliders, one per axis limit of a chart: the left
// axis (yield or money) in the upper row, the bottom (nitrogen) axis in the lower row,
// maxima on the left and minima on the right. Every change of a slider's position,
// however it comes, is announced at once as the new limit. The window never reads the
// chart; the sliders stay where the adviser left them for the whole run.
class AxisSliderWindow : public VelmaroWindow {
    Q_OBJECT
public:
    // One slider: its name, the limit it moves, the caption above it, its range and
    // steps, the captions written under its two ends and its pop-up hint (empty: none).
    struct SliderSetup {
        const char* objectName;
        AxisLimit limit;
        QString caption;
        int minimum;
        int maximum;
        int position;
        int singleStep;
        int tickInterval;
        QString leftEnd;
        QString rightEnd;
        QString hint;
    };

    // The whole window: names, size, where it appears and its four sliders.
    struct WindowSetup {
        QString objectName;
        QString caption;
        QSize size;
        std::optional<QPoint> screenPosition; // none: centred on the desktop when first shown
        QSlider::TickPosition ticks;
        std::array<SliderSetup, 4> sliders;
    };

    explicit AxisSliderWindow(const WindowSetup& setup, QWidget* parent = nullptr);

    // "Ajuste de ejes" of the yield chart.
    static std::unique_ptr<AxisSliderWindow> yieldAxisWindow(QWidget* parent = nullptr);
    // "Ajuste de ejes de gráfico económico".
    static std::unique_ptr<AxisSliderWindow> economicAxisWindow(QWidget* parent = nullptr);

    // The slider that moves `limit`.
    QSlider* slider(AxisLimit limit) const;

Q_SIGNALS:
    void limitChanged(AxisLimit limit, double value);

private:
    std::array<QSlider*, 4> sliders_{}; // indexed by AxisLimit
};
