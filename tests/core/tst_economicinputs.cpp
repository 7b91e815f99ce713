#include <QSignalSpy>
#include <QTest>

#include "core/ChartReadOut.h"
#include "core/CurveSelection.h"
#include "core/Curves.h"
#include "core/EconomicInputs.h"
#include "core/EconomicTable.h"
#include "core/FertiliserProducts.h"
#include "core/NitrogenCost.h"
#include "core/ScenarioSlots.h"
#include "core/SoilNitrogen.h"

// The economic inputs as values, the ranges of every number an adviser types, the
// read-out texts of both charts, and the curve selection's slot rules: what the windows
// now only display.
class TestEconomicInputs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prices_data();
    void prices();
    void referenceN_data();
    void referenceN();
    void ranges_data();
    void ranges();
    void margin_data();
    void margin();
    void slotRules();
};

void TestEconomicInputs::prices_data()
{
    QTest::addColumn<QString>("grain");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("errorStart"); // empty: both read
    QTest::newRow("both") << " 115 "
                          << "600"
                          << "";
    QTest::newRow("bad grain") << "abc"
                               << "600"
                               << "Precio neto del grano: ";
    QTest::newRow("bad cost") << "115"
                              << "6,0"
                              << "Costo del nitrógeno: ";
    QTest::newRow("both bad: the grain price is named") << ""
                                                        << "x"
                                                        << "Precio neto del grano: ";
}

void TestEconomicInputs::prices()
{
    QFETCH(QString, grain);
    QFETCH(QString, cost);
    QFETCH(QString, errorStart);
    const EconomicInputs::Prices prices = EconomicInputs::readPrices(grain, cost);
    QCOMPARE(prices.ok(), errorStart.isEmpty());
    if (prices.ok()) {
        QCOMPARE(prices.grainPrice, 115.0);
        QCOMPARE(prices.nCostPerKg(), 0.6);
    } else {
        QVERIFY2(prices.error.startsWith(errorStart), qPrintable(prices.error));
    }
}

void TestEconomicInputs::referenceN_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("belowLowest");
    QTest::addColumn<int>("effective");
    QTest::newRow("typed 60") << "60" << true << false << 60;
    QTest::newRow("the lowest") << "40" << true << false << 40;
    QTest::newRow("below") << " 39" << true << true << 40;
    QTest::newRow("zero") << "0" << true << true << 40;
    QTest::newRow("negative") << "-5" << false << false << 0;
    QTest::newRow("highest") << "1000" << true << false << 1000;
    QTest::newRow("above the highest") << "1001" << false << false << 0;
    QTest::newRow("decimal") << "40.5" << false << false << 0;
    QTest::newRow("exponent form") << "1.355E4" << false << false << 0;
}

void TestEconomicInputs::referenceN()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    const EconomicInputs::ReferenceN reference = EconomicInputs::readReferenceN(text);
    QCOMPARE(reference.ok(), ok);
    if (!ok) {
        QVERIFY(reference.error.startsWith(QStringLiteral("N disp. de referencia: ")));
        return;
    }
    QTEST(reference.belowLowest(), "belowLowest");
    QTEST(reference.effective(), "effective");
}

namespace {

// What reading `text` in `field` says, through the calculation that reads that field, with
// every other entry sound: empty when the text is accepted.
QString refusal(const QString& field, const QString& text)
{
    constexpr int Urea = 1;
    constexpr int Dap = 5;
    const QString d = QStringLiteral("1300");
    if (field == u"grain")
        return EconomicInputs::readGrainPrice(text).error;
    if (field == u"cost")
        return EconomicInputs::readNCost(text).error;
    if (field == u"reference")
        return EconomicInputs::readReferenceN(text).error;
    if (field == u"nitrate")
        return SoilNitrogen::mineralNitrogen({"60", "30.0", text}).message;
    if (field == u"mineral N")
        return SoilNitrogen::soilNitrogen({text, "6.8", "3.4"}, {d, d, d}).message;
    if (field == u"density")
        return SoilNitrogen::soilNitrogen({"13.5", "6.8", "3.4"}, {d, text, d}).message;
    if (field == u"amount")
        return SoilNitrogen::availableNitrogen("50", Dap, text, Urea, "61.6").message;
    if (field == u"soil N")
        return SoilNitrogen::availableNitrogen("50", Dap, "100", Urea, text).message;
    return NitrogenCost::calculate(text, Urea).message; // fertiliser price
}

} // namespace

