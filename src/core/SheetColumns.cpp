#include "SheetColumns.h"

using namespace Qt::StringLiterals;

SheetColumns::SheetColumns(QList<SheetColumn> columns) : columns_(std::move(columns)) { }

QString SheetColumns::normalised(const QString& heading)
{
    QString text = heading.trimmed();
    if (text.endsWith(u')') && text.indexOf(u'(') > 0)
        text.truncate(text.lastIndexOf(u'('));
    const QString decomposed = text.normalized(QString::NormalizationForm_D).toLower();
    QString out;
    for (const QChar ch : decomposed)
        if (ch.isLetterOrNumber() && ch.category() != QChar::Mark_NonSpacing)
            out += ch;
    return out;
}

QString SheetColumns::expected() const
{
    QStringList names;
    for (const SheetColumn& c : columns_)
        names << (c.required ? c.name : c.name + u" (optativa)"_s);
    return names.join(u", "_s);
}

bool SheetColumns::match(const Sheet& sheet, QString* error)
{
    positions_ = QList<int>(columns_.size(), -1);
    const QList<SheetCell>& headings = sheet.header.cells;
    const int line = sheet.header.line;
    for (int cell = 0; cell < headings.size(); ++cell) {
        const QString heading = normalised(headings[cell].text);
        for (int k = 0; k < columns_.size(); ++k) {
            bool same = heading == normalised(columns_[k].name);
            for (const QString& alias : columns_[k].aliases)
                same = same || heading == normalised(alias);
            if (!same)
                continue;
            if (positions_[k] >= 0) {
                *error = sheet.where(line, cell + 1, {},
                                     u"la columna '%1' está dos veces (también en la columna %2)"_s.arg(
                                         columns_[k].name,
                                         sheet.format == Sheet::Format::Csv ? QString::number(positions_[k] + 1)
                                                                            : Sheet::columnLetters(positions_[k] + 1)));
                return false;
            }
            positions_[k] = cell;
        }
    }
    QStringList missing;
    for (int k = 0; k < columns_.size(); ++k)
        if (columns_[k].required && positions_[k] < 0)
            missing << u"'"_s + columns_[k].name + u"'"_s;
    if (missing.isEmpty())
        return true;
    QString reason =
        (missing.size() == 1 ? u"falta la columna %1"_s : u"faltan las columnas %1"_s).arg(missing.join(u", "_s)) +
        u"; el encabezado debe nombrar las columnas %1"_s.arg(expected());
    if (headings.size() == 1 && sheet.format == Sheet::Format::Csv)
        reason += u" (se leyó una sola columna, «%1»: separe las columnas con ';', ',' o tabulaciones)"_s.arg(
            headings.first().text);
    else if (sheet.format == Sheet::Format::Csv)
        reason += u" (se leyó como %1: «%2»)"_s.arg(sheet.dialectName(), [&] {
            QStringList texts;
            for (const SheetCell& c : headings)
                texts << c.text;
            return texts.join(u" | "_s);
        }());
    *error = sheet.where(line, 0, {}, reason);
    return false;
}

SheetCell SheetColumns::cell(const SheetRow& row, int k) const
{
    const int position = positions_.value(k, -1);
    return position >= 0 && position < row.cells.size() ? row.cells[position] : SheetCell{};
}

QString SheetColumns::where(const Sheet& sheet, const SheetRow& row, int k, const QString& reason) const
{
    return sheet.where(row.line, positions_.value(k, -1) + 1, columns_.value(k).name, reason);
}

bool SheetColumns::checkWidth(const Sheet& sheet, const SheetRow& row, QString* error) const
{
    const qsizetype width = sheet.header.cells.size();
    if (row.cells.size() <= width)
        return true;
    QString reason = u"la fila tiene %1 columnas y el encabezado %2"_s.arg(row.cells.size()).arg(width);
    if (sheet.format == Sheet::Format::Csv) {
        reason = u"la línea tiene %1 columnas separadas por %2 y el encabezado %3"_s.arg(row.cells.size())
                     .arg(sheet.separator == u'\t' ? u"tabulaciones"_s : u"'%1'"_s.arg(sheet.separator))
                     .arg(width);
        if (sheet.separator == u',')
            reason += u" (¿coma decimal? en un archivo separado por comas el decimal es el punto; guarde el archivo "
                      "como CSV separado por ';')"_s;
    }
    *error = sheet.where(row.line, int(width) + 1, {}, reason);
    return false;
}
