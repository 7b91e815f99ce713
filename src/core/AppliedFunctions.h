#pragma once

#include <array>

#include <QString>
#include <QStringList>

#include "core/ResponseTable.h"
#include "core/SlotRecord.h"

// The equations behind the yield curves, as the adviser reads them in "Funciones
// aplicadas", and the short plain-text report printed or copied from there.
class AppliedFunctions {
public:
    static constexpr int SlotCount = 3;

    // The equation texts of one slot, indexed by Level.
    using SlotEquations = std::array<QString, 3>;

    // "y=" + a + "+" + b + "X " + c + "x2", the coefficient texts taken as they stand,
    // blanks included: "y=1965.1+24.000 X -0.0820x2", "y=3679  +12.250 X -0.0440x2"; a
    // curve with a plateau adds where it starts: " (meseta desde N=108.8)".
    static QString equation(const CoefficientTexts& texts);

    // The three equations of a slot as it stands.
    static SlotEquations equations(const SlotRecord& slot);

    // Whether the slot ever received coefficients from the table: its Medio a is no
    // longer the placeholder number it starts with (41, 52 or 63). A text that is not a
    // number cannot be the placeholder, so it counts as received.
    static bool hasReceivedCoefficients(const SlotRecord& slot);

    // The 20-character label in front of an equation in the report
    // ("Escenario2 - Medio  ", "Escenario1 - 80%    ").
    static QString linePrefix(int slot, Level level);

    // The report: the heading, an empty line, then for every active slot its Medio,
    // 80 % and 20 % lines and an empty line. `equations[s - 1]` and `active[s - 1]`
    // belong to slot s.
    static QStringList reportLines(const std::array<SlotEquations, SlotCount>& equations,
                                   const std::array<bool, SlotCount>& active);

    // The report as one text, every line ended by CR LF.
    static QString reportText(const QStringList& lines);
};
