#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

void DialogMessageBoxes::information(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

bool DialogMessageBoxes::question(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QCoreApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}
