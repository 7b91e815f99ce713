#include <QTest>

#include "core/AppliedFunctions.h"
#include "core/ResponseTable.h"
#include "core/ScenarioSlots.h"
#include "core/SlotRecord.h"

namespace {

using Equations = std::array<AppliedFunctions::SlotEquations, AppliedFunctions::SlotCount>;

const QString Heading = QStringLiteral("   FUNCIONES GRAFICADAS");

// Confirms each slot with a code (empty: left alone), presses "Graficar" when asked,
// then unticks "Activar" of the slots listed.
void prepare(ScenarioSlots& model, const QStringList& codes, bool graficar, const QList<int>& deactivated)
{
    for (int s = 1; s <= codes.size(); ++s) {
        const QString& code = codes[s - 1];
        if (code.isEmpty())
            continue;
        model.confirm(s, "sitio", "unidad", "cultivar", "agua", code.mid(0, 1), code.mid(1, 1), code.mid(2, 1),
                      code.mid(3, 1));
    }
    if (graficar)
        model.composeAndLookUp(ResponseTable::builtIn());
    for (int s : deactivated)
        model.setActive(s, false);
}

QStringList report(const ScenarioSlots& model)
{
    Equations equations;
    std::array<bool, AppliedFunctions::SlotCount> active{};
    for (int s = 1; s <= AppliedFunctions::SlotCount; ++s) {
        equations[s - 1] = AppliedFunctions::equations(model.slot(s));
        active[s - 1] = model.slot(s).active;
    }
    return AppliedFunctions::reportLines(equations, active);
}

} // namespace

class TestAppliedFunctions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void equationOfTableLine_data();
    void equationOfTableLine();
    void equationOfTexts_data();
    void equationOfTexts();
    void received_data();
    void received();
    void receivedAfterGraficar();
    void reportLines_data();
    void reportLines();
    void reportTakesTheGivenEquations();
    void prefixes_data();
    void prefixes();
    void reportText_data();
    void reportText();
};

void TestAppliedFunctions::equationOfTableLine_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("expected");
    QTest::newRow("AGAA Medio, b's trailing blank before X")
        << "AGAA" << int(Level::Medio) << "y=1965.1+24.000 X -0.0820x2";
    QTest::newRow("AGAA 20 %") << "AGAA" << int(Level::P20) << "y=1885.9+15.770 X -0.0529x2";
    QTest::newRow("AFAA 80 %, a with two trailing blanks")
        << "AFAA" << int(Level::P80) << "y=3679  +12.250 X -0.0440x2";
    QTest::newRow("EQDC 80 %, b of five blanks") << "EQDC" << int(Level::P80) << "y=1049.9+28     X -0.0990x2";
    QTest::newRow("EQDC 20 %, leading blanks") << "EQDC" << int(Level::P20) << "y= 577.5+ 8.250 X -0.0348x2";
    QTest::newRow("DDDB 20 %, positive c") << "DDDB" << int(Level::P20) << "y=2282.7+ 2.300 X  0.0001x2";
    QTest::newRow("CPAA 80 %, b with a leading blank") << "CPAA" << int(Level::P80) << "y=1884.5+ 22.41 X -0.0760x2";
}

void TestAppliedFunctions::equationOfTableLine()
{
    QFETCH(QString, code);
    QFETCH(int, level);
    QFETCH(QString, expected);
    ScenarioSlots model;
    prepare(model, {code}, true, {});
    QCOMPARE(model.slot(1).code, code);
    QCOMPARE(AppliedFunctions::equation(model.slot(1).at(static_cast<Level>(level))), expected);
    QCOMPARE(AppliedFunctions::equations(model.slot(1))[level], expected);
}

void TestAppliedFunctions::equationOfTexts_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("plateau");
    QTest::addColumn<QString>("expected");
    QTest::newRow("negative b left as it is") << "1200.0"
                                              << "-3.500 "
                                              << "-0.0100" << QString() << "y=1200.0+-3.500 X -0.0100x2";
    QTest::newRow("placeholders of slot 2 Medio") << "52"
                                                  << "53"
                                                  << "54" << QString() << "y=52+53X 54x2";
    QTest::newRow("not numbers, not checked") << "abc"
                                              << ""
                                              << " " << QString() << "y=abc+X  x2";
    QTest::newRow("a plateau said, a blank one not") << "2000.0"
                                                     << "25.000 "
                                                     << "-0.1000"
                                                     << " 108.8"
                                                     << "y=2000.0+25.000 X -0.1000x2 (meseta desde N=108.8)";
    QTest::newRow("blank plateau") << "52"
                                   << "53"
                                   << "54"
                                   << "      "
                                   << "y=52+53X 54x2";
}

