#include "RecentCases.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString Key = QStringLiteral("casos/recientes");

} // namespace

QStringList RecentCases::list(const QSettings& settings)
{
    QStringList paths = settings.value(Key).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, Count);
}

void RecentCases::add(QSettings& settings, const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = list(settings);
    if (paths.value(0) == absolute)
        return; // saved again: nothing to write
    paths.removeAll(absolute);
    paths.prepend(absolute);
    settings.setValue(Key, paths.mid(0, Count));
}

void RecentCases::remove(QSettings& settings, const QString& path)
{
    QStringList paths = list(settings);
    paths.removeAll(QFileInfo(path).absoluteFilePath());
    settings.setValue(Key, paths);
}
