#include "CaseFile.h"

#include <cctype>
#include <cmath>

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

#include "core/DataFileText.h"
#include "core/FertiliserProducts.h"
#include "core/NumberText.h"
#include "core/TrialFit.h"

namespace {

const QString FormatKey = QStringLiteral("formato");
const QString VersionKey = QStringLiteral("version");
const QString CasePathKey = QStringLiteral("rutaDelCaso");
// Each trial file kept holds at least one curve of its own.
constexpr qsizetype MaximumTrials = qsizetype(ResponseTable::LineCount) * 3;

// The levels as the file names them, in the order of the tables.
const std::array<QString, 3> LevelKeys{QStringLiteral("20"), QStringLiteral("medio"), QStringLiteral("80")};

QString sha256(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QJsonArray texts(const auto& list)
{
    QJsonArray array;
    for (const QString& text : list)
        array.append(text);
    return array;
}

QJsonArray flags(const auto& list)
{
    QJsonArray array;
    for (bool flag : list)
        array.append(flag);
    return array;
}

QJsonObject sourceFile(const DataSourceFile& file)
{
    return {
        {QStringLiteral("ruta"), file.path},
        {QStringLiteral("lineas"), file.lineCount},
        {QStringLiteral("cargado"), file.loadedAt.isValid() ? file.loadedAt.toString(Qt::ISODateWithMs) : QString()},
        {QStringLiteral("sha256"), file.sha256}};
}

QJsonObject slotObject(const SlotRecord& r)
{
    QJsonObject coefficients;
    for (Level level : TableLevels) {
        const CoefficientTexts& t = r.at(level);
        QJsonObject curve{{QStringLiteral("a"), t.a}, {QStringLiteral("b"), t.b}, {QStringLiteral("c"), t.c}};
        if (!t.plateau.isEmpty()) // where the curve levels off, for a fitted plateau
            curve.insert(QStringLiteral("meseta"), t.plateau);
        coefficients.insert(LevelKeys[static_cast<int>(level)], curve);
    }
    return {{QStringLiteral("mostrado"), r.panelShown},
            {QStringLiteral("activo"), r.active},
            {QStringLiteral("sitio"), r.siteName},
            {QStringLiteral("unidad"), r.unitName},
            {QStringLiteral("cultivar"), r.cultivarName},
            {QStringLiteral("agua"), r.waterName},
            {QStringLiteral("letras"),
             QJsonObject{{QStringLiteral("sitio"), r.siteLetter},
                         {QStringLiteral("unidad"), r.unitLetter},
                         {QStringLiteral("cultivar"), r.cultivarLetter},
                         {QStringLiteral("agua"), r.waterLetter}}},
            {QStringLiteral("codigo"), r.code},
            {QStringLiteral("coeficientes"), coefficients},
            {QStringLiteral("lineaCurvas"), r.curvesLine}};
}

QJsonValue soilObject(const std::optional<AdviserCase::SoilSample>& sample)
{
    if (!sample)
        return QJsonValue::Null;
    return QJsonObject{{QStringLiteral("nitratos"), texts(sample->nitrate)},
                       {QStringLiteral("nMineral"), texts(sample->mineralN)},
                       {QStringLiteral("densidad"), texts(sample->density)},
                       {QStringLiteral("nSuelo"), sample->soilN},
                       {QStringLiteral("productos"), QJsonArray{sample->products[0], sample->products[1]}},
                       {QStringLiteral("cantidades"), texts(sample->amounts)},
                       {QStringLiteral("nFertilizante"), sample->fertiliserN},
                       {QStringLiteral("nReferencia"), sample->referenceN}};
}

QJsonObject dataObject(const ResponseData::Record& data)
{
    QJsonArray table;
    for (int i = 0; i < data.tableFiles.size(); ++i) {
        QJsonObject file = sourceFile(data.tableFiles[i]);
        file.insert(QStringLiteral("contenido"), QString::fromLatin1(data.tableBytes.value(i).toBase64()));
        table.append(file);
    }
    QJsonArray fits;
    for (const ResponseData::Record::Trial& trial : data.trials) {
        QJsonObject f = sourceFile(trial.source);
        f.insert(QStringLiteral("coeficientes"), QString::fromUtf8(trial.fitsCsv));
        if (!trial.pointsCsv.isEmpty())
            f.insert(QStringLiteral("puntos"), QString::fromUtf8(trial.pointsCsv));
        fits.append(f);
    }
    return {{QStringLiteral("tabla"), table}, {QStringLiteral("ajustes"), fits}};
}

// Reads the parts of a parsed file, each checked for its kind and range; the first fault
// is kept, with the place of the field ("economia.costoN"), and everything after it is
// skipped.
class Fields {
public:
    QString error;

    bool failed() const { return !error.isEmpty(); }

    // An object with exactly these keys (the optional ones may be absent).
    QJsonObject object(const QJsonValue& value, const QString& place, std::initializer_list<QString> keys,
                       std::initializer_list<QString> optional = {})
    {
        if (failed())
            return {};
        if (!value.isObject()) {
            fail(place, QStringLiteral("debe ser un objeto { … }"));
            return {};
        }
        const QJsonObject o = value.toObject();
        for (const QString& key : keys)
            if (!o.contains(key)) {
                error = QStringLiteral("falta el campo «%1»").arg(join(place, key));
                return {};
            }
        for (auto it = o.begin(); it != o.end(); ++it)
            if (std::find(keys.begin(), keys.end(), it.key()) == keys.end() &&
                std::find(optional.begin(), optional.end(), it.key()) == optional.end()) {
                error = QStringLiteral("el campo «%1» no es de un caso de Velmaro").arg(join(place, it.key()));
                return {};
            }
        return o;
    }

    // `key` null: the optional part is absent.
    bool isNull(const QJsonObject& o, const QString& key) const { return !failed() && o.value(key).isNull(); }

    QString text(const QJsonValue& value, const QString& place, qsizetype maximum = CaseFile::MaximumTextLength)
    {
        if (failed())
            return {};
        if (!value.isString()) {
            fail(place, QStringLiteral("debe ser un texto entre comillas"));
            return {};
        }
        // A byte-order mark inside a text (a sheet's pasted into a field) means nothing, and
        // the JSON reader does not keep it: dropped here, a case reads back as it was written.
        QString t = value.toString().remove(QChar(0xFEFF));
        if (t.size() > maximum) {
            fail(place, QStringLiteral("es demasiado largo (%1 caracteres; como mucho %2)").arg(t.size()).arg(maximum));
            return {};
        }
        return t;
    }
    QString text(const QJsonObject& o, const QString& place, const QString& key,
                 qsizetype maximum = CaseFile::MaximumTextLength)
    {
        return text(o.value(key), join(place, key), maximum);
    }

    // A text that must read as a number: a coefficient cut from a table.
    QString number(const QJsonObject& o, const QString& place, const QString& key)
    {
        const QString t = text(o, place, key, 64);
        if (!failed() && !NumberText::read(t))
            fail(join(place, key), QStringLiteral("debe ser un número y dice «%1»").arg(t));
        return t;
    }

    bool flag(const QJsonValue& value, const QString& place)
    {
        if (failed())
            return false;
        if (!value.isBool())
            fail(place, QStringLiteral("debe ser true o false"));
        return value.toBool();
    }

    int integer(const QJsonValue& value, const QString& place, int low, int high)
    {
        if (failed())
            return low;
        const double d = value.toDouble(std::nan(""));
        if (!value.isDouble() || d != std::trunc(d) || d < low || d > high) {
            fail(place, QStringLiteral("debe ser un número entero de %1 a %2").arg(low).arg(high));
            return low;
        }
        return static_cast<int>(d);
    }
    int integer(const QJsonObject& o, const QString& place, const QString& key, int low, int high)
    {
        return integer(o.value(key), join(place, key), low, high);
    }

    // A list of `size` elements, or of any size up to `size` when `exact` is false.
    QJsonArray array(const QJsonObject& o, const QString& place, const QString& key, qsizetype size, bool exact = true)
    {
        if (failed())
            return {};
        const QJsonValue value = o.value(key);
        const QJsonArray a = value.toArray();
        if (!value.isArray() || (exact ? a.size() != size : a.size() > size))
            fail(join(place, key),
                 exact ? QStringLiteral("debe ser una lista de %1 elementos").arg(size)
                       : QStringLiteral("debe ser una lista de hasta %1 elementos").arg(size));
        return failed() ? QJsonArray() : a;
    }

    template <std::size_t N>
    std::array<QString, N> texts(const QJsonObject& o, const QString& place, const QString& key)
    {
        const QJsonArray a = array(o, place, key, N);
        std::array<QString, N> out;
        for (std::size_t i = 0; i < N && !failed(); ++i)
            out[i] = text(a.at(static_cast<qsizetype>(i)), item(join(place, key), i));
        return out;
    }

    template <std::size_t N> std::array<bool, N> flags(const QJsonObject& o, const QString& place, const QString& key)
    {
        const QJsonArray a = array(o, place, key, N);
        std::array<bool, N> out{};
        for (std::size_t i = 0; i < N && !failed(); ++i)
            out[i] = flag(a.at(static_cast<qsizetype>(i)), item(join(place, key), i));
        return out;
    }

    void fail(const QString& place, const QString& reason)
    {
        if (!failed())
            error = QStringLiteral("el campo «%1» %2").arg(place, reason);
    }

    static QString join(const QString& place, const QString& key) { return place.isEmpty() ? key : place + u'.' + key; }
    static QString item(const QString& place, std::size_t index)
    {
        return place + QStringLiteral("[%1]").arg(index + 1);
    }
};

SlotRecord readSlot(Fields& f, const QJsonValue& value, const QString& place, int slot)
{
    const QJsonObject o = f.object(value, place,
                                   {QStringLiteral("mostrado"), QStringLiteral("activo"), QStringLiteral("sitio"),
                                    QStringLiteral("unidad"), QStringLiteral("cultivar"), QStringLiteral("agua"),
                                    QStringLiteral("letras"), QStringLiteral("codigo"), QStringLiteral("coeficientes"),
                                    QStringLiteral("lineaCurvas")});
    SlotRecord r = SlotRecord::initial(slot);
    r.panelShown = f.flag(o.value(QStringLiteral("mostrado")), Fields::join(place, QStringLiteral("mostrado")));
    r.active = f.flag(o.value(QStringLiteral("activo")), Fields::join(place, QStringLiteral("activo")));
    r.siteName = f.text(o, place, QStringLiteral("sitio"));
    r.unitName = f.text(o, place, QStringLiteral("unidad"));
    r.cultivarName = f.text(o, place, QStringLiteral("cultivar"));
    r.waterName = f.text(o, place, QStringLiteral("agua"));
    const QString lettersPlace = Fields::join(place, QStringLiteral("letras"));
    const QJsonObject letters = f.object(
        o.value(QStringLiteral("letras")), lettersPlace,
        {QStringLiteral("sitio"), QStringLiteral("unidad"), QStringLiteral("cultivar"), QStringLiteral("agua")});
    r.siteLetter = f.text(letters, lettersPlace, QStringLiteral("sitio"), 64);
    r.unitLetter = f.text(letters, lettersPlace, QStringLiteral("unidad"), 64);
    r.cultivarLetter = f.text(letters, lettersPlace, QStringLiteral("cultivar"), 64);
    r.waterLetter = f.text(letters, lettersPlace, QStringLiteral("agua"), 64);
    r.code = f.text(o, place, QStringLiteral("codigo"), 256);
    // The scenario the coefficients were looked up for, which the charts name.
    r.curvesLine = f.text(o, place, QStringLiteral("lineaCurvas"));
    const QString coefficientsPlace = Fields::join(place, QStringLiteral("coeficientes"));
    const QJsonObject coefficients = f.object(o.value(QStringLiteral("coeficientes")), coefficientsPlace,
                                              {LevelKeys[0], LevelKeys[1], LevelKeys[2]});
    for (Level level : TableLevels) {
        const QString levelPlace = Fields::join(coefficientsPlace, LevelKeys[static_cast<int>(level)]);
        const QJsonObject t =
            f.object(coefficients.value(LevelKeys[static_cast<int>(level)]), levelPlace,
                     {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, {QStringLiteral("meseta")});
        CoefficientTexts& out = r.coefficients[static_cast<int>(level)];
        out.a = f.number(t, levelPlace, QStringLiteral("a"));
        out.b = f.number(t, levelPlace, QStringLiteral("b"));
        out.c = f.number(t, levelPlace, QStringLiteral("c"));
        if (t.contains(QStringLiteral("meseta")))
            out.plateau = f.number(t, levelPlace, QStringLiteral("meseta"));
    }
    return r;
}

// A file the data came from. `content`: the key of its stored bytes; `optional`: keys it may have besides.
DataSourceFile readSourceFile(Fields& f, const QJsonValue& value, const QString& place, const QString& content,
                              std::initializer_list<QString> optional = {})
{
    const QJsonObject o = f.object(value, place,
                                   {QStringLiteral("ruta"), QStringLiteral("lineas"), QStringLiteral("cargado"),
                                    QStringLiteral("sha256"), content},
                                   optional);
    DataSourceFile file;
    file.path = f.text(o, place, QStringLiteral("ruta"));
    file.lineCount = f.integer(o, place, QStringLiteral("lineas"), 0, 100'000'000);
    const QString loaded = f.text(o, place, QStringLiteral("cargado"), 64);
    if (!loaded.isEmpty()) {
        file.loadedAt = QDateTime::fromString(loaded, Qt::ISODateWithMs);
        if (!f.failed() && !file.loadedAt.isValid())
            f.fail(Fields::join(place, QStringLiteral("cargado")),
                   QStringLiteral("debe ser una fecha y hora como 2025-03-14T09:30:00.000"));
    }
    file.sha256 = f.text(o, place, QStringLiteral("sha256"), 64);
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{64}$"));
    if (!f.failed() && !file.sha256.isEmpty() && !hex.match(file.sha256).hasMatch())
        f.fail(Fields::join(place, QStringLiteral("sha256")),
               QStringLiteral("debe ser una suma SHA-256: 64 cifras hexadecimales en minúscula"));
    return file;
}

ResponseData::Record readData(Fields& f, const QJsonValue& value)
{
    const QString place = QStringLiteral("datos");
    const QJsonObject o = f.object(value, place, {QStringLiteral("tabla"), QStringLiteral("ajustes")});
    ResponseData::Record data;
    const QJsonArray table = f.array(o, place, QStringLiteral("tabla"), 3, false);
    if (!f.failed() && table.size() == 2)
        f.fail(Fields::join(place, QStringLiteral("tabla")),
               QStringLiteral("debe tener una planilla o los tres archivos de columnas fijas"));
    for (qsizetype i = 0; i < table.size() && !f.failed(); ++i) {
        const QString filePlace = Fields::item(Fields::join(place, QStringLiteral("tabla")), std::size_t(i));
        const DataSourceFile file = readSourceFile(f, table.at(i), filePlace, QStringLiteral("contenido"));
        const QString encoded = f.text(table.at(i).toObject(), filePlace, QStringLiteral("contenido"),
                                       DataFileText::MaximumBytes * 4 / 3 + 4);
        if (f.failed())
            break;
        const auto decoded =
            QByteArray::fromBase64Encoding(encoded.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded || !encoded.isSimpleText()) {
            f.fail(Fields::join(filePlace, QStringLiteral("contenido")), QStringLiteral("no es un texto en base64"));
            break;
        }
        if (sha256(*decoded) != file.sha256) {
            f.error = QStringLiteral("el contenido guardado de «%1» no coincide con su suma SHA-256: el caso fue "
                                     "modificado fuera de Velmaro o está dañado")
                          .arg(QFileInfo(file.path).fileName());
            break;
        }
        data.tableFiles << file;
        data.tableBytes << *decoded;
    }
    // The accepted fits of each trial file, in the order accepted; every curve belongs to
    // one of them, so there are never more of them than curves.
    const QString fitsPlace = Fields::join(place, QStringLiteral("ajustes"));
    const QJsonArray fits = f.array(o, place, QStringLiteral("ajustes"), MaximumTrials, false);
    for (qsizetype i = 0; i < fits.size() && !f.failed(); ++i) {
        const QString trialPlace = Fields::item(fitsPlace, std::size_t(i));
        ResponseData::Record::Trial trial;
        trial.source =
            readSourceFile(f, fits.at(i), trialPlace, QStringLiteral("coeficientes"), {QStringLiteral("puntos")});
        trial.fitsCsv =
            f.text(fits.at(i).toObject(), trialPlace, QStringLiteral("coeficientes"), DataFileText::MaximumBytes)
                .toUtf8();
        if (!f.failed() && trial.fitsCsv.isEmpty())
            f.fail(Fields::join(trialPlace, QStringLiteral("coeficientes")), QStringLiteral("está vacío"));
        // Held as the program writes fits, so a case reopened is unchanged until the adviser changes it.
        trial.fitsCsv = ResponseData::canonicalFits(trial.fitsCsv);
        // The trial points behind the optima's intervals, kept as a trial file.
        const QJsonObject trialObject = fits.at(i).toObject();
        if (trialObject.contains(QStringLiteral("puntos"))) {
            trial.pointsCsv =
                f.text(trialObject, trialPlace, QStringLiteral("puntos"), DataFileText::MaximumBytes).toUtf8();
            const TrialFit::Reading points = TrialFit::read(trial.pointsCsv, QStringLiteral("puntos"));
            if (!f.failed() && !points.ok)
                f.fail(Fields::join(trialPlace, QStringLiteral("puntos")),
                       QStringLiteral("no se lee como ensayos: %1").arg(points.error));
            // Held as the data keep them, as the fits are.
            trial.pointsCsv = ResponseData::canonicalPoints(trial.pointsCsv, trial.fitsCsv);
        }
        data.trials << trial;
    }
    return data;
}

AdviserCase::SoilSample readSoil(Fields& f, const QJsonValue& value, const QString& place)
{
    const QJsonObject o = f.object(value, place,
                                   {QStringLiteral("nitratos"), QStringLiteral("nMineral"), QStringLiteral("densidad"),
                                    QStringLiteral("nSuelo"), QStringLiteral("productos"), QStringLiteral("cantidades"),
                                    QStringLiteral("nFertilizante"), QStringLiteral("nReferencia")});
    AdviserCase::SoilSample s;
    s.nitrate = f.texts<3>(o, place, QStringLiteral("nitratos"));
    s.mineralN = f.texts<3>(o, place, QStringLiteral("nMineral"));
    s.density = f.texts<3>(o, place, QStringLiteral("densidad"));
    s.soilN = f.text(o, place, QStringLiteral("nSuelo"));
    const QJsonArray products = f.array(o, place, QStringLiteral("productos"), 2);
    for (std::size_t i = 0; i < 2; ++i)
        s.products[i] =
            f.integer(products.at(qsizetype(i)), Fields::item(Fields::join(place, QStringLiteral("productos")), i),
                      FertiliserProducts::NoProduct, FertiliserProducts::Count - 1);
    s.amounts = f.texts<2>(o, place, QStringLiteral("cantidades"));
    s.fertiliserN = f.text(o, place, QStringLiteral("nFertilizante"));
    s.referenceN = f.text(o, place, QStringLiteral("nReferencia"));
    return s;
}

// Where a parse error lies, as the adviser's editor would count it.
QString lineAndColumn(const QByteArray& bytes, qsizetype offset)
{
    const QByteArray before = bytes.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QStringLiteral("línea %1, columna %2")
        .arg(before.count('\n') + 1)
        .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1);
}

QString jsonFault(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("texto que no es UTF-8");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("secuencia de escape no válida");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("número mal escrito");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("falta «:» después del nombre de un campo");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("falta una coma entre dos valores");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("demasiados niveles anidados");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("sobra texto después del final");
    default:
        return QStringLiteral("valor no válido");
    }
}

} // namespace

