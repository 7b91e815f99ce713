#include "ResponseTableReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include <QHash>
#include <QSet>

#include "core/CellNumber.h"
#include "core/DataFileText.h"
#include "core/NumberText.h"
#include "core/ScenarioVocabulary.h"
#include "core/SheetReader.h"

using namespace Qt::StringLiterals;

namespace {

const char* const CoefficientNames[3] = {"a", "b", "c"};
constexpr int Decimals[3] = {1, 3, 4};
constexpr int PlateauDecimals = 1;

const QSet<QString>& scenarioCodes()
{
    static const QSet<QString> codes = [] {
        QSet<QString> all;
        const auto& sites = ScenarioVocabulary::sites();
        for (int site = 0; site < sites.size(); ++site)
            for (int unit = 0; unit < sites[site].units.size(); ++unit)
                for (int cultivar = 0; cultivar < ScenarioVocabulary::cultivars().size(); ++cultivar)
                    for (int water = 0; water < ScenarioVocabulary::waters().size(); ++water)
                        all.insert(ScenarioVocabulary::code(site, unit, cultivar, water));
        return all;
    }();
    return codes;
}

QString codeFault(const QString& code)
{
    if (code.isEmpty())
        return QStringLiteral("falta el código de escenario");
    return QStringLiteral("'%1' no es un código de escenario válido").arg(code);
}

QString levelText(Level level)
{
    return ResponseTable::levelName(level);
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

// Reads one coefficient field: a number within its range, or the reason it is not.
std::optional<double> readCoefficient(int coefficient, const QString& text, QString* fault)
{
    const NumberText::Reading reading = NumberText::read(text);
    if (!reading) {
        *fault = text.contains(u',')
            ? QStringLiteral("'%1' no es un número (el separador decimal es el punto)").arg(text.trimmed())
            : QStringLiteral("'%1' no es un número").arg(text.trimmed());
        return std::nullopt;
    }
    *fault = ResponseTableReader::checkValue(coefficient, reading.value);
    if (!fault->isEmpty())
        return std::nullopt;
    return reading.value;
}

QString levelFault(const QString& text)
{
    return text.isEmpty() ? u"falta el nivel: debe ser 20, Medio u 80"_s
                          : u"nivel '%1': debe ser 20, Medio u 80"_s.arg(text);
}

// The shortest text in fixed notation that reads back as `value`, with at least
// `decimals` decimals ("2000.04", "-0.00003", "2100.0"); a value that would need a very
// long fixed text (far below any coefficient's size) is written with an exponent.
QString plainText(double value, int decimals)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    char out[400];
    auto written = std::to_chars(out, out + sizeof out, value, std::chars_format::fixed);
    if (written.ec != std::errc() || written.ptr - out > 24)
        written = std::to_chars(out, out + sizeof out, value);
    QString text = QString::fromLatin1(out, written.ptr - out);
    if (text.contains(u'e'))
        return text.toUpper();
    const qsizetype point = text.indexOf(u'.');
    const qsizetype have = point < 0 ? 0 : text.size() - point - 1;
    if (have < decimals)
        text += (point < 0 ? u"."_s : QString()) + QString(decimals - have, u'0');
    return text;
}

} // namespace

bool ResponseTableReader::isScenarioCode(const QString& code)
{
    return scenarioCodes().contains(code);
}

std::optional<Level> ResponseTableReader::levelOf(const QString& text)
{
    // "20", "20 %", "medio", "MEDIO", "80%": case, blanks and a percent sign aside.
    const QString level = text.toLower().remove(u' ').remove(u'%');
    if (level == u"20")
        return Level::P20;
    if (level == u"medio")
        return Level::Medio;
    if (level == u"80")
        return Level::P80;
    return std::nullopt;
}

QString ResponseTableReader::csvLevelName(Level level)
{
    switch (level) {
    case Level::P20:
        return QStringLiteral("20");
    case Level::Medio:
        return QStringLiteral("Medio");
    case Level::P80:
        break;
    }
    return QStringLiteral("80");
}

QString ResponseTableReader::checkPlateau(double value)
{
    if (!std::isfinite(value) || value < PlateauRange.low || value > PlateauRange.high)
        return u"meseta = %1 fuera del rango admitido (%2 a %3)"_s.arg(number(value), QString::number(PlateauRange.low),
                                                                       QString::number(PlateauRange.high));
    return {};
}

