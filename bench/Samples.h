#pragma once

#include <vector>

// The figures of one measure, one per repetition, summed up by order statistics: the
// machine is shared, so a mean would follow whatever else ran at that moment.
class Samples {
public:
    void add(double value) { values_.push_back(value); }
    int count() const { return static_cast<int>(values_.size()); }
    bool isEmpty() const { return values_.empty(); }

    double median() const { return quantile(0.5); }
    // Linear between neighbouring order statistics; p from 0 (the least) to 1 (the most).
    double quantile(double p) const;

private:
    std::vector<double> values_;
};
