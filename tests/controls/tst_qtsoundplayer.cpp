// The default sound stands in for every missing sound file, so it must be in
// the program and playable by QSoundEffect. No test here needs a sound device.
#include "controls/qtsoundplayer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

quint16 le16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 le32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

} // namespace

class TestQtSoundPlayer : public QObject {
    Q_OBJECT
private slots:
    void defaultSoundIsShortPcm()
    {
        QFile f(QStringLiteral(":/sounds/default.wav"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        QVERIFY(b.size() > 44);
        QCOMPARE(b.mid(0, 4), QByteArray("RIFF"));
        QCOMPARE(b.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(le16(b, 20), quint16(1)); // PCM
        QCOMPARE(le16(b, 22), quint16(1)); // mono
        QCOMPARE(le32(b, 24), quint32(22050));
        QCOMPARE(le16(b, 34), quint16(16));
        QCOMPARE(b.mid(36, 4), QByteArray("data"));
        const double seconds = le32(b, 40) / (2.0 * 22050);
        QVERIFY(seconds > 0.05);
        QVERIFY(seconds < 1.0); // it stands in for short cues: never longer than the look animation
    }

    void playsTheFileOrTheDefault_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("present") << "1.wav" << true;
        QTest::newRow("missing") << "2.wav" << false;
        QTest::newRow("missing folder") << "nada/fallo.wav" << false;
        QTest::newRow("folder, not a file") << "." << false;
        QTest::newRow("empty path") << "" << false;
    }
    void playsTheFileOrTheDefault()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(":/sounds/default.wav"), dir.filePath("1.wav")));
        const QString path = name.isEmpty() ? QString() : dir.filePath(name);

        QtSoundPlayer player;
        player.play(path);
        QCOMPARE(player.source(),
                 exists ? QUrl::fromLocalFile(path) : QtSoundPlayer::defaultSound());
    }

    // The back end trusts the header: a file whose header does not hold, or
    // that is no file at all, never reaches it.
    void badFilesPlayTheDefault_data()
    {
        QTest::addColumn<QByteArray>("damage"); // a header field to break, or a special file
        QTest::newRow("data claims 4 GB") << QByteArray("data size");
        QTest::newRow("no RIFF") << QByteArray("riff");
        QTest::newRow("cut in the header") << QByteArray("cut");
        QTest::newRow("link to /dev/zero") << QByteArray("zero");
        QTest::newRow("FIFO") << QByteArray("fifo");
    }
    void badFilesPlayTheDefault()
    {
        QFETCH(QByteArray, damage);
        QTemporaryDir dir;
        const QString path = dir.filePath("a_ver.wav");
        QFile good(QStringLiteral(":/sounds/default.wav"));
        QVERIFY(good.open(QIODevice::ReadOnly));
        QByteArray bytes = good.readAll();
        if (damage == "data size")
            qToLittleEndian(quint32(0xFFFFFFF0u), bytes.data() + 40);
        else if (damage == "riff")
            bytes.replace(0, 4, "RIFX");
        else if (damage == "cut")
            bytes.truncate(30);
        if (damage == "zero") {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else if (damage == "fifo") {
            QVERIFY(QProcess::execute(QStringLiteral("mkfifo"), {path}) == 0);
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        QtSoundPlayer player;
        player.play(path);
        QCOMPARE(player.source(), QtSoundPlayer::defaultSound());
    }

    void newSoundReplacesTheOld()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(":/sounds/default.wav"), dir.filePath("1.wav")));
        QtSoundPlayer player;
        player.play(dir.filePath("1.wav"));
        player.play(dir.filePath("falta.wav"));
        QCOMPARE(player.source(), QtSoundPlayer::defaultSound());
        player.play(dir.filePath("1.wav"));
        QCOMPARE(player.source(), QUrl::fromLocalFile(dir.filePath("1.wav")));
    }

    void undecodableFilePlaysTheDefault()
    {
        QTemporaryDir dir;
        QFile bad(dir.filePath("a_ver.wav"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("RIFF, pero no es un sonido");
        bad.close();
        QtSoundPlayer player;
        player.play(bad.fileName());
        QTRY_COMPARE_WITH_TIMEOUT(player.source(), QtSoundPlayer::defaultSound(), 5000);
    }
};

QTEST_MAIN(TestQtSoundPlayer)
#include "tst_qtsoundplayer.moc"
