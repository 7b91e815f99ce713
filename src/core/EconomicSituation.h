#pragma once

#include <array>

#include <QObject>
#include <QString>

#include "core/Curves.h"
#include "core/EconomicTable.h"

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

    using QObject::QObject;

    bool hasState() const { return hasState_; }
    const State& state() const { return state_; }

    void update(const State& state);
    void refuse(const QString& reason);

Q_SIGNALS:
    void changed();
    void refused(const QString& reason);

private:
    State state_;
    bool hasState_ = false;
};
