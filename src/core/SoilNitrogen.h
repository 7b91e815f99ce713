#pragma once

#include <array>
#include <optional>

#include <QString>
#include <QStringList>

#include "core/EconomicInputs.h"

// Available nitrogen of a field, in three steps: soil nitrate of the 0-20, 20-40 and
// 40-60 cm layers to mineral N, mineral N and bulk density to kg N/ha in the top 60 cm,
// and the N of up to two fertilisers added to it. Every step reads the texts of the
// fields as they stand, so the adviser may skip a step or overwrite a result by hand.
//
// What a soil test and a fertiliser plan can hold: nitrate from 0 to 1000 ppm, hence
// mineral N from 0 to 225 ppm; bulk density from 500 kg/m3 (peat) to 2000 kg/m3 (the
// most compacted mineral soils); from 0 to 5000 kg of each product per ha; and the
// soil's N of the top 60 cm from 0 to 2700 kg/ha, which those limits give at most.
class SoilNitrogen {
public:
    enum class Failure {
        None,
        MissingInput, // an entry is empty or still holds its unit placeholder
        NotANumber,   // an entry does not read as a number; the message names it
        OutOfRange,   // an entry outside its range; the message names the field and range
    };

    struct Result {
        Failure failure = Failure::None;
        QString message;   // for NotANumber and OutOfRange
        QStringList texts; // the step's results, in the order of their fields

        bool ok() const { return failure == Failure::None; }
    };

    enum class HandOver {
        Accept,  // the reference N is 40 or more
        TooLow,  // below 40: handed over, and the adviser is warned
        Refused, // the economic chart would not accept it: nothing is handed over
    };

    struct HandOverResult {
        HandOver outcome = HandOver::Refused;
        int value = 0;
        QString message; // for Refused: the economic chart's own message
    };

    struct Field {
        QString name;
        NumberText::Range range;
    };
    // The entries, by layer (0 to 2) or fertiliser row (0, 1).
    static Field nitrateField(int layer);
    static Field mineralNField(int layer);
    static Field densityField(int layer);
    static Field amountField(int row);
    static Field soilNField();

    static constexpr double NitrogenInNitrate = 0.225; // mass fraction of N in NO3
    static constexpr int LowestReferenceN = EconomicInputs::LowestReferenceN;

    // Nitrate is taken to halve with every 20 cm of depth. The text for the layer below
    // (`upper` / 2) and for two layers below (`upper` / 4), 3 significant digits and one
    // decimal; nothing while `upper` is not a number, for instance "pp" while the
    // placeholder "ppm" is being deleted.
    static std::optional<QString> halfOf(const QString& upper);
    static std::optional<QString> quarterOf(const QString& upper);

    // "Cálculo 1": nitrate ppm of the three layers to ppm of mineral N (x 0.225,
    // 3 significant digits, one decimal). Missing when any nitrate field reads "ppm",
    // "pp", "p" or is empty.
    static Result mineralNitrogen(const std::array<QString, 3>& nitrate);

    // "Cálculo 2": sum over the layers of ppm N x bulk density x 0.2 / 100, kg N/ha in the
    // top 60 cm (4 significant digits, one decimal). Missing when any field is empty.
    static Result soilNitrogen(const std::array<QString, 3>& mineralN, const std::array<QString, 3>& density);

    // "Cálculo 3": kg of product per ha and the product index of each fertiliser row
    // (FertiliserProducts::NoProduct counts as no nitrogen), and the soil's kg N/ha.
    // texts[0] is the fertiliser N f1 + f2 (4 significant digits, one decimal), texts[1]
    // the available N f1 + f2 + soil (4 significant digits, a whole number).
    // Missing when either amount is empty.
    static Result availableNitrogen(const QString& amount1, int product1, const QString& amount2, int product2,
                                    const QString& soilText);

    // "Aceptar": whether the economic chart accepts `referenceText` as its reference N,
    // and whether it is above 39.
    static HandOverResult handOver(const QString& referenceText);
};
