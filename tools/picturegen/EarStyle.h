#pragma once

#include <QColor>

// Colours and proportions of one drawn wheat ear. The head is built from
// alternating spikelets along a rachis; each spikelet carries an awn.
struct EarStyle {
    QColor grainLight{0xf3, 0xd9, 0x8a};
    QColor grainDark{0xc0, 0x8a, 0x32};
    QColor outline{0x8a, 0x5c, 0x1e};
    QColor awn{0xb8, 0x8c, 0x3c};
    QColor stem{0xb8, 0x98, 0x4e};
    qreal headLength = 60.0; // along the rachis, in logical pixels
    qreal headWidth = 16.0;  // widest point of the head
    int spikeletPairs = 9;   // alternating left/right pairs
    qreal awnLength = 40.0;  // 0 gives a beardless ear
    qreal awnWidth = 0.7;
    qreal awnSpread = 14.0; // degrees between an awn and the rachis
    qreal stemWidth = 2.2;
    qreal outlineWidth = 0.6;
    qreal rimLight = 0.0; // 0..1, bright edge for back-lit ears
};