void TestAppliedFunctions::equationOfTexts()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QString, plateau);
    QFETCH(QString, expected);
    QCOMPARE(AppliedFunctions::equation(CoefficientTexts{a, b, c, plateau}), expected);
}

void TestAppliedFunctions::received_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("medioA");
    QTest::addColumn<bool>("received");
    QTest::newRow("slot 1 initial") << 1 << "41" << false;
    QTest::newRow("slot 2 initial") << 2 << "52" << false;
    QTest::newRow("slot 3 initial") << 3 << "63" << false;
    QTest::newRow("slot 1 placeholder with blanks") << 1 << " 41  " << false;
    QTest::newRow("slot 3 placeholder as 63.0") << 3 << "63.0" << false;
    QTest::newRow("slot 1 holding slot 2's number") << 1 << "52" << true;
    QTest::newRow("slot 2 holding slot 1's number") << 2 << "41" << true;
    QTest::newRow("slot 1 filled") << 1 << "1965.1" << true;
    QTest::newRow("slot 3 filled with blanks") << 3 << " 861.6" << true;
    QTest::newRow("slot 2 text that is not a number") << 2 << "5,2" << true;
    QTest::newRow("slot 3 empty text") << 3 << "" << true;
}

void TestAppliedFunctions::received()
{
    QFETCH(int, slot);
    QFETCH(QString, medioA);
    QFETCH(bool, received);
    SlotRecord record = SlotRecord::initial(slot);
    record.coefficients[static_cast<int>(Level::Medio)].a = medioA;
    QCOMPARE(AppliedFunctions::hasReceivedCoefficients(record), received);
}

void TestAppliedFunctions::receivedAfterGraficar()
{
    ScenarioSlots model;
    prepare(model, {"AGAA", "", "EQDC"}, false, {});
    // Confirmed but not yet "Graficar": still the placeholders.
    for (int s = 1; s <= 3; ++s)
        QVERIFY(!AppliedFunctions::hasReceivedCoefficients(model.slot(s)));
    model.composeAndLookUp(ResponseTable::builtIn());
    QVERIFY(AppliedFunctions::hasReceivedCoefficients(model.slot(1)));
    QVERIFY(!AppliedFunctions::hasReceivedCoefficients(model.slot(2)));
    QVERIFY(AppliedFunctions::hasReceivedCoefficients(model.slot(3)));
    // Unticking "Activar" does not make a slot forget its coefficients.
    model.setActive(3, false);
    QVERIFY(AppliedFunctions::hasReceivedCoefficients(model.slot(3)));
}

void TestAppliedFunctions::reportLines_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<bool>("graficar");
    QTest::addColumn<QList<int>>("deactivated");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("slots 1 and 3 filled, slot 2 never")
        << QStringList{"AGAA", "", "AFAA"} << true << QList<int>{}
        << QStringList{Heading,
                       "",
                       "Escenario1 - Medio  y=1965.1+24.000 X -0.0820x2",
                       "Escenario1 - 80%    y=2243.1+27.210 X -0.0920x2",
                       "Escenario1 - 20%    y=1885.9+15.770 X -0.0529x2",
                       "",
                       "Escenario3 - Medio  y=3165.1+12.660 X -0.0530x2",
                       "Escenario3 - 80%    y=3679  +12.250 X -0.0440x2",
                       "Escenario3 - 20%    y=2579.1+15.310 X -0.0722x2",
                       ""};
    QTest::newRow("no slot active") << QStringList{} << true << QList<int>{} << QStringList{Heading, ""};
    QTest::newRow("every slot unticked after Graficar")
        << QStringList{"AGAA", "AFAA", "EQDC"} << true << QList<int>{1, 2, 3} << QStringList{Heading, ""};
    QTest::newRow("slot 2 filled then unticked") << QStringList{"AGAA", "EQDC", ""} << true << QList<int>{2}
                                                 << QStringList{Heading,
                                                                "",
                                                                "Escenario1 - Medio  y=1965.1+24.000 X -0.0820x2",
                                                                "Escenario1 - 80%    y=2243.1+27.210 X -0.0920x2",
                                                                "Escenario1 - 20%    y=1885.9+15.770 X -0.0529x2",
                                                                ""};
    QTest::newRow("slot 2 alone") << QStringList{"", "EQDC", ""} << true << QList<int>{}
                                  << QStringList{Heading,
                                                 "",
                                                 "Escenario2 - Medio  y= 861.6+17.870 X -0.0660x2",
                                                 "Escenario2 - 80%    y=1049.9+28     X -0.0990x2",
                                                 "Escenario2 - 20%    y= 577.5+ 8.250 X -0.0348x2",
                                                 ""};
    // Ticked but never looked up: the placeholders are what the labels hold.
    QTest::newRow("slot 3 confirmed, no Graficar yet") << QStringList{"", "", "AGAA"} << false << QList<int>{}
                                                       << QStringList{Heading,
                                                                      "",
                                                                      "Escenario3 - Medio  y=63+64X 65x2",
                                                                      "Escenario3 - 80%    y=66+67X 68x2",
                                                                      "Escenario3 - 20%    y=60+61X 62x2",
                                                                      ""};
}

