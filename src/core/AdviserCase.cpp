#include "AdviserCase.h"

#include <QFileInfo>
#include <QScopeGuard>

#include "core/CurveSelection.h"
#include "core/ScenarioSlots.h"

AdviserCase::AdviserCase(ScenarioSlots& scenarioSlots, CurveSelection& curveSelection, ResponseData& responseData,
                         QObject* parent)
    : QObject(parent),
      slots_(scenarioSlots),
      selection_(curveSelection),
      data_(responseData)
{
    const Content initial;
    grainPrice_ = initial.grainPrice;
    nCost_ = initial.nCost;
    referenceN_ = initial.referenceN;
    connect(&slots_, &ScenarioSlots::slotChanged, this, &AdviserCase::touch);
    connect(&selection_, &CurveSelection::shownChanged, this, &AdviserCase::touch);
    connect(&selection_, &CurveSelection::offeredChanged, this, &AdviserCase::touch);
    connect(&data_, &ResponseData::changed, this, &AdviserCase::touch);
}

void AdviserCase::touch()
{
    setModified(true);
    Q_EMIT changed();
}

void AdviserCase::setModified(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    Q_EMIT modifiedChanged(modified);
}

void AdviserCase::setFilePath(const QString& path)
{
    if (filePath_ == path)
        return;
    filePath_ = path;
    Q_EMIT filePathChanged(path);
}

void AdviserCase::setIdentity(const Identity& identity)
{
    if (identity_ == identity)
        return;
    identity_ = identity;
    Q_EMIT identityChanged();
    touch();
}

void AdviserCase::setGrainPrice(const QString& text)
{
    if (grainPrice_ == text)
        return;
    grainPrice_ = text;
    Q_EMIT grainPriceChanged(text);
    touch();
}

void AdviserCase::setNCost(const QString& text)
{
    if (nCost_ == text)
        return;
    nCost_ = text;
    if (costSource_ && costSource_->nCost != text)
        costSource_.reset();
    Q_EMIT nCostChanged(text);
    touch();
}

void AdviserCase::setNCostFromAssistant(const CostSource& source)
{
    if (costSource_ == source && nCost_ == source.nCost)
        return;
    costSource_ = source;
    const bool textChanged = nCost_ != source.nCost;
    nCost_ = source.nCost;
    if (textChanged)
        Q_EMIT nCostChanged(nCost_);
    touch();
}

void AdviserCase::setReferenceN(const QString& text)
{
    if (referenceN_ == text)
        return;
    referenceN_ = text;
    if (soilSample_ && soilSample_->referenceN != text) {
        const EconomicInputs::ReferenceN now = EconomicInputs::readReferenceN(text);
        const EconomicInputs::ReferenceN given = EconomicInputs::readReferenceN(soilSample_->referenceN);
        const bool raisedToLowest =
            now.ok() && given.ok() && given.belowLowest() && now.value == EconomicInputs::LowestReferenceN;
        if (!raisedToLowest)
            soilSample_.reset();
    }
    Q_EMIT referenceNChanged(text);
    touch();
}

void AdviserCase::setReferenceNFromSoil(const SoilSample& sample)
{
    if (soilSample_ == sample && referenceN_ == sample.referenceN)
        return;
    soilSample_ = sample;
    const bool textChanged = referenceN_ != sample.referenceN;
    referenceN_ = sample.referenceN;
    if (textChanged)
        Q_EMIT referenceNChanged(referenceN_);
    touch();
}

void AdviserCase::setAdviceSettings(const AdviceSettings& settings)
{
    if (advice_ == settings)
        return;
    advice_ = settings;
    Q_EMIT adviceSettingsChanged();
    touch();
}

AdviserCase::DataSource AdviserCase::dataSourceOf(const ResponseData& data)
{
    const ResponseData::Record r = data.record();
    if (r.tableFiles.isEmpty())
        return r.trials.isEmpty() ? DataSource::BuiltIn : DataSource::Fits;
    return r.trials.isEmpty() ? DataSource::Table : DataSource::TableAndFits;
}

AdviserCase::Content AdviserCase::content() const
{
    Content c;
    c.identity = identity_;
    for (int slot = 1; slot <= 3; ++slot)
        c.scenarios[slot - 1] = slots_.slot(slot);
    c.shownCurves = selection_.shownCurves();
    c.offeredSlots = selection_.offeredSlots();
    c.grainPrice = grainPrice_;
    c.nCost = nCost_;
    c.referenceN = referenceN_;
    c.costSource = costSource_;
    c.soilSample = soilSample_;
    c.advice = advice_;
    c.data = data_.record();
    return c;
}

bool AdviserCase::apply(const Content& content, QString* error)
{
    applying_ = true;
    const auto done = qScopeGuard([this] { applying_ = false; });
    // The only part that can still be refused goes first.
    if (!(data_.record() == content.data) && !data_.useRecord(content.data, error))
        return false;
    for (const SlotRecord& record : content.scenarios)
        slots_.replace(record);
    selection_.restore(content.shownCurves, content.offeredSlots);
    setIdentity(content.identity);
    setGrainPrice(content.grainPrice);
    setNCost(content.nCost);
    setReferenceN(content.referenceN);
    // The sources as saved, whatever the texts above cleared on their way.
    costSource_ = content.costSource;
    soilSample_ = content.soilSample;
    setAdviceSettings(content.advice);
    touch();
    return true;
}

QString AdviserCase::displayName() const
{
    if (!filePath_.isEmpty()) {
        const QFileInfo file(filePath_);
        return file.suffix().compare(u"velmaro", Qt::CaseInsensitive) == 0 ? file.completeBaseName() : file.fileName();
    }
    QStringList parts;
    for (const QString& part : {identity_.client.trimmed(), identity_.field.trimmed()})
        if (!part.isEmpty())
            parts << part;
    return parts.isEmpty() ? QStringLiteral("caso nuevo") : parts.join(QStringLiteral(" - "));
}

void AdviserCase::markSaved(const QString& path)
{
    setFilePath(path);
    setModified(false);
}

void AdviserCase::markRecovered(const QString& path)
{
    setFilePath(path);
    setModified(true);
}
