#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/AppliedFunctions.h"
#include "core/ResponseTable.h"
#include "core/ScenarioSlots.h"
#include "support/PdfText.h"
#include "support/RecordingSeams.h"
#include "ui/common/AxisSliderWindow.h"
#include "ui/common/ChartTitleWindow.h"
#include "ui/common/ErrorReporter.h"
#include "ui/printing/ReportPrinter.h"
#include "ui/yieldchart/AppliedFunctionsWindow.h"

namespace {

std::unique_ptr<AxisSliderWindow> axisWindow(const QString& which)
{
    return which == u"yield" ? AxisSliderWindow::yieldAxisWindow() : AxisSliderWindow::economicAxisWindow();
}

std::unique_ptr<ChartTitleWindow> titleWindow(const QString& which)
{
    return which == u"yield" ? ChartTitleWindow::yieldTitleWindow() : ChartTitleWindow::economicTitleWindow();
}

template <typename T> T* child(const QWidget& window, const QString& name)
{
    return window.findChild<T*>(name);
}

void confirm(ScenarioSlots& model, int slot, const QString& code)
{
    model.confirm(slot, "sitio", "unidad", "cultivar", "agua", code.mid(0, 1), code.mid(1, 1), code.mid(2, 1),
                  code.mid(3, 1));
}

bool centredOnScreen(const QWidget& window)
{
    const QPoint screenCentre = window.screen()->availableGeometry().center();
    return (window.frameGeometry().center() - screenCentre).manhattanLength() <= 2;
}

// The text of a PDF file and its number of pages, through poppler's tools.
struct PdfContents {
    QStringList lines; // whitespace runs folded into one blank, empty lines dropped
    int pages = 0;
};

PdfContents readPdf(const QString& path)
{
    PdfContents contents;
    const QString output = pdfText(path, true);
    if (output.isEmpty())
        return contents;
    contents.pages = int(output.count(u'\f'));
    if (!output.endsWith(u'\f'))
        ++contents.pages;
    for (QString line : output.split(QRegularExpression(QStringLiteral("[\n\f]")))) {
        line = line.simplified();
        if (!line.isEmpty())
            contents.lines << line;
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (info.waitForFinished(30000)) {
        const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
        const auto match = pages.match(QString::fromUtf8(info.readAllStandardOutput()));
        if (match.hasMatch())
            contents.pages = match.captured(1).toInt();
    }
    return contents;
}

QStringList nonEmptySimplified(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        if (!line.simplified().isEmpty())
            out << line.simplified();
    return out;
}

const QString Heading = QStringLiteral("   FUNCIONES GRAFICADAS");

// Types a text key by key, accented letters included.
void type(QWidget* widget, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace

class TestChartSideWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Axis windows
    void axisWindowLook_data();
    void axisWindowLook();
    void axisSliders_data();
    void axisSliders();
    void axisSliderLayout_data();
    void axisSliderLayout();
    void axisPositionsKept_data();
    void axisPositionsKept();

    // Title windows
    void titleWindowLook_data();
    void titleWindowLook();
    void titlesRefillAtActivation_data();
    void titlesRefillAtActivation();
    void aceptarEmitsTheTypedTexts_data();
    void aceptarEmitsTheTypedTexts();
    void closeBoxAppliesNothing_data();
    void closeBoxAppliesNothing();

    // Applied functions window
    void appliedFunctionsLook_data();
    void appliedFunctionsLook();
    void rowVisibility_data();
    void rowVisibility();
    void equationTexts_data();
    void equationTexts();
    void copyPutsTheReportOnTheClipboard();
    void reportKeepsTheEquationsOfTheLastActivation();
    void printHandsTheLinesAndFontToThePrinter();
    void printedPdfHoldsEveryLine();
    void longReportTakesMorePages();
    void unwritablePrinterIsReported();
};

// ---------------------------------------------------------------- axis windows

void TestChartSideWindows::axisWindowLook_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("yield") << "yield"
                           << "TForm11"
                           << "Ajuste de ejes";
    QTest::newRow("economic") << "economic"
                              << "TForm25"
                              << "Ajuste de ejes de gráfico económico";
}

void TestChartSideWindows::axisWindowLook()
{
    QFETCH(QString, which);
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    const auto window = axisWindow(which);
    QCOMPARE(window->objectName(), objectName);
    QCOMPARE(window->windowTitle(), caption);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->findChildren<QSlider*>().size(), 4);
    if (which == u"yield") {
        QCOMPARE(window->size(), QSize(397, 173));
        QCOMPARE(window->pos(), QPoint(221, 193));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->pos(), QPoint(221, 193));
    } else {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(centredOnScreen(*window));
    }
    // Every slider fits inside the window with its captions.
    for (const QWidget* w : window->findChildren<QWidget*>())
        QVERIFY2(window->rect().contains(w->geometry()), qPrintable(w->objectName()));
}

