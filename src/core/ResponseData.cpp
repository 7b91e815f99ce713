#include "ResponseData.h"

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
                             QList<DataSourceFile>* files, QList<QByteArray>* bytes, QString* error,
                             QStringList* warnings) const
{
    if (paths.size() == 1) {
        const Sheet sheet = SheetReader::read(paths[0]);
        if (!sheet.ok) {
            *error = sheet.error;
            return false;
        }
        bytes->append(sheet.bytes);
        files->append(sourceFile(paths[0], sheet.bytes, sheet.lineCount));
    } else {
        for (const QString& path : paths) {
            const DataFileText::Result text = DataFileText::read(path);
            if (!text.ok) {
                *error = text.error;
                return false;
            }
            bytes->append(text.bytes);
            files->append(sourceFile(path, text.bytes, int(text.lines.size())));
        }
    }
    return parseTable(*files, *bytes, table, codes, error, warnings);
}

bool ResponseData::parseTable(const QList<DataSourceFile>& files, const QList<QByteArray>& bytes, ResponseTable* table,
                              QSet<QString>* codes, QString* error, QStringList* warnings)
{
    if ((files.size() != 1 && files.size() != 3) || bytes.size() != files.size()) {
        *error = QStringLiteral("una tabla es una planilla o tres archivos de columnas fijas");
        return false;
    }
    ResponseTableReader::Result result;
    if (files.size() == 1) {
        // A spreadsheet of any kind, told by its content.
        const Sheet sheet = SheetReader::read(bytes[0], QFileInfo(files[0].path).fileName());
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
            names[i] = QFileInfo(files[i].path).fileName();
        }
        result = ResponseTableReader::readFixedColumns(levelBytes, names);
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

bool ResponseData::applyFits(const QByteArray& csv, ResponseTable* table, QSet<QString>* codes, QString* error)
{
    // The trial file itself may have moved: the fits stand on their saved values,
    // checked as a table file would be.
    const ResponseTableReader::Result result =
        ResponseTableReader::readCsv(csv, QStringLiteral("ajustes guardados"), false);
    if (!result.ok) {
        *error = result.error;
        return false;
    }
    *table = ResponseTableReader::apply(*table, result.set);
    for (auto it = result.set.cbegin(); it != result.set.cend(); ++it)
        codes->insert(it.key());
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
    QList<QByteArray> bytes;
    QStringList warnings;
    if ((paths.size() != 1 && paths.size() != 3) || !readTable(paths, &table, &codes, &files, &bytes, error, &warnings))
        return false;
    tablePaths_ = paths;
    tableBytes_ = bytes;
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
    tableBytes_.clear();
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
    QList<QByteArray> bytes;
    bool ok = true;
    if (!paths.isEmpty())
        ok = (paths.size() == 1 || paths.size() == 3) &&
            readTable(paths, &table, &codes, &files, &bytes, error, nullptr);
    if (ok && !fits.isEmpty()) {
        ok = applyFits(fits, &table, &codes, error);
        if (ok)
            files.append(fitsSource);
    }
    if (!ok) {
        if (error->isEmpty())
            *error = QStringLiteral("la configuración guardada no es válida");
        useBuiltIn();
        save(settings);
        return false;
    }
    tablePaths_ = paths;
    tableBytes_ = bytes;
    fitsCsv_ = fits;
    fitsSource_ = fitsSource;
    swap(std::move(table), std::move(files), std::move(codes));
    return true;
}

ResponseData::Record ResponseData::record() const
{
    Record r;
    r.tableFiles = files_.mid(0, tableBytes_.size());
    r.tableBytes = tableBytes_;
    r.fitsCsv = fitsCsv_;
    if (!fitsCsv_.isEmpty())
        r.fitsSource = fitsSource_;
    return r;
}

bool ResponseData::useRecord(const Record& record, QString* error)
{
    ResponseTable table = ResponseTable::builtIn();
    QSet<QString> codes;
    QList<DataSourceFile> files = record.tableFiles;
    if (!record.tableFiles.isEmpty() &&
        !parseTable(record.tableFiles, record.tableBytes, &table, &codes, error, nullptr))
        return false;
    if (!record.fitsCsv.isEmpty()) {
        if (!applyFits(record.fitsCsv, &table, &codes, error))
            return false;
        files.append(record.fitsSource);
    }
    // The next session reads the table from its files again while they are where they were,
    // unchanged; otherwise it starts from the built-in table.
    QStringList paths;
    for (int i = 0; i < record.tableFiles.size(); ++i) {
        QFile file(record.tableFiles[i].path);
        if (file.open(QIODevice::ReadOnly) && file.readAll() == record.tableBytes[i])
            paths << record.tableFiles[i].path;
    }
    tablePaths_ = paths.size() == record.tableFiles.size() ? paths : QStringList();
    tableBytes_ = record.tableBytes;
    fitsCsv_ = record.fitsCsv;
    fitsSource_ = record.fitsCsv.isEmpty() ? DataSourceFile() : record.fitsSource;
    warnings_.clear();
    swap(std::move(table), std::move(files), std::move(codes));
    return true;
}
