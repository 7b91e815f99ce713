#pragma once

#include <QByteArray>
#include <QList>

#include "core/TrialFit.h"
#include "ui/common/VelmaroWindow.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class ErrorReporter;
class FileChooser;
class MessageBoxes;
class ResponseData;

// "Datos de respuesta": which coefficient table is in use, loading the adviser's own
// table, fitting curves from trial results (shown for review before they are used),
// exporting the table in use and going back to the built-in one.
class ResponseDataWindow : public VelmaroWindow {
    Q_OBJECT
public:
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
    // "Volver a la tabla incorporada".
    void useBuiltIn();

    const QList<TrialFit::Fit>& pendingFits() const { return pending_; }

Q_SIGNALS:
    // "Ayuda": the file kinds explained.
    void helpRequested();

private:
    void showSource();
    void showFits();
    void refuse(const QString& what, const QString& error);
    // True when nothing is given up, or the adviser agrees to give up `lost`.
    bool agreed(const QString& change, const QStringList& lost, const QString& proceed);

    ResponseData& data_;
    ErrorReporter& errors_;
    FileChooser& files_;
    MessageBoxes& messages_;
    QLabel* sourceLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QTableWidget* fitTable_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
    QPushButton* discardButton_ = nullptr;
    QCheckBox* internationalCheck_ = nullptr;
    QList<TrialFit::Fit> pending_;
    QString pendingPath_;
    QByteArray pendingBytes_;
    int pendingLines_ = 0;
};
