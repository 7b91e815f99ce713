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
#include "core/TrialStatistics.h"

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

    // The usable fits replace their codes' lines of the table in use, each with the curve
    // of its coefficients (a plateau among them for the quadratic-plateau).
    // `trialLines` is the trial file's line (or sheet row) count; -1 counts the lines of
    // its bytes as text.
    bool useFits(const QList<TrialFit::Fit>& fits, const QString& trialPath, const QByteArray& trialBytes,
                 QString* error, int trialLines = -1);

    // The accepted fits behind lines of the table in use, with their trial points.
    const QList<TrialFit::Fit>& fitsInUse() const { return fitsInUse_; }
    // The confidence level of the optima's intervals, wherever they are shown.
    TrialStatistics::Confidence confidence() const { return confidence_; }
    void setConfidence(TrialStatistics::Confidence level);
    // The optimum and its interval at this price ratio of the curve with these texts, when
    // a fit in use gave it (its code, level and coefficients); nothing otherwise.
    std::optional<TrialStatistics::Optimum> fittedOptimum(const QString& code, Level level,
                                                          const CoefficientTexts& texts, double priceRatio) const;

    void useBuiltIn();

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
    void confidenceChanged();

private:
    bool readTable(const QStringList& paths, ResponseTable* table, QSet<QString>* codes, QList<DataSourceFile>* files,
                   QString* error, QStringList* warnings) const;
    void swap(ResponseTable table, QList<DataSourceFile> files, QSet<QString> codes);

    ResponseTable table_;
    QList<DataSourceFile> files_;
    QSet<QString> codesFromFiles_;
    QStringList tablePaths_;    // the loaded table, in level order; empty for the built-in
    QByteArray fitsCsv_;        // accepted fits as CSV rows, kept for the next session
    DataSourceFile fitsSource_; // the trial file the fits came from
    QList<TrialFit::Fit> fitsInUse_;
    TrialStatistics::Confidence confidence_ = TrialStatistics::Confidence::P90;
    QStringList warnings_;
};
