#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Choosing files to read or a file to write: the system's file dialogs in the program,
// scripted answers in tests.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The files chosen to read; empty when the adviser cancels.
    virtual QStringList openFiles(QWidget* parent, const QString& caption, const QString& filter) = 0;
    // The same, the dialog opening in `folder` when there is one.
    virtual QStringList openFilesFrom(QWidget* parent, const QString& caption, const QString& filter,
                                      const QString& folder)
    {
        Q_UNUSED(folder);
        return openFiles(parent, caption, filter);
    }
    // The file to write; empty when the adviser cancels.
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                             const QString& filter) = 0;
};

class DialogFileChooser : public FileChooser {
public:
    QStringList openFiles(QWidget* parent, const QString& caption, const QString& filter) override;
    QStringList openFilesFrom(QWidget* parent, const QString& caption, const QString& filter,
                              const QString& folder) override;
    QString saveFile(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) override;
};
