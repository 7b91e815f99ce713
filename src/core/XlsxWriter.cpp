#include "XlsxWriter.h"

#include <algorithm>

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

// "0.000" for a number written with three decimals.
QByteArray numberFormat(const QString& cell)
{
    const qsizetype point = cell.indexOf(u'.');
    return point < 0 ? QByteArray("0") : "0." + QByteArray(cell.size() - point - 1, '0');
}

struct Book {
    lxw_workbook* workbook;
    lxw_worksheet* sheet;
    lxw_format* bold;
    QHash<QByteArray, lxw_format*> numberFormats;
    QList<int> widths; // characters, by column
    lxw_row_t row = 0;

    void widen(lxw_col_t column, const QString& cell)
    {
        if (widths.size() <= int(column))
            widths.resize(column + 1);
        widths[column] = std::max(widths[column], int(cell.size()));
    }

    void text(lxw_col_t column, const QString& cell, lxw_format* format)
    {
        if (!cell.isEmpty())
            worksheet_write_string(sheet, row, column, cell.toUtf8().constData(), format);
    }

    void cells(const QStringList& cells, lxw_format* format)
    {
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const QString& cell = cells[c];
            widen(lxw_col_t(c), cell);
            if (format || !TableDocument::isNumber(cell)) {
                text(lxw_col_t(c), cell, format);
                continue;
            }
            const QByteArray code = numberFormat(cell);
            lxw_format*& numeric = numberFormats[code];
            if (!numeric) {
                numeric = workbook_add_format(workbook);
                format_set_num_format(numeric, code.constData());
            }
            worksheet_write_number(sheet, row, lxw_col_t(c), cell.toDouble(), numeric);
        }
        ++row;
    }
};

} // namespace

bool XlsxWriter::save(const QString& path, const TableDocument& document, const QString& sheetName, QString* error)
{
    const auto fail = [&](const QString& reason) {
        *error = u"No se pudo escribir el archivo \"%1\": %2"_s.arg(path, reason);
        return false;
    };
    QTemporaryDir folder;
    if (!folder.isValid())
        return fail(u"no se pudo crear una carpeta temporal"_s);
    const QString temporary = folder.filePath(u"libro.xlsx"_s);
    lxw_workbook* workbook = workbook_new(QFile::encodeName(temporary).constData());
    if (!workbook)
        return fail(u"no se pudo crear el libro"_s);
    Book book{workbook,
              workbook_add_worksheet(workbook, sheetName.left(31).toUtf8().constData()),
              workbook_add_format(workbook),
              {},
              {},
              0};
    format_set_bold(book.bold);

    // Title and basis lines run across the cells beside them: they do not widen column A.
    if (!document.title.isEmpty()) {
        book.text(0, document.title, book.bold);
        ++book.row;
    }
    for (const QString& line : document.basis) {
        book.text(0, line, nullptr);
        ++book.row;
    }
    if (book.row > 0)
        ++book.row;
    for (qsizetype t = 0; t < document.tables.size(); ++t) {
        const DocumentTable& table = document.tables[t];
        if (t > 0)
            ++book.row;
        if (!table.title.isEmpty()) {
            book.text(0, table.title, book.bold);
            ++book.row;
        }
        book.cells(table.header, book.bold);
        for (const QStringList& row : table.rows)
            book.cells(row, nullptr);
        for (const QString& note : table.notes) {
            book.text(0, note, nullptr);
            ++book.row;
        }
    }
    for (int c = 0; c < book.widths.size(); ++c)
        worksheet_set_column(book.sheet, lxw_col_t(c), lxw_col_t(c), std::clamp(book.widths[c] + 2, 6, 60), nullptr);

    const lxw_error closed = workbook_close(workbook);
    if (closed != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(closed)));
    QFile made(temporary);
    if (!made.open(QIODevice::ReadOnly))
        return fail(made.errorString());
    const QByteArray bytes = made.readAll();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return true;
    return fail(file.errorString());
}
