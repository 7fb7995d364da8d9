// The flood fill and the two-image map surface, driven directly on small
// pictures drawn here with antialiasing off, as the map pictures are.
#include "surface/floodfill.h"
#include "surface/mapsurface.h"

#include <QPainter>
#include <QTest>
#include <deque>
#include <random>

namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kLine = 0xff202020;
constexpr QRgb kRed = 0xffff0000;

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

QPainter *sharpPainter(QImage &image, QPainter &painter)
{
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(kLine), 0));
    return &painter;
}

// A diamond outlined only by diagonal steps: closed for a 4-connected fill,
// open for an 8-connected one.
QImage diamond()
{
    QImage image = whiteImage(41, 41);
    QPainter painter;
    sharpPainter(image, painter)->drawPolygon(QPolygon({{20, 2}, {38, 20}, {20, 38}, {2, 20}}));
    return image;
}

// A square spiral corridor: fills must turn back on themselves many times.
QImage spiral()
{
    QImage image = whiteImage(63, 47);
    QPainter painter;
    sharpPainter(image, painter);
    int left = 1, top = 1, right = 61, bottom = 45;
    while (right - left > 4 && bottom - top > 4) {
        painter.drawLine(left, top, right, top);
        painter.drawLine(right, top, right, bottom);
        painter.drawLine(right, bottom, left + 2, bottom);
        painter.drawLine(left + 2, bottom, left + 2, top + 2);
        left += 4;
        top += 2;
        right -= 2;
        bottom -= 2;
        painter.drawLine(left - 2, top, right, top);
    }
    return image;
}

// Teeth hanging from the top and standing on the bottom, so spans leak back
// in both directions.
QImage comb()
{
    QImage image = whiteImage(50, 30);
    QPainter painter;
    sharpPainter(image, painter);
    for (int x = 3; x < 50; x += 6) {
        painter.drawLine(x, 0, x, 24);
        painter.drawLine(x + 3, 5, x + 3, 29);
    }
    return image;
}

QImage noise(int width, int height, double whiteShare, unsigned seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 generator(seed);
    std::bernoulli_distribution white(whiteShare);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, white(generator) ? kWhite : kLine);
    return image;
}

// Plain breadth-first fill, obviously right, to compare the scanline fill with.
qsizetype referenceFill(QImage &image, int x, int y, QRgb colour)
{
    const QRgb target = image.pixel(x, y);
    if (target == colour)
        return 0;
    qsizetype painted = 0;
    std::deque<QPoint> queue{QPoint(x, y)};
    image.setPixel(x, y, colour);
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        ++painted;
        for (QPoint n : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
            if (image.valid(n) && image.pixel(n) == target) {
                image.setPixel(n, colour);
                queue.push_back(n);
            }
        }
    }
    return painted;
}

} // namespace

class TestMapSurface : public QObject {
    Q_OBJECT

private slots:
    void fillMatchesReference_data();
    void fillMatchesReference();
    void diagonalLinesStopTheFill();
    void fillOutsidePaintsNothing_data();
    void fillOutsidePaintsNothing();
    void fillWithTheFoundColourIsNoOp();
    void largeAreaFillsWhole();
    void strayAlphaDoesNotSplitAnArea();
    void otherFormatsAreConverted();

    void loadKeepsExactColours_data();
    void loadKeepsExactColours();
    void firstFillIsPureBlue();
    void transientPaintGoesOnRefresh();
    void permanentPaintShowsAfterRefresh();
    void fillReadsTheSelectedImage();
    void pointRounding_data();
    void pointRounding();
    void fillRoundsHalvesToEven_data();
    void fillRoundsHalvesToEven();
    void fillColourDropsAlpha();
    void newPictureDropsPermanentPaint();
};

