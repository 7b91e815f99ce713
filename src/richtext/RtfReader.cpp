#include "richtext/RtfReader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include "richtext/HelpDocumentFile.h"
#include "richtext/RtfCodePage.h"
#include "richtext/RtfParser.h"

namespace {

constexpr qreal DefaultTabPixels = 48.0; // 720 twips at 96 pixels per inch

QByteArrayView withoutLeadingBlanks(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    qsizetype start = 0;
    while (start < bytes.size() &&
           (bytes[start] == ' ' || bytes[start] == '\t' || bytes[start] == '\r' || bytes[start] == '\n'))
        ++start;
    return bytes.sliced(start);
}

// Anything else is shown as plain text: UTF-8 when it is valid UTF-8, the
// Windows Western page otherwise, one paragraph per line, control bytes dropped.
void readPlainText(QByteArrayView bytes, QTextDocument& document)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(bytes);
    if (utf8.hasError()) {
        decoded.clear();
        RtfCodePage().decode(RtfCodePage::Default, bytes, decoded);
    }

    QString text;
    text.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded.at(i);
        if (c == u'\r') {
            if (i + 1 < decoded.size() && decoded.at(i + 1) == u'\n')
                continue;
            text.append(u'\n');
        } else if (c == u'\n' || c == u'\t' || (c.unicode() >= 0x20 && c.unicode() != 0x7F)) {
            text.append(c);
        }
    }
    if (text.endsWith(u'\n'))
        text.chop(1);

    QTextCursor cursor(&document);
    cursor.insertText(text);
}

} // namespace

// RTF opens with "{\rtf"; a writer that misspells the header ("{\urtf",
// "{ \rtf") still opens a group with a control word, and is read as RTF too.
bool RtfReader::looksLikeRtf(QByteArrayView bytes)
{
    bytes = withoutLeadingBlanks(bytes);
    if (!bytes.startsWith('{'))
        return false;
    return withoutLeadingBlanks(bytes.sliced(1)).startsWith('\\');
}

bool RtfReader::holdsMoreText(QByteArrayView bytes, qsizetype limit)
{
    if (bytes.size() <= limit)
        return false; // RTF and text alike take at least a byte per character
    if (!looksLikeRtf(bytes))
        return QString::fromUtf8(bytes).size() > limit;
    QTextDocument scratch;
    RtfParser parser(scratch, limit);
    parser.parse(bytes);
    return parser.stoppedAtLimit();
}

void RtfReader::read(const QByteArray& rtf, QTextDocument& document)
{
    // Loading is not an edit the reader could undo.
    const bool undoEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    // RTF's default tab stops are half an inch apart unless the document says otherwise.
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(DefaultTabPixels);
    document.setDefaultTextOption(option);
    if (looksLikeRtf(rtf)) {
        RtfParser parser(document);
        parser.parse(rtf);
    } else {
        readPlainText(rtf, document);
    }
    document.setUndoRedoEnabled(undoEnabled);
    document.setModified(false);
}

bool RtfReader::readFile(const QString& path, QTextDocument& document, QString* error)
{
    const std::optional<QByteArray> bytes = HelpDocumentFile::read(path, error);
    if (!bytes)
        return false;
    read(*bytes, document);
    return true;
}
