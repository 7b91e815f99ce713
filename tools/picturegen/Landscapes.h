#pragma once

#include <QImage>

// The large pictures of the program.
namespace picturegen {

QImage mainBackground();  // 1024 x 768: pampas landscape behind the main window
QImage yieldBackground(); // 640 x 420: faint wheat behind the yield chart's plot area
QImage creditsPicture();  // 235 x 346: wheat field at golden hour

} // namespace picturegen