void TestMapSurface::fillMatchesReference_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QPoint>("seed");

    QTest::newRow("diamond, outside") << diamond() << QPoint(0, 0);
    QTest::newRow("diamond, inside") << diamond() << QPoint(20, 20);
    QTest::newRow("diamond, its outline") << diamond() << QPoint(20, 2);
    QTest::newRow("spiral corridor") << spiral() << QPoint(0, 0);
    QTest::newRow("spiral walls") << spiral() << QPoint(1, 1);
    QTest::newRow("comb, from the top right") << comb() << QPoint(49, 0);
    QTest::newRow("comb, from the bottom left") << comb() << QPoint(0, 29);
    QTest::newRow("comb tooth") << comb() << QPoint(9, 20);
    QTest::newRow("noise, white") << noise(97, 61, 0.6, 1) << QPoint(48, 30);
    QTest::newRow("noise, dark") << noise(97, 61, 0.4, 2) << QPoint(48, 30);
    QTest::newRow("noise, corner") << noise(97, 61, 0.62, 3) << QPoint(96, 60);
    QTest::newRow("single pixel image") << whiteImage(1, 1) << QPoint(0, 0);
    QTest::newRow("single row") << noise(200, 1, 0.8, 4) << QPoint(100, 0);
    QTest::newRow("single column") << noise(1, 200, 0.8, 5) << QPoint(0, 100);
}

void TestMapSurface::fillMatchesReference()
{
    QFETCH(QImage, image);
    QFETCH(QPoint, seed);
    // Make sure the seed is not already red, whatever the fixture holds there.
    QImage expected = image.copy();
    const qsizetype expectedCount = referenceFill(expected, seed.x(), seed.y(), kRed);
    QVERIFY(expectedCount > 0);

    QImage actual = image.copy();
    QCOMPARE(floodFill(actual, seed.x(), seed.y(), kRed), expectedCount);
    QCOMPARE(actual, expected);
}

void TestMapSurface::diagonalLinesStopTheFill()
{
    QImage image = diamond();
    floodFill(image, 0, 0, kRed);
    QCOMPARE(image.pixel(20, 20), kWhite);
    QCOMPARE(image.pixel(20, 5), kWhite); // just inside the top corner
    QCOMPARE(image.pixel(40, 40), kRed);
    QCOMPARE(image.pixel(20, 2), kLine);
}

void TestMapSurface::fillOutsidePaintsNothing_data()
{
    QTest::addColumn<QPoint>("seed");
    QTest::newRow("left") << QPoint(-1, 5);
    QTest::newRow("top") << QPoint(5, -1);
    QTest::newRow("right") << QPoint(20, 5);
    QTest::newRow("bottom") << QPoint(5, 10);
    QTest::newRow("far away") << QPoint(-100000, 100000);
}

void TestMapSurface::fillOutsidePaintsNothing()
{
    QFETCH(QPoint, seed);
    QImage image = whiteImage(20, 10);
    QCOMPARE(floodFill(image, seed.x(), seed.y(), kRed), 0);
    QCOMPARE(image, whiteImage(20, 10));
}

void TestMapSurface::fillWithTheFoundColourIsNoOp()
{
    QImage image = spiral();
    const QImage before = image.copy();
    QCOMPARE(floodFill(image, 0, 0, kWhite), 0);
    QCOMPARE(floodFill(image, 0, 0, 0x00ffffff), 0); // alpha is not part of the colour
    QCOMPARE(image, before);
}

void TestMapSurface::largeAreaFillsWhole()
{
    // A fill that recursed per pixel or per run would overflow the stack here.
    QImage image = whiteImage(4000, 3000);
    QCOMPARE(floodFill(image, 1999, 1500, kRed), qsizetype(4000) * 3000);
    QImage expected(4000, 3000, QImage::Format_RGB32);
    expected.fill(kRed);
    QCOMPARE(image, expected);
}

void TestMapSurface::strayAlphaDoesNotSplitAnArea()
{
    QImage image = whiteImage(8, 2);
    // An RGB32 picture wrapped from foreign memory may carry any alpha byte.
    reinterpret_cast<quint32 *>(image.scanLine(0))[5] = 0x00ffffff;
    reinterpret_cast<quint32 *>(image.scanLine(1))[2] = 0x7fffffff;
    QCOMPARE(floodFill(image, 0, 0, kRed), 16);
    QCOMPARE(image.pixel(5, 0), kRed);
}

