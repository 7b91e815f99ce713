#pragma once

#include <functional>
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

// The fits accepted from one trial file: the curves it still supplies. A curve fitted
// again from a later file is that file's, so no curve belongs to two acceptances.
struct AcceptedTrial {
    DataSourceFile source;
    CoefficientSet curves;     // only the levels accepted
    QList<TrialFit::Fit> fits; // those curves' fits with their trial points, when kept
};

// The response-curve table in use, shared by every lookup: the built-in table, the lines
// of the adviser's own table file over it, then the accepted trial fits in the order they
// were accepted. A change is made whole and only after every value has passed its check:
// a refused file leaves the table exactly as it was.
// The object lives for the whole run, so a reference to table() stays valid while its
// content is swapped.
class ResponseData : public QObject {
    Q_OBJECT
public:
    // Asked at restore() with the table files that changed since they were chosen:
    // whether to use their content as it is now.
    using UseChangedFiles = std::function<bool(const QStringList& paths)>;

    explicit ResponseData(QObject* parent = nullptr);

    const ResponseTable& table() const { return table_; }
    bool isBuiltIn() const { return files_.isEmpty(); }
    // The table files in use, then the trial files whose fits are in use.
    const QList<DataSourceFile>& files() const { return files_; }
    // Codes whose lines (some level at least) come from the files.
    int codesFromFiles() const { return int(codesFromFiles_.size()); }
    const QList<AcceptedTrial>& acceptedTrials() const { return trials_; }
    // The table file(s) chosen, whether in use or not; empty for the built-in table.
    const QStringList& chosenTable() const { return tablePaths_; }
    // The table chosen in an earlier session that could not be used in this one (its
    // file gone, changed or refused); it is tried again at the next start.
    QStringList tableNotInUse() const { return tableFiles_.isEmpty() ? tablePaths_ : QStringList(); }

    // "datos: incorporados" or "datos: <file name>[ + <file name>]", as the charts show it.
    QString shortLabel() const;

    // One table sheet (CSV, .xlsx, .ods), or three fixed-column files told apart by
    // their names (orderByLevel). The whole set is checked before the table changes; on
    // refusal *error says where and why. A loaded table takes the place of the table and
    // of every accepted fit.
    bool loadTable(const QStringList& paths, QString* error);
    // The same with three files already in level order (20 %, Medio, 80 %), as the
    // adviser assigned them.
    bool loadInOrder(const QStringList& paths, QString* error);
    // What the last loaded table warns of (curves that rise without a maximum).
    const QStringList& loadWarnings() const { return warnings_; }

    // The usable fits go over the table in use, each with the curve of its coefficients
    // (a plateau among them for the quadratic-plateau); for a code and level fitted
    // before, the later acceptance wins. `trialLines` is the trial file's line (or sheet
    // row) count; -1 counts the lines of its bytes as text.
    bool useFits(const QList<TrialFit::Fit>& fits, const QString& trialPath, const QByteArray& trialBytes,
                 QString* error, int trialLines = -1);
    // The curves of earlier acceptances these fits would take over, as "AGAA Medio (ensayos.csv)".
    QStringList curvesReplacedBy(const QList<TrialFit::Fit>& fits) const;
    // The accepted fits, one line per trial file: "ensayos.csv: AGAA Medio, AGAA 80".
    QStringList acceptedFitLines() const;

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

    // The data in use as a case keeps it, so that the case shows the same numbers on a
    // computer without the files: each table file read, with its bytes, and each trial
    // file's accepted fits, in the order accepted.
    struct Record {
        struct Trial {
            DataSourceFile source;
            QByteArray fitsCsv;   // the curves it supplies, as table CSV rows
            QByteArray pointsCsv; // their trial points as a trial file, for the optima's intervals; may be empty
            bool operator==(const Trial&) const = default;
        };
        QList<DataSourceFile> tableFiles; // none: the built-in table; one sheet or three fixed-column files
        QList<QByteArray> tableBytes;     // of each table file
        QList<Trial> trials;              // none: no fits
        bool operator==(const Record&) const = default;
    };
    Record record() const;
    // Checks the record's table and fits as the files themselves would be checked, then
    // uses them; on refusal the data stay as they were and *error says why.
    bool useRecord(const Record& record, QString* error);

    // The choice is kept in `settings`; save() says in *error when it could not be written.
    // restore() loads it again with the same checks. A table file gone or refused leaves
    // the built-in table in use for this session and the choice kept for the next start;
    // a table file changed since it was chosen is used only when `useChanged` agrees (and
    // not without it).
    // Saved fits that no longer read are dropped; saved trial points that no longer read
    // leave their curves without an interval. The confidence level is kept too.
    // *error says what could not be used.
    bool save(QSettings& settings, QString* error = nullptr) const;
    bool restore(QSettings& settings, QString* error, const UseChangedFiles& useChanged = {});

    // The file form a path list stands for: three paths are the fixed-column files,
    // taken in level order by their names (one with the word "20", one with "medio", one
    // with "80"); one path is a sheet. Empty with *error set when the names do not say.
    static QStringList orderByLevel(const QStringList& paths, QString* error);
    // The level a file's name says by a whole word or number in it ("tabla_2023_medio",
    // "resp_20", "80 %"); nothing when it says none or more than one.
    static std::optional<Level> levelInName(const QString& path);

    // Accepted fits' table CSV in the form the program writes it (the meseta column, numbers
    // in their shortest form); text that does not read as fits is returned as it is.
    static QByteArray canonicalFits(const QByteArray& csv);
    // Trial points in the form the data keep them for those fits: only the points of curves
    // the fits supply, numbers in full; empty when none.
    static QByteArray canonicalPoints(const QByteArray& points, const QByteArray& fitsCsv);

    // "AGAA Medio": a code and a level as the adviser reads them.
    static QString curveName(const QString& code, Level level);

Q_SIGNALS:
    void changed();
    void confidenceChanged();

private:
    struct TableRead {
        CoefficientSet set;
        QList<DataSourceFile> files;
        QList<QByteArray> bytes; // of each file
        QStringList warnings;
    };
    bool readTable(const QStringList& paths, TableRead* read, QString* error) const;
    // The table held in `read`'s files and bytes, a sheet of any kind or three fixed-column files.
    static bool parseTable(TableRead* read, QString* error);
    // The table in use, its sources and codes made again from the parts; announces the change.
    void rebuild();

    ResponseTable table_;
    QList<DataSourceFile> files_;
    QSet<QString> codesFromFiles_;
    QStringList tablePaths_;           // the chosen table, in level order; empty for the built-in
    QStringList tableSums_;            // SHA-256 of each chosen file when it was chosen
    QList<DataSourceFile> tableFiles_; // the chosen table's files when in use
    QList<QByteArray> tableBytes_;     // each of those files as read
    CoefficientSet tableSet_;          // their values
    QList<AcceptedTrial> trials_;      // in the order accepted
    QList<TrialFit::Fit> fitsInUse_;   // the fits of every acceptance, in that order
    TrialStatistics::Confidence confidence_ = TrialStatistics::Confidence::P90;
    QStringList warnings_;
};
