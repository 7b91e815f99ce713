#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/AdviserCase.h"
#include "core/CaseFile.h"
#include "core/CaseRecovery.h"
#include "core/CurveSelection.h"
#include "core/ResponseData.h"
#include "core/ScenarioSlots.h"

namespace {

// A case with its own models, as the program holds one.
struct Models {
    ScenarioSlots scenarioSlots;
    CurveSelection selection;
    ResponseData data;
    AdviserCase adviserCase{scenarioSlots, selection, data};
};

DataSourceFile source(const QString& path, const QByteArray& bytes)
{
    return {path, int(bytes.count('\n')), QDateTime(QDate(2025, 3, 14), QTime(9, 30, 12, 345)),
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())};
}

const QByteArray Csv = "codigo,nivel,a,b,c\nAGAA,20,2000.5,20.25,-0.0812\nAGAA,Medio,2100,21,-0.07\n"
                       "AGAA,80,2200,22,-0.06\n";
const QByteArray Fits = "codigo,nivel,a,b,c,meseta\nCLCB,Medio,1900,19.5,-0.05,125.5\n";
// The trial points behind Fits, as the program keeps them: its optimum has an interval.
const QByteArray Points = "codigo,nivel,n_disponible,rendimiento\nCLCB,Medio,0,1880\nCLCB,Medio,40,2650\n"
                          "CLCB,Medio,80,3120\nCLCB,Medio,120,3380\nCLCB,Medio,160,3390\n";
const QByteArray LaterFits = "codigo,nivel,a,b,c,meseta\nAGAA,20,2300,24,-0.06,\nAGAA,80,2400,23,-0.05,\n";

// What an adviser leaves after an afternoon: every part away from its first value.
AdviserCase::Content fullCase(const QString& dataKind)
{
    AdviserCase::Content c;
    c.identity = {QStringLiteral("García e hijos"), QStringLiteral("La Esperanza, lote 4"), QStringLiteral("2025/26"),
                  QStringLiteral("Ing. Ríos"), QStringLiteral("Antecesor soja.\nSiembra 2/6.")};
    for (int slot = 1; slot <= 3; ++slot) {
        SlotRecord& r = c.scenarios[slot - 1];
        r = SlotRecord::initial(slot);
        r.panelShown = true;
        r.active = slot != 2;
        r.siteName = QStringLiteral("Paraná");
        r.unitName = QStringLiteral("Loma %1").arg(slot);
        r.cultivarName = QStringLiteral("Ciclo largo");
        r.waterName = QStringLiteral("100 mm");
        r.siteLetter = QStringLiteral("B");
        r.code = QStringLiteral("BHC%1").arg(QChar(u'A' + slot));
        r.coefficients[1] = {QStringLiteral("2243.1"), QStringLiteral(" 27.210"), QStringLiteral("-0.0920"),
                             slot == 3 ? QStringLiteral("147.8") : QString()}; // a fitted plateau, kept
    }
    c.shownCurves = {true, false, true, false, false, true, true, false, false};
    c.offeredSlots = {true, false, true};
    c.grainPrice = QStringLiteral(" 231.5");
    c.costSource = AdviserCase::CostSource{3, QStringLiteral("350"), QStringLiteral("761")};
    c.nCost = QStringLiteral("761");
    c.soilSample = AdviserCase::SoilSample{{QStringLiteral("40"), QStringLiteral("20.0"), QStringLiteral("10.0")},
                                           {QStringLiteral("9.00"), QStringLiteral("4.50"), QStringLiteral("2.25")},
                                           {QStringLiteral("1300"), QStringLiteral("1250"), QStringLiteral("1200")},
                                           QStringLiteral("39.3"),
                                           {2, -1},
                                           {QStringLiteral("50"), QStringLiteral("0000")},
                                           QStringLiteral("23.0"),
                                           QStringLiteral("62")};
    c.referenceN = QStringLiteral("62");
    c.advice = {QStringLiteral("5"), {QStringLiteral("0.3"), QStringLiteral("0.4"), QStringLiteral("0.3")}, 3, false};
    if (dataKind.contains(u"csv")) {
        c.data.tableFiles = {source(QStringLiteral("/campo/tabla.csv"), Csv)};
        c.data.tableBytes = {Csv};
    }
    if (dataKind.contains(u"fixed")) {
        const QByteArray lines[3] = {"AGAA 2043.1 27.210  -0.0920\n", "AGAA 2143.1 26.210  -0.0910\n",
                                     "AGAA 2243.1 25.210  -0.0900\n"};
        for (const char* name : {"/campo/t20.txt", "/campo/tmedio.txt", "/campo/t80.txt"}) {
            c.data.tableBytes << lines[c.data.tableFiles.size()];
            c.data.tableFiles << source(QLatin1String(name), c.data.tableBytes.constLast());
        }
    }
    if (dataKind.contains(u"fits")) // two trial files, each with the curves it still supplies
        c.data.trials = {{source(QStringLiteral("/campo/ensayos.csv"), "trials"), Fits, Points},
                         {source(QStringLiteral("/campo/ensayos 2025.xlsx"), "later trials"), LaterFits, {}}};
    return c;
}

