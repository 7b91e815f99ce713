#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QStringEncoder>
#include <QTableWidget>

#include "WindowSetFixture.h"
#include "core/BatchAdvice.h"
#include "core/CurveSelection.h"
#include "core/ResponseData.h"
#include "core/ScenarioSlots.h"
#include "core/SheetReader.h"
#include "support/PdfText.h"

// "velmaro --lote": the real program, run with no display and no usable window system,
// on the same fields written in every dialect it takes; its numbers are those the dose
// advice window shows for the same inputs, and its exit status tells how the run went.
namespace {

// One field as the adviser types it into the windows and into the sheet.
struct Field {
    const char* lot;
    const char* written;              // the code as written in the sheet, or empty for the names below
    const char* code;                 // the code the windows compose
    std::array<const char*, 4> names; // sitio, unidad, agua, cultivar
    const char *grain, *cost, *product, *productPrice, *reference, *level, *tolerance;
    std::array<const char*, 3> weights;
};

const QList<Field> Good{
    {"Lote 1", "AGAA", "AGAA", {}, "115", "600", "", "", "40", "", "", {"", "", ""}},
    {"La Loma, norte", "dcab", "DCAB", {}, "172.5", "650", "", "", "55", "Medio", "0", {"", "", ""}},
    {"Bajo \"El Ñandú\"",
     "",
     "D@BC",
     {"Paraná", "tacuara", "SECO", "Guapo"},
     "160",
     "",
     "urea",
     "350",
     "30",
     "80",
     "5",
     {"0.2", "0.5", "0.3"}},
    {"Escorpión", "ESDA", "ESDA", {}, "140", "900", "CAN - 27%", "", "120", "", "2.5", {"", "", ""}},
};
// Each refused for the column named.
struct Refused {
    Field field;
    const char* column;
    int at;
};
const QList<Refused> Bad{
    {{"Norte", "ZZZZ", "", {}, "115", "600", "", "", "40", "", "", {"", "", ""}}, "codigo", 2},
    {{"Sur", "AGAA", "", {}, "abc", "600", "", "", "40", "", "", {"", "", ""}}, "precio_grano", 7},
    {{"Este", "AGAA", "", {}, "115", "", "", "", "40", "", "", {"", "", ""}}, "costo_n", 8},
    {{"Oeste", "AGAA", "", {}, "115", "600", "", "", "2000", "", "", {"", "", ""}}, "n_referencia", 11},
    {{"Centro", "AGAA", "", {}, "115", "600", "", "", "40", "", "", {"0.5", "0.5", "0.5"}}, "peso_20", 14},
};

QStringList cellsOf(const Field& f)
{
    QStringList cells{QString::fromUtf8(f.lot), QString::fromUtf8(f.written)};
    for (const char* name : f.names)
        cells << QString::fromUtf8(name);
    for (const char* value : {f.grain, f.cost, f.product, f.productPrice, f.reference, f.level, f.tolerance,
                              f.weights[0], f.weights[1], f.weights[2]})
        cells << QString::fromUtf8(value);
    return cells;
}

// The sheet in a dialect: separator, decimal comma, encoding, line end.
QByteArray sheet(const QList<QStringList>& rows, QChar separator, const char* encoding, const char* end)
{
    QString text;
    for (QStringList cells : rows) {
        for (QString& cell : cells) {
            if (separator != u',' && QRegularExpression(QStringLiteral("^[0-9]+\\.[0-9]+$")).match(cell).hasMatch())
                cell.replace(u'.', u',');
            if (cell.contains(separator) || cell.contains(u'"'))
                cell = u'"' + cell.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        }
        text += cells.join(separator) + QLatin1String(end);
    }
    QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}

struct Run {
    int status = -1;
    QString errors;
};

// The program with no display and a window system that does not exist: a window, or
// even a GUI application, would end it at once. With `unset`, no window system is named,
// as over SSH.
Run velmaro(const QStringList& arguments, bool unset = false)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    if (unset)
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VELMARO_PROGRAM), arguments);
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardError())};
}

