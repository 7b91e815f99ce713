#include "DataFileText.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

DataFileText::Result DataFileText::read(const QString& path)
{
    Result result;
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("%1: no se pudo abrir el archivo (%2)").arg(name, file.errorString());
        return result;
    }
    // The size is checked before reading, so a huge file is never held in memory.
    if (file.size() > MaximumBytes) {
        result.error = QStringLiteral("%1: el archivo es demasiado grande (%2 MB; el máximo es %3 MB)")
                           .arg(name)
                           .arg(double(file.size()) / (1024 * 1024), 0, 'f', 1)
                           .arg(MaximumBytes / (1024 * 1024));
        return result;
    }
    const QByteArray bytes = file.read(MaximumBytes + 1);
    if (bytes.size() > MaximumBytes) { // a device whose size was not known beforehand
        result.error = QStringLiteral("%1: el archivo es demasiado grande (más de %2 MB)")
                           .arg(name)
                           .arg(MaximumBytes / (1024 * 1024));
        return result;
    }
    return decode(bytes, name);
}

DataFileText::Result DataFileText::decode(const QByteArray& bytes, const QString& fileName)
{
    Result result;
    result.bytes = bytes;
    if (bytes.size() > MaximumBytes) {
        result.error = QStringLiteral("%1: el archivo es demasiado grande (más de %2 MB)")
                           .arg(fileName)
                           .arg(MaximumBytes / (1024 * 1024));
        return result;
    }
    if (bytes.trimmed().isEmpty() || bytes == QByteArrayLiteral("\xEF\xBB\xBF")) {
        result.error = QStringLiteral("%1: el archivo está vacío").arg(fileName);
        return result;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        result.error =
            QStringLiteral("%1: no es un texto UTF-8 (¿un archivo binario u otra codificación?)").arg(fileName);
        return result;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    result.lines = text.split(u'\n');
    for (int i = 0; i < result.lines.size(); ++i) {
        QString& line = result.lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        for (int c = 0; c < line.size(); ++c) {
            const char16_t ch = line[c].unicode();
            if ((ch < 0x20 && ch != u'\t') || ch == 0x7F) {
                result.error = where(
                    fileName, i + 1, QString::number(c + 1),
                    QStringLiteral("carácter de control U+%1 (¿un archivo binario?)").arg(int(ch), 4, 16, QChar(u'0')));
                result.lines.clear();
                return result;
            }
        }
    }
    if (!result.lines.isEmpty() && result.lines.constLast().isEmpty())
        result.lines.removeLast();
    // Only blanks and line ends (after a byte-order mark, say) is empty too.
    if (std::all_of(result.lines.cbegin(), result.lines.cend(),
                    [](const QString& l) { return l.trimmed().isEmpty(); })) {
        result.lines.clear();
        result.error = QStringLiteral("%1: el archivo está vacío").arg(fileName);
        return result;
    }
    result.ok = true;
    return result;
}

QString DataFileText::where(const QString& fileName, int line, const QString& column, const QString& reason)
{
    if (column.isEmpty())
        return QStringLiteral("%1, línea %2: %3").arg(fileName, QString::number(line), reason);
    return QStringLiteral("%1, línea %2, columna %3: %4").arg(fileName, QString::number(line), column, reason);
}
