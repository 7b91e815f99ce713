#include <cmath>
#include <optional>

#include <QTest>

#include "core/EconomicInputs.h"
#include "core/FertiliserProducts.h"
#include "core/NumberText.h"
#include "core/SoilNitrogen.h"

namespace {

constexpr int Urea = 1;
constexpr int Dap = 5;
constexpr int None = FertiliserProducts::NoProduct;

using Texts3 = std::array<QString, 3>;

bool looksBroken(const QString& text)
{
    return text.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

// The entries of the three steps for the worked example: 60 ppm of nitrate at the top,
// densities of 1300, 50 kg of DAP and 100 kg of urea.
struct Entries {
    QStringList fields = {"60",   "30.0", "15.0",  // 0-2 nitrate
                          "13.5", "6.8",  "3.4",   // 3-5 mineral N
                          "1300", "1300", "1300",  // 6-8 density
                          "50",   "100",  "61.6"}; // 9-10 amounts, 11 soil N
    SoilNitrogen::Result step(int step) const
    {
        switch (step) {
        case 1:
            return SoilNitrogen::mineralNitrogen({fields[0], fields[1], fields[2]});
        case 2:
            return SoilNitrogen::soilNitrogen({fields[3], fields[4], fields[5]}, {fields[6], fields[7], fields[8]});
        default:
            return SoilNitrogen::availableNitrogen(fields[9], Dap, fields[10], Urea, fields[11]);
        }
    }
};

} // namespace

class TestSoilNitrogen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fillsDeeperLayers_data();
    void fillsDeeperLayers();
    void mineralNitrogen_data();
    void mineralNitrogen();
    void soilNitrogen_data();
    void soilNitrogen();
    void availableNitrogen_data();
    void availableNitrogen();
    void missingInput_data();
    void missingInput();
    void namesTheBadText_data();
    void namesTheBadText();
    void handOver_data();
    void handOver();
    void hostileEntries_data();
    void hostileEntries();
};

void TestSoilNitrogen::fillsDeeperLayers_data()
{
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("half");
    QTest::addColumn<QString>("quarter");
    QTest::newRow("worked example") << "60"
                                    << "30.0"
                                    << "15.0";
    QTest::newRow("odd ppm rounds half up") << "61"
                                            << "30.5"
                                            << "15.3";
    QTest::newRow("three digits then one decimal") << "33.3"
                                                   << "16.7"
                                                   << "8.3";
    QTest::newRow("three significant digits win") << "1234"
                                                  << "617.0"
                                                  << "309.0";
    QTest::newRow("blanks") << " 8 "
                            << "4.0"
                            << "2.0";
    QTest::newRow("zero") << "0"
                          << "0.0"
                          << "0.0";
    // Each keystroke of deleting or typing over the placeholder leaves no number.
    QTest::newRow("placeholder") << "ppm"
                                 << ""
                                 << "";
    QTest::newRow("placeholder half deleted") << "pp"
                                              << ""
                                              << "";
    QTest::newRow("placeholder one letter") << "p"
                                            << ""
                                            << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("comma decimal") << "6,5"
                                   << ""
                                   << "";
    QTest::newRow("trailing letters") << "60ppm"
                                      << ""
                                      << "";
}

void TestSoilNitrogen::fillsDeeperLayers()
{
    QFETCH(QString, upper);
    QFETCH(QString, half);
    QFETCH(QString, quarter);
    const std::optional<QString> halfText = SoilNitrogen::halfOf(upper);
    const std::optional<QString> quarterText = SoilNitrogen::quarterOf(upper);
    QCOMPARE(halfText.value_or(QString()), half);
    QCOMPARE(quarterText.value_or(QString()), quarter);
    QCOMPARE(halfText.has_value(), !half.isEmpty());
    QCOMPARE(quarterText.has_value(), !quarter.isEmpty());
}

void TestSoilNitrogen::mineralNitrogen_data()
{
    QTest::addColumn<QString>("n1");
    QTest::addColumn<QString>("n2");
    QTest::addColumn<QString>("n3");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("worked example") << "60"
                                    << "30.0"
                                    << "15.0" << QStringList{"13.5", "6.8", "3.4"};
    QTest::newRow("typed by hand") << "20"
                                   << " 7 "
                                   << "0" << QStringList{"4.5", "1.6", "0.0"};
    QTest::newRow("three significant digits") << "1000"
                                              << "450.5"
                                              << "100" << QStringList{"225.0", "101.0", "22.5"};
}

void TestSoilNitrogen::mineralNitrogen()
{
    QFETCH(QString, n1);
    QFETCH(QString, n2);
    QFETCH(QString, n3);
    QFETCH(QStringList, expected);
    const SoilNitrogen::Result result = SoilNitrogen::mineralNitrogen({n1, n2, n3});
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(result.texts, expected);
}

