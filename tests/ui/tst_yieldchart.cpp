// Pointer moves go through the window, as the windowing system delivers them.
#define QTEST_QPA_MOUSE_HANDLING

#include <algorithm>
#include <cmath>

#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>

#include "WindowSetFixture.h"
#include "core/ScenarioSlots.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/HelpMark.h"
#include "ui/common/RadioGroup.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/yieldchart/CurveSelectionWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

class TestYieldChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f_ = std::make_unique<WindowSetFixture>(); }
    void cleanup() { f_.reset(); }
    void showBuildsTheCurves();
    void activationAppliesTheSelection();
    void legendFollowsTheBoxes();
    void graficarOnAnOpenWindowRebuilds();
    void pointerOnTheMedioCurve();
    void hiddenCurveIsNotReported();
    void pointerAwayFromCurves();
    void pointerOutsideThePlotIsNotClamped_data();
    void pointerOutsideThePlotIsNotClamped();
    void highestCurveWinsAtACrossing();
    void markersWidenTheTouch();
    void markersShowTheSlotColour_data();
    void markersShowTheSlotColour();
    void neverACurveLeftOfForty();
    void helpMarksHighlightAndCalmDown();
    void equalNitrogenLimitsDrawNothing();
    void copyGoesToTheClipboard();
    void escenariosHidesBothWindows();
    void selectionButtonToggles();
    void minimisedSelectionComesBack_data();
    void minimisedSelectionComesBack();
    void slotRules();
    void selectionCannotBeClosed();

private:
    // Confirms slot `slot` with the dialog's current choices after picking these items.
    void confirm(int slot, int site = 0, int unit = 0)
    {
        const char* buttons[] = {"ToolButton1", "ToolButton3", "ToolButton5"};
        f_->click("TForm1", buttons[slot - 1]);
        f_->child<RadioGroup>("TForm2", "RadioGroup1")->button(site)->click();
        f_->child<RadioGroup>("TForm2", QStringLiteral("RadioGroup%1").arg(5 + site).toLatin1().constData())
            ->button(unit)
            ->click();
        f_->click("TForm2", "BitBtn1");
    }
    YieldChartWindow& chartWindow() const { return f_->set->yieldChart(); }
    CurveChart& chart() const { return chartWindow().chart(); }
    // Graficar, then the chart shown, activated and drawn at its real size.
    void plot()
    {
        f_->click("TForm1", "ToolButton13");
        QVERIFY(QTest::qWaitForWindowExposed(&chartWindow()));
        Q_EMIT chartWindow().activated();
        // The curve selection floats over the chart where an adviser would move it away.
        f_->window("TForm4")->move(5000, 5000);
        chart().replot();
    }
    QPoint pixelOf(double x, double y) const
    {
        return QPoint(int(std::lround(chart().xAxis->coordToPixel(x))),
                      int(std::lround(chart().yAxis->coordToPixel(y))));
    }
    // The pixel halfway along the drawn segment from point x to point x + 1 of series k.
    QPoint onSegment(int k, int x) const
    {
        const QPoint a = pixelOf(x, chart().pointValue(k, x));
        const QPoint b = pixelOf(x + 1, chart().pointValue(k, x + 1));
        // A pixel of the drawn line: take the column between and the row on the line.
        const int column = (a.x() + b.x()) / 2;
        const double t = double(column - a.x()) / double(b.x() - a.x());
        return QPoint(column, int(std::lround(a.y() + t * (b.y() - a.y()))));
    }
    // The windowing system sends nothing for a move to where the pointer already is, so
    // every move starts from the chart's corner, away from the plot.
    void moveTo(QPoint pixel) const
    {
        QTest::mouseMove(&chart(), QPoint(1, 1));
        QTest::mouseMove(&chart(), pixel);
    }
    QString text(const char* name) const
    {
        if (auto* edit = f_->child<QLineEdit>("TForm3", name))
            return edit->text();
        return f_->child<QLabel>("TForm3", name)->text();
    }

    std::unique_ptr<WindowSetFixture> f_;
};

