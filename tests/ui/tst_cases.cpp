#include <cstdio>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>

#include "WindowSetFixture.h"
#include "core/AdviserCase.h"
#include "core/CaseRecovery.h"
#include "ui/advice/RateAdviceWindow.h"
#include "ui/cases/CaseActions.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/RadioGroup.h"

namespace {

const char* const WorkUnsaved = "--trabajo-sin-guardar";
const char* const ShowCase = "--mostrar-caso";

// Every point of both charts, the curves shown, the advice tables and the inputs, as text.
QStringList whatTheAdviserSees(WindowSetFixture& f)
{
    QStringList seen;
    for (CurveChart* chart : {&f.set->yieldChart().chart(), &f.set->economicChart().chart()})
        for (int k = 1; k <= EconomicChartWindow::CostSeries; ++k) {
            seen << QStringLiteral("%1 shown %2").arg(k).arg(chart->isSeriesShown(k));
            for (int i = 0; i < chart->pointCount(k); ++i)
                seen << QString::number(chart->pointValue(k, i), 'g', 17);
        }
    seen << f.set->rateAdvice().tablesAsText(QLatin1Char(','));
    for (const auto& [window, field] : {std::pair{"TForm20", "Edit1"},
                                        {"TForm20", "Edit2"},
                                        {"TForm20", "Edit3"},
                                        {"TForm21", "Edit1"},
                                        {"TForm32", "Edit1"},
                                        {"TForm32", "Edit14"}})
        seen << f.child<QLineEdit>(window, field)->text();
    seen << f.child<QComboBox>("TForm21", "ComboBox1")->currentText();
    return seen;
}

// "Graficar", then the economic chart and the dose advice, as the adviser opens them.
void drawEverything(WindowSetFixture& f)
{
    f.click("TForm1", "ToolButton13");
    Q_EMIT f.set->yieldChart().activated();
    f.click("TForm3", "ToolButton10");
    f.set->economicChart().onActivated();
    Q_EMIT f.set->economicChart().activated();
    f.click("TForm20", "RateAdviceButton");
}

// The child's part of the crash test: unsaved work, its copy on disk, then waiting to be killed.
int workUnsavedUntilKilled()
{
    WindowSetFixture f;
    f.click("TForm1", "CaseButton");
    QTest::keyClicks(f.child<QLineEdit>("CaseWindow", "ClientEdit"), QStringLiteral("Estancia Sin Guardar"));
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&f, &poll] {
        if (!QFile::exists(f.set->caseActions().recovery().copyPath()))
            return;
        std::puts("copia escrita");
        std::fflush(stdout);
        poll.stop();
    });
    poll.start(50);
    return QCoreApplication::exec();
}

// The child's part of the reopening test: the case opened as "velmaro caso.velmaro" opens
// it, everything drawn, and what the adviser sees written out; first whether it came clean.
int showCase(const QString& path)
{
    WindowSetFixture f({}, path);
    drawEverything(f);
    const QStringList troubles = f.errors.messages + f.messages.texts + f.messages.questions;
    const bool clean = troubles.isEmpty() && !f.set->mainWindow().isWindowModified();
    const QStringList seen =
        QStringList{clean ? QStringLiteral("limpio") : troubles.join(u' ')} + whatTheAdviserSees(f);
    std::fputs(seen.join(u'\n').toUtf8().constData(), stdout);
    return 0;
}

} // namespace

class TestCases : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void caseButtonsBesideTheSpecifiedControls();
    void identityBoundTitleMarkedAndRecent();
    void unsavedChangesAsked_data();
    void unsavedChangesAsked();
    void reopenedInAFreshSetShowsTheSame();
    void adviceFromTheMainWindowAsFromTheChart_data();
    void adviceFromTheMainWindowAsFromTheChart();
    void recoveryOfferedAfterAKill();
};

