#include <csignal>

#include <sys/resource.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>

#include "WindowSetFixture.h"
#include "core/DataFileText.h"
#include "core/ResponseData.h"
#include "core/ScenarioSlots.h"
#include "support/PdfText.h"
#include "ui/advice/RateAdviceWindow.h"
#include "ui/charting/CurveChart.h"
#include "ui/data/FitChart.h"
#include "ui/data/ResponseDataWindow.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/printing/HelpPrintWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray OwnTable = "codigo,nivel,a,b,c\nAGAA,20,2000.04,25.1236,-0.08236\n"
                            "AGAA,Medio,2100,26,-0.09\nAGAA,80,2200,27,-0.1\n";

// AGAA Medio: yield = 1500 + 30 N - 0.1 N² at 0, 50, 100, 150, 200 kg N/ha, two plots
// per rate 60 kg/ha above and below the curve; AGAA 80 % at two rates only.
QByteArray trialFile()
{
    QByteArray out = "codigo,nivel,n_disponible,rendimiento\n";
    for (int n : {0, 50, 100, 150, 200})
        for (int d : {60, -60})
            out += QStringLiteral("AGAA,Medio,%1,%2\n").arg(n).arg(1500 + 30 * n - 0.1 * n * n + d).toUtf8();
    out += "AGAA,80,40,2500\nAGAA,80,160,3100\n";
    return out;
}

const QByteArray OtherTable =
    "codigo,nivel,a,b,c\nAGAA,20,1900,20,-0.07\nAGAA,Medio,2000,22,-0.08\nAGAA,80,2100,24,-0.09\n";

enum Write { ChartPdf, HelpPdf, ReportPdf, TableCsv, AdviceCsv, Settings };

QStringList nine(const SlotRecord& r)
{
    QStringList out;
    for (const CoefficientTexts& t : r.coefficients)
        out << t.a << t.b << t.c;
    return out;
}

} // namespace

class TestResponseDataWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { f_.reset(); }
    void reachedFromTheMainWindowWithoutMovingIt();
    void loadedTableReachesLookupsChartsAndPrint();
    void brokenFileChangesNothing_data();
    void brokenFileChangesNothing();
    void fitsAreReviewedThenUsedAndKeptForTheNextStart();
    void optimaOfBothModelsReachTheAdvice();
    void aTableChosenEarlierIsCheckedAtStart_data();
    void aTableChosenEarlierIsCheckedAtStart();
    void exportedTableLoadsBack();
    void exportsFollowTheChosenFormat();
    void levelsAreAskedWhenTheNamesDoNotSay();
    void helpAndCodesExplainTheFormat();
    void aChangeOfTableReachesTheAdviceAndAsksWhatGoes_data();
    void aChangeOfTableReachesTheAdviceAndAsksWhatGoes();
    void aFailedWriteIsSaidAndLeavesTheFile_data();
    void aFailedWriteIsSaidAndLeavesTheFile();

private:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    void click(const char* name) { f_->click("ResponseDataWindow", name); }
    QString text(const char* window, const char* label) const { return f_->child<QLabel>(window, label)->text(); }
    QStringList plotSlot1()
    {
        f_->click("TForm1", "ToolButton1");
        f_->click("TForm2", "BitBtn1"); // the first choices: AGAA
        f_->click("TForm1", "ToolButton13");
        return nine(f_->set->scenarioSlots().slot(1));
    }
    void restart(const QList<MessageBoxes::Answer>& answers = {})
    {
        f_.reset();
        f_ = std::make_unique<WindowSetFixture>(answers);
    }
    // The dose advice's optimum table; drawn again from "Graficar" on unless `asShown`.
    QStringList advice(bool asShown = false)
    {
        if (!asShown) {
            plotSlot1();
            f_->set->economicChart().onActivated();
            f_->click("TForm20", "RateAdviceButton");
        }
        auto* t = f_->child<QTableWidget>("RateAdviceWindow", "OptimumTable");
        QStringList cells;
        for (int i = 0; i < t->rowCount() * t->columnCount(); ++i)
            cells << t->item(i / t->columnCount(), i % t->columnCount())->text();
        return cells;
    }

    QTemporaryDir settings_;
    QTemporaryDir dir_;
    std::unique_ptr<WindowSetFixture> f_;
};

