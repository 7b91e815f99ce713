#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One table of a document: a title above it, its headings, its rows and notes below it.
// Cells are texts as shown; a cell written as a plain number ("97.1", "-5", "0.250")
// is a number to the writers, which keep its decimals.
struct DocumentTable {
    QString title;
    QStringList header;
    QList<QStringList> rows;
    QStringList notes;
};

// What a writer lays out: a title, the basis lines (prices, tolerance, weights, data
// source) and the tables below them. A document of one table with neither title nor
// basis is a plain table whose first row is its header, as the readers take it back.
struct TableDocument {
    QString title;
    QStringList basis;
    QList<DocumentTable> tables;

    static TableDocument plain(const QList<QStringList>& rowsWithHeader)
    {
        TableDocument document;
        document.tables.append({{}, rowsWithHeader.value(0), rowsWithHeader.mid(1), {}});
        return document;
    }

    // Every line as a row of cells, as a text or CSV writer lays them out: the title and
    // each basis line in a cell of their own, a blank row, then each table's title,
    // headings, rows and notes, tables a blank row apart.
    QList<QStringList> lines() const
    {
        QList<QStringList> out;
        if (!title.isEmpty())
            out.append({title});
        for (const QString& line : basis)
            out.append({line});
        if (!out.isEmpty())
            out.append(QStringList{});
        for (qsizetype t = 0; t < tables.size(); ++t) {
            const DocumentTable& table = tables[t];
            if (t > 0)
                out.append(QStringList{});
            if (!table.title.isEmpty())
                out.append({table.title});
            out.append(table.header);
            out.append(table.rows);
            for (const QString& note : table.notes)
                out.append({note});
        }
        return out;
    }

    // A cell the writers take as a number: an optional minus sign, digits, and
    // decimals after a point; no leading zeros, no exponent, no grouping.
    static bool isNumber(const QString& cell);
};
