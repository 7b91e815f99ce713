#include "BatchFieldReader.h"

#include <algorithm>

#include "core/CellNumber.h"
#include "core/DoseAdvice.h"
#include "core/EconomicInputs.h"
#include "core/NitrogenCost.h"
#include "core/NumberText.h"
#include "core/RateAdvice.h"
#include "core/ResponseTable.h"
#include "core/ResponseTableReader.h"
#include "core/ScenarioVocabulary.h"

using namespace Qt::StringLiterals;

namespace {

QString normalised(const QString& name)
{
    return SheetColumns::normalised(name);
}

// The position of a name in a list of choices, its letters compared as headings are.
int indexOf(const QList<ScenarioChoice>& choices, const QString& name)
{
    const QString wanted = normalised(name);
    for (qsizetype i = 0; i < choices.size(); ++i)
        if (normalised(choices[i].displayName) == wanted)
            return int(i);
    return -1;
}

QString namesOf(const QList<ScenarioChoice>& choices)
{
    QStringList names;
    for (const ScenarioChoice& c : choices)
        names << c.displayName;
    return names.join(u", "_s);
}

QList<ScenarioChoice> siteChoices()
{
    QList<ScenarioChoice> sites;
    for (const ScenarioSite& s : ScenarioVocabulary::sites())
        sites << s.site;
    return sites;
}

// A product by its full name ("UREA - 46%") or by its name alone ("urea").
int productIndex(const QString& name)
{
    const QString wanted = normalised(name);
    const QStringList names = FertiliserProducts::names();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString full = names[i];
        if (wanted == normalised(full) || wanted == normalised(full.section(u'-', 0, 0)))
            return int(i);
    }
    return FertiliserProducts::NoProduct;
}

// The dialog's names of a code, in the order of its letters: site, unit, cultivar, water.
QString scenarioNames(const QString& code)
{
    for (const ScenarioSite& site : ScenarioVocabulary::sites()) {
        if (code.size() != 4 || site.site.letter != code[0])
            continue;
        QStringList names{site.site.displayName};
        for (const auto& [choices, letter] :
             {std::pair{site.units, code[1]}, std::pair{ScenarioVocabulary::cultivars(), code[2]},
              std::pair{ScenarioVocabulary::waters(), code[3]}})
            for (const ScenarioChoice& c : choices)
                if (c.letter == letter)
                    names << c.displayName;
        return names.join(u" - "_s);
    }
    return {};
}

// A reader's message without the field name it starts with, which is the column's.
QString withoutField(const QString& message)
{
    return message.section(u": "_s, 1, -1);
}

} // namespace

const QList<SheetColumn>& BatchFieldReader::columns()
{
    static const QList<SheetColumn> list{
        {u"lote"_s, {u"campo"_s, u"nombre"_s}, false},
        {u"codigo"_s, {u"código de escenario"_s, u"escenario"_s}, false},
        {u"sitio"_s, {}, false},
        {u"unidad"_s, {u"unidad de paisaje"_s}, false},
        {u"agua"_s, {u"agua a la siembra"_s, u"agua del suelo"_s}, false},
        {u"cultivar"_s, {u"variedad"_s}, false},
        {u"precio_grano"_s, {u"precio del grano"_s, u"precio neto del grano"_s}, false},
        {u"costo_n"_s, {u"costo del N"_s, u"costo del nitrógeno"_s}, false},
        {u"producto"_s, {u"fertilizante"_s}, false},
        {u"precio_producto"_s, {u"precio del producto"_s, u"precio del fertilizante"_s}, false},
        {u"n_referencia"_s, {u"N de referencia"_s, u"N disponible de referencia"_s}, false},
        {u"nivel"_s, {u"nivel de la campaña"_s}, false},
        {u"tolerancia"_s, {}, false},
        {u"peso_20"_s, {}, false},
        {u"peso_medio"_s, {}, false},
        {u"peso_80"_s, {}, false},
    };
    return list;
}

BatchFieldReader::BatchFieldReader(const ResponseTable& table) : table_(table), columns_(columns())
{
    const QStringList& lines = table.lines(Level::P20);
    for (qsizetype row = 0; row < lines.size(); ++row)
        tableRows_.insert(lines[row].left(4), int(row)); // the last line of a code wins, as in a lookup
}

