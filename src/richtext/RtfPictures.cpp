#include "richtext/RtfPictures.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPen>
#include <QSize>
#include <QSizeF>
#include <QTextDocument>
#include <QUrl>

namespace {

// Sizes go into the document in pixels at 96 per inch, 1440 twips per inch; nothing
// larger than two feet, as for indents.
constexpr qreal TwipsPerPixel = 15.0;
constexpr qreal MaxPixels = 34'560 / TwipsPerPixel;
// A picture that states no size at all.
constexpr qreal DefaultPixels = 96.0;
// Metafiles give \picw and \pich in hundredths of a millimetre.
constexpr qreal HimetricPerPixel = 2540.0 / 96.0;
// Placeholders are drawn at most this large and scaled to the stated size.
constexpr int PlaceholderSide = 256;
constexpr qsizetype MaxPlaceholders = 32;

qreal sane(qreal pixels)
{
    if (!std::isfinite(pixels) || pixels < 1.0)
        return 1.0;
    return std::min(pixels, MaxPixels);
}

QImage drawPlaceholder(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0xEE, 0xEE, 0xEE));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 1.0));
    painter.drawLine(QPointF(0, 0), QPointF(size.width(), size.height()));
    painter.drawLine(QPointF(0, size.height()), QPointF(size.width(), 0));
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
    return image;
}

} // namespace

RtfPictures::RtfPictures(QTextDocument& document) : document_(document) { }

void RtfPictures::begin()
{
    format_ = Format::Unknown;
    width_ = height_ = goalWidth_ = goalHeight_ = 0;
    scaleX_ = scaleY_ = 100;
    hex_.clear();
    binary_.clear();
}

QTextImageFormat RtfPictures::finish()
{
    // Hex data ignores anything that is not a hex digit; \bin data is taken as it is.
    QByteArray data = binary_.isEmpty() ? QByteArray::fromHex(hex_) : binary_;
    hex_.clear();
    binary_.clear();

    QImage image;
    if (format_ == Format::Png || format_ == Format::Jpeg || format_ == Format::Unknown)
        image = decode(data);
    data.clear();

    const QSizeF size = statedSize(image.size());
    QString name;
    if (image.isNull()) {
        name = placeholder(size.toSize());
    } else {
        name = QStringLiteral("rtfpict:%1").arg(++count_);
        document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    return format;
}

QImage RtfPictures::decode(const QByteArray& data)
{
    if (data.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format_ == Format::Png ? "png" : format_ == Format::Jpeg ? "jpeg" : "");
    reader.setDecideFormatFromContent(true);
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.isEmpty())
        return {};
    const std::int64_t pixels = std::int64_t(declared.width()) * declared.height();
    if (pixels > PixelBudget - decodedPixels_)
        return {}; // a picture bomb, or simply too many pictures
    QImage image = reader.read();
    if (!image.isNull())
        decodedPixels_ += pixels;
    return image;
}

// The size the writer asked for: \picwgoal x \pichgoal in twips, scaled by \picscalex/y
// percent. Without goals, a bitmap shows at its pixel size and a metafile at \picw x \pich.
QSizeF RtfPictures::statedSize(const QSize& decoded) const
{
    auto side = [&](int goal, int given, int pixels) {
        if (goal > 0)
            return goal / TwipsPerPixel;
        if (pixels > 0)
            return qreal(pixels);
        if (given > 0)
            return format_ == Format::Metafile ? given / HimetricPerPixel : qreal(given);
        return DefaultPixels;
    };
    const qreal width = side(goalWidth_, width_, decoded.width()) * scaleX_ / 100.0;
    const qreal height = side(goalHeight_, height_, decoded.height()) * scaleY_ / 100.0;
    return {sane(width), sane(height)};
}

QString RtfPictures::placeholder(const QSize& size)
{
    // Drawn at the stated size where that is small, otherwise smaller in the same
    // proportions; the document scales it to the stated size.
    QSize drawn = size;
    if (drawn.width() > PlaceholderSide || drawn.height() > PlaceholderSide)
        drawn.scale(PlaceholderSide, PlaceholderSide, Qt::KeepAspectRatio);
    drawn = drawn.expandedTo(QSize(8, 8));
    QString key = QStringLiteral("%1x%2").arg(drawn.width()).arg(drawn.height());
    if (!placeholders_.contains(key) && placeholders_.size() >= MaxPlaceholders) {
        drawn = QSize(64, 64); // enough different ones: the rest share a square one
        key = QStringLiteral("64x64");
    }
    const auto found = placeholders_.constFind(key);
    if (found != placeholders_.cend())
        return *found;
    const QString name = QStringLiteral("rtfpict:placeholder:%1").arg(key);
    document_.addResource(QTextDocument::ImageResource, QUrl(name), drawPlaceholder(drawn));
    placeholders_.insert(key, name);
    return name;
}
