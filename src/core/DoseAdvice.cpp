#include "DoseAdvice.h"

#include "core/CurveSelection.h"
#include "core/FertiliserProducts.h"
#include "core/NumberText.h"
#include "core/ResponseData.h"
#include "core/ScenarioSlots.h"
#include "core/TrialStatistics.h"

namespace {

const QString Dash = QStringLiteral("–");

QString whole(double value)
{
    return NumberText::format(value, 15, 0);
}

QString money(double value)
{
    return NumberText::format(value, 6, 1);
}

// A price or a reference as the economic chart took it: "115", "0.5".
QString plain(double value)
{
    return QString::number(value, 'g', 12);
}

RateAdvice::Basis basisOf(const EconomicSituation::State& s)
{
    return {s.referenceN, s.nCost / 1000.0};
}

} // namespace

DoseAdvice::Inputs DoseAdvice::inputsFrom(const AdviserCase& adviserCase, const EconomicSituation& situation,
                                          int product)
{
    Inputs in;
    in.economics = situation.hasState() ? &situation.state() : nullptr;
    in.shown = adviserCase.curveSelection().shownCurves();
    for (int slot = 1; slot <= ScenarioSlots::SlotCount; ++slot)
        in.scenarioSlots[static_cast<size_t>(slot - 1)] = adviserCase.scenarioSlots().slot(slot);
    in.settings = adviserCase.adviceSettings();
    if (const RateAdvice::Tolerance t = adviserCase.toleranceReading(); t.ok())
        in.tolerance = t.value;
    if (const RateAdvice::Weights w = adviserCase.weightsReading(); w.ok())
        in.weights = w.values;
    in.product = product;
    in.costSource = adviserCase.costSource();
    in.soilSample = adviserCase.soilSample();
    in.dataSource = adviserCase.dataSource();
    in.dataLabel = adviserCase.responseData().shortLabel().section(QStringLiteral(": "), 1);
    in.data = &adviserCase.responseData();
    return in;
}

DoseAdvice::Result DoseAdvice::compute(const Inputs& inputs)
{
    Result r;
    if (inputs.economics)
        r.headerLine = headerLine(*inputs.economics);
    r.scenarios = scenarios(inputs);
    r.basis = basis(inputs);
    r.placeholderWarning = placeholderWarning(inputs);
    r.recommendationHeading = recommendationHeading(inputs);
    r.recommendation = recommendation(inputs);
    r.optima = optima(inputs);
    r.optimumTable = optimumTable(inputs, r.optima);
    r.riskIntro = QStringLiteral("Pérdida por elegir la dosis de otra campaña (U$S/ha), y la dosis que da cada regla "
                                 "de decisión:");
    r.riskTable = riskTable(inputs, riskSlot(inputs));
    r.sensitivityTable = sensitivityTable(inputs, r.optima.empty() ? 0 : r.optima.front().k);
    return r;
}

bool DoseAdvice::evaluable(const Inputs& inputs)
{
    return inputs.economics && RateAdvice::evaluable(inputs.economics->referenceN);
}

std::vector<DoseAdvice::CurveOptimum> DoseAdvice::optima(const Inputs& inputs)
{
    std::vector<CurveOptimum> list;
    if (!evaluable(inputs))
        return list;
    const EconomicSituation::State& s = *inputs.economics;
    for (int k = 1; k <= Curves::Count; ++k)
        if (inputs.shown[static_cast<size_t>(k - 1)])
            list.push_back(
                {k,
                 RateAdvice::optimum(s.table, k, s.curves[static_cast<size_t>(k - 1)], basisOf(s), inputs.tolerance)});
    return list;
}

QString DoseAdvice::productAmount(int dose, int product)
{
    const double fraction = FertiliserProducts::nFraction(product);
    return fraction > 0 ? whole(dose / fraction) : Dash;
}

