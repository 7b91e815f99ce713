#include "ResponseDataWindow.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
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
#include "ui/data/FitChart.h"

using namespace Qt::StringLiterals;

namespace {

using Model = TrialStatistics::Model;

QString number(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("—");
}

QString modelName(Model model)
{
    return model == Model::Plateau ? QStringLiteral("Cuadrática-meseta") : QStringLiteral("Cuadrática");
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
    // Look: the source on top, the actions in two rows (reading on the first, writing on
    // the second), the fits below over the picture of the one selected.
    resize(1000, 720);
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

    auto* statistics = new QHBoxLayout;
    auto* confidenceCaption = new QLabel(QStringLiteral("Confianza del intervalo de N*:"), this);
    statistics->addWidget(confidenceCaption);
    confidenceChooser_ = new QComboBox(this);
    confidenceChooser_->setObjectName(QStringLiteral("ConfidenceLevelChooser"));
    for (TrialStatistics::Confidence level : TrialStatistics::Confidences)
        confidenceChooser_->addItem(TrialStatistics::label(level), int(level));
    confidenceCaption->setBuddy(confidenceChooser_);
    statistics->addWidget(confidenceChooser_);
    pricesLabel_ = new QLabel(this);
    pricesLabel_->setObjectName(QStringLiteral("PricesLabel"));
    pricesLabel_->setWordWrap(true);
    statistics->addWidget(pricesLabel_, 1);
    layout->addLayout(statistics);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("FitSplitter"));
    fitTable_ = new QTableWidget(0, ColumnCount, split);
    fitTable_->setObjectName(QStringLiteral("FitTable"));
    fitTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fitTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fitTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    fitTable_->verticalHeader()->hide();
    fitTable_->horizontalHeader()->setStretchLastSection(true);
    fitChart_ = new FitChart(split);
    fitChart_->setObjectName(QStringLiteral("FitChart"));
    fitChart_->setMinimumHeight(220);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

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
    connect(confidenceChooser_, &QComboBox::currentIndexChanged, this, [this] {
        data_.setConfidence(static_cast<TrialStatistics::Confidence>(confidenceChooser_->currentData().toInt()));
    });
    connect(&data_, &ResponseData::confidenceChanged, this, [this] {
        confidenceChooser_->setCurrentIndex(confidenceChooser_->findData(int(data_.confidence())));
        analyse();
        showFits();
    });
    connect(fitTable_, &QTableWidget::currentCellChanged, this, &ResponseDataWindow::showChart);
    confidenceChooser_->setCurrentIndex(confidenceChooser_->findData(int(data_.confidence())));
    internationalCheck_->setChecked(CsvWriter::savedFormat() == CsvWriter::Format::International);
    connect(internationalCheck_, &QCheckBox::toggled, this, [](bool international) {
        CsvWriter::saveFormat(international ? CsvWriter::Format::International : CsvWriter::Format::Spanish);
    });
    showSource();
    showPrices();
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

void ResponseDataWindow::setPrices(double grainPrice, double nCost, int referenceN)
{
    if (grainPrice == grainPrice_ && nCost == nCost_ && referenceN == referenceN_)
        return;
    grainPrice_ = grainPrice;
    nCost_ = nCost;
    referenceN_ = referenceN;
    showPrices();
    analyse();
    showFits();
}

void ResponseDataWindow::showPrices()
{
    if (!(grainPrice_ > 0.0)) {
        pricesLabel_->setText(QStringLiteral("Sin precios: el óptimo N* se calcula con los del gráfico económico."));
        return;
    }
    pricesLabel_->setText(QStringLiteral("N* (kg/ha de N disponible) al precio del grano de %1 U$S/t y costo del N "
                                         "de %2 U$S/t (%3 kg de grano pagan 1 kg de N); dosis sobre %4 kg/ha de "
                                         "referencia.")
                              .arg(QString::number(grainPrice_, 'g', 12), QString::number(nCost_, 'g', 12),
                                   QString::number(nCost_ / grainPrice_, 'f', 2))
                              .arg(referenceN_));
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
    inUse_ = false;
    showFits();
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
    inUse_ = false;
    chosen_.clear();
    analyse();
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

void ResponseDataWindow::analyse()
{
    const double ratio = grainPrice_ > 0.0 ? nCost_ / grainPrice_ : 0.0;
    const bool fresh = chosen_.size() != size_t(pending_.size());
    analyses_.clear();
    for (int row = 0; row < pending_.size(); ++row) {
        const TrialFit::Fit& f = pending_[row];
        TrialStatistics::Analysis a =
            f.usable ? TrialStatistics::analyse(f.data, ratio, data_.confidence()) : TrialStatistics::Analysis{};
        // A plateau whose coefficients the table cannot hold is not offered.
        if (a.plateauIdentified) {
            const Curves::Quadratic& p = a.plateau.curve;
            const double values[3] = {p.a, p.b, p.c};
            for (int k = 0; k < 3; ++k)
                a.plateauIdentified = a.plateauIdentified && ResponseTableReader::checkValue(k, values[k]).isEmpty();
            a.plateauIdentified = a.plateauIdentified && ResponseTableReader::checkPlateau(*p.plateau).isEmpty();
            if (!a.plateauIdentified) {
                a.plateau = a.quadratic;
                a.preferred = Model::Quadratic;
            }
        }
        analyses_.push_back(a);
    }
    if (fresh) {
        chosen_.clear();
        for (const TrialStatistics::Analysis& a : analyses_)
            chosen_.push_back(a.plateauIdentified ? a.preferred : Model::Quadratic);
    }
}

QStringList ResponseDataWindow::warnings(int row) const
{
    const TrialFit::Fit& f = pending_[row];
    QStringList out = f.warnings;
    const TrialStatistics::Analysis& a = analyses_.at(size_t(row));
    if (a.ok && !a.plateauIdentified)
        out << QStringLiteral("meseta no identificada (su inicio caería más allá de la dosis más alta): "
                              "se trata como cuadrática");
    // The levels of this code, each with the curve it would enter with, over the rates
    // all of them tested.
    PerLevel<std::optional<Curves::Quadratic>> curves;
    double from = f.nMinimum, to = f.nMaximum;
    const QList<TrialFit::Fit> fits = chosenFits();
    for (const TrialFit::Fit& other : fits)
        if (other.code == f.code && other.usable) {
            curves[other.level] = other.coefficients;
            from = std::max(from, other.nMinimum);
            to = std::min(to, other.nMaximum);
        }
    const QString crossing = f.usable ? TrialStatistics::crossing(curves, from, to) : QString();
    if (!crossing.isEmpty())
        out << QStringLiteral("niveles cruzados en el rango ensayado: ") + crossing;
    return out;
}

QList<TrialFit::Fit> ResponseDataWindow::chosenFits() const
{
    QList<TrialFit::Fit> fits = pending_;
    for (int row = 0; row < fits.size(); ++row) {
        const TrialStatistics::Analysis& a = analyses_.at(size_t(row));
        if (fits[row].usable && a.plateauIdentified && chosen_.at(size_t(row)) == Model::Plateau)
            fits[row].coefficients = a.plateau.curve;
    }
    return fits;
}

void ResponseDataWindow::fitColumns()
{
    // Measured when seen: a window never opened costs the start-up nothing.
    columnsStale_ = !isVisible();
    if (columnsStale_)
        return;
    fitTable_->resizeColumnsToContents();
    fitTable_->resizeRowsToContents();
}

void ResponseDataWindow::showEvent(QShowEvent* event)
{
    VelmaroWindow::showEvent(event);
    if (columnsStale_)
        fitColumns();
}

void ResponseDataWindow::showFits()
{
    const QString level = TrialStatistics::label(data_.confidence());
    QStringList headers(ColumnCount);
    headers[CodeColumn] = QStringLiteral("Código");
    headers[LevelColumn] = QStringLiteral("Nivel");
    headers[PointsColumn] = QStringLiteral("Puntos");
    headers[RatesColumn] = QStringLiteral("Dosis\ndistintas");
    headers[ModelColumn] = QStringLiteral("Modelo");
    headers[QuadraticOptimumColumn] = QStringLiteral("N*\ncuadrática");
    headers[QuadraticDoseColumn] = QStringLiteral("Dosis\ncuadrática");
    headers[QuadraticIntervalColumn] = QStringLiteral("Intervalo %1\ncuadrática").arg(level);
    headers[QuadraticAiccColumn] = QStringLiteral("AICc\ncuadrática");
    headers[PlateauOptimumColumn] = QStringLiteral("N*\nmeseta");
    headers[PlateauDoseColumn] = QStringLiteral("Dosis\nmeseta");
    headers[PlateauIntervalColumn] = QStringLiteral("Intervalo %1\nmeseta").arg(level);
    headers[PlateauAiccColumn] = QStringLiteral("AICc\nmeseta");
    headers[PlateauStartColumn] = QStringLiteral("Inicio de\nla meseta");
    headers[PlateauResidualErrorColumn] = QStringLiteral("Error estándar\nresidual meseta");
    headers[AColumn] = QStringLiteral("a");
    headers[BColumn] = QStringLiteral("b");
    headers[CColumn] = QStringLiteral("c");
    headers[RSquaredColumn] = QStringLiteral("R²");
    headers[ResidualErrorColumn] = QStringLiteral("Error estándar\nresidual");
    headers[RangeColumn] = QStringLiteral("Rango de N");
    headers[WarningColumn] = QStringLiteral("Aviso");
    fitTable_->setHorizontalHeaderLabels(headers);
    fitTable_->horizontalHeaderItem(WarningColumn)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int selected = fitTable_->currentRow();
    const QSignalBlocker quiet(fitTable_);
    fitTable_->setRowCount(int(pending_.size()));
    const auto dose = [this](const TrialStatistics::Optimum& o) {
        return o.defined ? QString::number(std::max(0LL, std::llround(o.n - referenceN_))) : QStringLiteral("—");
    };
    const auto optimum = [](const TrialStatistics::Optimum& o) {
        return o.defined ? QString::number(std::llround(o.n)) : QStringLiteral("—");
    };
    const QString none = QStringLiteral("—");
    for (int row = 0; row < pending_.size(); ++row) {
        const TrialFit::Fit& f = pending_[row];
        const TrialStatistics::Analysis& a = analyses_.at(size_t(row));
        const TrialStatistics::ModelFit& q = a.quadratic;
        const TrialStatistics::ModelFit& p = a.plateau;
        const bool plateau = a.plateauIdentified;
        QStringList cells(ColumnCount, none);
        cells[CodeColumn] = f.code;
        cells[LevelColumn] = ResponseTable::levelName(f.level);
        cells[PointsColumn] = QString::number(f.points);
        cells[RatesColumn] = QString::number(f.distinctRates);
        cells[AColumn] = coefficient(f.coefficients.a, 0);
        cells[BColumn] = coefficient(f.coefficients.b, 1);
        cells[CColumn] = coefficient(f.coefficients.c, 2);
        cells[RSquaredColumn] = number(f.rSquared, 3);
        cells[ResidualErrorColumn] = number(f.residualError, 1);
        cells[RangeColumn] = QStringLiteral("%1 a %2").arg(number(f.nMinimum, 0), number(f.nMaximum, 0));
        cells[WarningColumn] = warnings(row).join(QStringLiteral("; "));
        if (a.ok) {
            cells[ModelColumn] = modelName(chosen_.at(size_t(row)));
            cells[QuadraticOptimumColumn] = optimum(q.optimum);
            cells[QuadraticDoseColumn] = dose(q.optimum);
            cells[QuadraticIntervalColumn] = TrialStatistics::intervalText(q.optimum);
            cells[QuadraticAiccColumn] = number(q.aicc, 1);
            cells[PlateauStartColumn] = QStringLiteral("no identificada");
        }
        if (a.ok && plateau) {
            cells[PlateauOptimumColumn] = optimum(p.optimum);
            cells[PlateauDoseColumn] = dose(p.optimum);
            cells[PlateauIntervalColumn] = TrialStatistics::intervalText(p.optimum);
            cells[PlateauAiccColumn] = number(p.aicc, 1);
            cells[PlateauStartColumn] = number(*p.curve.plateau, 1);
            cells[PlateauResidualErrorColumn] = number(p.residualError, 1);
        }
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            if (!f.usable)
                item->setForeground(Qt::red);
            fitTable_->setItem(row, column, item);
        }
        fitTable_->removeCellWidget(row, ModelColumn);
        if (a.ok && plateau) {
            auto* chooser = new QComboBox;
            chooser->setObjectName(QStringLiteral("ModelChooser"));
            chooser->setAccessibleName(
                QStringLiteral("Modelo de %1 %2").arg(f.code, ResponseTable::levelName(f.level)));
            chooser->addItem(modelName(Model::Quadratic), int(Model::Quadratic));
            chooser->addItem(modelName(Model::Plateau), int(Model::Plateau));
            chooser->setCurrentIndex(chooser->findData(int(chosen_.at(size_t(row)))));
            connect(chooser, &QComboBox::activated, this,
                    [this, row, chooser] { chooseModel(row, static_cast<Model>(chooser->currentData().toInt())); });
            fitTable_->setCellWidget(row, ModelColumn, chooser);
        }
    }
    fitColumns();
    const bool anyUsable = !TrialFit::usable(pending_).isEmpty();
    acceptButton_->setEnabled(anyUsable && !inUse_);
    discardButton_->setEnabled(!pending_.isEmpty());
    fitTable_->setCurrentCell(pending_.isEmpty() ? -1 : std::clamp(selected, 0, int(pending_.size()) - 1), 0);
    showChart();
}

void ResponseDataWindow::chooseModel(int row, Model model)
{
    if (row < 0 || row >= int(chosen_.size()) || !analyses_.at(size_t(row)).plateauIdentified ||
        chosen_[size_t(row)] == model)
        return;
    chosen_[size_t(row)] = model;
    if (auto* chooser = qobject_cast<QComboBox*>(fitTable_->cellWidget(row, ModelColumn)))
        chooser->setCurrentIndex(chooser->findData(int(model)));
    fitTable_->item(row, ModelColumn)->setText(modelName(model));
    for (int r = 0; r < pending_.size(); ++r) // the levels' crossings follow the curves chosen
        fitTable_->item(r, WarningColumn)->setText(warnings(r).join(QStringLiteral("; ")));
    if (inUse_) {
        inUse_ = false;
        statusLabel_->setText(
            QStringLiteral("Modelo cambiado: la tabla en uso cambia al pulsar «Usar estos ajustes»."));
    }
    acceptButton_->setEnabled(!TrialFit::usable(pending_).isEmpty());
    showChart();
}

void ResponseDataWindow::showChart()
{
    const int row = fitTable_->currentRow();
    if (row < 0 || row >= pending_.size()) {
        fitChart_->clearFit();
        return;
    }
    fitChart_->showFit(pending_[row], analyses_.at(size_t(row)), chosen_.at(size_t(row)),
                       TrialStatistics::label(data_.confidence()));
}

void ResponseDataWindow::acceptFits()
{
    const QList<TrialFit::Fit> fits = chosenFits();
    QStringList lost;
    for (const QString& curve : data_.curvesReplacedBy(fits))
        lost << QStringLiteral("· la curva ajustada antes ") + curve;
    if (!agreed(QStringLiteral("Usar estos ajustes"), lost,
                QStringLiteral("Para cada código y nivel vale el último ajuste aceptado. ¿Usar estos ajustes?")))
        return;
    QString error;
    if (!data_.useFits(fits, pendingPath_, pendingBytes_, &error, pendingLines_)) {
        refuse(QStringLiteral("No se usaron los ajustes"), error);
        return;
    }
    inUse_ = true;
    acceptButton_->setEnabled(false);
    statusLabel_->setText(QStringLiteral("Ajustes en uso para %1 códigos.").arg(TrialFit::usable(fits).size()));
}

void ResponseDataWindow::discardFits()
{
    pending_.clear();
    analyses_.clear();
    chosen_.clear();
    inUse_ = false;
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
    if (inUse_) {
        inUse_ = false;
        acceptButton_->setEnabled(!TrialFit::usable(pending_).isEmpty());
    }
    statusLabel_->setText(QStringLiteral("En uso la tabla incorporada."));
}
