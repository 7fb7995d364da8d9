#include "controls/qtsoundplayer.h"

#include "platform/wavheader.h"

#include <QFileInfo>
#include <QSoundEffect>

QtSoundPlayer::QtSoundPlayer(QObject *parent) : QObject(parent), effect(new QSoundEffect(this))
{
    connect(effect, &QSoundEffect::statusChanged, this, &QtSoundPlayer::onStatusChanged);
}

QUrl QtSoundPlayer::defaultSound()
{
    return QUrl(QStringLiteral("qrc:/sounds/default.wav"));
}

QUrl QtSoundPlayer::source() const
{
    return effect->source();
}

void QtSoundPlayer::play(const QString &path)
{
    // The back end trusts the header and reserves what it claims: only a wave
    // file whose header holds plays, anything else gets the default sound.
    const QFileInfo info(path);
    const QUrl url =
        wavheader::fileIsPlayable(path) ? QUrl::fromLocalFile(info.absoluteFilePath()) : defaultSound();
    // QSoundEffect loads and plays in the background; without a sound server it
    // stays silent and does not block. Stopping first lets the new sound cut
    // the old one even when both are the same file.
    effect->stop();
    effect->setSource(url);
    effect->play();
}

void QtSoundPlayer::onStatusChanged()
{
    // A file that is there but is no playable wave gets the default sound too,
    // once: should the default itself fail there is nothing better to play.
    if (effect->status() != QSoundEffect::Error || effect->source() == defaultSound()) return;
    effect->stop();
    effect->setSource(defaultSound());
    effect->play();
}
