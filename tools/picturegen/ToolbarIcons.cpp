// The nine 44 x 44 pictures of the main toolbar. They sit on the toolbar's
// button face, so each is drawn on that grey with a soft drop shadow.

#include "ToolbarIcons.h"

#include <algorithm>
#include <cmath>
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

const QColor kButtonFace(0xef, 0xef, 0xef);
const QColor kShadow(0, 0, 0, 95);

QImage icon(const std::function<void(QPainter&)>& draw)
{
    return renderPicture(QSize(44, 44), 4, kButtonFace, draw);
}

QFont boldSans(qreal pixelSize)
{
    QFont f("Liberation Sans");
    f.setBold(true);
    f.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QPainterPath centredText(const QString& text, const QFont& font, QPointF centre)
{
    QPainterPath path;
    path.addText(QPointF(0, 0), font, text);
    const QRectF b = path.boundingRect();
    return path.translated(centre - b.center());
}

} // namespace

QImage scenarioIcon(int digit)
{
    const QColor digitColors[] = {QColor(0xd8, 0x1e, 0x1e), QColor(0x1e, 0x8c, 0x2a), QColor(0x16, 0x5c, 0xc8)};
    const QColor digitColor = digitColors[std::clamp(digit, 1, 3) - 1];
    return icon([&](QPainter& p) {
        // A little landscape card: sky, a field in rows, one ripe ear.
        const QRectF card(2.5, 3.5, 34, 30);
        QPainterPath frame;
        frame.addRoundedRect(card, 4, 4);
        drawSoftShadow(p, frame, QPointF(0.5, 1.0), 1.4, kShadow);
        p.save();
        p.setClipPath(frame);
        const qreal horizon = card.top() + 12;
        QLinearGradient sky(card.topLeft(), QPointF(card.left(), horizon));
        sky.setColorAt(0, QColor(0x70, 0xb4, 0xea));
        sky.setColorAt(1, QColor(0xd8, 0xee, 0xfa));
        p.fillRect(card, sky);
        QLinearGradient field(QPointF(0, horizon), card.bottomLeft());
        field.setColorAt(0, QColor(0x9c, 0xc8, 0x5a));
        field.setColorAt(1, QColor(0x4e, 0x8c, 0x2e));
        p.fillRect(QRectF(card.left(), horizon, card.width(), card.bottom() - horizon), field);
        p.setPen(QPen(QColor(0x3a, 0x6e, 0x22, 130), 0.6));
        const qreal vx = card.center().x() + 4;
        for (int i = -7; i <= 7; ++i)
            p.drawLine(QPointF(vx + i * 0.8, horizon), QPointF(vx + i * 6.0, card.bottom()));
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x3c, 0x5a, 0x70), 0.9));
        p.drawPath(frame);

        EarStyle ear;
        ear.grainLight = QColor(0xfc, 0xdc, 0x70);
        ear.grainDark = QColor(0xd0, 0x8c, 0x1c);
        ear.outline = QColor(0x7a, 0x4a, 0x08);
        ear.awn = QColor(0x9a, 0x6a, 0x1c);
        ear.stem = QColor(0xc0, 0x90, 0x30);
        ear.headLength = 15;
        ear.headWidth = 6;
        ear.spikeletPairs = 6;
        ear.awnLength = 7;
        ear.awnWidth = 0.4;
        ear.stemWidth = 1.2;
        ear.outlineWidth = 0.35;
        p.save();
        p.setClipPath(frame);
        drawWheatStalk(p, QPointF(12, 36), QPointF(12.5, 20), 1, ear, -3);
        p.restore();

        // The scenario number, outlined in white so it reads on the card.
        const QPainterPath number = centredText(QString::number(digit), boldSans(25), QPointF(31.5, 29));
        drawSoftShadow(p, number, QPointF(0.6, 1.0), 1.2, QColor(0, 0, 0, 140));
        p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(number);
        QLinearGradient fill(QPointF(0, 17), QPointF(0, 41));
        fill.setColorAt(0, digitColor.lighter(125));
        fill.setColorAt(1, digitColor.darker(115));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(number);
    });
}

