#pragma once

#include <QString>
#include <QStringList>

// One run of one of our programs in a child process, timed from outside: wall-clock time
// from spawning it to reaping it. What the program printed is kept.
class ChildRun {
public:
    struct Result {
        bool ok = false; // started and exited with status 0
        double wallMs = 0.0;
        QString output;  // its standard output
        QString failure; // why not ok, with the child's error output
    };

    // Runs the program with the current environment; its error output is shown only if it fails.
    static Result run(const QString& program, const QStringList& arguments = {});
};
