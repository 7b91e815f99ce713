#pragma once

#include <QList>
#include <QStringList>

// Every scenario code with the names it stands for, in the order of the coefficient
// table (site, soil water, cultivar, landscape unit), so an adviser can label the rows of
// a trial or a table: codigo, sitio, unidad de paisaje, agua a la siembra, cultivar.
class ScenarioCodeList {
public:
    // The header row first.
    static QList<QStringList> rows();
};
