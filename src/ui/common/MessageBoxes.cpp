#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

void DialogMessageBoxes::information(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}
