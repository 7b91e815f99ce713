#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include "core/CellNumber.h"
#include "core/SheetColumns.h"
#include "core/SheetReader.h"
#include "core/TrialFit.h"

namespace {

// The rows of a sheet as "line: cell|cell", the header first.
QStringList rowsOf(const Sheet& sheet)
{
    QStringList out;
    for (const SheetRow& row : QList<SheetRow>{sheet.header} + sheet.rows) {
        QStringList cells;
        for (const SheetCell& c : row.cells)
            cells << c.text;
        out << QString::number(row.line) + u": " + cells.join(u'|');
    }
    return out;
}

QByteArray utf16(const QString& text, QStringConverter::Encoding encoding)
{
    return QByteArray(QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text));
}

const QString Trial = QStringLiteral("código;N disponible;rendimiento\nAGAA;40;2074,5\n\"bgaa\";\"80\";\"2.100,0\"\n");
const QStringList TrialRows{"1: código|N disponible|rendimiento", "2: AGAA|40|2074,5", "3: bgaa|80|2.100,0"};

} // namespace

class TestSheetReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textVariantsGiveTheSameRows_data();
    void textVariantsGiveTheSameRows();
    void badFilesAreRefusedForTheirRealCause_data();
    void badFilesAreRefusedForTheirRealCause();
    void cellNumbersAreReadOrRefused_data();
    void cellNumbersAreReadOrRefused();
    void headingsAreFoundByMeaning_data();
    void headingsAreFoundByMeaning();
    void everySavedVariantGivesTheSameFits_data();
    void everySavedVariantGivesTheSameFits();
    void damagedSheetsAreRefused_data();
    void damagedSheetsAreRefused();
};

void TestSheetReader::textVariantsGiveTheSameRows_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("rows");

    const QByteArray utf8 = Trial.toUtf8();
    QTest::newRow("UTF-8") << utf8 << ";" << TrialRows;
    QTest::newRow("UTF-8 with BOM, CRLF")
        << "\xEF\xBB\xBF" + QByteArray(utf8).replace("\n", "\r\n") << ";" << TrialRows;
    QTest::newRow("CR alone") << QByteArray(utf8).replace('\n', '\r') << ";" << TrialRows;
    QTest::newRow("Windows-1252") << QByteArray(QStringEncoder(QStringConverter::Latin1).encode(Trial)) << ";"
                                  << TrialRows;
    QTest::newRow("UTF-16 LE, tabs") << utf16(QString(Trial).replace(u';', u'\t'), QStringConverter::Utf16LE) << "\t"
                                     << TrialRows;
    QTest::newRow("UTF-16 BE") << utf16(Trial, QStringConverter::Utf16BE) << ";" << TrialRows;
    QTest::newRow("blank lines first, empty columns last")
        << QByteArray("\n  \ncodigo;n;;\r\nAGAA;40;;\n\n;;;\nBGAA;80\n") << ";"
        << QStringList{"3: codigo|n", "4: AGAA|40", "7: BGAA|80"};
    QTest::newRow("quotes hold separators, quotes and line ends")
        << QByteArray("a,b\n\"x, \"\"y\"\"\",\"dos\nlíneas\"\n3,4\n") << ","
        << QStringList{"1: a|b", "2: x, \"y\"|dos\nlíneas", "4: 3|4"};
    QTest::newRow("a comma inside a quoted heading")
        << QByteArray("\"a,b\";c\n1;2\n") << ";" << QStringList{"1: a,b|c", "2: 1|2"};
}

void TestSheetReader::textVariantsGiveTheSameRows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, separator);
    QFETCH(QStringList, rows);
    const Sheet sheet = SheetReader::read(bytes, QStringLiteral("t.csv"));
    QVERIFY2(sheet.ok, qPrintable(sheet.error));
    QCOMPARE(rowsOf(sheet), rows);
    QCOMPARE(QString(sheet.separator), separator);
    QCOMPARE(sheet.decimalComma, separator != u",");
}

void TestSheetReader::badFilesAreRefusedForTheirRealCause_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << QByteArray("\xEF\xBB\xBF\r\n \n") << "t.csv: el archivo está vacío";
    QTest::newRow("UTF-16 without its mark") << QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(Trial))
                                             << "t.csv: parece texto UTF-16 sin marca de orden de bytes";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << "t.csv: no es un archivo de texto";
    QTest::newRow("a control character") << QByteArray("a;b\n1;\x01\n")
                                         << "t.csv, línea 2, columna 3: carácter de control U+0001";
    QTest::newRow("a quote left open") << QByteArray("a;b\n1;\"2\n3;4\n")
                                       << "t.csv, línea 2, columna 2: comilla sin cerrar";
    QTest::newRow("text after a closing quote")
        << QByteArray("a;b\n1;\"2\"x\n") << "t.csv, línea 2, columna 2: texto después de la comilla";
    QTest::newRow("Excel 97") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest")
                              << "t.csv: es un libro de Excel 97-2003 (.xls)";
    QTest::newRow("a cut archive") << QByteArray("PK\x03\x04\x14\0\0\0\x08\0", 10)
                                   << "t.csv: el archivo comprimido está incompleto";
    QTest::newRow("too large")
        << QByteArray(4 * 1024 * 1024 + 1, 'x')
        << "t.csv: el archivo es demasiado grande (4194305 bytes; el máximo es 4194304 bytes, 4 MB)";
}

