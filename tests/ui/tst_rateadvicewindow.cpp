#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QTableWidget>

#include "WindowSetFixture.h"
#include "core/ChartReadOut.h"
#include "core/CurveSelection.h"
#include "core/FertiliserProducts.h"
#include "core/SheetReader.h"
#include "support/PdfText.h"
#include "ui/advice/RateAdviceWindow.h"
#include "ui/charting/CurveChart.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/printing/ReportPrinter.h"
#include "ui/yieldchart/YieldChartWindow.h"

// The dose advice through the real windows: it follows the economic chart's rebuilds,
// keeps its results when the chart refuses an input, and hands its tables over.
class TestRateAdviceWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { f_.reset(); }
    void followsTheChart();
    void badAdviceInputsChangeNothing_data();
    void badAdviceInputsChangeNothing();
    void productAndOutputs();

private:
    EconomicChartWindow& econ() const { return f_->set->economicChart(); }
    // The optima marked on the economic chart: one dashed line each.
    int markedOptima() const
    {
        int lines = 0;
        for (int i = 0; i < econ().chart().itemCount(); ++i)
            lines += qobject_cast<QCPItemStraightLine*>(econ().chart().item(i)) != nullptr;
        return lines;
    }
    QTableWidget* table(const char* name) const { return f_->child<QTableWidget>("RateAdviceWindow", name); }
    QString cell(const char* name, int row, int column) const { return table(name)->item(row, column)->text(); }
    void typeAndEnter(const char* window, const char* name, const QString& text) const
    {
        auto* e = f_->child<QLineEdit>(window, name);
        e->setText(text);
        Q_EMIT e->returnPressed();
    }

    std::unique_ptr<WindowSetFixture> f_;
};

void TestRateAdviceWindow::init()
{
    // Slot 1 AGAA, "Graficar", the economic chart activated; then "Dosis recomendada".
    f_ = std::make_unique<WindowSetFixture>();
    f_->openEconomicChart();
    f_->click("TForm20", "RateAdviceButton");
    QVERIFY(f_->window("RateAdviceWindow")->isVisible());
}

void TestRateAdviceWindow::followsTheChart()
{
    // At 115 and 600 the 115th kilogram earns exactly its cost: not recommended.
    QCOMPARE(table("OptimumTable")->rowCount(), 1);
    QCOMPARE(cell("OptimumTable", 0, 0), QStringLiteral("Escenario1-Medio"));
    QCOMPARE(cell("OptimumTable", 0, 1), QStringLiteral("114"));
    QCOMPARE(cell("OptimumTable", 0, 2), QStringLiteral("74"));
    QCOMPARE(cell("OptimumTable", 0, 3), QStringLiteral("–"));
    QCOMPARE(cell("OptimumTable", 0, 6), QStringLiteral("52.4"));
    QCOMPARE(cell("OptimumTable", 0, 6),
             ChartReadOut::margin(econ().economicTable(), 1, QStringLiteral("114"), QStringLiteral("40"),
                                  QStringLiteral("600"))
                 .text);
    QCOMPARE(cell("SensitivityTable", 2, 2), QStringLiteral("74"));
    QCOMPARE(cell("RiskTable", 1, 0), QStringLiteral("114"));
    QCOMPARE(markedOptima(), 1);

    // A dearer grain: more nitrogen pays.
    typeAndEnter("TForm20", "Edit1", QStringLiteral("160"));
    QVERIFY(cell("OptimumTable", 0, 1).toInt() > 114);
    const QString dearer = cell("OptimumTable", 0, 1);

    // A refused price leaves the last results, and says why.
    typeAndEnter("TForm20", "Edit1", QStringLiteral("16O"));
    QCOMPARE(cell("OptimumTable", 0, 1), dearer);
    QVERIFY(f_->child<QLabel>("RateAdviceWindow", "AdviceStatusLabel")->text().contains(QStringLiteral("16O")));

    // The rows follow the curve selection; the marks follow the check box.
    f_->set->curveSelectionModel().setShown(4, true);
    QCOMPARE(table("OptimumTable")->rowCount(), 2);
    QCOMPARE(cell("OptimumTable", 1, 0), QStringLiteral("Escenario1-80%"));
    QCOMPARE(markedOptima(), 2);
    f_->child<QCheckBox>("RateAdviceWindow", "OptimumMarksCheck")->setChecked(false);
    QCOMPARE(markedOptima(), 0);
}

void TestRateAdviceWindow::badAdviceInputsChangeNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("tolerance not a number") << "ToleranceEdit"
                                            << "dos";
    QTest::newRow("negative tolerance") << "ToleranceEdit"
                                        << "-1";
    QTest::newRow("weight not a number") << "WeightMedioEdit"
                                         << "0,5";
    QTest::newRow("negative weight") << "Weight20Edit"
                                     << "-0.25";
    QTest::newRow("weights not adding up to 1") << "Weight80Edit"
                                                << "0.5";
}

