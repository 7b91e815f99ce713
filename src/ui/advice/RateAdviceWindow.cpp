#include "RateAdviceWindow.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/CsvWriter.h"
#include "core/CurveSelection.h"
#include "core/DoseAdvice.h"
#include "core/EconomicSituation.h"
#include "core/NumberText.h"
#include "core/ReportContent.h"
#include "core/ResponseData.h"
#include "core/ScenarioSlots.h"
#include "core/TableText.h"
#include "core/XlsxWriter.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FieldMark.h"
#include "ui/common/FirstShowing.h"
#include "ui/common/Look.h"
#include "ui/printing/ReportPrinter.h"

namespace {

const QColor Teal(0, 128, 128);

QTableWidget* table(const QString& name, QWidget* parent)
{
    auto* t = new QTableWidget(parent);
    t->setObjectName(name);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    // Columns fitted to their contents measure every heading as it is set: from the first
    // showing on, when there is something to see.
    FirstShowing::run(t, [t] {
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    });
    return t;
}

// A table exactly as tall as its rows, so the window gives no room to empty space.
void fitHeight(QTableWidget* t)
{
    t->setFixedHeight(t->horizontalHeader()->sizeHint().height() + t->verticalHeader()->length() + 2 * t->frameWidth() +
                      t->horizontalScrollBar()->sizeHint().height() + 2);
}

void setCells(QTableWidget* t, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells.at(c));
        if (c > 0)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        t->setItem(row, c, item);
    }
}

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(Look::arial(10, true));
    Look::setColour(label, QPalette::WindowText, Teal);
    return label;
}

// A table's rows as lines of cells, its header first.
QStringList rowsOf(const QTableWidget* t, QChar separator, bool withRowTitles)
{
    const auto quoted = [separator](QString cell) {
        if (separator == QLatin1Char(',') && (cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')))) {
            cell.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            return QStringLiteral("\"%1\"").arg(cell);
        }
        return cell;
    };
    QStringList lines;
    QStringList header;
    if (withRowTitles)
        header << QString();
    for (int c = 0; c < t->columnCount(); ++c)
        header << quoted(t->horizontalHeaderItem(c)
                             ? t->horizontalHeaderItem(c)->text().replace(QLatin1Char('\n'), QLatin1Char(' '))
                             : QString());
    lines << header.join(separator);
    for (int r = 0; r < t->rowCount(); ++r) {
        QStringList cells;
        if (withRowTitles)
            cells << quoted(t->verticalHeaderItem(r) ? t->verticalHeaderItem(r)->text() : QString());
        for (int c = 0; c < t->columnCount(); ++c)
            cells << quoted(t->item(r, c) ? t->item(r, c)->text() : QString());
        lines << cells.join(separator);
    }
    return lines;
}

// A table's cells, its headings first, as the file writers take them.
DocumentTable cellsOf(const QTableWidget* t, const QString& title, bool withRowTitles)
{
    DocumentTable table{title, {}, {}, {}};
    if (withRowTitles)
        table.header << QString();
    for (int c = 0; c < t->columnCount(); ++c)
        table.header << (t->horizontalHeaderItem(c)
                             ? t->horizontalHeaderItem(c)->text().replace(QLatin1Char('\n'), QLatin1Char(' '))
                             : QString());
    for (int r = 0; r < t->rowCount(); ++r) {
        QStringList cells;
        if (withRowTitles)
            cells << (t->verticalHeaderItem(r) ? t->verticalHeaderItem(r)->text() : QString());
        for (int c = 0; c < t->columnCount(); ++c)
            cells << (t->item(r, c) ? t->item(r, c)->text() : QString());
        table.rows << cells;
    }
    return table;
}

} // namespace

