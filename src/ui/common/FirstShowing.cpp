#include "FirstShowing.h"

#include <utility>

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QString>

namespace {

class PolishWatch final : public QObject {
public:
    PolishWatch(QWidget* widget, std::function<void()> work) : QObject(widget), work_(std::move(work))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Polish || !work_)
            return false;
        // The widget takes its polish (style, font) first: the work measures with it.
        watched->removeEventFilter(this);
        watched->event(event);
        const auto work = std::exchange(work_, nullptr);
        work();
        deleteLater();
        return true;
    }

private:
    std::function<void()> work_;
};

} // namespace

namespace FirstShowing {

void run(QWidget* widget, std::function<void()> work)
{
    if (widget->testAttribute(Qt::WA_WState_Polished))
        work();
    else
        new PolishWatch(widget, std::move(work));
}

void picture(QLabel* label, const QString& file)
{
    run(label, [label, file] { label->setPixmap(QPixmap(file)); });
}

} // namespace FirstShowing
