#include <algorithm>
#include <map>

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

#include "WindowSetFixture.h"
#include "core/ScenarioSlots.h"
#include "ui/scenario/ScenarioDialog.h"

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void mainFlowByKeysOnly_data();
    void mainFlowByKeysOnly();
    void dialogsTakeEnterAndEscape_data();
    void dialogsTakeEnterAndEscape();
    void startsWithEmptySlots();
    void toolbar_data();
    void toolbar();
    void panelCaptions_data();
    void panelCaptions();
    void helpAreaToggles();
    void helpAreaReadsTheFileAtEveryOpening();
    void missingHelpFileIsReported();
    void graficarNeedsAnActiveScenario();
    void graficarComposesLooksUpAndShowsTheChart();
    void untickingActivarChangesNothingHere();
    void toolbarOpensItsWindows_data();
    void toolbarOpensItsWindows();
    void externalProgramsStartWithoutWaiting();
    void activationHidesTheCurveSelection();
    void everyButtonInEveryState();

private:
    std::unique_ptr<WindowSetFixture> f_;
    QTemporaryDir dir_;
    QString previousDir_;
};

void TestMainWindow::init()
{
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QFile::remove(QStringLiteral("velmaro.rtf"));
    f_ = std::make_unique<WindowSetFixture>();
}

void TestMainWindow::cleanup()
{
    f_.reset();
    QDir::setCurrent(previousDir_);
}

void TestMainWindow::startsWithEmptySlots()
{
    for (const char* panel : {"Panel2", "Panel3", "Panel4"}) {
        QVERIFY(f_->child("TForm1", panel));
        QVERIFY(!f_->child("TForm1", panel)->isVisible());
    }
    QVERIFY(!f_->child("TForm1", "RichEdit1")->isVisible());
    QVERIFY(!f_->child("TForm1", "BitBtn1")->isVisible());
    QCOMPARE(f_->child("TForm1", "Panel2")->geometry(), QRect(48, 208, 200, 150));
    QCOMPARE(f_->child("TForm1", "Panel3")->geometry(), QRect(300, 208, 200, 150));
    QCOMPARE(f_->child("TForm1", "Panel4")->geometry(), QRect(532, 208, 200, 150));
    QCOMPARE(f_->child("TForm1", "RichEdit1")->geometry(), QRect(51, 364, 666, 141));
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3"})
        QVERIFY(!f_->child<QCheckBox>("TForm1", box)->isChecked());
}

void TestMainWindow::toolbar_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1") << "ToolButton1"
                       << "Escenario 1";
    QTest::newRow("3") << "ToolButton3"
                       << "Escenario 2";
    QTest::newRow("5") << "ToolButton5"
                       << "Escenario 3";
    QTest::newRow("6") << "ToolButton6"
                       << "AYUDA";
    QTest::newRow("8") << "ToolButton8"
                       << "Calculadora";
    QTest::newRow("11") << "ToolButton11"
                        << "Notas";
    QTest::newRow("13") << "ToolButton13"
                        << "Graficar";
    QTest::newRow("15") << "ToolButton15"
                        << "Créditos";
    QTest::newRow("Mapas") << "Mapas"
                           << "Mapas";
}

void TestMainWindow::toolbar()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    auto* button = f_->window("TForm1")->findChild<QToolButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->size(), QSize(64, 65));
    QCOMPARE(button->iconSize(), QSize(44, 44));
    QVERIFY(!button->icon().isNull());
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);

    // Under the pointer the white caption stays readable: the face behind it stays dark.
    button->setAttribute(Qt::WA_UnderMouse, true);
    const QImage face = button->grab().toImage();
    std::map<QRgb, int> counts;
    int white = 0;
    for (int y = 48; y < face.height() - 2; ++y)
        for (int x = 2; x < face.width() - 2; ++x) {
            const QColor c = face.pixelColor(x, y);
            ++counts[c.rgb()];
            white += c.red() > 220 && c.green() > 220 && c.blue() > 220;
        }
    const auto background = std::max_element(counts.begin(), counts.end(),
                                             [](const auto& a, const auto& b) { return a.second < b.second; });
    QVERIFY2(QColor(background->first).lightness() < 170, qPrintable(QColor(background->first).name()));
    QVERIFY(white > 0);
    button->setAttribute(Qt::WA_UnderMouse, false);
}

