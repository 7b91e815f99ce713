#include <cmath>

#include <QRegularExpression>
#include <QTest>

#include "core/NumberText.h"
#include "core/ResponseTable.h"
#include "core/ScenarioVocabulary.h"

namespace {

double number(const QString& text)
{
    const auto reading = NumberText::read(text);
    if (!reading.ok)
        qFatal("%s", qPrintable(reading.error));
    return reading.value;
}

struct Curve {
    double a, b, c;
    double at(double n) const { return a + b * n + c * n * n; }
};

Curve curve(Level level, int row)
{
    const CoefficientTexts t = ResponseTable::builtIn().coefficients(level, row);
    return {number(t.a), number(t.b), number(t.c)};
}

const std::array<Level, 3> Levels = TableLevels;

} // namespace

class TestResponseTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void builtInTableIsSound();
    void tellingRows_data();
    void tellingRows();
    void fieldFormats_data();
    void fieldFormats();
    void eightyPercentFormsAreMixed();
    void trailingBlanks();
    void valueRanges_data();
    void valueRanges();
    void onlyTheKnownCurvesAreNotConcave();
    void curvesMakeAgronomicSense();
    void drierSoilNeverYieldsMore();
    void findMatchesExactCodesOnly_data();
    void findMatchesExactCodesOnly();
    void validateNamesEachFault_data();
    void validateNamesEachFault();
};

void TestResponseTable::builtInTableIsSound()
{
    const ResponseTable& table = ResponseTable::builtIn();
    QCOMPARE(table.validate(), QStringList());
    for (Level level : Levels)
        QCOMPARE(table.lines(level).size(), 384);
    QCOMPARE(table.lines(Level::P20).first().left(4), QStringLiteral("AGAA"));
    QCOMPARE(table.lines(Level::P80).last().left(4), QStringLiteral("EQDC"));
}

void TestResponseTable::tellingRows_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("fields"); // a, b, c of 20 %, Medio, 80 %

    QTest::newRow("AGAA") << "AGAA" << 0 << QStringList{"1885.9",  "15.770 ", "-0.0529", "1965.1", "24.000 ",
                                                        "-0.0820", "2243.1",  "27.210 ", "-0.0920"};
    QTest::newRow("AFAA") << "AFAA" << 3 << QStringList{"2579.1",  "15.310 ", "-0.0722", "3165.1", "12.660 ",
                                                        "-0.0530", "3679  ",  "12.250 ", "-0.0440"};
    QTest::newRow("AYDC") << "AYDC" << 78 << QStringList{" 948.2",  "13.390 ", "-0.0523", " 850.3", "26.470 ",
                                                         "-0.0990", "692.8 ",  "38.85  ", "-0.1390"};
    QTest::newRow("CPAA") << "CPAA" << 160 << QStringList{"1208.4",  "13.090 ", "-0.0440", "1686.3", "15.710 ",
                                                          "-0.0530", "1884.5",  " 22.41 ", "-0.0760"};
    QTest::newRow("D#AA") << "D#AA" << 240 << QStringList{"1404.4",  "14.370 ", "-0.0499", "1619.3", "23.040 ",
                                                          "-0.0670", "1918.5",  "27.9   ", "-0.0740"};
    QTest::newRow("DDDB") << "DDDB" << 277 << QStringList{"2282.7",  " 2.300 ", " 0.0001", "2325.8", "12.740 ",
                                                          "-0.0540", "2746.3",  "18.62  ", "-0.0750"};
    QTest::newRow("EQBA") << "EQBA" << 313 << QStringList{"1443.0",  " 2.930 ", "-0.0000", "1582.2", "17.050 ",
                                                          "-0.0470", "1780.3",  "27.64  ", "-0.0790"};
    QTest::newRow("EQDC") << "EQDC" << 383 << QStringList{" 577.5",  " 8.250 ", "-0.0348", " 861.6", "17.870 ",
                                                          "-0.0660", "1049.9",  "28     ", "-0.0990"};
}

void TestResponseTable::tellingRows()
{
    QFETCH(QString, code);
    QFETCH(int, line);
    QFETCH(QStringList, fields);
    const ResponseTable& table = ResponseTable::builtIn();
    QCOMPARE(table.find(code), line);
    for (int l = 0; l < 3; ++l) {
        const QString& text = table.lines(Levels[l]).at(line);
        QCOMPARE(text.left(4), code);
        // The line exactly as written, up to column 27.
        QCOMPARE(text.left(27), code + u' ' + fields[3 * l] + u' ' + fields[3 * l + 1] + u' ' + fields[3 * l + 2]);
    }
}

