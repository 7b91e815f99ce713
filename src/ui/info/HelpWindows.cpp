#include "HelpWindows.h"

#include <iterator>

#include <QFile>

#include "ui/common/WindowNames.h"
#include "ui/info/HelpWindow.h"

namespace {

// How a window's text is put together from the built-in help files.
struct HelpEntry {
    const char* objectName;
    const char16_t* caption;
    const char* textFile;             // :/help/<file>.html
    bool textOnOneLine = false;       // the file's line breaks joined into running text
    const char* remarkFile = nullptr; // a further paragraph after the text
    bool editable = false;
    bool scrollBar = true;
    const char* picture = ":/pictures/help_icon.jpg";
};

// The general help on the charts shows a wheat photograph; the rest the program's icon.
constexpr const char* WheatPhoto = ":/pictures/wheat1.jpg";

// In the order the program creates them.
const HelpEntry HelpEntries[] = {
    // Yield chart: the toolbar's "Uso del gráfico" and the three "?" marks.
    {.objectName = WindowNames::YieldChartHelp.data(),
     .caption = u"Uso del gráfico",
     .textFile = "TForm15",
     .editable = true,
     .picture = WheatPhoto},
    {.objectName = WindowNames::YieldAxisHelp.data(), .caption = u"Ayuda eje de rendimiento", .textFile = "TForm16"},
    {.objectName = WindowNames::NitrogenAxisHelp.data(), .caption = u"Ayuda eje de nitrógeno", .textFile = "TForm17"},
    {.objectName = WindowNames::IncrementHelp.data(),
     .caption = u"Ayuda incremento de rendimiento por kg N",
     .textFile = "TForm18"},
    // Curve selection.
    {.objectName = WindowNames::CurveChoiceHelp.data(), .caption = u"Ayuda para elegir curvas", .textFile = "TForm19"},
    // Economic chart: its axes, its read-out and its three inputs.
    {.objectName = WindowNames::MarginAxisHelp.data(),
     .caption = u"Ayuda eje Y de gráfico económico",
     .textFile = "TForm26"},
    // The nitrogen axis means the same on both charts: one text for both.
    {.objectName = WindowNames::EconomicNitrogenAxisHelp.data(),
     .caption = u"Ayuda eje x gráfico económico",
     .textFile = "TForm17"},
    {.objectName = WindowNames::MarginHelp.data(),
     .caption = u"Ayuda margen en $/ha",
     .textFile = "TForm28",
     .editable = true},
    {.objectName = WindowNames::GrainPriceHelp.data(), .caption = u"Ayuda parte económica", .textFile = "TForm29"},
    // Short enough to be read whole without a scroll bar.
    {.objectName = WindowNames::NitrogenCostHelp.data(),
     .caption = u"ayuda parte económica",
     .textFile = "TForm30",
     .scrollBar = false},
    {.objectName = WindowNames::ReferenceNHelp.data(), .caption = u"Ayuda pte económica", .textFile = "TForm31"},
    // Soil calculator: the reference-N text in one piece, then what the program does with it.
    {.objectName = WindowNames::SoilReferenceHelp.data(),
     .caption = u"Nitrógeno disponible de referencia",
     .textFile = "TForm31",
     .textOnOneLine = true,
     .remarkFile = "TForm33"},
};

const HelpEntry* findEntry(const QString& objectName)
{
    for (const HelpEntry& entry : HelpEntries)
        if (objectName == QLatin1String(entry.objectName))
            return &entry;
    return nullptr;
}

QString readHelpFile(const char* name)
{
    const QString path = QStringLiteral(":/help/%1.html").arg(QLatin1String(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Velmaro: help text %s is not built into the program", qPrintable(path));
        return QString();
    }
    return QString::fromUtf8(file.readAll()).trimmed();
}

// Where a forced line break ("<br>", "<br/>", "<br />", in any case) that starts at `at`
// ends; -1 if none starts there.
qsizetype lineBreakEnd(const QString& html, qsizetype at)
{
    if (!QStringView(html).mid(at, 3).startsWith(u"<br", Qt::CaseInsensitive))
        return -1;
    qsizetype i = at + 3;
    while (i < html.size() && html.at(i).isSpace())
        ++i;
    if (i < html.size() && html.at(i) == u'/')
        ++i;
    return i < html.size() && html.at(i) == u'>' ? i + 1 : -1;
}

// The forced line breaks of a text, with the blanks around them, become one blank, so it
// runs on in one piece.
QString joinLines(const QString& html)
{
    QString joined;
    joined.reserve(html.size());
    qsizetype kept = 0; // what a blank before the next break may not take back
    for (qsizetype i = 0; i < html.size();) {
        const qsizetype end = lineBreakEnd(html, i);
        if (end < 0) {
            joined += html.at(i++);
            continue;
        }
        while (joined.size() > kept && joined.back().isSpace())
            joined.chop(1);
        joined += u' ';
        kept = joined.size();
        for (i = end; i < html.size() && html.at(i).isSpace();)
            ++i;
    }
    return joined;
}

QString assembleText(const HelpEntry& entry)
{
    QString text = readHelpFile(entry.textFile);
    if (entry.textOnOneLine)
        text = joinLines(text);
    if (entry.remarkFile)
        text += QLatin1Char('\n') + readHelpFile(entry.remarkFile);
    return text;
}

} // namespace

QStringList HelpWindows::objectNames()
{
    QStringList names;
    names.reserve(static_cast<qsizetype>(std::size(HelpEntries)));
    for (const HelpEntry& entry : HelpEntries)
        names << QLatin1String(entry.objectName);
    return names;
}

std::unique_ptr<HelpWindow> HelpWindows::create(const QString& objectName)
{
    const HelpEntry* entry = findEntry(objectName);
    if (!entry)
        return nullptr;
    HelpWindow::Options options;
    options.editable = entry->editable;
    options.scrollBar = entry->scrollBar;
    options.picture = QLatin1String(entry->picture);
    return std::make_unique<HelpWindow>(objectName, QString::fromUtf16(entry->caption), assembleText(*entry), options);
}

QString HelpWindows::text(const QString& objectName)
{
    const HelpEntry* entry = findEntry(objectName);
    return entry ? assembleText(*entry) : QString();
}