bool BatchFieldReader::matchHeader(const Sheet& sheet, QString* error)
{
    sheet_ = sheet;
    sheet_.rows.clear();
    sheet_.bytes.clear();
    if (!columns_.match(sheet_, error))
        return false;
    QStringList missing;
    const bool names = columns_.has(Site) && columns_.has(Unit) && columns_.has(Water) && columns_.has(Cultivar);
    if (!columns_.has(Code) && !names)
        missing << u"'codigo' (o 'sitio', 'unidad', 'agua' y 'cultivar')"_s;
    if (!columns_.has(GrainPrice))
        missing << u"'precio_grano'"_s;
    if (!columns_.has(NCost) && !(columns_.has(Product) && columns_.has(ProductPrice)))
        missing << u"'costo_n' (o 'producto' y 'precio_producto')"_s;
    if (!columns_.has(ReferenceN))
        missing << u"'n_referencia'"_s;
    if (missing.isEmpty())
        return true;
    *error = sheet_.where(
        sheet_.header.line, 0, {},
        (missing.size() == 1 ? u"falta la columna %1"_s : u"faltan las columnas %1"_s).arg(missing.join(u", "_s)) +
            u"; el encabezado debe nombrar las columnas lote, codigo, precio_grano, costo_n y "
            "n_referencia (ver velmaro --help)"_s);
    return false;
}

void BatchFieldReader::refuse(Reading& reading, const SheetRow& row, int column, const QString& reason) const
{
    reading.faults << columns()[column].name + u": "_s + reason;
    reading.places << columns_.where(sheet_, row, column, reason);
}

std::optional<QString> BatchFieldReader::numberText(const SheetRow& row, int column, Reading& reading) const
{
    const SheetCell cell = columns_.cell(row, column);
    const NumberText::Reading number = CellNumber::read(cell, sheet_.decimalComma);
    if (!number) {
        refuse(reading, row, column, number.error);
        return std::nullopt;
    }
    return cell.number ? cell.text : QString(cell.text).replace(u',', u'.');
}

BatchFieldReader::Scenario BatchFieldReader::scenarioOf(const SheetRow& row) const
{
    const QString written = columns_.cell(row, Code).text.toUpper();
    const std::array<QString, 4> names{columns_.cell(row, Site).text, columns_.cell(row, Unit).text,
                                       columns_.cell(row, Cultivar).text, columns_.cell(row, Water).text};
    // The code alone, or the four names (and the code, if written, must be theirs).
    const bool named = std::any_of(names.begin(), names.end(), [](const QString& n) { return !n.isEmpty(); });
    if (!named) {
        if (written.isEmpty())
            return {{},
                    u"falta el escenario: escriba su código (por ejemplo AGAA) o su sitio, unidad, agua y cultivar"_s,
                    Code};
        if (!tableRows_.contains(written))
            return {{},
                    u"'%1' no es un código de escenario: cuatro letras (sitio, unidad, cultivar y agua) como AGAA, o "
                    "escriba sitio, unidad, agua y cultivar"_s.arg(columns_.cell(row, Code).text),
                    Code};
        return {written, {}, Code};
    }
    // Each name among the choices the scenario dialog offers for it.
    const auto& sites = ScenarioVocabulary::sites();
    const std::array<int, 4> columns{Site, Unit, Cultivar, Water};
    const std::array<const char16_t*, 4> what{u"un sitio", u"una unidad de %1", u"un cultivar",
                                              u"un agua a la siembra"};
    std::array<int, 4> chosen{};
    for (size_t i = 0; i < 4; ++i) {
        const QList<ScenarioChoice> choices = i == 0 ? siteChoices()
            : i == 1                                 ? sites[chosen[0]].units
            : i == 2                                 ? ScenarioVocabulary::cultivars()
                                                     : ScenarioVocabulary::waters();
        chosen[i] = indexOf(choices, names[i]);
        if (chosen[i] < 0) {
            const QString kind = QString::fromUtf16(what[i]).arg(sites[chosen[0]].site.displayName);
            return {{},
                    names[i].isEmpty() ? u"falta el nombre; se elige entre %1"_s.arg(namesOf(choices))
                                       : u"'%1' no es %2: se elige entre %3"_s.arg(names[i], kind, namesOf(choices)),
                    columns[i]};
        }
    }
    const int site = chosen[0], unit = chosen[1], cultivar = chosen[2], water = chosen[3];
    const QString code = ScenarioVocabulary::code(site, unit, cultivar, water);
    if (!written.isEmpty() && written != code)
        return {{},
                u"el código %1 no es el de sitio, unidad, cultivar y agua (%2): escriba uno solo de los dos"_s.arg(
                    written, code),
                Code};
    return {code, {}, Code};
}

const PerLevel<Curves::Quadratic>& BatchFieldReader::curvesOf(const QString& code)
{
    auto found = curves_.find(code);
    if (found == curves_.end()) {
        // As a slot looks its code up: the coefficient texts of the code's line, read.
        PerLevel<Curves::Quadratic> curves;
        const int row = tableRows_.value(code);
        for (Level level : TableLevels)
            curves[level] = Curves::fromTexts(table_.coefficients(level, row));
        found = curves_.insert(code, curves);
    }
    return *found;
}

