#include "ZipArchive.h"

#include <zip.h>

namespace {

QString reasonOf(int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
    case ZIP_ER_EOF:
    case ZIP_ER_SEEK:
    case ZIP_ER_READ:
        return QStringLiteral("el archivo comprimido está incompleto o no es un archivo comprimido (¿se cortó al "
                              "copiarlo?)");
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return QStringLiteral("el archivo comprimido está dañado");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("el archivo está protegido con contraseña; guárdelo sin contraseña");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("el archivo comprimido usa un método de compresión que no se puede leer");
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("el archivo comprimido está partido en varios volúmenes");
    default:
        break;
    }
    return QStringLiteral("el archivo comprimido no se pudo leer (error %1 de libzip)").arg(code);
}

} // namespace

ZipArchive::ZipArchive(const QByteArray& bytes) : bytes_(bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.constData(), zip_uint64_t(bytes_.size()), 0, &error);
    if (source)
        archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive_) {
        openError_ = reasonOf(zip_error_code_zip(&error));
        if (source)
            zip_source_free(source);
    }
    zip_error_fini(&error);
}

ZipArchive::~ZipArchive()
{
    if (archive_)
        zip_discard(archive_);
}

bool ZipArchive::contains(const QString& name) const
{
    return archive_ && zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

std::optional<QByteArray> ZipArchive::read(const QString& name, QString* error)
{
    if (!archive_) {
        *error = openError_;
        return std::nullopt;
    }
    const zip_int64_t index = zip_name_locate(archive_, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0) {
        *error = QStringLiteral("falta la parte %1 del archivo comprimido").arg(name);
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen_index(archive_, zip_uint64_t(index), 0);
    if (!file) {
        *error = reasonOf(zip_error_code_zip(zip_get_error(archive_)));
        return std::nullopt;
    }
    QByteArray out;
    char buffer[64 * 1024];
    for (;;) {
        const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            *error = reasonOf(zip_error_code_zip(zip_file_get_error(file)));
            zip_fclose(file);
            return std::nullopt;
        }
        if (got == 0)
            break;
        inflated_ += got;
        if (inflated_ > MaximumInflatedBytes) {
            *error = QStringLiteral("el contenido descomprimido pasa de %1 MB, el máximo (¿un archivo dañado o "
                                    "preparado para agotar la memoria?)")
                         .arg(MaximumInflatedBytes / (1024 * 1024));
            zip_fclose(file);
            return std::nullopt;
        }
        out.append(buffer, qsizetype(got));
    }
    zip_fclose(file);
    return out;
}
