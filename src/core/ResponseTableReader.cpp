#include "ResponseTableReader.h"

#include <algorithm>
#include <cmath>

#include <QHash>
#include <QSet>

#include "core/DataFileText.h"
#include "core/NumberText.h"
#include "core/ScenarioVocabulary.h"

namespace {

const char* const CoefficientNames[3] = {"a", "b", "c"};
constexpr int Decimals[3] = {1, 3, 4};

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

long long scaled(double value, int coefficient)
{
    return std::llround(value * std::pow(10.0, Decimals[coefficient]));
}

} // namespace

bool ResponseTableReader::isScenarioCode(const QString& code)
{
    return scenarioCodes().contains(code);
}

std::optional<Level> ResponseTableReader::levelOf(const QString& text)
{
    if (text == u"20")
        return Level::P20;
    if (text == u"Medio")
        return Level::Medio;
    if (text == u"80")
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

QString ResponseTableReader::checkValue(int coefficient, double value)
{
    const Range& range = Ranges[coefficient];
    if (!std::isfinite(value) || value < range.low || value > range.high)
        return QStringLiteral("%1 = %2 fuera del rango admitido (%3 a %4)")
            .arg(QLatin1String(CoefficientNames[coefficient]), QString::number(value, 'g', 10),
                 QString::number(range.low), QString::number(range.high));
    return {};
}

ResponseTableReader::Result ResponseTableReader::readCsv(const QByteArray& bytes, const QString& fileName,
                                                         bool allLevels)
{
    Result result;
    const DataFileText::Result text = DataFileText::decode(bytes, fileName);
    if (!text.ok) {
        result.error = text.error;
        return result;
    }
    const QString header = text.lines.first().trimmed();
    if (header.split(u',') !=
        QStringList{QStringLiteral("codigo"), QStringLiteral("nivel"), QStringLiteral("a"), QStringLiteral("b"),
                    QStringLiteral("c")}) {
        QString reason = QStringLiteral("el encabezado debe ser 'codigo,nivel,a,b,c'");
        if (header.contains(u';') && !header.contains(u','))
            reason += QStringLiteral(" (el archivo está separado por ';'; use ',' como separador y '.' como decimal)");
        result.error = DataFileText::where(fileName, 1, {}, reason);
        return result;
    }

    QMap<QString, int> firstLine; // code -> its first line, to name a missing level
    QMap<QString, int> seen;      // code + level -> line
    for (int i = 1; i < text.lines.size(); ++i) {
        const int lineNumber = i + 1;
        const QString& line = text.lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.split(u',');
        if (fields.size() != 5) {
            QString reason = QStringLiteral("se esperaban 5 columnas separadas por ',' y hay %1").arg(fields.size());
            if (fields.size() > 5)
                reason += QStringLiteral(" (¿coma decimal? el separador decimal es el punto)");
            else if (line.contains(u';'))
                reason += QStringLiteral(" (el separador es ',', no ';')");
            result.error = DataFileText::where(fileName, lineNumber, {}, reason);
            return {false, result.error, {}, 0};
        }
        const QString code = fields[0].trimmed();
        if (!isScenarioCode(code)) {
            result.error = DataFileText::where(fileName, lineNumber, QStringLiteral("1 (codigo)"), codeFault(code));
            return {false, result.error, {}, 0};
        }
        const std::optional<Level> levelRead = levelOf(fields[1].trimmed());
        if (!levelRead) {
            result.error =
                DataFileText::where(fileName, lineNumber, QStringLiteral("2 (nivel)"),
                                    QStringLiteral("nivel '%1': debe ser 20, Medio u 80").arg(fields[1].trimmed()));
            return {false, result.error, {}, 0};
        }
        const Level level = *levelRead;
        const QString key = code + u'/' + csvLevelName(level);
        if (seen.contains(key)) {
            result.error = DataFileText::where(fileName, lineNumber, {},
                                               QStringLiteral("código %1, nivel %2 repetido (ya está en la línea %3)")
                                                   .arg(code, csvLevelName(level), QString::number(seen[key])));
            return {false, result.error, {}, 0};
        }
        seen.insert(key, lineNumber);
        if (!firstLine.contains(code))
            firstLine.insert(code, lineNumber);

        Curves::Quadratic values;
        double* targets[3] = {&values.a, &values.b, &values.c};
        for (int k = 0; k < 3; ++k) {
            QString fault;
            const auto value = readCoefficient(k, fields[2 + k], &fault);
            if (!value) {
                result.error = DataFileText::where(
                    fileName, lineNumber, QStringLiteral("%1 (%2)").arg(3 + k).arg(QLatin1String(CoefficientNames[k])),
                    fault);
                return {false, result.error, {}, 0};
            }
            *targets[k] = *value;
        }
        result.set[code][level] = values;
        ++result.lineCount;
    }
    if (result.set.isEmpty()) {
        result.error = QStringLiteral("%1: no contiene ninguna línea de coeficientes").arg(fileName);
        return {false, result.error, {}, 0};
    }
    if (allLevels) {
        for (auto it = result.set.cbegin(); it != result.set.cend(); ++it) {
            for (Level level : TableLevels) {
                if (!it.value()[level]) {
                    result.error = DataFileText::where(
                        fileName, firstLine[it.key()], QStringLiteral("2 (nivel)"),
                        QStringLiteral("falta el nivel %1 del código %2").arg(csvLevelName(level), it.key()));
                    return {false, result.error, {}, 0};
                }
            }
        }
    }
    result.ok = true;
    return result;
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
            return {false, text.error, {}, 0};
        for (int i = 0; i < text.lines.size(); ++i) {
            const int lineNumber = i + 1;
            const QString& line = text.lines[i];
            auto refuse = [&](const QString& column, const QString& reason) {
                return Result{false, DataFileText::where(name, lineNumber, column, reason), {}, 0};
            };
            if (line.trimmed().isEmpty())
                continue;
            if (line.size() < 27)
                return refuse({},
                              QStringLiteral("línea de %1 caracteres; una línea de la tabla tiene al menos 27 "
                                             "(código en 1-4, a en 6-11, b en 13-19, c en 21-27)")
                                  .arg(line.size()));
            const QString code = line.left(4);
            if (!isScenarioCode(code))
                return refuse(QStringLiteral("1-4 (código)"), codeFault(code));
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
            return {false, QStringLiteral("%1: no contiene ninguna línea de coeficientes").arg(name), {}, 0};
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
                    0};
        }
    }
    result.ok = true;
    return result;
}