// The output's rows as written, numbers with a point.
QList<QStringList> outputRows(const QString& path)
{
    const Sheet sheet = SheetReader::read(path);
    QList<QStringList> rows;
    for (const SheetRow& row : QList<SheetRow>{sheet.header} + sheet.rows) {
        QStringList cells;
        for (const SheetCell& cell : row.cells)
            cells << (QRegularExpression(QStringLiteral("^-?[0-9]+,[0-9]+$")).match(cell.text).hasMatch()
                          ? QString(cell.text).replace(u',', u'.')
                          : cell.text);
        while (cells.size() < BatchAdvice::ColumnCount)
            cells << QString();
        rows << cells;
    }
    return rows;
}

} // namespace

class TestBatchCommand : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyDialectGivesTheSameRows_data();
    void everyDialectGivesTheSameRows();
    void numbersAreTheAdviceWindows_data();
    void numbersAreTheAdviceWindows();
    void exitStatuses_data();
    void exitStatuses();
    void aReportPerAdvisedField();

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    void showInWindows(WindowSetFixture& f, const Field& field) const;
    QTemporaryDir dir_;
    QList<QStringList> rows_; // header first: the good fields, then the bad ones
};

void TestBatchCommand::initTestCase()
{
    rows_ << QStringList{"lote",
                         "codigo",
                         "Sitio",
                         "unidad",
                         "agua",
                         "Cultivar",
                         "Precio del grano (U$S/t)",
                         "costo_n",
                         "producto",
                         "precio_producto",
                         "N de referencia",
                         "nivel",
                         "tolerancia",
                         "peso_20",
                         "peso_medio",
                         "peso_80"};
    for (const Field& f : Good)
        rows_ << cellsOf(f);
    for (const Refused& r : Bad)
        rows_ << cellsOf(r.field);
    QFile own(path("propia.csv"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("codigo;nivel;a;b;c\nAGAA;20;1800;30;-0,11\nAGAA;Medio;2000;32,5;-0,12\nAGAA;80;2300;35;-0,125\n");
}

void TestBatchCommand::everyDialectGivesTheSameRows_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format"); // Sheet::Format
    const QByteArray comma = sheet(rows_, u',', "UTF-8", "\n");
    QTest::newRow("comma, UTF-8") << comma << int(Sheet::Format::Csv);
    QTest::newRow("semicolon, decimal comma, Windows-1252, CR LF")
        << sheet(rows_, u';', "windows-1252", "\r\n") << int(Sheet::Format::Csv);
    QTest::newRow("tab, UTF-16 with mark") << sheet(rows_, u'\t', "UTF-16LE", "\n") << int(Sheet::Format::Csv);
    QTest::newRow("semicolon, UTF-8 with mark, CR") << sheet(rows_, u';', "UTF-8", "\r") << int(Sheet::Format::Csv);
    // The same fields in spreadsheets LibreOffice made from them (make_sheets.sh).
    const QString folder = QStringLiteral(VELMARO_SOURCE_DIR "/tests/data/batch/");
    QFile csv(folder + u"campos.csv"), xlsx(folder + u"campos.xlsx"), ods(folder + u"campos.ods");
    QVERIFY(csv.open(QIODevice::ReadOnly) && xlsx.open(QIODevice::ReadOnly) && ods.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), comma.mid(3)); // without the mark
    QTest::newRow("Excel workbook") << xlsx.readAll() << int(Sheet::Format::Xlsx);
    QTest::newRow("OpenDocument spreadsheet") << ods.readAll() << int(Sheet::Format::Ods);
}

