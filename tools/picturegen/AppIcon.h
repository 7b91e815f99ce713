#pragma once

#include <QImage>

// The program's icon for the desktop menu: a rounded tile with a field under a blue
// sky, one ripe wheat ear and a yield response rising and levelling off. Drawn on a
// transparent background at any size (48, 128 and 256 px are installed).
namespace picturegen {

QImage appIcon(int size);

} // namespace picturegen
