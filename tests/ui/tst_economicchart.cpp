// Pointer moves go through the window, as the windowing system delivers them.
#define QTEST_QPA_MOUSE_HANDLING

#include <cmath>

#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>

#include "WindowSetFixture.h"
#include "core/ScenarioSlots.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/HelpMark.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/yieldchart/YieldChartWindow.h"

class TestEconomicChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { f_.reset(); }
    void tenSeries_data();
    void tenSeries();
    void activationBuildsTheTable();
    void enterInThePriceRebuilds();
    void lowReferenceIsWarnedAndReset();
    void badReferenceIsToldOnce();
    void badPriceChangesNothing_data();
    void badPriceChangesNothing();
    void hostileInputsNeverShowNanOrInf_data();
    void hostileInputsNeverShowNanOrInf();
    void marginUnderThePointer_data();
    void marginUnderThePointer();
    void lowReferenceCountsAsForty();
    void typedCostCountsOnceConfirmed();
    void clickOnTheBackgroundEmptiesTheReadOut();
    void costLineAloneUpdatesOnlyNAndValue();
    void curveSelectionDrivesTheseSeriesToo();
    void toolbarCloses();
    void copyIsOnWhite();
    void sideWindowsLeaveTheirFieldsReadable();
    void helpMarksAndScenarioLineDisturbNothing_data();
    void helpMarksAndScenarioLineDisturbNothing();

private:
    EconomicChartWindow& econ() const { return f_->set->economicChart(); }
    CurveChart& chart() const { return econ().chart(); }
    QLineEdit* edit(const char* name) const { return f_->child<QLineEdit>("TForm20", name); }
    QString label(const char* name) const { return f_->child<QLabel>("TForm20", name)->text(); }
    // Slot 1 AGAA, Graficar, then the economic chart opened, activated and drawn.
    void open()
    {
        f_->click("TForm1", "ToolButton1");
        f_->click("TForm2", "BitBtn1");
        f_->click("TForm1", "ToolButton13");
        Q_EMIT f_->set->yieldChart().activated();
        f_->click("TForm3", "ToolButton10");
        QVERIFY(QTest::qWaitForWindowExposed(&econ()));
        econ().onActivated();
        Q_EMIT econ().activated();
        f_->window("TForm4")->move(5000, 5000);
        chart().replot();
    }
    QPoint pixelOf(double x, double y) const
    {
        return QPoint(int(std::lround(chart().xAxis->coordToPixel(x))),
                      int(std::lround(chart().yAxis->coordToPixel(y))));
    }
    void moveTo(QPoint pixel) const
    {
        QTest::mouseMove(&chart(), QPoint(1, 1));
        QTest::mouseMove(&chart(), pixel);
    }
    void onPoint(int k, int x) const { moveTo(pixelOf(x, chart().pointValue(k, x))); }
    void typeAndEnter(QLineEdit* e, const QString& text) const
    {
        e->setFocus();
        e->clear();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }

    std::unique_ptr<WindowSetFixture> f_;
};

void TestEconomicChart::init()
{
    f_ = std::make_unique<WindowSetFixture>();
}

void TestEconomicChart::tenSeries_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("width");
    QTest::newRow("1") << 1 << "Escenario1-Medio" << QColor(255, 0, 0) << 2;
    QTest::newRow("2") << 2 << "Escenario2-Medio" << QColor(0, 128, 0) << 2;
    QTest::newRow("5") << 5 << "Escenario2-80%" << QColor(0, 128, 0) << 1;
    QTest::newRow("8") << 8 << "Escenario2-20%" << QColor(0, 128, 64) << 1;
    QTest::newRow("9") << 9 << "Escenario3-20%" << QColor(0, 0, 255) << 1;
    QTest::newRow("10") << 10 << "Costo del N" << QColor(255, 128, 255) << 3;
}

