// Checks the committed artwork and sounds against what the game relies on:
// control sizes, play-once versus looping, durations and wave formats that
// Qt's sound effect accepts.
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <QtEndian>

namespace {

const QString kRoot = QStringLiteral(MAPURIX_SOURCE_ROOT);

int totalDelayMs(const QString &path)
{
    QImageReader reader(path);
    int total = 0;
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        total += reader.nextImageDelay();
    }
    return total;
}

struct Wave {
    bool valid = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    double seconds = 0;
};

// Reads the fmt and data chunks of a RIFF wave file.
Wave readWave(const QString &path)
{
    Wave wave;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return wave;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return wave;
    qsizetype at = 12;
    qint64 dataBytes = -1;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (id == "fmt " && length >= 16) {
            wave.format = qFromLittleEndian<quint16>(body);
            wave.channels = qFromLittleEndian<quint16>(body + 2);
            wave.rate = int(qFromLittleEndian<quint32>(body + 4));
            wave.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            dataBytes = length;
        }
        at += 8 + length + (length & 1);
    }
    if (dataBytes < 0 || wave.rate == 0 || wave.channels == 0 || wave.bits == 0)
        return wave;
    wave.valid = true;
    wave.seconds = double(dataBytes) / (wave.rate * wave.channels * (wave.bits / 8));
    return wave;
}

} // namespace

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void animations_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("loopCount");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        // Sizes are the controls' twips / 15.
        QTest::newRow("look") << "miro.gif" << QSize(113, 89) << 0 << 1300 << 1700;
        QTest::newRow("hit") << "acierto.gif" << QSize(121, 129) << 0 << 800 << 2500;
        QTest::newRow("miss") << "fallo.gif" << QSize(113, 113) << 0 << 800 << 2500;
        QTest::newRow("idea") << "idea.gif" << QSize(153, 105) << -1 << 1000 << 6000;
        QTest::newRow("earth") << "la_tierra.gif" << QSize(153, 137) << -1 << 2000 << 8000;
    }
    void animations()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(int, loopCount);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        const QString path = kRoot + "/data/gifs/" + name;
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("gif"));
        QCOMPARE(reader.size(), size);
        QCOMPARE(reader.loopCount(), loopCount);
        QVERIFY(reader.imageCount() > 1);
        const int total = totalDelayMs(path);
        QVERIFY2(total >= minMs && total <= maxMs, qPrintable(QString::number(total)));
    }

    void sounds_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString &name : {QStringLiteral("a_ver"), QStringLiteral("fallo")})
            QTest::newRow(qPrintable(name)) << kRoot + "/data/sonidos/" + name + ".wav";
        for (int n = 1; n <= 12; ++n)
            QTest::newRow(qPrintable(QString::number(n)))
                << kRoot + "/data/sonidos/" + QString::number(n) + ".wav";
        QTest::newRow("default") << kRoot + "/src/controls/sounds/default.wav";
    }
    void sounds()
    {
        QFETCH(QString, path);
        const Wave wave = readWave(path);
        QVERIFY(wave.valid);
        QCOMPARE(wave.format, 1); // PCM
        QCOMPARE(wave.channels, 1);
        QCOMPARE(wave.rate, 22050);
        QCOMPARE(wave.bits, 16);
        QVERIFY(wave.seconds > 0.2);
        QVERIFY(wave.seconds < 2.0);
    }

    void lookSoundEndsWithinLookAnimation()
    {
        const Wave look = readWave(kRoot + "/data/sonidos/a_ver.wav");
        QVERIFY(look.valid);
        QVERIFY(look.seconds * 1000 <= totalDelayMs(kRoot + "/data/gifs/miro.gif"));
    }

    void hitSoundsDiffer()
    {
        QSet<QByteArray> contents;
        for (int n = 1; n <= 12; ++n) {
            QFile file(kRoot + "/data/sonidos/" + QString::number(n) + ".wav");
            QVERIFY(file.open(QIODevice::ReadOnly));
            contents.insert(file.readAll());
        }
        QCOMPARE(contents.size(), 12);
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (int s : {16, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString("icon %1").arg(s)))
                << QString("mapurix-%1.png").arg(s) << QSize(s, s);
        QTest::newRow("background") << "startup-background.png" << QSize(547, 367);
        QTest::newRow("arrow") << "command2-arrow.png" << QSize(28, 19);
    }
    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QImage image(kRoot + "/src/windows/resources/" + name);
        QCOMPARE(image.size(), size);
    }

    void arrowIsDarkBlueOnRed()
    {
        const QImage arrow(kRoot + "/src/windows/resources/command2-arrow.png");
        QSet<QRgb> colours;
        for (int y = 0; y < arrow.height(); ++y)
            for (int x = 0; x < arrow.width(); ++x)
                colours.insert(arrow.pixel(x, y));
        QCOMPARE(colours, (QSet<QRgb>{qRgb(0xc0, 0, 0), qRgb(0, 0, 0x80)}));
        QCOMPARE(arrow.pixel(0, 0), qRgb(0xc0, 0, 0));
    }

    void backgroundShowsTheContinentsOnWhite()
    {
        const QImage map(kRoot + "/src/windows/resources/startup-background.png");
        QCOMPARE(map.pixel(0, 0), qRgb(255, 255, 255));
        // One inland point per continent, in the projection's pixels.
        const struct {
            QPoint at;
            QRgb colour;
        } inland[] = {
            {{120, 130}, qRgb(0x4c, 0xb0, 0x4a)}, // North America
            {{190, 250}, qRgb(0xf5, 0xc8, 0x1b)}, // South America
            {{290, 120}, qRgb(0xf5, 0xc8, 0x1b)}, // Europe
            {{300, 200}, qRgb(0xe0, 0x3c, 0x31)}, // Africa
            {{440, 130}, qRgb(0x33, 0x6f, 0xd1)}, // Asia
            {{465, 265}, qRgb(0x4c, 0xb0, 0x4a)}, // Australia
        };
        for (const auto &point : inland)
            QCOMPARE(map.pixel(point.at), point.colour);
    }
};

QTEST_GUILESS_MAIN(TestAssets)
#include "tst_assets.moc"
