#pragma once

#include <memory>
#include <optional>

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

class AdviserCase;

// Nothing typed is lost to a crash or a power cut: while the case has unsaved changes, a
// copy of it is kept in the program's state folder ($XDG_STATE_HOME/velmaro, by default
// ~/.local/state/velmaro), written at most DelayMs after a change. The case is turned
// into bytes here, on the thread the adviser types on, which takes a fraction of a
// millisecond; the disk is written by a thread of its own, so typing never waits for it.
// Saving the case, or a clean exit, removes the copy.
//
// Each run names its copy after its start and holds a lock beside it, so that a second
// program running at the same time neither offers nor touches the first one's copy: a
// copy whose lock no running program holds was left by a run that did not end cleanly.
class CaseRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int DelayMs = 2000;

    explicit CaseRecovery(AdviserCase& adviserCase, const QString& folder = defaultFolder(), QObject* parent = nullptr);
    // A clean exit: the copy goes, once every write handed over has finished.
    ~CaseRecovery() override;

    static QString defaultFolder();
    QString copyPath() const { return copyPath_; }

    // Hands the case as it stands to the writing thread.
    void writeNow();
    // Waits until what was handed over is on disk.
    void waitForWrites();

    struct Orphan {
        QString path;
        QDateTime writtenAt;
    };
    // The newest copy left behind by a run that did not end cleanly. The locks such runs
    // left are cleared on the way.
    std::optional<Orphan> orphan();
    // "¿Recuperar el trabajo sin guardar del 14/03/2025 a las 09:30?"
    static QString offerText(const QDateTime& writtenAt);
    // Opens the copy into the case as unsaved work, which this run's copy then keeps;
    // the left copy goes. False, with *error, when the copy cannot be read.
    bool recover(const Orphan& orphan, QString* error);
    void discard(const Orphan& orphan);

Q_SIGNALS:
    // A copy could not be written (the folder cannot be made or written).
    void writeFailed(const QString& message);

private:
    void caseChanged();
    void removeCopy();

    AdviserCase& case_;
    QString folder_;
    QString copyPath_;
    std::unique_ptr<QLockFile> lock_;
    QTimer delay_;
    QThreadPool writer_; // one thread: copies and removals reach the disk in order
};
