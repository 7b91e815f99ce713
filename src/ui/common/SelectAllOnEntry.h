#pragma once

class QLineEdit;

// A field that opens with a prompt ("0.00", "ppm N", "0000") selects its whole text when
// the user enters it, by Tab or by the mouse, so the first key typed replaces the prompt
// instead of being added to it. Where the pointer gave the field the focus, the first
// click in it still selects the whole text.
namespace SelectAllOnEntry {

void install(QLineEdit* field);

} // namespace SelectAllOnEntry
