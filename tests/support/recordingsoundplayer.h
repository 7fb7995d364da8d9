// A sound output for tests: records the paths asked for, plays nothing.
#pragma once

#include "platform/soundplayer.h"

#include <QStringList>

struct RecordingSoundPlayer : SoundPlayer {
    QStringList played;
    void play(const QString &p) override { played << p; }
};
