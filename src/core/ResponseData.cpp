#include "ResponseData.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>

#include "core/DataFileText.h"

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
                           .arg(it.key(), ResponseTableReader::csvLevelName(level), QString::number(v->a, 'g', 17),
                                QString::number(v->b, 'g', 17), QString::number(v->c, 'g', 17));
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

QStringList ResponseData::orderByLevel(const QStringList& paths, QString* error)
{
    if (paths.size() == 1)
        return paths;
    if (paths.size() != 3) {
        *error = QStringLiteral("Elija un archivo CSV o los tres archivos de la tabla (20 %, Medio y 80 %).");
        return {};
    }
    QStringList ordered(3);
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).completeBaseName().toLower();
        // Exactly one level word in the name says the file's level.
        std::optional<Level> level;
        int words = 0;
        for (const auto& [word, wordLevel] :
             {std::pair{u"20", Level::P20}, std::pair{u"medio", Level::Medio}, std::pair{u"80", Level::P80}}) {
            if (name.contains(QStringView(word))) {
                level = wordLevel;
                ++words;
            }
        }
        const int index = level ? static_cast<int>(*level) : -1;
        if (words != 1 || !ordered[index].isEmpty()) {
            *error = QStringLiteral("No se reconoce el nivel de cada archivo: sus nombres deben contener "
                                    "«20», «medio» y «80», uno cada uno (%1).")
                         .arg(QFileInfo(path).fileName());
            return {};
        }
        ordered[index] = path;
    }
    return ordered;
}

bool ResponseData::readTable(const QStringList& paths, ResponseTable* table, QSet<QString>* codes,
                             QList<DataSourceFile>* files, QList<QByteArray>* bytes, QString* error) const
{
    for (const QString& path : paths) {
        const DataFileText::Result text = DataFileText::read(path);
        if (!text.ok) {
            *error = text.error;
            return false;
        }
        bytes->append(text.bytes);
        files->append(sourceFile(path, text.bytes, int(text.lines.size())));
    }
    return parseTable(*files, *bytes, table, codes, error);
}

bool ResponseData::parseTable(const QList<DataSourceFile>& files, const QList<QByteArray>& bytes, ResponseTable* table,
                              QSet<QString>* codes, QString* error)
{
    if ((files.size() != 1 && files.size() != 3) || bytes.size() != files.size()) {
        *error = QStringLiteral("una tabla es un archivo CSV o tres archivos de columnas fijas");
        return false;
    }
    std::array<QByteArray, 3> levelBytes;
    std::array<QString, 3> names;
    for (int i = 0; i < files.size(); ++i) {
        levelBytes[i] = bytes[i];
        names[i] = QFileInfo(files[i].path).fileName();
    }
    const ResponseTableReader::Result result = files.size() == 1
        ? ResponseTableReader::readCsv(levelBytes[0], names[0])
        : ResponseTableReader::readFixedColumns(levelBytes, names);
    if (!result.ok) {
        *error = result.error;
        return false;
    }
    *table = ResponseTableReader::apply(ResponseTable::builtIn(), result.set);
    for (auto it = result.set.cbegin(); it != result.set.cend(); ++it)
        codes->insert(it.key());
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
    if (ordered.isEmpty())
        return false;
    ResponseTable table;
    QSet<QString> codes;
    QList<DataSourceFile> files;
    QList<QByteArray> bytes;
    if (!readTable(ordered, &table, &codes, &files, &bytes, error))
        return false;
    tablePaths_ = ordered;
    tableBytes_ = bytes;
    fitsCsv_.clear();
    fitsSource_ = {};
    swap(std::move(table), std::move(files), std::move(codes));
    return true;
}

bool ResponseData::useFits(const QList<TrialFit::Fit>& fits, const QString& trialPath, const QByteArray& trialBytes,
                           QString* error)
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
    files.append(sourceFile(trialPath, trialBytes, int(trialBytes.count('\n') + (trialBytes.endsWith('\n') ? 0 : 1))));
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
        ok = (paths.size() == 1 || paths.size() == 3) && readTable(paths, &table, &codes, &files, &bytes, error);
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
    if (!record.tableFiles.isEmpty() && !parseTable(record.tableFiles, record.tableBytes, &table, &codes, error))
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
        const DataFileText::Result text = DataFileText::read(record.tableFiles[i].path);
        if (text.ok && text.bytes == record.tableBytes[i])
            paths << record.tableFiles[i].path;
    }
    tablePaths_ = paths.size() == record.tableFiles.size() ? paths : QStringList();
    tableBytes_ = record.tableBytes;
    fitsCsv_ = record.fitsCsv;
    fitsSource_ = record.fitsCsv.isEmpty() ? DataSourceFile() : record.fitsSource;
    swap(std::move(table), std::move(files), std::move(codes));
    return true;
}