void TestMapSurface::otherFormatsAreConverted()
{
    QImage image = comb().convertToFormat(QImage::Format_RGB888);
    QImage expected = comb();
    const qsizetype count = referenceFill(expected, 0, 0, kRed);
    QCOMPARE(floodFill(image, 0, 0, kRed), count);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image, expected);
}

void TestMapSurface::loadKeepsExactColours_data()
{
    QTest::addColumn<QImage>("picture");

    QImage indexed(9, 5, QImage::Format_Indexed8);
    indexed.setColorTable({0xffffffff, 0xff010203, 0xfffefdfc});
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            indexed.setPixel(x, y, (x + y) % 3);
    QTest::newRow("indexed (GIF, 8-bit PNG)") << indexed;
    QTest::newRow("RGB888") << noise(9, 5, 0.5, 7).convertToFormat(QImage::Format_RGB888);
    QTest::newRow("opaque ARGB32") << noise(9, 5, 0.5, 8).convertToFormat(QImage::Format_ARGB32);
    QTest::newRow("RGB32") << noise(9, 5, 0.5, 9);
}

void TestMapSurface::loadKeepsExactColours()
{
    QFETCH(QImage, picture);
    MapSurface surface;
    surface.load(picture);
    QCOMPARE(surface.size(), picture.size());
    for (const QImage *image : {&surface.displayed(), &surface.persistent()}) {
        QCOMPARE(image->format(), QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                QCOMPARE(image->pixel(x, y), picture.pixel(x, y));
    }
}

void TestMapSurface::firstFillIsPureBlue()
{
    MapSurface surface;
    QVERIFY(surface.isNull());
    QCOMPARE(surface.fillColor(), QRgb(0x0000ff));
    surface.load(comb());
    surface.fill(0, 0);
    QCOMPARE(surface.point(0, 0), 0x0000ff);
}

void TestMapSurface::transientPaintGoesOnRefresh()
{
    MapSurface surface;
    surface.load(comb());
    surface.fill(0, 0);
    QVERIFY(!surface.isWhite(0, 0));
    QCOMPARE(surface.persistent(), comb()); // the map as loaded
    surface.refresh();
    QVERIFY(surface.isWhite(0, 0));
    QCOMPARE(surface.displayed(), comb());
}

void TestMapSurface::permanentPaintShowsAfterRefresh()
{
    MapSurface surface;
    surface.load(diamond());
    surface.setAutoRedraw(true);
    surface.fill(0, 0);
    surface.setAutoRedraw(false);
    QVERIFY(surface.isWhite(0, 0)); // the screen shows it only after a repaint
    surface.refresh();
    QCOMPARE(surface.point(0, 0), 0x0000ff);
    surface.fill(20, 20); // transient paint inside the diamond
    QCOMPARE(surface.point(20, 20), 0x0000ff);
    surface.refresh();
    QCOMPARE(surface.point(0, 0), 0x0000ff);
    QVERIFY(surface.isWhite(20, 20));
}

void TestMapSurface::fillReadsTheSelectedImage()
{
    // Transient paint covers the area on screen; the permanent fill must still
    // find white in the persistent image and paint the whole area there.
    MapSurface surface;
    surface.load(comb());
    surface.setFillColor(0xff0000);
    surface.fill(0, 0);
    surface.setAutoRedraw(true);
    QVERIFY(surface.fill(0, 0) > 0);
    surface.setAutoRedraw(false);
    QCOMPARE(surface.persistent().pixel(0, 0), kRed);
    QCOMPARE(surface.displayed().pixel(0, 0), kRed);

    // And a displayed fill finds the colour on screen, not the persistent one.
    surface.setFillColor(0x00ff00);
    QVERIFY(surface.fill(0, 0) > 0);
    QCOMPARE(surface.point(0, 0), 0x00ff00);
    QCOMPARE(surface.persistent().pixel(0, 0), kRed);
}

void TestMapSurface::pointRounding_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<qint64>("expected");

    // Column x of row 0 holds colour x; the image is 10 x 4.
    QTest::newRow("whole") << 3.0 << 0.0 << qint64(3);
    QTest::newRow("2.5 goes to 2") << 2.5 << 0.0 << qint64(2);
    QTest::newRow("3.5 goes to 4") << 3.5 << 0.0 << qint64(4);
    QTest::newRow("2.51 goes to 3") << 2.51 << 0.0 << qint64(3);
    QTest::newRow("-0.5 goes to 0, inside") << -0.5 << 0.0 << qint64(0);
    QTest::newRow("-0.51 is outside") << -0.51 << 0.0 << qint64(-1);
    QTest::newRow("8.5 goes to 8") << 8.5 << 0.0 << qint64(8);
    QTest::newRow("9.5 goes to 10, outside") << 9.5 << 0.0 << qint64(-1);
    QTest::newRow("y 3.5 goes to 4, outside") << 1.0 << 3.5 << qint64(-1);
    QTest::newRow("y 2.5 goes to 2") << 1.0 << 2.5 << qint64(0xffffff);
    QTest::newRow("below") << 1.0 << 4.0 << qint64(-1);
    QTest::newRow("huge") << 1e300 << 0.0 << qint64(-1);
    QTest::newRow("not a number") << qQNaN() << 0.0 << qint64(-1);
}