DocumentTable DoseAdvice::optimumTable(const Inputs& inputs, const std::vector<CurveOptimum>& optima)
{
    const int product = inputs.product;
    DocumentTable t;
    t.title = QStringLiteral("Dosis de mayor margen para cada curva");
    t.header = {QStringLiteral("Curva"),
                QStringLiteral("N disponible\nóptimo (kg/ha)"),
                QStringLiteral("N a aplicar\n(kg/ha)"),
                product >= 0 ? QStringLiteral("Producto: %1\n(kg/ha)").arg(FertiliserProducts::names().value(product))
                             : QStringLiteral("Producto\n(kg/ha)"),
                QStringLiteral("Rendimiento\n(kg/ha)"),
                QStringLiteral("% del\nmáximo"),
                QStringLiteral("Margen\n(U$S/ha)"),
                QStringLiteral("Rango rentable\n(kg/ha)"),
                QStringLiteral("Observación")};
    if (!inputs.economics)
        return t;
    const EconomicSituation::State& s = *inputs.economics;
    const QString toleranceText = inputs.settings.tolerance.trimmed();
    for (const CurveOptimum& row : optima) {
        const RateAdvice::Optimum& o = row.optimum;
        QStringList notes;
        // Here the range only says how much N costs less than the tolerance to add.
        if (o.atReference)
            notes << (o.rangeHigh > o.optimumN ? QStringLiteral("No conviene agregar N; hasta %1 kg/ha el margen cae "
                                                                "a lo sumo %2 U$S/ha")
                                                     .arg(o.rangeHigh)
                                                     .arg(toleranceText)
                                               : QStringLiteral("No conviene agregar N"));
        if (o.atTableEdge)
            notes << QStringLiteral("Óptimo en el límite de la tabla (%1)").arg(RateAdvice::LastN);
        if (o.noMaximum)
            notes << QStringLiteral("Curva sin máximo");
        // The margin exactly as the read-out would show it with the pointer at N*.
        const QString margin = money(s.table.margin(row.k, s.referenceN, o.optimumN, s.nCost / 1000.0));
        t.rows << QStringList{Curves::readOutName(row.k),
                              QString::number(o.optimumN),
                              QString::number(o.dose),
                              productAmount(o.dose, product),
                              whole(o.yield),
                              NumberText::format(o.percentOfMax, 6, 1),
                              margin,
                              QStringLiteral("%1 - %2").arg(o.rangeLow).arg(o.rangeHigh),
                              notes.join(QStringLiteral("; "))};
    }
    // Curves fitted from trials: the interval of N* beside it.
    if (!inputs.data)
        return t;
    QStringList intervals;
    bool fitted = false;
    for (const CurveOptimum& row : optima) {
        const Curves::Key key = Curves::key(row.k);
        const SlotRecord& slot = inputs.scenarioSlots[static_cast<size_t>(key.slot - 1)];
        const auto optimum =
            inputs.data->fittedOptimum(slot.code, key.level, slot.at(key.level), s.nCost / s.grainPrice);
        intervals << (optimum ? TrialStatistics::intervalText(*optimum) : Dash);
        fitted = fitted || optimum.has_value();
    }
    if (!fitted)
        return t;
    t.header.insert(2, QStringLiteral("Intervalo %1\n(kg/ha)").arg(TrialStatistics::label(inputs.data->confidence())));
    for (qsizetype r = 0; r < t.rows.size(); ++r)
        t.rows[r].insert(2, intervals.at(r));
    return t;
}

int DoseAdvice::riskSlot(const Inputs& inputs)
{
    const int chosen = inputs.settings.riskSlot;
    if (chosen >= 1 && chosen <= ScenarioSlots::SlotCount &&
        inputs.scenarioSlots[static_cast<size_t>(chosen - 1)].active)
        return chosen;
    for (const SlotRecord& slot : inputs.scenarioSlots)
        if (slot.active)
            return slot.slot;
    return 0;
}

DocumentTable DoseAdvice::riskTable(const Inputs& inputs, int slot)
{
    DocumentTable t;
    t.title = slot > 0 ? QStringLiteral("Riesgo de la campaña, Escenario %1").arg(slot)
                       : QStringLiteral("Riesgo de la campaña");
    t.header = {QString(),
                QStringLiteral("N disponible\n(kg/ha)"),
                QStringLiteral("N a aplicar\n(kg/ha)"),
                QStringLiteral("Producto\n(kg/ha)"),
                QStringLiteral("Pérdida si\nocurre 20 %"),
                QStringLiteral("Pérdida si\nocurre Medio"),
                QStringLiteral("Pérdida si\nocurre 80 %"),
                QStringLiteral("Margen esperado\n(U$S/ha)"),
                QStringLiteral("Margen peor\ncampaña (U$S/ha)")};
    const QStringList titles{QStringLiteral("Dosis óptima 20 %"),    QStringLiteral("Dosis óptima Medio"),
                             QStringLiteral("Dosis óptima 80 %"),    QStringLiteral("Máximo margen esperado"),
                             QStringLiteral("Menor pérdida máxima"), QStringLiteral("Mejor peor campaña")};
    if (slot < 1 || !evaluable(inputs)) {
        for (const QString& title : titles)
            t.rows << (QStringList{title} << QStringList(t.header.size() - 1));
        if (slot < 1)
            t.notes << QStringLiteral("Ningún escenario activo.");
        return t;
    }
    const EconomicSituation::State& s = *inputs.economics;
    const RateAdvice::SeasonRisk risk = RateAdvice::seasonRisk(s.table, slot, basisOf(s), inputs.weights);
    const std::array<int, 6> doses{risk.optimumN[0],    risk.optimumN[1],   risk.optimumN[2],
                                   risk.bestExpected.n, risk.leastRegret.n, risk.bestWorst.n};
    for (size_t row = 0; row < doses.size(); ++row) {
        const int n = doses[row];
        const RateAdvice::Decision d = risk.at(n);
        const std::array<double, 3> losses = risk.lossesAt(n);
        const int dose = n - risk.from;
        t.rows << QStringList{titles.at(static_cast<qsizetype>(row)),
                              QString::number(n),
                              QString::number(dose),
                              productAmount(dose, inputs.product),
                              money(losses[0]),
                              money(losses[1]),
                              money(losses[2]),
                              money(d.expectedMargin),
                              money(d.worstMargin)};
    }
    t.notes << QStringLiteral("Valor de conocer la campaña (U$S/ha): %1").arg(money(risk.valueOfKnowing));
    return t;
}

