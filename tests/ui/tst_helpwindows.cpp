#include <map>
#include <memory>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <qcustomplot.h>

#include "WindowSetFixture.h"
#include "ui/economics/NitrogenCostWindow.h"
#include "ui/info/CreditsWindow.h"
#include "ui/info/HelpWindow.h"
#include "ui/info/HelpWindows.h"
#include "ui/soiln/SoilNitrogenWindow.h"

namespace {

// The accepted range of available nitrogen, as the soil calculator's help states it.
const QString RangeStatement = QStringLiteral("(VELMARO admite disponibilidades entre 40 y 190 Kg de N). ");

// Every help window: name, caption, whether the adviser may write in it, scroll bar.
struct ExpectedHelpWindow {
    const char* objectName;
    const char16_t* caption;
    bool editable;
    bool scrollBar;
};

const ExpectedHelpWindow ExpectedHelpWindows[] = {
    {"TForm15", u"Uso del gráfico", true, true},
    {"TForm16", u"Ayuda eje de rendimiento", false, true},
    {"TForm17", u"Ayuda eje de nitrógeno", false, true},
    {"TForm18", u"Ayuda incremento de rendimiento por kg N", false, true},
    {"TForm19", u"Ayuda para elegir curvas", false, true},
    {"TForm26", u"Ayuda eje Y de gráfico económico", false, true},
    {"TForm27", u"Ayuda eje x gráfico económico", false, true},
    {"TForm28", u"Ayuda margen en $/ha", true, true},
    {"TForm29", u"Ayuda parte económica", false, true},
    {"TForm30", u"ayuda parte económica", false, false},
    {"TForm31", u"Ayuda pte económica", false, true},
    {"TForm33", u"Nitrógeno disponible de referencia", false, true},
};

QTextEdit* textBox(const QWidget* window) // built as its window is first prepared for showing
{
    if (window)
        window->ensurePolished();
    return window ? window->findChild<QTextEdit*>(QStringLiteral("Memo1")) : nullptr;
}

// The paragraphs of a text box, each as the window lays it out, forced line breaks kept
// as U+2028.
QStringList paragraphs(const QTextEdit* box)
{
    QStringList blocks;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
        blocks << b.text();
    return blocks;
}

QString joinedLines(QString text)
{
    return text.replace(QChar::LineSeparator, QLatin1Char(' '));
}

// All the texts a window shows in its controls, in the order they were made, so that a
// caption written over two labels reads as one.
QString shownTexts(const QWidget* window)
{
    QStringList texts{window->windowTitle()};
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->toolTip().isEmpty())
            texts << w->toolTip();
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << QString(button->text()).remove(QLatin1Char('&'));
        else if (const auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        } else if (const auto* plot = qobject_cast<const QCustomPlot*>(w)) {
            for (int i = 0; i < plot->graphCount(); ++i)
                texts << plot->graph(i)->name();
            for (int i = 0; i < plot->plotLayout()->elementCount(); ++i)
                if (auto* title = qobject_cast<QCPTextElement*>(plot->plotLayout()->elementAt(i)))
                    texts << title->text();
        }
    }
    return texts.join(QLatin1Char(' ')).simplified();
}

} // namespace

class TestHelpWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void tableHoldsEveryHelpWindowInOrder();
    void unknownNamesMakeNoWindow_data();
    void unknownNamesMakeNoWindow();
    void windowLook_data();
    void windowLook();
    void textIsSpanishHelp_data();
    void textIsSpanishHelp();
    void keyStatements_data();
    void keyStatements();
    void rangeStatementOverTwoLines_data();
    void rangeStatementOverTwoLines();
    void economicNitrogenAxisReadsAsYieldChart();
    void referenceTextInOnePieceThenRemark();
    void workedExampleInOrder();
    void namesQuotedAreThoseOnScreen_data();
    void namesQuotedAreThoseOnScreen();
    void typedTextStays_data();
    void typedTextStays();
    void textWithoutScrollBarIsReadWhole();

    void creditsLayout();
    void creditsTextInOrder();

