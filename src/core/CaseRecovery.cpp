#include "CaseRecovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/AdviserCase.h"
#include "core/CaseFile.h"

namespace {

const QString Prefix = QStringLiteral("recuperacion-");

QString lockPathOf(const QString& copyPath)
{
    return copyPath.chopped(CaseFile::suffix().size()) + QStringLiteral("lock");
}

} // namespace

CaseRecovery::CaseRecovery(AdviserCase& adviserCase, const QString& folder, QObject* parent)
    : QObject(parent),
      case_(adviserCase),
      folder_(folder)
{
    const QString base = Prefix + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + u'-' +
        QString::number(QCoreApplication::applicationPid());
    copyPath_ = QDir(folder_).filePath(base + u'.' + CaseFile::suffix());
    writer_.setMaxThreadCount(1);
    if (QDir().mkpath(folder_)) {
        lock_ = std::make_unique<QLockFile>(lockPathOf(copyPath_));
        // Taken on the writer's thread, ahead of every copy it writes: the lock waits for
        // the disk to hold it, which the start need not wait for.
        writer_.start([lock = lock_.get()] { lock->tryLock(0); });
    }
    delay_.setSingleShot(true);
    delay_.setInterval(DelayMs);
    connect(&delay_, &QTimer::timeout, this, [this] {
        if (case_.isModified())
            writeNow();
    });
    connect(&case_, &AdviserCase::changed, this, &CaseRecovery::caseChanged);
    connect(&case_, &AdviserCase::modifiedChanged, this, [this](bool modified) {
        if (!modified) {
            delay_.stop();
            removeCopy();
        }
    });
}

CaseRecovery::~CaseRecovery()
{
    delay_.stop();
    removeCopy();
    writer_.waitForDone();
}

QString CaseRecovery::defaultFolder()
{
    // Relative paths in the variable are to be ignored, as the base directory rules say.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/velmaro");
}

void CaseRecovery::caseChanged()
{
    // Not pushed back by later changes: steady typing still has a copy every few seconds.
    if (case_.isModified() && !delay_.isActive())
        delay_.start();
}

void CaseRecovery::writeNow()
{
    delay_.stop();
    const QByteArray bytes = CaseFile::toJson(case_.content(), case_.filePath());
    writer_.start([this, path = copyPath_, bytes] {
        const QString error = CaseFile::write(path, bytes);
        if (!error.isEmpty())
            QMetaObject::invokeMethod(
                this, [this, error] { Q_EMIT writeFailed(error); }, Qt::QueuedConnection);
    });
}

void CaseRecovery::waitForWrites()
{
    writer_.waitForDone();
}

void CaseRecovery::removeCopy()
{
    writer_.start([path = copyPath_] { QFile::remove(path); });
}

std::optional<CaseRecovery::Orphan> CaseRecovery::orphan()
{
    const QDir folder(folder_);
    // The locks of runs that ended without a clean exit go first; only their process
    // counts, however long a run has been going.
    const QString ownLock = QFileInfo(lockPathOf(copyPath_)).fileName();
    for (const QString& name : folder.entryList({Prefix + QStringLiteral("*.lock")}, QDir::Files)) {
        if (name == ownLock)
            continue;
        QLockFile lock(folder.filePath(name));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            lock.unlock();
    }
    // A copy whose lock is still there belongs to a program running now.
    std::optional<Orphan> newest;
    const QFileInfoList copies =
        folder.entryInfoList({Prefix + QStringLiteral("*.") + CaseFile::suffix()}, QDir::Files, QDir::Name);
    for (const QFileInfo& copy : copies) {
        if (copy.fileName() == QFileInfo(copyPath_).fileName() || QFile::exists(lockPathOf(copy.absoluteFilePath())))
            continue;
        if (!newest || copy.lastModified() > newest->writtenAt)
            newest = Orphan{copy.absoluteFilePath(), copy.lastModified()};
    }
    return newest;
}

QString CaseRecovery::offerText(const QDateTime& writtenAt)
{
    return QStringLiteral("¿Recuperar el trabajo sin guardar del %1 a las %2?")
        .arg(writtenAt.toString(QStringLiteral("dd/MM/yyyy")), writtenAt.toString(QStringLiteral("HH:mm")));
}

bool CaseRecovery::recover(const Orphan& orphan, QString* error)
{
    const CaseFile::Reading reading = CaseFile::read(orphan.path);
    if (!reading.ok || !case_.apply(reading.content, error)) {
        if (!reading.ok)
            *error = reading.error;
        return false;
    }
    case_.markRecovered(reading.casePath.value_or(QString()));
    writeNow();
    discard(orphan);
    return true;
}

void CaseRecovery::discard(const Orphan& orphan)
{
    writer_.start([path = orphan.path] { QFile::remove(path); });
}
