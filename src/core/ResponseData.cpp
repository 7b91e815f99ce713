#include "ResponseData.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include "core/DataFileText.h"
#include "core/SheetReader.h"

namespace {

DataSourceFile sourceFile(const QString& path, const QByteArray& bytes, int lines)
{
    return {path, lines, QDateTime::currentDateTime(),
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())};
}

// Accepted fits written as table CSV rows, only the fitted levels, with where each
// plateau starts.
QByteArray fitsAsCsv(const CoefficientSet& set)
{
    QString out = QStringLiteral("codigo,nivel,a,b,c,meseta\n");
    for (auto it = set.cbegin(); it != set.cend(); ++it)
        for (Level level : TableLevels)
            if (const auto& v = it.value()[level])
                out += QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                           .arg(it.key(), ResponseTableReader::csvLevelName(level),
                                QString::number(v->a, 'g', QLocale::FloatingPointShortest),
                                QString::number(v->b, 'g', QLocale::FloatingPointShortest),
                                QString::number(v->c, 'g', QLocale::FloatingPointShortest),
                                v->plateau ? QString::number(*v->plateau, 'g', QLocale::FloatingPointShortest)
                                           : QString());
    return out.toUtf8();
}

// The trial points of accepted fits, as a trial file.
QByteArray pointsAsCsv(const QList<TrialFit::Fit>& fits)
{
    QString out = QStringLiteral("codigo,nivel,n_disponible,rendimiento\n");
    for (const TrialFit::Fit& f : fits)
        for (const TrialFit::Point& p : f.data)
            out += QStringLiteral("%1,%2,%3,%4\n")
                       .arg(f.code, ResponseTableReader::csvLevelName(f.level), QString::number(p.n, 'g', 17),
                            QString::number(p.yield, 'g', 17));
    return out.toUtf8();
}

// The fits of saved trial points, each with its saved curve; points without one are left out.
QList<TrialFit::Fit> fitsWithCurves(const QByteArray& points, const CoefficientSet& curves)
{
    QList<TrialFit::Fit> fits;
    if (points.isEmpty())
        return fits;
    const TrialFit::Reading reading = TrialFit::read(points, QStringLiteral("ensayos guardados"));
    for (TrialFit::Fit f : reading.fits) {
        const auto curve = curves.value(f.code)[f.level];
        if (!reading.ok || !curve)
            continue;
        f.coefficients = *curve;
        f.usable = true;
        fits << f;
    }
    return fits;
}

QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

const QString TableKey = QStringLiteral("datosRespuesta/tabla");
const QString TableSumsKey = QStringLiteral("datosRespuesta/tablaSha256");
const QString TrialsKey = QStringLiteral("datosRespuesta/ajustesAceptados");
const QString PathKey = QStringLiteral("ruta");
const QString LinesKey = QStringLiteral("lineas");
const QString ShaKey = QStringLiteral("sha256");
const QString CurvesKey = QStringLiteral("ajustes");
const QString PointsKey = QStringLiteral("puntos");
const QString ConfidenceKey = QStringLiteral("datosRespuesta/confianza");
// One trial file's fits may also stand under these plain keys; they are read as the
// first acceptance and written back in the list form.
const QString PlainFitsKey = QStringLiteral("datosRespuesta/ajustes");
const QString PlainSourceKey = QStringLiteral("datosRespuesta/ensayos");
const QString PlainLinesKey = QStringLiteral("datosRespuesta/ensayosLineas");
const QString PlainShaKey = QStringLiteral("datosRespuesta/ensayosSha256");
const QString PlainPointsKey = QStringLiteral("datosRespuesta/ensayosPuntos");

} // namespace

ResponseData::ResponseData(QObject* parent) : QObject(parent), table_(ResponseTable::builtIn()) { }

QString ResponseData::shortLabel() const
{
    if (files_.isEmpty())
        return QStringLiteral("datos: incorporados");
    QStringList names;
    for (const DataSourceFile& f : files_)
        if (!names.contains(fileName(f.path)))
            names << fileName(f.path);
    return QStringLiteral("datos: ") + names.join(QStringLiteral(" + "));
}

QByteArray ResponseData::canonicalFits(const QByteArray& csv)
{
    const ResponseTableReader::Result result = ResponseTableReader::readCsv(csv, QStringLiteral("ajustes"), false);
    return result.ok ? fitsAsCsv(result.set) : csv;
}