RateAdviceWindow::RateAdviceWindow(const EconomicSituation& situation, const CurveSelection& selection,
                                   const ScenarioSlots& scenarioSlots, ErrorReporter& errors, ReportPrinter& printer,
                                   QWidget* parent)
    : VelmaroWindow(QStringLiteral("RateAdviceWindow"), QStringLiteral("Dosis recomendada"), parent),
      situation_(situation),
      selection_(selection),
      slots_(scenarioSlots),
      errors_(errors),
      printer_(printer),
      choosePath_([](QWidget* parent) {
          return QFileDialog::getSaveFileName(parent, QStringLiteral("Exportar dosis recomendada"),
                                              QStringLiteral("dosis_recomendada.csv"),
                                              QStringLiteral("Archivos CSV (*.csv)"));
      }),
      chooseXlsxPath_([](QWidget* parent) {
          return QFileDialog::getSaveFileName(parent, QStringLiteral("Exportar dosis recomendada a Excel"),
                                              QStringLiteral("dosis_recomendada.xlsx"),
                                              QStringLiteral("Libros de Excel (*.xlsx)"));
      })
{
    resize(1180, 740);
    centreOnDesktopWhenFirstShown();
    behaveAsDialog(); // Escape closes it
    auto* layout = new QVBoxLayout(this);

    statusLabel_ = new QLabel(QStringLiteral("Escenarios o precios del caso sin leer todavía."), this);
    statusLabel_->setObjectName(QStringLiteral("AdviceStatusLabel"));
    statusLabel_->setWordWrap(true);
    statusLabel_->setFont(Look::arial(9, true));
    layout->addWidget(statusLabel_);

    inputRow_ = new QWidget(this);
    buildInputs(inputRow_);
    layout->addWidget(inputRow_);

    layout->addWidget(heading(QStringLiteral("Dosis de mayor margen para cada curva del gráfico económico"), this));
    optimumTable_ = table(QStringLiteral("OptimumTable"), this);
    optimumTable_->setColumnCount(9);
    optimumTable_->verticalHeader()->hide();
    // Every column in sight, the curve's first: the notes take what the others leave and
    // wrap within it.
    optimumTable_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(optimumTable_, 3);

    auto* riskRow = new QHBoxLayout;
    riskRow->addWidget(heading(QStringLiteral("Riesgo de la campaña para el escenario"), this));
    riskSlotChooser_ = new QComboBox(this);
    riskSlotChooser_->setObjectName(QStringLiteral("RiskSlotChooser"));
    riskSlotChooser_->setAccessibleName(QStringLiteral("Escenario del riesgo de la campaña"));
    // Whole entries, the arrow beside them: room for "Escenario 3" and some to spare.
    riskSlotChooser_->setMinimumContentsLength(int(QStringLiteral("Escenario 3").size()) + 3);
    riskSlotChooser_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    riskRow->addWidget(riskSlotChooser_);
    riskRow->addStretch();
    layout->addLayout(riskRow);
    layout->addWidget(new QLabel(QStringLiteral("Pérdida por elegir la dosis de otra campaña (U$S/ha), y la dosis "
                                                "que da cada regla de decisión:"),
                                 this));
    riskTable_ = table(QStringLiteral("RiskTable"), this);
    riskTable_->setColumnCount(8);
    riskTable_->setRowCount(6);
    layout->addWidget(riskTable_);
    valueOfKnowingLabel_ = new QLabel(this);
    valueOfKnowingLabel_->setObjectName(QStringLiteral("ValueOfKnowingLabel"));
    layout->addWidget(valueOfKnowingLabel_);

    sensitivityTitle_ = heading(QStringLiteral("Sensibilidad a los precios"), this);
    layout->addWidget(sensitivityTitle_);
    sensitivityTable_ = table(QStringLiteral("SensitivityTable"), this);
    sensitivityTable_->setRowCount(5);
    sensitivityTable_->setColumnCount(5);
    sensitivityTable_->setVerticalHeaderLabels(DoseAdvice::stepTitles(QStringLiteral("Grano")));
    sensitivityTable_->setHorizontalHeaderLabels(DoseAdvice::stepTitles(QStringLiteral("Costo N")));
    layout->addWidget(sensitivityTable_);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    connect(button("CopyAdviceButton", QStringLiteral("Copiar")), &QPushButton::clicked, this,
            &RateAdviceWindow::copyToClipboard);
    connect(button("ExportAdviceButton", QStringLiteral("Exportar CSV…")), &QPushButton::clicked, this, [this] {
        const QString path = choosePath_ ? choosePath_(this) : QString();
        if (!path.isEmpty())
            exportCsv(path);
    });
    connect(button("ExportXlsxButton", QStringLiteral("Exportar a Excel (.xlsx)…")), &QPushButton::clicked, this,
            [this] {
                const QString path = chooseXlsxPath_ ? chooseXlsxPath_(this) : QString();
                if (!path.isEmpty())
                    exportXlsx(path);
            });
    connect(button("PrintAdviceButton", QStringLiteral("Imprimir")), &QPushButton::clicked, this,
            &RateAdviceWindow::print);
    connect(button("ReportButton", QStringLiteral("Informe")), &QPushButton::clicked, this,
            &RateAdviceWindow::reportRequested);
    connect(button("AdviceHelpButton", QStringLiteral("Ayuda")), &QPushButton::clicked, this,
            &RateAdviceWindow::helpRequested);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(&situation_, &EconomicSituation::changed, this, &RateAdviceWindow::refresh);
    connect(&situation_, &EconomicSituation::refused, this, &RateAdviceWindow::refuse);
    connect(&selection_, &CurveSelection::shownChanged, this, [this] {
        if (situation_.hasState())
            refresh();
    });
    connect(riskSlotChooser_, &QComboBox::activated, this, [this] {
        riskSlot_ = riskSlotChooser_->currentData().toInt();
        fillRiskTable();
        Q_EMIT settingsEdited();
    });
    connect(optimumTable_, &QTableWidget::currentCellChanged, this, &RateAdviceWindow::fillSensitivityTable);
}

