#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The program as an adviser gets it: installed by the install rules, or unpacked from
// the Debian package once `make package` has built it, then started from /tmp.
class TestInstalled : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void installedProgramFindsItsHelp_data();
    void installedProgramFindsItsHelp();
};

namespace {

const QString appId = QStringLiteral("io.github.velmaro.Velmaro");

QString run(const QString& program, const QStringList& arguments, const QString& folder = {},
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(), int* exitCode = nullptr)
{
    QProcess process;
    process.setProcessEnvironment(env);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished(120000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

} // namespace

void TestInstalled::installedProgramFindsItsHelp_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cmake --install") << "install";
    QTest::newRow("Debian package") << "deb";
}

void TestInstalled::installedProgramFindsItsHelp()
{
    QFETCH(QString, how);
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/velmaro-root-XXXXXX"));
    QVERIFY(root.isValid());
    int exitCode = 0;
    if (how == QLatin1String("install")) {
        const QString out =
            run(QStringLiteral(VELMARO_CMAKE), {"--install", VELMARO_BINARY_DIR, "--prefix", root.filePath("usr")}, {},
                QProcessEnvironment::systemEnvironment(), &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(out));
    } else {
        const QStringList debs = QDir(VELMARO_BINARY_DIR "/package").entryList({"velmaro_*.deb"}, QDir::Files);
        if (debs.isEmpty())
            QSKIP("no package built: make package");
        const QString deb = QStringLiteral(VELMARO_BINARY_DIR "/package/") + debs.constFirst();
        const QString out = run(QStringLiteral("dpkg"), {"-x", deb, root.path()}, {},
                                QProcessEnvironment::systemEnvironment(), &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(out));
        // The runtime libraries, never their -dev packages.
        const QString depends = run(QStringLiteral("dpkg-deb"), {"-f", deb, "Depends"});
        QVERIFY2(depends.contains(QLatin1String("libqt6widgets6")) && !depends.contains(QLatin1String("-dev")),
                 qPrintable(depends));
    }

    // Exactly these files, the icons at their sizes.
    QStringList files;
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root.path()).relativeFilePath(it.next());
    files.sort();
    QStringList expected{"usr/bin/velmaro",
                         "usr/share/velmaro/velmaro.rtf",
                         "usr/share/velmaro/ejemplos/tabla_ejemplo.csv",
                         "usr/share/velmaro/ejemplos/ensayo_ejemplo.csv",
                         "usr/share/applications/" + appId + ".desktop",
                         "usr/share/metainfo/" + appId + ".metainfo.xml",
                         "usr/share/mime/packages/" + appId + ".xml"};
    for (int size : {48, 128, 256}) {
        const QString icon = QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId);
        expected << icon;
        QCOMPARE(QImage(root.filePath(icon)).size(), QSize(size, size));
    }
    expected.sort();
    QCOMPARE(files, expected);

    // Started from a folder of /tmp with no help document: it reads the installed one,
    // through its prefix, and as a copy elsewhere through the data folders.
    QTemporaryDir elsewhere(QStringLiteral("/tmp/velmaro-cwd-XXXXXX"));
    QVERIFY(QFile::copy(root.filePath("usr/bin/velmaro"), elsewhere.filePath("velmaro")));
    QVERIFY(QFile::setPermissions(elsewhere.filePath("velmaro"), QFile::permissions(root.filePath("usr/bin/velmaro"))));
    const QString document = root.filePath("usr/share/velmaro/velmaro.rtf");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), elsewhere.filePath("nothing"));
    for (const auto& [program, dataFolders] :
         {std::pair{root.filePath("usr/bin/velmaro"), elsewhere.filePath("nothing")},
          std::pair{elsewhere.filePath("velmaro"), root.filePath("usr/share")}}) {
        env.insert(QStringLiteral("XDG_DATA_DIRS"), dataFolders);
        const QString out = run(program, {"--comprobar-ayuda"}, elsewhere.path(), env, &exitCode);
        QVERIFY2(exitCode == 0 && out.startsWith(document + QStringLiteral(": ")), qPrintable(program + ": " + out));
    }
    // Nowhere to be found: the missing document is reported by its bare name.
    env.insert(QStringLiteral("XDG_DATA_DIRS"), elsewhere.filePath("nothing"));
    const QString out = run(elsewhere.filePath("velmaro"), {"--comprobar-ayuda"}, elsewhere.path(), env, &exitCode);
    QVERIFY2(exitCode == 1 && out.contains(QLatin1String("\"velmaro.rtf\"")), qPrintable(out));
}

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"
