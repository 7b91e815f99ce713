#include "ResponseDataWindow.h"

#include <cmath>

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/CsvWriter.h"
#include "core/ExampleFiles.h"
#include "core/ResponseData.h"
#include "core/ResponseTableReader.h"
#include "core/ScenarioCodeList.h"
#include "core/SheetReader.h"
#include "core/XlsxWriter.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FileChooser.h"
#include "ui/common/MessageBoxes.h"

using namespace Qt::StringLiterals;

namespace {

QString number(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("—");
}

const QString TableFilter = QStringLiteral("Tablas (*.csv *.txt *.xlsx *.ods);;Todos los archivos (*)");
const QString TrialFilter = QStringLiteral("Ensayos (*.csv *.txt *.xlsx *.ods);;Todos los archivos (*)");
const QString CsvFilter = QStringLiteral("CSV (*.csv);;Todos los archivos (*)");
const QString XlsxFilter = QStringLiteral("Excel (*.xlsx);;Todos los archivos (*)");

// A fitted coefficient as it would enter the table: four significant digits at least.
QString coefficient(double value, int k)
{
    if (!std::isfinite(value))
        return u"—"_s;
    const double kept = ResponseTableReader::rounded(value, k);
    const CoefficientTexts t = ResponseTableReader::texts({kept, kept, kept});
    return (k == 0 ? t.a : k == 1 ? t.b : t.c).trimmed();
}

} // namespace

ResponseDataWindow::ResponseDataWindow(ResponseData& data, ErrorReporter& errors, FileChooser& files,
                                       MessageBoxes& messages, QWidget* parent)
    : VelmaroWindow(QStringLiteral("ResponseDataWindow"), QStringLiteral("Datos de respuesta"), parent),
      data_(data),
      errors_(errors),
      files_(files),
      messages_(messages)
{
    // Look: the source on top, the actions in a row, the fits below.
    resize(900, 520);
    // Reading on the first row, writing on the second.
    behaveAsDialog(); // Escape closes it
    struct Action {
        int row;
        const char* name;
        const char16_t* caption;
        void (ResponseDataWindow::*run)();
    };
    const Action actions[] = {
        {0, "LoadTableButton", u"Cargar tabla…", &ResponseDataWindow::loadTable},
        {0, "FitTrialsButton", u"Ajustar desde ensayos…", &ResponseDataWindow::fitTrials},
        {0, "BuiltInTableButton", u"Volver a la tabla incorporada", &ResponseDataWindow::useBuiltIn},
        {0, "DataHelpButton", u"Ayuda", &ResponseDataWindow::helpRequested},
        {1, "ExportTableButton", u"Exportar tabla…", &ResponseDataWindow::exportTable},
        {1, "ExportXlsxButton", u"Exportar a Excel (.xlsx)…", &ResponseDataWindow::exportTableXlsx},
        {1, "ExportCodesButton", u"Exportar códigos…", &ResponseDataWindow::exportCodes},
    };
    const QStringList fitColumns{u"Código"_s, u"Nivel"_s, u"Puntos"_s, u"Dosis distintas"_s,         u"a"_s,
                                 u"b"_s,      u"c"_s,     u"R²"_s,     u"Error estándar residual"_s, u"Rango de N"_s,
                                 u"Aviso"_s};

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Tabla de coeficientes en uso:"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);

    sourceLabel_ = new QLabel(this);
    sourceLabel_->setObjectName(QStringLiteral("DataSourceLabel"));
    sourceLabel_->setWordWrap(true);
    sourceLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sourceLabel_->setTextFormat(Qt::PlainText);
    layout->addWidget(sourceLabel_);

    QHBoxLayout* rows[2] = {new QHBoxLayout, new QHBoxLayout};
    for (const Action& action : actions) {
        auto* button = new QPushButton(QString::fromUtf16(action.caption), this);
        button->setObjectName(QLatin1String(action.name));
        connect(button, &QPushButton::clicked, this, action.run);
        rows[action.row]->addWidget(button);
    }

    internationalCheck_ = new QCheckBox(u"Formato internacional (coma y punto decimal)"_s, this);
    internationalCheck_->setObjectName(u"InternationalCsvCheck"_s);
    internationalCheck_->setToolTip(u"Sin marcar, los CSV que escribe el programa usan punto y coma y coma decimal, "
                                    "como los lee una planilla en español."_s);
    rows[1]->addWidget(internationalCheck_);
    for (QHBoxLayout* row : rows) {
        row->addStretch();
        layout->addLayout(row);
    }

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("StatusLabel"));
    statusLabel_->setWordWrap(true);
    statusLabel_->setTextFormat(Qt::PlainText);
    statusLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(statusLabel_);

    fitTable_ = new QTableWidget(0, int(fitColumns.size()), this);
    fitTable_->setObjectName(QStringLiteral("FitTable"));
    fitTable_->setHorizontalHeaderLabels(fitColumns);
    fitTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fitTable_->verticalHeader()->hide();
    fitTable_->horizontalHeader()->setStretchLastSection(true);
    fitTable_->horizontalHeaderItem(int(fitColumns.size()) - 1)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(fitTable_, 1);

    auto* decide = new QHBoxLayout;
    acceptButton_ = new QPushButton(QStringLiteral("Usar estos ajustes"), this);
    acceptButton_->setObjectName(QStringLiteral("AcceptFitButton"));
    discardButton_ = new QPushButton(QStringLiteral("Descartar"), this);
    discardButton_->setObjectName(QStringLiteral("DiscardFitButton"));
    decide->addStretch();
    decide->addWidget(acceptButton_);
    decide->addWidget(discardButton_);
    layout->addLayout(decide);

    // Behaviour.
    connect(acceptButton_, &QPushButton::clicked, this, &ResponseDataWindow::acceptFits);
    connect(discardButton_, &QPushButton::clicked, this, &ResponseDataWindow::discardFits);
    connect(&data_, &ResponseData::changed, this, &ResponseDataWindow::showSource);
    internationalCheck_->setChecked(CsvWriter::savedFormat() == CsvWriter::Format::International);
    connect(internationalCheck_, &QCheckBox::toggled, this, [](bool international) {
        CsvWriter::saveFormat(international ? CsvWriter::Format::International : CsvWriter::Format::Spanish);
    });
    showSource();
    showFits();
}

