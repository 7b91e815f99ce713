#include "WarningWindow.h"

#include <QLabel>

#include "ui/common/Look.h"
#include "ui/common/WindowNames.h"

WarningWindow::WarningWindow(QWidget* parent)
    : VelmaroWindow(QString(WindowNames::Warning), QStringLiteral("ATENCION"), parent)
{
    centreOnDesktopWhenFirstShown();
    behaveAsDialog();
    setFixedSize(385, 85);

    auto* heading = new QLabel(QStringLiteral("Cuidado !!!!!!!!"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setFont(Look::arial(14));
    QPalette red = heading->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    heading->setPalette(red);
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(0, 8, 385, 28);

    auto* message = new QLabel(QStringLiteral("N disponible no puede ser menor a 40"), this);
    message->setObjectName(QStringLiteral("Label2"));
    message->setFont(Look::arial(12, true));
    message->setPalette(red);
    message->setAlignment(Qt::AlignCenter);
    message->setGeometry(0, 44, 385, 26);
}
