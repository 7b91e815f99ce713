#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QWindow>

#include "WindowSetFixture.h"
#include "core/AppliedFunctions.h"
#include "core/ChartReadOut.h"
#include "core/CurveSelection.h"
#include "core/ResponseData.h"
#include "core/ScenarioSlots.h"
#include "ui/advice/RateAdviceWindow.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/RadioGroup.h"

using namespace Qt::StringLiterals;

// What the windows show is what the numbers are computed from, readable and reachable. CTest
// runs this at 1024 x 768 and at 1920 x 1080. Slot 1 AGAA is plotted; both charts, "Ver
// funciones" and the advice are open. A row is "window|field or control|what the case needs".
class TestShownAndComputed : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowSetFixture> f_;

    static void rows(const QString& rows)
    {
        QTest::addColumn<QStringList>("row");
        for (const QString& row : rows.split(u';'))
            QTest::newRow(qPrintable(row)) << row.split(u'|');
    }
    QLineEdit* edit(const QString& window, const QString& name) const
    {
        return f_->child<QLineEdit>(qPrintable(window), qPrintable(name));
    }
    QString cell(int row, int column, const char* table = "OptimumTable") const
    {
        const QTableWidgetItem* item = f_->child<QTableWidget>("RateAdviceWindow", table)->item(row, column);
        return item ? item->text() : QString();
    }
    // Makes the window active, then types into its field, replacing the text, and presses `key`.
    void type(const QString& window, const QString& field, const QString& text, int key = 0) const
    {
        f_->window(qPrintable(window))->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f_->window(qPrintable(window))));
        if (QLineEdit* e = field.isEmpty() ? nullptr : edit(window, field)) {
            e->setFocus();
            e->selectAll();
            QTest::keyClicks(e, text);
            if (key)
                QTest::keyClick(e, Qt::Key(key));
        }
    }
    // Both charts' read-outs for curve 1 at available N 100: the scenario lines, or the values.
    QStringList readOuts(bool names) const
    {
        QStringList out;
        for (int yield : {1, 0}) {
            CurveChart& c = yield ? f_->set->yieldChart().chart() : f_->set->economicChart().chart();
            c.replot();
            const QPoint at(qRound(c.xAxis->coordToPixel(100)), qRound(c.yAxis->coordToPixel(c.pointValue(1, 100))));
            yield ? f_->set->yieldChart().readOut(at) : f_->set->economicChart().readOut(at);
            const char* label = names ? (yield ? "Label1" : "Label24") : "Label13";
            out << c.parentWidget()->findChild<QLabel*>(QLatin1String(label))->text();
        }
        return out;
    }

