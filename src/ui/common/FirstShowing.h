#pragma once

#include <functional>

class QFont;
class QLabel;
class QString;
class QWidget;

// Work a control needs only once it is on screen: decoding its picture, measuring its text
// (which loads the font). Most windows stay closed for a whole session, so the program
// starts without doing it and does it, once, as the control is first prepared for showing
// (its polish, before its window's first layout and paint).
namespace FirstShowing {

// Runs `work` once, when `widget` is first prepared for showing; at once if it already was.
void run(QWidget* widget, std::function<void()> work);

// The label shows the picture in `file` from its first showing on.
void picture(QLabel* label, const QString& file);

// The widget, and the children that inherit its font, take `font` from its first showing
// on. Until then they keep the font they inherit, whose glyphs are already loaded: a line
// edit or a group box measures its text as soon as it gets a font of its own.
void font(QWidget* widget, const QFont& font);

} // namespace FirstShowing