void TestResponseDataWindow::initTestCase()
{
    // Settings of this test only, in a folder that disappears with it.
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
}

void TestResponseDataWindow::init()
{
    QSettings(QStringLiteral("Velmaro"), QStringLiteral("velmaro")).clear();
    f_ = std::make_unique<WindowSetFixture>();
}

void TestResponseDataWindow::reachedFromTheMainWindowWithoutMovingIt()
{
    auto* button = f_->child<QToolButton>("TForm1", "ResponseDataButton");
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Datos"));
    // It overlaps no control of the main window.
    const QRect place(button->mapTo(f_->window("TForm1"), QPoint()), button->size());
    for (QWidget* w : f_->window("TForm1")->findChildren<QWidget*>()) {
        if (w == button || !w->isVisible() || w->objectName().isEmpty() || w->objectName() == u"ToolBar1" ||
            w->objectName() == u"Panel1")
            continue;
        QVERIFY2(!QRect(w->mapTo(f_->window("TForm1"), QPoint()), w->size()).intersects(place),
                 qPrintable(w->objectName()));
    }
    button->click();
    QWidget* window = f_->window("ResponseDataWindow");
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Datos de respuesta"));
    QVERIFY(
        text("ResponseDataWindow", "DataSourceLabel").startsWith(u"Tabla incorporada (ilustrativa, no calibrada)\n"));
    QCOMPARE(text("TForm3", "DataSourceLabel"), QStringLiteral("datos: incorporados"));
    QCOMPARE(text("TForm20", "DataSourceLabel"), QStringLiteral("datos: incorporados"));
}

void TestResponseDataWindow::loadedTableReachesLookupsChartsAndPrint()
{
    const QStringList builtIn = plotSlot1();
    QCOMPARE(builtIn.first(), QStringLiteral("1885.9"));
    const QString path = write(QStringLiteral("propia.csv"), OwnTable);
    f_->files.answers << QStringList{path};
    click("LoadTableButton");
    QVERIFY(f_->errors.messages.isEmpty());

    const QString source = text("ResponseDataWindow", "DataSourceLabel");
    const QString sha = QString::fromLatin1(QCryptographicHash::hash(OwnTable, QCryptographicHash::Sha256).toHex());
    QVERIFY2(source.startsWith(path + QStringLiteral("\n4 líneas, cargado el ")), qPrintable(source));
    QVERIFY2(source.contains(QStringLiteral("SHA-256 ") + sha), qPrintable(source));
    QVERIFY2(source.endsWith(QStringLiteral("1 códigos de los archivos, 383 de la tabla incorporada")),
             qPrintable(source));
    for (const char* chart : {"TForm3", "TForm20"})
        QCOMPARE(text(chart, "DataSourceLabel"), QStringLiteral("datos: propia.csv"));

    // The drawn slot takes the table's own texts at once.
    const QStringList own{"2000.04", "25.1236", "-0.08236", "2100.0", "26.000 ",
                          "-0.0900", "2200.0",  "27.000 ",  "-0.1000"};
    QCOMPARE(nine(f_->set->scenarioSlots().slot(1)), own);
    QCOMPARE(plotSlot1(), own);

    // The printed chart says which data it rests on.
    Q_EMIT f_->set->yieldChart().activated();
    QWidget* print = f_->window("TForm12");
    print->show();
    print->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(f_->printer.files.size(), 1);
    const QString printed = pdfText(f_->printer.files.first());
    QVERIFY2(printed.contains(QStringLiteral("datos: propia.csv")), qPrintable(printed.left(300)));
    QVERIFY2(printed.contains(QStringLiteral("Rendimiento de trigo")), qPrintable(printed.left(300)));
    // ... and so does its picture, which is not the same without the note.
    CurveChart& chart = f_->set->yieldChart().chart();
    const QImage withNote = chart.renderPixmap().toImage();
    chart.setSourceNote(QString());
    QVERIFY(chart.renderPixmap().toImage() != withNote);
}

