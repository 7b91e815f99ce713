#include "SoilNitrogenWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/FertiliserProducts.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FirstShowing.h"
#include "ui/common/HelpMark.h"
#include "ui/common/Look.h"
#include "ui/common/SelectAllOnEntry.h"
#include "ui/common/WindowNames.h"

namespace {

QLabel* caption(const QString& text, QWidget* parent, int x, int y, int width, const QFont& font = Look::arial(8))
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, 16);
    label->setFont(font);
    return label;
}

QLineEdit* edit(int number, const QString& text, QWidget* parent, int x, int y, int width = 60)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QStringLiteral("Edit%1").arg(number));
    field->setGeometry(x, y, width, 22);
    FirstShowing::font(field, Look::arial(8));
    return field;
}

QPushButton* button(int number, const QString& text, QWidget* parent, int x, int y)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QStringLiteral("Button%1").arg(number));
    b->setGeometry(x, y, 80, 26);
    return b;
}

QComboBox* productList(int number, QWidget* parent, int x, int y)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("ComboBox%1").arg(number));
    list->setGeometry(x, y, 190, 22);
    list->addItems(FertiliserProducts::names());
    list->setPlaceholderText(FertiliserProducts::prompt());
    list->setCurrentIndex(FertiliserProducts::NoProduct);
    return list;
}

QFrame* area(QWidget* parent, const QRect& geometry)
{
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setGeometry(geometry);
    return frame;
}

} // namespace

