#include <cmath>

#include <QTest>

#include "core/Curves.h"
#include "core/EconomicTable.h"
#include "core/NumberText.h"
#include "core/ScenarioSlots.h"

namespace {

EconomicTable agaaTable(double grainPrice = 115, double nCost = 600)
{
    ScenarioSlots model;
    model.confirm(1, "s", "u", "c", "w", "A", "G", "A", "A");
    model.composeAndLookUp(ResponseTable::builtIn());
    EconomicTable table;
    table.fillYields(Curves::capture(model));
    table.rebuild(grainPrice, nCost);
    return table;
}

} // namespace

class TestEconomicTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void agaaCells_data();
    void agaaCells();
    void pointsAsDrawn();
    void incomesAreDifferencesOfRoundedYields();
    void margins_data();
    void margins();
    void marginStopsAtTheLastIncome();
    void neverConfirmedSlotStillComputes();
    void readsWholeNumbers_data();
    void readsWholeNumbers();
};

void TestEconomicTable::agaaCells_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("yield at 40") << 40 << 1 << "2793.90";
    QTest::newRow("yield at 41") << 41 << 1 << "2811.26";
    QTest::newRow("income at 41") << 41 << 10 << "2.00";
    QTest::newRow("income at 114") << 114 << 10 << "0.62";
    QTest::newRow("income at 115") << 115 << 10 << "0.60";
    QTest::newRow("income at 116") << 116 << 10 << "0.58";
    QTest::newRow("income at 189") << 189 << 10 << "-0.79";
    QTest::newRow("cost at 1") << 1 << 19 << "0.60";
    QTest::newRow("cost at 190") << 190 << 19 << "0.60";
    QTest::newRow("heading") << 190 << 0 << "DATO 190";
    QTest::newRow("no income at 40") << 40 << 10 << "";
    QTest::newRow("no income at 190") << 190 << 10 << "";
    QTest::newRow("outside") << 191 << 19 << "";
}

void TestEconomicTable::agaaCells()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, text);
    QCOMPARE(agaaTable().cell(column, row), text);
}

void TestEconomicTable::pointsAsDrawn()
{
    const EconomicTable table = agaaTable();
    const auto income = table.incomePoints(1);
    QCOMPARE(income.size(), size_t(189)); // X = 0 ... 188
    for (int x = 0; x < 40; ++x)
        QVERIFY(std::isnan(income[x]));
    QCOMPARE(income[40], 2.00);
    QCOMPARE(income[113], 0.62);
    QCOMPARE(income[114], 0.60); // meets the cost line at X = 114
    QCOMPARE(income[115], 0.58);
    const auto cost = table.costPoints();
    QCOMPARE(cost.size(), size_t(230)); // X = 0 ... 229
    QVERIFY(std::isnan(cost[39]));
    QCOMPARE(cost[40], 0.60);
    QCOMPARE(cost[229], 0.60);
}

void TestEconomicTable::incomesAreDifferencesOfRoundedYields()
{
    const EconomicTable table = agaaTable(150, 600);
    for (int n = 41; n <= 189; ++n) {
        const double expected = (table.number(n, 1) - table.number(n - 1, 1)) * 0.150;
        QCOMPARE(table.cell(n, 10), NumberText::format(expected, 6, 2));
    }
}

void TestEconomicTable::margins_data()
{
    QTest::addColumn<int>("reference");
    QTest::addColumn<int>("pointer");
    QTest::addColumn<QString>("margin");
    QTest::newRow("at 115") << 40 << 115 << "52.4";
    QTest::newRow("at 100") << 40 << 100 << "50.4";
    QTest::newRow("at the reference") << 40 << 40 << "0.0";
    QTest::newRow("below the reference") << 40 << 20 << "0.0";
    QTest::newRow("one kilogram") << 40 << 41 << "1.4";
    QTest::newRow("from 100 to 115") << 100 << 115 << "2.0";
}

void TestEconomicTable::margins()
{
    QFETCH(int, reference);
    QFETCH(int, pointer);
    QFETCH(QString, margin);
    QCOMPARE(NumberText::format(agaaTable().margin(1, reference, pointer, 0.6), 6, 1), margin);
}

void TestEconomicTable::marginStopsAtTheLastIncome()
{
    const EconomicTable table = agaaTable();
    const double at189 = table.margin(1, 40, 189, 0.6);
    QCOMPARE(table.margin(1, 40, 190, 0.6), at189);
    QCOMPARE(table.margin(1, 40, 100000, 0.6), at189);
    QVERIFY(std::isfinite(at189));
}

void TestEconomicTable::neverConfirmedSlotStillComputes()
{
    const EconomicTable table = agaaTable();
    // Slot 1 at 20 % is filled; slot 2 at 20 % still holds "49", "50", "51".
    QCOMPARE(table.cell(40, 8), NumberText::format(49 + 50 * 40 + 51 * 1600, 6, 2));
    QVERIFY(std::isfinite(table.number(41, EconomicTable::incomeRow(8))));
}

void TestEconomicTable::readsWholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("40") << "40" << true << 40;
    QTest::newRow("blanks") << " 117 " << true << 117;
    QTest::newRow("0000") << "0000" << true << 0;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("decimal") << "40.5" << false << 0;
    QTest::newRow("exponent") << "4e1" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("text") << "abc" << false << 0;
    QTest::newRow("too large") << "99999999999" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
}

void TestEconomicTable::readsWholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    const auto reading = NumberText::readInteger(text);
    QCOMPARE(reading.ok, ok);
    if (ok)
        QCOMPARE(reading.value, double(value));
    else
        QVERIFY(reading.error.contains(u'\'' + text + u'\''));
}

QTEST_APPLESS_MAIN(TestEconomicTable)
#include "tst_economictable.moc"