void TestChartSideWindows::axisSliders_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("leftEnd");
    QTest::addColumn<QString>("rightEnd");
    QTest::addColumn<QString>("hint");

    const QString yieldHint = QStringLiteral("Ajusta el valor máximo del eje de rendimiento");
    const QString nitrogenHint = QStringLiteral("Ajusta el valor máximo del eje de Nitrógeno disponible");
    QTest::newRow("yield maximum") << "yield"
                                   << "TrackBar1" << int(AxisLimit::LeftMaximum) << "Máximo de eje de rendimiento"
                                   << 4000 << 10000 << 10000 << 1 << 500 << "4000"
                                   << "10000" << yieldHint;
    QTest::newRow("yield minimum") << "yield"
                                   << "TrackBar4" << int(AxisLimit::LeftMinimum) << "Mínimo de eje de rendimiento" << 0
                                   << 2000 << 0 << 1 << 500 << "0"
                                   << "2000"
                                   << "";
    QTest::newRow("nitrogen maximum") << "yield"
                                      << "TrackBar2" << int(AxisLimit::BottomMaximum) << "Máximo de eje de nitrógeno"
                                      << 100 << 200 << 200 << 1 << 20 << "100"
                                      << "200" << nitrogenHint;
    QTest::newRow("nitrogen minimum, two blanks") << "yield"
                                                  << "TrackBar3" << int(AxisLimit::BottomMinimum)
                                                  << "Mínimo de eje de  nitrógeno" << 0 << 100 << 0 << 1 << 20 << "0"
                                                  << "100"
                                                  << "";
    QTest::newRow("money maximum") << "economic"
                                   << "TrackBar1" << int(AxisLimit::LeftMaximum) << "Máximo de eje de $/ha" << 2 << 20
                                   << 4 << 1 << 9 << "2"
                                   << "20" << yieldHint;
    QTest::newRow("money minimum") << "economic"
                                   << "TrackBar4" << int(AxisLimit::LeftMinimum) << "Mínimo de eje de $/ha" << -8 << 2
                                   << -2 << 1 << 4 << "-8"
                                   << "2"
                                   << "";
    QTest::newRow("economic nitrogen maximum") << "economic"
                                               << "TrackBar2" << int(AxisLimit::BottomMaximum)
                                               << "Máximo de eje de kg N/ha" << 100 << 200 << 200 << 10 << 20 << "100"
                                               << "200" << nitrogenHint;
    QTest::newRow("economic nitrogen minimum") << "economic"
                                               << "TrackBar3" << int(AxisLimit::BottomMinimum)
                                               << "Mínimo de eje de kg N/ha" << 0 << 100 << 0 << 10 << 20 << "0"
                                               << "100"
                                               << "";
}

