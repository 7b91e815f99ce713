#include "SheetRowStream.h"

#include <algorithm>

#include <QFileInfo>

#include "core/CsvSheetReader.h"
#include "core/SheetReader.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

bool isSpreadsheet(const QByteArray& start)
{
    return start.startsWith("PK\x03\x04") || start.startsWith("PK\x05\x06") ||
        start.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

bool isAscii(QByteArrayView bytes)
{
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    return true;
}

void dropEmptyTail(SheetRow& row)
{
    while (!row.cells.isEmpty() && row.cells.constLast().text.isEmpty())
        row.cells.removeLast();
}

} // namespace

SheetRowStream::SheetRowStream(const QString& path) : path_(path)
{
    sheet_.fileName = QFileInfo(path).fileName();
}

SheetRowStream::~SheetRowStream() = default;

bool SheetRowStream::open()
{
    file_.setFileName(path_);
    if (!file_.open(QIODevice::ReadOnly)) {
        error_ = u"%1: no se pudo abrir el archivo (%2)"_s.arg(sheet_.fileName, file_.errorString());
        return false;
    }
    size_ = file_.size();
    const QByteArray start = file_.peek(ChunkBytes);
    if (isSpreadsheet(start)) {
        file_.close();
        whole_ = std::make_unique<Sheet>(SheetReader::read(path_));
        if (!whole_->ok) {
            error_ = whole_->error;
            return false;
        }
        sheet_ = *whole_;
        sheet_.rows.clear();
        sheet_.bytes.clear();
        whole_->bytes.clear();
        return true;
    }
    return openText(start);
}

bool SheetRowStream::openText(const QByteArray& start)
{
    using Encoding = DataFileText::Encoding;
    sheet_.format = Sheet::Format::Csv;
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF")) {
        encoding_ = start.startsWith("\xFF\xFE") ? Encoding::Utf16LE : Encoding::Utf16BE;
        utf16_ = QStringDecoder(encoding_ == Encoding::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        file_.skip(2);
    } else {
        // The start of the file, cut at a line end, tells a text from a binary file and
        // UTF-8 from Windows-1252 as DataFileText tells them, with its messages.
        const bool whole = start.size() == size_;
        const qsizetype cut = whole ? start.size() : start.lastIndexOf('\n') + 1;
        const DataFileText::Result text =
            DataFileText::decode(start.first(cut > 0 ? cut : start.size()), sheet_.fileName);
        if (!text.ok) {
            error_ = text.error;
            return false;
        }
        encoding_ = text.encoding;
        if (start.startsWith("\xEF\xBB\xBF"))
            file_.skip(3);
    }

    // The separator is the one the header line uses most.
    QString line;
    do {
        if (!readLine(line)) {
            if (error_.isEmpty())
                error_ = sheet_.fileName + u": el archivo está vacío"_s;
            return false;
        }
    } while (line.trimmed().isEmpty());
    sheet_.separator = CsvSheetReader::detectSeparator(line);
    sheet_.decimalComma = sheet_.separator != u',';
    pushedBack_ = line;
    QString fault;
    if (!nextRecord(sheet_.header, &fault) || !fault.isEmpty()) {
        if (error_.isEmpty())
            error_ = fault;
        return false;
    }
    return true;
}

bool SheetRowStream::fillBuffer()
{
    if (endOfFile_)
        return false;
    const QByteArray chunk = file_.read(ChunkBytes);
    if (chunk.isEmpty()) {
        endOfFile_ = true;
        if (file_.error() != QFileDevice::NoError)
            error_ = u"%1: no se pudo leer el archivo (%2)"_s.arg(sheet_.fileName, file_.errorString());
        return false;
    }
    if (encoding_ == DataFileText::Encoding::Utf16LE || encoding_ == DataFileText::Encoding::Utf16BE) {
        text_.remove(0, taken_);
        text_ += utf16_.decode(chunk);
    } else {
        bytes_.remove(0, taken_);
        bytes_ += chunk;
    }
    taken_ = 0;
    return true;
}

QString SheetRowStream::decodeBytes(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (encoding_ == DataFileText::Encoding::Utf8) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
        // Not UTF-8 after all: the code page of a Spanish-locale spreadsheet, from here on.
        encoding_ = DataFileText::Encoding::Windows1252;
    }
    QStringDecoder windows1252("windows-1252");
    return windows1252.decode(bytes);
}

