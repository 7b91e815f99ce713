#include "SelectAllOnEntry.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

namespace {

class Selector : public QObject {
public:
    explicit Selector(QLineEdit* field) : QObject(field), field_(field) { }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != field_)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
            field_->selectAll();
            fresh_ = true;
            break;
        case QEvent::FocusOut:
        case QEvent::KeyPress:
            fresh_ = false;
            break;
        case QEvent::MouseButtonRelease:
            // The press of the click that gave the focus put the cursor where it landed;
            // a drag that selected part of the text is left as it is.
            if (fresh_ && !field_->hasSelectedText())
                field_->selectAll();
            fresh_ = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QLineEdit* field_;
    bool fresh_ = false;
};

} // namespace

void SelectAllOnEntry::install(QLineEdit* field)
{
    field->installEventFilter(new Selector(field));
}
