#pragma once

#include "ui/common/VelmaroWindow.h"

// "ATENCION": available nitrogen cannot be below 40 kg/ha. The economic chart and the
// soil calculator show the same narrow window with its two red lines.
class WarningWindow : public VelmaroWindow {
    Q_OBJECT
public:
    explicit WarningWindow(QWidget* parent = nullptr);
};
