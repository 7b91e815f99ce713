#include "VelmaroBench.h"

#include <cmath>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "BenchSession.h"
#include "BudgetTable.h"
#include "ChildRun.h"
#include "PaintWatcher.h"
#include "PeakMemory.h"
#include "Samples.h"
#include "core/Curves.h"
#include "core/RateAdvice.h"
#include "core/TrialStatistics.h"
#include "ui/app/WindowSet.h"
#include "ui/charting/CurveChart.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/report/ReportDocument.h"
#include "ui/report/ReportPages.h"
#include "ui/report/ReportWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

namespace {

// Runs of each program for the start-up and memory comparisons, taken in turn so that
// a busy moment of the machine weighs on both alike.
constexpr int StartUpRuns = 21;
constexpr int MemoryRuns = 7;
// Repetitions inside one session, after a few that warm the caches and are not counted.
constexpr int WarmUps = 3;
constexpr int GraficarRuns = 31;
constexpr int PointerMoves = 501;
constexpr int ActivationRuns = 51;
constexpr int AdviceRuns = 201;
constexpr int ReportRuns = 21;
constexpr int ReportPdfRuns = 11;
constexpr int HelpAreaRuns = 7;
constexpr int TrialStatisticsRuns = 21;

// On a large screen the main window and the charts fill more of it: what they hold for
// it grows, the bare program's window does not.
constexpr QSize LargeScreen(1920, 1080);
constexpr qsizetype HelpDocumentBytes = 10 * 1024 * 1024;

double elapsedMs(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The curve the read-out names for a pointer at this pixel: the highest shown one touched.
int touchedCurve(const CurveChart& chart, QPoint pixel)
{
    return chart.topShownCurveAt(pixel).number;
}

} // namespace

// Every row of the table: the measure, its budget and the function that takes it. Each
// path an adviser waits on has its row; docs/performance.md says why each budget sits
// where it does. A budget of "at least" is for rates, where higher is better.
const std::vector<VelmaroBench::Row>& VelmaroBench::rows()
{
    using Unit = Budget::Unit;
    static const std::vector<Row> all{
        {"startup", QStringLiteral("start-up to main window painted"), Budget::timesBare(2.5, Unit::Milliseconds),
         &VelmaroBench::startUp},
        {"startup-large", QStringLiteral("start-up to main window painted"), Budget::timesBare(3.0, Unit::Milliseconds),
         &VelmaroBench::startUp, LargeScreen},
        // Counted by callgrind from the process's start to its end, the probes quitting at
        // their first paint: instructions do not move with the machine's load.
        {"instructions", QStringLiteral("instructions to main window painted"),
         Budget::timesBare(4.5, Unit::MegaInstructions), &VelmaroBench::startUpInstructions},
        {"graficar", QStringLiteral("Graficar, 3 scenarios, to chart painted"),
         Budget::atMost(15.0, Unit::Milliseconds), &VelmaroBench::graficar},
        {"pointer-yield", QStringLiteral("pointer move, yield chart, 9 curves"),
         Budget::atMost(0.2, Unit::Milliseconds), &VelmaroBench::pointerMoveYieldChart},
        {"pointer-economic", QStringLiteral("pointer move, economic chart, 9 curves"),
         Budget::atMost(0.2, Unit::Milliseconds), &VelmaroBench::pointerMoveEconomicChart},
        {"activation", QStringLiteral("economic chart activation"), Budget::atMost(10.0, Unit::Milliseconds),
         &VelmaroBench::economicActivation},
        {"advice", QStringLiteral("rate advice, nine curves and season risk"), Budget::atMost(2.0, Unit::Milliseconds),
         &VelmaroBench::rateAdvice},
        {"trial-statistics", QStringLiteral("trial statistics, 100 curves of 24 plots, both models"),
         Budget::atMost(30.0, Unit::Milliseconds), &VelmaroBench::trialStatistics},
        {"case-save", QStringLiteral("case save, full case"), Budget::atMost(20.0, Unit::Milliseconds),
         &VelmaroBench::caseSave},
        {"case-open", QStringLiteral("case open, full case"), Budget::atMost(20.0, Unit::Milliseconds),
         &VelmaroBench::caseOpen},
        {"recovery-copy", QStringLiteral("recovery copy, on the typing thread"),
         Budget::atMost(2.0, Unit::Milliseconds), &VelmaroBench::recoveryCopy},
        {"help-area", QStringLiteral("help area, 10 MB document, to painted"),
         Budget::atMost(1000.0, Unit::Milliseconds), &VelmaroBench::helpAreaLargeDocument},
        // The report's texts and tables typeset and laid out on A4 pages, and the whole
        // report with both charts written to a PDF file.
        {"report", QStringLiteral("report document, no charts"), Budget::atMost(50.0, Unit::Milliseconds),
         &VelmaroBench::reportDocument},
        {"report-pdf", QStringLiteral("report with both charts, to PDF"), Budget::atMost(500.0, Unit::Milliseconds),
         &VelmaroBench::reportPdf},
        {"memory", QStringLiteral("peak memory, session with maps"), Budget::timesBare(3.0, Unit::MiB),
         &VelmaroBench::peakMemory},
        {"memory-large", QStringLiteral("peak memory, session with maps"), Budget::timesBare(4.5, Unit::MiB),
         &VelmaroBench::peakMemory, LargeScreen},
        // "velmaro --lote" on one core: three levels and the season risk of each field.
        {"batch-rate", QStringLiteral("batch, fields per second"), Budget::atLeast(20000, Unit::PerSecond),
         &VelmaroBench::batchRate},
        {"batch-memory", QStringLiteral("peak memory, batch of a million fields"), Budget::atMost(50.0, Unit::MiB),
         &VelmaroBench::batchMemory},
    };
    return all;
}

VelmaroBench::VelmaroBench(BudgetTable& table) : table_(table), platform_(qgetenv("QT_QPA_PLATFORM")) { }

VelmaroBench::~VelmaroBench() = default;

QString VelmaroBench::probe(const char* name)
{
    return QCoreApplication::applicationDirPath() + u'/' + QLatin1String(name);
}

void VelmaroBench::cleanup()
{
    if (QTest::currentTestFailed())
        table_.addFailure(measuring_, QStringLiteral("see the log above"));
    measuring_.clear();
    session_.reset();
    qputenv("QT_QPA_PLATFORM", platform_); // the probes' own screen again
}

void VelmaroBench::measure_data()
{
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < rows().size(); ++i)
        QTest::newRow(rows()[i].key) << static_cast<int>(i);
}

