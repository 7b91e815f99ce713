#pragma once

#include <array>

#include <QObject>
#include <QString>

#include "core/Curves.h"
#include "core/EconomicTable.h"

class ScenarioSlots;

// What the economic chart last computed, for whoever works from it (the dose advice):
// the table as drawn, the nine curves behind it, the prices and the reference nitrogen.
// The chart writes it after every complete rebuild; when it refuses an input it says why
// and leaves the last complete state as it was, so no observer is ever half-updated.
class EconomicSituation : public QObject {
    Q_OBJECT
public:
    struct State {
        EconomicTable table;
        std::array<Curves::Quadratic, Curves::Count> curves{};
        double grainPrice = 0.0; // U$S per tonne of grain
        double nCost = 0.0;      // U$S per tonne of N
        int referenceN = 40;     // as the margins start from it (never below 40)
    };

    // The situation worked out from the nine curves and the three inputs as typed: the
    // yields, the incomes at the prices, then the reference N. The table is complete
    // whenever the prices read; a reference below the lowest counts as the lowest.
    struct Worked {
        State state;
        QString priceError;     // a price that is not a number: nothing worked out
        QString referenceError; // a reference N that is not a number: the table stands
        bool referenceBelowLowest = false;
        bool ok() const { return priceError.isEmpty() && referenceError.isEmpty(); }
    };
    static Worked work(const std::array<Curves::Quadratic, Curves::Count>& curves, const QString& grainPrice,
                       const QString& nCost, const QString& referenceN);

    using QObject::QObject;

    bool hasState() const { return hasState_; }
    const State& state() const { return state_; }

    void update(const State& state);
    void refuse(const QString& reason);
    // Works the situation out afresh from the slots' curves and the inputs, as the chart
    // would, for whoever needs it without the chart; a bad input is refused, naming it.
    bool recompute(const ScenarioSlots& scenarioSlots, const QString& grainPrice, const QString& nCost,
                   const QString& referenceN);

Q_SIGNALS:
    void changed();
    void refused(const QString& reason);

private:
    State state_;
    bool hasState_ = false;
};
