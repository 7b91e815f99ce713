#include "MainWindow.h"

#include <QCloseEvent>

#include "core/ResponseTable.h"
#include "core/ScenarioSlots.h"

MainWindow::MainWindow(ScenarioSlots& slots, const ResponseTable& table, QWidget* parent)
    : VelmaroWindow(QStringLiteral("TForm1"), QStringLiteral("Velmaro zona NEA"), parent),
      slots_(slots),
      table_(table)
{
    resize(608, 413);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    Q_EMIT closed();
}
