#pragma once

#include <functional>
#include <memory>

#include "ui/common/ChartTitles.h"
#include "ui/common/VelmaroWindow.h"

class QLineEdit;
class QPushButton;

// A small window that edits a chart's title and its two axis titles. Every time it
// becomes the active window it reloads the three fields from the chart, so typing not
// applied is lost; "Aceptar" hands the three texts over exactly as typed and closes.
// Closing it any other way applies nothing.
class ChartTitleWindow : public VelmaroWindow {
    Q_OBJECT
public:
    ChartTitleWindow(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    // "Cambio de títulos de ejes y gráfico" of the yield chart.
    static std::unique_ptr<ChartTitleWindow> yieldTitleWindow(QWidget* parent = nullptr);
    // "Cambio de títulos de gráfico económico".
    static std::unique_ptr<ChartTitleWindow> economicTitleWindow(QWidget* parent = nullptr);

    // Where the titles as the chart shows them now come from; read at every activation.
    void setTitleSource(std::function<ChartTitles()> source);

    // The three fields as they stand.
    ChartTitles titles() const;

    // "Aceptar": hands the titles over and closes the window.
    void accept();

    void onActivated() override;

Q_SIGNALS:
    void accepted(const ChartTitles& titles);

private:
    // Widens the fields (and the window) to the longest title they hold.
    void fitFieldsToTitles();

    std::function<ChartTitles()> source_;
    QLineEdit* title_;
    QLineEdit* bottomAxis_;
    QLineEdit* leftAxis_;
    QPushButton* accept_;
};
