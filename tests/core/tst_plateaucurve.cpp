#include <QTest>

#include "core/EconomicTable.h"
#include "core/RateAdvice.h"
#include "core/ResponseTableReader.h"
#include "core/SlotRecord.h"
#include "core/YieldTable.h"

using namespace Qt::StringLiterals;

// A curve with a plateau travels from the CSV table through the table's lines and the
// slots' texts to every evaluation: flat from where the plateau starts.
namespace {

const QByteArray WithPlateau = "codigo,nivel,a,b,c,meseta\n"
                               "AGAA,20,1900,22,-0.1,\n"
                               "AGAA,Medio,2000,25,-0.1,100.5\n"
                               "AGAA,80,2100,26,-0.1,\n";

} // namespace

class TestPlateauCurve : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void travelsThroughTableAndSlot();
    void badPlateauIsRefused_data();
    void badPlateauIsRefused();
    void flatInEveryEvaluation();
};

void TestPlateauCurve::travelsThroughTableAndSlot()
{
    const auto read = ResponseTableReader::readCsv(WithPlateau, QStringLiteral("t.csv"));
    QVERIFY2(read.ok, qPrintable(read.error));
    const ResponseTable table = ResponseTableReader::apply(ResponseTable::builtIn(), read.set);
    QCOMPARE(table.validate(), QStringList());
    QCOMPARE(table.lines(Level::Medio).first(), QStringLiteral("AGAA 2000.0 25.000  -0.1000  100.5"));
    QCOMPARE(table.lines(Level::P20).first().size(), 27);

    SlotRecord slot = SlotRecord::initial(1);
    slot.code = QStringLiteral("AGAA");
    QVERIFY(slot.lookUp(table));
    QCOMPARE(slot.at(Level::Medio).plateau, QStringLiteral(" 100.5"));
    QCOMPARE(slot.at(Level::P80).plateau, QString());
    const Curves::Quadratic medio = Curves::fromTexts(slot.at(Level::Medio));
    QCOMPARE(medio.plateau, std::optional(100.5));
    QCOMPARE(medio.at(150.0), 2000.0 + 25.0 * 100.5 - 0.1 * 100.5 * 100.5);

    // Written out and read back, the same lines; the meseta column only with plateaus.
    const QByteArray csv = ResponseTableReader::exportCsv(table);
    QVERIFY(csv.startsWith("codigo,nivel,a,b,c,meseta\nAGAA,20,1900.0,22.000,-0.1000,\nAGAA,Medio,2000.0,25.000,"
                           "-0.1000,100.5\n"));
    const auto back = ResponseTableReader::readCsv(csv, QStringLiteral("exportada.csv"));
    QVERIFY2(back.ok, qPrintable(back.error));
    QCOMPARE(ResponseTableReader::apply(ResponseTable::builtIn(), back.set).lines(Level::Medio),
             table.lines(Level::Medio));
    QVERIFY(ResponseTableReader::exportCsv(ResponseTable::builtIn()).startsWith("codigo,nivel,a,b,c\n"));

    // Values finer than the columns hold: a line of tab-separated fields, the plateau last.
    QByteArray fine = WithPlateau;
    fine.replace("2000,25,-0.1,100.5", "2000.25,25.125,-0.10125,100.55");
    const ResponseTable tabbed =
        ResponseTableReader::apply(ResponseTable::builtIn(), ResponseTableReader::readCsv(fine, u"t.csv"_s).set);
    QCOMPARE(tabbed.lines(Level::Medio).first(), u"AGAA\t2000.25\t25.125\t-0.10125\t100.55"_s);
    QCOMPARE(tabbed.validate(), QStringList());
    QCOMPARE(Curves::fromTexts(tabbed.coefficients(Level::Medio, 0)).plateau, std::optional(100.55));
}

void TestPlateauCurve::badPlateauIsRefused_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("error");
    QTest::newRow("not a number") << QByteArray("AGAA,Medio,2000,25,-0.1,cien")
                                  << "t.csv, línea 3, columna 6 (meseta): 'cien' no es un número";
    QTest::newRow("beyond any trial") << QByteArray("AGAA,Medio,2000,25,-0.1,1500")
                                      << "t.csv, línea 3, columna 6 (meseta): meseta = 1500 fuera del rango admitido "
                                         "(0 a 1000)";
    QTest::newRow("negative") << QByteArray("AGAA,Medio,2000,25,-0.1,-5")
                              << "t.csv, línea 3, columna 6 (meseta): meseta = -5 fuera del rango admitido (0 a 1000)";
}

void TestPlateauCurve::badPlateauIsRefused()
{
    QFETCH(QByteArray, line);
    QByteArray bytes = WithPlateau;
    bytes.replace("AGAA,Medio,2000,25,-0.1,100.5", line);
    const auto read = ResponseTableReader::readCsv(bytes, QStringLiteral("t.csv"));
    QVERIFY(!read.ok);
    QTEST(read.error, "error");
    // A plateau in a fixed-column file is text after column 27, as ever.
    const auto fixed = ResponseTableReader::readFixedColumns(
        {QByteArray("AGAA 1885.9 15.770  -0.0529  100.5\n"), QByteArray("AGAA 1885.9 15.770  -0.0529\n"),
         QByteArray("AGAA 1885.9 15.770  -0.0529\n")},
        {QStringLiteral("20.txt"), QStringLiteral("medio.txt"), QStringLiteral("80.txt")});
    QCOMPARE(fixed.error, QStringLiteral("20.txt, línea 1, columna 28 y siguientes: texto después de la columna 27"));
}

void TestPlateauCurve::flatInEveryEvaluation()
{
    // Medio: 2000 + 25 N - 0.1 N² levelling off at 100 kg/ha (3500 kg/ha), below its
    // maximum at 125; the two other curves without a plateau.
    std::array<Curves::Quadratic, Curves::Count> curves{};
    for (Curves::Quadratic& c : curves)
        c = {2000.0, 25.0, -0.1, std::nullopt};
    curves[0].plateau = 100.0;
    YieldTable yields;
    yields.build(curves);
    QCOMPARE(yields.cell(100, 1), QStringLiteral("3500.00"));
    QCOMPARE(yields.cell(150, 1), QStringLiteral("3500.00"));
    QCOMPARE(yields.cell(150, 2), QStringLiteral("3500.00")); // 2000 + 3750 - 2250, past its maximum
    QCOMPARE(yields.cell(125, 2), QStringLiteral("3562.50"));

    EconomicTable table;
    table.fillYields(curves);
    table.rebuild(115.0, 600.0);
    QCOMPARE(table.cell(101, EconomicTable::incomeRow(1)), QStringLiteral("0.00"));
    // At 5.2 kg of grain per kg of N the quadratic pays up to (5.22 - 25)/(-0.2) = 98.9
    // kg/ha; the plateau at 100 does not move that, while at free N it stops the dose.
    const RateAdvice::Optimum paid = RateAdvice::optimum(table, 1, curves[0], {40, 0.6}, 0.0);
    QCOMPARE(paid.optimumN, 99);
    table.rebuild(115.0, 0.0);
    QCOMPARE(RateAdvice::optimum(table, 1, curves[0], {40, 0.0}, 0.0).optimumN, 100);
    QCOMPARE(RateAdvice::optimum(table, 2, curves[1], {40, 0.0}, 0.0).optimumN, 125);
}

QTEST_APPLESS_MAIN(TestPlateauCurve)
#include "tst_plateaucurve.moc"
