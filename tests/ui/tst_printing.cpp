#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>

#include "WindowSetFixture.h"
#include "core/AdviserCase.h"
#include "support/PdfText.h"
#include "ui/charting/CurveChart.h"
#include "ui/common/RadioGroup.h"
#include "ui/economics/EconomicChartWindow.h"
#include "ui/printing/HelpDocumentPrinter.h"
#include "ui/printing/HelpPrintWindow.h"
#include "ui/yieldchart/YieldChartWindow.h"

namespace {

// What poppler's pdfinfo says of a PDF file: page count and the first page's size in points.
struct PdfInfo {
    int pages = 0;
    QSizeF size;
};

PdfInfo pdfInfo(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    p.waitForFinished(20000);
    PdfInfo info;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("Pages:")))
            info.pages = line.section(u':', 1).trimmed().toInt();
        if (line.startsWith(QStringLiteral("Page size:"))) {
            const QStringList parts = line.section(u':', 1).simplified().split(u' ');
            info.size = QSizeF(parts.value(0).toDouble(), parts.value(2).toDouble());
        }
    }
    return info;
}

// The pictures of a PDF file as poppler's pdfimages lists them: their printed size in inches.
QList<QSizeF> pdfPictures(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
    p.waitForFinished(20000);
    QList<QSizeF> pictures;
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList f = line.simplified().split(u' ');
        if (f.size() >= 14 && f[2] == u"image")
            pictures.append(QSizeF(f[3].toDouble() / f[12].toDouble(), f[4].toDouble() / f[13].toDouble()));
    }
    return pictures;
}

void write(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

// A help document of about `paragraphs` paragraphs.
QByteArray helpDocument(int paragraphs, const char* marker)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
    rtf += marker;
    rtf += "\\par ";
    for (int i = 0; i < paragraphs; ++i)
        rtf += "Fertilizaci\\'f3n nitrogenada del trigo: p\\'e1rrafo " + QByteArray::number(i + 1) + ".\\par ";
    return rtf + "}";
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void chartPrintDialogs_data();
    void chartPrintDialogs();
    void printsOnePageInTheChosenOrientation_data();
    void printsOnePageInTheChosenOrientation();
    void failedJobIsReportedAndRestores();
    void cancelPrintsNothing();
    void dialogsKeepTheirOwnChoice();
    void helpPreviewLaysOutA4Pages();
    void helpPreviewSeesAChangedFile();
    void missingHelpFileKeepsThePages();
    void siPrintsEveryPage();
    void otherExtensionsLoadNothing();
    void picturesPrintAtTheirSize();

private:
    void plot()
    {
        f_->click("TForm1", "ToolButton1");
        f_->click("TForm2", "BitBtn1");
        f_->click("TForm1", "ToolButton13");
        Q_EMIT f_->set->yieldChart().activated();
    }
    RadioGroup* orientation(const char* dialog) const { return f_->child<RadioGroup>(dialog, "RadioGroup1"); }
    HelpPrintWindow& helpPrint() const { return *static_cast<HelpPrintWindow*>(f_->window("TForm37")); }

    std::unique_ptr<WindowSetFixture> f_;
    QTemporaryDir dir_;
    QString previousDir_;
};

void TestPrinting::init()
{
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QFile::remove(QStringLiteral("velmaro.rtf"));
    f_ = std::make_unique<WindowSetFixture>();
}

void TestPrinting::cleanup()
{
    f_.reset();
    QDir::setCurrent(previousDir_);
}

void TestPrinting::chartPrintDialogs_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("chartWindow");
    QTest::newRow("yield") << "TForm12"
                           << "ToolButton2"
                           << "TForm3";
    QTest::newRow("economic") << "TForm23"
                              << "ToolButton2"
                              << "TForm20";
}

void TestPrinting::chartPrintDialogs()
{
    QFETCH(QString, dialog);
    QFETCH(QString, opener);
    QFETCH(QString, chartWindow);
    plot();
    if (chartWindow == u"TForm20")
        f_->click("TForm3", "ToolButton10");
    f_->set->window(chartWindow)->findChild<QAbstractButton*>(opener)->click();
    QWidget* d = f_->set->window(dialog);
    QVERIFY(d->isVisible());
    auto* group = d->findChild<RadioGroup*>(QStringLiteral("RadioGroup1"));
    QCOMPARE(group->itemText(0), QStringLiteral("Apaisado"));
    QCOMPARE(group->itemText(1), QStringLiteral("Retrato"));
    QCOMPARE(group->itemIndex(), 1);
    QCOMPARE(d->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->text(), QStringLiteral("&Imprimir"));
    QCOMPARE(d->findChild<QAbstractButton*>(QStringLiteral("BitBtn2"))->text(), QStringLiteral("Cancelar"));
    QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Está seguro que desea imprimir el gráfico?"));
}

