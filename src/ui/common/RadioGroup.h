#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A captioned box of radio items, one column, one item selected at a time.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& objectName, const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QString itemText(int index) const;
    QString selectedText() const { return itemText(itemIndex()); }
    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const;

Q_SIGNALS:
    // The selection changed through the user or through setItemIndex.
    void selectionChanged(int index);

private:
    QButtonGroup* group_;
    QList<QRadioButton*> buttons_;
};
