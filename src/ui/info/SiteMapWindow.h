#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QString>
#include <QStringList>

#include "ui/common/VelmaroWindow.h"

class QLabel;

// A soil map of one of the five sites: the map picture of its landscape units, the colour
// legend at the top left, the town names over the map and a note panel at the bottom.
// Resting the pointer on a colour square of the legend writes the description of that
// landscape unit (relief and soil series) into the note panel; the pointer on the map
// picture clears it again. The maps only inform: nothing chosen here reaches a scenario.
class SiteMapWindow : public VelmaroWindow {
    Q_OBJECT
public:
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
        QString instruction;          // the teal line across the top
        QStringList zoneNames;        // one hover zone per legend square, top to bottom
        QStringList lineNames;        // note lines, top to bottom
        std::vector<NoteChange> zoneNotes; // one per zone
        NoteChange onMapPicture;
        std::optional<NoteChange> onLegendOutsideZones; // none: the legend picture ignores the pointer
        std::optional<NoteChange> onActivation;
        QString referenceHint; // pop-up hint over the map's reference mark; empty: no mark
    };

    explicit SiteMapWindow(const Setup& setup, QWidget* parent = nullptr);

    // The map window of `site` (a Site, as the map chooser's index), with its names,
    // notes and rules.
    static std::unique_ptr<SiteMapWindow> create(int site, QWidget* parent = nullptr);

    void onActivated() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(const NoteChange& change);

    Setup setup_;
    QString pictureStem_;
    QLabel* mapPicture_ = nullptr;
    QLabel* legendPicture_ = nullptr;
    std::vector<QWidget*> zones_;
    std::vector<QLabel*> lines_;
};
