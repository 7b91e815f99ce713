#include <cmath>
#include <limits>

#include <QFile>
#include <QTest>

#include "core/PlateauFit.h"
#include "core/TrialStatistics.h"

// The expected values come from tests/data/trials/reference.py (numpy and scipy, worked
// another way), run once by hand; the trials are the CSV files beside it.
namespace {

using Confidence = TrialStatistics::Confidence;
constexpr double None = std::numeric_limits<double>::quiet_NaN(); // the interval does not close
constexpr double Ratio = 600.0 / 115.0;                           // the economic chart's opening prices

QVector<TrialFit::Point> trial(const QString& name)
{
    QFile file(QStringLiteral(VELMARO_SOURCE_DIR "/tests/data/trials/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(name));
    const TrialFit::Reading reading = TrialFit::read(file.readAll(), name);
    if (!reading.ok || reading.fits.size() != 1)
        qFatal("%s: %s", qPrintable(name), qPrintable(reading.error));
    return reading.fits.first().data;
}

void compareInterval(const OptimumInterval& interval, double low, double high, double tolerance)
{
    QCOMPARE(interval.closes, !std::isnan(low));
    if (interval.closes) {
        QVERIFY2(std::abs(interval.low - low) < tolerance, qPrintable(QString::number(interval.low, 'g', 12)));
        QVERIFY2(std::abs(interval.high - high) < tolerance, qPrintable(QString::number(interval.high, 'g', 12)));
    }
}

} // namespace

class TestTrialStatistics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quadraticAndFieller_data();
    void quadraticAndFieller();
    void plateauFitAndProfile_data();
    void plateauFitAndProfile();
    void texts_data();
    void texts();
    void crossingLevels_data();
    void crossingLevels();
};

void TestTrialStatistics::quadraticAndFieller_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Confidence>("level");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("residualError");
    QTest::addColumn<double>("aicc");
    QTest::addColumn<double>("optimum");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<bool>("beyond");

    QTest::newRow("replicated, 90 %") << "replicada.csv" << Confidence::P90 << 22.78479911 << -0.07841238839
                                      << 183.0354871 << 256.9651523 << 112.0193388 << 105.8972200 << 119.2006462
                                      << false;
    QTest::newRow("replicated, 95 %") << "replicada.csv" << Confidence::P95 << 22.78479911 << -0.07841238839
                                      << 183.0354871 << 256.9651523 << 112.0193388 << 104.6744603 << 120.9433240
                                      << false;
    QTest::newRow("no significant curvature") << "sin_curvatura.csv" << Confidence::P90 << 10.05966667 << -0.02196666667
                                              << 422.528809 << 155.372284 << 110.2187108 << None << None << false;
    QTest::newRow("optimum beyond the highest rate")
        << "optimo_lejano.csv" << Confidence::P90 << 25.89698413 << -0.03235449735 << 65.53466307 << 134.130223
        << 319.5783355 << 219.9633952 << 741.5720996 << true;
    QTest::newRow("treatment means") << "medias.csv" << Confidence::P90 << 23.3702381 << -0.08451058201 << 50.75841474
                                     << 79.06177325 << 107.3998448 << 102.8973135 << 112.7616068 << false;
}

void TestTrialStatistics::quadraticAndFieller()
{
    QFETCH(QString, file);
    QFETCH(Confidence, level);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(double, residualError);
    QFETCH(double, aicc);
    QFETCH(double, optimum);
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(bool, beyond);
    const TrialStatistics::Analysis a = TrialStatistics::analyse(trial(file), Ratio, level);
    QVERIFY(a.ok);
    QVERIFY(std::abs(a.quadratic.curve.b - b) < 1e-6 * std::abs(b));
    QVERIFY(std::abs(a.quadratic.curve.c - c) < 1e-6 * std::abs(c));
    QVERIFY(std::abs(a.quadratic.residualError - residualError) < 1e-6);
    QVERIFY(std::abs(a.quadratic.aicc - aicc) < 1e-6);
    QVERIFY(a.quadratic.optimum.defined);
    QVERIFY(std::abs(a.quadratic.optimum.n - optimum) < 1e-5);
    compareInterval(a.quadratic.optimum.interval, low, high, 1e-5);
    QCOMPARE(a.quadratic.optimum.beyondTested, beyond);
}

void TestTrialStatistics::plateauFitAndProfile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Confidence>("level");
    QTest::addColumn<bool>("identified");
    QTest::addColumn<double>("join");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("plateau"); // P, the yield on the plateau
    QTest::addColumn<double>("aicc");
    QTest::addColumn<double>("optimum");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<bool>("preferred"); // the plateau by the lower AICc

    QTest::newRow("replicated, 90 %") << "replicada.csv" << Confidence::P90 << true << 108.8112977 << -0.135379089
                                      << 3526.920148 << 245.3745746 << 89.54173641 << 78.93254048 << 100.2620941
                                      << true;
    QTest::newRow("replicated, 95 %") << "replicada.csv" << Confidence::P95 << true << 108.8112977 << -0.135379089
                                      << 3526.920148 << 245.3745746 << 89.54173641 << 76.72391100 << 102.5347288
                                      << true;
    QTest::newRow("treatment means") << "medias.csv" << Confidence::P90 << true << 125.9511916 << -0.09861682168
                                     << 3839.750021 << 81.694133 << 99.49834504 << 88.39320144 << 110.9802956 << false;
    // The join a tenth of a kg/ha past N*, a narrow valley of the profile; below N* a join
    // ever closer past it (a curve all but a step after the first rate) fits about as well,
    // so the interval reaches down to 0.
    QTest::newRow("join just past the optimum")
        << "union_cercana.csv" << Confidence::P95 << true << 6.855690254 << -28.56034124 << 3374.35 << 277.6702291
        << 6.764350461 << 2.749156740e-05 << 17.77662906 << true;
    // Joins beyond the highest rate: not identified, the model is the quadratic's.
    QTest::newRow("no significant curvature") << "sin_curvatura.csv" << Confidence::P90 << false << None << None << None
                                              << None << None << None << None << false;
    QTest::newRow("optimum beyond the highest rate") << "optimo_lejano.csv" << Confidence::P90 << false << None << None
                                                     << None << None << None << None << None << false;
}

