#pragma once

#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextBlockFormat;
class QTextImageFormat;
class QTextDocument;

// Appends read RTF content to a QTextDocument: runs of text in one character
// format, paragraphs with the block format in force where they end, page
// breaks, and table rows flattened to one paragraph with tab-separated cells.
// A paragraph mark only opens the next block once something follows it, so a
// document ending in \par leaves no empty block behind.
class RtfDocumentWriter {
public:
    explicit RtfDocumentWriter(QTextDocument& document);

    // Stops taking content once this many characters (paragraph ends and pictures count
    // one) have been appended; 0, the default, takes everything.
    void setCharacterLimit(qsizetype limit) { limit_ = limit; }
    bool full() const { return full_; }
    ~RtfDocumentWriter();
    RtfDocumentWriter(const RtfDocumentWriter&) = delete;
    RtfDocumentWriter& operator=(const RtfDocumentWriter&) = delete;

    QTextDocument& document() const { return *cursor_.document(); }

    // Format of the text appended from now on.
    void setCharFormat(const QTextCharFormat& format);
    const QTextCharFormat& charFormat() const { return format_; }

    void appendText(QStringView text);
    // A picture in the text, as one character of the current paragraph.
    void appendImage(const QTextImageFormat& format);

    // Ends the current paragraph; the format applies to it.
    void endParagraph(const QTextBlockFormat& format);
    // A hard page break: what follows starts on a new page.
    void pageBreak(const QTextBlockFormat& format);
    // A section or column break: ends the paragraph unless it is still empty.
    void endSection(const QTextBlockFormat& format);

    // Table content: a cell ends, a paragraph ends inside a cell, a row ends.
    void endCell();
    void endCellParagraph();
    void endRow(const QTextBlockFormat& format);

    // Flushes everything; the format applies to an unfinished last paragraph.
    void finish(const QTextBlockFormat& format);

private:
    void startContent();
    void flush();
    void applyBlockFormat(QTextBlockFormat format);
    void resetCell();
    bool count(qsizetype characters);

    QTextCursor cursor_;
    QTextCharFormat format_;
    QString pending_;
    bool blockHasContent_ = false;
    bool needNewBlock_ = false;
    bool breakBeforeBlock_ = false; // the current block starts a page
    bool breakBeforeNext_ = false;  // the next block starts a page
    bool breakEndedBlock_ = false;  // a page break just closed the paragraph
    bool finished_ = false;
    bool full_ = false;
    qsizetype limit_ = 0;
    qsizetype characters_ = 0;
    int pendingCellTabs_ = 0;
    bool pendingCellSpace_ = false;
    bool cellHasContent_ = false;
};
