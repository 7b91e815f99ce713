#include <QComboBox>
#include <QLineEdit>

#include "WindowSetFixture.h"
#include "ui/charting/CurveChart.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

// Values handed from the assistants to the economic chart, and the windows they raise.
class TestHandovers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { f_.reset(); }
    void nitrogenCostReachesTheChart();
    void handsOverOnlyWhatTheChartAccepts_data();
    void handsOverOnlyWhatTheChartAccepts();
    void soilResultBecomesTheReference();
    void lowSoilResultWarnsAndStaysOpen();
    void missingSoilInputShowsTheNotice();
    void calculatorHidesTheCurveSelection();
    void mapChooserShowsOneMap();
    void helpMarksOpenTheirWindows_data();
    void helpMarksOpenTheirWindows();

private:
    QLineEdit* edit(const char* window, const char* name) const { return f_->child<QLineEdit>(window, name); }
    EconomicChartWindow& econ() const { return f_->set->economicChart(); }

    std::unique_ptr<WindowSetFixture> f_;
};

void TestHandovers::init()
{
    f_ = std::make_unique<WindowSetFixture>();
    f_->click("TForm1", "ToolButton1");
    f_->click("TForm2", "BitBtn1");
    f_->click("TForm1", "ToolButton13");
    Q_EMIT f_->set->yieldChart().activated();
    f_->click("TForm3", "ToolButton10");
    econ().onActivated();
}

void TestHandovers::nitrogenCostReachesTheChart()
{
    f_->click("TForm20", "ToolButton10");
    QVERIFY(f_->window("TForm21")->isVisible());
    f_->child<QComboBox>("TForm21", "ComboBox1")->setCurrentIndex(1); // urea
    edit("TForm21", "Edit1")->setText(QStringLiteral("350"));
    f_->click("TForm21", "Button1");
    QCOMPARE(edit("TForm21", "Edit2")->text(), QStringLiteral("460"));
    QCOMPARE(edit("TForm21", "Edit3")->text(), QStringLiteral("0.761"));
    f_->click("TForm21", "Button2");
    QVERIFY(!f_->window("TForm21")->isVisible());
    QCOMPARE(edit("TForm20", "Edit2")->text(), QStringLiteral("761"));
    econ().onActivated(); // the chart is active again
    QCOMPARE(econ().chart().pointValue(10, 100), 0.76);
    QCOMPARE(econ().economicTable().cell(50, 19), QStringLiteral("0.76"));
}

void TestHandovers::handsOverOnlyWhatTheChartAccepts_data()
{
    QTest::addColumn<QString>("window");   // the assistant that hands the value over
    QTest::addColumn<int>("product");      // chosen in its first list; -1 none
    QTest::addColumn<QString>("entry");    // cost: the price ("" never calculates); soil: kg/ha of
                                           // the first fertiliser, or with no product the result itself
    QTest::addColumn<QString>("received"); // the chart's field afterwards
    QTest::addColumn<int>("reports");
    QTest::addColumn<bool>("stillOpen");
    QTest::newRow("cost never calculated") << "TForm21" << -1 << ""
                                           << "600" << 0 << false;
    QTest::newRow("cost without a product") << "TForm21" << -1 << "350"
                                            << "600" << 0 << false;
    QTest::newRow("cost of a negative price") << "TForm21" << 1 << "-5"
                                              << "600" << 1 << false;
    QTest::newRow("cost of urea") << "TForm21" << 1 << "350"
                                  << "761" << 0 << false;
    QTest::newRow("cost above ten thousand, whole") << "TForm21" << 6 << "5000"
                                                    << "45450" << 0 << false;
    QTest::newRow("soil result") << "TForm32" << 1 << "254"
                                 << "117" << 0 << false;
    QTest::newRow("soil result above the chart's range") << "TForm32" << 1 << "5000"
                                                         << "40" << 1 << true;
    QTest::newRow("soil result in exponent form") << "TForm32" << -1 << "1.355E4"
                                                  << "40" << 1 << true;
}

