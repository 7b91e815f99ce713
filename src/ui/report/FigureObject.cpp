#include "FigureObject.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const char* const HandlerName = "velmaroFigures";

} // namespace

FigureObject& FigureObject::of(QTextDocument& document)
{
    auto* handler = document.findChild<FigureObject*>(QLatin1String(HandlerName), Qt::FindDirectChildrenOnly);
    if (!handler) {
        handler = new FigureObject(&document);
        handler->setObjectName(QLatin1String(HandlerName));
        document.documentLayout()->registerHandler(Type, handler);
    }
    return *handler;
}

void FigureObject::insert(QTextCursor& cursor, const QPicture& picture, double widthMm)
{
    QTextCharFormat format;
    format.setObjectType(Type);
    format.setProperty(PictureIndex, static_cast<int>(pictures_.size()));
    format.setProperty(WidthMm, widthMm);
    pictures_.push_back(picture);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

QSizeF FigureObject::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const size_t index = static_cast<size_t>(format.intProperty(PictureIndex));
    if (index >= pictures_.size() || pictures_[index].boundingRect().isEmpty())
        return {};
    // Document units are the pixels of the device it is laid out for.
    const QPaintDevice* device = document->documentLayout()->paintDevice();
    const double dpi = device ? device->logicalDpiX() : 96.0;
    const QRect box = pictures_[index].boundingRect();
    const double width = format.doubleProperty(WidthMm) / 25.4 * dpi;
    return {width, width * box.height() / box.width()};
}

void FigureObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format)
{
    const size_t index = static_cast<size_t>(format.intProperty(PictureIndex));
    if (index >= pictures_.size())
        return;
    const QPicture& picture = pictures_[index];
    const QRect box = picture.boundingRect();
    if (box.isEmpty())
        return;
    painter->save();
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / box.width(), rect.height() / box.height());
    painter->translate(-box.topLeft());
    painter->drawPicture(0, 0, picture);
    painter->restore();
}
