#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>

void DialogMessageBoxes::information(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

bool DialogMessageBoxes::confirm(QWidget* parent, const QString& question)
{
    return QMessageBox::question(parent, QCoreApplication::applicationName(), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