QByteArray ResponseData::canonicalPoints(const QByteArray& points, const QByteArray& fitsCsv)
{
    const ResponseTableReader::Result curves = ResponseTableReader::readCsv(fitsCsv, QStringLiteral("ajustes"), false);
    const QList<TrialFit::Fit> fits = curves.ok ? fitsWithCurves(points, curves.set) : QList<TrialFit::Fit>();
    return fits.isEmpty() ? QByteArray() : pointsAsCsv(fits);
}

QString ResponseData::curveName(const QString& code, Level level)
{
    return code + u' ' + ResponseTable::levelName(level);
}

std::optional<Level> ResponseData::levelInName(const QString& path)
{
    // The name's words and numbers: "tabla_2023_medio" is tabla, 2023, medio; "resp20"
    // is resp, 20.
    const QString name = QFileInfo(path).completeBaseName().toLower();
    QStringList tokens;
    QString token;
    for (const QChar ch : name) {
        const bool boundary = !ch.isLetterOrNumber() || (!token.isEmpty() && token.back().isDigit() != ch.isDigit());
        if (boundary && !token.isEmpty())
            tokens << std::exchange(token, QString());
        if (ch.isLetterOrNumber())
            token += ch;
    }
    if (!token.isEmpty())
        tokens << token;
    std::optional<Level> found;
    for (const QString& t : tokens) {
        const std::optional<Level> level = t == u"20" ? std::optional(Level::P20)
            : t == u"medio" || t == u"media"          ? std::optional(Level::Medio)
            : t == u"80"                              ? std::optional(Level::P80)
                                                      : std::nullopt;
        if (level && found && *found != *level)
            return std::nullopt; // "20_80": says two levels
        if (level)
            found = level;
    }
    return found;
}

QStringList ResponseData::orderByLevel(const QStringList& paths, QString* error)
{
    if (paths.size() == 1)
        return paths;
    if (paths.size() != 3) {
        *error = QStringLiteral("Elija un archivo de tabla (CSV, .xlsx, .ods) o los tres archivos de la tabla (20 %, "
                                "Medio y 80 %).");
        return {};
    }
    QStringList ordered(3);
    for (const QString& path : paths) {
        const std::optional<Level> level = levelInName(path);
        if (!level || !ordered[static_cast<int>(*level)].isEmpty()) {
            *error = QStringLiteral("No se reconoce el nivel de cada archivo: sus nombres deben contener "
                                    "«20», «medio» y «80» como palabras, uno cada uno (%1).")
                         .arg(QFileInfo(path).fileName());
            return {};
        }
        ordered[static_cast<int>(*level)] = path;
    }
    return ordered;
}

bool ResponseData::readTable(const QStringList& paths, TableRead* read, QString* error) const
{
    if (paths.size() == 1) {
        const Sheet sheet = SheetReader::read(paths[0]);
        if (!sheet.ok) {
            *error = sheet.error;
            return false;
        }
        read->bytes.append(sheet.bytes);
        read->files.append(sourceFile(paths[0], sheet.bytes, sheet.lineCount));
    } else {
        for (const QString& path : paths) {
            const DataFileText::Result text = DataFileText::read(path);
            if (!text.ok) {
                *error = text.error;
                return false;
            }
            read->bytes.append(text.bytes);
            read->files.append(sourceFile(path, text.bytes, int(text.lines.size())));
        }
    }
    return parseTable(read, error);
}

bool ResponseData::parseTable(TableRead* read, QString* error)
{
    const QList<DataSourceFile>& files = read->files;
    const QList<QByteArray>& bytes = read->bytes;
    if ((files.size() != 1 && files.size() != 3) || bytes.size() != files.size()) {
        *error = QStringLiteral("una tabla es una planilla o tres archivos de columnas fijas");
        return false;
    }
    ResponseTableReader::Result result;
    if (files.size() == 1) {
        // A spreadsheet of any kind, told by its content.
        const Sheet sheet = SheetReader::read(bytes[0], fileName(files[0].path));
        if (!sheet.ok) {
            *error = sheet.error;
            return false;
        }
        result = ResponseTableReader::read(sheet);
    } else {
        std::array<QByteArray, 3> levelBytes;
        std::array<QString, 3> names;
        for (int i = 0; i < files.size(); ++i) {
            levelBytes[i] = bytes[i];
            names[i] = fileName(files[i].path);
        }
        result = ResponseTableReader::readFixedColumns(levelBytes, names);
    }
    if (!result.ok) {
        *error = result.error;
        return false;
    }
    read->set = result.set;
    read->warnings = result.warnings;
    return true;
}

