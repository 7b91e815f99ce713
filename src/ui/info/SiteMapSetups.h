#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QString>
#include <QStringList>

// The five site maps as data: each window's names and caption, its hover zones and note
// lines, and the soil descriptions each zone writes into the note panel. The drawing of
// the maps themselves is in MapLegends.h, shared with the picture generator.
namespace SiteMaps {

// The sites in the order the scenario dialog and the map chooser list them.
enum Site { Gualeguay, Gualeguaychu, Reconquista, Parana, Rafaela, SiteCount };

// What one pointer movement (or an activation) does to the note panel. Lines count
// from 1, top to bottom; emptied lines are cleared first, then written lines get their
// text and are shown, then hidden lines are hidden. Lines not named keep their text
// and visibility.
struct NoteChange {
    std::vector<std::pair<int, QString>> written;
    std::vector<int> emptied;
    std::vector<int> hidden;
};

// Everything that makes one site's window.
struct Setup {
    Site site;
    QString objectName;
    QString caption;
    QString instruction;               // the teal line across the top
    QStringList zoneNames;             // one hover zone per legend square, top to bottom
    QStringList lineNames;             // note lines, top to bottom
    std::vector<NoteChange> zoneNotes; // one per zone
    NoteChange onMapPicture;
    std::optional<NoteChange> onLegendOutsideZones; // none: the legend picture ignores the pointer
    std::optional<NoteChange> onActivation;
    QString referenceHint; // pop-up hint over the map's reference mark; empty: no mark
};

// The set-up of `site` (a Site, as the map chooser's index); none for any other number.
std::optional<Setup> setupFor(int site);

} // namespace SiteMaps
