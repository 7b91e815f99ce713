#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "ui/app/Startup.h"

// Before the windows: the command line an installed program answers, and Qt's own
// dialogs speaking Spanish.
class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void standardDialogsSpeakSpanish_data();
    void standardDialogsSpeakSpanish();
    void commandLineAnswersWithoutAWindow_data();
    void commandLineAnswersWithoutAWindow();
};

void TestStartup::initTestCase()
{
    QVERIFY2(Startup::loadSpanishTranslations(*qApp), "qtbase_es.qm (qt6-translations-l10n) not found");
}

void TestStartup::standardDialogsSpeakSpanish_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("button");
    QTest::newRow("file chooser") << "file"
                                  << "&Guardar";
    QTest::newRow("print dialog") << "print"
                                  << "Im&primir";
    QTest::newRow("page set-up") << "page"
                                 << "Apaisado invertido";
}

void TestStartup::standardDialogsSpeakSpanish()
{
    QFETCH(QString, dialog);
    QFETCH(QString, button);
    // Built as the program builds them, never shown.
    QPrinter printer;
    std::unique_ptr<QDialog> shown;
    if (dialog == QLatin1String("file")) {
        auto* chooser = new QFileDialog(nullptr, QStringLiteral("Guardar como PDF"));
        chooser->setOption(QFileDialog::DontUseNativeDialog);
        chooser->setAcceptMode(QFileDialog::AcceptSave);
        shown.reset(chooser);
    } else if (dialog == QLatin1String("print")) {
        shown = std::make_unique<QPrintDialog>(&printer);
    } else {
        shown = std::make_unique<QPageSetupDialog>(&printer);
    }
    QStringList texts;
    for (const QAbstractButton* b : shown->findChildren<QAbstractButton*>())
        texts << b->text();
    QVERIFY2(texts.contains(button), qPrintable(texts.join(QStringLiteral(" | "))));
}

void TestStartup::commandLineAnswersWithoutAWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("--version") << QStringList{"--version"} << "^velmaro \\d+\\.\\d+(\\.\\d+)?\\n$";
    QTest::newRow("-v") << QStringList{"-v"} << "^velmaro \\d+\\.\\d+";
    QTest::newRow("--help") << QStringList{"--help"}
                            << "^Uso: .*velmaro \\[opciones\\] \\[caso\\]\\n(.|\\n)*Opciones:(.|\\n)*--version +Muestra"
                               "(.|\\n)*caso +Caso de Velmaro \\(archivo \\.velmaro\\)";
    QTest::newRow("-h") << QStringList{"-h"} << "^Uso: ";
    QTest::newRow("--help explains the batch, with an example")
        << QStringList{"--help"}
        << "--lote <archivo>(.|\\n)*velmaro --lote campos.csv --salida dosis.csv(.|\\n)*"
           "lote;codigo;precio_grano;costo_n;n_referencia\\n  Lote 7;AGAA;160;600;55\\n";
    QTest::newRow("the help check stays hidden") << QStringList{"--help"} << "^(?!(.|\\n)*comprobar)";
}

void TestStartup::commandLineAnswersWithoutAWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, pattern);
    // No display and no platform asked for: a window could not even be opened.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VELMARO_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(QRegularExpression(pattern).match(out).hasMatch(), qPrintable(out));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
