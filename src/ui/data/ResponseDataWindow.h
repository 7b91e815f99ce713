#pragma once

#include <vector>

#include <QByteArray>
#include <QList>

#include "core/TrialFit.h"
#include "core/TrialStatistics.h"
#include "ui/common/VelmaroWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class ErrorReporter;
class FileChooser;
class FitChart;
class MessageBoxes;
class ResponseData;

// "Datos de respuesta": which coefficient table is in use, loading the adviser's own
// table, fitting curves from trial results (shown for review before they are used, with
// the optimum N of both models, how sure it is, and a picture of the selected fit),
// exporting the table in use and going back to the built-in one.
class ResponseDataWindow : public VelmaroWindow {
    Q_OBJECT
public:
    // FitTable's columns: the fit, the two models side by side and the choice between
    // them first, then the quadratic's coefficients and goodness of fit.
    enum Column {
        CodeColumn,
        LevelColumn,
        PointsColumn,
        RatesColumn,
        ModelColumn,
        QuadraticOptimumColumn,
        QuadraticDoseColumn,
        QuadraticIntervalColumn,
        QuadraticAiccColumn,
        PlateauOptimumColumn,
        PlateauDoseColumn,
        PlateauIntervalColumn,
        PlateauAiccColumn,
        PlateauStartColumn,
        PlateauResidualErrorColumn,
        AColumn,
        BColumn,
        CColumn,
        RSquaredColumn,
        ResidualErrorColumn,
        RangeColumn,
        WarningColumn,
        ColumnCount
    };

    ResponseDataWindow(ResponseData& data, ErrorReporter& errors, FileChooser& files, MessageBoxes& messages,
                       QWidget* parent = nullptr);

    // Whatever gives up something the adviser accepted (a table, fits) asks first and
    // names what goes.
    // "Cargar tabla…": one CSV file or the three fixed-column files.
    void loadTable();
    // "Ajustar desde ensayos…": reads a trial file and shows its fits, using nothing yet.
    void fitTrials();
    // "Usar estos ajustes" / "Descartar" for the fits on show.
    void acceptFits();
    void discardFits();
    // "Exportar tabla…": the table in use as CSV, in the form InternationalCsvCheck says.
    void exportTable();
    // "Exportar a Excel (.xlsx)…": the table in use as a workbook.
    void exportTableXlsx();
    // "Exportar códigos…": every scenario code with its names, as CSV or .xlsx by the
    // name chosen.
    void exportCodes();
    // "Volver a la tabla incorporada"; with fits in use, only once the adviser agrees.
    void useBuiltIn();

    // The prices the optima are worked out at (U$S per tonne) and the reference N the
    // doses are counted from.
    void setPrices(double grainPrice, double nCost, int referenceN);

    const QList<TrialFit::Fit>& pendingFits() const { return pending_; }
    // The model each fit on show would enter the table with.
    TrialStatistics::Model chosenModel(int row) const { return chosen_.at(size_t(row)); }
    void chooseModel(int row, TrialStatistics::Model model);

Q_SIGNALS:
    // "Ayuda": the file kinds explained.
    void helpRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitColumns();
    void showSource();
    void showFits();
    void showPrices();
    void showChart();
    void analyse();
    // The fits as they would enter the table: each with its chosen model's curve.
    QList<TrialFit::Fit> chosenFits() const;
    QStringList warnings(int row) const;
    void refuse(const QString& what, const QString& error);
    // True when nothing is given up, or the adviser agrees to give up `lost`.
    bool agreed(const QString& change, const QStringList& lost, const QString& proceed);

    ResponseData& data_;
    ErrorReporter& errors_;
    FileChooser& files_;
    MessageBoxes& messages_;
    QLabel* sourceLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* pricesLabel_ = nullptr;
    QComboBox* confidenceChooser_ = nullptr;
    QTableWidget* fitTable_ = nullptr;
    FitChart* fitChart_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
    QPushButton* discardButton_ = nullptr;
    QCheckBox* internationalCheck_ = nullptr;
    QList<TrialFit::Fit> pending_;
    std::vector<TrialStatistics::Analysis> analyses_; // per fit on show
    std::vector<TrialStatistics::Model> chosen_;
    QString pendingPath_;
    QByteArray pendingBytes_;
    int pendingLines_ = 0;
    bool inUse_ = false;        // the fits on show are the ones in use
    bool columnsStale_ = false; // the fit table's columns to be measured at the next showing
    double grainPrice_ = 0.0;
    double nCost_ = 0.0;
    int referenceN_ = 0;
};
