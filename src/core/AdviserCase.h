#pragma once

#include <array>
#include <optional>

#include <QObject>
#include <QString>

#include "core/Curves.h"
#include "core/EconomicInputs.h"
#include "core/RateAdvice.h"
#include "core/ResponseData.h"
#include "core/SlotRecord.h"

class CurveSelection;
class ScenarioSlots;

// The adviser's work for one field: who and where it is for, the three scenario slots,
// the prices, the reference N and where they came from, the curves chosen, the settings
// of the dose advice and the data the curves rest on. Every value is kept as the text the
// adviser typed or an assistant gave ("761"), and read from it when a number is needed,
// so that a saved case shows every character as it was.
//
// The slots, the curve selection and the data in use are the program's shared models,
// which the case wraps; the rest it holds itself. Any change is announced, and the case
// counts as modified until it is saved or reopened.
class AdviserCase : public QObject {
    Q_OBJECT
public:
    struct Identity {
        QString client;  // Cliente
        QString field;   // Establecimiento / lote
        QString season;  // Campaña
        QString adviser; // Asesor
        QString notes;   // Notas
        bool operator==(const Identity&) const = default;
    };

    // The cost of nitrogen as the cost assistant worked it out: the product, the price the
    // adviser typed for a tonne of it, and the cost it gave.
    struct CostSource {
        int product = -1; // index among FertiliserProducts
        QString productPrice;
        QString nCost;
        bool operator==(const CostSource&) const = default;
    };

    // The soil test and fertilisers the soil calculator worked the reference N out from,
    // every field as it stood at "Aceptar".
    struct SoilSample {
        std::array<QString, 3> nitrate;  // ppm NO3, 0-20, 20-40, 40-60 cm
        std::array<QString, 3> mineralN; // ppm N
        std::array<QString, 3> density;  // kg/m3
        QString soilN;                   // kg N/ha in 60 cm
        std::array<int, 2> products{-1, -1};
        std::array<QString, 2> amounts; // kg of product/ha
        QString fertiliserN;            // kg N/ha
        QString referenceN;             // the result handed over
        bool operator==(const SoilSample&) const = default;
    };

    // The inputs of the dose advice, as typed.
    struct AdviceSettings {
        QString tolerance = QStringLiteral("2.5");
        std::array<QString, 3> weights{QStringLiteral("0.25"), QStringLiteral("0.50"), QStringLiteral("0.25")};
        int riskSlot = 1;       // the scenario of the season risk, 1 to 3
        bool marksShown = true; // the optima drawn on the economic chart
        bool operator==(const AdviceSettings&) const = default;
    };

    // Everything a case file holds, as one value.
    struct Content {
        Identity identity;
        std::array<SlotRecord, 3> scenarios{SlotRecord::initial(1), SlotRecord::initial(2), SlotRecord::initial(3)};
        std::array<bool, Curves::Count> shownCurves{true, true, true}; // the three Medio curves
        std::array<bool, 3> offeredSlots{true, true, true};
        // The economic chart's first values.
        QString grainPrice = QStringLiteral("115");
        QString nCost = QStringLiteral("600");
        QString referenceN = QStringLiteral("40");
        std::optional<CostSource> costSource;
        std::optional<SoilSample> soilSample;
        AdviceSettings advice;
        ResponseData::Record data;
        bool operator==(const Content&) const = default;
    };

    AdviserCase(ScenarioSlots& scenarioSlots, CurveSelection& curveSelection, ResponseData& responseData,
                QObject* parent = nullptr);

    ScenarioSlots& scenarioSlots() const { return slots_; }
    CurveSelection& curveSelection() const { return selection_; }
    ResponseData& responseData() const { return data_; }

    const Identity& identity() const { return identity_; }
    void setIdentity(const Identity& identity);

    QString grainPrice() const { return grainPrice_; }
    QString nCost() const { return nCost_; }
    QString referenceN() const { return referenceN_; }
    EconomicInputs::Price grainPriceReading() const { return EconomicInputs::readGrainPrice(grainPrice_); }
    EconomicInputs::Price nCostReading() const { return EconomicInputs::readNCost(nCost_); }
    EconomicInputs::ReferenceN referenceNReading() const { return EconomicInputs::readReferenceN(referenceN_); }

    void setGrainPrice(const QString& text);
    // A cost typed by the adviser: the assistant's working stays only while the cost is
    // still the one it gave.
    void setNCost(const QString& text);
    void setNCostFromAssistant(const CostSource& source);
    // The same for the reference N and the soil calculator; the lowest reference put in
    // place of a lower one the calculator gave still counts as the calculator's.
    void setReferenceN(const QString& text);
    void setReferenceNFromSoil(const SoilSample& sample);
    const std::optional<CostSource>& costSource() const { return costSource_; }
    const std::optional<SoilSample>& soilSample() const { return soilSample_; }

    const AdviceSettings& adviceSettings() const { return advice_; }
    void setAdviceSettings(const AdviceSettings& settings);
    RateAdvice::Tolerance toleranceReading() const { return RateAdvice::readTolerance(advice_.tolerance); }
    RateAdvice::Weights weightsReading() const { return RateAdvice::readWeights(advice_.weights); }

    enum class DataSource { BuiltIn, Table, Fits, TableAndFits };
    DataSource dataSource() const { return dataSourceOf(data_); }
    static DataSource dataSourceOf(const ResponseData& data);

    Content content() const;
    // Puts a whole content in place, the data in use first: when its table or fits are
    // refused nothing changes and *error says why.
    bool apply(const Content& content, QString* error);
    // While apply() runs: the models' changes come from a case, not from the adviser.
    bool isApplying() const { return applying_; }

    // Where the case was last saved or opened from; empty for a case never saved.
    QString filePath() const { return filePath_; }
    // The name the title and the questions give the case: the file's name without
    // ".velmaro", else the client and the field, else "caso nuevo".
    QString displayName() const;

    bool isModified() const { return modified_; }
    // Saved to or opened from `path`: nothing unsaved.
    void markSaved(const QString& path);
    // Recovered work is unsaved work, wherever it was last saved.
    void markRecovered(const QString& path);

Q_SIGNALS:
    void identityChanged();
    void grainPriceChanged(const QString& text);
    void nCostChanged(const QString& text);
    void referenceNChanged(const QString& text);
    void adviceSettingsChanged();
    // Any part of the case, the wrapped models included.
    void changed();
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);

private:
    void touch();
    void setModified(bool modified);
    void setFilePath(const QString& path);

    ScenarioSlots& slots_;
    CurveSelection& selection_;
    ResponseData& data_;
    Identity identity_;
    QString grainPrice_;
    QString nCost_;
    QString referenceN_;
    std::optional<CostSource> costSource_;
    std::optional<SoilSample> soilSample_;
    AdviceSettings advice_;
    QString filePath_;
    bool modified_ = false;
    bool applying_ = false;
};