private:
    QWidget* window(const QString& name) const { return windows_.at(name).get(); }
    QString text(const QString& name) const { return textBox(window(name))->toPlainText(); }

    std::map<QString, std::unique_ptr<QWidget>> windows_;
};

void TestHelpWindows::initTestCase()
{
    for (const ExpectedHelpWindow& expected : ExpectedHelpWindows) {
        const QString name = QLatin1String(expected.objectName);
        std::unique_ptr<HelpWindow> w = HelpWindows::create(name);
        QVERIFY2(w, expected.objectName);
        windows_[name] = std::move(w);
    }
    windows_[QStringLiteral("TForm35")] = std::make_unique<CreditsWindow>();
}

void TestHelpWindows::tableHoldsEveryHelpWindowInOrder()
{
    QStringList expected;
    for (const ExpectedHelpWindow& w : ExpectedHelpWindows)
        expected << QLatin1String(w.objectName);
    QCOMPARE(HelpWindows::objectNames(), expected);
}

void TestHelpWindows::unknownNamesMakeNoWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("soil calculator") << QStringLiteral("TForm32");
    QTest::newRow("credits") << QStringLiteral("TForm35");
    QTest::newRow("lower case") << QStringLiteral("tform15");
    QTest::newRow("no such window") << QStringLiteral("TForm99");
}

void TestHelpWindows::unknownNamesMakeNoWindow()
{
    QFETCH(QString, name);
    QVERIFY(!HelpWindows::create(name));
    QVERIFY(HelpWindows::text(name).isEmpty());
}

void TestHelpWindows::windowLook_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("scrollBar");
    for (const ExpectedHelpWindow& w : ExpectedHelpWindows)
        QTest::newRow(w.objectName) << QString::fromLatin1(w.objectName) << QString::fromUtf16(w.caption) << w.editable
                                    << w.scrollBar;
}

void TestHelpWindows::windowLook()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, editable);
    QFETCH(bool, scrollBar);
    QWidget* w = window(name);
    QCOMPARE(w->objectName(), name);
    QCOMPARE(w->windowTitle(), caption);
    QVERIFY(w->isWindow());
    QVERIFY(!w->isVisible());

    QTextEdit* box = textBox(w);
    QVERIFY(box);
    QCOMPARE(!box->isReadOnly(), editable);
    QCOMPARE(box->verticalScrollBarPolicy(), scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    auto* picture = w->findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(picture);
    QCOMPARE(picture->size(), QSize(73, 73));

    QVERIFY2(qAbs(w->width() - 380) <= 10 && qAbs(w->height() - 262) <= 10,
             qPrintable(QStringLiteral("%1 x %2").arg(w->width()).arg(w->height())));

    // The picture is decoded as the window first shows.
    w->show();
    QVERIFY(!picture->pixmap().isNull());
    w->hide();
}

void TestHelpWindows::textIsSpanishHelp_data()
{
    QTest::addColumn<QString>("name");
    for (const ExpectedHelpWindow& w : ExpectedHelpWindows)
        QTest::newRow(w.objectName) << QString::fromLatin1(w.objectName);
    QTest::newRow("TForm35") << QStringLiteral("TForm35");
}

void TestHelpWindows::textIsSpanishHelp()
{
    QFETCH(QString, name);
    const QString t = text(name);
    QVERIFY2(t.size() >= 300, qPrintable(name + QStringLiteral(": %1 characters").arg(t.size())));
    // Spanish, decoded as UTF-8: accented letters, and no remains of a wrong decoding.
    static const QRegularExpression accented(QStringLiteral("[áéíóúñÁÉÍÓÚÑ]"));
    QVERIFY(t.contains(accented));
    QVERIFY(t.contains(QLatin1String(" de ")));
    QVERIFY(!t.contains(QChar(0xFFFD)));
    QVERIFY(!t.contains(QStringLiteral("Ã")));
    // The markup is read as markup, never shown.
    QVERIFY(!t.contains(QLatin1String("<p>")));
    QVERIFY(!t.contains(QLatin1String("<br")));
    QVERIFY(!t.contains(QLatin1String("&nbsp;")));
    // No contact addresses of any kind.
    QVERIFY(!t.contains(QLatin1Char('@')));
    QVERIFY(!t.contains(QLatin1String("http"), Qt::CaseInsensitive));
    QVERIFY(!t.contains(QLatin1String("www"), Qt::CaseInsensitive));
}

