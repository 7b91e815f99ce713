// Pointer moves go through the window, as the windowing system delivers them.
#define QTEST_QPA_MOUSE_HANDLING

#include <map>
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include "core/NumberText.h"
#include "support/HostileInputs.h"
#include "support/RecordingSeams.h"
#include "ui/common/ErrorReporter.h"
#include "ui/common/HelpMark.h"
#include "ui/common/MessageBoxes.h"
#include "ui/economics/NitrogenCostWindow.h"
#include "ui/info/HelpWindow.h"
#include "ui/info/WarningWindow.h"
#include "ui/soiln/SoilNitrogenWindow.h"

namespace {

constexpr int Urea = 1;
constexpr int AmmoniumSulphate = 4;
constexpr int Dap = 5;

using Snapshot = std::map<QString, QString>;

// The texts of every entry field of a window, by name.
Snapshot snapshot(const QWidget& window)
{
    Snapshot texts;
    for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
        if (!edit->objectName().isEmpty())
            texts[edit->objectName()] = edit->text();
    return texts;
}

bool looksBroken(const QString& text)
{
    return text.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

QStringList labelTexts(const QWidget& window)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

bool isCentred(const QWidget& window)
{
    const QPoint screenCentre = window.screen()->availableGeometry().center();
    const QPoint centre = window.frameGeometry().center();
    return (centre - screenCentre).manhattanLength() <= 2;
}

} // namespace

class TestNitrogenWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    // Soil nitrogen calculator
    void soilLayout_data();
    void soilLayout();
    void soilOpensCentredWithTheFocusInTheFirstLayer();
    void typingFillsTheDeeperLayers();
    void deletingThePlaceholderRaisesNoError();
    void secondLayerRecomputesOnlyTheThird();
    void workedExampleThroughTheButtons();
    void missingInput_data();
    void missingInput();
    void acceptLowResultWarnsAndStays();
    void acceptNonIntegerReportsAndStays_data();
    void acceptNonIntegerReportsAndStays();
    void soilHostileEntries_data();
    void soilHostileEntries();
    void soilFocusFollowsThePointer_data();
    void soilFocusFollowsThePointer();
    void helpMarkTurnsYellowAndBack();
    void promptsGiveWayToTyping_data();
    void promptsGiveWayToTyping();

    // Nitrogen cost assistant
    void costLayout();
    void costCalculates_data();
    void costCalculates();
    void regresarBeforeCalcularHandsNothing();
    void costSurvivesHideAndShow();
    void regresarGivesTheStoredCost();
    void closeBoxHandsNothing();
    void untouchedPriceAsksForData_data();
    void untouchedPriceAsksForData();
    void noProductChangesNothing();
    void badPriceChangesNothing();
    void costHostilePrices_data();
    void costHostilePrices();
    void costFocusRules();

    // Help, notice and warning windows
    void warningWindow();
    void helpWindowLayout();
    void helpWindowOptions();
    void helpWindowTakesSimpleHtml();
    void missingInputNotice();

private:
    // Shows a window and waits until it is the active one.
    void showActive(QWidget& window)
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QLineEdit* edit(QWidget& window, int number) const
    {
        return window.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(number));
    }
    void click(QWidget& window, int button) const
    {
        auto* b = window.findChild<QPushButton*>(QStringLiteral("Button%1").arg(button));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Replaces a field's text the way the adviser would: select all and type over it.
    void typeInto(QLineEdit* field, const QString& text) const
    {
        field->setFocus();
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            QTest::keyClicks(field, text);
    }
    QComboBox* list(QWidget& window, int number) const
    {
        return window.findChild<QComboBox*>(QStringLiteral("ComboBox%1").arg(number));
    }
    // Cost assistant: product, price, Calcular.
    void calculateCost(int product, const QString& price)
    {
        list(*cost_, 1)->setCurrentIndex(product);
        typeInto(edit(*cost_, 1), price);
        click(*cost_, 1);
    }
    QString giveBack()
    {
        QSignalSpy spy(cost_.get(), &NitrogenCostWindow::costReturned);
        click(*cost_, 2);
        return spy.size() == 1 ? spy.at(0).at(0).toString() : QStringLiteral("<%1 signals>").arg(spy.size());
    }

    RecordingMessageBoxes messages_;
    RecordingErrorReporter errors_;
    std::unique_ptr<SoilNitrogenWindow> soil_;
    std::unique_ptr<NitrogenCostWindow> cost_;
};

void TestNitrogenWindows::init()
{
    messages_.texts.clear();
    errors_.messages.clear();
    soil_ = std::make_unique<SoilNitrogenWindow>(errors_);
    cost_ = std::make_unique<NitrogenCostWindow>(messages_, errors_);
}

void TestNitrogenWindows::cleanup()
{
    soil_.reset();
    cost_.reset();
}

// ----- Soil nitrogen calculator -----