// The full case's file with one value changed, or removed (an undefined value).
QByteArray edited(const QStringList& where, const QJsonValue& value, const char* dataKind = "csv")
{
    const std::function<QJsonValue(QJsonValue, int)> edit = [&](QJsonValue node, int depth) -> QJsonValue {
        if (depth == where.size())
            return value;
        bool isIndex = false;
        const int index = where[depth].toInt(&isIndex);
        if (isIndex) {
            QJsonArray a = node.toArray();
            const QJsonValue changed = edit(a[index], depth + 1);
            if (changed.isUndefined())
                a.removeAt(index);
            else
                a[index] = changed;
            return a;
        }
        QJsonObject o = node.toObject();
        const QJsonValue changed = edit(o.value(where[depth]), depth + 1);
        if (changed.isUndefined())
            o.remove(where[depth]);
        else
            o[where[depth]] = changed;
        return o;
    };
    const QJsonValue root = QJsonDocument::fromJson(CaseFile::toJson(fullCase(QLatin1String(dataKind)))).object();
    return QJsonDocument(edit(root, 0).toObject()).toJson();
}

} // namespace

class TestCaseFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void badFileRefused_data();
    void badFileRefused();
    void pointsHeldAsTheDataKeepThem();
    void recoveryCopyFollowsChanges();
    void recoveryOfferAndRecover();
};

