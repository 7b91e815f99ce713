#pragma once

#include <QString>
#include <QStringList>

// Where the help document "velmaro.rtf" is read from. The working directory comes
// first, as it always has; an installed program finds its copy beside the executable,
// in the share folder of the prefix it was installed to, or in the system's data
// folders. When no folder has it, the bare name is kept, so the error report names
// the file exactly as before.
class HelpDocumentLocation {
public:
    static QString fileName() { return QStringLiteral("velmaro.rtf"); }

    // The document to read now: looked up at every call, never remembered.
    static QString find();

    // The same order over given folders: the program's own folder, then the installed
    // copies the data folders hold (each a full file path, first one wins).
    static QString find(const QString& programFolder, const QStringList& installedCopies);
};
