#pragma once

#include <memory>

#include <QTextDocument>

#include "ui/common/VelmaroWindow.h"

class QPrinter;
class QPrintPreviewWidget;
class QVBoxLayout;
class ErrorReporter;
class PrintTarget;

// "Imprimir" for the help document: "¿Está seguro?", three buttons and a preview of the
// A4 pages two at a time. Every activation reads the document again; a refused file is
// reported once and the pages shown before stay. Coming back from a modal box or dialog
// (the report itself, the printer setup) is no new activation: it would read the same file
// and show the same box again.
class HelpPrintWindow : public VelmaroWindow {
    Q_OBJECT
public:
    HelpPrintWindow(PrintTarget& target, ErrorReporter& errors, QWidget* parent = nullptr);
    ~HelpPrintWindow() override;

    // The same document, found the same way, as the main window's help area.
    static QString documentPath();

    void onActivated() override;
    int pageCount() const;
    const QTextDocument& document() const { return document_; }

    // "Si": every page to the printer, one copy, as the job "<document>", no dialog.
    bool printAll();

protected:
    void changeEvent(QEvent* event) override;

private:
    void ensurePreview();

    PrintTarget& target_;
    ErrorReporter& errors_;
    QTextDocument document_;
    std::unique_ptr<QPrinter> previewPrinter_;
    QPrintPreviewWidget* preview_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    bool reporting_ = false;    // a report's box is open
    bool leftForModal_ = false; // deactivated by a modal box or dialog of the program
};
