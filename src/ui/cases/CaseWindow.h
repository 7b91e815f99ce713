#pragma once

#include "ui/common/VelmaroWindow.h"

class AdviserCase;
class QLineEdit;
class QPlainTextEdit;

// "Caso": who and where the case is for (client, field or lot, season, adviser) and the
// adviser's notes. Every keystroke goes to the case, and the fields show the case as it
// stands, a reopened one too.
class CaseWindow : public VelmaroWindow {
    Q_OBJECT
public:
    explicit CaseWindow(AdviserCase& adviserCase, QWidget* parent = nullptr);

    void onActivated() override;

private:
    void showIdentity();
    void takeIdentity();

    AdviserCase& case_;
    QLineEdit* clientEdit_ = nullptr;     // ClientEdit
    QLineEdit* fieldEdit_ = nullptr;      // FieldEdit
    QLineEdit* seasonEdit_ = nullptr;     // SeasonEdit
    QLineEdit* adviserEdit_ = nullptr;    // AdviserEdit
    QPlainTextEdit* notesEdit_ = nullptr; // NotesEdit
    bool showing_ = false;
};
