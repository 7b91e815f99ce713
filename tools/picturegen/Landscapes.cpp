// The large pictures: the pampas landscape behind the main window, the faint
// wheat motif behind the yield chart and the golden-hour field of the credits.

#include "Landscapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "PaintKit.h"

namespace picturegen {

namespace {

// A wheat field seen from standing height: rows run toward a vanishing point
// on the horizon and the ears shrink with distance.
struct FieldView {
    qreal width = 0;
    qreal height = 0;
    qreal horizon = 0;        // y of the horizon
    qreal vanishX = 0;        // x of the vanishing point
    qreal rowGapNear = 40;    // distance between rows at the bottom edge
    qreal earNear = 30;       // head length of an ear at the bottom edge
    qreal depth = 14;         // how far back the ears are drawn (1 = bottom edge)
    qreal earsPerRowUnit = 9; // ears per unit of depth in each row
    QColor grainLight;
    QColor grainDark;
    QColor outline;
    QColor awn;
    qreal rimLight = 0;
    qreal ripeness = 1.0; // 0 greenish, 1 fully golden
};

void paintFieldEars(QPainter& p, const FieldView& v)
{
    struct Ear {
        qreal z;
        qreal worldX;
    };
    // Ears are spread evenly over the ground: the visible strip of ground
    // widens with depth, so depth is drawn with a density growing like z.
    const qreal zNear = 0.85;
    const qreal zFar = v.depth;
    const qreal rowsAtOne = v.width / v.rowGapNear;
    const int count = static_cast<int>(v.earsPerRowUnit * rowsAtOne * (zFar * zFar - zNear * zNear) / 2);
    std::vector<Ear> ears;
    ears.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const qreal z = std::sqrt(zNear * zNear + random01() * (zFar * zFar - zNear * zNear));
        const qreal margin = v.earNear;
        const qreal screenX = randomRange(-margin, v.width + margin);
        qreal worldX = (screenX - v.vanishX) * z;
        // Seeded in drill rows, with a little scatter.
        worldX = (std::round(worldX / v.rowGapNear) + randomRange(-0.3, 0.3)) * v.rowGapNear;
        ears.push_back({z, worldX});
    }
    std::sort(ears.begin(), ears.end(), [](const Ear& a, const Ear& b) { return a.z > b.z; });

