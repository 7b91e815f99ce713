#include "ReportPages.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

namespace {

QFont footFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    return font;
}

} // namespace

QPageLayout ReportPages::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                       QPageLayout::Millimeter);
}

QRectF ReportPages::layOut(QTextDocument& document, QPagedPaintDevice& device)
{
    // Document units become the device's pixels; the foot line takes two lines of its font.
    const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double foot = 2 * QFontMetricsF(footFont(), &device).lineSpacing();
    // Each change lays the whole document out again: only what differs is set.
    const QSizeF body(page.width(), page.height() - foot);
    if (document.documentMargin() != 0)
        document.setDocumentMargin(0);
    if (document.pageSize() != body)
        document.setPageSize(body);
    if (document.documentLayout()->paintDevice() != &device)
        document.documentLayout()->setPaintDevice(&device);
    return QRectF(0, 0, page.width(), page.height());
}

int ReportPages::count(QTextDocument& document, QPagedPaintDevice& device)
{
    layOut(document, device);
    return document.pageCount();
}

int ReportPages::paint(QTextDocument& document, QPagedPaintDevice& device, const std::function<void()>& betweenPages)
{
    const QRectF page = layOut(document, device);
    const QSizeF body = document.pageSize();
    const int count = document.pageCount();
    QPainter painter;
    if (!painter.begin(&device))
        return -1;
    for (int n = 0; n < count; ++n) {
        painter.save();
        const QRectF clip(0, n * body.height(), body.width(), body.height());
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(footFont());
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, body.height(), page.width(), page.height() - body.height()),
                         Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Página %1 de %2").arg(n + 1).arg(count));
        if (n + 1 < count) {
            if (betweenPages)
                betweenPages();
            if (!device.newPage()) {
                painter.end();
                return -1;
            }
        }
    }
    return painter.end() ? count : -1;
}
