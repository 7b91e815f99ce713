#pragma once

#include <array>

#include <QVector>

#include "core/Curves.h"
#include "core/TrialFit.h"

// The least-squares quadratic yield = a + b·N + c·N² over the plots of one trial curve,
// with the covariance of its coefficients, by a QR solve of the design (never the
// normal equations).
class QuadraticFit {
public:
    struct Result {
        bool ok = false;         // the rates determine three coefficients
        Curves::Quadratic curve; // a, b, c; NaN when not ok
        // s²·(XᵀX)⁻¹ of (a, b, c), in the units of N; NaN with no degree of freedom left.
        std::array<std::array<double, 3>, 3> covariance{};
        double sse = 0.0;         // residual sum of squares
        double sst = 0.0;         // total sum of squares about the mean yield
        int points = 0;           // plots (or treatment means)
        int degreesOfFreedom = 0; // points - 3
        // s², the residual variance; NaN with no degree of freedom left.
        double residualVariance() const;
    };

    static Result fit(const QVector<TrialFit::Point>& points);
};
