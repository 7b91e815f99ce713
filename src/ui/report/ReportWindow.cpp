#include "ReportWindow.h"

#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTimer>
#include <QVBoxLayout>

#include "core/AdviserCase.h"
#include "core/EconomicSituation.h"
#include "core/ResponseTable.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FileChooser.h"
#include "ui/printing/PrintTarget.h"
#include "ui/report/ReportPages.h"

#ifndef VELMARO_VERSION
#define VELMARO_VERSION ""
#endif

ReportWindow::ReportWindow(const AdviserCase& adviserCase, const EconomicSituation& situation, PrintTarget& target,
                           FileChooser& files, ErrorReporter& errors, QWidget* parent)
    : VelmaroWindow(QStringLiteral("ReportWindow"), QStringLiteral("Informe"), parent),
      case_(adviserCase),
      situation_(situation),
      target_(target),
      files_(files),
      errors_(errors)
{
    resize(900, 720);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* print = button("ReportPrintButton", QStringLiteral("Imprimir"), QStringLiteral("Imprime el informe"));
    QPushButton* pdf =
        button("ReportPdfButton", QStringLiteral("Guardar PDF"), QStringLiteral("Guarda el informe como archivo PDF"));
    QPushButton* odt = button("ReportOdtButton", QStringLiteral("Guardar ODT"),
                              QStringLiteral("Guarda el informe como documento de texto (OpenDocument), que abren "
                                             "LibreOffice y Word"));
    QPushButton* copy = button("ReportCopyButton", QStringLiteral("Copiar"),
                               QStringLiteral("Copia el informe con sus tablas, para pegarlo en un procesador de "
                                              "texto o un correo"));
    // The curves the recommendation in words is read from: Medio unless the adviser
    // expects a drier or a wetter season.
    buttons->addSpacing(16);
    auto* levelLabel = new QLabel(QStringLiteral("Recomendar con las curvas de nivel:"), this);
    buttons->addWidget(levelLabel);
    auto* level = new QComboBox(this);
    level->setObjectName(QStringLiteral("ReportLevelChooser"));
    for (const Level l : {Level::P20, Level::Medio, Level::P80})
        level->addItem(ResponseTable::levelName(l), static_cast<int>(l));
    level->setCurrentIndex(1);
    levelLabel->setBuddy(level);
    buttons->addWidget(level);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(level, &QComboBox::activated, this, [this, level] {
        level_ = static_cast<Level>(level->currentData().toInt());
        scheduleRefresh();
    });

    layout_ = layout; // the preview joins it at the first showing: a run that never opens it never pays for it

    connect(print, &QPushButton::clicked, this, &ReportWindow::print);
    connect(pdf, &QPushButton::clicked, this, [this] {
        const QString path = files_.saveFile(this, QStringLiteral("Guardar el informe como PDF"),
                                             ReportContent::nameOf(case_.identity()) + QStringLiteral(".pdf"),
                                             QStringLiteral("Documento PDF (*.pdf)"));
        if (!path.isEmpty())
            savePdf(path);
    });
    connect(odt, &QPushButton::clicked, this, [this] {
        const QString path = files_.saveFile(this, QStringLiteral("Guardar el informe como documento de texto"),
                                             ReportContent::nameOf(case_.identity()) + QStringLiteral(".odt"),
                                             QStringLiteral("Documento de texto OpenDocument (*.odt)"));
        if (!path.isEmpty())
            saveOdt(path);
    });
    connect(copy, &QPushButton::clicked, this, &ReportWindow::copyToClipboard);

    // Whatever the advice rests on changes the report.
    connect(&situation_, &EconomicSituation::changed, this, &ReportWindow::scheduleRefresh);
    connect(&case_, &AdviserCase::changed, this, &ReportWindow::scheduleRefresh);
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::setProduct(int productIndex)
{
    product_ = productIndex;
    scheduleRefresh();
}

ReportContent ReportWindow::content() const
{
    DoseAdvice::Inputs inputs = DoseAdvice::inputsFrom(case_, situation_, product_);
    inputs.recommendationLevel = level_;
    return ReportContent::build(case_.identity(), QDate::currentDate(), QStringLiteral(VELMARO_VERSION), inputs);
}

QList<ReportFigure> ReportWindow::figures(const ReportContent& content) const
{
    // Without the economic chart's results the charts would show nothing of this advice.
    if (!content.hasAdvice || !charts_)
        return {};
    const QList<QPicture> pictures = charts_();
    return {{QStringLiteral("Rendimiento según el N disponible"), pictures.value(0), content.yieldChartCaption},
            {QStringLiteral("Ingreso marginal y costo del N"), pictures.value(1), content.economicChartCaption}};
}

std::unique_ptr<QTextDocument> ReportWindow::document(ReportDocument::Figures figures) const
{
    const ReportContent c = content();
    return ReportDocument::build(c, this->figures(c), {true, figures});
}

int ReportWindow::pageCount() const
{
    return preview_ ? preview_->pageCount() : 0;
}

void ReportWindow::buildPreview()
{
    // The pages as they will be printed; laid out on a PDF printer, so they are A4 whether
    // or not a printer is installed.
    previewPrinter_ = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    previewPrinter_->setOutputFormat(QPrinter::PdfFormat);
    previewPrinter_->setPageLayout(ReportPages::pageLayout());
    preview_ = new QPrintPreviewWidget(previewPrinter_.get(), this);
    preview_->setObjectName(QStringLiteral("ReportPreview"));
    preview_->setViewMode(QPrintPreviewWidget::AllPagesView); // the two pages side by side
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    layout_->addWidget(preview_, 1);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        const std::unique_ptr<QTextDocument> pages = document(ReportDocument::Figures::Drawn);
        ReportPages::paint(*pages, *printer);
    });
}