void TestHelpWindows::keyStatements_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("statement");
    auto row = [](const char* name, const QString& statement) {
        QTest::addRow("%s %s", name, qPrintable(statement.left(40))) << QString::fromLatin1(name) << statement;
    };

    // The accepted range, word for word and on one line where the soil calculator shows it.
    row("TForm33", RangeStatement);

    // The three risk curves of a scenario, on the yield axis and on the economic axis.
    for (const char* name : {"TForm16", "TForm26"}) {
        row(name, QStringLiteral("- promedio de los 30 años evaluados (Medio)."));
        row(name, QStringLiteral("superado en un año de cada cinco (80%)."));
        row(name, QStringLiteral("menor en un año de cada cinco (20%)."));
    }
    row("TForm16", QStringLiteral("kg/ha con 14 % de humedad"));
    row("TForm19", QStringLiteral("promedio de los 30 años evaluados (Medio)"));
    row("TForm19", QStringLiteral("superado en un año de cada cinco (80%)"));
    row("TForm19", QStringLiteral("menor en un año de cada cinco (20%)"));
    row("TForm19", QStringLiteral("Tres años de cada cinco caen entre las curvas de 20 % y de 80 %"));
    row("TForm19", QStringLiteral("menos de lo esperado solo en un año de cada cinco"));
    row("TForm19", QStringLiteral("puede obtener menos en cuatro años de cada cinco"));
    row("TForm19", QStringLiteral("en el gráfico económico son ingresos marginales"));

    // Marginal revenue, marginal cost, the optimum and the margin.
    const QString revenue = QStringLiteral("incremento de rendimiento por kg de N agregado multiplicado por el precio "
                                           "neto del grano por kg (el precio por tonelada dividido por 1000)");
    const QString cost =
        QStringLiteral("costo de un kg de N disponible (el precio de la tonelada de N dividido por 1000)");
    const QString optimum =
        QStringLiteral("El óptimo económico está donde el ingreso marginal es igual al costo marginal");
    const QString margin = QStringLiteral("suma de los ingresos marginales menos los costos marginales desde el N "
                                          "disponible de referencia hasta el N disponible señalado por el puntero");
    for (const char* name : {"TForm15", "TForm26"}) {
        row(name, revenue);
        row(name, cost);
        row(name, optimum);
    }
    row("TForm15", margin);
    row("TForm28", margin);
    row("TForm28", QStringLiteral("en el óptimo económico, donde el ingreso marginal es igual al costo marginal"));
    row("TForm26", QStringLiteral("En este análisis es constante"));
    row("TForm29", QStringLiteral("acarreo, flete, comisión, sellado y acondicionamiento"));
    row("TForm29",
        QStringLiteral("Dividido por 1000 y multiplicado por el incremento de rendimiento en kg/ha da el "
                       "ingreso marginal"));
    row("TForm30", QStringLiteral("No incluye el costo de aplicación"));
    row("TForm30", QStringLiteral("El costo de la tonelada de N dividido por 1000 es el costo marginal"));

    // The read-outs under the pointer.
    row("TForm18", QStringLiteral("\"Serie señalada por el puntero\""));
    row("TForm18", QStringLiteral("\"Incremento de rendimiento por kg de N agregado\""));
    row("TForm18", QStringLiteral("Donde el incremento es cero o negativo ya no conviene aumentar el N disponible"));
    row("TForm18", QStringLiteral("depende de los precios del fertilizante y del grano"));
    row("TForm28", QStringLiteral("INGRESO/COSTO MARGINAL"));
    row("TForm28", QStringLiteral("MARGEN RESPECTO DE LA SITUACIÓN DE REFERENCIA"));
    row("TForm28", QStringLiteral("en lugar de fertilizar con la sembradora"));

    // Use of the charts, and where each assistant is.
    row("TForm15", QStringLiteral("hasta tres escenarios"));
    row("TForm15", QStringLiteral("\"elegir curvas\""));
    row("TForm15", QStringLiteral("que se abre sola junto con el gráfico"));
    row("TForm17", QStringLiteral("Nitrógeno disponible = N mineral suelo + N en fertilizante"));
    row("TForm17", QStringLiteral("en los primeros 60 cm del suelo a la siembra"));
    row("TForm17", QStringLiteral("\"Ndisp de referencia\""));
    row("TForm30", QStringLiteral("\"Costo del Nitrógeno\""));
    row("TForm31", QStringLiteral("\"Ndisp de referencia\""));
    row("TForm31", QStringLiteral("\"N disp. de referencia\""));
    row("TForm33", QStringLiteral("respecto de esta situación de referencia (ver \"Uso del gráfico\")"));
}

