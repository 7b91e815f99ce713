#pragma once

#include <vector>

#include <QObject>
#include <QPicture>
#include <QTextObjectInterface>

class QTextCursor;
class QTextDocument;

// A drawing inside a report's text, kept as painter commands so that it reaches the
// page as lines and text, not pixels. It takes a width in millimetres and the drawing's
// own proportions, whatever device the document is laid out for.
class FigureObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static constexpr int Type = QTextFormat::UserObject + 1;

    // The handler of `document`'s figures, made on first need and owned by the document.
    static FigureObject& of(QTextDocument& document);

    // Inserts `picture` at the cursor, `widthMm` wide.
    void insert(QTextCursor& cursor, const QPicture& picture, double widthMm);

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    explicit FigureObject(QObject* parent) : QObject(parent) { }
    enum Property { PictureIndex = QTextFormat::UserProperty + 1, WidthMm };

    std::vector<QPicture> pictures_;
};
