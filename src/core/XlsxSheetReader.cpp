#include "XlsxSheetReader.h"

#include <algorithm>
#include <optional>

#include <QHash>
#include <QList>
#include <QSet>
#include <QXmlStreamReader>

#include "core/ZipArchive.h"

using namespace Qt::StringLiterals;

namespace {

const QString RelationshipsNamespace = u"http://schemas.openxmlformats.org/officeDocument/2006/relationships"_s;

// The built-in number formats that show a date or a time.
bool isDateFormatId(int id)
{
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
}

// A custom format shows a date or a time when, outside quoted text, escapes and
// bracketed colours or conditions, it uses one of the date and time codes.
bool isDateFormatCode(const QString& code)
{
    bool quoted = false;
    int bracket = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar ch = code[i].toLower();
        if (quoted) {
            quoted = ch != u'"';
        } else if (ch == u'"') {
            quoted = true;
        } else if (ch == u'\\' || ch == u'_' || ch == u'*') {
            ++i;
        } else if (ch == u'[') {
            ++bracket;
        } else if (ch == u']') {
            bracket = std::max(0, bracket - 1);
        } else if (bracket == 0 && (ch == u'd' || ch == u'm' || ch == u'y' || ch == u'h' || ch == u's')) {
            return true;
        }
    }
    return false;
}

// "C12" -> column 3, row 12; false for anything else.
bool parseReference(QStringView ref, int* column, int* row)
{
    int c = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i] >= u'A' && ref[i] <= u'Z'; ++i) {
        c = c * 26 + (ref[i].unicode() - u'A' + 1);
        if (c > 16384)
            return false;
    }
    if (i == 0 || i == ref.size())
        return false;
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || r < 1 || r > 1048576)
        return false;
    *column = c;
    *row = r;
    return true;
}

// The text of an <si> or <is> element: its <t> and the <t> of its runs, phonetic
// guides left out. The reader stands on the element's start tag.
QString stringItem(QXmlStreamReader& xml)
{
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText();
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return text;
}

QString xmlFault(const QString& part, const QXmlStreamReader& xml)
{
    return u"la parte %1 del libro no es XML válido (línea %2: %3); ¿un archivo dañado?"_s.arg(part)
        .arg(xml.lineNumber())
        .arg(xml.errorString());
}

struct Reader {
    ZipArchive& archive;
    Sheet& sheet;
    QStringList sharedStrings;
    QList<bool> dateStyles; // by cell style index

    bool fail(const QString& reason)
    {
        sheet.error = sheet.fileName + u": "_s + reason;
        sheet.rows.clear();
        return false;
    }
    bool failAt(int row, int column, const QString& reason)
    {
        sheet.error = sheet.where(row, column, {}, reason);
        sheet.rows.clear();
        return false;
    }

    std::optional<QByteArray> part(const QString& name)
    {
        QString error;
        std::optional<QByteArray> bytes = archive.read(name, &error);
        if (!bytes)
            fail(error);
        return bytes;
    }

    // The path of the workbook's first sheet, from the workbook and its relationships.
    QString firstSheetPath()
    {
        const auto workbook = part(u"xl/workbook.xml"_s);
        if (!workbook)
            return {};
        QString id;
        QXmlStreamReader xml(*workbook);
        while (!xml.atEnd() && id.isEmpty()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet")
                id = xml.attributes().value(RelationshipsNamespace, u"id"_s).toString();
        }
        if (xml.hasError())
            return fail(xmlFault(u"xl/workbook.xml"_s, xml)), QString();
        if (id.isEmpty())
            return fail(u"el libro no tiene ninguna hoja"_s), QString();
        const auto rels = part(u"xl/_rels/workbook.xml.rels"_s);
        if (!rels)
            return {};
        QXmlStreamReader relsXml(*rels);
        while (!relsXml.atEnd()) {
            if (relsXml.readNext() == QXmlStreamReader::StartElement && relsXml.name() == u"Relationship" &&
                relsXml.attributes().value(u"Id"_s) == id) {
                QString target = relsXml.attributes().value(u"Target"_s).toString();
                return target.startsWith(u'/') ? target.mid(1) : u"xl/"_s + target;
            }
        }
        fail(u"el libro no dice dónde está su primera hoja; ¿un archivo dañado?"_s);
        return {};
    }