void VelmaroBench::measure()
{
    QFETCH(int, index);
    const Row& row = rows()[static_cast<size_t>(index)];
    const QString screen = useScreen(row.screen);
    measuring_ = row.name + screen;
    Figures figures;
    (this->*row.measure)(figures);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(!figures.samples.isEmpty(), "no figures");
    if (!row.budget.isRelative()) {
        table_.add(measuring_, figures.samples, row.budget);
        return;
    }
    QVERIFY2(!figures.bare.isEmpty(), "a budget relative to the bare program without its figures");
    table_.addReference(figures.bareName + screen, figures.bare, row.budget.unit());
    table_.add(measuring_, figures.samples, row.budget, figures.bare);
}

bool VelmaroBench::openSession(bool withEconomicChart)
{
    session_ = std::make_unique<BenchSession>();
    if (!session_->confirmThreeScenarios() || !session_->plot())
        return false;
    if (withEconomicChart && !session_->openEconomicChart())
        return false;
    return session_->showAllCurves();
}

QString VelmaroBench::useScreen(QSize screen)
{
    if (!screen.isValid())
        return {};
    qputenv("QT_QPA_PLATFORM", platformWithScreen(screen).toLocal8Bit());
    return QStringLiteral(", %1x%2").arg(screen.width()).arg(screen.height());
}

