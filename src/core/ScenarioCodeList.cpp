#include "ScenarioCodeList.h"

#include "core/ScenarioVocabulary.h"

using namespace Qt::StringLiterals;

QList<QStringList> ScenarioCodeList::rows()
{
    QList<QStringList> rows{{u"codigo"_s, u"sitio"_s, u"unidad de paisaje"_s, u"agua a la siembra"_s, u"cultivar"_s}};
    const auto& sites = ScenarioVocabulary::sites();
    const auto& waters = ScenarioVocabulary::waters();
    const auto& cultivars = ScenarioVocabulary::cultivars();
    for (int site = 0; site < sites.size(); ++site)
        for (int water = 0; water < waters.size(); ++water)
            for (int cultivar = 0; cultivar < cultivars.size(); ++cultivar)
                for (int unit = 0; unit < sites[site].units.size(); ++unit)
                    rows.append({ScenarioVocabulary::code(site, unit, cultivar, water), sites[site].site.displayName,
                                 sites[site].units[unit].displayName, waters[water].displayName,
                                 cultivars[cultivar].displayName});
    return rows;
}
