#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QTableWidget>

#include "WindowSetFixture.h"
#include "core/ReportContent.h"
#include "core/TableText.h"
#include "core/ZipArchive.h"
#include "support/PdfText.h"
#include "ui/report/ReportWindow.h"

namespace {

// Where the columns of a line of `pdftotext -layout` start: its first letter, and every
// letter after two blanks or more.
QList<int> columnStarts(const QString& line)
{
    QList<int> starts;
    for (int i = 0; i < line.size(); ++i)
        if (!line.at(i).isSpace() &&
            (starts.isEmpty() || (i >= 2 && line.at(i - 1).isSpace() && line.at(i - 2).isSpace())))
            starts << i;
    return starts;
}

} // namespace

// The report of one field, read back from its files as an adviser's client would get them:
// slot 1 at 115 U$S/t, its nitrogen priced with urea in the cost assistant.
class TestReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { f_.reset(); }
    void reachedWithoutMovingAControl_data();
    void reachedWithoutMovingAControl();
    void pdfSaysWhatAndWhy_data();
    void pdfSaysWhatAndWhy();
    void headingsOverTheirColumns_data();
    void headingsOverTheirColumns();
    void everyWordInsideThePage();
    void odtHoldsTheTables();
    void copiedAsTablesAndText();
    void namesFromTheCase_data();
    void namesFromTheCase();
    void dosesAsTheAdviceShowsThem();

private:
    ReportWindow& report() const { return *static_cast<ReportWindow*>(f_->window("ReportWindow")); }
    QString save(const char* button, const QString& name)
    {
        const QString path = f_->printed.filePath(name);
        f_->files.answers << QStringList{path};
        f_->click("ReportWindow", button);
        return path;
    }

    std::unique_ptr<WindowSetFixture> f_;
    ReportContent content_;
    QString layout_; // the PDF read back, page by page
    QString boxes_;  // every word of it with its place
};

void TestReport::initTestCase()
{
    f_ = std::make_unique<WindowSetFixture>();
    f_->child<QComboBox>("TForm21", "ComboBox1")->setCurrentIndex(1); // UREA - 46%
    f_->child<QLineEdit>("TForm21", "Edit1")->setText(QStringLiteral("350"));
    f_->click("TForm21", "Button1");
    f_->click("TForm21", "Button2");
    f_->openEconomicChart();
    QCOMPARE(f_->set->economicChart().nCost(), QStringLiteral("761"));
    content_ = report().content();
    QVERIFY(content_.hasAdvice);

    const QString pdf = save("ReportPdfButton", QStringLiteral("informe.pdf"));
    QCOMPARE(f_->files.suggestions.last(), QStringLiteral("Informe de fertilización nitrogenada.pdf"));
    layout_ = pdfText(pdf, true);
    boxes_ = pdfText(pdf, false, true);
    QVERIFY2(!layout_.isEmpty() && !boxes_.isEmpty(), "pdftotext read nothing");
    QVERIFY(f_->errors.messages.isEmpty());
}

void TestReport::reachedWithoutMovingAControl_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "TForm1";
    QTest::newRow("dose advice") << "RateAdviceWindow";
}

