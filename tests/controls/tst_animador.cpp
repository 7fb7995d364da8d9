// The quiz's second beat runs once per GifEnd, so when the end comes and how
// often decides whether the learner can go on.
#include "controls/animador.h"

#include <QImage>
#include <QMovie>
#include <QSignalSpy>
#include <QTest>

namespace {

QString gif(const QString &name)
{
    return QStringLiteral(MAPURIX_TEST_DATA "/gifs/") + name;
}

// Long enough for any fixture's first pass many times over; the tests wait on
// the signal, not on the clock.
constexpr int kEndTimeoutMs = 5000;
// Several passes of the looping fixtures (150 ms each): time for a repeated or
// stale GifEnd to show itself.
constexpr int kSettleMs = 500;

const QSize kStartSize(33, 22);

} // namespace

class TestAnimador : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        Animador::setManualPlayback(false);
        Animador::setWatchdogLimits(0, 0);
    }

    void endsOncePerPlayback_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("one frame") << gif("one.gif") << QSize(7, 5);
        QTest::newRow("three frames looping") << gif("loop3.gif") << QSize(12, 9);
        QTest::newRow("three frames once") << gif("once3.gif") << QSize(10, 6);
        QTest::newRow("truncated") << gif("truncated.gif") << QSize(12, 9);
        QTest::newRow("garbage keeps size") << gif("garbage.gif") << kStartSize;
        QTest::newRow("missing keeps size") << gif("missing.gif") << kStartSize;
    }
    void endsOncePerPlayback()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        Animador a;
        a.resize(kStartSize);
        QSignalSpy ends(&a, &Animador::GifEnd);

        a.setGifFile(file);
        // Read right after the put, as the layout code does.
        QCOMPARE(a.size(), size);
        QCOMPARE(a.gifFile(), file);
        QCOMPARE(ends.count(), 0); // never inside the put

        QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, kEndTimeoutMs);
        QTest::qWait(kSettleMs);
        QCOMPARE(ends.count(), 1);
    }

    void loopingGifKeepsPlayingAfterItsEnd()
    {
        Animador a;
        QSignalSpy ends(&a, &Animador::GifEnd);
        a.setGifFile(gif("loop3.gif"));
        QVERIFY(ends.wait(kEndTimeoutMs));
        QVERIFY(a.movie());
        QCOMPARE(a.movie()->state(), QMovie::Running);
        QSignalSpy frames(a.movie(), &QMovie::frameChanged);
        QVERIFY(frames.wait(kEndTimeoutMs));
    }

    void oneShotGifStaysOnItsLastFrame()
    {
        Animador a;
        QSignalSpy ends(&a, &Animador::GifEnd);
        a.setGifFile(gif("once3.gif"));
        QVERIFY(ends.wait(kEndTimeoutMs));
        QTRY_COMPARE_WITH_TIMEOUT(a.grab().toImage().pixelColor(5, 3), QColor(Qt::blue),
                                  kEndTimeoutMs);
    }

    void showsFramePixelForPixel()
    {
        Animador a;
        a.setGifFile(gif("one.gif"));
        const QImage shown = a.grab().toImage();
        QCOMPARE(shown.size(), QSize(7, 5));
        QCOMPARE(shown.pixelColor(3, 2), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(2, 2), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(4, 2), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(3, 1), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::red));
    }

    void emptyPutRaisesNothing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("fresh control") << QString();
        QTest::newRow("over a looping GIF") << gif("loop3.gif");
        QTest::newRow("over a pending bad-file end") << gif("garbage.gif");
        QTest::newRow("over a missing file") << gif("missing.gif");
    }
    void emptyPutRaisesNothing()
    {
        QFETCH(QString, before);
        Animador a;
        QSignalSpy ends(&a, &Animador::GifEnd);
        if (!before.isEmpty()) a.setGifFile(before);
        a.setGifFile(QString());
        QCOMPARE(a.gifFile(), QString());
        QVERIFY(!a.movie());
        a.endPlayback(); // nothing is playing, so nothing ends
        QTest::qWait(kSettleMs);
        QCOMPARE(ends.count(), 0);
    }

    void newPutDropsTheOldEnd_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("firstMs"); // how long the first playback runs
        QTest::newRow("bad file's queued end") << gif("garbage.gif") << 0;
        QTest::newRow("looping GIF mid-pass") << gif("loop3.gif") << 60;
        QTest::newRow("one-shot GIF mid-pass") << gif("once3.gif") << 60;
    }
    void newPutDropsTheOldEnd()
    {
        QFETCH(QString, first);
        QFETCH(int, firstMs);
        Animador a;
        QSignalSpy ends(&a, &Animador::GifEnd);
        a.setGifFile(first);
        if (firstMs > 0) QTest::qWait(firstMs);
        // slow.gif plays well past the first's end: any GifEnd now is stale.
        a.setGifFile(gif("slow.gif"));
        QCOMPARE(a.size(), QSize(9, 4));
        QTest::qWait(kSettleMs);
        QCOMPARE(ends.count(), 0);
    }

    void samePutTwiceIsTwoPlaybacks()
    {
        Animador a;
        QSignalSpy ends(&a, &Animador::GifEnd);
        a.setGifFile(gif("once3.gif"));
        QVERIFY(ends.wait(kEndTimeoutMs));
        a.setGifFile(gif("once3.gif"));
        QCOMPARE(ends.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 2, kEndTimeoutMs);
        QTest::qWait(kSettleMs);
        QCOMPARE(ends.count(), 2);
    }

    void endPlaybackEndsOnceAndQueued()
    {
        Animador a;
        QSignalSpy ends(&a, &Animador::GifEnd);
        a.setGifFile(gif("once3.gif"));
        a.endPlayback();
        a.endPlayback();
        QCOMPARE(ends.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, kEndTimeoutMs);
        // The natural end of the same playback follows later and is swallowed.
        QTest::qWait(kSettleMs);
        QCOMPARE(ends.count(), 1);
    }

    void watchdogEndsALongPlayback()
    {
        Animador::setWatchdogLimits(100, 300);
        Animador a;
        QSignalSpy ends(&a, &Animador::GifEnd);
        a.setGifFile(gif("slow.gif")); // its first pass takes 20 s
        QVERIFY(ends.wait(kEndTimeoutMs));
        QTest::qWait(kSettleMs);
        QCOMPARE(ends.count(), 1);
    }

    void manualPlaybackWaitsForEndPlayback_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("looping") << gif("loop3.gif") << QSize(12, 9);
        QTest::newRow("one-shot") << gif("once3.gif") << QSize(10, 6);
        QTest::newRow("missing") << gif("missing.gif") << kStartSize;
    }
    void manualPlaybackWaitsForEndPlayback()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        Animador::setManualPlayback(true);
        Animador a;
        a.resize(kStartSize);
        QSignalSpy ends(&a, &Animador::GifEnd);
        a.setGifFile(file);
        QCOMPARE(a.size(), size);
        if (a.movie()) QCOMPARE(a.movie()->state(), QMovie::NotRunning);
        QTest::qWait(kSettleMs);
        QCOMPARE(ends.count(), 0);

        a.endPlayback();
        QCOMPARE(ends.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, kEndTimeoutMs);
        a.endPlayback();
        QTest::qWait(50);
        QCOMPARE(ends.count(), 1);
    }

    void manualPlaybackShowsTheFirstFrame()
    {
        Animador::setManualPlayback(true);
        Animador a;
        a.setGifFile(gif("loop3.gif"));
        QCOMPARE(a.grab().toImage().pixelColor(6, 4), QColor(Qt::red));
    }

    void destroyedWithAnEndPending()
    {
        // The queued end must die with its control, not run on a dead one
        // (the sanitizer build turns that into a failure).
        {
            Animador a;
            a.setGifFile(gif("garbage.gif"));
        }
        QTest::qWait(50);
    }
};

QTEST_MAIN(TestAnimador)
#include "tst_animador.moc"
