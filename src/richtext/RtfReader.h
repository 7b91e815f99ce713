#pragma once

#include <QByteArrayView>
#include <QString>

class QByteArray;
class QTextDocument;

// Reads the rich text the help pages are written in (RTF, as saved by Word or
// WordPad) into a QTextDocument for display and printing.
class RtfReader {
public:
    // Replaces the document's content with what can be read from the bytes.
    // Never throws, never crashes, always returns; malformed input yields what could be read.
    static void read(const QByteArray& rtf, QTextDocument& document);

    // Reads a help document by path into the document. On success returns true and replaces
    // the content. A file that HelpDocumentFile refuses (missing, not a regular file, too large,
    // empty, neither RTF nor text) leaves the document untouched, sets *error (when given) to
    // the Spanish refusal naming the file, its full path and the reason, and returns false.
    static bool readFile(const QString& path, QTextDocument& document, QString* error = nullptr);

    // True when the bytes open as RTF does: "{\rtf", blanks and misspellings allowed.
    static bool looksLikeRtf(QByteArrayView bytes);

    // True when what read() makes of the bytes holds more than `limit` characters of text.
    // Reads no further than the limit, so its time is bounded whatever the bytes are.
    static bool holdsMoreText(QByteArrayView bytes, qsizetype limit);
};