QString CaseFile::formatName()
{
    return QStringLiteral("velmaro-caso");
}

QString CaseFile::suffix()
{
    return QStringLiteral("velmaro");
}

QByteArray CaseFile::toJson(const AdviserCase::Content& c, const std::optional<QString>& casePath)
{
    QJsonArray scenarios;
    for (const SlotRecord& r : c.scenarios)
        scenarios.append(slotObject(r));
    QJsonValue cost = QJsonValue::Null;
    if (c.costSource)
        cost = QJsonObject{{QStringLiteral("producto"), c.costSource->product},
                           {QStringLiteral("precioProducto"), c.costSource->productPrice},
                           {QStringLiteral("costoN"), c.costSource->nCost}};
    QJsonObject root{
        {FormatKey, formatName()},
        {VersionKey, Version},
        {QStringLiteral("identificacion"),
         QJsonObject{{QStringLiteral("cliente"), c.identity.client},
                     {QStringLiteral("establecimiento"), c.identity.field},
                     {QStringLiteral("campana"), c.identity.season},
                     {QStringLiteral("asesor"), c.identity.adviser},
                     {QStringLiteral("notas"), c.identity.notes}}},
        {QStringLiteral("escenarios"), scenarios},
        {QStringLiteral("curvas"),
         QJsonObject{{QStringLiteral("mostradas"), flags(c.shownCurves)},
                     {QStringLiteral("ofrecidas"), flags(c.offeredSlots)}}},
        {QStringLiteral("economia"),
         QJsonObject{{QStringLiteral("precioGrano"), c.grainPrice},
                     {QStringLiteral("costoN"), c.nCost},
                     {QStringLiteral("referenciaN"), c.referenceN},
                     {QStringLiteral("asistenteCosto"), cost},
                     {QStringLiteral("muestreoSuelo"), soilObject(c.soilSample)}}},
        {QStringLiteral("dosis"),
         QJsonObject{{QStringLiteral("tolerancia"), c.advice.tolerance},
                     {QStringLiteral("pesos"), texts(c.advice.weights)},
                     {QStringLiteral("escenarioRiesgo"), c.advice.riskSlot},
                     {QStringLiteral("marcasEnGrafico"), c.advice.marksShown}}},
        {QStringLiteral("datos"), dataObject(c.data)},
    };
    if (casePath)
        root.insert(CasePathKey, *casePath);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

CaseFile::Reading CaseFile::parse(const QByteArray& bytes, const QString& fileName)
{
    Reading reading;
    const QString reason = parseContent(bytes, &reading);
    reading.ok = reason.isEmpty();
    if (!reading.ok) {
        reading.error = openFailure(fileName, reason);
        reading.content = {};
        reading.casePath.reset();
    }
    return reading;
}

QString CaseFile::parseContent(const QByteArray& bytes, Reading* reading)
{
    if (bytes.size() > MaximumBytes)
        return QStringLiteral("es demasiado grande (más de %1 MB)").arg(MaximumBytes / (1024 * 1024));
    const QByteArray trimmed = bytes.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("el archivo está vacío");
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (!trimmed.startsWith('{') && !trimmed.startsWith('['))
            return QStringLiteral("no es un caso de Velmaro (no es un archivo JSON)");
        qsizetype end = bytes.size();
        while (end > 0 && std::isspace(static_cast<unsigned char>(bytes[end - 1])))
            --end;
        if (parseError.offset >= end)
            return QStringLiteral("el archivo termina antes de tiempo: está cortado o incompleto");
        return QStringLiteral("no es un JSON válido (%1: %2)")
            .arg(lineAndColumn(bytes, parseError.offset), jsonFault(parseError.error));
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(FormatKey).toString() != formatName())
        return QStringLiteral("es un archivo JSON de otro programa, no un caso de Velmaro");
    const QJsonValue version = root.value(VersionKey);
    if (!version.isDouble() || version.toDouble() != std::trunc(version.toDouble()) || version.toDouble() < 1)
        return QStringLiteral("su número de versión no es válido");
    if (version.toDouble() > Version)
        return QStringLiteral("fue guardado por una versión más nueva de Velmaro (formato %1; esta versión "
                              "lee hasta el formato %2). Actualice el programa para abrirlo")
            .arg(version.toDouble())
            .arg(Version);

    Fields f;
    const QJsonObject o = f.object(root, {},
                                   {FormatKey, VersionKey, QStringLiteral("identificacion"),
                                    QStringLiteral("escenarios"), QStringLiteral("curvas"), QStringLiteral("economia"),
                                    QStringLiteral("dosis"), QStringLiteral("datos")},
                                   {CasePathKey});
    AdviserCase::Content& c = reading->content;

    const QString idPlace = QStringLiteral("identificacion");
    const QJsonObject id = f.object(o.value(idPlace), idPlace,
                                    {QStringLiteral("cliente"), QStringLiteral("establecimiento"),
                                     QStringLiteral("campana"), QStringLiteral("asesor"), QStringLiteral("notas")});
    c.identity.client = f.text(id, idPlace, QStringLiteral("cliente"));
    c.identity.field = f.text(id, idPlace, QStringLiteral("establecimiento"));
    c.identity.season = f.text(id, idPlace, QStringLiteral("campana"));
    c.identity.adviser = f.text(id, idPlace, QStringLiteral("asesor"));
    c.identity.notes = f.text(id, idPlace, QStringLiteral("notas"), MaximumNotesLength);

    const QJsonArray scenarios = f.array(o, {}, QStringLiteral("escenarios"), 3);
    for (int slot = 1; slot <= 3 && !f.failed(); ++slot)
        c.scenarios[slot - 1] = readSlot(f, scenarios.at(slot - 1),
                                         Fields::item(QStringLiteral("escenarios"), std::size_t(slot - 1)), slot);

    const QString curvesPlace = QStringLiteral("curvas");
    const QJsonObject curves =
        f.object(o.value(curvesPlace), curvesPlace, {QStringLiteral("mostradas"), QStringLiteral("ofrecidas")});
    c.shownCurves = f.flags<Curves::Count>(curves, curvesPlace, QStringLiteral("mostradas"));
    c.offeredSlots = f.flags<3>(curves, curvesPlace, QStringLiteral("ofrecidas"));

    const QString ecoPlace = QStringLiteral("economia");
    const QJsonObject eco =
        f.object(o.value(ecoPlace), ecoPlace,
                 {QStringLiteral("precioGrano"), QStringLiteral("costoN"), QStringLiteral("referenciaN"),
                  QStringLiteral("asistenteCosto"), QStringLiteral("muestreoSuelo")});
    c.grainPrice = f.text(eco, ecoPlace, QStringLiteral("precioGrano"));
    c.nCost = f.text(eco, ecoPlace, QStringLiteral("costoN"));
    c.referenceN = f.text(eco, ecoPlace, QStringLiteral("referenciaN"));
    if (!f.isNull(eco, QStringLiteral("asistenteCosto"))) {
        const QString place = Fields::join(ecoPlace, QStringLiteral("asistenteCosto"));
        const QJsonObject cost =
            f.object(eco.value(QStringLiteral("asistenteCosto")), place,
                     {QStringLiteral("producto"), QStringLiteral("precioProducto"), QStringLiteral("costoN")});
        AdviserCase::CostSource source;
        source.product = f.integer(cost, place, QStringLiteral("producto"), 0, FertiliserProducts::Count - 1);
        source.productPrice = f.text(cost, place, QStringLiteral("precioProducto"));
        source.nCost = f.text(cost, place, QStringLiteral("costoN"));
        c.costSource = source;
    }
    if (!f.isNull(eco, QStringLiteral("muestreoSuelo")))
        c.soilSample = readSoil(f, eco.value(QStringLiteral("muestreoSuelo")),
                                Fields::join(ecoPlace, QStringLiteral("muestreoSuelo")));

    const QString advicePlace = QStringLiteral("dosis");
    const QJsonObject advice = f.object(o.value(advicePlace), advicePlace,
                                        {QStringLiteral("tolerancia"), QStringLiteral("pesos"),
                                         QStringLiteral("escenarioRiesgo"), QStringLiteral("marcasEnGrafico")});
    c.advice.tolerance = f.text(advice, advicePlace, QStringLiteral("tolerancia"));
    c.advice.weights = f.texts<3>(advice, advicePlace, QStringLiteral("pesos"));
    c.advice.riskSlot = f.integer(advice, advicePlace, QStringLiteral("escenarioRiesgo"), 1, 3);
    c.advice.marksShown = f.flag(advice.value(QStringLiteral("marcasEnGrafico")),
                                 Fields::join(advicePlace, QStringLiteral("marcasEnGrafico")));

    c.data = readData(f, o.value(QStringLiteral("datos")));

    if (o.contains(CasePathKey))
        reading->casePath = f.text(o, {}, CasePathKey);
    return f.error;
}

