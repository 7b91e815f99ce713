#include <QSet>
#include <QTest>

#include "core/ScenarioVocabulary.h"

namespace {

// Position of a display name in a list, or -1.
int positionOf(const QList<ScenarioChoice>& list, const QString& name)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].displayName == name)
            return i;
    return -1;
}

} // namespace

class TestScenarioCode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void codeOfChoices_data();
    void codeOfChoices();
    void listsAsShown_data();
    void listsAsShown();
    void unitAlphabet();
    void keySpace();
    void positionsOutsideTheLists();
};

void TestScenarioCode::codeOfChoices_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("cultivar");
    QTest::addColumn<QString>("water");
    QTest::addColumn<QString>("code");

    QTest::newRow("first of everything") << "Gualeguay"
                                         << "La Concordia"
                                         << "Escorpión"
                                         << "Capac. de campo"
                                         << "AGAA";
    QTest::newRow("last of everything") << "Rafaela"
                                        << "PT 371"
                                        << "Don Enrique"
                                        << "Seco"
                                        << "EQDC";
    QTest::newRow("sign #") << "Paraná"
                            << "Tézanos Pinto"
                            << "Guapo"
                            << "Mod. húmedo"
                            << "D#BB";
    QTest::newRow("sign @") << "Paraná"
                            << "Tacuara"
                            << "Escorpión"
                            << "Capac. de campo"
                            << "D@AA";
    QTest::newRow("shared unit, other site") << "Gualeguaychú"
                                             << "La Concordia"
                                             << "Escorpión"
                                             << "Capac. de campo"
                                             << "BGAA";
    QTest::newRow("letters independent of site") << "Gualeguay"
                                                 << "Aldea Asunción"
                                                 << "Baguette 10"
                                                 << "Seco"
                                                 << "AACC";
    QTest::newRow("unit named like its site") << "Gualeguay"
                                              << "Gualeguay"
                                              << "Escorpión"
                                              << "Capac. de campo"
                                              << "AEAA";
    QTest::newRow("fifth unit of Gualeguay") << "Gualeguay"
                                             << "La Emiliana"
                                             << "Guapo"
                                             << "Seco"
                                             << "AHBC";
    QTest::newRow("PT29 without blank") << "Reconquista"
                                        << "PT29"
                                        << "Baguette 10"
                                        << "Mod. húmedo"
                                        << "CNCB";
    QTest::newRow("Gualeguaychú own unit") << "Gualeguaychú"
                                           << "Arroyo Animal"
                                           << "Don Enrique"
                                           << "Seco"
                                           << "BBDC";
    QTest::newRow("shared San Juan") << "Gualeguaychú"
                                     << "San Juan"
                                     << "Escorpión"
                                     << "Capac. de campo"
                                     << "BYAA";
    QTest::newRow("Rafaela PT 6") << "Rafaela"
                                  << "PT 6"
                                  << "Guapo"
                                  << "Capac. de campo"
                                  << "EUBA";
}

void TestScenarioCode::codeOfChoices()
{
    QFETCH(QString, site);
    QFETCH(QString, unit);
    QFETCH(QString, cultivar);
    QFETCH(QString, water);
    QFETCH(QString, code);

    const auto& sites = ScenarioVocabulary::sites();
    int siteIndex = -1;
    for (int i = 0; i < sites.size(); ++i)
        if (sites[i].site.displayName == site)
            siteIndex = i;
    QVERIFY2(siteIndex >= 0, qPrintable(site));
    const int unitIndex = positionOf(sites[siteIndex].units, unit);
    const int cultivarIndex = positionOf(ScenarioVocabulary::cultivars(), cultivar);
    const int waterIndex = positionOf(ScenarioVocabulary::waters(), water);
    QVERIFY(unitIndex >= 0 && cultivarIndex >= 0 && waterIndex >= 0);
    QCOMPARE(ScenarioVocabulary::code(siteIndex, unitIndex, cultivarIndex, waterIndex), code);
}

