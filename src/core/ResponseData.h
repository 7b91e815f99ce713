#pragma once

#include <optional>

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include "core/ResponseTable.h"
#include "core/ResponseTableReader.h"
#include "core/TrialFit.h"

class QSettings;

// A file whose data the table in use rests on.
struct DataSourceFile {
    QString path;
    int lineCount = 0; // lines of the file, header included
    QDateTime loadedAt;
    QString sha256; // hex, of the file's bytes
    bool operator==(const DataSourceFile&) const = default;
};

// The response-curve table in use, shared by every lookup. It starts as the built-in
// table; a loaded table or accepted trial fits replace it as a whole, and only after
// every value has passed its check: a refused file leaves it exactly as it was.
// The object lives for the whole run, so a reference to table() stays valid while its
// content is swapped.
class ResponseData : public QObject {
    Q_OBJECT
public:
    explicit ResponseData(QObject* parent = nullptr);

    const ResponseTable& table() const { return table_; }
    bool isBuiltIn() const { return files_.isEmpty(); }
    const QList<DataSourceFile>& files() const { return files_; }
    // Codes whose lines (some level at least) come from the files.
    int codesFromFiles() const { return int(codesFromFiles_.size()); }

    // "datos: incorporados" or "datos: <file name>[ + <file name>]", as the charts show it.
    QString shortLabel() const;

    // One table sheet (CSV, .xlsx, .ods), or three fixed-column files told apart by
    // their names (orderByLevel). The whole set is checked before the table changes; on
    // refusal *error says where and why.
    bool loadTable(const QStringList& paths, QString* error);
    // The same with three files already in level order (20 %, Medio, 80 %), as the
    // adviser assigned them.
    bool loadInOrder(const QStringList& paths, QString* error);
    // What the last loaded table warns of (curves that rise without a maximum).
    const QStringList& loadWarnings() const { return warnings_; }

    // The usable fits replace their codes' lines of the table in use.
    // `trialLines` is the trial file's line (or sheet row) count; -1 counts the lines of
    // its bytes as text.
    bool useFits(const QList<TrialFit::Fit>& fits, const QString& trialPath, const QByteArray& trialBytes,
                 QString* error, int trialLines = -1);

    void useBuiltIn();

    // The data in use as a case keeps it, so that the case shows the same numbers on a
    // computer without the files: each table file read, with its bytes, and the accepted
    // fits with the trial file they came from.
    struct Record {
        QList<DataSourceFile> tableFiles; // none: the built-in table; one sheet or three fixed-column files
        QList<QByteArray> tableBytes;     // of each table file
        QByteArray fitsCsv;               // empty: no fits
        DataSourceFile fitsSource;
        bool operator==(const Record&) const = default;
    };
    Record record() const;
    // Checks the record's table and fits as the files themselves would be checked, then
    // uses them; on refusal the data stay as they were and *error says why.
    bool useRecord(const Record& record, QString* error);

    // The choice is kept in `settings`; restore() loads it again with the same checks.
    // When it cannot (a file gone or changed into something invalid), the built-in
    // table stays in use, the setting is cleared and *error says why.
    void save(QSettings& settings) const;
    bool restore(QSettings& settings, QString* error);

    // The file form a path list stands for: three paths are the fixed-column files,
    // taken in level order by their names (one with the word "20", one with "medio", one
    // with "80"); one path is a sheet. Empty with *error set when the names do not say.
    static QStringList orderByLevel(const QStringList& paths, QString* error);
    // The level a file's name says by a whole word or number in it ("tabla_2023_medio",
    // "resp_20", "80 %"); nothing when it says none or more than one.
    static std::optional<Level> levelInName(const QString& path);

Q_SIGNALS:
    void changed();

private:
    bool readTable(const QStringList& paths, ResponseTable* table, QSet<QString>* codes, QList<DataSourceFile>* files,
                   QList<QByteArray>* bytes, QString* error, QStringList* warnings) const;
    static bool parseTable(const QList<DataSourceFile>& files, const QList<QByteArray>& bytes, ResponseTable* table,
                           QSet<QString>* codes, QString* error, QStringList* warnings);
    static bool applyFits(const QByteArray& csv, ResponseTable* table, QSet<QString>* codes, QString* error);
    void swap(ResponseTable table, QList<DataSourceFile> files, QSet<QString> codes);

    ResponseTable table_;
    QList<DataSourceFile> files_;
    QSet<QString> codesFromFiles_;
    QStringList tablePaths_;       // the loaded table, in level order; empty for the built-in
    QList<QByteArray> tableBytes_; // each file of the loaded table as read
    QByteArray fitsCsv_;           // accepted fits as CSV rows, kept for the next session
    DataSourceFile fitsSource_;    // the trial file the fits came from
    QStringList warnings_;
};