QStringList DoseAdvice::stepTitles(const QString& what)
{
    QStringList titles;
    for (double step : RateAdvice::PriceSteps) {
        const QString percent = step == 0 ? QStringLiteral("actual")
                                          : QStringLiteral("%1%2 %")
                                                .arg(step > 0 ? QStringLiteral("+") : QStringLiteral("−"))
                                                .arg(qRound(std::abs(step) * 100));
        titles << what + QLatin1Char(' ') + percent;
    }
    return titles;
}

DocumentTable DoseAdvice::sensitivityTable(const Inputs& inputs, int k)
{
    DocumentTable t;
    t.header = QStringList{QString()} << stepTitles(QStringLiteral("Costo N"));
    const QStringList grain = stepTitles(QStringLiteral("Grano"));
    if (!evaluable(inputs) || k < 1 || k > Curves::Count) {
        t.title = QStringLiteral("Sensibilidad a los precios");
        for (const QString& title : grain)
            t.rows << (QStringList{title} << QStringList(t.header.size() - 1));
        return t;
    }
    const EconomicSituation::State& s = *inputs.economics;
    t.title = QStringLiteral("Sensibilidad a los precios: N a aplicar (kg/ha) para %1").arg(Curves::readOutName(k));
    const auto doses = RateAdvice::priceSensitivity(s.table, k, s.referenceN, s.grainPrice, s.nCost);
    for (size_t r = 0; r < doses.size(); ++r) {
        QStringList cells{grain.at(static_cast<qsizetype>(r))};
        for (int dose : doses[r])
            cells << QString::number(dose);
        t.rows << cells;
    }
    return t;
}

QString DoseAdvice::headerLine(const EconomicSituation::State& s)
{
    return QStringLiteral("Precio neto del grano %1 U$S/t · costo del N %2 U$S/t · N disponible de referencia %3 "
                          "kg/ha")
        .arg(plain(s.grainPrice), plain(s.nCost))
        .arg(s.referenceN);
}

QList<DoseAdvice::BasisItem> DoseAdvice::basis(const Inputs& inputs)
{
    QList<BasisItem> items;
    if (const EconomicSituation::State* s = inputs.economics) {
        items << BasisItem{QStringLiteral("Precio neto del grano (U$S/t)"), plain(s->grainPrice)};
        QString cost = plain(s->nCost);
        const QString product =
            inputs.costSource ? FertiliserProducts::names().value(inputs.costSource->product) : QString();
        if (!product.isEmpty())
            cost += QStringLiteral(", calculado para %1 a %2 U$S/t de producto")
                        .arg(product, inputs.costSource->productPrice.trimmed());
        items << BasisItem{QStringLiteral("Costo del N (U$S/t de N)"), cost};
        QString reference = QString::number(s->referenceN);
        if (const auto& sample = inputs.soilSample) {
            reference += QStringLiteral(", del análisis de suelo: %1 kg N/ha en el suelo de 0 a 60 cm")
                             .arg(sample->soilN.trimmed());
            const NumberText::Reading applied = NumberText::read(sample->fertiliserN);
            if (applied.ok && applied.value > 0)
                reference +=
                    QStringLiteral(" y %1 kg N/ha de fertilizante ya aplicado").arg(sample->fertiliserN.trimmed());
        }
        items << BasisItem{QStringLiteral("N disponible de referencia (kg/ha)"), reference};
    }
    const AdviserCase::AdviceSettings& set = inputs.settings;
    items << BasisItem{QStringLiteral("Tolerancia (U$S/ha)"), set.tolerance.trimmed()};
    items << BasisItem{QStringLiteral("Pesos 20 % / Medio / 80 %"),
                       QStringLiteral("%1 / %2 / %3")
                           .arg(set.weights[0].trimmed(), set.weights[1].trimmed(), set.weights[2].trimmed())};
    const bool builtIn = inputs.dataSource == AdviserCase::DataSource::BuiltIn;
    items << BasisItem{QStringLiteral("Datos"),
                       builtIn ? QStringLiteral("%1 (tabla del programa)").arg(inputs.dataLabel) : inputs.dataLabel};
    return items;
}

