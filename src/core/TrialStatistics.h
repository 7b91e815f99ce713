#pragma once

#include <array>
#include <limits>
#include <optional>

#include <QString>
#include <QVector>

#include "core/Curves.h"
#include "core/OptimumInterval.h"
#include "core/QuadraticFit.h"
#include "core/ResponseTable.h"
#include "core/TrialFit.h"

// How sure the economic optimum of a fitted curve is, under both models an adviser may
// choose between, at one price ratio R = N cost per kg / grain price per kg:
// - the quadratic: N* = (R - b)/(2c) when c < 0, with Fieller's interval, the x where
//   A·x² + B·x + C ≤ 0 for A = 4(c² - t²·Vcc), B = 4(c(b - R) - t²·Vbc),
//   C = (b - R)² - t²·Vbb, V the coefficients' covariance and t = t(1 - α/2, n - 3).
//   A ≤ 0 (curvature not significant) leaves the set unbounded: it does not close.
// - the quadratic-plateau: N* = X0 + R/(2c), with the profile-likelihood interval, the θ
//   whose profile residual sum of squares exceeds the least by at most s²·F(1, n - 3),
//   the square of the same t. A join beyond the highest rate tested is not identified:
//   the model is then the quadratic.
class TrialStatistics {
public:
    static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

    enum class Confidence { P80, P90, P95 };
    static constexpr std::array<Confidence, 3> Confidences{Confidence::P80, Confidence::P90, Confidence::P95};
    static double coverage(Confidence level);                        // 0.80, 0.90, 0.95
    static QString label(Confidence level);                          // "80 %", "90 %", "95 %"
    static double tQuantile(Confidence level, int degreesOfFreedom); // t(1 - α/2, ν)
    static double fQuantile(Confidence level, int degreesOfFreedom); // F(1 - α; 1, ν)

    enum class Model { Quadratic, Plateau };

    struct Optimum {
        bool defined = false; // the curve has a maximum
        double n = NaN;       // N*, available N (kg/ha)
        OptimumInterval interval;
        bool errorKnown = false;   // points enough for a residual variance (n > 3)
        bool beyondTested = false; // N* or a bound beyond the highest N tested
    };

    struct ModelFit {
        Curves::Quadratic curve; // with its plateau for the quadratic-plateau
        double sse = NaN;
        double residualError = NaN; // √(SSE/(n - 3))
        double aicc = NaN;          // NaN with too few points (n < 6)
        Optimum optimum;
    };

    struct Analysis {
        bool ok = false; // the quadratic could be fitted
        int points = 0;
        double highestRate = NaN;
        ModelFit quadratic;
        ModelFit plateau;
        bool plateauIdentified = false;
        Model preferred = Model::Quadratic; // the lower AICc
        const ModelFit& of(Model model) const { return model == Model::Plateau ? plateau : quadratic; }
    };

    static Analysis analyse(const QVector<TrialFit::Point>& points, double priceRatio, Confidence level);

    // Fieller's interval of (R - b)/(2c) for a fitted quadratic.
    static OptimumInterval fieller(const QuadraticFit::Result& fit, double priceRatio, double t);

    // n·ln(SSE/n) + 2k + 2k(k + 1)/(n - k - 1), k counting the variance.
    static double aicc(double sse, int points, int parameters);

    // "98 – 131", "no cierra (respuesta no significativa)", "sin máximo", "sin grados de
    // libertad", with
    // "; fuera del rango ensayado" when N* or a bound lies beyond the highest N tested.
    static QString intervalText(const Optimum& optimum);

    // Where the three levels of one code cross over the range tested: "20 % sobre Medio",
    // "Medio sobre 80 %", joined by "; ", or empty.
    static QString crossing(const PerLevel<std::optional<Curves::Quadratic>>& curves, double from, double to);
};
