#include "ResponseTable.h"

#include <QFile>

#include "core/NumberText.h"
#include "core/ScenarioVocabulary.h"

namespace {

constexpr int CodeWidth = 4;
constexpr int MinimumLineLength = 27;

// 0-based start and width of the three coefficient fields.
struct Field {
    int start;
    int width;
    const char* name;
};
constexpr std::array<Field, 3> Fields{{{5, 6, "a"}, {12, 7, "b"}, {20, 7, "c"}}};

QStringList loadLines(const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

// The codes in table order: sites A to E, water slowest, then cultivar, then unit.
QStringList expectedCodes()
{
    QStringList codes;
    const auto& sites = ScenarioVocabulary::sites();
    for (int site = 0; site < sites.size(); ++site)
        for (int water = 0; water < ScenarioVocabulary::waters().size(); ++water)
            for (int cultivar = 0; cultivar < ScenarioVocabulary::cultivars().size(); ++cultivar)
                for (int unit = 0; unit < sites[site].units.size(); ++unit)
                    codes << ScenarioVocabulary::code(site, unit, cultivar, water);
    return codes;
}

} // namespace

ResponseTable::ResponseTable(QStringList lines20, QStringList linesMedio, QStringList lines80)
    : lines_{std::move(lines20), std::move(linesMedio), std::move(lines80)}
{
}

const ResponseTable& ResponseTable::builtIn()
{
    static const ResponseTable table = [] {
        ResponseTable t(loadLines(QStringLiteral(":/tables/response_20.txt")),
                        loadLines(QStringLiteral(":/tables/response_medio.txt")),
                        loadLines(QStringLiteral(":/tables/response_80.txt")));
#ifndef NDEBUG
        const QStringList faults = t.validate();
        if (!faults.isEmpty())
            qFatal("Tabla de coeficientes defectuosa:\n%s", qPrintable(faults.join(u'\n')));
#endif
        return t;
    }();
    return table;
}

int ResponseTable::find(const QString& code) const
{
    int found = -1;
    const QStringList& table = lines(Level::P20);
    for (int row = 0; row < table.size(); ++row) {
        if (table[row].left(CodeWidth) == code)
            found = row;
    }
    return found;
}

CoefficientTexts ResponseTable::coefficients(Level level, int row) const
{
    const QString& line = lines(level).at(row);
    if (line.contains(u'\t')) {
        const QStringList fields = line.split(u'\t');
        return {fields.value(1), fields.value(2), fields.value(3)};
    }
    return {line.mid(Fields[0].start, Fields[0].width), line.mid(Fields[1].start, Fields[1].width),
            line.mid(Fields[2].start, Fields[2].width)};
}

QString ResponseTable::line(const QString& code, const CoefficientTexts& t)
{
    const QChar gap = t.a.size() == Fields[0].width && t.b.size() == Fields[1].width && t.c.size() == Fields[2].width
        ? QChar(u' ')
        : QChar(u'\t');
    return code + gap + t.a + gap + t.b + gap + t.c;
}

QString ResponseTable::levelName(Level level)
{
    switch (level) {
    case Level::P20:
        return QStringLiteral("20 %");
    case Level::Medio:
        return QStringLiteral("Medio");
    case Level::P80:
        return QStringLiteral("80 %");
    }
    return {};
}

QStringList ResponseTable::validate() const
{
    QStringList faults;
    const QStringList codes = expectedCodes();
    for (int l = 0; l < 3; ++l) {
        const auto level = static_cast<Level>(l);
        const QString name = levelName(level);
        const QStringList& table = lines(level);
        if (table.size() != LineCount)
            faults << QStringLiteral("tabla %1: %2 líneas en lugar de %3").arg(name).arg(table.size()).arg(LineCount);
        for (int row = 0; row < table.size(); ++row) {
            const QString& line = table[row];
            const QString where = QStringLiteral("tabla %1, línea %2").arg(name).arg(row);
            if (line.contains(u'\t')) {
                const QStringList fields = line.split(u'\t');
                if (fields.size() != 4 || fields[0].size() != CodeWidth)
                    faults << QStringLiteral("%1: línea separada por tabulaciones sin sus cuatro campos").arg(where);
                else if (row < codes.size() && fields[0] != codes[row])
                    faults << QStringLiteral("%1: código '%2' fuera de orden, se esperaba '%3'")
                                  .arg(where, fields[0], codes[row]);
                for (int k = 1; k < fields.size() && fields.size() == 4; ++k)
                    if (!NumberText::read(fields[k]))
                        faults << QStringLiteral("%1: coeficiente %2 '%3' no es un número")
                                      .arg(where, QLatin1String(Fields[k - 1].name), fields[k]);
                continue;
            }
            if (line.size() < MinimumLineLength) {
                faults << QStringLiteral("%1: línea corta (%2 caracteres)").arg(where).arg(line.size());
                continue;
            }
            const QString code = line.left(CodeWidth);
            if (row < codes.size() && code != codes[row])
                faults
                    << QStringLiteral("%1: código '%2' fuera de orden, se esperaba '%3'").arg(where, code, codes[row]);
            if (l > 0 && row < lines(Level::P20).size() && lines(Level::P20)[row].left(CodeWidth) != code)
                faults << QStringLiteral("%1: código '%2' no coincide con la tabla 20 %").arg(where, code);
            for (int blank : {4, 11, 19}) {
                if (line[blank] != u' ')
                    faults << QStringLiteral("%1: columna %2 no está en blanco").arg(where).arg(blank + 1);
            }
            for (const Field& field : Fields) {
                const QString text = line.mid(field.start, field.width);
                if (!NumberText::read(text))
                    faults << QStringLiteral("%1: coeficiente %2 '%3' no es un número")
                                  .arg(where, QLatin1String(field.name), text);
            }
            if (!line.mid(MinimumLineLength).trimmed().isEmpty())
                faults << QStringLiteral("%1: texto después de la columna %2").arg(where).arg(MinimumLineLength);
        }
    }
    return faults;
}
