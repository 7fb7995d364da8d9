// Sound output through Qt Multimedia's QSoundEffect (16-bit PCM wave files).
#pragma once

#include "platform/soundplayer.h"

#include <QObject>
#include <QUrl>

class QSoundEffect;

class QtSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject *parent = nullptr);

    void play(const QString &path) override;

    // The sound last started (the default sound when the file was missing or
    // could not be decoded).
    QUrl source() const;

    static QUrl defaultSound();

private:
    void onStatusChanged();

    QSoundEffect *effect = nullptr;
};
