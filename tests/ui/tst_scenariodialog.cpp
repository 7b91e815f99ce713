#include <QRadioButton>

#include "WindowSetFixture.h"
#include "core/ScenarioSlots.h"
#include "ui/common/RadioGroup.h"
#include "ui/scenario/ScenarioDialog.h"

class TestScenarioDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f_ = std::make_unique<WindowSetFixture>(); }
    void cleanup() { f_.reset(); }
    void firstUse();
    void siteRuleShowsOneUnitList_data();
    void siteRuleShowsOneUnitList();
    void paranaTezanosPinto();
    void selectionsAreSharedBySlots();
    void eachUnitListKeepsItsSelection();
    void unitLettersForEverySlot_data();
    void unitLettersForEverySlot();
    void retargetingWhileOpen();
    void confirmingAgainOverwrites();

private:
    RadioGroup* group(int n) const
    {
        return f_->child<RadioGroup>("TForm2", QStringLiteral("RadioGroup%1").arg(n).toLatin1().constData());
    }
    void choose(int groupNumber, int item) const
    {
        QRadioButton* b = group(groupNumber)->button(item);
        QVERIFY(b);
        b->click();
    }
    QStringList pending(int slot) const
    {
        const SlotRecord& r = f_->set->scenarioSlots().slot(slot);
        return {r.siteLetter, r.unitLetter, r.cultivarLetter, r.waterLetter};
    }
    QStringList panel(const char* site, const char* unit, const char* cultivar, const char* water) const
    {
        QStringList out;
        for (const char* name : {site, unit, cultivar, water})
            out << f_->child<QLabel>("TForm1", name)->text();
        return out;
    }

    std::unique_ptr<WindowSetFixture> f_;
};

void TestScenarioDialog::firstUse()
{
    f_->click("TForm1", "ToolButton1");
    auto& dialog = f_->set->scenarioDialog();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.size(), QSize(432, 350));
    QCOMPARE(f_->child<QLabel>("TForm2", "Label1")->text(), QStringLiteral("E S C E N A R I O  1"));
    QCOMPARE(group(1)->selectedText(), QStringLiteral("Gualeguay"));
    QCOMPARE(group(5)->selectedText(), QStringLiteral("La Concordia"));
    QCOMPARE(group(2)->selectedText(), QStringLiteral("Escorpión"));
    QCOMPARE(group(4)->selectedText(), QStringLiteral("Capac. de campo"));
    QCOMPARE(group(1)->title(), QStringLiteral("SITIO"));
    QCOMPARE(group(2)->title(), QStringLiteral("CULTIVAR"));
    QCOMPARE(group(4)->title(), QStringLiteral("AGUA A LA SIEMBRA"));
    QCOMPARE(group(7)->title(), QStringLiteral("Unidad de paisaje"));

    f_->click("TForm2", "BitBtn1");
    QVERIFY(!dialog.isVisible());
    QVERIFY(f_->child("TForm1", "Panel2")->isVisible());
    QVERIFY(!f_->child("TForm1", "Panel3")->isVisible());
    QVERIFY(f_->child<QCheckBox>("TForm1", "CheckBox1")->isChecked());
    QCOMPARE(panel("Label7", "Label31", "Label8", "Label10"),
             (QStringList{"Gualeguay", "La Concordia", "Escorpión", "Capac. de campo"}));
    QCOMPARE(pending(1), (QStringList{"A", "G", "A", "A"}));
    QCOMPARE(f_->set->scenarioSlots().slot(1).code, QStringLiteral("36")); // composed only at "Graficar"
    f_->click("TForm1", "ToolButton13");
    QCOMPARE(f_->set->scenarioSlots().slot(1).code, QStringLiteral("AGAA"));
}

void TestScenarioDialog::siteRuleShowsOneUnitList_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<int>("items");
    QTest::newRow("Gualeguay") << 0 << 7;
    QTest::newRow("Gualeguaychú") << 1 << 6;
    QTest::newRow("Reconquista") << 2 << 7;
    QTest::newRow("Paraná") << 3 << 5;
    QTest::newRow("Rafaela") << 4 << 7;
}

void TestScenarioDialog::siteRuleShowsOneUnitList()
{
    QFETCH(int, site);
    QFETCH(int, items);
    f_->click("TForm1", "ToolButton1");
    choose(1, site);
    for (int g = 5; g <= 9; ++g)
        QCOMPARE(group(g)->isVisible(), g == 5 + site);
    QCOMPARE(group(5 + site)->count(), items);
    // Activation applies the rule too.
    group(5 + (site + 1) % 5)->show();
    f_->set->scenarioDialog().onActivated();
    for (int g = 5; g <= 9; ++g)
        QCOMPARE(group(g)->isVisible(), g == 5 + site);
}

