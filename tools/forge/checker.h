// Validates a program folder's maps as the game will use them: coordinates
// files read by the game's own parser, seeds checked on the pictures' pixels.
#pragma once

#include <QString>
#include <QStringList>

namespace forge {

struct CheckReport {
    QStringList faults;    // each one line: "<map file>: what is wrong"
    QStringList coverage;  // per map: how many regions have their card files
    int maps = 0;
    int regions = 0;
};

CheckReport checkDataFolder(const QString &dataFolder);

} // namespace forge
