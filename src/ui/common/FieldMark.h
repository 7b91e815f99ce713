#pragma once

class QLineEdit;
class QString;

// A field whose text was refused shows it until a text is taken: a red frame, and the
// message that refused it as the field's hint.
namespace FieldMark {

void refuse(QLineEdit* field, const QString& message);
void clear(QLineEdit* field);

} // namespace FieldMark