QImage helpToolIcon()
{
    return icon([](QPainter& p) {
        const QPointF c(22, 21.5);
        QPainterPath disc;
        disc.addEllipse(c, 18, 18);
        drawSoftShadow(p, disc, QPointF(0.6, 1.2), 1.6, kShadow);
        QRadialGradient g(QPointF(17, 14), 26);
        g.setColorAt(0, QColor(0x6c, 0xb8, 0xf8));
        g.setColorAt(1, QColor(0x14, 0x58, 0xb0));
        p.setPen(QPen(QColor(0x0e, 0x40, 0x84), 0.9));
        p.setBrush(g);
        p.drawPath(disc);
        // Glass highlight on the upper half.
        QPainterPath gloss;
        gloss.addEllipse(QPointF(22, 12.5), 13, 8);
        QLinearGradient lg(QPointF(0, 4), QPointF(0, 20));
        lg.setColorAt(0, QColor(255, 255, 255, 150));
        lg.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(lg);
        p.drawPath(gloss);
        const QPainterPath mark = centredText(QStringLiteral("?"), boldSans(28), c + QPointF(0, 0.5));
        drawSoftShadow(p, mark, QPointF(0.4, 0.9), 0.9, QColor(0, 0x20, 0x50, 160));
        p.setBrush(Qt::white);
        p.drawPath(mark);
    });
}

QImage calculatorIcon()
{
    return icon([](QPainter& p) {
        const QRectF body(9, 3, 26, 38);
        QPainterPath shell;
        shell.addRoundedRect(body, 3.5, 3.5);
        drawSoftShadow(p, shell, QPointF(0.7, 1.2), 1.5, kShadow);
        QLinearGradient g(body.topLeft(), body.topRight());
        g.setColorAt(0, QColor(0x6a, 0x74, 0x80));
        g.setColorAt(1, QColor(0x38, 0x40, 0x4a));
        p.setPen(QPen(QColor(0x24, 0x2a, 0x30), 0.8));
        p.setBrush(g);
        p.drawPath(shell);
        // Liquid-crystal display with a result.
        const QRectF screen(12, 6, 20, 8.5);
        QLinearGradient lcd(screen.topLeft(), screen.bottomLeft());
        lcd.setColorAt(0, QColor(0xd6, 0xe8, 0xc0));
        lcd.setColorAt(1, QColor(0xb0, 0xcc, 0x98));
        p.setPen(QPen(QColor(0x20, 0x24, 0x28), 0.6));
        p.setBrush(lcd);
        p.drawRoundedRect(screen, 1.2, 1.2);
        QFont f("Liberation Sans");
        f.setPixelSize(7);
        f.setBold(true);
        const QPainterPath digits = centredText(QStringLiteral("120"), f, QPointF(26.5, 10.4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x26, 0x34, 0x20));
        p.drawPath(digits);
        // Keys: three columns and four rows, the last key orange.
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < 3; ++col) {
                const QRectF key(12 + col * 7, 17.5 + row * 5.8, 5.6, 4.4);
                const bool equals = row == 3 && col == 2;
                QLinearGradient k(key.topLeft(), key.bottomLeft());
                k.setColorAt(0, equals ? QColor(0xff, 0xb8, 0x54) : QColor(0xfa, 0xfa, 0xfa));
                k.setColorAt(1, equals ? QColor(0xe0, 0x74, 0x10) : QColor(0xbc, 0xc2, 0xc8));
                p.setPen(QPen(QColor(0x1c, 0x20, 0x24, 160), 0.4));
                p.setBrush(k);
                p.drawRoundedRect(key, 1.0, 1.0);
            }
        }
    });
}

