// The batch command's rows: fields per second and the peak memory of a million fields.
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "ChildRun.h"
#include "PeakMemory.h"
#include "VelmaroBench.h"
#include "core/ResponseTable.h"

namespace {

constexpr int RateFields = 100'000;
constexpr int RateRuns = 5;
constexpr int MemoryFields = 1'000'000;

// Fields as a Spanish-locale spreadsheet saves them (semicolons, decimal commas): every
// scenario code, grain prices, N costs and reference N spread over what advisers use.
bool writeFields(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QStringList& lines = ResponseTable::builtIn().lines(Level::P20);
    QRandomGenerator random(27);
    QByteArray text = "lote;codigo;precio_grano;costo_n;n_referencia\n";
    for (int i = 0; i < count; ++i) {
        const int grain = 1000 + random.bounded(1500); // tenths of U$S/t
        text += "Lote " + QByteArray::number(i) + ';' + lines[random.bounded(lines.size())].left(4).toLatin1() + ';' +
            QByteArray::number(grain / 10) + ',' + QByteArray::number(grain % 10) + ';' +
            QByteArray::number(400 + random.bounded(800)) + ';' + QByteArray::number(20 + random.bounded(130)) + '\n';
        if (text.size() > (1 << 20)) {
            if (file.write(text) != text.size())
                return false;
            text.clear();
        }
    }
    return file.write(text) == text.size();
}

// Lines of the output: a heading, then a row per field and level.
qint64 lineCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    qint64 lines = 0;
    while (!file.atEnd())
        lines += file.read(1 << 20).count('\n');
    return lines;
}

} // namespace

void VelmaroBench::batchRate(Figures& figures)
{
    // The program as an adviser starts it, without a window: the whole run, reading and
    // writing included, per field.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString input = folder.filePath(QStringLiteral("campos.csv"));
    const QString output = folder.filePath(QStringLiteral("dosis.csv"));
    QVERIFY(writeFields(input, RateFields));
    for (int i = 0; i < 1 + RateRuns; ++i) {
        const ChildRun::Result r = ChildRun::run(probe("velmaro_batch_probe"),
                                                 {QStringLiteral("--lote"), input, QStringLiteral("--salida"), output});
        QVERIFY2(r.ok, qPrintable(r.failure));
        if (i > 0)
            figures.samples.add(RateFields / (r.wallMs / 1000.0));
    }
    QCOMPARE(lineCount(output), 1 + 3 * qint64(RateFields)); // every field advised, at all three levels
}

void VelmaroBench::batchMemory(Figures& figures)
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString input = folder.filePath(QStringLiteral("campos.csv"));
    const QString output = folder.filePath(QStringLiteral("dosis.csv"));
    QVERIFY(writeFields(input, MemoryFields));
    const ChildRun::Result r = ChildRun::run(
        probe("velmaro_batch_probe"),
        {QStringLiteral("--lote"), input, QStringLiteral("--salida"), output, QLatin1String(PeakMemory::option())});
    QVERIFY2(r.ok, qPrintable(r.failure));
    const QString line = r.output.section(u'\n', -2, -2); // "peak-kib 31234"
    bool read = false;
    const double kib = line.section(u' ', 1).toDouble(&read);
    QVERIFY2(read && line.startsWith(QLatin1String("peak-kib ")) && kib > 0, qPrintable(r.output));
    QCOMPARE(lineCount(output), 1 + 3 * qint64(MemoryFields));
    figures.samples.add(kib / 1024.0);
}