void TestNitrogenWindows::soilLayout_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readOnly");
    for (int n = 1; n <= 3; ++n)
        QTest::addRow("Edit%d", n) << n << "ppm" << false;
    for (int n = 4; n <= 6; ++n)
        QTest::addRow("Edit%d", n) << n << "ppm N" << false;
    for (int n = 7; n <= 9; ++n)
        QTest::addRow("Edit%d", n) << n << "1300" << false;
    QTest::newRow("Edit10") << 10 << "0000" << true;
    QTest::newRow("Edit11") << 11 << "0000" << false;
    QTest::newRow("Edit12") << 12 << "0000" << false;
    QTest::newRow("Edit13") << 13 << "0000" << true;
    QTest::newRow("Edit14") << 14 << "0000" << true;
}

void TestNitrogenWindows::soilLayout()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(bool, readOnly);
    QCOMPARE(soil_->objectName(), QStringLiteral("TForm32"));
    QCOMPARE(soil_->windowTitle(), QStringLiteral("Calculo de N disponible en suelo"));
    QLineEdit* field = edit(*soil_, number);
    QVERIFY(field);
    QCOMPARE(field->text(), text);
    QCOMPARE(field->isReadOnly(), readOnly);

    const QStringList captions = labelTexts(*soil_);
    for (const char* caption : {"Suelos",
                                "0-20 Cm",
                                "20-40 Cm",
                                "40-60 Cm",
                                "Concentración",
                                "de nitratos",
                                "Concentración de",
                                "N mineral",
                                "Densidad",
                                "aparente",
                                "ppm NO",
                                "3",
                                "ppm N",
                                "Kg/m3",
                                "en suelo",
                                "kg/ha",
                                "Fertilizantes",
                                "Fertilizante 1",
                                "Fertilizante 2",
                                "Kg agregados",
                                "kg/ha fert 1",
                                "kg/ha fert 2",
                                "N en fertilizante",
                                "N disponible",
                                "de referencia",
                                "?"})
        QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
    const char* buttons[] = {"Cálculo 1", "Cálculo 2", "Cálculo 3", "Aceptar"};
    for (int b = 0; b < 4; ++b)
        QCOMPARE(soil_->findChild<QPushButton*>(QStringLiteral("Button%1").arg(b + 1))->text(),
                 QString::fromUtf8(buttons[b]));
    for (int n = 1; n <= 2; ++n) {
        QComboBox* products = list(*soil_, n);
        QCOMPARE(products->count(), 7);
        QCOMPARE(products->currentIndex(), -1);
        QCOMPARE(products->placeholderText(), QStringLiteral("Elija el fertilizante"));
        QCOMPARE(products->itemText(1), QStringLiteral("UREA - 46%"));
    }
    QCOMPARE(edit(*soil_, 14)->palette().color(QPalette::Text), QColor(Qt::red));
}

void TestNitrogenWindows::soilOpensCentredWithTheFocusInTheFirstLayer()
{
    showActive(*soil_);
    QVERIFY(isCentred(*soil_));
    edit(*soil_, 12)->setFocus();
    soil_->onActivated();
    QVERIFY(edit(*soil_, 1)->hasFocus());
    // Moved by the adviser, it stays where it was put when shown again.
    soil_->move(10, 20);
    soil_->hide();
    soil_->show();
    QVERIFY(QTest::qWaitForWindowExposed(soil_.get()));
    QCOMPARE(soil_->pos(), QPoint(10, 20));
}

void TestNitrogenWindows::typingFillsTheDeeperLayers()
{
    showActive(*soil_);
    typeInto(edit(*soil_, 1), QStringLiteral("60"));
    QCOMPARE(edit(*soil_, 1)->text(), QStringLiteral("60"));
    QCOMPARE(edit(*soil_, 2)->text(), QStringLiteral("30.0"));
    QCOMPARE(edit(*soil_, 3)->text(), QStringLiteral("15.0"));
    // Rounding of the third layer comes from the first, not from the rounded second.
    typeInto(edit(*soil_, 1), QStringLiteral("61"));
    QCOMPARE(edit(*soil_, 2)->text(), QStringLiteral("30.5"));
    QCOMPARE(edit(*soil_, 3)->text(), QStringLiteral("15.3"));
    QVERIFY(errors_.messages.isEmpty());
}

void TestNitrogenWindows::deletingThePlaceholderRaisesNoError()
{
    showActive(*soil_);
    QLineEdit* first = edit(*soil_, 1);
    first->setFocus();
    first->end(false);
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(first, Qt::Key_Backspace);
        seen << first->text();
        QCOMPARE(edit(*soil_, 2)->text(), QStringLiteral("ppm"));
        QCOMPARE(edit(*soil_, 3)->text(), QStringLiteral("ppm"));
    }
    QCOMPARE(seen, (QStringList{"pp", "p", ""}));
    QVERIFY2(errors_.messages.isEmpty(), qPrintable(errors_.messages.join(u'\n')));
    QTest::keyClicks(first, QStringLiteral("6"));
    QCOMPARE(edit(*soil_, 2)->text(), QStringLiteral("3.0"));
    QCOMPARE(edit(*soil_, 3)->text(), QStringLiteral("1.5"));
    QTest::keyClicks(first, QStringLiteral("0"));
    QCOMPARE(edit(*soil_, 2)->text(), QStringLiteral("30.0"));
    QCOMPARE(edit(*soil_, 3)->text(), QStringLiteral("15.0"));
    // A non-number on the way ("60," before "60,5") leaves the deeper layers alone.
    QTest::keyClicks(first, QStringLiteral(",5"));
    QCOMPARE(edit(*soil_, 2)->text(), QStringLiteral("30.0"));
    QVERIFY(errors_.messages.isEmpty());
}

