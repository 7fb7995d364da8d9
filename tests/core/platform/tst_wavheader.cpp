// A wave file reaches the sound back end only when its header holds: the back
// end reserves whatever the header claims.
#include "platform/wavheader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray formatChunk(quint16 tag = 1, quint16 channels = 1, quint32 rate = 22050, quint16 bits = 16)
{
    const quint16 align = quint16(channels * (bits / 8));
    return "fmt " + le32(16) + le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) +
           le16(bits);
}

QByteArray wave(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray samples(int n)
{
    return QByteArray(n, '\x10');
}

} // namespace

class TestWavHeader : public QObject {
    Q_OBJECT
private slots:
    void shippedSoundsPlay()
    {
        QStringList files;
        const QDir sounds(QStringLiteral(MAPURIX_SOURCE_DATA "/sonidos"));
        for (const QString &name : sounds.entryList({QStringLiteral("*.wav")}, QDir::Files))
            files << sounds.filePath(name);
        files << QStringLiteral(MAPURIX_SOURCE_DATA "/../src/controls/sounds/default.wav");
        QCOMPARE(files.size(), 15);
        for (const QString &file : files)
            QVERIFY2(wavheader::fileIsPlayable(file), qPrintable(file));
    }

    void headers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("playable");
        const QByteArray fmt = formatChunk();
        const QByteArray data = "data" + le32(100) + samples(100);
        QTest::newRow("plain PCM") << wave(fmt + data) << true;
        QTest::newRow("8-bit stereo") << wave(formatChunk(1, 2, 11025, 8) + data) << true;
        QTest::newRow("extensible") << wave(formatChunk(0xFFFE) + data) << true;
        QTest::newRow("odd chunk padded") << wave(fmt + "LIST" + le32(3) + "abc" + QByteArray(1, '\0') + data)
                                          << true;
        QTest::newRow("data claims 4 GB") << wave(fmt + "data" + le32(0xFFFFFFF0u) + samples(100)) << false;
        QTest::newRow("data one byte past the end") << wave(fmt + "data" + le32(101) + samples(100)) << false;
        QTest::newRow("empty data") << wave(fmt + "data" + le32(0)) << false;
        QTest::newRow("no format chunk") << wave(data) << false;
        QTest::newRow("format after data") << wave(data + fmt) << false;
        QTest::newRow("short format chunk") << wave("fmt " + le32(8) + formatChunk().mid(8, 8) + data) << false;
        QTest::newRow("format claims 4 GB") << wave("fmt " + le32(0xFFFFFFFFu) + formatChunk().mid(8) + data)
                                            << false;
        QTest::newRow("32-bit samples") << wave(formatChunk(1, 1, 22050, 32) + data) << false;
        QTest::newRow("compressed") << wave(formatChunk(2) + data) << false;
        QTest::newRow("no channels") << wave(formatChunk(1, 0) + data) << false;
        QTest::newRow("zero rate") << wave(formatChunk(1, 1, 0) + data) << false;
        QTest::newRow("not RIFF") << QByteArray("RIFX" + wave(fmt + data).mid(4)) << false;
        QTest::newRow("not WAVE") << QByteArray(wave(fmt + data).replace("WAVE", "AVI ")) << false;
        QTest::newRow("header only") << wave({}) << false;
        QTest::newRow("zero bytes") << QByteArray() << false;
        QTest::newRow("GIF renamed") << QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 13) << false;
        QTest::newRow("cut in the format chunk") << wave(fmt + data).left(30) << false;
    }
    void headers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, playable);
        QCOMPARE(wavheader::isPlayable(bytes), playable);
    }

    void specialFilesDoNotPlay()
    {
        QTemporaryDir dir;
        const QString link = QDir(dir.path()).filePath(QStringLiteral("a_ver.wav"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), link));
        QVERIFY(!wavheader::fileIsPlayable(link));
        QVERIFY(!wavheader::fileIsPlayable(QDir(dir.path()).filePath(QStringLiteral("fallo.wav"))));
    }
};

QTEST_GUILESS_MAIN(TestWavHeader)
#include "tst_wavheader.moc"
