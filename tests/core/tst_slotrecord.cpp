#include <QSignalSpy>
#include <QTest>

#include "core/NumberText.h"
#include "core/ResponseTable.h"
#include "core/ScenarioSlots.h"
#include "core/SlotRecord.h"

namespace {

QStringList nine(const SlotRecord& r)
{
    QStringList out;
    for (const CoefficientTexts& t : r.coefficients)
        out << t.a << t.b << t.c;
    return out;
}

} // namespace

class TestSlotRecord : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initialTexts_data();
    void initialTexts();
    void lookUpCopiesTheLine_data();
    void lookUpCopiesTheLine();
    void unconfirmedSlotKeepsItsTexts();
    void composeJoinsAsTheyStand();
    void confirmingWaitsForGraficar();
    void sameScenarioTwiceGivesSameTexts();
    void slotsAnnounceChanges();
    void slotNumbersOutsideOneToThree();
};

void TestSlotRecord::initialTexts_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QStringList>("letters");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("first");
    QTest::newRow("1") << 1 << QStringList{"Label5", "Label2", "Label6", "Label8"} << "36" << 38;
    QTest::newRow("2") << 2 << QStringList{"Label9", "Label3", "Label10", "Label12"} << "47" << 49;
    QTest::newRow("3") << 3 << QStringList{"Label13", "Label4", "Label14", "Label16"} << "58" << 60;
}

void TestSlotRecord::initialTexts()
{
    QFETCH(int, slot);
    QFETCH(QStringList, letters);
    QFETCH(QString, code);
    QFETCH(int, first);
    const SlotRecord r = SlotRecord::initial(slot);
    QCOMPARE(r.slot, slot);
    QCOMPARE((QStringList{r.siteLetter, r.unitLetter, r.cultivarLetter, r.waterLetter}), letters);
    QCOMPARE(r.code, code);
    QVERIFY(!r.active);
    QVERIFY(!r.panelShown);
    QStringList expected;
    for (int i = 0; i < 9; ++i)
        expected << QString::number(first + i);
    QCOMPARE(nine(r), expected);
    // Readers convert them without error.
    for (const QString& text : nine(r))
        QVERIFY(NumberText::read(text).ok);
    QCOMPARE(r.at(Level::Medio).a, QString::number(first + 3));
}

void TestSlotRecord::lookUpCopiesTheLine_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("AGAA, trailing blank left out of c20")
        << "AGAA"
        << QStringList{"1885.9", "15.770 ", "-0.0529", "1965.1", "24.000 ", "-0.0820", "2243.1", "27.210 ", "-0.0920"};
    QTest::newRow("AFAA a80 with blanks") << "AFAA" << QStringList{"2579.1",  "15.310 ", "-0.0722", "3165.1", "12.660 ",
                                                                   "-0.0530", "3679  ",  "12.250 ", "-0.0440"};
    QTest::newRow("EQDC last line") << "EQDC" << QStringList{" 577.5",  " 8.250 ", "-0.0348", " 861.6", "17.870 ",
                                                             "-0.0660", "1049.9",  "28     ", "-0.0990"};
    QTest::newRow("DDDB rising 20 %") << "DDDB" << QStringList{"2282.7",  " 2.300 ", " 0.0001", "2325.8", "12.740 ",
                                                               "-0.0540", "2746.3",  "18.62  ", "-0.0750"};
    QTest::newRow("EQBA straight 20 %") << "EQBA" << QStringList{"1443.0",  " 2.930 ", "-0.0000", "1582.2", "17.050 ",
                                                                 "-0.0470", "1780.3",  "27.64  ", "-0.0790"};
}

void TestSlotRecord::lookUpCopiesTheLine()
{
    QFETCH(QString, code);
    QFETCH(QStringList, expected);
    SlotRecord r = SlotRecord::initial(1);
    r.siteLetter = code.mid(0, 1);
    r.unitLetter = code.mid(1, 1);
    r.cultivarLetter = code.mid(2, 1);
    r.waterLetter = code.mid(3, 1);
    r.compose();
    QCOMPARE(r.code, code);
    QVERIFY(r.lookUp(ResponseTable::builtIn()));
    QCOMPARE(nine(r), expected);
    if (code == u"AFAA")
        QCOMPARE(NumberText::read(r.at(Level::P80).a).value, 3679.0);
    if (code == u"EQBA")
        QCOMPARE(NumberText::read(r.at(Level::P20).c).value, 0.0);
}