    const qreal groundSpan = v.height - v.horizon;
    for (const Ear& e : ears) {
        const qreal y = v.horizon + groundSpan / e.z;
        const qreal x = v.vanishX + e.worldX / e.z;
        const qreal size = v.earNear / e.z;
        if (x < -size * 2 || x > v.width + size * 2)
            continue;
        const qreal shade = randomRange(0.0, 1.0);
        QColor light = mix(v.grainLight, QColor(0xd8, 0xd8, 0x9a), (1.0 - v.ripeness) * shade);
        QColor dark = mix(v.grainDark, QColor(0x9a, 0x9a, 0x52), (1.0 - v.ripeness) * shade);
        // Distance haze: far ears melt into the field colour.
        const qreal haze = std::clamp((e.z - 1.0) / v.depth, 0.0, 1.0) * 0.55;
        light = mix(light, v.grainLight.lighter(108), haze);
        dark = mix(dark, v.grainLight, haze);
        const qreal lean = randomRange(-9, 9) + (x - v.vanishX) / v.width * 10;
        if (size < 1.0)
            continue;
        if (size < 5.0) {
            // Too small for spikelets: a short stroke of grain.
            p.setPen(QPen(dark, std::max(0.5, size * 0.28), Qt::SolidLine, Qt::RoundCap));
            const qreal a = lean * std::numbers::pi / 180.0;
            p.drawLine(QPointF(x, y), QPointF(x + std::sin(a) * size, y - std::cos(a) * size));
            continue;
        }
        EarStyle s;
        s.grainLight = light;
        s.grainDark = dark;
        s.outline = mix(v.outline, v.grainLight, haze);
        s.awn = mix(v.awn, v.grainLight, haze);
        s.stem = dark;
        s.headLength = size;
        s.headWidth = size * 0.27;
        s.spikeletPairs = size < 14 ? 5 : 8;
        s.awnLength = size * 0.7;
        s.awnWidth = std::max(0.35, size * 0.014);
        s.awnSpread = 12;
        s.outlineWidth = std::max(0.3, size * 0.012);
        s.stemWidth = std::max(0.6, size * 0.05);
        s.rimLight = v.rimLight;
        // A short piece of stem below the ear, fading into the canopy.
        QLinearGradient g(QPointF(x, y), QPointF(x, y + size * 0.9));
        g.setColorAt(0, dark);
        g.setColorAt(1, withAlpha(dark, 0));
        p.setPen(QPen(QBrush(g), s.stemWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(x, y), QPointF(x - lean * 0.02 * size, y + size * 0.9));
        drawEarHead(p, QPointF(x, y), lean, s);
    }
}

// Furrow shading between rows: alternating darker and lighter wedges that
// meet at the vanishing point.
void paintRowStripes(QPainter& p, const FieldView& v, QColor shadow, QColor highlight)
{
    const int halfRows = static_cast<int>(std::ceil(v.width / v.rowGapNear)) * 3;
    p.setPen(Qt::NoPen);
    for (int row = -halfRows; row <= halfRows; ++row) {
        const qreal x0 = v.vanishX + (row - 0.5) * v.rowGapNear;
        const qreal x1 = v.vanishX + (row - 0.18) * v.rowGapNear;
        const qreal x2 = v.vanishX + (row + 0.18) * v.rowGapNear;
        QPainterPath furrow(QPointF(v.vanishX, v.horizon));
        furrow.lineTo(x0, v.height);
        furrow.lineTo(x1, v.height);
        furrow.closeSubpath();
        QLinearGradient g(QPointF(0, v.horizon), QPointF(0, v.height));
        g.setColorAt(0, withAlpha(shadow, 0));
        g.setColorAt(1, shadow);
        p.setBrush(g);
        p.drawPath(furrow);
        QPainterPath crest(QPointF(v.vanishX, v.horizon));
        crest.lineTo(x1 + (x2 - x1) * 0.3, v.height);
        crest.lineTo(x2, v.height);
        crest.closeSubpath();
        QLinearGradient h(QPointF(0, v.horizon), QPointF(0, v.height));
        h.setColorAt(0, withAlpha(highlight, 0));
        h.setColorAt(1, highlight);
        p.setBrush(h);
        p.drawPath(crest);
    }
}

// A clump of trees on the horizon (eucalyptus round a farmstead): a crowd of
// rounded crowns of different heights.
void addTreeClump(QPainterPath& path, qreal centreX, qreal baseY, qreal width, qreal height)
{
    const int crowns = std::max(3, static_cast<int>(width / (height * 0.7)));
    for (int i = 0; i < crowns; ++i) {
        const qreal t = (i + 0.5) / crowns;
        const qreal x = centreX - width / 2 + t * width + randomRange(-2, 2);
        const qreal h = height * (0.45 + 0.55 * std::sin(std::numbers::pi * t)) * randomRange(0.75, 1.1);
        const qreal r = width / crowns * randomRange(0.6, 0.8);
        path.addEllipse(QPointF(x, baseY - h * 0.5), r, h * 0.5);
        path.addEllipse(QPointF(x + randomRange(-r, r) * 0.3, baseY - h * 0.8), r * 0.7, h * 0.25);
    }
}

// A soft cloud made of overlapping puffs, flat-bottomed like fair-weather cumulus.
void paintCloud(QPainter& p, QPointF centre, qreal width, qreal height)
{
    const int puffs = 7;
    for (int i = 0; i < puffs; ++i) {
        const qreal t = (i + 0.5) / puffs;
        const qreal r = height * (0.45 + 0.55 * std::sin(std::numbers::pi * t)) * randomRange(0.8, 1.1);
        const QPointF c(centre.x() - width / 2 + t * width + randomRange(-6, 6), centre.y() - r * 0.35);
        p.drawEllipse(c, r * 1.2, r);
    }
    p.drawRoundedRect(QRectF(centre.x() - width * 0.55, centre.y() - height * 0.2, width * 1.1, height * 0.45),
                      height * 0.2, height * 0.2);
}

// The windmill that pumps water for cattle on almost every pampas farm.
void paintWindmill(QPainter& p, QPointF foot, qreal h, QColor c)
{
    p.setPen(QPen(c, h * 0.025, Qt::SolidLine, Qt::RoundCap));
    const QPointF top(foot.x(), foot.y() - h);
    p.drawLine(QPointF(foot.x() - h * 0.16, foot.y()), top);
    p.drawLine(QPointF(foot.x() + h * 0.16, foot.y()), top);
    p.drawLine(QPointF(foot.x() - h * 0.11, foot.y() - h * 0.3), QPointF(foot.x() + h * 0.11, foot.y() - h * 0.3));
    p.drawLine(QPointF(foot.x() - h * 0.06, foot.y() - h * 0.62), QPointF(foot.x() + h * 0.06, foot.y() - h * 0.62));
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * std::numbers::pi / 6.0;
        p.drawLine(top, top + QPointF(std::cos(a) * h * 0.22, std::sin(a) * h * 0.22));
    }
    p.drawLine(top, top + QPointF(h * 0.3, -h * 0.02));
    p.drawLine(top + QPointF(h * 0.22, -h * 0.08), top + QPointF(h * 0.32, h * 0.06));
}

} // namespace

