#include "FieldMark.h"

#include <QLineEdit>

namespace FieldMark {

void refuse(QLineEdit* field, const QString& message)
{
    field->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid red; }"));
    field->setToolTip(message);
}

void clear(QLineEdit* field)
{
    if (field->styleSheet().isEmpty())
        return;
    field->setStyleSheet(QString());
    field->setToolTip(QString());
}

} // namespace FieldMark
