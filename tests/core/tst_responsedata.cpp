#include <cmath>

#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/DataFileText.h"
#include "core/ResponseData.h"
#include "core/ResponseTableReader.h"
#include "core/SlotRecord.h"
#include "core/TrialFit.h"

namespace {

QByteArray resource(const char* name)
{
    QFile file(QStringLiteral(":/tables/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList allLines(const ResponseTable& t)
{
    return t.lines(Level::P20) + t.lines(Level::Medio) + t.lines(Level::P80);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A known curve with two plots per rate, +d and -d around it: the per-rate means lie on
// the curve, so least squares gives the curve back exactly and the residuals are ±d.
QByteArray trials(const char* code, const char* level, double a, double b, double c, QList<double> rates, double d)
{
    QByteArray out = "codigo,nivel,n_disponible,rendimiento\n";
    for (double n : rates)
        for (double sign : {1.0, -1.0})
            out += QStringLiteral("%1,%2,%3,%4\n")
                       .arg(QLatin1String(code), QLatin1String(level))
                       .arg(n)
                       .arg(a + b * n + c * n * n + sign * d, 0, 'f', 6)
                       .toUtf8();
    return out;
}

const QByteArray CsvHeader = "codigo,nivel,a,b,c\n";
const QByteArray ThreeLevels = "AGAA,20,2000.04,25.1236,-0.08236\nAGAA,Medio,2100,26,-0.09\nAGAA,80,2200,27,-0.1\n";

} // namespace

class TestResponseData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void csvTableReadsOrIsRefused_data();
    void csvTableReadsOrIsRefused();
    void fixedColumnFilesReadOrAreRefused_data();
    void fixedColumnFilesReadOrAreRefused();
    void loadedValuesEnterAsTableTexts();
    void exportedTableLoadsBackIdentical();
    void fitRecoversKnownCurves_data();
    void fitRecoversKnownCurves();
    void trialFileReadsOrIsRefused_data();
    void trialFileReadsOrIsRefused();
    void hugeFileIsRefusedUnread();
    void tableInUseChangesOnlyWhole();
    void choiceSurvivesARestart();
    void fitsFromSeveralTrialFilesComeBack_data();
    void fitsFromSeveralTrialFilesComeBack();
    void aPipeFolderOrDeviceIsRefusedUnopened_data();
    void aPipeFolderOrDeviceIsRefusedUnopened();
};

void TestResponseData::csvTableReadsOrIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error"); // empty: loads; otherwise the start of the message
    QTest::addColumn<int>("codes");

    QTest::newRow("three levels") << CsvHeader + ThreeLevels << QString() << 1;
    QTest::newRow("BOM and CRLF") << QByteArray("\xEF\xBB\xBF") +
            QByteArray(CsvHeader + ThreeLevels).replace("\n", "\r\n")
                                  << QString() << 1;
    QTest::newRow("blanks around fields")
        << CsvHeader + "AGAA , 20 , 2000 ,25, -0.08\nAGAA,Medio,2100,26,-0.09\nAGAA,80,2200,27,-0.1\n"
        << QString() << 1;
    QTest::newRow("empty") << QByteArray() << "t.csv: el archivo está vacío" << 0;
    QTest::newRow("only a BOM") << QByteArray("\xEF\xBB\xBF") << "t.csv: el archivo está vacío" << 0;
    QTest::newRow("a BOM and a CR") << QByteArray("\xEF\xBB\xBF\r") << "t.csv: el archivo está vacío" << 0;
    QTest::newRow("header only") << CsvHeader << "t.csv: no contiene ninguna línea de coeficientes" << 0;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\xff\xfe", 12) << "t.csv: no es un archivo de texto"
                            << 0;
    QTest::newRow("NUL inside") << CsvHeader + QByteArray("AGAA,20,1\0,2,3\n", 15)
                                << "t.csv: no es un archivo de texto (contiene bytes nulos" << 0;
    QTest::newRow("Spanish locale: semicolons, decimal commas, Spanish heading")
        << QByteArray("Código;Nivel;A;B;C\nagaa;20;2000;25,5;-0,08\nAGAA;medio;2100;26;-0,09\nAGAA;80 %;2200;27;-0,1\n")
        << QString() << 1;
    QTest::newRow("decimal comma in a comma file")
        << CsvHeader + "AGAA,20,2000,5,25,1,-0,08\n"
        << "t.csv, línea 2, columna 6: la línea tiene 8 columnas separadas por ',' y el encabezado 5 (¿coma decimal?"
        << 0;
    QTest::newRow("unknown code") << CsvHeader + "AQAA,20,2000,25,-0.08\n"
                                  << "t.csv, línea 2, columna 1 (codigo): 'AQAA' no es un código de escenario válido"
                                  << 0;
    QTest::newRow("a code with a blank") << CsvHeader + "AG AA,20,2000,25,-0.08\n"
                                         << "t.csv, línea 2, columna 1 (codigo): 'AG AA'" << 0;
    QTest::newRow("bad level") << CsvHeader + "AGAA,50,2000,25,-0.08\n"
                               << "t.csv, línea 2, columna 2 (nivel): nivel '50': debe ser 20, Medio u 80" << 0;
    QTest::newRow("duplicate") << CsvHeader + ThreeLevels + "AGAA,Medio,2100,26,-0.09\n"
                               << "t.csv, línea 5: código AGAA, nivel Medio repetido (ya está en la línea 3)" << 0;
    QTest::newRow("missing level") << CsvHeader + "AGAA,20,2000,25,-0.08\nAGAA,80,2200,27,-0.1\n"
                                   << "t.csv, línea 2, columna 2 (nivel): falta el nivel Medio del código AGAA" << 0;
    QTest::newRow("not a number") << CsvHeader + "AGAA,20,2000,25x,-0.08\n"
                                  << "t.csv, línea 2, columna 4 (b): '25x' no es un número" << 0;
    QTest::newRow("nan") << CsvHeader + "AGAA,20,nan,25,-0.08\n"
                         << "t.csv, línea 2, columna 3 (a): 'nan' no es un número" << 0;
    QTest::newRow("a too large") << CsvHeader + "AGAA,20,10000,25,-0.08\n"
                                 << "t.csv, línea 2, columna 3 (a): a = 10000 fuera del rango admitido (20.64 a 9999.9)"
                                 << 0;
    QTest::newRow("c too convex") << CsvHeader + "AGAA,20,2000,25,0.002\n"
                                  << "t.csv, línea 2, columna 5 (c): c = 0.002 fuera del rango admitido (-1.9 a 0.001)"
                                  << 0;
    QTest::newRow("fault after good lines") << CsvHeader + ThreeLevels + "BGAA,20,2000,-1,-0.08\n"
                                            << "t.csv, línea 5, columna 4 (b): b = -1 fuera del rango" << 0;
}

void TestResponseData::csvTableReadsOrIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(int, codes);
    const ResponseTableReader::Result result = ResponseTableReader::readCsv(bytes, QStringLiteral("t.csv"));
    QVERIFY2(result.error.startsWith(error) && result.error.isEmpty() == error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.ok, error.isEmpty());
    QCOMPARE(result.set.size(), codes);
}

void TestResponseData::fixedColumnFilesReadOrAreRefused_data()
{
    QTest::addColumn<QByteArray>("p20");
    QTest::addColumn<QByteArray>("medio");
    QTest::addColumn<QString>("error");

    const QByteArray l20 = "AGAA 1885.9 15.770  -0.0529\nDDDB 2282.7  2.300   0.0001\n";
    const QByteArray lMedio = "AGAA 1965.1 24.000  -0.0820\nDDDB 2325.8 12.740  -0.0540\n";
    QTest::newRow("two codes") << l20 << lMedio << QString();
    QTest::newRow("CRLF") << QByteArray(l20).replace("\n", "\r\n") << lMedio << QString();
    QTest::newRow("a code missing in Medio")
        << l20 << QByteArray("AGAA 1965.1 24.000  -0.0820\n")
        << "medio.txt: falta el código DDDB (nivel Medio), que está en 20.txt, línea 2";
    QTest::newRow("short line") << QByteArray("AGAA 1885.9 15.770\n") << lMedio
                                << "20.txt, línea 1: línea de 18 caracteres; una línea de la tabla tiene al menos 27";
    QTest::newRow("field across a column") << QByteArray("AGAA 1885.90 5.770  -0.0529\n") << lMedio
                                           << "20.txt, línea 1, columna 12: debe estar en blanco y contiene '0'";
    QTest::newRow("decimal comma")
        << QByteArray("AGAA 1885,9 15.770  -0.0529\n") << lMedio
        << "20.txt, línea 1, columna 6-11 (a): '1885,9' no es un número (el separador decimal es el punto)";
    QTest::newRow("duplicate") << l20 + "AGAA 1885.9 15.770  -0.0529\n"
                               << lMedio
                               << "20.txt, línea 3, columna 1-4 (código): código AGAA repetido (ya está en la línea 1)";
    QTest::newRow("trailing text") << QByteArray("AGAA 1885.9 15.770  -0.0529 x\n") << lMedio
                                   << "20.txt, línea 1, columna 28 y siguientes: texto después de la columna 27";
}

void TestResponseData::fixedColumnFilesReadOrAreRefused()
{
    QFETCH(QByteArray, p20);
    QFETCH(QByteArray, medio);
    QFETCH(QString, error);
    const QByteArray p80 = "AGAA 2243.1 27.210  -0.0920\nDDDB 2746.3 18.62   -0.0750\n";
    const auto result = ResponseTableReader::readFixedColumns({p20, medio, p80}, {"20.txt", "medio.txt", "80.txt"});
    QVERIFY2(result.error.startsWith(error) && result.error.isEmpty() == error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.ok, error.isEmpty());
    if (result.ok) { // the values, not their texts: DDDB's 20 % c is the one positive c
        QCOMPARE(result.set.value("DDDB")[Level::P20]->c, 0.0001);
        QCOMPARE(result.set.value("AGAA")[Level::P80]->b, 27.21);
    }
}

void TestResponseData::loadedValuesEnterAsTableTexts()
{
    const auto result = ResponseTableReader::readCsv(CsvHeader + ThreeLevels, QStringLiteral("t.csv"));
    QVERIFY(result.ok);
    const ResponseTable& builtIn = ResponseTable::builtIn();
    const ResponseTable table = ResponseTableReader::apply(builtIn, result.set);
    QCOMPARE(table.validate(), QStringList());

    SlotRecord slot = SlotRecord::initial(1);
    slot.code = QStringLiteral("AGAA");
    QVERIFY(slot.lookUp(table));
    QStringList nine;
    for (const CoefficientTexts& t : slot.coefficients)
        nine << t.a << t.b << t.c;
    // Written with more decimals than the table's columns hold, kept as written.
    QCOMPARE(nine,
             (QStringList{"2000.04", "25.1236", "-0.08236", "2100.0", "26.000 ", "-0.0900", "2200.0", "27.000 ",
                          "-0.1000"}));
    // Every other line is the built-in one, character for character.
    for (Level level : {Level::P20, Level::Medio, Level::P80})
        for (int row = 1; row < ResponseTable::LineCount; ++row)
            QCOMPARE(table.lines(level)[row], builtIn.lines(level)[row]);

    // The widest values the ranges admit at the table's precision keep to their columns;
    // a c too small for them is not rounded to 0, and is warned of when it is positive.
    const CoefficientTexts wide = ResponseTableReader::texts({9999.9, 508.2, -1.9});
    QCOMPARE(wide.a + u'|' + wide.b + u'|' + wide.c, QStringLiteral("9999.9|508.200|-1.9000"));
    const auto small = ResponseTableReader::readCsv(
        "codigo;nivel;a;b;c\nAGAA;20;2000;25;-0,00003\nAGAA;Medio;2000;25;0,00004\nAGAA;80;2000;25;0\n", "t.csv");
    QVERIFY2(small.ok, qPrintable(small.error));
    QCOMPARE(small.warnings, QStringList{"AGAA Medio: c = 4e-05 > 0, la curva sube sin máximo"});
    const ResponseTable smallTable = ResponseTableReader::apply(builtIn, small.set);
    QCOMPARE(smallTable.validate(), QStringList());
    QCOMPARE(smallTable.coefficients(Level::P20, 0).c, QStringLiteral("-0.00003"));
    QCOMPARE(smallTable.coefficients(Level::P80, 0).c, QStringLiteral(" 0.0000"));
}

void TestResponseData::exportedTableLoadsBackIdentical()
{
    const ResponseTable& builtIn = ResponseTable::builtIn();
    // A changed table (one code rewritten) and the built-in one, with its mixed 80 % forms.
    const ResponseTable changed =
        ResponseTableReader::apply(builtIn, ResponseTableReader::readCsv(CsvHeader + ThreeLevels, "t.csv").set);
    for (const ResponseTable* table : {&builtIn, &changed}) {
        const QByteArray csv = ResponseTableReader::exportCsv(*table);
        QCOMPARE(csv.count('\n'), 1 + 3 * ResponseTable::LineCount);
        const auto back = ResponseTableReader::readCsv(csv, QStringLiteral("exportada.csv"));
        QVERIFY2(back.ok, qPrintable(back.error));
        QCOMPARE(back.set.size(), ResponseTable::LineCount);
        const ResponseTable reloaded = ResponseTableReader::apply(builtIn, back.set);
        QCOMPARE(allLines(reloaded), allLines(*table));
        QCOMPARE(ResponseTableReader::exportCsv(reloaded), csv);
    }
    // The built-in files themselves load as a fixed-column table and change nothing.
    const auto fixed = ResponseTableReader::readFixedColumns(
        {resource("response_20.txt"), resource("response_medio.txt"), resource("response_80.txt")},
        {"response_20.txt", "response_medio.txt", "response_80.txt"});
    QVERIFY2(fixed.ok, qPrintable(fixed.error));
    QCOMPARE(fixed.set.size(), ResponseTable::LineCount);
    QCOMPARE(allLines(ResponseTableReader::apply(builtIn, fixed.set)), allLines(builtIn));
}

void TestResponseData::fitRecoversKnownCurves_data()
{
    QTest::addColumn<QList<double>>("rates");
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("noise");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<QStringList>("warnings");

    const QList<double> six{0, 40, 80, 120, 160, 200};
    QTest::newRow("exact") << six << -0.08 << 0.0 << true << QStringList();
    QTest::newRow("noisy plots") << six << -0.08 << 150.0 << true << QStringList();
    QTest::newRow("high rates, centring matters") << QList<double>{500, 550, 600, 650} << -0.0001 << 10.0 << true
                                                  << QStringList{"el máximo cae fuera del rango ensayado"};
    QTest::newRow("three rates") << QList<double>{40, 120, 200} << -0.08 << 0.0 << true
                                 << QStringList{"menos de 4 dosis distintas"};
    QTest::newRow("no maximum") << six << 0.0005 << 50.0 << true << QStringList{"curva sin máximo (c ≥ 0)"};
    QTest::newRow("maximum beyond the trials") << QList<double>{0, 20, 40, 60} << -0.08 << 0.0 << true
                                               << QStringList{"el máximo cae fuera del rango ensayado"};
    QTest::newRow("two rates") << QList<double>{40, 200} << -0.08 << 0.0 << false
                               << QStringList{"menos de 3 dosis distintas: no se ajusta"};
    QTest::newRow("all N equal") << QList<double>{120} << -0.08 << 30.0 << false
                                 << QStringList{"menos de 3 dosis distintas: no se ajusta"};
}

void TestResponseData::fitRecoversKnownCurves()
{
    QFETCH(QList<double>, rates);
    QFETCH(double, c);
    QFETCH(double, noise);
    QFETCH(bool, usable);
    QFETCH(QStringList, warnings);
    const double a = 1900.0, b = 24.0;
    const TrialFit::Reading reading = TrialFit::read(trials("AGAA", "Medio", a, b, c, rates, noise), "ensayos.csv");
    QVERIFY2(reading.ok, qPrintable(reading.error));
    QCOMPARE(reading.fits.size(), 1);
    const TrialFit::Fit& fit = reading.fits.first();
    QCOMPARE(fit.points, 2 * int(rates.size()));
    QCOMPARE(fit.distinctRates, int(rates.size()));
    QCOMPARE(fit.usable, usable);
    QCOMPARE(fit.warnings, warnings);
    QCOMPARE(TrialFit::usable(reading.fits).size(), usable ? 1 : 0);
    if (!usable)
        return;
    QCOMPARE(fit.nMinimum, rates.first());
    QCOMPARE(fit.nMaximum, rates.last());
    // Yields are written to 1e-6 kg/ha; the coefficients come back to that accuracy.
    QVERIFY2(std::fabs(fit.coefficients.a - a) < 1e-3, qPrintable(QString::number(fit.coefficients.a, 'g', 12)));
    QVERIFY2(std::fabs(fit.coefficients.b - b) < 1e-5, qPrintable(QString::number(fit.coefficients.b, 'g', 12)));
    QVERIFY2(std::fabs(fit.coefficients.c - c) < 1e-8, qPrintable(QString::number(fit.coefficients.c, 'g', 12)));
    // Residuals are ±noise at every plot: SSE = n·noise², n - 3 degrees of freedom.
    const int n = fit.points;
    if (noise == 0.0) {
        QVERIFY(fit.residualError < 1e-4);
        QVERIFY(fit.rSquared > 1.0 - 1e-12);
    } else {
        QVERIFY(std::fabs(fit.residualError - noise * std::sqrt(double(n) / (n - 3))) < 1e-4);
        QVERIFY(fit.rSquared < 1.0 && fit.rSquared > 0.0);
    }
}

void TestResponseData::trialFileReadsOrIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QByteArray header = "codigo,nivel,n_disponible,rendimiento\n";
    QTest::newRow("CRLF and BOM") << "\xEF\xBB\xBF" +
            QByteArray(header + "AGAA,20,40,2000\nAGAA,20,80,2500\nAGAA,20,120,2700\n").replace("\n", "\r\n")
                                  << QString();
    QTest::newRow("empty") << QByteArray("\n\n") << "e.csv: el archivo está vacío";
    QTest::newRow("table header") << CsvHeader
                                  << "e.csv, línea 1: faltan las columnas 'n_disponible', 'rendimiento'; el "
                                     "encabezado debe nombrar las columnas codigo, nivel, n_disponible, rendimiento";
    QTest::newRow("Spanish locale") << QByteArray("codigo;nivel;N disponible (kg/ha);rendimiento\nAGAA;20;40;2074,5\n"
                                                  "AGAA;20;80;2500\nAGAA;20;120,5;2700\n")
                                    << QString();
    QTest::newRow("decimal comma in a comma file")
        << header + "AGAA,20,40,2000,5\n"
        << "e.csv, línea 2, columna 5: la línea tiene 5 columnas separadas por ',' y el encabezado 4 (¿coma decimal?";
    QTest::newRow("negative N") << header + "AGAA,20,-40,2000\n"
                                << "e.csv, línea 2, columna 3 (n_disponible): -40 fuera del rango admitido (0 a 1000)";
    QTest::newRow("yield as text") << header + "AGAA,20,40,dos mil\n"
                                   << "e.csv, línea 2, columna 4 (rendimiento): 'dos mil' no es un número";
    QTest::newRow("bad code") << header + "AGA,20,40,2000\n"
                              << "e.csv, línea 2, columna 1 (codigo): 'AGA' no es un código de escenario válido";
    QTest::newRow("Windows-1252") << header + "AGAA,20,40,2000 \xe9\n"
                                  << "e.csv, línea 2, columna 4 (rendimiento): '2000 é' no es un número";
}

