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

// Accepted fits written as table CSV rows, only the fitted levels.
QByteArray fitsAsCsv(const CoefficientSet& set)
{
    QString out = QStringLiteral("codigo,nivel,a,b,c\n");
    for (auto it = set.cbegin(); it != set.cend(); ++it)
        for (Level level : TableLevels)
            if (const auto& v = it.value()[level])
                out += QStringLiteral("%1,%2,%3,%4,%5\n")
                           .arg(it.key(), ResponseTableReader::csvLevelName(level),
                                QString::number(v->a, 'g', QLocale::FloatingPointShortest),
                                QString::number(v->b, 'g', QLocale::FloatingPointShortest),
                                QString::number(v->c, 'g', QLocale::FloatingPointShortest));
    return out.toUtf8();
}

const QString TableKey = QStringLiteral("datosRespuesta/tabla");
const QString FitsKey = QStringLiteral("datosRespuesta/ajustes");
const QString FitsSourceKey = QStringLiteral("datosRespuesta/ensayos");
const QString FitsLinesKey = QStringLiteral("datosRespuesta/ensayosLineas");
const QString FitsShaKey = QStringLiteral("datosRespuesta/ensayosSha256");

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
    swap(ResponseTableReader::apply(table_, set), std::move(files), std::move(codes));
    return true;
}

void ResponseData::useBuiltIn()
{
    tablePaths_.clear();
    fitsCsv_.clear();
    fitsSource_ = {};
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
    settings.sync();
}

bool ResponseData::restore(QSettings& settings, QString* error)
{
    const QStringList paths = settings.value(TableKey).toStringList();
    const QByteArray fits = settings.value(FitsKey).toByteArray();
    // The trial file is named as it was when its fits were accepted.
    const DataSourceFile fitsSource{settings.value(FitsSourceKey).toString(), settings.value(FitsLinesKey).toInt(),
                                    QDateTime::currentDateTime(), settings.value(FitsShaKey).toString()};
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
    swap(std::move(table), std::move(files), std::move(codes));
    return true;
}
