#include "AccessibleNames.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <qcustomplot.h>

#include "ui/common/HelpMark.h"

namespace {

// A label's words as one line: rich text reduced to its text, line breaks to blanks.
QString plainWords(const QString& text)
{
    QString words = Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    words.remove(QLatin1Char('&'));
    return words.simplified();
}

bool isField(const QWidget& w)
{
    if (qobject_cast<const QScrollBar*>(&w))
        return false;
    // The line edit inside a spin box or an editable list is part of that control.
    if (qobject_cast<const QAbstractSpinBox*>(w.parentWidget()) || qobject_cast<const QComboBox*>(w.parentWidget()))
        return false;
    return qobject_cast<const QLineEdit*>(&w) || qobject_cast<const QComboBox*>(&w) ||
        qobject_cast<const QAbstractSlider*>(&w) || qobject_cast<const QAbstractSpinBox*>(&w) ||
        qobject_cast<const QTextEdit*>(&w) || qobject_cast<const QPlainTextEdit*>(&w) ||
        qobject_cast<const QAbstractItemView*>(&w);
}

bool isCaption(const QLabel* label)
{
    return !qobject_cast<const HelpMark*>(label) && !plainWords(label->text()).isEmpty();
}

// Where a label's words are. A label that was only moved keeps its default size until
// shown, so its text decides, not its box; the extent is estimated from the font's size
// rather than measured, which would load every font of every window at start-up.
QRect textBox(const QLabel* label)
{
    const QRect g = label->geometry();
    if (label->testAttribute(Qt::WA_Resized))
        return g;
    const QFont font = label->font();
    const qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    qsizetype longest = 0;
    for (const QString& line : lines)
        longest = std::max(longest, line.size());
    const QSize estimate(qRound(longest * pixels * 0.6), qRound(lines.size() * pixels * 1.3));
    return QRect(g.topLeft(), g.size().boundedTo(estimate));
}

// In a row or column laid out by a layout, the caption placed just before the field.
QString labelBeforeInLayout(const QWidget& field)
{
    const QLayout* layout = field.parentWidget()->layout();
    const int index = layout ? layout->indexOf(&field) : -1;
    for (int i = index - 1; i >= 0; --i)
        if (const auto* label = qobject_cast<const QLabel*>(layout->itemAt(i)->widget()); label && isCaption(label))
            return plainWords(label->text());
    return {};
}

// A caption of several stacked lines, flush left and close together, read whole.
QString captionBlock(const QLabel* first, const QList<const QLabel*>& captions)
{
    QList<const QLabel*> block{first};
    for (bool grown = true; grown;) {
        grown = false;
        for (const QLabel* label : captions) {
            if (block.contains(label) || std::abs(label->x() - first->x()) > 2)
                continue;
            for (const QLabel* member : std::as_const(block))
                if (std::abs(label->y() - member->y()) <= 20) {
                    block << label;
                    grown = true;
                    break;
                }
        }
    }
    std::sort(block.begin(), block.end(), [](const QLabel* a, const QLabel* b) { return a->y() < b->y(); });
    QStringList words;
    for (const QLabel* label : std::as_const(block))
        words << plainWords(label->text());
    return words.join(QLatin1Char(' '));
}

// The label a caption-less field is read by: one whose buddy it is, else the caption
// placed before it in its layout, else the closest caption on its row to its left, else
// the closest one above it in its column (with its row's heading for a cell of a table).
QString labelFor(const QWidget& field)
{
    const QWidget* parent = field.parentWidget();
    if (!parent)
        return {};
    QList<const QLabel*> captions;
    for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == &field)
            return plainWords(label->text());
        if (isCaption(label))
            captions << label;
    }
    if (const QString before = labelBeforeInLayout(field); !before.isEmpty())
        return before;

    // The other fields of the same parent: a caption to the right of one of them on the
    // field's row is that field's unit, not this one's name; fields on both its row and
    // its column make the field a cell of a table.
    const QRect box = field.geometry();
    auto onRow = [&box](const QRect& r) { return r.top() < box.bottom() && r.bottom() > box.top(); };
    auto inColumn = [&box](const QRect& r) { return r.left() < box.right() && r.right() > box.left(); };
    QList<QRect> fieldsToTheLeft;
    bool fieldOnRow = false;
    bool fieldInColumn = false;
    for (const QWidget* sibling : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (sibling == &field || !isField(*sibling))
            continue;
        const QRect g = sibling->geometry();
        fieldOnRow = fieldOnRow || onRow(g);
        fieldInColumn = fieldInColumn || inColumn(g);
        if (onRow(g) && g.right() <= box.left() + 2)
            fieldsToTheLeft << g;
    }
    auto isBeside = [&](const QLabel* label) {
        const QRect l = textBox(label);
        return onRow(l) && l.right() <= box.left() + 2 &&
            std::none_of(fieldsToTheLeft.cbegin(), fieldsToTheLeft.cend(),
                         [&l](const QRect& f) { return f.right() <= l.left() + 2; });
    };
    auto isAbove = [&](const QLabel* label) {
        const QRect l = textBox(label);
        return inColumn(l) && l.bottom() <= box.top() + 2;
    };
    const QLabel* beside = nullptr;
    const QLabel* above = nullptr;
    for (const QLabel* label : std::as_const(captions)) {
        if (isBeside(label) && (!beside || label->x() > beside->x()))
            beside = label;
        if (isAbove(label) && (!above || label->y() > above->y()))
            above = label;
    }
    // A cell of a table of fields: its column's caption, then its row's heading.
    if (fieldOnRow && fieldInColumn && above) {
        const QLabel* rowHeading = nullptr;
        for (const QLabel* label : std::as_const(captions))
            if (onRow(textBox(label)) && textBox(label).right() <= box.left() + 2 &&
                std::none_of(fieldsToTheLeft.cbegin(), fieldsToTheLeft.cend(),
                             [label](const QRect& f) { return f.right() <= label->x() + 2; }) &&
                (!rowHeading || label->x() < rowHeading->x()))
                rowHeading = label;
        const QString column = captionBlock(above, captions);
        return rowHeading ? column + QStringLiteral(", ") + plainWords(rowHeading->text()) : column;
    }
    if (beside && above) // the nearer one; a caption beside weighs more than one above
        return captionBlock(
            box.left() - textBox(beside).right() <= 2 * (box.top() - above->geometry().bottom()) ? beside : above,
            captions);
    if (beside || above)
        return captionBlock(beside ? beside : above, captions);
    return {};
}