bool ResponseData::loadTable(const QStringList& paths, QString* error)
{
    const QStringList ordered = orderByLevel(paths, error);
    return !ordered.isEmpty() && loadInOrder(ordered, error);
}

bool ResponseData::loadInOrder(const QStringList& paths, QString* error)
{
    TableRead read;
    if ((paths.size() != 1 && paths.size() != 3) || !readTable(paths, &read, error))
        return false;
    tablePaths_ = paths;
    warnings_ = read.warnings;
    tableSums_.clear();
    for (const DataSourceFile& f : read.files)
        tableSums_ << f.sha256;
    tableFiles_ = read.files;
    tableBytes_ = read.bytes;
    tableSet_ = read.set;
    trials_.clear();
    rebuild();
    return true;
}

bool ResponseData::useFits(const QList<TrialFit::Fit>& fits, const QString& trialPath, const QByteArray& trialBytes,
                           QString* error, int trialLines)
{
    const CoefficientSet set = TrialFit::usable(fits);
    if (set.isEmpty()) {
        *error = QStringLiteral("Ningún ajuste se puede usar.");
        return false;
    }
    // The later acceptance wins: each curve it brings leaves the earlier one it came from.
    for (AcceptedTrial& earlier : trials_)
        for (auto it = set.cbegin(); it != set.cend(); ++it) {
            auto own = earlier.curves.find(it.key());
            if (own == earlier.curves.end())
                continue;
            for (Level level : TableLevels)
                if (it.value()[level])
                    (*own)[level].reset();
            if (std::none_of(own->begin(), own->end(), [](const auto& c) { return c.has_value(); }))
                earlier.curves.erase(own);
        }
    for (AcceptedTrial& earlier : trials_)
        earlier.fits.removeIf([&set](const TrialFit::Fit& f) { return set.value(f.code)[f.level].has_value(); });
    trials_.removeIf([](const AcceptedTrial& t) { return t.curves.isEmpty(); });
    if (trialLines < 0)
        trialLines = int(trialBytes.count('\n') + (trialBytes.endsWith('\n') ? 0 : 1));
    QList<TrialFit::Fit> usable;
    for (const TrialFit::Fit& f : fits)
        if (f.usable)
            usable << f;
    trials_.append({sourceFile(trialPath, trialBytes, trialLines), set, usable});
    rebuild();
    return true;
}

QStringList ResponseData::curvesReplacedBy(const QList<TrialFit::Fit>& fits) const
{
    const CoefficientSet set = TrialFit::usable(fits);
    QStringList replaced;
    for (const AcceptedTrial& earlier : trials_)
        for (auto it = earlier.curves.cbegin(); it != earlier.curves.cend(); ++it)
            for (Level level : TableLevels)
                if (it.value()[level] && set.contains(it.key()) && set[it.key()][level])
                    replaced << QStringLiteral("%1 (%2)").arg(curveName(it.key(), level),
                                                              fileName(earlier.source.path));
    return replaced;
}

QStringList ResponseData::acceptedFitLines() const
{
    QStringList lines;
    for (const AcceptedTrial& t : trials_) {
        QStringList curves;
        for (auto it = t.curves.cbegin(); it != t.curves.cend(); ++it)
            for (Level level : TableLevels)
                if (it.value()[level])
                    curves << curveName(it.key(), level);
        lines << fileName(t.source.path) + QStringLiteral(": ") + curves.join(QStringLiteral(", "));
    }
    return lines;
}

void ResponseData::setConfidence(TrialStatistics::Confidence level)
{
    if (level == confidence_)
        return;
    confidence_ = level;
    Q_EMIT confidenceChanged();
}

std::optional<TrialStatistics::Optimum>
ResponseData::fittedOptimum(const QString& code, Level level, const CoefficientTexts& texts, double priceRatio) const
{
    for (const TrialFit::Fit& f : fitsInUse_) {
        if (f.code != code || f.level != level)
            continue;
        const CoefficientTexts own = ResponseTableReader::texts(TrialFit::tableCurve(f.coefficients));
        if (own.a.trimmed() != texts.a.trimmed() || own.b.trimmed() != texts.b.trimmed() ||
            own.c.trimmed() != texts.c.trimmed() || own.plateau.trimmed() != texts.plateau.trimmed())
            return std::nullopt;
        const TrialStatistics::Analysis analysis = TrialStatistics::analyse(f.data, priceRatio, confidence_);
        if (!analysis.ok)
            return std::nullopt;
        return analysis.of(f.coefficients.plateau ? TrialStatistics::Model::Plateau : TrialStatistics::Model::Quadratic)
            .optimum;
    }
    return std::nullopt;
}