QString ResponseTableReader::checkValue(int coefficient, double value)
{
    const Range& range = Ranges[coefficient];
    if (!std::isfinite(value) || value < range.low || value > range.high)
        return QStringLiteral("%1 = %2 fuera del rango admitido (%3 a %4)")
            .arg(QLatin1String(CoefficientNames[coefficient]), QString::number(value, 'g', 10),
                 QString::number(range.low), QString::number(range.high));
    return {};
}

const QList<SheetColumn>& ResponseTableReader::columns()
{
    static const QList<SheetColumn> table{
        {u"codigo"_s, {u"código de escenario"_s, u"escenario"_s}},
        {u"nivel"_s, {u"nivel de la campaña"_s, u"campaña"_s}},
        {u"a"_s, {}},
        {u"b"_s, {}},
        {u"c"_s, {}},
        {u"meseta"_s, {u"inicio de la meseta"_s}, false},
    };
    return table;
}

ResponseTableReader::Result ResponseTableReader::readCsv(const QByteArray& bytes, const QString& fileName,
                                                         bool allLevels)
{
    return read(SheetReader::read(bytes, fileName), allLevels);
}

ResponseTableReader::Result ResponseTableReader::read(const Sheet& sheet, bool allLevels)
{
    Result result;
    const auto refuse = [&result](const QString& error) {
        result = Result{};
        result.error = error;
        return result;
    };
    if (!sheet.ok)
        return refuse(sheet.error);
    SheetColumns layout(columns());
    QString error;
    if (!layout.match(sheet, &error))
        return refuse(error);

    QMap<QString, int> firstLine; // code -> its first line, to name a missing level
    QMap<QString, int> seen;      // code + level -> line
    for (const SheetRow& row : sheet.rows) {
        if (!layout.checkWidth(sheet, row, &error))
            return refuse(error);
        const QString code = layout.cell(row, Code).text.toUpper();
        if (!isScenarioCode(code))
            return refuse(layout.where(sheet, row, Code, codeFault(layout.cell(row, Code).text)));
        const QString levelCell = layout.cell(row, LevelColumn).text;
        const std::optional<Level> levelRead = levelOf(levelCell);
        if (!levelRead)
            return refuse(layout.where(sheet, row, LevelColumn, levelFault(levelCell)));
        const Level level = *levelRead;
        const QString key = code + u'/' + csvLevelName(level);
        if (seen.contains(key))
            return refuse(
                sheet.where(row.line, 0, {},
                            u"código %1, nivel %2 repetido (ya está en la %3 %4)"_s.arg(
                                code, csvLevelName(level), sheet.format == Sheet::Format::Csv ? u"línea"_s : u"fila"_s,
                                QString::number(seen[key]))));
        seen.insert(key, row.line);
        if (!firstLine.contains(code))
            firstLine.insert(code, row.line);

        Curves::Quadratic values;
        double* targets[3] = {&values.a, &values.b, &values.c};
        for (int k = 0; k < 3; ++k) {
            const NumberText::Reading number = CellNumber::read(layout.cell(row, A + k), sheet.decimalComma);
            const QString fault = number ? checkValue(k, number.value) : number.error;
            if (!fault.isEmpty())
                return refuse(layout.where(sheet, row, A + k, fault));
            *targets[k] = number.value;
        }
        if (const SheetCell cell = layout.cell(row, PlateauColumn); !cell.text.trimmed().isEmpty()) {
            const NumberText::Reading number = CellNumber::read(cell, sheet.decimalComma);
            const QString fault = number ? checkPlateau(number.value) : number.error;
            if (!fault.isEmpty())
                return refuse(layout.where(sheet, row, PlateauColumn, fault));
            values.plateau = number.value;
        }
        result.set[code][level] = values;
        ++result.lineCount;
    }
    if (result.set.isEmpty())
        return refuse(u"%1: no contiene ninguna línea de coeficientes"_s.arg(sheet.fileName));
    if (allLevels) {
        for (auto it = result.set.cbegin(); it != result.set.cend(); ++it) {
            for (Level level : TableLevels) {
                if (!it.value()[level]) {
                    const SheetRow first{firstLine[it.key()], {}};
                    return refuse(
                        layout.where(sheet, first, LevelColumn,
                                     u"falta el nivel %1 del código %2"_s.arg(csvLevelName(level), it.key())));
                }
            }
        }
    }
    result.warnings = upwardCurves(result.set);
    result.ok = true;
    return result;
}

