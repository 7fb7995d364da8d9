// The palette picture pixel by pixel: the player picks the paint colour, frame
// lines included, straight from these pixels.
#include "surface/palette.h"

#include <QSet>
#include <QTest>

using namespace palette;

class TestPalette : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { picture = makePalettePicture(); }
    void size();
    void swatchSquares_data();
    void swatchSquares();
    void frameLines_data();
    void frameLines();
    void onlyFrameAndSwatchColours();

private:
    static QRgb rgb(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xffffff; }
    QImage picture;
};

void TestPalette::size()
{
    QCOMPARE(picture.size(), QSize(209, 34));
    QCOMPARE(picture.format(), QImage::Format_RGB32);
}

void TestPalette::swatchSquares_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QRgb>("colour");

    // Written out again here rather than read from the table under test.
    const QRgb top[] = {0x808080, 0x800000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080,
                        0x808040, 0x004040, 0x0080FF, 0x004080, 0x4000FF, 0x804000};
    const QRgb bottom[] = {0xC0C0C0, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF,
                           0xFFFF80, 0x00FF80, 0x80FFFF, 0x8080FF, 0xFF0080, 0xFF8040};
    for (int s = 0; s < 13; ++s) {
        QTest::addRow("top %d", s) << 0 << s << top[s];
        QTest::addRow("bottom %d", s) << 1 << s << bottom[s];
    }
}

void TestPalette::swatchSquares()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QRgb, colour);
    // Columns 16s + 3 to 16s + 14; rows 3 to 14 on top, 19 to 30 below.
    const int top = row == 0 ? 3 : 19;
    for (int y = top; y <= top + 11; ++y)
        for (int x = 16 * column + 3; x <= 16 * column + 14; ++x)
            QCOMPARE(rgb(picture, x, y), colour);
}

void TestPalette::frameLines_data()
{
    QTest::addColumn<QPoint>("offset"); // from the cell's top-left grid corner
    QTest::addColumn<QRgb>("colour");

    QTest::newRow("grid corner") << QPoint(0, 0) << QRgb(0xffffff);
    QTest::newRow("grid line above") << QPoint(8, 0) << QRgb(0xffffff);
    QTest::newRow("grid line left") << QPoint(0, 8) << QRgb(0xffffff);
    QTest::newRow("grid line right") << QPoint(16, 8) << QRgb(0xffffff);
    QTest::newRow("grid line below") << QPoint(8, 16) << QRgb(0xffffff);
    QTest::newRow("outer top-left corner") << QPoint(1, 1) << QRgb(0x808080);
    QTest::newRow("outer top, right end") << QPoint(15, 1) << QRgb(0x808080);
    QTest::newRow("outer left, bottom end") << QPoint(1, 15) << QRgb(0x808080);
    QTest::newRow("inner top-left corner") << QPoint(2, 2) << QRgb(0x000000);
    QTest::newRow("inner top, right end") << QPoint(14, 2) << QRgb(0x000000);
    QTest::newRow("inner left, bottom end") << QPoint(2, 14) << QRgb(0x000000);
    QTest::newRow("inner right, top end") << QPoint(15, 2) << QRgb(0xc0c0c0);
    QTest::newRow("inner bottom, left end") << QPoint(2, 15) << QRgb(0xc0c0c0);
    QTest::newRow("inner bottom-right corner") << QPoint(15, 15) << QRgb(0xc0c0c0);
    QTest::newRow("first colour pixel") << QPoint(3, 3) << QRgb(0xffffffff); // swatch
}

void TestPalette::frameLines()
{
    QFETCH(QPoint, offset);
    QFETCH(QRgb, colour);
    for (int r = 0; r < 2; ++r) {
        for (int s = 0; s < 13; ++s) {
            const QRgb expected = colour == 0xffffffff ? kSwatches[r][s] : colour;
            QCOMPARE(rgb(picture, 16 * s + offset.x(), 16 * r + offset.y()), expected);
        }
    }
}

void TestPalette::onlyFrameAndSwatchColours()
{
    // Every pixel outside the squares is one of the four frame colours, and
    // the bottom margin is light grey.
    const QSet<QRgb> frame{0xffffff, 0x808080, 0x000000, 0xc0c0c0};
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool inSquare = x % 16 >= 3 && x % 16 <= 14 && x < 208 && y % 16 >= 3
                                  && y % 16 <= 14 && y < 32;
            if (!inSquare)
                QVERIFY2(frame.contains(rgb(picture, x, y)), qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
    }
    for (int x = 0; x < picture.width(); ++x)
        QCOMPARE(rgb(picture, x, 33), QRgb(0xc0c0c0));
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
