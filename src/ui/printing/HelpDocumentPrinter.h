#pragma once

#include <functional>

#include <QString>

class QPrinter;
class QTextDocument;

// The help document on paper: A4 portrait, the text from the 20 mm side margins and
// from one inch below the top edge to one inch above the bottom edge, no header or footer.
class HelpDocumentPrinter {
public:
    // Loads a file by its extension, compared without regard to case: ".txt" as plain
    // text, ".rtf" as rich text, anything else nothing (still a success). When the file is
    // refused (see HelpDocumentFile) the document is left as it was and *error says why.
    static bool load(const QString& path, QTextDocument& document, QString* error);

    // Sets the printer's page to A4 portrait with the help document's margins.
    static void preparePage(QPrinter& printer);

    // Draws every page, first to last; `betweenPages` runs after each page but the last.
    // Returns the number of pages, or -1 when the printer cannot be painted on.
    static int print(const QTextDocument& document, QPrinter& printer, const std::function<void()>& betweenPages = {});
};