void TestChartSideWindows::axisSliders()
{
    QFETCH(QString, which);
    QFETCH(QString, name);
    QFETCH(int, limit);
    QFETCH(QString, caption);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, start);
    QFETCH(int, step);
    QFETCH(int, ticks);
    QFETCH(QString, leftEnd);
    QFETCH(QString, rightEnd);
    QFETCH(QString, hint);

    const auto window = axisWindow(which);
    auto* slider = child<QSlider>(*window, name);
    QVERIFY(slider);
    QCOMPARE(window->slider(static_cast<AxisLimit>(limit)), slider);
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QCOMPARE(slider->minimum(), minimum);
    QCOMPARE(slider->maximum(), maximum);
    QCOMPARE(slider->value(), start);
    QCOMPARE(slider->singleStep(), step);
    QCOMPARE(slider->tickInterval(), ticks);
    QVERIFY(slider->tickPosition() != QSlider::NoTicks);
    if (which == u"economic")
        QCOMPARE(slider->tickPosition(), QSlider::TicksAbove);
    QCOMPARE(slider->toolTip(), hint);

    // The caption above the slider, the end values under its two ends.
    auto* captionLabel = child<QLabel>(*window, name + "Caption");
    auto* leftLabel = child<QLabel>(*window, name + "LeftEnd");
    auto* rightLabel = child<QLabel>(*window, name + "RightEnd");
    QVERIFY(captionLabel && leftLabel && rightLabel);
    QCOMPARE(captionLabel->text(), caption);
    QCOMPARE(leftLabel->text(), leftEnd);
    QCOMPARE(rightLabel->text(), rightEnd);
    QVERIFY(captionLabel->geometry().bottom() < slider->geometry().top());
    QVERIFY(leftLabel->geometry().top() > slider->geometry().bottom());
    QVERIFY(rightLabel->geometry().top() > slider->geometry().bottom());
    QCOMPARE(leftLabel->geometry().left(), slider->geometry().left());
    QVERIFY(leftLabel->alignment() & Qt::AlignLeft);
    QCOMPARE(rightLabel->geometry().right(), slider->geometry().right());
    QVERIFY(rightLabel->alignment() & Qt::AlignRight);

    // The current position shows between the ends and follows every move; the ends are
    // the slider's own limits.
    QCOMPARE(leftLabel->text(), QString::number(slider->minimum()));
    QCOMPARE(rightLabel->text(), QString::number(slider->maximum()));
    auto* valueLabel = child<QLabel>(*window, name + "Value");
    QVERIFY(valueLabel);
    QVERIFY(valueLabel->geometry().left() > leftLabel->geometry().left());
    QVERIFY(valueLabel->geometry().right() < rightLabel->geometry().right());
    for (int position : {start, minimum, maximum, (minimum + maximum) / 2}) {
        slider->setValue(position);
        QCOMPARE(valueLabel->text(), QString::number(position));
    }
    slider->setValue(start);

    QList<int> others;
    for (const QSlider* other : window->findChildren<QSlider*>())
        if (other != slider)
            others << other->value();

    // Every change of position is announced as the new limit, from the program and by keys.
    QSignalSpy spy(window.get(), &AxisSliderWindow::limitChanged);
    QVERIFY(spy.isValid());
    const int middle = (minimum + maximum) / 2;
    const QList<int> positions{middle, maximum, minimum, minimum + 1}; // each one a change
    for (int position : positions)
        slider->setValue(position);
    QCOMPARE(spy.size(), positions.size());
    for (int i = 0; i < positions.size(); ++i) {
        QCOMPARE(int(spy.at(i).at(0).value<AxisLimit>()), limit);
        QCOMPARE(spy.at(i).at(1).toDouble(), double(positions[i]));
    }
    spy.clear();
    slider->setValue(minimum);
    spy.clear();
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(int(spy.at(0).at(0).value<AxisLimit>()), limit);
    QCOMPARE(spy.at(0).at(1).toDouble(), double(minimum + step));
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(1).at(1).toDouble(), double(maximum));

    // The other sliders stay where they were.
    QList<int> othersAfter;
    for (const QSlider* other : window->findChildren<QSlider*>())
        if (other != slider)
            othersAfter << other->value();
    QCOMPARE(othersAfter, others);
}

void TestChartSideWindows::axisSliderLayout_data()
{
    QTest::addColumn<QString>("which");
    QTest::newRow("yield") << "yield";
    QTest::newRow("economic") << "economic";
}

void TestChartSideWindows::axisSliderLayout()
{
    QFETCH(QString, which);
    const auto window = axisWindow(which);
    const QRect leftMax = window->slider(AxisLimit::LeftMaximum)->geometry();
    const QRect leftMin = window->slider(AxisLimit::LeftMinimum)->geometry();
    const QRect bottomMax = window->slider(AxisLimit::BottomMaximum)->geometry();
    const QRect bottomMin = window->slider(AxisLimit::BottomMinimum)->geometry();
    // Left axis above, bottom axis below; maxima on the left.
    QCOMPARE(leftMax.top(), leftMin.top());
    QCOMPARE(bottomMax.top(), bottomMin.top());
    QVERIFY(bottomMax.top() > leftMax.bottom());
    QCOMPARE(leftMax.left(), bottomMax.left());
    QCOMPARE(leftMin.left(), bottomMin.left());
    QVERIFY(leftMin.left() > leftMax.right());
    for (const QRect& r : {leftMax, leftMin, bottomMax, bottomMin})
        for (const QRect& s : {leftMax, leftMin, bottomMax, bottomMin})
            QVERIFY(r == s || !r.intersects(s));
}

