#include <clocale>
#include <cmath>

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include "core/NumberText.h"

class TestNumberText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formats_data();
    void formats();
    void readsNumbers_data();
    void readsNumbers();
    void refusesNonNumbers_data();
    void refusesNonNumbers();
    void messagesSayWhatToDo_data();
    void messagesSayWhatToDo();
    void wholeNumbersWithoutExponent_data();
    void wholeNumbersWithoutExponent();
    void writtenTextsReadBack_data();
    void writtenTextsReadBack();
    void roundedIsTheTextReadBack_data();
    void roundedIsTheTextReadBack();
    void ignoresTheUsersLocale();
};

void TestNumberText::formats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("yield cell") << 1965.1 + 24.0 * 100 - 0.082 * 100 * 100 << 6 << 2 << "3545.10";
    QTest::newRow("yield at 101") << 1965.1 + 24.0 * 101 - 0.082 * 101 * 101 << 6 << 2 << "3552.62";
    QTest::newRow("half up at one decimal") << 6.75 << 3 << 1 << "6.8";
    QTest::newRow("decimals before digits") << 0.76087 << 4 << 3 << "0.761";
    QTest::newRow("digits before decimals") << 1234.5678 << 4 << 2 << "1235.00";
    QTest::newRow("product N per tonne") << 0.46 * 1000 << 3 << 0 << "460";
    QTest::newRow("cost per tonne") << 350 / 0.46 << 4 << 0 << "761";
    QTest::newRow("decimal half, binary below") << 2.675 << 6 << 2 << "2.68";
    QTest::newRow("decimal half 1.005") << 1.005 << 6 << 2 << "1.01";
    QTest::newRow("half away from zero") << -2.5 << 6 << 0 << "-3";
    QTest::newRow("negative margin") << -0.785 << 6 << 2 << "-0.79";
    QTest::newRow("zero") << 0.0 << 6 << 2 << "0.00";
    QTest::newRow("negative zero") << -0.0 << 6 << 2 << "0.00";
    QTest::newRow("rounds to zero unsigned") << -0.001 << 6 << 2 << "0.00";
    QTest::newRow("tiny") << 0.000123 << 6 << 2 << "0.00";
    QTest::newRow("carry into new digit") << 99.95 << 3 << 1 << "100.0";
    QTest::newRow("six digits no more") << 123456.7 << 6 << 2 << "123457.00";
    QTest::newRow("exponent above precision") << 12345.6 << 4 << 0 << "1.235E4";
    QTest::newRow("exponent at 10000") << 10000.0 << 4 << 0 << "1E4";
    QTest::newRow("carry into exponent") << 9999.6 << 4 << 0 << "1E4";
    QTest::newRow("negative exponent form") << -123456.0 << 3 << 1 << "-1.23E5";
    QTest::newRow("soil sum") << 13.5 + 6.8 + 3.4 << 4 << 1 << "23.7";
    QTest::newRow("one third") << 1.0 / 3.0 << 6 << 2 << "0.33";
    QTest::newRow("no decimals 0.5") << 0.5 << 3 << 0 << "1";
}

void TestNumberText::formats()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::format(value, precision, decimals), expected);
}

void TestNumberText::readsNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("a with trailing blanks") << "3679  " << 3679.0;
    QTest::newRow("b with trailing blanks") << "28     " << 28.0;
    QTest::newRow("b with leading blank") << " 22.41 " << 22.41;
    QTest::newRow("b three decimals") << "15.770 " << 15.77;
    QTest::newRow("negative c") << "-0.0529" << -0.0529;
    QTest::newRow("positive c") << " 0.0001" << 0.0001;
    QTest::newRow("negative zero") << "-0.0000" << 0.0;
    QTest::newRow("placeholder") << "38" << 38.0;
    QTest::newRow("exponent form") << "1.235E4" << 12350.0;
    QTest::newRow("lower-case exponent") << "2.5e-3" << 0.0025;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("tab and blanks") << "\t 7 \t" << 7.0;
}

void TestNumberText::readsNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const NumberText::Reading reading = NumberText::read(text);
    QVERIFY2(reading.ok, qPrintable(reading.error));
    QCOMPARE(reading.value, expected);
    QVERIFY(!std::signbit(reading.value) || expected < 0);
    QVERIFY(reading.error.isEmpty());
}