void TestResponseData::trialFileReadsOrIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const TrialFit::Reading reading = TrialFit::read(bytes, QStringLiteral("e.csv"));
    QVERIFY2(reading.error.startsWith(error) && reading.error.isEmpty() == error.isEmpty(), qPrintable(reading.error));
    QCOMPARE(reading.ok, error.isEmpty());
    QCOMPARE(reading.fits.isEmpty(), !error.isEmpty());
}

void TestResponseData::hugeFileIsRefusedUnread()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grande.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(50 * 1024 * 1024)); // 50 MB, sparse
    file.close();
    const DataFileText::Result result = DataFileText::read(path);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QStringLiteral("grande.csv: el archivo es demasiado grande (50.0 MB; el máximo es 4 MB)"));
    QVERIFY(result.bytes.isEmpty());
}

void TestResponseData::tableInUseChangesOnlyWhole()
{
    QTemporaryDir dir;
    ResponseData data;
    QSignalSpy changed(&data, &ResponseData::changed);
    const ResponseTable& inUse = data.table(); // the reference every lookup holds
    QCOMPARE(data.shortLabel(), QStringLiteral("datos: incorporados"));

    QString error;
    const QString good = writeFile(dir, "propia.csv", CsvHeader + ThreeLevels);
    QVERIFY2(data.loadTable({good}, &error), qPrintable(error));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(inUse.coefficients(Level::P20, 0).a, QStringLiteral("2000.04"));
    QCOMPARE(data.shortLabel(), QStringLiteral("datos: propia.csv"));
    QCOMPARE(data.codesFromFiles(), 1);
    QCOMPARE(data.files().first().lineCount, 4);
    QCOMPARE(data.files().first().sha256,
             QString::fromLatin1(
                 QCryptographicHash::hash(QByteArray(CsvHeader + ThreeLevels), QCryptographicHash::Sha256).toHex()));

    // A file broken on its last line changes nothing, not even its good lines.
    const QStringList before = allLines(inUse);
    const QString broken = writeFile(
        dir, "rota.csv", CsvHeader + "BGAA,20,2000,25,-0.08\nBGAA,Medio,2100,26,-0.09\nBGAA,80,2200,27,abc\n");
    QVERIFY(!data.loadTable({broken}, &error));
    QCOMPARE(error, QStringLiteral("rota.csv, línea 4, columna 5 (c): 'abc' no es un número"));
    QVERIFY(!data.loadTable({dir.filePath("no_existe.csv")}, &error));
    QVERIFY(!data.loadTable({good, good}, &error));
    QCOMPARE(allLines(inUse), before);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(data.shortLabel(), QStringLiteral("datos: propia.csv"));

    // Three files are told apart by their names.
    QVERIFY(ResponseData::orderByLevel({"t_80.txt", "tabla_2023_Medio.txt", "resp20.txt"}, &error) ==
            QStringList({"resp20.txt", "tabla_2023_Medio.txt", "t_80.txt"}));
    for (const QStringList& names : {QStringList{"a.txt", "b.txt", "c.txt"},
                                     {"t2080.txt", "t_medio.txt", "t_80.txt"},
                                     {"t_20_80.txt", "t_medio.txt", "t_80.txt"}})
        QVERIFY(ResponseData::orderByLevel(names, &error).isEmpty());

    data.useBuiltIn();
    QCOMPARE(allLines(inUse), allLines(ResponseTable::builtIn()));
    QCOMPARE(data.shortLabel(), QStringLiteral("datos: incorporados"));
}

