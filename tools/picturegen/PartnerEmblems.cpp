// The four partner emblems of the banner strip and the program's own icon.
// The emblems are fictional: a wheat seal, a soil profile, a water drop with
// the nitrogen symbol and a sun over a ploughed field.

#include "PartnerEmblems.h"

#include <cmath>
#include <iterator>
#include <numbers>

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "PaintKit.h"

namespace picturegen {

namespace {

const QColor kPaper(0xff, 0xff, 0xff);

QFont boldSans(qreal pixelSize)
{
    QFont f("Liberation Sans");
    f.setBold(true);
    f.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Letters spaced along the top of a circle, reading left to right.
void drawArcText(QPainter& p, const QString& text, QPointF centre, qreal radius, const QFont& font, QColor color)
{
    QFontMetricsF fm(font);
    qreal total = 0;
    for (const QChar c : text)
        total += fm.horizontalAdvance(c);
    const qreal spacing = fm.horizontalAdvance(QChar(' ')) * 0.35;
    total += spacing * (text.size() - 1);
    qreal angle = -90.0 - (total / radius) * 180.0 / std::numbers::pi / 2.0;
    p.setFont(font);
    p.setPen(color);
    for (const QChar c : text) {
        const qreal w = fm.horizontalAdvance(c);
        const qreal mid = angle + (w / 2 / radius) * 180.0 / std::numbers::pi;
        p.save();
        p.translate(centre);
        p.rotate(mid + 90.0);
        p.drawText(QPointF(-w / 2, -radius + fm.ascent() * 0.36), QString(c));
        p.restore();
        angle += ((w + spacing) / radius) * 180.0 / std::numbers::pi;
    }
}

EarStyle goldEar(qreal length)
{
    EarStyle s;
    s.grainLight = QColor(0xf8, 0xd8, 0x78);
    s.grainDark = QColor(0xc8, 0x8a, 0x26);
    s.outline = QColor(0x86, 0x56, 0x14);
    s.awn = QColor(0xc0, 0x8a, 0x30);
    s.stem = QColor(0xb0, 0x86, 0x38);
    s.headLength = length;
    s.headWidth = length * 0.3;
    s.spikeletPairs = 7;
    s.awnLength = length * 0.55;
    s.awnWidth = 0.45;
    s.awnSpread = 12;
    s.stemWidth = 1.3;
    s.outlineWidth = 0.35;
    return s;
}

// A round seal: gold rim, green band with "TRIGO", a wheat ear in the middle.
void drawWheatSeal(QPainter& p)
{
    const QPointF c(36, 36);
    QPainterPath disc;
    disc.addEllipse(c, 33, 33);
    drawSoftShadow(p, disc, QPointF(0.6, 1.2), 2.0, QColor(0, 0, 0, 80));
    QLinearGradient rim(QPointF(0, 3), QPointF(0, 69));
    rim.setColorAt(0, QColor(0xf4, 0xd4, 0x78));
    rim.setColorAt(1, QColor(0xa8, 0x74, 0x22));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawPath(disc);
    QRadialGradient band(QPointF(30, 26), 40);
    band.setColorAt(0, QColor(0x4e, 0x88, 0x42));
    band.setColorAt(1, QColor(0x2a, 0x56, 0x28));
    p.setBrush(band);
    p.drawEllipse(c, 30.5, 30.5);
    p.setPen(QPen(QColor(0xf0, 0xd2, 0x7a), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 29.3, 29.3);
    QRadialGradient inner(QPointF(32, 30), 24);
    inner.setColorAt(0, QColor(0xff, 0xfb, 0xec));
    inner.setColorAt(1, QColor(0xf1, 0xe2, 0xb8));
    p.setBrush(inner);
    p.setPen(QPen(QColor(0xf0, 0xd2, 0x7a), 1.0));
    p.drawEllipse(c, 20.5, 20.5);

    drawArcText(p, QStringLiteral("TRIGO"), c, 25.0, boldSans(8.5), QColor(0xff, 0xf4, 0xd0));
    // Small stars along the bottom of the band.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xd6, 0x80));
    for (int i = -2; i <= 2; ++i) {
        const qreal a = (90.0 + i * 17.0) * std::numbers::pi / 180.0;
        p.drawEllipse(c + QPointF(std::cos(a) * 25.0, std::sin(a) * 25.0), 1.1, 1.1);
    }

    p.save();
    QPainterPath clip;
    clip.addEllipse(c, 20, 20);
    p.setClipPath(clip);
    drawLeaf(p, QPointF(36, 58), QPointF(23, 44), 3.0, -3, QColor(0x8c, 0xc0, 0x6a), QColor(0x4c, 0x84, 0x3a));
    drawLeaf(p, QPointF(36, 58), QPointF(49, 46), 2.8, 3, QColor(0x8c, 0xc0, 0x6a), QColor(0x4c, 0x84, 0x3a));
    EarStyle ear = goldEar(24);
    ear.headWidth = 9;
    ear.stemWidth = 1.6;
    ear.outlineWidth = 0.45;
    drawWheatStalk(p, QPointF(36, 60), QPointF(36, 43), 0, ear);
    p.restore();
}

// A shield cut through a soil profile: grass, dark topsoil, clay, parent loess.
void drawSoilProfile(QPainter& p)
{
    QPainterPath shield(QPointF(36, 4));
    shield.cubicTo(QPointF(46, 8), QPointF(56, 8), QPointF(64, 7));
    shield.lineTo(64, 36);
    shield.cubicTo(QPointF(64, 52), QPointF(50, 62), QPointF(36, 68));
    shield.cubicTo(QPointF(22, 62), QPointF(8, 52), QPointF(8, 36));
    shield.lineTo(8, 7);
    shield.cubicTo(QPointF(16, 8), QPointF(26, 8), QPointF(36, 4));
    drawSoftShadow(p, shield, QPointF(0.6, 1.2), 2.0, QColor(0, 0, 0, 90));

    p.save();
    p.setClipPath(shield);
    QLinearGradient sky(QPointF(0, 4), QPointF(0, 22));
    sky.setColorAt(0, QColor(0x8e, 0xc4, 0xea));
    sky.setColorAt(1, QColor(0xdc, 0xee, 0xf8));
    p.fillRect(QRectF(0, 0, 72, 22), sky);
    // Horizons, each with a slightly wavy upper boundary.
    struct Layer {
        qreal top;
        QColor light;
        QColor dark;
    };
    const Layer layers[] = {
        {22, QColor(0x6c, 0xa8, 0x4a), QColor(0x46, 0x7e, 0x30)},   // grass
        {25.5, QColor(0x5e, 0x42, 0x2c), QColor(0x3e, 0x2a, 0x1a)}, // topsoil, rich in organic matter
        {40, QColor(0x94, 0x60, 0x3a), QColor(0x74, 0x46, 0x28)},   // clay subsoil
        {54, QColor(0xd2, 0xb0, 0x80), QColor(0xb4, 0x8e, 0x5e)},   // loess
    };
    for (size_t i = 0; i < std::size(layers); ++i) {
        const Layer& l = layers[i];
        const qreal bottom = i + 1 < std::size(layers) ? layers[i + 1].top + 2 : 72;
        QPainterPath band(QPointF(0, l.top));
        for (qreal x = 0; x <= 72; x += 4)
            band.lineTo(x, l.top + (i == 0 ? 0.0 : std::sin(x * 0.35 + static_cast<qreal>(i)) * 0.9));
        band.lineTo(72, bottom);
        band.lineTo(0, bottom);
        band.closeSubpath();
        QLinearGradient g(QPointF(0, l.top), QPointF(0, bottom));
        g.setColorAt(0, l.light);
        g.setColorAt(1, l.dark);
        p.fillPath(band, g);
    }
    // Crumbs and pebbles.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const qreal x = randomRange(8, 64);
        const qreal y = randomRange(28, 68);
        const qreal r = randomRange(0.4, y > 54 ? 1.6 : 0.9);
        QColor c = y < 40 ? QColor(0x2e, 0x1e, 0x12, 150)
            : y < 54      ? QColor(0x5a, 0x34, 0x1c, 140)
                          : QColor(0xf0, 0xdc, 0xb8, 200);
        p.setBrush(c);
        p.drawEllipse(QPointF(x, y), r * 1.2, r);
    }
    // A seedling with its roots reaching into the topsoil.
    p.setPen(QPen(QColor(0xe8, 0xd8, 0xb8, 200), 0.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = -2; i <= 2; ++i) {
        QPainterPath root(QPointF(36, 24));
        root.cubicTo(QPointF(36 + i * 1.5, 28), QPointF(36 + i * 3.5, 31), QPointF(36 + i * 4.5, 35 + std::abs(i)));
        p.drawPath(root);
    }
    drawLeaf(p, QPointF(36, 23), QPointF(27, 11), 2.4, -2.5, QColor(0x9c, 0xd4, 0x6c), QColor(0x3e, 0x7a, 0x2a));
    drawLeaf(p, QPointF(36, 23), QPointF(45, 12), 2.2, 2.5, QColor(0x9c, 0xd4, 0x6c), QColor(0x3e, 0x7a, 0x2a));
    drawLeaf(p, QPointF(36, 23), QPointF(37, 8), 1.8, 1, QColor(0x9c, 0xd4, 0x6c), QColor(0x3e, 0x7a, 0x2a));
    // Gloss along the top.
    QLinearGradient gloss(QPointF(0, 4), QPointF(0, 30));
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, 0, 72, 30), gloss);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x4a, 0x30, 0x1c), 1.6));
    p.drawPath(shield);
    p.setPen(QPen(QColor(255, 255, 255, 110), 0.7));
    p.drawPath(QTransform().translate(36, 36).scale(0.93, 0.93).translate(-36, -36).map(shield));
}