void TestSheetReader::badFilesAreRefusedForTheirRealCause()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const Sheet sheet = SheetReader::read(bytes, QStringLiteral("t.csv"));
    QVERIFY2(!sheet.ok && sheet.error.startsWith(error), qPrintable(sheet.error));
    QVERIFY(sheet.rows.isEmpty());
}

void TestSheetReader::cellNumbersAreReadOrRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stored"); // a spreadsheet's number
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("error");
    QTest::newRow("point") << "2074.5" << false << false << 2074.5 << QString();
    QTest::newRow("point where a comma may be") << "0.25" << false << true << 0.25 << QString();
    QTest::newRow("comma") << " -0,00003 " << false << true << -0.00003 << QString();
    QTest::newRow("stored, three decimals") << "1.234" << true << true << 1.234 << QString();
    QTest::newRow("stored, exponent") << "-3e-05" << true << true << -0.00003 << QString();
    QTest::newRow("comma in a comma file")
        << "2,5" << false << false << 0.0 << "'2,5': en un archivo separado por comas el separador decimal es el punto";
    QTest::newRow("both marks") << "2.074,5" << false << true << 0.0
                                << "'2.074,5' lleva punto y coma: no se adivina cuál es el separador decimal; dé a la "
                                   "columna un formato de número sin separador de miles";
    QTest::newRow("both marks, English") << "1,234.5" << false << true << 0.0 << "'1,234.5' lleva punto y coma";
    QTest::newRow("grouping") << "1.234.567" << false << true << 0.0 << "'1.234.567' lleva separador de miles";
    QTest::newRow("a thousands point?") << "4.500" << false << true << 0.0
                                        << "'4.500' puede ser un número con separador de miles o con tres decimales; "
                                           "escríbalo sin separador de miles y con coma decimal (4500 o 4,500)";
    QTest::newRow("three decimals in a comma file") << "4.500" << false << false << 4.5 << QString();
    QTest::newRow("text") << "dos mil" << false << true << 0.0 << "'dos mil' no es un número";
    QTest::newRow("empty") << "" << false << true << 0.0 << "falta el número";
}

void TestSheetReader::cellNumbersAreReadOrRefused()
{
    QFETCH(QString, text);
    QFETCH(bool, stored);
    QFETCH(bool, decimalComma);
    QFETCH(double, value);
    QFETCH(QString, error);
    const NumberText::Reading reading = CellNumber::read({text, stored}, decimalComma);
    QVERIFY2(reading.error.startsWith(error) && reading.ok == error.isEmpty(), qPrintable(reading.error));
    QCOMPARE(reading.value, value);
}

void TestSheetReader::headingsAreFoundByMeaning_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("cells"); // the cells of the first row, by column
    QTest::newRow("any order, accents, case, units, blanks")
        << QByteArray("Rendimiento (kg/ha);Bloque;N_Disponible;CÓDIGO\n3000;1;40;agaa\n") << QString()
        << "agaa|40|3000|";
    QTest::newRow("optional column present")
        << QByteArray("codigo,n,rendimiento,meseta\nAGAA,40,3000,120\n") << QString() << "AGAA|40|3000|120";
    QTest::newRow("missing") << QByteArray("codigo,n\nAGAA,40\n")
                             << "t.csv, línea 1: falta la columna 'rendimiento'; el encabezado debe nombrar las "
                                "columnas codigo, n_disponible, rendimiento, meseta (optativa) (se leyó como CSV "
                                "separado por ',': «codigo | n»)"
                             << QString();
    QTest::newRow("one column") << QByteArray("codigo nivel\n")
                                << "t.csv, línea 1: faltan las columnas 'codigo', 'n_disponible', 'rendimiento'; el "
                                   "encabezado debe nombrar las columnas codigo, n_disponible, rendimiento, meseta "
                                   "(optativa) (se leyó una sola columna, «codigo nivel»"
                                << QString();
    QTest::newRow("twice") << QByteArray("codigo;n;rinde;rendimiento\n")
                           << "t.csv, línea 1, columna 4: la columna 'rendimiento' está dos veces (también en la "
                              "columna 3)"
                           << QString();
    QTest::newRow("decimal comma splits a row") << QByteArray("codigo,n,rendimiento\nAGAA,40,3000,5\n")
                                                << "t.csv, línea 2, columna 4: la línea tiene 4 columnas separadas "
                                                   "por ',' y el encabezado 3 (¿coma decimal?"
                                                << QString();
}

