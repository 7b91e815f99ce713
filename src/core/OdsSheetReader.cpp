#include "OdsSheetReader.h"

#include <algorithm>

#include <QXmlStreamReader>

#include "core/ZipArchive.h"

using namespace Qt::StringLiterals;

namespace {

const QString TableNs = u"urn:oasis:names:tc:opendocument:xmlns:table:1.0"_s;
const QString OfficeNs = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0"_s;
const QString TextNs = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0"_s;
const QString CalcExtNs = u"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0"_s;

int repeatCount(const QXmlStreamAttributes& a, const QString& name)
{
    bool ok = false;
    const int n = a.value(TableNs, name).toInt(&ok);
    return ok && n > 1 ? std::min(n, 1 << 20) : 1;
}

// The text of a cell: its paragraphs, one per line, with the spaces, tabs and line
// breaks they mark. The reader stands on the cell's start tag and ends on its end tag.
QString cellText(QXmlStreamReader& xml)
{
    QString text;
    int paragraphs = 0;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (xml.namespaceUri() != TextNs)
                continue;
            if (xml.name() == u"p" || xml.name() == u"h") {
                if (paragraphs++ > 0)
                    text += u'\n';
            } else if (xml.name() == u"s") {
                bool ok = false;
                const int n = xml.attributes().value(TextNs, u"c"_s).toInt(&ok);
                text += QString(ok ? std::clamp(n, 1, 1000) : 1, u' ');
            } else if (xml.name() == u"tab") {
                text += u'\t';
            } else if (xml.name() == u"line-break") {
                text += u'\n';
            } else if (xml.name() == u"note" || xml.name() == u"annotation") {
                xml.skipCurrentElement();
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::Characters && depth > 1) {
            text += xml.text();
        }
    }
    return text;
}

struct Reader {
    Sheet& sheet;
    QXmlStreamReader& xml;
    int row = 0; // the last row read, from 1

    bool failAt(int r, int column, const QString& reason)
    {
        sheet.error = sheet.where(r, column, {}, reason);
        sheet.rows.clear();
        return false;
    }

    // One cell, repeated `repeat` times from `column` + 1 on.
    bool readCell(SheetRow& current, int* column)
    {
        const QXmlStreamAttributes a = xml.attributes();
        const bool covered = xml.name() == u"covered-table-cell";
        const int repeat = repeatCount(a, u"number-columns-repeated"_s);
        const int at = *column + 1;
        const QString type = a.value(OfficeNs, u"value-type"_s).toString();
        const bool formula = a.hasAttribute(TableNs, u"formula"_s);
        const QString text = cellText(xml);
        if (xml.hasError())
            return false;
        *column += repeat;

        SheetCell cell;
        if (a.value(CalcExtNs, u"value-type"_s) == u"error" ||
            (formula && (text.startsWith(u'#') || text.startsWith(u"Err:"))))
            return failAt(current.line, at,
                          u"la fórmula da el error %1; corrija la fórmula o escriba el valor"_s.arg(text));
        if (repeatCount(a, u"number-columns-spanned"_s) > 1 || repeatCount(a, u"number-rows-spanned"_s) > 1)
            return failAt(current.line, at, u"celdas combinadas; sepárelas y escriba el valor en cada celda"_s);
        if (type == u"date" || type == u"time")
            return failAt(current.line, at, u"la celda es una fecha u hora; se esperaba un número o un texto"_s);
        if (type == u"float" || type == u"percentage" || type == u"currency") {
            bool ok = false;
            cell.text = Sheet::storedNumber(a.value(OfficeNs, u"value"_s).toString(), &ok);
            cell.number = true;
            if (!ok)
                return failAt(
                    row, at,
                    u"valor numérico '%1' no válido; ¿un archivo dañado?"_s.arg(a.value(OfficeNs, u"value"_s)));
        } else if (type == u"boolean") {
            cell.text = a.value(OfficeNs, u"boolean-value"_s) == u"true" ? u"VERDADERO"_s : u"FALSO"_s;
        } else {
            if (formula && type.isEmpty())
                return failAt(current.line, at,
                              u"la fórmula no tiene un valor calculado; abra el archivo en la planilla y "
                              "guárdelo de nuevo"_s);
            cell.text = text;
        }
        cell.text = cell.text.trimmed();
        if (cell.text.isEmpty())
            return true;
        if (covered)
            return failAt(current.line, at, u"celdas combinadas; sepárelas y escriba el valor en cada celda"_s);
        if (*column > OdsSheetReader::MaximumColumns)
            return failAt(current.line, std::max(at, OdsSheetReader::MaximumColumns + 1),
                          u"la hoja usa columnas más allá de la %1 (%2)"_s.arg(OdsSheetReader::MaximumColumns)
                              .arg(Sheet::columnLetters(OdsSheetReader::MaximumColumns)));
        current.cells.resize(*column);
        for (int c = at; c <= *column; ++c)
            current.cells[c - 1] = cell;
        return true;
    }

