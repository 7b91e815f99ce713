#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class ErrorReporter;
class PrintTarget;
class QPrinter;
class QWidget;

// Prints a plain-text report, one report line per printed line in a given font, one
// under another, with a new page whenever the next line would not fit.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    // Returns whether something was printed.
    virtual bool print(QWidget* parent, const QStringList& lines, const QFont& font) = 0;
    // The same as a job with this title, the name a PDF file is offered under.
    virtual bool printTitled(QWidget* parent, const QString& title, const QStringList& lines, const QFont& font)
    {
        Q_UNUSED(title);
        return print(parent, lines, font);
    }

protected:
    // Draws the lines on the printer inside its page rectangle. When the
    // printer cannot be written to, the failure goes to `errors` (when given) and
    // nothing more is printed.
    static bool printLines(QPrinter& printer, const QStringList& lines, const QFont& font, QWidget* parent,
                           ErrorReporter* errors);
};

// The system print dialog, then the printer the adviser chose.
class DialogReportPrinter : public ReportPrinter {
public:
    // With no printer installed, jobs go where `target` says (a PDF file the adviser names).
    explicit DialogReportPrinter(ErrorReporter* errors = nullptr, PrintTarget* target = nullptr)
        : errors_(errors),
          target_(target)
    {
    }
    bool print(QWidget* parent, const QStringList& lines, const QFont& font) override;
    bool printTitled(QWidget* parent, const QString& title, const QStringList& lines, const QFont& font) override;

private:
    ErrorReporter* errors_;
    PrintTarget* target_;
};

// Prints straight into a PDF file, without asking: the same drawing as on paper.
class PdfReportPrinter : public ReportPrinter {
public:
    explicit PdfReportPrinter(const QString& filePath, ErrorReporter* errors = nullptr)
        : filePath_(filePath),
          errors_(errors)
    {
    }
    bool print(QWidget* parent, const QStringList& lines, const QFont& font) override;

private:
    QString filePath_;
    ErrorReporter* errors_;
};