void TestResponseData::choiceSurvivesARestart()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("velmaro.ini"), QSettings::IniFormat);
    const QString table = writeFile(dir, "propia.csv", CsvHeader + ThreeLevels);
    const QString trialFile =
        writeFile(dir, "ensayos.csv", trials("BGAA", "80", 1500, 20, -0.06, {0, 60, 120, 180}, 40));
    QString error;
    QStringList inUse;
    {
        ResponseData data;
        QVERIFY(data.loadTable({table}, &error));
        const TrialFit::Reading reading = TrialFit::read(DataFileText::read(trialFile).bytes, "ensayos.csv");
        QVERIFY(data.useFits(reading.fits, trialFile, DataFileText::read(trialFile).bytes, &error));
        QCOMPARE(data.shortLabel(), QStringLiteral("datos: propia.csv + ensayos.csv"));
        QCOMPARE(data.codesFromFiles(), 2);
        data.save(settings);
        inUse = allLines(data.table());
    }
    QVERIFY(inUse != allLines(ResponseTable::builtIn()));
    {
        ResponseData next;
        QVERIFY2(next.restore(settings, &error), qPrintable(error));
        QCOMPARE(allLines(next.table()), inUse);
        QCOMPARE(next.shortLabel(), QStringLiteral("datos: propia.csv + ensayos.csv"));
        // The trial file is named with its own lines and checksum, as when it was read.
        const DataSourceFile trial = next.files().last();
        QCOMPARE(trial.path, trialFile);
        QCOMPARE(trial.lineCount, 9);
        QCOMPARE(
            trial.sha256,
            QString::fromLatin1(
                QCryptographicHash::hash(DataFileText::read(trialFile).bytes, QCryptographicHash::Sha256).toHex()));
    }
    // The table file turns invalid: a message, the built-in table under the fits for now,
    // and the choice kept, so that every next start tries it again.
    writeFile(dir, "propia.csv", CsvHeader + "AGAA,20,x,1,1\n");
    for (int start = 0; start < 2; ++start) {
        ResponseData next;
        QVERIFY(!next.restore(settings, &error));
        QVERIFY(error.startsWith(QStringLiteral("propia.csv, línea 2, columna 3 (a): 'x' no es un número\n")));
        QCOMPARE(next.shortLabel(), QStringLiteral("datos: ensayos.csv"));
    }
}

