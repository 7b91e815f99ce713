#include <cmath>

#include <QTest>

#include "core/FertiliserProducts.h"
#include "core/NitrogenCost.h"
#include "core/NumberText.h"

namespace {

constexpr int AmmoniumNitrate = 0;
constexpr int Urea = 1;
constexpr int AmmoniumSulphate = 4;
constexpr int Dap = 5;
constexpr int Map = 6;

bool looksBroken(const QString& text)
{
    return text.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

} // namespace

class TestNitrogenCost : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void products_data();
    void products();
    void noProductCarriesNoNitrogen();
    void calculates_data();
    void calculates();
    void refuses_data();
    void refuses();
    void returnTexts_data();
    void returnTexts();
    void hostilePrices_data();
    void hostilePrices();
};

void TestNitrogenCost::products_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<QString>("content");
    QTest::newRow("ammonium nitrate") << 0 << "Nitrato de amonio-30%" << 0.30 << "300";
    QTest::newRow("urea") << 1 << "UREA - 46%" << 0.46 << "460";
    QTest::newRow("UAN") << 2 << "UAN - 30%" << 0.30 << "300";
    QTest::newRow("CAN") << 3 << "CAN - 27%" << 0.27 << "270";
    QTest::newRow("ammonium sulphate") << 4 << "Sulfato de amonio-21%" << 0.21 << "210";
    QTest::newRow("DAP") << 5 << "FDA - 18%" << 0.18 << "180";
    QTest::newRow("MAP") << 6 << "FMA - 11%" << 0.11 << "110";
}

void TestNitrogenCost::products()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(double, fraction);
    QFETCH(QString, content);
    QCOMPARE(FertiliserProducts::names().size(), FertiliserProducts::Count);
    QCOMPARE(FertiliserProducts::names().at(index), name);
    QCOMPARE(FertiliserProducts::nFraction(index), fraction);
    QCOMPARE(NitrogenCost::contentText(fraction), content);
}

void TestNitrogenCost::noProductCarriesNoNitrogen()
{
    QCOMPARE(FertiliserProducts::prompt(), QStringLiteral("Elija el fertilizante"));
    QCOMPARE(FertiliserProducts::nFraction(FertiliserProducts::NoProduct), 0.0);
    QCOMPARE(FertiliserProducts::nFraction(7), 0.0);
    QCOMPARE(FertiliserProducts::nFraction(-100), 0.0);
}

void TestNitrogenCost::calculates_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<double>("perKg");
    QTest::addColumn<QString>("returned");

    // 350 / 460 = 0.76087: the stored cost is the rounded 0.761, not the quotient.
    QTest::newRow("urea 350") << Urea << "350"
                              << "460"
                              << "0.761" << 0.761 << "761";
    QTest::newRow("ammonium sulphate 350") << AmmoniumSulphate << "350"
                                           << "210"
                                           << "1.667" << 1.667 << "1667";
    QTest::newRow("DAP 540") << Dap << "540"
                             << "180"
                             << "3.000" << 3.0 << "3000";
    QTest::newRow("MAP 330") << Map << "330"
                             << "110"
                             << "3.000" << 3.0 << "3000";
    QTest::newRow("ammonium nitrate 600") << AmmoniumNitrate << "600"
                                          << "300"
                                          << "2.000" << 2.0 << "2000";
    QTest::newRow("zero price accepted") << Urea << "0"
                                         << "460"
                                         << "0.000" << 0.0 << "0";
    QTest::newRow("blanks around the price") << Urea << " 350 "
                                             << "460"
                                             << "0.761" << 0.761 << "761";
    QTest::newRow("decimals in the price") << Urea << "350.50"
                                           << "460"
                                           << "0.762" << 0.762 << "762";
    // Four significant digits leave no room for the third decimal above 10 U$S/kg; the
    // cost of a tonne is still written as a whole number.
    QTest::newRow("ten thousand and up") << Map << "5000"
                                         << "110"
                                         << "45.450" << 45.45 << "45450";
    QTest::newRow("exactly ten thousand") << Map << "1100"
                                          << "110"
                                          << "10.000" << 10.0 << "10000";
    QTest::newRow("dearest accepted") << Map << "10000"
                                      << "110"
                                      << "90.910" << 90.91 << "90910";
}

void TestNitrogenCost::calculates()
{
    QFETCH(int, product);
    QFETCH(QString, price);
    QFETCH(QString, content);
    QFETCH(QString, cost);
    QFETCH(double, perKg);
    QFETCH(QString, returned);

    const NitrogenCost::Result result = NitrogenCost::calculate(price, product);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(result.contentText, content);
    QCOMPARE(result.costText, cost);
    QCOMPARE(result.nCostPerKg, perKg);
    QCOMPARE(result.nCostPerTonne, perKg * 1000.0);
    QCOMPARE(NitrogenCost::returnText(result.nCostPerTonne), returned);
    // The economic chart reads the returned text back as the same cost.
    const NumberText::Reading back = NumberText::read(returned);
    QVERIFY(back.ok);
    QVERIFY(std::fabs(back.value - result.nCostPerTonne) < 1e-6);
}

