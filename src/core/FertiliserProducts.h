#pragma once

#include <QString>
#include <QStringList>

// The commercial nitrogen fertilisers an adviser can pick, in the order the drop-down
// lists offer them, with the mass of nitrogen per mass of product. Both the nitrogen
// cost assistant and the soil nitrogen calculator use this one list.
class FertiliserProducts {
public:
    static constexpr int Count = 7;
    static constexpr int NoProduct = -1; // a list still showing its prompt

    // "Elija el fertilizante", shown by a list until a product is chosen.
    static QString prompt();

    // The item texts, index 0 to 6.
    static QStringList names();

    // N fraction of the product at `index`; 0 when no product is chosen (or the index is
    // outside the list), so that row carries no nitrogen.
    static double nFraction(int index);
};
