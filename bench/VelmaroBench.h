#pragma once

#include <memory>

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QSize>

class QTemporaryDir;

class BenchSession;
class BudgetTable;
class CurveChart;
class Samples;

// The benchmarks, one Qt Test function each. Every function repeats its measure itself
// and hands the median to the budget table (not to QBENCHMARK, whose own repetition
// would run the whole function again and again), and checks that it
// measured what it meant to (the windows painted, the read-out filled, nothing
// reported as an error); a failed check leaves the measure "not measured".
class VelmaroBench : public QObject {
    Q_OBJECT
public:
    explicit VelmaroBench(BudgetTable& table);
    ~VelmaroBench() override;

private Q_SLOTS:
    void cleanup();
    void startUp_data();
    void startUp();
    void startUpInstructions();
    void graficar();
    void pointerMoveYieldChart();
    void pointerMoveEconomicChart();
    void economicActivation();
    void rateAdvice();
    void caseFile();
    void helpAreaLargeDocument();
    void peakMemory_data();
    void peakMemory();

private:
    // A session with three scenarios plotted, the economic chart open if asked, and the
    // nine curves shown on both charts.
    bool openSession(bool withEconomicChart);
    // Moves the pointer to and fro between two spots, each on a shown curve, with real
    // mouse events; the time the chart's handling of each takes. Why the moves did not
    // do what an adviser would see, or nothing.
    QString measurePointerMoves(CurveChart& chart, QPoint first, QPoint second, const char* windowName,
                                const char* curveNameEdit, Samples& samples);
    // A pixel on a drawn segment of series k, near x and within the chart's limits.
    static QPoint pixelOnCurve(const CurveChart& chart, int k, int x);
    static QString probe(const char* name);
    // The probes run on the offscreen platform with a screen of this size (or on the
    // benchmark's own platform and screen, if it is not valid) until the next cleanup;
    // what the measures' names say of it.
    QString useScreen(QSize screen);
    QString platformWithScreen(QSize screen);
    // The rows of startUp and peakMemory: the benchmark's own screen, a large one.
    static void addScreenRows(double ownScreenBudget);

    BudgetTable& table_;
    std::unique_ptr<BenchSession> session_;
    QByteArray platform_;                    // as the benchmark was started
    std::unique_ptr<QTemporaryDir> screens_; // the offscreen platform's screen descriptions
};
