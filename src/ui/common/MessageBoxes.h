#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Information boxes with one OK button ("DEBE SELECCIONAR AL MENOS 1 ESCENARIO"), and
// questions answered "Sí" or "No" before something the adviser chose is given up.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void information(QWidget* parent, const QString& text) = 0;
    // True for "Sí"; "No" is the default button.
    virtual bool question(QWidget* parent, const QString& text) = 0;
};

// The real boxes, modal over the window that asks.
class DialogMessageBoxes : public MessageBoxes {
public:
    void information(QWidget* parent, const QString& text) override;
    bool question(QWidget* parent, const QString& text) override;
};
