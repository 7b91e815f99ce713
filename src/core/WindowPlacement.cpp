#include "WindowPlacement.h"

#include <algorithm>
#include <limits>

namespace WindowPlacement {

QRect inside(const QRect& frame, const QRect& area)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() - fitted.height() + 1));
    return fitted;
}

QPoint clearOf(QSize size, const QRect& area, const QList<QRect>& keepClear, QPoint preferred)
{
    const auto covered = [&keepClear](const QRect& frame) {
        qint64 sum = 0;
        for (const QRect& r : keepClear) {
            const QRect common = r.intersected(frame);
            sum += qint64(common.width()) * common.height();
        }
        return sum;
    };
    QList<QPoint> spots{preferred};
    for (const QRect& r : keepClear)
        spots << QPoint(r.left(), r.bottom() + 1) << QPoint(r.left(), r.top() - size.height())
              << QPoint(r.right() + 1, r.top()) << QPoint(r.left() - size.width(), r.top());
    spots << area.topLeft() << QPoint(area.right() + 1 - size.width(), area.top())
          << QPoint(area.left(), area.bottom() + 1 - size.height())
          << QPoint(area.right() + 1 - size.width(), area.bottom() + 1 - size.height());
    QPoint best = preferred;
    qint64 least = std::numeric_limits<qint64>::max();
    for (const QPoint& spot : std::as_const(spots)) {
        const QRect frame = inside(QRect(spot, size), area);
        const qint64 cover = covered(frame);
        if (cover < least) {
            least = cover;
            best = frame.topLeft();
        }
        if (cover == 0)
            break;
    }
    return best;
}

} // namespace WindowPlacement
