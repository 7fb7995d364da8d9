// The game's sound output: plays a wave file without waiting for it. Behind an
// interface so that tests can record what was played instead.
#pragma once

#include <QString>

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts `path` at once, cutting any sound still playing. A file that is
    // not there plays the default sound.
    virtual void play(const QString &path) = 0;
};