void TestYieldChart::showBuildsTheCurves()
{
    confirm(1);
    plot();
    QCOMPARE(chartWindow().yieldTable().cell(100, 1), QStringLiteral("3545.10"));
    QCOMPARE(chart().pointCount(1), 190);
    for (int x = 0; x < 40; ++x)
        QVERIFY(std::isnan(chart().pointValue(1, x)));
    QCOMPARE(chart().pointValue(1, 40), 2811.26);
    QCOMPARE(chart().pointValue(1, 100), 3552.62);
    for (int k = 1; k <= 9; ++k) {
        QCOMPARE(chart().seriesTitle(k), QStringLiteral("ESCENARIO %1").arg(k));
        QCOMPARE(chart().series(k)->objectName(), QStringLiteral("Series%1").arg(k));
    }
    // A slot that never matched computes without error from its placeholder texts.
    QCOMPARE(chartWindow().coefficients()[1].a, 52.0);
    QVERIFY(f_->errors.messages.isEmpty());
    QCOMPARE(chart().axisMinimum(CurveChart::Axis::Bottom), 0.0);
    QCOMPARE(chart().axisMaximum(CurveChart::Axis::Left), 9000.0);
    QCOMPARE(chart().titleLines(),
             QStringList{QStringLiteral("         Rendimiento de trigo en función del N disponible ")});
    QCOMPARE(chart().axisTitle(CurveChart::Axis::Left), QStringLiteral("Rendimiento (Kg/ha) 14% H R"));
}

void TestYieldChart::activationAppliesTheSelection()
{
    confirm(1);
    plot();
    QVERIFY(f_->window("TForm4")->isVisible());
    QCOMPARE(f_->child<QToolButton>("TForm3", "ToolButton4")->text(), QStringLiteral("Ocultar elegir cvas."));
    QCOMPARE(chart().legendTitles(), QStringList{QStringLiteral("ESCENARIO 1")});
    for (int k = 2; k <= 9; ++k)
        QVERIFY(!chart().isSeriesShown(k));
}

void TestYieldChart::legendFollowsTheBoxes()
{
    confirm(1);
    confirm(2, 1, 0);
    plot();
    QCOMPARE(chart().legendTitles(), (QStringList{"ESCENARIO 1", "ESCENARIO 2"}));
    f_->child<QCheckBox>("TForm4", "CheckBox6")->click(); // 20 % of slot 2
    QCOMPARE(chart().legendTitles(), (QStringList{"ESCENARIO 1", "ESCENARIO 2", "ESCENARIO 8"}));
    f_->child<QCheckBox>("TForm4", "CheckBox1")->click(); // 80 % of slot 1
    QCOMPARE(chart().legendTitles(), (QStringList{"ESCENARIO 1", "ESCENARIO 2", "ESCENARIO 4", "ESCENARIO 8"}));
    f_->child<QCheckBox>("TForm4", "CheckBox2")->click(); // Medio of slot 1 off
    QCOMPARE(chart().legendTitles(), (QStringList{"ESCENARIO 2", "ESCENARIO 4", "ESCENARIO 8"}));
}

void TestYieldChart::graficarOnAnOpenWindowRebuilds()
{
    confirm(1);
    plot();
    chart().setAxisMaximum(CurveChart::Axis::Bottom, 150);                        // as the axis window would
    confirm(1, 4, 6);                                                             // Rafaela, PT 371
    QCOMPARE(chartWindow().yieldTable().cell(100, 1), QStringLiteral("3545.10")); // not yet plotted
    f_->click("TForm1", "ToolButton13");
    QCOMPARE(f_->set->scenarioSlots().slot(1).code, QStringLiteral("EQAA")); // looked up and redrawn at once
    QVERIFY(chartWindow().yieldTable().cell(100, 1) != QStringLiteral("3545.10"));
    QCOMPARE(chart().axisMaximum(CurveChart::Axis::Bottom), 150.0); // limits survive
    QCOMPARE(chart().seriesTitle(4), QStringLiteral("ESCENARIO 4"));
}