void TestChartSideWindows::axisPositionsKept_data()
{
    axisSliderLayout_data();
}

void TestChartSideWindows::axisPositionsKept()
{
    QFETCH(QString, which);
    const auto window = axisWindow(which);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QSignalSpy spy(window.get(), &AxisSliderWindow::limitChanged);
    const std::array<AxisLimit, 4> limits{AxisLimit::LeftMaximum, AxisLimit::LeftMinimum, AxisLimit::BottomMaximum,
                                          AxisLimit::BottomMinimum};
    std::array<int, 4> chosen{};
    for (int i = 0; i < 4; ++i) {
        QSlider* s = window->slider(limits[i]);
        chosen[i] = s->minimum() + (s->maximum() - s->minimum()) / 3;
        s->setValue(chosen[i]);
    }
    QCOMPARE(spy.size(), 4);
    window->close();
    QVERIFY(!window->isVisible());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->onActivated();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(window->slider(limits[i])->value(), chosen[i]);
    QCOMPARE(spy.size(), 4); // neither hiding nor showing moves a limit
}

// ---------------------------------------------------------------- title windows

void TestChartSideWindows::titleWindowLook_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("yield") << "yield"
                           << "TForm13"
                           << "Cambio de títulos de ejes y gráfico";
    QTest::newRow("economic") << "economic"
                              << "TForm24"
                              << "Cambio de títulos de gráfico económico";
}

void TestChartSideWindows::titleWindowLook()
{
    QFETCH(QString, which);
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    const auto window = titleWindow(which);
    QCOMPARE(window->objectName(), objectName);
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->size(), QSize(350, 249));

    const QStringList captions{"Título del gráfico", "Título eje X", "Título eje Y"};
    const QStringList edits{"Edit1", "Edit2", "Edit3"};
    int previousBottom = -1;
    for (int i = 0; i < 3; ++i) {
        auto* edit = child<QLineEdit>(*window, edits[i]);
        QVERIFY(edit);
        QVERIFY(edit->text().isEmpty());
        // Its caption is the label right above it.
        const QLabel* above = nullptr;
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (label->geometry().bottom() < edit->geometry().top() && label->geometry().bottom() > previousBottom)
                above = label;
        QVERIFY(above);
        QCOMPARE(above->text(), captions[i]);
        previousBottom = edit->geometry().bottom();
    }
    auto* button = child<QPushButton>(*window, "BitBtn1");
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Aceptar"));
    QVERIFY(button->geometry().top() > previousBottom);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(centredOnScreen(*window));
    // Moved by the adviser, it stays there the next time.
    window->move(10, 20);
    window->hide();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->pos(), QPoint(10, 20));
}

void TestChartSideWindows::titlesRefillAtActivation_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("bottomAxis");
    QTest::addColumn<QString>("leftAxis");
    QTest::newRow("yield, leading blanks") << "yield"
                                           << "         Rendimiento de trigo en función del N disponible "
                                           << "Nitrógeno disponible (Kg/ha)"
                                           << "Rendimiento (Kg/ha) 14% H R";
    QTest::newRow("economic") << "economic"
                              << "Determinación del óptimo económico para la fertilización"
                              << "Nitrógeno disponible (Kg N /ha)"
                              << "Ingreso o Costo marginal (U$S / ha)";
}

void TestChartSideWindows::titlesRefillAtActivation()
{
    QFETCH(QString, which);
    QFETCH(QString, title);
    QFETCH(QString, bottomAxis);
    QFETCH(QString, leftAxis);
    const auto window = titleWindow(which);
    ChartTitles chart{title, bottomAxis, leftAxis};
    int reads = 0;
    window->setTitleSource([&] {
        ++reads;
        return chart;
    });
    auto* edit1 = child<QLineEdit>(*window, "Edit1");
    auto* edit2 = child<QLineEdit>(*window, "Edit2");
    auto* edit3 = child<QLineEdit>(*window, "Edit3");
    QCOMPARE(reads, 0); // not read before it is activated

    window->onActivated();
    QCOMPARE(reads, 1);
    QCOMPARE(edit1->text(), title);
    QCOMPARE(edit2->text(), bottomAxis);
    QCOMPARE(edit3->text(), leftAxis);

    // Typing not applied is lost at the next activation.
    QTest::keyClicks(edit1, " nuevo");
    edit3->clear();
    QTest::keyClicks(edit3, "kg/ha");
    QCOMPARE(edit1->text(), title + " nuevo");
    window->onActivated();
    QCOMPARE(edit1->text(), title);
    QCOMPARE(edit3->text(), leftAxis);

    // The chart changed in between: the fields follow it.
    chart = ChartTitles{QString(), "N", "Y"};
    window->onActivated();
    QCOMPARE(edit1->text(), QString());
    QCOMPARE(edit2->text(), QStringLiteral("N"));
    QCOMPARE(edit3->text(), QStringLiteral("Y"));
}

