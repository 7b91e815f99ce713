#include "Sheet.h"

#include <algorithm>
#include <charconv>
#include <string>

bool SheetRow::isBlank() const
{
    return std::all_of(cells.cbegin(), cells.cend(), [](const SheetCell& c) { return c.text.isEmpty(); });
}

QString Sheet::columnLetters(int column)
{
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

QString Sheet::where(const QString& fileName, Format format, int line, int column, const QString& columnName,
                     const QString& reason)
{
    const bool csv = format == Format::Csv;
    QString place = fileName + (csv ? QStringLiteral(", línea ") : QStringLiteral(", fila ")) + QString::number(line);
    if (column > 0) {
        place += QStringLiteral(", columna ") + (csv ? QString::number(column) : columnLetters(column));
        if (!columnName.isEmpty())
            place += QStringLiteral(" (") + columnName + u')';
    }
    return place + QStringLiteral(": ") + reason;
}

QString Sheet::dialectName() const
{
    switch (format) {
    case Format::Xlsx:
        return QStringLiteral("libro de Excel (.xlsx)");
    case Format::Ods:
        return QStringLiteral("hoja de cálculo OpenDocument (.ods)");
    case Format::Csv:
        break;
    }
    if (separator == u'\t')
        return QStringLiteral("texto separado por tabulaciones");
    return QStringLiteral("CSV separado por '%1'").arg(separator);
}

QString Sheet::storedNumber(const QString& stored, bool* ok)
{
    const std::string ascii = stored.trimmed().toStdString();
    double value = 0.0;
    const auto [end, status] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    *ok = !ascii.empty() && status == std::errc() && end == ascii.data() + ascii.size();
    if (!*ok)
        return {};
    char out[64];
    const auto written = std::to_chars(out, out + sizeof out, value);
    return QString::fromLatin1(out, written.ptr - out);
}
