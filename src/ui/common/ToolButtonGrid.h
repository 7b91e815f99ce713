#pragma once

#include <functional>

#include <QList>
#include <QString>

class QFont;
class QToolButton;
class QWidget;

// A chart window's toolbar: caption-only buttons of one width, laid out in rows.

namespace ToolButtonGrid {

struct Button {
    const char* objectName;
    const char* caption;         // UTF-8
    const char* hint;            // UTF-8, may be empty
    const char* opens = nullptr; // the objectName of the window the button shows, if any
};

// Buttons in the order given, `columns` to a row; returned in the same order. A button
// that opens a window calls `open` with that window's objectName when clicked.
QList<QToolButton*> build(QWidget* bar, const QList<Button>& buttons, int columns, int width, const QFont& font,
                          const std::function<void(const QString&)>& open);

} // namespace ToolButtonGrid
