#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "core/AdviserCase.h"
#include "core/DoseAdvice.h"

// What a report on one field says, as texts, before any page is laid out: who and what it
// is about, the recommendation in words, its basis and the dose advice's tables, and the
// captions of the two charts. The printed page, the PDF and ODT files and the clipboard
// lay out these texts; none computes a number of its own.
struct ReportContent {
    AdviserCase::Identity identity;
    QDate date;
    QString version;
    QString title;
    bool hasAdvice = false; // false until the case's prices give a complete situation
    QString status;         // why there is no advice yet
    DoseAdvice::Result advice;
    QStringList yieldChartCaption; // the scenarios; the economic one adds the prices
    QStringList economicChartCaption;

    static ReportContent build(const AdviserCase::Identity& identity, const QDate& date, const QString& version,
                               const DoseAdvice::Inputs& inputs);

    // "Cliente: …" for each identifying field given, then the date and the program.
    QStringList headingLines() const;

    // A file name from the case: "Informe Lote 7 - Campaña 2026.pdf"; without a field,
    // client or season, "Informe de fertilización nitrogenada.pdf".
    QString fileName(const QString& extension) const { return baseName() + QLatin1Char('.') + extension; }
    // The same without the extension, as a print job's title; `lead` takes the place of "Informe".
    QString baseName(const QString& lead = QStringLiteral("Informe"),
                     const QString& bare = QStringLiteral("Informe de fertilización nitrogenada")) const
    {
        return nameOf(identity, lead, bare);
    }
    // The same for any document about the case, from its identity alone: `bare` without a
    // field, client or season.
    static QString nameOf(const AdviserCase::Identity& identity, const QString& lead = QStringLiteral("Informe"),
                          const QString& bare = QStringLiteral("Informe de fertilización nitrogenada"));

    // The whole report as plain text, table cells separated by tabs.
    QStringList plainText() const;
};
