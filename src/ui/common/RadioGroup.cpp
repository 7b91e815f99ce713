#include "RadioGroup.h"

#include <algorithm>

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString& objectName, const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent),
      group_(new QButtonGroup(this))
{
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        layout->addWidget(button);
        buttons_ << button;
    }
    layout->addStretch();
    // One Tab stop per group, as in every dialog: the chosen item, or the first while none
    // is; the arrow keys move between the items.
    const auto tabStops = [this] {
        const int chosen = std::max(0, group_->checkedId());
        for (int i = 0; i < buttons_.size(); ++i)
            buttons_[i]->setFocusPolicy(i == chosen ? Qt::StrongFocus : Qt::ClickFocus);
    };
    tabStops();
    connect(group_, &QButtonGroup::idToggled, this, [this, tabStops](int id, bool checked) {
        tabStops();
        if (checked)
            Q_EMIT selectionChanged(id);
    });
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton* b = button(index))
        b->setChecked(true);
}

QString RadioGroup::itemText(int index) const
{
    const QRadioButton* b = button(index);
    return b ? b->text() : QString();
}

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < buttons_.size() ? buttons_[index] : nullptr;
}