void TestHandovers::handsOverOnlyWhatTheChartAccepts()
{
    QFETCH(QString, window);
    QFETCH(int, product);
    QFETCH(QString, entry);
    QFETCH(QString, received);
    QFETCH(int, reports);
    QFETCH(bool, stillOpen);
    const bool cost = window == u"TForm21";
    const char* chartField = cost ? "Edit2" : "Edit3";
    const QByteArray windowName = window.toLatin1();
    const char* name = windowName.constData();
    f_->click("TForm20", cost ? "ToolButton10" : "ToolButton11");
    f_->child<QComboBox>(name, "ComboBox1")->setCurrentIndex(product);
    if (cost && !entry.isEmpty()) {
        edit("TForm21", "Edit1")->setText(entry);
        f_->click("TForm21", "Button1");
    } else if (!cost && product >= 0) {
        edit("TForm32", "Edit11")->setText(entry);
        f_->click("TForm32", "Button3");
    } else if (!cost) {
        edit("TForm32", "Edit14")->setText(entry);
    }
    f_->click(name, cost ? "Button2" : "Button4");
    QCOMPARE(edit("TForm20", chartField)->text(), received);
    QCOMPARE(f_->errors.messages.size(), reports);
    QCOMPARE(f_->window(name)->isVisible(), stillOpen);
    // Back on the chart, both agree: it takes the value with no word.
    econ().onActivated();
    QCOMPARE(edit("TForm20", chartField)->text(), received);
    QCOMPARE(f_->errors.messages.size(), reports);
}

void TestHandovers::soilResultBecomesTheReference()
{
    f_->click("TForm20", "ToolButton11");
    QVERIFY(f_->window("TForm32")->isVisible());
    QTest::keyClicks(edit("TForm32", "Edit1"), QString()); // focus only
    edit("TForm32", "Edit1")->setText(QStringLiteral("60"));
    QCOMPARE(edit("TForm32", "Edit2")->text(), QStringLiteral("30.0"));
    QCOMPARE(edit("TForm32", "Edit3")->text(), QStringLiteral("15.0"));
    f_->click("TForm32", "Button1");
    f_->click("TForm32", "Button2");
    QCOMPARE(edit("TForm32", "Edit10")->text(), QStringLiteral("61.6"));
    f_->child<QComboBox>("TForm32", "ComboBox1")->setCurrentIndex(5); // FDA - 18%
    f_->child<QComboBox>("TForm32", "ComboBox2")->setCurrentIndex(1); // UREA - 46%
    edit("TForm32", "Edit11")->setText(QStringLiteral("50"));
    edit("TForm32", "Edit12")->setText(QStringLiteral("100"));
    f_->click("TForm32", "Button3");
    QCOMPARE(edit("TForm32", "Edit13")->text(), QStringLiteral("55.0"));
    QCOMPARE(edit("TForm32", "Edit14")->text(), QStringLiteral("117"));
    f_->click("TForm32", "Button4");
    QCOMPARE(edit("TForm20", "Edit3")->text(), QStringLiteral("117"));
    QVERIFY(!f_->window("TForm32")->isVisible());
    QVERIFY(!f_->window("TForm22")->isVisible());
}

void TestHandovers::lowSoilResultWarnsAndStaysOpen()
{
    f_->click("TForm20", "ToolButton11");
    f_->child<QComboBox>("TForm32", "ComboBox1")->setCurrentIndex(1);
    edit("TForm32", "Edit11")->setText(QStringLiteral("0"));
    f_->click("TForm32", "Button3"); // 0 kg/ha, and no soil N
    f_->click("TForm32", "Button4");
    QVERIFY(f_->window("TForm22")->isVisible());
    QVERIFY(f_->window("TForm32")->isVisible());
    QCOMPARE(edit("TForm20", "Edit3")->text(), QStringLiteral("40")); // taken as the lowest at once
}

