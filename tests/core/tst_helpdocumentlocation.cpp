#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/HelpDocumentLocation.h"

// The help document is looked for in the working directory, beside the program, in the
// share folder of its prefix and in the data folders, in that order.
class TestHelpDocumentLocation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstPlaceHoldingTheDocumentWins_data();
    void firstPlaceHoldingTheDocumentWins();
};

void TestHelpDocumentLocation::firstPlaceHoldingTheDocumentWins_data()
{
    // Folders under one temporary root; "" for the answer means the bare name.
    QTest::addColumn<QStringList>("holders");
    QTest::addColumn<QString>("expected");

    const QStringList all{"work", "prefix/bin", "prefix/share/velmaro", "data1/velmaro", "data2/velmaro"};
    QTest::newRow("working directory first") << all << "";
    QTest::newRow("beside the program") << all.mid(1) << "prefix/bin";
    QTest::newRow("the prefix's share folder") << all.mid(2) << "prefix/share/velmaro";
    QTest::newRow("first data folder") << all.mid(3) << "data1/velmaro";
    QTest::newRow("second data folder") << QStringList{"data2/velmaro"} << "data2/velmaro";
    QTest::newRow("nowhere: the bare name") << QStringList{} << "";
    QTest::newRow("a folder by that name is not the document") << QStringList{"prefix/bin/velmaro.rtf/x"} << "";
}

void TestHelpDocumentLocation::firstPlaceHoldingTheDocumentWins()
{
    QFETCH(QStringList, holders);
    QFETCH(QString, expected);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    for (const char* folder : {"work", "prefix/bin", "prefix/share/velmaro", "data1/velmaro", "data2/velmaro"})
        QVERIFY(dir.mkpath(QLatin1String(folder)));
    for (const QString& holder : holders) {
        const QString file = dir.filePath(holder + (holder.endsWith("/x") ? "" : "/velmaro.rtf"));
        QVERIFY(dir.mkpath(QFileInfo(file).path()));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1 Ayuda\\par}");
    }
    // What the data folders report: only the copies that exist, in their order.
    QStringList installed;
    for (const char* folder : {"data1/velmaro", "data2/velmaro"})
        if (QFile::exists(dir.filePath(QLatin1String(folder) + "/velmaro.rtf")))
            installed << dir.filePath(QLatin1String(folder) + "/velmaro.rtf");

    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.filePath("work")));
    const QString found = HelpDocumentLocation::find(dir.filePath("prefix/bin"), installed);
    QDir::setCurrent(previous);

    QCOMPARE(found, expected.isEmpty() ? QStringLiteral("velmaro.rtf") : dir.filePath(expected + "/velmaro.rtf"));
}

QTEST_APPLESS_MAIN(TestHelpDocumentLocation)
#include "tst_helpdocumentlocation.moc"