RateAdviceWindow::~RateAdviceWindow()
{
    // A field losing the focus as the window goes confirms nothing any more.
    for (QLineEdit* edit : {toleranceEdit_, weightEdits_[0], weightEdits_[1], weightEdits_[2]})
        edit->disconnect(this);
}

QList<QRect> RateAdviceWindow::keepClearOnScreen() const
{
    QList<QRect> parts;
    QList<const QWidget*> inputs{inputRow_, riskSlotChooser_};
    for (const QPushButton* button : findChildren<QPushButton*>())
        inputs << button;
    for (const QWidget* w : std::as_const(inputs))
        parts << QRect(w->mapToGlobal(QPoint()), w->size());
    // Of a table, its headings and filled rows: the blank below them may be covered.
    for (const QTableWidget* table : {optimumTable_, riskTable_, sensitivityTable_}) {
        const int rows = table->rowCount();
        const int filled = table->horizontalHeader()->height() + 2 * table->frameWidth() +
            (rows > 0 ? table->rowViewportPosition(rows - 1) + table->rowHeight(rows - 1) : 0);
        parts << QRect(table->mapToGlobal(QPoint()), QSize(table->width(), std::min(table->height(), filled)));
    }
    return parts;
}

void RateAdviceWindow::showEvent(QShowEvent* event)
{
    // Never larger than the desktop it opens on.
    if (!event->spontaneous())
        if (const QScreen* screen = this->screen()) {
            const QSize room = screen->availableGeometry().size() - QSize(40, 60);
            resize(size().boundedTo(room));
        }
    VelmaroWindow::showEvent(event);
    if (tablesStale_)
        refresh();
}

void RateAdviceWindow::buildInputs(QWidget* row)
{
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    const auto field = [row, h](const char* name, const QString& caption, const QString& text) {
        auto* label = new QLabel(caption, row);
        auto* edit = new QLineEdit(text, row);
        edit->setObjectName(QLatin1String(name));
        edit->setFixedWidth(56);
        edit->setAccessibleName(caption);
        label->setBuddy(edit);
        h->addWidget(label);
        h->addWidget(edit);
        return edit;
    };
    toleranceEdit_ = field("ToleranceEdit", QStringLiteral("Tolerancia (U$S/ha):"), toleranceText_);
    h->addSpacing(16);
    h->addWidget(new QLabel(QStringLiteral("Pesos de las campañas:"), row));
    weightEdits_[0] = field("Weight20Edit", QStringLiteral("20 %"), weightTexts_[0]);
    weightEdits_[1] = field("WeightMedioEdit", QStringLiteral("Medio"), weightTexts_[1]);
    weightEdits_[2] = field("Weight80Edit", QStringLiteral("80 %"), weightTexts_[2]);
    h->addSpacing(16);
    marksCheck_ = new QCheckBox(QStringLiteral("Mostrar óptimos en el gráfico"), row);
    marksCheck_->setObjectName(QStringLiteral("OptimumMarksCheck"));
    marksCheck_->setChecked(true);
    h->addWidget(marksCheck_);
    h->addStretch();

    // Enter or leaving a field confirms it; a refused text is said again only once edited.
    for (QLineEdit* edit : {toleranceEdit_, weightEdits_[0], weightEdits_[1], weightEdits_[2]}) {
        const auto confirm =
            edit == toleranceEdit_ ? &RateAdviceWindow::confirmTolerance : &RateAdviceWindow::confirmWeights;
        connect(edit, &QLineEdit::returnPressed, this, confirm);
        connect(edit, &QLineEdit::editingFinished, this, confirm);
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            if (edit == toleranceEdit_)
                reportedTolerance_.reset();
            else
                reportedWeights_.reset();
        });
    }
    connect(marksCheck_, &QCheckBox::clicked, this, &RateAdviceWindow::settingsEdited);
    connect(marksCheck_, &QCheckBox::toggled, this, &RateAdviceWindow::publishMarks);
}

