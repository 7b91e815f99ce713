#pragma once

#include <functional>
#include <memory>

#include <QList>
#include <QPicture>

#include "core/ReportContent.h"
#include "ui/common/VelmaroWindow.h"
#include "ui/report/ReportDocument.h"

class QPrinter;
class QPrintPreviewWidget;
class QTextDocument;
class QVBoxLayout;
class AdviserCase;
class EconomicSituation;
class ErrorReporter;
class FileChooser;
class PrintTarget;

// "Informe": one document about the field, previewed page by page as it will be printed,
// and sent to the printer, to a PDF or OpenDocument file, or to the clipboard. Its texts
// come from the case and its economic situation through ReportContent; the charts are drawn
// as they stand. While shown, it follows every change of the case.
class ReportWindow : public VelmaroWindow {
    Q_OBJECT
public:
    // The yield chart and the economic chart as drawings, in that order.
    using ChartSource = std::function<QList<QPicture>()>;

    ReportWindow(const AdviserCase& adviserCase, const EconomicSituation& situation, PrintTarget& target,
                 FileChooser& files, ErrorReporter& errors, QWidget* parent = nullptr);
    ~ReportWindow() override;

    void setChartSource(ChartSource source) { charts_ = std::move(source); }
    // The fertiliser last chosen in the nitrogen cost assistant, for the product amounts.
    void setProduct(int productIndex);

    ReportContent content() const;
    std::unique_ptr<QTextDocument> document(ReportDocument::Figures figures) const;
    int pageCount() const;

    bool print();
    bool savePdf(const QString& path);
    bool saveOdt(const QString& path);
    void copyToClipboard() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QList<ReportFigure> figures(const ReportContent& content) const;
    void scheduleRefresh();
    bool failed(const QString& path, const QString& why);
    void buildPreview();

    const AdviserCase& case_;
    const EconomicSituation& situation_;
    PrintTarget& target_;
    FileChooser& files_;
    ErrorReporter& errors_;
    ChartSource charts_;
    int product_ = -1;
    Level level_ = Level::Medio; // of the recommendation in words
    QVBoxLayout* layout_ = nullptr;
    std::unique_ptr<QPrinter> previewPrinter_;
    QPrintPreviewWidget* preview_ = nullptr;
    bool refreshPending_ = false;
};