QImage notesIcon()
{
    return icon([](QPainter& p) {
        const QRectF page(7, 6, 25, 34);
        QPainterPath sheet;
        sheet.addRoundedRect(page, 2, 2);
        drawSoftShadow(p, sheet, QPointF(0.8, 1.2), 1.5, kShadow);
        // Back cover peeking out, then the page.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2c, 0x6a, 0x9c));
        p.drawRoundedRect(page.translated(1.2, 1.0), 2, 2);
        QLinearGradient paper(page.topLeft(), page.bottomRight());
        paper.setColorAt(0, QColor(0xff, 0xff, 0xff));
        paper.setColorAt(1, QColor(0xea, 0xee, 0xf2));
        p.setPen(QPen(QColor(0x8a, 0x96, 0xa2), 0.6));
        p.setBrush(paper);
        p.drawPath(sheet);
        p.setPen(QPen(QColor(0x8c, 0xb4, 0xdc), 0.6));
        for (int i = 0; i < 6; ++i) {
            const qreal y = 14 + i * 4.3;
            p.drawLine(QPointF(page.left() + 1.5, y), QPointF(page.right() - 1.5, y));
        }
        p.setPen(QPen(QColor(0xe0, 0x5a, 0x5a), 0.6));
        p.drawLine(QPointF(12, 10), QPointF(12, 39));
        // Spiral binding.
        for (int i = 0; i < 6; ++i) {
            const qreal x = 10 + i * 3.9;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x50, 0x58, 0x60));
            p.drawEllipse(QPointF(x, 8), 0.9, 0.9);
            p.setPen(QPen(QColor(0x9a, 0xa2, 0xaa), 0.9, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(x - 1.2, 3.6, 2.4, 5.2), 0, 180 * 16);
        }
        // A few handwritten strokes.
        p.setPen(QPen(QColor(0x34, 0x48, 0x78), 0.7, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) {
            const qreal y = 13.2 + i * 4.3;
            QPainterPath hand(QPointF(14, y));
            for (qreal x = 14; x < 26 - i * 3; x += 1.5)
                hand.lineTo(x, y - 0.7 * std::abs(std::sin(x * 1.7)));
            p.drawPath(hand);
        }

        // The pencil, lying across the page.
        p.save();
        p.translate(33, 24);
        p.rotate(-55);
        QPainterPath pencil;
        pencil.addRect(QRectF(-14, -2.3, 20, 4.6));
        drawSoftShadow(p, pencil, QPointF(1.0, 0.6), 1.2, QColor(0, 0, 0, 80));
        QLinearGradient wood(QPointF(0, -2.3), QPointF(0, 2.3));
        wood.setColorAt(0, QColor(0xff, 0xe0, 0x5c));
        wood.setColorAt(0.5, QColor(0xf6, 0xbc, 0x1c));
        wood.setColorAt(1, QColor(0xc8, 0x86, 0x0c));
        p.setPen(QPen(QColor(0x8a, 0x5a, 0x08), 0.4));
        p.setBrush(wood);
        p.drawRect(QRectF(-10, -2.3, 16, 4.6));
        // Metal ferrule and eraser.
        QLinearGradient metal(QPointF(0, -2.3), QPointF(0, 2.3));
        metal.setColorAt(0, QColor(0xe8, 0xe8, 0xe8));
        metal.setColorAt(1, QColor(0x88, 0x8c, 0x90));
        p.setBrush(metal);
        p.drawRect(QRectF(-12.5, -2.3, 2.5, 4.6));
        p.setBrush(QColor(0xf0, 0x8c, 0x96));
        p.drawRoundedRect(QRectF(-15.5, -2.3, 3.2, 4.6), 1.2, 1.2);
        // Sharpened wood and graphite.
        QPainterPath tip(QPointF(6, -2.3));
        tip.lineTo(11, 0);
        tip.lineTo(6, 2.3);
        tip.closeSubpath();
        p.setBrush(QColor(0xf4, 0xd0, 0xa0));
        p.drawPath(tip);
        QPainterPath lead(QPointF(9.4, -0.75));
        lead.lineTo(11, 0);
        lead.lineTo(9.4, 0.75);
        lead.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0x30, 0x34));
        p.drawPath(lead);
        p.restore();
    });
}