void TestSheetReader::headingsAreFoundByMeaning()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(QString, cells);
    const Sheet sheet = SheetReader::read(bytes, QStringLiteral("t.csv"));
    QVERIFY2(sheet.ok, qPrintable(sheet.error));
    SheetColumns columns({{QStringLiteral("codigo"), {}, true},
                          {QStringLiteral("n_disponible"), {QStringLiteral("n")}, true},
                          {QStringLiteral("rendimiento"), {QStringLiteral("rinde")}, true},
                          {QStringLiteral("meseta"), {}, false}});
    QString fault;
    if (columns.match(sheet, &fault) && !sheet.rows.isEmpty())
        columns.checkWidth(sheet, sheet.rows.first(), &fault);
    QVERIFY2(fault.startsWith(error) && fault.isEmpty() == error.isEmpty(), qPrintable(fault));
    if (!error.isEmpty())
        return;
    QStringList read;
    for (int k = 0; k < 4; ++k)
        read << columns.cell(sheet.rows.first(), k).text;
    QCOMPARE(read.join(u'|'), cells);
}

// The trial saved by LibreOffice in Spanish (Argentina) in every form an adviser may
// choose (tests/data/sheets/make_sheets.py): each gives the fits of the international CSV.
void TestSheetReader::everySavedVariantGivesTheSameFits_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"ensayo.xlsx", "ensayo.ods", "ensayo_es_utf8.csv", "ensayo_es_bom.csv",
                             "ensayo_es_1252.csv", "ensayo_es_comillas.csv", "ensayo_unicode.txt", "ensayo_mac.csv",
                             "ensayo_blancos.csv", "ensayo_desde_xlsx.csv"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSheetReader::everySavedVariantGivesTheSameFits()
{
    QFETCH(QString, name);
    const QString folder = QStringLiteral(VELMARO_SOURCE_DIR "/tests/data/sheets/");
    const TrialFit::Reading reference = TrialFit::read(SheetReader::read(folder + u"ensayo_internacional.csv"));
    QVERIFY2(reference.ok, qPrintable(reference.error));
    QCOMPARE(reference.lineCount, 14);
    QCOMPARE(reference.fits.size(), 2);
    const TrialFit::Reading reading = TrialFit::read(SheetReader::read(folder + name));
    QVERIFY2(reading.ok, qPrintable(reading.error));
    QCOMPARE(reading.lineCount, reference.lineCount);
    QCOMPARE(reading.fits.size(), reference.fits.size());
    for (qsizetype k = 0; k < reading.fits.size(); ++k) {
        const TrialFit::Fit& fit = reading.fits[k];
        const TrialFit::Fit& expected = reference.fits[k];
        QCOMPARE(fit.code + ResponseTable::levelName(fit.level),
                 expected.code + ResponseTable::levelName(expected.level));
        QCOMPARE(fit.points, expected.points);
        QCOMPARE(fit.coefficients.a, expected.coefficients.a);
        QCOMPARE(fit.coefficients.b, expected.coefficients.b);
        QCOMPARE(fit.coefficients.c, expected.coefficients.c);
    }
}

void TestSheetReader::damagedSheetsAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("formula error, xlsx") << "error_formula.xlsx"
                                         << "error_formula.xlsx, fila 3, columna D: la fórmula da el error #DIV/0!";
    QTest::newRow("formula error, ods") << "error_formula.ods"
                                        << "error_formula.ods, fila 3, columna D: la fórmula da el error #DIV/0!";
    QTest::newRow("date") << "fecha.xlsx"
                          << "fecha.xlsx, fila 3, columna C: la celda tiene formato de fecha";
    QTest::newRow("date, ods") << "fecha.ods"
                               << "fecha.ods, fila 3, columna C: la celda es una fecha";
    QTest::newRow("merged, ods") << "combinadas.ods"
                                 << "combinadas.ods, fila 2, columna A: celdas combinadas";
    QTest::newRow("merged, xlsx") << "combinadas.xlsx"
                                  << "combinadas.xlsx, fila 2, columna A: celdas combinadas";
    QTest::newRow("cut") << "cortado.xlsx"
                         << "cortado.xlsx: el archivo comprimido está incompleto";
    QTest::newRow("zip bomb") << "bomba.xlsx"
                              << "bomba.xlsx: el contenido descomprimido pasa de 32 MB";
}

void TestSheetReader::damagedSheetsAreRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, error);
    const Sheet sheet = SheetReader::read(QStringLiteral(VELMARO_SOURCE_DIR "/tests/data/sheets/") + name);
    QVERIFY2(!sheet.ok && sheet.error.startsWith(error), qPrintable(sheet.error));
    QVERIFY(sheet.rows.isEmpty());
}

QTEST_APPLESS_MAIN(TestSheetReader)
#include "tst_sheetreader.moc"
