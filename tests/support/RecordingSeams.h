#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include "ui/common/ErrorReporter.h"
#include "ui/common/FileChooser.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/ProgramLauncher.h"
#include "ui/printing/ReportPrinter.h"

// Stand-ins for the seams that would block a test: each keeps what it was asked and
// answers at once.

// The error reports, kept instead of shown.
class RecordingErrorReporter : public ErrorReporter {
public:
    void report(QWidget*, const QString& message) override { messages << message; }
    QStringList messages;
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
    QString saveFile(QWidget*, const QString& caption, const QString& suggested, const QString&) override
    {
        captions << caption;
        suggestions << suggested;
        return answers.isEmpty() ? QString() : answers.takeFirst().value(0);
    }
    QList<QStringList> answers;
    QStringList captions;
    QStringList suggestions; // the names offered by each save dialog
};

// The programs asked for, none started.
class RecordingProgramLauncher : public ProgramLauncher {
public:
    void start(Program program) override { started << program; }
    QList<Program> started;
};

// Keeps the texts instead of showing them, for tests.
class RecordingMessageBoxes : public MessageBoxes {
public:
    void information(QWidget*, const QString& text) override { texts << text; }
    // Both answered from `answers` in order; unscripted, a confirmation goes ahead ("Sí")
    // and a question keeps nothing aside ("No": no saving, no recovery).
    Answer question(QWidget*, const QString& text, bool, Answer) override
    {
        questions << text;
        return answers.isEmpty() ? Answer::No : answers.takeFirst();
    }
    bool confirm(QWidget*, const QString& text) override
    {
        questions << text;
        return answers.isEmpty() || answers.takeFirst() == Answer::Yes;
    }
    QStringList texts;
    QStringList questions;
    QList<Answer> answers;
};

// Keeps what it was asked to print, for tests.
class RecordingReportPrinter : public ReportPrinter {
public:
    bool print(QWidget*, const QStringList& printedLines, const QFont& printedFont) override
    {
        ++calls;
        lines = printedLines;
        font = printedFont;
        return printed;
    }
    bool printTitled(QWidget* parent, const QString& title, const QStringList& printedLines,
                     const QFont& printedFont) override
    {
        titles << title;
        return print(parent, printedLines, printedFont);
    }

    int calls = 0;
    QStringList lines;
    QFont font;
    QStringList titles;  // of the jobs that carry one
    bool printed = true; // what print() answers
};
