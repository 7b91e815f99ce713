#pragma once

#include <QImage>

// The site maps: for each of the five sites (0 Gualeguay, 1 Gualeguaychú, 2 Reconquista,
// 3 Paraná, 4 Rafaela, the order of MapLegends::Sites) a schematic soil map of its
// landscape units and the colour legend strip shown beside it.
namespace picturegen {

QImage siteMap(int site);    // 560 x 380
QImage siteLegend(int site); // the strip exactly as MapLegends lays it out

} // namespace picturegen