void TestAppliedFunctions::reportLines()
{
    QFETCH(QStringList, codes);
    QFETCH(bool, graficar);
    QFETCH(QList<int>, deactivated);
    QFETCH(QStringList, expected);
    ScenarioSlots model;
    prepare(model, codes, graficar, deactivated);
    QCOMPARE(report(model), expected);
}

void TestAppliedFunctions::reportTakesTheGivenEquations()
{
    // The window hands over the equations it showed at its last activation, which need
    // not be the slots' present coefficients: the report uses exactly those.
    Equations equations;
    for (int s = 0; s < 3; ++s)
        for (int level = 0; level < 3; ++level)
            equations[s][level] = QStringLiteral("s%1l%2").arg(s + 1).arg(level);
    const QStringList lines = AppliedFunctions::reportLines(equations, {false, true, true});
    QCOMPARE(
        lines,
        (QStringList{Heading, "", "Escenario2 - Medio  s2l1", "Escenario2 - 80%    s2l2", "Escenario2 - 20%    s2l0",
                     "", "Escenario3 - Medio  s3l1", "Escenario3 - 80%    s3l2", "Escenario3 - 20%    s3l0", ""}));
}

void TestAppliedFunctions::prefixes_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("1 Medio") << 1 << int(Level::Medio) << "Escenario1 - Medio  ";
    QTest::newRow("1 80") << 1 << int(Level::P80) << "Escenario1 - 80%    ";
    QTest::newRow("1 20") << 1 << int(Level::P20) << "Escenario1 - 20%    ";
    QTest::newRow("2 Medio") << 2 << int(Level::Medio) << "Escenario2 - Medio  ";
    QTest::newRow("2 80") << 2 << int(Level::P80) << "Escenario2 - 80%    ";
    QTest::newRow("2 20") << 2 << int(Level::P20) << "Escenario2 - 20%    ";
    QTest::newRow("3 Medio") << 3 << int(Level::Medio) << "Escenario3 - Medio  ";
    QTest::newRow("3 80") << 3 << int(Level::P80) << "Escenario3 - 80%    ";
    QTest::newRow("3 20") << 3 << int(Level::P20) << "Escenario3 - 20%    ";
}

void TestAppliedFunctions::prefixes()
{
    QFETCH(int, slot);
    QFETCH(int, level);
    QFETCH(QString, prefix);
    QCOMPARE(prefix.size(), 20);
    QCOMPARE(AppliedFunctions::linePrefix(slot, static_cast<Level>(level)), prefix);

    // In the report of all three slots filled, the line starts with the prefix and its
    // equation starts at the 21st character.
    ScenarioSlots model;
    prepare(model, {"AGAA", "AFAA", "EQDC"}, true, {});
    const QString equation = AppliedFunctions::equation(model.slot(slot).at(static_cast<Level>(level)));
    const QStringList lines = report(model);
    const QString line = prefix + equation;
    QVERIFY2(lines.contains(line), qPrintable(line));
    QCOMPARE(line.indexOf(QStringLiteral("y=")), 20);
}

void TestAppliedFunctions::reportText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no slot active") << QStringList{Heading, ""} << "   FUNCIONES GRAFICADAS\r\n\r\n";
    QTest::newRow("last line empty") << QStringList{"a", "", "b", ""} << "a\r\n\r\nb\r\n\r\n";
    QTest::newRow("blanks kept") << QStringList{"  x  "} << "  x  \r\n";
    QTest::newRow("nothing") << QStringList{} << "";
}

void TestAppliedFunctions::reportText()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);
    QCOMPARE(AppliedFunctions::reportText(lines), expected);
}

QTEST_APPLESS_MAIN(TestAppliedFunctions)
#include "tst_appliedfunctions.moc"