void TestNumberText::refusesNonNumbers_data()
{
    QTest::addColumn<QString>("text");
    for (const char* text : {"abc", "0,5", "",     "   ", "1e",    "nan", "NaN", "inf", "-inf", "Infinity", "1.2.3",
                             "--1", "+-1", "0x10", "1 2", "12abc", ".",   "-",   "e5",  "1e+",  "3,679"})
        QTest::newRow(text[0] ? text : "(empty)") << QString::fromLatin1(text);
    QTest::newRow("comma decimal in Spanish") << QStringLiteral("115,5");
    QTest::newRow("non-ASCII digit") << QString::fromUtf16(u"\uff11\uff12");
    QTest::newRow("long junk") << QString(10000, u'9') + u'x';
}

void TestNumberText::refusesNonNumbers()
{
    QFETCH(QString, text);
    const NumberText::Reading reading = NumberText::read(text);
    QVERIFY(!reading.ok);
    QVERIFY(!reading);
    QCOMPARE(reading.value, 0.0);
    QVERIFY2(reading.error.contains(u'\'' + text + u'\''), qPrintable(reading.error));
    QVERIFY(reading.error.contains(QStringLiteral("no es un valor numérico válido")));
}

void TestNumberText::messagesSayWhatToDo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole"); // read as a whole number
    QTest::addColumn<QString>("says");
    const QString point = QStringLiteral("el separador decimal es el punto");
    const QString tooLarge = QStringLiteral("es un número demasiado grande");
    QTest::newRow("decimal comma") << "1,5" << false << point;
    QTest::newRow("thousands comma") << "3,679" << false << point;
    QTest::newRow("400 digits") << QString(400, u'9') << false << tooLarge;
    QTest::newRow("400 digits with decimals") << QString(400, u'9') + QStringLiteral(".5") << false << tooLarge;
    QTest::newRow("overflowing exponent") << "1e400" << false << tooLarge;
    QTest::newRow("negative overflow") << "-1e400" << false << tooLarge;
    QTest::newRow("underflow is not too large") << "1e-400" << false << "demasiado cercano a cero";
    QTest::newRow("small mantissa, large exponent") << "0.0001e400" << false << tooLarge;
    QTest::newRow("whole number beyond an int") << "99999999999" << true << tooLarge;
    QTest::newRow("whole number with decimals") << "40.5" << true << "sin decimales";
}

void TestNumberText::messagesSayWhatToDo()
{
    QFETCH(QString, text);
    QFETCH(bool, whole);
    QFETCH(QString, says);
    const NumberText::Reading reading = whole ? NumberText::readInteger(text) : NumberText::read(text);
    QVERIFY(!reading.ok);
    QVERIFY2(reading.error.contains(u'\'' + text + u'\''), qPrintable(reading.error));
    QVERIFY2(reading.error.contains(says), qPrintable(reading.error));
}

void TestNumberText::wholeNumbersWithoutExponent_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("soil result") << 13551.6 << "13550";
    QTest::newRow("four digits") << 116.6 << "117";
    QTest::newRow("carry") << 9999.6 << "10000";
    QTest::newRow("below one half") << 0.4 << "0";
    QTest::newRow("one half") << 0.5 << "1";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative") << -45449.0 << "-45450";
}

void TestNumberText::wholeNumbersWithoutExponent()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText::formatWhole(value, 4), expected);
}

void TestNumberText::writtenTextsReadBack_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("cost") << 761.0 << 4 << 0 << 0.0;
    QTest::newRow("cost in exponent form") << 12345.0 << 4 << 0 << 5.0;
    QTest::newRow("huge") << 1.5e300 << 4 << 0 << 1e297;
    QTest::newRow("yield") << 3545.1 << 6 << 2 << 0.005;
    QTest::newRow("negative") << -0.79 << 6 << 2 << 0.005;
}

