// The five site maps: schematic soil maps of the landscape units around Gualeguay,
// Gualeguaychú, Reconquista, Paraná and Rafaela, with their rivers, towns, a scale bar
// and a north arrow, and the colour legend strip of each. Positions are geographic
// (degrees) and projected with the frames the map windows use, so the town dots sit
// where the windows write the town names.

#include "SiteMaps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "PaintKit.h"
#include "ui/info/MapLegends.h"

namespace picturegen {

namespace {

using MapLegends::Frame;
using MapLegends::SiteLayout;

constexpr int Supersample = 2;
constexpr double KmPerDegreeLatitude = 111.32;

struct Geo {
    double lat;
    double lon;
};
using Course = std::vector<Geo>;

// ---- Geography of the north-east pampas (degrees; courses run downstream and reach
// ---- beyond every frame they cross).

// The Paraná's main channel: past Goya, along the Entre Ríos bluff from Hernandarias to
// Paraná and Diamante, then by Rosario, San Nicolás and San Pedro towards the delta.
const Course ParanaNorth = {
    {-28.40, -59.12}, {-28.70, -59.20}, {-28.92, -59.27}, {-29.10, -59.30}, {-29.30, -59.37},
    {-29.50, -59.44}, {-29.72, -59.51}, {-30.00, -59.55}, {-30.30, -59.60},
};
const Course ParanaMiddle = {
    {-30.60, -59.62}, {-30.90, -59.80}, {-31.10, -59.93}, {-31.25, -60.02}, {-31.45, -60.18},
    {-31.60, -60.42}, {-31.70, -60.55}, {-31.76, -60.60}, {-31.85, -60.63}, {-31.95, -60.64},
    {-32.07, -60.67}, {-32.30, -60.73}, {-32.60, -60.72},
};
const Course ParanaSouth = {
    {-32.60, -60.72}, {-32.95, -60.63}, {-33.10, -60.45}, {-33.22, -60.30}, {-33.33, -60.18}, {-33.47, -59.98},
    {-33.60, -59.74}, {-33.66, -59.62}, {-33.72, -59.52}, {-33.80, -59.40}, {-33.92, -59.22}, {-34.10, -58.95},
};
// The Paraná Pavón and Ibicuy, the delta's channel along the Entre Ríos side.
const Course ParanaIbicuy = {
    {-33.25, -60.28}, {-33.38, -60.00}, {-33.48, -59.72}, {-33.58, -59.45},
    {-33.66, -59.30}, {-33.73, -59.15}, {-33.82, -58.95}, {-33.95, -58.70},
};
// The western arms of the Paraná floodplain: the San Javier past Reconquista, Romang and
// Cayastá into the Setúbal lagoon at Santa Fe, then the Coronda.
const Course SanJavier = {
    {-28.40, -59.45}, {-28.70, -59.52}, {-28.92, -59.56}, {-29.10, -59.59}, {-29.22, -59.60},
    {-29.40, -59.68}, {-29.55, -59.71}, {-29.72, -59.76}, {-30.00, -59.84}, {-30.30, -59.91},
    {-30.58, -59.93}, {-30.90, -60.04}, {-31.20, -60.13}, {-31.40, -60.38}, {-31.50, -60.58},
};
const Course SetubalLagoon = {{-31.48, -60.60}, {-31.56, -60.64}, {-31.63, -60.67}};
const Course Coronda = {
    {-31.63, -60.67}, {-31.72, -60.74}, {-31.85, -60.84}, {-31.97, -60.89},
    {-32.20, -60.88}, {-32.43, -60.82}, {-32.60, -60.74},
};
// The edge of the Santa Fe upland above the floodplain, from the San Javier to Coronda.
const Course SantaFeEdge = {
    {-30.40, -59.95}, {-30.90, -60.08}, {-31.20, -60.18}, {-31.40, -60.44}, {-31.50, -60.64}, {-31.62, -60.74},
    {-31.72, -60.79}, {-31.85, -60.88}, {-31.97, -60.94}, {-32.20, -60.93}, {-32.50, -60.85},
};
// The Entre Ríos bluff: Hernandarias, Paraná, Diamante, Victoria, Gualeguay, Ibicuy.
const Course EntreRiosBluff = {
    {-30.60, -59.55}, {-30.90, -59.72}, {-31.10, -59.86}, {-31.25, -59.96}, {-31.45, -60.12}, {-31.60, -60.36},
    {-31.70, -60.48}, {-31.78, -60.53}, {-31.90, -60.57}, {-32.02, -60.60}, {-32.15, -60.58}, {-32.30, -60.45},
    {-32.50, -60.26}, {-32.62, -60.15}, {-32.80, -59.95}, {-32.95, -59.74}, {-33.05, -59.55}, {-33.13, -59.42},
    {-33.21, -59.33}, {-33.33, -59.22}, {-33.47, -59.14}, {-33.62, -59.05}, {-33.70, -58.86}, {-33.72, -58.66},
    {-33.66, -58.50}, {-33.60, -58.38}, {-33.55, -58.20},
};
const Course Uruguay = {
    {-31.90, -58.17}, {-32.20, -58.13}, {-32.48, -58.21}, {-32.70, -58.16}, {-32.95, -58.20},
    {-33.10, -58.34}, {-33.30, -58.42}, {-33.55, -58.43}, {-33.90, -58.42},
};
const Course Gualeguay = {
    {-32.20, -59.12},  {-32.42, -59.22}, {-32.55, -59.40}, {-32.75, -59.38}, {-32.95, -59.37},
    {-33.14, -59.335}, {-33.30, -59.40}, {-33.45, -59.42}, {-33.58, -59.44},
};
const Course Gualeguaychu = {
    {-32.30, -58.98},   {-32.45, -58.92}, {-32.60, -58.82}, {-32.78, -58.68}, {-32.92, -58.58},
    {-32.985, -58.505}, {-33.04, -58.44}, {-33.08, -58.36}, {-33.10, -58.33},
};
const Course ArroyoNogoya = {
    {-32.25, -59.78}, {-32.45, -59.80}, {-32.62, -59.86}, {-32.80, -59.90}, {-32.90, -59.86},
};
const Course ArroyoCle = {
    {-32.48, -59.02}, {-32.65, -59.12}, {-32.82, -59.22}, {-32.97, -59.31}, {-33.05, -59.345},
};
const Course ArroyoGena = {
    {-32.62, -59.12},
    {-32.72, -58.95},
    {-32.82, -58.76},
    {-32.86, -58.66},
};
const Course ArroyoNancay = {
    {-33.08, -58.98}, {-33.17, -58.82}, {-33.27, -58.66}, {-33.40, -58.51}, {-33.50, -58.44},
};
const Course ArroyoElRey = {
    {-28.80, -60.00}, {-28.95, -59.86}, {-29.08, -59.75}, {-29.16, -59.67}, {-29.22, -59.61},
};
const Course ArroyoMalabrigo = {
    {-29.05, -60.08}, {-29.22, -59.95}, {-29.38, -59.84}, {-29.47, -59.75}, {-29.52, -59.71},
};
// Cañadas: long, shallow, badly drained troughs of the wedge west of the floodplain.
const Course CanadaWest = {{-28.70, -60.31}, {-29.00, -60.33}, {-29.25, -60.36}, {-29.50, -60.29}, {-29.95, -60.33}};
const Course CanadaMiddle = {{-28.70, -60.04}, {-29.00, -60.08}, {-29.30, -60.06}, {-29.55, -60.00}, {-29.95, -60.06}};
const Course Salado = {
    {-30.40, -61.20},  {-30.70, -61.02}, {-30.95, -60.93}, {-31.20, -60.88},
    {-31.42, -60.895}, {-31.55, -60.80}, {-31.66, -60.70},
};
const Course ArroyoCululu = {
    {-30.95, -61.42}, {-31.10, -61.21}, {-31.22, -61.05}, {-31.30, -60.94}, {-31.33, -60.89},
};
// The Córdoba - Santa Fe boundary west of Rafaela.
const Course CordobaSantaFe = {{-30.60, -61.99}, {-31.00, -61.985}, {-31.40, -61.99}, {-31.70, -61.995}};
const Course ArroyoLasConchas = {{-31.45, -59.85}, {-31.55, -60.05}, {-31.61, -60.25}, {-31.62, -60.40}};
const Course ArroyoDelSalto = {{-32.18, -60.02}, {-32.12, -60.28}, {-32.09, -60.48}, {-32.06, -60.60}};

// ---- Projection and drawing helpers ----

QPointF project(const Frame& f, Geo g)
{
    return {(g.lon - f.west) / (f.east - f.west) * MapLegends::MapWidth,
            (f.north - g.lat) / (f.north - f.south) * MapLegends::MapHeight};
}

double kmPerPixel(const Frame& f)
{
    return (f.north - f.south) * KmPerDegreeLatitude / MapLegends::MapHeight;
}

QColor toColor(MapLegends::Colour c)
{
    return QColor(c.red, c.green, c.blue);
}

// A smooth curve through the points (Catmull-Rom turned into cubic Béziers).
void appendSmooth(QPainterPath& path, const std::vector<QPointF>& pts, bool moveFirst)
{
    if (pts.empty())
        return;
    if (moveFirst)
        path.moveTo(pts.front());
    else
        path.lineTo(pts.front());
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const QPointF p0 = pts[i == 0 ? 0 : i - 1];
        const QPointF p1 = pts[i];
        const QPointF p2 = pts[i + 1];
        const QPointF p3 = pts[std::min(i + 2, pts.size() - 1)];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
}

QPainterPath coursePath(const Frame& f, const Course& course)
{
    std::vector<QPointF> pts;
    for (const Geo& g : course)
        pts.push_back(project(f, g));
    QPainterPath path;
    appendSmooth(path, pts, true);
    return path;
}

// The land on one side of a course: the course, then straight on through `closing`.
QPainterPath sideOf(const Frame& f, const Course& course, std::initializer_list<Geo> closing)
{
    QPainterPath path = coursePath(f, course);
    for (const Geo& g : closing)
        path.lineTo(project(f, g));
    path.closeSubpath();
    return path;
}

// ---- Noise: smooth, deterministic value noise for the shapes of the units ----

double lattice(int ix, int iy, std::uint32_t seed)
{
    std::uint32_t h =
        static_cast<std::uint32_t>(ix) * 374761393u + static_cast<std::uint32_t>(iy) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<double>(h & 0xffffffu) / static_cast<double>(0xffffffu);
}

double valueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    double tx = x - fx;
    double ty = y - fy;
    tx = tx * tx * (3.0 - 2.0 * tx);
    ty = ty * ty * (3.0 - 2.0 * ty);
    const double a = lattice(ix, iy, seed);
    const double b = lattice(ix + 1, iy, seed);
    const double c = lattice(ix, iy + 1, seed);
    const double d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Three octaves, 0..1, features about `cell` map pixels across.
double fbm(double x, double y, double cell, std::uint32_t seed)
{
    double sum = 0.0;
    double amplitude = 0.5;
    double frequency = 1.0 / cell;
    double norm = 0.0;
    for (int octave = 0; octave < 3; ++octave) {
        sum += amplitude * valueNoise(x * frequency, y * frequency, seed + 101u * static_cast<std::uint32_t>(octave));
        norm += amplitude;
        amplitude *= 0.5;
        frequency *= 2.0;
    }
    return sum / norm;
}

// ---- Classifying every pixel into a landscape unit ----

// A 0/255 mask at the supersampled size.
class MaskImage {
public:
    MaskImage() = default;
    explicit MaskImage(const std::function<void(QPainter&)>& paint)
        : image_(MapLegends::MapWidth * Supersample, MapLegends::MapHeight * Supersample, QImage::Format_Grayscale8)
    {
        image_.fill(0);
        QPainter p(&image_);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.scale(Supersample, Supersample);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        paint(p);
    }
    bool at(double x, double y) const
    {
        if (image_.isNull())
            return false;
        const int ix = std::clamp(static_cast<int>(x * Supersample), 0, image_.width() - 1);
        const int iy = std::clamp(static_cast<int>(y * Supersample), 0, image_.height() - 1);
        return image_.constScanLine(iy)[ix] > 127;
    }

private:
    QImage image_;
};

MaskImage filledMask(const QPainterPath& area)
{
    return MaskImage([&](QPainter& p) { p.drawPath(area); });
}

// Valleys along courses: everything within the narrow core, and where the land swells
// out, the wider band too, so a floodplain widens and narrows along its river.
struct Band {
    MaskImage core;
    MaskImage wide;
};

Band bandMask(const Frame& f, std::initializer_list<std::pair<const Course*, double>> bands)
{
    auto stroked = [&](double factor) {
        return MaskImage([&](QPainter& p) {
            for (const auto& [course, widthKm] : bands) {
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(Qt::white, factor * widthKm / kmPerPixel(f), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawPath(coursePath(f, *course));
            }
        });
    };
    return Band{stroked(0.65), stroked(1.6)};
}

// Where a pixel is, with its smooth noise values and a warped position that gives the
// edges of floodplains and lowlands their ragged, natural outline.
struct Probe {
    double x = 0;
    double y = 0;
    double warpedX = 0;
    double warpedY = 0;
    double broad = 0;  // large regions, 0..1
    double medium = 0; // lagoons and smaller regions
    double fine = 0;   // small patches
    double nearX = 0;  // slightly warped, for the edges of valleys along their rivers
    double nearY = 0;
    double swell = 0; // where valleys widen
    bool in(const MaskImage& mask) const { return mask.at(warpedX, warpedY); }
    bool in(const Band& band) const
    {
        return band.core.at(nearX, nearY) || (swell > 0.5 && band.wide.at(nearX, nearY));
    }
    bool exactlyIn(const MaskImage& mask) const { return mask.at(x, y); }
    double across() const { return x / MapLegends::MapWidth; }
    double down() const { return y / MapLegends::MapHeight; }
};

// Returns the legend index of the unit at a probe, -1 for land outside the survey or
// OpenWater for a lagoon.
using Classifier = std::function<int(const Probe&)>;

struct River {
    const Course* course;
    double widthKm; // 0: a stream drawn as a thin line
};

struct MapLabel {
    QString text;
    Geo at;
    double angle;
    bool water; // river names in blue italics, region names in grey capitals
};

enum class Corner { BottomLeft, BottomRight };

struct SiteDrawing {
    Classifier classify;
    std::vector<River> rivers;
    std::vector<std::pair<int, int>> roads; // town indices
    std::vector<MapLabel> labels;
    std::vector<const Course*> boundaries; // provincial boundaries over land
    Corner scaleBar = Corner::BottomRight;
    bool referenceMark = false;
};

const QColor OutsidePaper(236, 233, 222);

// Classifier result for open water inside a unit of lagoons and islands.
constexpr int OpenWater = -2;
const QColor WaterColor = toColor(MapLegends::unit::River);

// ---- The five sites ----

SiteDrawing gualeguayDrawing(const Frame& f)
{
    // Units: 0 vertic peniplain, 1 alluvial, 2 aquic peniplain, 3 minor, 4 river, 5 not farmed.
    const MaskImage buenosAires = filledMask(sideOf(f, ParanaSouth, {{-34.5, -58.9}, {-34.5, -61.5}, {-32.6, -61.5}}));
    const MaskImage uruguay = filledMask(sideOf(f, Uruguay, {{-34.2, -57.5}, {-31.8, -57.5}}));
    const MaskImage delta = filledMask(sideOf(f, EntreRiosBluff, {{-34.6, -58.2}, {-34.6, -61.5}, {-30.5, -61.5}}));
    const Band flood = bandMask(
        f, {{&Gualeguay, 5.0}, {&ArroyoCle, 2.6}, {&ArroyoNogoya, 3.0}, {&Gualeguaychu, 3.2}, {&Uruguay, 7.0}});
    SiteDrawing d;
    d.classify = [=](const Probe& p) {
        if (p.exactlyIn(buenosAires) || p.exactlyIn(uruguay))
            return -1;
        if (p.in(delta))
            return p.medium > 0.64 ? 4 : 5;
        if (p.in(flood))
            return 1;
        if (p.fine > 0.745)
            return 3;
        const double score = p.broad + 0.55 * (p.across() - 0.5) + 0.35 * (0.5 - p.down());
        return score > 0.52 ? 0 : 2;
    };
    d.rivers = {{&ParanaSouth, 1.6}, {&ParanaIbicuy, 0.7}, {&Uruguay, 3.5},  {&Gualeguay, 0.35}, {&Gualeguaychu, 0.3},
                {&ArroyoCle, 0},     {&ArroyoNogoya, 0},   {&ArroyoGena, 0}, {&ArroyoNancay, 0}};
    d.roads = {{0, 2}, {2, 1}, {0, 3}, {3, 1}};
    d.labels = {{QStringLiteral("BUENOS AIRES"), {-33.72, -59.95}, 0, false},
                {QStringLiteral("URUGUAY"), {-33.35, -58.17}, 90, false},
                {QStringLiteral("Delta del Paraná"), {-32.86, -60.18}, 40, false},
                {QStringLiteral("Río Paraná"), {-33.36, -60.03}, 40, true},
                {QStringLiteral("Río Gualeguay"), {-32.86, -59.43}, 90, true},
                {QStringLiteral("Río Uruguay"), {-32.75, -58.12}, 80, true}};
    d.referenceMark = true;
    return d;
}

SiteDrawing gualeguaychuDrawing(const Frame& f)
{
    // Units: 0 vertic peniplain, 1 alluvial, 2 aquic peniplain, 3 not farmed, 4 river.
    const MaskImage uruguay = filledMask(sideOf(f, Uruguay, {{-34.2, -57.5}, {-31.8, -57.5}}));
    const MaskImage delta = filledMask(sideOf(f, EntreRiosBluff, {{-34.6, -58.2}, {-34.6, -61.5}, {-30.5, -61.5}}));
    const Band wetlands = bandMask(f, {{&Uruguay, 9.0}});
    const Band flood = bandMask(
        f, {{&Gualeguaychu, 3.6}, {&ArroyoGena, 2.0}, {&ArroyoNancay, 2.2}, {&Gualeguay, 4.5}, {&ArroyoCle, 2.2}});
    SiteDrawing d;
    d.classify = [=](const Probe& p) {
        if (p.exactlyIn(uruguay))
            return -1;
        if (p.in(delta) || p.in(wetlands))
            return p.medium > 0.66 ? 4 : 3;
        if (p.in(flood))
            return 1;
        const double score = p.broad + 0.5 * (0.5 - p.across()) + 0.3 * (0.5 - p.down());
        return score > 0.60 ? 2 : 0;
    };
    d.rivers = {{&Uruguay, 3.5},  {&Gualeguaychu, 0.3}, {&Gualeguay, 0.3}, {&ParanaIbicuy, 0.7},
                {&ArroyoGena, 0}, {&ArroyoNancay, 0},   {&ArroyoCle, 0}};
    d.roads = {{0, 1}, {0, 3}, {3, 2}, {3, 4}, {4, 5}, {5, 1}};
    d.labels = {{QStringLiteral("URUGUAY"), {-32.80, -58.06}, 90, false},
                {QStringLiteral("Río Uruguay"), {-33.18, -58.43}, -70, true},
                {QStringLiteral("Río Gualeguaychú"), {-32.84, -58.585}, 58, true}};
    return d;
}

SiteDrawing reconquistaDrawing(const Frame& f)
{
    // Units: 0 lagoons, rivers and islands, 1 sandy rises by the cañadas, 2 flat crests
    // and plains, 3 not farmed.
    const MaskImage corrientes = filledMask(sideOf(f, ParanaNorth, {{-30.6, -58.5}, {-28.2, -58.5}}));
    const MaskImage floodplain = filledMask(sideOf(f, SanJavier, {{-31.6, -58.5}, {-28.2, -58.5}}));
    const Band canadas =
        bandMask(f, {{&CanadaWest, 2.6}, {&CanadaMiddle, 2.2}, {&ArroyoElRey, 1.4}, {&ArroyoMalabrigo, 1.4}});
    const Band canadaRims = bandMask(f, {{&CanadaWest, 9.0}, {&CanadaMiddle, 8.0}});
    SiteDrawing d;
    d.classify = [=](const Probe& p) {
        if (p.exactlyIn(corrientes))
            return -1;
        if (p.in(floodplain))
            return p.medium > 0.63 ? OpenWater : 0;
        if (p.in(canadas) || p.x < 26 + 60 * (p.broad - 0.5))
            return 3;
        if (p.in(canadaRims) || p.fine > 0.76)
            return 1;
        return 2;
    };
    d.rivers = {{&ParanaNorth, 1.8}, {&SanJavier, 0.45}, {&ArroyoElRey, 0}, {&ArroyoMalabrigo, 0}};
    d.roads = {{0, 1}, {1, 2}};
    d.labels = {{QStringLiteral("CORRIENTES"), {-29.50, -59.20}, -75, false},
                {QStringLiteral("Río Paraná"), {-29.05, -59.33}, -75, true},
                {QStringLiteral("Río San Javier"), {-29.40, -59.64}, -74, true},
                {QStringLiteral("Cañadas"), {-29.12, -60.24}, 0, false}};
    return d;
}

SiteDrawing paranaDrawing(const Frame& f)
{
    // Units: 0 lagoons and rivers, 1 vertic peniplain, 2 typic argiudolls, 3 aquic
    // peniplain, 4 minor, 5 islands and miscellaneous land.
    const MaskImage eastOfSantaFe =
        filledMask(sideOf(f, SantaFeEdge, {{-33.0, -60.85}, {-33.0, -58.5}, {-30.0, -58.5}}));
    const MaskImage westOfBluff =
        filledMask(sideOf(f, EntreRiosBluff, {{-34.6, -58.2}, {-34.6, -61.8}, {-30.4, -61.8}}));
    const Band saladoValley = bandMask(f, {{&Salado, 4.2}, {&ArroyoCululu, 2.0}});
    const Band streamValleys = bandMask(f, {{&ArroyoLasConchas, 2.2}, {&ArroyoDelSalto, 2.2}});
    SiteDrawing d;
    d.classify = [=](const Probe& p) {
        const bool santaFeSide = !p.in(eastOfSantaFe);
        const bool entreRiosSide = !p.in(westOfBluff);
        if (!santaFeSide && !entreRiosSide)
            return p.medium > 0.62 ? 0 : 5;
        if (p.in(saladoValley))
            return p.medium > 0.70 ? 0 : 5;
        if (santaFeSide)
            return p.fine > 0.75 ? 4 : 2;
        if (p.in(streamValleys))
            return 4;
        const double score = p.broad + 0.5 * (p.across() - 0.5) + 0.45 * (p.down() - 0.5);
        return score > 0.6 ? 1 : 3;
    };
    d.rivers = {{&ParanaMiddle, 1.5}, {&SanJavier, 0.4},  {&SetubalLagoon, 1.3},  {&Coronda, 0.4},
                {&Salado, 0.25},      {&ArroyoCululu, 0}, {&ArroyoLasConchas, 0}, {&ArroyoDelSalto, 0}};
    d.roads = {{0, 3}, {2, 4}};
    d.labels = {{QStringLiteral("SANTA FE"), {-31.78, -61.25}, 0, false},
                {QStringLiteral("ENTRE RÍOS"), {-31.47, -59.92}, 0, false},
                {QStringLiteral("Río Paraná"), {-31.40, -60.22}, -50, true},
                {QStringLiteral("Río Salado"), {-31.16, -60.95}, 76, true},
                {QStringLiteral("Río Coronda"), {-31.80, -60.845}, -61, true}};
    return d;
}

SiteDrawing rafaelaDrawing(const Frame& f)
{
    // Units: 0 very extended plains, 1 gently undulating land, 2 high plains, 3 other
    // units, 4 not farmed.
    const Band valleys = bandMask(f, {{&Salado, 5.0}, {&ArroyoCululu, 2.8}});
    SiteDrawing d;
    d.classify = [=](const Probe& p) {
        if (p.in(valleys))
            return 4;
        if (p.fine > 0.75)
            return 3;
        if (p.y < 118 + 160 * (p.broad - 0.5))
            return 0;
        if (p.x < 190 + 220 * (p.medium - 0.5))
            return 2;
        return 1;
    };
    d.rivers = {{&Salado, 0.3}, {&ArroyoCululu, 0}};
    d.roads = {{0, 2}, {0, 3}, {0, 4}, {0, 1}};
    d.labels = {{QStringLiteral("Río Salado"), {-31.05, -60.86}, 80, true},
                {QStringLiteral("Aº Cululú"), {-31.14, -61.24}, 44, true},
                {QStringLiteral("CÓRDOBA"), {-31.30, -62.17}, -90, false},
                {QStringLiteral("SANTA FE"), {-31.52, -61.15}, 0, false}};
    d.boundaries = {&CordobaSantaFe};
    d.scaleBar = Corner::BottomLeft;
    return d;
}

SiteDrawing drawingFor(int site, const Frame& f)
{
    switch (site) {
    case 0:
        return gualeguayDrawing(f);
    case 1:
        return gualeguaychuDrawing(f);
    case 2:
        return reconquistaDrawing(f);
    case 3:
        return paranaDrawing(f);
    default:
        return rafaelaDrawing(f);
    }
}

// ---- Painting ----

QImage landscapeUnits(const SiteLayout& layout, const SiteDrawing& drawing, std::uint32_t seed)
{
    const int width = MapLegends::MapWidth * Supersample;
    const int height = MapLegends::MapHeight * Supersample;
    std::vector<int> unit(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int iy = 0; iy < height; ++iy) {
        for (int ix = 0; ix < width; ++ix) {
            Probe p;
            p.x = (ix + 0.5) / Supersample;
            p.y = (iy + 0.5) / Supersample;
            p.nearX = p.x + (fbm(p.x, p.y, 11.0, seed + 13u) - 0.5) * 9.0;
            p.nearY = p.y + (fbm(p.x, p.y, 11.0, seed + 29u) - 0.5) * 9.0;
            p.warpedX = p.nearX + (fbm(p.x, p.y, 52.0, seed + 11u) - 0.5) * 44.0;
            p.warpedY = p.nearY + (fbm(p.x, p.y, 52.0, seed + 23u) - 0.5) * 44.0;
            p.swell = fbm(p.x, p.y, 30.0, seed + 61u);
            p.broad = fbm(p.x, p.y, 95.0, seed + 37u);
            p.medium = fbm(p.x, p.y, 26.0, seed + 41u);
            p.fine = fbm(p.x, p.y, 18.0, seed + 53u);
            unit[static_cast<size_t>(iy) * static_cast<size_t>(width) + static_cast<size_t>(ix)] = drawing.classify(p);
        }
    }
    QImage image(width, height, QImage::Format_RGB32);
    const QColor border(70, 62, 50);
    for (int iy = 0; iy < height; ++iy) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(iy));
        for (int ix = 0; ix < width; ++ix) {
            const size_t at = static_cast<size_t>(iy) * static_cast<size_t>(width) + static_cast<size_t>(ix);
            const int u = unit[at];
            QColor c = u == OpenWater ? WaterColor
                : u < 0               ? OutsidePaper
                                      : toColor(layout.squares[static_cast<size_t>(u)].colour);
            const bool edge = (ix + 1 < width && unit[at + 1] != u) ||
                (iy + 1 < height && unit[at + static_cast<size_t>(width)] != u);
            if (edge)
                c = mix(c, border, 0.5);
            line[ix] = c.rgb();
        }
    }
    return image;
}

QFont mapFont(qreal pixelSize, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Text with a pale halo so it reads over any unit.
void haloText(QPainter& p, QPointF baselineCentre, const QString& text, const QFont& font, QColor color,
              QColor halo = QColor(255, 255, 255, 190))
{
    QPainterPath path;
    const QFontMetricsF fm(font);
    path.addText(baselineCentre.x() - fm.horizontalAdvance(text) / 2.0, baselineCentre.y(), font, text);
    p.save();
    p.setPen(QPen(halo, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    p.restore();
}

void drawRivers(QPainter& p, const Frame& f, const SiteDrawing& d)
{
    const double km = kmPerPixel(f);
    const QColor bank = WaterColor.darker(135);
    for (const River& r : d.rivers) {
        const QPainterPath path = coursePath(f, *r.course);
        p.setBrush(Qt::NoBrush);
        if (r.widthKm > 0) {
            const double w = std::max(1.4, r.widthKm / km);
            p.setPen(QPen(bank, w + 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
            p.setPen(QPen(WaterColor, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
        } else {
            p.setPen(QPen(WaterColor.darker(115), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
        }
    }
}

void drawRoads(QPainter& p, const Frame& f, const SiteLayout& layout, const SiteDrawing& d)
{
    for (const auto& [from, to] : d.roads) {
        const auto& a = layout.towns[static_cast<size_t>(from)];
        const auto& b = layout.towns[static_cast<size_t>(to)];
        const QPointF pa = project(f, {a.latitude, a.longitude});
        const QPointF pb = project(f, {b.latitude, b.longitude});
        // A gentle bend, as country roads follow the lie of the land.
        const QPointF mid = (pa + pb) / 2.0;
        const QPointF dir = pb - pa;
        const QPointF bend = QPointF(-dir.y(), dir.x()) * 0.06;
        QPainterPath road(pa);
        road.quadTo(mid + bend, pb);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 250, 235, 170), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(road);
        p.setPen(QPen(QColor(150, 60, 40), 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(road);
    }
}

void drawBoundaries(QPainter& p, const Frame& f, const SiteDrawing& d)
{
    for (const Course* course : d.boundaries) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 150), 3.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(coursePath(f, *course));
        p.setPen(QPen(QColor(90, 70, 90), 1.2, Qt::DashDotLine, Qt::RoundCap));
        p.drawPath(coursePath(f, *course));
    }
}

void drawLabels(QPainter& p, const Frame& f, const SiteDrawing& d)
{
    for (const MapLabel& label : d.labels) {
        p.save();
        p.translate(project(f, label.at));
        p.rotate(label.angle);
        if (label.water) {
            haloText(p, QPointF(0, 3), label.text, mapFont(10, false, true), WaterColor.darker(160),
                     QColor(255, 255, 255, 120));
        } else {
            QFont font = mapFont(11, true);
            font.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
            haloText(p, QPointF(0, 4), label.text, font, QColor(95, 90, 80), QColor(255, 255, 255, 120));
        }
        p.restore();
    }
}

QString degreesText(double value, QChar hemisphere)
{
    const int totalMinutes = static_cast<int>(std::lround(std::abs(value) * 60.0));
    return QStringLiteral("%1°%2' %3")
        .arg(totalMinutes / 60)
        .arg(totalMinutes % 60, 2, 10, QLatin1Char('0'))
        .arg(hemisphere);
}

void drawGraticule(QPainter& p, const Frame& f)
{
    const double w = MapLegends::MapWidth;
    const double h = MapLegends::MapHeight;
    const QFont font = mapFont(9);
    // Ticks every 15 minutes on all four edges, faint lines and labels every 30.
    for (int quarter = static_cast<int>(std::ceil(f.west * 4)); quarter <= static_cast<int>(std::floor(f.east * 4));
         ++quarter) {
        const double x = project(f, {f.north, quarter / 4.0}).x();
        const bool half = quarter % 2 == 0;
        if (half) {
            p.setPen(QPen(QColor(255, 255, 255, 110), 0.8, Qt::DashLine));
            p.drawLine(QPointF(x, 0), QPointF(x, h));
        }
        p.setPen(QPen(QColor(40, 40, 40), 1.0));
        p.drawLine(QPointF(x, 0), QPointF(x, half ? 6 : 4));
        p.drawLine(QPointF(x, h), QPointF(x, h - (half ? 6 : 4)));
        if (half && x > 30 && x < w - 70)
            haloText(p, QPointF(x, 16), degreesText(quarter / 4.0, QLatin1Char('O')), font, QColor(40, 40, 40));
    }
    for (int quarter = static_cast<int>(std::ceil(f.south * 4)); quarter <= static_cast<int>(std::floor(f.north * 4));
         ++quarter) {
        const double y = project(f, {quarter / 4.0, f.west}).y();
        const bool half = quarter % 2 == 0;
        if (half) {
            p.setPen(QPen(QColor(255, 255, 255, 110), 0.8, Qt::DashLine));
            p.drawLine(QPointF(0, y), QPointF(w, y));
        }
        p.setPen(QPen(QColor(40, 40, 40), 1.0));
        p.drawLine(QPointF(0, y), QPointF(half ? 6 : 4, y));
        p.drawLine(QPointF(w, y), QPointF(w - (half ? 6 : 4), y));
        if (half && y > 24 && y < h - 40) {
            const QString text = degreesText(quarter / 4.0, QLatin1Char('S'));
            haloText(p, QPointF(8 + QFontMetricsF(font).horizontalAdvance(text) / 2.0, y - 3), text, font,
                     QColor(40, 40, 40));
        }
    }
}

void drawTowns(QPainter& p, const Frame& f, const SiteLayout& layout)
{
    bool first = true;
    for (const MapLegends::Town& town : layout.towns) {
        const QPointF c = project(f, {town.latitude, town.longitude});
        const double r = first ? 4.6 : 3.6;
        p.setPen(QPen(Qt::white, 1.4));
        p.setBrush(QColor(178, 30, 30));
        p.drawEllipse(c, r, r);
        if (first) {
            p.setPen(QPen(QColor(178, 30, 30), 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, r + 2.2, r + 2.2);
        }
        first = false;
    }
}

void drawScaleBar(QPainter& p, const Frame& f, Corner corner)
{
    const double km = kmPerPixel(f);
    // The longest of 10, 20 or 40 km that stays within 110 pixels.
    int lengthKm = 10;
    for (const int candidate : {20, 40})
        if (candidate / km <= 110)
            lengthKm = candidate;
    const double length = lengthKm / km;
    const double boxWidth = length + 34;
    const double boxHeight = 30;
    const double left = corner == Corner::BottomRight ? MapLegends::MapWidth - boxWidth - 10 : 10;
    const double top = MapLegends::MapHeight - boxHeight - 10;
    p.setPen(QPen(QColor(90, 90, 90, 160), 0.8));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRoundedRect(QRectF(left, top, boxWidth, boxHeight), 3, 3);
    const double barLeft = left + 10;
    const double barTop = top + 17;
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(30, 30, 30), 0.8));
        p.setBrush(i % 2 == 0 ? QColor(30, 30, 30) : QColor(Qt::white));
        p.drawRect(QRectF(barLeft + i * length / 4, barTop, length / 4, 5));
    }
    const QFont font = mapFont(9);
    p.setFont(font);
    p.setPen(QColor(30, 30, 30));
    auto label = [&](double x, const QString& text) {
        const QFontMetricsF fm(font);
        p.drawText(QPointF(x - fm.horizontalAdvance(text) / 2.0, barTop - 3), text);
    };
    label(barLeft, QStringLiteral("0"));
    label(barLeft + length / 2, QString::number(lengthKm / 2));
    label(barLeft + length, QStringLiteral("%1 km").arg(lengthKm));
}

void drawNorthArrow(QPainter& p)
{
    const QPointF c(MapLegends::MapWidth - 24, 34);
    p.setPen(QPen(QColor(90, 90, 90, 160), 0.8));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(c, 15, 15);
    QPainterPath left;
    left.moveTo(c + QPointF(0, -11));
    left.lineTo(c + QPointF(-6, 9));
    left.lineTo(c + QPointF(0, 5));
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(c + QPointF(0, -11));
    right.lineTo(c + QPointF(6, 9));
    right.lineTo(c + QPointF(0, 5));
    right.closeSubpath();
    p.setPen(QPen(QColor(30, 30, 30), 0.8));
    p.setBrush(QColor(30, 30, 30));
    p.drawPath(left);
    p.setBrush(Qt::white);
    p.drawPath(right);
    haloText(p, c + QPointF(0, -17), QStringLiteral("N"), mapFont(11, true), QColor(30, 30, 30));
}

// A small cross in a ring marking the reference point that carries a pop-up hint.
void drawReferenceMark(QPainter& p)
{
    const QPointF c(MapLegends::GualeguayReferenceMark.x, MapLegends::GualeguayReferenceMark.y);
    p.setPen(QPen(QColor(255, 255, 255, 200), 3.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 6, 6);
    p.setPen(QPen(QColor(40, 40, 40), 1.1));
    p.drawEllipse(c, 6, 6);
    p.drawLine(c + QPointF(-10, 0), c + QPointF(10, 0));
    p.drawLine(c + QPointF(0, -10), c + QPointF(0, 10));
}

} // namespace

QImage siteMap(int site)
{
    const SiteLayout& layout = MapLegends::Sites[site];
    const Frame& frame = layout.frame;
    const SiteDrawing drawing = drawingFor(site, frame);
    const QImage units = landscapeUnits(layout, drawing, 7919u * static_cast<std::uint32_t>(site + 1));
    return renderPicture(QSize(MapLegends::MapWidth, MapLegends::MapHeight), Supersample, OutsidePaper,
                         [&](QPainter& p) {
                             p.drawImage(QRectF(0, 0, MapLegends::MapWidth, MapLegends::MapHeight), units);
                             drawGraticule(p, frame);
                             drawBoundaries(p, frame, drawing);
                             drawRivers(p, frame, drawing);
                             drawRoads(p, frame, layout, drawing);
                             drawLabels(p, frame, drawing);
                             drawTowns(p, frame, layout);
                             drawScaleBar(p, frame, drawing.scaleBar);
                             drawNorthArrow(p);
                             if (drawing.referenceMark)
                                 drawReferenceMark(p);
                             p.setPen(QPen(QColor(40, 40, 40), 1.0));
                             p.setBrush(Qt::NoBrush);
                             p.drawRect(QRectF(0.5, 0.5, MapLegends::MapWidth - 1, MapLegends::MapHeight - 1));
                         });
}

QImage siteLegend(int site)
{
    const SiteLayout& layout = MapLegends::Sites[site];
    QImage strip(layout.stripWidth, layout.stripHeight, QImage::Format_RGB32);
    strip.fill(toColor(MapLegends::StripPaper));
    QPainter p(&strip);
    p.setPen(QColor(150, 146, 132));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, layout.stripWidth - 1, layout.stripHeight - 1);
    for (const MapLegends::LegendSquare& square : layout.squares) {
        const QRect r(square.rect.x, square.rect.y, square.rect.width, square.rect.height);
        const QColor colour = toColor(square.colour);
        p.fillRect(r, colour);
        p.setPen(colour.darker(150));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.end();
    return strip;
}

} // namespace picturegen