void TestBatchCommand::everyDialectGivesTheSameRows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    QFile in(path(QStringLiteral("campos.csv")));
    QVERIFY(in.open(QIODevice::WriteOnly) && in.write(bytes) == bytes.size());
    in.close();
    const Run run = velmaro({"--lote", in.fileName(), "--salida", path("dosis.csv")});
    QCOMPARE(run.status, 1);
    const QList<QStringList> rows = outputRows(path("dosis.csv"));
    // One row per level asked for (three, one, one, three), then the refused ones.
    QCOMPARE(rows.size(), 1 + 8 + Bad.size());
    QCOMPARE(rows.first(), BatchAdvice::headings());
    for (qsizetype b = 0; b < Bad.size(); ++b) {
        const QStringList& row = rows[1 + 8 + b];
        const int line = int(2 + Good.size() + b);
        QCOMPARE(row[BatchAdvice::Lot], QString::fromUtf8(Bad[b].field.lot));
        QVERIFY2(row[BatchAdvice::Error].startsWith(QLatin1String(Bad[b].column)), qPrintable(row.join(u'|')));
        QVERIFY2(row[BatchAdvice::Margin].isEmpty(), qPrintable(row.join(u'|')));
        // The reason on standard error names the file, the line and the column.
        QVERIFY2(run.errors.contains(Sheet::where(QStringLiteral("campos.csv"), Sheet::Format(format), line, Bad[b].at,
                                                  QLatin1String(Bad[b].column), {})),
                 qPrintable(run.errors));
    }
    QCOMPARE(rows[4][BatchAdvice::Lot], QStringLiteral("La Loma, norte"));
    QCOMPARE(rows[5][BatchAdvice::Scenario], QStringLiteral("Paraná - Tacuara - Guapo - Seco"));
    QCOMPARE(rows[5][BatchAdvice::Lot], QStringLiteral("Bajo \"El Ñandú\""));
    // Every dialect gives what the first gave.
    static QList<QStringList> first;
    if (first.isEmpty()) {
        first = rows;
        // Written as a workbook, the same rows, numbers as numbers ("52.0" is 52 there).
        QCOMPARE(velmaro({"--lote", in.fileName(), "--salida", path("dosis.xlsx")}).status, 1);
        const QList<QStringList> book = outputRows(path("dosis.xlsx"));
        QCOMPARE(book.size(), rows.size());
        for (qsizetype r = 0; r < rows.size(); ++r)
            for (qsizetype c = 0; c < rows[r].size(); ++c)
                if (book[r][c] != rows[r][c]) {
                    bool number = false;
                    const double value = rows[r][c].toDouble(&number);
                    QVERIFY2(number && book[r][c].toDouble() == value, qPrintable(book[r][c] + u'|' + rows[r][c]));
                }
    }
    QCOMPARE(rows, first);
}

void TestBatchCommand::showInWindows(WindowSetFixture& f, const Field& field) const
{
    const QString code = QString::fromUtf8(field.code);
    f.set->scenarioSlots().confirm(1, "s", "u", "c", "w", code.mid(0, 1), code.mid(1, 1), code.mid(2, 1),
                                   code.mid(3, 1));
    f.click("TForm1", "ToolButton13"); // Graficar
    Q_EMIT f.set->yieldChart().activated();
    f.click("TForm3", "ToolButton10"); // the economic chart
    f.set->curveSelectionModel().setShown(Curves::number(1, Level::P20), true);
    f.set->curveSelectionModel().setShown(Curves::number(1, Level::P80), true);
    const auto type = [&f](const char* window, const char* edit, const char* text) {
        if (*text)
            f.child<QLineEdit>(window, edit)->setText(QString::fromUtf8(text));
    };
    type("TForm20", "Edit1", field.grain);
    type("TForm20", "Edit2", field.cost);
    type("TForm20", "Edit3", field.reference);
    const int product = QString::fromUtf8(field.product) == u"urea" ? 1 : *field.product ? 3 : -1;
    if (product >= 0)
        f.child<QComboBox>("TForm21", "ComboBox1")->setCurrentIndex(product);
    if (*field.productPrice) {
        type("TForm21", "Edit1", field.productPrice);
        f.click("TForm21", "Button1"); // Calcular
        f.click("TForm21", "Button2"); // Regresar
    }
    f.set->economicChart().onActivated();
    f.click("TForm20", "RateAdviceButton");
    type("RateAdviceWindow", "ToleranceEdit", field.tolerance);
    type("RateAdviceWindow", "Weight20Edit", field.weights[0]);
    type("RateAdviceWindow", "WeightMedioEdit", field.weights[1]);
    type("RateAdviceWindow", "Weight80Edit", field.weights[2]);
    Q_EMIT f.child<QLineEdit>("RateAdviceWindow", "ToleranceEdit")->returnPressed();
    Q_EMIT f.child<QLineEdit>("RateAdviceWindow", "Weight80Edit")->returnPressed();
}