void TestEconomicChart::tenSeries()
{
    QFETCH(int, k);
    QFETCH(QString, title);
    QFETCH(QColor, colour);
    QFETCH(int, width);
    QCOMPARE(chart().seriesCount(), 10);
    QCOMPARE(chart().series(k)->objectName(), QStringLiteral("Series%1").arg(k));
    QCOMPARE(chart().seriesTitle(k), title);
    QCOMPARE(chart().series(k)->pen().color(), colour);
    QCOMPARE(chart().series(k)->pen().width(), width);
    QCOMPARE(chart().axisMinimum(CurveChart::Axis::Left), -2.01);
    QCOMPARE(chart().axisMaximum(CurveChart::Axis::Left), 4.0);
    QCOMPARE(edit("Edit1")->text(), QStringLiteral("115"));
    QCOMPARE(edit("Edit2")->text(), QStringLiteral("600"));
    QCOMPARE(edit("Edit3")->text(), QStringLiteral("40"));
}

void TestEconomicChart::activationBuildsTheTable()
{
    open();
    const EconomicTable& t = econ().economicTable();
    QCOMPARE(t.cell(40, 1), QStringLiteral("2793.90"));
    QCOMPARE(t.cell(114, 10), QStringLiteral("0.62"));
    QCOMPARE(t.cell(189, 10), QStringLiteral("-0.79"));
    QCOMPARE(t.cell(77, 19), QStringLiteral("0.60"));
    QCOMPARE(chart().pointValue(1, 113), 0.62);
    QCOMPARE(chart().pointValue(1, 114), 0.60);
    QCOMPARE(chart().pointCount(1), 189);
    QCOMPARE(chart().pointCount(10), 230);
    QVERIFY(std::isnan(chart().pointValue(10, 39)));
    QCOMPARE(chart().pointValue(10, 40), 0.60);
    QCOMPARE(chart().legendTitles(), (QStringList{"Escenario1-Medio", "Costo del N"}));
    QCOMPARE(f_->child<QToolButton>("TForm20", "ToolButton4")->text(), QStringLiteral("Ocultar elegir cvas."));
    QVERIFY(f_->errors.messages.isEmpty());

    // A new "Graficar" reaches the chart at its next activation.
    f_->click("TForm1", "ToolButton3");
    f_->click("TForm2", "BitBtn1");
    f_->set->mainWindow().plot();
    econ().onActivated();
    QCOMPARE(econ().economicTable().cell(40, 2), QStringLiteral("2793.90"));
}

void TestEconomicChart::enterInThePriceRebuilds()
{
    open();
    typeAndEnter(edit("Edit1"), QStringLiteral("150"));
    QCOMPARE(econ().economicTable().cell(41, 10), QStringLiteral("2.60")); // 17.36 x 0.150
    QCOMPARE(econ().focusWidget(), edit("Edit2"));
    typeAndEnter(edit("Edit2"), QStringLiteral("800"));
    QCOMPARE(chart().pointValue(10, 100), 0.80);
    QCOMPARE(econ().focusWidget(), edit("Edit1"));
    // "Recalcular" does what Enter does.
    edit("Edit1")->setText(QStringLiteral("115"));
    f_->click("TForm20", "ToolButton3");
    QCOMPARE(econ().economicTable().cell(41, 10), QStringLiteral("2.00"));
}

void TestEconomicChart::lowReferenceIsWarnedAndReset()
{
    open();
    edit("Edit3")->setText(QStringLiteral("25"));
    econ().onActivated();
    QVERIFY(f_->window("TForm22")->isVisible());
    QCOMPARE(edit("Edit3")->text(), QStringLiteral("40"));

    edit("Edit3")->setText(QStringLiteral("40.5"));
    econ().onActivated();
    QCOMPARE(f_->errors.messages.size(), 1);
    QVERIFY(f_->errors.messages[0].contains(QStringLiteral("'40.5'")));
    QCOMPARE(edit("Edit3")->text(), QStringLiteral("40.5")); // what the adviser typed stays
    QCOMPARE(chart().pointValue(1, 114), 0.60);              // the series were rebuilt all the same
}