void TestScenarioCode::listsAsShown_data()
{
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("expected");

    auto names = [](const QList<ScenarioChoice>& list) {
        QStringList out;
        for (const auto& c : list)
            out << c.displayName;
        return out;
    };
    QStringList sites;
    for (const auto& s : ScenarioVocabulary::sites())
        sites << s.site.displayName;
    const auto& all = ScenarioVocabulary::sites();

    QTest::newRow("sites") << sites << QStringList{"Gualeguay", "Gualeguaychú", "Reconquista", "Paraná", "Rafaela"};
    QTest::newRow("Gualeguay") << names(all[0].units)
                               << QStringList{"La Concordia", "San Juan",  "San Roque",     "La Blanqueada",
                                              "La Emiliana",  "Gualeguay", "Aldea Asunción"};
    QTest::newRow("Gualeguaychú") << names(all[1].units)
                                  << QStringList{"La Concordia",  "La Paulina",    "San Juan",
                                                 "La Blanqueada", "Arroyo Animal", "Aldea Asunción"};
    QTest::newRow("Reconquista") << names(all[2].units)
                                 << QStringList{"PT 33", "PT 22", "PT 25", "PT29", "PT 35", "PT 11", "PT 48"};
    QTest::newRow("Paraná") << names(all[3].units)
                            << QStringList{"Tézanos Pinto", "Tacuara", "El Triángulo", "Damasio", "La Luisa"};
    QTest::newRow("Rafaela") << names(all[4].units)
                             << QStringList{"PT 01", "PT 3095", "PTB 124", "PT 6", "PTC 184", "PTB 122", "PT 371"};
    QTest::newRow("cultivars") << names(ScenarioVocabulary::cultivars())
                               << QStringList{"Escorpión", "Guapo", "Baguette 10", "Don Enrique"};
    QTest::newRow("water") << names(ScenarioVocabulary::waters())
                           << QStringList{"Capac. de campo", "Mod. húmedo", "Seco"};
}

void TestScenarioCode::listsAsShown()
{
    QFETCH(QStringList, shown);
    QFETCH(QStringList, expected);
    QCOMPARE(shown, expected);
}

void TestScenarioCode::unitAlphabet()
{
    // One letter per distinct unit name over all sites, 28 signs in all.
    QHash<QString, QChar> letterOfName;
    QHash<QChar, QString> nameOfLetter;
    for (const auto& site : ScenarioVocabulary::sites()) {
        QSet<QChar> inSite;
        for (const auto& unit : site.units) {
            QVERIFY2(!inSite.contains(unit.letter), "a letter repeats within a site");
            inSite.insert(unit.letter);
            if (letterOfName.contains(unit.displayName))
                QCOMPARE(letterOfName[unit.displayName], unit.letter);
            if (nameOfLetter.contains(unit.letter))
                QCOMPARE(nameOfLetter[unit.letter], unit.displayName);
            letterOfName[unit.displayName] = unit.letter;
            nameOfLetter[unit.letter] = unit.displayName;
        }
    }
    QCOMPARE(nameOfLetter.size(), 28);
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        QVERIFY2(nameOfLetter.contains(QChar(c)), "every capital letter is used");
    QVERIFY(nameOfLetter.contains(QChar(u'#')));
    QVERIFY(nameOfLetter.contains(QChar(u'@')));
}

void TestScenarioCode::keySpace()
{
    QSet<QString> codes;
    const auto& sites = ScenarioVocabulary::sites();
    for (int s = 0; s < sites.size(); ++s)
        for (int u = 0; u < sites[s].units.size(); ++u)
            for (int c = 0; c < 4; ++c)
                for (int w = 0; w < 3; ++w)
                    codes.insert(ScenarioVocabulary::code(s, u, c, w));
    QCOMPARE(codes.size(), 384);
    QCOMPARE(ScenarioVocabulary::codeCount(), 384);
}

void TestScenarioCode::positionsOutsideTheLists()
{
    QVERIFY(ScenarioVocabulary::code(-1, 0, 0, 0).isEmpty());
    QVERIFY(ScenarioVocabulary::code(5, 0, 0, 0).isEmpty());
    QVERIFY(ScenarioVocabulary::code(3, 5, 0, 0).isEmpty()); // Paraná has five units
    QVERIFY(ScenarioVocabulary::code(0, 0, 4, 0).isEmpty());
    QVERIFY(ScenarioVocabulary::code(0, 0, 0, 3).isEmpty());
}

QTEST_APPLESS_MAIN(TestScenarioCode)
#include "tst_scenariocode.moc"