void TestPrinting::printsOnePageInTheChosenOrientation_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("pdfName"); // landscape rows print with a named case
    QTest::newRow("yield, portrait") << "TForm12" << 1 << false << "Gráfico de rendimiento";
    QTest::newRow("yield, landscape") << "TForm12" << 0 << true << "Gráfico de rendimiento Lote 7 - Campaña 2026";
    QTest::newRow("economic, portrait") << "TForm23" << 1 << false << "Gráfico económico";
    QTest::newRow("economic, landscape") << "TForm23" << 0 << true << "Gráfico económico Lote 7 - Campaña 2026";
}

void TestPrinting::printsOnePageInTheChosenOrientation()
{
    QFETCH(QString, dialog);
    QFETCH(int, item);
    QFETCH(bool, landscape);
    QFETCH(QString, pdfName);
    if (landscape)
        f_->set->adviserCase().setIdentity(
            {QStringLiteral("García"), QStringLiteral("Lote 7"), QStringLiteral("2026"), QStringLiteral("Ríos"), {}});
    plot();
    f_->click("TForm3", "ToolButton10");
    f_->set->economicChart().onActivated();
    // The printer stands the other way before and after.
    f_->printer.printer().setPageOrientation(landscape ? QPageLayout::Portrait : QPageLayout::Landscape);
    QWidget* d = f_->set->window(dialog);
    d->show();
    d->findChild<RadioGroup*>(QStringLiteral("RadioGroup1"))->button(item)->click();
    auto* print = d->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"));
    print->click();
    print->click();
    QCOMPARE(f_->printer.titles, (QStringList{"Chart1", "Chart1"})); // two presses, two jobs
    QCOMPARE(f_->printer.pdfNames, (QStringList{pdfName, pdfName}));
    QVERIFY(d->isVisible());
    QVERIFY(f_->errors.messages.isEmpty());
    const PdfInfo info = pdfInfo(f_->printer.files.first());
    QCOMPARE(info.pages, 1);
    QCOMPARE(info.size.width() > info.size.height(), landscape);
    QCOMPARE(f_->printer.printer().pageLayout().orientation(),
             landscape ? QPageLayout::Portrait : QPageLayout::Landscape);
    // The chart itself is on the page: its title as text.
    const QString text = pdfText(f_->printer.files.first());
    QVERIFY2(text.contains(dialog == u"TForm12" ? QStringLiteral("Rendimiento de trigo")
                                                : QStringLiteral("óptimo económico")),
             qPrintable(text.left(200)));
}

void TestPrinting::failedJobIsReportedAndRestores()
{
    plot();
    f_->printer.printer().setPageOrientation(QPageLayout::Portrait);
    QWidget* d = f_->window("TForm12");
    d->show();
    orientation("TForm12")->button(0)->click();
    f_->printer.failNextJob = true;
    d->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(f_->errors.messages.size(), 1);
    QCOMPARE(f_->printer.printer().pageLayout().orientation(), QPageLayout::Portrait);
    QVERIFY(d->isVisible());
    // The next job goes through.
    d->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
    QCOMPARE(pdfInfo(f_->printer.files.last()).pages, 1);
}

void TestPrinting::cancelPrintsNothing()
{
    plot();
    f_->click("TForm3", "ToolButton2");
    orientation("TForm12")->button(0)->click();
    f_->click("TForm12", "BitBtn2");
    QVERIFY(!f_->window("TForm12")->isVisible());
    QVERIFY(f_->printer.titles.isEmpty());
    f_->click("TForm3", "ToolButton2");
    QCOMPARE(orientation("TForm12")->itemIndex(), 0);
}

void TestPrinting::dialogsKeepTheirOwnChoice()
{
    orientation("TForm12")->button(0)->click();
    QCOMPARE(orientation("TForm23")->itemIndex(), 1);
}

