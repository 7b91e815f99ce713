#pragma once

#include <functional>

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

} // namespace FirstShowing
