#include "Samples.h"

#include <algorithm>
#include <cmath>

double Samples::quantile(double p) const
{
    if (values_.empty())
        return std::nan("");
    std::vector<double> sorted = values_;
    std::sort(sorted.begin(), sorted.end());
    const double at = std::clamp(p, 0.0, 1.0) * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<size_t>(std::floor(at));
    const size_t above = std::min(below + 1, sorted.size() - 1);
    const double t = at - static_cast<double>(below);
    return sorted[below] + t * (sorted[above] - sorted[below]);
}