void TestMapSurface::pointRounding()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(qint64, expected);
    QImage picture = whiteImage(10, 4);
    for (int column = 0; column < 10; ++column)
        picture.setPixel(column, 0, 0xff000000u | uint(column));
    MapSurface surface;
    surface.load(picture);
    QCOMPARE(surface.point(x, y), expected);
    QCOMPARE(surface.isWhite(x, y), expected == 0xffffff);
}

void TestMapSurface::fillRoundsHalvesToEven_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("leftPainted");
    QTest::addColumn<bool>("rightPainted");

    // A line at column 3 parts the 8 x 3 picture into columns 0-2 and 4-7.
    QTest::newRow("2.5 is on the left") << 2.5 << true << false;
    QTest::newRow("3.5 is on the right") << 3.5 << false << true;
    QTest::newRow("3.0 is the line") << 3.0 << false << false;
    QTest::newRow("7.5 is outside") << 7.5 << false << false;
}

void TestMapSurface::fillRoundsHalvesToEven()
{
    QFETCH(double, x);
    QFETCH(bool, leftPainted);
    QFETCH(bool, rightPainted);
    QImage picture = whiteImage(8, 3);
    for (int y = 0; y < 3; ++y)
        picture.setPixel(3, y, kLine);
    MapSurface surface;
    surface.load(picture);
    surface.fill(x, 1.5); // 1.5 -> 2
    QCOMPARE(!surface.isWhite(0, 2), leftPainted);
    QCOMPARE(!surface.isWhite(7, 2), rightPainted);
}

void TestMapSurface::fillColourDropsAlpha()
{
    MapSurface surface;
    surface.load(whiteImage(4, 4));
    surface.setFillColor(0x80123456);
    QCOMPARE(surface.fillColor(), QRgb(0x123456));
    surface.fill(1, 1);
    QCOMPARE(surface.point(3, 3), 0x123456);
    QCOMPARE(surface.displayed().pixel(3, 3), QRgb(0xff123456));
}

void TestMapSurface::newPictureDropsPermanentPaint()
{
    MapSurface surface;
    surface.load(comb());
    surface.setAutoRedraw(true);
    surface.fill(0, 0);
    surface.setAutoRedraw(false);
    surface.load(diamond());
    QCOMPARE(surface.size(), QSize(41, 41));
    QCOMPARE(surface.persistent(), diamond());
    QCOMPARE(surface.displayed(), diamond());
}

QTEST_MAIN(TestMapSurface)
#include "tst_mapsurface.moc"
