#include "ScenarioVocabulary.h"

namespace {

ScenarioChoice choice(const char16_t* name, char16_t letter)
{
    return ScenarioChoice{QString::fromUtf16(name), QChar(letter)};
}

} // namespace

const QList<ScenarioSite>& ScenarioVocabulary::sites()
{
    static const QList<ScenarioSite> list{
        {choice(u"Gualeguay", u'A'),
         {choice(u"La Concordia", u'G'), choice(u"San Juan", u'Y'), choice(u"San Roque", u'Z'),
          choice(u"La Blanqueada", u'F'), choice(u"La Emiliana", u'H'), choice(u"Gualeguay", u'E'),
          choice(u"Aldea Asunción", u'A')}},
        {choice(u"Gualeguaychú", u'B'),
         {choice(u"La Concordia", u'G'), choice(u"La Paulina", u'J'), choice(u"San Juan", u'Y'),
          choice(u"La Blanqueada", u'F'), choice(u"Arroyo Animal", u'B'), choice(u"Aldea Asunción", u'A')}},
        {choice(u"Reconquista", u'C'),
         {choice(u"PT 33", u'O'), choice(u"PT 22", u'L'), choice(u"PT 25", u'M'), choice(u"PT29", u'N'),
          choice(u"PT 35", u'P'), choice(u"PT 11", u'K'), choice(u"PT 48", u'R')}},
        {choice(u"Paraná", u'D'),
         {choice(u"Tézanos Pinto", u'#'), choice(u"Tacuara", u'@'), choice(u"El Triángulo", u'D'),
          choice(u"Damasio", u'C'), choice(u"La Luisa", u'I')}},
        {choice(u"Rafaela", u'E'),
         {choice(u"PT 01", u'S'), choice(u"PT 3095", u'T'), choice(u"PTB 124", u'W'), choice(u"PT 6", u'U'),
          choice(u"PTC 184", u'X'), choice(u"PTB 122", u'V'), choice(u"PT 371", u'Q')}},
    };
    return list;
}

const QList<ScenarioChoice>& ScenarioVocabulary::cultivars()
{
    static const QList<ScenarioChoice> list{choice(u"Escorpión", u'A'), choice(u"Guapo", u'B'),
                                            choice(u"Baguette 10", u'C'), choice(u"Don Enrique", u'D')};
    return list;
}

const QList<ScenarioChoice>& ScenarioVocabulary::waters()
{
    static const QList<ScenarioChoice> list{choice(u"Capac. de campo", u'A'), choice(u"Mod. húmedo", u'B'),
                                            choice(u"Seco", u'C')};
    return list;
}

QString ScenarioVocabulary::code(int site, int unit, int cultivar, int water)
{
    const auto& siteList = sites();
    if (site < 0 || site >= siteList.size())
        return {};
    const auto& units = siteList[site].units;
    if (unit < 0 || unit >= units.size() || cultivar < 0 || cultivar >= cultivars().size() || water < 0 ||
        water >= waters().size())
        return {};
    QString code;
    code += siteList[site].site.letter;
    code += units[unit].letter;
    code += cultivars()[cultivar].letter;
    code += waters()[water].letter;
    return code;
}

int ScenarioVocabulary::codeCount()
{
    int count = 0;
    for (const auto& site : sites())
        count += static_cast<int>(site.units.size()) * static_cast<int>(cultivars().size()) *
            static_cast<int>(waters().size());
    return count;
}