SoilNitrogenWindow::SoilNitrogenWindow(ErrorReporter& errors, QWidget* parent)
    : VelmaroWindow(QString(WindowNames::SoilNitrogen), QStringLiteral("Calculo de N disponible en suelo"), parent),
      errors_(errors)
{
    centreOnDesktopWhenFirstShown();
    // Look: the soil test, the fertilisers and the result, top to bottom.
    setFixedSize(640, 470);
    const QFont heading = Look::arial(11, true);

    QFrame* soil = area(this, QRect(8, 8, 624, 220));
    caption(QStringLiteral("Suelos"), soil, 10, 6, 120, heading);
    caption(QStringLiteral("Concentración"), soil, 76, 28, 120, Look::arial(8, true));
    caption(QStringLiteral("de nitratos"), soil, 76, 44, 120, Look::arial(8, true));
    caption(QStringLiteral("Concentración de"), soil, 308, 28, 120, Look::arial(8, true));
    caption(QStringLiteral("N mineral"), soil, 308, 44, 120, Look::arial(8, true));
    caption(QStringLiteral("Densidad"), soil, 506, 28, 110, Look::arial(8, true));
    caption(QStringLiteral("aparente"), soil, 506, 44, 110, Look::arial(8, true));
    const QString layers[3] = {QStringLiteral("0-20 Cm"), QStringLiteral("20-40 Cm"), QStringLiteral("40-60 Cm")};
    for (int layer = 0; layer < 3; ++layer) {
        const int y = 68 + layer * 34;
        caption(layers[layer], soil, 10, y + 3, 62, Look::arial(8, true));
        nitrateEdits_[layer] = edit(1 + layer, QStringLiteral("ppm"), soil, 76, y);
        caption(QStringLiteral("ppm NO"), soil, 140, y + 3, 42);
        caption(QStringLiteral("3"), soil, 182, y + 9, 10, Look::arial(6)); // the 3 of NO3, set low
        mineralNEdits_[layer] = edit(4 + layer, QStringLiteral("ppm N"), soil, 308, y);
        caption(QStringLiteral("ppm N"), soil, 372, y + 3, 40);
        densityEdits_[layer] = edit(7 + layer, QStringLiteral("1300"), soil, 506, y);
        caption(QStringLiteral("Kg/m3"), soil, 570, y + 3, 44);
    }
    buttons_[0] = button(1, QStringLiteral("Cálculo 1"), soil, 206, 100);
    buttons_[1] = button(2, QStringLiteral("Cálculo 2"), soil, 418, 100);
    caption(QStringLiteral("N mineral"), soil, 420, 176, 80, Look::arial(8, true));
    caption(QStringLiteral("en suelo"), soil, 420, 192, 80, Look::arial(8, true));
    soilNEdit_ = edit(10, QStringLiteral("0000"), soil, 506, 180);
    soilNEdit_->setReadOnly(true);
    caption(QStringLiteral("kg/ha"), soil, 570, 183, 44);

    QFrame* fertilisers = area(this, QRect(8, 234, 624, 130));
    caption(QStringLiteral("Fertilizantes"), fertilisers, 10, 6, 120, heading);
    caption(QStringLiteral("Kg agregados"), fertilisers, 318, 10, 100, Look::arial(8, true));
    for (int row = 0; row < 2; ++row) {
        const int y = 32 + row * 32;
        caption(QStringLiteral("Fertilizante %1").arg(row + 1), fertilisers, 10, y + 3, 100, Look::arial(8, true));
        productLists_[row] = productList(1 + row, fertilisers, 112, y);
        amountEdits_[row] = edit(11 + row, QStringLiteral("0000"), fertilisers, 318, y);
        caption(QStringLiteral("kg/ha fert %1").arg(row + 1), fertilisers, 382, y + 3, 90);
    }
    buttons_[2] = button(3, QStringLiteral("Cálculo 3"), fertilisers, 112, 96);
    caption(QStringLiteral("N en fertilizante"), fertilisers, 210, 101, 104, Look::arial(8, true));
    fertiliserNEdit_ = edit(13, QStringLiteral("0000"), fertilisers, 318, 98);
    fertiliserNEdit_->setReadOnly(true);
    caption(QStringLiteral("kg/ha"), fertilisers, 382, 101, 44);

    auto* result = area(this, QRect(8, 370, 624, 92));
    resultPanel_ = result;
    result->setObjectName(QStringLiteral("Panel1"));
    result->setAutoFillBackground(true);
    QPalette teal = result->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    teal.setColor(QPalette::WindowText, Qt::white);
    result->setPalette(teal);
    caption(QStringLiteral("N disponible"), result, 40, 26, 140, Look::arial(10, true));
    caption(QStringLiteral("de referencia"), result, 40, 46, 140, Look::arial(10, true));
    referenceNEdit_ = edit(14, QStringLiteral("0000"), result, 186, 32, 80);
    referenceNEdit_->setReadOnly(true);
    FirstShowing::font(referenceNEdit_, Look::arial(10, true));
    QPalette red = referenceNEdit_->palette();
    red.setColor(QPalette::Text, Qt::red);
    referenceNEdit_->setPalette(red);
    caption(QStringLiteral("kg/ha"), result, 272, 36, 50, Look::arial(10, true));
    buttons_[3] = button(4, QStringLiteral("Aceptar"), result, 360, 32);
    help_ = new HelpMark(QStringLiteral("Label1"), QStringLiteral("?"), 20, 24, result);
    help_->setHoverColour(Qt::yellow);
    help_->move(520, 24);

    // Behaviour.
    connect(nitrateEdits_[0], &QLineEdit::textChanged, this, &SoilNitrogenWindow::fillFromFirstLayer);
    connect(nitrateEdits_[1], &QLineEdit::textChanged, this, &SoilNitrogenWindow::fillFromSecondLayer);
    behaveAsDialog(buttons_[3]); // "Aceptar"
    connect(buttons_[0], &QPushButton::clicked, this, &SoilNitrogenWindow::convertNitrate);
    connect(buttons_[1], &QPushButton::clicked, this, &SoilNitrogenWindow::sumSoilNitrogen);
    connect(buttons_[2], &QPushButton::clicked, this, &SoilNitrogenWindow::addFertiliserNitrogen);
    connect(buttons_[3], &QPushButton::clicked, this, &SoilNitrogenWindow::acceptReferenceN);
    connect(help_, &HelpMark::clicked, this, &SoilNitrogenWindow::helpRequested);
    // Focus follows the pointer onto the entries an adviser types most.
    for (QLineEdit* field : {nitrateEdits_[0], nitrateEdits_[1], nitrateEdits_[2], amountEdits_[0], amountEdits_[1]}) {
        field->setMouseTracking(true);
        field->installEventFilter(this);
    }
    for (QLineEdit* field : {nitrateEdits_[0], nitrateEdits_[1], nitrateEdits_[2], mineralNEdits_[0], mineralNEdits_[1],
                             mineralNEdits_[2], amountEdits_[0], amountEdits_[1]})
        SelectAllOnEntry::install(field);
    result->setMouseTracking(true);
    result->installEventFilter(this);
}

void SoilNitrogenWindow::onActivated()
{
    nitrateEdits_[0]->setFocus();
}

bool SoilNitrogenWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == resultPanel_)
            help_->reset();
        else if (auto* field = qobject_cast<QLineEdit*>(watched))
            field->setFocus();
    }
    return VelmaroWindow::eventFilter(watched, event);
}

void SoilNitrogenWindow::fillFromFirstLayer()
{
    for (const QLineEdit* field : nitrateEdits_)
        if (field->text().isEmpty())
            return;
    // Nothing while the text is on its way to a number ("pp" as "ppm" is deleted).
    const auto half = SoilNitrogen::halfOf(nitrateEdits_[0]->text());
    const auto quarter = SoilNitrogen::quarterOf(nitrateEdits_[0]->text());
    if (!half || !quarter)
        return;
    nitrateEdits_[1]->setText(*half); // fills the third layer from the second in passing
    nitrateEdits_[2]->setText(*quarter);
}

void SoilNitrogenWindow::fillFromSecondLayer()
{
    for (const QLineEdit* field : nitrateEdits_)
        if (field->text().isEmpty())
            return;
    if (const auto half = SoilNitrogen::halfOf(nitrateEdits_[1]->text()))
        nitrateEdits_[2]->setText(*half);
}

