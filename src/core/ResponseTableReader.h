#pragma once

#include <array>
#include <optional>

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include "core/Curves.h"
#include "core/ResponseTable.h"

// Coefficients by scenario code, one optional curve per level (20 %, Medio, 80 %).
using CoefficientSet = QMap<QString, PerLevel<std::optional<Curves::Quadratic>>>;

// Reads the coefficient tables an adviser brings, checks every value before anything is
// used, and turns accepted values into the table's own fixed-column lines:
// - three files in the built-in fixed-column form, one per level;
// - one CSV file "codigo,nivel,a,b,c", nivel one of 20, Medio, 80, with an optional last
//   column "meseta": the available N where a plateau starts (empty: no plateau).
// A file is refused whole at its first fault, with the file, line, column and reason.
class ResponseTableReader {
public:
    struct Result {
        bool ok = false;
        QString error;
        CoefficientSet set;
        int lineCount = 0; // data lines read, over all files
    };

    // Each bound of the built-in table's values over all levels (a 206.4 to 4423.1,
    // b 0.600 to 50.82, c -0.1900 to 0.0001) taken ten times further from zero;
    // a's upper bound is what its six columns can hold at one decimal.
    struct Range {
        double low;
        double high;
    };
    static constexpr std::array<Range, 3> Ranges{{{20.64, 9999.9}, {0.06, 508.2}, {-1.9, 0.001}}};

    // Why a value cannot enter the table (out of range, not finite), or empty.
    static QString checkValue(int coefficient, double value); // 0 a, 1 b, 2 c
    // The same for where a plateau starts: 0 to the highest N a trial may carry.
    static constexpr Range PlateauRange{0.0, 1000.0};
    static QString checkPlateau(double value);

    // A CSV table. With `allLevels` every code must carry all three levels.
    static Result readCsv(const QByteArray& bytes, const QString& fileName, bool allLevels = true);
    // Three fixed-column files, in the order 20 %, Medio, 80 %, covering the same codes.
    static Result readFixedColumns(const std::array<QByteArray, 3>& bytes, const std::array<QString, 3>& fileNames);

    // `base` with the lines of the codes in `set` rewritten at the table's precision
    // (a to 0.1, b to 0.001, c to 0.0001, a plateau to 0.1). A level whose rounded values equal the base
    // line's keeps that line as it stands, so a table read back changes no text.
    static ResponseTable apply(const ResponseTable& base, const CoefficientSet& set);

    // The fixed-column fields of one curve (the plateau's empty when it has none).
    static CoefficientTexts texts(const Curves::Quadratic& coefficients);

    // The table as CSV (UTF-8, "\n" line ends), every code and level in table order; the
    // "meseta" column only when some curve has a plateau.
    static QByteArray exportCsv(const ResponseTable& table);

    // 0, 1, 2 for "20", "Medio", "80"; -1 otherwise.
    static std::optional<Level> levelOf(const QString& text);
    static QString csvLevelName(Level level);

    static bool isScenarioCode(const QString& code);
};
