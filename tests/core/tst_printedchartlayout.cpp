#include <QTest>

#include "core/PrintedChartLayout.h"

class TestPrintedChartLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void margins_data();
    void margins();
    void degenerateSizes();
};

void TestPrintedChartLayout::margins_data()
{
    QTest::addColumn<QSize>("chart");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<int>("leftRight");
    QTest::addColumn<int>("topBottom");
    QTest::addColumn<QRect>("area");

    // A4 at 96 dpi: 794 x 1123 portrait (printable area taken as the whole page here).
    // Wide chart on portrait: N = round(100 (1123 - 0.6·794·0.6) / 1123) = round(74.55) = 75, m = 37.
    QTest::newRow("wide on portrait") << QSize(1000, 600) << QSize(794, 1123) << 1.0 << 15 << 37
                                      << QRect(QPoint(119, 416), QPoint(674, 706));
    // Wide on landscape: N = round(100 (794 - 0.6·1123·0.6) / 794) = round(49.08) = 49, m = 24.
    QTest::newRow("wide on landscape") << QSize(1000, 600) << QSize(1123, 794) << 1.0 << 15 << 24
                                       << QRect(QPoint(168, 191), QPoint(954, 602));
    // Tall chart on portrait: N = round(100 (794 - 0.6·1123·0.75) / 794) = round(36.35) = 36, m = 18.
    QTest::newRow("tall on portrait") << QSize(600, 800) << QSize(794, 1123) << 1.0 << 18 << 15
                                      << QRect(QPoint(143, 168), QPoint(650, 954));
    // Square charts go the tall way.
    QTest::newRow("square") << QSize(500, 500) << QSize(1000, 1000) << 1.0 << 20 << 15
                            << QRect(QPoint(200, 150), QPoint(799, 849));
    // Unequal resolutions: 600 x 300 dpi doubles the height the chart needs across.
    // N = round(100 (3508 - 0.6·2480·0.6·2) / 3508) = round(49.10) = 49, m = 24.
    QTest::newRow("600 x 300 dpi") << QSize(1000, 600) << QSize(2480, 3508) << 2.0 << 15 << 24
                                   << QRect(QPoint(372, 842), QPoint(2107, 2665));
    // A chart that would need more than the page gets no margin, never a negative one.
    QTest::newRow("overflowing") << QSize(1000, 900) << QSize(2000, 800) << 1.0 << 15 << 0
                                 << QRect(QPoint(300, 0), QPoint(1699, 799));
}

void TestPrintedChartLayout::margins()
{
    QFETCH(QSize, chart);
    QFETCH(QSize, page);
    QFETCH(double, aspect);
    QFETCH(int, leftRight);
    QFETCH(int, topBottom);
    QFETCH(QRect, area);
    const PrintedChartLayout layout = PrintedChartLayout::compute(chart, page, aspect);
    QCOMPARE(layout.left, leftRight);
    QCOMPARE(layout.right, leftRight);
    QCOMPARE(layout.top, topBottom);
    QCOMPARE(layout.bottom, topBottom);
    QCOMPARE(layout.area, area);
    QVERIFY(QRect(QPoint(0, 0), page).contains(layout.area));
}

void TestPrintedChartLayout::degenerateSizes()
{
    QCOMPARE(PrintedChartLayout::compute(QSize(0, 0), QSize(794, 1123), 1.0).area, QRect());
    QCOMPARE(PrintedChartLayout::compute(QSize(100, 100), QSize(0, 1123), 1.0).area, QRect());
    QCOMPARE(PrintedChartLayout::compute(QSize(100, 100), QSize(794, 1123), 0.0).area, QRect());
}

QTEST_APPLESS_MAIN(TestPrintedChartLayout)
#include "tst_printedchartlayout.moc"