void TestTrialStatistics::plateauFitAndProfile()
{
    QFETCH(QString, file);
    QFETCH(Confidence, level);
    QFETCH(bool, identified);
    QFETCH(double, join);
    QFETCH(double, c);
    QFETCH(double, plateau);
    QFETCH(double, aicc);
    QFETCH(double, optimum);
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(bool, preferred);
    const TrialStatistics::Analysis a = TrialStatistics::analyse(trial(file), Ratio, level);
    QCOMPARE(a.plateauIdentified, identified);
    QCOMPARE(a.preferred == TrialStatistics::Model::Plateau, preferred);
    if (!identified) {
        QCOMPARE(a.plateau.curve.plateau, std::nullopt);
        QCOMPARE(a.plateau.sse, a.quadratic.sse);
        QCOMPARE(a.plateau.optimum.n, a.quadratic.optimum.n);
        return;
    }
    const Curves::Quadratic& curve = a.plateau.curve;
    QVERIFY(curve.plateau);
    QVERIFY2(std::abs(*curve.plateau - join) < 1e-4, qPrintable(QString::number(*curve.plateau, 'g', 12)));
    QVERIFY(std::abs(curve.c - c) < 1e-6 * std::abs(c));
    QVERIFY(std::abs(curve.at(1000.0) - plateau) < 1e-3);
    QVERIFY(std::abs(a.plateau.aicc - aicc) < 1e-6);
    QVERIFY(std::abs(a.plateau.optimum.n - optimum) < 1e-4);
    compareInterval(a.plateau.optimum.interval, low, high, 1e-3);
    // The profile at the fit's own optimum is the least residual sum of squares.
    const PlateauFit fit(trial(file));
    QVERIFY(std::abs(fit.profile(optimum, Ratio) - fit.result().sse) < 1e-6 * fit.result().sse);
}

void TestTrialStatistics::texts_data()
{
    QTest::addColumn<bool>("defined");
    QTest::addColumn<bool>("errorKnown");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<bool>("beyond");
    QTest::addColumn<QString>("text");
    QTest::newRow("closed") << true << true << 78.4 << 100.6 << false << QStringLiteral("78 – 101");
    QTest::newRow("beyond") << true << true << 220.0 << 741.6 << true
                            << QStringLiteral("220 – 742; fuera del rango ensayado");
    QTest::newRow("open") << true << true << None << None << false
                          << QStringLiteral("no cierra (respuesta no significativa)");
    QTest::newRow("no maximum") << false << true << None << None << false << QStringLiteral("sin máximo");
    QTest::newRow("three means") << true << false << None << None << false << QStringLiteral("sin grados de libertad");
}

void TestTrialStatistics::texts()
{
    QFETCH(bool, defined);
    QFETCH(bool, errorKnown);
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(bool, beyond);
    QFETCH(QString, text);
    TrialStatistics::Optimum o;
    o.defined = defined;
    o.errorKnown = errorKnown;
    o.interval = {!std::isnan(low), low, high};
    o.beyondTested = beyond;
    QCOMPARE(TrialStatistics::intervalText(o), text);
}

void TestTrialStatistics::crossingLevels_data()
{
    QTest::addColumn<double>("a20");
    QTest::addColumn<double>("b20");
    QTest::addColumn<double>("plateau20"); // NaN: none
    QTest::addColumn<double>("a80");
    QTest::addColumn<QString>("warning");
    // Medio is 2000 + 20 N - 0.08 N² over the range tested, 0 to 150 kg/ha.
    QTest::newRow("in order") << 1900.0 << 20.0 << None << 2100.0 << QString();
    QTest::newRow("20 % above Medio") << 2010.0 << 20.0 << None << 2100.0 << QStringLiteral("20 % sobre Medio");
    QTest::newRow("Medio above 80 %") << 1900.0 << 20.0 << None << 1990.0 << QStringLiteral("Medio sobre 80 %");
    // Steeper, the 20 % curve passes Medio at 50 kg/ha; levelling off at 40 it does not.
    QTest::newRow("steeper 20 %") << 1900.0 << 22.0 << None << 2100.0 << QStringLiteral("20 % sobre Medio");
    QTest::newRow("its plateau below") << 1900.0 << 22.0 << 40.0 << 2100.0 << QString();
}

void TestTrialStatistics::crossingLevels()
{
    QFETCH(double, a20);
    QFETCH(double, b20);
    QFETCH(double, plateau20);
    QFETCH(double, a80);
    PerLevel<std::optional<Curves::Quadratic>> curves;
    curves[Level::P20] = Curves::Quadratic{a20, b20, -0.08, std::nullopt};
    if (!std::isnan(plateau20))
        curves[Level::P20]->plateau = plateau20;
    curves[Level::Medio] = Curves::Quadratic{2000.0, 20.0, -0.08, std::nullopt};
    curves[Level::P80] = Curves::Quadratic{a80, 20.0, -0.08, std::nullopt};
    QTEST(TrialStatistics::crossing(curves, 0.0, 150.0), "warning");
}

QTEST_APPLESS_MAIN(TestTrialStatistics)
#include "tst_trialstatistics.moc"