void TestEconomicInputs::ranges_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");  // empty: accepted
    QTest::addColumn<QString>("range"); // what the message says is accepted
    const QString grain = QStringLiteral("Precio neto del grano");
    const QString grainRange = QStringLiteral("un valor mayor que 0 y hasta 10000 U$S/Tn.");
    const QString cost = QStringLiteral("Costo del nitrógeno");
    const QString costRange = QStringLiteral("un valor de 0 a 100000 U$S/Tn.");
    const QString reference = QStringLiteral("N disp. de referencia");
    const QString referenceRange = QStringLiteral("un número entero de 0 a 1000 Kg/ha.");
    const QString fertiliser = QStringLiteral("Costo del fertilizante");
    const QString fertiliserRange = QStringLiteral("un valor de 0 a 10000 U$S / tn");

    QTest::newRow("grain price") << "grain"
                                 << "115"
                                 << ""
                                 << "";
    QTest::newRow("grain price highest") << "grain"
                                         << "10000"
                                         << ""
                                         << "";
    QTest::newRow("grain price negative") << "grain"
                                          << "-115" << grain << grainRange;
    QTest::newRow("grain price zero") << "grain"
                                      << "0" << grain << grainRange;
    QTest::newRow("grain price above") << "grain"
                                       << "10000.5" << grain << grainRange;
    QTest::newRow("grain price too large") << "grain"
                                           << "1e400" << grain << grainRange;
    QTest::newRow("N cost zero") << "cost"
                                 << "0"
                                 << ""
                                 << "";
    QTest::newRow("N cost highest") << "cost"
                                    << "100000"
                                    << ""
                                    << "";
    QTest::newRow("N cost negative") << "cost"
                                     << "-1" << cost << costRange;
    QTest::newRow("N cost 1e308") << "cost"
                                  << "1e308" << cost << costRange;
    QTest::newRow("reference zero, warned later") << "reference"
                                                  << "0"
                                                  << ""
                                                  << "";
    QTest::newRow("reference highest") << "reference"
                                       << "1000"
                                       << ""
                                       << "";
    QTest::newRow("reference negative") << "reference"
                                        << "-5" << reference << referenceRange;
    QTest::newRow("reference above") << "reference"
                                     << "1001" << reference << referenceRange;
    QTest::newRow("reference 400 digits") << "reference" << QString(400, u'9') << reference << referenceRange;
    QTest::newRow("nitrate zero") << "nitrate"
                                  << "0"
                                  << ""
                                  << "";
    QTest::newRow("nitrate highest") << "nitrate"
                                     << "1000"
                                     << ""
                                     << "";
    QTest::newRow("nitrate negative") << "nitrate"
                                      << "-5"
                                      << "Concentración de nitratos 40-60 Cm"
                                      << "un valor de 0 a 1000 ppm NO3";
    QTest::newRow("nitrate above") << "nitrate"
                                   << "1000.1"
                                   << "Concentración de nitratos 40-60 Cm"
                                   << "un valor de 0 a 1000 ppm NO3";
    QTest::newRow("mineral N highest") << "mineral N"
                                       << "225"
                                       << ""
                                       << "";
    QTest::newRow("mineral N negative") << "mineral N"
                                        << "-0.1"
                                        << "Concentración de N mineral 0-20 Cm"
                                        << "un valor de 0 a 225 ppm N";
    QTest::newRow("density lowest") << "density"
                                    << "500"
                                    << ""
                                    << "";
    QTest::newRow("density highest") << "density"
                                     << "2000"
                                     << ""
                                     << "";
    QTest::newRow("density in g/cm3") << "density"
                                      << "1.3"
                                      << "Densidad aparente 20-40 Cm"
                                      << "un valor de 500 a 2000 Kg/m3";
    QTest::newRow("density above") << "density"
                                   << "2001"
                                   << "Densidad aparente 20-40 Cm"
                                   << "un valor de 500 a 2000 Kg/m3";
    QTest::newRow("amount zero") << "amount"
                                 << "0"
                                 << ""
                                 << "";
    QTest::newRow("amount highest") << "amount"
                                    << "5000"
                                    << ""
                                    << "";
    QTest::newRow("amount negative") << "amount"
                                     << "-5"
                                     << "Kg agregados del fertilizante 2"
                                     << "un valor de 0 a 5000 kg/ha";
    QTest::newRow("amount 50 000") << "amount"
                                   << "50000"
                                   << "Kg agregados del fertilizante 2"
                                   << "un valor de 0 a 5000 kg/ha";
    QTest::newRow("soil N negative") << "soil N"
                                     << "-1"
                                     << "N mineral en suelo"
                                     << "un valor de 0 a 2700 kg/ha";
    QTest::newRow("fertiliser given away") << "price"
                                           << "0"
                                           << ""
                                           << "";
    QTest::newRow("fertiliser highest") << "price"
                                        << "10000"
                                        << ""
                                        << "";
    QTest::newRow("fertiliser negative") << "price"
                                         << "-5" << fertiliser << fertiliserRange;
    QTest::newRow("fertiliser above") << "price"
                                      << "10001" << fertiliser << fertiliserRange;
}

