#include "richtext/HelpDocumentFile.h"

#include <algorithm>
#include <cerrno>

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>

#include "richtext/RtfReader.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 Mebibyte = 1024 * 1024;
// How much of the start decides whether the file is text.
constexpr qsizetype SniffLength = 64 * 1024;

QString tooLarge(qint64 size)
{
    const qint64 megabytes = (size + Mebibyte - 1) / Mebibyte;
    return QStringLiteral("ocupa %1 MB y el límite para un documento de ayuda es de %2 MB")
        .arg(megabytes)
        .arg(HelpDocumentFile::SizeLimit / Mebibyte);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Text as a person writes it: control bytes other than tabs, line and page ends
// mean a picture, a program or a compressed file, whatever the file is called.
bool looksLikeText(QByteArrayView bytes)
{
    for (const char c : bytes.first(std::min(bytes.size(), SniffLength))) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && !isBlank(c) && byte != 0x1A) // 0x1A: the old end-of-file mark
            return false;
    }
    return true;
}

// Empty, or only blanks and a byte-order mark.
bool isEmptyDocument(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    for (const char c : bytes) {
        if (!isBlank(c))
            return false;
    }
    return true;
}

std::optional<QByteArray> refuse(const QString& path, const QString& reason, QString* error)
{
    if (error)
        *error = HelpDocumentFile::refusal(path, reason);
    return std::nullopt;
}

#ifdef Q_OS_UNIX
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) { }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

QString unreadable(int error)
{
    return error == EACCES || error == EPERM ? QStringLiteral("no hay permiso para leerlo")
                                             : QStringLiteral("no se puede leer");
}

QString kindReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("es una carpeta, no un archivo");
    return QStringLiteral("no es un archivo común (es un dispositivo, una tubería o un enlace "
                          "a uno de ellos)");
}

// Looks before it opens, so a pipe or a device is never opened: opening a pipe waits for
// a writer, and reading a device may never end. The checks are made again on what was
// opened, in case the name was pointed elsewhere in between.
std::optional<QByteArray> readBytes(const QString& path, QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info { };
    if (::stat(name.constData(), &info) != 0) {
        const int cause = errno;
        return refuse(path, cause == ENOENT || cause == ENOTDIR ? QStringLiteral("no existe") : unreadable(cause),
                      error);
    }
    if (!S_ISREG(info.st_mode))
        return refuse(path, kindReason(info.st_mode), error);
    if (info.st_size > HelpDocumentFile::SizeLimit)
        return refuse(path, tooLarge(info.st_size), error);

    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return refuse(path, errno == ENOENT ? QStringLiteral("no existe") : unreadable(errno), error);
    if (::fstat(file.get(), &info) != 0)
        return refuse(path, unreadable(errno), error);
    if (!S_ISREG(info.st_mode))
        return refuse(path, kindReason(info.st_mode), error);
    if (info.st_size > HelpDocumentFile::SizeLimit)
        return refuse(path, tooLarge(info.st_size), error);

    // One byte more than the limit tells a file that grew while it was read.
    QByteArray bytes(qsizetype(HelpDocumentFile::SizeLimit + 1), Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refuse(path, unreadable(errno), error);
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > HelpDocumentFile::SizeLimit)
        return refuse(path, tooLarge(filled), error);
    bytes.truncate(filled);
    bytes.squeeze();
    return bytes;
}
#else
std::optional<QByteArray> readBytes(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(path, QStringLiteral("no existe"), error);
    if (info.isDir())
        return refuse(path, QStringLiteral("es una carpeta, no un archivo"), error);
    if (!info.isFile())
        return refuse(path, QStringLiteral("no es un archivo común"), error);
    if (info.size() > HelpDocumentFile::SizeLimit)
        return refuse(path, tooLarge(info.size()), error);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(path, QStringLiteral("no se puede leer"), error);
    QByteArray bytes = file.read(HelpDocumentFile::SizeLimit + 1);
    if (bytes.size() > HelpDocumentFile::SizeLimit)
        return refuse(path, tooLarge(bytes.size()), error);
    return bytes;
}
#endif

} // namespace

std::optional<QByteArray> HelpDocumentFile::read(const QString& path, QString* error)
{
    if (path.isEmpty())
        return refuse(path, QStringLiteral("no se indicó ningún archivo"), error);
    std::optional<QByteArray> bytes = readBytes(path, error);
    if (!bytes)
        return bytes;
    if (isEmptyDocument(*bytes))
        return refuse(path, QStringLiteral("está vacío"), error);
    if (!RtfReader::looksLikeRtf(*bytes) && !looksLikeText(*bytes))
        return refuse(path, QStringLiteral("no es un documento RTF ni de texto"), error);
    if (RtfReader::holdsMoreText(*bytes, TextLimit))
        return refuse(path,
                      QStringLiteral("su texto pasa de %1 caracteres, el límite para un "
                                     "documento de ayuda")
                          .arg(TextLimit),
                      error);
    return bytes;
}

QString HelpDocumentFile::refusal(const QString& path, const QString& reason)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        return QStringLiteral("No se puede abrir el archivo \"\": %1.").arg(reason);
    return QStringLiteral("No se puede abrir el archivo \"%1\" (%2): %3.")
        .arg(info.fileName(), info.absoluteFilePath(), reason);
}
