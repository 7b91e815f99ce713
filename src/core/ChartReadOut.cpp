#include "ChartReadOut.h"

#include <cmath>

#include "core/EconomicInputs.h"
#include "core/EconomicTable.h"
#include "core/NumberText.h"

ChartReadOut::Pointer ChartReadOut::yieldPointer(double n, double yield)
{
    return {NumberText::format(n, 15, 0), NumberText::format(yield, 15, 0)};
}

ChartReadOut::Pointer ChartReadOut::economicPointer(double n, double value)
{
    return {NumberText::format(n, 6, 0), NumberText::format(value, 6, 1)};
}

QString ChartReadOut::yieldIncrement(const Curves::Quadratic& curve, int pointN)
{
    return NumberText::format(curve.at(pointN) - curve.at(pointN - 1), 15, 1);
}

ChartReadOut::Margin ChartReadOut::margin(const EconomicTable& table, int k, const QString& pointerN,
                                          const QString& referenceN, const QString& nCost)
{
    const EconomicInputs::ReferenceN reference = EconomicInputs::readReferenceN(referenceN);
    const EconomicInputs::Price cost = EconomicInputs::readNCost(nCost);
    if (!reference.ok() || !cost.ok())
        return {Margin::Outcome::BadInput, !reference.ok() ? reference.error : cost.error};

    const NumberText::Reading pointer = NumberText::readInteger(pointerN);
    const int from = reference.effective();
    const int to = pointer.ok ? static_cast<int>(pointer.value) : from;
    const double m = table.margin(k, from, to, cost.perKg());
    if (!std::isfinite(m))
        return {Margin::Outcome::NotFinite,
                QStringLiteral("El margen no puede calcularse con estos precios: revise el precio del grano y el "
                               "costo del nitrógeno.")};
    return {Margin::Outcome::Shown, NumberText::format(m, 6, 1)};
}
