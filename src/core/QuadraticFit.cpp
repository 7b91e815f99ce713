#include "QuadraticFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <Eigen/Dense>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

double QuadraticFit::Result::residualVariance() const
{
    return degreesOfFreedom > 0 ? sse / degreesOfFreedom : NaN;
}

QuadraticFit::Result QuadraticFit::fit(const QVector<TrialFit::Point>& points)
{
    Result r;
    r.points = int(points.size());
    r.degreesOfFreedom = r.points - 3;
    r.curve = {NaN, NaN, NaN, std::nullopt};
    for (auto& row : r.covariance)
        row.fill(NaN);
    if (r.points < 3)
        return r;

    // The design in u = (N - centre) / scale, about -1 to 1 over the rates, so that its
    // columns 1, u, u² are of one order; the coefficients go back to N below.
    double low = points.first().n, high = low, sumN = 0.0, sumY = 0.0;
    for (const TrialFit::Point& p : points) {
        low = std::min(low, p.n);
        high = std::max(high, p.n);
        sumN += p.n;
        sumY += p.yield;
    }
    const double centre = sumN / r.points;
    const double scale = high > low ? (high - low) / 2.0 : 1.0;
    Eigen::MatrixX3d design(r.points, 3);
    Eigen::VectorXd yields(r.points);
    for (int i = 0; i < r.points; ++i) {
        const double u = (points[i].n - centre) / scale;
        design.row(i) << 1.0, u, u * u;
        yields(i) = points[i].yield;
    }
    const Eigen::ColPivHouseholderQR<Eigen::MatrixX3d> qr(design);
    if (qr.rank() < 3)
        return r;
    const Eigen::Vector3d beta = qr.solve(yields);
    r.sse = (yields - design * beta).squaredNorm();
    r.sst = (yields.array() - sumY / r.points).matrix().squaredNorm();

    // yield = β0 + β1·(N - m)/s + β2·(N - m)²/s²: (a, b, c) = T·β.
    const double m = centre, s = scale;
    Eigen::Matrix3d toN;
    toN << 1.0, -m / s, m * m / (s * s), 0.0, 1.0 / s, -2.0 * m / (s * s), 0.0, 0.0, 1.0 / (s * s);
    const Eigen::Vector3d abc = toN * beta;
    r.curve = {abc(0), abc(1), abc(2), std::nullopt};
    r.ok = true;

    // (XᵀX)⁻¹ = P·R⁻¹·R⁻ᵀ·Pᵀ from X·P = Q·R.
    const Eigen::Matrix3d upper = qr.matrixR().topLeftCorner<3, 3>().triangularView<Eigen::Upper>();
    const Eigen::Matrix3d inverseR = upper.triangularView<Eigen::Upper>().solve(Eigen::Matrix3d::Identity());
    const Eigen::Matrix3d permutation = qr.colsPermutation();
    const Eigen::Matrix3d unscaled = permutation * inverseR * inverseR.transpose() * permutation.transpose();
    const Eigen::Matrix3d covariance = r.residualVariance() * (toN * unscaled * toN.transpose());
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.covariance[size_t(i)][size_t(j)] = covariance(i, j);
    return r;
}