void TestResponseDataWindow::brokenFileChangesNothing_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");
    QTest::newRow("bad value on the last line")
        << QStringList{"rota.csv"}
        << OwnTable + "BGAA,20,2000,25,-0.08\nBGAA,Medio,2100,26,-0.09\nBGAA,80,2200,27,2,5\n"
        << "rota.csv, línea 7, columna 6: la línea tiene 6 columnas separadas por ',' y el encabezado 5 (¿coma "
           "decimal? en un archivo separado por comas el decimal es el punto; guarde el archivo como CSV separado "
           "por ';')";
    QTest::newRow("a thousands point") << QStringList{"miles.csv"}
                                       << QByteArray("codigo;nivel;a;b;c\nAGAA;20;2.000;25;-0,08\n")
                                       << "miles.csv, línea 2, columna 3 (a): '2.000' puede ser un número con "
                                          "separador de miles o con tres decimales";
    QTest::newRow("three files, one missing")
        << QStringList{"t_20.txt", "t_medio.txt", "t_80_no_existe.txt"} << QByteArray("AGAA 1885.9 15.770  -0.0529\n")
        << "t_80_no_existe.txt: no se pudo abrir el archivo";
}

void TestResponseDataWindow::brokenFileChangesNothing()
{
    QFETCH(QStringList, names);
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    // A table in use first, so that "nothing changes" is not merely "still the built-in one".
    f_->files.answers << QStringList{write(QStringLiteral("propia.csv"), OwnTable)};
    click("LoadTableButton");
    const QString source = text("ResponseDataWindow", "DataSourceLabel");
    const QStringList before = plotSlot1();

    QStringList paths;
    for (const QString& name : names)
        paths << (name.contains(u"no_existe") ? dir_.filePath(name) : write(name, content));
    f_->files.answers << paths;
    click("LoadTableButton");
    QCOMPARE(f_->errors.messages.size(), 1);
    QVERIFY2(f_->errors.messages.first().contains(u'\n' + error), qPrintable(f_->errors.messages.first()));
    QVERIFY(text("ResponseDataWindow", "StatusLabel").endsWith(QStringLiteral("La tabla en uso no cambió.")));
    QCOMPARE(text("ResponseDataWindow", "DataSourceLabel"), source);
    QCOMPARE(text("TForm3", "DataSourceLabel"), QStringLiteral("datos: propia.csv"));
    QCOMPARE(plotSlot1(), before);
}

void TestResponseDataWindow::fitsAreReviewedThenUsedAndKeptForTheNextStart()
{
    const QString trials = write(QStringLiteral("ensayos.csv"), trialFile());
    auto* table = f_->child<QTableWidget>("ResponseDataWindow", "FitTable");
    const QStringList builtIn = plotSlot1();

    // Shown, then discarded: nothing changes.
    f_->files.answers << QStringList{trials};
    click("FitTrialsButton");
    QCOMPARE(table->rowCount(), 2);
    QStringList medio, eighty;
    for (int column = 0; column < table->columnCount(); ++column) {
        medio << table->item(0, column)->text();
        eighty << table->item(1, column)->text();
    }
    // Residuals are ±60 on 10 plots: s = 60·√(10/7).
    using W = ResponseDataWindow;
    QStringList fit;
    for (int column : {W::CodeColumn, W::LevelColumn, W::PointsColumn, W::RatesColumn, W::AColumn, W::BColumn,
                       W::CColumn, W::ResidualErrorColumn, W::RangeColumn, W::WarningColumn})
        fit << medio[column];
    QCOMPARE(fit, (QStringList{"AGAA", "Medio", "10", "5", "1500.0", "30.000", "-0.1000", "71.7", "0 a 200", ""}));
    const double rSquared = medio[W::RSquaredColumn].toDouble();
    QVERIFY(rSquared > 0.9 && rSquared < 1.0);
    QCOMPARE(eighty.last(), QStringLiteral("menos de 3 dosis distintas: no se ajusta"));
    click("DiscardFitButton");
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(plotSlot1(), builtIn);
    QCOMPARE(text("TForm3", "DataSourceLabel"), QStringLiteral("datos: incorporados"));

    // Shown again and used: the Medio line only.
    f_->files.answers << QStringList{trials};
    click("FitTrialsButton");
    click("AcceptFitButton");
    QStringList fitted = builtIn;
    fitted[3] = QStringLiteral("1500.0");
    fitted[4] = QStringLiteral("30.000 ");
    fitted[5] = QStringLiteral("-0.1000");
    QCOMPARE(plotSlot1(), fitted);
    QCOMPARE(text("TForm20", "DataSourceLabel"), QStringLiteral("datos: ensayos.csv"));

    // The next session starts with them, without a word.
    restart();
    QCOMPARE(plotSlot1(), fitted);
    QCOMPARE(text("TForm3", "DataSourceLabel"), QStringLiteral("datos: ensayos.csv"));
    QVERIFY(f_->errors.messages.isEmpty());

    click("BuiltInTableButton");
    QCOMPARE(plotSlot1(), builtIn);
    restart();
    QCOMPARE(plotSlot1(), builtIn);
}