void RateAdviceWindow::confirmTolerance()
{
    const QString text = toleranceEdit_->text();
    if (text == toleranceText_) {
        FieldMark::clear(toleranceEdit_);
        return;
    }
    const RateAdvice::Tolerance tolerance = RateAdvice::readTolerance(text);
    if (!tolerance.ok()) {
        FieldMark::refuse(toleranceEdit_, tolerance.error);
        if (reportedTolerance_ != text) {
            reportedTolerance_ = text;
            errors_.report(this, tolerance.error);
        }
        return;
    }
    FieldMark::clear(toleranceEdit_);
    toleranceText_ = text;
    tolerance_ = tolerance.value;
    if (situation_.hasState())
        refresh();
    Q_EMIT settingsEdited();
}

void RateAdviceWindow::confirmWeights()
{
    const std::array<QString, 3> texts{weightEdits_[0]->text(), weightEdits_[1]->text(), weightEdits_[2]->text()};
    if (texts == weightTexts_) {
        for (QLineEdit* edit : weightEdits_)
            FieldMark::clear(edit);
        return;
    }
    const RateAdvice::Weights weights = RateAdvice::readWeights(texts);
    if (!weights.ok()) {
        // The field that does not read as a weight; for a wrong sum, all three.
        bool named = false;
        for (size_t s = 0; s < 3; ++s) {
            const NumberText::Reading reading = NumberText::read(texts[s]);
            const bool bad = !reading.ok || reading.value < 0;
            if (bad)
                FieldMark::refuse(weightEdits_[s], weights.error);
            named = named || bad;
        }
        if (!named)
            for (QLineEdit* edit : weightEdits_)
                FieldMark::refuse(edit, weights.error);
        if (reportedWeights_ != texts) {
            reportedWeights_ = texts;
            errors_.report(this, weights.error);
        }
        return;
    }
    for (QLineEdit* edit : weightEdits_)
        FieldMark::clear(edit);
    weightTexts_ = texts;
    weights_ = weights.values;
    if (situation_.hasState())
        refresh();
    Q_EMIT settingsEdited();
}

bool RateAdviceWindow::evaluable() const
{
    return RateAdvice::evaluable(situation_.state().referenceN);
}

AdviserCase::AdviceSettings RateAdviceWindow::settings() const
{
    return {toleranceText_, weightTexts_, riskSlot_, marksCheck_->isChecked()};
}

void RateAdviceWindow::showSettings(const AdviserCase::AdviceSettings& settings)
{
    toleranceEdit_->setText(settings.tolerance);
    for (size_t i = 0; i < weightEdits_.size(); ++i)
        weightEdits_[i]->setText(settings.weights[i]);
    for (QLineEdit* edit : {toleranceEdit_, weightEdits_[0], weightEdits_[1], weightEdits_[2]})
        FieldMark::clear(edit);
    reportedTolerance_.reset();
    reportedWeights_.reset();
    riskSlot_ = settings.riskSlot;
    const QSignalBlocker quiet(marksCheck_);
    marksCheck_->setChecked(settings.marksShown);
    // A case's settings were read when it was opened: here they only take effect.
    const RateAdvice::Tolerance tolerance = RateAdvice::readTolerance(settings.tolerance);
    const RateAdvice::Weights weights = RateAdvice::readWeights(settings.weights);
    if (tolerance.ok() && weights.ok()) {
        toleranceText_ = settings.tolerance;
        tolerance_ = tolerance.value;
        weightTexts_ = settings.weights;
        weights_ = weights.values;
    }
    if (situation_.hasState())
        refresh();
}

