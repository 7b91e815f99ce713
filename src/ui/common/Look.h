#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QStyle>

class QWidget;

// The program's look in one place: its Arial faces (the Liberation metric twin stands in
// where Arial is not installed) and the colouring of a control's text or background.
namespace Look {

// Arial at a size in points. Each face is made once and shared by every control that
// shows it.
QFont arial(int points, bool bold = false);
// Arial at a size in pixels, for windows laid out to the pixel.
QFont arialPixels(int pixelSize, bool bold = false, bool underline = false);

// One of the style's standard icons (OK, Cancel, Print...), shared by every button that
// shows it and read from the style only when first drawn: a closed window's buttons cost
// nothing at start-up.
QIcon standardIcon(QStyle::StandardPixmap which);

// Sets one colour role of a control's palette.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

} // namespace Look
