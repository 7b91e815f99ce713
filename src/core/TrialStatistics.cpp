#include "TrialStatistics.h"

#include <algorithm>
#include <cmath>

#include <QStringList>

#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "core/PlateauFit.h"

namespace {

// Parameters of either model, the residual variance counted: a, b, c or P, c, X0.
constexpr int ModelParameters = 4;

// How far beyond the rates tested, in spans of the rates, the profile is followed before
// an interval is said not to close.
constexpr double ProfileReach = 4.0;

QString whole(double value)
{
    return QString::number(std::llround(value));
}

} // namespace

double TrialStatistics::coverage(Confidence level)
{
    switch (level) {
    case Confidence::P80:
        return 0.80;
    case Confidence::P95:
        return 0.95;
    case Confidence::P90:
        break;
    }
    return 0.90;
}

QString TrialStatistics::label(Confidence level)
{
    return QStringLiteral("%1 %").arg(std::lround(coverage(level) * 100));
}

double TrialStatistics::tQuantile(Confidence level, int degreesOfFreedom)
{
    if (degreesOfFreedom < 1)
        return NaN;
    const boost::math::students_t t(degreesOfFreedom);
    return boost::math::quantile(t, 1.0 - (1.0 - coverage(level)) / 2.0);
}

double TrialStatistics::fQuantile(Confidence level, int degreesOfFreedom)
{
    if (degreesOfFreedom < 1)
        return NaN;
    const boost::math::fisher_f f(1.0, degreesOfFreedom);
    return boost::math::quantile(f, coverage(level));
}

OptimumInterval TrialStatistics::fieller(const QuadraticFit::Result& fit, double priceRatio, double t)
{
    OptimumInterval interval;
    const double b = fit.curve.b, c = fit.curve.c;
    const auto& v = fit.covariance;
    const double t2 = t * t;
    const double a2 = 4.0 * (c * c - t2 * v[2][2]);
    const double a1 = 4.0 * (c * (b - priceRatio) - t2 * v[1][2]);
    const double a0 = (b - priceRatio) * (b - priceRatio) - t2 * v[1][1];
    if (!(a2 > 0.0))
        return interval; // unbounded (or no estimate of the error at all)
    // The set holds N* itself, so its discriminant is not negative but for rounding.
    const double root = std::sqrt(std::max(a1 * a1 - 4.0 * a2 * a0, 0.0));
    const double q = -0.5 * (a1 + std::copysign(root, a1));
    const double x1 = q / a2;
    const double x2 = q != 0.0 ? a0 / q : x1;
    interval.closes = true;
    interval.low = std::min(x1, x2);
    interval.high = std::max(x1, x2);
    return interval;
}

double TrialStatistics::aicc(double sse, int points, int parameters)
{
    const int k = parameters;
    if (points - k - 1 <= 0 || !(sse > 0.0))
        return NaN;
    const double n = points;
    return n * std::log(sse / n) + 2.0 * k + 2.0 * k * (k + 1) / (n - k - 1);
}

TrialStatistics::Analysis TrialStatistics::analyse(const QVector<TrialFit::Point>& points, double priceRatio,
                                                   Confidence level)
{
    Analysis analysis;
    analysis.points = int(points.size());
    const QuadraticFit::Result q = QuadraticFit::fit(points);
    if (!q.ok)
        return analysis;
    analysis.ok = true;
    for (const TrialFit::Point& p : points)
        analysis.highestRate = std::isnan(analysis.highestRate) ? p.n : std::max(analysis.highestRate, p.n);
    const int df = q.degreesOfFreedom;
    const auto beyond = [&analysis](const Optimum& o) {
        return o.n > analysis.highestRate || (o.interval.closes && o.interval.high > analysis.highestRate);
    };

    ModelFit& quadratic = analysis.quadratic;
    quadratic.curve = q.curve;
    quadratic.sse = q.sse;
    quadratic.residualError = df > 0 ? std::sqrt(q.sse / df) : NaN;
    quadratic.aicc = aicc(q.sse, analysis.points, ModelParameters);
    if (q.curve.c < 0.0) {
        quadratic.optimum.defined = true;
        quadratic.optimum.n = (priceRatio - q.curve.b) / (2.0 * q.curve.c);
        quadratic.optimum.errorKnown = df > 0;
        if (df > 0)
            quadratic.optimum.interval = fieller(q, priceRatio, tQuantile(level, df));
        quadratic.optimum.beyondTested = beyond(quadratic.optimum);
    }

    const PlateauFit plateau(points);
    const PlateauFit::Result& p = plateau.result();
    analysis.plateauIdentified = p.identified;
    if (!p.identified) {
        analysis.plateau = quadratic;
        return analysis;
    }
    ModelFit& m = analysis.plateau;
    m.curve = p.curve();
    m.sse = p.sse;
    m.residualError = df > 0 ? std::sqrt(p.sse / df) : NaN;
    m.aicc = aicc(p.sse, analysis.points, ModelParameters);
    m.optimum.defined = true;
    m.optimum.n = p.join + priceRatio / (2.0 * p.c);
    m.optimum.errorKnown = df > 0;
    if (df > 0) {
        const double threshold = p.sse + p.sse / df * fQuantile(level, df);
        m.optimum.interval =
            plateau.interval(priceRatio, threshold, ProfileReach * (plateau.highestRate() - plateau.lowestRate()));
    }
    m.optimum.beyondTested = beyond(m.optimum);

    const bool byAicc = std::isfinite(m.aicc) && std::isfinite(quadratic.aicc);
    analysis.preferred = (byAicc ? m.aicc < quadratic.aicc : m.sse < quadratic.sse) ? Model::Plateau : Model::Quadratic;
    return analysis;
}

QString TrialStatistics::intervalText(const Optimum& optimum)
{
    if (!optimum.defined)
        return QStringLiteral("sin máximo");
    if (!optimum.errorKnown)
        return QStringLiteral("sin grados de libertad");
    QString text = optimum.interval.closes
        ? whole(optimum.interval.low) + QStringLiteral(" – ") + whole(optimum.interval.high)
        : QStringLiteral("no cierra (respuesta no significativa)");
    if (optimum.beyondTested)
        text += QStringLiteral("; fuera del rango ensayado");
    return text;
}

QString TrialStatistics::crossing(const PerLevel<std::optional<Curves::Quadratic>>& curves, double from, double to)
{
    QStringList found;
    const std::array<std::pair<Level, Level>, 2> pairs{{{Level::P20, Level::Medio}, {Level::Medio, Level::P80}}};
    for (const auto& [lower, upper] : pairs) {
        if (!curves[lower] || !curves[upper] || !(to >= from))
            continue;
        const int steps = std::max(1, int(std::ceil(to - from)));
        for (int i = 0; i <= steps; ++i) {
            const double n = from + (to - from) * i / steps;
            if (curves[lower]->at(n) > curves[upper]->at(n)) {
                found << QStringLiteral("%1 sobre %2")
                             .arg(ResponseTable::levelName(lower), ResponseTable::levelName(upper));
                break;
            }
        }
    }
    return found.join(QStringLiteral("; "));
}
