#pragma once

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

    // Reads a file by path into the document. On success returns true and replaces the content.
    // If the file cannot be opened, leaves the document untouched, sets *error (when given) to
    // the Spanish message  No se puede abrir el archivo "<path as given>".  and returns false.
    // A file that opens but is not RTF at all is not an error: the document gets what can be read
    // (possibly nothing).
    static bool readFile(const QString& path, QTextDocument& document, QString* error = nullptr);
};
