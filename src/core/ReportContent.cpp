#include "ReportContent.h"

#include <QLocale>
#include <QRegularExpression>

#include "core/TableText.h"

namespace {

// A name a file system takes: no separators or characters that file dialogs refuse.
QString fileSafe(QString text)
{
    static const QRegularExpression unsafe(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f])"));
    text.replace(unsafe, QStringLiteral("-"));
    return text.simplified();
}

} // namespace

ReportContent ReportContent::build(const AdviserCase::Identity& identity, const QDate& date, const QString& version,
                                   const DoseAdvice::Inputs& inputs)
{
    ReportContent c;
    c.identity = identity;
    c.date = date;
    c.version = version;
    c.title = QStringLiteral("Fertilización nitrogenada del trigo");
    c.hasAdvice = inputs.economics != nullptr;
    if (!c.hasAdvice)
        c.status = QStringLiteral("Sin dosis todavía: los escenarios o los precios del caso no dan una situación "
                                  "económica completa.");
    c.advice = DoseAdvice::compute(inputs);
    c.yieldChartCaption = c.advice.scenarios;
    c.economicChartCaption = c.advice.scenarios;
    if (c.hasAdvice)
        c.economicChartCaption << c.advice.headerLine;
    return c;
}

QStringList ReportContent::headingLines() const
{
    QStringList lines;
    const auto add = [&lines](const QString& label, const QString& value) {
        if (!value.trimmed().isEmpty())
            lines << label + QStringLiteral(": ") + value.simplified();
    };
    add(QStringLiteral("Cliente"), identity.client);
    add(QStringLiteral("Establecimiento / lote"), identity.field);
    add(QStringLiteral("Campaña"), identity.season);
    add(QStringLiteral("Asesor"), identity.adviser);
    const QString day =
        QLocale(QLocale::Spanish, QLocale::Argentina).toString(date, QStringLiteral("d 'de' MMMM 'de' yyyy"));
    lines << QStringLiteral("Fecha: %1 · Velmaro %2").arg(day, version);
    return lines;
}

QString ReportContent::nameOf(const AdviserCase::Identity& identity, const QString& lead, const QString& bare)
{
    QString name = fileSafe(identity.field);
    if (name.isEmpty())
        name = fileSafe(identity.client);
    QString season = fileSafe(identity.season);
    if (!season.isEmpty() && !season.startsWith(QStringLiteral("campaña"), Qt::CaseInsensitive))
        season = QStringLiteral("Campaña ") + season;
    if (name.isEmpty() && season.isEmpty())
        return bare;
    QString base = lead;
    if (!name.isEmpty())
        base += QLatin1Char(' ') + name;
    if (!season.isEmpty())
        base += (name.isEmpty() ? QStringLiteral(" ") : QStringLiteral(" - ")) + season;
    return base;
}

QStringList ReportContent::plainText() const
{
    QStringList lines{title};
    lines << headingLines() << QString();
    if (!hasAdvice)
        lines << status << QString();
    if (!advice.recommendation.isEmpty())
        lines << advice.recommendationHeading << advice.recommendation << QString();
    lines << QStringLiteral("Base de la recomendación");
    lines << advice.scenarios;
    for (const DoseAdvice::BasisItem& item : advice.basis)
        lines << item.line();
    if (!advice.placeholderWarning.isEmpty())
        lines << advice.placeholderWarning;
    if (!hasAdvice)
        return lines;
    for (const DocumentTable* table : {&advice.optimumTable, &advice.riskTable, &advice.sensitivityTable}) {
        TableDocument one;
        one.tables << DoseAdvice::flat(*table);
        lines << QString() << TableText::tabSeparated(one).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    return lines;
}