QStringList ResponseTableReader::upwardCurves(const CoefficientSet& set)
{
    QStringList warnings;
    for (auto it = set.cbegin(); it != set.cend(); ++it)
        for (Level level : TableLevels)
            if (const auto& curve = it.value()[level]; curve && curve->c > 0.0)
                warnings << u"%1 %2: c = %3 > 0, la curva sube sin máximo"_s.arg(
                    it.key(), ResponseTable::levelName(level), number(curve->c));
    return warnings;
}

ResponseTableReader::Result ResponseTableReader::readFixedColumns(const std::array<QByteArray, 3>& bytes,
                                                                  const std::array<QString, 3>& fileNames)
{
    Result result;
    PerLevel<QMap<QString, int>> lineOfCode;
    for (Level level : TableLevels) {
        const QString& name = fileNames[static_cast<std::size_t>(level)];
        const DataFileText::Result text = DataFileText::decode(bytes[static_cast<std::size_t>(level)], name);
        if (!text.ok)
            return {false, text.error, {}, 0, {}};
        for (int i = 0; i < text.lines.size(); ++i) {
            const int lineNumber = i + 1;
            const QString& line = text.lines[i];
            auto refuse = [&](const QString& column, const QString& reason) {
                return Result{false, DataFileText::where(name, lineNumber, column, reason), {}, 0, {}};
            };
            if (line.trimmed().isEmpty())
                continue;
            if (line.size() < 27)
                return refuse({},
                              QStringLiteral("línea de %1 caracteres; una línea de la tabla tiene al menos 27 "
                                             "(código en 1-4, a en 6-11, b en 13-19, c en 21-27)")
                                  .arg(line.size()));
            const QString code = line.left(4).toUpper();
            if (!isScenarioCode(code))
                return refuse(QStringLiteral("1-4 (código)"), codeFault(line.left(4)));
            if (lineOfCode[level].contains(code))
                return refuse(QStringLiteral("1-4 (código)"),
                              QStringLiteral("código %1 repetido (ya está en la línea %2)")
                                  .arg(code)
                                  .arg(lineOfCode[level][code]));
            for (int blank : {4, 11, 19}) {
                if (line[blank] != u' ')
                    return refuse(QString::number(blank + 1),
                                  QStringLiteral("debe estar en blanco y contiene '%1'").arg(line[blank]));
            }
            if (!line.mid(27).trimmed().isEmpty())
                return refuse(QStringLiteral("28 y siguientes"), QStringLiteral("texto después de la columna 27"));
            static constexpr int starts[3] = {5, 12, 20};
            static constexpr int widths[3] = {6, 7, 7};
            Curves::Quadratic values;
            double* targets[3] = {&values.a, &values.b, &values.c};
            for (int k = 0; k < 3; ++k) {
                QString fault;
                const auto value = readCoefficient(k, line.mid(starts[k], widths[k]), &fault);
                if (!value)
                    return refuse(QStringLiteral("%1-%2 (%3)")
                                      .arg(starts[k] + 1)
                                      .arg(starts[k] + widths[k])
                                      .arg(QLatin1String(CoefficientNames[k])),
                                  fault);
                *targets[k] = *value;
            }
            lineOfCode[level].insert(code, lineNumber);
            result.set[code][level] = values;
            ++result.lineCount;
        }
        if (lineOfCode[level].isEmpty())
            return {false, QStringLiteral("%1: no contiene ninguna línea de coeficientes").arg(name), {}, 0, {}};
    }
    // Every code must be in all three files.
    for (auto it = result.set.cbegin(); it != result.set.cend(); ++it) {
        for (Level level : TableLevels) {
            if (it.value()[level])
                continue;
            const Level other = it.value()[Level::P20] ? Level::P20
                : it.value()[Level::Medio]             ? Level::Medio
                                                       : Level::P80;
            return {false,
                    QStringLiteral("%1: falta el código %2 (nivel %3), que está en %4, línea %5")
                        .arg(fileNames[static_cast<std::size_t>(level)], it.key(), levelText(level),
                             fileNames[static_cast<std::size_t>(other)], QString::number(lineOfCode[other][it.key()])),
                    {},
                    0,
                    {}};
        }
    }
    result.warnings = upwardCurves(result.set);
    result.ok = true;
    return result;
}

