#include "HelpWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/common/FirstShowing.h"
#include "ui/common/WindowNames.h"

HelpWindow::HelpWindow(const QString& objectName, const QString& caption, const QString& text, const Options& options,
                       QWidget* parent)
    : VelmaroWindow(objectName, caption, parent)
{
    centreOnDesktopWhenFirstShown();
    behaveAsDialog(); // read, then Escape
    // Look: picture and product name on top, the text box filling the rest.
    resize(380, 262);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setFixedSize(73, 73);
    picture->setScaledContents(true);
    FirstShowing::picture(picture, options.picture);

    auto* productName = new QLabel(QStringLiteral("Velmaro"), this);
    productName->setObjectName(QStringLiteral("Label1"));
    styleProductName(productName);

    // The text box takes whatever the window gives it below the picture.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(picture, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(productName, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);

    // A text box and its document take longer to build than the rest of the window, and most
    // help windows stay closed for a whole session: the box is built as the window first shows.
    pendingText_ = text;
    FirstShowing::run(this, [this, layout, options] {
        textBox_ = makeTextBox(this);
        textBox_->setVerticalScrollBarPolicy(options.scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        textBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        textBox_->setLineWrapMode(QTextEdit::WidgetWidth);
        textBox_->setReadOnly(!options.editable);
        textBox_->setAcceptRichText(false); // what the adviser types or pastes stays plain
        layOut(pendingText_);
        pendingText_.clear();
        layout->addWidget(textBox_, 1, 0, 1, 2);
    });
}

std::unique_ptr<HelpWindow> HelpWindow::createMissingInputNotice()
{
    const QString text =
        QStringLiteral("Falta un dato para el cálculo.\n\n"
                       "Alguna de las casillas que usa este paso está vacía o todavía muestra su unidad "
                       "(\"ppm\", \"ppm N\") en lugar de un número.\n\n"
                       "Escriba un valor en cada casilla del paso que desea calcular, con punto como separador "
                       "decimal (por ejemplo 12.5), y vuelva a presionar el botón \"Cálculo\". "
                       "Si no aplicó un segundo fertilizante, deje su cantidad en 0.");
    return std::make_unique<HelpWindow>(QString(WindowNames::MissingInput), QStringLiteral("Faltan datos"), text);
}

void HelpWindow::setText(const QString& text)
{
    if (textBox_)
        layOut(text);
    else
        pendingText_ = text;
}

void HelpWindow::layOut(const QString& text)
{
    if (Qt::mightBeRichText(text))
        textBox_->setHtml(text);
    else
        textBox_->setPlainText(text);
}

QString HelpWindow::text() const
{
    ensurePolished(); // the text as the box shows it
    return textBox_->toPlainText();
}

void HelpWindow::styleProductName(QLabel* productName)
{
    QFont decorative(QStringLiteral("Z003"));
    decorative.setPixelSize(37);
    decorative.setBold(true);
    decorative.setItalic(true);
    productName->setFont(decorative);
    productName->setAutoFillBackground(false); // the window shows through
    QPalette yellow = productName->palette();
    yellow.setColor(QPalette::WindowText, Qt::yellow);
    productName->setPalette(yellow);
    productName->setMinimumHeight(52);
}

QTextEdit* HelpWindow::makeTextBox(QWidget* parent)
{
    auto* box = new QTextEdit(parent);
    box->setObjectName(QStringLiteral("Memo1"));
    QFont arial(QStringLiteral("Arial"), 8);
    arial.setBold(true);
    box->setFont(arial);
    QPalette silver = box->palette();
    silver.setColor(QPalette::Base, QColor(192, 192, 192));
    silver.setColor(QPalette::Text, Qt::black);
    box->setPalette(silver);
    return box;
}