void TestResponseDataWindow::optimaOfBothModelsReachTheAdvice()
{
    using W = ResponseDataWindow;
    f_->files.answers << QStringList{QStringLiteral(VELMARO_SOURCE_DIR "/tests/data/trials/replicada.csv")};
    click("FitTrialsButton");
    auto* table = f_->child<QTableWidget>("ResponseDataWindow", "FitTable");
    QStringList cells;
    for (int column :
         {W::QuadraticOptimumColumn, W::QuadraticDoseColumn, W::QuadraticIntervalColumn, W::PlateauOptimumColumn,
          W::PlateauDoseColumn, W::PlateauIntervalColumn, W::PlateauStartColumn, W::ModelColumn})
        cells << table->item(0, column)->text();
    // tst_trialstatistics' values at the economic chart's opening prices, rounded; doses
    // over its opening reference of 40 kg/ha; the plateau has the lower AICc.
    QCOMPARE(cells, (QStringList{"112", "72", "106 – 119", "90", "50", "79 – 100", "108.8", "Cuadrática-meseta"}));

    f_->child<QComboBox>("ResponseDataWindow", "ConfidenceLevelChooser")->setCurrentIndex(2);
    QCOMPARE(table->horizontalHeaderItem(W::PlateauIntervalColumn)->text(), QStringLiteral("Intervalo 95 %\nmeseta"));
    QCOMPARE(table->item(0, W::PlateauIntervalColumn)->text(), QStringLiteral("77 – 103"));
    auto* chart = f_->child<FitChart>("ResponseDataWindow", "FitChart");
    QCOMPARE(chart->series(FitChart::Plots)->data()->size(), 24);
    QVERIFY(chart->band()->visible());
    QCOMPARE(qRound(chart->band()->topLeft->coords().x()), 77);
    QCOMPARE(qRound(chart->band()->bottomRight->coords().x()), 103);
    QCOMPARE(chart->optimumNote(), QStringLiteral("N* cuadrática-meseta: 90 kg/ha · intervalo 95 %: 77 – 103"));

    // Used, the fits stay on show; the slot's Medio curve carries its plateau, and the
    // advice its interval beside N*.
    click("AcceptFitButton");
    QCOMPARE(table->rowCount(), 1);
    f_->openEconomicChart();
    QCOMPARE(f_->set->scenarioSlots().slot(1).at(Level::Medio).plateau, QStringLiteral(" 108.8"));
    const auto adviceTable = [this] {
        f_->set->rateAdvice().show();
        f_->set->rateAdvice().refresh();
        return f_->set->rateAdvice().findChild<QTableWidget*>(QStringLiteral("OptimumTable"));
    };
    QCOMPARE(adviceTable()->horizontalHeaderItem(2)->text(), QStringLiteral("Intervalo 95 %\n(kg/ha)"));
    QCOMPARE(adviceTable()->item(0, 2)->text(), QStringLiteral("77 – 103"));
    // The next session still knows which curves come from fits, and the confidence.
    restart();
    f_->openEconomicChart();
    QCOMPARE(adviceTable()->item(0, 2)->text(), QStringLiteral("77 – 103"));

    // Back to the built-in table only once the adviser agrees.
    f_->messages.answers << MessageBoxes::Answer::No;
    click("BuiltInTableButton");
    QCOMPARE(f_->messages.questions.size(), 1);
    QCOMPARE(text("TForm3", "DataSourceLabel"), QStringLiteral("datos: replicada.csv"));
    f_->messages.answers << MessageBoxes::Answer::Yes;
    click("BuiltInTableButton");
    QCOMPARE(text("TForm3", "DataSourceLabel"), QStringLiteral("datos: incorporados"));
    QCOMPARE(adviceTable()->columnCount(), 9);
}