// Qt's own name for a widget inside a captioned box is the box's title.
bool insideTitledBox(const QWidget& widget)
{
    const auto* box = qobject_cast<const QGroupBox*>(widget.parentWidget());
    return box && !box->title().isEmpty();
}

void nameChart(QCustomPlot& chart)
{
    QString title;
    for (int i = 0; i < chart.plotLayout()->elementCount(); ++i)
        if (const auto* text = qobject_cast<const QCPTextElement*>(chart.plotLayout()->elementAt(i)))
            title = plainWords(text->text());
    if (chart.accessibleName().isEmpty())
        chart.setAccessibleName(title.isEmpty() ? chart.window()->windowTitle() : title);
    if (chart.accessibleDescription().isEmpty())
        chart.setAccessibleDescription(
            QStringLiteral("Gráfico %1. Eje horizontal: %2. Eje vertical: %3.")
                .arg(title, plainWords(chart.xAxis->label()), plainWords(chart.yAxis->label())));
}

} // namespace

void AccessibleNames::apply(QWidget& window)
{
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->accessibleName().isEmpty())
            continue;
        QString name;
        if (auto* chart = qobject_cast<QCustomPlot*>(widget)) {
            nameChart(*chart);
            continue;
        } else if (qobject_cast<HelpMark*>(widget)) {
            name = widget->toolTip().isEmpty() ? QStringLiteral("Ayuda") : widget->toolTip();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (!plainWords(button->text()).isEmpty())
                continue; // Qt reads the caption, as it is at the time
            name = button->toolTip();
            if (name.isEmpty())
                name = labelFor(*button);
        } else if (isField(*widget) && !insideTitledBox(*widget)) {
            name = labelFor(*widget);
            if (name.isEmpty())
                name = widget->toolTip();
            if (name.isEmpty()) // the one field of its window, such as a help text
                name = window.windowTitle();
        }
        if (!name.isEmpty())
            widget->setAccessibleName(plainWords(name));
    }
}
