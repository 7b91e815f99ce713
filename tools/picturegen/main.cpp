// Writes the program's built-in pictures as JPEG files into the folder named
// on the command line, or with --icons the desktop icons as PNG files
// (velmaro-48.png, velmaro-128.png, velmaro-256.png). Run with
// QT_QPA_PLATFORM=offscreen.

#include <functional>
#include <utility>
#include <vector>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <QTextStream>

#include "AppIcon.h"
#include "Landscapes.h"
#include "PaintKit.h"
#include "PartnerEmblems.h"
#include "SiteMaps.h"
#include "ToolbarIcons.h"
#include "WheatPanels.h"
#include "ui/info/MapLegends.h"

using namespace picturegen;

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = QGuiApplication::arguments();
    const bool icons = args.size() == 3 && args.at(1) == QLatin1String("--icons");
    if (icons)
        args.removeAt(1);
    if (args.size() != 2) {
        err << "usage: velmaro_picturegen [--icons] OUTPUT_FOLDER\n";
        return 2;
    }
    QDir out(args.at(1));
    if (!out.exists() && !QDir().mkpath(out.absolutePath())) {
        err << "cannot create " << out.absolutePath() << "\n";
        return 1;
    }

    if (icons) {
        int failures = 0;
        for (const int size : {48, 128, 256}) {
            const QString file = out.filePath(QStringLiteral("velmaro-%1.png").arg(size));
            if (!appIcon(size).save(file, "png")) {
                err << "cannot write " << file << "\n";
                ++failures;
            }
        }
        return failures == 0 ? 0 : 1;
    }

    std::vector<std::pair<QString, std::function<QImage()>>> pictures = {
        {"main_background.jpg", mainBackground},
        {"logo1.jpg", [] { return partnerEmblem(1); }},
        {"logo2.jpg", [] { return partnerEmblem(2); }},
        {"logo3.jpg", [] { return partnerEmblem(3); }},
        {"logo4.jpg", [] { return partnerEmblem(4); }},
        {"wheat1.jpg", [] { return wheatPanel(1); }},
        {"wheat2.jpg", [] { return wheatPanel(2); }},
        {"wheat3.jpg", [] { return wheatPanel(3); }},
        {"tool_escenario1.jpg", [] { return scenarioIcon(1); }},
        {"tool_escenario2.jpg", [] { return scenarioIcon(2); }},
        {"tool_escenario3.jpg", [] { return scenarioIcon(3); }},
        {"tool_ayuda.jpg", helpToolIcon},
        {"tool_calculadora.jpg", calculatorIcon},
        {"tool_notas.jpg", notesIcon},
        {"tool_graficar.jpg", chartIcon},
        {"tool_creditos.jpg", creditsIcon},
        {"tool_mapas.jpg", mapsIcon},
        {"yield_background.jpg", yieldBackground},
        {"help_icon.jpg", helpIcon},
        {"credits.jpg", creditsPicture},
    };
    // The site maps come last so that every picture above keeps its seed.
    for (int site = 0; site < MapLegends::SiteCount; ++site) {
        const QString stem = QLatin1String(MapLegends::Sites[site].pictureStem);
        pictures.push_back({QStringLiteral("map_%1.jpg").arg(stem), [site] { return siteMap(site); }});
        pictures.push_back({QStringLiteral("legend_%1.jpg").arg(stem), [site] { return siteLegend(site); }});
    }

    int failures = 0;
    unsigned seed = 1;
    for (const auto& [name, draw] : pictures) {
        // A fixed seed per picture: the same files come out on every run.
        reseed(seed++);
        const QImage image = draw();
        QImageWriter writer(out.filePath(name), "jpeg");
        writer.setQuality(90);
        writer.setOptimizedWrite(true);
        writer.setProgressiveScanWrite(false);
        if (!writer.write(image)) {
            err << "cannot write " << out.filePath(name) << ": " << writer.errorString() << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
