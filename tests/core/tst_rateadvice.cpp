#include <cmath>

#include <QTest>

#include "core/Curves.h"
#include "core/EconomicTable.h"
#include "core/RateAdvice.h"

namespace {

using Quadratic = Curves::Quadratic;

// Slot 1's three curves (the others flat), as the chart would tabulate them.
EconomicTable tableOf(const Quadratic& medio, const Quadratic& p80, const Quadratic& p20, double grainPrice,
                      double nCost)
{
    std::array<Quadratic, Curves::Count> curves{};
    curves[Curves::number(1, Level::Medio) - 1] = medio;
    curves[Curves::number(1, Level::P80) - 1] = p80;
    curves[Curves::number(1, Level::P20) - 1] = p20;
    EconomicTable table;
    table.fillYields(curves);
    table.rebuild(grainPrice, nCost);
    return table;
}

} // namespace

class TestRateAdvice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void optimumAgreesWithTheClosedForm_data();
    void optimumAgreesWithTheClosedForm();
    void edgesOfTheRange_data();
    void edgesOfTheRange();
    void seasonRisk();
    void priceSensitivityCentreIsTheOptimum();
    void weights_data();
    void weights();
};

void TestRateAdvice::optimumAgreesWithTheClosedForm_data()
{
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("grainPrice");
    QTest::addColumn<double>("nCost");
    QTest::addColumn<int>("reference");
    for (double b : {12.0, 20.0, 31.5, 44.0})
        for (double c : {-0.035, -0.06, -0.11})
            for (auto [price, cost] : {std::pair{115.0, 600.0}, {180.0, 450.0}, {90.0, 1200.0}})
                for (int reference : {40, 75})
                    QTest::addRow("b %g c %g price %g cost %g ref %d", b, c, price, cost, reference)
                        << b << c << price << cost << reference;
}

void TestRateAdvice::optimumAgreesWithTheClosedForm()
{
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(double, grainPrice);
    QFETCH(double, nCost);
    QFETCH(int, reference);
    const Quadratic curve{1800.0, b, c};
    const EconomicTable table = tableOf(curve, curve, curve, grainPrice, nCost);
    const RateAdvice::Optimum o = RateAdvice::optimum(table, 1, curve, {reference, nCost / 1000.0}, 2.5);

    // Where the slope of the yield curve equals the price ratio.
    const double closed = (b - nCost / grainPrice) / (-2.0 * c);
    if (closed > reference && closed < RateAdvice::LastN)
        QVERIFY2(std::abs(o.optimumN - closed) <= 1.0,
                 qPrintable(QStringLiteral("N* %1, closed form %2").arg(o.optimumN).arg(closed)));
    else
        QCOMPARE(o.optimumN, closed <= reference ? reference : RateAdvice::LastN);
    QCOMPARE(o.dose, o.optimumN - reference);
    QVERIFY(o.rangeLow <= o.optimumN && o.optimumN <= o.rangeHigh);
    QVERIFY(!o.noMaximum);
    QVERIFY(o.percentOfMax > 0 && o.percentOfMax <= 100.0 + 1e-9);
}

void TestRateAdvice::edgesOfTheRange_data()
{
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("nCost");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<bool>("atReference");
    QTest::addColumn<bool>("atTableEdge");
    QTest::addColumn<bool>("noMaximum");
    QTest::addColumn<int>("rangeWidth"); // -1: not checked
    // A cost between two cents: no kilogram pays exactly for itself, so no margins tie.
    QTest::newRow("tolerance 0: one kilogram") << -0.08 << 605.0 << 0.0 << false << false << false << 1;
    QTest::newRow("nitrogen too dear") << -0.08 << 40000.0 << 2.5 << true << false << false << -1;
    QTest::newRow("straight line: still paying at the edge") << 0.0 << 600.0 << 2.5 << false << true << true << -1;
    QTest::newRow("convex curve") << 0.02 << 600.0 << 2.5 << false << true << true << -1;
}

