#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Information boxes with one OK button ("DEBE SELECCIONAR AL MENOS 1 ESCENARIO"), and
// questions answered "Sí" or "No".
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void information(QWidget* parent, const QString& text) = 0;
    // True when the adviser answers "Sí".
    virtual bool confirm(QWidget* parent, const QString& question) = 0;
};

// The real boxes, modal over the window that asks.
class DialogMessageBoxes : public MessageBoxes {
public:
    void information(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& question) override;
};
