#include "RateAdvice.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/EconomicTable.h"
#include "core/NumberText.h"

namespace {

// Margins from per-kilogram net incomes: element i is the sum of the first i of them.
std::vector<double> runningSums(const std::vector<double>& netIncomes)
{
    std::vector<double> margins(netIncomes.size() + 1, 0.0);
    double m = 0.0;
    for (size_t i = 0; i < netIncomes.size(); ++i) {
        if (std::isfinite(netIncomes[i]))
            m += netIncomes[i];
        margins[i + 1] = m;
    }
    return margins;
}

// The index of the highest value, the first among equals.
size_t firstBest(const std::vector<double>& values)
{
    size_t best = 0;
    for (size_t i = 1; i < values.size(); ++i)
        if (values[i] > values[best])
            best = i;
    return best;
}

int firstReference(int referenceN)
{
    return std::clamp(referenceN, EconomicTable::FirstIncomeN - 1, RateAdvice::LastN);
}

} // namespace

QString RateAdvice::beyondTableNote()
{
    return QStringLiteral("La N de referencia supera el rango de la tabla (%1 kg/ha): no hay dosis que evaluar")
        .arg(LastN);
}

std::vector<double> RateAdvice::margins(const EconomicTable& table, int k, const Basis& basis)
{
    // The running sums of the net incomes, as runningSums() adds them, in one pass.
    const int from = firstReference(basis.referenceN);
    std::vector<double> margins(static_cast<size_t>(LastN - from) + 1, 0.0);
    double m = 0.0;
    for (int n = from + 1; n <= LastN; ++n) {
        const double net = table.number(n, EconomicTable::incomeRow(k)) - basis.nCostPerKg;
        if (std::isfinite(net))
            m += net;
        margins[static_cast<size_t>(n - from)] = m;
    }
    return margins;
}

RateAdvice::Optimum RateAdvice::optimum(const EconomicTable& table, int k, const Curves::Quadratic& curve,
                                        const Basis& basis, double tolerance)
{
    const int from = firstReference(basis.referenceN);
    const std::vector<double> m = margins(table, k, basis);
    const size_t best = firstBest(m);

    Optimum o;
    o.optimumN = from + static_cast<int>(best);
    o.dose = o.optimumN - from;
    o.margin = m[best];
    o.rangeLow = o.rangeHigh = o.optimumN;
    for (size_t i = 0; i < m.size(); ++i) {
        if (m[i] >= m[best] - tolerance) {
            o.rangeLow = std::min(o.rangeLow, from + static_cast<int>(i));
            o.rangeHigh = std::max(o.rangeHigh, from + static_cast<int>(i));
        }
    }
    o.yield = curve.at(o.optimumN);
    double highest = -std::numeric_limits<double>::infinity();
    for (int n = EconomicTable::FirstIncomeN - 1; n <= LastN; ++n)
        highest = std::max(highest, curve.at(n));
    o.percentOfMax = highest > 0 ? 100.0 * o.yield / highest : std::numeric_limits<double>::quiet_NaN();
    o.atReference = o.optimumN == from;
    o.atTableEdge = m.size() > 1 && o.optimumN == LastN && m[m.size() - 1] > m[m.size() - 2];
    o.noMaximum = !(curve.c < 0);
    return o;
}

RateAdvice::SeasonRisk RateAdvice::seasonRisk(const EconomicTable& table, int slot, const Basis& basis,
                                              const std::array<double, 3>& weights)
{
    const int from = firstReference(basis.referenceN);
    std::array<std::vector<double>, 3> m;
    SeasonRisk risk;
    std::array<double, 3> own{};
    for (size_t s = 0; s < 3; ++s) {
        m[s] = margins(table, Curves::number(slot, SeasonOrder[s]), basis);
        const size_t best = firstBest(m[s]);
        risk.optimumN[s] = from + static_cast<int>(best);
        own[s] = m[s][best];
    }
    for (size_t r = 0; r < 3; ++r)
        for (size_t c = 0; c < 3; ++c)
            risk.loss[r][c] = own[c] - m[c][static_cast<size_t>(risk.optimumN[r] - from)];

    risk.from = from;
    risk.weights = weights;
    risk.ownBest = own;
    const size_t count = m[0].size();
    std::vector<double> expected(count), negativeRegret(count), worst(count);
    for (size_t i = 0; i < count; ++i) {
        double e = 0.0, regret = 0.0, w = std::numeric_limits<double>::infinity();
        for (size_t s = 0; s < 3; ++s) {
            e += weights[s] * m[s][i];
            regret = std::max(regret, own[s] - m[s][i]);
            w = std::min(w, m[s][i]);
        }
        expected[i] = e;
        negativeRegret[i] = -regret;
        worst[i] = w;
    }
    const auto decide = [&](const std::vector<double>& score) {
        const size_t i = firstBest(score);
        return Decision{from + static_cast<int>(i), expected[i], worst[i]};
    };
    risk.bestExpected = decide(expected);
    risk.leastRegret = decide(negativeRegret);
    risk.bestWorst = decide(worst);
    double withForesight = 0.0;
    for (size_t s = 0; s < 3; ++s)
        withForesight += weights[s] * own[s];
    risk.valueOfKnowing = withForesight - risk.bestExpected.expectedMargin;
    risk.margins = std::move(m);
    return risk;
}

