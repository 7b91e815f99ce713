#pragma once

#include "core/NitrogenCost.h"
#include "ui/common/VelmaroWindow.h"

class QComboBox;
class ErrorReporter;
class MessageBoxes;
class QLineEdit;
class QPushButton;

// "Costo del Nitrógeno": the assistant that turns the price of a tonne of a commercial
// fertiliser into the cost of its nitrogen, in five numbered steps. "Regresar" hands the
// cost of a tonne of N to the economic chart as text; the close box hands nothing.
class NitrogenCostWindow : public VelmaroWindow {
    Q_OBJECT
public:
    NitrogenCostWindow(MessageBoxes& messages, ErrorReporter& errors, QWidget* parent = nullptr);

    // The cost of the last completed "Calcular": U$S per kg of N as shown, and x 1000.
    // Both are 0 until a calculation completes.
    double nCostPerKg() const { return nCostPerKg_; }
    double nCostPerTonne() const { return nCostPerTonne_; }

    void calculate(); // "Calcular"
    void giveBack();  // "Regresar"

    void onActivated() override;

    // The product and price a reopened case's cost was worked out from, and the results.
    void showWorking(int productIndex, const QString& priceText);

Q_SIGNALS:
    // "Regresar": the cost of a tonne of N for the economic chart's cost field ("761"),
    // only once a "Calcular" has completed.
    void costReturned(const QString& nCostText);
    // A fertiliser was picked from the list (its index among the products).
    void productChosen(int productIndex);
    // "Regresar", the same moment as costReturned: the product and the price the cost
    // was worked out from at the last "Calcular".
    void workingReturned(int productIndex, const QString& priceText, const QString& nCostText);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The fields and the stored working from a completed calculation.
    void takeResult(const NitrogenCost::Result& result, int productIndex, const QString& priceText);

    MessageBoxes& messages_;
    ErrorReporter& errors_;
    QComboBox* productList_ = nullptr;       // ComboBox1
    QLineEdit* priceEdit_ = nullptr;         // Edit1
    QLineEdit* contentEdit_ = nullptr;       // Edit2
    QLineEdit* costEdit_ = nullptr;          // Edit3
    QPushButton* calculateButton_ = nullptr; // Button1
    QPushButton* returnButton_ = nullptr;    // Button2
    double nCostPerKg_ = 0.0;
    double nCostPerTonne_ = 0.0;
    bool calculated_ = false; // a "Calcular" has completed in this run
    int calculatedProduct_ = -1;
    QString calculatedPrice_;
};