void TestHelpWindows::keyStatements()
{
    QFETCH(QString, name);
    QFETCH(QString, statement);
    QVERIFY2(text(name).contains(statement), qPrintable(name + QStringLiteral(" lacks: ") + statement));
}

void TestHelpWindows::rangeStatementOverTwoLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("TForm15") << QStringLiteral("TForm15");
    QTest::newRow("TForm31") << QStringLiteral("TForm31");
}

void TestHelpWindows::rangeStatementOverTwoLines()
{
    QFETCH(QString, name);
    // One paragraph holds the statement, broken after "190" and running on after it.
    int found = 0;
    for (const QString& paragraph : paragraphs(textBox(window(name)))) {
        if (!joinedLines(paragraph).contains(RangeStatement))
            continue;
        ++found;
        QVERIFY(!paragraph.contains(RangeStatement));
        QVERIFY(paragraph.contains(QStringLiteral("entre 40 y 190") + QChar(QChar::LineSeparator) +
                                   QStringLiteral("Kg de N). ")));
    }
    QCOMPARE(found, 1);
}

void TestHelpWindows::economicNitrogenAxisReadsAsYieldChart()
{
    QCOMPARE(paragraphs(textBox(window(QStringLiteral("TForm27")))),
             paragraphs(textBox(window(QStringLiteral("TForm17")))));
    QCOMPARE(HelpWindows::text(QStringLiteral("TForm27")), HelpWindows::text(QStringLiteral("TForm17")));
}

void TestHelpWindows::referenceTextInOnePieceThenRemark()
{
    const QStringList reference = paragraphs(textBox(window(QStringLiteral("TForm31"))));
    const QStringList calculator = paragraphs(textBox(window(QStringLiteral("TForm33"))));
    QVERIFY(calculator.size() > reference.size());
    // The reference text, paragraph for paragraph, its forced line breaks run on...
    for (qsizetype i = 0; i < reference.size(); ++i) {
        QCOMPARE(calculator.at(i), joinedLines(reference.at(i)));
        QVERIFY(!calculator.at(i).contains(QChar::LineSeparator));
    }
    // ...then the remark, and nothing else.
    const QString remark = calculator.mid(reference.size()).join(QLatin1Char('\n')).trimmed();
    QVERIFY(remark.startsWith(QStringLiteral("El programa estima los márgenes")));
    QVERIFY(!reference.join(QLatin1Char('\n')).contains(remark));
}

