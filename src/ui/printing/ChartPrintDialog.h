#pragma once

#include <QPageLayout>

#include "ui/common/VelmaroWindow.h"

class RadioGroup;

// "Imprimir" for the yield chart and "Imprimir gráfico económico": the question, the
// orientation ("Retrato" at start, each dialog keeping its own) and the two buttons.
// It never closes by itself after printing.
class ChartPrintDialog : public VelmaroWindow {
    Q_OBJECT
public:
    ChartPrintDialog(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    QPageLayout::Orientation orientation() const;

Q_SIGNALS:
    void printRequested(QPageLayout::Orientation orientation);

private:
    RadioGroup* orientation_;
};
