#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The text of a PDF file as poppler's pdftotext reads it; with `layout`, the columns kept
// in place. Empty when the file cannot be read.
inline QString pdfText(const QString& file, bool layout = false)
{
    QStringList arguments;
    if (layout)
        arguments << QStringLiteral("-layout");
    arguments << file << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
