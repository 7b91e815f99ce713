#pragma once

#include <QImage>

// 44 x 44 pictures of the main toolbar.
namespace picturegen {

QImage scenarioIcon(int digit); // field card with 1 red, 2 green or 3 blue
QImage helpToolIcon();          // question mark in a circle
QImage calculatorIcon();        // pocket calculator
QImage notesIcon();             // notebook and pencil
QImage chartIcon();             // three yield responses on axes
QImage creditsIcon();           // award rosette
QImage mapsIcon();              // folded map with a pin

} // namespace picturegen