void TestNitrogenWindows::secondLayerRecomputesOnlyTheThird()
{
    showActive(*soil_);
    typeInto(edit(*soil_, 1), QStringLiteral("60"));
    typeInto(edit(*soil_, 2), QStringLiteral("40"));
    QCOMPARE(edit(*soil_, 1)->text(), QStringLiteral("60"));
    QCOMPARE(edit(*soil_, 2)->text(), QStringLiteral("40"));
    QCOMPARE(edit(*soil_, 3)->text(), QStringLiteral("20.0"));
    typeInto(edit(*soil_, 3), QStringLiteral("12"));
    QCOMPARE(edit(*soil_, 2)->text(), QStringLiteral("40"));
}

void TestNitrogenWindows::workedExampleThroughTheButtons()
{
    showActive(*soil_);
    QSignalSpy accepted(soil_.get(), &SoilNitrogenWindow::referenceNAccepted);
    QSignalSpy low(soil_.get(), &SoilNitrogenWindow::lowNitrogenWarning);
    typeInto(edit(*soil_, 1), QStringLiteral("60"));
    click(*soil_, 1);
    QCOMPARE(edit(*soil_, 4)->text(), QStringLiteral("13.5"));
    QCOMPARE(edit(*soil_, 5)->text(), QStringLiteral("6.8"));
    QCOMPARE(edit(*soil_, 6)->text(), QStringLiteral("3.4"));
    QCOMPARE(edit(*soil_, 10)->text(), QStringLiteral("0000"));
    click(*soil_, 2);
    QCOMPARE(edit(*soil_, 10)->text(), QStringLiteral("61.6"));
    list(*soil_, 1)->setCurrentIndex(Dap);
    list(*soil_, 2)->setCurrentIndex(Urea);
    typeInto(edit(*soil_, 11), QStringLiteral("50"));
    typeInto(edit(*soil_, 12), QStringLiteral("100"));
    click(*soil_, 3);
    QCOMPARE(edit(*soil_, 13)->text(), QStringLiteral("55.0"));
    QCOMPARE(edit(*soil_, 14)->text(), QStringLiteral("117"));
    QVERIFY(errors_.messages.isEmpty());

    click(*soil_, 4);
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(accepted.at(0).at(0).toString(), QStringLiteral("117"));
    QCOMPARE(low.size(), 0);
    QVERIFY(!soil_->isVisible());
    // Shown again, every field is as it was left.
    soil_->show();
    QCOMPARE(edit(*soil_, 14)->text(), QStringLiteral("117"));
    QCOMPARE(edit(*soil_, 4)->text(), QStringLiteral("13.5"));
}

void TestNitrogenWindows::missingInput_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("button");
    for (int field = 1; field <= 3; ++field)
        for (const char* text : {"ppm", "pp", "p", ""})
            QTest::addRow("Edit%d \"%s\"", field, text) << field << QString::fromLatin1(text) << 1;
    for (int field = 4; field <= 9; ++field)
        QTest::addRow("Edit%d empty", field) << field << QString() << 2;
    QTest::newRow("Edit11 empty") << 11 << QString() << 3;
    QTest::newRow("Edit12 empty") << 12 << QString() << 3;
}

void TestNitrogenWindows::missingInput()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(int, button);
    showActive(*soil_);
    // Every step would otherwise complete.
    for (int n = 1; n <= 3; ++n)
        edit(*soil_, n)->setText(QStringLiteral("20"));
    for (int n = 4; n <= 6; ++n)
        edit(*soil_, n)->setText(QStringLiteral("4.5"));
    edit(*soil_, field)->setText(text);
    const Snapshot before = snapshot(*soil_);
    QSignalSpy missing(soil_.get(), &SoilNitrogenWindow::missingInput);
    click(*soil_, button);
    QCOMPARE(missing.size(), 1);
    QVERIFY(snapshot(*soil_) == before);
    QVERIFY(errors_.messages.isEmpty());
}

void TestNitrogenWindows::acceptLowResultWarnsAndStays()
{
    showActive(*soil_);
    QSignalSpy accepted(soil_.get(), &SoilNitrogenWindow::referenceNAccepted);
    QSignalSpy low(soil_.get(), &SoilNitrogenWindow::lowNitrogenWarning);
    // 39.46 rounds to 39 with no fertiliser: too low; 40 is enough.
    typeInto(edit(*soil_, 11), QStringLiteral("0"));
    edit(*soil_, 10)->setText(QStringLiteral("39.4"));
    click(*soil_, 3);
    QCOMPARE(edit(*soil_, 14)->text(), QStringLiteral("39"));
    click(*soil_, 4);
    QCOMPARE(accepted.at(0).at(0).toString(), QStringLiteral("39"));
    QCOMPARE(low.size(), 1);
    QVERIFY(soil_->isVisible());
    edit(*soil_, 10)->setText(QStringLiteral("39.5"));
    click(*soil_, 3);
    click(*soil_, 4);
    QCOMPARE(accepted.last().at(0).toString(), QStringLiteral("40"));
    QCOMPARE(low.size(), 1);
    QVERIFY(!soil_->isVisible());
    QVERIFY(errors_.messages.isEmpty());
}

