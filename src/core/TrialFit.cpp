#include "TrialFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QMap>
#include <QSet>

#include "core/DataFileText.h"
#include "core/NumberText.h"
#include "core/QuadraticFit.h"

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

TrialFit::Reading TrialFit::read(const QByteArray& bytes, const QString& fileName)
{
    Reading reading;
    const DataFileText::Result text = DataFileText::decode(bytes, fileName);
    if (!text.ok) {
        reading.error = text.error;
        return reading;
    }
    const QString header = text.lines.first().trimmed();
    if (header.split(u',') !=
        QStringList{QStringLiteral("codigo"), QStringLiteral("nivel"), QStringLiteral("n_disponible"),
                    QStringLiteral("rendimiento")}) {
        QString reason = QStringLiteral("el encabezado debe ser 'codigo,nivel,n_disponible,rendimiento'");
        if (header.contains(u';') && !header.contains(u','))
            reason += QStringLiteral(" (el archivo está separado por ';'; use ',' como separador y '.' como decimal)");
        reading.error = DataFileText::where(fileName, 1, {}, reason);
        return reading;
    }

    QMap<QPair<QString, Level>, QVector<Point>> groups;
    for (int i = 1; i < text.lines.size(); ++i) {
        const int lineNumber = i + 1;
        const QString& line = text.lines[i];
        if (line.trimmed().isEmpty())
            continue;
        auto refuse = [&](const QString& column, const QString& reason) {
            return Reading{false, DataFileText::where(fileName, lineNumber, column, reason), {}, 0};
        };
        const QStringList fields = line.split(u',');
        if (fields.size() != 4) {
            QString reason = QStringLiteral("se esperaban 4 columnas separadas por ',' y hay %1").arg(fields.size());
            if (fields.size() > 4)
                reason += QStringLiteral(" (¿coma decimal? el separador decimal es el punto)");
            return refuse({}, reason);
        }
        const QString code = fields[0].trimmed();
        if (!ResponseTableReader::isScenarioCode(code))
            return refuse(QStringLiteral("1 (codigo)"),
                          code.isEmpty() ? QStringLiteral("falta el código de escenario")
                                         : QStringLiteral("'%1' no es un código de escenario válido").arg(code));
        const std::optional<Level> level = ResponseTableReader::levelOf(fields[1].trimmed());
        if (!level)
            return refuse(QStringLiteral("2 (nivel)"),
                          QStringLiteral("nivel '%1': debe ser 20, Medio u 80").arg(fields[1].trimmed()));
        const char* names[2] = {"n_disponible", "rendimiento"};
        const double limits[2] = {MaximumN, MaximumYield};
        double values[2];
        for (int k = 0; k < 2; ++k) {
            const QString field = fields[2 + k].trimmed();
            const NumberText::Reading number = NumberText::read(field);
            const QString column = QStringLiteral("%1 (%2)").arg(3 + k).arg(QLatin1String(names[k]));
            if (!number)
                return refuse(column, QStringLiteral("'%1' no es un número").arg(field));
            if (number.value < 0.0 || number.value > limits[k])
                return refuse(column, QStringLiteral("%1 fuera del rango admitido (0 a %2)").arg(field).arg(limits[k]));
            values[k] = number.value;
        }
        groups[{code, *level}].append({values[0], values[1]});
        ++reading.lineCount;
    }
    if (groups.isEmpty()) {
        reading.error = QStringLiteral("%1: no contiene ningún resultado de ensayo").arg(fileName);
        return reading;
    }
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        reading.fits << fit(it.key().first, it.key().second, it.value());
    reading.ok = true;
    return reading;
}

CoefficientSet TrialFit::usable(const QList<Fit>& fits)
{
    CoefficientSet set;
    for (const Fit& f : fits)
        if (f.usable)
            set[f.code][f.level] = f.coefficients;
    return set;
}
