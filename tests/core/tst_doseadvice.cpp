#include <QTest>

#include "core/DoseAdvice.h"
#include "core/FertiliserProducts.h"
#include "core/ReportContent.h"

namespace {

using Quadratic = Curves::Quadratic;

// Slot 1 (and slot 3 when asked) active with one curve per level; only Escenario1-Medio shown.
struct Case {
    EconomicSituation::State state;
    DoseAdvice::Inputs in;

    Case(const Quadratic& medio, double price, double cost, int reference = 40)
    {
        for (int k = 1; k <= Curves::Count; ++k)
            state.curves[static_cast<size_t>(k - 1)] = {medio.a, medio.b * (1 + 0.05 * (k - 1)), medio.c};
        state.table.fillYields(state.curves);
        state.table.rebuild(price, cost);
        state.grainPrice = price;
        state.nCost = cost;
        state.referenceN = reference;
        in.economics = &state;
        in.shown[0] = true;
        SlotRecord& r = in.scenarioSlots[0];
        r.active = true;
        r.siteName = QStringLiteral("Paraná");
        r.unitName = QStringLiteral("Tacuara");
        r.cultivarName = QStringLiteral("Guapo");
        r.waterName = QStringLiteral("Seco");
    }
};

} // namespace

class TestDoseAdvice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recommendationAgreesWithTheTable_data();
    void recommendationAgreesWithTheTable();
    void basisNamesTheWorkingBehindIt_data();
    void basisNamesTheWorkingBehindIt();
    void fileNameFromTheCase_data();
    void fileNameFromTheCase();
};

void TestDoseAdvice::recommendationAgreesWithTheTable_data()
{
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("cost");
    QTest::addColumn<int>("product");
    QTest::addColumn<bool>("pays");
    // The last kilogram that earns more than it costs, b + c (2N - 1) > cost / price, is N = 123
    // at b 20, c -0.06, 115 U$S/t and 600 U$S/t; below the reference of 40 when the curve barely rises.
    QTest::newRow("pays, urea") << 20.0 << 600.0 << 1 << true;
    QTest::newRow("pays, no product") << 20.0 << 600.0 << -1 << true;
    QTest::newRow("does not pay") << 4.0 << 1500.0 << 1 << false;
}

void TestDoseAdvice::recommendationAgreesWithTheTable()
{
    QFETCH(double, b);
    QFETCH(double, cost);
    QFETCH(int, product);
    QFETCH(bool, pays);
    Case c({1500, b, -0.06}, 115, cost);
    c.in.product = product;
    const DoseAdvice::Result r = DoseAdvice::compute(c.in);
    QCOMPARE(r.recommendation.size(), 1);
    const QStringList row = r.optimumTable.rows.value(0);
    QCOMPARE(row.value(0), QStringLiteral("Escenario1-Medio"));
    const QString line = r.recommendation.first();
    QVERIFY2(line.startsWith(QStringLiteral("Escenario 1 (Paraná, Tacuara, Seco, Guapo): ")), qPrintable(line));
    if (!pays) {
        QVERIFY(row.value(8).startsWith(QStringLiteral("No conviene agregar N")));
        // No range that reads as a contradiction of "do not add".
        QVERIFY2(line.contains(QStringLiteral("no conviene agregar N")) && !line.contains(QStringLiteral("rango")),
                 qPrintable(line));
        return;
    }
    const QString amount = product < 0 ? QString()
                                       : QStringLiteral(" (%1 kg/ha de %2)")
                                             .arg(qRound(row.value(2).toInt() / FertiliserProducts::nFraction(product)))
                                             .arg(FertiliserProducts::names().at(product));
    QCOMPARE(line.section(QStringLiteral(": "), 1),
             QStringLiteral("aplicar %1 kg N/ha%2, N disponible objetivo %3 kg/ha; rango rentable %4 kg/ha.")
                 .arg(row.value(2), amount, row.value(1), row.value(7)));
    QVERIFY(qAbs(row.value(1).toInt() - 123) <= 1);
}