void TestRateAdvice::edgesOfTheRange()
{
    QFETCH(double, c);
    QFETCH(double, nCost);
    QFETCH(double, tolerance);
    QFETCH(int, rangeWidth);
    const Quadratic curve{1800.0, 25.0, c};
    const EconomicTable table = tableOf(curve, curve, curve, 115.0, nCost);
    const RateAdvice::Optimum o = RateAdvice::optimum(table, 1, curve, {40, nCost / 1000.0}, tolerance);
    QTEST(o.atReference, "atReference");
    QTEST(o.atTableEdge, "atTableEdge");
    QTEST(o.noMaximum, "noMaximum");
    if (o.atReference)
        QCOMPARE(o.dose, 0);
    if (rangeWidth >= 0)
        QCOMPARE(o.rangeHigh - o.rangeLow + 1, rangeWidth);
}

void TestRateAdvice::seasonRisk()
{
    // The dry season responds least at every N, the wet one most.
    const Quadratic dry{1500.0, 14.0, -0.06}, medio{2200.0, 22.0, -0.07}, wet{2800.0, 30.0, -0.08};
    const EconomicTable table = tableOf(medio, wet, dry, 115.0, 600.0);
    const RateAdvice::Basis basis{40, 0.6};
    const RateAdvice::SeasonRisk risk = RateAdvice::seasonRisk(table, 1, basis, {0.25, 0.5, 0.25});

    for (int s = 0; s < 3; ++s) {
        QCOMPARE(risk.loss[s][s], 0.0);
        for (int c = 0; c < 3; ++c)
            QVERIFY(risk.loss[s][c] >= 0.0);
    }
    const int driest = risk.optimumN[0], wettest = risk.optimumN[2];
    QVERIFY(driest < risk.optimumN[1] && risk.optimumN[1] < wettest);
    QVERIFY(driest <= risk.bestExpected.n && risk.bestExpected.n <= wettest);
    QVERIFY(driest <= risk.leastRegret.n && risk.leastRegret.n <= wettest);
    QCOMPARE(risk.bestWorst.n, driest);
    QVERIFY(risk.valueOfKnowing >= 0.0);
    QVERIFY(risk.bestExpected.worstMargin <= risk.bestExpected.expectedMargin);
    // The weighted rule's margin is the best any single dose offers.
    for (int n : risk.optimumN) {
        double expected = 0.0;
        for (int s = 0; s < 3; ++s)
            expected += std::array{0.25, 0.5, 0.25}[s] *
                RateAdvice::margins(table, Curves::number(1, RateAdvice::SeasonOrder[s]), basis)[n - 40];
        QVERIFY(expected <= risk.bestExpected.expectedMargin + 1e-9);
    }
}

void TestRateAdvice::priceSensitivityCentreIsTheOptimum()
{
    const Quadratic curve{2000.0, 26.0, -0.075};
    const EconomicTable table = tableOf(curve, curve, curve, 115.0, 600.0);
    const auto doses = RateAdvice::priceSensitivity(table, 1, 50, 115.0, 600.0);
    QCOMPARE(doses[2][2], RateAdvice::optimum(table, 1, curve, {50, 0.6}, 2.5).dose);
    for (int i = 0; i + 1 < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            QVERIFY(doses[i][j] <= doses[i + 1][j]); // dearer grain: more nitrogen
            QVERIFY(doses[j][i] >= doses[j][i + 1]); // dearer nitrogen: less
        }
}

void TestRateAdvice::weights_data()
{
    QTest::addColumn<QString>("w20");
    QTest::addColumn<QString>("medio");
    QTest::addColumn<QString>("w80");
    QTest::addColumn<bool>("ok");
    QTest::newRow("defaults") << "0.25"
                              << "0.50"
                              << "0.25" << true;
    QTest::newRow("all on one season") << "0"
                                       << "1"
                                       << "0" << true;
    QTest::newRow("not a number") << "0.25"
                                  << "medio"
                                  << "0.25" << false;
    QTest::newRow("negative") << "-0.25"
                              << "1"
                              << "0.25" << false;
    QTest::newRow("more than one") << "0.5"
                                   << "0.5"
                                   << "0.25" << false;
}

void TestRateAdvice::weights()
{
    QFETCH(QString, w20);
    QFETCH(QString, medio);
    QFETCH(QString, w80);
    const RateAdvice::Weights weights = RateAdvice::readWeights({w20, medio, w80});
    QTEST(weights.ok(), "ok");
    QCOMPARE(weights.error.isEmpty(), weights.ok());
}

QTEST_APPLESS_MAIN(TestRateAdvice)
#include "tst_rateadvice.moc"