    bool readSharedStrings()
    {
        if (!archive.contains(u"xl/sharedStrings.xml"_s))
            return true;
        const auto bytes = part(u"xl/sharedStrings.xml"_s);
        if (!bytes)
            return false;
        QXmlStreamReader xml(*bytes);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
                sharedStrings << stringItem(xml);
        }
        return !xml.hasError() || fail(xmlFault(u"xl/sharedStrings.xml"_s, xml));
    }

    bool readStyles()
    {
        if (!archive.contains(u"xl/styles.xml"_s))
            return true;
        const auto bytes = part(u"xl/styles.xml"_s);
        if (!bytes)
            return false;
        QSet<int> dateFormats;
        bool inCellXfs = false;
        QXmlStreamReader xml(*bytes);
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs")
                inCellXfs = false;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == u"numFmt" && isDateFormatCode(a.value(u"formatCode"_s).toString()))
                dateFormats.insert(a.value(u"numFmtId"_s).toInt());
            else if (xml.name() == u"cellXfs")
                inCellXfs = true;
            else if (inCellXfs && xml.name() == u"xf") {
                const int id = a.value(u"numFmtId"_s).toInt();
                dateStyles << (isDateFormatId(id) || dateFormats.contains(id));
            }
        }
        return !xml.hasError() || fail(xmlFault(u"xl/styles.xml"_s, xml));
    }

    // One <c> element into `cells`; the reader stands on its start tag.
    bool readCell(QXmlStreamReader& xml, int rowNumber, int* lastColumn, SheetRow& row)
    {
        const QXmlStreamAttributes a = xml.attributes();
        int column = *lastColumn + 1;
        int refRow = rowNumber;
        if (a.hasAttribute(u"r"_s) && !parseReference(a.value(u"r"_s), &column, &refRow))
            return failAt(rowNumber, 0,
                          u"referencia de celda '%1' no válida; ¿un archivo dañado?"_s.arg(a.value(u"r"_s)));
        if (refRow != rowNumber || column <= *lastColumn)
            return failAt(rowNumber, column, u"celdas fuera de orden; ¿un archivo dañado?"_s);
        *lastColumn = column;
        const QString type = a.value(u"t"_s).toString();
        const int style = a.value(u"s"_s).toInt();
        QString value, inlineText;
        bool hasValue = false, hasFormula = false, hasInline = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"v") {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == u"f") {
                hasFormula = true;
                xml.skipCurrentElement();
            } else if (xml.name() == u"is") {
                inlineText = stringItem(xml);
                hasInline = true;
            } else {
                xml.skipCurrentElement();
            }
        }
        if (xml.hasError())
            return false;

        SheetCell cell;
        if (type == u"e")
            return failAt(rowNumber, column,
                          u"la fórmula da el error %1; corrija la fórmula o escriba el valor"_s.arg(value.trimmed()));
        if (hasFormula && !hasValue)
            return failAt(
                rowNumber, column,
                u"la fórmula no tiene un valor calculado; abra el libro en la planilla y guárdelo de nuevo"_s);
        if (type == u"d")
            return failAt(rowNumber, column, u"la celda es una fecha; se esperaba un número o un texto"_s);
        if (type == u"s") {
            bool ok = false;
            const int index = value.trimmed().toInt(&ok);
            if (!ok || index < 0 || index >= sharedStrings.size())
                return failAt(rowNumber, column, u"texto compartido %1 inexistente; ¿un archivo dañado?"_s.arg(value));
            cell.text = sharedStrings[index];
        } else if (type == u"inlineStr") {
            cell.text = hasInline ? inlineText : value;
        } else if (type == u"str") {
            cell.text = value;
        } else if (type == u"b") {
            cell.text = value.trimmed() == u"1" ? u"VERDADERO"_s : u"FALSO"_s;
        } else if (hasValue && !value.trimmed().isEmpty()) {
            if (style >= 0 && style < dateStyles.size() && dateStyles[style])
                return failAt(rowNumber, column,
                              u"la celda tiene formato de fecha u hora; se esperaba un número: dele formato de "
                              "número"_s);
            bool ok = false;
            cell.text = Sheet::storedNumber(value, &ok);
            cell.number = true;
            if (!ok)
                return failAt(rowNumber, column, u"valor numérico '%1' no válido; ¿un archivo dañado?"_s.arg(value));
        }
        cell.text = cell.text.trimmed();
        if (cell.text.isEmpty())
            return true;
        if (column > XlsxSheetReader::MaximumColumns)
            return failAt(rowNumber, column,
                          u"la hoja usa columnas más allá de la %1 (%2)"_s.arg(XlsxSheetReader::MaximumColumns)
                              .arg(Sheet::columnLetters(XlsxSheetReader::MaximumColumns)));
        row.cells.resize(column);
        row.cells[column - 1] = cell;
        return true;
    }

    bool readSheet(const QString& path)
    {
        const auto bytes = part(path);
        if (!bytes)
            return false;
        QXmlStreamReader xml(*bytes);
        int lastRow = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"row") {
                const QXmlStreamAttributes a = xml.attributes();
                bool ok = true;
                const int number = a.hasAttribute(u"r"_s) ? a.value(u"r"_s).toInt(&ok) : lastRow + 1;
                if (!ok || number <= lastRow || number > 1048576)
                    return failAt(lastRow + 1, 0, u"filas fuera de orden; ¿un archivo dañado?"_s);
                lastRow = number;
                SheetRow row{number, {}};
                int lastColumn = 0;
                while (xml.readNextStartElement()) {
                    if (xml.name() != u"c") {
                        xml.skipCurrentElement();
                        continue;
                    }
                    if (!readCell(xml, number, &lastColumn, row))
                        return sheet.error.isEmpty() ? fail(xmlFault(path, xml)) : false;
                }
                if (!row.cells.isEmpty())
                    sheet.rows << row;
            } else if (xml.name() == u"mergeCell") {
                const QString ref = xml.attributes().value(u"ref"_s).toString();
                int column = 0, row = 0;
                parseReference(QStringView(ref).left(ref.indexOf(u':')), &column, &row);
                return failAt(row, column,
                              u"celdas combinadas (%1); sepárelas y escriba el valor en cada celda"_s.arg(ref));
            }
        }
        if (xml.hasError())
            return fail(xmlFault(path, xml));
        sheet.lineCount = lastRow;
        return true;
    }
};

} // namespace

void XlsxSheetReader::read(ZipArchive& archive, Sheet& sheet)
{
    sheet.format = Sheet::Format::Xlsx;
    sheet.decimalComma = true;
    Reader reader{archive, sheet, {}, {}};
    const QString path = reader.firstSheetPath();
    if (path.isEmpty() || !reader.readSharedStrings() || !reader.readStyles() || !reader.readSheet(path))
        return;
    sheet.ok = true;
}
