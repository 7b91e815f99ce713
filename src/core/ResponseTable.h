#pragma once

#include <array>

#include <QString>
#include <QStringList>

// The three probability levels of the season, in the order of the tables.
enum class Level { P20 = 0, Medio = 1, P80 = 2 };

// The levels in the order of the tables.
constexpr std::array<Level, 3> TableLevels{Level::P20, Level::Medio, Level::P80};

// One value for each level, addressed by the level itself.
template <typename T> struct PerLevel {
    std::array<T, 3> values{};
    T& operator[](Level level) { return values[static_cast<std::size_t>(level)]; }
    const T& operator[](Level level) const { return values[static_cast<std::size_t>(level)]; }
    auto begin() const { return values.begin(); }
    auto end() const { return values.end(); }
};

// Coefficients of one yield curve yield = a + b·N + c·N², as cut from a table line:
// blanks kept, converted to numbers only by whoever reads them.
struct CoefficientTexts {
    QString a;
    QString b;
    QString c;
    bool operator==(const CoefficientTexts&) const = default;
};

// The response-curve table: for each of the 384 scenario codes, one fixed-column line
// per probability level. Line r of the three levels carries the same code.
//   columns 1-4 code, 6-11 a, 13-19 b, 21-27 c (1-based); anything after 27 is ignored.
// A line of the adviser's values that do not fit those columns (more decimals than the
// columns hold) carries its four fields separated by tabs instead.
class ResponseTable {
public:
    static constexpr int LineCount = 384;

    ResponseTable() = default;
    ResponseTable(QStringList lines20, QStringList linesMedio, QStringList lines80);

    // The tables built into the program. In debug builds a malformed table stops the
    // program at start-up with the list of its faults.
    static const ResponseTable& builtIn();

    const QStringList& lines(Level level) const { return lines_[static_cast<int>(level)]; }

    // The line whose code (columns 1-4 of the 20 % table) equals `code` exactly, or -1.
    // Every line is visited; the last match wins, though codes are unique.
    int find(const QString& code) const;

    // The three fields of line `row` of a level, exactly as cut.
    CoefficientTexts coefficients(Level level, int row) const;

    // The line of a code: fixed columns when the fields are 6, 7 and 7 characters wide,
    // tab-separated otherwise.
    static QString line(const QString& code, const CoefficientTexts& texts);

    // Every fault of format, order or content, one message per fault naming the level
    // and the 0-based line; empty for a sound table.
    QStringList validate() const;

    static QString levelName(Level level);

private:
    std::array<QStringList, 3> lines_;
};