void TestHelpWindows::workedExampleInOrder()
{
    // Soil test, soil nitrogen per layer and in all, fertiliser nitrogen, available nitrogen:
    // each number after the one before it.
    const QString t = text(QStringLiteral("TForm17"));
    const char* steps[] = {
        "\\b60, 30 y 15 ppm\\b",
        "\\b0\\.225\\b",
        "\\b1300 kg/m3",
        "\\b10000 m2 x 0\\.2 m x 1300",
        "\\b35 kg/ha\\b",
        "\\b17\\.5 kg/ha\\b",
        "\\b8\\.7 kg/ha\\b",
        "\\b61 kg/ha\\b",
        "\\b50 kg/ha\\b",
        "\\b18 %",
        "\\b9 kg de N\\b",
        "\\b100 kg/ha\\b",
        "\\b46 %",
        "\\b46 kg de N\\b",
        "\\b55 kg/ha\\b",
        "\\b61 \\+ 55\\b",
        "\"Ndisp de referencia\"",
    };
    qsizetype from = 0;
    for (const char* step : steps) {
        const QRegularExpressionMatch m = QRegularExpression(QString::fromUtf8(step)).match(t, from);
        QVERIFY2(m.hasMatch(), step);
        from = m.capturedEnd();
    }
    // The three steps are numbered and the formula stands before them.
    QVERIFY(t.indexOf(QLatin1String("N mineral suelo + N en fertilizante")) < t.indexOf(QLatin1String("1. N mineral")));
    QVERIFY(t.indexOf(QLatin1String("1. N mineral")) < t.indexOf(QLatin1String("2. N en fertilizante")));
    QVERIFY(t.indexOf(QLatin1String("2. N en fertilizante")) < t.indexOf(QLatin1String("3. N disponible")));
}

void TestHelpWindows::namesQuotedAreThoseOnScreen_data()
{
    QTest::addColumn<QString>("name");
    for (const ExpectedHelpWindow& w : ExpectedHelpWindows)
        QTest::newRow(w.objectName) << QString::fromLatin1(w.objectName);
}

void TestHelpWindows::namesQuotedAreThoseOnScreen()
{
    QFETCH(QString, name);
    // Every button, field, caption, list item or curve a help text names in quotes is
    // written there as the program shows it.
    static QString onScreen;
    if (onScreen.isEmpty()) {
        WindowSetFixture fixture;
        SoilNitrogenWindow soil(fixture.errors);
        NitrogenCostWindow cost(fixture.messages, fixture.errors);
        QStringList texts{shownTexts(&soil), shownTexts(&cost)};
        for (const QWidget* w : fixture.set->windows())
            texts << shownTexts(w);
        onScreen = texts.join(QLatin1Char(' '));
    }
    // Captions the program writes only while it runs.
    const QStringList shownLater{
        QStringLiteral("Elegir curvas"),        // the toggle's caption once the curve selection is hidden
        QStringLiteral("Ocultar elegir cvas."), // ... and while it is shown
        QStringLiteral("Escenario2-80%"),       // a read-out of the yield chart
    };

    static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
    for (auto it = quoted.globalMatch(text(name)); it.hasNext();) {
        const QString quote = it.next().captured(1).simplified();
        if (shownLater.contains(quote))
            continue;
        QVERIFY2(onScreen.contains(quote), qPrintable(name + QStringLiteral(": \"") + quote + QLatin1Char('"')));
    }
}

void TestHelpWindows::typedTextStays_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("editable");
    for (const ExpectedHelpWindow& w : ExpectedHelpWindows)
        QTest::newRow(w.objectName) << QString::fromLatin1(w.objectName) << w.editable;
    QTest::newRow("TForm35") << QStringLiteral("TForm35") << true;
}

void TestHelpWindows::typedTextStays()
{
    QFETCH(QString, name);
    QFETCH(bool, editable);
    QWidget* w = window(name);
    QTextEdit* box = textBox(w);
    const QString before = box->toPlainText();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    box->moveCursor(QTextCursor::End);
    const QString note = QStringLiteral(" Nota del asesor: lote 7, 95 kg N");
    QTest::keyClicks(box, note);
    w->close();
    QVERIFY(!w->isVisible());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    if (editable)
        QCOMPARE(box->toPlainText(), before + note);
    else
        QCOMPARE(box->toPlainText(), before);
    w->hide();
}

