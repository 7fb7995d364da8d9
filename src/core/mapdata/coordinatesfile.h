// The coordinates file: one map of the catalogue. Line 1 names the map
// picture, line 2 is the question prompt, and each further line is a region:
// name,X1,Y1,X2,Y2,X3,Y3, with every field followed by a comma.
#pragma once

#include "gamestate.h"
#include "platform/loaderror.h"

#include <QByteArray>
#include <array>
#include <variant>
#include <vector>

struct SeedPoint {
    int x = 0;
    int y = 0;
};

struct RegionRecord {
    QString name;
    std::array<SeedPoint, 3> seeds; // the second and third are {0, 0} when absent
};

struct MapDescription {
    QString mapPictureFile;
    QString questionPrompt;
    std::vector<RegionRecord> regions;
};

// Parses a whole coordinates file. Every fault is reported with its line and
// field; the first fault wins. `fileName` is only used in the error.
std::variant<MapDescription, LoadError> parseCoordinatesFile(const QByteArray &bytes,
                                                             const QString &fileName);

// Copies a parsed map into the state's tables from index 0 up, leaving higher
// entries as they were.
void storeMap(const MapDescription &map, GameState &state);