void TestMainWindow::panelCaptions_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("slot 1") << "Panel2"
                            << QStringList{"E S C E N A R I O 1", "Sitio:", "Unidad de paisaje.",
                                           "Cultivar:", "Agua a la siembra:"};
    QTest::newRow("slot 2") << "Panel3"
                            << QStringList{"E S C E N A R I O 2", "Sitio",
                                           "Unidad de paisaje:", "Cultivar:", "Agua a la siembra"};
    QTest::newRow("slot 3") << "Panel4"
                            << QStringList{"E S C E N A R I O 3",
                                           "Sitio:", "Unidad de paisaje:", "Cultivar:", "Agua a la siembra:"};
}

void TestMainWindow::panelCaptions()
{
    QFETCH(QString, panel);
    QFETCH(QStringList, captions);
    QWidget* p = f_->window("TForm1")->findChild<QWidget*>(panel);
    QStringList shown;
    for (QLabel* label : p->findChildren<QLabel*>())
        if (label->objectName().isEmpty())
            shown << label->text();
    QCOMPARE(shown, captions);
}

void TestMainWindow::helpAreaToggles()
{
    writeFile(QStringLiteral("velmaro.rtf"), "{\\rtf1\\ansi Ayuda de prueba\\par}");
    QWidget* area = f_->child("TForm1", "RichEdit1");
    QWidget* print = f_->child("TForm1", "BitBtn1");
    f_->click("TForm1", "ToolButton6");
    QVERIFY(area->isVisible());
    QVERIFY(print->isVisible());
    f_->click("TForm1", "ToolButton6");
    QVERIFY(!area->isVisible());
    QVERIFY(!print->isVisible());
    QVERIFY(f_->errors.messages.isEmpty());
}

void TestMainWindow::helpAreaReadsTheFileAtEveryOpening()
{
    auto* area = f_->child<QTextEdit>("TForm1", "RichEdit1");
    writeFile(QStringLiteral("velmaro.rtf"), "{\\rtf1\\ansi\\ansicpg1252 Elecci\\'f3n de escenarios\\par}");
    f_->click("TForm1", "ToolButton6");
    QVERIFY(area->toPlainText().contains(QStringLiteral("Elección de escenarios")));
    f_->click("TForm1", "ToolButton6");
    writeFile(QStringLiteral("velmaro.rtf"), "{\\rtf1\\ansi Otro texto\\par}");
    QVERIFY(area->toPlainText().contains(QStringLiteral("Elección"))); // closed: not read yet
    f_->click("TForm1", "ToolButton6");
    QVERIFY(area->toPlainText().contains(QStringLiteral("Otro texto")));
    QVERIFY(!area->toPlainText().contains(QStringLiteral("Elección")));
}

void TestMainWindow::missingHelpFileIsReported()
{
    auto* area = f_->child<QTextEdit>("TForm1", "RichEdit1");
    f_->click("TForm1", "ToolButton6");
    QCOMPARE(f_->errors.messages.size(), 1);
    QVERIFY(f_->errors.messages[0].contains(QStringLiteral("\"velmaro.rtf\"")));
    QVERIFY(area->isVisible());
    QVERIFY(f_->child("TForm1", "BitBtn1")->isVisible());
    QVERIFY(area->toPlainText().isEmpty());

    // Once read, a file that disappears leaves the previous text.
    f_->click("TForm1", "ToolButton6");
    writeFile(QStringLiteral("velmaro.rtf"), "{\\rtf1 Texto anterior\\par}");
    f_->click("TForm1", "ToolButton6");
    f_->click("TForm1", "ToolButton6");
    QFile::remove(QStringLiteral("velmaro.rtf"));
    f_->click("TForm1", "ToolButton6");
    QCOMPARE(f_->errors.messages.size(), 2);
    QVERIFY(area->toPlainText().contains(QStringLiteral("Texto anterior")));
}

void TestMainWindow::graficarNeedsAnActiveScenario()
{
    f_->click("TForm1", "ToolButton13");
    QCOMPARE(f_->messages.texts, QStringList{QStringLiteral("DEBE SELECCIONAR AL MENOS 1 ESCENARIO")});
    QVERIFY(!f_->window("TForm3")->isVisible());
    QCOMPARE(f_->set->scenarioSlots().slot(1).code, QStringLiteral("36")); // nothing composed

    // A confirmed slot whose box was unticked does not count either.
    f_->click("TForm1", "ToolButton1");
    f_->click("TForm2", "BitBtn1");
    f_->child<QCheckBox>("TForm1", "CheckBox1")->click();
    f_->click("TForm1", "ToolButton13");
    QCOMPARE(f_->messages.texts.size(), 2);
    QVERIFY(!f_->window("TForm3")->isVisible());
}