void TestResponseTable::fieldFormats_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("aPattern");
    QTest::addColumn<QString>("bPattern");
    const QString cPattern = QStringLiteral("^(-| )\\d\\.\\d{4}$");
    QTest::newRow("20 %") << 0 << "^ *\\d{1,4}\\.\\d$"
                          << "^ *\\d{1,2}\\.\\d{3} $";
    QTest::newRow("Medio") << 1 << "^ *\\d{1,4}\\.\\d$"
                           << "^ *\\d{1,2}\\.\\d{3} $";
    // Right-aligned one decimal, an integer followed by blanks, or one decimal and a blank.
    QTest::newRow("80 %") << 2 << "^( *\\d{1,4}\\.\\d| ?\\d{3,4}  |\\d{3}\\.\\d )$"
                          << "^ ?\\d{1,2}(\\.\\d{1,3})? *$";
}

void TestResponseTable::fieldFormats()
{
    QFETCH(int, level);
    QFETCH(QString, aPattern);
    QFETCH(QString, bPattern);
    const QRegularExpression a(aPattern), b(bPattern), c(QStringLiteral("^(-\\d| 0)\\.\\d{4}$"));
    const QRegularExpression leadingBlank(QStringLiteral("^ "));
    const ResponseTable& table = ResponseTable::builtIn();
    int leadingBlankB = 0;
    for (int row = 0; row < 384; ++row) {
        const CoefficientTexts t = table.coefficients(Levels[level], row);
        const QByteArray where = table.lines(Levels[level]).at(row).toLatin1();
        QVERIFY2(a.match(t.a).hasMatch(), where.constData());
        QVERIFY2(b.match(t.b).hasMatch(), where.constData());
        QVERIFY2(c.match(t.c).hasMatch(), where.constData());
        if (level == 2 && t.b.startsWith(u' '))
            ++leadingBlankB;
    }
    if (level == 2) {
        QCOMPARE(leadingBlankB, 1); // CPAA's " 22.41 " and no other
        QCOMPARE(table.coefficients(Level::P80, 160).b, QStringLiteral(" 22.41 "));
    }
}

void TestResponseTable::eightyPercentFormsAreMixed()
{
    const ResponseTable& table = ResponseTable::builtIn();
    int integerA = 0, trailingDecimalA = 0, twoDecimalsB = 0, oneDecimalB = 0, integerB = 0, oneDigitB = 0;
    for (int row = 0; row < 384; ++row) {
        const CoefficientTexts t = table.coefficients(Level::P80, row);
        const QString b = t.b.trimmed();
        integerA += !t.a.contains(u'.');
        trailingDecimalA += t.a.contains(u'.') && t.a.endsWith(u' ');
        twoDecimalsB += b.indexOf(u'.') == b.size() - 3;
        oneDecimalB += b.indexOf(u'.') == b.size() - 2;
        integerB += !b.contains(u'.');
        oneDigitB += t.b.at(0).isDigit() && t.b.at(1) == u'.';
    }
    QVERIFY(integerA >= 2);
    QVERIFY(trailingDecimalA >= 2);
    QVERIFY(twoDecimalsB >= 10);
    QVERIFY(oneDecimalB >= 2);
    QVERIFY(integerB >= 2);
    QVERIFY(oneDigitB >= 1);
}

void TestResponseTable::trailingBlanks()
{
    const ResponseTable& table = ResponseTable::builtIn();
    QCOMPARE(table.lines(Level::P20).at(0), QStringLiteral("AGAA 1885.9 15.770  -0.0529 "));
    for (Level level : Levels) {
        int withBlank = 0;
        for (const QString& line : table.lines(level)) {
            QVERIFY2(line.size() == 27 || line == line.left(27) + u' ', qPrintable(line));
            withBlank += line.size() == 28;
        }
        QVERIFY2(withBlank >= 1 && withBlank <= 20, qPrintable(ResponseTable::levelName(level)));
    }
}

void TestResponseTable::valueRanges_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("coefficient");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::newRow("20 % a") << 0 << 0 << 342.0 << 3305.1;
    QTest::newRow("20 % b") << 0 << 1 << 0.600 << 37.990;
    QTest::newRow("20 % c") << 0 << 2 << -0.1442 << 0.0001;
    QTest::newRow("Medio a") << 1 << 0 << 327.4 << 3749.4;
    QTest::newRow("Medio b") << 1 << 1 << 7.590 << 42.700;
    QTest::newRow("Medio c") << 1 << 2 << -0.1650 << -0.0330;
    QTest::newRow("80 % a") << 2 << 0 << 206.4 << 4423.1;
    QTest::newRow("80 % b") << 2 << 1 << 8.11 << 50.82;
    QTest::newRow("80 % c") << 2 << 2 << -0.1900 << -0.0190;
}

