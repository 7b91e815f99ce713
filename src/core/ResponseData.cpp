#include "ResponseData.h"

#include <utility>

#include <QCryptographicHash>
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

const QString TableKey = QStringLiteral("datosRespuesta/tabla");
const QString FitsKey = QStringLiteral("datosRespuesta/ajustes");
const QString FitsSourceKey = QStringLiteral("datosRespuesta/ensayos");
const QString FitsLinesKey = QStringLiteral("datosRespuesta/ensayosLineas");
const QString FitsShaKey = QStringLiteral("datosRespuesta/ensayosSha256");
const QString FitPointsKey = QStringLiteral("datosRespuesta/ensayosPuntos");
const QString ConfidenceKey = QStringLiteral("datosRespuesta/confianza");

// The trial points of the fits in use, as a trial file.
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

} // namespace

ResponseData::ResponseData(QObject* parent) : QObject(parent), table_(ResponseTable::builtIn()) { }

QString ResponseData::shortLabel() const
{
    if (files_.isEmpty())
        return QStringLiteral("datos: incorporados");
    QStringList names;
    for (const DataSourceFile& f : files_)
        names << QFileInfo(f.path).fileName();
    return QStringLiteral("datos: ") + names.join(QStringLiteral(" + "));
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

bool ResponseData::readTable(const QStringList& paths, ResponseTable* table, QSet<QString>* codes,
                             QList<DataSourceFile>* files, QString* error, QStringList* warnings) const
{
    ResponseTableReader::Result result;
    if (paths.size() == 1) {
        const Sheet sheet = SheetReader::read(paths[0]);
        if (!sheet.ok) {
            *error = sheet.error;
            return false;
        }
        files->append(sourceFile(paths[0], sheet.bytes, sheet.lineCount));
        result = ResponseTableReader::read(sheet);
    } else {
        std::array<QByteArray, 3> bytes;
        std::array<QString, 3> names;
        for (int i = 0; i < paths.size(); ++i) {
            const DataFileText::Result text = DataFileText::read(paths[i]);
            if (!text.ok) {
                *error = text.error;
                return false;
            }
            bytes[i] = text.bytes;
            names[i] = QFileInfo(paths[i]).fileName();
            files->append(sourceFile(paths[i], text.bytes, int(text.lines.size())));
        }
        result = ResponseTableReader::readFixedColumns(bytes, names);
    }
    if (!result.ok) {
        *error = result.error;
        return false;
    }
    *table = ResponseTableReader::apply(ResponseTable::builtIn(), result.set);
    for (auto it = result.set.cbegin(); it != result.set.cend(); ++it)
        codes->insert(it.key());
    if (warnings)
        *warnings = result.warnings;
    return true;
}

bool ResponseData::loadTable(const QStringList& paths, QString* error)
{
    const QStringList ordered = orderByLevel(paths, error);
    return !ordered.isEmpty() && loadInOrder(ordered, error);
}

bool ResponseData::loadInOrder(const QStringList& paths, QString* error)
{
    ResponseTable table;
    QSet<QString> codes;
    QList<DataSourceFile> files;
    QStringList warnings;
    if ((paths.size() != 1 && paths.size() != 3) || !readTable(paths, &table, &codes, &files, error, &warnings))
        return false;
    tablePaths_ = paths;
    fitsCsv_.clear();
    fitsSource_ = {};
    fitsInUse_.clear();
    warnings_ = warnings;
    swap(std::move(table), std::move(files), std::move(codes));
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
    QSet<QString> codes = codesFromFiles_;
    for (auto it = set.cbegin(); it != set.cend(); ++it)
        codes.insert(it.key());
    QList<DataSourceFile> files = files_;
    if (trialLines < 0)
        trialLines = int(trialBytes.count('\n') + (trialBytes.endsWith('\n') ? 0 : 1));
    files.append(sourceFile(trialPath, trialBytes, trialLines));
    fitsCsv_ = fitsAsCsv(set);
    fitsSource_ = files.constLast();
    // Earlier fits stay in use where these do not replace them.
    fitsInUse_.removeIf([&set](const TrialFit::Fit& f) { return set.value(f.code)[f.level].has_value(); });
    for (const TrialFit::Fit& f : fits)
        if (f.usable)
            fitsInUse_ << f;
    swap(ResponseTableReader::apply(table_, set), std::move(files), std::move(codes));
    return true;
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
    fitsCsv_.clear();
    fitsSource_ = {};
    fitsInUse_.clear();
    swap(ResponseTable::builtIn(), {}, {});
}

void ResponseData::swap(ResponseTable table, QList<DataSourceFile> files, QSet<QString> codes)
{
    table_ = std::move(table);
    files_ = std::move(files);
    codesFromFiles_ = std::move(codes);
    Q_EMIT changed();
}

void ResponseData::save(QSettings& settings) const
{
    settings.setValue(TableKey, tablePaths_);
    settings.setValue(FitsKey, fitsCsv_);
    settings.setValue(FitsSourceKey, fitsSource_.path);
    settings.setValue(FitsLinesKey, fitsSource_.lineCount);
    settings.setValue(FitsShaKey, fitsSource_.sha256);
    settings.setValue(FitPointsKey, fitsInUse_.isEmpty() ? QByteArray() : pointsAsCsv(fitsInUse_));
    settings.setValue(ConfidenceKey, qRound(TrialStatistics::coverage(confidence_) * 100));
    settings.sync();
}

bool ResponseData::restore(QSettings& settings, QString* error)
{
    const QStringList paths = settings.value(TableKey).toStringList();
    const QByteArray fits = settings.value(FitsKey).toByteArray();
    // The trial file is named as it was when its fits were accepted.
    const DataSourceFile fitsSource{settings.value(FitsSourceKey).toString(), settings.value(FitsLinesKey).toInt(),
                                    QDateTime::currentDateTime(), settings.value(FitsShaKey).toString()};
    for (TrialStatistics::Confidence level : TrialStatistics::Confidences)
        if (settings.value(ConfidenceKey).toInt() == qRound(TrialStatistics::coverage(level) * 100))
            setConfidence(level);
    if (paths.isEmpty() && fits.isEmpty())
        return true;

    ResponseTable table = ResponseTable::builtIn();
    QSet<QString> codes;
    QList<DataSourceFile> files;
    bool ok = true;
    if (!paths.isEmpty())
        ok = (paths.size() == 1 || paths.size() == 3) && readTable(paths, &table, &codes, &files, error, nullptr);
    if (ok && !fits.isEmpty()) {
        // The trial file itself may have moved: the fits stand on their saved values,
        // checked as a table file would be.
        const ResponseTableReader::Result result =
            ResponseTableReader::readCsv(fits, QStringLiteral("ajustes guardados"), false);
        ok = result.ok;
        if (!ok)
            *error = result.error;
        if (ok) {
            table = ResponseTableReader::apply(table, result.set);
            for (auto it = result.set.cbegin(); it != result.set.cend(); ++it)
                codes.insert(it.key());
            files.append(fitsSource);
        }
    }
    if (!ok) {
        if (error->isEmpty())
            *error = QStringLiteral("la configuración guardada no es válida");
        useBuiltIn();
        save(settings);
        return false;
    }
    tablePaths_ = paths;
    fitsCsv_ = fits;
    fitsSource_ = fitsSource;
    fitsInUse_.clear();
    if (!fits.isEmpty()) // the points only serve the intervals: without them the curves stand
        fitsInUse_ = fitsWithCurves(settings.value(FitPointsKey).toByteArray(),
                                    ResponseTableReader::readCsv(fits, QStringLiteral("ajustes guardados"), false).set);
    swap(std::move(table), std::move(files), std::move(codes));
    return true;
}