void TestYieldChart::pointerOnTheMedioCurve()
{
    confirm(1);
    plot();
    moveTo(onSegment(1, 100));
    QCOMPARE(text("Edit3"), QStringLiteral("Escenario1-Medio"));
    QCOMPARE(f_->child<QLineEdit>("TForm3", "Edit3")->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(text("Label1"), QStringLiteral("ESCENARIO: Gualeguay - La Concordia - Escorpión - Capac. de campo"));
    QCOMPARE(f_->child<QLabel>("TForm3", "Label1")->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(text("Label13"), QStringLiteral("7.7"));
    QCOMPARE(text("Edit1"), QStringLiteral("101"));
}

void TestYieldChart::hiddenCurveIsNotReported()
{
    confirm(1);
    plot();
    f_->child<QCheckBox>("TForm4", "CheckBox2")->click(); // Medio of slot 1 hidden
    moveTo(onSegment(1, 100));
    QCOMPARE(text("Edit3"), QString());
    QCOMPARE(text("Label1"), QString());
    QCOMPARE(text("Label13"), QStringLiteral("Label13"));
    QVERIFY(!text("Edit1").isEmpty());
}

void TestYieldChart::pointerAwayFromCurves()
{
    confirm(1);
    plot();
    moveTo(onSegment(1, 120));
    const QString name = text("Edit3"), scenario = text("Label1"), increment = text("Label13");
    QCOMPARE(name, QStringLiteral("Escenario1-Medio"));
    moveTo(pixelOf(150, 8000));
    // Within a pixel's worth of the values.
    QVERIFY(qAbs(text("Edit1").toDouble() - 150) <= 200.0 / chart().axisRect()->width() + 1);
    QVERIFY(qAbs(text("Edit2").toDouble() - 8000) <= 9000.0 / chart().axisRect()->height() + 1);
    QCOMPARE(text("Edit3"), name);
    QCOMPARE(text("Label1"), scenario);
    QCOMPARE(text("Label13"), increment);
}

void TestYieldChart::pointerOutsideThePlotIsNotClamped_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("negativeN");
    QTest::addColumn<bool>("aboveMaximum");
    QTest::newRow("left of the axis") << -40 << 0 << true << false;
    QTest::newRow("above the plot") << 0 << -30 << false << true;
}

void TestYieldChart::pointerOutsideThePlotIsNotClamped()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(bool, negativeN);
    QFETCH(bool, aboveMaximum);
    confirm(1);
    plot();
    const QRect plotArea = chart().axisRect()->rect();
    moveTo(QPoint(plotArea.left() + dx + (dx ? 0 : 50), plotArea.top() + dy + (dy ? 0 : 50)));
    QCOMPARE(text("Edit1").toDouble() < 0, negativeN);
    QCOMPARE(text("Edit2").toDouble() > 9000, aboveMaximum);
}

void TestYieldChart::highestCurveWinsAtACrossing()
{
    confirm(1);
    confirm(2); // the same scenario: curves 1 and 2 lie on each other
    plot();
    moveTo(onSegment(1, 90));
    QCOMPARE(text("Edit3"), QStringLiteral("Escenario2-Medio"));
    QCOMPARE(f_->child<QLineEdit>("TForm3", "Edit3")->palette().color(QPalette::Text), QColor(0, 128, 0));
}

void TestYieldChart::markersWidenTheTouch()
{
    confirm(1);
    plot();
    f_->child<QCheckBox>("TForm4", "CheckBox1")->click(); // 80 % of slot 1, squares
    chart().replot();
    const QPoint point = pixelOf(100, chart().pointValue(4, 100));
    moveTo(point + QPoint(1, 1)); // off the line, on the marker
    QCOMPARE(text("Edit3"), QStringLiteral("Escenario1-80%"));
    const auto& c = chartWindow().coefficients()[3];
    const double increment = c.at(100) - c.at(99);
    QCOMPARE(text("Label13"), QString::number(increment, 'f', 1));
}

void TestYieldChart::markersShowTheSlotColour_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("box");
    QTest::newRow("80 % slot 1, squares") << 4 << "CheckBox1";
    QTest::newRow("20 % slot 1, circles") << 7 << "CheckBox3";
    QTest::newRow("20 % slot 3, circles") << 9 << "CheckBox9";
}

