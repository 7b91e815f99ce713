#include "EconomicInputRow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/EconomicInputs.h"
#include "core/EconomicSituation.h"
#include "ui/charting/ChartSkeleton.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FieldMark.h"
#include "ui/common/HelpMark.h"
#include "ui/common/Look.h"
#include "ui/common/SelectAllOnEntry.h"
#include "ui/common/WindowNames.h"

namespace {

const QColor Teal(0, 128, 128);

} // namespace

EconomicInputRow::EconomicInputRow(EconomicSituation& situation, ErrorReporter& errors, QWidget* parent)
    : QWidget(parent),
      situation_(situation),
      errors_(errors)
{
    setMouseTracking(true);
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    struct Input {
        const char* edit;
        const char* caption;
        const char* unit;
        const char* mark;
        const char* window;
    };
    const Input inputs[3] = {
        {"Edit1", "Precio neto del grano?", "U$S/Tn.", "Label16", WindowNames::GrainPriceHelp.data()},
        {"Edit2", "Costo del nitrógeno", "U$S/Tn.", "Label17", WindowNames::NitrogenCostHelp.data()},
        {"Edit3", "N disp. de referencia?", "Kg/ha.", "Label18", WindowNames::ReferenceNHelp.data()},
    };
    for (int i = 0; i < 3; ++i) {
        h->addWidget(ChartSkeleton::caption(QString::fromUtf8(inputs[i].caption), this, Look::arial(9, true), Teal));
        auto* edit = new QLineEdit(confirmed_[i], this);
        edit->setObjectName(QLatin1String(inputs[i].edit));
        edit->setFixedWidth(60);
        edit->setMouseTracking(true);
        edit->installEventFilter(this);
        h->addWidget(edit);
        h->addWidget(ChartSkeleton::caption(QString::fromUtf8(inputs[i].unit), this, Look::arial(9), Qt::black));
        auto* mark = new HelpMark(QLatin1String(inputs[i].mark), QStringLiteral(" ? "), 14, 18, this);
        mark->setCursor(Qt::WhatsThisCursor);
        const QString window = QLatin1String(inputs[i].window);
        connect(mark, &HelpMark::clicked, this, [this, window] { Q_EMIT windowRequested(window); });
        h->addWidget(mark);
        h->addSpacing(16);
        marks_[i] = mark;
        edits_[i] = edit;
    }
    h->addStretch();
    // Beyond the specified controls, at the row's free right end.
    auto* advice = new QToolButton(this);
    advice->setObjectName(QStringLiteral("RateAdviceButton"));
    advice->setText(QStringLiteral("Dosis recomendada"));
    advice->setToolTip(QStringLiteral("La dosis de N de mayor margen para cada curva, su rango rentable y el riesgo "
                                      "de la campaña"));
    advice->setFont(Look::arial(8, true));
    Look::setColour(advice, QPalette::ButtonText, Teal);
    connect(advice, &QToolButton::clicked, this,
            [this] { Q_EMIT windowRequested(QStringLiteral("RateAdviceWindow")); });
    h->addWidget(advice);

    // Enter or leaving a field confirms it; a field entered by Enter or Tab has its text
    // selected, so that typing replaces it. Enter moves on: the grain price to the cost of
    // nitrogen, the other two back to the grain price.
    for (const Field field : {GrainPrice, NCost, ReferenceN}) {
        QLineEdit* edit = edits_[field];
        SelectAllOnEntry::install(edit);
        connect(edit, &QLineEdit::editingFinished, this, [this, field] {
            if (confirm(field))
                Q_EMIT confirmedChanged();
        });
        connect(edit, &QLineEdit::returnPressed, this, [this, field, edit] {
            if (confirm(field))
                Q_EMIT confirmedChanged();
            if (edit->text() != confirmed_[field]) // refused: stay to mend it
                edit->setFocus();
            else
                edits_[field == GrainPrice ? NCost : GrainPrice]->setFocus();
        });
        // A refused text is said again only after the adviser has changed it.
        connect(edit, &QLineEdit::textEdited, this, [this, field] { reported_[field].reset(); });
    }
}

EconomicInputRow::~EconomicInputRow()
{
    // A field losing the focus as the window goes confirms nothing any more.
    for (QLineEdit* edit : edits_)
        edit->disconnect(this);
}

bool EconomicInputRow::take(Field field, const QString& text)
{
    edits_[field]->setText(text);
    reported_[field].reset();
    return confirm(field);
}

bool EconomicInputRow::confirm(Field field)
{
    QLineEdit* edit = edits_[field];
    const QString text = edit->text();
    if (text == confirmed_[field]) {
        FieldMark::clear(edit);
        return false;
    }
    QString error;
    bool below = false;
    if (field == ReferenceN) {
        const EconomicInputs::ReferenceN reference = EconomicInputs::readReferenceN(text);
        error = reference.error;
        below = reference.ok() && reference.belowLowest();
    } else {
        error = (field == GrainPrice ? EconomicInputs::readGrainPrice(text) : EconomicInputs::readNCost(text)).error;
    }
    if (!error.isEmpty()) {
        FieldMark::refuse(edit, error);
        if (reported_[field] != text) {
            reported_[field] = text;
            errors_.report(window(), error);
            situation_.refuse(error);
        }
        return false;
    }
    FieldMark::clear(edit);
    reported_[field].reset();
    if (below) {
        // Never below the table's first column: said, and the field shows what counts.
        Q_EMIT lowNitrogenWarning();
        edit->setText(QString::number(EconomicInputs::LowestReferenceN));
    }
    const bool changed = edit->text() != confirmed_[field];
    confirmed_[field] = edit->text();
    return changed;
}

bool EconomicInputRow::confirmAll()
{
    bool taken = true;
    for (const Field field : {GrainPrice, NCost, ReferenceN}) {
        confirm(field);
        taken = taken && edits_[field]->text() == confirmed_[field];
    }
    return taken;
}

void EconomicInputRow::focusFirstToMend()
{
    QLineEdit* focus = edits_[GrainPrice];
    for (size_t field = edits_.size(); field-- > 0;)
        if (edits_[field]->text() != confirmed_[field])
            focus = edits_[field];
    focus->setFocus();
}

void EconomicInputRow::resetMarks()
{
    for (HelpMark* mark : marks_)
        mark->reset();
}

bool EconomicInputRow::eventFilter(QObject* watched, QEvent* event)
{
    // Focus follows the pointer over the three inputs.
    if (event->type() == QEvent::MouseMove) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            edit->setFocus();
    }
    return QWidget::eventFilter(watched, event);
}