void TestChartSideWindows::aceptarEmitsTheTypedTexts_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("bottomAxis");
    QTest::addColumn<QString>("leftAxis");
    QTest::newRow("yield, blanks kept") << "yield"
                                        << "  Trigo 2024  "
                                        << "N disponible"
                                        << " kg/ha ";
    QTest::newRow("yield, empty title") << "yield"
                                        << ""
                                        << "Nitrógeno disponible (Kg/ha)"
                                        << "Rendimiento";
    QTest::newRow("economic, all empty") << "economic"
                                         << ""
                                         << ""
                                         << "";
    QTest::newRow("economic") << "economic"
                              << "Óptimo económico"
                              << "kg N/ha"
                              << "U$S / ha";
}

void TestChartSideWindows::aceptarEmitsTheTypedTexts()
{
    QFETCH(QString, which);
    QFETCH(QString, title);
    QFETCH(QString, bottomAxis);
    QFETCH(QString, leftAxis);
    const auto window = titleWindow(which);
    // Stands for the chart: the titles applied are what the next activation reads.
    ChartTitles chart{"Título viejo", "Eje X viejo", "Eje Y viejo"};
    window->setTitleSource([&] { return chart; });
    connect(window.get(), &ChartTitleWindow::accepted, window.get(), [&](const ChartTitles& t) { chart = t; });
    QSignalSpy spy(window.get(), &ChartTitleWindow::accepted);

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->onActivated();
    const QStringList edits{"Edit1", "Edit2", "Edit3"};
    const QStringList typed{title, bottomAxis, leftAxis};
    for (int i = 0; i < 3; ++i) {
        auto* edit = child<QLineEdit>(*window, edits[i]);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        type(edit, typed[i]);
        QCOMPARE(edit->text(), typed[i]);
    }
    QTest::mouseClick(child<QPushButton>(*window, "BitBtn1"), Qt::LeftButton);

    QCOMPARE(spy.size(), 1);
    const auto applied = spy.at(0).at(0).value<ChartTitles>();
    QCOMPARE(applied.title, title);
    QCOMPARE(applied.bottomAxis, bottomAxis);
    QCOMPARE(applied.leftAxis, leftAxis);
    QVERIFY(!window->isVisible());

    // Opened again, it shows what was applied, an empty title included.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->onActivated();
    QCOMPARE(child<QLineEdit>(*window, "Edit1")->text(), title);
    QCOMPARE(child<QLineEdit>(*window, "Edit2")->text(), bottomAxis);
    QCOMPARE(child<QLineEdit>(*window, "Edit3")->text(), leftAxis);
    QCOMPARE(spy.size(), 1);
}

void TestChartSideWindows::closeBoxAppliesNothing_data()
{
    axisSliderLayout_data();
}

void TestChartSideWindows::closeBoxAppliesNothing()
{
    QFETCH(QString, which);
    const auto window = titleWindow(which);
    window->setTitleSource([] { return ChartTitles{"T", "X", "Y"}; });
    QSignalSpy spy(window.get(), &ChartTitleWindow::accepted);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->onActivated();
    QTest::keyClicks(child<QLineEdit>(*window, "Edit1"), " cambiado");
    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
    QCOMPARE(spy.size(), 0);
}

// ---------------------------------------------------------------- applied functions