void ResponseDataWindow::showSource()
{
    const int fromFiles = data_.codesFromFiles();
    QStringList lines;
    if (!data_.tableNotInUse().isEmpty())
        lines << QStringLiteral("Tabla elegida, sin usar en esta sesión (se intentará de nuevo en el próximo "
                                "inicio; «Volver a la tabla incorporada» la deja): %1")
                     .arg(data_.tableNotInUse().join(QStringLiteral(", ")));
    if (data_.isBuiltIn()) {
        lines << QStringLiteral("Tabla incorporada (ilustrativa, no calibrada)\n"
                                "%1 códigos de la tabla incorporada")
                     .arg(ResponseTable::LineCount);
        sourceLabel_->setText(lines.join(u'\n'));
        return;
    }
    for (const DataSourceFile& f : data_.files())
        lines << f.path
              << QStringLiteral("%1 líneas, cargado el %2, SHA-256 %3")
                     .arg(QString::number(f.lineCount), f.loadedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                          f.sha256);
    lines << QStringLiteral("%1 códigos de los archivos, %2 de la tabla incorporada")
                 .arg(fromFiles)
                 .arg(ResponseTable::LineCount - fromFiles);
    sourceLabel_->setText(lines.join(u'\n'));
}

void ResponseDataWindow::refuse(const QString& what, const QString& error)
{
    statusLabel_->setText(QStringLiteral("%1: %2\nLa tabla en uso no cambió.").arg(what, error));
    errors_.report(this, QStringLiteral("%1:\n%2\n\nLa tabla en uso no cambió.").arg(what, error));
}

