#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "core/AdviserCase.h"
#include "core/DoseAdvice.h"

// The dose advice for every field of a sheet, without a window: reads the fields row by
// row (BatchFieldReader), advises each (BatchAdvice) and writes the rows as they come, so
// a file of any length runs in the same memory. A refused row is written with its
// reasons and each reason is also told with its file, line and column; the others go on.
class BatchRun {
public:
    struct Options {
        QString input;
        QString output;   // .csv
        QStringList data; // an own table or trials (one sheet), or three fixed-column files
        // Writes the report of a field that was advised; false with *error saying why.
        std::function<bool(const AdviserCase::Identity& identity, int line, const DoseAdvice::Inputs& inputs,
                           QString* error)>
            report;
    };

    enum Status {
        EveryRowAdvised = 0,
        SomeRowsRefused = 1,
        NotRun = 2, // a file could not be read or written: nothing was written
    };

    // Where the reasons, notices and progress go, one line each, without its line end.
    using Say = std::function<void(const QString& line)>;

    // Progress is told every second once the run has taken longer than two.
    static Status run(const Options& options, const Say& say);
};