    bool readRow()
    {
        const int repeat = repeatCount(xml.attributes(), u"number-rows-repeated"_s);
        SheetRow current{row + 1, {}};
        int column = 0;
        while (xml.readNextStartElement()) {
            if (xml.namespaceUri() == TableNs && (xml.name() == u"table-cell" || xml.name() == u"covered-table-cell")) {
                if (!readCell(current, &column))
                    return false;
            } else {
                xml.skipCurrentElement();
            }
        }
        if (xml.hasError())
            return false;
        if (current.cells.isEmpty()) { // blank rows, however many, cost nothing
            row = int(std::min<qint64>(qint64(row) + repeat, 1 << 30));
            return true;
        }
        if (sheet.rows.size() + repeat > OdsSheetReader::MaximumRows)
            return failAt(row + 1, 0, u"la hoja tiene más de %1 filas con datos"_s.arg(OdsSheetReader::MaximumRows));
        for (int k = 0; k < repeat; ++k) {
            current.line = ++row;
            sheet.rows << current;
        }
        return true;
    }

    // The rows of a table, in row groups and header rows too.
    bool readRows()
    {
        while (xml.readNextStartElement()) {
            if (xml.namespaceUri() != TableNs) {
                xml.skipCurrentElement();
            } else if (xml.name() == u"table-row") {
                if (!readRow())
                    return false;
            } else if (xml.name() == u"table-row-group" || xml.name() == u"table-header-rows" ||
                       xml.name() == u"table-rows") {
                if (!readRows())
                    return false;
            } else {
                xml.skipCurrentElement();
            }
        }
        return !xml.hasError();
    }
};

} // namespace

void OdsSheetReader::read(ZipArchive& archive, Sheet& sheet)
{
    sheet.format = Sheet::Format::Ods;
    sheet.decimalComma = true;
    QString error;
    const auto content = archive.read(u"content.xml"_s, &error);
    if (!content) {
        sheet.error = sheet.fileName + u": "_s + error;
        return;
    }
    QXmlStreamReader xml(*content);
    Reader reader{sheet, xml};
    bool found = false;
    while (!xml.atEnd() && !found) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.namespaceUri() == TableNs &&
            xml.name() == u"table") {
            found = true;
            if (!reader.readRows()) {
                if (sheet.error.isEmpty())
                    break;
                return;
            }
        }
    }
    if (xml.hasError()) {
        sheet.error = u"%1: la parte content.xml no es XML válido (línea %2: %3); ¿un archivo dañado o protegido "
                      "con contraseña?"_s.arg(sheet.fileName)
                          .arg(xml.lineNumber())
                          .arg(xml.errorString());
        sheet.rows.clear();
        return;
    }
    if (!found) {
        sheet.error = sheet.fileName + u": el archivo no tiene ninguna hoja"_s;
        return;
    }
    sheet.lineCount = reader.row;
    sheet.ok = true;
}
