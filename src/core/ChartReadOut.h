#pragma once

#include <QString>

#include "core/Curves.h"

class EconomicTable;

// What the read-out panels of both charts show for a pointer: the nitrogen and the value
// under it, the yield increment of the curve under it, and on the economic chart the
// margin over the reference nitrogen. Texts in, texts out; the windows only fill widgets.
class ChartReadOut {
public:
    struct Pointer {
        QString nitrogen;
        QString value;
    };

    // Yield chart: N and yield under the pointer, whole numbers.
    static Pointer yieldPointer(double n, double yield);
    // Economic chart: N whole, the marginal income or cost to one decimal.
    static Pointer economicPointer(double n, double value);

    // Yield gained by the last kilogram before point N of the curve, one decimal.
    static QString yieldIncrement(const Curves::Quadratic& curve, int pointN);

    struct Margin {
        enum class Outcome {
            BadInput,  // the reference N or the cost cannot be read: `text` is the message
            NotFinite, // the prices give no finite margin: `text` is the message
            Shown,     // `text` is the margin
        };
        Outcome outcome = Outcome::BadInput;
        QString text;
    };

    // The margin of curve k in U$S/ha from the reference nitrogen up to the pointer's
    // nitrogen text, as the panel shows it (one decimal). A pointer text that is not a
    // whole number counts as the reference itself.
    static Margin margin(const EconomicTable& table, int k, const QString& pointerN, const QString& referenceN,
                         const QString& nCost);
};