void TestRateAdviceWindow::badAdviceInputsChangeNothing()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    auto* edit = f_->child<QLineEdit>("RateAdviceWindow", qPrintable(field));
    const QString original = edit->text();
    const QString range = cell("OptimumTable", 0, 7);
    const QString expected = cell("RiskTable", 3, 0);
    typeAndEnter("RateAdviceWindow", qPrintable(field), text);
    QCOMPARE(f_->errors.messages.size(), 1);
    QCOMPARE(cell("OptimumTable", 0, 7), range);
    QCOMPARE(cell("RiskTable", 3, 0), expected);
    // Mended, the inputs are taken: a tolerance of zero keeps only the optimum and the
    // kilogram that earns exactly its cost.
    edit->setText(original);
    typeAndEnter("RateAdviceWindow", "ToleranceEdit", QStringLiteral("0"));
    QCOMPARE(cell("OptimumTable", 0, 7), QStringLiteral("114 - 115"));
}

void TestRateAdviceWindow::productAndOutputs()
{
    auto* products = f_->child<QComboBox>("TForm21", "ComboBox1");
    products->setCurrentIndex(0);
    const QString urea = FertiliserProducts::names().at(0);
    QVERIFY(table("OptimumTable")->horizontalHeaderItem(3)->text().contains(urea));
    QCOMPARE(cell("OptimumTable", 0, 3), QString::number(qRound(74 / FertiliserProducts::nFraction(0))));

    auto& advice = f_->set->rateAdvice();
    advice.copyToClipboard();
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("Escenario1-Medio\t114\t74\t")));
    QVERIFY(QGuiApplication::clipboard()->mimeData()->html().contains(QStringLiteral("<td>Escenario1-Medio</td>")));

    const QString path = f_->printed.filePath(QStringLiteral("dosis.csv"));
    advice.setSavePathChooser([path](QWidget*) { return path; });
    f_->click("RateAdviceWindow", "ExportAdviceButton");
    QFile csv(path);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(csv.readAll());
    QVERIFY(written.contains(QStringLiteral("Escenario1-Medio;114;74;")));
    QVERIFY(written.contains(QStringLiteral("Tolerancia (U$S/ha): 2.5")));

    const QString book = f_->printed.filePath(QStringLiteral("dosis.xlsx"));
    advice.setXlsxPathChooser([book](QWidget*) { return book; });
    f_->click("RateAdviceWindow", "ExportXlsxButton");
    const Sheet sheet = SheetReader::read(book);
    QVERIFY2(sheet.ok, qPrintable(sheet.error));
    const auto optimum = std::find_if(sheet.rows.cbegin(), sheet.rows.cend(), [](const SheetRow& row) {
        return row.cells.first().text == QStringLiteral("Escenario1-Medio");
    });
    QVERIFY(optimum != sheet.rows.cend());
    QVERIFY(optimum->cells[1].number && optimum->cells[1].text == QStringLiteral("114"));

    const QString nowhere = f_->printed.filePath(QStringLiteral("no/such/folder/dosis.csv"));
    QVERIFY(!advice.exportCsv(nowhere));
    QCOMPARE(f_->errors.messages.size(), 1);
    QVERIFY(f_->errors.messages.first().contains(nowhere));

    f_->click("RateAdviceWindow", "PrintAdviceButton");
    QCOMPARE(f_->reports.calls, 1);
    const QStringList& printed = f_->reports.lines;
    QVERIFY(printed.join(QLatin1Char('\n')).contains(QStringLiteral("Escenario1-Medio")));
    // The season risk's headings start over their numbers, right of the rows' titles.
    const qsizetype risk = printed.indexOf(QStringLiteral("Riesgo de la campaña, Escenario 1"));
    qsizetype first = risk; // the first row, under the heading's lines
    while (++first < printed.size() && !printed.at(first).startsWith(QStringLiteral("Dosis óptima 20 %"))) { }
    const QString row = printed.value(first);
    const QString heading = printed.value(risk + 1);
    QCOMPARE(heading.indexOf(QRegularExpression(QStringLiteral("\\S"))),
             row.indexOf(QRegularExpression(QStringLiteral("\\S")), QStringLiteral("Dosis óptima 20 %").size()));
    // On an A4 page every word stays inside the paper.
    const QString pdf = f_->printed.filePath(QStringLiteral("dosis.pdf"));
    QVERIFY(PdfReportPrinter(pdf).print(nullptr, printed, f_->reports.font));
    const QRegularExpression right(QStringLiteral(R"re(xMax="([\d.]+)")re"));
    int words = 0;
    for (const QRegularExpressionMatch& word : right.globalMatch(pdfText(pdf, false, true))) {
        ++words;
        QVERIFY2(word.captured(1).toDouble() <= 595, qPrintable(word.captured(0)));
    }
    QVERIFY(words > 100);
}

QTEST_MAIN(TestRateAdviceWindow)
#include "tst_rateadvicewindow.moc"