void TestResponseDataWindow::aTableChosenEarlierIsCheckedAtStart_data()
{
    QTest::addColumn<QByteArray>("content"); // the file at the next start; empty: gone
    QTest::addColumn<bool>("answer");        // to "use its content as it is now?"
    QTest::addColumn<QString>("said");       // the question's or the message's start; empty: nothing
    QTest::addColumn<QString>("a");          // slot 1's first coefficient at that start
    QTest::addColumn<bool>("askedAgain");    // at the start after, the file as first chosen
    const QByteArray changed = QByteArray(OwnTable).replace("2000.04", "2100");
    QTest::newRow("unchanged") << OwnTable << true << QString() << "2000.04" << false;
    const QString asked = "propia.csv\n\n¿Usar su contenido actual?";
    QTest::newRow("changed, used") << changed << true << asked << "2100.0" << true;
    QTest::newRow("changed, not used") << changed << false << asked << "1885.9" << false;
    QTest::newRow("gone") << QByteArray() << true << "propia.csv: no se pudo abrir"
                          << "1885.9" << false;
    QTest::newRow("turned invalid") << QByteArray("codigo,nivel,a,b,c\nAGAA,20,x,1,1\n") << true
                                    << "propia.csv, línea 2, columna 3 (a): 'x' no es un número"
                                    << "1885.9" << false;
}

void TestResponseDataWindow::aTableChosenEarlierIsCheckedAtStart()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, answer);
    QFETCH(QString, said);
    QFETCH(QString, a);
    QFETCH(bool, askedAgain);
    const QString path = write(QStringLiteral("propia.csv"), OwnTable);
    f_->files.answers << QStringList{path};
    click("LoadTableButton");
    if (content.isEmpty())
        QFile::remove(path);
    else
        write(QStringLiteral("propia.csv"), content);
    restart({answer ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No});
    const QStringList told = f_->messages.questions + f_->errors.messages;
    QCOMPARE(told.size(), int(!said.isEmpty()));
    QVERIFY(said.isEmpty() || told.first().contains(said));
    QCOMPARE(plotSlot1().first(), a);
    // Not in use, the choice is kept and shown as such; the next start tries it again.
    const bool inUse = a != u"1885.9";
    QCOMPARE(text("TForm3", "DataSourceLabel"), inUse ? QStringLiteral("datos: propia.csv") : "datos: incorporados");
    QCOMPARE(text("ResponseDataWindow", "DataSourceLabel").contains(QStringLiteral("sin usar en esta sesión")), !inUse);
    write(QStringLiteral("propia.csv"), OwnTable);
    restart();
    QCOMPARE(f_->messages.questions.size() + f_->errors.messages.size(), int(askedAgain));
    QCOMPARE(plotSlot1().first(), QStringLiteral("2000.04"));
}

void TestResponseDataWindow::exportedTableLoadsBack()
{
    f_->files.answers << QStringList{write(QStringLiteral("propia.csv"), OwnTable)};
    click("LoadTableButton");
    const QStringList inUse = f_->set->responseData().table().lines(Level::P80);
    const QString exported = dir_.filePath(QStringLiteral("exportada.csv"));
    f_->files.answers << QStringList{exported};
    click("ExportTableButton");
    click("BuiltInTableButton");
    f_->files.answers << QStringList{exported};
    click("LoadTableButton");
    QVERIFY(f_->errors.messages.isEmpty());
    QCOMPARE(f_->set->responseData().table().lines(Level::P80), inUse);
    QCOMPARE(f_->set->responseData().codesFromFiles(), ResponseTable::LineCount);
    QCOMPARE(f_->files.captions.size(), 3);
}

void TestResponseDataWindow::aChangeOfTableReachesTheAdviceAndAsksWhatGoes_data()
{
    QTest::addColumn<bool>("fits"); // accepted fits in use first, else an own table
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("lost");  // a line of the question (%1 the folder); empty: nothing asked
    QTest::addColumn<QString>("label"); // on the charts afterwards
    const QString table = "· la tabla %1/propia.csv", fits = "· los ajustes aceptados de ensayos.csv: AGAA Medio";
    QTest::newRow("own table, back, no") << false << "BuiltInTableButton" << false << table << "datos: propia.csv";
    QTest::newRow("own table, back, yes") << false << "BuiltInTableButton" << true << table << "datos: incorporados";
    QTest::newRow("own table, another") << false << "LoadTableButton" << true << QString() << "datos: otra.csv";
    QTest::newRow("fits, a table, no") << true << "LoadTableButton" << false << fits << "datos: ensayos.csv";
    QTest::newRow("fits, a table, yes") << true << "LoadTableButton" << true << fits << "datos: otra.csv";
    QTest::newRow("fits, back, yes") << true << "BuiltInTableButton" << true << fits << "datos: incorporados";
}

