#include "Budget.h"

bool Budget::holds(double figure) const
{
    // A figure that is not a number (no runs, a reference of zero) holds no budget.
    return bound_ == Bound::AtLeast ? figure >= limit_ : figure <= limit_;
}

QString Budget::text() const
{
    switch (bound_) {
    case Bound::AtMost:
        return QStringLiteral("<= ") + format(limit_, unit_);
    case Bound::AtLeast:
        return QStringLiteral(">= ") + format(limit_, unit_);
    case Bound::TimesBare:
        return QStringLiteral("<= %1x bare").arg(limit_);
    }
    return {};
}

QString Budget::format(double value, Unit unit)
{
    switch (unit) {
    case Unit::MiB:
        return QString::number(value, 'f', 1) + QStringLiteral(" MiB");
    case Unit::MegaInstructions:
        return QString::number(value, 'f', 1) + QStringLiteral(" M");
    case Unit::PerSecond:
        return QString::number(value, 'f', 0) + QStringLiteral(" /s");
    case Unit::Milliseconds:
        break;
    }
    const int decimals = value < 1.0 ? 3 : value < 100.0 ? 2 : 1;
    return QString::number(value, 'f', decimals) + QStringLiteral(" ms");
}
