#include "ResponseDataWindow.h"

#include <cmath>

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/DataFileText.h"
#include "core/ResponseData.h"
#include "core/ResponseTableReader.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FileChooser.h"

namespace {

QString number(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("—");
}

const QString TableFilter = QStringLiteral("Tablas (*.csv *.txt);;Todos los archivos (*)");
const QString CsvFilter = QStringLiteral("CSV (*.csv);;Todos los archivos (*)");

} // namespace

ResponseDataWindow::ResponseDataWindow(ResponseData& data, ErrorReporter& errors, FileChooser& files, QWidget* parent)
    : VelmaroWindow(QStringLiteral("ResponseDataWindow"), QStringLiteral("Datos de respuesta"), parent),
      data_(data),
      errors_(errors),
      files_(files)
{
    // Look: the source on top, the actions in a row, the fits below.
    resize(900, 520);
    struct Action {
        const char* name;
        const char16_t* caption;
        void (ResponseDataWindow::*run)();
    };
    const Action actions[] = {
        {"LoadTableButton", u"Cargar tabla…", &ResponseDataWindow::loadTable},
        {"FitTrialsButton", u"Ajustar desde ensayos…", &ResponseDataWindow::fitTrials},
        {"ExportTableButton", u"Exportar tabla…", &ResponseDataWindow::exportTable},
        {"BuiltInTableButton", u"Volver a la tabla incorporada", &ResponseDataWindow::useBuiltIn},
    };
    const QStringList fitColumns{QStringLiteral("Código"),
                                 QStringLiteral("Nivel"),
                                 QStringLiteral("Puntos"),
                                 QStringLiteral("Dosis distintas"),
                                 QStringLiteral("a"),
                                 QStringLiteral("b"),
                                 QStringLiteral("c"),
                                 QStringLiteral("R²"),
                                 QStringLiteral("Error estándar residual"),
                                 QStringLiteral("Rango de N"),
                                 QStringLiteral("Aviso")};

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

    auto* row = new QHBoxLayout;
    for (const Action& action : actions) {
        auto* button = new QPushButton(QString::fromUtf16(action.caption), this);
        button->setObjectName(QLatin1String(action.name));
        connect(button, &QPushButton::clicked, this, action.run);
        row->addWidget(button);
    }
    row->addStretch();
    layout->addLayout(row);

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
    showSource();
    showFits();
}

void ResponseDataWindow::showSource()
{
    const int fromFiles = data_.codesFromFiles();
    if (data_.isBuiltIn()) {
        sourceLabel_->setText(QStringLiteral("Tabla incorporada (ilustrativa, no calibrada)\n"
                                             "%1 códigos de la tabla incorporada")
                                  .arg(ResponseTable::LineCount));
        return;
    }
    QStringList lines;
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

void ResponseDataWindow::loadTable()
{
    const QStringList paths = files_.openFiles(
        this, QStringLiteral("Cargar tabla: un archivo CSV o los tres archivos 20, medio y 80"), TableFilter);
    if (paths.isEmpty())
        return;
    QString error;
    if (!data_.loadTable(paths, &error)) {
        refuse(QStringLiteral("No se cargó la tabla"), error);
        return;
    }
    statusLabel_->setText(QStringLiteral("Tabla cargada: %1 códigos del archivo, %2 de la tabla incorporada.")
                              .arg(data_.codesFromFiles())
                              .arg(ResponseTable::LineCount - data_.codesFromFiles()));
}

void ResponseDataWindow::fitTrials()
{
    const QStringList paths =
        files_.openFiles(this, QStringLiteral("Ajustar desde ensayos: archivo CSV de resultados"), CsvFilter);
    if (paths.isEmpty())
        return;
    if (paths.size() != 1) {
        refuse(QStringLiteral("No se leyeron los ensayos"), QStringLiteral("elija un solo archivo de ensayos"));
        return;
    }
    const DataFileText::Result file = DataFileText::read(paths.first());
    const TrialFit::Reading reading = file.ok ? TrialFit::read(file.bytes, QFileInfo(paths.first()).fileName())
                                              : TrialFit::Reading{false, file.error, {}, 0};
    if (!reading.ok) {
        refuse(QStringLiteral("No se leyeron los ensayos"), reading.error);
        return;
    }
    pending_ = reading.fits;
    pendingPath_ = paths.first();
    pendingBytes_ = file.bytes;
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
                                number(f.coefficients.a, 1),
                                number(f.coefficients.b, 3),
                                number(f.coefficients.c, 4),
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
    QString error;
    if (!data_.useFits(pending_, pendingPath_, pendingBytes_, &error)) {
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
    const QString path =
        files_.saveFile(this, QStringLiteral("Exportar tabla en uso"), QStringLiteral("tabla_velmaro.csv"), CsvFilter);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray csv = ResponseTableReader::exportCsv(data_.table());
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        errors_.report(this, QStringLiteral("No se pudo escribir %1: %2").arg(path, file.errorString()));
        return;
    }
    statusLabel_->setText(QStringLiteral("Tabla exportada en %1.").arg(path));
}

void ResponseDataWindow::useBuiltIn()
{
    data_.useBuiltIn();
    statusLabel_->setText(QStringLiteral("En uso la tabla incorporada."));
}
