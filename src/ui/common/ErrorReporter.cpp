#include "ErrorReporter.h"

#include <QCoreApplication>
#include <QMessageBox>

void DialogErrorReporter::report(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, QCoreApplication::applicationName(), message, QMessageBox::Ok);
}