void TestResponseData::fitsFromSeveralTrialFilesComeBack_data()
{
    // Known curves, each recovered by its fit.
    const QByteArray medio1500 = trials("AGAA", "Medio", 1500, 30, -0.1, {0, 60, 120, 180}, 40);
    const QByteArray medio1700 = trials("AGAA", "Medio", 1700, 25, -0.08, {0, 60, 120, 180}, 40);
    const QByteArray p80 = trials("AGAA", "80", 1800, 22, -0.07, {0, 60, 120, 180}, 40).mid(38); // no header
    const QByteArray bgaa = trials("BGAA", "80", 1600, 20, -0.06, {0, 60, 120, 180}, 40);
    QTest::addColumn<QList<QByteArray>>("files"); // t1.csv, t2.csv ... accepted in this order
    QTest::addColumn<QStringList>("replaced");    // what the last acceptance takes over
    QTest::addColumn<QByteArray>("curves");       // the curves in use over the built-in table
    QTest::addColumn<QString>("label");
    const QByteArray m1500 = "AGAA,Medio,1500,30,-0.1\n", m1700 = "AGAA,Medio,1700,25,-0.08\n",
                     b80 = "BGAA,80,1600,20,-0.06\n";
    QTest::newRow("other codes") << QList<QByteArray>{medio1500, bgaa} << QStringList() << m1500 + b80
                                 << "datos: t1.csv + t2.csv";
    QTest::newRow("the same curve: the later wins")
        << QList<QByteArray>{medio1500, medio1700} << QStringList{"AGAA Medio (t1.csv)"} << m1700 << "datos: t2.csv";
    QTest::newRow("the same code, another level stays")
        << QList<QByteArray>{medio1500 + p80, medio1700} << QStringList{"AGAA Medio (t1.csv)"}
        << m1700 + "AGAA,80,1800,22,-0.07\n"
        << "datos: t1.csv + t2.csv";
    QTest::newRow("three files") << QList<QByteArray>{medio1500, bgaa, medio1700} << QStringList{"AGAA Medio (t1.csv)"}
                                 << m1700 + b80 << "datos: t2.csv + t3.csv";
}

