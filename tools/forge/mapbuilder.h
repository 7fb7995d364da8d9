// Turns a recipe into a map of the atlas: the picture, each region's seed
// points, and the files the game and the card maker read.
#pragma once

#include "recipe.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

namespace forge {

// Picture colours. Regions are exactly white; everything else is a colour a
// flood fill of white never reaches.
namespace colour {
inline constexpr QRgb sea = 0xFFC6E2F5;
inline constexpr QRgb land = 0xFFEAE4D3;      // land that is not a region of this map
inline constexpr QRgb extraIsland = 0xFFFBF1CC; // a region's islands beyond its three largest areas
inline constexpr QRgb border = 0xFF3A3A3A;    // borders of regions, marker rings, inset frames
inline constexpr QRgb coast = 0xFF9A968C;     // outlines of the land around the map
inline constexpr QRgb region = 0xFFFFFFFF;
} // namespace colour

inline constexpr int kMarkerRadius = 6;

struct BuiltRegion {
    QString name;
    QString code;
    std::vector<QPoint> seeds;  // largest area first; a marker is the only area
    bool marker = false;
    int extraIslands = 0;       // areas tinted because they were small or beyond the third
};

struct BuiltMap {
    QImage picture;
    std::vector<BuiltRegion> regions;  // in catalogue order
};

struct BuildFolders {
    QString sources;  // root the recipe's source paths are relative to
    QString names;    // folder of the name tables
};

std::optional<BuiltMap> buildMap(const Recipe &recipe, const BuildFolders &folders, QString *error);

// The coordinates file: Windows-1252, CR LF.
std::optional<QByteArray> coordinatesFileBytes(const Recipe &recipe, const BuiltMap &map, QString *error);
// A palette PNG of exactly the picture's colours, written the same way every time.
std::optional<QByteArray> pictureBytes(const QImage &picture, QString *error);
// Region name, code and where the code is looked up, for the card maker.
QByteArray manifestBytes(const Recipe &recipe, const BuiltMap &map);

} // namespace forge
