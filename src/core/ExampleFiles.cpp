#include "ExampleFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString ExampleFiles::folder()
{
    const QString programFolder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return folder(programFolder,
                  QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, u"velmaro/"_s + folderName(),
                                            QStandardPaths::LocateDirectory));
}

QString ExampleFiles::folder(const QString& programFolder, const QStringList& dataFolders)
{
    QStringList candidates;
    if (!programFolder.isEmpty())
        candidates << QDir::cleanPath(QDir(programFolder).filePath(u"../share/velmaro/"_s + folderName()));
    candidates << dataFolders << QDir::current().filePath(u"src/data/examples"_s);
    for (const QString& candidate : std::as_const(candidates))
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    return {};
}