void TestCases::caseButtonsBesideTheSpecifiedControls()
{
    WindowSetFixture f;
    QWidget* main = f.window("TForm1");
    const QList<std::pair<const char*, QKeySequence>> buttons{
        {"OpenCaseButton", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"SaveCaseButton", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"SaveCaseAsButton", QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {"CaseButton", QKeySequence()}};
    QList<QWidget*> ours;
    for (const auto& [name, keys] : buttons) {
        auto* button = f.child<QToolButton>("TForm1", name);
        QVERIFY2(button && button->defaultAction(), name);
        QCOMPARE(button->defaultAction()->shortcut(), keys);
        QVERIFY(QRect(0, 0, 1024, 768).contains(button->geometry()));
        ours << button;
    }
    // No control of the window, specified or added before, lies under them.
    for (QWidget* other : main->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        for (QWidget* button : ours)
            QVERIFY2(ours.contains(other) || !other->geometry().intersects(button->geometry()),
                     qPrintable(other->objectName() + QStringLiteral(" under ") + button->objectName()));
}

void TestCases::identityBoundTitleMarkedAndRecent()
{
    QSettings(QStringLiteral("Velmaro"), QStringLiteral("velmaro")).remove(QStringLiteral("casos/recientes"));
    WindowSetFixture f;
    MainWindow& main = f.set->mainWindow();
    QCOMPARE(main.windowTitle(), QStringLiteral("Velmaro zona NEA"));
    f.click("TForm1", "CaseButton");
    QVERIFY(f.window("CaseWindow")->isVisible());
    QTest::keyClicks(f.child<QLineEdit>("CaseWindow", "ClientEdit"), QStringLiteral("Perez"));
    QTest::keyClicks(f.child<QLineEdit>("CaseWindow", "FieldEdit"), QStringLiteral("Lote 7"));
    QCOMPARE(f.set->adviserCase().identity().field, QStringLiteral("Lote 7"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Velmaro zona NEA - Perez - Lote 7[*]"));
    QVERIFY(main.isWindowModified());
    // The model's change reaches the fields.
    f.set->adviserCase().setIdentity({QStringLiteral("Perez"), QStringLiteral("Lote 7"), QStringLiteral("2025/26"),
                                      QStringLiteral("Ríos"), QStringLiteral("Antecesor maíz")});
    QCOMPARE(f.child<QLineEdit>("CaseWindow", "SeasonEdit")->text(), QStringLiteral("2025/26"));
    QCOMPARE(f.child<QPlainTextEdit>("CaseWindow", "NotesEdit")->toPlainText(), QStringLiteral("Antecesor maíz"));

    // Ctrl+S on a case never saved asks where; ".velmaro" is added to the name given.
    const QString path = f.printed.filePath(QStringLiteral("perez"));
    f.files.answers << QStringList{path};
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keySequence(&main, QKeySequence(QStringLiteral("Ctrl+S")));
    QTRY_VERIFY(QFile::exists(path + QStringLiteral(".velmaro")));
    QCOMPARE(f.files.captions, QStringList{QStringLiteral("Guardar el caso como")});
    QCOMPARE(main.windowTitle(), QStringLiteral("Velmaro zona NEA - perez[*]"));
    QVERIFY(!main.isWindowModified());
    const QList<QAction*> recent = f.child<QToolButton>("TForm1", "OpenCaseButton")->menu()->actions();
    QCOMPARE(recent.size(), 1);
    QCOMPARE(recent[0]->text(), QStringLiteral("perez.velmaro"));
    QVERIFY2(f.errors.messages.isEmpty() && f.messages.questions.isEmpty(), qPrintable(f.errors.messages.join(u'\n')));
}

void TestCases::unsavedChangesAsked_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<MessageBoxes::Answer>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("goesOn");
    using A = MessageBoxes::Answer;
    QTest::newRow("close, Sí") << "close" << A::Yes << true << true;
    QTest::newRow("close, No") << "close" << A::No << false << true;
    QTest::newRow("close, Cancelar") << "close" << A::Cancel << false << false;
    QTest::newRow("open, Sí") << "open" << A::Yes << true << true;
    QTest::newRow("open, Cancelar") << "open" << A::Cancel << false << false;
}

void TestCases::unsavedChangesAsked()
{
    QFETCH(QString, action);
    QFETCH(MessageBoxes::Answer, answer);
    QFETCH(bool, saved);
    QFETCH(bool, goesOn);
    WindowSetFixture f;
    f.click("TForm1", "CaseButton");
    QTest::keyClicks(f.child<QLineEdit>("CaseWindow", "ClientEdit"), QStringLiteral("Gomez"));
    f.messages.answers << answer;
    const QString path = f.printed.filePath(QStringLiteral("gomez.velmaro"));
    f.files.answers << QStringList{path};
    QSignalSpy quit(f.set.get(), &WindowSet::quitRequested);
    if (action == u"close")
        f.set->mainWindow().close();
    else
        f.click("TForm1", "OpenCaseButton");
    QCOMPARE(f.messages.questions, QStringList{QStringLiteral("¿Guardar los cambios de «Gomez»?")});
    QCOMPARE(QFile::exists(path), saved);
    QCOMPARE(quit.count(), action == u"close" && goesOn ? 1 : 0);
    QCOMPARE(f.files.captions.contains(QStringLiteral("Abrir un caso")), action == u"open" && goesOn);
    QCOMPARE(f.set->adviserCase().identity().client, QStringLiteral("Gomez"));
}

void TestCases::reopenedInAFreshSetShowsTheSame()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("lote.velmaro"));
    QStringList before;
    {
        WindowSetFixture f;
        for (int slot = 0; slot < 3; ++slot) { // three sites
            f.click("TForm1", std::array{"ToolButton1", "ToolButton3", "ToolButton5"}[slot]);
            f.child<RadioGroup>("TForm2", "RadioGroup1")->button(slot * 2)->click();
            f.click("TForm2", "BitBtn1");
        }
        // Scenario 1's Medio curve fitted from trials: the advice shows its optimum's interval.
        f.files.answers << QStringList{QStringLiteral(VELMARO_SOURCE_DIR "/tests/data/trials/replicada.csv")};
        f.click("ResponseDataWindow", "FitTrialsButton");
        f.click("ResponseDataWindow", "AcceptFitButton");
        drawEverything(f);
        f.child<QCheckBox>("TForm4", "CheckBox7")->click(); // scenario 3's 80 % curve too
        auto* grain = f.child<QLineEdit>("TForm20", "Edit1");
        grain->setText(QStringLiteral("231.5"));
        QTest::keyClick(grain, Qt::Key_Return);
        f.child<QComboBox>("TForm21", "ComboBox1")->setCurrentIndex(2);
        f.child<QLineEdit>("TForm21", "Edit1")->setText(QStringLiteral("350"));
        f.click("TForm21", "Button1");
        f.click("TForm21", "Button2");
        f.child<QLineEdit>("TForm32", "Edit1")->setText(QStringLiteral("44"));
        for (const char* step : {"Button1", "Button2", "Button3", "Button4"})
            f.click("TForm32", step);
        f.set->economicChart().onActivated();
        before = whatTheAdviserSees(f);
        QVERIFY(before.join(u'\n').contains(QStringLiteral(" – ")));
        f.files.answers << QStringList{path};
        f.click("TForm1", "SaveCaseButton");
        QVERIFY2(f.errors.messages.isEmpty(), qPrintable(f.errors.messages.join(u'\n')));
        QVERIFY(f.set->adviserCase().costSource() && f.set->adviserCase().soilSample());
    }
    // Another run, as "velmaro lote.velmaro" starts: nothing unsaved, the same on every
    // chart and table.
    QProcess run;
    run.start(QCoreApplication::applicationFilePath(), {QLatin1String(ShowCase), path});
    QVERIFY(run.waitForFinished(120000));
    const QStringList after = QString::fromUtf8(run.readAllStandardOutput()).split(u'\n');
    const QStringList expected = (QStringList{QStringLiteral("limpio")} + before).join(u'\n').split(u'\n');
    QCOMPARE(after.size(), expected.size());
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(after[i], expected[i]);
}

void TestCases::adviceFromTheMainWindowAsFromTheChart_data()
{
    QTest::addColumn<QStringList>("inputs"); // grain price, N cost, reference N
    QTest::newRow("first values") << QStringList{QStringLiteral("115"), QStringLiteral("600"), QStringLiteral("40")};
    QTest::newRow("typed prices") << QStringList{QStringLiteral("231.5"), QStringLiteral("761"), QStringLiteral("63")};
    QTest::newRow("reference below the lowest")
        << QStringList{QStringLiteral("180"), QStringLiteral("1200"), QStringLiteral("12")};
}

void TestCases::adviceFromTheMainWindowAsFromTheChart()
{
    QFETCH(QStringList, inputs);
    WindowSetFixture f;
    for (const char* slot : {"ToolButton1", "ToolButton5"}) {
        f.click("TForm1", slot);
        f.click("TForm2", "BitBtn1");
    }
    AdviserCase& adviserCase = f.set->adviserCase();
    adviserCase.setGrainPrice(inputs[0]);
    adviserCase.setNCost(inputs[1]);
    adviserCase.setReferenceN(inputs[2]);
    // "Dosis" on a fresh start: no chart has ever been shown.
    f.click("TForm1", "AdviceButton");
    QVERIFY(f.set->rateAdvice().isVisible());
    QVERIFY(!f.set->economicChart().isVisible() && !f.set->yieldChart().isVisible());
    const QStringList fromCase = f.set->rateAdvice().tablesAsText(u',');
    QVERIFY(f.child<QTableWidget>("RateAdviceWindow", "OptimumTable")->rowCount() > 0);
    QVERIFY(f.child<QLabel>("RateAdviceWindow", "AdviceStatusLabel")->text().startsWith(u"Precio neto del grano "));
    // "Informe", still without a chart shown, draws both charts' curves for the report.
    f.click("TForm1", "ReportButton");
    for (CurveChart* chart : {&f.set->yieldChart().chart(), &f.set->economicChart().chart()})
        QVERIFY(chart->isSeriesShown(1) && chart->isSeriesShown(3) && chart->pointCount(3) > 0);
    // The chart, shown and drawn from the same case, gives the same advice to the character.
    drawEverything(f);
    QCOMPARE(f.child<QLineEdit>("TForm20", "Edit1")->text(), inputs[0]);
    QCOMPARE(f.set->rateAdvice().tablesAsText(u','), fromCase);
}

void TestCases::recoveryOfferedAfterAKill()
{
    // A run of this test program with unsaved work, killed once its recovery copy is written.
    QTemporaryDir state;
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
    run.setProcessEnvironment(env);
    run.start(QCoreApplication::applicationFilePath(), {QLatin1String(WorkUnsaved)});
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += run.readAllStandardOutput()).contains("copia escrita"), 30000);
    const QString killedRun = QStringLiteral("-%1.").arg(run.processId());
    run.kill();
    QVERIFY(run.waitForFinished());

    const QByteArray ownState = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    const auto restore = qScopeGuard([&ownState] { qputenv("XDG_STATE_HOME", ownState); });
    WindowSetFixture f({MessageBoxes::Answer::Yes});
    QCOMPARE(f.messages.questions.size(), 1);
    const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    QVERIFY2(f.messages.questions[0].startsWith(QStringLiteral("¿Recuperar el trabajo sin guardar del ") + today +
                                                QStringLiteral(" a las ")),
             qPrintable(f.messages.questions[0]));
    QCOMPARE(f.child<QLineEdit>("CaseWindow", "ClientEdit")->text(), QStringLiteral("Estancia Sin Guardar"));
    QVERIFY(f.set->mainWindow().isWindowModified());
    // The killed run's copy and lock are gone: the work lives on in this run's copy.
    f.set->caseActions().recovery().waitForWrites();
    const QStringList left = QDir(state.filePath(QStringLiteral("velmaro"))).entryList(QDir::Files);
    QVERIFY2(left.filter(killedRun).isEmpty() && left.size() == 2, qPrintable(left.join(u' ')));
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (application.arguments().contains(QLatin1String(WorkUnsaved)))
        return workUnsavedUntilKilled();
    if (const qsizetype at = application.arguments().indexOf(QLatin1String(ShowCase)); at > 0)
        return showCase(application.arguments().value(at + 1));
    TestCases test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_cases.moc"
