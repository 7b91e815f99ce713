#include "TrialFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QMap>
#include <QSet>

#include "core/CellNumber.h"
#include "core/NumberText.h"
#include "core/SheetReader.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Solves the 3x3 system m·x = r by Gaussian elimination with partial pivoting;
// false when a pivot vanishes (a design that cannot determine three coefficients).
bool solve3(double m[3][3], double r[3], double x[3])
{
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 3; ++row)
            if (std::fabs(m[row][col]) > std::fabs(m[pivot][col]))
                pivot = row;
        if (!(std::fabs(m[pivot][col]) > 1e-12))
            return false;
        if (pivot != col) {
            std::swap(m[pivot], m[col]);
            std::swap(r[pivot], r[col]);
        }
        for (int row = col + 1; row < 3; ++row) {
            const double f = m[row][col] / m[col][col];
            for (int k = col; k < 3; ++k)
                m[row][k] -= f * m[col][k];
            r[row] -= f * r[col];
        }
    }
    for (int row = 2; row >= 0; --row) {
        double sum = r[row];
        for (int k = row + 1; k < 3; ++k)
            sum -= m[row][k] * x[k];
        x[row] = sum / m[row][row];
    }
    return true;
}

} // namespace

TrialFit::Fit TrialFit::fit(const QString& code, Level level, const QVector<Point>& points)
{
    Fit f;
    f.code = code;
    f.level = level;
    f.points = int(points.size());
    f.coefficients = {NaN, NaN, NaN};
    f.rSquared = NaN;
    f.residualError = NaN;
    if (points.isEmpty())
        return f;

    QSet<double> rates;
    f.nMinimum = f.nMaximum = points.first().n;
    double sumN = 0.0, sumY = 0.0;
    for (const Point& p : points) {
        rates.insert(p.n);
        f.nMinimum = std::min(f.nMinimum, p.n);
        f.nMaximum = std::max(f.nMaximum, p.n);
        sumN += p.n;
        sumY += p.yield;
    }
    f.distinctRates = int(rates.size());
    if (f.distinctRates < 3) {
        f.warnings << QStringLiteral("menos de 3 dosis distintas: no se ajusta");
        return f;
    }

    // The design is centred on the mean rate and scaled by half the rate range, u in
    // about [-1, 1]: the normal equations in (1, u, u²) are then well conditioned (their
    // matrix has entries of order one), so solving them in double precision loses
    // nothing a yield shows, and a 3x3 solve needs no QR machinery.
    const double n = f.points;
    const double centre = sumN / n;
    const double scale = (f.nMaximum - f.nMinimum) / 2.0;
    double m[3][3] = {};
    double r[3] = {};
    for (const Point& p : points) {
        const double u = (p.n - centre) / scale;
        const double basis[3] = {1.0, u, u * u};
        for (int i = 0; i < 3; ++i) {
            r[i] += basis[i] * p.yield;
            for (int j = 0; j < 3; ++j)
                m[i][j] += basis[i] * basis[j];
        }
    }
    double x[3];
    if (!solve3(m, r, x)) {
        f.warnings << QStringLiteral("diseño degenerado: no se ajusta");
        return f;
    }

    // Back to N: yield = x0 + x1·(N - m)/s + x2·(N - m)²/s².
    const double c = x[2] / (scale * scale);
    const double b = x[1] / scale - 2.0 * x[2] * centre / (scale * scale);
    const double a = x[0] - x[1] * centre / scale + x[2] * centre * centre / (scale * scale);
    f.coefficients = {a, b, c};

    const double meanY = sumY / n;
    double sse = 0.0, sst = 0.0;
    for (const Point& p : points) {
        const double u = (p.n - centre) / scale;
        const double e = p.yield - (x[0] + x[1] * u + x[2] * u * u);
        sse += e * e;
        sst += (p.yield - meanY) * (p.yield - meanY);
    }
    if (sst > 0.0)
        f.rSquared = 1.0 - sse / sst;
    if (f.points > 3)
        f.residualError = std::sqrt(sse / (n - 3.0));

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
            set[f.code][f.level] = Curves::Quadratic{ResponseTableReader::rounded(f.coefficients.a, 0),
                                                     ResponseTableReader::rounded(f.coefficients.b, 1),
                                                     ResponseTableReader::rounded(f.coefficients.c, 2)};
    return set;
}
