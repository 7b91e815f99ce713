#include <QApplication>
#include <QDirIterator>
#include <QImageReader>
#include <QTest>

#include "ui/common/Look.h"

class TestPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPictureDecodes_data();
    void everyPictureDecodes();
    void noPictureIsLeftUnchecked();
    void standardIconsDrawAsTheStyle_data();
    void standardIconsDrawAsTheStyle();
};

namespace {

const std::pair<const char*, QSize> Pictures[] = {
    {"main_background.jpg", {1024, 768}},
    {"logo1.jpg", {72, 72}},
    {"logo2.jpg", {72, 72}},
    {"logo3.jpg", {72, 72}},
    {"logo4.jpg", {72, 72}},
    {"wheat1.jpg", {185, 150}},
    {"wheat2.jpg", {185, 150}},
    {"wheat3.jpg", {185, 150}},
    {"tool_escenario1.jpg", {44, 44}},
    {"tool_escenario2.jpg", {44, 44}},
    {"tool_escenario3.jpg", {44, 44}},
    {"tool_ayuda.jpg", {44, 44}},
    {"tool_calculadora.jpg", {44, 44}},
    {"tool_notas.jpg", {44, 44}},
    {"tool_graficar.jpg", {44, 44}},
    {"tool_creditos.jpg", {44, 44}},
    {"tool_mapas.jpg", {44, 44}},
    {"yield_background.jpg", {640, 420}},
    {"help_icon.jpg", {73, 73}},
    {"credits.jpg", {235, 346}},
    {"map_gualeguay.jpg", {560, 380}},
    {"map_gualeguaychu.jpg", {560, 380}},
    {"map_reconquista.jpg", {560, 380}},
    {"map_parana.jpg", {560, 380}},
    {"map_rafaela.jpg", {560, 380}},
    {"legend_gualeguay.jpg", {34, 142}},
    {"legend_gualeguaychu.jpg", {34, 120}},
    {"legend_reconquista.jpg", {34, 98}},
    {"legend_parana.jpg", {34, 182}},
    {"legend_rafaela.jpg", {34, 120}},
};

} // namespace

void TestPictures::everyPictureDecodes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (const auto& [file, size] : Pictures)
        QTest::newRow(file) << QStringLiteral(":/pictures/") + QLatin1String(file) << size;
}

void TestPictures::everyPictureDecodes()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QImageReader reader(file);
    QCOMPARE(reader.format(), QByteArray("jpeg")); // decoded by the JPEG plugin, not guessed
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(file + QStringLiteral(": ") + reader.errorString()));
    QCOMPARE(image.size(), size);
    // A real picture, not a flat fill.
    const QColor corner = image.pixelColor(0, 0);
    bool varies = false;
    for (int y = 0; y < image.height() && !varies; y += 3)
        for (int x = 0; x < image.width() && !varies; x += 3)
            varies = qAbs(image.pixelColor(x, y).value() - corner.value()) > 12;
    QVERIFY2(varies, qPrintable(file));
}

void TestPictures::noPictureIsLeftUnchecked()
{
    QStringList listed;
    for (const auto& p : Pictures)
        listed << QLatin1String(p.first);
    QDirIterator it(QStringLiteral(":/pictures"));
    int count = 0;
    while (it.hasNext()) {
        it.next();
        ++count;
        QVERIFY2(listed.contains(it.fileName()), qPrintable(it.fileName()));
    }
    QCOMPARE(count, static_cast<int>(std::size(Pictures)));
}

void TestPictures::standardIconsDrawAsTheStyle_data()
{
    QTest::addColumn<QStyle::StandardPixmap>("which");
    QTest::addColumn<int>("size");
    QTest::newRow("OK, 16") << QStyle::SP_DialogOkButton << 16;
    QTest::newRow("Cancel, 16") << QStyle::SP_DialogCancelButton << 16;
    QTest::newRow("Apply, 32") << QStyle::SP_DialogApplyButton << 32;
    QTest::newRow("Save, 20") << QStyle::SP_DialogSaveButton << 20;
    QTest::newRow("View, 16") << QStyle::SP_FileDialogContentsView << 16;
}

// Read from the style only when drawn, a button's icon is still the style's own.
void TestPictures::standardIconsDrawAsTheStyle()
{
    QFETCH(QStyle::StandardPixmap, which);
    QFETCH(int, size);
    const QIcon own = QApplication::style()->standardIcon(which);
    const QIcon shared = Look::standardIcon(which);
    QVERIFY(!shared.isNull());
    QCOMPARE(shared.actualSize(QSize(size, size)), own.actualSize(QSize(size, size)));
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
        const QImage expected = own.pixmap(size, mode).toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(shared.pixmap(size, mode).toImage(), expected);
    }
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