void TestPrinting::helpPreviewLaysOutA4Pages()
{
    write(QStringLiteral("velmaro.rtf"), helpDocument(150, "Primera version"));
    f_->click("TForm1", "ToolButton6");
    f_->click("TForm1", "BitBtn1");
    QVERIFY(helpPrint().isVisible());
    helpPrint().onActivated();
    QVERIFY(f_->errors.messages.isEmpty());
    QVERIFY2(helpPrint().pageCount() >= 3, qPrintable(QString::number(helpPrint().pageCount())));
    QVERIFY(helpPrint().document().toPlainText().contains(QStringLiteral("Fertilización nitrogenada")));
    for (const char* name : {"AbColBitBtn1", "AbColBitBtn2", "AbColBitBtn3"})
        QCOMPARE(f_->child<QAbstractButton>("TForm37", name)->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(f_->child<QAbstractButton>("TForm37", "AbColBitBtn1")->text(), QStringLiteral("Config. Impresora"));
    f_->click("TForm37", "AbColBitBtn1");
    QCOMPARE(f_->printer.setUps, 1);
    f_->click("TForm37", "AbColBitBtn3");
    QVERIFY(!helpPrint().isVisible());
}

void TestPrinting::helpPreviewSeesAChangedFile()
{
    write(QStringLiteral("velmaro.rtf"), helpDocument(150, "Uno"));
    helpPrint().show();
    helpPrint().onActivated();
    const int before = helpPrint().pageCount();
    write(QStringLiteral("velmaro.rtf"), helpDocument(10, "Dos"));
    helpPrint().onActivated();
    QCOMPARE(helpPrint().pageCount(), 1);
    QVERIFY(before > 1);
    QVERIFY(helpPrint().document().toPlainText().startsWith(QStringLiteral("Dos")));
}

void TestPrinting::missingHelpFileKeepsThePages()
{
    helpPrint().show();
    helpPrint().onActivated();
    QCOMPARE(f_->errors.messages.size(), 1);
    QVERIFY(f_->errors.messages[0].contains(QStringLiteral("\"velmaro.rtf\"")));
    write(QStringLiteral("velmaro.rtf"), helpDocument(150, "Guardado"));
    helpPrint().onActivated();
    const int pages = helpPrint().pageCount();
    QFile::remove(QStringLiteral("velmaro.rtf"));
    helpPrint().onActivated();
    QCOMPARE(f_->errors.messages.size(), 2);
    QCOMPARE(helpPrint().pageCount(), pages);
    QVERIFY(helpPrint().printAll()); // "Si" prints the pages it still has
    QCOMPARE(pdfInfo(f_->printer.files.last()).pages, pages);
}

void TestPrinting::siPrintsEveryPage()
{
    write(QStringLiteral("velmaro.rtf"), helpDocument(150, "Documento de prueba"));
    helpPrint().show();
    helpPrint().onActivated();
    f_->printer.printer().setPageOrientation(QPageLayout::Landscape);
    f_->click("TForm37", "AbColBitBtn2");
    QCOMPARE(f_->printer.titles, QStringList{QStringLiteral("<document>")});
    const PdfInfo info = pdfInfo(f_->printer.files.first());
    QCOMPARE(info.pages, helpPrint().pageCount());
    QVERIFY(qAbs(info.size.width() - 595.3) < 1 && qAbs(info.size.height() - 841.9) < 1); // A4 portrait
    const QString text = pdfText(f_->printer.files.first());
    QVERIFY(text.contains(QStringLiteral("Documento de prueba")));
    QVERIFY(text.contains(QStringLiteral("párrafo 150")));
    QVERIFY(helpPrint().isVisible());
    // The printer's own settings are back as they were for the charts.
    QCOMPARE(f_->printer.printer().pageLayout().orientation(), QPageLayout::Landscape);
}

void TestPrinting::otherExtensionsLoadNothing()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("antes"));
    write(QStringLiteral("notas.txt"), "texto plano\nsegunda línea");
    write(QStringLiteral("notas.doc"), "binario");
    QString error;
    QVERIFY(HelpDocumentPrinter::load(QStringLiteral("notas.DOC"), document, &error));
    QCOMPARE(document.toPlainText(), QStringLiteral("antes"));
    QVERIFY(HelpDocumentPrinter::load(QStringLiteral("notas.txt"), document, &error));
    QCOMPARE(document.toPlainText(), QStringLiteral("texto plano\nsegunda línea"));
    QVERIFY(!HelpDocumentPrinter::load(QStringLiteral("falta.txt"), document, &error));
    QVERIFY(error.contains(QStringLiteral("\"falta.txt\"")));
}

void TestPrinting::picturesPrintAtTheirSize()
{
    // A PNG stated as 2 x 1 inches and a metafile, which only has a placeholder, of 1 x 0.5.
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(picture.save(&buffer, "PNG"));
    write(QStringLiteral("velmaro.rtf"),
          "{\\rtf1 Mapa: {\\pict\\pngblip\\picwgoal2880\\pichgoal1440 " + png.toHex() +
              "}\\par Esquema: {\\pict\\wmetafile8\\picwgoal1440\\pichgoal720 0100090000}\\par}");
    helpPrint().show();
    helpPrint().onActivated();
    QVERIFY(helpPrint().printAll());
    const QList<QSizeF> printed = pdfPictures(f_->printer.files.last());
    QCOMPARE(printed.size(), 2);
    QVERIFY2(qAbs(printed[0].width() - 2.0) < 0.02 && qAbs(printed[0].height() - 1.0) < 0.02,
             qPrintable(QStringLiteral("%1 x %2").arg(printed[0].width()).arg(printed[0].height())));
    QVERIFY2(qAbs(printed[1].width() - 1.0) < 0.02 && qAbs(printed[1].height() - 0.5) < 0.02,
             qPrintable(QStringLiteral("%1 x %2").arg(printed[1].width()).arg(printed[1].height())));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