QImage chartIcon()
{
    return icon([](QPainter& p) {
        const QRectF card(3, 3, 37, 37);
        QPainterPath sheet;
        sheet.addRoundedRect(card, 3, 3);
        drawSoftShadow(p, sheet, QPointF(0.6, 1.2), 1.5, kShadow);
        QLinearGradient paper(card.topLeft(), card.bottomLeft());
        paper.setColorAt(0, QColor(0xff, 0xff, 0xff));
        paper.setColorAt(1, QColor(0xe8, 0xee, 0xf4));
        p.setPen(QPen(QColor(0x90, 0x9c, 0xa8), 0.6));
        p.setBrush(paper);
        p.drawPath(sheet);
        const QPointF origin(9, 34);
        p.setPen(QPen(QColor(0xd4, 0xdc, 0xe4), 0.5));
        for (int i = 1; i <= 4; ++i) {
            p.drawLine(QPointF(origin.x(), origin.y() - i * 6), QPointF(36, origin.y() - i * 6));
            p.drawLine(QPointF(origin.x() + i * 6.5, origin.y()), QPointF(origin.x() + i * 6.5, 7));
        }
        // Axes with arrow heads.
        p.setPen(QPen(QColor(0x30, 0x38, 0x40), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(origin, QPointF(origin.x(), 6));
        p.drawLine(origin, QPointF(37, origin.y()));
        p.setBrush(QColor(0x30, 0x38, 0x40));
        p.drawPolygon(QPolygonF({QPointF(origin.x(), 5), QPointF(origin.x() - 1.6, 8), QPointF(origin.x() + 1.6, 8)}));
        p.drawPolygon(
            QPolygonF({QPointF(38, origin.y()), QPointF(35, origin.y() - 1.6), QPointF(35, origin.y() + 1.6)}));
        // Three yield responses to nitrogen: quadratic, rising then levelling off.
        struct Curve {
            QColor color;
            qreal a, b, c; // yield = a + b n - c n^2, in icon pixels
        };
        const Curve curves[] = {
            {QColor(0x1e, 0x5c, 0xd0), 5.0, 1.55, 0.030},
            {QColor(0x1e, 0x96, 0x30), 4.0, 1.25, 0.024},
            {QColor(0xdc, 0x26, 0x22), 3.0, 0.95, 0.018},
        };
        p.setBrush(Qt::NoBrush);
        for (const Curve& k : curves) {
            QPainterPath path;
            for (qreal n = 0; n <= 26.0; n += 0.5) {
                const qreal nn = std::min(n, k.b / (2 * k.c));
                const qreal y = k.a + k.b * nn - k.c * nn * nn;
                const QPointF pt(origin.x() + 1 + n, origin.y() - 1 - y);
                if (n == 0)
                    path.moveTo(pt);
                else
                    path.lineTo(pt);
            }
            p.setPen(QPen(withAlpha(k.color, 0.25), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path.translated(0.3, 0.8));
            p.setPen(QPen(k.color, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
        }
    });
}

QImage creditsIcon()
{
    return icon([](QPainter& p) {
        const QPointF c(22, 17);
        // Ribbon tails behind the medal.
        auto tail = [&](qreal dx, QColor light, QColor dark) {
            QPainterPath t(c + QPointF(dx * 3, 4));
            t.lineTo(c + QPointF(dx * 11, 25));
            t.lineTo(c + QPointF(dx * 7.5, 23));
            t.lineTo(c + QPointF(dx * 5.5, 27));
            t.lineTo(c + QPointF(dx * -3, 6));
            t.closeSubpath();
            drawSoftShadow(p, t, QPointF(0.5, 1.0), 1.2, kShadow);
            QLinearGradient g(c, c + QPointF(dx * 10, 24));
            g.setColorAt(0, light);
            g.setColorAt(1, dark);
            p.setPen(QPen(dark.darker(130), 0.5));
            p.setBrush(g);
            p.drawPath(t);
        };
        tail(-1, QColor(0xe8, 0x40, 0x3c), QColor(0xa0, 0x18, 0x18));
        tail(1, QColor(0x3c, 0x78, 0xd8), QColor(0x18, 0x40, 0x98));
        // Rosette: a scalloped ring around a gold medal.
        QPainterPath rosette;
        const int lobes = 16;
        for (int i = 0; i <= lobes * 8; ++i) {
            const qreal a = 2 * std::numbers::pi * i / (lobes * 8);
            const qreal r = 14.5 + 1.3 * std::cos(a * lobes);
            const QPointF pt = c + QPointF(std::cos(a) * r, std::sin(a) * r);
            if (i == 0)
                rosette.moveTo(pt);
            else
                rosette.lineTo(pt);
        }
        rosette.closeSubpath();
        drawSoftShadow(p, rosette, QPointF(0.6, 1.2), 1.5, kShadow);
        QRadialGradient ring(c + QPointF(-4, -5), 20);
        ring.setColorAt(0, QColor(0xf2, 0x5a, 0x4a));
        ring.setColorAt(1, QColor(0xa8, 0x1c, 0x1c));
        p.setPen(QPen(QColor(0x80, 0x14, 0x14), 0.5));
        p.setBrush(ring);
        p.drawPath(rosette);
        QRadialGradient gold(c + QPointF(-3.5, -4), 14);
        gold.setColorAt(0, QColor(0xff, 0xf0, 0xa0));
        gold.setColorAt(0.6, QColor(0xf0, 0xbc, 0x38));
        gold.setColorAt(1, QColor(0xb0, 0x7a, 0x10));
        p.setPen(QPen(QColor(0x8a, 0x5c, 0x08), 0.7));
        p.setBrush(gold);
        p.drawEllipse(c, 10.5, 10.5);
        p.setPen(QPen(QColor(0xff, 0xf4, 0xc0, 200), 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 8.6, 8.6);
        // A five-pointed star struck into the medal.
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            const qreal r = (i % 2 == 0) ? 6.2 : 2.6;
            const QPointF pt = c + QPointF(std::cos(a) * r, std::sin(a) * r + 0.4);
            if (i == 0)
                star.moveTo(pt);
            else
                star.lineTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(0x9a, 0x62, 0x06), 0.5));
        p.setBrush(QColor(0xff, 0xe0, 0x70));
        p.drawPath(star);
    });
}

QImage mapsIcon()
{
    return icon([](QPainter& p) {
        // A map folded in three, the middle panel turned away from the light.
        const qreal xs[] = {4, 15.5, 27.5, 40};
        const qreal tops[] = {10, 7, 10, 7};
        const qreal bottoms[] = {39, 36, 39, 36};
        QPainterPath outline(QPointF(xs[0], tops[0]));
        for (int i = 1; i < 4; ++i)
            outline.lineTo(xs[i], tops[i]);
        for (int i = 3; i >= 0; --i)
            outline.lineTo(xs[i], bottoms[i]);
        outline.closeSubpath();
        drawSoftShadow(p, outline, QPointF(0.6, 1.3), 1.6, kShadow);
        for (int i = 0; i < 3; ++i) {
            QPainterPath panel(QPointF(xs[i], tops[i]));
            panel.lineTo(xs[i + 1], tops[i + 1]);
            panel.lineTo(xs[i + 1], bottoms[i + 1]);
            panel.lineTo(xs[i], bottoms[i]);
            panel.closeSubpath();
            const bool shaded = i == 1;
            QLinearGradient land(QPointF(xs[i], 0), QPointF(xs[i + 1], 0));
            land.setColorAt(0, shaded ? QColor(0x9c, 0xc4, 0x80) : QColor(0xd4, 0xec, 0xb4));
            land.setColorAt(1, shaded ? QColor(0xb4, 0xd6, 0x96) : QColor(0xc0, 0xe0, 0xa0));
            p.setPen(Qt::NoPen);
            p.setBrush(land);
            p.drawPath(panel);
            p.save();
            p.setClipPath(panel);
            // Fields as patches of colour.
            p.setBrush(withAlpha(QColor(0xf0, 0xd0, 0x70), shaded ? 0.6 : 0.8));
            p.drawRect(QRectF(xs[i] + 2, (tops[i] + bottoms[i]) / 2 + 3, 6, 6));
            p.restore();
        }
        p.save();
        p.setClipPath(outline);
        // A river and a road.
        QPainterPath river(QPointF(4, 30));
        river.cubicTo(QPointF(14, 22), QPointF(22, 36), QPointF(40, 24));
        p.setPen(QPen(QColor(0x3c, 0x8c, 0xdc), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(river);
        QPen road(QColor(0xc8, 0x6a, 0x30), 0.9, Qt::DashLine, Qt::FlatCap);
        road.setDashPattern({2.0, 1.4});
        p.setPen(road);
        p.drawLine(QPointF(8, 12), QPointF(34, 36));
        p.restore();
        p.setPen(QPen(QColor(0x5a, 0x78, 0x4a), 0.7));
        p.setBrush(Qt::NoBrush);
        p.drawPath(outline);
        p.setPen(QPen(QColor(0, 0, 0, 50), 0.6));
        p.drawLine(QPointF(xs[1], tops[1]), QPointF(xs[1], bottoms[1]));
        p.drawLine(QPointF(xs[2], tops[2]), QPointF(xs[2], bottoms[2]));

        // The location pin.
        const QPointF tip(26, 26);
        QPainterPath pin(tip);
        pin.cubicTo(tip + QPointF(-2.5, -5), tip + QPointF(-7, -9), tip + QPointF(-7, -14));
        pin.arcTo(QRectF(tip.x() - 7, tip.y() - 21, 14, 14), 180, -180);
        pin.cubicTo(tip + QPointF(7, -9), tip + QPointF(2.5, -5), tip);
        pin.closeSubpath();
        drawSoftShadow(p, pin, QPointF(1.4, 1.0), 1.3, QColor(0, 0, 0, 110));
        QRadialGradient red(tip + QPointF(-3, -17), 14);
        red.setColorAt(0, QColor(0xff, 0x7a, 0x6c));
        red.setColorAt(1, QColor(0xb8, 0x14, 0x14));
        p.setPen(QPen(QColor(0x7a, 0x0c, 0x0c), 0.7));
        p.setBrush(red);
        p.drawPath(pin);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(tip + QPointF(0, -14), 2.8, 2.8);
    });
}

} // namespace picturegen
