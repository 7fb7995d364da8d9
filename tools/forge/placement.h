// The placement check: every region of an atlas map must be drawn where its
// name says it is. Each region's reference point (the seat of a division, the
// capital of a country), taken from a gazetteer that never saw the map's
// boundaries, is projected the way the map was drawn and must fall in the
// region's own white area on the picture. Two labels swapped between regions,
// or a region drawn with another's outline, fail here even though every other
// check passes.
#pragma once

#include <QString>
#include <QStringList>

namespace forge {

struct PlacementFolders {
    QString recipes;    // the atlas's *.recipe files
    QString manifests;  // maps/regions/<map>.tsv: region name and code
    QString places;     // places/<map>.tsv and places/excepciones.tsv
};

// A point may miss its region's white pixels by this much (in pixels, in
// either direction) when it lies on a coast, on a border line or in a strait
// the drawing closed.
inline constexpr int kPlacementTolerancePixels = 3;
// A region too small to click is a marker disc, which the builder moves off
// its place to keep it clear of other markers and of small neighbours: its
// point may miss the disc by up to a marker's diameter.
inline constexpr int kPlacementMarkerTolerancePixels = 12;

struct PlacementReport {
    QStringList faults;  // "<map file>: region 'X' (CODE): what is wrong"
    QStringList notes;   // per checked map: how many points, how many exceptions
    int points = 0;
};

// Checks every map of `dataFolder` that one of the recipes draws (matched by
// the recipe's title, the coordinates file's name); coordinates files that no
// recipe draws (a teacher's own maps) are left alone.
PlacementReport checkPlacement(const QString &dataFolder, const PlacementFolders &folders);

} // namespace forge
