#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One choice of a scenario list: the name the adviser reads and the letter the code carries.
struct ScenarioChoice {
    QString displayName;
    QChar letter;
};

// A site with its landscape units, in the order the scenario dialog lists them.
struct ScenarioSite {
    ScenarioChoice site;
    QList<ScenarioChoice> units;
};

// The four vocabularies of a scenario: sites (each with its landscape units),
// cultivars and soil water at sowing. Letters follow from the position of a choice
// in its list; the landscape units share one alphabet over all sites.
class ScenarioVocabulary {
public:
    static const QList<ScenarioSite>& sites();
    static const QList<ScenarioChoice>& cultivars();
    static const QList<ScenarioChoice>& waters();

    // The scenario code of the choices at these 0-based list positions:
    // site letter, unit letter, cultivar letter, water letter. An empty text when a
    // position is outside its list.
    static QString code(int site, int unit, int cultivar, int water);

    // Number of valid codes over all sites (every unit, cultivar and water of a site).
    static int codeCount();
};
