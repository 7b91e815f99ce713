#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

#include "core/AdviserCase.h"
#include "core/Curves.h"
#include "core/EconomicSituation.h"
#include "core/RateAdvice.h"
#include "core/SlotRecord.h"
#include "core/TableDocument.h"

class ResponseData;

// The dose advice as texts, worked out once for every way out: the advice window, its
// copy, print and files, and the report show these cells and lines, so that a number
// reads the same wherever the adviser meets it. Everything comes from core values: the
// economic situation in use, the curves shown, the slots, the data and the case's
// settings and assistants' working.
class DoseAdvice {
public:
    struct Inputs {
        const EconomicSituation::State* economics = nullptr; // none until a situation is complete
        std::array<bool, Curves::Count> shown{};
        std::array<SlotRecord, 3> scenarioSlots{SlotRecord::initial(1), SlotRecord::initial(2), SlotRecord::initial(3)};
        AdviserCase::AdviceSettings settings;
        double tolerance = 2.5;
        std::array<double, 3> weights{0.25, 0.50, 0.25}; // in RateAdvice::SeasonOrder
        int product = -1;                                // fertiliser of the product amounts; -1: none
        Level recommendationLevel = Level::Medio;
        std::optional<AdviserCase::CostSource> costSource;
        std::optional<AdviserCase::SoilSample> soilSample;
        AdviserCase::DataSource dataSource = AdviserCase::DataSource::BuiltIn;
        QString dataLabel = QStringLiteral("incorporados"); // the data in use, as the charts name it
        const ResponseData* data = nullptr;                 // where fitted curves find their intervals
    };
    // The case as it stands, with the tolerance and weights read from its settings (a text
    // that does not read leaves the default).
    static Inputs inputsFrom(const AdviserCase& adviserCase, const EconomicSituation& situation, int product);

    // One line of the basis: "Precio neto del grano (U$S/t): 115".
    struct BasisItem {
        QString label;
        QString text;
        QString line() const { return label + QStringLiteral(": ") + text; }
    };

    struct CurveOptimum {
        int k = 0;
        RateAdvice::Optimum optimum;
    };

    struct Result {
        QString headerLine; // prices and reference in one line
        QStringList scenarios;
        QList<BasisItem> basis;
        QString placeholderWarning; // the built-in table's curves are placeholders
        QString recommendationHeading;
        QStringList recommendation;
        std::vector<CurveOptimum> optima;
        // Headings hold "\n" where a narrow heading breaks; a table whose first heading is
        // empty names its rows in its first column.
        DocumentTable optimumTable;
        QString riskIntro;
        DocumentTable riskTable;
        DocumentTable sensitivityTable;
    };
    static Result compute(const Inputs& inputs);

    // The parts, for a window that fills one table at a time.
    static bool evaluable(const Inputs& inputs);
    static std::vector<CurveOptimum> optima(const Inputs& inputs);
    static DocumentTable optimumTable(const Inputs& inputs, const std::vector<CurveOptimum>& optima);
    // The slot of the season risk: the one chosen while active, else the first active; 0 for none.
    static int riskSlot(const Inputs& inputs);
    static DocumentTable riskTable(const Inputs& inputs, int slot);
    static DocumentTable sensitivityTable(const Inputs& inputs, int k);
    // The sensitivity table's price steps: "`what` −20 %" … "`what` actual" … "`what` +20 %".
    static QStringList stepTitles(const QString& what);
    static QString headerLine(const EconomicSituation::State& economics);
    static QList<BasisItem> basis(const Inputs& inputs);
    // The basis as lines, the warning about placeholder curves last.
    static QStringList basisLines(const Inputs& inputs);
    static QString placeholderWarning(const Inputs& inputs);
    static QStringList scenarios(const Inputs& inputs);
    static QString recommendationHeading(const Inputs& inputs);
    // One sentence per active scenario at the chosen level.
    static QStringList recommendation(const Inputs& inputs);

    // "Escenario 1 (Paraná, loma, agua alta, ciclo largo)"
    static QString scenarioName(const SlotRecord& slot);
    // The amount of product for a dose of N, "–" without a product.
    static QString productAmount(int dose, int product);
    // A table for the file writers: headings on one line.
    static DocumentTable flat(DocumentTable table);
};
