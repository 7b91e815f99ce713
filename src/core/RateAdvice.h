#pragma once

#include <array>
#include <vector>

#include <QString>

#include "core/Curves.h"

class EconomicTable;

// The dose an adviser is after, worked out from the same economic table the chart draws:
// for each curve the available N at which the margin over the reference is highest, the
// range of N within a tolerance of that best margin, what choosing the dose of the wrong
// season costs, and how the dose moves with the prices. Margins are summed exactly as the
// margin read-out sums them (the table's marginal incomes as shown, less the cost per kg),
// and every scan runs over whole kilograms from the reference to the table's last column.
class RateAdvice {
public:
    static constexpr int LastN = 189;

    // A reference at or above the table's last N leaves no dose to weigh: the advice says
    // so instead of showing any number.
    static bool evaluable(int referenceN) { return referenceN < LastN; }
    static QString beyondTableNote();

    // Where the scans start and what nitrogen costs.
    struct Basis {
        int referenceN = 40;     // already raised to the lowest reference
        double nCostPerKg = 0.0; // U$S per kg of N
    };

    // Margin over the reference at every whole N from the reference to LastN
    // (element i is N = referenceN + i).
    static std::vector<double> margins(const EconomicTable& table, int k, const Basis& basis);

    struct Optimum {
        int optimumN = 0;    // N*: the highest margin, the smallest N among equals
        int dose = 0;        // N* less the reference, never below 0
        double margin = 0.0; // at N*, before rounding
        int rangeLow = 0;    // available N within `tolerance` of the best margin
        int rangeHigh = 0;
        double yield = 0.0;        // the curve's yield at N*
        double percentOfMax = 0.0; // of the curve's highest yield on 40..189
        bool atReference = false;  // adding N does not pay
        bool atTableEdge = false;  // the margin still grows at LastN
        bool noMaximum = false;    // c is not negative
    };
    static Optimum optimum(const EconomicTable& table, int k, const Curves::Quadratic& curve, const Basis& basis,
                           double tolerance);

    // The best N of a set of margin curves (all from the same reference) under a rule.
    struct Decision {
        int n = 0;
        double expectedMargin = 0.0;
        double worstMargin = 0.0;
    };

    // Season levels in the order the risk tables show them: 20 %, Medio, 80 %.
    static constexpr std::array<Level, 3> SeasonOrder{Level::P20, Level::Medio, Level::P80};

    struct SeasonRisk {
        std::array<int, 3> optimumN{};               // per season, in SeasonOrder
        std::array<std::array<double, 3>, 3> loss{}; // [dose of season r][season c occurring]
        Decision bestExpected;                       // highest weighted margin
        Decision leastRegret;                        // smallest largest loss against each season's own optimum
        Decision bestWorst;                          // highest margin in the worst season
        double valueOfKnowing = 0.0;

        // Any available N of the scanned range, judged the same way.
        Decision at(int n) const;
        std::array<double, 3> lossesAt(int n) const; // per season occurring

        int from = 40;
        std::array<double, 3> weights{};
        std::array<double, 3> ownBest{};            // each season's margin at its optimum
        std::array<std::vector<double>, 3> margins; // per season, from `from` up
    };

    // An optimum as the chart marks it.
    struct Mark {
        int k = 0;
        int optimumN = 0;
        int rangeLow = 0;
        int rangeHigh = 0;
    };
    // The three curves of one slot, hidden or not; weights in SeasonOrder.
    static SeasonRisk seasonRisk(const EconomicTable& table, int slot, const Basis& basis,
                                 const std::array<double, 3>& weights);

    // Steps of the price sensitivity: -30 %, -15 %, 0, +15 %, +30 %.
    static constexpr std::array<double, 5> PriceSteps{-0.30, -0.15, 0.0, 0.15, 0.30};
    // Dose (N to apply) of curve k with the grain price moved by row step and the cost of
    // nitrogen by column step; the incomes re-made from the table's yields at each price.
    static std::array<std::array<int, 5>, 5> priceSensitivity(const EconomicTable& table, int k, int referenceN,
                                                              double grainPricePerTonne, double nCostPerTonne);

    // Season weights as typed: three numbers, none negative, adding up to 1.
    struct Weights {
        std::array<double, 3> values{};
        QString error; // empty when they can be used
        bool ok() const { return error.isEmpty(); }
    };
    static Weights readWeights(const std::array<QString, 3>& texts);

    // The tolerance in U$S/ha as typed: a number from 0 up.
    struct Tolerance {
        double value = 0.0;
        QString error;
        bool ok() const { return error.isEmpty(); }
    };
    static Tolerance readTolerance(const QString& text);
};
