#include "BatchRun.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include "core/BatchAdvice.h"
#include "core/BatchFieldReader.h"
#include "core/BatchOutput.h"
#include "core/ResponseData.h"
#include "core/SheetColumns.h"
#include "core/SheetReader.h"
#include "core/SheetRowStream.h"
#include "core/TrialFit.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 QuietMs = 2000;
constexpr qint64 ProgressEveryMs = 1000;

// The table in use: the built-in one, an own table, or the built-in one with the usable
// fits of a trial sheet, as "Datos de respuesta" would leave it.
bool loadData(const QStringList& paths, ResponseData& data, const BatchRun::Say& say)
{
    if (paths.isEmpty()) {
        say(u"Aviso: se usan las curvas incorporadas, que son de ejemplo y no una base para decidir; dé las propias "
            "con --datos."_s);
        return true;
    }
    QString error;
    bool loaded = false;
    const Sheet sheet = paths.size() == 1 ? SheetReader::read(paths.first()) : Sheet{};
    SheetColumns trialColumns(TrialFit::columns());
    QString notTrials;
    if (sheet.ok && trialColumns.match(sheet, &notTrials)) {
        const TrialFit::Reading trials = TrialFit::read(sheet);
        if (!trials.ok) {
            say(trials.error);
            return false;
        }
        for (const TrialFit::Fit& fit : trials.fits)
            if (!fit.usable)
                say(u"%1: el ajuste de %2, nivel %3, no se usa: %4"_s.arg(
                    sheet.fileName, fit.code, ResponseTable::levelName(fit.level), fit.warnings.join(u"; "_s)));
        loaded = data.useFits(trials.fits, paths.first(), sheet.bytes, &error);
    } else {
        loaded = data.loadTable(paths, &error);
        for (const QString& warning : data.loadWarnings())
            say(u"Aviso: "_s + warning);
    }
    if (!loaded)
        say(error);
    return loaded;
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a), second(b);
    return first.exists() && second.exists() ? first.canonicalFilePath() == second.canonicalFilePath()
                                             : first.absoluteFilePath() == second.absoluteFilePath();
}

// `source`: the data in use, the same for every field.
bool report(const BatchRun::Options& options, const BatchAdvice& advice, const BatchField& field,
            const DoseAdvice::Inputs& source, const BatchRun::Say& say)
{
    DoseAdvice::Inputs inputs = advice.reportInputs(field);
    inputs.dataSource = source.dataSource;
    inputs.dataLabel = source.dataLabel;
    inputs.data = source.data;
    AdviserCase::Identity identity;
    identity.field = field.lot;
    QString error;
    if (options.report(identity, field.line, inputs, &error))
        return true;
    say(error);
    return false;
}

} // namespace

BatchRun::Status BatchRun::run(const Options& options, const Say& say)
{
    if (!options.output.endsWith(u".csv"_s, Qt::CaseInsensitive) &&
        !options.output.endsWith(u".xlsx"_s, Qt::CaseInsensitive)) {
        say(u"%1: la salida debe ser un archivo .csv o .xlsx"_s.arg(options.output));
        return NotRun;
    }
    if (sameFile(options.input, options.output)) {
        say(u"%1: la salida no puede ser el archivo de lotes"_s.arg(options.output));
        return NotRun;
    }
    ResponseData data;
    if (!loadData(options.data, data, say))
        return NotRun;

    SheetRowStream input(options.input);
    BatchFieldReader reader(data.table());
    QString error;
    if (!input.open() || !reader.matchHeader(input.sheet(), &error)) {
        say(input.error().isEmpty() ? error : input.error());
        return NotRun;
    }

    BatchOutput output(options.output);
    if (!output.open(BatchAdvice::headings())) {
        say(output.error());
        return NotRun;
    }

    BatchAdvice advice(data.shortLabel());
    DoseAdvice::Inputs source;
    source.dataSource = AdviserCase::dataSourceOf(data);
    source.dataLabel = data.shortLabel().section(u": "_s, 1);
    source.data = &data;
    QElapsedTimer clock;
    clock.start();
    qint64 toldAt = QuietMs - ProgressEveryMs;
    int fields = 0;
    int refused = 0;
    SheetRow row;
    QString fault;
    while (input.next(row, &fault)) {
        BatchFieldReader::Reading reading = reader.read(row);
        if (!fault.isEmpty()) {
            reading.faults.prepend(fault.section(u": "_s, -1));
            reading.places.prepend(fault);
        }
        ++fields;
        bool written = true;
        if (reading.ok()) {
            for (const QStringList& cells : advice.advise(reading.field))
                written = written && output.write(cells);
            if (options.report && !report(options, advice, reading.field, source, say))
                return NotRun;
        } else {
            ++refused;
            written = output.write(advice.refused(reading.field, reading.faults));
            for (const QString& place : std::as_const(reading.places))
                say(place);
        }
        if (!written) {
            say(output.error());
            return NotRun;
        }
        if (fields % 512 == 0 && clock.elapsed() >= toldAt + ProgressEveryMs) {
            toldAt = clock.elapsed();
            say(u"%1: %2 lotes leídos (%3 %)"_s.arg(input.sheet().fileName)
                    .arg(fields)
                    .arg(qRound(100 * input.progress())));
        }
    }
    if (!input.error().isEmpty()) {
        say(input.error());
        say(u"%1: no se escribió (la lectura de %2 no terminó)"_s.arg(options.output, input.sheet().fileName));
        return NotRun;
    }
    if (!output.commit()) {
        say(output.error());
        return NotRun;
    }
    if (refused > 0)
        say(u"%1 de %2 lotes rechazados: su razón está en la columna Error de %3."_s.arg(refused).arg(fields).arg(
            QFileInfo(options.output).fileName()));
    return refused > 0 ? SomeRowsRefused : EveryRowAdvised;
}
