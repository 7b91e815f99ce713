#pragma once

#include <QString>
#include <QStringList>

// The example files installed with the program (a coefficient table and a small trial),
// which the file dialogs open on: beside the program's share folder when installed, in
// the system's data folders, or in the source tree when run from it.
class ExampleFiles {
public:
    static QString folderName() { return QStringLiteral("ejemplos"); }
    // The first folder that exists; empty when none does.
    static QString folder();
    static QString folder(const QString& programFolder, const QStringList& dataFolders);
};
