#pragma once

#include <memory>
#include <vector>

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>

#include "Budget.h"
#include "Samples.h"

class QTemporaryDir;

class BenchSession;
class BudgetTable;
class CurveChart;

// The benchmarks. rows() is the table of every measure: its name, its budget and the
// member function that takes it. One data-driven Qt Test function runs them, a data row
// for each ("velmaro_bench measure:graficar" runs one). A measure function repeats its
// measure itself and hands back the figures (not QBENCHMARK, whose own repetition would
// run the whole function again and again), and checks with QVERIFY that it measured what
// it meant to (the windows painted, the read-out filled, nothing reported as an error);
// a failed check leaves the row "not measured", which counts as over budget.
class VelmaroBench : public QObject {
    Q_OBJECT
public:
    // What a measure function hands back: one figure per repetition and, for a budget
    // relative to the bare Qt program, the bare program's figures, taken in turn.
    struct Figures {
        Samples samples;
        Samples bare;
        QString bareName; // the bare program's row, "start-up, bare Qt program"
    };
    using MeasureFunction = void (VelmaroBench::*)(Figures&);
    struct Row {
        const char* key; // the data row's name
        QString name;    // the measure, as the table shows it
        Budget budget;
        MeasureFunction measure;
        QSize screen{}; // the probes' screen; none: the benchmark's own
    };
    static const std::vector<Row>& rows();

    explicit VelmaroBench(BudgetTable& table);
    ~VelmaroBench() override;

private Q_SLOTS:
    void cleanup();
    void measure_data();
    void measure();

private:
    void startUp(Figures& figures);
    void startUpInstructions(Figures& figures);
    void graficar(Figures& figures);
    void pointerMoveYieldChart(Figures& figures);
    void pointerMoveEconomicChart(Figures& figures);
    void economicActivation(Figures& figures);
    void rateAdvice(Figures& figures);
    void reportDocument(Figures& figures);
    void reportPdf(Figures& figures);
    void trialStatistics(Figures& figures);
    void caseSave(Figures& figures);
    void caseOpen(Figures& figures);
    void recoveryCopy(Figures& figures);
    void helpAreaLargeDocument(Figures& figures);
    void peakMemory(Figures& figures);
    void batchRate(Figures& figures);   // in BatchBench.cpp
    void batchMemory(Figures& figures); // in BatchBench.cpp

    // A session with three scenarios plotted, the economic chart open if asked, and the
    // nine curves shown on both charts.
    bool openSession(bool withEconomicChart);
    // The same session as a full case: a table of the adviser's own with fits over it,
    // every input and setting; its save, its opening over another case and the recovery
    // copy's part on the typing thread, each in its own figures.
    enum class CaseStep { Save, Open, RecoveryCopy };
    void measureCase(CaseStep step, Samples& samples);
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

    BudgetTable& table_;
    QString measuring_; // the row being measured, as the table names it
    std::unique_ptr<BenchSession> session_;
    QByteArray platform_;                    // as the benchmark was started
    std::unique_ptr<QTemporaryDir> screens_; // the offscreen platform's screen descriptions
};