void TestBatchCommand::numbersAreTheAdviceWindows_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("ownData");
    for (int i = 0; i < Good.size(); ++i)
        QTest::addRow("%s", Good[i].lot) << i << false;
    QTest::newRow("own table") << 0 << true;
    QTest::newRow("own table, product price") << 2 << true;
}

void TestBatchCommand::numbersAreTheAdviceWindows()
{
    QFETCH(int, field);
    QFETCH(bool, ownData);
    QFile in(path(QStringLiteral("campos.csv")));
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write(sheet(rows_, u';', "UTF-8", "\n"));
    in.close();
    QStringList arguments{"--lote", in.fileName(), "--salida", path("dosis.csv")};
    if (ownData)
        arguments << "--datos" << path("propia.csv");
    QCOMPARE(velmaro(arguments).status, 1);
    const QList<QStringList> rows = outputRows(path("dosis.csv"));

    QSettings(QStringLiteral("Velmaro"), QStringLiteral("velmaro")).clear(); // no table of an earlier run
    WindowSetFixture f;
    if (ownData) {
        QString error;
        QVERIFY2(f.set->responseData().loadTable({path("propia.csv")}, &error), qPrintable(error));
    }
    showInWindows(f, Good[field]);
    QVERIFY2(f.errors.messages.isEmpty(), qPrintable(f.errors.messages.join(u'\n')));
    const auto* optimum = f.child<QTableWidget>("RateAdviceWindow", "OptimumTable");
    const auto* risk = f.child<QTableWidget>("RateAdviceWindow", "RiskTable");
    const auto shown = [](const QTableWidget* t, int r, int c) { return t->item(r, c)->text(); };
    int compared = 0;
    for (const QStringList& row : rows) {
        if (row[BatchAdvice::Line] != QString::number(2 + field))
            continue;
        QCOMPARE(row[BatchAdvice::DataSource], f.set->responseData().shortLabel());
        int r = 0;
        while (r < optimum->rowCount() &&
               shown(optimum, r, 0) != u"Escenario1-" + QString(row[BatchAdvice::LevelColumn]).remove(u' '))
            ++r;
        QVERIFY2(r < optimum->rowCount(), qPrintable(row[BatchAdvice::LevelColumn]));
        const QString product = shown(optimum, r, 3) == u"–" ? QString() : shown(optimum, r, 3);
        const QStringList fromWindow{shown(optimum, r, 1), shown(optimum, r, 2), product,
                                     shown(optimum, r, 4), shown(optimum, r, 5), shown(optimum, r, 6)};
        QCOMPARE(row.mid(BatchAdvice::OptimumN, 6), fromWindow);
        QCOMPARE(row[BatchAdvice::RangeLow] + u" - " + row[BatchAdvice::RangeHigh], shown(optimum, r, 7));
        QVERIFY(row[BatchAdvice::Notes].endsWith(shown(optimum, r, 8)));
        double largestLoss = 0;
        for (int c = 3; c <= 5; ++c)
            largestLoss = std::max(largestLoss, shown(risk, 4, c).toDouble());
        const QStringList riskFromWindow{shown(risk, 3, 0), shown(risk, 3, 1), shown(risk, 3, 6),
                                         shown(risk, 4, 0), shown(risk, 4, 1), QString::number(largestLoss, 'f', 1),
                                         shown(risk, 5, 0), shown(risk, 5, 1), shown(risk, 5, 7)};
        QCOMPARE(row.mid(BatchAdvice::ExpectedN, 9), riskFromWindow);
        QCOMPARE(row[BatchAdvice::ValueOfKnowing],
                 f.child<QLabel>("RateAdviceWindow", "ValueOfKnowingLabel")->text().section(QStringLiteral(": "), 1));
        ++compared;
    }
    QCOMPARE(compared, *Good[field].level ? 1 : 3);
}