void TestMainWindow::graficarComposesLooksUpAndShowsTheChart()
{
    f_->click("TForm1", "ToolButton3"); // slot 2 only
    f_->click("TForm2", "BitBtn1");
    f_->click("TForm1", "ToolButton13");
    QVERIFY(f_->messages.texts.isEmpty());
    QVERIFY(f_->window("TForm3")->isVisible());
    const ScenarioSlots& model = f_->set->scenarioSlots();
    QCOMPARE(model.slot(2).code, QStringLiteral("AGAA"));
    QCOMPARE(model.slot(2).at(Level::Medio).a, QStringLiteral("1965.1"));
    QCOMPARE(model.slot(1).code, QStringLiteral("Label5Label2Label6Label8"));
    QCOMPARE(model.slot(1).at(Level::P20).a, QStringLiteral("38"));
}

void TestMainWindow::untickingActivarChangesNothingHere()
{
    f_->click("TForm1", "ToolButton1");
    f_->click("TForm2", "BitBtn1");
    auto* box = f_->child<QCheckBox>("TForm1", "CheckBox1");
    QVERIFY(box->isChecked());
    box->click();
    QVERIFY(!box->isChecked());
    QVERIFY(!f_->set->scenarioSlots().slot(1).active);
    QVERIFY(f_->child("TForm1", "Panel2")->isVisible());
    QCOMPARE(f_->child<QLabel>("TForm1", "Label7")->text(), QStringLiteral("Gualeguay"));
    box->click();
    QVERIFY(f_->set->scenarioSlots().slot(1).active);
}

void TestMainWindow::toolbarOpensItsWindows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("windows");
    QTest::newRow("Créditos") << "ToolButton15" << QStringList{"TForm35"};
    QTest::newRow("Mapas") << "Mapas" << QStringList{"TForm5", "TForm6"};
    QTest::newRow("Escenario 1") << "ToolButton1" << QStringList{"TForm2"};
}

void TestMainWindow::toolbarOpensItsWindows()
{
    QFETCH(QString, button);
    QFETCH(QStringList, windows);
    f_->window("TForm1")->findChild<QAbstractButton*>(button)->click();
    for (const QString& name : windows)
        QVERIFY2(f_->set->window(name)->isVisible(), qPrintable(name));
    int visible = 0;
    for (QWidget* w : f_->set->windows())
        visible += w->isVisible();
    QCOMPARE(visible, 1 + windows.size());
}

void TestMainWindow::externalProgramsStartWithoutWaiting()
{
    f_->click("TForm1", "ToolButton8");
    f_->click("TForm1", "ToolButton11");
    f_->click("TForm1", "ToolButton8");
    using P = ProgramLauncher::Program;
    QCOMPARE(f_->launcher.started, (QList<P>{P::Calculator, P::TextEditor, P::Calculator}));
    QVERIFY(f_->messages.texts.isEmpty());
    QVERIFY(f_->errors.messages.isEmpty());
#ifndef Q_OS_WIN
    QVERIFY(SystemProgramLauncher::candidates(P::Calculator).contains(QStringLiteral("gnome-calculator")));
    QVERIFY(SystemProgramLauncher::candidates(P::TextEditor).contains(QStringLiteral("gedit")));
#endif
}

void TestMainWindow::activationHidesTheCurveSelection()
{
    QWidget* selection = f_->window("TForm4");
    selection->show();
    f_->set->mainWindow().onActivated();
    QVERIFY(!selection->isVisible());
}

void TestMainWindow::everyButtonInEveryState()
{
    writeFile(QStringLiteral("velmaro.rtf"), "{\\rtf1 x}");
    const char* buttons[] = {"ToolButton1",  "ToolButton3",  "ToolButton5",  "ToolButton6", "ToolButton8",
                             "ToolButton11", "ToolButton13", "ToolButton15", "Mapas",       "BitBtn1"};
    for (int round = 0; round < 3; ++round) {
        for (const char* first : buttons) {
            for (const char* second : buttons) {
                if (auto* b = f_->child<QAbstractButton>("TForm1", first); b->isVisible())
                    b->click();
                if (auto* b = f_->child<QAbstractButton>("TForm1", second); b->isVisible())
                    b->click();
            }
            if (round == 1)
                f_->click("TForm2", "BitBtn1"); // confirm whatever slot the heading names
        }
    }
    QVERIFY(f_->window("TForm1")->isVisible());
    QVERIFY(f_->errors.messages.isEmpty());
    QVERIFY(f_->set->scenarioSlots().slot(1).panelShown);
}

