#pragma once

#include <memory>

#include <QList>

#include "ui/report/ReportFigure.h"

class QTextDocument;
struct ReportContent;

// Typesets a report's texts: the heading, the recommendation, its basis, the dose
// advice's tables with their headings over their own columns, and the charts. Lengths
// are for a device of 96 dots per inch, as the program's printers and PDF files are.
class ReportDocument {
public:
    // Charts as drawings that stay lines and text on the page, or as pictures that a word
    // processor reads from an OpenDocument file.
    enum class Figures { Drawn, Pictures };

    struct Options {
        bool recommendation = true; // the recommendation in words
        Figures figures = Figures::Drawn;
    };

    // The text width of an A4 page with 20 mm margins.
    static constexpr double TextWidthMm = 170.0;

    static std::unique_ptr<QTextDocument> build(const ReportContent& content, const QList<ReportFigure>& figures,
                                                const Options& options);
    static std::unique_ptr<QTextDocument> build(const ReportContent& content, const QList<ReportFigure>& figures = {})
    {
        return build(content, figures, Options{});
    }
};
