#include "TableText.h"

using namespace Qt::StringLiterals;

QString TableText::localCell(const QString& cell)
{
    return TableDocument::isNumber(cell) ? QString(cell).replace(u'.', u',') : cell;
}

QString TableText::tabSeparated(const TableDocument& document)
{
    QString out;
    for (const QStringList& row : document.lines()) {
        QStringList cells;
        for (const QString& cell : row)
            cells << localCell(cell).replace(u'\t', u' ').replace(u'\n', u' ');
        out += cells.join(u'\t') + u'\n';
    }
    return out;
}

QString TableText::html(const TableDocument& document)
{
    QString out = u"<html><head><meta charset=\"utf-8\"></head><body>\n"_s;
    if (!document.title.isEmpty())
        out += u"<p><b>%1</b></p>\n"_s.arg(document.title.toHtmlEscaped());
    for (const QString& line : document.basis)
        out += u"<p>%1</p>\n"_s.arg(line.toHtmlEscaped());
    for (const DocumentTable& table : document.tables) {
        if (!table.title.isEmpty())
            out += u"<p><b>%1</b></p>\n"_s.arg(table.title.toHtmlEscaped());
        out += u"<table border=\"1\">\n<tr>"_s;
        for (const QString& heading : table.header)
            out += u"<th>%1</th>"_s.arg(heading.toHtmlEscaped());
        out += u"</tr>\n"_s;
        for (const QStringList& row : table.rows) {
            out += u"<tr>"_s;
            for (const QString& cell : row)
                out += (TableDocument::isNumber(cell) ? u"<td align=\"right\">%1</td>"_s : u"<td>%1</td>"_s)
                           .arg(localCell(cell).toHtmlEscaped());
            out += u"</tr>\n"_s;
        }
        out += u"</table>\n"_s;
        for (const QString& note : table.notes)
            out += u"<p>%1</p>\n"_s.arg(note.toHtmlEscaped());
    }
    return out + u"</body></html>\n"_s;
}