void TestHandovers::missingSoilInputShowsTheNotice()
{
    f_->click("TForm20", "ToolButton11");
    f_->click("TForm32", "Button1"); // nitrate still "ppm"
    QVERIFY(f_->window("TForm34")->isVisible());
    QCOMPARE(edit("TForm32", "Edit4")->text(), QStringLiteral("ppm N"));
}

void TestHandovers::calculatorHidesTheCurveSelection()
{
    QVERIFY(f_->window("TForm4")->isVisible());
    Q_EMIT static_cast<VelmaroWindow*>(f_->window("TForm32"))->activated();
    QVERIFY(!f_->window("TForm4")->isVisible());
}

void TestHandovers::mapChooserShowsOneMap()
{
    const char* maps[5] = {"TForm5", "TForm9", "TForm8", "TForm7", "TForm10"};
    auto shownMaps = [&] {
        QStringList shown;
        for (const char* m : maps)
            if (f_->window(m)->isVisible())
                shown << QLatin1String(m);
        return shown;
    };
    f_->click("TForm1", "Mapas");
    QCOMPARE(shownMaps(), QStringList{QStringLiteral("TForm5")});
    QVERIFY(f_->window("TForm6")->isVisible());
    auto* chooser = f_->child<QComboBox>("TForm6", "ComboBox1");
    QCOMPARE(chooser->itemText(3), QStringLiteral("D: Paraná"));
    Q_EMIT chooser->activated(1);
    QCOMPARE(shownMaps(), QStringList{QStringLiteral("TForm9")});
    Q_EMIT chooser->activated(3);
    QCOMPARE(shownMaps(), QStringList{QStringLiteral("TForm7")});
    Q_EMIT chooser->activated(3); // the same again keeps it
    QCOMPARE(shownMaps(), QStringList{QStringLiteral("TForm7")});
    f_->click("TForm1", "Mapas"); // always the Gualeguay map from the main window
    QVERIFY(f_->window("TForm5")->isVisible());
    QVERIFY(!f_->window("TForm36")->isVisible());
}

void TestHandovers::helpMarksOpenTheirWindows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("opens");
    QTest::newRow("grain price") << "TForm20"
                                 << "Label16"
                                 << "TForm29";
    QTest::newRow("nitrogen cost") << "TForm20"
                                   << "Label17"
                                   << "TForm30";
    QTest::newRow("reference") << "TForm20"
                               << "Label18"
                               << "TForm31";
    QTest::newRow("money axis") << "TForm20"
                                << "Label14"
                                << "TForm26";
    QTest::newRow("nitrogen axis") << "TForm20"
                                   << "Label15"
                                   << "TForm27";
    QTest::newRow("margin") << "TForm20"
                            << "Label10"
                            << "TForm28";
    QTest::newRow("economic use") << "TForm20"
                                  << "ToolButton5"
                                  << "TForm31";
    QTest::newRow("yield use") << "TForm3"
                               << "ToolButton5"
                               << "TForm15";
    QTest::newRow("curve selection") << "TForm4"
                                     << "Label1"
                                     << "TForm19";
    QTest::newRow("soil calculator") << "TForm32"
                                     << "Label1"
                                     << "TForm33";
}

void TestHandovers::helpMarksOpenTheirWindows()
{
    QFETCH(QString, window);
    QFETCH(QString, mark);
    QFETCH(QString, opens);
    QWidget* w = f_->set->window(window);
    w->show();
    QWidget* control = w->findChild<QWidget*>(mark);
    QVERIFY(control);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->click();
    else
        QTest::mouseClick(control, Qt::LeftButton);
    QVERIFY2(f_->set->window(opens)->isVisible(), qPrintable(opens));
}

QTEST_MAIN(TestHandovers)
#include "tst_handovers.moc"