void TestBatchCommand::exitStatuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("told");
    const QString good = QStringLiteral("lote,codigo,precio_grano,costo_n,n_referencia\nA,AGAA,115,600,40\n");
    QTest::newRow("every row advised") << QStringList{good} << 0 << "";
    QTest::newRow("own table") << QStringList{good, "--datos", "propia.csv"} << 0 << "";
    QTest::newRow("a column missing") << QStringList{"lote,codigo,costo_n,n_referencia\nA,AGAA,600,40\n"} << 2
                                      << "campos.csv, línea 1: falta la columna 'precio_grano'";
    QTest::newRow("not a sheet") << QStringList{QString::fromLatin1("\x01\x02\0\0binario", 11)} << 2
                                 << "campos.csv: no es un archivo de texto";
    QTest::newRow("a quote never closed") << QStringList{good + "B,\"AGAA,115,600,40\n"} << 2 << "comilla sin cerrar";
    QTest::newRow("no such data") << QStringList{good, "--datos", "ninguna.csv"} << 2 << "ninguna.csv";
    QTest::newRow("no output") << QStringList{good, "--salida"} << 2 << "--salida";
}

void TestBatchCommand::exitStatuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, told);
    QFile in(path(QStringLiteral("campos.csv")));
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write(arguments.takeFirst().toLatin1());
    in.close();
    QFile::remove(path("dosis.csv"));
    QStringList full{"--lote", in.fileName()};
    if (arguments.value(0) != u"--salida")
        full << "--salida" << path("dosis.csv");
    for (const QString& a : arguments)
        full << (a.endsWith(u".csv") ? path(a) : a);
    const Run run = velmaro(full);
    QCOMPARE(run.status, status);
    QVERIFY2(run.errors.contains(told), qPrintable(run.errors));
    // A run that could not read its files leaves no output behind.
    QCOMPARE(QFile::exists(path("dosis.csv")), status != 2);
}

void TestBatchCommand::aReportPerAdvisedField()
{
    // Two fields of one name, a refused one, and the reports beside the output.
    QFile in(path(QStringLiteral("informes.csv")));
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write("lote;codigo;precio_grano;costo_n;n_referencia\nNorte;AGAA;115;600;40\nNorte;DCAB;172,5;650;55\n"
             "Sur;ZZZZ;115;600;40\n");
    in.close();
    const QString folder = path(QStringLiteral("informes"));
    const Run run =
        velmaro({"--lote", in.fileName(), "--salida", path("informes-dosis.csv"), "--informes", folder}, true);
    QCOMPARE(run.status, 1);
    QDir reports(folder);
    QCOMPARE(reports.entryList(QDir::Files), (QStringList{"Informe Norte (línea 3).pdf", "Informe Norte.pdf"}));
    // Each report carries its own field's dose, as the output gives it at the Medio level.
    const QList<QStringList> rows = outputRows(path("informes-dosis.csv"));
    for (const auto& [name, line] :
         {std::pair{"Informe Norte.pdf", "2"}, std::pair{"Informe Norte (línea 3).pdf", "3"}}) {
        const QString text = pdfText(reports.filePath(QString::fromUtf8(name))).simplified();
        QVERIFY2(!text.isEmpty(), name);
        for (const QStringList& row : rows)
            if (row[BatchAdvice::Line] == QLatin1String(line) && row[BatchAdvice::LevelColumn] == u"Medio")
                QVERIFY2(text.contains(QStringLiteral("aplicar %1 kg N/ha").arg(row[BatchAdvice::Dose])),
                         qPrintable(text.left(600)));
    }
}

QTEST_MAIN(TestBatchCommand)
#include "tst_batchcommand.moc"