void TestResponseDataWindow::aChangeOfTableReachesTheAdviceAndAsksWhatGoes()
{
    QFETCH(bool, fits);
    QFETCH(QString, button);
    QFETCH(bool, answer);
    QFETCH(QString, lost);
    QFETCH(QString, label);
    const QStringList builtIn = advice();
    f_->files.answers << QStringList{fits ? write(QStringLiteral("ensayos.csv"), trialFile())
                                          : write(QStringLiteral("propia.csv"), OwnTable)};
    click(fits ? "FitTrialsButton" : "LoadTableButton");
    if (fits)
        click("AcceptFitButton");
    const QStringList before = advice(true);
    QVERIFY(before != builtIn); // the open advice followed at once
    const QString labelBefore = text("TForm3", "DataSourceLabel");
    f_->messages.answers << (answer ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
    f_->files.answers << QStringList{write(QStringLiteral("otra.csv"), OtherTable)};
    click(qPrintable(button));
    QCOMPARE(f_->messages.questions.size(), int(!lost.isEmpty()));
    QVERIFY(lost.isEmpty() ||
            f_->messages.questions.first().contains(u'\n' + lost.replace(u"%1"_s, dir_.path()) + u'\n'));
    QCOMPARE(text("TForm3", "DataSourceLabel"), label);
    const QStringList shown = advice(true);
    QCOMPARE(shown != before, label != labelBefore);
    QCOMPARE(advice(), shown); // what a new "Graficar" computes
}

void TestResponseDataWindow::aFailedWriteIsSaidAndLeavesTheFile_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("room"); // the bytes a file may hold
    const char* names[] = {"chart PDF", "help PDF", "report PDF", "table CSV", "advice CSV"};
    for (int kind = ChartPdf; kind <= AdviceCsv; ++kind)
        for (int room : {0, 100})
            QTest::addRow("%s, %d bytes", names[kind], room) << kind << room;
    QTest::newRow("settings") << int(Settings) << 0;
}

void TestResponseDataWindow::aFailedWriteIsSaidAndLeavesTheFile()
{
    QFETCH(int, kind);
    QFETCH(int, room);
    advice(); // everything the writes need, before the disk fills
    QDir::setCurrent(dir_.path());
    write(u"velmaro.rtf"_s, "{\\rtf1 Ayuda.\\par}");
    auto* help = static_cast<HelpPrintWindow*>(f_->window("TForm37"));
    help->onActivated();
    f_->window("TForm12")->show();
    const QString earlier = write(u"anterior"_s, "contenido anterior");
    const QString target = kind == Settings ? QSettings(u"Velmaro"_s, u"velmaro"_s).fileName()
        : kind <= HelpPdf                   ? f_->printed.filePath(u"job1.pdf"_s)
                                            : dir_.filePath(u"salida"_s);
    if (kind != Settings)
        QFile::remove(target), QFile::copy(earlier, target);
    const QByteArray before = DataFileText::read(target).bytes;
    f_->files.answers << QStringList{kind == Settings ? write(u"propia.csv"_s, OwnTable) : target};
    RecordingErrorReporter reported;
    // A full disk: a write past the file-size limit fails as it does there.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full{rlim_t(room), limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    if (kind == ChartPdf)
        f_->click("TForm12", "BitBtn1");
    if (kind == HelpPdf)
        help->printAll();
    if (kind == ReportPdf)
        PdfReportPrinter(target, &reported).print(nullptr, {u"Funciones"_s}, QFont());
    if (kind == TableCsv)
        click("ExportTableButton");
    if (kind == AdviceCsv)
        f_->set->rateAdvice().exportCsv(target);
    if (kind == Settings)
        click("LoadTableButton");
    setrlimit(RLIMIT_FSIZE, &limit);
    const QStringList said = f_->errors.messages + reported.messages;
    QCOMPARE(said.size(), 1);
    QVERIFY2(said.first().contains(target), qPrintable(said.first()));
    QCOMPARE(DataFileText::read(target).bytes, before);
    QCOMPARE(QDir(QFileInfo(target).path()).entryList({u"*.pdf.*"_s}, QDir::Files), QStringList());
}