private Q_SLOTS:
    void init()
    {
        QSettings(u"Velmaro"_s, u"velmaro"_s).clear(); // no table from the last case
        f_ = std::make_unique<WindowSetFixture>();
        f_->openEconomicChart();
        f_->click("TForm3", "ToolButton3"); // "Ver funciones"
        f_->click("TForm20", "RateAdviceButton");
        QVERIFY(QTest::qWaitForWindowExposed(f_->window("RateAdviceWindow")));
    }
    void cleanup() { f_.reset(); }

    // The change; whether the curves, and the scenario names, change with it.
    void viewsFollowANewLookUp_data() { rows(u"plot|new|new;scenario||;propia.csv|new|;ensayos.csv|new|"_s); }
    void viewsFollowANewLookUp()
    {
        QFETCH(QStringList, row);
        const double before = f_->set->yieldChart().chart().pointValue(1, 100); // N 101
        const QString names = f_->set->scenarioSlots().slot(1).scenarioLine();
        QByteArray file = row[0] == u"ensayos.csv" // 1500 + 30 N - 0.1 N², two plots at each rate
            ? "codigo,nivel,n_disponible,rendimiento\nAGAA,Medio,0,1440\nAGAA,Medio,0,1560\nAGAA,Medio,100,3440\n"
              "AGAA,Medio,100,3560\nAGAA,Medio,200,3440\nAGAA,Medio,200,3560\n"
            : "codigo,nivel,a,b,c\nAGAA,20,2000,25,-0.08\nAGAA,Medio,2100,26,-0.09\nAGAA,80,2200,27,-0.1\n";
        QFile out(f_->printed.filePath(row[0]));
        if (row[0].endsWith(u".csv") && out.open(QIODevice::WriteOnly) && out.write(file) && out.flush()) {
            f_->files.answers << QStringList{out.fileName()};
            f_->click("ResponseDataWindow", row[0] == u"propia.csv" ? "LoadTableButton" : "FitTrialsButton");
            f_->click("ResponseDataWindow", "AcceptFitButton");
        } else {
            f_->click("TForm1", "ToolButton1");
            f_->child<RadioGroup>("TForm2", "RadioGroup1")->button(4)->click(); // Rafaela
            f_->click("TForm2", "BitBtn1");
            if (row[0] == u"plot")
                f_->click("TForm1", "ToolButton13");
        }
        // Every view computes from the coefficients the slot holds now, and names them.
        const SlotRecord& slot = f_->set->scenarioSlots().slot(1);
        const Curves::Quadratic curve = Curves::fromTexts(slot.at(Level::Medio));
        QCOMPARE(qAbs(curve.at(101) - before) > 0.01, !row[1].isEmpty());
        QVERIFY(qAbs(f_->set->yieldChart().chart().pointValue(1, 100) - curve.at(101)) < 0.01);
        QVERIFY(qAbs(f_->set->economicChart().economicTable().number(100, 1) - curve.at(100)) < 0.01);
        // A curve fitted from trials has the interval of its optimum beside N*.
        const int fitted = row[0] == u"ensayos.csv";
        QCOMPARE(f_->child<QTableWidget>("RateAdviceWindow", "OptimumTable")
                     ->horizontalHeaderItem(2)
                     ->text()
                     .startsWith(u"Intervalo"_s),
                 fitted == 1);
        QCOMPARE(cell(0, 4 + fitted), QString::number(qRound(curve.at(cell(0, 1).toInt()))));
        QCOMPARE(f_->child<QLabel>("TForm14", "Label10")->text(), AppliedFunctions::equation(slot.at(Level::Medio)));
        QCOMPARE(readOuts(true), QStringList(2, row[2].isEmpty() ? names : slot.scenarioLine()));
        for (const char* chart : {"TForm3", "TForm20"})
            QCOMPARE(f_->child<QLabel>(chart, "DataSourceLabel")->text(), f_->set->responseData().shortLabel());
    }

    // Typed and left; then how the value taken is stated, none when it is refused.
    void aValueCountsOnceConfirmed_data()
    {
        rows(u"TForm20|Edit2|2000|Costo del N (U$S/t de N): 2000\r\n;RateAdviceWindow|ToleranceEdit|10|Tolerancia "
             u"(U$S/ha): 10\r\n;"
             "RateAdviceWindow|Weight20Edit|0.5|;RateAdviceWindow|ToleranceEdit|1,5|;TForm20|Edit1|130,5|"_s);
    }
    void aValueCountsOnceConfirmed()
    {
        QFETCH(QStringList, row);
        const auto outputs = [this] { // the numbers, then the export that states them
            QFile csv(f_->printed.filePath(u"dosis.csv"_s));
            f_->set->rateAdvice().exportCsv(csv.fileName());
            return readOuts(false) << QString::number(f_->set->economicChart().chart().pointValue(10, 100))
                                   << cell(0, 7)
                                   << QString::fromUtf8(csv.open(QIODevice::ReadOnly) ? csv.readAll() : "");
        };
        const QStringList before = outputs();
        type(row[0], row[1], row[2]);
        QCOMPARE(outputs(), before);                        // typed, not confirmed: every view as it was
        QTest::keyClick(edit(row[0], row[1]), Qt::Key_Tab); // leaving the field confirms it
        const QStringList after = outputs();
        QCOMPARE(after.mid(0, 4) != before.mid(0, 4), !row[3].isEmpty());
        QCOMPARE(f_->errors.messages.size(), row[3].isEmpty() ? 1 : 0);
        if (row[3].isEmpty()) { // marked in its field, the message as its hint
            QCOMPARE(edit(row[0], row[1])->toolTip(), f_->errors.messages.first());
            QCOMPARE(edit(row[0], row[1])->grab().toImage().pixelColor(1, 10), QColor(Qt::red));
            return;
        }
        QVERIFY2(after.last().contains(row[3]), qPrintable(after.last()));
        const EconomicChartWindow& chart = f_->set->economicChart();
        QCOMPARE(after[1], ChartReadOut::margin(chart.economicTable(), 1, u"100"_s, u"40"_s, chart.nCost()).text);
    }

    void aRefusalIsSaidOncePerEdit_data()
    {
        rows(u"TForm20|Edit1|130,5;TForm20|Edit2|-5;TForm20|Edit3|4O;RateAdviceWindow|ToleranceEdit|dos;"
             "RateAdviceWindow|Weight80Edit|0.5"_s);
    }
    void aRefusalIsSaidOncePerEdit()
    {
        QFETCH(QStringList, row);
        type(row[0], row[1], row[2], Qt::Key_Return);
        for (int i = 0; i < 5; ++i) { // activations, redraws, "Recalcular" and focus changes
            f_->set->economicChart().onActivated();
            Q_EMIT f_->set->economicChart().activated();
            f_->click("TForm20", "ToolButton3");
            readOuts(false);
            for (const char* other : {"Edit1", "Edit2", "Edit3"})
                edit(u"TForm20"_s, QLatin1String(other))->setFocus();
            QTest::keyClick(edit(row[0], row[1]), Qt::Key_Tab);
        }
        QCOMPARE(f_->errors.messages.size() + f_->messages.texts.size(), 1);
        type(row[0], row[1], row[2] + u'0', Qt::Key_Return); // a new edit, a new word
        QCOMPARE(f_->errors.messages.size(), 2);
    }

    // Kg/ha of urea for "Cálculo 3" (none: no calculation); the chart's reference N then.
    void soilAcceptNeedsACalculation_data() { rows(u"|40;254|117;0|40"_s); }
    void soilAcceptNeedsACalculation()
    {
        QFETCH(QStringList, row);
        f_->click("TForm20", "ToolButton11");
        f_->child<QComboBox>("TForm32", "ComboBox1")->setCurrentIndex(1);
        edit(u"TForm32"_s, u"Edit11"_s)->setText(row[0]);
        if (!row[0].isEmpty())
            f_->click("TForm32", "Button3");
        f_->click("TForm32", "Button4");
        f_->set->economicChart().onActivated();
        QCOMPARE(edit(u"TForm20"_s, u"Edit3"_s)->text(), row[1]);
        QCOMPARE(f_->window("TForm22")->isVisible(), row[0] == u"0"); // the warning of a low result
        QCOMPARE(f_->errors.messages.size(), row[0].isEmpty() ? 1 : 0);
        QVERIFY(!row[0].isEmpty() || f_->errors.messages.first().contains(u"Cálculo 3"_s)); // says why
    }

    void referenceBeyondTheTable_data() { rows(u"188;189;250;1000"_s); }
    void referenceBeyondTheTable()
    {
        QFETCH(QStringList, row);
        type(u"TForm20"_s, u"Edit3"_s, row[0], Qt::Key_Return);
        const bool beyond = row[0].toInt() >= 189;
        const QString status = f_->child<QLabel>("RateAdviceWindow", "AdviceStatusLabel")->text();
        QCOMPARE(
            status.contains(u"La N de referencia supera el rango de la tabla (189 kg/ha): no hay dosis que evaluar"_s),
            beyond);
        // Nothing below the reference anywhere: no optimum, no risk, no mark on the chart.
        QCOMPARE(f_->child<QTableWidget>("RateAdviceWindow", "OptimumTable")->rowCount(), beyond ? 0 : 1);
        QVERIFY(beyond || cell(0, 1).toInt() >= row[0].toInt());
        QCOMPARE(cell(0, 0, "RiskTable").isEmpty(), beyond);
        QCOMPARE(f_->set->economicChart().chart().itemCount() > 1, !beyond); // the source note alone
    }

    void adviceReadable()
    {
        // Three curves, the longest product name, and a cost just above the Medio curve's first
        // marginal income (2.00 U$S/kg): adding N does not pay, and costs little at first.
        for (int k : {4, 7})
            f_->set->curveSelectionModel().setShown(k, true);
        auto* products = f_->child<QComboBox>("TForm21", "ComboBox1");
        for (int i = 0; i < products->count(); ++i)
            products->setCurrentIndex(
                products->itemText(i).size() > products->currentText().size() ? i : products->currentIndex());
        type(u"TForm20"_s, u"Edit2"_s, u"2100"_s, Qt::Key_Return);
        type(u"RateAdviceWindow"_s, QString(), QString());
        for (const char* name : {"OptimumTable", "RiskTable", "SensitivityTable"}) { // every column in sight
            auto* table = f_->child<QTableWidget>("RateAdviceWindow", name);
            QVERIFY2(table->horizontalScrollBar()->maximum() == 0 && table->columnViewportPosition(0) == 0, name);
        }
        auto* list = f_->child<QComboBox>("RateAdviceWindow", "RiskSlotChooser"); // whole entries, beside the arrow
        QVERIFY2(list->fontMetrics().horizontalAdvance(list->itemText(0)) + 30 <= list->width(),
                 qPrintable(list->itemText(0) + u' ' + QString::number(list->width())));
        // "No conviene agregar N" says what its range means there; the marks have legend entries.
        QCOMPARE(cell(0, 7).section(u' ', 0, 0), u"40"_s);
        QVERIFY2(cell(0, 8).startsWith(u"No conviene agregar N; hasta "_s + cell(0, 7).section(u' ', 2)),
                 qPrintable(cell(0, 8)));
        const CurveChart& chart = f_->set->economicChart().chart();
        QCOMPARE(chart.legend->itemCount(), chart.legendTitles().size() + 2);
    }

    void keyboard_data()
    {
        rows(u"TForm20|Edit1|enter;TForm20|Edit2|enter;TForm1|ToolButton1|mark;TForm1|ToolButton13|mark;"
             "TForm1|ResponseDataButton|mark;TForm20|ToolButton10|mark;ResponseDataWindow|LoadTableButton|escape;"
             "RateAdviceWindow|OptimumTable|escape"_s);
    }
    void keyboard()
    {
        QFETCH(QStringList, row);
        QWidget* w = f_->window(qPrintable(row[0]));
        w->show();
        type(row[0], QString(), QString());
        auto* target = f_->child<QWidget>(qPrintable(row[0]), qPrintable(row[1]));
        if (row[2] == u"enter") { // the next field is entered with its text selected: typing replaces it
            type(row[0], row[1], u"150"_s, Qt::Key_Return);
            QTest::keyClicks(w->focusWidget(), u"77"_s);
            QCOMPARE(qobject_cast<QLineEdit*>(w->focusWidget())->text(), u"77"_s);
        } else if (row[2] == u"mark") { // a ring of clearly changed pixels all around
            const QRect around(target->mapTo(w, QPoint(-4, -4)), target->size() + QSize(8, 8));
            target->clearFocus();
            const QImage plain = w->grab(around).toImage();
            target->setFocus(Qt::TabFocusReason);
            const QImage focused = w->grab(around).toImage();
            int changed = 0;
            for (int i = 0; i < plain.width() * plain.height(); ++i)
                changed += qAbs(qGray(plain.pixel(i % plain.width(), i / plain.width())) -
                                qGray(focused.pixel(i % plain.width(), i / plain.width()))) > 50;
            QVERIFY2(changed >= 2 * (target->width() + target->height()), qPrintable(QString::number(changed)));
        } else {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
            QVERIFY(!w->isVisible());
        }
    }

    void windowsOpenInsideAndClear_data()
    {
        rows(u"every window;cost assistant;moved by the adviser"_s);
        if (QGuiApplication::primaryScreen()->availableGeometry().height() >= 1080) // room beside the advice
            QTest::newRow("dose advice") << QStringList{u"dose advice"_s};
    }
    void windowsOpenInsideAndClear()
    {
        QFETCH(QStringList, row);
        f_->click("TForm1", "Mapas"); // as the program opens them, and then the rest
        for (const auto& list : {f_->set->windows(), f_->set->addedWindows()})
            for (QWidget* w : list) {
                w->setVisible(row[0] == u"every window" || w->isVisible());
                QVERIFY2(w->screen()->availableGeometry().contains(w->frameGeometry()),
                         qPrintable(w->objectName() + u' ' + QString::number(w->frameGeometry().right()) + u' ' +
                                    QString::number(w->frameGeometry().bottom()) + u' ' +
                                    QString::number(w->minimumSizeHint().height())));
            }
        if (row[0] == u"every window")
            return;
        // The curve selection, which stays on top, opens clear of what the adviser types or reads,
        // unless the adviser has moved it: then it stays where it was put.
        QWidget* selection = f_->window("TForm4");
        f_->window("RateAdviceWindow")->setVisible(row[0] == u"dose advice");
        f_->click("TForm20", "ToolButton10"); // the cost assistant
        QCoreApplication::processEvents();    // laid out, the selection making way
        f_->click("TForm20", "ToolButton4");  // hides the selection
        const bool moved = row[0] == u"moved by the adviser";
        if (moved) {
            selection->show();
            selection->windowHandle()->setFramePosition(QPoint(300, 300));
            QTRY_COMPARE(selection->pos(), QPoint(300, 300));
            selection->hide();
        }
        f_->click("TForm20", "ToolButton4"); // shows it again
        QVERIFY(!moved || selection->pos() == QPoint(300, 300));
        QList<QWidget*> parts{f_->window("TForm21")};
        for (const char* name : {"Edit1", "Edit2", "Edit3", "ToolBar1", "Panel2"})
            parts << f_->child("TForm20", name);
        QList<QRect> read; // the advice tables' headings and rows; the blank below them may be covered
        for (const char* name : {"OptimumTable", "RiskTable", "SensitivityTable"}) {
            auto* table = f_->child<QTableWidget>("RateAdviceWindow", name);
            parts << table->horizontalHeader();
            for (int r = 0; table->isVisible() && r < table->rowCount(); ++r)
                read << QRect(table->viewport()->mapToGlobal(QPoint(0, table->rowViewportPosition(r))),
                              QSize(table->viewport()->width(), table->rowHeight(r)));
        }
        for (QWidget* w : parts)
            if (w->isVisible())
                read << QRect(w->mapToGlobal(QPoint()), w->size());
        for (const QRect& r : std::as_const(read))
            QVERIFY(moved || !r.intersects(selection->frameGeometry()));
    }
};

QTEST_MAIN(TestShownAndComputed)
#include "tst_shownandcomputed.moc"