void TestResponseData::fitsFromSeveralTrialFilesComeBack()
{
    QFETCH(QList<QByteArray>, files);
    QFETCH(QStringList, replaced);
    QFETCH(QByteArray, curves);
    QFETCH(QString, label);
    QTemporaryDir dir;
    QSettings settings(dir.filePath("velmaro.ini"), QSettings::IniFormat);
    const QStringList expected = allLines(ResponseTableReader::apply(
        ResponseTable::builtIn(), ResponseTableReader::readCsv(CsvHeader + curves, "t.csv", false).set));
    QString error;
    {
        ResponseData data;
        for (int i = 0; i < files.size(); ++i) {
            const QString name = QStringLiteral("t%1.csv").arg(i + 1);
            const TrialFit::Reading reading = TrialFit::read(files[i], name);
            if (i + 1 == files.size())
                QCOMPARE(data.curvesReplacedBy(reading.fits), replaced);
            QVERIFY(data.useFits(reading.fits, writeFile(dir, name, files[i]), files[i], &error));
        }
        QCOMPARE(allLines(data.table()), expected);
        data.save(settings);
    }
    ResponseData next;
    QVERIFY2(next.restore(settings, &error), qPrintable(error));
    QCOMPARE(allLines(next.table()), expected);
    QCOMPARE(next.shortLabel(), label);
}

