#include "HelpPrintWindow.h"

#include <utility>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QVBoxLayout>

#include "core/HelpDocumentLocation.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/GradientButton.h"
#include "ui/common/WindowNames.h"
#include "ui/printing/HelpDocumentPrinter.h"
#include "ui/printing/PdfJobFile.h"
#include "ui/printing/PrintTarget.h"

HelpPrintWindow::HelpPrintWindow(PrintTarget& target, ErrorReporter& errors, QWidget* parent)
    : VelmaroWindow(QString(WindowNames::HelpPrint), QStringLiteral("Imprimir"), parent),
      target_(target),
      errors_(errors)
{
    centreOnDesktopWhenFirstShown();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(760, 560);

    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(QStringLiteral("¿Está seguro?"), this);
    question->setObjectName(QStringLiteral("Label1"));
    QFont bold(QStringLiteral("Arial"), 12);
    bold.setBold(true);
    question->setFont(bold);
    question->setAlignment(Qt::AlignCenter);
    layout->addWidget(question);

    auto* buttons = new QHBoxLayout;
    auto* setup = new GradientButton(QStringLiteral("AbColBitBtn1"), QStringLiteral("Config. Impresora"), this);
    auto* yes = new GradientButton(QStringLiteral("AbColBitBtn2"), QStringLiteral("Si"), this);
    auto* no = new GradientButton(QStringLiteral("AbColBitBtn3"), QStringLiteral("No"), this);
    for (GradientButton* b : {setup, yes, no}) {
        b->setFixedSize(170, 34);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    layout_ = layout; // the preview joins it at the first activation

    connect(setup, &QPushButton::clicked, this, [this] { target_.setUp(this); });
    connect(yes, &QPushButton::clicked, this, &HelpPrintWindow::printAll);
    connect(no, &QPushButton::clicked, this, &QWidget::hide);
    behaveAsDialog(yes);
}

HelpPrintWindow::~HelpPrintWindow() = default;

void HelpPrintWindow::ensurePreview()
{
    // Made on first need: a printer, even one that only lays out pages, loads the print system.
    if (preview_)
        return;
    previewPrinter_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    previewPrinter_->setOutputFormat(QPrinter::PdfFormat); // A4 pages whether or not a printer is installed
    HelpDocumentPrinter::preparePage(*previewPrinter_);
    preview_ = new QPrintPreviewWidget(previewPrinter_.get(), this);
    preview_->setObjectName(QStringLiteral("GmPreview1"));
    preview_->setViewMode(QPrintPreviewWidget::FacingPagesView);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    layout_->addWidget(preview_, 1);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { HelpDocumentPrinter::print(document_, *printer); });
}

void HelpPrintWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        leftForModal_ = QApplication::activeModalWidget() != nullptr;
    VelmaroWindow::changeEvent(event);
}

void HelpPrintWindow::onActivated()
{
    if (reporting_ || std::exchange(leftForModal_, false))
        return;
    ensurePreview();
    QString error;
    if (!HelpDocumentPrinter::load(documentPath(), document_, &error)) {
        reporting_ = true;
        errors_.report(this, error);
        reporting_ = false;
        return;
    }
    preview_->updatePreview();
}

int HelpPrintWindow::pageCount() const
{
    return preview_ ? preview_->pageCount() : 0;
}

bool HelpPrintWindow::printAll()
{
    QPrinter& printer = target_.printer();
    const QPageLayout before = printer.pageLayout();
    bool printed = false;
    if (target_.prepareJob(this, QStringLiteral("<document>"))) {
        HelpDocumentPrinter::preparePage(printer);
        printer.setCopyCount(1);
        printer.setPrintRange(QPrinter::AllPages);
        PdfJobFile file(printer);
        QString failed = file.refusal();
        if (failed.isEmpty() &&
            HelpDocumentPrinter::print(document_, printer, [] { QCoreApplication::processEvents(); }) < 0)
            failed = QStringLiteral("No se pudo imprimir el documento de ayuda.");
        if (failed.isEmpty())
            failed = file.finish();
        printed = failed.isEmpty();
        if (!printed)
            errors_.report(this, failed);
    }
    printer.setPageLayout(before);
    return printed;
}

QString HelpPrintWindow::documentPath()
{
    return HelpDocumentLocation::find();
}