QStringList DoseAdvice::basisLines(const Inputs& inputs)
{
    QStringList lines;
    for (const BasisItem& item : basis(inputs))
        lines << item.line();
    if (const QString warning = placeholderWarning(inputs); !warning.isEmpty())
        lines << warning;
    return lines;
}

QString DoseAdvice::placeholderWarning(const Inputs& inputs)
{
    switch (inputs.dataSource) {
    case AdviserCase::DataSource::BuiltIn:
        return QStringLiteral("Las curvas de la tabla incorporada son valores de relleno, no medidos: no son base "
                              "para una decisión real de fertilización.");
    case AdviserCase::DataSource::Fits:
        return QStringLiteral("Salvo las ajustadas de ensayos, las curvas de la tabla incorporada son valores de "
                              "relleno, no medidos: no son base para una decisión real de fertilización.");
    default:
        return {};
    }
}

QString DoseAdvice::scenarioName(const SlotRecord& slot)
{
    QStringList names;
    for (const QString& name : {slot.siteName, slot.unitName, slot.waterName, slot.cultivarName})
        if (!name.trimmed().isEmpty())
            names << name.trimmed();
    const QString number = QStringLiteral("Escenario %1").arg(slot.slot);
    return names.isEmpty() ? number : QStringLiteral("%1 (%2)").arg(number, names.join(QStringLiteral(", ")));
}

QStringList DoseAdvice::scenarios(const Inputs& inputs)
{
    QStringList lines;
    for (const SlotRecord& slot : inputs.scenarioSlots)
        if (slot.active)
            lines << QStringLiteral("Escenario %1: %2")
                         .arg(slot.slot)
                         .arg(slot.scenarioLine().section(QStringLiteral(": "), 1)); // without "ESCENARIO: "
    return lines;
}

QString DoseAdvice::recommendationHeading(const Inputs& inputs)
{
    return QStringLiteral("Dosis recomendada (curvas de nivel %1)")
        .arg(ResponseTable::levelName(inputs.recommendationLevel));
}

QStringList DoseAdvice::recommendation(const Inputs& inputs)
{
    QStringList lines;
    if (!inputs.economics)
        return lines;
    if (!evaluable(inputs))
        return {RateAdvice::beyondTableNote() + QLatin1Char('.')};
    const EconomicSituation::State& s = *inputs.economics;
    for (const SlotRecord& slot : inputs.scenarioSlots) {
        if (!slot.active)
            continue;
        const int k = Curves::number(slot.slot, inputs.recommendationLevel);
        const RateAdvice::Optimum o =
            RateAdvice::optimum(s.table, k, s.curves[static_cast<size_t>(k - 1)], basisOf(s), inputs.tolerance);
        QString line = scenarioName(slot) + QStringLiteral(": ");
        if (o.atReference) {
            line += QStringLiteral("no conviene agregar N; con %1 kg/ha de N disponible el margen ya es el mayor")
                        .arg(o.optimumN);
        } else {
            line += QStringLiteral("aplicar %1 kg N/ha").arg(o.dose);
            if (FertiliserProducts::nFraction(inputs.product) > 0)
                line +=
                    QStringLiteral(" (%1 kg/ha de %2)")
                        .arg(productAmount(o.dose, inputs.product), FertiliserProducts::names().value(inputs.product));
            line += QStringLiteral(", N disponible objetivo %1 kg/ha; rango rentable %2 - %3 kg/ha")
                        .arg(o.optimumN)
                        .arg(o.rangeLow)
                        .arg(o.rangeHigh);
            if (o.atTableEdge)
                line += QStringLiteral("; el margen aún crece al final de la tabla (%1 kg/ha)").arg(RateAdvice::LastN);
        }
        if (o.noMaximum)
            line += QStringLiteral("; la curva no tiene máximo");
        lines << line + QLatin1Char('.');
    }
    return lines;
}

DocumentTable DoseAdvice::flat(DocumentTable table)
{
    for (QString& heading : table.header)
        heading.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return table;
}