void TestChartSideWindows::appliedFunctionsLook_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("arial");
    QTest::addColumn<bool>("underline");
    const QColor purple(128, 0, 128);
    const QColor red(255, 0, 0);
    const QColor teal(0, 128, 128);
    const QColor blue(0, 0, 255);
    QTest::newRow("title") << "Label25"
                           << "Funciones aplicadas" << purple << false << true;
    QTest::newRow("80 %") << "Label4"
                          << "80 %" << purple << false << false;
    QTest::newRow("Medio") << "Label6"
                           << "Medio" << purple << false << false;
    QTest::newRow("20 %") << "Label8"
                          << "20 %" << purple << false << false;
    QTest::newRow("Escenario 1") << "Label1"
                                 << "Escenario 1" << red << false << false;
    QTest::newRow("Escenario 2") << "Label2"
                                 << "Escenario 2" << teal << false << false;
    QTest::newRow("Escenario 3") << "Label3"
                                 << "Escenario 3" << blue << false << false;
    const char* equations[3][3] = {
        {"Label5", "Label10", "Label13"}, {"Label7", "Label11", "Label14"}, {"Label9", "Label12", "Label15"}};
    const QColor rowColours[3] = {red, teal, blue};
    for (int row = 0; row < 3; ++row)
        for (const char* name : equations[row])
            QTest::newRow(name) << name << "y=a+bx+cx2" << rowColours[row] << true << false;
}

void TestChartSideWindows::appliedFunctionsLook()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QFETCH(bool, arial);
    QFETCH(bool, underline);
    ScenarioSlots model;
    RecordingReportPrinter printer;
    AppliedFunctionsWindow window(model, printer);
    QCOMPARE(window.objectName(), QStringLiteral("TForm14"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Funciones aplicadas"));
    QCOMPARE(window.size(), QSize(627, 186));

    auto* panel = child<QFrame>(window, "Panel1");
    QVERIFY(panel);
    QCOMPARE(panel->frameShadow(), QFrame::Raised);
    auto* label = child<QLabel>(window, name);
    QVERIFY(label);
    QVERIFY(panel->isAncestorOf(label));
    QCOMPARE(label->text(), text);
    QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    QVERIFY(label->font().bold());
    QCOMPARE(label->font().underline(), underline);
    if (arial)
        QCOMPARE(label->font().family(), QStringLiteral("Arial"));

    auto* print = child<QPushButton>(window, "BitBtn1");
    auto* copy = child<QPushButton>(window, "BitBtn2");
    QVERIFY(print && copy);
    QCOMPARE(print->text(), QStringLiteral("Imprimir"));
    QCOMPARE(copy->text(), QStringLiteral("Copiar"));
    QVERIFY(!print->icon().isNull());
    QVERIFY(!copy->icon().isNull());
    QVERIFY(print->geometry().center().x() < window.width() / 4);
    QVERIFY(copy->geometry().center().x() > window.width() * 3 / 4);
    QVERIFY(print->geometry().top() < window.height() / 4);
    QVERIFY(copy->geometry().top() < window.height() / 4);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(centredOnScreen(window));
}

void TestChartSideWindows::rowVisibility_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QList<int>>("unticked");
    QTest::addColumn<QList<bool>>("rows");
    QTest::newRow("nothing chosen") << QStringList{"", "", ""} << QList<int>{} << QList<bool>{false, false, false};
    QTest::newRow("slots 1 and 3 filled")
        << QStringList{"AGAA", "", "AFAA"} << QList<int>{} << QList<bool>{true, false, true};
    QTest::newRow("slot 2 filled then unticked keeps its row")
        << QStringList{"", "EQDC", ""} << QList<int>{2} << QList<bool>{false, true, false};
    QTest::newRow("all three") << QStringList{"AGAA", "DDDB", "EQBA"} << QList<int>{1} << QList<bool>{true, true, true};
}

void TestChartSideWindows::rowVisibility()
{
    QFETCH(QStringList, codes);
    QFETCH(QList<int>, unticked);
    QFETCH(QList<bool>, rows);
    ScenarioSlots model;
    RecordingReportPrinter printer;
    AppliedFunctionsWindow window(model, printer);
    for (int s = 1; s <= 3; ++s)
        if (!codes[s - 1].isEmpty())
            confirm(model, s, codes[s - 1]);
    model.composeAndLookUp(ResponseTable::builtIn());
    for (int s : unticked)
        model.setActive(s, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.onActivated();

    const char* equations[3][3] = {
        {"Label5", "Label10", "Label13"}, {"Label7", "Label11", "Label14"}, {"Label9", "Label12", "Label15"}};
    const char* captions[3] = {"Label1", "Label2", "Label3"};
    for (int row = 0; row < 3; ++row) {
        QVERIFY(child<QLabel>(window, captions[row])->isVisible()); // the caption always shows
        for (const char* name : equations[row])
            QVERIFY2(child<QLabel>(window, name)->isVisible() == rows[row], name);
    }
}

void TestChartSideWindows::equationTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    // Slot 1 AGAA, slot 2 never filled, slot 3 AFAA.
    QTest::newRow("Label5 slot 1 80 %") << "Label5"
                                        << "y=2243.1+27.210 X -0.0920x2";
    QTest::newRow("Label10 slot 1 Medio") << "Label10"
                                          << "y=1965.1+24.000 X -0.0820x2";
    QTest::newRow("Label13 slot 1 20 %") << "Label13"
                                         << "y=1885.9+15.770 X -0.0529x2";
    QTest::newRow("Label7 slot 2 80 %, hidden") << "Label7"
                                                << "y=55+56X 57x2";
    QTest::newRow("Label11 slot 2 Medio, hidden") << "Label11"
                                                  << "y=52+53X 54x2";
    QTest::newRow("Label14 slot 2 20 %, hidden") << "Label14"
                                                 << "y=49+50X 51x2";
    QTest::newRow("Label9 slot 3 80 %") << "Label9"
                                        << "y=3679  +12.250 X -0.0440x2";
    QTest::newRow("Label12 slot 3 Medio") << "Label12"
                                          << "y=3165.1+12.660 X -0.0530x2";
    QTest::newRow("Label15 slot 3 20 %") << "Label15"
                                         << "y=2579.1+15.310 X -0.0722x2";
}