// A water drop carrying the nitrogen symbol.
void drawNitrogenDrop(QPainter& p)
{
    QPainterPath drop(QPointF(36, 4));
    drop.cubicTo(QPointF(42, 16), QPointF(60, 30), QPointF(60, 45));
    drop.cubicTo(QPointF(60, 59), QPointF(49, 69), QPointF(36, 69));
    drop.cubicTo(QPointF(23, 69), QPointF(12, 59), QPointF(12, 45));
    drop.cubicTo(QPointF(12, 30), QPointF(30, 16), QPointF(36, 4));
    drawSoftShadow(p, drop, QPointF(0.8, 1.4), 2.2, QColor(0x10, 0x30, 0x60, 110));
    QRadialGradient water(QPointF(30, 38), 38);
    water.setColorAt(0, QColor(0x8c, 0xd6, 0xf6));
    water.setColorAt(0.55, QColor(0x3a, 0x98, 0xdc));
    water.setColorAt(1, QColor(0x14, 0x58, 0xa0));
    p.setPen(QPen(QColor(0x10, 0x4a, 0x88), 1.0));
    p.setBrush(water);
    p.drawPath(drop);
    // A ripple of light along the bottom and a glossy highlight on top.
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(17, 40, 38, 25), 200 * 16, 140 * 16);
    QPainterPath shine(QPointF(31, 16));
    shine.cubicTo(QPointF(26, 24), QPointF(19, 32), QPointF(19, 42));
    shine.cubicTo(QPointF(22, 36), QPointF(27, 28), QPointF(31, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawPath(shine);

    const QFont f = boldSans(27);
    QPainterPath letter;
    const QFontMetricsF fm(f);
    letter.addText(QPointF(36 - fm.horizontalAdvance('N') / 2, 58), f, QStringLiteral("N"));
    drawSoftShadow(p, letter, QPointF(0.5, 1.0), 1.2, QColor(0x08, 0x2a, 0x5a, 150));
    p.setBrush(QColor(0xff, 0xff, 0xff));
    p.drawPath(letter);
}

// The sun rising over a ploughed field, in a round frame.
void drawSunOverField(QPainter& p)
{
    const QPointF c(36, 36);
    QPainterPath disc;
    disc.addEllipse(c, 33, 33);
    drawSoftShadow(p, disc, QPointF(0.6, 1.2), 2.0, QColor(0, 0, 0, 80));
    p.setPen(Qt::NoPen);
    QLinearGradient frame(QPointF(0, 3), QPointF(0, 69));
    frame.setColorAt(0, QColor(0xa8, 0x74, 0x48));
    frame.setColorAt(1, QColor(0x5c, 0x38, 0x1e));
    p.setBrush(frame);
    p.drawPath(disc);

    p.save();
    QPainterPath inside;
    inside.addEllipse(c, 29.5, 29.5);
    p.setClipPath(inside);
    const qreal horizon = 40;
    QLinearGradient sky(QPointF(0, 6), QPointF(0, horizon));
    sky.setColorAt(0, QColor(0x7c, 0xbc, 0xea));
    sky.setColorAt(1, QColor(0xfc, 0xe8, 0xa8));
    p.fillRect(QRectF(0, 0, 72, horizon + 1), sky);
    // Sun with rays.
    const QPointF sun(36, horizon - 2);
    p.setPen(QPen(QColor(0xf8, 0xb0, 0x2c), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i <= 8; ++i) {
        const qreal a = (180.0 + i * 22.5) * std::numbers::pi / 180.0;
        p.drawLine(sun + QPointF(std::cos(a) * 14, std::sin(a) * 14),
                   sun + QPointF(std::cos(a) * 21, std::sin(a) * 21));
    }
    QRadialGradient sunFill(sun + QPointF(-3, -4), 13);
    sunFill.setColorAt(0, QColor(0xff, 0xf4, 0x9c));
    sunFill.setColorAt(1, QColor(0xf6, 0xa8, 0x1c));
    p.setPen(Qt::NoPen);
    p.setBrush(sunFill);
    p.drawEllipse(sun, 11, 11);
    // Furrows running to the horizon, alternately lit and shaded.
    QLinearGradient soil(QPointF(0, horizon), QPointF(0, 72));
    soil.setColorAt(0, QColor(0x8a, 0x5e, 0x38));
    soil.setColorAt(1, QColor(0x5a, 0x3a, 0x20));
    p.fillRect(QRectF(0, horizon, 72, 32), soil);
    for (int i = -9; i <= 9; ++i) {
        QPainterPath ridge(QPointF(36 + i * 1.2, horizon));
        ridge.lineTo(36 + i * 9.0 - 2.6, 72);
        ridge.lineTo(36 + i * 9.0 + 2.6, 72);
        ridge.lineTo(36 + i * 1.2 + 0.3, horizon);
        ridge.closeSubpath();
        p.fillPath(ridge, QColor(0xc8, 0x94, 0x5c, 170));
    }
    // A green line of young crop on the horizon.
    p.fillRect(QRectF(0, horizon - 0.5, 72, 2.5), QColor(0x5c, 0x9a, 0x3c));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.8));
    p.drawEllipse(c, 29.5, 29.5);
}

} // namespace

