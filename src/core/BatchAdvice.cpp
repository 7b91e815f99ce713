#include "BatchAdvice.h"

#include <algorithm>
#include <charconv>

#include "core/DoseAdvice.h"
#include "core/EconomicInputs.h"
#include "core/FertiliserProducts.h"
#include "core/RateAdvice.h"

using namespace Qt::StringLiterals;

namespace {

// A value read from the sheet, in the fewest digits that read back as it.
QString plain(double value)
{
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return written.ec == std::errc() ? QString::fromLatin1(text, written.ptr - text) : QString::number(value, 'g', 12);
}

QString number(int value)
{
    return QString::number(value);
}

} // namespace

QStringList BatchAdvice::headings()
{
    return {u"Línea"_s,
            u"Lote"_s,
            u"Código"_s,
            u"Escenario"_s,
            u"Nivel"_s,
            u"Precio neto del grano (U$S/t)"_s,
            u"Costo del N (U$S/t)"_s,
            u"N disponible de referencia (kg/ha)"_s,
            u"Tolerancia (U$S/ha)"_s,
            u"Pesos 20 % / Medio / 80 %"_s,
            u"Producto"_s,
            u"N disponible óptimo (kg/ha)"_s,
            u"N a aplicar (kg/ha)"_s,
            u"Producto (kg/ha)"_s,
            u"Rendimiento (kg/ha)"_s,
            u"% del máximo"_s,
            u"Margen (U$S/ha)"_s,
            u"Rango rentable desde (kg/ha)"_s,
            u"Rango rentable hasta (kg/ha)"_s,
            u"Observación"_s,
            u"Máximo margen esperado: N disponible (kg/ha)"_s,
            u"Máximo margen esperado: N a aplicar (kg/ha)"_s,
            u"Máximo margen esperado: margen esperado (U$S/ha)"_s,
            u"Menor pérdida máxima: N disponible (kg/ha)"_s,
            u"Menor pérdida máxima: N a aplicar (kg/ha)"_s,
            u"Menor pérdida máxima: pérdida máxima (U$S/ha)"_s,
            u"Mejor peor campaña: N disponible (kg/ha)"_s,
            u"Mejor peor campaña: N a aplicar (kg/ha)"_s,
            u"Mejor peor campaña: margen en la peor campaña (U$S/ha)"_s,
            u"Valor de conocer la campaña (U$S/ha)"_s,
            u"Datos"_s,
            u"Error"_s};
}

BatchAdvice::BatchAdvice(const QString& dataSource) : dataSource_(dataSource)
{
    // The advice window with the scenario's three curves shown.
    for (size_t s = 0; s < 3; ++s) {
        const int k = Curves::number(1, RateAdvice::SeasonOrder[s]);
        inputs_.shown[size_t(k - 1)] = true;
        curveNames_[s] = Curves::readOutName(k);
    }
    inputs_.scenarioSlots[0].active = true;
}

QStringList BatchAdvice::blankRow(const BatchField& field) const
{
    QStringList row(ColumnCount);
    row[Line] = number(field.line);
    row[Lot] = field.lot;
    row[Code] = field.code;
    row[Scenario] = field.scenario;
    row[DataSource] = dataSource_;
    return row;
}

QStringList BatchAdvice::refused(const BatchField& field, const QStringList& faults) const
{
    QStringList row = blankRow(field);
    row[Error] = faults.join(u"; "_s);
    return row;
}

EconomicSituation::State& BatchAdvice::stateOf(const BatchField& field)
{
    std::shared_ptr<EconomicSituation::State>& state = states_[field.code];
    if (!state) {
        // The field's scenario in slot 1, as the economic chart would hold it; the other
        // slots' curves are undefined and never shown.
        state = std::make_shared<EconomicSituation::State>();
        state->curves.fill({qQNaN(), qQNaN(), qQNaN()});
        for (Level level : TableLevels)
            state->curves[size_t(Curves::number(1, level) - 1)] = field.curves[level];
        state->table.fillYields(state->curves);
    }
    return *state;
}

