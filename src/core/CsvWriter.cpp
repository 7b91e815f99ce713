#include "CsvWriter.h"

#include <QSaveFile>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

const QString FormatKey = u"exportar/csvInternacional"_s;

QString cellText(QString cell, CsvWriter::Format format)
{
    const QChar separator = format == CsvWriter::Format::Spanish ? u';' : u',';
    if (format == CsvWriter::Format::Spanish && TableDocument::isNumber(cell))
        return cell.replace(u'.', u',');
    if (cell.contains(separator) || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r') ||
        cell != cell.trimmed())
        return u'"' + cell.replace(u"\""_s, u"\"\""_s) + u'"';
    return cell;
}

} // namespace

QByteArray CsvWriter::bytes(const QList<QStringList>& rows, Format format)
{
    const QChar separator = format == Format::Spanish ? u';' : u',';
    QString out;
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += separator;
            out += cellText(row[c], format);
        }
        out += u"\r\n"_s;
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

QByteArray CsvWriter::bytes(const TableDocument& document, Format format)
{
    return bytes(document.lines(), format);
}

bool CsvWriter::save(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit())
        return true;
    *error = u"No se pudo escribir el archivo \"%1\": %2"_s.arg(path, file.errorString());
    return false;
}

CsvWriter::Format CsvWriter::savedFormat()
{
    return QSettings(u"Velmaro"_s, u"velmaro"_s).value(FormatKey, false).toBool() ? Format::International
                                                                                  : Format::Spanish;
}

void CsvWriter::saveFormat(Format format)
{
    QSettings settings(u"Velmaro"_s, u"velmaro"_s);
    settings.setValue(FormatKey, format == Format::International);
}
