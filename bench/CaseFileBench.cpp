// The case's files: a full case saved and opened, and the part of its recovery copy made
// on the thread the adviser types on.
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include "BenchSession.h"
#include "VelmaroBench.h"
#include "core/AdviserCase.h"
#include "core/CaseFile.h"
#include "core/CaseRecovery.h"
#include "core/ResponseData.h"
#include "core/ResponseTableReader.h"
#include "ui/app/WindowSet.h"
#include "ui/cases/CaseActions.h"

namespace {

constexpr int WarmUps = 3;
constexpr int Runs = 31;

double elapsedMs(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

void VelmaroBench::caseSave(Figures& figures)
{
    measureCase(CaseStep::Save, figures.samples);
}

void VelmaroBench::caseOpen(Figures& figures)
{
    measureCase(CaseStep::Open, figures.samples);
}

void VelmaroBench::recoveryCopy(Figures& figures)
{
    measureCase(CaseStep::RecoveryCopy, figures.samples);
}

void VelmaroBench::measureCase(CaseStep step, Samples& samples)
{
    // Three scenarios plotted, then back at the main window, where "Abrir" and "Guardar"
    // are: the redraw of charts left open is the activation's and Graficar's own row.
    session_ = std::make_unique<BenchSession>();
    QVERIFY(session_->confirmThreeScenarios() && session_->plot());
    QVERIFY(session_->click("TForm3", "ToolButton7"));
    BenchSession::settle();
    AdviserCase& adviserCase = session_->windows().adviserCase();
    const QByteArray table = ResponseTableReader::exportCsv(ResponseTable::builtIn());
    const QByteArray fits = table.left(table.indexOf("\nAZAA")) + '\n'; // the first codes
    const QString sha = QString::fromLatin1(QCryptographicHash::hash(table, QCryptographicHash::Sha256).toHex());
    // The trial points of the first code's Medio curve: six rates, four plots each.
    QByteArray points = "codigo,nivel,n_disponible,rendimiento\n";
    for (int plot = 0; plot < 24; ++plot) {
        const double n = 40.0 * (plot / 4);
        points += "AGAA,Medio," + QByteArray::number(n) + ',' +
            QByteArray::number(2000 + 20 * n - 0.08 * n * n + 60 * (plot % 4) - 90) + '\n';
    }
    const ResponseData::Record given{
        {{QStringLiteral("/campo/tabla.csv"), int(table.count('\n')), QDateTime::currentDateTime(), sha}},
        {table},
        {{{QStringLiteral("/campo/ensayos.csv"), 120, QDateTime::currentDateTime(), {}}, fits, points}}};
    QString error;
    QVERIFY2(adviserCase.responseData().useRecord(given, &error), qPrintable(error));
    const ResponseData::Record own = adviserCase.responseData().record(); // the fits as the data keep them
    QVERIFY(!own.trials.constFirst().pointsCsv.isEmpty());
    adviserCase.setIdentity({QStringLiteral("García"), QStringLiteral("Lote 4"), QStringLiteral("2025/26"),
                             QStringLiteral("Ríos"), QString(2000, u'n')});
    adviserCase.setNCostFromAssistant({2, QStringLiteral("350"), QStringLiteral("761")});
    QTemporaryDir folder;
    const QString full = folder.filePath(QStringLiteral("lleno.velmaro"));
    const QString other = folder.filePath(QStringLiteral("otro.velmaro"));
    CaseActions& actions = session_->windows().caseActions();
    CaseRecovery& recovery = actions.recovery();
    // The other case: the built-in table, saved once; then the full one under its name.
    adviserCase.responseData().useBuiltIn();
    QCOMPARE(CaseFile::save(adviserCase, other), QString());
    QVERIFY2(adviserCase.responseData().useRecord(own, &error), qPrintable(error));
    QCOMPARE(CaseFile::save(adviserCase, full), QString());
    for (int i = 0; i < WarmUps + Runs; ++i) {
        // As the adviser does it: a price typed, then Ctrl+S, or "Abrir" of another case.
        adviserCase.setGrainPrice(QString::number(200 + i));
        QElapsedTimer timer;
        timer.start();
        double ms = 0;
        if (step == CaseStep::Save) {
            QVERIFY(actions.save());
            ms = elapsedMs(timer);
        } else if (step == CaseStep::RecoveryCopy) {
            recovery.writeNow();
            ms = elapsedMs(timer);
            recovery.waitForWrites();
            QVERIFY(actions.save());
        } else {
            QVERIFY(actions.save());
            QVERIFY(actions.openPath(other));
            QVERIFY(adviserCase.responseData().isBuiltIn());
            timer.restart();
            QVERIFY(actions.openPath(full));
            ms = elapsedMs(timer);
            QVERIFY(adviserCase.responseData().record() == own);
        }
        QVERIFY(!adviserCase.isModified());
        if (i >= WarmUps)
            samples.add(ms);
    }
    QVERIFY2(session_->problems().isEmpty(), qPrintable(session_->problems().join(u'\n')));
}
