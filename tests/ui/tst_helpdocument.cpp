// The help document as the adviser meets it: the help area of the main window and the
// preview of the help-print window, with files that are not help documents.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include "WindowSetFixture.h"
#include "ui/printing/HelpPrintWindow.h"

using namespace Qt::StringLiterals;

namespace {

const QString kDocument = u"velmaro.rtf"_s;

void write(const QByteArray& content)
{
    QFile::remove(kDocument);
    QFile file(kDocument);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Reports as the program does, in a modal box, and answers it at once. As a window
// manager does, closing the box gives the activation back to the window underneath.
class ModalErrorReporter : public ErrorReporter {
public:
    void report(QWidget* parent, const QString& message) override
    {
        messages << message;
        if (messages.size() > 3)
            return; // enough to tell one box from a box that keeps coming back
        QMessageBox box(QMessageBox::Critical, u"Velmaro"_s, message, QMessageBox::Ok, parent);
        QTimer::singleShot(0, &box, [&box] {
            QApplication::setActiveWindow(&box);
            box.accept();
        });
        box.exec();
        if (parent) {
            QApplication::setActiveWindow(parent->window());
            QCoreApplication::processEvents();
        }
    }
    QStringList messages;
};

} // namespace

class TestHelpDocument : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void hostileFiles_data();
    void hostileFiles();
    void oneBoxPerOpening();

private:
    HelpPrintWindow& helpPrint() const { return *static_cast<HelpPrintWindow*>(f_->window("TForm37")); }
    QTemporaryDir folder_;
    std::unique_ptr<WindowSetFixture> f_;
};

void TestHelpDocument::initTestCase()
{
    QVERIFY(folder_.isValid());
    QVERIFY(QDir::setCurrent(folder_.path())); // the help document is read from here
}

void TestHelpDocument::init()
{
    QFile::remove(kDocument);
    f_ = std::make_unique<WindowSetFixture>();
}

void TestHelpDocument::cleanup()
{
    f_.reset();
    QFile::remove(kDocument);
}

void TestHelpDocument::hostileFiles_data()
{
    QTest::addColumn<bool>("preview"); // the help-print window, or the help area
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");

    const QString notRegular = u"no es un archivo común (es un dispositivo, una tubería o un enlace a uno de ellos)"_s;
    const struct {
        const char* name;
        QString kind;
        QString reason;
    } files[] = {
        {"fifo", u"fifo"_s, notRegular},
        {"endless device", u"/dev/zero"_s, notRegular},
        {"60 MB", u"60 MB"_s, u"ocupa 60 MB y el límite para un documento de ayuda es de 20 MB"_s},
        {"binary", u"binary"_s, u"no es un documento RTF ni de texto"_s},
        {"empty", u"empty"_s, u"está vacío"_s},
    };
    for (bool preview : {false, true}) {
        for (const auto& file : files)
            QTest::addRow("%s, %s", preview ? "preview" : "help area", file.name)
                << preview << file.kind << file.reason;
    }
}

void TestHelpDocument::hostileFiles()
{
    QFETCH(bool, preview);
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    auto* area = f_->child<QTextEdit>("TForm1", "RichEdit1");
    auto open = [&] {
        if (preview) {
            helpPrint().show();
            helpPrint().onActivated();
        } else {
            if (area->isVisible())
                f_->click("TForm1", "ToolButton6");
            f_->click("TForm1", "ToolButton6");
        }
    };
    auto shown = [&] { return preview ? helpPrint().document().toPlainText() : area->toPlainText(); };

    write("{\\rtf1 Ayuda anterior\\par}");
    open();
    QCOMPARE(shown(), u"Ayuda anterior"_s);
    const int pages = helpPrint().pageCount();

    QFile::remove(kDocument);
    if (kind == u"fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(kDocument).constData(), 0600) == 0);
    } else if (kind.startsWith(u'/')) {
        QVERIFY(QFile::link(kind, kDocument));
    } else if (kind == u"60 MB") {
        write("{\\rtf1 ");
        QVERIFY(QFile::resize(kDocument, 60 * 1024 * 1024));
    } else if (kind == u"binary") {
        write(QByteArray("\x7f"
                         "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0",
                         20)
                  .repeated(100));
    } else {
        write(QByteArray());
    }
    open();

    QCOMPARE(f_->errors.messages.size(), 1);
    QCOMPARE(f_->errors.messages[0],
             u"No se puede abrir el archivo \"velmaro.rtf\" (%1): %2."_s.arg(QFileInfo(kDocument).absoluteFilePath(),
                                                                             reason));
    QCOMPARE(shown(), u"Ayuda anterior"_s);
    QCOMPARE(helpPrint().pageCount(), pages);
    if (!preview) {
        QVERIFY(area->isVisible());
        QVERIFY(f_->child("TForm1", "BitBtn1")->isVisible());
    }
}

void TestHelpDocument::oneBoxPerOpening()
{
    // The real window set with a reporter whose box takes the activation away and back.
    f_.reset();
    ModalErrorReporter errors;
    RecordingMessageBoxes messages;
    RecordingProgramLauncher launcher;
    RecordingReportPrinter reports;
    QTemporaryDir printed;
    PdfPrintTarget printer{printed.path()};
    WindowSet set(Seams{&messages, &errors, &launcher, &reports, &printer});
    set.start();

    auto* main = set.window(u"TForm1"_s);
    main->findChild<QAbstractButton*>(u"ToolButton6"_s)->click();
    QCOMPARE(errors.messages.size(), 1); // the help area: no file

    // "Imprimir" beside it opens the preview, which reads the missing file once more.
    main->findChild<QAbstractButton*>(u"BitBtn1"_s)->click();
    QWidget* preview = set.window(u"TForm37"_s);
    QVERIFY(preview->isVisible());
    QApplication::setActiveWindow(preview);
    QCoreApplication::processEvents();
    QCOMPARE(errors.messages.size(), 2);

    // Coming back to the preview from the main window is a new opening: one box again.
    QApplication::setActiveWindow(main);
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(preview);
    QCoreApplication::processEvents();
    QCOMPARE(errors.messages.size(), 3);
}

QTEST_MAIN(TestHelpDocument)
#include "tst_helpdocument.moc"
