#include "ReportPages.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "core/ReportContent.h"
#include "ui/report/ReportDocument.h"

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

bool ReportPages::savePdf(const QString& path, const ReportContent& content, const QList<ReportFigure>& figures,
                          QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const std::unique_ptr<QTextDocument> pages = ReportDocument::build(content, figures);
    {
        QPdfWriter writer(&file);
        writer.setResolution(96); // the report's lengths are for 96 dots per inch
        writer.setPageLayout(pageLayout());
        writer.setTitle(content.title);
        writer.setCreator(QStringLiteral("Velmaro ") + QStringLiteral(VELMARO_VERSION));
        if (paint(*pages, writer) < 0) {
            file.cancelWriting();
            *error = QStringLiteral("no se pudieron dibujar las páginas.");
            return false;
        }
    }
    if (file.commit())
        return true;
    *error = file.errorString();
    return false;
}