void TestNitrogenWindows::acceptNonIntegerReportsAndStays_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("decimals") << "40.5";
    QTest::newRow("words") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("exponent form") << "1.38E4";
    QTest::newRow("above what the chart takes") << "1001";
    QTest::newRow("negative") << "-5";
}

void TestNitrogenWindows::acceptNonIntegerReportsAndStays()
{
    QFETCH(QString, text);
    showActive(*soil_);
    QSignalSpy accepted(soil_.get(), &SoilNitrogenWindow::referenceNAccepted);
    QSignalSpy low(soil_.get(), &SoilNitrogenWindow::lowNitrogenWarning);
    typeInto(edit(*soil_, 11), QStringLiteral("0"));
    click(*soil_, 3); // a result, then one the chart would refuse in its place
    edit(*soil_, 14)->setText(text);
    click(*soil_, 4);
    QCOMPARE(accepted.size(), 0); // the economic chart would refuse it: nothing is handed over
    QCOMPARE(errors_.messages.size(), 1);
    QVERIFY(errors_.messages.at(0).startsWith(QStringLiteral("N disp. de referencia: ")));
    QVERIFY(errors_.messages.at(0).contains(u'\'' + text + u'\''));
    QCOMPARE(low.size(), 0);
    QVERIFY(soil_->isVisible());
}

void TestNitrogenWindows::soilHostileEntries_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("hostile");
    const int buttonOf[] = {0, 1, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3};
    for (int field = 1; field <= 12; ++field) // Edit10 is read-only, but step 3 reads it
        for (int h = 0; h < hostileInputs().size(); ++h)
            QTest::addRow("Edit%d, %s", field, hostileInputs().at(h).name) << field << buttonOf[field] << h;
}

void TestNitrogenWindows::soilHostileEntries()
{
    QFETCH(int, field);
    QFETCH(int, button);
    QFETCH(int, hostile);
    const QString text = hostileInputs().at(hostile).text;
    showActive(*soil_);
    // Every step completes from these entries.
    typeInto(edit(*soil_, 1), QStringLiteral("60"));
    click(*soil_, 1);
    click(*soil_, 2);
    list(*soil_, 1)->setCurrentIndex(Dap);
    list(*soil_, 2)->setCurrentIndex(Urea);
    typeInto(edit(*soil_, 11), QStringLiteral("50"));
    typeInto(edit(*soil_, 12), QStringLiteral("100"));
    QVERIFY(errors_.messages.isEmpty());

    QSignalSpy missing(soil_.get(), &SoilNitrogenWindow::missingInput);
    edit(*soil_, field)->setText(text);
    QVERIFY(errors_.messages.isEmpty()); // no report while the entry changes
    const Snapshot before = snapshot(*soil_);
    click(*soil_, button);
    const Snapshot after = snapshot(*soil_);
    for (const auto& [name, value] : after)
        QVERIFY2(!looksBroken(value), qPrintable(name + u' ' + value));

    const bool readsAsNumber = NumberText::read(text).ok;
    const bool checkedForEmpty = field != 10; // the soil N is read, never checked
    if (text.isEmpty() && checkedForEmpty) {
        QCOMPARE(missing.size(), 1);
        QVERIFY(errors_.messages.isEmpty());
        QVERIFY(after == before);
    } else if (!readsAsNumber) {
        QCOMPARE(errors_.messages.size(), 1);
        QVERIFY(errors_.messages.at(0).contains(u'\'' + text + u'\''));
        // and it names the step that needs the number
        const QString step = soil_->findChild<QPushButton*>(QStringLiteral("Button%1").arg(button))->text();
        QVERIFY2(errors_.messages.at(0).contains(u'"' + step + u'"'), qPrintable(errors_.messages.at(0)));
        QVERIFY(after == before);
    } else {
        QCOMPARE(missing.size(), 0);
        // Only the results of the step pressed may change; a result too large to hold
        // is reported and changes nothing.
        const std::map<int, QStringList> results = {
            {1, {"Edit4", "Edit5", "Edit6"}}, {2, {"Edit10"}}, {3, {"Edit13", "Edit14"}}};
        for (const auto& [name, value] : after)
            if (!results.at(button).contains(name))
                QCOMPARE(value, before.at(name));
        if (!errors_.messages.isEmpty())
            QVERIFY(after == before);
        for (const QString& name : results.at(button))
            QVERIFY2(NumberText::read(after.at(name)).ok, qPrintable(after.at(name)));
    }
    // Aceptar hands over whatever the result shows and never crashes on it.
    click(*soil_, 4);
    QVERIFY(!looksBroken(edit(*soil_, 14)->text()));
}

void TestNitrogenWindows::soilFocusFollowsThePointer_data()
{
    QTest::addColumn<int>("field");
    for (int field : {1, 2, 3, 11, 12})
        QTest::addRow("Edit%d", field) << field;
}

