#pragma once

#include <array>
#include <memory>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/BatchField.h"
#include "core/DoseAdvice.h"
#include "core/EconomicSituation.h"

// The dose advice of many fields, one at a time, each as the dose advice window shows it
// for the field's scenario, prices, reference N, tolerance and season weights: the same
// economic chart state, and the cells DoseAdvice writes for the window. A field gives one
// row per level asked for, each carrying the field's season risk too.
class BatchAdvice {
public:
    // The output's columns, in order.
    enum Column {
        Line,
        Lot,
        Code,
        Scenario,
        LevelColumn,
        GrainPrice,
        NCost,
        ReferenceN,
        Tolerance,
        Weights,
        ProductName,
        OptimumN,
        Dose,
        ProductDose,
        Yield,
        PercentOfMax,
        Margin,
        RangeLow,
        RangeHigh,
        Notes,
        ExpectedN,
        ExpectedDose,
        ExpectedMargin,
        RegretN,
        RegretDose,
        RegretLoss,
        WorstN,
        WorstDose,
        WorstMargin,
        ValueOfKnowing,
        DataSource,
        Error,
        ColumnCount
    };
    static QStringList headings();

    // `dataSource` names the table in use on every row ("datos: incorporados").
    explicit BatchAdvice(const QString& dataSource);

    // The rows of a field that was read; numbers written with a point.
    QList<QStringList> advise(const BatchField& field);
    // The advice window's inputs for the field last advised, its scenario named in slot 1:
    // what its report is written from.
    DoseAdvice::Inputs reportInputs(const BatchField& field) const;
    // The row of a field that was refused: what identifies it, and why.
    QStringList refused(const BatchField& field, const QStringList& faults) const;

private:
    QStringList blankRow(const BatchField& field) const;

    // The economic chart's state for a scenario code in slot 1, its yields filled once:
    // each field's prices rebuild the rest.
    EconomicSituation::State& stateOf(const BatchField& field);

    QString dataSource_;
    QHash<QString, std::shared_ptr<EconomicSituation::State>> states_;
    DoseAdvice::Inputs inputs_;         // the advice window with the field's scenario in slot 1
    std::array<QString, 3> curveNames_; // of slot 1's curves, in RateAdvice::SeasonOrder
};