BatchFieldReader::Reading BatchFieldReader::read(const SheetRow& row)
{
    Reading reading;
    BatchField& field = reading.field;
    field.line = row.line;
    field.lot = columns_.cell(row, Lot).text;
    QString wide;
    if (!columns_.checkWidth(sheet_, row, &wide)) {
        reading.faults << wide.mid(sheet_.where(row.line, int(sheet_.header.cells.size()) + 1, {}, {}).size());
        reading.places << wide;
    }

    const Scenario scenario = scenarioOf(row);
    if (scenario.code.isEmpty()) {
        refuse(reading, row, scenario.column, scenario.fault);
        field.code = columns_.cell(row, Code).text;
    } else {
        field.code = scenario.code;
        field.scenario = scenarioNames(scenario.code);
        field.curves = curvesOf(scenario.code);
    }

    if (const auto text = numberText(row, GrainPrice, reading)) {
        const NumberText::Reading price =
            NumberText::readField(columns()[GrainPrice].name, *text, EconomicInputs::grainPriceRange());
        if (price)
            field.grainPrice = price.value;
        else
            refuse(reading, row, GrainPrice, withoutField(price.error));
    }

    const QString productName = columns_.cell(row, Product).text;
    if (!productName.isEmpty()) {
        field.product = productIndex(productName);
        if (field.product == FertiliserProducts::NoProduct)
            refuse(
                reading, row, Product,
                u"'%1' no es uno de los productos: %2"_s.arg(productName, FertiliserProducts::names().join(u", "_s)));
    }
    const bool costGiven = !columns_.cell(row, NCost).text.isEmpty();
    const bool productPriceGiven = !columns_.cell(row, ProductPrice).text.isEmpty();
    if (costGiven && productPriceGiven) {
        refuse(reading, row, NCost, u"escriba el costo del N o el precio del producto, no los dos"_s);
    } else if (costGiven) {
        if (const auto text = numberText(row, NCost, reading)) {
            const NumberText::Reading cost =
                NumberText::readField(columns()[NCost].name, *text, EconomicInputs::nCostRange());
            if (cost)
                field.nCost = cost.value;
            else
                refuse(reading, row, NCost, withoutField(cost.error));
        }
    } else if (productPriceGiven) {
        if (productName.isEmpty())
            refuse(reading, row, Product, u"falta el producto cuyo precio da precio_producto"_s);
        const auto text = numberText(row, ProductPrice, reading);
        if (text && field.product != FertiliserProducts::NoProduct) {
            // What the nitrogen cost assistant hands the economic chart for this price.
            const NumberText::Reading price = NumberText::read(*text);
            const NitrogenCost::Result cost =
                NitrogenCost::calculate(QString::number(price.value, 'g', 17), field.product);
            if (cost.ok())
                field.nCost = NumberText::read(NitrogenCost::returnText(cost.nCostPerTonne)).value;
            else
                refuse(reading, row, ProductPrice, cost.message);
        }
    } else {
        refuse(reading, row, columns_.has(NCost) ? NCost : ProductPrice,
               u"falta el costo del nitrógeno: escriba costo_n, o producto y precio_producto"_s);
    }

    if (const auto text = numberText(row, ReferenceN, reading)) {
        const NumberText::Reading reference =
            NumberText::readWholeField(columns()[ReferenceN].name, *text, EconomicInputs::referenceNRange());
        if (reference)
            field.referenceN = int(reference.value);
        else
            refuse(reading, row, ReferenceN, withoutField(reference.error));
    }

    const QString level = columns_.cell(row, LevelColumn).text;
    if (!level.isEmpty() && normalised(level) != u"todos") {
        field.level = ResponseTableReader::levelOf(level);
        if (!field.level)
            refuse(reading, row, LevelColumn,
                   u"'%1' no es un nivel: 20, Medio u 80, o vacío para los tres"_s.arg(level));
    }

    field.tolerance = DoseAdvice::Inputs{}.tolerance; // the advice window's defaults
    if (!columns_.cell(row, Tolerance).text.isEmpty())
        if (const auto text = numberText(row, Tolerance, reading)) {
            const RateAdvice::Tolerance tolerance = RateAdvice::readTolerance(*text);
            if (tolerance.ok())
                field.tolerance = tolerance.value;
            else
                refuse(reading, row, Tolerance, tolerance.error);
        }

    field.weights = DoseAdvice::Inputs{}.weights;
    const std::array<int, 3> weightColumns{Weight20, WeightMedio, Weight80};
    if (std::any_of(weightColumns.begin(), weightColumns.end(),
                    [&](int c) { return !columns_.cell(row, c).text.isEmpty(); })) {
        std::array<QString, 3> texts;
        bool read = true;
        for (size_t s = 0; s < 3; ++s) {
            const auto text = numberText(row, weightColumns[s], reading);
            read = read && text.has_value();
            texts[s] = text.value_or(QString());
        }
        if (read) {
            const RateAdvice::Weights weights = RateAdvice::readWeights(texts);
            if (weights.ok())
                field.weights = weights.values;
            else
                refuse(reading, row, Weight20, weights.error);
        }
    }
    return reading;
}