void TestNitrogenWindows::soilFocusFollowsThePointer()
{
    QFETCH(int, field);
    showActive(*soil_);
    QPushButton* elsewhere = soil_->findChild<QPushButton*>(QStringLiteral("Button4"));
    elsewhere->setFocus();
    QTest::mouseMove(elsewhere, QPoint(5, 5));
    QVERIFY(!edit(*soil_, field)->hasFocus());
    QTest::mouseMove(edit(*soil_, field), QPoint(10, 10));
    QVERIFY(edit(*soil_, field)->hasFocus());
}

void TestNitrogenWindows::promptsGiveWayToTyping_data()
{
    QTest::addColumn<bool>("soil");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("entry");  // "tab" from the field before, "click", or "pointer" then click
    QTest::addColumn<QString>("before"); // where Tab starts
    QTest::newRow("price by Tab") << false << 1 << "tab"
                                  << "ComboBox1";
    QTest::newRow("price by click") << false << 1 << "click"
                                    << "";
    QTest::newRow("price by pointer and click") << false << 1 << "pointer"
                                                << "";
    QTest::newRow("nitrate by click") << true << 1 << "click"
                                      << "";
    QTest::newRow("mineral N by Tab") << true << 4 << "tab"
                                      << "Edit1";
    QTest::newRow("mineral N by click") << true << 5 << "click"
                                        << "";
    QTest::newRow("fertiliser kg by pointer and click") << true << 11 << "pointer"
                                                        << "";
    QTest::newRow("fertiliser kg by Tab") << true << 12 << "tab"
                                          << "ComboBox2";
}

void TestNitrogenWindows::promptsGiveWayToTyping()
{
    QFETCH(bool, soil);
    QFETCH(int, field);
    QFETCH(QString, entry);
    QFETCH(QString, before);
    QWidget& window = soil ? static_cast<QWidget&>(*soil_) : static_cast<QWidget&>(*cost_);
    showActive(window);
    QLineEdit* target = edit(window, field);
    QVERIFY(!target->text().isEmpty());
    if (entry == QLatin1String("tab")) {
        auto* previous = window.findChild<QWidget*>(before);
        QVERIFY(previous);
        previous->setFocus();
        QTest::keyClick(previous, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), target);
    } else {
        if (entry == QLatin1String("pointer"))
            QTest::mouseMove(target, target->rect().center());
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() - 4, target->height() / 2));
    }
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("35"));
    QCOMPARE(target->text(), QStringLiteral("35"));
}