void TestNitrogenCost::refuses_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<QString>("price");
    QTest::addColumn<NitrogenCost::Failure>("failure");
    QTest::addColumn<QString>("message");

    using F = NitrogenCost::Failure;
    const QString noData = QStringLiteral("DEBE PROVEER DE DATOS PARA EL CALCULO");
    const QString noProduct = QStringLiteral("DEBE ELEGIR UN FERTILIZANTE");
    QTest::newRow("initial price") << Urea << "0.00" << F::NoData << noData;
    QTest::newRow("initial price, no product") << FertiliserProducts::NoProduct << "0.00" << F::NoData << noData;
    QTest::newRow("no product") << FertiliserProducts::NoProduct << "350" << F::NoProduct << noProduct;
    QTest::newRow("no product, bad price") << FertiliserProducts::NoProduct << "abc" << F::NoProduct << noProduct;
    QTest::newRow("comma decimal") << Urea << "350,5" << F::NotANumber
                                   << NumberText::errorMessage(QStringLiteral("350,5"));
    QTest::newRow("empty") << Urea << "" << F::NotANumber << NumberText::errorMessage(QString());
    QTest::newRow("words") << Urea << "mucho" << F::NotANumber << NumberText::errorMessage(QStringLiteral("mucho"));
    QTest::newRow("price beyond the dearest fertiliser") << Map << "1e308" << F::OutOfRange
                                                         << "Costo del fertilizante: '1e308' está fuera de rango: se "
                                                            "acepta un valor de 0 a 10000 U$S / tn";
    QTest::newRow("negative price") << Urea << "-5" << F::OutOfRange
                                    << "Costo del fertilizante: '-5' está fuera de rango: se acepta un valor de 0 a "
                                       "10000 U$S / tn";
}

void TestNitrogenCost::refuses()
{
    QFETCH(int, product);
    QFETCH(QString, price);
    QFETCH(NitrogenCost::Failure, failure);
    QFETCH(QString, message);

    const NitrogenCost::Result result = NitrogenCost::calculate(price, product);
    QVERIFY(!result.ok());
    QCOMPARE(result.failure, failure);
    QCOMPARE(result.message, message);
    QVERIFY(result.contentText.isEmpty());
    QVERIFY(result.costText.isEmpty());
    QCOMPARE(result.nCostPerTonne, 0.0);
}

void TestNitrogenCost::returnTexts_data()
{
    QTest::addColumn<double>("perTonne");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("readBack");
    QTest::newRow("never calculated") << 0.0 << "0" << 0.0;
    QTest::newRow("urea") << 761.0 << "761" << 761.0;
    QTest::newRow("four digits") << 9999.0 << "9999" << 9999.0;
    QTest::newRow("carries into five digits") << 9999.6 << "10000" << 10000.0;
    QTest::newRow("ten thousand") << 10000.0 << "10000" << 10000.0;
    QTest::newRow("above ten thousand") << 12345.0 << "12350" << 12350.0;
    QTest::newRow("far above") << 2.5e300 << QStringLiteral("25") + QString(299, u'0') << 2.5e300;
}

void TestNitrogenCost::returnTexts()
{
    QFETCH(double, perTonne);
    QFETCH(QString, text);
    QFETCH(double, readBack);
    QCOMPARE(NitrogenCost::returnText(perTonne), text);
    const NumberText::Reading reading = NumberText::read(text);
    QVERIFY(reading.ok);
    QCOMPARE(reading.value, readBack);
}

void TestNitrogenCost::hostilePrices_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("product");
    const QString texts[] = {QString(),
                             QStringLiteral("abc"),
                             QStringLiteral("0,5"),
                             QStringLiteral("1e400"),
                             QStringLiteral("-5"),
                             QStringLiteral(" 7 "),
                             QStringLiteral("1e308"),
                             QStringLiteral("-1e308"),
                             QStringLiteral("1e-320"),
                             QStringLiteral("nan"),
                             QString(10000, u'7')};
    const char* names[] = {"empty", "abc",    "0,5",      "1e400", "-5",          "blanks 7",
                           "1e308", "-1e308", "denormal", "nan",   "10000 sevens"};
    for (int t = 0; t < int(std::size(texts)); ++t)
        for (int product = FertiliserProducts::NoProduct; product < FertiliserProducts::Count; ++product)
            QTest::addRow("%s, product %d", names[t], product) << texts[t] << product;
}

void TestNitrogenCost::hostilePrices()
{
    QFETCH(QString, price);
    QFETCH(int, product);

    const NitrogenCost::Result result = NitrogenCost::calculate(price, product);
    for (const QString& text : {result.contentText, result.costText, NitrogenCost::returnText(result.nCostPerTonne)})
        QVERIFY2(!looksBroken(text), qPrintable(text));
    QVERIFY(std::isfinite(result.nCostPerKg));
    QVERIFY(std::isfinite(result.nCostPerTonne));

    const bool isNumber = NumberText::read(price).ok;
    if (product == FertiliserProducts::NoProduct) {
        QCOMPARE(result.failure, NitrogenCost::Failure::NoProduct);
    } else if (!isNumber) {
        QCOMPARE(result.failure, NitrogenCost::Failure::NotANumber);
        QVERIFY(result.message.contains(u'\'' + price + u'\''));
    } else if (result.ok()) {
        // What is shown reads back as the stored cost.
        QCOMPARE(NumberText::read(result.costText).value, result.nCostPerKg);
        QVERIFY(NumberText::read(NitrogenCost::returnText(result.nCostPerTonne)).ok);
    } else {
        QCOMPARE(result.failure, NitrogenCost::Failure::OutOfRange);
        QVERIFY(result.message.contains(price));
    }
    if (!result.ok()) {
        QVERIFY(result.contentText.isEmpty());
        QVERIFY(result.costText.isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestNitrogenCost)
#include "tst_nitrogencost.moc"
