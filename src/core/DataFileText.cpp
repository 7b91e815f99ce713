#include "DataFileText.h"

#include <algorithm>
#include <cerrno>

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString notAFile(const QString& name, bool folder)
{
    return folder ? QStringLiteral("%1: es una carpeta, no un archivo").arg(name)
                  : QStringLiteral("%1: no es un archivo común (es un dispositivo, una tubería o un enlace a uno de "
                                   "ellos); elija un archivo de datos")
                        .arg(name);
}

// Windows-1252 at 0x80-0x9F; the other bytes above 0x7F are Latin-1. 0 marks the five
// bytes the code page leaves undefined.
constexpr char16_t Cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// A file of UTF-16 text without its mark shows a zero in every other byte of its
// ASCII characters.
bool looksLikeUtf16(const QByteArray& bytes)
{
    const qsizetype n = std::min<qsizetype>(bytes.size(), 4096);
    qsizetype even = 0, odd = 0;
    for (qsizetype i = 0; i < n; ++i)
        (i % 2 ? odd : even) += bytes[i] == '\0';
    return n >= 4 && (even > n / 4 || odd > n / 4);
}

QString mb(double bytes, int decimals)
{
    return QString::number(bytes / (1024 * 1024), 'f', decimals);
}

} // namespace

QString DataFileText::tooLarge(const QString& fileName, qint64 size, qint64 maximum)
{
    // A size that rounds to the maximum is told in bytes, so that it reads as larger.
    const QString sizeText = mb(double(size), 1) == mb(double(maximum), 1)
        ? QStringLiteral("%1 bytes; el máximo es %2 bytes, %3 MB").arg(size).arg(maximum).arg(maximum / (1024 * 1024))
        : QStringLiteral("%1 MB; el máximo es %2 MB").arg(mb(double(size), 1)).arg(maximum / (1024 * 1024));
    return QStringLiteral("%1: el archivo es demasiado grande (%2)").arg(fileName, sizeText);
}

DataFileText::Bytes DataFileText::load(const QString& path)
{
    Bytes result;
    const QString name = QFileInfo(path).fileName();
    // What the path is, is looked at before it is opened: opening a pipe waits for a
    // writer, and reading a device may never end.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.error = notAFile(name, info.isDir());
        return result;
    }
    QFile file(path);
#ifdef Q_OS_UNIX
    // Opened without waiting and looked at again, in case the name was pointed elsewhere in between.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat opened { };
    if (descriptor >= 0 && (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode))) {
        ::close(descriptor);
        result.error = notAFile(name, S_ISDIR(opened.st_mode));
        return result;
    }
    const bool open = descriptor >= 0 && file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QString why = descriptor >= 0 ? file.errorString() : qt_error_string(errno);
    if (descriptor >= 0 && !open)
        ::close(descriptor);
#else
    const bool open = file.open(QIODevice::ReadOnly);
    const QString why = file.errorString();