void TestHelpWindows::textWithoutScrollBarIsReadWhole()
{
    // TForm30 has no scroll bar: its whole text must fit the text box as the window opens.
    QWidget* w = window(QStringLiteral("TForm30"));
    QTextEdit* box = textBox(w);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const int needed = qCeil(box->document()->size().height());
    QVERIFY2(needed <= box->viewport()->height(),
             qPrintable(QStringLiteral("%1 px of text in %2 px").arg(needed).arg(box->viewport()->height())));
    QCOMPARE(box->verticalScrollBar()->maximum(), 0);
    w->hide();
}

void TestHelpWindows::creditsLayout()
{
    QWidget* w = window(QStringLiteral("TForm35"));
    QCOMPARE(w->objectName(), QStringLiteral("TForm35"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Créditos"));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));

    auto* picture = w->findChild<QLabel*>(QStringLiteral("Image1"));
    auto* productName = w->findChild<QLabel*>(QStringLiteral("Label1"));
    QTextEdit* box = textBox(w);
    QVERIFY(picture && productName && box);

    // The picture down the left side, at its own size.
    QCOMPARE(picture->geometry(), QRect(QPoint(0, 0), QSize(235, 346)));
    QVERIFY(!picture->pixmap().isNull());
    QVERIFY(w->height() >= 346);

    // The product name at the top right, in yellow bold italic, the text box below it.
    QCOMPARE(productName->text(), QStringLiteral("Velmaro"));
    QVERIFY(productName->x() >= picture->geometry().right());
    QVERIFY(productName->y() < 10);
    QVERIFY(productName->font().bold() && productName->font().italic());
    QCOMPARE(productName->font().pixelSize(), 37);
    QCOMPARE(productName->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    QVERIFY(!productName->autoFillBackground());
    QVERIFY(box->geometry().top() >= productName->geometry().bottom());
    QVERIFY(box->x() > picture->geometry().right());
    QVERIFY(box->geometry().right() <= w->width());
    QVERIFY(box->width() >= 250);

    // Silver, bold Arial 8, a vertical scroll bar, editable.
    QCOMPARE(box->palette().color(QPalette::Base), QColor(192, 192, 192));
    QCOMPARE(box->font().family(), QStringLiteral("Arial"));
    QCOMPARE(box->font().pointSize(), 8);
    QVERIFY(box->font().bold());
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!box->isReadOnly());
    w->hide();
}

void TestHelpWindows::creditsTextInOrder()
{
    const QString t = text(QStringLiteral("TForm35"));
    // Each piece after the one before it.
    const QStringList pieces{
        QStringLiteral("convenio entre dos organizaciones patrocinantes"),
        QStringLiteral("trabajo conjunto del grupo de sistemas de producción de una cátedra universitaria de "
                       "cultivos de cereales y de la empresa que desarrolló el software"),
        QStringLiteral("Responsables agronómicos:"),
        QStringLiteral("Responsable del software:"),
        QStringLiteral("(2005)"),
        QStringLiteral("Sistema de soporte para la fertilización nitrogenada de trigo"),
        QStringLiteral("El software fue diseñado para un estandard de\npantalla de 800x600."),
        QStringLiteral("las ventanas pueden cambiar de tamaño"),
        QStringLiteral("\nDescargo:\n"),
        QStringLiteral("no se hacen responsables por el uso"),
        QStringLiteral("ningún daño"),
        QStringLiteral("puede usarse citando su fuente"),
    };
    qsizetype from = 0;
    for (const QString& piece : pieces) {
        const qsizetype at = t.indexOf(piece, from);
        QVERIFY2(at >= 0, qPrintable(piece));
        from = at + piece.size();
    }
    // Plainly: the coefficient table of this version is a placeholder.
    QVERIFY(t.contains(QStringLiteral("la tabla de coeficientes de respuesta que trae esta versión es un reemplazo "
                                      "provisorio generado por programa, a la espera de una tabla calibrada")));
    QVERIFY(
        t.contains(QStringLiteral("Solo algunas filas de referencia y los rangos de valores son cifras publicadas")));
    QVERIFY(t.contains(QStringLiteral("no son una base para decisiones reales de fertilización")));
}

QTEST_MAIN(TestHelpWindows)
#include "tst_helpwindows.moc"
