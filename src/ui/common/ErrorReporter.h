#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The standard error report: a message box naming what went wrong (a text that is not
// a number, a file that cannot be opened). The action that failed ends there.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(QWidget* parent, const QString& message) = 0;
};

class DialogErrorReporter : public ErrorReporter {
public:
    void report(QWidget* parent, const QString& message) override;
};
