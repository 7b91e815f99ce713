#pragma once

#include <array>

#include <QString>

#include "core/ResponseTable.h"

// What the program knows of one scenario slot: whether its curves may be shown, the
// names the adviser chose, the letters waiting to be composed into a code, the code
// and the nine coefficient texts of its three curves. All of it is text, exactly as
// written by the scenario dialog and cut from the response-curve table.
struct SlotRecord {
    int slot = 1; // 1 to 3
    bool panelShown = false;
    bool active = false;

    QString siteName;
    QString unitName;
    QString cultivarName;
    QString waterName;

    // Pending letters, written when a scenario is confirmed and composed at "Graficar".
    QString siteLetter;
    QString unitLetter;
    QString cultivarLetter;
    QString waterLetter;

    QString code;
    std::array<CoefficientTexts, 3> coefficients; // indexed by Level
    // The scenario line of the names the coefficients were looked up for: the names change
    // when a scenario is confirmed, the coefficients only when it is looked up.
    QString curvesLine;

    // The record as it stands before any scenario is chosen: pending letters and
    // coefficients hold placeholder texts that are valid numbers but match no line.
    static SlotRecord initial(int slot);

    const CoefficientTexts& at(Level level) const { return coefficients[static_cast<int>(level)]; }

    // "ESCENARIO: " and the four display names joined by " - ", as the read-outs show it.
    QString scenarioLine() const;

    // Joins the four pending letters as they stand into the code.
    void compose();

    // Copies the nine coefficient texts of the line whose code equals this slot's code, and
    // the scenario line they stand for; when no line matches, all stays as it was. Returns
    // whether a line matched.
    bool lookUp(const ResponseTable& table);

    bool operator==(const SlotRecord&) const = default;
};
