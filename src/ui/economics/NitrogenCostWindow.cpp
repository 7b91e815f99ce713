#include "NitrogenCostWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/FertiliserProducts.h"
#include "core/NitrogenCost.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/FirstShowing.h"
#include "ui/common/Look.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/SelectAllOnEntry.h"
#include "ui/common/WindowNames.h"

namespace {

QLabel* caption(const QString& text, QWidget* parent, const QRect& geometry, const QFont& font = Look::arial(9))
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(font);
    return label;
}

// A step of the assistant: a raised panel with its red number at the left.
QFrame* stepPanel(int step, QWidget* parent, const QRect& geometry)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("Panel%1").arg(step));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(geometry);
    auto* number = caption(QString::number(step), panel, QRect(8, 6, 24, 30), Look::arial(18, true));
    number->setObjectName(QStringLiteral("StepNumber%1").arg(step));
    QPalette red = number->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    number->setPalette(red);
    return panel;
}

QLineEdit* resultEdit(const QString& objectName, QWidget* parent, const QRect& geometry)
{
    auto* edit = new QLineEdit(NitrogenCost::initialPriceText(), parent);
    edit->setObjectName(objectName);
    edit->setGeometry(geometry);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    FirstShowing::font(edit, Look::arial(9, true));
    return edit;
}

} // namespace

NitrogenCostWindow::NitrogenCostWindow(MessageBoxes& messages, ErrorReporter& errors, QWidget* parent)
    : VelmaroWindow(QString(WindowNames::NitrogenCost), QStringLiteral("Costo del Nitrógeno"), parent),
      messages_(messages),
      errors_(errors)
{
    // Look: five numbered steps down the window.
    setFixedSize(440, 400);

    QFrame* step1 = stepPanel(1, this, QRect(8, 8, 424, 64));
    caption(FertiliserProducts::prompt(), step1, QRect(44, 6, 220, 18), Look::arial(9, true));
    productList_ = new QComboBox(step1);
    productList_->setObjectName(QStringLiteral("ComboBox1"));
    productList_->setGeometry(44, 28, 220, 24);
    productList_->addItems(FertiliserProducts::names());
    productList_->setPlaceholderText(FertiliserProducts::prompt());
    productList_->setCurrentIndex(FertiliserProducts::NoProduct);

    QFrame* step2 = stepPanel(2, this, QRect(8, 78, 424, 64));
    caption(QStringLiteral("Ingrese el costo del"), step2, QRect(44, 8, 160, 18), Look::arial(9, true));
    caption(QStringLiteral("fertilizante"), step2, QRect(44, 28, 160, 18), Look::arial(9, true));
    priceEdit_ = new QLineEdit(NitrogenCost::initialPriceText(), step2);
    priceEdit_->setObjectName(QStringLiteral("Edit1"));
    priceEdit_->setGeometry(210, 18, 100, 24);
    priceEdit_->setAlignment(Qt::AlignRight);
    priceEdit_->setMouseTracking(true);
    caption(QStringLiteral("U$S / tn"), step2, QRect(318, 20, 90, 18));

    QFrame* step3 = stepPanel(3, this, QRect(8, 148, 424, 50));
    calculateButton_ = new QPushButton(QStringLiteral("Calcular"), step3);
    calculateButton_->setObjectName(QStringLiteral("Button1"));
    calculateButton_->setGeometry(44, 12, 110, 26);

    QFrame* step4 = stepPanel(4, this, QRect(8, 204, 424, 130));
    caption(QStringLiteral("Resultados:"), step4, QRect(44, 6, 200, 18), Look::arial(10, true));
    caption(QStringLiteral("El fertilizante elegido contiene"), step4, QRect(44, 32, 200, 18));
    contentEdit_ = resultEdit(QStringLiteral("Edit2"), step4, QRect(246, 29, 70, 24));
    caption(QStringLiteral("gr"), step4, QRect(322, 32, 30, 18));
    caption(QStringLiteral("de N por kg de fertilizante"), step4, QRect(44, 56, 260, 18));
    caption(QStringLiteral("Cada kg de nitrógeno cuesta"), step4, QRect(44, 92, 200, 18));
    costEdit_ = resultEdit(QStringLiteral("Edit3"), step4, QRect(246, 89, 70, 24));
    caption(QStringLiteral("U$S"), step4, QRect(322, 92, 40, 18));

    QFrame* step5 = stepPanel(5, this, QRect(8, 340, 424, 52));
    returnButton_ = new QPushButton(QStringLiteral("Regresar"), step5);
    returnButton_->setObjectName(QStringLiteral("Button2"));
    returnButton_->setGeometry(44, 13, 110, 26);

    // Behaviour.
    connect(productList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        priceEdit_->setFocus();
        if (index != FertiliserProducts::NoProduct)
            Q_EMIT productChosen(index);
    });
    priceEdit_->installEventFilter(this);
    SelectAllOnEntry::install(priceEdit_);
    connect(calculateButton_, &QPushButton::clicked, this, &NitrogenCostWindow::calculate);
    behaveAsDialog(calculateButton_);
    connect(returnButton_, &QPushButton::clicked, this, &NitrogenCostWindow::giveBack);
}

void NitrogenCostWindow::onActivated()
{
    productList_->setFocus();
}

bool NitrogenCostWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Focus follows the pointer onto the price field.
    if (watched == priceEdit_ && event->type() == QEvent::MouseMove)
        priceEdit_->setFocus();
    return VelmaroWindow::eventFilter(watched, event);
}

void NitrogenCostWindow::calculate()
{
    const NitrogenCost::Result result = NitrogenCost::calculate(priceEdit_->text(), productList_->currentIndex());
    switch (result.failure) {
    case NitrogenCost::Failure::None:
        break;
    case NitrogenCost::Failure::NoData:
    case NitrogenCost::Failure::NoProduct:
        messages_.information(this, result.message);
        return;
    case NitrogenCost::Failure::NotANumber:
    case NitrogenCost::Failure::OutOfRange:
        errors_.report(this, result.message);
        return;
    }
    takeResult(result, productList_->currentIndex(), priceEdit_->text());
}

void NitrogenCostWindow::giveBack()
{
    // The stored cost, whatever the fields show since the last "Calcular"; with no
    // completed calculation there is nothing to hand over and the chart keeps its cost.
    if (calculated_) {
        const QString cost = NitrogenCost::returnText(nCostPerTonne_);
        Q_EMIT workingReturned(calculatedProduct_, calculatedPrice_, cost);
        Q_EMIT costReturned(cost);
    }
    hide();
}

void NitrogenCostWindow::showWorking(int productIndex, const QString& priceText)
{
    productList_->setCurrentIndex(productIndex);
    priceEdit_->setText(priceText);
    const NitrogenCost::Result result = NitrogenCost::calculate(priceText, productIndex);
    if (result.failure != NitrogenCost::Failure::None)
        return;
    takeResult(result, productIndex, priceText);
}

void NitrogenCostWindow::takeResult(const NitrogenCost::Result& result, int productIndex, const QString& priceText)
{
    contentEdit_->setText(result.contentText);
    costEdit_->setText(result.costText);
    nCostPerKg_ = result.nCostPerKg;
    nCostPerTonne_ = result.nCostPerTonne;
    calculated_ = true;
    calculatedProduct_ = productIndex;
    calculatedPrice_ = priceText;
}
