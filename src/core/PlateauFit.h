#pragma once

#include <limits>
#include <vector>

#include <QVector>

#include "core/Curves.h"
#include "core/OptimumInterval.h"
#include "core/TrialFit.h"

// The quadratic-plateau model of one trial curve, fitted by exact least squares:
//   yield = P + c·(N - X0)²  below the join X0,  yield = P  from X0 on  (c ≤ 0),
// which is a + b·N + c·N² up to X0 = -b/(2c) and flat after it. For a fixed join the
// model is linear in P and c, so the fit is a one-dimensional search over the join: a
// grid over the rates tested, then refined. The plots enter through their rate means
// and counts; the scatter within rates is added back to every residual sum of squares.
//
// At a price ratio R (kg of grain that pay one kg of N) the economic optimum is
// N* = X0 + R/(2c). Its interval comes from the profile: the least residual sum of
// squares of the model held to N* = θ, the join re-fitted for every θ.
class PlateauFit {
public:
    static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

    struct Result {
        bool ok = false;           // three distinct rates or more
        bool identified = false;   // the join lies below the highest rate tested
        double join = NaN;         // X0, kg/ha of available N
        double plateauYield = NaN; // P, kg/ha
        double c = NaN;            // curvature below the join
        double sse = NaN;          // residual sum of squares over the plots
        // a = P + c·X0², b = -2c·X0, c, with the plateau from X0.
        Curves::Quadratic curve() const;
    };

    explicit PlateauFit(const QVector<TrialFit::Point>& points);

    // The least-squares fit. A join beyond the highest rate tested is not identified:
    // the quadratic alone fits as well there, and `identified` is false.
    const Result& result() const { return result_; }

    // The least residual sum of squares with the economic optimum held at `optimumN`.
    double profile(double optimumN, double priceRatio) const;

    // The θ around the fit's own optimum whose profile stays within `threshold`; the
    // search gives up (the interval does not close) `reach` kg/ha beyond the rates tested.
    OptimumInterval interval(double priceRatio, double threshold, double reach) const;

    double lowestRate() const { return rates_.empty() ? NaN : rates_.front().n; }
    double highestRate() const { return rates_.empty() ? NaN : rates_.back().n; }

private:
    struct Rate {
        double n = 0.0;
        double weight = 0.0; // plots at this rate
        double mean = 0.0;
    };
    struct Line {
        double sse = NaN;
        double c = NaN;
        double level = NaN; // P
    };
    // P and c free (c ≤ 0), the join fixed.
    Line atJoin(double join) const;
    // P free, c fixed by the join and the optimum.
    double atJoinAndOptimum(double join, double optimumN, double priceRatio) const;
    // The joins at which the search starts, one piece for each gap between rates: its ends
    // and `perGap` - 1 joins evenly within.
    std::vector<std::vector<double>> joinGrid(int perGap) const;

    std::vector<Rate> rates_;
    double totalWeight_ = 0.0;
    double weightedMean_ = 0.0;
    double pureError_ = 0.0; // scatter of the plots about their rate means
    Result result_;
};
