// The animated-GIF control: plays a GIF at its natural size and raises GifEnd
// once per playback, when the first pass through the frames is over.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QString>
#include <QTimer>

class QMovie;

class Animador : public QLabel {
    Q_OBJECT
public:
    explicit Animador(QWidget *parent = nullptr);

    // Puts the control's GifFile: loads the file and plays it at once,
    // replacing what was shown, and resizes the control to the GIF's size. ""
    // shows nothing and starts no playback. A file that cannot be read shows
    // nothing, keeps the size and still ends its playback.
    void setGifFile(const QString &path);
    QString gifFile() const { return file; }

    // Ends the current playback now: GifEnd follows once, unless this playback
    // has raised it already. What is shown stays, as after a natural end.
    void endPlayback();

    // With manual playback (tests of windows) a put only loads the file, shows
    // its first frame and fits the size; GifEnd then comes only from
    // endPlayback(). Applies to every control.
    static void setManualPlayback(bool manual);
    static bool manualPlayback();

    // The watchdog ends a playback that shows no new frame for `stallMs` past
    // the frame's own delay, and any playback still running `capMs` after its
    // put. Tests shorten these; 0 or less restores the defaults.
    static void setWatchdogLimits(int stallMs, int capMs);

signals:
    void GifEnd();

private:
    void onFrameChanged(int frameNumber);
    void armWatchdog(int nextFrameDelay);
    void raiseEnd();
    void dropMovie();

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