RateAdvice::Decision RateAdvice::SeasonRisk::at(int n) const
{
    const size_t i = static_cast<size_t>(std::clamp(n - from, 0, static_cast<int>(margins[0].size()) - 1));
    Decision d{from + static_cast<int>(i), 0.0, std::numeric_limits<double>::infinity()};
    for (size_t s = 0; s < 3; ++s) {
        d.expectedMargin += weights[s] * margins[s][i];
        d.worstMargin = std::min(d.worstMargin, margins[s][i]);
    }
    return d;
}

std::array<double, 3> RateAdvice::SeasonRisk::lossesAt(int n) const
{
    const size_t i = static_cast<size_t>(std::clamp(n - from, 0, static_cast<int>(margins[0].size()) - 1));
    std::array<double, 3> losses{};
    for (size_t s = 0; s < 3; ++s)
        losses[s] = ownBest[s] - margins[s][i];
    return losses;
}

std::array<std::array<int, 5>, 5> RateAdvice::priceSensitivity(const EconomicTable& table, int k, int referenceN,
                                                               double grainPricePerTonne, double nCostPerTonne)
{
    const int from = firstReference(referenceN);
    std::array<std::array<int, 5>, 5> doses{};
    std::vector<double> incomes;
    for (size_t r = 0; r < PriceSteps.size(); ++r) {
        const double pricePerKg = grainPricePerTonne * (1.0 + PriceSteps[r]) / 1000.0;
        incomes.clear();
        for (int n = from + 1; n <= LastN; ++n) {
            const QString text = EconomicTable::incomeText(table.number(n, k), table.number(n - 1, k), pricePerKg);
            const NumberText::Reading income = NumberText::read(text);
            incomes.push_back(income.ok ? income.value : std::numeric_limits<double>::quiet_NaN());
        }
        for (size_t c = 0; c < PriceSteps.size(); ++c) {
            const double costPerKg = nCostPerTonne * (1.0 + PriceSteps[c]) / 1000.0;
            std::vector<double> net(incomes.size());
            for (size_t i = 0; i < incomes.size(); ++i)
                net[i] = incomes[i] - costPerKg;
            doses[r][c] = static_cast<int>(firstBest(runningSums(net)));
        }
    }
    return doses;
}

RateAdvice::Weights RateAdvice::readWeights(const std::array<QString, 3>& texts)
{
    static const char* names[3] = {"20 %", "Medio", "80 %"};
    Weights weights;
    double sum = 0.0;
    for (size_t s = 0; s < 3; ++s) {
        const NumberText::Reading reading = NumberText::read(texts[s]);
        const QString field = QStringLiteral("Peso de la campaña %1").arg(QLatin1String(names[s]));
        if (!reading.ok) {
            weights.error = field + QStringLiteral(": ") + reading.error;
            return weights;
        }
        if (reading.value < 0) {
            weights.error =
                field + QStringLiteral(": \"%1\" es negativo; los pesos van de 0 a 1.").arg(texts[s].trimmed());
            return weights;
        }
        weights.values[s] = reading.value;
        sum += reading.value;
    }
    if (std::abs(sum - 1.0) > 1e-6)
        weights.error = QStringLiteral("Los pesos de las tres campañas suman %1; deben sumar 1.")
                            .arg(NumberText::format(sum, 6, 4));
    return weights;
}

RateAdvice::Tolerance RateAdvice::readTolerance(const QString& text)
{
    Tolerance tolerance;
    const NumberText::Reading reading = NumberText::read(text);
    const QString field = QStringLiteral("Tolerancia del rango rentable");
    if (!reading.ok)
        tolerance.error = field + QStringLiteral(": ") + reading.error;
    else if (reading.value < 0 || reading.value > 1000)
        tolerance.error =
            field + QStringLiteral(": %1 está fuera del rango aceptado, de 0 a 1000 U$S/ha.").arg(text.trimmed());
    else
        tolerance.value = reading.value;
    return tolerance;
}
