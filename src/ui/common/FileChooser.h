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
    // The file to write; empty when the adviser cancels.
    virtual QString saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                             const QString& filter) = 0;
};

class DialogFileChooser : public FileChooser {
public:
    QStringList openFiles(QWidget* parent, const QString& caption, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter) override;
};

// Answers from a script, in order, and keeps the captions it was asked with. With the
// script used up it answers as a cancelled dialog.
class ScriptedFileChooser : public FileChooser {
public:
    QStringList openFiles(QWidget*, const QString& caption, const QString&) override
    {
        captions << caption;
        return answers.isEmpty() ? QStringList() : answers.takeFirst();
    }
    QString saveFile(QWidget*, const QString& caption, const QString&, const QString&) override
    {
        captions << caption;
        return answers.isEmpty() ? QString() : answers.takeFirst().value(0);
    }
    QList<QStringList> answers;
    QStringList captions;
};
