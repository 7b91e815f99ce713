#include "MapChooserWindow.h"
#include "ui/common/WindowNames.h"

#include <QComboBox>

MapChooserWindow::MapChooserWindow(QWidget* parent)
    : VelmaroWindow(QString(WindowNames::MapChooser), QStringLiteral("Mapas"), parent)
{
    // Look: a small teal tool window that stays on top, holding the list of sites.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setFixedSize(190, 48);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(teal);

    sites_ = new QComboBox(this);
    sites_->setObjectName(QStringLiteral("ComboBox1"));
    sites_->setGeometry(12, 13, 166, 22);
    sites_->addItems({QStringLiteral("A : Gualeguay"), QStringLiteral("B: Gualeguaychú"),
                      QStringLiteral("C: Reconquista"), QStringLiteral("D: Paraná"), QStringLiteral("E: Rafaela")});
    // Before anything is picked the list reads "Gualeguay" with no item selected.
    sites_->setPlaceholderText(QStringLiteral("Gualeguay"));
    QPalette plain = sites_->palette();
    plain.setColor(QPalette::PlaceholderText, plain.color(QPalette::ButtonText));
    sites_->setPalette(plain);
    sites_->setCurrentIndex(-1);

    // Behaviour: every pick counts, also picking the item already shown.
    connect(sites_, &QComboBox::activated, this, &MapChooserWindow::siteChosen);
}
