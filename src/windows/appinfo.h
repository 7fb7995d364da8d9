// Who made the game and where to write: shown in every window's caption and
// in the start-up screen's credits.
#pragma once

#include <QString>

namespace appinfo {

inline const QString kContactAddress = QStringLiteral("mapurix@mapurix.org");

// The caption of every window of the game.
inline QString windowCaption()
{
    return QStringLiteral("Mapurix 2.0 - ") + kContactAddress;
}

} // namespace appinfo
