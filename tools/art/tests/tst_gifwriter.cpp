// The GIF writer is checked by reading its files back with Qt's own GIF
// reader, the decoder the game uses.
#include "gifwriter.h"

#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// An image with the given number of distinct opaque colours, one per pixel
// in reading order (then repeating); offset shifts the set of colours.
QImage withColours(int count, int offset = 0, QSize size = QSize(64, 64))
{
    QImage image(size, QImage::Format_ARGB32);
    for (int i = 0; i < size.width() * size.height(); ++i) {
        const int c = i % count + offset;
        image.setPixel(i % size.width(), i / size.width(),
                       qRgb((c * 37) & 0xff, (c * 11 + 3) & 0xff, c >> 2 & 0xff));
    }
    return image;
}

std::vector<QImage> readAll(const QString &path)
{
    QImageReader reader(path);
    std::vector<QImage> frames;
    QImage frame;
    while (reader.read(&frame))
        frames.push_back(frame.convertToFormat(QImage::Format_ARGB32));
    return frames;
}

// Transparent pixels compare by alpha only: their colour is not kept.
bool samePixels(const QImage &expected, const QImage &actual)
{
    if (expected.size() != actual.size())
        return false;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb e = expected.pixel(x, y), a = actual.pixel(x, y);
            if (qAlpha(e) < 128 ? qAlpha(a) != 0 : a != (e | 0xff000000u))
                return false;
        }
    return true;
}

} // namespace

class TestGifWriter : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void exactColours_data()
    {
        QTest::addColumn<QList<QImage>>("images");
        QImage transparentPlus255 = withColours(255);
        transparentPlus255.setPixel(5, 5, qRgba(10, 20, 30, 0));
        QImage halfSeeThrough = withColours(16);
        halfSeeThrough.setPixel(0, 0, qRgba(200, 0, 0, 127)); // below half: transparent
        halfSeeThrough.setPixel(1, 0, qRgba(0, 200, 0, 128)); // half and above: opaque
        QTest::newRow("one colour") << QList<QImage>{filled({7, 3}, qRgb(1, 2, 3))};
        QTest::newRow("two colours, odd size") << QList<QImage>{withColours(2, 0, {5, 9})};
        QTest::newRow("256 colours") << QList<QImage>{withColours(256)};
        QTest::newRow("255 colours and transparency") << QList<QImage>{transparentPlus255};
        QTest::newRow("alpha threshold") << QList<QImage>{halfSeeThrough};
        QTest::newRow("frames sharing 256 colours")
            << QList<QImage>{withColours(128), withColours(128, 128)};
        QTest::newRow("frames with 200 colours each, 400 in all")
            << QList<QImage>{withColours(200), withColours(200, 300)};
    }
    void exactColours()
    {
        QFETCH(QList<QImage>, images);
        std::vector<gifwriter::Frame> frames;
        for (const QImage &image : images)
            frames.push_back({image, 100});
        const QString path = dir.filePath("exact.gif");
        QString error;
        QVERIFY2(gifwriter::write(path, frames, gifwriter::LoopForever, &error), qPrintable(error));
        const std::vector<QImage> read = readAll(path);
        QCOMPARE(read.size(), frames.size());
        for (size_t i = 0; i < read.size(); ++i)
            QVERIFY2(samePixels(images[int(i)], read[i]), qPrintable(QString::number(i)));
    }

    void manyColoursAreReducedToNearColours()
    {
        QImage gradient(64, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                gradient.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
        const QString path = dir.filePath("gradient.gif");
        QVERIFY(gifwriter::write(path, {{gradient, 100}}, gifwriter::PlayOnce));
        const std::vector<QImage> read = readAll(path);
        QCOMPARE(read.size(), size_t(1));
        QSet<QRgb> colours;
        int worst = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const QRgb a = gradient.pixel(x, y), b = read[0].pixel(x, y);
                colours.insert(b);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)),
                                  std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        QVERIFY(colours.size() <= 256);
        QVERIFY2(worst <= 24, qPrintable(QString::number(worst)));
    }

    void loopingAndDelays_data()
    {
        QTest::addColumn<int>("looping");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("loopCount");
        QTest::addColumn<int>("readDelay");
        QTest::newRow("once, 80 ms") << int(gifwriter::PlayOnce) << 80 << 0 << 80;
        QTest::newRow("forever, 100 ms") << int(gifwriter::LoopForever) << 100 << -1 << 100;
        QTest::newRow("45 ms rounds to hundredths") << int(gifwriter::PlayOnce) << 45 << 0 << 50;
    }
    void loopingAndDelays()
    {
        QFETCH(int, looping);
        QFETCH(int, delayMs);
        QFETCH(int, loopCount);
        QFETCH(int, readDelay);
        const QString path = dir.filePath("timing.gif");
        QVERIFY(gifwriter::write(path,
                                 {{filled({4, 4}, qRgb(255, 0, 0)), delayMs},
                                  {filled({4, 4}, qRgb(0, 0, 255)), delayMs}},
                                 gifwriter::Looping(looping)));
        QImageReader reader(path);
        QCOMPARE(reader.imageCount(), 2);
        QCOMPARE(reader.loopCount(), loopCount);
        QVERIFY(reader.read().isNull() == false);
        QCOMPARE(reader.nextImageDelay(), readDelay);
    }

    void movingFigureLeavesNoTrail()
    {
        QImage first = filled({8, 8}, qRgba(0, 0, 0, 0));
        QImage second = first;
        first.setPixel(1, 1, qRgb(0, 128, 0));
        second.setPixel(6, 6, qRgb(0, 128, 0));
        const QString path = dir.filePath("moving.gif");
        QVERIFY(gifwriter::write(path, {{first, 100}, {second, 100}}, gifwriter::PlayOnce));
        const std::vector<QImage> read = readAll(path);
        QCOMPARE(read.size(), size_t(2));
        QCOMPARE(qAlpha(read[1].pixel(1, 1)), 0);
        QCOMPARE(read[1].pixel(6, 6), qRgb(0, 128, 0));
    }

    void sameFramesGiveSameBytes()
    {
        const std::vector<gifwriter::Frame> frames = {{withColours(300), 70}, {withColours(40), 70}};
        QVERIFY(gifwriter::write(dir.filePath("a.gif"), frames, gifwriter::LoopForever));
        QVERIFY(gifwriter::write(dir.filePath("b.gif"), frames, gifwriter::LoopForever));
        QFile a(dir.filePath("a.gif")), b(dir.filePath("b.gif"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<QImage>>("images");
        QTest::newRow("no frames") << "none.gif" << QList<QImage>{};
        QTest::newRow("sizes differ")
            << "sizes.gif" << QList<QImage>{filled({4, 4}, 0xff000000), filled({4, 5}, 0xff000000)};
        QTest::newRow("empty image") << "empty.gif" << QList<QImage>{QImage()};
        QTest::newRow("folder missing")
            << "no/such/folder/x.gif" << QList<QImage>{filled({4, 4}, 0xff000000)};
    }
    void refusesBadInput()
    {
        QFETCH(QString, name);
        QFETCH(QList<QImage>, images);
        std::vector<gifwriter::Frame> frames;
        for (const QImage &image : images)
            frames.push_back({image, 100});
        const QString path = dir.filePath(name);
        QString error;
        QVERIFY(!gifwriter::write(path, frames, gifwriter::PlayOnce, &error));
        QVERIFY(error.startsWith(path));
        QVERIFY(!QFile::exists(path));
    }

private:
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestGifWriter)
#include "tst_gifwriter.moc"
