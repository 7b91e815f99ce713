#pragma once

#include "ui/common/VelmaroWindow.h"

class QComboBox;

// "Mapas": a small teal window that floats over the others with one drop-down list of
// the five sites. Picking a site, even the one already picked, asks for its map.
class MapChooserWindow : public VelmaroWindow {
    Q_OBJECT
public:
    explicit MapChooserWindow(QWidget* parent = nullptr);

Q_SIGNALS:
    // `index` is the site's position in the list: 0 Gualeguay, 1 Gualeguaychú,
    // 2 Reconquista, 3 Paraná, 4 Rafaela (SiteMapWindow::Site).
    void siteChosen(int index);

private:
    QComboBox* sites_ = nullptr; // ComboBox1
};