QImage mainBackground()
{
    const qreal W = 1024, H = 768, horizon = 318;
    return renderPicture(QSize(1024, 768), 2, QColor(0xf2, 0xec, 0xda), [&](QPainter& p) {
        // Sky: a clear pampas afternoon, pale toward the horizon.
        QLinearGradient sky(QPointF(0, 0), QPointF(0, horizon));
        sky.setColorAt(0.0, QColor(0xa4, 0xc6, 0xe0));
        sky.setColorAt(0.55, QColor(0xcb, 0xdd, 0xea));
        sky.setColorAt(1.0, QColor(0xf1, 0xec, 0xdc));
        p.fillRect(QRectF(0, 0, W, horizon + 2), sky);
        QRadialGradient sun(QPointF(800, 210), 420);
        sun.setColorAt(0.0, QColor(255, 249, 226, 200));
        sun.setColorAt(0.4, QColor(255, 246, 220, 70));
        sun.setColorAt(1.0, QColor(255, 246, 220, 0));
        p.fillRect(QRectF(0, 0, W, horizon + 2), sun);

        drawBlurredLayer(p, 16, 0.75, [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(255, 255, 255, 210));
            paintCloud(lp, QPointF(170, 120), 230, 46);
            paintCloud(lp, QPointF(520, 70), 300, 40);
            paintCloud(lp, QPointF(880, 150), 200, 36);
            paintCloud(lp, QPointF(380, 215), 160, 24);
            paintCloud(lp, QPointF(720, 250), 180, 18);
        });

        // Distant tree lines and a windmill, blue with haze.
        drawBlurredLayer(p, 1.5, 1.0, [&](QPainter& lp) {
            QPainterPath land(QPointF(0, horizon + 2));
            for (qreal x = 0; x <= W; x += 6)
                land.lineTo(x, horizon - 1.5 - 1.2 * std::sin(x * 0.021) - randomRange(0, 1.0));
            land.lineTo(W, horizon + 2);
            land.closeSubpath();
            land.setFillRule(Qt::WindingFill);
            addTreeClump(land, 140, horizon, 70, 17);
            addTreeClump(land, 430, horizon, 44, 12);
            addTreeClump(land, 640, horizon, 90, 15);
            addTreeClump(land, 940, horizon, 56, 19);
            QLinearGradient g(QPointF(0, horizon - 22), QPointF(0, horizon));
            g.setColorAt(0, QColor(0xa9, 0xbc, 0xb4));
            g.setColorAt(1, QColor(0x9c, 0xb0, 0x98));
            lp.setPen(Qt::NoPen);
            lp.setBrush(g);
            lp.drawPath(land);
            paintWindmill(lp, QPointF(262, horizon - 1), 28, QColor(0x98, 0xa8, 0xa8));
        });

        // Neighbouring fields between the horizon and our wheat.
        const qreal fieldTop = horizon + 20;
        const QColor bands[] = {QColor(0xc6, 0xcf, 0x9c), QColor(0xe5, 0xd6, 0xa0), QColor(0xbb, 0xc9, 0x92),
                                QColor(0xe0, 0xcc, 0x8a)};
        qreal y = horizon;
        int b = 0;
        while (y < fieldTop + 2) {
            const qreal h = 2.5 + (y - horizon) * 0.35;
            QPainterPath band(QPointF(0, y));
            band.cubicTo(QPointF(W * 0.3, y - 1.5), QPointF(W * 0.7, y + 1.5), QPointF(W, y));
            band.lineTo(W, y + h + 1);
            band.cubicTo(QPointF(W * 0.7, y + h + 2), QPointF(W * 0.3, y + h - 1), QPointF(0, y + h + 1));
            band.closeSubpath();
            p.fillPath(band, mix(bands[b % 4], QColor(0xee, 0xea, 0xd8), 0.35));
            y += h;
            ++b;
        }

        // Our wheat field, from its far edge to the bottom of the window.
        QPainterPath field(QPointF(0, fieldTop + 3));
        field.cubicTo(QPointF(W * 0.35, fieldTop - 2), QPointF(W * 0.65, fieldTop + 1), QPointF(W, fieldTop - 3));
        field.lineTo(W, H);
        field.lineTo(0, H);
        field.closeSubpath();
        QLinearGradient soil(QPointF(0, fieldTop), QPointF(0, H));
        soil.setColorAt(0.0, QColor(0xe6, 0xd3, 0x96));
        soil.setColorAt(0.45, QColor(0xdf, 0xc0, 0x72));
        soil.setColorAt(1.0, QColor(0xcf, 0xa4, 0x52));
        p.fillPath(field, soil);

        FieldView v;
        v.width = W;
        v.height = H;
        v.horizon = horizon;
        v.vanishX = 560;
        v.rowGapNear = 30;
        v.earNear = 32;
        v.depth = 18;
        v.earsPerRowUnit = 26;
        v.grainLight = QColor(0xf4, 0xdc, 0x94);
        v.grainDark = QColor(0xc8, 0x95, 0x44);
        v.outline = QColor(0xa8, 0x7a, 0x36);
        v.awn = QColor(0xc8, 0xa0, 0x58);
        v.ripeness = 0.8;
        p.save();
        p.setClipPath(field);
        paintRowStripes(p, v, QColor(0x9c, 0x72, 0x2e, 70), QColor(0xfb, 0xe9, 0xb0, 60));
        paintFieldEars(p, v);
        p.restore();

        // Air between us and the horizon, and a general softening so labels
        // and panels stay readable on top of the landscape.
        QLinearGradient haze(QPointF(0, horizon - 40), QPointF(0, H));
        haze.setColorAt(0.0, QColor(0xf4, 0xf0, 0xe2, 150));
        haze.setColorAt(0.2, QColor(0xf4, 0xf0, 0xe2, 90));
        haze.setColorAt(1.0, QColor(0xf4, 0xf0, 0xe2, 70));
        p.fillRect(QRectF(0, horizon - 40, W, H - horizon + 40), haze);
        p.fillRect(QRectF(0, 0, W, H), QColor(0xf6, 0xf2, 0xe6, 60));
    });
}

