#include "HelpDocumentPrinter.h"

#include <memory>

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include "richtext/HelpDocumentFile.h"
#include "richtext/RtfReader.h"

bool HelpDocumentPrinter::load(const QString& path, QTextDocument& document, QString* error)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"rtf")
        return RtfReader::readFile(path, document, error);
    if (extension != u"txt")
        return true; // nothing to load for other kinds of file
    // The same checks as for rich text: a regular file of sensible size holding text.
    const std::optional<QByteArray> bytes = HelpDocumentFile::read(path, error);
    if (!bytes)
        return false;
    document.setPlainText(QString::fromLocal8Bit(*bytes));
    return true;
}

void HelpDocumentPrinter::preparePage(QPrinter& printer)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20.0, 25.4, 20.0, 25.4), QPageLayout::Millimeter));
}

int HelpDocumentPrinter::print(const QTextDocument& document, QPrinter& printer,
                               const std::function<void()>& betweenPages)
{
    // Laid out for this printer, so the text fills the area between the margins exactly.
    std::unique_ptr<QTextDocument> pages(document.clone());
    pages->documentLayout()->setPaintDevice(&printer);
    pages->setDocumentMargin(0);
    const QSizeF body = printer.pageRect(QPrinter::DevicePixel).size();
    pages->setPageSize(body);
    const int count = pages->pageCount();

    QPainter painter;
    if (!painter.begin(&printer))
        return -1;
    for (int page = 0; page < count; ++page) {
        painter.save();
        const QRectF clip(0, page * body.height(), body.width(), body.height());
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        pages->documentLayout()->draw(&painter, context);
        painter.restore();
        if (page + 1 < count) {
            if (betweenPages)
                betweenPages();
            if (!printer.newPage())
                return -1;
        }
    }
    return painter.end() ? count : -1;
}
