#pragma once

#include <memory>
#include <vector>

#include "ui/common/VelmaroWindow.h"
#include "ui/info/SiteMapSetups.h"

class QLabel;

// A soil map of one of the five sites: the map picture of its landscape units, the colour
// legend at the top left, the town names over the map and a note panel at the bottom.
// Resting the pointer on a colour square of the legend writes the description of that
// landscape unit (relief and soil series) into the note panel; the pointer on the map
// picture clears it again. The maps only inform: nothing chosen here reaches a scenario.
class SiteMapWindow : public VelmaroWindow {
    Q_OBJECT
public:
    using Site = SiteMaps::Site;
    using enum SiteMaps::Site;
    using NoteChange = SiteMaps::NoteChange;
    using Setup = SiteMaps::Setup;

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