#endif
    if (!open) {
        result.error = QStringLiteral("%1: no se pudo abrir el archivo (%2)").arg(name, why);
        return result;
    }
    // The size is checked before reading, so a huge file is never held in memory.
    if (file.size() > MaximumBytes) {
        result.error = tooLarge(name, file.size(), MaximumBytes);
        return result;
    }
    result.bytes = file.read(MaximumBytes + 1);
    if (result.bytes.size() > MaximumBytes) { // a device whose size was not known beforehand
        result.error = QStringLiteral("%1: el archivo es demasiado grande (más de %2 MB)")
                           .arg(name)
                           .arg(MaximumBytes / (1024 * 1024));
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

DataFileText::Result DataFileText::read(const QString& path)
{
    const Bytes file = load(path);
    if (!file.ok)
        return {false, file.error, {}, Encoding::Utf8, {}, {}};
    return decode(file.bytes, QFileInfo(path).fileName());
}

DataFileText::Result DataFileText::decode(const QByteArray& bytes, const QString& fileName)
{
    Result result;
    result.bytes = bytes;
    const auto refuse = [&result](const QString& error) {
        result.error = error;
        result.text.clear();
        result.lines.clear();
        return result;
    };
    if (bytes.size() > MaximumBytes)
        return refuse(QStringLiteral("%1: el archivo es demasiado grande (más de %2 MB)")
                          .arg(fileName)
                          .arg(MaximumBytes / (1024 * 1024)));

    QByteArrayView body(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        body = body.sliced(3);
    } else if (bytes.startsWith("\xFF\xFE")) {
        result.encoding = Encoding::Utf16LE;
        body = body.sliced(2);
    } else if (bytes.startsWith("\xFE\xFF")) {
        result.encoding = Encoding::Utf16BE;
        body = body.sliced(2);
    } else if (looksLikeUtf16(bytes)) {
        return refuse(QStringLiteral("%1: parece texto UTF-16 sin marca de orden de bytes; guárdelo como «CSV UTF-8» "
                                     "o como «Texto Unicode» desde la planilla")
                          .arg(fileName));
    } else if (bytes.contains('\0')) {
        return refuse(
            QStringLiteral("%1: no es un archivo de texto (contiene bytes nulos: ¿un archivo binario?)").arg(fileName));
    }

    if (result.encoding != Encoding::Utf8) {
        if (body.size() % 2)
            return refuse(QStringLiteral("%1: el texto UTF-16 está cortado (un número impar de bytes)").arg(fileName));
        QStringDecoder decoder(result.encoding == Encoding::Utf16LE ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        result.text = decoder.decode(body);
        if (decoder.hasError())
            return refuse(QStringLiteral("%1: el texto UTF-16 no es válido (¿un archivo dañado?)").arg(fileName));
    } else {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        result.text = decoder.decode(body);
        if (decoder.hasError()) {
            // Not UTF-8: the code page a Spanish-locale spreadsheet saves CSV in.
            result.encoding = Encoding::Windows1252;
            result.text.clear();
            result.text.reserve(body.size());
            for (const char byte : body) {
                const auto b = static_cast<unsigned char>(byte);
                const char16_t ch = b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b);
                if (ch == 0)
                    return refuse(QStringLiteral("%1: el byte 0x%2 no es texto UTF-8 ni Windows-1252 (¿un archivo "
                                                 "binario?)")
                                      .arg(fileName)
                                      .arg(int(b), 2, 16, QChar(u'0')));
                result.text += QChar(ch);
            }
        }
    }
    if (result.text.startsWith(QChar(0xFEFF)))
        result.text.remove(0, 1);
    // Line ends of every system, CR alone included, become "\n".
    result.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.text.replace(u'\r', u'\n');

    result.lines = result.text.split(u'\n');
    for (int i = 0; i < result.lines.size(); ++i) {
        const QString& line = result.lines[i];
        for (int c = 0; c < line.size(); ++c) {
            const char16_t ch = line[c].unicode();
            if ((ch < 0x20 && ch != u'\t') || ch == 0x7F || (ch >= 0x80 && ch < 0xA0))
                return refuse(where(fileName, i + 1, QString::number(c + 1),
                                    QStringLiteral("carácter de control U+%1 (¿un archivo binario?)")
                                        .arg(int(ch), 4, 16, QChar(u'0'))));
        }
    }
    if (!result.lines.isEmpty() && result.lines.constLast().isEmpty())
        result.lines.removeLast();
    // Only blanks and line ends (after a byte-order mark, say) is empty too.
    if (std::all_of(result.lines.cbegin(), result.lines.cend(), [](const QString& l) { return l.trimmed().isEmpty(); }))
        return refuse(QStringLiteral("%1: el archivo está vacío").arg(fileName));
    result.ok = true;
    return result;
}

QString DataFileText::where(const QString& fileName, int line, const QString& column, const QString& reason)
{
    if (column.isEmpty())
        return QStringLiteral("%1, línea %2: %3").arg(fileName, QString::number(line), reason);
    return QStringLiteral("%1, línea %2, columna %3: %4").arg(fileName, QString::number(line), column, reason);
}
