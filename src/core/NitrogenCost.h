#pragma once

#include <QString>

#include "core/NumberText.h"

// The nitrogen cost assistant's arithmetic: from the price of a tonne of fertiliser and
// the product's N fraction to the cost of a kilogram and of a tonne of nitrogen. It works
// on the texts the adviser sees, rounding where the screen rounds, so the stored cost is
// the one shown and not the unrounded quotient.
class NitrogenCost {
public:
    enum class Failure {
        None,
        NoData,     // the price still reads "0.00": nothing was entered
        NoProduct,  // no fertiliser chosen: no nitrogen to divide by
        NotANumber, // the price text does not read as a number
        OutOfRange, // the price is outside what a fertiliser costs, or the cost of N
                    // outside what the economic chart accepts
    };

    struct Result {
        Failure failure = Failure::None;
        QString message;            // what to tell the adviser when it failed
        QString contentText;        // grams of N per kg of product ("460")
        QString costText;           // U$S per kg of N ("0.761")
        double nCostPerKg = 0.0;    // read back from costText
        double nCostPerTonne = 0.0; // nCostPerKg x 1000

        bool ok() const { return failure == Failure::None; }
    };

    // The price field's initial text, which counts as "no data".
    static QString initialPriceText();

    // A tonne of fertiliser from 0 (given away) up to 10000 U$S: well above any product
    // on the market, and low enough that the dearest nitrogen it gives (the 11 % product)
    // stays within what the economic chart accepts as a cost of N.
    static NumberText::Range priceRange();

    static QString noDataMessage();    // "DEBE PROVEER DE DATOS PARA EL CALCULO"
    static QString noProductMessage(); // "DEBE ELEGIR UN FERTILIZANTE"

    // "Calcular": price in U$S per tonne of product as typed, product index in the list
    // (FertiliserProducts::NoProduct when none is chosen). Every check is made before any
    // result is produced, so a failure leaves the window as it was.
    static Result calculate(const QString& priceText, int productIndex);

    // Grams of N per kg of product for an N fraction (3 significant digits, no decimals).
    static QString contentText(double nFraction);

    // "Regresar": the cost of a tonne of N as the economic chart's cost field receives it,
    // 4 significant digits written as a whole number ("761", "45450").
    static QString returnText(double nCostPerTonne);
};