void TestReport::reachedWithoutMovingAControl()
{
    QFETCH(QString, window);
    QWidget* w = f_->window(qPrintable(window));
    auto* button = w->findChild<QAbstractButton*>(QStringLiteral("ReportButton"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Informe"));
    if (window == u"TForm1") {
        // Beside "Datos", over no named control, shown whole on a screen of 1024 x 768.
        const QRect place = button->geometry();
        QVERIFY(place.right() < 1024);
        for (QWidget* other : w->findChildren<QWidget*>()) {
            if (other == button || other->objectName().isEmpty() || other->objectName() == u"ToolBar1" ||
                other->objectName() == u"Panel1" || other->parentWidget() != w)
                continue;
            QVERIFY2(!other->geometry().intersects(place), qPrintable(other->objectName()));
        }
    }
    report().hide();
    button->click();
    QVERIFY(report().isVisible());
    QVERIFY(report().pageCount() >= 2);
}

void TestReport::pdfSaysWhatAndWhy_data()
{
    QTest::addColumn<QString>("text");
    for (const QString& line : content_.advice.recommendation)
        QTest::newRow("recommendation") << line;
    for (const DoseAdvice::BasisItem& item : content_.advice.basis)
        QTest::newRow(qPrintable(item.label)) << item.line();
    QTest::newRow("placeholder data") << content_.advice.placeholderWarning;
    QTest::newRow("heading") << content_.headingLines().last();
    QTest::newRow("page numbers") << QStringLiteral("Página 2 de 2");
}

void TestReport::pdfSaysWhatAndWhy()
{
    QFETCH(QString, text);
    QVERIFY(!text.isEmpty());
    QVERIFY2(layout_.simplified().contains(text.simplified()), qPrintable(text));
}

void TestReport::headingsOverTheirColumns_data()
{
    QTest::addColumn<int>("table");
    QTest::newRow("doses per curve") << 0;
    QTest::newRow("season risk") << 1;
    QTest::newRow("price sensitivity") << 2;
}

void TestReport::headingsOverTheirColumns()
{
    QFETCH(int, table);
    const DoseAdvice::Result& a = content_.advice;
    const DocumentTable& t =
        *std::array{&a.optimumTable, &a.riskTable, &a.sensitivityTable}[static_cast<size_t>(table)];
    const int columns = static_cast<int>(t.header.size());
    const QStringList lines = layout_.split(QLatin1Char('\n'));
    qsizetype at = lines.indexOf(t.title);
    QVERIFY2(at >= 0, qPrintable(t.title));
    // The first heading line is the first with a start for nearly every column; the
    // first data line begins with the first row's first cell.
    while (++at < lines.size() && columnStarts(lines.at(at)).size() < columns - 1) { }
    const QList<int> heading = columnStarts(lines.value(at));
    while (++at < lines.size() && !lines.at(at).trimmed().startsWith(t.rows.value(0).value(0))) { }
    const QList<int> data = columnStarts(lines.value(at));
    // One of them may lack a column: the headings' over the row titles, the data's an empty note.
    const QList<int>& more = heading.size() >= data.size() ? heading : data;
    const QList<int>& fewer = heading.size() >= data.size() ? data : heading;
    QCOMPARE(more.size(), columns);
    QVERIFY(more.size() - fewer.size() <= 1);
    for (int start : fewer)
        QVERIFY2(more.contains(start), qPrintable(lines.value(at)));
}

void TestReport::everyWordInsideThePage()
{
    // pdftotext -bbox gives every word's box in points; the margins are 20 mm (56.7 pt).
    const QRegularExpressionMatch page =
        QRegularExpression(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re")).match(boxes_);
    QVERIFY(page.hasMatch());
    const double width = page.captured(1).toDouble(), height = page.captured(2).toDouble(), margin = 56.69 - 0.5;
    QCOMPARE(qRound(width), 595); // A4 portrait
    QCOMPARE(qRound(height), 842);
    int words = 0;
    const QRegularExpression box(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
    for (const QRegularExpressionMatch& w : box.globalMatch(boxes_)) {
        ++words;
        QVERIFY2(w.captured(1).toDouble() >= margin && w.captured(3).toDouble() <= width - margin &&
                     w.captured(2).toDouble() >= margin && w.captured(4).toDouble() <= height - margin,
                 qPrintable(w.captured(5)));
    }
    QVERIFY(words > 300);
}

void TestReport::odtHoldsTheTables()
{
    const QString odt = save("ReportOdtButton", QStringLiteral("informe.odt"));
    QCOMPARE(f_->files.suggestions.last(), QStringLiteral("Informe de fertilización nitrogenada.odt"));
    QFile file(odt);
    QVERIFY(file.open(QIODevice::ReadOnly));
    ZipArchive zip(file.readAll());
    QString error;
    const QString xml = QString::fromUtf8(zip.read(QStringLiteral("content.xml"), &error).value_or(QByteArray()));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(xml.count(QStringLiteral("<table:table ")), 3);
    QCOMPARE(xml.count(QStringLiteral("<draw:frame ")), 2); // the two charts
    for (const DocumentTable* t : {&content_.advice.optimumTable, &content_.advice.riskTable})
        for (const QString& cell : t->rows.value(0))
            QVERIFY2(xml.contains(QStringLiteral(">%1<").arg(cell.toHtmlEscaped())), qPrintable(cell));
}

void TestReport::copiedAsTablesAndText()
{
    f_->click("ReportWindow", "ReportCopyButton");
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->html().count(QStringLiteral("<table")), 3);
    TableDocument doses;
    doses.tables << DoseAdvice::flat(content_.advice.optimumTable);
    for (const QString& line : TableText::tabSeparated(doses).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        QVERIFY2(copied->text().contains(line), qPrintable(line));
    QVERIFY(copied->text().contains(content_.advice.recommendation.value(0)));
}

void TestReport::namesFromTheCase_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("season");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("advice"); // the printed advice's
    QTest::newRow("no case") << ""
                             << ""
                             << "Informe de fertilización nitrogenada"
                             << "Dosis recomendada";
    QTest::newRow("field and season") << "Lote 7"
                                      << "2026"
                                      << "Informe Lote 7 - Campaña 2026"
                                      << "Dosis recomendada Lote 7 - Campaña 2026";
}

void TestReport::namesFromTheCase()
{
    QFETCH(QString, field);
    QFETCH(QString, season);
    QFETCH(QString, name);
    QFETCH(QString, advice);
    f_->set->adviserCase().setIdentity({QString(), field, season, QString(), QString()});
    f_->click("ReportWindow", "ReportPrintButton");
    QCOMPARE(f_->printer.titles.last(), name);
    const QString printed = pdfText(f_->printer.files.last()).simplified();
    QVERIFY(printed.startsWith(content_.title));
    QCOMPARE(printed.contains(QStringLiteral("Establecimiento / lote: Lote 7")), !field.isEmpty());
    // The recommendation follows the level chosen for it.
    auto* level = f_->child<QComboBox>("ReportWindow", "ReportLevelChooser");
    level->setCurrentIndex(2);
    Q_EMIT level->activated(2);
    QVERIFY(report().content().advice.recommendationHeading.endsWith(QStringLiteral("80 %)")));
    QVERIFY(report().content().advice.recommendation != content_.advice.recommendation);
    level->setCurrentIndex(1);
    Q_EMIT level->activated(1);
    f_->click("ReportWindow", "ReportPdfButton"); // cancelled
    QCOMPARE(f_->files.suggestions.last(), name + QStringLiteral(".pdf"));
    // The printed advice takes its name from the case too.
    f_->click("RateAdviceWindow", "PrintAdviceButton");
    QCOMPARE(f_->reports.titles.last(), advice);
    QVERIFY(f_->errors.messages.isEmpty());
}

void TestReport::dosesAsTheAdviceShowsThem()
{
    // A curve fitted from trials carries its interval in the report as in the advice.
    f_->files.answers << QStringList{QStringLiteral(VELMARO_SOURCE_DIR "/tests/data/trials/replicada.csv")};
    f_->click("ResponseDataWindow", "FitTrialsButton");
    f_->click("ResponseDataWindow", "AcceptFitButton");
    f_->click("TForm1", "AdviceButton");
    auto* shown = f_->child<QTableWidget>("RateAdviceWindow", "OptimumTable");
    const DocumentTable doses = report().content().advice.optimumTable;
    QVERIFY(doses.header.value(2).startsWith(QStringLiteral("Intervalo")));
    QCOMPARE(doses.header.size(), shown->columnCount());
    QCOMPARE(doses.rows.size(), shown->rowCount());
    for (int r = 0; r < shown->rowCount(); ++r)
        for (int c = 0; c < shown->columnCount(); ++c)
            QCOMPARE(doses.rows.at(r).value(c), shown->item(r, c)->text());
    const QString pdf = save("ReportPdfButton", QStringLiteral("ensayos.pdf"));
    QVERIFY(pdfText(pdf, true).contains(shown->item(0, 2)->text()));
    f_->messages.answers << MessageBoxes::Answer::Yes; // back to the built-in table for the next run
    f_->click("ResponseDataWindow", "BuiltInTableButton");
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