namespace {

// A key as the windowing system delivers it: to the widget with the focus.
void press(QWidget* window, Qt::Key key)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key);
}

} // namespace

void TestMainWindow::mainFlowByKeysOnly_data()
{
    QTest::addColumn<int>("pressKey");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Enter") << int(Qt::Key_Return);
}

void TestMainWindow::mainFlowByKeysOnly()
{
    QFETCH(int, pressKey);
    QWidget* main = f_->window("TForm1");
    main->activateWindow();
    // Tab meets the toolbar's buttons in reading order, left to right.
    QList<QToolButton*> toolbar = main->findChild<QWidget*>(QStringLiteral("ToolBar1"))->findChildren<QToolButton*>();
    std::sort(toolbar.begin(), toolbar.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    QList<QToolButton*> met;
    for (int i = 0; i < 60 && met.size() < toolbar.size(); ++i) {
        press(main, Qt::Key_Tab);
        auto* button = qobject_cast<QToolButton*>(main->focusWidget());
        if (button && toolbar.contains(button) && !met.contains(button))
            met << button;
    }
    QCOMPARE(met, toolbar);

    const auto focusAndPress = [&](const char* name) {
        for (int i = 0; i < 60 && main->focusWidget()->objectName() != QLatin1String(name); ++i)
            press(main, Qt::Key_Tab);
        QCOMPARE(main->focusWidget()->objectName(), QLatin1String(name));
        press(main, Qt::Key(pressKey));
    };
    // "Escenario 1", then the dialog's first group is the site, and Enter is "OK".
    focusAndPress("ToolButton1");
    QWidget* dialog = f_->window("TForm2");
    QVERIFY(dialog->isVisible());
    dialog->activateWindow();
    f_->child<QWidget>("TForm2", "RadioGroup1")->findChildren<QRadioButton*>().first()->setFocus();
    press(dialog, Qt::Key_Tab);
    QVERIFY(f_->child<QWidget>("TForm2", "RadioGroup5")->isAncestorOf(dialog->focusWidget()));
    press(dialog, Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QVERIFY(f_->set->scenarioSlots().slot(1).active);
    // "Graficar" opens the yield chart.
    main->activateWindow();
    focusAndPress("ToolButton13");
    QVERIFY(f_->window("TForm3")->isVisible());
}

void TestMainWindow::dialogsTakeEnterAndEscape_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("mainButton"); // empty: none
    QTest::addColumn<bool>("escapeCloses");
    QTest::newRow("scenario") << "TForm2"
                              << "BitBtn1" << true;
    QTest::newRow("cost assistant") << "TForm21"
                                    << "Button1" << true;
    QTest::newRow("soil calculator") << "TForm32"
                                     << "Button4" << true;
    QTest::newRow("economic titles") << "TForm24"
                                     << "BitBtn1" << true;
    QTest::newRow("economic print") << "TForm23"
                                    << "BitBtn1" << true;
    QTest::newRow("help print") << "TForm37"
                                << "AbColBitBtn2" << true;
    QTest::newRow("warning") << "TForm22"
                             << "" << true;
    QTest::newRow("help") << "TForm15"
                          << "" << true;
    QTest::newRow("curve selection refuses") << "TForm4"
                                             << "" << false;
}

void TestMainWindow::dialogsTakeEnterAndEscape()
{
    QFETCH(QString, window);
    QFETCH(QString, mainButton);
    QWidget* w = f_->window(qPrintable(window));
    w->show();
    if (!mainButton.isEmpty()) {
        auto* button = f_->child<QAbstractButton>(qPrintable(window), qPrintable(mainButton));
        QVERIFY(button);
        QSignalSpy pressed(button, &QAbstractButton::clicked);
        press(w, Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        w->show();
    }
    press(w, Qt::Key_Escape);
    QTEST(!w->isVisible(), "escapeCloses");
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
