#pragma once

#include <functional>

#include <QList>
#include <QPageLayout>
#include <QString>

#include "ui/report/ReportFigure.h"

class QPagedPaintDevice;
class QTextDocument;
struct ReportContent;

// A report on paper: A4 portrait with 20 mm margins, the text laid out for the device it
// goes to, and "Página 1 de 2" at the foot of every page. The same pages go to the
// preview, the printer and the PDF file.
class ReportPages {
public:
    static QPageLayout pageLayout();

    // Lays the document out for the device's page (already set to pageLayout()) less the
    // foot line, and paints every page; `betweenPages` runs after each page but the last.
    // Returns the number of pages, or -1 when the device cannot be painted on.
    static int paint(QTextDocument& document, QPagedPaintDevice& device,
                     const std::function<void()>& betweenPages = {});

    // The number of pages the document takes on that device.
    static int count(QTextDocument& document, QPagedPaintDevice& device);

    // The report as a PDF file, written through a temporary file; false with *error (the
    // reason, without the file's name) when it cannot be written.
    static bool savePdf(const QString& path, const ReportContent& content, const QList<ReportFigure>& figures,
                        QString* error);

private:
    static QRectF layOut(QTextDocument& document, QPagedPaintDevice& device);
};
