#include "ToolButtonGrid.h"

#include <QGridLayout>
#include <QToolButton>

namespace ToolButtonGrid {

QList<QToolButton*> build(QWidget* bar, const QList<Button>& buttons, int columns, int width, const QFont& font,
                          const std::function<void(const QString&)>& open)
{
    auto* grid = new QGridLayout(bar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    QList<QToolButton*> made;
    for (int i = 0; i < buttons.size(); ++i) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QLatin1String(buttons[i].objectName));
        b->setText(QString::fromUtf8(buttons[i].caption));
        b->setToolTip(QString::fromUtf8(buttons[i].hint));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFixedSize(width, 24);
        b->setFont(font);
        grid->addWidget(b, i / columns, i % columns);
        if (buttons[i].opens) {
            const QString window = QLatin1String(buttons[i].opens);
            QObject::connect(b, &QToolButton::clicked, b, [open, window] { open(window); });
        }
        made << b;
    }
    return made;
}

} // namespace ToolButtonGrid