bool SheetRowStream::readLine(QString& line)
{
    if (!pushedBack_.isNull()) {
        line = pushedBack_;
        pushedBack_ = QString();
        return true;
    }
    const bool utf16 = encoding_ == DataFileText::Encoding::Utf16LE || encoding_ == DataFileText::Encoding::Utf16BE;
    for (;;) {
        const qsizetype available = utf16 ? text_.size() : bytes_.size();
        qsizetype end = taken_;
        if (utf16) {
            while (end < available && text_[end] != u'\n' && text_[end] != u'\r')
                ++end;
        } else {
            while (end < available && bytes_[end] != '\n' && bytes_[end] != '\r')
                ++end;
        }
        // The line ends inside what is read, or the file ends: a CR waits for the next
        // character, which may be the LF of a CR LF.
        const bool ended = end + 1 < available || (end < available && endOfFile_);
        if (!ended && !endOfFile_) {
            if (end - taken_ > MaximumRowCharacters * 4) {
                error_ = sheet_.where(
                    line_ + 1, 0, {},
                    u"la línea tiene más de %1 caracteres: no es una planilla de lotes"_s.arg(MaximumRowCharacters));
                return false;
            }
            fillBuffer();
            if (!error_.isEmpty())
                return false;
            continue;
        }
        if (end == taken_ && end >= available)
            return false; // nothing left
        if (utf16) {
            line = text_.sliced(taken_, end - taken_);
        } else {
            line = decodeBytes(QByteArrayView(bytes_).sliced(taken_, end - taken_));
        }
        taken_ = end;
        if (end < available) {
            const bool crlf = utf16 ? (text_[end] == u'\r' && end + 1 < available && text_[end + 1] == u'\n')
                                    : (bytes_[end] == '\r' && end + 1 < available && bytes_[end + 1] == '\n');
            taken_ += crlf ? 2 : 1;
        }
        ++line_;
        return true;
    }
}

bool SheetRowStream::nextRecord(SheetRow& row, QString* fault)
{
    for (;;) {
        QString line;
        do {
            if (!readLine(line))
                return false;
        } while (line.trimmed().isEmpty());

        row.line = line_;
        row.cells.clear();
        const QChar separator = sheet_.separator;
        QString field;
        bool inQuotes = false;
        bool closed = false; // the field's closing quote has been read
        int quoteLine = 0;
        qsizetype length = line.size();
        const auto endField = [&] {
            row.cells.append({field.trimmed(), false});
            field.clear();
            closed = false;
        };
        for (qsizetype i = 0;; ++i) {
            if (i == line.size()) {
                if (!inQuotes)
                    break;
                // A quoted field goes on over the line end.
                field += u'\n';
                if (!readLine(line) || (length += line.size()) > MaximumRowCharacters) {
                    if (error_.isEmpty())
                        error_ = sheet_.where(
                            quoteLine, int(row.cells.size()) + 1, {},
                            u"comilla sin cerrar: el campo que empieza aquí no termina en la misma fila"_s);
                    return false;
                }
                i = -1;
                continue;
            }
            const QChar ch = line[i];
            if (inQuotes) {
                if (ch != u'"') {
                    field += ch;
                } else if (i + 1 < line.size() && line[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                    closed = true;
                }
            } else if (ch == separator) {
                endField();
            } else if (closed) {
                if (!ch.isSpace() && fault->isEmpty())
                    *fault = sheet_.where(row.line, int(row.cells.size()) + 1, {},
                                          u"texto después de la comilla que cierra el campo; una comilla dentro de un "
                                          "campo entre comillas se escribe doble (\"\")"_s);
            } else if (ch == u'"' && field.trimmed().isEmpty()) {
                field.clear();
                inQuotes = true;
                quoteLine = line_;
            } else {
                field += ch;
            }
        }
        endField();
        dropEmptyTail(row);
        if (!row.cells.isEmpty())
            return true;
    }
}

bool SheetRowStream::next(SheetRow& row, QString* fault)
{
    fault->clear();
    if (whole_) {
        if (nextWholeRow_ >= whole_->rows.size())
            return false;
        row = whole_->rows[nextWholeRow_++];
        return true;
    }
    return nextRecord(row, fault);
}

double SheetRowStream::progress() const
{
    if (whole_)
        return whole_->rows.isEmpty() ? 1.0 : double(nextWholeRow_) / double(whole_->rows.size());
    if (size_ <= 0)
        return 1.0;
    const qint64 buffered =
        (encoding_ == DataFileText::Encoding::Utf16LE || encoding_ == DataFileText::Encoding::Utf16BE)
        ? 2 * (text_.size() - taken_)
        : bytes_.size() - taken_;
    return std::clamp(double(file_.pos() - buffered) / double(size_), 0.0, 1.0);
}
