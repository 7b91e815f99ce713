#include <QTest>

#include "core/SeriesHitTest.h"

namespace {

// A straight curve of points at X = 0..n-1 drawn at the given pixels.
SeriesHitTest::Curve curveOf(const std::vector<QPoint>& pixels, int markerHalfSize = 0, int firstDrawn = 0)
{
    SeriesHitTest::Curve c;
    for (size_t i = 0; i < pixels.size(); ++i)
        c.x.push_back(static_cast<double>(i));
    c.pixels = pixels;
    c.markerHalfSize = markerHalfSize;
    c.firstDrawn = firstDrawn;
    return c;
}

} // namespace

Q_DECLARE_METATYPE(SeriesHitTest::Curve)

class TestSeriesHitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void find_data();
    void find();
    void scanRangeFollowsTheAxis_data();
    void scanRangeFollowsTheAxis();
};

void TestSeriesHitTest::find_data()
{
    QTest::addColumn<SeriesHitTest::Curve>("curve");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<int>("expected");

    // Flat line from (10,50) to (20,50) to (30,50).
    const auto flat = curveOf({{10, 50}, {20, 50}, {30, 50}});
    QTest::newRow("on a point") << flat << QPoint(20, 50) << 1;
    QTest::newRow("on the first point") << flat << QPoint(10, 50) << 0;
    QTest::newRow("on a flat segment reports its left point") << flat << QPoint(25, 50) << 1;
    QTest::newRow("one pixel off a flat segment") << flat << QPoint(25, 51) << -1;
    QTest::newRow("beyond the last point") << flat << QPoint(31, 50) << -1;
    QTest::newRow("before the first point") << flat << QPoint(9, 50) << -1;

    // Steep segment (10,10) -> (12,50): cross product bound is 40.
    const auto steep = curveOf({{10, 10}, {12, 50}});
    QTest::newRow("on a steep segment") << steep << QPoint(11, 30) << 0;
    QTest::newRow("steep, one pixel aside is still the line") << steep << QPoint(12, 30) << -1;
    QTest::newRow("steep, above its upper end") << steep << QPoint(10, 9) << -1;
    QTest::newRow("steep, below its lower end") << steep << QPoint(12, 51) << -1;

    // Diagonal (0,0) -> (10,10).
    const auto diagonal = curveOf({{0, 0}, {10, 10}});
    QTest::newRow("on the diagonal") << diagonal << QPoint(5, 5) << 0;
    QTest::newRow("one pixel off the diagonal") << diagonal << QPoint(5, 6) << -1;

    // Markers: within less than the half-size in both directions, even off the line.
    const auto squares = curveOf({{100, 100}, {110, 100}}, 2);
    QTest::newRow("80 % marker, 1 px off") << squares << QPoint(101, 101) << 0;
    QTest::newRow("80 % marker, 2 px off") << squares << QPoint(100, 102) << -1;
    QTest::newRow("80 % marker of the second point") << squares << QPoint(111, 99) << 1;
    const auto circles = curveOf({{100, 100}, {110, 100}}, 3);
    QTest::newRow("20 % marker, 2 px off both ways") << circles << QPoint(102, 102) << 0;
    QTest::newRow("20 % marker, 3 px off") << circles << QPoint(103, 100) << 0; // still on the segment
    QTest::newRow("20 % marker, 3 px off vertically") << circles << QPoint(100, 103) << -1;
    QTest::newRow("no markers: 1 px off a point") << curveOf({{100, 100}, {110, 100}}) << QPoint(100, 101) << -1;

    // The marker of a later point wins over nothing, but an earlier segment comes first.
    const auto zigzag = curveOf({{0, 0}, {10, 0}, {10, 1}}, 2);
    QTest::newRow("first match ends the scan") << zigzag << QPoint(10, 1) << 1;

    // Placeholders are never touched, not even their undrawn segment.
    const auto withPlaceholders = curveOf({{0, 200}, {10, 200}, {20, 100}, {30, 100}}, 0, 2);
    QTest::newRow("on a placeholder") << withPlaceholders << QPoint(0, 200) << -1;
    QTest::newRow("on the undrawn segment") << withPlaceholders << QPoint(15, 150) << -1;
    QTest::newRow("first drawn point") << withPlaceholders << QPoint(20, 100) << 2;
    QTest::newRow("after the first drawn point") << withPlaceholders << QPoint(25, 100) << 2;
    QTest::newRow("empty curve") << SeriesHitTest::Curve{} << QPoint(0, 0) << -1;
}

void TestSeriesHitTest::find()
{
    QFETCH(SeriesHitTest::Curve, curve);
    QFETCH(QPoint, pointer);
    QFETCH(int, expected);
    QCOMPARE(SeriesHitTest::find(curve, -1e9, 1e9, pointer), expected);
}

void TestSeriesHitTest::scanRangeFollowsTheAxis_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<int>("expected");
    // Points X = 0..5 at pixels (0,0), (10,0) ... (50,0).
    QTest::newRow("inside") << 0.0 << 5.0 << QPoint(30, 0) << 3;
    QTest::newRow("before the axis minimum") << 2.0 << 5.0 << QPoint(10, 0) << -1;
    QTest::newRow("segment into the first scanned point") << 2.0 << 5.0 << QPoint(15, 0) << -1;
    QTest::newRow("first scanned point") << 2.0 << 5.0 << QPoint(20, 0) << 2;
    QTest::newRow("up to the first point at the maximum") << 0.0 << 2.5 << QPoint(25, 0) << 2;
    QTest::newRow("past the first point at the maximum") << 0.0 << 2.5 << QPoint(35, 0) << -1;
    QTest::newRow("maximum beyond the curve") << 0.0 << 100.0 << QPoint(50, 0) << 5;
    QTest::newRow("equal limits") << 3.0 << 3.0 << QPoint(30, 0) << 3;
}

void TestSeriesHitTest::scanRangeFollowsTheAxis()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(QPoint, pointer);
    QFETCH(int, expected);
    const auto line = curveOf({{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}});
    QCOMPARE(SeriesHitTest::find(line, minimum, maximum, pointer), expected);
}

QTEST_APPLESS_MAIN(TestSeriesHitTest)
#include "tst_serieshittest.moc"
