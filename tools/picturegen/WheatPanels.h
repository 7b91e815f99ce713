#pragma once

#include <QImage>

namespace picturegen {

// 185 x 150 wheat picture behind an empty scenario slot:
// 1 pale yellow, 2 neutral grey, 3 pale aqua.
QImage wheatPanel(int variant);

} // namespace picturegen