void TestSlotRecord::unconfirmedSlotKeepsItsTexts()
{
    ScenarioSlots model;
    const SlotRecord before = model.slot(2);
    for (int press = 0; press < 5; ++press)
        model.composeAndLookUp(ResponseTable::builtIn());
    QCOMPARE(model.slot(2).code, QStringLiteral("Label9Label3Label10Label12"));
    QCOMPARE(model.slot(2).code.size(), 26);
    QCOMPARE(model.slot(1).code.size(), 24);
    QCOMPARE(model.slot(2).at(Level::P20).a, QStringLiteral("49"));
    QCOMPARE(nine(model.slot(2)), nine(before));
}

void TestSlotRecord::composeJoinsAsTheyStand()
{
    SlotRecord r = SlotRecord::initial(3);
    r.siteLetter = QStringLiteral("D");
    r.unitLetter = QStringLiteral("#");
    r.cultivarLetter = QStringLiteral("B");
    r.waterLetter = QStringLiteral("B");
    r.compose();
    QCOMPARE(r.code, QStringLiteral("D#BB"));
    r.unitLetter = QStringLiteral("");
    r.compose();
    QCOMPARE(r.code, QStringLiteral("DBB")); // no check of length: matches nothing
    const QStringList beforeLookUp = nine(r);
    QVERIFY(!r.lookUp(ResponseTable::builtIn()));
    QCOMPARE(nine(r), beforeLookUp);
}

void TestSlotRecord::confirmingWaitsForGraficar()
{
    ScenarioSlots model;
    model.confirm(1, "Gualeguay", "La Concordia", "Escorpión", "Capac. de campo", "A", "G", "A", "A");
    QVERIFY(model.slot(1).active);
    QVERIFY(model.slot(1).panelShown);
    QCOMPARE(model.slot(1).code, QStringLiteral("36"));
    model.composeAndLookUp(ResponseTable::builtIn());
    QCOMPARE(model.slot(1).code, QStringLiteral("AGAA"));
    QCOMPARE(model.slot(1).at(Level::Medio).b, QStringLiteral("24.000 "));

    // A new scenario confirmed without "Graficar" leaves code and coefficients alone.
    model.confirm(1, "Rafaela", "PT 371", "Don Enrique", "Seco", "E", "Q", "D", "C");
    QCOMPARE(model.slot(1).code, QStringLiteral("AGAA"));
    QCOMPARE(model.slot(1).at(Level::P20).a, QStringLiteral("1885.9"));
    QCOMPARE(model.slot(1).siteName, QStringLiteral("Rafaela"));
    model.composeAndLookUp(ResponseTable::builtIn());
    QCOMPARE(model.slot(1).code, QStringLiteral("EQDC"));
    QCOMPARE(model.slot(1).at(Level::P80).b, QStringLiteral("28     "));
}

void TestSlotRecord::sameScenarioTwiceGivesSameTexts()
{
    ScenarioSlots model;
    model.confirm(1, "Paraná", "Tézanos Pinto", "Guapo", "Mod. húmedo", "D", "#", "B", "B");
    model.confirm(3, "Paraná", "Tézanos Pinto", "Guapo", "Mod. húmedo", "D", "#", "B", "B");
    model.composeAndLookUp(ResponseTable::builtIn());
    QCOMPARE(model.slot(1).code, QStringLiteral("D#BB"));
    QCOMPARE(nine(model.slot(1)), nine(model.slot(3)));
    QVERIFY(nine(model.slot(1)) != nine(SlotRecord::initial(1)));
    QCOMPARE(model.slot(2).code, QStringLiteral("Label9Label3Label10Label12"));
}

void TestSlotRecord::slotsAnnounceChanges()
{
    ScenarioSlots model;
    QSignalSpy spy(&model, &ScenarioSlots::slotChanged);
    model.confirm(2, "a", "b", "c", "d", "A", "G", "A", "A");
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 2);
    model.setActive(2, true); // unchanged: nothing to announce
    QCOMPARE(spy.count(), 0);
    model.setActive(2, false);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!model.slot(2).active);
    QVERIFY(model.slot(2).panelShown); // nothing hides a panel again
}

void TestSlotRecord::slotNumbersOutsideOneToThree()
{
    ScenarioSlots model;
    QSignalSpy spy(&model, &ScenarioSlots::slotChanged);
    model.confirm(0, "a", "b", "c", "d", "A", "G", "A", "A");
    model.confirm(4, "a", "b", "c", "d", "A", "G", "A", "A");
    model.setActive(-1, true);
    QCOMPARE(spy.count(), 0);
    for (int s = 1; s <= 3; ++s)
        QCOMPARE(model.slot(s), SlotRecord::initial(s));
}

QTEST_APPLESS_MAIN(TestSlotRecord)
#include "tst_slotrecord.moc"
