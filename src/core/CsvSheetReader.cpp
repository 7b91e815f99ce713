#include "CsvSheetReader.h"

#include <array>

QChar CsvSheetReader::detectSeparator(const QString& line)
{
    // On a tie the rarer separator wins: a header with a tab or a semicolon chose it.
    constexpr std::array<char16_t, 3> Candidates{u'\t', u';', u','};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (const QChar ch : line) {
        if (ch == u'"')
            quoted = !quoted;
        else if (!quoted)
            for (std::size_t k = 0; k < Candidates.size(); ++k)
                counts[k] += ch == Candidates[k];
    }
    std::size_t best = 2;
    for (std::size_t k = 0; k < Candidates.size(); ++k)
        if (counts[k] > counts[best])
            best = k;
    return QChar(Candidates[best]);
}

void CsvSheetReader::read(const DataFileText::Result& text, Sheet& sheet)
{
    sheet.format = Sheet::Format::Csv;
    sheet.lineCount = int(text.lines.size());
    QString headerLine;
    for (const QString& line : text.lines)
        if (!line.trimmed().isEmpty()) {
            headerLine = line;
            break;
        }
    sheet.separator = detectSeparator(headerLine);
    sheet.decimalComma = sheet.separator != u',';

    const QString& s = text.text;
    const QChar separator = sheet.separator;
    int line = 1;
    SheetRow row{1, {}};
    QString field;
    bool inQuotes = false;
    bool closed = false; // the field's closing quote has been read
    int quoteLine = 0;
    const auto endField = [&] {
        row.cells.append({field.trimmed(), false});
        field.clear();
        closed = false;
    };
    const auto refuse = [&sheet](int at, int column, const QString& reason) {
        sheet.error = sheet.where(at, column, {}, reason);
        sheet.rows.clear();
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar ch = s[i];
        if (inQuotes) {
            if (ch == u'"') {
                if (i + 1 < s.size() && s[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                    closed = true;
                }
            } else {
                if (ch == u'\n')
                    ++line;
                field += ch;
            }
            continue;
        }
        if (ch == separator) {
            endField();
        } else if (ch == u'\n') {
            endField();
            sheet.rows.append(row);
            row = SheetRow{++line, {}};
        } else if (closed) {
            if (!ch.isSpace())
                return refuse(line, int(row.cells.size()) + 1,
                              QStringLiteral("texto después de la comilla que cierra el campo; una comilla dentro de "
                                             "un campo entre comillas se escribe doble (\"\")"));
        } else if (ch == u'"' && field.trimmed().isEmpty()) {
            field.clear();
            inQuotes = true;
            quoteLine = line;
        } else {
            field += ch;
        }
    }
    if (inQuotes)
        return refuse(quoteLine, int(row.cells.size()) + 1,
                      QStringLiteral("comilla sin cerrar: el campo que empieza aquí sigue hasta el final del archivo"));
    if (!field.isEmpty() || closed || !row.cells.isEmpty()) {
        endField();
        sheet.rows.append(row);
    }
    sheet.ok = true;
}