QList<QStringList> BatchAdvice::advise(const BatchField& field)
{
    // What the economic chart hands the advice after a rebuild at the field's prices.
    EconomicSituation::State& state = stateOf(field);
    state.grainPrice = field.grainPrice;
    state.nCost = field.nCost;
    state.referenceN = std::max(field.referenceN, EconomicInputs::LowestReferenceN);
    state.table.rebuild(field.grainPrice, field.nCost);

    // The advice window's settings for the field.
    DoseAdvice::Inputs& in = inputs_;
    in.economics = &state;
    // The values the window reads from its fields, and the fields' texts for its notes.
    in.tolerance = field.tolerance;
    in.weights = field.weights;
    in.settings.tolerance = plain(field.tolerance);
    for (size_t s = 0; s < 3; ++s)
        in.settings.weights[s] = plain(field.weights[s]);
    in.product = field.product;
    const DocumentTable optimum = DoseAdvice::optimumTable(in, DoseAdvice::optima(in));
    const DocumentTable risk = DoseAdvice::riskTable(in, 1);
    const auto product = [](const QString& cell) {
        return cell == DoseAdvice::productAmount(0, -1) ? QString() : cell;
    };

    QStringList common = blankRow(field);
    common[GrainPrice] = plain(field.grainPrice);
    common[NCost] = plain(field.nCost);
    common[ReferenceN] = number(state.referenceN);
    common[Tolerance] = plain(field.tolerance);
    common[Weights] = plain(field.weights[0]) + u" / "_s + plain(field.weights[1]) + u" / "_s + plain(field.weights[2]);
    common[ProductName] = FertiliserProducts::names().value(field.product);

    // The decision rules' rows of the risk table (its first cell names the row): the dose,
    // and what the rule goes by.
    constexpr qsizetype RiskN = 1, RiskDose = 2, Loss20 = 4, Loss80 = 6, ExpectedMargin = 7, WorstMargin = 8;
    const auto rule = [&](int row, Column first, const QString& criterion) {
        common[first] = risk.rows.value(row).value(RiskN);
        common[first + 1] = risk.rows.value(row).value(RiskDose);
        common[first + 2] = criterion;
    };
    QString largestLoss;
    double largest = -qInf();
    for (qsizetype c = Loss20; c <= Loss80; ++c) {
        const QString loss = risk.rows.value(4).value(c);
        const double value = loss.toDouble();
        if (value > largest || largestLoss.isEmpty()) {
            largest = value;
            largestLoss = loss;
        }
    }
    rule(3, ExpectedN, risk.rows.value(3).value(ExpectedMargin));
    rule(4, RegretN, largestLoss);
    rule(5, WorstN, risk.rows.value(5).value(WorstMargin));
    common[ValueOfKnowing] = risk.notes.value(0).section(u": "_s, 1);

    QList<QStringList> rows;
    for (size_t s = 0; s < 3; ++s) {
        const Level level = RateAdvice::SeasonOrder[s];
        if (field.level && *field.level != level)
            continue;
        const QString& curve = curveNames_[s];
        const auto found = std::find_if(optimum.rows.cbegin(), optimum.rows.cend(),
                                        [&curve](const QStringList& r) { return r.value(0) == curve; });
        if (found == optimum.rows.cend())
            continue;
        const QStringList& cells = *found;
        QStringList notes;
        if (field.referenceN < EconomicInputs::LowestReferenceN)
            notes << u"N de referencia %1 kg/ha: se toma %2, el primero de la tabla"_s.arg(field.referenceN)
                         .arg(EconomicInputs::LowestReferenceN);
        if (!cells.value(8).isEmpty())
            notes << cells.value(8);

        QStringList row = common;
        row[LevelColumn] = ResponseTable::levelName(level);
        row[OptimumN] = cells.value(1);
        row[Dose] = cells.value(2);
        row[ProductDose] = product(cells.value(3));
        row[Yield] = cells.value(4);
        row[PercentOfMax] = cells.value(5);
        row[Margin] = cells.value(6);
        row[RangeLow] = cells.value(7).section(u" - "_s, 0, 0);
        row[RangeHigh] = cells.value(7).section(u" - "_s, 1, 1);
        row[Notes] = notes.join(u"; "_s);
        rows << row;
    }
    return rows;
}

DoseAdvice::Inputs BatchAdvice::reportInputs(const BatchField& field) const
{
    DoseAdvice::Inputs in = inputs_;
    SlotRecord& slot = in.scenarioSlots[0];
    slot.code = field.code;
    const QStringList names = field.scenario.split(u" - "_s);
    slot.siteName = names.value(0);
    slot.unitName = names.value(1);
    slot.cultivarName = names.value(2);
    slot.waterName = names.value(3);
    return in;
}