QImage yieldBackground()
{
    const qreal W = 640, H = 420, horizon = 300;
    return renderPicture(QSize(640, 420), 2, QColor(0xfc, 0xfb, 0xf6), [&](QPainter& p) {
        QLinearGradient paper(QPointF(0, 0), QPointF(0, H));
        paper.setColorAt(0.0, QColor(0xfb, 0xfc, 0xfc));
        paper.setColorAt(0.7, QColor(0xfc, 0xfa, 0xf2));
        paper.setColorAt(1.0, QColor(0xf8, 0xf3, 0xe2));
        p.fillRect(QRectF(0, 0, W, H), paper);
        QRadialGradient sun(QPointF(520, 90), 260);
        sun.setColorAt(0.0, QColor(255, 248, 226, 120));
        sun.setColorAt(1.0, QColor(255, 248, 226, 0));
        p.fillRect(QRectF(0, 0, W, H), sun);

        // A band of ears along the bottom, barely darker than the paper.
        drawBlurredLayer(p, 0.8, 0.16, [&](QPainter& lp) {
            QPainterPath ground(QPointF(0, horizon));
            ground.cubicTo(QPointF(200, horizon - 8), QPointF(420, horizon + 6), QPointF(W, horizon - 4));
            ground.lineTo(W, H);
            ground.lineTo(0, H);
            ground.closeSubpath();
            lp.fillPath(ground, QColor(0xd8, 0xc4, 0x88));
            EarStyle s;
            s.grainLight = QColor(0xc8, 0xa8, 0x5c);
            s.grainDark = QColor(0xa8, 0x84, 0x40);
            s.outline = QColor(0x8c, 0x6c, 0x30);
            s.awn = QColor(0xa8, 0x88, 0x48);
            s.stem = QColor(0xb0, 0x94, 0x58);
            for (int i = 0; i < 46; ++i) {
                const qreal x = 6 + i * 14 + randomRange(-5, 5);
                const qreal top = horizon - randomRange(20, 62);
                const qreal size = randomRange(26, 38);
                s.headLength = size;
                s.headWidth = size * 0.26;
                s.spikeletPairs = 7;
                s.awnLength = size * 0.7;
                s.awnWidth = 0.6;
                s.stemWidth = 1.3;
                drawWheatStalk(lp, QPointF(x + randomRange(-10, 10), H + 4), QPointF(x, top), randomRange(-12, 12), s,
                               randomRange(-6, 6));
            }
        });
    });
}

