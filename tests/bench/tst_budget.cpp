// The benchmark's verdicts: a median against a limit it may not pass (times, sizes, ratios
// to the bare program) or must reach (rates), and the count of rows that fails "make bench".
#include <QTest>

#include "Budget.h"
#include "BudgetTable.h"
#include "Samples.h"

class TestBudget : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void verdict_data();
    void verdict();
    void referencesAndFailures();
};

void TestBudget::verdict_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<double>("limit");
    QTest::addColumn<QList<double>>("figures");
    QTest::addColumn<QList<double>>("bare");
    QTest::addColumn<bool>("within");
    QTest::addColumn<QString>("budgetText");
    using L = QList<double>;
    // The median decides, not the mean or the worst run.
    QTest::newRow("time under") << "atMost" << 15.0 << L{10, 14, 90} << L{} << true << "<= 15.00 ms";
    QTest::newRow("time at limit") << "atMost" << 15.0 << L{15} << L{} << true << "<= 15.00 ms";
    QTest::newRow("time over") << "atMost" << 15.0 << L{1, 16, 17} << L{} << false << "<= 15.00 ms";
    QTest::newRow("rate over") << "atLeast" << 20000.0 << L{2000, 21000, 25000} << L{} << true << ">= 20000 /s";
    QTest::newRow("rate under") << "atLeast" << 20000.0 << L{90000, 19000, 18000} << L{} << false << ">= 20000 /s";
    // 90 / 20 and 61 / 20.
    QTest::newRow("ratio at limit") << "timesBare" << 4.5 << L{90} << L{20} << true << "<= 4.5x bare";
    QTest::newRow("ratio over") << "timesBare" << 3.0 << L{62, 60, 61} << L{20, 21, 19} << false << "<= 3x bare";
    QTest::newRow("no bare figures") << "timesBare" << 3.0 << L{1} << L{} << false << "<= 3x bare";
}

void TestBudget::verdict()
{
    QFETCH(QString, bound);
    QFETCH(double, limit);
    QFETCH(QList<double>, figures);
    QFETCH(QList<double>, bare);
    QFETCH(bool, within);
    QFETCH(QString, budgetText);
    const Budget::Unit unit = bound == "atLeast" ? Budget::Unit::PerSecond : Budget::Unit::Milliseconds;
    const Budget budget = bound == "atMost" ? Budget::atMost(limit, unit)
        : bound == "atLeast"                ? Budget::atLeast(limit, unit)
                                            : Budget::timesBare(limit, unit);
    const auto samples = [](const QList<double>& values) {
        Samples s;
        for (double v : values)
            s.add(v);
        return s;
    };
    BudgetTable table;
    if (budget.isRelative())
        table.add("measure", samples(figures), budget, samples(bare));
    else
        table.add("measure", samples(figures), budget);
    QCOMPARE(budget.text(), budgetText);
    QCOMPARE(table.overBudget(), within ? 0 : 1);
    QVERIFY(table.text().split(u'\n')[1].endsWith(within ? "PASS" : "OVER"));
}

void TestBudget::referencesAndFailures()
{
    BudgetTable table;
    table.addReference("bare", Samples(), Budget::Unit::MiB);
    QCOMPARE(table.overBudget(), 0);
    table.addFailure("not taken", "valgrind is not installed");
    QCOMPARE(table.overBudget(), 1);
}

QTEST_APPLESS_MAIN(TestBudget)
#include "tst_budget.moc"