// A marker this small shows its curve's colour only without a dark outline, in the plot
// and in the legend's sample alike.
void TestYieldChart::markersShowTheSlotColour()
{
    QFETCH(int, k);
    QFETCH(QString, box);
    confirm(1);
    confirm(3);
    plot();
    f_->window("TForm4")->findChild<QCheckBox*>(box)->click();
    chart().replot();
    const QImage image = chart().grab().toImage();
    const QColor colour = chart().series(k)->pen().color();
    QCOMPARE(image.pixelColor(pixelOf(100, chart().pointValue(k, 100))), colour);

    auto* item = chart().legend->itemWithPlottable(chart().series(k));
    QVERIFY(item);
    const QRect sample(item->rect().topLeft(), QSize(chart().legend->iconSize().width(), item->rect().height()));
    for (int y = sample.top(); y <= sample.bottom(); ++y)
        for (int x = sample.left(); x <= sample.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            QVERIFY2(std::max({c.red(), c.green(), c.blue()}) >= 80,
                     qPrintable(QStringLiteral("dark at %1,%2").arg(x).arg(y)));
        }
}

void TestYieldChart::neverACurveLeftOfForty()
{
    confirm(1);
    plot();
    const QRect plotArea = chart().axisRect()->rect();
    // Along the bottom axis line, where the placeholders lie, and beyond every edge.
    for (int x = plotArea.left() - 60; x <= plotArea.right() + 60; x += 3)
        moveTo(QPoint(x, plotArea.bottom()));
    for (const QPoint p : {QPoint(0, 0), QPoint(chart().width() - 1, chart().height() - 1), pixelOf(39.5, 0),
                           pixelOf(20, 0), pixelOf(40, 0)})
        moveTo(p);
    QCOMPARE(text("Edit3"), QString());
    QCOMPARE(text("Label13"), QStringLiteral("Label13"));
}

void TestYieldChart::helpMarksHighlightAndCalmDown()
{
    confirm(1);
    plot();
    auto* mark = f_->child<HelpMark>("TForm3", "Label9");
    QTest::mouseMove(mark, QPoint(2, 2));
    QVERIFY(mark->isHighlighted());
    QCOMPARE(mark->font().pointSize(), 16);
    QCOMPARE(mark->palette().color(QPalette::WindowText), QColor(Qt::blue));
    moveTo(pixelOf(100, 1000));
    QVERIFY(!mark->isHighlighted());
    QCOMPARE(mark->font().pointSize(), 12);
    QTest::mouseClick(mark, Qt::LeftButton);
    QVERIFY(f_->window("TForm16")->isVisible());
    QTest::mouseClick(f_->child<HelpMark>("TForm3", "Label10"), Qt::LeftButton);
    QVERIFY(f_->window("TForm17")->isVisible());
    QTest::mouseClick(f_->child<HelpMark>("TForm3", "Label8"), Qt::LeftButton);
    QVERIFY(f_->window("TForm18")->isVisible());
}

void TestYieldChart::equalNitrogenLimitsDrawNothing()
{
    confirm(1);
    plot();
    chart().setAxisRange(CurveChart::Axis::Bottom, 100, 100);
    chart().replot();
    const QRect plotArea = chart().axisRect()->rect();
    for (int x = plotArea.left(); x <= plotArea.right(); x += 7)
        moveTo(QPoint(x, plotArea.center().y()));
    QCOMPARE(text("Edit1"), QStringLiteral("100"));
    QCOMPARE(text("Edit3"), QString());
    QVERIFY(!chart().renderPixmap().isNull());
    chart().setAxisRange(CurveChart::Axis::Bottom, 0, 200);
    chart().replot();
    moveTo(onSegment(1, 100));
    QCOMPARE(text("Edit3"), QStringLiteral("Escenario1-Medio"));
}