void TestNitrogenWindows::helpMarkTurnsYellowAndBack()
{
    showActive(*soil_);
    auto* mark = soil_->findChild<HelpMark*>(QStringLiteral("Label1"));
    QVERIFY(mark);
    QCOMPARE(mark->font().pointSize(), 20);
    QCOMPARE(mark->palette().color(QPalette::WindowText), QColor(Qt::red));
    QTest::mouseMove(mark, QPoint(3, 3));
    QVERIFY(mark->isHighlighted());
    QCOMPARE(mark->font().pointSize(), 24);
    QCOMPARE(mark->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    QWidget* panel = mark->parentWidget();
    QTest::mouseMove(panel, QPoint(3, 3));
    QVERIFY(!mark->isHighlighted());
    QCOMPARE(mark->font().pointSize(), 20);
    QCOMPARE(mark->palette().color(QPalette::WindowText), QColor(Qt::red));

    QSignalSpy help(soil_.get(), &SoilNitrogenWindow::helpRequested);
    QTest::mouseClick(mark, Qt::LeftButton);
    QCOMPARE(help.size(), 1);
}

// ----- Nitrogen cost assistant -----

void TestNitrogenWindows::costLayout()
{
    QCOMPARE(cost_->objectName(), QStringLiteral("TForm21"));
    QCOMPARE(cost_->windowTitle(), QStringLiteral("Costo del Nitrógeno"));
    QComboBox* products = list(*cost_, 1);
    QCOMPARE(products->currentIndex(), -1);
    QCOMPARE(products->placeholderText(), QStringLiteral("Elija el fertilizante"));
    QCOMPARE(products->count(), 7);
    QCOMPARE(products->itemText(0), QStringLiteral("Nitrato de amonio-30%"));
    QCOMPARE(products->itemText(6), QStringLiteral("FMA - 11%"));
    QCOMPARE(edit(*cost_, 1)->text(), QStringLiteral("0.00"));
    QVERIFY(!edit(*cost_, 1)->isReadOnly());
    for (int n : {2, 3}) {
        QCOMPARE(edit(*cost_, n)->text(), QStringLiteral("0.00"));
        QVERIFY(edit(*cost_, n)->isReadOnly());
    }
    QCOMPARE(cost_->findChild<QPushButton*>(QStringLiteral("Button1"))->text(), QStringLiteral("Calcular"));
    QCOMPARE(cost_->findChild<QPushButton*>(QStringLiteral("Button2"))->text(), QStringLiteral("Regresar"));
    const QStringList captions = labelTexts(*cost_);
    for (const char* caption : {"1", "2", "3", "4", "5", "Elija el fertilizante", "Ingrese el costo del",
                                "fertilizante", "U$S / tn", "Resultados:", "El fertilizante elegido contiene", "gr",
                                "de N por kg de fertilizante", "Cada kg de nitrógeno cuesta", "U$S"})
        QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
    for (int step = 1; step <= 5; ++step) {
        auto* number = cost_->findChild<QLabel*>(QStringLiteral("StepNumber%1").arg(step));
        QVERIFY(number);
        QCOMPARE(number->text(), QString::number(step));
        QCOMPARE(number->palette().color(QPalette::WindowText), QColor(Qt::red));
    }
    QCOMPARE(cost_->nCostPerKg(), 0.0);
    QCOMPARE(cost_->nCostPerTonne(), 0.0);
}

void TestNitrogenWindows::costCalculates_data()
{
    QTest::addColumn<int>("product");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<double>("perKg");
    QTest::addColumn<QString>("returned");
    QTest::newRow("urea 350") << Urea << "350"
                              << "460"
                              << "0.761" << 0.761 << "761";
    QTest::newRow("ammonium sulphate") << AmmoniumSulphate << "350"
                                       << "210"
                                       << "1.667" << 1.667 << "1667";
    QTest::newRow("DAP") << Dap << "540"
                         << "180"
                         << "3.000" << 3.0 << "3000";
    QTest::newRow("MAP") << 6 << "330"
                         << "110"
                         << "3.000" << 3.0 << "3000";
    QTest::newRow("ammonium nitrate 600") << 0 << "600"
                                          << "300"
                                          << "2.000" << 2.0 << "2000";
    QTest::newRow("zero") << Urea << "0"
                          << "460"
                          << "0.000" << 0.0 << "0";
    QTest::newRow("ten thousand and up, whole") << 6 << "5000"
                                                << "110"
                                                << "45.450" << 45.45 << "45450";
}

void TestNitrogenWindows::costCalculates()
{
    QFETCH(int, product);
    QFETCH(QString, price);
    QFETCH(QString, content);
    QFETCH(QString, cost);
    QFETCH(double, perKg);
    QFETCH(QString, returned);
    showActive(*cost_);
    calculateCost(product, price);
    QCOMPARE(edit(*cost_, 2)->text(), content);
    QCOMPARE(edit(*cost_, 3)->text(), cost);
    QCOMPARE(cost_->nCostPerKg(), perKg);
    QCOMPARE(cost_->nCostPerTonne(), perKg * 1000.0);
    QVERIFY(messages_.texts.isEmpty());
    QVERIFY(errors_.messages.isEmpty());
    QCOMPARE(giveBack(), returned);
    QVERIFY(!cost_->isVisible());
    QVERIFY(NumberText::read(returned).ok);
}

void TestNitrogenWindows::regresarBeforeCalcularHandsNothing()
{
    showActive(*cost_);
    // Fields filled but never calculated: there is no cost to hand over.
    list(*cost_, 1)->setCurrentIndex(Urea);
    typeInto(edit(*cost_, 1), QStringLiteral("350"));
    QCOMPARE(giveBack(), QStringLiteral("<0 signals>"));
    QVERIFY(!cost_->isVisible());
}

void TestNitrogenWindows::costSurvivesHideAndShow()
{
    showActive(*cost_);
    calculateCost(Urea, QStringLiteral("350"));
    cost_->hide();
    showActive(*cost_);
    QCOMPARE(list(*cost_, 1)->currentIndex(), Urea);
    QCOMPARE(edit(*cost_, 1)->text(), QStringLiteral("350"));
    QCOMPARE(edit(*cost_, 2)->text(), QStringLiteral("460"));
    QCOMPARE(edit(*cost_, 3)->text(), QStringLiteral("0.761"));
    QCOMPARE(giveBack(), QStringLiteral("761"));
}

void TestNitrogenWindows::regresarGivesTheStoredCost()
{
    showActive(*cost_);
    calculateCost(Urea, QStringLiteral("350"));
    // Edited since, not calculated: the last completed cost goes back.
    list(*cost_, 1)->setCurrentIndex(AmmoniumSulphate);
    typeInto(edit(*cost_, 1), QStringLiteral("900"));
    QCOMPARE(giveBack(), QStringLiteral("761"));
    showActive(*cost_);
    click(*cost_, 1);
    QCOMPARE(edit(*cost_, 3)->text(), QStringLiteral("4.286"));
    QCOMPARE(giveBack(), QStringLiteral("4286"));
}

void TestNitrogenWindows::closeBoxHandsNothing()
{
    showActive(*cost_);
    calculateCost(Urea, QStringLiteral("350"));
    QSignalSpy returned(cost_.get(), &NitrogenCostWindow::costReturned);
    QVERIFY(cost_->close());
    QVERIFY(!cost_->isVisible());
    QCOMPARE(returned.size(), 0);
    QCOMPARE(cost_->nCostPerTonne(), 761.0);
}

void TestNitrogenWindows::untouchedPriceAsksForData_data()
{
    QTest::addColumn<int>("product");
    QTest::newRow("product chosen") << Urea;
    QTest::newRow("no product") << -1;
}

void TestNitrogenWindows::untouchedPriceAsksForData()
{
    QFETCH(int, product);
    showActive(*cost_);
    list(*cost_, 1)->setCurrentIndex(product);
    const Snapshot before = snapshot(*cost_);
    click(*cost_, 1);
    QCOMPARE(messages_.texts, QStringList{QStringLiteral("DEBE PROVEER DE DATOS PARA EL CALCULO")});
    QVERIFY(snapshot(*cost_) == before);
    QVERIFY(errors_.messages.isEmpty());
    QCOMPARE(cost_->nCostPerTonne(), 0.0);
    // Only the untouched text counts: "0" is a price.
    list(*cost_, 1)->setCurrentIndex(Urea);
    typeInto(edit(*cost_, 1), QStringLiteral("0"));
    click(*cost_, 1);
    QCOMPARE(messages_.texts.size(), 1);
    QCOMPARE(edit(*cost_, 3)->text(), QStringLiteral("0.000"));
}

void TestNitrogenWindows::noProductChangesNothing()
{
    showActive(*cost_);
    typeInto(edit(*cost_, 1), QStringLiteral("350"));
    click(*cost_, 1);
    QCOMPARE(messages_.texts, QStringList{QStringLiteral("DEBE ELEGIR UN FERTILIZANTE")});
    QCOMPARE(edit(*cost_, 2)->text(), QStringLiteral("0.00"));
    QCOMPARE(edit(*cost_, 3)->text(), QStringLiteral("0.00"));
    QCOMPARE(cost_->nCostPerTonne(), 0.0);
    QVERIFY(errors_.messages.isEmpty());
    QCOMPARE(giveBack(), QStringLiteral("<0 signals>")); // the failed calculation hands nothing
}

void TestNitrogenWindows::badPriceChangesNothing()
{
    showActive(*cost_);
    calculateCost(Urea, QStringLiteral("350"));
    // Another product with a price in the wrong notation: the content must not move to
    // "210" while the cost stays that of urea.
    calculateCost(AmmoniumSulphate, QStringLiteral("350,5"));
    QCOMPARE(errors_.messages.size(), 1);
    QVERIFY(errors_.messages.at(0).contains(QStringLiteral("'350,5'")));
    QCOMPARE(edit(*cost_, 2)->text(), QStringLiteral("460"));
    QCOMPARE(edit(*cost_, 3)->text(), QStringLiteral("0.761"));
    QCOMPARE(cost_->nCostPerKg(), 0.761);
    QVERIFY(messages_.texts.isEmpty());
    QCOMPARE(giveBack(), QStringLiteral("761"));
}

void TestNitrogenWindows::costHostilePrices_data()
{
    QTest::addColumn<int>("hostile");
    for (int h = 0; h < hostileInputs().size(); ++h)
        QTest::newRow(hostileInputs().at(h).name) << h;
}

void TestNitrogenWindows::costHostilePrices()
{
    QFETCH(int, hostile);
    const QString text = hostileInputs().at(hostile).text;
    showActive(*cost_);
    calculateCost(AmmoniumSulphate, QStringLiteral("350"));
    list(*cost_, 1)->setCurrentIndex(Urea);
    edit(*cost_, 1)->setText(text);
    const Snapshot before = snapshot(*cost_);
    const double perTonneBefore = cost_->nCostPerTonne();
    click(*cost_, 1);
    const Snapshot after = snapshot(*cost_);
    for (const auto& [name, value] : after)
        QVERIFY2(!looksBroken(value), qPrintable(name + u' ' + value));
    QVERIFY(messages_.texts.isEmpty());
    if (errors_.messages.isEmpty()) {
        QVERIFY(NumberText::read(text).ok);
        QCOMPARE(after.at(QStringLiteral("Edit2")), QStringLiteral("460"));
        QCOMPARE(NumberText::read(after.at(QStringLiteral("Edit3"))).value, cost_->nCostPerKg());
    } else {
        QCOMPARE(errors_.messages.size(), 1);
        QVERIFY(errors_.messages.at(0).contains(u'\'' + text + u'\''));
        QVERIFY(after == before);
        QCOMPARE(cost_->nCostPerTonne(), perTonneBefore);
    }
    const QString returned = giveBack();
    QVERIFY2(NumberText::read(returned).ok, qPrintable(returned));
}

void TestNitrogenWindows::costFocusRules()
{
    showActive(*cost_);
    QLineEdit* price = edit(*cost_, 1);
    QComboBox* products = list(*cost_, 1);
    price->setFocus();
    cost_->onActivated();
    QVERIFY(products->hasFocus());
    products->setCurrentIndex(Urea);
    QVERIFY(price->hasFocus());

    products->setFocus();
    QTest::mouseMove(products, QPoint(5, 5));
    QVERIFY(products->hasFocus());
    QTest::mouseMove(price, QPoint(8, 8));
    QVERIFY(price->hasFocus());
}

// ----- Help, notice and warning windows -----

void TestNitrogenWindows::warningWindow()
{
    WarningWindow warning;
    showActive(warning);
    QCOMPARE(warning.objectName(), QStringLiteral("TForm22"));
    QCOMPARE(warning.windowTitle(), QStringLiteral("ATENCION"));
    QCOMPARE(warning.size(), QSize(385, 85));
    auto* heading = warning.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* message = warning.findChild<QLabel*>(QStringLiteral("Label2"));
    QCOMPARE(heading->text(), QStringLiteral("Cuidado !!!!!!!!"));
    QCOMPARE(heading->font().pointSize(), 14);
    QVERIFY(heading->alignment() & Qt::AlignHCenter);
    QVERIFY(heading->y() < message->y());
    QCOMPARE(message->text(), QStringLiteral("N disponible no puede ser menor a 40"));
    QCOMPARE(message->font().pointSize(), 12);
    QVERIFY(message->font().bold());
    QCOMPARE(message->font().family(), QStringLiteral("Arial"));
    for (QLabel* label : {heading, message})
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(warning.findChildren<QLabel*>().size() == 2); // no picture
    QVERIFY(isCentred(warning));
}

void TestNitrogenWindows::helpWindowLayout()
{
    HelpWindow help(QStringLiteral("TForm33"), QStringLiteral("Nitrógeno disponible de referencia"),
                    QStringLiteral("Primera línea.\nSegunda línea."));
    showActive(help);
    QCOMPARE(help.objectName(), QStringLiteral("TForm33"));
    QCOMPARE(help.windowTitle(), QStringLiteral("Nitrógeno disponible de referencia"));
    QCOMPARE(help.size(), QSize(380, 262));
    QVERIFY(isCentred(help));

    auto* picture = help.findChild<QLabel*>(QStringLiteral("Image1"));
    QCOMPARE(picture->geometry().topLeft(), QPoint(0, 0));
    QCOMPARE(picture->size(), QSize(73, 73));
    QVERIFY(picture->hasScaledContents());
    QVERIFY(!picture->pixmap().isNull());

    auto* name = help.findChild<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(name->text(), QStringLiteral("Velmaro"));
    QVERIFY2(QFontInfo(name->font()).family().startsWith(QStringLiteral("Z003")),
             qPrintable(QFontInfo(name->font()).family()));
    QCOMPARE(name->font().pixelSize(), 37);
    QVERIFY(name->font().bold());
    QVERIFY(name->font().italic());
    QCOMPARE(name->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    QVERIFY(name->x() >= picture->geometry().right());

    auto* box = help.findChild<QTextEdit*>(QStringLiteral("Memo1"));
    QCOMPARE(box->toPlainText(), QStringLiteral("Primera línea.\nSegunda línea."));
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->font().family(), QStringLiteral("Arial"));
    QCOMPARE(box->font().pointSize(), 8);
    QVERIFY(box->font().bold());
    QCOMPARE(box->palette().color(QPalette::Base), QColor(192, 192, 192));
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // The box fills the window below the picture.
    QVERIFY(box->geometry().top() >= picture->geometry().bottom());
    QCOMPARE(box->geometry().bottom(), help.rect().bottom());
    QCOMPARE(box->width(), help.width());
    QVERIFY(box->height() > 150);
}

void TestNitrogenWindows::helpWindowOptions()
{
    HelpWindow notes(QStringLiteral("TForm28"), QStringLiteral("Ayuda margen en $/ha"), QStringLiteral("Texto"),
                     HelpWindow::Options{true, true});
    showActive(notes);
    auto* box = notes.findChild<QTextEdit*>(QStringLiteral("Memo1"));
    QVERIFY(!box->isReadOnly());
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, QStringLiteral(" y notas"));
    notes.hide();
    notes.show();
    QCOMPARE(notes.text(), QStringLiteral("Texto y notas"));

    HelpWindow plain(QStringLiteral("TForm30"), QStringLiteral("ayuda parte económica"), QStringLiteral("Texto"),
                     HelpWindow::Options{false, false});
    plain.ensurePolished(); // the box is built as the window first shows
    auto* plainBox = plain.findChild<QTextEdit*>(QStringLiteral("Memo1"));
    QVERIFY(plainBox->isReadOnly());
    QCOMPARE(plainBox->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestNitrogenWindows::helpWindowTakesSimpleHtml()
{
    HelpWindow help(QStringLiteral("TForm17"), QStringLiteral("Ayuda eje de nitrógeno"),
                    QStringLiteral("<p><b>Nitrógeno disponible</b> = N mineral suelo + N en fertilizante</p>"));
    QCOMPARE(help.text(), QStringLiteral("Nitrógeno disponible = N mineral suelo + N en fertilizante"));
    // A plain text with an angle bracket stays as written.
    help.setText(QStringLiteral("N < 40 no se admite"));
    QCOMPARE(help.text(), QStringLiteral("N < 40 no se admite"));
}

void TestNitrogenWindows::missingInputNotice()
{
    const std::unique_ptr<HelpWindow> notice = HelpWindow::createMissingInputNotice();
    QCOMPARE(notice->objectName(), QStringLiteral("TForm34"));
    QCOMPARE(notice->windowTitle(), QStringLiteral("Faltan datos"));
    QVERIFY(notice->text().startsWith(QStringLiteral("Falta un dato")));
    QVERIFY(notice->text().contains(QStringLiteral("\"ppm\"")));
    notice->show();
    QVERIFY(notice->findChild<QTextEdit*>(QStringLiteral("Memo1"))->isReadOnly());
    QVERIFY(!notice->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
}

QTEST_MAIN(TestNitrogenWindows)
#include "tst_nitrogenwindows.moc"
