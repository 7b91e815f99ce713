#include "SheetReader.h"

#include <QFileInfo>

#include "core/CsvSheetReader.h"
#include "core/DataFileText.h"
#include "core/OdsSheetReader.h"
#include "core/XlsxSheetReader.h"
#include "core/ZipArchive.h"

using namespace Qt::StringLiterals;

namespace {

void readArchive(Sheet& sheet)
{
    ZipArchive archive(sheet.bytes);
    if (!archive.openError().isEmpty()) {
        sheet.error = sheet.fileName + u": "_s + archive.openError();
        return;
    }
    if (archive.contains(u"mimetype"_s)) {
        QString error;
        const auto mimetype = archive.read(u"mimetype"_s, &error);
        if (mimetype && mimetype->trimmed() == "application/vnd.oasis.opendocument.spreadsheet")
            return OdsSheetReader::read(archive, sheet);
    }
    if (archive.contains(u"xl/workbook.xml"_s))
        return XlsxSheetReader::read(archive, sheet);
    sheet.error = sheet.fileName +
        u": es un archivo comprimido pero no un libro de Excel (.xlsx) ni una hoja de cálculo OpenDocument (.ods)"_s;
}

// Trailing empty cells dropped, the header found, blank rows left out.
void settle(Sheet& sheet)
{
    QList<SheetRow> all;
    all.swap(sheet.rows);
    for (SheetRow& row : all) {
        while (!row.cells.isEmpty() && row.cells.constLast().text.isEmpty())
            row.cells.removeLast();
        if (row.cells.isEmpty())
            continue;
        if (sheet.header.cells.isEmpty())
            sheet.header = row;
        else
            sheet.rows << row;
    }
    if (sheet.header.cells.isEmpty()) {
        sheet.ok = false;
        sheet.error = sheet.format == Sheet::Format::Csv ? sheet.fileName + u": el archivo está vacío"_s
                                                         : sheet.fileName + u": la primera hoja está vacía"_s;
    }
}

} // namespace

Sheet SheetReader::read(const QString& path)
{
    const DataFileText::Bytes file = DataFileText::load(path);
    if (!file.ok) {
        Sheet sheet;
        sheet.fileName = QFileInfo(path).fileName();
        sheet.error = file.error;
        return sheet;
    }
    return read(file.bytes, QFileInfo(path).fileName());
}

Sheet SheetReader::read(const QByteArray& bytes, const QString& fileName)
{
    Sheet sheet;
    sheet.fileName = fileName;
    sheet.bytes = bytes;
    if (bytes.size() > DataFileText::MaximumBytes) {
        sheet.error = DataFileText::tooLarge(fileName, bytes.size(), DataFileText::MaximumBytes);
        return sheet;
    }
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06")) {
        readArchive(sheet);
    } else if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        sheet.error = fileName +
            u": es un libro de Excel 97-2003 (.xls) o un libro protegido con contraseña; guárdelo sin contraseña como "
            "libro de Excel (.xlsx) o como CSV"_s;
    } else {
        const DataFileText::Result text = DataFileText::decode(bytes, fileName);
        if (text.ok)
            CsvSheetReader::read(text, sheet);
        else
            sheet.error = text.error;
    }
    if (sheet.ok)
        settle(sheet);
    if (!sheet.ok)
        sheet.rows.clear();
    return sheet;
}