void TestResponseTable::valueRanges()
{
    QFETCH(int, level);
    QFETCH(int, coefficient);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    double lowest = 1e9, highest = -1e9;
    for (int row = 0; row < 384; ++row) {
        const CoefficientTexts t = ResponseTable::builtIn().coefficients(Levels[level], row);
        const double v = number(coefficient == 0 ? t.a : coefficient == 1 ? t.b : t.c);
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    QCOMPARE(lowest, minimum);
    QCOMPARE(highest, maximum);
}

void TestResponseTable::onlyTheKnownCurvesAreNotConcave()
{
    const ResponseTable& table = ResponseTable::builtIn();
    for (Level level : Levels) {
        for (int row = 0; row < 384; ++row) {
            const QString code = table.lines(level).at(row).left(4);
            const double c = number(table.coefficients(level, row).c);
            if (level == Level::P20 && code == u"DDDB")
                QCOMPARE(c, 0.0001);
            else if (level == Level::P20 && code == u"EQBA")
                QCOMPARE(table.coefficients(level, row).c, QStringLiteral("-0.0000"));
            else
                QVERIFY2(c < 0, qPrintable(table.lines(level).at(row)));
        }
    }
}

void TestResponseTable::curvesMakeAgronomicSense()
{
    for (int row = 0; row < 384; ++row) {
        const Curve low = curve(Level::P20, row), medio = curve(Level::Medio, row), high = curve(Level::P80, row);
        for (int n = 40; n <= 190; ++n) {
            const double y20 = low.at(n), yMedio = medio.at(n), y80 = high.at(n);
            if (!(0 < y20 && y20 < yMedio && yMedio < y80 && y80 < 9000))
                QFAIL(qPrintable(QStringLiteral("%1 at N %2: %3 %4 %5")
                                     .arg(ResponseTable::builtIn().lines(Level::P20).at(row).left(4))
                                     .arg(n)
                                     .arg(y20)
                                     .arg(yMedio)
                                     .arg(y80)));
        }
    }
}

void TestResponseTable::drierSoilNeverYieldsMore()
{
    const ResponseTable& table = ResponseTable::builtIn();
    const auto& sites = ScenarioVocabulary::sites();
    for (int s = 0; s < sites.size(); ++s)
        for (int u = 0; u < sites[s].units.size(); ++u)
            for (int c = 0; c < 4; ++c) {
                double previous = 1e9;
                for (int w = 0; w < 3; ++w) {
                    const QString code = ScenarioVocabulary::code(s, u, c, w);
                    const int row = table.find(code);
                    QVERIFY2(row >= 0, qPrintable(code));
                    const double y = curve(Level::Medio, row).at(120);
                    QVERIFY2(y <= previous, qPrintable(code));
                    previous = y;
                }
            }
}

void TestResponseTable::findMatchesExactCodesOnly_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("line");
    QTest::newRow("first") << "AGAA" << 0;
    QTest::newRow("by the line rule") << "DDDB" << 277;
    QTest::newRow("second site") << "BGAA" << 84;
    QTest::newRow("lower case") << "agaa" << -1;
    QTest::newRow("with blank") << "AGAA " << -1;
    QTest::newRow("short") << "AGA" << -1;
    QTest::newRow("placeholder letters") << "Label5Label2Label6Label8" << -1;
    QTest::newRow("placeholder code") << "36" << -1;
    QTest::newRow("unit of another site") << "AJAA" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestResponseTable::findMatchesExactCodesOnly()
{
    QFETCH(QString, code);
    QFETCH(int, line);
    QCOMPARE(ResponseTable::builtIn().find(code), line);
}

void TestResponseTable::validateNamesEachFault_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("short line") << 0 << QStringList{"tabla Medio, línea 10", "corta"};
    QTest::newRow("wrong order") << 1 << QStringList{"tabla 20 %, línea 0", "fuera de orden", "'AYAA'"};
    QTest::newRow("misaligned level") << 2 << QStringList{"tabla 80 %, línea 5", "no coincide"};
    QTest::newRow("non-numeric field") << 3 << QStringList{"tabla 20 %, línea 7", "coeficiente b", "'15,770 '"};
    QTest::newRow("missing line") << 4 << QStringList{"tabla Medio: 383 líneas"};
    QTest::newRow("text beyond the columns") << 5 << QStringList{"tabla 80 %, línea 2", "después de la columna 27"};
}

void TestResponseTable::validateNamesEachFault()
{
    QFETCH(int, fault);
    QFETCH(QStringList, expected);
    const ResponseTable& builtIn = ResponseTable::builtIn();
    QStringList l20 = builtIn.lines(Level::P20), lMedio = builtIn.lines(Level::Medio), l80 = builtIn.lines(Level::P80);
    switch (fault) {
    case 0:
        lMedio[10].truncate(20);
        break;
    case 1:
        for (QStringList* l : {&l20, &lMedio, &l80})
            l->swapItemsAt(0, 1);
        break;
    case 2:
        l80[5].replace(0, 4, l80[6].left(4));
        break;
    case 3:
        l20[7].replace(12, 7, QStringLiteral("15,770 "));
        break;
    case 4:
        lMedio.removeLast();
        break;
    case 5:
        l80[2] = l80[2].left(27) + QStringLiteral(" x");
        break;
    }
    const QStringList faults = ResponseTable(l20, lMedio, l80).validate();
    QVERIFY(!faults.isEmpty());
    const QString all = faults.join(u'\n');
    for (const QString& part : expected)
        QVERIFY2(all.contains(part), qPrintable(all));
}

QTEST_APPLESS_MAIN(TestResponseTable)
#include "tst_responsetable.moc"
