#include "FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include "ui/common/VelmaroWindow.h"

namespace {

constexpr int Width = 3; // the ring lies this far outside the control

} // namespace

FocusRing::FocusRing(QWidget* window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    window->installEventFilter(this); // a window laid out anew moves its controls
    hide();
}

void FocusRing::follow(QObject* context)
{
    const auto ringOf = [](QWidget* control, bool make) -> FocusRing* {
        QWidget* window = control ? control->window() : nullptr;
        if (!qobject_cast<VelmaroWindow*>(window) || window == control)
            return nullptr;
        auto* ring = window->findChild<FocusRing*>(QString(), Qt::FindDirectChildrenOnly);
        return ring || !make ? ring : new FocusRing(window);
    };
    QObject::connect(qApp, &QApplication::focusChanged, context, [ringOf](QWidget* old, QWidget* now) {
        if (FocusRing* ring = ringOf(old, false))
            ring->surround(nullptr);
        if (FocusRing* ring = ringOf(now, true))
            ring->surround(now);
    });
}

void FocusRing::surround(QWidget* control)
{
    if (control_)
        control_->removeEventFilter(this);
    control_ = control;
    if (!control_) {
        hide();
        return;
    }
    control_->installEventFilter(this);
    place();
}

void FocusRing::place()
{
    if (!control_ || !control_->isVisible()) {
        hide();
        return;
    }
    const QRect control(control_->mapTo(parentWidget(), QPoint()), control_->size());
    setGeometry(control.adjusted(-Width, -Width, Width, Width).intersected(parentWidget()->rect()));
    raise();
    show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::LayoutRequest:
        if (watched == control_ || watched == parentWidget())
            place();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QPen(QColor(255, 140, 0), 2));
    painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
}