void TestSoilNitrogen::soilNitrogen_data()
{
    QTest::addColumn<Texts3>("mineralN");
    QTest::addColumn<Texts3>("density");
    QTest::addColumn<QString>("expected");
    // 35.1 + 17.68 + 8.84 = 61.62
    QTest::newRow("worked example") << Texts3{"13.5", "6.8", "3.4"} << Texts3{"1300", "1300", "1300"} << "61.6";
    QTest::newRow("densities per layer") << Texts3{"10", "10", "10"} << Texts3{"1000", "1200", "1400"} << "72.0";
    // 585 + 585 + 585.45: four significant digits leave no decimal.
    QTest::newRow("four significant digits")
        << Texts3{"225", "225", "225"} << Texts3{"1300", "1300", "1301"} << "1755.0";
    QTest::newRow("the most the ranges allow")
        << Texts3{"225", "225", "225"} << Texts3{"2000", "2000", "2000"} << "2700.0";
}

void TestSoilNitrogen::soilNitrogen()
{
    QFETCH(Texts3, mineralN);
    QFETCH(Texts3, density);
    QFETCH(QString, expected);
    const SoilNitrogen::Result result = SoilNitrogen::soilNitrogen(mineralN, density);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(result.texts, QStringList{expected});
}

void TestSoilNitrogen::availableNitrogen_data()
{
    QTest::addColumn<QString>("amount1");
    QTest::addColumn<int>("product1");
    QTest::addColumn<QString>("amount2");
    QTest::addColumn<int>("product2");
    QTest::addColumn<QString>("soil");
    QTest::addColumn<QString>("fertiliserN");
    QTest::addColumn<QString>("availableN");
    // 9 + 46 = 55; 55 + 61.6 = 116.6
    QTest::newRow("worked example") << "50" << Dap << "100" << Urea << "61.6"
                                    << "55.0"
                                    << "117";
    QTest::newRow("no product in the first row") << "50" << None << "100" << Urea << "61.6"
                                                 << "46.0"
                                                 << "108";
    QTest::newRow("no product at all") << "50" << None << "100" << None << "61.6"
                                       << "0.0"
                                       << "62";
    QTest::newRow("initial texts") << "0000" << None << "0000" << None << "0000"
                                   << "0.0"
                                   << "0";
    QTest::newRow("soil untouched counts as 0") << "100" << Urea << "0000" << Dap << "0000"
                                                << "46.0"
                                                << "46";
    // The available N adds the unrounded fertiliser N: 0.1 x 0.46 = 0.046 shows as "0.0".
    QTest::newRow("unrounded fertiliser N") << "0.1" << Urea << "0" << Urea << "39.46"
                                            << "0.0"
                                            << "40";
    QTest::newRow("the most the ranges allow") << "5000" << Urea << "5000" << Urea << "2700"
                                               << "4600.0"
                                               << "7300";
}

void TestSoilNitrogen::availableNitrogen()
{
    QFETCH(QString, amount1);
    QFETCH(int, product1);
    QFETCH(QString, amount2);
    QFETCH(int, product2);
    QFETCH(QString, soil);
    QFETCH(QString, fertiliserN);
    QFETCH(QString, availableN);
    const SoilNitrogen::Result result = SoilNitrogen::availableNitrogen(amount1, product1, amount2, product2, soil);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(result.texts, (QStringList{fertiliserN, availableN}));
}

void TestSoilNitrogen::missingInput_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    for (int field = 0; field < 3; ++field)
        for (const char* placeholder : {"ppm", "pp", "p", ""})
            QTest::addRow("nitrate %d \"%s\"", field + 1, placeholder)
                << 1 << field << QString::fromLatin1(placeholder);
    for (int field = 3; field < 9; ++field)
        QTest::addRow("step 2 field %d empty", field + 1) << 2 << field << QString();
    QTest::newRow("first amount empty") << 3 << 9 << QString();
    QTest::newRow("second amount empty") << 3 << 10 << QString();
}

void TestSoilNitrogen::missingInput()
{
    QFETCH(int, step);
    QFETCH(int, field);
    QFETCH(QString, text);
    Entries entries;
    QVERIFY(entries.step(step).ok());
    entries.fields[field] = text;
    const SoilNitrogen::Result result = entries.step(step);
    QCOMPARE(result.failure, SoilNitrogen::Failure::MissingInput);
    QVERIFY(result.texts.isEmpty());
}

void TestSoilNitrogen::namesTheBadText_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    // Not caught as missing: only the placeholder and its remains are.
    QTest::newRow("placeholder with a blank") << 1 << 0 << " ppm";
    QTest::newRow("unit typed after the number") << 1 << 2 << "15ppm";
    QTest::newRow("step 2 before step 1") << 2 << 3 << "ppm N";
    QTest::newRow("comma in the density") << 2 << 8 << "1,3";
    QTest::newRow("amount in words") << 3 << 10 << "cien";
    QTest::newRow("soil N emptied") << 3 << 11 << "";
}

