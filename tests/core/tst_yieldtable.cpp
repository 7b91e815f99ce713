#include <cmath>

#include <QTest>

#include "core/Curves.h"
#include "core/ScenarioSlots.h"
#include "core/YieldTable.h"

namespace {

// Slots filled through the dialog's path: confirm, then "Graficar".
void fill(ScenarioSlots& model, int slot, const QString& code)
{
    model.confirm(slot, "s", "u", "c", "w", code.mid(0, 1), code.mid(1, 1), code.mid(2, 1), code.mid(3, 1));
}

} // namespace

class TestYieldTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void curveNumbers_data();
    void curveNumbers();
    void agaaCells_data();
    void agaaCells();
    void pointsComeFromTheRoundedTexts();
    void headingsAndUnusedCells();
    void unconfirmedSlotsStillCompute();
    void badCoefficientLeavesOnlyItsCurveUndefined();
    void straightAndRisingCurves();
};

void TestYieldTable::curveNumbers_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("name");
    QTest::newRow("1") << 1 << 1 << int(Level::Medio) << "Escenario1-Medio";
    QTest::newRow("2") << 2 << 2 << int(Level::Medio) << "Escenario2-Medio";
    QTest::newRow("3") << 3 << 3 << int(Level::Medio) << "Escenario3-Medio";
    QTest::newRow("4") << 4 << 1 << int(Level::P80) << "Escenario1-80%";
    QTest::newRow("6") << 6 << 3 << int(Level::P80) << "Escenario3-80%";
    QTest::newRow("7") << 7 << 1 << int(Level::P20) << "Escenario1-20%";
    QTest::newRow("8") << 8 << 2 << int(Level::P20) << "Escenario2-20%";
    QTest::newRow("9") << 9 << 3 << int(Level::P20) << "Escenario3-20%";
}

void TestYieldTable::curveNumbers()
{
    QFETCH(int, k);
    QFETCH(int, slot);
    QFETCH(int, level);
    QFETCH(QString, name);
    QCOMPARE(Curves::key(k).slot, slot);
    QCOMPARE(int(Curves::key(k).level), level);
    QCOMPARE(Curves::number(slot, Level(level)), k);
    QCOMPARE(Curves::readOutName(k), name);
}

void TestYieldTable::agaaCells_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("Medio N 100") << 1 << 100 << "3545.10";
    QTest::newRow("Medio N 101") << 1 << 101 << "3552.62";
    QTest::newRow("Medio N 41") << 1 << 41 << "2811.26";
    QTest::newRow("Medio N 99") << 1 << 99 << "3537.42";
    QTest::newRow("Medio N 40") << 1 << 40 << "2793.90";
    QTest::newRow("80 % N 100") << 4 << 100 << QString::number(2243.1 + 2721 - 920, 'f', 2);
    QTest::newRow("20 % N 190") << 7 << 190 << "2972.51";
}

void TestYieldTable::agaaCells()
{
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(QString, text);
    ScenarioSlots model;
    fill(model, 1, QStringLiteral("AGAA"));
    model.composeAndLookUp(ResponseTable::builtIn());
    YieldTable table;
    table.build(Curves::capture(model));
    QCOMPARE(table.cell(n, k), text);
}

void TestYieldTable::pointsComeFromTheRoundedTexts()
{
    ScenarioSlots model;
    fill(model, 1, QStringLiteral("AGAA"));
    model.composeAndLookUp(ResponseTable::builtIn());
    YieldTable table;
    table.build(Curves::capture(model));
    const std::vector<double> points = table.points(1);
    QCOMPARE(points.size(), size_t(190));
    for (int x = 0; x < 40; ++x)
        QVERIFY(std::isnan(points[x]));
    QCOMPARE(points[40], 2811.26);  // the yield at N = 41
    QCOMPARE(points[100], 3552.62); // the point at X = 100 carries N = 101
    QCOMPARE(points[189], table.cell(190, 1).toDouble());
    // Exactly the rounded text, not the unrounded yield.
    const double unrounded = 1965.1 + 24.0 * 101 - 0.082 * 101 * 101;
    QVERIFY(points[100] != unrounded);
}

void TestYieldTable::headingsAndUnusedCells()
{
    ScenarioSlots model;
    YieldTable table;
    table.build(Curves::capture(model));
    QCOMPARE(table.cell(1, 0), QStringLiteral("DATO 1"));
    QCOMPARE(table.cell(190, 0), QStringLiteral("DATO 190"));
    QVERIFY(table.cell(0, 0).isEmpty());
    QVERIFY(table.cell(39, 1).isEmpty());
    QVERIFY(!table.cell(40, 9).isEmpty());
    QVERIFY(table.cell(191, 1).isEmpty());
    QVERIFY(table.cell(100, 10).isEmpty());
    QVERIFY(table.cell(-1, -1).isEmpty());
}

void TestYieldTable::unconfirmedSlotsStillCompute()
{
    // Slot 2 never matched: its Medio curve is 52 + 53 N + 54 N².
    ScenarioSlots model;
    model.composeAndLookUp(ResponseTable::builtIn());
    YieldTable table;
    table.build(Curves::capture(model));
    QCOMPARE(table.cell(40, 2), QStringLiteral("88572.00")); // 52 + 2120 + 86400
    QStringList errors;
    Curves::capture(model, &errors);
    QVERIFY(errors.isEmpty());
}

void TestYieldTable::badCoefficientLeavesOnlyItsCurveUndefined()
{
    ScenarioSlots model;
    fill(model, 1, QStringLiteral("AGAA"));
    model.composeAndLookUp(ResponseTable::builtIn());
    auto curves = Curves::capture(model);

    // A coefficient text that cannot be read (cannot happen in use) is named, once.
    CoefficientTexts texts = model.slot(1).at(Level::P80);
    texts.b = QStringLiteral("27,210 ");
    QStringList errors;
    curves[3] = Curves::fromTexts(texts, &errors);
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].contains(QStringLiteral("'27,210 '")));
    QVERIFY(std::isnan(curves[3].a));

    YieldTable table;
    table.build(curves);
    QVERIFY(table.cell(100, 4).isEmpty());
    QVERIFY(std::isnan(table.points(4)[100]));
    QCOMPARE(table.cell(100, 1), QStringLiteral("3545.10"));
    QCOMPARE(table.points(1)[100], 3552.62);
}

void TestYieldTable::straightAndRisingCurves()
{
    ScenarioSlots model;
    fill(model, 1, QStringLiteral("EQBA")); // 20 %: c "-0.0000", a straight line
    fill(model, 2, QStringLiteral("DDDB")); // 20 %: c " 0.0001", rising without a maximum
    model.composeAndLookUp(ResponseTable::builtIn());
    YieldTable table;
    table.build(Curves::capture(model));
    QCOMPARE(table.cell(100, 7), QStringLiteral("1736.00")); // 1443.0 + 2.93 * 100
    QCOMPARE(table.cell(190, 8), QStringLiteral("2723.31")); // 2282.7 + 437 + 3.61
}

QTEST_APPLESS_MAIN(TestYieldTable)
#include "tst_yieldtable.moc"