void ResponseData::useBuiltIn()
{
    tablePaths_.clear();
    tableSums_.clear();
    tableFiles_.clear();
    tableBytes_.clear();
    tableSet_.clear();
    trials_.clear();
    rebuild();
}

void ResponseData::rebuild()
{
    ResponseTable table = ResponseTableReader::apply(ResponseTable::builtIn(), tableSet_);
    QList<DataSourceFile> files = tableFiles_;
    QSet<QString> codes;
    QList<TrialFit::Fit> fits;
    for (auto it = tableSet_.cbegin(); it != tableSet_.cend(); ++it)
        codes.insert(it.key());
    for (const AcceptedTrial& t : trials_) {
        table = ResponseTableReader::apply(table, t.curves);
        files.append(t.source);
        for (auto it = t.curves.cbegin(); it != t.curves.cend(); ++it)
            codes.insert(it.key());
        fits << t.fits;
    }
    table_ = std::move(table);
    files_ = std::move(files);
    codesFromFiles_ = std::move(codes);
    fitsInUse_ = std::move(fits);
    Q_EMIT changed();
}

bool ResponseData::save(QSettings& settings, QString* error) const
{
    settings.setValue(TableKey, tablePaths_);
    settings.setValue(TableSumsKey, tableSums_);
    for (const QString& key : {PlainFitsKey, PlainSourceKey, PlainLinesKey, PlainShaKey, PlainPointsKey, TrialsKey})
        settings.remove(key);
    settings.beginWriteArray(TrialsKey, int(trials_.size()));
    for (int i = 0; i < trials_.size(); ++i) {
        settings.setArrayIndex(i);
        const DataSourceFile& source = trials_[i].source;
        settings.setValue(PathKey, source.path);
        settings.setValue(LinesKey, source.lineCount);
        settings.setValue(ShaKey, source.sha256);
        settings.setValue(CurvesKey, fitsAsCsv(trials_[i].curves));
        settings.setValue(PointsKey, trials_[i].fits.isEmpty() ? QByteArray() : pointsAsCsv(trials_[i].fits));
    }
    settings.endArray();
    settings.setValue(ConfidenceKey, qRound(TrialStatistics::coverage(confidence_) * 100));
    settings.sync();

    const bool saved = settings.status() == QSettings::NoError;
    if (!saved && error)
        *error = QStringLiteral("No se pudo guardar la elección de datos en «%1»%2.")
                     .arg(settings.fileName(),
                          settings.status() == QSettings::FormatError
                              ? QStringLiteral(" (el archivo no tiene un formato válido)")
                              : QStringLiteral(" (no se pudo escribir el archivo: ¿disco lleno "
                                               "o sin permiso?)"));
    return saved;
}

