#include "CaseActions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "core/AdviserCase.h"
#include "core/CaseFile.h"
#include "core/CaseRecovery.h"
#include "core/RecentCases.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FileChooser.h"
#include "ui/common/MessageBoxes.h"

namespace {

QSettings programSettings()
{
    return QSettings(QStringLiteral("Velmaro"), QStringLiteral("velmaro"));
}

QString filter()
{
    return QStringLiteral("Casos de Velmaro (*.%1)").arg(CaseFile::suffix());
}

} // namespace

CaseActions::CaseActions(AdviserCase& adviserCase, const Seams& seams, QWidget* window, const QString& recoveryFolder)
    : case_(adviserCase),
      seams_(seams),
      window_(window),
      recovery_(std::make_unique<CaseRecovery>(adviserCase, recoveryFolder))
{
    // Said once: a state folder that cannot be written would otherwise say it every few seconds.
    connect(recovery_.get(), &CaseRecovery::writeFailed, this, [this](const QString& message) {
        if (recoveryFailureReported_)
            return;
        recoveryFailureReported_ = true;
        seams_.errors->report(window_,
                              QStringLiteral("No se pudo guardar la copia de recuperación del caso, que "
                                             "protege lo no guardado ante un corte:\n%1")
                                  .arg(message));
    });
}

CaseActions::~CaseActions() = default;

QStringList CaseActions::recentCases() const
{
    return RecentCases::list(programSettings());
}

void CaseActions::remember(const QString& path)
{
    QSettings settings = programSettings();
    RecentCases::add(settings, path);
    Q_EMIT recentCasesChanged(RecentCases::list(settings));
}

bool CaseActions::save()
{
    if (case_.filePath().isEmpty())
        return saveAs();
    return saveTo(case_.filePath());
}

bool CaseActions::saveAs()
{
    const QString folder = case_.filePath().isEmpty() ? QDir::homePath() : QFileInfo(case_.filePath()).path();
    const QString suggested = QDir(folder).filePath(case_.displayName() + u'.' + CaseFile::suffix());
    QString path = seams_.files->saveFile(window_, QStringLiteral("Guardar el caso como"), suggested, filter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().compare(CaseFile::suffix(), Qt::CaseInsensitive) != 0)
        path += u'.' + CaseFile::suffix();
    return saveTo(path);
}

bool CaseActions::saveTo(const QString& path)
{
    if (bringIn_)
        bringIn_();
    const QString error = CaseFile::save(case_, path);
    if (!error.isEmpty()) {
        seams_.errors->report(window_, error);
        return false;
    }
    remember(path);
    return true;
}

void CaseActions::open()
{
    if (!maySetAside())
        return;
    const QStringList paths = seams_.files->openFiles(window_, QStringLiteral("Abrir un caso"), filter());
    if (!paths.isEmpty())
        openFile(paths.first());
}

bool CaseActions::openPath(const QString& path)
{
    return maySetAside() && openFile(path);
}

bool CaseActions::openFile(const QString& path)
{
    const QString error = CaseFile::open(case_, path);
    if (!error.isEmpty()) {
        seams_.errors->report(window_, error);
        if (!QFileInfo::exists(path)) { // gone: no longer offered
            QSettings settings = programSettings();
            RecentCases::remove(settings, path);
            Q_EMIT recentCasesChanged(RecentCases::list(settings));
        }
        return false;
    }
    remember(path);
    Q_EMIT caseReplaced();
    return true;
}

bool CaseActions::maySetAside()
{
    if (bringIn_)
        bringIn_();
    if (!case_.isModified())
        return true;
    const QString question = QStringLiteral("¿Guardar los cambios de «%1»?").arg(case_.displayName());
    switch (seams_.messages->question(window_, question, true, MessageBoxes::Answer::Yes)) {
    case MessageBoxes::Answer::Yes:
        return save();
    case MessageBoxes::Answer::No:
        return true;
    case MessageBoxes::Answer::Cancel:
        break;
    }
    return false;
}

void CaseActions::offerRecovery()
{
    const std::optional<CaseRecovery::Orphan> orphan = recovery_->orphan();
    if (!orphan)
        return;
    switch (seams_.messages->question(window_, CaseRecovery::offerText(orphan->writtenAt), false,
                                      MessageBoxes::Answer::Yes)) {
    case MessageBoxes::Answer::Yes: {
        QString error;
        if (!recovery_->recover(*orphan, &error)) {
            seams_.errors->report(window_, error);
            recovery_->discard(*orphan);
            return;
        }
        Q_EMIT caseReplaced();
        return;
    }
    case MessageBoxes::Answer::No:
        recovery_->discard(*orphan);
        return;
    case MessageBoxes::Answer::Cancel: // asked again at the next start
        return;
    }
}
