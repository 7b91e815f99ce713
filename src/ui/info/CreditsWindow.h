#pragma once

#include "ui/common/VelmaroWindow.h"

class QTextEdit;

// "Créditos": who made the program and under which terms its results may be used. A tall
// wheat picture down the left side, the product name at the top right and below it the
// credits in a silver text box that the adviser may write in for the run (nothing is saved).
class CreditsWindow : public VelmaroWindow {
    Q_OBJECT
public:
    explicit CreditsWindow(QWidget* parent = nullptr);

    QString text() const; // as plain text

    // The credits as the window first shows them.
    static QString creditsText();

private:
    QTextEdit* textBox_ = nullptr; // Memo1
};
