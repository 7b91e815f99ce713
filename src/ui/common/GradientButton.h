#pragma once

#include <QPushButton>

// A flat button with a gradient face, bold Arial 12 pt and a hand cursor.
class GradientButton : public QPushButton {
    Q_OBJECT
public:
    GradientButton(const QString& objectName, const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
