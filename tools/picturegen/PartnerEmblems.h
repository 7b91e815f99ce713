#pragma once

#include <QImage>

namespace picturegen {

// 72 x 72 partner emblem of the banner strip, index 1..4: wheat seal,
// soil profile, water drop with N, sun over a ploughed field.
QImage partnerEmblem(int index);

// 73 x 73 program icon: a wheat ear over a rising yield curve.
QImage helpIcon();

} // namespace picturegen
