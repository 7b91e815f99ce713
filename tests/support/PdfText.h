#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The text of a PDF file as poppler's pdftotext reads it; with `layout`, the columns kept
// in place; with `boxes`, every word in an HTML line with its box in points. Empty when the
// file cannot be read.
inline QString pdfText(const QString& file, bool layout = false, bool boxes = false)
{
    QStringList arguments;
    if (layout)
        arguments << QStringLiteral("-layout");
    if (boxes)
        arguments << QStringLiteral("-bbox");
    arguments << file << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