void TestNumberText::writtenTextsReadBack()
{
    QFETCH(double, value);
    QFETCH(int, precision);
    QFETCH(int, decimals);
    QFETCH(double, tolerance);
    const QString text = NumberText::format(value, precision, decimals);
    const NumberText::Reading reading = NumberText::read(text);
    QVERIFY2(reading.ok, qPrintable(text));
    QVERIFY2(std::fabs(reading.value - value) <= tolerance, qPrintable(text));
}

void TestNumberText::roundedIsTheTextReadBack_data()
{
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("scale"); // of the random values
    QTest::newRow("table cells") << 6 << 2 << 5000.0;
    QTest::newRow("incomes") << 6 << 2 << 3.0;
    QTest::newRow("margins") << 6 << 1 << 500.0;
    QTest::newRow("beyond the decimals' reach") << 6 << 2 << 2e6;
    QTest::newRow("costs") << 4 << 3 << 10.0;
}

// format()'s rule written out plainly, where the decimals bound the rounding: fifteen
// significant digits (Qt's own conversion), then half away from zero at the decimals.
static QString plainRule(double value, int precision, int decimals)
{
    const QString e = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde+xx
    const QString digits = e.left(1) + e.mid(2, 14);
    const int exponent = e.mid(17).toInt() + 1;
    const int keep = std::min(precision, exponent + decimals);
    qlonglong units = keep < 0 ? 0 : digits.left(keep).toLongLong() + (keep < 15 && digits[keep] >= u'5');
    for (int i = keep; i < exponent + decimals; ++i)
        units *= 10;
    QString text = QString::number(units).rightJustified(decimals + 1, u'0');
    if (decimals > 0)
        text.insert(text.size() - decimals, u'.');
    return (value < 0 && units > 0 ? QStringLiteral("-") : QString()) + text;
}

void TestNumberText::roundedIsTheTextReadBack()
{
    QFETCH(int, precision);
    QFETCH(int, decimals);
    QFETCH(double, scale);
    // Random values, decimal halves and their binary neighbours (1.005 is 1.00499999...,
    // which the fifteen digits format() starts from turn into a half), and the edges.
    QList<double> values{0.0,   -0.0,   1.005, 2.675,  -0.785, 0.125,   99.995, 9999.995, 9999.9999999999995,
                         1e300, -0.004, 0.005, 1e-300, qInf(), -qInf(), qQNaN()};
    QRandomGenerator random(20261209);
    for (int i = 0; i < 100000; ++i) {
        const double half = (std::floor(random.bounded(scale) * std::pow(10.0, decimals)) + 0.5) /
            std::pow(10.0, decimals) * (i % 2 ? 1 : -1);
        values << random.bounded(2 * scale) - scale << half << std::nextafter(half, 0.0) << std::nextafter(half, 1e9);
    }
    for (double value : values) {
        const NumberText::Reading read = NumberText::read(NumberText::format(value, precision, decimals));
        const double fast = NumberText::rounded(value, precision, decimals);
        const bool same =
            read.ok ? fast == read.value && !std::signbit(fast) == !std::signbit(read.value) : std::isnan(fast);
        QVERIFY2(same, qPrintable(QString::number(value, 'g', 17)));
        if (std::fabs(value) < std::pow(10.0, precision - decimals) - 1)
            QCOMPARE(NumberText::format(value, precision, decimals), plainRule(value, precision, decimals));
    }
}

void TestNumberText::ignoresTheUsersLocale()
{
    const QString formattedC = NumberText::format(3545.1, 6, 2);
    for (QLocale::Language language : {QLocale::German, QLocale::Spanish}) {
        QLocale::setDefault(QLocale(language, language == QLocale::German ? QLocale::Germany : QLocale::Argentina));
        // The C library too, where the machine has such a locale.
        std::setlocale(LC_ALL, language == QLocale::German ? "de_DE.UTF-8" : "es_AR.UTF-8");
        QCOMPARE(NumberText::format(3545.1, 6, 2), formattedC);
        QCOMPARE(NumberText::format(12345.6, 4, 0), QStringLiteral("1.235E4"));
        QCOMPARE(NumberText::read(QStringLiteral("2811.26")).value, 2811.26);
        QVERIFY(!NumberText::read(QStringLiteral("0,5")).ok);
        std::setlocale(LC_ALL, "C");
    }
    QLocale::setDefault(QLocale::c());
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
