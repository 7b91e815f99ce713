#pragma once

#include <QString>

// What one measure may come to: at most or at least a limit in the measure's own unit
// (milliseconds, fields per second), or at most a multiple of a reference measure taken
// alongside it, the bare Qt program's.
class Budget {
public:
    enum class Unit { Milliseconds, MiB, MegaInstructions, PerSecond };

    // Lower is better: a time, a size.
    static constexpr Budget atMost(double limit, Unit unit) { return {limit, unit, Bound::AtMost}; }
    // Higher is better: a rate.
    static constexpr Budget atLeast(double limit, Unit unit) { return {limit, unit, Bound::AtLeast}; }
    // Lower is better, as a ratio of medians against the bare Qt program on the same screen.
    static constexpr Budget timesBare(double ratio, Unit unit) { return {ratio, unit, Bound::TimesBare}; }

    Unit unit() const { return unit_; }
    bool isRelative() const { return bound_ == Bound::TimesBare; }
    // The median within the budget; for a relative budget, the ratio of the medians.
    bool holds(double figure) const;
    // "<= 15.00 ms", ">= 20000 /s", "<= 4.5x bare".
    QString text() const;

    static QString format(double value, Unit unit);

private:
    enum class Bound { AtMost, AtLeast, TimesBare };
    constexpr Budget(double limit, Unit unit, Bound bound) : limit_(limit), unit_(unit), bound_(bound) { }

    double limit_;
    Unit unit_;
    Bound bound_;
};