void RateAdviceWindow::setProduct(int productIndex)
{
    product_ = productIndex;
    if (situation_.hasState())
        refresh();
}

void RateAdviceWindow::showFitIntervals(const ResponseData& data)
{
    fitData_ = &data;
    for (auto signal : {&ResponseData::changed, &ResponseData::confidenceChanged})
        connect(&data, signal, this, [this] {
            if (situation_.hasState())
                refresh();
        });
}

QString RateAdviceWindow::headerLine() const
{
    return DoseAdvice::headerLine(situation_.state());
}

void RateAdviceWindow::refuse(const QString& reason)
{
    statusLabel_->setText(QStringLiteral("No se actualizó: %1 Se muestran los últimos resultados.").arg(reason));
    Look::setColour(statusLabel_, QPalette::WindowText, Qt::red);
}

void RateAdviceWindow::refresh()
{
    if (!situation_.hasState())
        return;
    // Hidden, only the marks on the chart follow; the tables are filled when next shown,
    // so the chart's activation does not pay for them.
    if (!isVisible()) {
        computeOptima();
        publishMarks();
        tablesStale_ = true;
        return;
    }
    tablesStale_ = false;
    statusLabel_->setText(evaluable() ? headerLine() : headerLine() + u'\n' + RateAdvice::beyondTableNote());
    Look::setColour(statusLabel_, QPalette::WindowText, Qt::black);
    fillOptimumTable();

    // The season risk is about the active scenarios, whether their curves are drawn or not.
    riskSlotChooser_->clear();
    for (int slot = 1; slot <= ScenarioSlots::SlotCount; ++slot)
        if (slots_.slot(slot).active)
            riskSlotChooser_->addItem(QStringLiteral("Escenario %1").arg(slot), slot);
    const int keep = riskSlotChooser_->findData(riskSlot_);
    riskSlotChooser_->setCurrentIndex(keep >= 0 ? keep : 0);
    fillRiskTable();
    publishMarks();
}

DoseAdvice::Inputs RateAdviceWindow::inputs() const
{
    DoseAdvice::Inputs in;
    in.economics = situation_.hasState() ? &situation_.state() : nullptr;
    in.shown = selection_.shownCurves();
    for (int slot = 1; slot <= ScenarioSlots::SlotCount; ++slot)
        in.scenarioSlots[static_cast<size_t>(slot - 1)] = slots_.slot(slot);
    in.settings = settings();
    in.tolerance = tolerance_;
    in.weights = weights_;
    in.product = product_;
    in.data = fitData_;
    return in;
}

void RateAdviceWindow::computeOptima()
{
    rowCurves_.clear();
    optima_.clear();
    for (const DoseAdvice::CurveOptimum& o : DoseAdvice::optima(inputs())) {
        rowCurves_.push_back(o.k);
        optima_.push_back(o.optimum);
    }
}

void RateAdviceWindow::fillOptimumTable()
{
    const int selectedRow = optimumTable_->currentRow();
    computeOptima();
    std::vector<DoseAdvice::CurveOptimum> rows;
    for (size_t row = 0; row < rowCurves_.size(); ++row)
        rows.push_back({rowCurves_[row], optima_[row]});
    const DocumentTable t = DoseAdvice::optimumTable(inputs(), rows);
    const QSignalBlocker quiet(optimumTable_);
    optimumTable_->setColumnCount(int(t.header.size()));
    optimumTable_->setHorizontalHeaderLabels(t.header);
    optimumTable_->horizontalHeaderItem(int(t.header.indexOf(QStringLiteral("Rango rentable\n(kg/ha)"))))
        ->setToolTip(QStringLiteral("N disponible cuyo margen queda a menos de la tolerancia del mayor margen"));
    optimumTable_->setRowCount(int(t.rows.size()));
    for (qsizetype row = 0; row < t.rows.size(); ++row)
        setCells(optimumTable_, int(row), t.rows.at(row));
    const int count = optimumTable_->rowCount();
    optimumTable_->setCurrentCell(count == 0 ? -1 : (selectedRow >= 0 && selectedRow < count ? selectedRow : 0), 0);
    fillSensitivityTable();
}

