#include <QSignalSpy>
#include <QTest>

#include "core/ChartReadOut.h"
#include "core/CurveSelection.h"
#include "core/Curves.h"
#include "core/EconomicInputs.h"
#include "core/EconomicTable.h"
#include "core/ScenarioSlots.h"

// The economic inputs as values, the read-out texts of both charts, and the curve
// selection's slot rules: what the chart windows now only display.
class TestEconomicInputs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prices_data();
    void prices();
    void referenceN_data();
    void referenceN();
    void margin_data();
    void margin();
    void slotRules();
};

void TestEconomicInputs::prices_data()
{
    QTest::addColumn<QString>("grain");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("errorStart"); // empty: both read
    QTest::newRow("both") << " 115 " << "600" << "";
    QTest::newRow("bad grain") << "abc" << "600" << "Precio neto del grano: ";
    QTest::newRow("bad cost") << "115" << "6,0" << "Costo del nitrógeno: ";
    QTest::newRow("both bad: the grain price is named") << "" << "x" << "Precio neto del grano: ";
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
    QTest::newRow("negative") << "-5" << true << true << 40;
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

void TestEconomicInputs::margin_data()
{
    QTest::addColumn<QString>("pointer");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("text");
    const int shown = int(ChartReadOut::Margin::Outcome::Shown);
    const int bad = int(ChartReadOut::Margin::Outcome::BadInput);
    QTest::newRow("at 115") << "115" << "40" << "600" << shown << "52.4";
    QTest::newRow("a reference below 40 counts from 40") << "115" << "10" << "600" << shown << "52.4";
    QTest::newRow("from 100") << "115" << "100" << "600" << shown << "2.0";
    QTest::newRow("pointer not a whole number") << "1.2E3" << "40" << "600" << shown << "0.0";
    QTest::newRow("bad reference") << "115" << "4O" << "600" << bad << "N disp. de referencia: ";
    QTest::newRow("bad cost") << "115" << "40" << "" << bad << "Costo del nitrógeno: ";
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