CoefficientTexts ResponseTableReader::texts(const Curves::Quadratic& v)
{
    const QString a = plainText(v.a, Decimals[0]);
    const QString b = plainText(v.b, Decimals[1]);
    const QString c = plainText(v.c, Decimals[2]);
    const QString plateau = v.plateau ? plainText(*v.plateau, PlateauDecimals) : QString();
    if (a.size() > 6 || b.size() > 7 || c.size() > 7 || plateau.size() > 6)
        return {a, b, c, plateau}; // a line of its own form: see ResponseTable::line
    return {a.rightJustified(6), b.size() <= 6 ? b.rightJustified(6) + u' ' : b, c.rightJustified(7),
            plateau.isEmpty() ? plateau : plateau.rightJustified(6)};
}

double ResponseTableReader::rounded(double value, int coefficient)
{
    if (!std::isfinite(value) || value == 0.0)
        return value;
    // Four significant digits at least, and never fewer decimals than the table's.
    const int decimals = std::clamp(3 - int(std::floor(std::log10(std::fabs(value)))), Decimals[coefficient], 12);
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

ResponseTable ResponseTableReader::apply(const ResponseTable& base, const CoefficientSet& set)
{
    PerLevel<QStringList> lines{{base.lines(Level::P20), base.lines(Level::Medio), base.lines(Level::P80)}};
    // The row of each code, as base.find() gives it (the last match), looked up once.
    QHash<QString, int> rows;
    for (int row = 0; row < lines[Level::P20].size(); ++row)
        rows.insert(lines[Level::P20][row].left(4), row);
    for (auto it = set.cbegin(); it != set.cend(); ++it) {
        const int row = rows.value(it.key(), -1);
        if (row < 0)
            continue;
        for (Level level : TableLevels) {
            const std::optional<Curves::Quadratic>& values = it.value()[level];
            if (!values)
                continue;
            // Values equal to the line's keep the line as it stands, blanks and all.
            const Curves::Quadratic old = Curves::fromTexts(base.coefficients(level, row));
            if (old.a == values->a && old.b == values->b && old.c == values->c && old.plateau == values->plateau)
                continue;
            lines[level][row] = ResponseTable::line(it.key(), texts(*values));
        }
    }
    return ResponseTable(lines[Level::P20], lines[Level::Medio], lines[Level::P80]);
}

QList<QStringList> ResponseTableReader::exportRows(const ResponseTable& table)
{
    const int count = int(table.lines(Level::P20).size());
    bool plateaus = false;
    for (Level level : TableLevels)
        for (int row = 0; row < count; ++row)
            plateaus = plateaus || !table.coefficients(level, row).plateau.trimmed().isEmpty();
    QList<QStringList> rows;
    QStringList header;
    for (const SheetColumn& column : columns())
        if (column.required || plateaus)
            header << column.name;
    rows << header;
    for (int row = 0; row < count; ++row) {
        const QString code = table.lines(Level::P20)[row].left(4);
        for (Level level : TableLevels) {
            const CoefficientTexts t = table.coefficients(level, row);
            const QString fields[3] = {t.a, t.b, t.c};
            QStringList cells{code, csvLevelName(level)};
            for (int k = 0; k < 3; ++k) {
                const NumberText::Reading reading = NumberText::read(fields[k]);
                cells << (reading ? plainText(reading.value, Decimals[k]) : fields[k].trimmed());
            }
            if (plateaus) {
                const NumberText::Reading reading = NumberText::read(t.plateau);
                cells << (reading ? plainText(reading.value, PlateauDecimals) : t.plateau.trimmed());
            }
            rows << cells;
        }
    }
    return rows;
}

QByteArray ResponseTableReader::exportCsv(const ResponseTable& table)
{
    QString out;
    for (const QStringList& row : exportRows(table))
        out += row.join(u',') + u'\n';
    return out.toUtf8();
}
