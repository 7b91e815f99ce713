#include "HelpMark.h"

#include <QFontMetrics>
#include <QMouseEvent>

#include "ui/common/Look.h"

HelpMark::HelpMark(const QString& objectName, const QString& text, int normalPoints, int hoverPoints, QWidget* parent)
    : QLabel(text, parent),
      normalPoints_(normalPoints),
      hoverPoints_(hoverPoints)
{
    setObjectName(objectName);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setLook(false);
}

QSize HelpMark::sizeHint() const
{
    const QSize text = QFontMetrics(Look::arial(hoverPoints_, true)).size(Qt::TextSingleLine, this->text());
    return text.grownBy(contentsMargins());
}

void HelpMark::reset()
{
    if (highlighted_)
        setLook(false);
}

void HelpMark::setHoverColour(const QColor& colour)
{
    hoverColour_ = colour;
    if (highlighted_)
        setLook(true);
}

void HelpMark::setLook(bool highlighted)
{
    highlighted_ = highlighted;
    setFont(Look::arial(highlighted ? hoverPoints_ : normalPoints_, true));
    QPalette p = palette();
    p.setColor(QPalette::WindowText, highlighted ? hoverColour_ : QColor(Qt::red));
    setPalette(p);
    // Measuring loads the larger face: a mark not yet on screen is measured at its polish.
    if (testAttribute(Qt::WA_WState_Polished))
        adjustSize();
}

bool HelpMark::event(QEvent* event)
{
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::Polish)
        adjustSize();
    return handled;
}

void HelpMark::mouseMoveEvent(QMouseEvent* event)
{
    if (!highlighted_)
        setLook(true);
    event->accept(); // the chart or panel beneath must not see it and calm the mark down
}

void HelpMark::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    event->accept();
}
