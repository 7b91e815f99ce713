#pragma once

#include <cstdint>
#include <iterator>
#include <span>

// Where things sit on the five site maps. The picture generator draws the legend strips
// and the maps from these numbers, and the map windows lay their hover zones over the
// legend squares and their town names beside the town dots from the same numbers, so a
// zone can never drift off its colour square nor a name off its town.
//
// Plain data without Qt: the generator links Qt Gui only, the windows Qt Widgets.
namespace MapLegends {

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

struct Point {
    int x;
    int y;
};

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// One colour square of a legend strip; its rectangle is in the strip's own pixels.
struct LegendSquare {
    Rect rect;
    Colour colour;
};

// Which side of its dot a town's name is written on.
enum class LabelSide { Right, Left, Above, Below };

// A town on a site map, placed by its geographic position (degrees, south and west
// negative). `name` is UTF-8.
struct Town {
    const char* name;
    double latitude;
    double longitude;
    LabelSide labelSide;
};

// The piece of the earth a map picture shows, in degrees (south and west negative).
struct Frame {
    double north;
    double south;
    double west;
    double east;
};

struct SiteLayout {
    const char* pictureStem; // map_<stem>.jpg and legend_<stem>.jpg
    Point legendInWindow;    // top left corner of the legend strip in the map window
    int stripWidth;
    int stripHeight;
    std::span<const LegendSquare> squares; // top to bottom, one hover zone each
    Frame frame;
    std::span<const Town> towns; // the site itself first
};

// Every map picture has this size.
inline constexpr int MapWidth = 560;
inline constexpr int MapHeight = 380;

// The paper of the legend strips, showing in their margins and, on the Paraná strip,
// in the gaps between the squares.
inline constexpr Colour StripPaper{248, 246, 238};

// Pixel of a geographic position on a map picture (plain linear scaling: at these
// latitudes and extents the frames are chosen so that a pixel is square on the ground).
constexpr Point onMap(const Frame& frame, double latitude, double longitude)
{
    const double x = (longitude - frame.west) / (frame.east - frame.west) * MapWidth;
    const double y = (frame.north - latitude) / (frame.north - frame.south) * MapHeight;
    return Point{static_cast<int>(x + 0.5), static_cast<int>(y + 0.5)};
}

constexpr Point onMap(const Frame& frame, const Town& town)
{
    return onMap(frame, town.latitude, town.longitude);
}

// Colours of the landscape units, shared where units of different sites are alike.
namespace unit {
inline constexpr Colour Vertic{190, 150, 95};         // peniplains of peluderts and vertic argiudolls
inline constexpr Colour Alluvial{150, 200, 125};      // alluvial plains and terraces
inline constexpr Colour Aquic{236, 214, 130};         // peniplains of aquic argiudolls
inline constexpr Colour Typic{165, 195, 110};         // typic argiudolls
inline constexpr Colour Minor{214, 150, 180};         // minor map units
inline constexpr Colour River{70, 140, 210};          // rivers and lagoons
inline constexpr Colour NonArable{168, 168, 158};     // land that is not farmed
inline constexpr Colour Islands{140, 190, 185};       // islands and miscellaneous land
inline constexpr Colour WetIslands{110, 175, 215};    // lagoons, rivers and islands together
inline constexpr Colour SandyRise{232, 200, 150};     // sandy rises beside the cañadas
inline constexpr Colour ExtendedPlain{222, 205, 120}; // very extended plains
inline constexpr Colour HighPlain{225, 165, 95};      // high plains of typic argiudolls
} // namespace unit

// Strips are 34 pixels wide with squares of 24 x 22 set 5 pixels in; the squares touch
// one another on four strips and stand 8 pixels apart on the Paraná strip.
inline constexpr int StripWidth = 34;

inline constexpr LegendSquare GualeguaySquares[] = {
    {{5, 5, 24, 22}, unit::Vertic}, {{5, 27, 24, 22}, unit::Alluvial}, {{5, 49, 24, 22}, unit::Aquic},
    {{5, 71, 24, 22}, unit::Minor}, {{5, 93, 24, 22}, unit::River},    {{5, 115, 24, 22}, unit::NonArable},
};

inline constexpr LegendSquare GualeguaychuSquares[] = {
    {{5, 5, 24, 22}, unit::Vertic},     {{5, 27, 24, 22}, unit::Alluvial}, {{5, 49, 24, 22}, unit::Aquic},
    {{5, 71, 24, 22}, unit::NonArable}, {{5, 93, 24, 22}, unit::River},
};

inline constexpr LegendSquare ReconquistaSquares[] = {
    {{5, 5, 24, 22}, unit::WetIslands},
    {{5, 27, 24, 22}, unit::SandyRise},
    {{5, 49, 24, 22}, unit::Typic},
    {{5, 71, 24, 22}, unit::NonArable},
};

inline constexpr LegendSquare ParanaSquares[] = {
    {{5, 5, 24, 22}, unit::River},  {{5, 35, 24, 22}, unit::Vertic}, {{5, 65, 24, 22}, unit::Typic},
    {{5, 95, 24, 22}, unit::Aquic}, {{5, 125, 24, 22}, unit::Minor}, {{5, 155, 24, 22}, unit::Islands},
};

inline constexpr LegendSquare RafaelaSquares[] = {
    {{5, 5, 24, 22}, unit::ExtendedPlain}, {{5, 27, 24, 22}, unit::Typic},     {{5, 49, 24, 22}, unit::HighPlain},
    {{5, 71, 24, 22}, unit::Minor},        {{5, 93, 24, 22}, unit::NonArable},
};

inline constexpr Town GualeguayTowns[] = {
    {"Gualeguay", -33.144, -59.310, LabelSide::Right}, {"Urdinarrain", -32.686, -58.893, LabelSide::Right},
    {"Larroque", -33.036, -59.001, LabelSide::Right},  {"Gobernador Mansilla", -32.545, -59.355, LabelSide::Right},
    {"San Pedro", -33.679, -59.666, LabelSide::Right},
};

inline constexpr Town GualeguaychuTowns[] = {
    {"Gualeguaychú", -32.990, -58.520, LabelSide::Left},
    {"Concepción del Uruguay", -32.480, -58.235, LabelSide::Left},
    {"Enrique Carbo", -33.150, -59.210, LabelSide::Right},
    {"Larroque", -33.036, -59.001, LabelSide::Right},
    {"Urdinarrain", -32.686, -58.893, LabelSide::Right},
    {"Gilbert", -32.530, -58.930, LabelSide::Right},
};

inline constexpr Town ReconquistaTowns[] = {
    {"Reconquista", -29.150, -59.650, LabelSide::Left},
    {"Romang", -29.500, -59.770, LabelSide::Left},
    {"Vera", -29.460, -60.210, LabelSide::Right},
};

inline constexpr Town ParanaTowns[] = {
    {"Paraná", -31.730, -60.520, LabelSide::Right},   {"Cayasta", -31.200, -60.160, LabelSide::Right},
    {"Esperanza", -31.450, -60.930, LabelSide::Left}, {"Crespo", -32.030, -60.310, LabelSide::Right},
    {"Coronda", -31.970, -60.920, LabelSide::Left},
};

inline constexpr Town RafaelaTowns[] = {
    {"Rafaela", -31.250, -61.490, LabelSide::Right},  {"La Pelada", -30.870, -60.970, LabelSide::Left},
    {"Tacural", -30.850, -61.590, LabelSide::Right},  {"Freyre", -31.160, -62.100, LabelSide::Right},
    {"Esperanza", -31.450, -60.930, LabelSide::Left},
};

// The five sites in the order the scenario dialog and the map chooser list them.
inline constexpr SiteLayout Sites[] = {
    {"gualeguay", {8, 30}, StripWidth, 142, GualeguaySquares, {-32.42, -33.78, -60.44, -58.06}, GualeguayTowns},
    {"gualeguaychu",
     {8, 30},
     StripWidth,
     120,
     GualeguaychuSquares,
     {-32.41, -33.23, -59.44, -58.00},
     GualeguaychuTowns},
    {"reconquista", {8, 30}, StripWidth, 98, ReconquistaSquares, {-28.92, -29.72, -60.45, -59.10}, ReconquistaTowns},
    {"parana", {8, 30}, StripWidth, 182, ParanaSquares, {-31.10, -32.12, -61.42, -59.68}, ParanaTowns},
    {"rafaela", {8, 30}, StripWidth, 120, RafaelaSquares, {-30.73, -31.57, -62.23, -60.78}, RafaelaTowns},
};

inline constexpr int SiteCount = static_cast<int>(std::size(Sites));

// Every square lies inside its strip's border, below the one before it, with the strip's
// margin under the last one.
constexpr bool squaresFitTheirStrip(const SiteLayout& site)
{
    int top = 1; // the strip's border
    for (const LegendSquare& square : site.squares) {
        const Rect& r = square.rect;
        if (r.x < 1 || r.x + r.width > site.stripWidth - 1 || r.y < top)
            return false;
        top = r.y + r.height;
    }
    return top + 5 == site.stripHeight;
}

static_assert(squaresFitTheirStrip(Sites[0]) && squaresFitTheirStrip(Sites[1]) && squaresFitTheirStrip(Sites[2]) &&
              squaresFitTheirStrip(Sites[3]) && squaresFitTheirStrip(Sites[4]));

// On the Gualeguay map a small reference cross marks a spot whose coordinates the
// window gives as a pop-up hint over a 26 x 26 area centred on it (map pixels).
inline constexpr Point GualeguayReferenceMark{22, 356};
inline constexpr int ReferenceAreaSize = 26;

} // namespace MapLegends
