#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/CsvWriter.h"
#include "core/ResponseTableReader.h"
#include "core/ScenarioCodeList.h"
#include "core/SheetReader.h"
#include "core/TableText.h"
#include "core/XlsxWriter.h"

namespace {

QStringList all(const ResponseTable& t)
{
    return t.lines(Level::P20) + t.lines(Level::Medio) + t.lines(Level::P80);
}

QList<QStringList> cellTexts(const Sheet& sheet)
{
    QList<QStringList> rows;
    for (const SheetRow& row : QList<SheetRow>{sheet.header} + sheet.rows) {
        QStringList cells;
        for (const SheetCell& c : row.cells)
            cells << c.text;
        rows << cells;
    }
    return rows;
}

// A table with values finer than its columns and one code changed, besides the built-in one.
ResponseTable changedTable()
{
    return ResponseTableReader::apply(
        ResponseTable::builtIn(),
        ResponseTableReader::readCsv("codigo,nivel,a,b,c\nAGAA,20,2000.04,25.1236,-0.00003\nAGAA,Medio,2100,26,-0.09\n"
                                     "AGAA,80,2200,27,-0.1\n",
                                     "t.csv")
            .set);
}

} // namespace

class TestSheetWriters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanupTestCase();
    void exportedTablesReadBackUnchanged_data();
    void exportedTablesReadBackUnchanged();
    void csvCellsRoundTrip();
    void workbookHoldsNumbersAsNumbers();
    void clipboardTextUsesTheDecimalComma();

private:
    QTemporaryDir dir_;
};

void TestSheetWriters::cleanupTestCase()
{
    // For tests/data/sheets/make_sheets.py --check: the files as other programs read them.
    const QString keep = qEnvironmentVariable("VELMARO_WRITTEN");
    if (keep.isEmpty())
        return;
    QDir().mkpath(keep);
    for (const QString& name : QDir(dir_.path()).entryList(QDir::Files))
        QFile::copy(dir_.filePath(name), QDir(keep).filePath(name));
}

void TestSheetWriters::exportedTablesReadBackUnchanged_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format"); // -1 xlsx
    QTest::newRow("Spanish CSV") << "tabla_es.csv" << int(CsvWriter::Format::Spanish);
    QTest::newRow("international CSV") << "tabla_int.csv" << int(CsvWriter::Format::International);
    QTest::newRow("xlsx") << "tabla.xlsx" << -1;
}

void TestSheetWriters::exportedTablesReadBackUnchanged()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    const ResponseTable table = changedTable();
    QCOMPARE(table.coefficients(Level::P20, 0).c, QStringLiteral("-0.00003"));
    const QString path = dir_.filePath(name);
    const QList<QStringList> rows = ResponseTableReader::exportRows(table);
    QString error;
    QVERIFY2(format < 0 ? XlsxWriter::save(path, TableDocument::plain(rows), QStringLiteral("Tabla"), &error)
                        : CsvWriter::save(path, CsvWriter::bytes(rows, CsvWriter::Format(format)), &error),
             qPrintable(error));
    const ResponseTableReader::Result back = ResponseTableReader::read(SheetReader::read(path));
    QVERIFY2(back.ok, qPrintable(back.error));
    QCOMPARE(back.set.size(), ResponseTable::LineCount);
    QCOMPARE(all(ResponseTableReader::apply(ResponseTable::builtIn(), back.set)), all(table));

    // The codes list reads back with its names, accents and all.
    const QString codes = dir_.filePath(QStringLiteral("codigos_") + name);
    const TableDocument list = TableDocument::plain(ScenarioCodeList::rows());
    QVERIFY(format < 0 ? XlsxWriter::save(codes, list, QStringLiteral("Códigos"), &error)
                       : CsvWriter::save(codes, CsvWriter::bytes(list, CsvWriter::Format(format)), &error));
    const QList<QStringList> read = cellTexts(SheetReader::read(codes));
    QCOMPARE(read.size(), ResponseTable::LineCount + 1);
    QCOMPARE(read, ScenarioCodeList::rows());
}

void TestSheetWriters::csvCellsRoundTrip()
{
    const QList<QStringList> rows{
        {"texto", "número", "otro"}, {"a; b, \"c\"", "-0.25", " blancos "}, {"dos\nlíneas", "1500", "Escorpión"}};
    for (auto format : {CsvWriter::Format::Spanish, CsvWriter::Format::International}) {
        const QByteArray bytes = CsvWriter::bytes(rows, format);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const Sheet sheet = SheetReader::read(bytes, QStringLiteral("t.csv"));
        QVERIFY2(sheet.ok, qPrintable(sheet.error));
        QList<QStringList> expected = rows;
        expected[1][2] = QStringLiteral("blancos"); // a reader trims every cell
        if (format == CsvWriter::Format::Spanish)
            expected[1][1] = QStringLiteral("-0,25");
        QCOMPARE(cellTexts(sheet), expected);
    }
    QCOMPARE(CsvWriter::bytes({{"97.1", "007", "1e5"}}, CsvWriter::Format::Spanish),
             QByteArray("\xEF\xBB\xBF"
                        "97,1;007;1e5\r\n"));
}

void TestSheetWriters::workbookHoldsNumbersAsNumbers()
{
    TableDocument document;
    document.title = QStringLiteral("Velmaro: dosis recomendada");
    document.basis << QStringLiteral("Tolerancia (U$S/ha): 2.5");
    document.tables.append({QStringLiteral("Dosis"),
                            {"Curva", "N (kg/ha)", "Margen"},
                            {{"Escenario1-Medio", "114", "97.10"}},
                            {QStringLiteral("Valor de conocer la campaña: 5.0")}});
    const QString path = dir_.filePath(QStringLiteral("dosis.xlsx"));
    QString error;
    QVERIFY2(XlsxWriter::save(path, document, QStringLiteral("Dosis recomendada"), &error), qPrintable(error));
    const Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.ok, qPrintable(sheet.error));
    QCOMPARE(sheet.header.cells.first().text, document.title);
    QStringList lines;
    for (const SheetRow& row : sheet.rows) {
        QStringList cells;
        for (const SheetCell& c : row.cells)
            cells << (c.number ? u'#' + c.text : c.text);
        lines << QString::number(row.line) + u": " + cells.join(u'|');
    }
    QCOMPARE(lines,
             (QStringList{"2: Tolerancia (U$S/ha): 2.5", "4: Dosis", "5: Curva|N (kg/ha)|Margen",
                          "6: Escenario1-Medio|#114|#97.1", "7: Valor de conocer la campaña: 5.0"}));
    QVERIFY(
        !XlsxWriter::save(dir_.filePath(QStringLiteral("no/hay/carpeta.xlsx")), document, QStringLiteral("x"), &error));
    QVERIFY2(error.contains(QStringLiteral("no/hay/carpeta.xlsx")), qPrintable(error));
}

void TestSheetWriters::clipboardTextUsesTheDecimalComma()
{
    TableDocument document = TableDocument::plain({{"Curva", "Margen"}, {"Escenario1-Medio", "97.1"}});
    QCOMPARE(TableText::tabSeparated(document), QStringLiteral("Curva\tMargen\nEscenario1-Medio\t97,1\n"));
    QVERIFY(
        TableText::html(document).contains(QStringLiteral("<td>Escenario1-Medio</td><td align=\"right\">97,1</td>")));
}

QTEST_APPLESS_MAIN(TestSheetWriters)
#include "tst_sheetwriters.moc"