void TestSoilNitrogen::namesTheBadText()
{
    QFETCH(int, step);
    QFETCH(int, field);
    QFETCH(QString, text);
    Entries entries;
    entries.fields[field] = text;
    const SoilNitrogen::Result result = entries.step(step);
    QCOMPARE(result.failure, SoilNitrogen::Failure::NotANumber);
    QCOMPARE(result.message, NumberText::errorMessage(text));
    QVERIFY(result.texts.isEmpty());
}

void TestSoilNitrogen::handOver_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<SoilNitrogen::HandOver>("outcome");
    QTest::addColumn<int>("value");
    using H = SoilNitrogen::HandOver;
    QTest::newRow("worked example") << "117" << H::Accept << 117;
    QTest::newRow("lowest accepted") << "40" << H::Accept << 40;
    QTest::newRow("just below") << "39" << H::TooLow << 39;
    QTest::newRow("initial text") << "0000" << H::TooLow << 0;
    QTest::newRow("leading zeros") << "0041" << H::Accept << 41;
    QTest::newRow("negative") << "-5" << H::Refused << 0;
    QTest::newRow("blanks") << " 117 " << H::Accept << 117;
    QTest::newRow("highest accepted") << "1000" << H::Accept << 1000;
    QTest::newRow("above the highest") << "1001" << H::Refused << 0;
    QTest::newRow("decimals") << "40.5" << H::Refused << 0;
    QTest::newRow("exponent form") << "1.38E4" << H::Refused << 0;
    QTest::newRow("words") << "abc" << H::Refused << 0;
    QTest::newRow("empty") << "" << H::Refused << 0;
    QTest::newRow("sign only") << "-" << H::Refused << 0;
    QTest::newRow("beyond an int") << "99999999999" << H::Refused << 0;
}

void TestSoilNitrogen::handOver()
{
    QFETCH(QString, text);
    QFETCH(SoilNitrogen::HandOver, outcome);
    QFETCH(int, value);
    const SoilNitrogen::HandOverResult result = SoilNitrogen::handOver(text);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.value, value);
    // Refused with the economic chart's own word for the text, so both say the same.
    if (outcome == SoilNitrogen::HandOver::Refused)
        QCOMPARE(result.message, EconomicInputs::readReferenceN(text).error);
    else
        QVERIFY(result.message.isEmpty());
}

void TestSoilNitrogen::hostileEntries_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    const QString texts[] = {QString(),
                             QStringLiteral("abc"),
                             QStringLiteral("0,5"),
                             QStringLiteral("1e400"),
                             QStringLiteral("-5"),
                             QStringLiteral(" 7 "),
                             QStringLiteral("1e308"),
                             QStringLiteral("nan"),
                             QString(10000, u'7')};
    const char* names[] = {"empty", "abc", "0,5", "1e400", "-5", "blanks 7", "1e308", "nan", "10000 sevens"};
    const char* fieldNames[] = {"nitrate 1", "nitrate 2", "nitrate 3", "mineral N 1", "mineral N 2", "mineral N 3",
                                "density 1", "density 2", "density 3", "amount 1",    "amount 2",    "soil N"};
    for (int field = 0; field < 12; ++field) {
        const int step = field < 3 ? 1 : field < 9 ? 2 : 3;
        for (int t = 0; t < int(std::size(texts)); ++t)
            QTest::addRow("%s, %s", fieldNames[field], names[t]) << step << field << texts[t];
    }
}

void TestSoilNitrogen::hostileEntries()
{
    QFETCH(int, step);
    QFETCH(int, field);
    QFETCH(QString, text);
    Entries entries;
    entries.fields[field] = text;
    const SoilNitrogen::Result result = entries.step(step);
    for (const QString& output : result.texts)
        QVERIFY2(!looksBroken(output), qPrintable(output));
    if (step != 3 || field != 11) { // the filling rule reads the nitrate fields as typed
        for (const auto& filled : {SoilNitrogen::halfOf(text), SoilNitrogen::quarterOf(text)})
            QVERIFY(!filled || !looksBroken(*filled));
    }

    const bool checkedForEmpty = field != 11; // the soil N is read, never checked
    if (text.isEmpty() && checkedForEmpty) {
        QCOMPARE(result.failure, SoilNitrogen::Failure::MissingInput);
    } else if (!NumberText::read(text).ok) {
        QCOMPARE(result.failure, SoilNitrogen::Failure::NotANumber);
        QVERIFY(result.message.contains(u'\'' + text + u'\''));
    } else if (result.ok()) {
        QCOMPARE(result.texts.size(), step == 3 ? 2 : step == 1 ? 3 : 1);
        for (const QString& output : result.texts)
            QVERIFY2(NumberText::read(output).ok, qPrintable(output));
    } else {
        QCOMPARE(result.failure, SoilNitrogen::Failure::OutOfRange);
        QVERIFY(!result.message.isEmpty());
    }
    if (!result.ok())
        QVERIFY(result.texts.isEmpty());
}

QTEST_APPLESS_MAIN(TestSoilNitrogen)
#include "tst_soilnitrogen.moc"