void TestCaseFile::roundTrip_data()
{
    QTest::addColumn<QString>("dataKind");
    for (const char* kind : {"built-in", "csv", "fixed", "fits", "csv+fits"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void TestCaseFile::roundTrip()
{
    QFETCH(QString, dataKind);
    const AdviserCase::Content content = fullCase(dataKind);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Lote 4.velmaro"));
    Models saved;
    QString error;
    QVERIFY2(saved.adviserCase.apply(content, &error), qPrintable(error));
    QVERIFY(saved.adviserCase.content() == content);
    QVERIFY(saved.adviserCase.isModified());
    QCOMPARE(CaseFile::save(saved.adviserCase, path), QString());
    QVERIFY(!saved.adviserCase.isModified());
    QCOMPARE(saved.adviserCase.displayName(), QStringLiteral("Lote 4"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // The texts as typed, blanks and all, under their own names.
    QVERIFY(bytes.contains(R"("formato": "velmaro-caso")") && bytes.contains(R"("version": 1)"));
    QVERIFY(bytes.contains(R"("precioGrano": " 231.5")") && bytes.contains(R"("b": " 27.210")"));

    Models reopened;
    QCOMPARE(CaseFile::open(reopened.adviserCase, path), QString());
    QVERIFY(reopened.adviserCase.content() == content);
    QVERIFY(!reopened.adviserCase.isModified());
    QCOMPARE(reopened.adviserCase.filePath(), path);
    QCOMPARE(CaseFile::toJson(reopened.adviserCase.content()), bytes); // to the character
    // The lookups rest on the stored data, not on files that are not there.
    QCOMPARE(reopened.data.table().lines(Level::Medio), saved.data.table().lines(Level::Medio));
    QCOMPARE(reopened.data.shortLabel(), saved.data.shortLabel());
    // A fitted curve keeps its trial points, and so the interval of its optimum.
    const ResponseTable& table = reopened.data.table();
    const CoefficientTexts fitted = table.coefficients(Level::Medio, table.find(QStringLiteral("CLCB")));
    QCOMPARE(reopened.data.fittedOptimum(QStringLiteral("CLCB"), Level::Medio, fitted, 0.03).has_value(),
             dataKind.contains(u"fits"));
    QCOMPARE(reopened.adviserCase.grainPriceReading().value, 231.5);
}

void TestCaseFile::badFileRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kind"); // a file, or what stands at the path instead
    QTest::addColumn<QString>("reason");
    const QString file = QStringLiteral("file");
    const QByteArray good = CaseFile::toJson(fullCase(QStringLiteral("csv")));
    QTest::newRow("not JSON") << QByteArray("Cliente: García\n") << file << "no es un archivo JSON";
    QTest::newRow("empty") << QByteArray("  \n") << file << "está vacío";
    QTest::newRow("another program's JSON")
        << QByteArray(R"({"name": "planilla", "version": 3})") << file << "JSON de otro programa";
    QTest::newRow("newer version") << edited({"version"}, 2) << file << "versión más nueva de Velmaro (formato 2";
    QTest::newRow("missing field") << edited({"economia", "costoN"}, QJsonValue::Undefined) << file
                                   << "falta el campo «economia.costoN»";
    QTest::newRow("extra field") << edited({"dosis", "color"}, "rojo") << file
                                 << "el campo «dosis.color» no es de un caso de Velmaro";
    QTest::newRow("risk scenario 4") << edited({"dosis", "escenarioRiesgo"}, 4) << file
                                     << "«dosis.escenarioRiesgo» debe ser un número entero de 1 a 3";
    QTest::newRow("product beyond the list") << edited({"economia", "asistenteCosto", "producto"}, 7) << file
                                             << "«economia.asistenteCosto.producto» debe ser un número entero de 0 a 6";
    QTest::newRow("coefficient not a number") << edited({"escenarios", "2", "coeficientes", "medio", "b"}, "veinte")
                                              << file << "«escenarios[3].coeficientes.medio.b» debe ser un número";
    QTest::newRow("a flag as text") << edited({"curvas", "mostradas", "4"}, "sí") << file
                                    << "«curvas.mostradas[5]» debe ser true o false";
    QTest::newRow("eight curves") << edited({"curvas", "mostradas", "8"}, QJsonValue::Undefined) << file
                                  << "debe ser una lista de 9 elementos";
    QTest::newRow("table changed by hand")
        << edited({"datos", "tabla", "0", "contenido"},
                  QString::fromLatin1(QByteArray(Csv).replace("2100", "2101").toBase64()))
        << file << "no coincide con su suma SHA-256";
    const QByteArray broken = QByteArray(Csv).replace("-0.07", "0.07");
    QJsonObject brokenFile = QJsonDocument::fromJson(good)["datos"]["tabla"][0].toObject();
    brokenFile["contenido"] = QString::fromLatin1(broken.toBase64());
    brokenFile["sha256"] = source({}, broken).sha256;
    QTest::newRow("stored table refused")
        << edited({"datos", "tabla", "0"}, brokenFile) << file
        << "los datos de respuesta guardados en el caso no son válidos: tabla.csv, línea 3";
    QTest::newRow("trial points unreadable")
        << edited({"datos", "ajustes", "0", "puntos"}, "codigo,nivel\nCLCB,Medio\n", "fits") << file
        << "«datos.ajustes[1].puntos» no se lee como ensayos";
    QTest::newRow("truncated") << good.left(good.size() / 2) << file << "termina antes de tiempo";
    // The comma after the adviser's name is missing: the parser stops at the next field's line.
    const QByteArray adviser = R"("asesor": "Ing. Ríos")";
    const qsizetype comma = good.indexOf(QByteArray(adviser + ',')) + adviser.size();
    QTest::newRow("comma missing")
        << QByteArray(good).remove(comma, 1) << file
        << QStringLiteral("no es un JSON válido (línea %1, columna").arg(good.left(comma).count('\n') + 2);
    QTest::newRow("huge") << QByteArray() << "huge"
                          << "es demasiado grande (17.0 MB";
    QTest::newRow("directory") << QByteArray() << "directory"
                               << "es una carpeta";
    QTest::newRow("pipe") << QByteArray() << "fifo"
                          << "no es un archivo común";
    QTest::newRow("no permission") << good << "unreadable"
                                   << "no tiene permiso para leerlo";
    QTest::newRow("gone") << QByteArray() << "missing"
                          << "el archivo no existe";
}

void TestCaseFile::badFileRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("malo.velmaro"));
    if (kind == u"directory") {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("malo.velmaro")));
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind != u"missing") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        if (kind == u"huge")
            QVERIFY(f.resize(17 * 1024 * 1024)); // sparse: nothing written
        if (kind == u"unreadable") {
            QVERIFY(f.setPermissions(QFileDevice::WriteOwner));
            if (::geteuid() == 0)
                QSKIP("the superuser reads any file");
        }
    }
    // A case on screen, which the refused file must leave exactly as it is.
    Models models;
    QString error;
    QVERIFY(models.adviserCase.apply(fullCase(QStringLiteral("fits")), &error));
    models.adviserCase.markSaved(folder.filePath(QStringLiteral("bueno.velmaro")));
    const AdviserCase::Content before = models.adviserCase.content();

    error = CaseFile::open(models.adviserCase, path);
    QVERIFY2(error.startsWith(QStringLiteral("No se pudo abrir el caso «malo.velmaro»: ")) && error.contains(reason),
             qPrintable(error));
    QVERIFY(models.adviserCase.content() == before);
    QCOMPARE(models.adviserCase.filePath(), folder.filePath(QStringLiteral("bueno.velmaro")));
    QVERIFY(!models.adviserCase.isModified());
}

