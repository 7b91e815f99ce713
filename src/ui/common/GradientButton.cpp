#include "GradientButton.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/common/Look.h"

GradientButton::GradientButton(const QString& objectName, const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    setObjectName(objectName);
    setFont(Look::arial(12, true));
    setCursor(Qt::PointingHandCursor);
    setFlat(true);
    setAttribute(Qt::WA_Hover);
}

void GradientButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(1, 1, -1, -1);
    const bool down = isDown();
    const bool hover = underMouse();
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, down ? QColor(0, 90, 90) : hover ? QColor(90, 200, 200) : QColor(70, 170, 170));
    gradient.setColorAt(1, down ? QColor(40, 140, 140) : QColor(0, 96, 96));
    QPainterPath path;
    path.addRoundedRect(face, 6, 6);
    p.fillPath(path, gradient);
    p.setPen(QPen(QColor(0, 64, 64), 1));
    p.drawPath(path);
    p.setPen(isEnabled() ? Qt::white : QColor(200, 200, 200));
    p.setFont(font());
    p.drawText(face.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text().remove(u'&'));
}
