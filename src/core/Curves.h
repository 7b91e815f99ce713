#pragma once

#include <array>
#include <optional>

#include <QString>

#include "core/ResponseTable.h"

class ScenarioSlots;

// The nine curves of both charts, addressed by their number k = 1 to 9: Medio of slots
// 1, 2, 3, then 80 % of slots 1, 2, 3, then 20 % of slots 1, 2, 3.
namespace Curves {

constexpr int Count = 9;

struct Key {
    int slot; // 1 to 3
    Level level;
};

constexpr Key key(int k)
{
    const int index = k - 1;
    const Level levels[3] = {Level::Medio, Level::P80, Level::P20};
    return {index % 3 + 1, levels[index / 3]};
}

constexpr int number(int slot, Level level)
{
    const int group = level == Level::Medio ? 0 : level == Level::P80 ? 1 : 2;
    return group * 3 + slot;
}

// The curve's name in the read-outs: "Escenario1-Medio", "Escenario2-80%", "Escenario3-20%".
QString readOutName(int k);

// y = a + b·N + c·N², computed as (N·b + a) + (N·c)·N; with a plateau, flat from the
// available N where it starts at the yield the curve reaches there.
struct Quadratic {
    Quadratic() = default;
    Quadratic(double a, double b, double c, std::optional<double> plateau = std::nullopt)
        : a(a),
          b(b),
          c(c),
          plateau(plateau)
    {
    }

    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    std::optional<double> plateau; // available N where the plateau starts, kg/ha
    double at(double n) const
    {
        const double x = plateau && n > *plateau ? *plateau : n;
        return (x * b + a) + (x * c) * x;
    }
};

// One curve from its coefficient texts (a blank plateau text: no plateau); NaN
// coefficients, and the message in `errors`, when a text is not a number.
Quadratic fromTexts(const CoefficientTexts& texts, QStringList* errors = nullptr);

// The 27 coefficients of the nine curves read from the slots' texts. A text that is not
// a number leaves its curve undefined (NaN) and is named in `errors`.
std::array<Quadratic, Count> capture(const ScenarioSlots& scenarioSlots, QStringList* errors = nullptr);

} // namespace Curves