void RateAdviceWindow::fillRiskTable()
{
    const int slot = riskSlotChooser_->currentData().toInt();
    const DocumentTable t = DoseAdvice::riskTable(inputs(), slot);
    riskTable_->setHorizontalHeaderLabels(t.header.mid(1));
    QStringList rowTitles;
    for (const QStringList& row : t.rows)
        rowTitles << row.first();
    riskTable_->setVerticalHeaderLabels(rowTitles);
    if (!situation_.hasState() || slot < 1 || !evaluable()) {
        riskTable_->clearContents();
        valueOfKnowingLabel_->setText(slot < 1 ? QStringLiteral("Ningún escenario activo.") : QString());
        return;
    }
    for (qsizetype row = 0; row < t.rows.size(); ++row) {
        setCells(riskTable_, int(row), t.rows.at(row).mid(1));
        for (int c = 0; c < riskTable_->columnCount(); ++c)
            riskTable_->item(int(row), c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    valueOfKnowingLabel_->setText(t.notes.value(0));
    fitHeight(riskTable_);
}

void RateAdviceWindow::fillSensitivityTable()
{
    const int row = optimumTable_->currentRow();
    if (!situation_.hasState() || row < 0 || row >= static_cast<int>(rowCurves_.size())) {
        sensitivityTable_->clearContents();
        sensitivityTitle_->setText(QStringLiteral("Sensibilidad a los precios"));
        return;
    }
    const DocumentTable t = DoseAdvice::sensitivityTable(inputs(), rowCurves_[static_cast<size_t>(row)]);
    sensitivityTitle_->setText(t.title);
    for (qsizetype r = 0; r < t.rows.size(); ++r)
        for (qsizetype c = 1; c < t.rows.at(r).size(); ++c) {
            auto* item = new QTableWidgetItem(t.rows.at(r).at(c));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            sensitivityTable_->setItem(int(r), int(c - 1), item);
        }
    fitHeight(sensitivityTable_);
}

void RateAdviceWindow::publishMarks()
{
    std::vector<RateAdvice::Mark> marks;
    if (marksCheck_->isChecked())
        for (size_t row = 0; row < rowCurves_.size(); ++row)
            marks.push_back({rowCurves_[row], optima_[row].optimumN, optima_[row].rangeLow, optima_[row].rangeHigh});
    Q_EMIT marksChanged(marks);
}

QStringList RateAdviceWindow::tablesAsText(QChar separator) const
{
    QStringList lines;
    lines << QStringLiteral("Dosis de mayor margen para cada curva");
    lines << rowsOf(optimumTable_, separator, false);
    lines << QString() << QStringLiteral("Riesgo de la campaña, %1").arg(riskSlotChooser_->currentText());
    lines << rowsOf(riskTable_, separator, true);
    lines << valueOfKnowingLabel_->text();
    lines << QString() << sensitivityTitle_->text();
    lines << rowsOf(sensitivityTable_, separator, true);
    return lines;
}

void RateAdviceWindow::copyToClipboard() const
{
    const TableDocument tables = document();
    auto* data = new QMimeData;
    data->setText(TableText::tabSeparated(tables));
    data->setHtml(TableText::html(tables));
    QGuiApplication::clipboard()->setMimeData(data);
}

TableDocument RateAdviceWindow::document() const
{
    TableDocument d;
    d.title = QStringLiteral("Velmaro: dosis recomendada");
    d.basis = basisLines();
    d.tables << cellsOf(optimumTable_, QStringLiteral("Dosis de mayor margen para cada curva"), false);
    d.tables << cellsOf(riskTable_, QStringLiteral("Riesgo de la campaña, %1").arg(riskSlotChooser_->currentText()),
                        true);
    d.tables.last().notes << valueOfKnowingLabel_->text();
    d.tables << cellsOf(sensitivityTable_, sensitivityTitle_->text(), true);
    return d;
}

QStringList RateAdviceWindow::basisLines() const
{
    DoseAdvice::Inputs inputs;
    if (case_)
        inputs = DoseAdvice::inputsFrom(*case_, situation_, product_);
    else
        inputs.economics = situation_.hasState() ? &situation_.state() : nullptr;
    for (int slot = 1; slot <= ScenarioSlots::SlotCount; ++slot)
        inputs.scenarioSlots[static_cast<size_t>(slot - 1)] = slots_.slot(slot);
    inputs.settings.tolerance = toleranceText_;
    inputs.settings.weights = weightTexts_;
    QStringList lines = DoseAdvice::scenarios(inputs);
    // The line at the top, when it says more than the prices: a refused input, a reference
    // beyond the table.
    if (!situation_.hasState() || statusLabel_->text() != DoseAdvice::headerLine(situation_.state()))
        lines << statusLabel_->text();
    return lines << DoseAdvice::basisLines(inputs);
}

bool RateAdviceWindow::exportCsv(const QString& path)
{
    QString error;
    if (CsvWriter::save(path, CsvWriter::bytes(document(), CsvWriter::savedFormat()), &error))
        return true;
    errors_.report(this, error);
    return false;
}

bool RateAdviceWindow::exportXlsx(const QString& path)
{
    QString error;
    if (XlsxWriter::save(path, document(), QStringLiteral("Dosis recomendada"), &error))
        return true;
    errors_.report(this, error);
    return false;
}

void RateAdviceWindow::print()
{
    // As text in a fixed-width face, each table's columns padded to line up. A line holds
    // what an A4 page holds at 7 points across: a long text breaks between words, and a
    // table's last column (the notes) wraps under itself.
    constexpr qsizetype Across = 120;
    const auto words = [](const QString& text) { // a unit stays with its number: "20 %"
        QStringList list;
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (word == u"%" && !list.isEmpty())
                list.last() += QStringLiteral(" %");
            else
                list << word;
        return list;
    };
    const auto broken = [&words](const QString& text, qsizetype width) {
        QStringList parts;
        for (const QString& word : words(text))
            if (!parts.isEmpty() && parts.last().size() + 1 + word.size() <= width)
                parts.last() += QLatin1Char(' ') + word;
            else
                parts << word;
        return parts.isEmpty() ? QStringList{QString()} : parts;
    };
    QStringList lines{QStringLiteral("VELMARO - DOSIS RECOMENDADA")};
    for (const QString& line : basisLines())
        lines << broken(line, Across);
    lines << QString();
    QList<QStringList> block; // a table, its headings first
    const auto flush = [&lines, &block, &words, &broken] {
        if (block.isEmpty())
            return;
        // Columns as wide as their cells below the headings, or as a heading's longest word
        // and some ten letters; the notes take what is left of the line.
        qsizetype columns = 0;
        for (const QStringList& cells : block)
            columns = std::max(columns, cells.size());
        std::vector<qsizetype> widths(static_cast<size_t>(columns), 0);
        for (qsizetype r = 0; r < block.size(); ++r)
            for (qsizetype c = 0; c < block.at(r).size(); ++c) {
                const QString& cell = block.at(r).at(c);
                qsizetype width = r == 0 ? std::min<qsizetype>(cell.size(), 10) : cell.size();
                if (r == 0)
                    for (const QString& word : words(cell))
                        width = std::max(width, word.size());
                widths[static_cast<size_t>(c)] = std::max(widths[static_cast<size_t>(c)], width);
            }
        qsizetype lead = 0;
        for (size_t c = 0; c + 1 < widths.size(); ++c)
            lead += widths[c] + 2;
        widths.back() = std::max<qsizetype>(Across - lead, 16);
        for (const QStringList& cells : block) {
            std::vector<QStringList> pieces;
            size_t height = 1;
            for (qsizetype c = 0; c < cells.size(); ++c) {
                pieces.push_back(broken(cells.at(c), widths[static_cast<size_t>(c)]));
                height = std::max(height, static_cast<size_t>(pieces.back().size()));
            }
            for (size_t k = 0; k < height; ++k) {
                QString line;
                for (size_t c = 0; c < pieces.size(); ++c)
                    line += pieces[c].value(static_cast<qsizetype>(k)).leftJustified(widths[c] + 2);
                // Blanks on the left keep a heading over its column when the first is empty.
                while (line.endsWith(QLatin1Char(' ')))
                    line.chop(1);
                lines << line;
            }
        }
        block.clear();
    };
    for (const QString& line : tablesAsText(QLatin1Char('\t'))) {
        if (line.contains(QLatin1Char('\t'))) {
            block << line.split(QLatin1Char('\t'));
        } else {
            flush();
            lines << broken(line, Across);
        }
    }
    flush();
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(7);
    // The job, and the PDF file offered without a printer, named after the case.
    const QString title = QStringLiteral("Dosis recomendada");
    printer_.printTitled(this, ReportContent::nameOf(case_ ? case_->identity() : AdviserCase::Identity(), title, title),
                         lines, font);
}
