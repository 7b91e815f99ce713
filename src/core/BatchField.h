#pragma once

#include <array>
#include <optional>

#include <QString>

#include "core/Curves.h"
#include "core/FertiliserProducts.h"
#include "core/ResponseTable.h"

// One field of a batch, as read from its row: everything the dose advice needs, in the
// units the economic chart and the advice window take.
struct BatchField {
    int line = 0;                       // of the row in the file
    QString lot;                        // as written
    QString code;                       // the scenario code, upper case
    QString scenario;                   // "Gualeguay - La Concordia - Escorpión - Capac. de campo"
    PerLevel<Curves::Quadratic> curves; // of the code in the table in use
    double grainPrice = 0.0;            // U$S per tonne of grain
    double nCost = 0.0;                 // U$S per tonne of N
    int referenceN = 0;                 // kg/ha, as written (the margins start from 40 at least)
    int product = FertiliserProducts::NoProduct;
    // As the row gives them; the advice window's defaults where it gives none.
    double tolerance = 0.0;          // U$S/ha
    std::array<double, 3> weights{}; // 20 %, Medio, 80 %
    std::optional<Level> level;      // the one level asked for; none: all three
};