void TestEconomicChart::badReferenceIsToldOnce()
{
    open();
    // Enter in the reference N checks it at once, as in the two prices.
    typeAndEnter(edit("Edit3"), QStringLiteral("25"));
    QVERIFY(f_->window("TForm22")->isVisible());
    QCOMPARE(edit("Edit3")->text(), QStringLiteral("40"));
    QCOMPARE(econ().focusWidget(), edit("Edit1"));

    typeAndEnter(edit("Edit3"), QStringLiteral("4O"));
    QCOMPARE(f_->errors.messages.size(), 1);
    QVERIFY(f_->errors.messages[0].startsWith(QStringLiteral("N disp. de referencia: '4O'")));
    // Activations and pointer moves over a curve say nothing more of the same mistake.
    econ().onActivated();
    onPoint(1, 115);
    onPoint(1, 100);
    econ().onActivated();
    QTest::keyClick(edit("Edit3"), Qt::Key_Return);
    QCOMPARE(f_->errors.messages.size(), 1);
    // A changed text is a new mistake, told once again.
    edit("Edit3")->setText(QStringLiteral("1001"));
    onPoint(1, 115);
    econ().onActivated();
    QCOMPARE(f_->errors.messages.size(), 2);
    QVERIFY(f_->errors.messages[1].contains(QStringLiteral("'1001'")));
}

void TestEconomicChart::badPriceChangesNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("price with comma") << "Edit1"
                                      << "0,5"
                                      << "Precio neto del grano";
    QTest::newRow("empty price") << "Edit1"
                                 << ""
                                 << "Precio neto del grano";
    QTest::newRow("cost as words") << "Edit2"
                                   << "seiscientos"
                                   << "Costo del nitrógeno";
    QTest::newRow("cost overflowing") << "Edit2"
                                      << "1e400"
                                      << "Costo del nitrógeno";
    QTest::newRow("negative price") << "Edit1"
                                    << "-115"
                                    << "Precio neto del grano";
    QTest::newRow("cost beyond the range") << "Edit2"
                                           << "1e308"
                                           << "Costo del nitrógeno";
}

void TestEconomicChart::badPriceChangesNothing()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, named);
    open();
    const QString income = econ().economicTable().cell(100, 10);
    const double point = chart().pointValue(1, 100);
    const double cost = chart().pointValue(10, 100);
    typeAndEnter(f_->window("TForm20")->findChild<QLineEdit*>(field), text);
    QCOMPARE(f_->errors.messages.size(), 1);
    QVERIFY(f_->errors.messages[0].startsWith(named));
    QVERIFY(f_->errors.messages[0].contains(u'\'' + text + u'\''));
    QCOMPARE(econ().economicTable().cell(100, 10), income);
    QCOMPARE(chart().pointValue(1, 100), point);
    QCOMPARE(chart().pointValue(10, 100), cost);
    QCOMPARE(f_->window("TForm20")->findChild<QLineEdit*>(field)->text(), text);

    // A new "Graficar" brings new yields, with incomes still at the price in use; the
    // activation after it says nothing more of the refused text.
    f_->click("TForm1", "ToolButton1");
    f_->set->scenarioDialog().findChildren<QRadioButton*>().at(4)->click(); // Rafaela
    f_->click("TForm2", "BitBtn1");
    f_->set->mainWindow().plot();
    econ().onActivated();
    QCOMPARE(econ().economicTable().grainPricePerTonne(), 115.0);
    QCOMPARE(econ().economicTable().nCostPerTonne(), 600.0);
    QCOMPARE(f_->errors.messages.size(), 1);
}

void TestEconomicChart::hostileInputsNeverShowNanOrInf_data()
{
    QTest::addColumn<QString>("text");
    for (const char* t : {"", "abc", "0,5", "1e400", "-5", " 7 ", "1e300", "0"})
        QTest::newRow(*t ? t : "(empty)") << QString::fromLatin1(t);
    QTest::newRow("10 000 characters") << QString(10000, u'7');
}

void TestEconomicChart::hostileInputsNeverShowNanOrInf()
{
    QFETCH(QString, text);
    open();
    for (const char* field : {"Edit1", "Edit2", "Edit3"}) {
        const QString before[3] = {edit("Edit1")->text(), edit("Edit2")->text(), edit("Edit3")->text()};
        edit(field)->setText(text);
        econ().rebuild();
        for (int x = 30; x <= 200; x += 10)
            onPoint(1, std::min(x, 188));
        for (const char* other : {"Edit1", "Edit2", "Edit3"}) {
            if (qstrcmp(other, field) != 0 && qstrcmp(other, "Edit3") != 0)
                QCOMPARE(edit(other)->text(), before[other[4] - '1']);
        }
        for (QLineEdit* e : f_->window("TForm20")->findChildren<QLineEdit*>())
            QVERIFY2(!e->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive) &&
                         !e->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                     qPrintable(e->objectName() + u'=' + e->text().left(40)));
        for (QLabel* l : f_->window("TForm20")->findChildren<QLabel*>())
            QVERIFY2(!l->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive) &&
                         !l->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                     qPrintable(l->objectName() + u'=' + l->text().left(40)));
        edit("Edit1")->setText(QStringLiteral("115"));
        edit("Edit2")->setText(QStringLiteral("600"));
        edit("Edit3")->setText(QStringLiteral("40"));
        econ().rebuild();
    }
}