void TestResponseData::aPipeFolderOrDeviceIsRefusedUnopened_data()
{
    QTest::addColumn<QString>("path"); // empty: a pipe
    QTest::addColumn<QString>("error");
    QTest::newRow("pipe") << QString() << "tuberia.csv: no es un archivo común";
    QTest::newRow("folder") << "/tmp"
                            << "tmp: es una carpeta, no un archivo";
    QTest::newRow("device") << "/dev/zero"
                            << "zero: no es un archivo común";
}

void TestResponseData::aPipeFolderOrDeviceIsRefusedUnopened()
{
    QFETCH(QString, path);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QSettings settings(dir.filePath("velmaro.ini"), QSettings::IniFormat);
    const QString file = writeFile(dir, "tuberia.csv", CsvHeader + ThreeLevels);
    ResponseData data;
    QVERIFY(data.loadTable({file}, &error) && data.save(settings));
    QVERIFY(QFile::remove(file) && ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
    ::alarm(10); // a reader waiting for the pipe's writer ends the test here
    QVERIFY(DataFileText::read(path.isEmpty() ? file : path).error.startsWith(error));
    QString said; // also as the table chosen in the session before
    QVERIFY(!ResponseData().restore(settings, &said) && said.startsWith("tuberia.csv: no es un archivo común"));
    ::alarm(0);
}

QTEST_APPLESS_MAIN(TestResponseData)
#include "tst_responsedata.moc"
