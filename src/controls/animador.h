// The animated-GIF control: plays a GIF at its natural size and raises GifEnd
// once per playback, when the first pass through the frames is over.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QString>
#include <QTimer>

class QMovie;

// How the controls of a window play. The program uses the defaults; window
// tests play by hand and tests of the control shorten the watchdog.
struct AnimadorSettings {
    // With manual playback a put only loads the file, shows its first frame
    // and fits the size; GifEnd then comes only from endPlayback().
    bool manualPlayback = false;
    // The watchdog ends a playback that shows no new frame for `stallMs` past
    // the frame's own delay, and any playback still running `capMs` after its
    // put. A stuck decoder gets a few seconds; no first pass may keep the quiz
    // waiting longer than the cap.
    int stallMs = 3000;
    int capMs = 20000;
};

class Animador : public QLabel {
    Q_OBJECT
public:
    explicit Animador(const AnimadorSettings &settings = {}, QWidget *parent = nullptr);

    // Puts the control's GifFile: loads the file and plays it at once,
    // replacing what was shown, and resizes the control to the GIF's size. ""
    // shows nothing and starts no playback. A file that cannot be read shows
    // nothing, keeps the size and still ends its playback.
    void setGifFile(const QString &path);
    QString gifFile() const { return file; }

    // Ends the current playback now: GifEnd follows once, unless this playback
    // has raised it already. What is shown stays, as after a natural end.
    void endPlayback();

    const AnimadorSettings &settings() const { return playing; }

signals:
    void GifEnd();

private:
    void onFrameChanged(int frameNumber);
    void armWatchdog(int nextFrameDelay);
    void raiseEnd();
    void dropMovie();

    AnimadorSettings playing;
    QString file;
    QMovie *gifMovie = nullptr;
    // Counts playbacks, so that an end queued for a playback that has since
    // been replaced is recognised and dropped.
    quint64 playback = 0;
    bool endRaised = true;
    int lastFrame = -1;
    QElapsedTimer sincePut;
    QTimer watchdog;
};
