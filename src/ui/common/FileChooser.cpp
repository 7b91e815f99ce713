#include "FileChooser.h"

#include <QFileDialog>

QStringList DialogFileChooser::openFiles(QWidget* parent, const QString& caption, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, caption, QString(), filter);
}

QStringList DialogFileChooser::openFilesFrom(QWidget* parent, const QString& caption, const QString& filter,
                                             const QString& folder)
{
    return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
}

QString DialogFileChooser::saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                                    const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}
