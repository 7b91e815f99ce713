#pragma once

#include <limits>

// A confidence interval of an economic optimum N*, in available N (kg/ha). An interval
// that does not close is unbounded on at least one side: the data cannot say how high
// (or how low) the optimum may be.
struct OptimumInterval {
    bool closes = false;
    double low = std::numeric_limits<double>::quiet_NaN();
    double high = std::numeric_limits<double>::quiet_NaN();
};
