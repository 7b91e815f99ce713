#include "TrialFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QMap>
#include <QSet>

#include "core/CellNumber.h"
#include "core/NumberText.h"
#include "core/QuadraticFit.h"
#include "core/SheetReader.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TrialFit::Fit TrialFit::fit(const QString& code, Level level, const QVector<Point>& points)
{
    Fit f;
    f.code = code;
    f.level = level;
    f.points = int(points.size());
    f.coefficients = {NaN, NaN, NaN, std::nullopt};
    f.rSquared = NaN;
    f.residualError = NaN;
    if (points.isEmpty())
        return f;

    QSet<double> rates;
    f.nMinimum = f.nMaximum = points.first().n;
    for (const Point& p : points) {
        rates.insert(p.n);
        f.nMinimum = std::min(f.nMinimum, p.n);
        f.nMaximum = std::max(f.nMaximum, p.n);
    }
    f.distinctRates = int(rates.size());
    f.data = points;
    if (f.distinctRates < 3) {
        f.warnings << QStringLiteral("menos de 3 dosis distintas: no se ajusta");
        return f;
    }
    const QuadraticFit::Result q = QuadraticFit::fit(points);
    if (!q.ok) {
        f.warnings << QStringLiteral("diseño degenerado: no se ajusta");
        return f;
    }
    f.coefficients = q.curve;
    const double a = q.curve.a, b = q.curve.b, c = q.curve.c;
    if (q.sst > 0.0)
        f.rSquared = 1.0 - q.sse / q.sst;
    if (f.points > 3)
        f.residualError = std::sqrt(q.residualVariance());

    if (f.distinctRates < 4)
        f.warnings << QStringLiteral("menos de 4 dosis distintas");
    if (c >= 0.0) {
        f.warnings << QStringLiteral("curva sin máximo (c ≥ 0)");
    } else {
        const double nAtMaximum = -b / (2.0 * c);
        if (nAtMaximum < f.nMinimum || nAtMaximum > f.nMaximum)
            f.warnings << QStringLiteral("el máximo cae fuera del rango ensayado");
    }
    f.usable = true;
    const double values[3] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
        const QString fault = ResponseTableReader::checkValue(k, values[k]);
        if (!fault.isEmpty()) {
            f.warnings << fault + QStringLiteral(": no se usa");
            f.usable = false;
        }
    }
    return f;
}

const QList<SheetColumn>& TrialFit::columns()
{
    static const QList<SheetColumn> table{
        {u"codigo"_s, {u"código de escenario"_s, u"escenario"_s}},
        {u"nivel"_s, {u"nivel de la campaña"_s, u"campaña"_s}},
        {u"n_disponible"_s, {u"N"_s, u"N disp"_s, u"nitrógeno disponible"_s}},
        {u"rendimiento"_s, {u"rinde"_s}},
    };
    return table;
}

TrialFit::Reading TrialFit::read(const QByteArray& bytes, const QString& fileName)
{
    return read(SheetReader::read(bytes, fileName));
}

TrialFit::Reading TrialFit::read(const Sheet& sheet)
{
    if (!sheet.ok)
        return Reading{false, sheet.error, {}, 0};
    SheetColumns layout(columns());
    QString error;
    if (!layout.match(sheet, &error))
        return Reading{false, error, {}, 0};

    QMap<QPair<QString, Level>, QVector<Point>> groups;
    int lineCount = 0;
    for (const SheetRow& row : sheet.rows) {
        auto refuse = [&](int column, const QString& reason) {
            return Reading{false, layout.where(sheet, row, column, reason), {}, 0};
        };
        if (!layout.checkWidth(sheet, row, &error))
            return Reading{false, error, {}, 0};
        const QString codeCell = layout.cell(row, Code).text;
        const QString code = codeCell.toUpper();
        if (!ResponseTableReader::isScenarioCode(code))
            return refuse(Code,
                          codeCell.isEmpty() ? u"falta el código de escenario"_s
                                             : u"'%1' no es un código de escenario válido"_s.arg(codeCell));
        const QString levelCell = layout.cell(row, LevelColumn).text;
        const std::optional<Level> level = ResponseTableReader::levelOf(levelCell);
        if (!level)
            return refuse(LevelColumn, u"nivel '%1': debe ser 20, Medio u 80"_s.arg(levelCell));
        const double limits[2] = {MaximumN, MaximumYield};
        double values[2];
        for (int k = 0; k < 2; ++k) {
            const SheetCell cell = layout.cell(row, AvailableN + k);
            const NumberText::Reading number = CellNumber::read(cell, sheet.decimalComma);
            if (!number)
                return refuse(AvailableN + k, number.error);
            if (number.value < 0.0 || number.value > limits[k])
                return refuse(AvailableN + k, u"%1 fuera del rango admitido (0 a %2)"_s.arg(cell.text).arg(limits[k]));
            values[k] = number.value;
        }
        groups[{code, *level}].append({values[0], values[1]});
        ++lineCount;
    }
    if (groups.isEmpty())
        return Reading{false, u"%1: no contiene ningún resultado de ensayo"_s.arg(sheet.fileName), {}, 0};
    Reading reading{true, {}, {}, lineCount};
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        reading.fits << fit(it.key().first, it.key().second, it.value());
    return reading;
}

CoefficientSet TrialFit::usable(const QList<Fit>& fits)
{
    CoefficientSet set;
    for (const Fit& f : fits)
        if (f.usable)
            set[f.code][f.level] = tableCurve(f.coefficients);
    return set;
}

Curves::Quadratic TrialFit::tableCurve(const Curves::Quadratic& fitted)
{
    std::optional<double> plateau;
    if (fitted.plateau)
        plateau = ResponseTableReader::rounded(*fitted.plateau, 0); // to 0.1, as a
    return {ResponseTableReader::rounded(fitted.a, 0), ResponseTableReader::rounded(fitted.b, 1),
            ResponseTableReader::rounded(fitted.c, 2), plateau};
}