void TestCaseFile::pointsHeldAsTheDataKeepThem()
{
    // Written by hand: decimals, and the points of a curve the fits do not supply.
    const QString byHand = QString::fromLatin1(QByteArray(Points).replace(",0,1880", ",0.0,1880.00")) +
        QStringLiteral("CLCB,20,0,1500\nCLCB,20,60,2100\nCLCB,20,120,2300\n");
    const CaseFile::Reading reading =
        CaseFile::parse(edited({"datos", "ajustes", "0", "puntos"}, byHand, "fits"), QStringLiteral("caso.velmaro"));
    QVERIFY2(reading.ok, qPrintable(reading.error));
    QCOMPARE(reading.content.data.trials.constFirst().pointsCsv, Points);
    // So the case put in place is the case read, and is not marked as changed.
    Models models;
    QString error;
    QVERIFY2(models.adviserCase.apply(reading.content, &error), qPrintable(error));
    QVERIFY(models.adviserCase.content() == reading.content);
}

void TestCaseFile::recoveryCopyFollowsChanges()
{
    QTemporaryDir folder;
    Models models;
    auto recovery = std::make_unique<CaseRecovery>(models.adviserCase, folder.path());
    const QString copy = recovery->copyPath();
    QVERIFY(copy.startsWith(folder.path()));

    // A change is in the copy within a few seconds; saving removes it.
    models.adviserCase.setIdentity({QStringLiteral("García"), {}, {}, {}, {}});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(copy), CaseRecovery::DelayMs + 5000);
    recovery->waitForWrites();
    const CaseFile::Reading reading = CaseFile::read(copy);
    QVERIFY2(reading.ok, qPrintable(reading.error));
    QVERIFY(reading.content == models.adviserCase.content());
    QCOMPARE(reading.casePath, std::optional<QString>(QString()));
    models.adviserCase.markSaved(folder.filePath(QStringLiteral("caso.velmaro")));
    recovery->waitForWrites();
    QVERIFY(!QFile::exists(copy));

    // Unsaved work at a clean exit: the copy goes too.
    models.adviserCase.setGrainPrice(QStringLiteral("240"));
    recovery->writeNow();
    recovery->waitForWrites();
    QVERIFY(QFile::exists(copy));
    recovery.reset();
    QVERIFY(!QFile::exists(copy));
    QVERIFY(QDir(folder.path()).isEmpty());
}

void TestCaseFile::recoveryOfferAndRecover()
{
    QTemporaryDir folder;
    const QString left = folder.filePath(QStringLiteral("recuperacion-20250314-093012-000-12345.velmaro"));
    const AdviserCase::Content content = fullCase(QStringLiteral("csv"));
    QCOMPARE(CaseFile::write(left, CaseFile::toJson(content, QStringLiteral("/campo/Lote 4.velmaro"))), QString());

    Models models;
    CaseRecovery recovery(models.adviserCase, folder.path());
    {
        // While its program runs (here: this one holds its lock), a copy is not offered.
        QLockFile running(left.chopped(7) + QStringLiteral("lock"));
        QVERIFY(running.tryLock(0));
        QVERIFY(!recovery.orphan());
    }
    const std::optional<CaseRecovery::Orphan> orphan = recovery.orphan();
    QVERIFY(orphan);
    QCOMPARE(orphan->path, left);
    QCOMPARE(CaseRecovery::offerText(QDateTime(QDate(2025, 3, 4), QTime(9, 5))),
             QStringLiteral("¿Recuperar el trabajo sin guardar del 04/03/2025 a las 09:05?"));

    QString error;
    QVERIFY2(recovery.recover(*orphan, &error), qPrintable(error));
    QVERIFY(models.adviserCase.content() == content);
    QVERIFY(models.adviserCase.isModified()); // still unsaved, now under this run's copy
    QCOMPARE(models.adviserCase.filePath(), QStringLiteral("/campo/Lote 4.velmaro"));
    recovery.waitForWrites();
    QVERIFY(!QFile::exists(left));
    QVERIFY(QFile::exists(recovery.copyPath()));
    QVERIFY(!recovery.orphan());
}

QTEST_GUILESS_MAIN(TestCaseFile)
#include "tst_casefile.moc"
