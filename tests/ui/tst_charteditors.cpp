#include <QClipboard>
#include <QLineEdit>
#include <QSlider>

#include "WindowSetFixture.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/ChartTitleWindow.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

// The axis, title and applied-functions windows as they act on the real charts.
class TestChartEditors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { f_.reset(); }
    void slidersMoveTheirLimit_data();
    void slidersMoveTheirLimit();
    void yieldTitlesSurviveANewGraficar();
    void emptyTitleStaysEmpty();
    void economicTitlesAtFirstOpening();
    void economicLimitSurvivesARebuild();
    void appliedFunctionsFromTheYieldChart();

private:
    CurveChart& yieldChart() const { return f_->set->yieldChart().chart(); }
    CurveChart& economicChart() const { return f_->set->economicChart().chart(); }
    QSlider* slider(const char* window, const char* name) const { return f_->child<QSlider>(window, name); }

    std::unique_ptr<WindowSetFixture> f_;
};

void TestChartEditors::init()
{
    f_ = std::make_unique<WindowSetFixture>();
    f_->click("TForm1", "ToolButton1");
    f_->click("TForm2", "BitBtn1");
    f_->click("TForm1", "ToolButton13");
}

void TestChartEditors::slidersMoveTheirLimit_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("slider");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("economic");
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("maximum");
    QTest::newRow("yield maximum") << "TForm11"
                                   << "TrackBar1" << 6000 << false << true << true;
    QTest::newRow("yield minimum") << "TForm11"
                                   << "TrackBar4" << 1500 << false << true << false;
    QTest::newRow("nitrogen maximum") << "TForm11"
                                      << "TrackBar2" << 190 << false << false << true;
    QTest::newRow("nitrogen minimum") << "TForm11"
                                      << "TrackBar3" << 40 << false << false << false;
    QTest::newRow("money maximum") << "TForm25"
                                   << "TrackBar1" << 8 << true << true << true;
    QTest::newRow("money minimum") << "TForm25"
                                   << "TrackBar4" << -4 << true << true << false;
    QTest::newRow("economic N maximum") << "TForm25"
                                        << "TrackBar2" << 150 << true << false << true;
    QTest::newRow("economic N minimum") << "TForm25"
                                        << "TrackBar3" << 30 << true << false << false;
}

void TestChartEditors::slidersMoveTheirLimit()
{
    QFETCH(QString, window);
    QFETCH(QString, slider);
    QFETCH(int, position);
    QFETCH(bool, economic);
    QFETCH(bool, left);
    QFETCH(bool, maximum);
    CurveChart& chart = economic ? economicChart() : yieldChart();
    CurveChart& other = economic ? yieldChart() : economicChart();
    const auto axis = left ? CurveChart::Axis::Left : CurveChart::Axis::Bottom;
    const double otherBefore = maximum ? other.axisMaximum(axis) : other.axisMinimum(axis);
    f_->set->window(window)->findChild<QSlider*>(slider)->setValue(position);
    QCOMPARE(maximum ? chart.axisMaximum(axis) : chart.axisMinimum(axis), double(position));
    QCOMPARE(maximum ? other.axisMaximum(axis) : other.axisMinimum(axis), otherBefore);
}

void TestChartEditors::yieldTitlesSurviveANewGraficar()
{
    auto* titles = static_cast<ChartTitleWindow*>(f_->window("TForm13"));
    f_->click("TForm3", "ToolButton9");
    titles->onActivated();
    QCOMPARE(f_->child<QLineEdit>("TForm13", "Edit1")->text(),
             QStringLiteral("         Rendimiento de trigo en función del N disponible "));
    QCOMPARE(f_->child<QLineEdit>("TForm13", "Edit3")->text(), QStringLiteral("Rendimiento (Kg/ha) 14% H R"));
    f_->child<QLineEdit>("TForm13", "Edit1")->setText(QStringLiteral("Campaña 2026"));
    f_->child<QLineEdit>("TForm13", "Edit2")->setText(QStringLiteral("N (kg/ha)"));
    f_->click("TForm13", "BitBtn1");
    QVERIFY(!titles->isVisible());
    slider("TForm11", "TrackBar3")->setValue(40);
    f_->click("TForm3", "ToolButton7"); // Escenarios
    f_->click("TForm1", "ToolButton13");
    QCOMPARE(yieldChart().titleLines(), QStringList{QStringLiteral("Campaña 2026")});
    QCOMPARE(yieldChart().axisTitle(CurveChart::Axis::Bottom), QStringLiteral("N (kg/ha)"));
    QCOMPARE(yieldChart().axisMinimum(CurveChart::Axis::Bottom), 40.0);
    QCOMPARE(yieldChart().seriesTitle(1), QStringLiteral("ESCENARIO 1"));
}

