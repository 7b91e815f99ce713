#include "BatchOutput.h"

#include <algorithm>

#include <QFile>

#include <xlsxwriter.h>

#include "core/TableDocument.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype CsvBatchRows = 256;

} // namespace

BatchOutput::BatchOutput(const QString& path) : path_(path), file_(path)
{
    xlsx_ = path.endsWith(u".xlsx"_s, Qt::CaseInsensitive);
}

BatchOutput::~BatchOutput()
{
    if (workbook_)
        workbook_close(workbook_); // into the temporary folder, which goes with it
}

bool BatchOutput::fail(const QString& reason)
{
    error_ = u"%1: no se pudo escribir el archivo (%2)"_s.arg(path_, reason);
    return false;
}

bool BatchOutput::open(const QStringList& headings)
{
    if (!xlsx_) {
        format_ = CsvWriter::savedFormat();
        if (!file_.open(QIODevice::WriteOnly))
            return fail(file_.errorString());
        pending_ << headings;
        return true;
    }
    folder_ = std::make_unique<QTemporaryDir>();
    if (!folder_->isValid())
        return fail(u"no se pudo crear una carpeta temporal"_s);
    folderName_ = QFile::encodeName(folder_->path());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = folderName_.data();
    workbook_ = workbook_new_opt(QFile::encodeName(folder_->filePath(u"dosis.xlsx"_s)).constData(), &options);
    if (!workbook_)
        return fail(u"no se pudo crear el libro"_s);
    sheet_ = workbook_add_worksheet(workbook_, "Dosis");
    bold_ = workbook_add_format(workbook_);
    format_set_bold(bold_);
    for (int decimals = 0; decimals <= 6; ++decimals) {
        lxw_format* number = workbook_add_format(workbook_);
        const QByteArray code = decimals == 0 ? QByteArray("0") : QByteArray("0.") + QByteArray(decimals, '0');
        format_set_num_format(number, code.constData());
        numberFormats_ << number;
    }
    // Each column as wide as its heading, within reason: the rows come later.
    for (qsizetype c = 0; c < headings.size(); ++c) {
        worksheet_set_column(sheet_, lxw_col_t(c), lxw_col_t(c), std::clamp(int(headings[c].size()) + 2, 8, 40),
                             nullptr);
        worksheet_write_string(sheet_, 0, lxw_col_t(c), headings[c].toUtf8().constData(), bold_);
    }
    row_ = 1;
    return true;
}

bool BatchOutput::write(const QStringList& cells)
{
    if (!xlsx_) {
        pending_ << cells;
        return pending_.size() < CsvBatchRows || flushCsv();
    }
    if (row_ >= LXW_ROW_MAX)
        return fail(
            u"un libro de Excel tiene como mucho %1 filas; escriba la salida en un archivo .csv"_s.arg(LXW_ROW_MAX));
    for (qsizetype c = 0; c < cells.size(); ++c) {
        const QString& cell = cells[c];
        if (cell.isEmpty())
            continue;
        if (TableDocument::isNumber(cell)) {
            const qsizetype point = cell.indexOf(u'.');
            const qsizetype decimals = point < 0 ? 0 : std::min<qsizetype>(cell.size() - point - 1, 6);
            worksheet_write_number(sheet_, row_, lxw_col_t(c), cell.toDouble(), numberFormats_[decimals]);
        } else {
            worksheet_write_string(sheet_, row_, lxw_col_t(c), cell.toUtf8().constData(), nullptr);
        }
    }
    ++row_;
    return true;
}

bool BatchOutput::flushCsv()
{
    // The byte-order mark once, at the start of the file.
    const QByteArray bytes = CsvWriter::bytes(pending_, format_).mid(started_ ? 3 : 0);
    started_ = true;
    pending_.clear();
    return file_.write(bytes) == bytes.size() || fail(file_.errorString());
}

bool BatchOutput::commit()
{
    if (!xlsx_)
        return flushCsv() && (file_.commit() || fail(file_.errorString()));
    const lxw_error closed = workbook_close(workbook_);
    workbook_ = nullptr;
    if (closed != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(closed)));
    QFile made(folder_->filePath(u"dosis.xlsx"_s));
    if (!made.open(QIODevice::ReadOnly) || !file_.open(QIODevice::WriteOnly))
        return fail(made.isOpen() ? file_.errorString() : made.errorString());
    while (!made.atEnd()) {
        const QByteArray chunk = made.read(1 << 20);
        if (file_.write(chunk) != chunk.size())
            return fail(file_.errorString());
    }
    return file_.commit() || fail(file_.errorString());
}
