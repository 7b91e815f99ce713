#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

void DialogMessageBoxes::information(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text, QMessageBox::Ok);
}

MessageBoxes::Answer DialogMessageBoxes::question(QWidget* parent, const QString& text, bool cancellable,
                                                  Answer preferred)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    // Escape and the close box answer Cancel; without `cancellable` that button is not shown.
    QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    cancel->setVisible(cancellable);
    box.setDefaultButton(preferred == Answer::Yes ? yes : preferred == Answer::No ? no : cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}
