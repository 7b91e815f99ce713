// The desktop icon, drawn on a 64 x 64 grid and scaled to the size asked for.

#include "AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "PaintKit.h"

namespace picturegen {

QImage appIcon(int size)
{
    constexpr int supersample = 4;
    QImage big(QSize(size, size) * supersample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        p.scale(size * supersample / 64.0, size * supersample / 64.0);

        // The tile, with a soft shadow under it.
        const QRectF tile(4, 3, 56, 56);
        QPainterPath frame;
        frame.addRoundedRect(tile, 11, 11);
        drawSoftShadow(p, frame, QPointF(0, 1.2), 1.6, QColor(0, 0, 0, 90));
        p.save();
        p.setClipPath(frame);
        const qreal horizon = tile.top() + 30;
        QLinearGradient sky(tile.topLeft(), QPointF(tile.left(), horizon));
        sky.setColorAt(0, QColor(0x3f, 0x8e, 0xd8));
        sky.setColorAt(1, QColor(0xc8, 0xe6, 0xf8));
        p.fillRect(tile, sky);
        QRadialGradient sun(QPointF(48, 14), 10);
        sun.setColorAt(0, QColor(0xff, 0xf4, 0xc0, 230));
        sun.setColorAt(1, QColor(0xff, 0xf4, 0xc0, 0));
        p.fillRect(tile, sun);
        QLinearGradient field(QPointF(0, horizon), tile.bottomLeft());
        field.setColorAt(0, QColor(0xe0, 0xc0, 0x5a));
        field.setColorAt(1, QColor(0xa8, 0x78, 0x22));
        p.fillRect(QRectF(tile.left(), horizon, tile.width(), tile.bottom() - horizon), field);
        p.setPen(QPen(QColor(0x80, 0x58, 0x18, 110), 0.5));
        for (int i = -8; i <= 8; ++i)
            p.drawLine(QPointF(32 + i * 1.2, horizon), QPointF(32 + i * 7.0, tile.bottom()));
        p.restore();

        // The yield response: rises with nitrogen, then levels off.
        QPainterPath curve;
        const QPointF origin(10, 50);
        for (qreal n = 0; n <= 44; n += 0.5) {
            const qreal y = 4 + 1.6 * n - 0.019 * n * n;
            const QPointF pt(origin.x() + n, origin.y() - y);
            if (n == 0)
                curve.moveTo(pt);
            else
                curve.lineTo(pt);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 70), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(curve.translated(0.4, 0.9));
        p.setPen(QPen(QColor(0xd8, 0x1e, 0x1e), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(curve);

        // One ripe ear in front, leaning a little to the right, standing in the field.
        EarStyle ear;
        ear.headLength = 22;
        ear.headWidth = 7.5;
        ear.spikeletPairs = 7;
        ear.awnLength = 11;
        ear.awnWidth = 0.45;
        ear.stemWidth = 1.6;
        ear.outlineWidth = 0.4;
        p.save();
        p.setClipPath(frame);
        drawWheatStalk(p, QPointF(22, 62), QPointF(25, 33), -2, ear, 4);
        p.restore();

        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x2a, 0x4a, 0x66, 160), 0.8));
        p.drawPath(frame);
    }
    return big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace picturegen
