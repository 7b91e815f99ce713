#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Information boxes with one OK button ("DEBE SELECCIONAR AL MENOS 1 ESCENARIO"), and
// questions answered "Sí" or "No", and "Cancelar" where the adviser may step back.
class MessageBoxes {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~MessageBoxes() = default;
    virtual void information(QWidget* parent, const QString& text) = 0;
    // Without `cancellable`, closing the box answers Cancel: neither yes nor no.
    // `preferred` is the default button, given by Enter.
    virtual Answer question(QWidget* parent, const QString& text, bool cancellable, Answer preferred) = 0;

    // Before something the adviser chose is given up: true for "Sí", "No" the default.
    virtual bool confirm(QWidget* parent, const QString& text)
    {
        return question(parent, text, false, Answer::No) == Answer::Yes;
    }
};

// The real boxes, modal over the window that asks.
class DialogMessageBoxes : public MessageBoxes {
public:
    void information(QWidget* parent, const QString& text) override;
    Answer question(QWidget* parent, const QString& text, bool cancellable, Answer preferred) override;
};
