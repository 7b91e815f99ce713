#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/ResponseTableReader.h"

// Yield response curves fitted from nitrogen-rate trials: for each scenario code and
// level, yield = a + b·N + c·N² by least squares over the plots (or treatment means)
// given, N being the available nitrogen in kg/ha.
class TrialFit {
public:
    struct Point {
        double n = 0.0;     // available nitrogen, kg/ha
        double yield = 0.0; // kg/ha
    };

    struct Fit {
        QString code;
        Level level = Level::Medio;
        int points = 0;
        int distinctRates = 0;
        Curves::Quadratic coefficients;
        double rSquared = 0.0;      // NaN when the yields do not vary
        double residualError = 0.0; // residual standard error, NaN with no degree of freedom left
        double nMinimum = 0.0;
        double nMaximum = 0.0;
        bool usable = false;  // may enter the table
        QStringList warnings; // in Spanish, as shown beside the fit
    };

    struct Reading {
        bool ok = false;
        QString error;
        QList<Fit> fits; // by code, then level
        int lineCount = 0;
    };

    // Plausible limits of a trial row; anything outside is a typing error.
    static constexpr double MaximumN = 1000.0;
    static constexpr double MaximumYield = 20000.0;

    // The columns of a trial sheet.
    enum Column { Code, LevelColumn, AvailableN, Yield };
    static const QList<SheetColumn>& columns();

    // Reads a sheet with the columns codigo, nivel, n_disponible, rendimiento (in any
    // order, with their Spanish headings) and fits every code and level in it.
    // A bad row refuses the whole file with the file, line, column and reason.
    static Reading read(const Sheet& sheet);
    // The same from a file's bytes, whatever kind of sheet they hold.
    static Reading read(const QByteArray& bytes, const QString& fileName);

    // The least-squares fit of one code and level. Fewer than 3 distinct rates cannot
    // determine a quadratic: the fit is refused (not usable) and says why.
    static Fit fit(const QString& code, Level level, const QVector<Point>& points);

    // The usable fits as a set the table can take, each value to four significant
    // digits at least (ResponseTableReader::rounded).
    static CoefficientSet usable(const QList<Fit>& fits);
};
