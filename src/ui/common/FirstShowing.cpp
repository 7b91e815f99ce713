#include "FirstShowing.h"

#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QFont>
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
        // The widget takes its polish (style, font) first, and any other work waiting for it
        // with it: the work measures with that, and runs after the work asked for before it.
        watched->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
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

void font(QWidget* widget, const QFont& font)
{
    run(widget, [widget, font] { widget->setFont(font); });
}

} // namespace FirstShowing