bool SoilNitrogenWindow::completed(const SoilNitrogen::Result& result, const QPushButton* step)
{
    switch (result.failure) {
    case SoilNitrogen::Failure::None:
        return true;
    case SoilNitrogen::Failure::MissingInput:
        Q_EMIT missingInput();
        return false;
    case SoilNitrogen::Failure::NotANumber:
        errors_.report(this, result.message + QStringLiteral(" (necesario para \"%1\")").arg(step->text()));
        return false;
    case SoilNitrogen::Failure::OutOfRange:
        errors_.report(this, result.message);
        return false;
    }
    return false;
}

void SoilNitrogenWindow::convertNitrate()
{
    const SoilNitrogen::Result result =
        SoilNitrogen::mineralNitrogen({nitrateEdits_[0]->text(), nitrateEdits_[1]->text(), nitrateEdits_[2]->text()});
    if (!completed(result, buttons_[0]))
        return;
    for (int layer = 0; layer < 3; ++layer)
        mineralNEdits_[layer]->setText(result.texts[layer]);
}

void SoilNitrogenWindow::sumSoilNitrogen()
{
    const SoilNitrogen::Result result =
        SoilNitrogen::soilNitrogen({mineralNEdits_[0]->text(), mineralNEdits_[1]->text(), mineralNEdits_[2]->text()},
                                   {densityEdits_[0]->text(), densityEdits_[1]->text(), densityEdits_[2]->text()});
    if (!completed(result, buttons_[1]))
        return;
    soilNEdit_->setText(result.texts[0]);
}

void SoilNitrogenWindow::addFertiliserNitrogen()
{
    const SoilNitrogen::Result result =
        SoilNitrogen::availableNitrogen(amountEdits_[0]->text(), productLists_[0]->currentIndex(),
                                        amountEdits_[1]->text(), productLists_[1]->currentIndex(), soilNEdit_->text());
    if (!completed(result, buttons_[2]))
        return;
    fertiliserNEdit_->setText(result.texts[0]);
    referenceNEdit_->setText(result.texts[1]);
    calculated_ = true;
}

void SoilNitrogenWindow::acceptReferenceN()
{
    // Only a calculated result, and only what the economic chart accepts, is handed over;
    // a value below 40 goes with the warning, as the chart itself would give it.
    if (!calculated_) {
        errors_.report(this,
                       QStringLiteral("Todavía no hay N disponible de referencia calculado: complete "
                                      "\"Cálculo 1\", \"Cálculo 2\" y \"Cálculo 3\" antes de \"Aceptar\". "
                                      "El gráfico económico sigue con su N de referencia."));
        return;
    }
    const QString text = referenceNEdit_->text();
    const SoilNitrogen::HandOverResult handOver = SoilNitrogen::handOver(text);
    switch (handOver.outcome) {
    case SoilNitrogen::HandOver::Accept:
        Q_EMIT sampleAccepted(sample());
        Q_EMIT referenceNAccepted(text);
        hide();
        break;
    case SoilNitrogen::HandOver::TooLow:
        Q_EMIT sampleAccepted(sample());
        Q_EMIT referenceNAccepted(text);
        Q_EMIT lowNitrogenWarning();
        break;
    case SoilNitrogen::HandOver::Refused:
        errors_.report(this, handOver.message);
        break;
    }
}

AdviserCase::SoilSample SoilNitrogenWindow::sample() const
{
    AdviserCase::SoilSample s;
    for (int layer = 0; layer < 3; ++layer) {
        s.nitrate[layer] = nitrateEdits_[layer]->text();
        s.mineralN[layer] = mineralNEdits_[layer]->text();
        s.density[layer] = densityEdits_[layer]->text();
    }
    s.soilN = soilNEdit_->text();
    for (int row = 0; row < 2; ++row) {
        s.products[row] = productLists_[row]->currentIndex();
        s.amounts[row] = amountEdits_[row]->text();
    }
    s.fertiliserN = fertiliserNEdit_->text();
    s.referenceN = referenceNEdit_->text();
    return s;
}

void SoilNitrogenWindow::showSample(const AdviserCase::SoilSample& sample)
{
    // Written as saved: the lower layers are not filled again from the first.
    for (QLineEdit* field : nitrateEdits_)
        field->blockSignals(true);
    for (int layer = 0; layer < 3; ++layer) {
        nitrateEdits_[layer]->setText(sample.nitrate[layer]);
        mineralNEdits_[layer]->setText(sample.mineralN[layer]);
        densityEdits_[layer]->setText(sample.density[layer]);
    }
    for (QLineEdit* field : nitrateEdits_)
        field->blockSignals(false);
    soilNEdit_->setText(sample.soilN);
    for (int row = 0; row < 2; ++row) {
        productLists_[row]->setCurrentIndex(sample.products[row]);
        amountEdits_[row]->setText(sample.amounts[row]);
    }
    fertiliserNEdit_->setText(sample.fertiliserN);
    referenceNEdit_->setText(sample.referenceN);
}
