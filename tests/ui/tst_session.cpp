// A short adviser's session from start to quit: three scenarios, the yield chart with its
// read-out, the economic chart with its margin, a cost from the assistant. It is also the
// session that "make memcheck" runs under valgrind.
#define QTEST_QPA_MOUSE_HANDLING

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

#include "WindowSetFixture.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/RadioGroup.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

class TestSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startToQuit();
};

void TestSession::startToQuit()
{
    auto f = std::make_unique<WindowSetFixture>();
    const char* buttons[] = {"ToolButton1", "ToolButton3", "ToolButton5"};
    for (int slot = 0; slot < 3; ++slot) {
        f->click("TForm1", buttons[slot]);
        f->child<RadioGroup>("TForm2", "RadioGroup1")->button(slot * 2)->click();
        f->click("TForm2", "BitBtn1");
    }
    f->click("TForm1", "ToolButton13");
    YieldChartWindow& yield = f->set->yieldChart();
    QVERIFY(QTest::qWaitForWindowExposed(&yield));
    Q_EMIT yield.activated();
    f->window("TForm4")->move(5000, 5000);
    yield.chart().replot();
    QCOMPARE(yield.chart().legendTitles(), (QStringList{"ESCENARIO 1", "ESCENARIO 2", "ESCENARIO 3"}));
    for (int x = 40; x < 190; x += 10)
        QTest::mouseMove(&yield.chart(),
                         QPoint(int(yield.chart().xAxis->coordToPixel(x)),
                                int(yield.chart().yAxis->coordToPixel(yield.chart().pointValue(1, x)))));
    QCOMPARE(f->child<QLineEdit>("TForm3", "Edit3")->text(), QStringLiteral("Escenario1-Medio"));

    f->click("TForm3", "ToolButton10");
    EconomicChartWindow& economic = f->set->economicChart();
    economic.onActivated();
    f->click("TForm20", "ToolButton10");
    f->child<QComboBox>("TForm21", "ComboBox1")->setCurrentIndex(1);
    f->child<QLineEdit>("TForm21", "Edit1")->setText(QStringLiteral("350"));
    f->click("TForm21", "Button1");
    f->click("TForm21", "Button2");
    economic.onActivated();
    QCOMPARE(f->child<QLineEdit>("TForm20", "Edit2")->text(), QStringLiteral("761"));
    QVERIFY(f->errors.messages.isEmpty());

    QSignalSpy quit(f->set.get(), &WindowSet::quitRequested);
    f->set->mainWindow().close();
    QCOMPARE(quit.count(), 1);
    f.reset();
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
