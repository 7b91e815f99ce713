#include "ProgramLauncher.h"

#include <QProcess>
#include <QStandardPaths>

QStringList SystemProgramLauncher::candidates(Program program)
{
#ifdef Q_OS_WIN
    return {program == Program::Calculator ? QStringLiteral("calc.exe") : QStringLiteral("notepad.exe")};
#else
    if (program == Program::Calculator)
        return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),         QStringLiteral("galculator"),
                QStringLiteral("mate-calc"),        QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
    return {QStringLiteral("gnome-text-editor"),
            QStringLiteral("gedit"),
            QStringLiteral("kate"),
            QStringLiteral("kwrite"),
            QStringLiteral("mousepad"),
            QStringLiteral("xed"),
            QStringLiteral("pluma"),
            QStringLiteral("leafpad"),
            QStringLiteral("xedit")};
#endif
}

void SystemProgramLauncher::start(Program program)
{
    for (const QString& name : candidates(program)) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) {
            QProcess::startDetached(path, {}); // failure is ignored
            return;
        }
    }
}
