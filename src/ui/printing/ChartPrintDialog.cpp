#include "ChartPrintDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/common/Look.h"
#include "ui/common/RadioGroup.h"

ChartPrintDialog::ChartPrintDialog(const QString& objectName, const QString& caption, QWidget* parent)
    : VelmaroWindow(objectName, caption, parent)
{
    centreOnDesktopWhenFirstShown();
    setFixedSize(330, 190);

    auto* question = new QLabel(QStringLiteral("Está seguro que desea imprimir el gráfico?"), this);
    question->setObjectName(QStringLiteral("Label1"));
    question->setFont(Look::arial(10, true));
    question->setGeometry(10, 10, 310, 20);
    question->setAlignment(Qt::AlignCenter);

    orientation_ = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Orientación"),
                                  {QStringLiteral("Apaisado"), QStringLiteral("Retrato")}, this);
    orientation_->setGeometry(90, 40, 150, 80);
    orientation_->setItemIndex(1);

    auto* print = new QPushButton(Look::standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("&Imprimir"), this);
    print->setObjectName(QStringLiteral("BitBtn1"));
    print->setGeometry(30, 140, 120, 30);
    auto* cancel = new QPushButton(Look::standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    cancel->setGeometry(180, 140, 120, 30);

    connect(print, &QPushButton::clicked, this, [this] { Q_EMIT printRequested(orientation()); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    behaveAsDialog(print);
}

QPageLayout::Orientation ChartPrintDialog::orientation() const
{
    return orientation_->itemIndex() == 0 ? QPageLayout::Landscape : QPageLayout::Portrait;
}
