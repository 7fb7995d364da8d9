#include "controls/animador.h"

#include "platform/safefile.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMovie>

#include <algorithm>

namespace {

bool isPlayableFile(const QString &path)
{
    return safefile::isRegularFile(path) && QFileInfo(path).size() <= safefile::kPictureLimit;
}

} // namespace

Animador::Animador(const AnimadorSettings &settings, QWidget *parent) : QLabel(parent), playing(settings)
{
    // Frames are drawn pixel for pixel from the top-left corner, never scaled.
    setScaledContents(false);
    setTextFormat(Qt::PlainText); // it shows pictures; no text is ever read as markup
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(0);
    setIndent(0);
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, &Animador::endPlayback);
}

void Animador::setGifFile(const QString &path)
{
    dropMovie();
    file = path;
    ++playback;
    lastFrame = -1;
    if (path.isEmpty()) {
        endRaised = true; // nothing plays, so nothing ends
        return;
    }
    endRaised = false;
    sincePut.start();

    // The header alone gives the size, so that Width and Height are right as
    // soon as the put returns, before any frame is decoded.
    // Only a regular file within the picture bound plays: a FIFO would block
    // here and a huge file would stall the decoder.
    const QSize natural = isPlayableFile(path) ? QImageReader(path).size() : QSize();
    if (!natural.isValid()) {
        // Missing or not a GIF: show nothing, but the playback still ends, so
        // whoever waits for it goes on.
        if (!playing.manualPlayback) raiseEnd();
        return;
    }
    resize(natural);

    gifMovie = new QMovie(this);
    // No frame cache: the GIFs are small, and a looping one would otherwise
    // keep every frame it has shown.
    gifMovie->setCacheMode(QMovie::CacheNone);
    if (playing.manualPlayback) {
        gifMovie->setFileName(path);
        gifMovie->jumpToFrame(0);
        setMovie(gifMovie);
        return;
    }

    // Connected before the file is set: QMovie reports a bad file at once,
    // and start() shows frame 0 before it returns.
    connect(gifMovie, &QMovie::frameChanged, this, &Animador::onFrameChanged);
    connect(gifMovie, &QMovie::finished, this, &Animador::raiseEnd);
    connect(gifMovie, &QMovie::error, this, &Animador::raiseEnd);
    gifMovie->setFileName(path);
    setMovie(gifMovie);
    armWatchdog(0);
    gifMovie->start();
}

void Animador::onFrameChanged(int frameNumber)
{
    // A GIF that loops never finishes: its first pass is over when the frame
    // number goes back (a one-frame loop shows frame 0 again).
    if (frameNumber <= lastFrame) raiseEnd();
    lastFrame = frameNumber;
    if (!endRaised) armWatchdog(gifMovie->nextFrameDelay());
}

void Animador::armWatchdog(int nextFrameDelay)
{
    const qint64 left = std::max<qint64>(0, playing.capMs - sincePut.elapsed());
    watchdog.start(int(std::min<qint64>(left, qint64(std::max(nextFrameDelay, 0)) + playing.stallMs)));
}

void Animador::endPlayback()
{
    raiseEnd();
}

void Animador::raiseEnd()
{
    if (endRaised) return;
    endRaised = true;
    watchdog.stop();
    // Delivered as an event of its own, never inside the put that started the
    // playback (QMovie ends a bad file within start()), and only if no newer
    // put has replaced this playback meanwhile.
    const quint64 ending = playback;
    QMetaObject::invokeMethod(
        this,
        [this, ending] {
            if (ending == playback) emit GifEnd();
        },
        Qt::QueuedConnection);
}

void Animador::dropMovie()
{
    watchdog.stop();
    clear();
    if (!gifMovie) return;
    gifMovie->disconnect(this);
    gifMovie->stop();
    // Deleted later: the put may come from code called while the old movie is
    // still delivering a signal.
    gifMovie->deleteLater();
    gifMovie = nullptr;
}
