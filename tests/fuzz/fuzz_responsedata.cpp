// libFuzzer target: any bytes through the readers of the adviser's own data (the CSV
// table, the three fixed-column files, the trial results and their fits) must return
// without a crash, a hang or a sanitizer report; a file read as sound must give values
// within their ranges, and a refused one a message and nothing else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "core/ResponseTableReader.h"
#include "core/TrialFit.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkSet(const ResponseTableReader::Result& result)
{
    require(result.ok != !result.error.isEmpty());
    require(result.ok || result.set.isEmpty());
    for (const auto& levels : result.set) {
        for (const auto& curve : levels) {
            if (!curve)
                continue;
            require(ResponseTableReader::checkValue(0, curve->a).isEmpty());
            require(ResponseTableReader::checkValue(1, curve->b).isEmpty());
            require(ResponseTableReader::checkValue(2, curve->c).isEmpty());
            // The texts a curve enters the table with read back as the same values.
            const CoefficientTexts t = ResponseTableReader::texts(*curve);
            const Curves::Quadratic back = Curves::fromTexts(t);
            require(back.a == curve->a && back.b == curve->b && back.c == curve->c);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    checkSet(ResponseTableReader::readCsv(bytes, QStringLiteral("t.csv")));
    checkSet(ResponseTableReader::readCsv(bytes, QStringLiteral("t.csv"), false));

    // The same bytes as three fixed-column files, cut at the first two form feeds
    // (or wholly the 20 % file when there are none).
    const QList<QByteArray> parts = bytes.split('\f');
    checkSet(ResponseTableReader::readFixedColumns(
        {parts.value(0), parts.value(1), parts.value(2)},
        {QStringLiteral("20.txt"), QStringLiteral("medio.txt"), QStringLiteral("80.txt")}));

    const TrialFit::Reading trials = TrialFit::read(bytes, QStringLiteral("ensayos.csv"));
    require(trials.ok != !trials.error.isEmpty());
    for (const TrialFit::Fit& fit : trials.fits) {
        require(fit.points >= fit.distinctRates && fit.distinctRates >= 1);
        if (fit.usable) {
            require(fit.distinctRates >= 3);
            require(std::isfinite(fit.coefficients.a) && std::isfinite(fit.coefficients.b) &&
                    std::isfinite(fit.coefficients.c));
        }
    }
    checkSet({true, {}, TrialFit::usable(trials.fits), 0, {}});
    return 0;
}
