#include "PdfJobFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

namespace {

// A PDF file ends with its trailer; a file cut short by a full disk does not.
bool complete(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    file.seek(std::max<qint64>(0, file.size() - 64));
    return file.readAll().contains("%%EOF");
}

} // namespace

PdfJobFile::PdfJobFile(QPrinter& printer) : printer_(printer)
{
    if (printer_.outputFormat() != QPrinter::PdfFormat || printer_.outputFileName().isEmpty())
        return;
    target_ = printer_.outputFileName();
    const QFileInfo info(target_);
    if (info.exists() && !info.isFile()) {
        refusal_ = QStringLiteral("No se puede imprimir en «%1»: no es un archivo común (es una carpeta, un "
                                  "dispositivo o una tubería).")
                       .arg(target_);
        target_.clear();
        return;
    }
    QTemporaryFile temporary(target_ + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(false);
    if (!temporary.open()) {
        refusal_ =
            QStringLiteral("No se puede escribir el archivo PDF «%1»: %2.").arg(target_, temporary.errorString());
        target_.clear();
        return;
    }
    temporary_ = temporary.fileName();
    printer_.setOutputFileName(temporary_);
}

PdfJobFile::~PdfJobFile()
{
    if (target_.isEmpty())
        return;
    printer_.setOutputFileName(target_);
    if (!temporary_.isEmpty())
        QFile::remove(temporary_);
}

QString PdfJobFile::finish()
{
    if (target_.isEmpty())
        return {};
    // The printer lets the file go before it is looked at.
    printer_.setOutputFileName(target_);
    if (!complete(temporary_))
        return QStringLiteral("No se pudo escribir el archivo PDF «%1»: quedó incompleto (¿disco lleno?). "
                              "No se guardó nada; un archivo anterior con ese nombre sigue como estaba.")
            .arg(target_);
    const QFileInfo before(target_);
    const QFileDevice::Permissions permissions = before.exists()
        ? before.permissions()
        : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(temporary_, permissions);
    // rename() puts the complete file in place of an earlier one in one step.
    if (std::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(target_).constData()) != 0)
        return QStringLiteral("No se pudo escribir el archivo PDF «%1»: %2.").arg(target_, qt_error_string(errno));
    temporary_.clear();
    return {};
}