void TestYieldChart::copyGoesToTheClipboard()
{
    confirm(1);
    plot();
    QVERIFY(!f_->child("TForm3", "Label6")->isVisible());
    f_->click("TForm3", "ToolButton1");
    const QImage image = QGuiApplication::clipboard()->image();
    QCOMPARE(image.size(), chart().size() * chart().devicePixelRatioF());
    QVERIFY(f_->child("TForm3", "Label6")->isVisible());
    QCOMPARE(f_->child<QLabel>("TForm3", "Label7")->text(), QStringLiteral("el portapapeles"));
    chart().replot();
    chartWindow().hide();
    f_->click("TForm1", "ToolButton13");
    QVERIFY(f_->child("TForm3", "Label6")->isVisible()); // stays for the rest of the run
}

void TestYieldChart::escenariosHidesBothWindows()
{
    confirm(1);
    plot();
    f_->click("TForm3", "ToolButton7");
    QVERIFY(!chartWindow().isVisible());
    QVERIFY(!f_->window("TForm4")->isVisible());
    QVERIFY(f_->window("TForm1")->isVisible());
}

void TestYieldChart::minimisedSelectionComesBack_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("yield chart button") << "yield";
    QTest::newRow("economic chart button") << "economic";
    QTest::newRow("yield chart activation, as after Graficar") << "activation";
}

void TestYieldChart::minimisedSelectionComesBack()
{
    QFETCH(QString, path);
    confirm(1);
    plot();
    QWidget* selection = f_->window("TForm4");
    selection->setWindowState(selection->windowState() | Qt::WindowMinimized);
    QVERIFY(selection->isMinimized());
    if (path == QLatin1String("yield"))
        f_->click("TForm3", "ToolButton4");
    else if (path == QLatin1String("economic"))
        f_->set->economicChart().findChild<QToolButton*>(QStringLiteral("ToolButton4"))->click();
    else
        Q_EMIT chartWindow().activated();
    QVERIFY(selection->isVisible());
    QVERIFY(!selection->isMinimized());
}

void TestYieldChart::selectionButtonToggles()
{
    confirm(1);
    plot();
    auto* button = f_->child<QToolButton>("TForm3", "ToolButton4");
    QCOMPARE(button->toolTip(), QStringLiteral("Quita o pone ventana de \"elegir curvas\""));
    button->click();
    QVERIFY(!f_->window("TForm4")->isVisible());
    QCOMPARE(button->text(), QStringLiteral("Elegir curvas"));
    button->click();
    QVERIFY(f_->window("TForm4")->isVisible());
    QCOMPARE(button->text(), QStringLiteral("Ocultar elegir cvas."));
}

void TestYieldChart::slotRules()
{
    confirm(1);
    confirm(2, 1, 0);
    plot();
    auto box = [this](int n) {
        return f_->child<QCheckBox>("TForm4", QStringLiteral("CheckBox%1").arg(n).toLatin1().constData());
    };
    for (int n = 7; n <= 9; ++n) {
        QVERIFY(!box(n)->isChecked());
        QVERIFY(!box(n)->isEnabled());
    }
    QVERIFY(box(2)->isChecked() && box(5)->isChecked());
    box(1)->click(); // 80 % of slot 1, kept through activations
    box(2)->click(); // Medio of slot 1 off...
    QVERIFY(!chart().isSeriesShown(1));
    Q_EMIT chartWindow().activated(); // ...and on again at the next activation
    QVERIFY(box(2)->isChecked());
    QVERIFY(chart().isSeriesShown(1));
    QVERIFY(box(1)->isChecked());
    QVERIFY(chart().isSeriesShown(4));

    f_->child<QCheckBox>("TForm1", "CheckBox2")->click(); // slot 2 deactivated
    box(6)->click();
    f_->set->curveSelection().onActivated();
    for (int n = 4; n <= 6; ++n) {
        QVERIFY(!box(n)->isChecked());
        QVERIFY(!box(n)->isEnabled());
    }
    for (int k : {2, 5, 8})
        QVERIFY(!chart().isSeriesShown(k));
}

void TestYieldChart::selectionCannotBeClosed()
{
    confirm(1);
    plot();
    QWidget* selection = f_->window("TForm4");
    QVERIFY(selection->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(selection->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!selection->close());
    QVERIFY(selection->isVisible());
    f_->set->mainWindow().onActivated();
    QVERIFY(!selection->isVisible());
}

QTEST_MAIN(TestYieldChart)
#include "tst_yieldchart.moc"
