#pragma once

#include <array>

#include "core/AdviserCase.h"
#include "core/SoilNitrogen.h"
#include "ui/common/VelmaroWindow.h"

class QComboBox;
class ErrorReporter;
class QLineEdit;
class QPushButton;
class QWidget;
class HelpMark;

// "Calculo de N disponible en suelo": available nitrogen of a field from the nitrate of
// a soil test in three 20 cm layers and up to two fertilisers, handed to the economic
// chart as its reference N. Each "Cálculo" reads the fields as they stand.
//
// Becoming the active window puts the focus in the first nitrate field and emits
// activated(), on which the curve selection is hidden.
class SoilNitrogenWindow : public VelmaroWindow {
    Q_OBJECT
public:
    explicit SoilNitrogenWindow(ErrorReporter& errors, QWidget* parent = nullptr);

    void convertNitrate();        // "Cálculo 1"
    void sumSoilNitrogen();       // "Cálculo 2"
    void addFertiliserNitrogen(); // "Cálculo 3"
    void acceptReferenceN();      // "Aceptar": nothing before a "Cálculo 3" has completed

    void onActivated() override;

    // The fields as a reopened case holds them.
    void showSample(const AdviserCase::SoilSample& sample);

Q_SIGNALS:
    // "Aceptar": the text of the result field, when the economic chart accepts it.
    void referenceNAccepted(const QString& text);
    // The same moment: every field the reference N was worked out from.
    void sampleAccepted(const AdviserCase::SoilSample& sample);
    // "Aceptar" with a result below 40.
    void lowNitrogenWarning();
    // A "Cálculo" found an entry empty or still holding its unit placeholder.
    void missingInput();
    // The "?" beside the result.
    void helpRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillFromFirstLayer();
    void fillFromSecondLayer();
    AdviserCase::SoilSample sample() const;
    // Tells the adviser why a step stopped, naming the step's button where a field is not
    // a number; true when it completed.
    bool completed(const SoilNitrogen::Result& result, const QPushButton* step);

    ErrorReporter& errors_;
    std::array<QLineEdit*, 3> nitrateEdits_{};  // Edit1 ... Edit3, ppm NO3
    std::array<QLineEdit*, 3> mineralNEdits_{}; // Edit4 ... Edit6, ppm N
    std::array<QLineEdit*, 3> densityEdits_{};  // Edit7 ... Edit9, kg/m3
    QLineEdit* soilNEdit_ = nullptr;            // Edit10, kg N/ha in 60 cm
    std::array<QComboBox*, 2> productLists_{};  // ComboBox1, ComboBox2
    std::array<QLineEdit*, 2> amountEdits_{};   // Edit11, Edit12, kg of product/ha
    QLineEdit* fertiliserNEdit_ = nullptr;      // Edit13
    QLineEdit* referenceNEdit_ = nullptr;       // Edit14
    std::array<QPushButton*, 4> buttons_{};     // Button1 ... Button4
    QWidget* resultPanel_ = nullptr;
    HelpMark* help_ = nullptr; // Label1
    bool calculated_ = false;  // "Cálculo 3" has given a result
};
