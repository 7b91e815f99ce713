#include "PlateauFit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>

namespace {

// Binary digits to which a join or an optimum is refined: a millionth of a kg/ha and
// finer over any sensible range of rates.
constexpr int RefineBits = 30;

// The lowest value of `f` over `grid`, refined between the grid's neighbours of its best
// point: `f` is smooth over the grid, so one bracket holds its least there.
template <typename F> double lowest(const std::vector<double>& grid, F f, double* where = nullptr)
{
    std::size_t best = 0;
    double bestValue = f(grid[0]);
    for (std::size_t i = 1; i < grid.size(); ++i) {
        const double value = f(grid[i]);
        if (value < bestValue) {
            bestValue = value;
            best = i;
        }
    }
    double at = grid[best];
    const double from = grid[best == 0 ? 0 : best - 1];
    const double to = grid[std::min(best + 1, grid.size() - 1)];
    if (to > from) {
        std::uintmax_t iterations = 100;
        const auto [x, value] = boost::math::tools::brent_find_minima(f, from, to, RefineBits, iterations);
        if (value < bestValue) {
            bestValue = value;
            at = x;
        }
    }
    if (where)
        *where = at;
    return bestValue;
}

// The lowest value of `f` over pieces on which it is smooth, each searched and refined on
// its own. Over the join the residual sum of squares has corners at the rates and may be
// flat between two of them (every join between the two lowest rates fits the first alone
// equally well); its least can lie in a narrow valley beside such a stretch, as low at the
// valley's edge, which a search refining only around the best grid point overall misses.
template <typename F> double lowest(const std::vector<std::vector<double>>& pieces, F f, double* where = nullptr)
{
    double bestValue = PlateauFit::NaN, at = PlateauFit::NaN;
    for (const std::vector<double>& piece : pieces) {
        if (piece.empty())
            continue;
        double x = PlateauFit::NaN;
        const double value = lowest(piece, f, &x);
        if (std::isnan(bestValue) || value < bestValue) {
            bestValue = value;
            at = x;
        }
    }
    if (where)
        *where = at;
    return bestValue;
}

} // namespace

Curves::Quadratic PlateauFit::Result::curve() const
{
    return {plateauYield + c * join * join, -2.0 * c * join, c, join};
}

PlateauFit::PlateauFit(const QVector<TrialFit::Point>& points)
{
    std::map<double, std::pair<double, double>> byRate; // n -> (plots, sum of yields)
    for (const TrialFit::Point& p : points) {
        auto& [count, sum] = byRate[p.n];
        count += 1.0;
        sum += p.yield;
    }
    double sum = 0.0;
    for (const auto& [n, plots] : byRate) {
        rates_.push_back({n, plots.first, plots.second / plots.first});
        totalWeight_ += plots.first;
        sum += plots.second;
    }
    if (rates_.size() < 3)
        return;
    weightedMean_ = sum / totalWeight_;
    for (const TrialFit::Point& p : points) {
        const double mean = byRate[p.n].second / byRate[p.n].first;
        pureError_ += (p.yield - mean) * (p.yield - mean);
    }
    result_.ok = true;

    // The best join among the rates tested ...
    double join = 0.0;
    const double inRange = lowest(
        joinGrid(8), [this](double x) { return atJoin(x).sse; }, &join);
    // ... against any join beyond the highest rate, where no plot lies on the plateau: the
    // quadratics with their maximum there and, as the join runs away, the rising lines.
    std::vector<double> beyond;
    const double span = highestRate() - lowestRate();
    for (int k = -4; k <= 8; ++k)
        beyond.push_back(highestRate() + span * std::ldexp(1.0, k));
    double slopeSum = 0.0, spread = 0.0, meanN = 0.0;
    for (const Rate& r : rates_)
        meanN += r.weight * r.n / totalWeight_;
    double spreadOfMeans = 0.0;
    for (const Rate& r : rates_) {
        slopeSum += r.weight * (r.n - meanN) * (r.mean - weightedMean_);
        spread += r.weight * (r.n - meanN) * (r.n - meanN);
        spreadOfMeans += r.weight * (r.mean - weightedMean_) * (r.mean - weightedMean_);
    }
    const double risingLine = pureError_ + spreadOfMeans - std::max(slopeSum, 0.0) * std::max(slopeSum, 0.0) / spread;
    const double outOfRange = std::min(lowest(beyond, [this](double x) { return atJoin(x).sse; }), risingLine);

    const Line fit = atJoin(join);
    result_.join = join;
    result_.c = fit.c;
    result_.plateauYield = fit.level;
    result_.sse = fit.sse;
    const double tolerance = 1e-9 * std::max(1.0, inRange);
    result_.identified = fit.c < 0.0 && join < highestRate() - 1e-6 * span && inRange < outOfRange - tolerance;
}

std::vector<std::vector<double>> PlateauFit::joinGrid(int perGap) const
{
    std::vector<std::vector<double>> pieces;
    for (std::size_t i = 0; i + 1 < rates_.size(); ++i) {
        std::vector<double>& piece = pieces.emplace_back();
        for (int k = 0; k < perGap; ++k)
            piece.push_back(rates_[i].n + (rates_[i + 1].n - rates_[i].n) * k / perGap);
        piece.push_back(rates_[i + 1].n);
    }
    return pieces;
}