void TestEconomicChart::marginUnderThePointer_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("margin");
    QTest::newRow("115") << 115 << "115"
                         << "52.4";
    QTest::newRow("100") << 100 << "100"
                         << "50.4";
    QTest::newRow("40") << 40 << "40"
                        << "0.0";
}

void TestEconomicChart::marginUnderThePointer()
{
    QFETCH(int, x);
    QFETCH(QString, n);
    QFETCH(QString, margin);
    open();
    onPoint(1, x);
    QCOMPARE(edit("Edit5")->text(), n);
    QCOMPARE(label("Label13"), margin);
    QCOMPARE(edit("Edit4")->text(), QStringLiteral("Escenario1-Medio"));
    QCOMPARE(edit("Edit4")->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(label("Label24"), QStringLiteral("ESCENARIO: Gualeguay - La Concordia - Escorpión - Capac. de campo"));
}

void TestEconomicChart::lowReferenceCountsAsForty()
{
    open();
    edit("Edit3")->setText(QStringLiteral("25"));
    onPoint(1, 115);
    QCOMPARE(label("Label13"), QStringLiteral("52.4"));
    QCOMPARE(edit("Edit3")->text(), QStringLiteral("25")); // reset only by the next rebuild
}

void TestEconomicChart::typedCostCountsOnceConfirmed()
{
    open();
    edit("Edit2")->setText(QStringLiteral("700")); // no Enter: the margin keeps to the cost line
    onPoint(1, 115);
    QCOMPARE(label("Label13"), QStringLiteral("52.4"));
    QCOMPARE(chart().pointValue(10, 100), 0.60);
    Q_EMIT edit("Edit2")->editingFinished(); // 75 kilograms each costing 0.1 more
    onPoint(1, 115);
    QCOMPARE(label("Label13"), QStringLiteral("44.9"));
    QCOMPARE(chart().pointValue(10, 100), 0.70);
}

void TestEconomicChart::clickOnTheBackgroundEmptiesTheReadOut()
{
    open();
    onPoint(1, 100);
    QVERIFY(!label("Label13").isEmpty());
    QTest::mouseClick(&chart(), Qt::LeftButton, {}, pixelOf(180, 3.5));
    QCOMPARE(edit("Edit4")->text(), QString());
    QCOMPARE(label("Label13"), QString());
    QCOMPARE(label("Label24"), QString());
    moveTo(pixelOf(150, 3));
    QCOMPARE(edit("Edit5")->text(), QStringLiteral("150"));
}

void TestEconomicChart::costLineAloneUpdatesOnlyNAndValue()
{
    open();
    onPoint(1, 60);
    const QString margin = label("Label13");
    onPoint(10, 170); // the cost line, far from curve 1
    QCOMPARE(edit("Edit5")->text(), QStringLiteral("170"));
    QCOMPARE(edit("Edit6")->text(), QStringLiteral("0.6"));
    QCOMPARE(label("Label13"), margin);
    QCOMPARE(edit("Edit4")->text(), QStringLiteral("Escenario1-Medio"));
}

void TestEconomicChart::curveSelectionDrivesTheseSeriesToo()
{
    open();
    f_->child<QCheckBox>("TForm4", "CheckBox3")->click(); // 20 % of slot 1
    QVERIFY(chart().isSeriesShown(7));
    QVERIFY(f_->set->yieldChart().chart().isSeriesShown(7));
    f_->child<QCheckBox>("TForm4", "CheckBox2")->click();
    QVERIFY(!chart().isSeriesShown(1));
    QVERIFY(chart().isSeriesShown(10)); // the cost line is never touched
    auto* toggle = f_->child<QToolButton>("TForm20", "ToolButton4");
    toggle->click();
    QCOMPARE(toggle->text(), QStringLiteral("Elegir curvas"));
    QVERIFY(!f_->window("TForm4")->isVisible());
    econ().onActivated();
    Q_EMIT econ().activated();
    QCOMPARE(toggle->text(), QStringLiteral("Elegir curvas"));
}

void TestEconomicChart::toolbarCloses()
{
    open();
    f_->click("TForm20", "ToolButton7"); // back to the yield chart
    QVERIFY(!econ().isVisible());
    QVERIFY(f_->window("TForm3")->isVisible());
    f_->click("TForm3", "ToolButton10");
    f_->click("TForm20", "ToolButton12"); // back to the scenarios
    QVERIFY(!econ().isVisible());
    QVERIFY(!f_->window("TForm3")->isVisible());
    QCOMPARE(edit("Edit1")->text(), QStringLiteral("115")); // inputs survive
}

void TestEconomicChart::copyIsOnWhite()
{
    open();
    f_->click("TForm20", "ToolButton1");
    const QImage image = QGuiApplication::clipboard()->image();
    QCOMPARE(image.size(), chart().size() * chart().devicePixelRatioF());
    QCOMPARE(image.pixelColor(2, image.height() - 3), QColor(Qt::white));
}

void TestEconomicChart::helpMarksAndScenarioLineDisturbNothing_data()
{
    QTest::addColumn<QString>("mark");
    for (const char* mark : {"Label16", "Label17", "Label18", "Label14", "Label15"})
        QTest::newRow(mark) << QString::fromLatin1(mark);
}

void TestEconomicChart::helpMarksAndScenarioLineDisturbNothing()
{
    QFETCH(QString, mark);
    open();
    econ().showNormal();
    econ().resize(1024, 700); // the smallest screen an adviser is expected to have
    QTest::qWait(20);
    chart().replot();
    auto* help = econ().findChild<HelpMark*>(mark);
    QVERIFY(help);
    const auto layout = [this] {
        return QList<QRect>{f_->child<QWidget>("TForm20", "ToolBar1")->geometry(), chart().geometry(),
                            edit("Edit1")->geometry(), edit("Edit3")->geometry()};
    };
    const QList<QRect> before = layout();
    QMouseEvent hover(QEvent::MouseMove, QPointF(2, 2), help->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(help, &hover);
    QApplication::processEvents();
    QVERIFY(help->isHighlighted());
    QCOMPARE(layout(), before);
    QVERIFY2(help->parentWidget()->rect().contains(help->geometry()), "a help mark is cut off");

    // The scenario line under the pointer never covers the chart's title.
    onPoint(1, 100);
    const QRect title = chart().plotLayout()->element(0, 0)->outerRect();
    QVERIFY(!f_->child<QLabel>("TForm20", "Label24")->text().isEmpty());
    QVERIFY(!f_->child<QLabel>("TForm20", "Label24")->geometry().intersects(title));
}

void TestEconomicChart::sideWindowsLeaveTheirFieldsReadable()
{
    open();
    // The cost assistant opens beside the inputs, not over the cost field it fills.
    f_->click("TForm20", "ToolButton10");
    QWidget* assistant = f_->window("TForm21");
    QVERIFY(assistant->isVisible());
    const QRect costField(edit("Edit2")->mapToGlobal(QPoint(0, 0)), edit("Edit2")->size());
    QVERIFY(!assistant->frameGeometry().intersects(costField));

    // The title editor's fields are as wide as the titles they hold.
    f_->click("TForm20", "ToolButton9");
    auto* titles = static_cast<VelmaroWindow*>(f_->window("TForm24"));
    titles->onActivated();
    for (const char* name : {"Edit1", "Edit2", "Edit3"}) {
        auto* field = f_->child<QLineEdit>("TForm24", name);
        QVERIFY(field->fontMetrics().horizontalAdvance(field->text()) < field->width());
        QVERIFY(titles->rect().contains(field->geometry()));
    }
}

QTEST_MAIN(TestEconomicChart)
#include "tst_economicchart.moc"