void TestChartSideWindows::equationTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    ScenarioSlots model;
    RecordingReportPrinter printer;
    AppliedFunctionsWindow window(model, printer);
    confirm(model, 1, "AGAA");
    confirm(model, 3, "AFAA");
    model.composeAndLookUp(ResponseTable::builtIn());
    auto* label = child<QLabel>(window, name);
    QCOMPARE(label->text(), QStringLiteral("y=a+bx+cx2")); // until it is activated
    window.onActivated();
    QCOMPARE(label->text(), expected);
}

void TestChartSideWindows::copyPutsTheReportOnTheClipboard()
{
    ScenarioSlots model;
    RecordingReportPrinter printer;
    AppliedFunctionsWindow window(model, printer);
    confirm(model, 1, "AGAA");
    confirm(model, 3, "AFAA");
    model.composeAndLookUp(ResponseTable::builtIn());
    window.onActivated();
    QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
    QTest::mouseClick(child<QPushButton>(window, "BitBtn2"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("   FUNCIONES GRAFICADAS\r\n"
                            "\r\n"
                            "Escenario1 - Medio  y=1965.1+24.000 X -0.0820x2\r\n"
                            "Escenario1 - 80%    y=2243.1+27.210 X -0.0920x2\r\n"
                            "Escenario1 - 20%    y=1885.9+15.770 X -0.0529x2\r\n"
                            "\r\n"
                            "Escenario3 - Medio  y=3165.1+12.660 X -0.0530x2\r\n"
                            "Escenario3 - 80%    y=3679  +12.250 X -0.0440x2\r\n"
                            "Escenario3 - 20%    y=2579.1+15.310 X -0.0722x2\r\n"
                            "\r\n"));
    QCOMPARE(printer.calls, 0);

    // No slot ticked: the heading and one empty line.
    model.setActive(1, false);
    model.setActive(3, false);
    QTest::mouseClick(child<QPushButton>(window, "BitBtn2"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("   FUNCIONES GRAFICADAS\r\n\r\n"));
}

void TestChartSideWindows::reportKeepsTheEquationsOfTheLastActivation()
{
    ScenarioSlots model;
    RecordingReportPrinter printer;
    AppliedFunctionsWindow window(model, printer);
    confirm(model, 2, "AGAA");
    model.composeAndLookUp(ResponseTable::builtIn());
    window.onActivated();

    // A new scenario is drawn while the window stays active: the report still holds
    // the equations shown, but follows the "Activar" boxes as they are now.
    confirm(model, 2, "AFAA");
    confirm(model, 1, "EQDC");
    model.composeAndLookUp(ResponseTable::builtIn());
    QTest::mouseClick(child<QPushButton>(window, "BitBtn2"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("   FUNCIONES GRAFICADAS\r\n"
                            "\r\n"
                            "Escenario1 - Medio  y=41+42X 43x2\r\n"
                            "Escenario1 - 80%    y=44+45X 46x2\r\n"
                            "Escenario1 - 20%    y=38+39X 40x2\r\n"
                            "\r\n"
                            "Escenario2 - Medio  y=1965.1+24.000 X -0.0820x2\r\n"
                            "Escenario2 - 80%    y=2243.1+27.210 X -0.0920x2\r\n"
                            "Escenario2 - 20%    y=1885.9+15.770 X -0.0529x2\r\n"
                            "\r\n"));

    window.onActivated();
    const QStringList lines = window.reportLines();
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines[2], QStringLiteral("Escenario1 - Medio  y= 861.6+17.870 X -0.0660x2"));
    QCOMPARE(lines[7], QStringLiteral("Escenario2 - 80%    y=3679  +12.250 X -0.0440x2"));
}

void TestChartSideWindows::printHandsTheLinesAndFontToThePrinter()
{
    ScenarioSlots model;
    RecordingReportPrinter printer;
    AppliedFunctionsWindow window(model, printer);
    confirm(model, 1, "AGAA");
    confirm(model, 2, "EQDC");
    confirm(model, 3, "AFAA");
    model.composeAndLookUp(ResponseTable::builtIn());
    model.setActive(2, false);
    window.onActivated();
    const QString before = QGuiApplication::clipboard()->text();

    QTest::mouseClick(child<QPushButton>(window, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(printer.calls, 1);
    QCOMPARE(printer.lines,
             (QStringList{Heading, "", "Escenario1 - Medio  y=1965.1+24.000 X -0.0820x2",
                          "Escenario1 - 80%    y=2243.1+27.210 X -0.0920x2",
                          "Escenario1 - 20%    y=1885.9+15.770 X -0.0529x2", "",
                          "Escenario3 - Medio  y=3165.1+12.660 X -0.0530x2",
                          "Escenario3 - 80%    y=3679  +12.250 X -0.0440x2",
                          "Escenario3 - 20%    y=2579.1+15.310 X -0.0722x2", ""}));
    QCOMPARE(printer.font.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(printer.font.pointSize(), 12);
    QCOMPARE(QGuiApplication::clipboard()->text(), before); // printing leaves the clipboard alone

    // A cancelled print dialog: nothing printed, and the next press builds the report anew.
    printer.printed = false;
    QVERIFY(!window.printReport());
    QCOMPARE(printer.calls, 2);
    model.setActive(1, false);
    model.setActive(3, false);
    printer.printed = true;
    QVERIFY(window.printReport());
    QCOMPARE(printer.lines, (QStringList{Heading, ""}));
}

void TestChartSideWindows::printedPdfHoldsEveryLine()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("funciones.pdf"));
    ScenarioSlots model;
    RecordingErrorReporter errors;
    PdfReportPrinter printer(path, &errors);
    AppliedFunctionsWindow window(model, printer);
    confirm(model, 1, "AGAA");
    confirm(model, 2, "EQDC");
    confirm(model, 3, "AFAA");
    model.composeAndLookUp(ResponseTable::builtIn());
    window.onActivated();

    QVERIFY(window.printReport());
    QVERIFY(errors.messages.isEmpty());
    QVERIFY(QFile::exists(path));
    const PdfContents pdf = readPdf(path);
    QCOMPARE(pdf.pages, 1);
    QCOMPARE(pdf.lines, nonEmptySimplified(window.reportLines()));
    QCOMPARE(pdf.lines.size(), 10);
}

void TestChartSideWindows::longReportTakesMorePages()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("largo.pdf"));
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("Línea %1 y=1965.1+24.000 X -0.0820x2").arg(i, 3, 10, QLatin1Char('0'));
    PdfReportPrinter printer(path);
    QWidget parent;
    QVERIFY(printer.print(&parent, lines, AppliedFunctionsWindow::reportFont()));
    const PdfContents pdf = readPdf(path);
    QVERIFY2(pdf.pages > 1, qPrintable(QString::number(pdf.pages)));
    // 12-point lines on an A4 page: some tens per page, so 150 lines fit on a handful.
    QVERIFY2(pdf.pages <= 6, qPrintable(QString::number(pdf.pages)));
    QCOMPARE(pdf.lines, lines); // every line once, in order, none cut at a page end
}

void TestChartSideWindows::unwritablePrinterIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/existe/funciones.pdf"));
    RecordingErrorReporter errors;
    PdfReportPrinter printer(path, &errors);
    QVERIFY(!printer.print(nullptr, {Heading, ""}, AppliedFunctionsWindow::reportFont()));
    QCOMPARE(errors.messages.size(), 1);
    QVERIFY2(errors.messages.first().contains(path), qPrintable(errors.messages.first()));
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestChartSideWindows)
#include "tst_chartsidewindows.moc"