bool ResponseDataWindow::agreed(const QString& change, const QStringList& lost, const QString& proceed)
{
    if (lost.isEmpty())
        return true;
    if (messages_.confirm(this, QStringLiteral("%1 deja de usar:\n\n%2\n\n%3").arg(change, lost.join(u'\n'), proceed)))
        return true;
    statusLabel_->setText(QStringLiteral("Nada cambió: la tabla en uso sigue igual."));
    return false;
}

void ResponseDataWindow::loadTable()
{
    QStringList paths = files_.openFilesFrom(
        this, u"Cargar tabla: una planilla (CSV, .xlsx, .ods) o los tres archivos 20, medio y 80"_s, TableFilter,
        ExampleFiles::folder());
    if (paths.isEmpty())
        return;
    QStringList lost;
    for (const QString& line : data_.acceptedFitLines())
        lost << QStringLiteral("· los ajustes aceptados de ") + line;
    if (!agreed(QStringLiteral("Cargar la tabla"), lost, QStringLiteral("¿Cargar la tabla?")))
        return;
    QString error;
    if (paths.size() == 3 && ResponseData::orderByLevel(paths, &error).isEmpty()) {
        // The names do not say which file is which level: the adviser says it.
        QStringList ordered;
        for (Level level : TableLevels) {
            const QStringList chosen = files_.openFilesFrom(
                this,
                u"Los nombres no dicen el nivel: elija el archivo del nivel %1"_s.arg(ResponseTable::levelName(level)),
                TableFilter, QFileInfo(paths.first()).absolutePath());
            if (chosen.size() != 1)
                return;
            ordered << chosen.first();
        }
        paths = ordered;
        error.clear();
        if (!data_.loadInOrder(paths, &error))
            return refuse(u"No se cargó la tabla"_s, error);
    } else if (!data_.loadTable(paths, &error)) {
        return refuse(u"No se cargó la tabla"_s, error);
    }
    QString status = u"Tabla cargada: %1 códigos del archivo, %2 de la tabla incorporada."_s.arg(data_.codesFromFiles())
                         .arg(ResponseTable::LineCount - data_.codesFromFiles());
    if (!data_.loadWarnings().isEmpty())
        status += u"\nAviso: "_s + data_.loadWarnings().join(u"; "_s) + u"."_s;
    statusLabel_->setText(status);
}

void ResponseDataWindow::fitTrials()
{
    const QStringList paths = files_.openFilesFrom(this, u"Ajustar desde ensayos: archivo de resultados"_s, TrialFilter,
                                                   ExampleFiles::folder());
    if (paths.isEmpty())
        return;
    if (paths.size() != 1) {
        refuse(QStringLiteral("No se leyeron los ensayos"), QStringLiteral("elija un solo archivo de ensayos"));
        return;
    }
    const Sheet sheet = SheetReader::read(paths.first());
    const TrialFit::Reading reading = TrialFit::read(sheet);
    if (!reading.ok) {
        refuse(QStringLiteral("No se leyeron los ensayos"), reading.error);
        return;
    }
    pending_ = reading.fits;
    pendingPath_ = paths.first();
    pendingBytes_ = sheet.bytes;
    pendingLines_ = sheet.lineCount;
    showFits();
    const int usable = int(TrialFit::usable(pending_).size());
    int usableFits = 0;
    for (const TrialFit::Fit& f : pending_)
        usableFits += f.usable;
    statusLabel_->setText(QStringLiteral("%1 ajustes de %2 resultados; %3 utilizables (%4 códigos). Nada cambia "
                                         "hasta pulsar «Usar estos ajustes».")
                              .arg(pending_.size())
                              .arg(reading.lineCount)
                              .arg(usableFits)
                              .arg(usable));
}