void TestDoseAdvice::basisNamesTheWorkingBehindIt_data()
{
    QTest::addColumn<bool>("assistant");
    QTest::addColumn<QString>("fertiliserN");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("data");
    QTest::newRow("typed, built-in table") << false << "" << int(AdviserCase::DataSource::BuiltIn) << "761"
                                           << "85"
                                           << "incorporados (tabla del programa)";
    QTest::newRow("assistants, own table")
        << true << "20" << int(AdviserCase::DataSource::Table)
        << "761, calculado para UREA - 46% a 350 U$S/t de producto"
        << "85, del análisis de suelo: 65 kg N/ha en el suelo de 0 a 60 cm y 20 kg N/ha de fertilizante ya aplicado"
        << "propia.csv";
    QTest::newRow("no fertiliser applied")
        << true << "0" << int(AdviserCase::DataSource::Fits) << "761, calculado para UREA - 46% a 350 U$S/t de producto"
        << "85, del análisis de suelo: 65 kg N/ha en el suelo de 0 a 60 cm"
        << "propia.csv";
}

void TestDoseAdvice::basisNamesTheWorkingBehindIt()
{
    QFETCH(bool, assistant);
    QFETCH(QString, fertiliserN);
    QFETCH(int, source);
    QFETCH(QString, cost);
    QFETCH(QString, reference);
    QFETCH(QString, data);
    Case c({1500, 20, -0.06}, 115, 761, 85);
    if (assistant) {
        c.in.costSource = AdviserCase::CostSource{1, QStringLiteral("350"), QStringLiteral("761")};
        AdviserCase::SoilSample sample;
        sample.soilN = QStringLiteral("65");
        sample.fertiliserN = fertiliserN;
        sample.referenceN = QStringLiteral("85");
        c.in.soilSample = sample;
    }
    c.in.dataSource = static_cast<AdviserCase::DataSource>(source);
    if (c.in.dataSource != AdviserCase::DataSource::BuiltIn)
        c.in.dataLabel = QStringLiteral("propia.csv");
    c.in.settings.tolerance = QStringLiteral(" 5");
    const QStringList lines = DoseAdvice::basisLines(c.in);
    QCOMPARE(lines.mid(0, 6),
             (QStringList{QStringLiteral("Precio neto del grano (U$S/t): 115"),
                          QStringLiteral("Costo del N (U$S/t de N): ") + cost,
                          QStringLiteral("N disponible de referencia (kg/ha): ") + reference,
                          QStringLiteral("Tolerancia (U$S/ha): 5"),
                          QStringLiteral("Pesos 20 % / Medio / 80 %: 0.25 / 0.50 / 0.25"),
                          QStringLiteral("Datos: ") + data}));
    // Placeholder curves are said to be so while any of them is in use.
    QCOMPARE(lines.size(), c.in.dataSource == AdviserCase::DataSource::Table ? 6 : 7);
}

void TestDoseAdvice::fileNameFromTheCase_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("season");
    QTest::addColumn<QString>("name");
    QTest::newRow("field and season") << ""
                                      << "Lote 7"
                                      << "2026"
                                      << "Informe Lote 7 - Campaña 2026.pdf";
    QTest::newRow("season named") << "Pérez"
                                  << "Lote 7"
                                  << "Campaña 2026"
                                  << "Informe Lote 7 - Campaña 2026.pdf";
    QTest::newRow("client only") << "Pérez"
                                 << ""
                                 << ""
                                 << "Informe Pérez.pdf";
    QTest::newRow("separators") << ""
                                << "Lote 3/4"
                                << "2026/27"
                                << "Informe Lote 3-4 - Campaña 2026-27.pdf";
    QTest::newRow("nothing") << ""
                             << "  "
                             << ""
                             << "Informe de fertilización nitrogenada.pdf";
}

void TestDoseAdvice::fileNameFromTheCase()
{
    QFETCH(QString, client);
    QFETCH(QString, field);
    QFETCH(QString, season);
    QFETCH(QString, name);
    ReportContent content;
    content.identity = {client, field, season, QString(), QString()};
    QCOMPARE(content.fileName(QStringLiteral("pdf")), name);
}

QTEST_APPLESS_MAIN(TestDoseAdvice)
#include "tst_doseadvice.moc"
