#include "richtext/RtfDocumentWriter.h"

#include <QTextBlockFormat>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextImageFormat>

RtfDocumentWriter::RtfDocumentWriter(QTextDocument& document) : cursor_(&document)
{
    cursor_.beginEditBlock();
}

RtfDocumentWriter::~RtfDocumentWriter()
{
    if (!finished_)
        finish(QTextBlockFormat());
}

void RtfDocumentWriter::setCharFormat(const QTextCharFormat& format)
{
    if (format == format_)
        return;
    flush();
    format_ = format;
}

bool RtfDocumentWriter::count(qsizetype characters)
{
    characters_ += characters;
    if (limit_ > 0 && characters_ > limit_)
        full_ = true;
    return !full_;
}

void RtfDocumentWriter::appendText(QStringView text)
{
    if (text.isEmpty() || !count(text.size()))
        return;
    startContent();
    pending_.append(text);
}

void RtfDocumentWriter::appendImage(const QTextImageFormat& format)
{
    if (!count(1))
        return;
    startContent();
    flush();
    cursor_.insertImage(format);
}

void RtfDocumentWriter::endParagraph(const QTextBlockFormat& format)
{
    if (!count(1))
        return;
    resetCell();
    if (breakEndedBlock_) {
        // "\page\par": the page break already closed this paragraph.
        breakEndedBlock_ = false;
        return;
    }
    if (needNewBlock_) {
        // Two marks in a row: an empty paragraph between them.
        startContent();
        blockHasContent_ = false;
    }
    flush();
    applyBlockFormat(format);
    needNewBlock_ = true;
    blockHasContent_ = false;
    cellHasContent_ = false;
}

void RtfDocumentWriter::pageBreak(const QTextBlockFormat& format)
{
    if (blockHasContent_ && !needNewBlock_) {
        endParagraph(format);
        breakEndedBlock_ = true;
    }
    if (needNewBlock_)
        breakBeforeNext_ = true;
    else
        breakBeforeBlock_ = true; // nothing written in this block yet
}

void RtfDocumentWriter::endSection(const QTextBlockFormat& format)
{
    if (blockHasContent_ && !needNewBlock_)
        endParagraph(format);
    resetCell();
}

void RtfDocumentWriter::endCell()
{
    // Word stops at 63 columns; far more is junk, and a row of tabs is enough.
    constexpr int MaxCells = 1024;
    if (pendingCellTabs_ < MaxCells)
        ++pendingCellTabs_;
    pendingCellSpace_ = false;
    cellHasContent_ = false;
}

void RtfDocumentWriter::endCellParagraph()
{
    if (cellHasContent_ && pendingCellTabs_ == 0)
        pendingCellSpace_ = true;
}

void RtfDocumentWriter::endRow(const QTextBlockFormat& format)
{
    resetCell();
    endParagraph(format);
}

void RtfDocumentWriter::finish(const QTextBlockFormat& format)
{
    if (finished_)
        return;
    finished_ = true;
    flush();
    if (!needNewBlock_)
        applyBlockFormat(format);
    if (breakBeforeNext_) {
        // A page break with nothing after it still asks for a fresh last page.
        QTextBlockFormat last = cursor_.blockFormat();
        last.setPageBreakPolicy(last.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysAfter);
        cursor_.setBlockFormat(last);
        breakBeforeNext_ = false;
    }
    cursor_.endEditBlock();
}

void RtfDocumentWriter::startContent()
{
    breakEndedBlock_ = false;
    if (needNewBlock_) {
        flush();
        cursor_.insertBlock(QTextBlockFormat(), format_);
        needNewBlock_ = false;
        breakBeforeBlock_ = breakBeforeNext_;
        breakBeforeNext_ = false;
    }
    if (pendingCellTabs_ > 0) {
        pending_.append(QString(pendingCellTabs_, u'\t'));
        pendingCellTabs_ = 0;
    } else if (pendingCellSpace_) {
        pending_.append(u' ');
    }
    pendingCellSpace_ = false;
    blockHasContent_ = true;
    cellHasContent_ = true;
}

void RtfDocumentWriter::flush()
{
    if (pending_.isEmpty())
        return;
    cursor_.insertText(pending_, format_);
    pending_.clear();
}

void RtfDocumentWriter::applyBlockFormat(QTextBlockFormat format)
{
    if (breakBeforeBlock_)
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    cursor_.setBlockFormat(format);
    if (!blockHasContent_)
        cursor_.setBlockCharFormat(format_); // an empty line is as tall as its font
}

void RtfDocumentWriter::resetCell()
{
    pendingCellTabs_ = 0;
    pendingCellSpace_ = false;
    cellHasContent_ = false;
}
