#include "PaintKit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QTransform>

namespace picturegen {

namespace {

std::uint64_t rngState = 0x9e3779b97f4a7c15ULL;

// One horizontal pass of a box blur over premultiplied ARGB rows.
void boxBlurRows(std::vector<std::uint32_t>& pixels, int width, int height, int radius)
{
    std::vector<std::uint32_t> row(static_cast<size_t>(width));
    const int window = 2 * radius + 1;
    for (int y = 0; y < height; ++y) {
        std::uint32_t* line = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        std::copy(line, line + width, row.begin());
        int sum[4] = {0, 0, 0, 0};
        auto at = [&](int x) { return row[static_cast<size_t>(std::clamp(x, 0, width - 1))]; };
        for (int x = -radius; x <= radius; ++x) {
            const std::uint32_t px = at(x);
            for (int c = 0; c < 4; ++c)
                sum[c] += static_cast<int>((px >> (8 * c)) & 0xffu);
        }
        for (int x = 0; x < width; ++x) {
            std::uint32_t out = 0;
            for (int c = 0; c < 4; ++c)
                out |= static_cast<std::uint32_t>((sum[c] + window / 2) / window) << (8 * c);
            line[x] = out;
            const std::uint32_t leaving = at(x - radius);
            const std::uint32_t entering = at(x + radius + 1);
            for (int c = 0; c < 4; ++c)
                sum[c] +=
                    static_cast<int>((entering >> (8 * c)) & 0xffu) - static_cast<int>((leaving >> (8 * c)) & 0xffu);
        }
    }
}

std::vector<std::uint32_t> transposed(const std::vector<std::uint32_t>& in, int width, int height)
{
    std::vector<std::uint32_t> out(in.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out[static_cast<size_t>(x) * static_cast<size_t>(height) + static_cast<size_t>(y)] =
                in[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return out;
}

qreal deviceScale(const QPainter& p)
{
    const QTransform& t = p.worldTransform();
    return std::sqrt(std::abs(t.determinant()));
}

} // namespace

QImage renderPicture(QSize size, int supersample, QColor background, const std::function<void(QPainter&)>& draw)
{
    QImage big(size * supersample, QImage::Format_ARGB32_Premultiplied);
    big.fill(background);
    {
        QPainter p(&big);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
        p.scale(supersample, supersample);
        draw(p);
    }
    return big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

void blurImage(QImage& image, int radius)
{
    if (radius < 1 || image.isNull())
        return;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    std::vector<std::uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(line, line + w, pixels.begin() + static_cast<std::ptrdiff_t>(y) * w);
    }
    // Three box passes of half the radius each come close to a Gaussian.
    const int pass = std::max(1, radius / 2);
    for (int i = 0; i < 3; ++i)
        boxBlurRows(pixels, w, h, pass);
    pixels = transposed(pixels, w, h);
    for (int i = 0; i < 3; ++i)
        boxBlurRows(pixels, h, w, pass);
    pixels = transposed(pixels, h, w);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        std::copy(pixels.begin() + static_cast<std::ptrdiff_t>(y) * w,
                  pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * w, line);
    }
}

void drawSoftShadow(QPainter& p, const QPainterPath& path, QPointF offset, qreal blur, QColor color)
{
    const qreal scale = deviceScale(p);
    const int blurDevice = std::max(1, static_cast<int>(std::lround(blur * scale)));
    const QPainterPath devicePath = p.worldTransform().map(path.translated(offset));
    const QRect bounds = devicePath.boundingRect().toAlignedRect().adjusted(-2 * blurDevice, -2 * blurDevice,
                                                                            2 * blurDevice, 2 * blurDevice);
    QImage layer(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.translate(-bounds.topLeft());
        lp.fillPath(devicePath, color);
    }
    blurImage(layer, blurDevice);
    p.save();
    p.resetTransform();
    p.drawImage(bounds.topLeft(), layer);
    p.restore();
}

void drawBlurredLayer(QPainter& p, qreal blur, qreal opacity, const std::function<void(QPainter&)>& draw)
{
    const QSize deviceSize(p.device()->width(), p.device()->height());
    QImage layer(deviceSize, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        lp.setWorldTransform(p.worldTransform());
        draw(lp);
    }
    blurImage(layer, static_cast<int>(std::lround(blur * deviceScale(p))));
    p.save();
    p.resetTransform();
    p.setOpacity(p.opacity() * opacity);
    p.drawImage(0, 0, layer);
    p.restore();
}

void drawEarHead(QPainter& p, QPointF headBase, qreal angleDeg, const EarStyle& s)
{
    constexpr qreal pi = std::numbers::pi;
    p.save();
    p.translate(headBase);
    p.rotate(angleDeg);

    const int count = 2 * s.spikeletPairs;
    const qreal step = s.headLength / (s.spikeletPairs + 0.6);
    const qreal spikeletHeight = step * 1.8;

    struct Spikelet {
        QPointF centre;
        qreal tilt;
        qreal width;
        qreal t;
        int side;
    };
    std::vector<Spikelet> spikelets;
    for (int i = 0; i < count; ++i) {
        const qreal t = (i + 0.5) / count;
        const int side = (i % 2 == 0) ? -1 : 1;
        qreal profile = 0.80 + 0.20 * std::sin(pi * std::min(1.0, t * 1.15));
        if (t > 0.78)
            profile *= 1.0 - (t - 0.78) * 1.5;
        const qreal w = s.headWidth * profile;
        const qreal y = -(spikeletHeight * 0.45 + t * (s.headLength - spikeletHeight * 0.9));
        spikelets.push_back({QPointF(side * w * 0.2, y), side * (18.0 + 8.0 * (1.0 - t)), w * 0.56, t, side});
    }
    // The terminal spikelet sits on the axis at the top.
    spikelets.push_back({QPointF(0, -s.headLength + spikeletHeight * 0.5), 0.0, s.headWidth * 0.45, 1.0, 0});

    auto tipOf = [&](const Spikelet& k) {
        const qreal a = k.tilt * pi / 180.0;
        const qreal h = spikeletHeight * 0.5;
        return k.centre + QPointF(std::sin(a) * h, -std::cos(a) * h);
    };

    // Awns behind the grain, fading toward their ends.
    if (s.awnLength > 0.0) {
        for (const Spikelet& k : spikelets) {
            const QPointF tip = tipOf(k);
            const qreal spread = k.side * s.awnSpread * (1.25 - 0.55 * k.t);
            const qreal a = spread * pi / 180.0;
            const qreal len = s.awnLength * (0.72 + 0.38 * k.t);
            const QPointF end = tip + QPointF(std::sin(a) * len, -std::cos(a) * len);
            const QPointF ctrl = tip + QPointF(std::sin(a * 0.6) * len * 0.5, -std::cos(a * 0.6) * len * 0.5);
            QLinearGradient g(tip, end);
            g.setColorAt(0.0, s.awn);
            g.setColorAt(1.0, withAlpha(s.awn, 0.25));
            QPen pen(QBrush(g), s.awnWidth, Qt::SolidLine, Qt::RoundCap);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            QPainterPath awn(tip);
            awn.quadTo(ctrl, end);
            p.drawPath(awn);
        }
    }

    // The rachis, just visible between the spikelets.
    p.setPen(QPen(s.grainDark.darker(115), s.stemWidth * 0.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(0, -s.headLength + spikeletHeight * 0.6));

    // Spikelets from the top down, so each lower one overlaps the base of the next.
    for (auto it = spikelets.rbegin(); it != spikelets.rend(); ++it) {
        const Spikelet& k = *it;
        const qreal hw = k.width * 0.5;
        const qreal hh = spikeletHeight * 0.5;
        QPainterPath grain(QPointF(0, hh));
        grain.cubicTo(QPointF(-hw * 1.25, hh * 0.55), QPointF(-hw * 1.1, -hh * 0.45), QPointF(0, -hh));
        grain.cubicTo(QPointF(hw * 1.1, -hh * 0.45), QPointF(hw * 1.25, hh * 0.55), QPointF(0, hh));
        p.save();
        p.translate(k.centre);
        p.rotate(k.tilt);
        QLinearGradient g(QPointF(-hw, -hh * 0.3), QPointF(hw, hh * 0.3));
        g.setColorAt(0.0, s.grainLight.lighter(104));
        g.setColorAt(0.55, s.grainLight);
        g.setColorAt(1.0, s.grainDark);
        p.setBrush(g);
        p.setPen(QPen(s.outline, s.outlineWidth));
        p.drawPath(grain);
        // The glume's keel.
        p.setPen(QPen(withAlpha(s.outline, 0.55), s.outlineWidth * 0.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(hw * 0.12 * k.side, hh * 0.7), QPointF(hw * 0.05 * k.side, -hh * 0.75));
        if (s.rimLight > 0.0) {
            QColor rim(0xff, 0xf4, 0xc8);
            p.setPen(QPen(withAlpha(rim, s.rimLight), s.outlineWidth * 1.6));
            p.setBrush(Qt::NoBrush);
            QPainterPath edge(QPointF(0, -hh));
            const qreal dir = k.side == 0 ? 1.0 : k.side;
            edge.cubicTo(QPointF(dir * hw * 1.1, -hh * 0.45), QPointF(dir * hw * 1.25, hh * 0.55), QPointF(0, hh));
            p.drawPath(edge);
        }
        p.restore();
    }
    p.restore();
}

void drawWheatStalk(QPainter& p, QPointF ground, QPointF headBase, qreal bend, const EarStyle& style,
                    qreal extraTiltDeg)
{
    const QPointF d = headBase - ground;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF normal = len > 0 ? QPointF(-d.y() / len, d.x() / len) : QPointF();
    const QPointF ctrl = ground + d * 0.5 + normal * bend;
    QPainterPath stem(ground);
    stem.quadTo(ctrl, headBase);
    QLinearGradient g(ground, headBase);
    g.setColorAt(0.0, style.stem.darker(118));
    g.setColorAt(1.0, style.stem);
    p.setPen(QPen(QBrush(g), style.stemWidth, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    const QPointF tangent = headBase - ctrl;
    const qreal angle = std::atan2(tangent.x(), -tangent.y()) * 180.0 / std::numbers::pi;
    drawEarHead(p, headBase, angle + extraTiltDeg, style);
}

void drawLeaf(QPainter& p, QPointF base, QPointF tip, qreal width, qreal bend, QColor light, QColor dark)
{
    const QPointF d = tip - base;
    const qreal len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF n(-d.y() / len, d.x() / len);
    const QPointF mid = base + d * 0.45 + n * bend;
    QPainterPath leaf(base + n * width * 0.35);
    leaf.quadTo(mid + n * width, tip);
    leaf.quadTo(mid - n * width * 0.6, base - n * width * 0.35);
    leaf.closeSubpath();
    QLinearGradient g(base + n * width, base - n * width);
    g.setColorAt(0.0, light);
    g.setColorAt(1.0, dark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(leaf);
    QPainterPath rib(base);
    rib.quadTo(mid + n * width * 0.2, tip);
    p.setPen(QPen(withAlpha(light.lighter(115), 0.7), std::max(0.4, width * 0.12)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rib);
}

QColor mix(QColor a, QColor b, qreal t)
{
    const qreal u = 1.0 - t;
    return QColor::fromRgbF(
        static_cast<float>(a.redF() * u + b.redF() * t), static_cast<float>(a.greenF() * u + b.greenF() * t),
        static_cast<float>(a.blueF() * u + b.blueF() * t), static_cast<float>(a.alphaF() * u + b.alphaF() * t));
}

QColor withAlpha(QColor c, qreal alpha)
{
    c.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return c;
}

double random01()
{
    // xorshift64*: small, fast and identical on every platform.
    rngState ^= rngState >> 12;
    rngState ^= rngState << 25;
    rngState ^= rngState >> 27;
    const std::uint64_t r = rngState * 0x2545f4914f6cdd1dULL;
    return static_cast<double>(r >> 11) * (1.0 / 9007199254740992.0);
}

double randomRange(double lo, double hi)
{
    return lo + (hi - lo) * random01();
}

void reseed(unsigned seed)
{
    rngState = 0x9e3779b97f4a7c15ULL ^ (static_cast<std::uint64_t>(seed) * 0xbf58476d1ce4e5b9ULL);
    if (rngState == 0)
        rngState = 1;
    for (int i = 0; i < 4; ++i)
        random01();
}

} // namespace picturegen
