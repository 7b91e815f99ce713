#include "CaseWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/AdviserCase.h"
#include "core/CaseFile.h"
#include "ui/common/FirstShowing.h"
#include "ui/common/Look.h"

CaseWindow::CaseWindow(AdviserCase& adviserCase, QWidget* parent)
    : VelmaroWindow(QStringLiteral("CaseWindow"), QStringLiteral("Caso"), parent),
      case_(adviserCase)
{
    centreOnDesktopWhenFirstShown();
    resize(460, 360);
    FirstShowing::font(this, Look::arial(9));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const auto line = [this, form](const char* name, const QString& caption, const QString& hint) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setPlaceholderText(hint);
        edit->setMaxLength(int(CaseFile::MaximumTextLength));
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        form->addRow(label, edit);
        return edit;
    };
    clientEdit_ = line("ClientEdit", QStringLiteral("&Cliente:"), QStringLiteral("productor o empresa"));
    fieldEdit_ = line("FieldEdit", QStringLiteral("&Establecimiento / lote:"), QStringLiteral("campo y lote"));
    seasonEdit_ = line("SeasonEdit", QStringLiteral("Cam&paña:"), QStringLiteral("por ejemplo 2025/26"));
    adviserEdit_ = line("AdviserEdit", QStringLiteral("&Asesor:"), QString());
    layout->addLayout(form);

    auto* notesLabel = new QLabel(QStringLiteral("&Notas:"), this);
    layout->addWidget(notesLabel);
    notesEdit_ = new QPlainTextEdit(this);
    notesEdit_->setObjectName(QStringLiteral("NotesEdit"));
    notesEdit_->setTabChangesFocus(true);
    notesLabel->setBuddy(notesEdit_);
    layout->addWidget(notesEdit_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(QStringLiteral("CloseCaseButton"));
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    behaveAsDialog(close);

    for (QLineEdit* edit : {clientEdit_, fieldEdit_, seasonEdit_, adviserEdit_})
        connect(edit, &QLineEdit::textChanged, this, &CaseWindow::takeIdentity);
    connect(notesEdit_, &QPlainTextEdit::textChanged, this, &CaseWindow::takeIdentity);
    connect(&case_, &AdviserCase::identityChanged, this, &CaseWindow::showIdentity);
    showIdentity();
}

void CaseWindow::onActivated()
{
    if (!focusWidget())
        clientEdit_->setFocus();
}

void CaseWindow::showIdentity()
{
    // Only the fields that differ are written, so the one being typed in keeps its cursor.
    showing_ = true;
    const AdviserCase::Identity& id = case_.identity();
    const std::pair<QLineEdit*, const QString*> lines[] = {
        {clientEdit_, &id.client}, {fieldEdit_, &id.field}, {seasonEdit_, &id.season}, {adviserEdit_, &id.adviser}};
    for (const auto& [edit, text] : lines)
        if (edit->text() != *text)
            edit->setText(*text);
    if (notesEdit_->toPlainText() != id.notes)
        notesEdit_->setPlainText(id.notes);
    showing_ = false;
}

void CaseWindow::takeIdentity()
{
    if (showing_)
        return;
    case_.setIdentity({clientEdit_->text(), fieldEdit_->text(), seasonEdit_->text(), adviserEdit_->text(),
                       notesEdit_->toPlainText()});
}