QString VelmaroBench::platformWithScreen(QSize screen)
{
    if (!screens_)
        screens_ = std::make_unique<QTemporaryDir>();
    const QString file =
        screens_->filePath(QStringLiteral("screen-%1x%2.json").arg(screen.width()).arg(screen.height()));
    QFile description(file);
    if (!description.exists() && description.open(QIODevice::WriteOnly))
        description.write(QStringLiteral(R"({"screens":[{"name":"Velmaro","x":0,"y":0,"width":%1,"height":%2,)"
                                         R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                              .arg(screen.width())
                              .arg(screen.height())
                              .toUtf8());
    return QStringLiteral("offscreen:configfile=") + file;
}

void VelmaroBench::startUp(Figures& figures)
{
    const QString bare = probe("velmaro_bare_probe");
    const QString velmaro = probe("velmaro_startup_probe");
    // One run of each first, not counted: the libraries, fonts and plugins come into the
    // page cache, as they are on a machine where the program has run before.
    for (const QString& program : {bare, velmaro}) {
        const ChildRun::Result r = ChildRun::run(program);
        QVERIFY2(r.ok, qPrintable(r.failure));
    }
    for (int i = 0; i < StartUpRuns; ++i) {
        for (const QString& program : {bare, velmaro}) {
            const ChildRun::Result r = ChildRun::run(program);
            QVERIFY2(r.ok, qPrintable(r.failure));
            (program == bare ? figures.bare : figures.samples).add(r.wallMs);
        }
    }
    figures.bareName = QStringLiteral("start-up, bare Qt program");
}

void VelmaroBench::startUpInstructions(Figures& figures)
{
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    QVERIFY2(!valgrind.isEmpty(), "valgrind is not installed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char* name : {"velmaro_bare_probe", "velmaro_startup_probe"}) {
        const QString out = folder.filePath(QLatin1String(name) + QStringLiteral(".callgrind"));
        const ChildRun::Result r = ChildRun::run(
            valgrind, {QStringLiteral("--tool=callgrind"), QStringLiteral("--callgrind-out-file=") + out, probe(name)});
        QVERIFY2(r.ok, qPrintable(r.failure));
        QFile counts(out);
        QVERIFY(counts.open(QIODevice::ReadOnly));
        // "totals: 46570096": every thread's instructions, start to end.
        double instructions = 0;
        while (!counts.atEnd()) {
            const QByteArray line = counts.readLine().trimmed();
            if (line.startsWith("totals:"))
                instructions += line.mid(7).trimmed().toDouble();
        }
        QVERIFY2(instructions > 0, name);
        (qstrcmp(name, "velmaro_bare_probe") == 0 ? figures.bare : figures.samples).add(instructions / 1e6);
    }
    figures.bareName = QStringLiteral("instructions, bare Qt program");
}

void VelmaroBench::graficar(Figures& figures)
{
    session_ = std::make_unique<BenchSession>();
    QVERIFY(session_->confirmThreeScenarios());
    YieldChartWindow& yield = session_->windows().yieldChart();
    PaintWatcher watcher(&yield.chart());
    Samples& samples = figures.samples;
    for (int i = 0; i < WarmUps + GraficarRuns; ++i) {
        // "Escenarios" takes the adviser back to the main window and hides the chart, so
        // that the next "Graficar" draws it anew.
        if (yield.isVisible())
            QVERIFY(session_->click("TForm3", "ToolButton7"));
        BenchSession::settle();
        QVERIFY(!yield.isVisible());
        watcher.reset();

        QElapsedTimer timer;
        timer.start();
        QVERIFY(session_->click("TForm1", "ToolButton13"));
        QVERIFY2(watcher.waitForPaint(), "the yield chart was never painted");
        const double ms = elapsedMs(timer);
        if (i >= WarmUps)
            samples.add(ms);
        BenchSession::settle();
    }
    // The three scenarios' curves are there, and nothing went wrong on the way.
    for (int k = 1; k <= 3; ++k)
        QVERIFY(std::isfinite(yield.chart().pointValue(k, 100)));
    QVERIFY2(session_->problems().isEmpty(), qPrintable(session_->problems().join(u'\n')));
}

QPoint VelmaroBench::pixelOnCurve(const CurveChart& chart, int k, int x)
{
    for (; x < chart.pointCount(k); ++x) {
        const double value = chart.pointValue(k, x);
        if (!std::isfinite(value) || value <= chart.axisMinimum(CurveChart::Axis::Left) ||
            value >= chart.axisMaximum(CurveChart::Axis::Left))
            continue;
        const QPoint pixel(static_cast<int>(std::lround(chart.xAxis->coordToPixel(x))),
                           static_cast<int>(std::lround(chart.yAxis->coordToPixel(value))));
        if (chart.hitTest(k, pixel) >= 0)
            return pixel;
    }
    return {};
}

QString VelmaroBench::measurePointerMoves(CurveChart& chart, QPoint first, QPoint second, const char* windowName,
                                          const char* curveNameEdit, Samples& samples)
{
    auto* nameEdit = session_->child<QLineEdit>(windowName, curveNameEdit);
    if (!nameEdit)
        return QStringLiteral("no field %1").arg(QLatin1String(curveNameEdit));
    int replots = 0;
    const QMetaObject::Connection counting =
        connect(&chart, &QCustomPlot::afterReplot, this, [&replots] { ++replots; });

    bool namesRight = true;
    for (int i = 0; i < WarmUps + PointerMoves; ++i) {
        const QPoint pixel = i % 2 == 0 ? first : second;
        const QPointF local(pixel);
        QMouseEvent move(QEvent::MouseMove, local, chart.mapTo(chart.window(), local), chart.mapToGlobal(local),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QElapsedTimer timer;
        timer.start();
        QCoreApplication::sendEvent(&chart, &move);
        const double ms = elapsedMs(timer);
        if (i >= WarmUps)
            samples.add(ms);
        namesRight = namesRight && nameEdit->text() == Curves::readOutName(touchedCurve(chart, pixel));
        // The labels and fields repaint between moves, as they would while the adviser's
        // hand moves on; that painting is not part of the move.
        BenchSession::settle();
    }
    disconnect(counting);
    if (!namesRight)
        return QStringLiteral("the read-out did not name the curve under the pointer");
    if (replots != 0)
        return QStringLiteral("the pointer moves redrew the chart %1 times").arg(replots);
    return {};
}

void VelmaroBench::pointerMoveYieldChart(Figures& figures)
{
    QVERIFY(openSession(false));
    CurveChart& chart = session_->windows().yieldChart().chart();
    for (int k = 1; k <= Curves::Count; ++k)
        QVERIFY(chart.isSeriesShown(k));
    // Slot 1's Medio curve and slot 2's 80 % curve, well inside the plot.
    const QPoint first = pixelOnCurve(chart, 1, 100);
    const QPoint second = pixelOnCurve(chart, 5, 140);
    QVERIFY(touchedCurve(chart, first) > 0 && touchedCurve(chart, second) > 0);
    QVERIFY(touchedCurve(chart, first) != touchedCurve(chart, second));

    const QString failure = measurePointerMoves(chart, first, second, "TForm3", "Edit3", figures.samples);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY2(session_->problems().isEmpty(), qPrintable(session_->problems().join(u'\n')));
}

void VelmaroBench::pointerMoveEconomicChart(Figures& figures)
{
    QVERIFY(openSession(true));
    EconomicChartWindow& economic = session_->windows().economicChart();
    CurveChart& chart = economic.chart();
    for (int k = 1; k <= Curves::Count; ++k)
        QVERIFY(chart.isSeriesShown(k));
    const QPoint first = pixelOnCurve(chart, 1, 60);
    const QPoint second = pixelOnCurve(chart, 6, 90);
    QVERIFY(touchedCurve(chart, first) > 0 && touchedCurve(chart, second) > 0);
    QVERIFY(touchedCurve(chart, first) != touchedCurve(chart, second));

    const QString failure = measurePointerMoves(chart, first, second, "TForm20", "Edit4", figures.samples);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // The margin was read under the pointer, with no complaint about the prices.
    QVERIFY(!session_->child<QLabel>("TForm20", "Label13")->text().isEmpty());
    QVERIFY2(session_->problems().isEmpty(), qPrintable(session_->problems().join(u'\n')));
}

void VelmaroBench::economicActivation(Figures& figures)
{
    QVERIFY(openSession(true));
    EconomicChartWindow& economic = session_->windows().economicChart();
    int replots = 0;
    connect(&economic.chart(), &QCustomPlot::afterReplot, this, [&replots] { ++replots; });

    Samples& samples = figures.samples;
    for (int i = 0; i < WarmUps + ActivationRuns; ++i) {
        replots = 0;
        QElapsedTimer timer;
        timer.start();
        // What the window does when it becomes the active one.
        economic.onActivated();
        Q_EMIT economic.activated();
        const double ms = elapsedMs(timer);
        if (i >= WarmUps)
            samples.add(ms);
        QVERIFY(replots > 0);
        BenchSession::settle();
    }
    // The table and the ten series are there, and the prices were good.
    for (int k : {1, 2, 3, EconomicChartWindow::CostSeries})
        QVERIFY(std::isfinite(economic.chart().pointValue(k, 100)));
    QVERIFY2(session_->problems().isEmpty(), qPrintable(session_->problems().join(u'\n')));
}

void VelmaroBench::rateAdvice(Figures& figures)
{
    // The arithmetic behind "Dosis recomendada" for a full chart: the optimum and range of
    // all nine curves, the season risk of one scenario and the price sensitivity of one curve.
    QVERIFY(openSession(true));
    const EconomicTable& table = session_->windows().economicChart().economicTable();
    const auto& curves = session_->windows().yieldChart().coefficients();
    const RateAdvice::Basis basis{40, 0.6};
    Samples& samples = figures.samples;
    int checksum = 0;
    for (int i = 0; i < WarmUps + AdviceRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        for (int k = 1; k <= Curves::Count; ++k)
            checksum += RateAdvice::optimum(table, k, curves[static_cast<size_t>(k - 1)], basis, 2.5).optimumN;
        checksum += RateAdvice::seasonRisk(table, 1, basis, {0.25, 0.5, 0.25}).bestExpected.n;
        checksum += RateAdvice::priceSensitivity(table, 1, 40, 115, 600)[2][2];
        const double ms = elapsedMs(timer);
        if (i >= WarmUps)
            samples.add(ms);
    }
    QVERIFY(checksum > 0);
}

void VelmaroBench::reportDocument(Figures& figures)
{
    // "Informe" for three scenarios and nine curves: the texts and tables computed, typeset
    // and laid out on A4 pages, without the charts.
    QVERIFY(openSession(true));
    auto* report = qobject_cast<ReportWindow*>(session_->window("ReportWindow"));
    QVERIFY(report);
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter pages(&nowhere);
    pages.setResolution(96);
    pages.setPageLayout(ReportPages::pageLayout());
    int count = 0;
    for (int i = 0; i < WarmUps + ReportRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        const std::unique_ptr<QTextDocument> document = ReportDocument::build(report->content());
        count = ReportPages::count(*document, pages);
        const double ms = elapsedMs(timer);
        if (i >= WarmUps)
            figures.samples.add(ms);
    }
    QVERIFY(count >= 1);
    QCOMPARE(report->content().advice.optimumTable.rows.size(), Curves::Count);
    QVERIFY2(session_->problems().isEmpty(), qPrintable(session_->problems().join(u'\n')));
}

void VelmaroBench::reportPdf(Figures& figures)
{
    // "Guardar PDF": the whole report, both charts drawn as vectors, into a file.
    QVERIFY(openSession(true));
    auto* report = qobject_cast<ReportWindow*>(session_->window("ReportWindow"));
    QVERIFY(report);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("informe.pdf"));
    for (int i = 0; i < WarmUps + ReportPdfRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        QVERIFY(report->savePdf(path));
        const double ms = elapsedMs(timer);
        if (i >= WarmUps)
            figures.samples.add(ms);
    }
    QVERIFY(QFileInfo(path).size() > 10000);
    QVERIFY2(session_->problems().isEmpty(), qPrintable(session_->problems().join(u'\n')));
}

void VelmaroBench::trialStatistics(Figures& figures)
{
    // Both models with their optima's intervals for 100 fitted curves of 24 plots each:
    // six rates from 0 to 200 kg/ha, four plots each, around quadratic-plateaus whose
    // join runs from 80 to 180 kg/ha.
    QRandomGenerator random(26);
    std::vector<QVector<TrialFit::Point>> trials(100);
    for (size_t t = 0; t < trials.size(); ++t) {
        const double join = 80.0 + double(t), c = -0.06 - 0.0005 * double(t % 40);
        for (int n = 0; n <= 200; n += 40)
            for (int plot = 0; plot < 4; ++plot) {
                const double x = std::min<double>(n, join);
                trials[t].append({double(n), 4000.0 + c * (x - join) * (x - join) + random.bounded(300.0) - 150.0});
            }
    }
    int closed = 0;
    for (int i = 0; i < WarmUps + TrialStatisticsRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        for (const QVector<TrialFit::Point>& trial : trials) {
            const auto a = TrialStatistics::analyse(trial, 600.0 / 115.0, TrialStatistics::Confidence::P90);
            closed += a.quadratic.optimum.interval.closes + a.plateau.optimum.interval.closes;
        }
        const double ms = elapsedMs(timer);
        if (i >= WarmUps)
            figures.samples.add(ms);
    }
    QVERIFY(closed > 0);
}

void VelmaroBench::helpAreaLargeDocument(Figures& figures)
{
    // A help document of 10 MB, half the largest file the program takes, in a folder of its
    // own: formatted paragraphs, as a word processor writes them, some 330 000 characters
    // (two thirds of the most text taken), and the rest pictures, one every 80 paragraphs.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    const auto restore = qScopeGuard([&before] { QDir::setCurrent(before); });
    {
        // A picture that does not compress: some 400 KB of hex.
        QImage noise(256, 256, QImage::Format_RGB32);
        QRandomGenerator random(20'261'208);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.setPixel(x, y, random.generate() | 0xFF000000u);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        noise.save(&buffer, "PNG");
        const QByteArray picture =
            "{\\*\\shppict{\\pict\\pngblip\\picwgoal3840\\pichgoal3840\r\n" + png.toHex() + "}}\\par\r\n";
        QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20\r\n";
        for (int i = 1; rtf.size() < HelpDocumentBytes; ++i) {
            rtf += "\\pard\\sa120{\\b Lote " + QByteArray::number(i) +
                ".} La dosis de nitr\\'f3geno depende del rendimiento esperado, del agua a la siembra "
                "y de los nitratos del suelo; {\\i el trigo} responde hasta 190 kg N/ha.\\par\r\n";
            if (i % 80 == 0)
                rtf += picture;
        }
        rtf += "}";
        QFile file(QStringLiteral("velmaro.rtf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(rtf), rtf.size());
    }

    session_ = std::make_unique<BenchSession>();
    auto* area = session_->child<QTextEdit>("TForm1", "RichEdit1");
    QVERIFY(area);
    PaintWatcher watcher(area->viewport());
    Samples& samples = figures.samples;
    for (int i = 0; i < 1 + HelpAreaRuns; ++i) {
        if (area->isVisible())
            QVERIFY(session_->click("TForm1", "ToolButton6")); // closes it
        BenchSession::settle();
        watcher.reset();
        QElapsedTimer timer;
        timer.start();
        // "AYUDA": reads the file again and shows it.
        QVERIFY(session_->click("TForm1", "ToolButton6"));
        QVERIFY2(watcher.waitForPaint(), "the help area was never painted");
        const double ms = elapsedMs(timer);
        if (i >= 1)
            samples.add(ms);
        BenchSession::settle();
    }
    QVERIFY(area->toPlainText().startsWith(QStringLiteral("Lote 1. La dosis de nitrógeno")));
    QVERIFY2(session_->problems().isEmpty(), qPrintable(session_->problems().join(u'\n')));
}

void VelmaroBench::peakMemory(Figures& figures)
{
    const QString bare = probe("velmaro_bare_probe");
    const QString session = probe("velmaro_session_probe");
    for (int i = 0; i < MemoryRuns; ++i) {
        for (const QString& program : {bare, session}) {
            const ChildRun::Result r = ChildRun::run(program, {QLatin1String(PeakMemory::option())});
            QVERIFY2(r.ok, qPrintable(r.failure));
            const QString line = r.output.section(u'\n', -2, -2); // "peak-kib 71234"
            bool read = false;
            const double kib = line.section(u' ', 1).toDouble(&read);
            QVERIFY2(read && line.startsWith(QLatin1String("peak-kib ")) && kib > 0, qPrintable(r.output));
            (program == bare ? figures.bare : figures.samples).add(kib / 1024.0);
        }
    }
    figures.bareName = QStringLiteral("peak memory, bare Qt program");
}