PlateauFit::Line PlateauFit::atJoin(double join) const
{
    // Centred on the weighted means, the two-parameter solve is the QR solution of the
    // design (1, g) with g = (N - X0)² below the join: no normal equations are formed.
    double gMean = 0.0;
    for (const Rate& r : rates_)
        gMean += r.n < join ? r.weight * (r.n - join) * (r.n - join) : 0.0;
    gMean /= totalWeight_;
    double sgg = 0.0, sgm = 0.0;
    for (const Rate& r : rates_) {
        const double g = (r.n < join ? (r.n - join) * (r.n - join) : 0.0) - gMean;
        sgg += r.weight * g * g;
        sgm += r.weight * g * (r.mean - weightedMean_);
    }
    Line line;
    line.c = sgg > 0.0 ? std::min(sgm / sgg, 0.0) : 0.0;
    line.level = weightedMean_ - line.c * gMean;
    double sse = pureError_;
    for (const Rate& r : rates_) {
        const double g = (r.n < join ? (r.n - join) * (r.n - join) : 0.0) - gMean;
        const double e = (r.mean - weightedMean_) - line.c * g;
        sse += r.weight * e * e;
    }
    line.sse = sse;
    return line;
}

double PlateauFit::atJoinAndOptimum(double join, double optimumN, double priceRatio) const
{
    const double c = -priceRatio / (2.0 * (join - optimumN));
    double gMean = 0.0;
    for (const Rate& r : rates_)
        gMean += r.n < join ? r.weight * (r.n - join) * (r.n - join) : 0.0;
    gMean /= totalWeight_;
    double sse = pureError_;
    for (const Rate& r : rates_) {
        const double g = (r.n < join ? (r.n - join) * (r.n - join) : 0.0) - gMean;
        const double e = (r.mean - weightedMean_) - c * g;
        sse += r.weight * e * e;
    }
    return sse;
}

double PlateauFit::profile(double optimumN, double priceRatio) const
{
    if (!result_.ok)
        return NaN;
    if (!(priceRatio > 0.0)) // free nitrogen: the optimum is the join itself
        return atJoin(optimumN).sse;
    // The join's distance above the optimum, d = X0 - θ (so c = -R/(2d)), on a logarithmic
    // scale: curves that level off within a fraction of a kg/ha past θ and curves that bend
    // over many spans of the rates are both in reach. The distances to the rates, where the
    // residual sum of squares has its corners, are among the points tried. In the limit of
    // a far join the curve below it is the straight line of slope R.
    const double span = highestRate() - lowestRate();
    std::vector<double> grid;       // ln d
    for (int k = -72; k <= 18; ++k) // a millionth of a millionth of the span up to a thousand spans
        grid.push_back(std::log(span) + k * std::log(10.0) / 6.0);
    for (const Rate& r : rates_)
        if (r.n > optimumN)
            grid.push_back(std::log(r.n - optimumN));
    // The fit's own join is tried too: at the fit's own optimum it is the fit itself, so the
    // profile there is the least residual sum of squares however narrow its valley.
    if (result_.join > optimumN)
        grid.push_back(std::log(result_.join - optimumN));
    std::sort(grid.begin(), grid.end());
    const double curved = lowest(grid, [&](double logDistance) {
        return atJoinAndOptimum(optimumN + std::exp(logDistance), optimumN, priceRatio);
    });
    double meanN = 0.0;
    for (const Rate& r : rates_)
        meanN += r.weight * r.n / totalWeight_;
    double line = pureError_;
    for (const Rate& r : rates_) {
        const double e = (r.mean - weightedMean_) - priceRatio * (r.n - meanN);
        line += r.weight * e * e;
    }
    return std::min(curved, line);
}

OptimumInterval PlateauFit::interval(double priceRatio, double threshold, double reach) const
{
    OptimumInterval interval;
    if (!result_.identified)
        return interval;
    const double centre = result_.join + priceRatio / (2.0 * result_.c);
    const double span = highestRate() - lowestRate();
    const auto excess = [&](double optimumN) { return profile(optimumN, priceRatio) - threshold; };
    double bounds[2] = {NaN, NaN};
    for (int side = 0; side < 2; ++side) {
        const double direction = side == 0 ? -1.0 : 1.0;
        const double limit = side == 0 ? lowestRate() - reach : highestRate() + reach;
        double inside = centre, step = 0.02 * span, outside = NaN, outsideExcess = NaN;
        // The fit's own optimum has the least profile, below the threshold by s²·F; only
        // when the plots lie on the curve (no scatter left) may rounding put it on or over
        // it, and then the optimum is known to the kg/ha: the interval is N* itself.
        double insideExcess = excess(inside);
        if (!(insideExcess < 0.0)) {
            bounds[side] = centre;
            continue;
        }
        while (direction * (limit - inside) > 0.0) {
            const double next = direction > 0 ? std::min(inside + step, limit) : std::max(inside - step, limit);
            const double value = excess(next);
            if (std::isnan(value))
                return interval; // numbers beyond what a double holds: nothing can be said
            if (value > 0.0) {
                outside = next;
                outsideExcess = value;
                break;
            }
            inside = next;
            insideExcess = value;
            step *= 2.0;
        }
        // Still within the threshold at the limit, it does not close.
        if (std::isnan(outside))
            return interval;
        if (insideExcess == 0.0) {
            bounds[side] = inside;
            continue;
        }
        std::uintmax_t iterations = 60;
        const auto [a, b] = boost::math::tools::toms748_solve(
            excess, std::min(inside, outside), std::max(inside, outside), direction > 0 ? insideExcess : outsideExcess,
            direction > 0 ? outsideExcess : insideExcess, boost::math::tools::eps_tolerance<double>(RefineBits),
            iterations);
        bounds[side] = (a + b) / 2.0;
    }
    interval.closes = true;
    interval.low = bounds[0];
    interval.high = bounds[1];
    return interval;
}
