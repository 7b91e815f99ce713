#include "CreditsWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QTextEdit>

#include "ui/common/FirstShowing.h"
#include "ui/common/WindowNames.h"
#include "ui/info/HelpWindow.h"

namespace {

constexpr int WindowWidth = 560;
constexpr int WindowHeight = 350;
constexpr QSize PictureSize(235, 346);

} // namespace

CreditsWindow::CreditsWindow(QWidget* parent)
    : VelmaroWindow(QString(WindowNames::Credits), QStringLiteral("Créditos"), parent)
{
    centreOnDesktopWhenFirstShown();
    // Look: the picture down the left side; the product name and the text box beside it.
    resize(WindowWidth, WindowHeight);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setFixedSize(PictureSize);
    picture->setScaledContents(true);
    FirstShowing::picture(picture, QStringLiteral(":/pictures/credits.jpg"));

    // The product name in the decorative look of the help windows.
    auto* productName = new QLabel(QStringLiteral("Velmaro"), this);
    productName->setObjectName(QStringLiteral("Label1"));
    HelpWindow::styleProductName(productName);

    textBox_ = HelpWindow::makeTextBox(this);
    textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textBox_->setLineWrapMode(QTextEdit::WidgetWidth);
    textBox_->setAcceptRichText(false);
    textBox_->setReadOnly(false); // the adviser may add notes; they last until the program ends
    textBox_->setPlainText(creditsText());

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(4);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(productName, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(textBox_, 1, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
}

QString CreditsWindow::creditsText()
{
    return QStringLiteral("Velmaro zona NEA\n"
                          "Asesor para la fertilización nitrogenada del trigo en el noreste de la región pampeana.\n"
                          "\n"
                          "Este programa fue desarrollado en el marco de un convenio entre dos organizaciones "
                          "patrocinantes del proyecto.\n"
                          "\n"
                          "Es un trabajo conjunto del grupo de sistemas de producción de una cátedra universitaria "
                          "de cultivos de cereales y de la empresa que desarrolló el software.\n"
                          "\n"
                          "Responsables agronómicos:\n"
                          "los responsables agronómicos del proyecto, del grupo de sistemas de producción de la "
                          "cátedra, a cargo de las simulaciones de cultivo y de las funciones de respuesta al "
                          "nitrógeno.\n"
                          "\n"
                          "Responsable del software:\n"
                          "el equipo de desarrollo de Velmaro.\n"
                          "\n"
                          "Para citar el sistema:\n"
                          "Velmaro zona NEA (2005). Sistema de soporte para la fertilización nitrogenada de "
                          "trigo en el noreste de la región pampeana. Programa de computación.\n"
                          "\n"
                          "El software fue diseñado para un estandard de\n"
                          "pantalla de 800x600. Con otras resoluciones de pantalla las ventanas pueden cambiar "
                          "de tamaño.\n"
                          "\n"
                          "Importante: la tabla de coeficientes de respuesta que trae esta versión es un "
                          "reemplazo provisorio generado por programa, a la espera de una tabla calibrada. Solo "
                          "algunas filas de referencia y los rangos de valores son cifras publicadas; las demás "
                          "líneas son valores generados, no medidos. Por eso las curvas, los óptimos y los "
                          "márgenes de esta versión no son una base para decisiones reales de fertilización.\n"
                          "\n"
                          "Descargo:\n"
                          "Los autores no se hacen responsables por el uso que se haga de la información que "
                          "brinda este programa ni por ningún daño que pudiera derivarse de ella. La información "
                          "puede usarse citando su fuente.");
}

QString CreditsWindow::text() const
{
    return textBox_->toPlainText();
}
