#pragma once

#include <QString>

#include "core/NumberText.h"

// The three economic inputs of the economic chart, read from their texts as the adviser
// typed them: the net grain price and the cost of nitrogen in U$S per tonne, and the
// reference available nitrogen in kg/ha. Each reading gives a value or the exact message
// that names the field, so every window and calculation that needs them reads them alike.
//
// What an adviser can sensibly mean: a grain price above 0 and up to 10000 U$S/t (wheat
// trades at 150-400), a cost of nitrogen from 0 (nitrogen at hand) up to 100000 U$S/t of
// N (ten times the dearest fertiliser nitrogen), and a reference N that is a whole number
// from 0 to 1000 kg/ha; below 40 the chart warns and takes 40.
class EconomicInputs {
public:
    // Available nitrogen is never taken below this (the first column of the tables).
    static constexpr int LowestReferenceN = 40;
    static constexpr int HighestReferenceN = 1000;

    static NumberText::Range grainPriceRange();
    static NumberText::Range nCostRange();
    static NumberText::Range referenceNRange();

    struct Price {
        double value = 0.0; // U$S per tonne
        QString error;      // empty when the text was read
        bool ok() const { return error.isEmpty(); }
        double perKg() const { return value / 1000.0; }
    };

    struct Prices {
        double grainPrice = 0.0; // U$S per tonne of grain
        double nCost = 0.0;      // U$S per tonne of N
        QString error;           // the first field that failed, grain price first
        bool ok() const { return error.isEmpty(); }
        double nCostPerKg() const { return nCost / 1000.0; }
    };

    struct ReferenceN {
        int value = 0; // as typed
        QString error; // empty when the text was a whole number
        bool ok() const { return error.isEmpty(); }
        // Below the lowest reference: the chart warns and writes the lowest instead.
        bool belowLowest() const { return value < LowestReferenceN; }
        // The reference the margins start from.
        int effective() const { return value < LowestReferenceN ? LowestReferenceN : value; }
    };

    static Price readGrainPrice(const QString& text);
    static Price readNCost(const QString& text);
    static Prices readPrices(const QString& grainPrice, const QString& nCost);
    static ReferenceN readReferenceN(const QString& text);
};