CoefficientTexts ResponseTableReader::texts(const Curves::Quadratic& v)
{
    CoefficientTexts t;
    t.a = QString::number(v.a, 'f', 1).rightJustified(6);
    const QString b = QString::number(v.b, 'f', 3);
    t.b = b.size() <= 6 ? b.rightJustified(6) + u' ' : b.rightJustified(7);
    t.c = QString::number(v.c, 'f', 4).rightJustified(7);
    return t;
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
            const CoefficientTexts old = base.coefficients(level, row);
            const QString oldTexts[3] = {old.a, old.b, old.c};
            const double newValues[3] = {values->a, values->b, values->c};
            bool same = true;
            for (int k = 0; k < 3 && same; ++k) {
                const NumberText::Reading reading = NumberText::read(oldTexts[k]);
                same = reading && scaled(reading.value, k) == scaled(newValues[k], k);
            }
            if (same)
                continue;
            const CoefficientTexts t = texts(*values);
            lines[level][row] = it.key() + u' ' + t.a + u' ' + t.b + u' ' + t.c;
        }
    }
    return ResponseTable(lines[Level::P20], lines[Level::Medio], lines[Level::P80]);
}

QByteArray ResponseTableReader::exportCsv(const ResponseTable& table)
{
    QString out = QStringLiteral("codigo,nivel,a,b,c\n");
    const int rows = int(table.lines(Level::P20).size());
    for (int row = 0; row < rows; ++row) {
        const QString code = table.lines(Level::P20)[row].left(4);
        for (Level level : TableLevels) {
            const CoefficientTexts t = table.coefficients(level, row);
            const QString fields[3] = {t.a, t.b, t.c};
            out += code + u',' + csvLevelName(level);
            for (int k = 0; k < 3; ++k) {
                const NumberText::Reading reading = NumberText::read(fields[k]);
                out += u',' + (reading ? QString::number(reading.value, 'f', Decimals[k]) : fields[k].trimmed());
            }
            out += u'\n';
        }
    }
    return out.toUtf8();
}