void TestEconomicInputs::ranges()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QString, range);
    const QString message = refusal(field, text);
    if (name.isEmpty()) {
        QVERIFY2(message.isEmpty(), qPrintable(message));
        return;
    }
    // The field, the value as typed and what is accepted, in the adviser's words.
    QVERIFY2(message.startsWith(name + QStringLiteral(": '") + text + u'\''), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("se acepta ") + range), qPrintable(message));
}

void TestEconomicInputs::margin_data()
{
    QTest::addColumn<QString>("pointer");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("text");
    const int shown = int(ChartReadOut::Margin::Outcome::Shown);
    const int bad = int(ChartReadOut::Margin::Outcome::BadInput);
    QTest::newRow("at 115") << "115"
                            << "40"
                            << "600" << shown << "52.4";
    QTest::newRow("a reference below 40 counts from 40") << "115"
                                                         << "10"
                                                         << "600" << shown << "52.4";
    QTest::newRow("from 100") << "115"
                              << "100"
                              << "600" << shown << "2.0";
    QTest::newRow("pointer not a whole number") << "1.2E3"
                                                << "40"
                                                << "600" << shown << "0.0";
    QTest::newRow("bad reference") << "115"
                                   << "4O"
                                   << "600" << bad << "N disp. de referencia: ";
    QTest::newRow("bad cost") << "115"
                              << "40"
                              << "" << bad << "Costo del nitrógeno: ";
}

void TestEconomicInputs::margin()
{
    QFETCH(QString, pointer);
    QFETCH(QString, reference);
    QFETCH(QString, cost);
    QFETCH(int, outcome);
    QFETCH(QString, text);
    ScenarioSlots model;
    model.confirm(1, "s", "u", "c", "w", "A", "G", "A", "A");
    model.composeAndLookUp(ResponseTable::builtIn());
    EconomicTable table;
    table.fillYields(Curves::capture(model));
    table.rebuild(115, 600);
    const ChartReadOut::Margin margin = ChartReadOut::margin(table, 1, pointer, reference, cost);
    QCOMPARE(int(margin.outcome), outcome);
    QVERIFY2(margin.text.startsWith(text), qPrintable(margin.text));
}

void TestEconomicInputs::slotRules()
{
    ScenarioSlots model;
    CurveSelection selection;
    QCOMPARE(selection.shownCurves(), (std::array<bool, 9>{true, true, true}));

    model.confirm(1, "s", "u", "c", "w", "A", "G", "A", "A");
    model.confirm(3, "s", "u", "c", "w", "A", "G", "A", "A");
    model.setActive(3, false);
    selection.setShown(Curves::number(1, Level::P80), true);
    selection.setShown(Curves::number(1, Level::Medio), false);
    QSignalSpy shown(&selection, &CurveSelection::shownChanged);
    selection.applySlotRules(model);
    // Slot 1 active: Medio back, 80 % kept; slots 2 and 3 inactive: hidden, not offered.
    QCOMPARE(selection.shownCurves(), (std::array<bool, 9>{true, false, false, true}));
    QCOMPARE(shown.count(), 3); // slot 1 Medio on, slot 2 and 3 Medio off
    QVERIFY(selection.isOffered(1));
    QVERIFY(!selection.isOffered(2));
    QVERIFY(!selection.isOffered(3));
    selection.applySlotRules(model);
    QCOMPARE(shown.count(), 3); // nothing changed, nothing announced
}

QTEST_APPLESS_MAIN(TestEconomicInputs)
#include "tst_economicinputs.moc"