void TestResponseDataWindow::exportsFollowTheChosenFormat()
{
    const auto exportAs = [this](const char* button, const QString& name) {
        f_->files.answers << QStringList{dir_.filePath(name)};
        click(button);
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QVERIFY(exportAs("ExportTableButton", u"es.csv"_s)
                .startsWith("\xEF\xBB\xBF"
                            "codigo;nivel;a;b;c\r\nAGAA;20;1885,9;"));
    f_->child<QCheckBox>("ResponseDataWindow", "InternationalCsvCheck")->setChecked(true);
    restart(); // remembered
    QVERIFY(f_->child<QCheckBox>("ResponseDataWindow", "InternationalCsvCheck")->isChecked());
    QVERIFY(exportAs("ExportTableButton", u"int.csv"_s)
                .startsWith("\xEF\xBB\xBF"
                            "codigo,nivel,a,b,c\r\nAGAA,20,1885.9,"));
    QVERIFY(exportAs("ExportXlsxButton", u"tabla.xlsx"_s).startsWith("PK"));
    // Each reads back as the table it came from; a positive c is warned of at load.
    for (const QString& name : {u"es.csv"_s, u"int.csv"_s, u"tabla.xlsx"_s}) {
        f_->files.answers << QStringList{dir_.filePath(name)};
        click("LoadTableButton");
        QVERIFY2(f_->errors.messages.isEmpty(), qPrintable(f_->errors.messages.join(u'\n')));
        QCOMPARE(f_->set->responseData().codesFromFiles(), ResponseTable::LineCount);
        QCOMPARE(f_->set->responseData().table().lines(Level::P80), ResponseTable::builtIn().lines(Level::P80));
        QVERIFY2(text("ResponseDataWindow", "StatusLabel").contains(u"Aviso: DDDB 20 %: c = 0.0001 > 0"_s),
                 qPrintable(text("ResponseDataWindow", "StatusLabel")));
    }
}

void TestResponseDataWindow::levelsAreAskedWhenTheNamesDoNotSay()
{
    const QStringList names{u"seco.txt"_s, u"normal.txt"_s, u"humedo.txt"_s};
    const QList<QByteArray> lines{"AGAA 1800.0 15.770  -0.0529\n", "AGAA 1900.0 24.000  -0.0820\n",
                                  "AGAA 2000.0 27.210  -0.0920\n"};
    QStringList paths;
    for (int i = 0; i < 3; ++i)
        paths << write(names[i], lines[i]);
    f_->files.answers << paths << QStringList{paths[0]} << QStringList{paths[1]} << QStringList{paths[2]};
    click("LoadTableButton");
    QVERIFY2(f_->errors.messages.isEmpty(), qPrintable(f_->errors.messages.join(u'\n')));
    QCOMPARE(f_->files.captions.mid(1),
             (QStringList{u"Los nombres no dicen el nivel: elija el archivo del nivel 20 %"_s,
                          u"Los nombres no dicen el nivel: elija el archivo del nivel Medio"_s,
                          u"Los nombres no dicen el nivel: elija el archivo del nivel 80 %"_s}));
    const QStringList slot = plotSlot1();
    QCOMPARE((QStringList{slot[0], slot[3], slot[6]}), (QStringList{u"1800.0"_s, u"1900.0"_s, u"2000.0"_s}));
}

void TestResponseDataWindow::helpAndCodesExplainTheFormat()
{
    click("DataHelpButton");
    QWidget* help = f_->window("ResponseDataHelpWindow");
    QVERIFY(help && help->isVisible());
    const QString codes = dir_.filePath(u"codigos.csv"_s);
    f_->files.answers << QStringList{codes};
    click("ExportCodesButton");
    QFile file(codes);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(file.readAll());
    QCOMPARE(written.count(u"\r\n"_s), ResponseTable::LineCount + 1);
    QVERIFY(written.contains(u"\r\nAGAA;Gualeguay;La Concordia;Capac. de campo;Escorpión\r\n"_s));
}

QTEST_MAIN(TestResponseDataWindow)
#include "tst_responsedatawindow.moc"
