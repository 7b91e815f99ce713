#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Starts the system's calculator or text editor in a normal window, without waiting
// for it and ignoring failure.
class ProgramLauncher {
public:
    enum class Program { Calculator, TextEditor };
    virtual ~ProgramLauncher() = default;
    virtual void start(Program program) = 0;
};

class SystemProgramLauncher : public ProgramLauncher {
public:
    void start(Program program) override;

    // The candidates tried in turn on this platform ("calc.exe" on Windows).
    static QStringList candidates(Program program);
};