CaseFile::Reading CaseFile::read(const QString& path)
{
    Reading reading;
    const QFileInfo info(path);
    const auto refuse = [&reading, &path](const QString& reason) {
        reading.error = openFailure(path, reason);
        return reading;
    };
    if (!info.exists())
        return refuse(QStringLiteral("el archivo no existe"));
    if (info.isDir())
        return refuse(QStringLiteral("es una carpeta, no un archivo"));
    // A pipe or a device would be read without end, or block the program.
    if (!info.isFile())
        return refuse(QStringLiteral("no es un archivo común (es una tubería, un conector o un dispositivo)"));
    if (info.size() > MaximumBytes)
        return refuse(QStringLiteral("es demasiado grande (%1 MB; un caso ocupa como mucho %2 MB)")
                          .arg(double(info.size()) / (1024 * 1024), 0, 'f', 1)
                          .arg(MaximumBytes / (1024 * 1024)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.error() == QFileDevice::PermissionsError
                          ? QStringLiteral("no tiene permiso para leerlo")
                          : QStringLiteral("no se pudo leer (%1)").arg(file.errorString()));
    const QByteArray bytes = file.read(MaximumBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(QStringLiteral("no se pudo leer (%1)").arg(file.errorString()));
    return parse(bytes, path);
}

QString CaseFile::write(const QString& path, const QByteArray& bytes)
{
    const auto failure = [&path](const QString& reason) {
        return QStringLiteral("No se pudo guardar el caso «%1»: %2. El archivo que había queda como estaba.")
            .arg(QFileInfo(path).fileName(), reason);
    };
    if (QFileInfo(path).isDir())
        return failure(QStringLiteral("es una carpeta"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    return {};
}

QString CaseFile::save(AdviserCase& adviserCase, const QString& path)
{
    const QByteArray bytes = toJson(adviserCase.content());
    // What is written can be read back: a case the reader would refuse is not written.
    Reading check;
    const QString reason = parseContent(bytes, &check);
    if (!reason.isEmpty())
        return QStringLiteral("No se pudo guardar el caso «%1»: %2.").arg(QFileInfo(path).fileName(), reason);
    const QString error = write(path, bytes);
    if (error.isEmpty())
        adviserCase.markSaved(path);
    return error;
}

QString CaseFile::open(AdviserCase& adviserCase, const QString& path)
{
    const Reading reading = read(path);
    if (!reading.ok)
        return reading.error;
    QString error;
    if (!adviserCase.apply(reading.content, &error))
        return openFailure(path,
                           QStringLiteral("los datos de respuesta guardados en el caso no son válidos: ") + error);
    adviserCase.markSaved(path);
    return {};
}

QString CaseFile::openFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("No se pudo abrir el caso «%1»: %2.").arg(QFileInfo(path).fileName(), reason);
}
