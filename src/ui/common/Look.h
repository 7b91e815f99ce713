#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

// The program's look in one place: its Arial faces (the Liberation metric twin stands in
// where Arial is not installed) and the colouring of a control's text or background.
namespace Look {

// Arial at a size in points.
QFont arial(int points, bool bold = false);
// Arial at a size in pixels, for windows laid out to the pixel.
QFont arialPixels(int pixelSize, bool bold = false, bool underline = false);

// Sets one colour role of a control's palette.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

} // namespace Look