void TestChartEditors::emptyTitleStaysEmpty()
{
    auto* titles = static_cast<ChartTitleWindow*>(f_->window("TForm13"));
    titles->show();
    titles->onActivated();
    f_->child<QLineEdit>("TForm13", "Edit1")->clear();
    f_->click("TForm13", "BitBtn1");
    QCOMPARE(yieldChart().titleLines(), QStringList{QString()});
    titles->show();
    titles->onActivated();
    QCOMPARE(f_->child<QLineEdit>("TForm13", "Edit1")->text(), QString());
}

void TestChartEditors::economicTitlesAtFirstOpening()
{
    auto* titles = static_cast<ChartTitleWindow*>(f_->window("TForm24"));
    titles->show();
    titles->onActivated();
    QCOMPARE(f_->child<QLineEdit>("TForm24", "Edit1")->text(),
             QStringLiteral("Determinación del óptimo económico para la fertilización"));
    QCOMPARE(f_->child<QLineEdit>("TForm24", "Edit2")->text(), QStringLiteral("Nitrógeno disponible (Kg N /ha)"));
    QCOMPARE(f_->child<QLineEdit>("TForm24", "Edit3")->text(), QStringLiteral("Ingreso o Costo marginal (U$S / ha)"));
}

void TestChartEditors::economicLimitSurvivesARebuild()
{
    f_->click("TForm3", "ToolButton10");
    f_->set->economicChart().onActivated();
    QCOMPARE(economicChart().axisMinimum(CurveChart::Axis::Left), -2.01); // until TrackBar4 moves
    slider("TForm25", "TrackBar2")->setValue(150);
    f_->set->economicChart().rebuild();
    f_->set->economicChart().onActivated();
    QCOMPARE(economicChart().axisMaximum(CurveChart::Axis::Bottom), 150.0);
    QCOMPARE(economicChart().axisMinimum(CurveChart::Axis::Left), -2.01);
    slider("TForm25", "TrackBar4")->setValue(-3);
    QCOMPARE(economicChart().axisMinimum(CurveChart::Axis::Left), -3.0);
    // Both nitrogen limits at 100: drawn empty, nothing breaks.
    slider("TForm25", "TrackBar3")->setValue(100);
    slider("TForm25", "TrackBar2")->setValue(100);
    f_->set->economicChart().onActivated();
    QVERIFY(!economicChart().renderPixmap().isNull());
}

void TestChartEditors::appliedFunctionsFromTheYieldChart()
{
    f_->click("TForm3", "ToolButton3");
    QWidget* functions = f_->window("TForm14");
    QVERIFY(functions->isVisible());
    static_cast<VelmaroWindow*>(functions)->onActivated();
    QCOMPARE(f_->child<QLabel>("TForm14", "Label10")->text(), QStringLiteral("y=1965.1+24.000 X -0.0820x2"));
    f_->click("TForm14", "BitBtn2");
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral("   FUNCIONES GRAFICADAS\r\n\r\nEscenario1 - Medio  y=1965.1+24.000 X -0.0820x2\r\n")));
    f_->click("TForm14", "BitBtn1");
    QCOMPARE(f_->reports.lines.size(), 6);
}

QTEST_MAIN(TestChartEditors)
#include "tst_charteditors.moc"
