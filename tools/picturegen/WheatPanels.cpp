// Light wheat pictures shown behind the empty scenario slots. Each one leans
// toward its slot's colour so the panel reads as one quiet surface.

#include "WheatPanels.h"

#include <cmath>

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "PaintKit.h"

namespace picturegen {

namespace {

struct PanelTint {
    QColor paper; // background
    QColor glow;  // soft light behind the ears
    QColor grainLight;
    QColor grainDark;
    QColor outline;
    QColor awn;
    QColor stem;
    QColor leafLight;
    QColor leafDark;
};

PanelTint tintFor(int variant)
{
    switch (variant) {
    case 2: // neutral, for the window-face slot
        return {QColor(0xee, 0xee, 0xec), QColor(0xfb, 0xfb, 0xf9), QColor(0xe8, 0xdc, 0xbe),
                QColor(0xb9, 0xa6, 0x80), QColor(0x8e, 0x80, 0x66), QColor(0xb4, 0xa6, 0x88),
                QColor(0xb0, 0xa6, 0x8e), QColor(0xc8, 0xcc, 0xbc), QColor(0xa2, 0xa8, 0x96)};
    case 3: // pale aqua
        return {QColor(0xde, 0xf3, 0xf1), QColor(0xf4, 0xfc, 0xfb), QColor(0xef, 0xe0, 0xa8),
                QColor(0xc6, 0xa4, 0x5e), QColor(0x95, 0x78, 0x44), QColor(0xbe, 0xa2, 0x6a),
                QColor(0xa8, 0xb4, 0x84), QColor(0xb6, 0xd8, 0xc4), QColor(0x86, 0xb4, 0xa4)};
    default: // pale yellow
        return {QColor(0xfc, 0xf6, 0xd8), QColor(0xff, 0xfd, 0xf2), QColor(0xf6, 0xde, 0x90),
                QColor(0xd3, 0xa2, 0x4a), QColor(0xa0, 0x72, 0x30), QColor(0xcc, 0xa0, 0x58),
                QColor(0xc4, 0xa8, 0x62), QColor(0xc8, 0xd6, 0x9a), QColor(0x9c, 0xb2, 0x6c)};
    }
}

EarStyle earStyle(const PanelTint& t, qreal scale)
{
    EarStyle s;
    s.grainLight = t.grainLight;
    s.grainDark = t.grainDark;
    s.outline = t.outline;
    s.awn = t.awn;
    s.stem = t.stem;
    s.headLength = 62 * scale;
    s.headWidth = 17 * scale;
    s.spikeletPairs = 9;
    s.awnLength = 44 * scale;
    s.awnWidth = 0.8 * scale;
    s.awnSpread = 12;
    s.stemWidth = 2.4 * scale;
    s.outlineWidth = 0.6 * scale;
    return s;
}

} // namespace

QImage wheatPanel(int variant)
{
    const PanelTint t = tintFor(variant);
    return renderPicture(QSize(185, 150), 3, t.paper, [&](QPainter& p) {
        const QRectF r(0, 0, 185, 150);
        // Paper with a soft light in the middle and a faint fall-off at the edges.
        QRadialGradient glow(QPointF(100, 62), 120);
        glow.setColorAt(0.0, t.glow);
        glow.setColorAt(0.6, t.paper);
        glow.setColorAt(1.0, t.paper.darker(104));
        p.fillRect(r, glow);

        // A low, blurred line of distant field along the bottom.
        drawBlurredLayer(p, 5, 0.5, [&](QPainter& lp) {
            QPainterPath ground(QPointF(0, 150));
            ground.lineTo(0, 128);
            ground.cubicTo(QPointF(60, 120), QPointF(120, 132), QPointF(185, 122));
            ground.lineTo(185, 150);
            ground.closeSubpath();
            lp.fillPath(ground, t.leafLight);
        });

        if (variant == 1) {
            // Three ears fanned out from one point below the frame.
            const QPointF root(96, 172);
            const EarStyle big = earStyle(t, 0.82);
            drawLeaf(p, QPointF(92, 150), QPointF(40, 100), 5.5, -10, t.leafLight, t.leafDark);
            drawLeaf(p, QPointF(100, 150), QPointF(150, 108), 5, 8, t.leafLight, t.leafDark);
            drawWheatStalk(p, root, QPointF(60, 104), -8, big, -6);
            drawWheatStalk(p, root, QPointF(132, 106), 8, big, 6);
            EarStyle centre = earStyle(t, 0.9);
            drawWheatStalk(p, root, QPointF(97, 96), 3, centre);
        } else if (variant == 2) {
            // One long ear leaning across the panel, with a leaf.
            EarStyle s = earStyle(t, 1.25);
            s.awnSpread = 10;
            drawLeaf(p, QPointF(60, 150), QPointF(18, 74), 6.5, -12, t.leafLight, t.leafDark);
            drawWheatStalk(p, QPointF(52, 160), QPointF(88, 86), -10, s, 2);
            EarStyle small = earStyle(t, 0.8);
            drawWheatStalk(p, QPointF(120, 160), QPointF(140, 100), 6, small, 6);
        } else {
            // Two ears crossing, bending toward each other like a wreath.
            const EarStyle s = earStyle(t, 0.9);
            drawLeaf(p, QPointF(70, 150), QPointF(30, 110), 5, -8, t.leafLight, t.leafDark);
            drawLeaf(p, QPointF(115, 150), QPointF(160, 112), 5, 8, t.leafLight, t.leafDark);
            drawWheatStalk(p, QPointF(110, 168), QPointF(80, 94), 8, s, 2);
            drawWheatStalk(p, QPointF(76, 168), QPointF(108, 92), -8, s, -2);
        }

        // A light veil keeps the picture behind the slot's text.
        p.fillRect(r, withAlpha(t.paper, 0.28));
    });
}

} // namespace picturegen
