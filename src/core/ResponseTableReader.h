#pragma once

#include <array>
#include <optional>

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include "core/Curves.h"
#include "core/ResponseTable.h"
#include "core/SheetColumns.h"

// Coefficients by scenario code, one optional curve per level (20 %, Medio, 80 %).
using CoefficientSet = QMap<QString, PerLevel<std::optional<Curves::Quadratic>>>;

// Reads the coefficient tables an adviser brings, checks every value before anything is
// used, and turns accepted values into the table's own lines:
// - three files in the built-in fixed-column form, one per level;
// - one sheet (CSV in any dialect SheetReader reads, .xlsx, .ods) with the columns
//   codigo, nivel, a, b, c; nivel one of 20, Medio, 80.
// A file is refused whole at its first fault, with the file, line, column and reason.
// Values keep the precision they were written with.
class ResponseTableReader {
public:
    struct Result {
        bool ok = false;
        QString error;
        CoefficientSet set;
        int lineCount = 0;    // data lines read, over all files
        QStringList warnings; // curves that rise without a maximum (c > 0)
    };

    // The columns of a table sheet, in the order an export writes them.
    enum Column { Code, LevelColumn, A, B, C };
    static const QList<SheetColumn>& columns();

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

    // A table sheet. With `allLevels` every code must carry all three levels.
    static Result read(const Sheet& sheet, bool allLevels = true);
    // The same from a file's bytes, whatever kind of sheet they hold.
    static Result readCsv(const QByteArray& bytes, const QString& fileName, bool allLevels = true);
    // Three fixed-column files, in the order 20 %, Medio, 80 %, covering the same codes.
    static Result readFixedColumns(const std::array<QByteArray, 3>& bytes, const std::array<QString, 3>& fileNames);

    // `base` with the lines of the codes in `set` rewritten with their values, at the
    // table's precision or more (a to 0.1, b to 0.001, c to 0.0001 at least). A level
    // whose values equal the base line's keeps that line as it stands, so a table read
    // back changes no text.
    static ResponseTable apply(const ResponseTable& base, const CoefficientSet& set);

    // The fields of one curve: fixed-column fields when the values fit them, the plain
    // texts otherwise.
    static CoefficientTexts texts(const Curves::Quadratic& coefficients);
    // A computed value (a fit) to four significant digits, at least to the table's precision.
    static double rounded(double value, int coefficient);

    // The warnings of a set: each curve with c > 0, which rises without a maximum.
    static QStringList upwardCurves(const CoefficientSet& set);

    // The table as rows of cells, the header first, numbers written with a point; every
    // code and level in table order.
    static QList<QStringList> exportRows(const ResponseTable& table);
    // Those rows as CSV separated by commas (UTF-8, "\n" line ends).
    static QByteArray exportCsv(const ResponseTable& table);

    // The level a cell names: "20", "Medio", "80", in any case, with or without "%".
    static std::optional<Level> levelOf(const QString& text);
    static QString csvLevelName(Level level);

    static bool isScenarioCode(const QString& code);
};