void TestScenarioDialog::paranaTezanosPinto()
{
    f_->click("TForm1", "ToolButton1");
    choose(1, 3);
    QCOMPARE(group(8)->selectedText(), QStringLiteral("Tézanos Pinto"));
    choose(2, 1);
    choose(4, 1);
    f_->click("TForm2", "BitBtn1");
    QCOMPARE(pending(1), (QStringList{"D", "#", "B", "B"}));
    QCOMPARE(panel("Label7", "Label31", "Label8", "Label10"),
             (QStringList{"Paraná", "Tézanos Pinto", "Guapo", "Mod. húmedo"}));
    f_->click("TForm1", "ToolButton13");
    QCOMPARE(f_->set->scenarioSlots().slot(1).code, QStringLiteral("D#BB"));
}

void TestScenarioDialog::selectionsAreSharedBySlots()
{
    f_->click("TForm1", "ToolButton1");
    choose(1, 4);
    choose(9, 3); // PT 6
    f_->click("TForm2", "BitBtn1");
    f_->click("TForm1", "ToolButton3");
    QCOMPARE(group(1)->selectedText(), QStringLiteral("Rafaela"));
    QCOMPARE(group(9)->selectedText(), QStringLiteral("PT 6"));
    QVERIFY(group(9)->isVisible());
    f_->click("TForm2", "BitBtn1");
    QCOMPARE(panel("Label15", "Label33", "Label16", "Label18"),
             (QStringList{"Rafaela", "PT 6", "Escorpión", "Capac. de campo"}));
    QCOMPARE(pending(2), (QStringList{"E", "U", "A", "A"}));
    QVERIFY(f_->child<QCheckBox>("TForm1", "CheckBox2")->isChecked());
}

void TestScenarioDialog::eachUnitListKeepsItsSelection()
{
    f_->click("TForm1", "ToolButton1");
    choose(1, 2);
    choose(7, 3); // PT29
    choose(1, 0);
    QCOMPARE(group(5)->selectedText(), QStringLiteral("La Concordia"));
    choose(1, 2);
    QCOMPARE(group(7)->selectedText(), QStringLiteral("PT29"));
    f_->click("TForm2", "BitBtn1");
    QCOMPARE(f_->child<QLabel>("TForm1", "Label31")->text(), QStringLiteral("PT29"));
    QCOMPARE(pending(1), (QStringList{"C", "N", "A", "A"}));
}

void TestScenarioDialog::unitLettersForEverySlot_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("name");
    for (int slot = 1; slot <= 3; ++slot) {
        QTest::addRow("slot %d La Emiliana", slot) << slot << 4 << "H"
                                                   << "La Emiliana";
        QTest::addRow("slot %d Aldea Asunción", slot) << slot << 6 << "A"
                                                      << "Aldea Asunción";
        QTest::addRow("slot %d Gualeguay unit", slot) << slot << 5 << "E"
                                                      << "Gualeguay";
    }
}

void TestScenarioDialog::unitLettersForEverySlot()
{
    QFETCH(int, slot);
    QFETCH(int, unit);
    QFETCH(QString, letter);
    QFETCH(QString, name);
    const char* buttons[] = {"ToolButton1", "ToolButton3", "ToolButton5"};
    const char* unitLabels[] = {"Label31", "Label33", "Label35"};
    f_->click("TForm1", buttons[slot - 1]);
    choose(5, unit);
    f_->click("TForm2", "BitBtn1");
    QCOMPARE(pending(slot).at(1), letter);
    QCOMPARE(pending(slot).at(0), QStringLiteral("A"));
    QCOMPARE(f_->child<QLabel>("TForm1", unitLabels[slot - 1])->text(), name);
    for (int other = 1; other <= 3; ++other)
        if (other != slot)
            QVERIFY(!f_->set->scenarioSlots().slot(other).panelShown);
}

void TestScenarioDialog::retargetingWhileOpen()
{
    f_->click("TForm1", "ToolButton1");
    choose(2, 3);
    f_->click("TForm1", "ToolButton5");
    QVERIFY(f_->set->scenarioDialog().isVisible());
    QCOMPARE(f_->set->scenarioDialog().heading(), QStringLiteral("E S C E N A R I O  3"));
    QCOMPARE(group(2)->selectedText(), QStringLiteral("Don Enrique"));
    f_->click("TForm2", "BitBtn1");
    QVERIFY(f_->set->scenarioSlots().slot(3).panelShown);
    QCOMPARE(pending(3).at(2), QStringLiteral("D"));
    QVERIFY(!f_->set->scenarioSlots().slot(1).panelShown);
    QCOMPARE(pending(1).at(0), QStringLiteral("Label5"));
}

void TestScenarioDialog::confirmingAgainOverwrites()
{
    f_->click("TForm1", "ToolButton1");
    f_->click("TForm2", "BitBtn1");
    f_->child<QCheckBox>("TForm1", "CheckBox1")->click(); // untick
    f_->click("TForm1", "ToolButton1");
    choose(4, 2);
    f_->click("TForm2", "BitBtn1");
    QVERIFY(f_->child<QCheckBox>("TForm1", "CheckBox1")->isChecked());
    QCOMPARE(f_->child<QLabel>("TForm1", "Label10")->text(), QStringLiteral("Seco"));
    QCOMPARE(pending(1).at(3), QStringLiteral("C"));
}

QTEST_MAIN(TestScenarioDialog)
#include "tst_scenariodialog.moc"
