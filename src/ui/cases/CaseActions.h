#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>

#include "ui/common/Seams.h"

class AdviserCase;
class CaseRecovery;
class QWidget;

// What the adviser does with the case as a file: open, save, save under another name,
// the cases opened last, the question before unsaved work is set aside, and the offer
// of the work a crash left unsaved. Dialogs and questions go through the seams, over
// `window`.
class CaseActions : public QObject {
    Q_OBJECT
public:
    CaseActions(AdviserCase& adviserCase, const Seams& seams, QWidget* window, const QString& recoveryFolder);
    ~CaseActions() override;

    // Brings into the case what the windows hold that it has not heard of yet; run before
    // the case is written or its changes weighed.
    void setBeforeWriting(std::function<void()> bringIn) { bringIn_ = std::move(bringIn); }

    // "Guardar": to the case's file, or asks for one. True when the case was written.
    bool save();
    // "Guardar como": asks for the file.
    bool saveAs();
    // "Abrir": asks what to do with unsaved changes, then for the file.
    void open();
    // A case named on the command line or among the recent ones.
    bool openPath(const QString& path);
    // "¿Guardar los cambios de …?" while there are unsaved changes: true when the adviser
    // may go on (saved, or chose not to), false for "Cancelar" or a failed save.
    bool maySetAside();
    // At start: the newest work a crash left unsaved, offered with its date and time.
    void offerRecovery();

    QStringList recentCases() const;
    CaseRecovery& recovery() const { return *recovery_; }

Q_SIGNALS:
    void recentCasesChanged(const QStringList& paths);
    // A case was opened or recovered: what the windows show comes from it.
    void caseReplaced();

private:
    bool openFile(const QString& path);
    bool saveTo(const QString& path);
    void remember(const QString& path);

    AdviserCase& case_;
    Seams seams_;
    QWidget* window_;
    std::unique_ptr<CaseRecovery> recovery_;
    std::function<void()> bringIn_;
    bool recoveryFailureReported_ = false;
};
