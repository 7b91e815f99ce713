#pragma once

#include <memory>

#include <QString>

#include "ui/common/VelmaroWindow.h"

class QLabel;
class QTextEdit;

// How a help window's text box behaves.
struct HelpWindowOptions {
    bool editable = false;                                        // the adviser may type notes into it for the run
    bool scrollBar = true;                                        // a vertical scroll bar at the right
    QString picture = QStringLiteral(":/pictures/help_icon.jpg"); // 73 x 73 at the top left
};

// A small window explaining one part of the charts: a picture and the product name
// "Velmaro" at the top, and below them a silver text box with the explanation, as plain
// text or simple HTML. 380 x 262, centred on the desktop the first time it is shown.
class HelpWindow : public VelmaroWindow {
    Q_OBJECT
public:
    using Options = HelpWindowOptions;

    HelpWindow(const QString& objectName, const QString& caption, const QString& text,
               const Options& options = Options(), QWidget* parent = nullptr);

    // The notice the soil calculator shows when an entry is empty or still holds its unit.
    static std::unique_ptr<HelpWindow> createMissingInputNotice();

    // The look the help and credits windows share: the yellow decorative product name
    // and the silver text box in bold Arial 8 pt.
    static void styleProductName(QLabel* productName);
    static QTextEdit* makeTextBox(QWidget* parent);

    void setText(const QString& text);
    QString text() const; // as plain text

private:
    void layOut(const QString& text);

    QTextEdit* textBox_ = nullptr; // Memo1, from the first showing on
    QString pendingText_;          // given before the box was built
};