QImage partnerEmblem(int index)
{
    return renderPicture(QSize(72, 72), 4, kPaper, [index](QPainter& p) {
        switch (index) {
        case 1:
            drawWheatSeal(p);
            break;
        case 2:
            drawSoilProfile(p);
            break;
        case 3:
            drawNitrogenDrop(p);
            break;
        default:
            drawSunOverField(p);
            break;
        }
    });
}

QImage helpIcon()
{
    return renderPicture(QSize(73, 73), 4, kPaper, [](QPainter& p) {
        const QRectF tile(4, 3, 65, 65);
        QPainterPath body;
        body.addRoundedRect(tile, 14, 14);
        drawSoftShadow(p, body, QPointF(0.8, 1.5), 2.2, QColor(0, 0, 0, 100));
        QLinearGradient bg(tile.topLeft(), tile.bottomLeft());
        bg.setColorAt(0, QColor(0x6c, 0xb4, 0xe8));
        bg.setColorAt(0.55, QColor(0xb8, 0xdc, 0xee));
        bg.setColorAt(0.56, QColor(0x8c, 0xc0, 0x5c));
        bg.setColorAt(1, QColor(0x3c, 0x7c, 0x30));
        p.setPen(Qt::NoPen);
        p.setBrush(bg);
        p.drawPath(body);

        p.save();
        p.setClipPath(body);
        // The yield response: rising steeply, then levelling off.
        // Faint axes behind the curve.
        p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
        p.drawLine(QPointF(12, 12), QPointF(12, 61));
        p.drawLine(QPointF(12, 61), QPointF(64, 61));
        QPainterPath curve(QPointF(12, 58));
        curve.cubicTo(QPointF(30, 30), QPointF(44, 19), QPointF(68, 17));
        p.setPen(QPen(QColor(0x1c, 0x4a, 0x1c, 90), 6.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve.translated(0.8, 1.5));
        p.setPen(QPen(QColor(0xff, 0xff, 0xff), 4.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(curve);
        p.setPen(QPen(QColor(0xe0, 0x4a, 0x2a), 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(curve);
        // Gloss on the upper half.
        QLinearGradient gloss(tile.topLeft(), QPointF(tile.left(), tile.top() + 34));
        gloss.setColorAt(0, QColor(255, 255, 255, 110));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(QRectF(tile.left(), tile.top(), tile.width(), 34), gloss);
        p.restore();

        EarStyle ear = goldEar(30);
        ear.headWidth = 12.5;
        ear.spikeletPairs = 8;
        ear.awnLength = 12;
        ear.awnWidth = 0.7;
        ear.stemWidth = 2.2;
        ear.outlineWidth = 0.6;
        ear.outline = QColor(0x6a, 0x40, 0x0c);
        ear.awn = QColor(0x8a, 0x5a, 0x14);
        p.save();
        p.setClipPath(body);
        drawLeaf(p, QPointF(28, 70), QPointF(13, 46), 3.6, -4, QColor(0xc4, 0xec, 0x96), QColor(0x2e, 0x6a, 0x22));
        drawLeaf(p, QPointF(29, 70), QPointF(46, 52), 3.2, 3, QColor(0xc4, 0xec, 0x96), QColor(0x2e, 0x6a, 0x22));
        drawWheatStalk(p, QPointF(29, 72), QPointF(28, 45), 1.5, ear, 4);
        p.restore();

        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x2c, 0x5a, 0x2a), 1.2));
        p.drawPath(body);
    });
}

} // namespace picturegen
