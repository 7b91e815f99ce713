#include "HelpDocumentLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool isReadableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

} // namespace

QString HelpDocumentLocation::find()
{
    // Without an application object there is no program folder to speak of.
    const QString programFolder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return find(
        programFolder,
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("velmaro/") + fileName()));
}

QString HelpDocumentLocation::find(const QString& programFolder, const QStringList& installedCopies)
{
    // Whatever the working directory holds under that name is read by the bare name,
    // exactly as it always was, so its errors are reported as before.
    if (QFileInfo::exists(fileName()))
        return fileName();
    QStringList candidates;
    if (!programFolder.isEmpty()) {
        const QDir folder(programFolder);
        candidates << folder.filePath(fileName())
                   << QDir::cleanPath(folder.filePath(QStringLiteral("../share/velmaro/") + fileName()));
    }
    candidates << installedCopies;
    for (const QString& candidate : std::as_const(candidates))
        if (isReadableFile(candidate))
            return candidate;
    return fileName();
}
