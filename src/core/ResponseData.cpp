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
// One trial file's fits may also stand under these plain keys; they are read as the
// first acceptance and written back in the list form.
const QString PlainFitsKey = QStringLiteral("datosRespuesta/ajustes");
const QString PlainSourceKey = QStringLiteral("datosRespuesta/ensayos");
const QString PlainLinesKey = QStringLiteral("datosRespuesta/ensayosLineas");
const QString PlainShaKey = QStringLiteral("datosRespuesta/ensayosSha256");

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
    trials_.removeIf([](const AcceptedTrial& t) { return t.curves.isEmpty(); });
    if (trialLines < 0)
        trialLines = int(trialBytes.count('\n') + (trialBytes.endsWith('\n') ? 0 : 1));
    trials_.append({sourceFile(trialPath, trialBytes, trialLines), set});
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
    for (auto it = tableSet_.cbegin(); it != tableSet_.cend(); ++it)
        codes.insert(it.key());
    for (const AcceptedTrial& t : trials_) {
        table = ResponseTableReader::apply(table, t.curves);
        files.append(t.source);
        for (auto it = t.curves.cbegin(); it != t.curves.cend(); ++it)
            codes.insert(it.key());
    }
    table_ = std::move(table);
    files_ = std::move(files);
    codesFromFiles_ = std::move(codes);
    Q_EMIT changed();
}

bool ResponseData::save(QSettings& settings, QString* error) const
{
    settings.setValue(TableKey, tablePaths_);
    settings.setValue(TableSumsKey, tableSums_);
    for (const QString& key : {PlainFitsKey, PlainSourceKey, PlainLinesKey, PlainShaKey, TrialsKey})
        settings.remove(key);
    settings.beginWriteArray(TrialsKey, int(trials_.size()));
    for (int i = 0; i < trials_.size(); ++i) {
        settings.setArrayIndex(i);
        const DataSourceFile& source = trials_[i].source;
        settings.setValue(PathKey, source.path);
        settings.setValue(LinesKey, source.lineCount);
        settings.setValue(ShaKey, source.sha256);
        settings.setValue(CurvesKey, fitsAsCsv(trials_[i].curves));
    }
    settings.endArray();
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
    QStringList problems;
    // The trial files themselves may have moved: the fits stand on their saved values,
    // checked as a table file would be. The files are named as they were when accepted.
    QList<AcceptedTrial> trials;
    auto readTrial = [&](const QString& path, int lines, const QString& sha, const QByteArray& csv) {
        const ResponseTableReader::Result result =
            ResponseTableReader::readCsv(csv, QStringLiteral("ajustes guardados de %1").arg(fileName(path)), false);
        if (result.ok)
            trials.append({{path, lines, QDateTime::currentDateTime(), sha}, result.set});
        else
            problems << result.error + QStringLiteral("\nEsos ajustes no se pueden usar y se descartan.");
    };
    if (!settings.value(PlainFitsKey).toByteArray().isEmpty())
        readTrial(settings.value(PlainSourceKey).toString(), settings.value(PlainLinesKey).toInt(),
                  settings.value(PlainShaKey).toString(), settings.value(PlainFitsKey).toByteArray());
    const int count = settings.beginReadArray(TrialsKey);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        readTrial(settings.value(PathKey).toString(), settings.value(LinesKey).toInt(),
                  settings.value(ShaKey).toString(), settings.value(CurvesKey).toByteArray());
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
        r.trials.append({t.source, fitsAsCsv(t.curves)});
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
        trials.append({t.source, result.set});
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
