#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The cases last saved or opened, newest first, kept in the program's settings.
class RecentCases {
public:
    static constexpr int Count = 8;

    static QStringList list(const QSettings& settings);
    // To the front, once; the oldest beyond Count drops off.
    static void add(QSettings& settings, const QString& path);
    static void remove(QSettings& settings, const QString& path);
};