bool ResponseData::restore(QSettings& settings, QString* error, const UseChangedFiles& useChanged)
{
    for (TrialStatistics::Confidence level : TrialStatistics::Confidences)
        if (settings.value(ConfidenceKey).toInt() == qRound(TrialStatistics::coverage(level) * 100))
            setConfidence(level);
    QStringList problems;
    // The trial files themselves may have moved: the fits stand on their saved values,
    // checked as a table file would be. The files are named as they were when accepted.
    QList<AcceptedTrial> trials;
    // The points only serve the intervals: without them the curves stand.
    auto readTrial = [&](const QString& path, int lines, const QString& sha, const QByteArray& csv,
                         const QByteArray& points) {
        const ResponseTableReader::Result result =
            ResponseTableReader::readCsv(csv, QStringLiteral("ajustes guardados de %1").arg(fileName(path)), false);
        if (result.ok)
            trials.append(
                {{path, lines, QDateTime::currentDateTime(), sha}, result.set, fitsWithCurves(points, result.set)});
        else
            problems << result.error + QStringLiteral("\nEsos ajustes no se pueden usar y se descartan.");
    };
    if (!settings.value(PlainFitsKey).toByteArray().isEmpty())
        readTrial(settings.value(PlainSourceKey).toString(), settings.value(PlainLinesKey).toInt(),
                  settings.value(PlainShaKey).toString(), settings.value(PlainFitsKey).toByteArray(),
                  settings.value(PlainPointsKey).toByteArray());
    const int count = settings.beginReadArray(TrialsKey);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        readTrial(settings.value(PathKey).toString(), settings.value(LinesKey).toInt(),
                  settings.value(ShaKey).toString(), settings.value(CurvesKey).toByteArray(),
                  settings.value(PointsKey).toByteArray());
    }
    settings.endArray();

    QStringList paths = settings.value(TableKey).toStringList();
    QStringList sums = settings.value(TableSumsKey).toStringList();
    if (paths.isEmpty() && trials.isEmpty() && problems.isEmpty())
        return true; // the built-in table, as at every start
    TableRead read;
    bool tableInUse = false;
    if (!paths.isEmpty() && paths.size() != 1 && paths.size() != 3) {
        problems << QStringLiteral("la tabla guardada no es ni un archivo CSV ni tres archivos de ancho fijo; "
                                   "se deja de usar.");
        paths.clear();
        sums.clear();
    } else if (!paths.isEmpty()) {
        QString refusal;
        tableInUse = readTable(paths, &read, &refusal);
        QStringList changedPaths;
        for (int i = 0; tableInUse && i < paths.size(); ++i)
            if (!sums.value(i).isEmpty() && sums.value(i) != read.files[i].sha256)
                changedPaths << paths[i];
        if (!tableInUse)
            problems << refusal +
                    QStringLiteral("\nSe usa la tabla incorporada en esta sesión; la tabla elegida se conserva "
                                   "y se intentará usarla de nuevo en el próximo inicio.");
        else if (!changedPaths.isEmpty())
            tableInUse = useChanged && useChanged(changedPaths);
        if (tableInUse) {
            sums.clear();
            for (const DataSourceFile& f : read.files)
                sums << f.sha256;
        }
    }
    tablePaths_ = paths;
    tableSums_ = sums;
    tableFiles_ = tableInUse ? read.files : QList<DataSourceFile>();
    tableBytes_ = tableInUse ? read.bytes : QList<QByteArray>();
    tableSet_ = tableInUse ? read.set : CoefficientSet();
    trials_ = trials;
    rebuild();
    *error = problems.join(QStringLiteral("\n\n"));
    return problems.isEmpty();
}

ResponseData::Record ResponseData::record() const
{
    Record r;
    r.tableFiles = tableFiles_;
    r.tableBytes = tableBytes_;
    for (const AcceptedTrial& t : trials_)
        r.trials.append({t.source, fitsAsCsv(t.curves), t.fits.isEmpty() ? QByteArray() : pointsAsCsv(t.fits)});
    return r;
}

bool ResponseData::useRecord(const Record& record, QString* error)
{
    TableRead read{{}, record.tableFiles, record.tableBytes, {}};
    if (!record.tableFiles.isEmpty() && !parseTable(&read, error))
        return false;
    // The fits stand on their stored values, checked as a table file would be.
    QList<AcceptedTrial> trials;
    for (const Record::Trial& t : record.trials) {
        const ResponseTableReader::Result result = ResponseTableReader::readCsv(
            t.fitsCsv, QStringLiteral("ajustes guardados de %1").arg(fileName(t.source.path)), false);
        if (!result.ok) {
            *error = result.error;
            return false;
        }
        // Points that do not read as a trial file leave the curves without an interval, as in the settings.
        trials.append({t.source, result.set, fitsWithCurves(t.pointsCsv, result.set)});
    }
    // The next session reads the table from its files again while they are where they were,
    // unchanged; otherwise it starts from the built-in table.
    QStringList paths;
    QStringList sums;
    for (int i = 0; i < record.tableFiles.size(); ++i) {
        // Only a plain file of the stored size is opened: a FIFO or a device would block.
        const QFileInfo info(record.tableFiles[i].path);
        QFile file(info.filePath());
        if (info.isFile() && info.size() == record.tableBytes[i].size() && file.open(QIODevice::ReadOnly) &&
            file.readAll() == record.tableBytes[i]) {
            paths << record.tableFiles[i].path;
            sums << record.tableFiles[i].sha256;
        }
    }
    const bool filesAsStored = paths.size() == record.tableFiles.size();
    tablePaths_ = filesAsStored ? paths : QStringList();
    tableSums_ = filesAsStored ? sums : QStringList();
    tableFiles_ = record.tableFiles;
    tableBytes_ = record.tableBytes;
    tableSet_ = read.set;
    trials_ = trials;
    warnings_.clear();
    rebuild();
    return true;
}
