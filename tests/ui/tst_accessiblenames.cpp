#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>

#include <qcustomplot.h>

#include "WindowSetFixture.h"
#include "ui/common/HelpMark.h"

// What a screen reader says for each control, asked through Qt's accessibility layer
// exactly as an assistive technology asks it.
class TestAccessibleNames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyControlHasAName_data();
    void everyControlHasAName();
    void picturesAndFieldsAreReadByTheirWords_data();
    void picturesAndFieldsAreReadByTheirWords();

private:
    std::unique_ptr<WindowSetFixture> f_;
};

namespace {

// What the adviser can act on: buttons, fields, lists, sliders, text areas, help marks.
bool isControl(const QWidget* w)
{
    if (qobject_cast<const QScrollBar*>(w) || qobject_cast<const QComboBox*>(w->parentWidget()) ||
        qobject_cast<const QAbstractSpinBox*>(w->parentWidget()))
        return false; // parts of another control
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
        qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
        qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTextEdit*>(w) ||
        qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
        qobject_cast<const HelpMark*>(w) || qobject_cast<const QCustomPlot*>(w);
}

QString spoken(QWidget* w, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(what).trimmed() : QString();
}

} // namespace

void TestAccessibleNames::initTestCase()
{
    f_ = std::make_unique<WindowSetFixture>();
}

void TestAccessibleNames::everyControlHasAName_data()
{
    QTest::addColumn<QString>("window");
    for (QWidget* w : f_->set->windows())
        QTest::newRow(qPrintable(w->objectName())) << w->objectName();
    QCOMPARE(f_->set->windows().size(), std::size_t(37));
}

void TestAccessibleNames::everyControlHasAName()
{
    QFETCH(QString, window);
    QStringList unnamed;
    f_->set->window(window)->ensurePolished(); // named as it first shows
    for (QWidget* w : f_->set->window(window)->findChildren<QWidget*>()) {
        if (!isControl(w))
            continue;
        const QString label = QStringLiteral("%1 (%2)").arg(w->objectName(), w->metaObject()->className());
        if (spoken(w, QAccessible::Name).isEmpty())
            unnamed << label;
        if (qobject_cast<QCustomPlot*>(w) && spoken(w, QAccessible::Description).isEmpty())
            unnamed << label + QStringLiteral(" sin descripción");
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

void TestAccessibleNames::picturesAndFieldsAreReadByTheirWords_data()
{
    // A control with no caption of its own, and what it is read as.
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");
    QTest::newRow("caption beside the field") << "TForm21"
                                              << "Edit1"
                                              << "Ingrese el costo del fertilizante";
    QTest::newRow("caption of two lines") << "TForm3"
                                          << "Edit1"
                                          << "Nitrógeno disponible";
    QTest::newRow("not the caption above") << "TForm3"
                                           << "Edit2"
                                           << "Rendimiento";
    QTest::newRow("caption before it in its row") << "TForm20"
                                                  << "Edit3"
                                                  << "N disp. de referencia?";
    QTest::newRow("caption above the field") << "TForm20"
                                             << "Edit4"
                                             << "Serie señalada por el puntero";
    QTest::newRow("table cell, not the unit beside") << "TForm32"
                                                     << "Edit6"
                                                     << "Concentración de N mineral, 40-60 Cm";
    QTest::newRow("help mark's hint") << "TForm20"
                                      << "Label15"
                                      << "Ayuda del eje del nitrógeno disponible";
    QTest::newRow("chart's title") << "TForm20"
                                   << "Chart1"
                                   << "Determinación del óptimo económico para la fertilización";
}

void TestAccessibleNames::picturesAndFieldsAreReadByTheirWords()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, expected);
    f_->set->window(window)->ensurePolished();
    QWidget* w = f_->set->window(window)->findChild<QWidget*>(control);
    QVERIFY(w);
    QCOMPARE(spoken(w, QAccessible::Name), expected);
    // A chart is described by the titles of its axes.
    if (auto* chart = qobject_cast<QCustomPlot*>(w)) {
        QVERIFY(spoken(w, QAccessible::Description).contains(chart->xAxis->label()));
        QVERIFY(spoken(w, QAccessible::Description).contains(chart->yAxis->label()));
    }
}

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