void ResponseDataWindow::showFits()
{
    fitTable_->setRowCount(int(pending_.size()));
    for (int row = 0; row < pending_.size(); ++row) {
        const TrialFit::Fit& f = pending_[row];
        const QStringList cells{f.code,
                                ResponseTable::levelName(f.level),
                                QString::number(f.points),
                                QString::number(f.distinctRates),
                                coefficient(f.coefficients.a, 0),
                                coefficient(f.coefficients.b, 1),
                                coefficient(f.coefficients.c, 2),
                                number(f.rSquared, 3),
                                number(f.residualError, 1),
                                QStringLiteral("%1 a %2").arg(number(f.nMinimum, 0), number(f.nMaximum, 0)),
                                f.warnings.join(QStringLiteral("; "))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            if (!f.usable)
                item->setForeground(Qt::red);
            fitTable_->setItem(row, column, item);
        }
    }
    fitTable_->resizeColumnsToContents();
    const bool anyUsable = !TrialFit::usable(pending_).isEmpty();
    acceptButton_->setEnabled(anyUsable);
    discardButton_->setEnabled(!pending_.isEmpty());
}

void ResponseDataWindow::acceptFits()
{
    QStringList lost;
    for (const QString& curve : data_.curvesReplacedBy(pending_))
        lost << QStringLiteral("· la curva ajustada antes ") + curve;
    if (!agreed(QStringLiteral("Usar estos ajustes"), lost,
                QStringLiteral("Para cada código y nivel vale el último ajuste aceptado. ¿Usar estos ajustes?")))
        return;
    QString error;
    if (!data_.useFits(pending_, pendingPath_, pendingBytes_, &error, pendingLines_)) {
        refuse(QStringLiteral("No se usaron los ajustes"), error);
        return;
    }
    const int used = int(TrialFit::usable(pending_).size());
    pending_.clear();
    showFits();
    statusLabel_->setText(QStringLiteral("Ajustes en uso para %1 códigos.").arg(used));
}

void ResponseDataWindow::discardFits()
{
    pending_.clear();
    showFits();
    statusLabel_->setText(QStringLiteral("Ajustes descartados; la tabla en uso no cambió."));
}

void ResponseDataWindow::exportTable()
{
    const QString path = files_.saveFile(this, u"Exportar tabla en uso"_s, u"tabla_velmaro.csv"_s, CsvFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!CsvWriter::save(
            path, CsvWriter::bytes(ResponseTableReader::exportRows(data_.table()), CsvWriter::savedFormat()), &error))
        return errors_.report(this, error);
    statusLabel_->setText(u"Tabla exportada en %1."_s.arg(path));
}

void ResponseDataWindow::exportTableXlsx()
{
    const QString path = files_.saveFile(this, u"Exportar tabla en uso a Excel"_s, u"tabla_velmaro.xlsx"_s, XlsxFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!XlsxWriter::save(path, TableDocument::plain(ResponseTableReader::exportRows(data_.table())), u"Tabla"_s,
                          &error))
        return errors_.report(this, error);
    statusLabel_->setText(u"Tabla exportada en %1."_s.arg(path));
}

void ResponseDataWindow::exportCodes()
{
    const QString path = files_.saveFile(this, u"Exportar códigos de escenario"_s, u"codigos_velmaro.csv"_s,
                                         u"CSV (*.csv);;Excel (*.xlsx)"_s);
    if (path.isEmpty())
        return;
    const TableDocument codes = TableDocument::plain(ScenarioCodeList::rows());
    QString error;
    const bool written = path.endsWith(u".xlsx"_s, Qt::CaseInsensitive)
        ? XlsxWriter::save(path, codes, u"Códigos"_s, &error)
        : CsvWriter::save(path, CsvWriter::bytes(codes, CsvWriter::savedFormat()), &error);
    if (!written)
        return errors_.report(this, error);
    statusLabel_->setText(u"Códigos exportados en %1."_s.arg(path));
}

void ResponseDataWindow::useBuiltIn()
{
    QStringList lost;
    if (!data_.chosenTable().isEmpty())
        lost << QStringLiteral("· la tabla ") + data_.chosenTable().join(QStringLiteral(", "));
    for (const QString& line : data_.acceptedFitLines())
        lost << QStringLiteral("· los ajustes aceptados de ") + line;
    if (!agreed(QStringLiteral("Volver a la tabla incorporada"), lost,
                QStringLiteral("¿Volver a la tabla incorporada?")))
        return;
    data_.useBuiltIn();
    statusLabel_->setText(QStringLiteral("En uso la tabla incorporada."));
}
