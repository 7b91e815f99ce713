#include "MarkLegendItem.h"

MarkLegendItem::MarkLegendItem(QCPLegend* legend, const QString& text, const QPen& pen, const QBrush& brush)
    : QCPAbstractLegendItem(legend),
      text_(text),
      pen_(pen),
      brush_(brush)
{
    setSelectable(false);
}

QRect MarkLegendItem::textRect() const
{
    return QFontMetrics(mFont).boundingRect(0, 0, 0, mParentLegend->iconSize().height(), Qt::TextDontClip, text_);
}

void MarkLegendItem::draw(QCPPainter* painter)
{
    const QSize icon = mParentLegend->iconSize();
    const QRect iconRect(mRect.topLeft(), icon);
    painter->setFont(mFont);
    painter->setPen(mTextColor);
    painter->drawText(mRect.x() + icon.width() + mParentLegend->iconTextPadding(), mRect.y(), textRect().width(),
                      std::max(textRect().height(), icon.height()), Qt::TextDontClip, text_);
    painter->save();
    painter->setClipRect(iconRect);
    painter->setPen(Qt::NoPen);
    painter->setBrush(brush_);
    painter->drawRect(iconRect);
    // The line as the chart draws it, upright through the middle of the icon.
    painter->setPen(pen_);
    painter->drawLine(QPointF(iconRect.center().x(), iconRect.top()),
                      QPointF(iconRect.center().x(), iconRect.bottom()));
    painter->restore();
}

QSize MarkLegendItem::minimumOuterSizeHint() const
{
    const QSize icon = mParentLegend->iconSize();
    const QRect text = textRect();
    return QSize(icon.width() + mParentLegend->iconTextPadding() + text.width() + mMargins.left() + mMargins.right(),
                 std::max(text.height(), icon.height()) + mMargins.top() + mMargins.bottom());
}