QImage creditsPicture()
{
    const qreal W = 235, H = 346, horizon = 150;
    return renderPicture(QSize(235, 346), 3, QColor(0xf0, 0xc0, 0x80), [&](QPainter& p) {
        QLinearGradient sky(QPointF(0, 0), QPointF(0, horizon));
        sky.setColorAt(0.0, QColor(0x8f, 0xa6, 0xc2));
        sky.setColorAt(0.45, QColor(0xe3, 0xbc, 0x9a));
        sky.setColorAt(0.8, QColor(0xf6, 0xcc, 0x86));
        sky.setColorAt(1.0, QColor(0xfd, 0xe2, 0xa4));
        p.fillRect(QRectF(0, 0, W, horizon + 2), sky);

        // A few thin clouds lit from below.
        drawBlurredLayer(p, 4, 0.7, [&](QPainter& lp) {
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0xff, 0xd8, 0xa8, 200));
            lp.drawEllipse(QPointF(60, 62), 60, 5);
            lp.drawEllipse(QPointF(175, 40), 70, 4);
            lp.drawEllipse(QPointF(120, 95), 50, 3.5);
        });

        const QPointF sunCentre(150, horizon - 16);
        QRadialGradient glow(sunCentre, 190);
        glow.setColorAt(0.0, QColor(255, 248, 220, 255));
        glow.setColorAt(0.08, QColor(255, 236, 180, 230));
        glow.setColorAt(0.35, QColor(255, 206, 120, 110));
        glow.setColorAt(1.0, QColor(255, 190, 110, 0));
        p.fillRect(QRectF(0, 0, W, H), glow);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 252, 236));
        p.drawEllipse(sunCentre, 11, 11);

        // Distant trees against the sun.
        drawBlurredLayer(p, 0.8, 1.0, [&](QPainter& lp) {
            QPainterPath land(QPointF(0, horizon + 2));
            for (qreal x = 0; x <= W; x += 3)
                land.lineTo(x, horizon - 1.2 - randomRange(0, 0.8));
            land.lineTo(W, horizon + 2);
            land.closeSubpath();
            land.setFillRule(Qt::WindingFill);
            addTreeClump(land, 32, horizon, 40, 13);
            addTreeClump(land, 212, horizon, 30, 10);
            lp.setPen(Qt::NoPen);
            lp.setBrush(QColor(0xb0, 0x84, 0x60));
            lp.drawPath(land);
        });

        QRectF ground(0, horizon, W, H - horizon);
        QLinearGradient soil(ground.topLeft(), ground.bottomLeft());
        soil.setColorAt(0.0, QColor(0xf0, 0xc2, 0x70));
        soil.setColorAt(0.35, QColor(0xd8, 0x9a, 0x48));
        soil.setColorAt(1.0, QColor(0x8a, 0x56, 0x22));
        p.fillRect(ground, soil);

        FieldView v;
        v.width = W;
        v.height = H;
        v.horizon = horizon;
        v.vanishX = sunCentre.x();
        v.rowGapNear = 22;
        v.earNear = 26;
        v.depth = 20;
        v.earsPerRowUnit = 8;
        v.grainLight = QColor(0xff, 0xd6, 0x84);
        v.grainDark = QColor(0xb8, 0x72, 0x2c);
        v.outline = QColor(0x8a, 0x50, 0x1c);
        v.awn = QColor(0xff, 0xdc, 0x96);
        v.rimLight = 0.6;
        v.ripeness = 1.0;
        p.save();
        p.setClipRect(ground);
        paintRowStripes(p, v, QColor(0x70, 0x3c, 0x10, 90), QColor(0xff, 0xe0, 0x9a, 70));
        paintFieldEars(p, v);
        p.restore();

        // Foreground ears, back-lit, a little out of focus at their feet.
        EarStyle s;
        s.grainLight = QColor(0xc8, 0x86, 0x38);
        s.grainDark = QColor(0x74, 0x40, 0x14);
        s.outline = QColor(0x5a, 0x2e, 0x0c);
        s.awn = QColor(0xff, 0xe4, 0xa8);
        s.stem = QColor(0xc8, 0x8a, 0x3c);
        s.headLength = 80;
        s.headWidth = 21;
        s.spikeletPairs = 10;
        s.awnLength = 62;
        s.awnWidth = 0.9;
        s.stemWidth = 2.8;
        s.outlineWidth = 0.7;
        s.rimLight = 0.9;
        drawWheatStalk(p, QPointF(24, H + 10), QPointF(46, 262), -8, s, -6);
        s.headLength = 64;
        s.headWidth = 17;
        drawWheatStalk(p, QPointF(196, H + 10), QPointF(186, 272), 8, s, 8);
        s.headLength = 96;
        s.headWidth = 24;
        s.awnLength = 70;
        drawWheatStalk(p, QPointF(110, H + 10), QPointF(104, 250), 5, s, 2);

        // Warm light spilling over everything from the low sun.
        QRadialGradient flare(sunCentre, 260);
        flare.setColorAt(0.0, QColor(255, 236, 190, 70));
        flare.setColorAt(1.0, QColor(255, 200, 130, 0));
        p.fillRect(QRectF(0, 0, W, H), flare);
    });
}

} // namespace picturegen