void ReportWindow::showEvent(QShowEvent* event)
{
    VelmaroWindow::showEvent(event);
    if (!preview_)
        buildPreview();
    preview_->updatePreview();
}

void ReportWindow::scheduleRefresh()
{
    if (!isVisible() || refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshPending_ = false;
        if (isVisible())
            preview_->updatePreview();
    });
}

bool ReportWindow::failed(const QString& path, const QString& why)
{
    errors_.report(this, QStringLiteral("No se pudo escribir el archivo \"%1\": %2").arg(path, why));
    return false;
}

bool ReportWindow::print()
{
    const std::unique_ptr<QTextDocument> pages = document(ReportDocument::Figures::Drawn);
    QPrinter& printer = target_.printer();
    const QPageLayout before = printer.pageLayout();
    bool printed = false;
    if (target_.prepareDialogJob(this, ReportContent::nameOf(case_.identity()))) {
        printer.setPageLayout(ReportPages::pageLayout());
        printed = ReportPages::paint(*pages, printer) >= 0;
        if (!printed)
            errors_.report(this, QStringLiteral("No se pudo imprimir el informe: la impresora no acepta el trabajo."));
    }
    printer.setPageLayout(before);
    return printed;
}

bool ReportWindow::savePdf(const QString& path)
{
    const ReportContent c = content();
    QString error;
    return ReportPages::savePdf(path, c, figures(c), &error) || failed(path, error);
}

bool ReportWindow::saveOdt(const QString& path)
{
    // The OpenDocument writer closes its device when done: it writes into memory first.
    const std::unique_ptr<QTextDocument> text = document(ReportDocument::Figures::Pictures);
    QBuffer odt;
    odt.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&odt, "odf");
    if (!writer.write(text.get()))
        return failed(path, QStringLiteral("no se pudo componer el documento."));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(odt.data()) != odt.data().size())
        return failed(path, file.errorString());
    return file.commit() || failed(path, file.errorString());
}

void ReportWindow::copyToClipboard() const
{
    // As tables for a word processor or an e-mail, and as tab-separated text for the rest.
    const ReportContent c = content();
    const std::unique_ptr<QTextDocument> text = ReportDocument::build(c);
    auto* data = new QMimeData;
    data->setHtml(text->toHtml());
    data->setText(c.plainText().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QGuiApplication::clipboard()->setMimeData(data);
}
