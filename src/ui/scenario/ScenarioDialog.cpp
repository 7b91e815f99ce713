#include "ScenarioDialog.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "core/ScenarioSlots.h"
#include "core/ScenarioVocabulary.h"
#include "ui/common/FirstShowing.h"
#include "ui/common/Look.h"
#include "ui/common/RadioGroup.h"
#include "ui/common/WindowNames.h"

namespace {

QString headingFor(int slot)
{
    return QStringLiteral("E S C E N A R I O  %1").arg(slot);
}

QStringList names(const QList<ScenarioChoice>& choices)
{
    QStringList list;
    for (const ScenarioChoice& c : choices)
        list << c.displayName;
    return list;
}

void colour(QWidget* group, const char* colourName)
{
    // A style sheet restyles every item of the group as it is set: done as the group first shows.
    const QString sheet =
        QStringLiteral("QGroupBox, QRadioButton { color: %1; font-family: Arial; }").arg(QLatin1String(colourName));
    FirstShowing::run(group, [group, sheet] { group->setStyleSheet(sheet); });
}

} // namespace

ScenarioDialog::ScenarioDialog(ScenarioSlots& scenarioSlots, QWidget* parent)
    : VelmaroWindow(QString(WindowNames::ScenarioDialog), QStringLiteral("Elección de escenario"), parent),
      slots_(scenarioSlots)
{
    setFixedSize(432, 350);
    FirstShowing::font(this, QFont(QStringLiteral("MS Sans Serif"), 8));

    auto* headingPanel = new QFrame(this);
    headingPanel->setObjectName(QStringLiteral("Panel1"));
    headingPanel->setGeometry(4, 4, 407, 29);
    headingPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    headingPanel->setLineWidth(3);
    heading_ = new QLabel(headingFor(1), headingPanel);
    heading_->setObjectName(QStringLiteral("Label1"));
    heading_->setGeometry(0, 0, 407, 29);
    heading_->setAlignment(Qt::AlignCenter);
    heading_->setFont(Look::arialPixels(13, true));
    heading_->setStyleSheet(QStringLiteral("color: teal;"));

    QStringList siteNames;
    for (const ScenarioSite& s : ScenarioVocabulary::sites())
        siteNames << s.site.displayName;
    sites_ = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("SITIO"), siteNames, this);
    sites_->setGeometry(8, 40, 121, 241);
    colour(sites_, "green");

    for (int site = 0; site < 5; ++site) {
        auto* group = new RadioGroup(QStringLiteral("RadioGroup%1").arg(5 + site), QStringLiteral("Unidad de paisaje"),
                                     names(ScenarioVocabulary::sites()[site].units), this);
        group->setGeometry(site == 0 ? 132 : 133, 40, 173, site == 0 ? 137 : 136);
        colour(group, "blue");
        group->setItemIndex(0);
        unitGroups_[site] = group;
    }

    water_ = new RadioGroup(QStringLiteral("RadioGroup4"), QStringLiteral("AGUA A LA SIEMBRA"),
                            names(ScenarioVocabulary::waters()), this);
    water_->setGeometry(132, 183, 173, 97);
    colour(water_, "grey");

    cultivars_ = new RadioGroup(QStringLiteral("RadioGroup2"), QStringLiteral("CULTIVAR"),
                                names(ScenarioVocabulary::cultivars()), this);
    cultivars_->setGeometry(312, 40, 101, 241);
    colour(cultivars_, "red");

    ok_ = new QPushButton(Look::standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("BitBtn1"));
    ok_->setGeometry(8, 283, 408, 25);

    // Every list starts on its first item.
    sites_->setItemIndex(0);
    water_->setItemIndex(0);
    cultivars_->setItemIndex(0);
    // Showing the chosen site's units prepares them (and their font) for the screen: done as
    // the dialog first shows.
    FirstShowing::run(this, [this] { applySiteRule(); });

    connect(sites_, &RadioGroup::selectionChanged, this, &ScenarioDialog::applySiteRule);
    connect(ok_, &QPushButton::clicked, this, &ScenarioDialog::accept);
    behaveAsDialog(ok_);
}

void ScenarioDialog::openForSlot(int slot)
{
    show();
    raise();
    activateWindow();
    heading_->setText(headingFor(slot));
}

QString ScenarioDialog::heading() const
{
    return heading_->text();
}

void ScenarioDialog::onActivated()
{
    applySiteRule();
}

void ScenarioDialog::showEvent(QShowEvent* event)
{
    VelmaroWindow::showEvent(event);
    if (!placed_ && parentWidget() == nullptr) {
        placed_ = true;
        // Centred on the main window the first time it is shown.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == WindowNames::Main && w->isVisible()) {
                move(w->frameGeometry().center() - QPoint(width() / 2, height() / 2));
                break;
            }
        }
    }
}

void ScenarioDialog::applySiteRule()
{
    const int site = sites_->itemIndex();
    for (int i = 0; i < static_cast<int>(unitGroups_.size()); ++i)
        unitGroups_[i]->setVisible(i == site);
}

void ScenarioDialog::accept()
{
    int slot = 0;
    for (int s = 1; s <= 3; ++s)
        if (heading_->text() == headingFor(s))
            slot = s;

    const int site = sites_->itemIndex();
    const int cultivar = cultivars_->itemIndex();
    const int water = water_->itemIndex();
    const RadioGroup* units = site >= 0 && site < 5 ? unitGroups_[site] : nullptr;
    const int unit = units ? units->itemIndex() : -1;
    const QString code = ScenarioVocabulary::code(site, unit, cultivar, water);

    hide();
    if (slot == 0 || code.size() != 4)
        return;
    slots_.confirm(slot, sites_->selectedText(), units->selectedText(), cultivars_->selectedText(),
                   water_->selectedText(), code.mid(0, 1), code.mid(1, 1), code.mid(2, 1), code.mid(3, 1));
}
