#include "Look.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QWidget>

namespace {

// The shared faces and icons live as long as the process: made while the application
// runs, they are never destroyed after it (a font or a picture outliving the application
// would be released into a torn-down font cache).
template <typename T> QHash<int, T>& lifelong()
{
    static auto* table = new QHash<int, T>;
    return *table;
}

// Faces by size, weight and underline; in points or in pixels.
QFont face(int size, bool bold, bool underline, bool pixels)
{
    QHash<int, QFont>& faces = lifelong<QFont>();
    const int key = (size * 4 + (bold ? 1 : 0) + (underline ? 2 : 0)) * 2 + (pixels ? 1 : 0);
    auto found = faces.find(key);
    if (found == faces.end()) {
        QFont font(QStringLiteral("Arial"));
        font.setBold(bold);
        if (pixels) {
            font.setPixelSize(size);
            font.setUnderline(underline);
        } else {
            font.setPointSize(size);
        }
        found = faces.insert(key, font);
    }
    return *found;
}

// Stands for a standard icon until something draws or measures it; then reads it from
// the application's style, once for the whole program.
class StandardIconEngine final : public QIconEngine {
public:
    explicit StandardIconEngine(QStyle::StandardPixmap which) : which_(which) { }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // The style draws every standard dialog icon from its own pictures, so a button
    // makes room for it without reading it.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("VelmaroStandardIcon"); }
    QIconEngine* clone() const override { return new StandardIconEngine(which_); }

private:
    QIcon icon() const
    {
        QHash<int, QIcon>& read = lifelong<QIcon>();
        auto found = read.find(which_);
        if (found == read.end())
            found = read.insert(which_, QApplication::style()->standardIcon(which_));
        return *found;
    }

    QStyle::StandardPixmap which_;
};

} // namespace

namespace Look {

QFont arial(int points, bool bold)
{
    return face(points, bold, false, false);
}

QFont arialPixels(int pixelSize, bool bold, bool underline)
{
    return face(pixelSize, bold, underline, true);
}

QIcon standardIcon(QStyle::StandardPixmap which)
{
    return QIcon(new StandardIconEngine(which));
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace Look
