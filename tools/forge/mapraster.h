// Pixel work on drawn map pictures, shared by the builder and the checker:
// the white areas a 4-connected flood fill would paint, and the seed point of
// each area.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QRect>

#include <vector>

namespace forge {

inline constexpr QRgb kWhite = 0xFFFFFFFF;
// Smallest white area a learner can hit reliably with the mouse.
inline constexpr int kMinAreaPixels = 40;
inline constexpr int kMaxAreasPerRegion = 3;
// A region's island of at least this many white pixels is tied by a ferry
// line to one of the region's seeded areas, so the fill reaches it; smaller
// specks are tinted. Every island a learner can make out on the map lights up
// with its region.
inline constexpr int kLinkedIslandPixels = 3;

// Draws the outline of every subpath of `path` as 8-connected lines between
// its vertices rounded down to pixels, inside `clip` only. Qt's aliased
// stroker skips pixels on runs of short segments; a gap would let a flood fill
// through a border.
void strokeOutline(QImage &image, const QPainterPath &path, QRgb colour, const QRect &clip);

// A disc of radius `radius`: inside `inside`, its 4-connected rim `rim`.
void drawDisc(QImage &image, QPoint centre, int radius, QRgb inside, QRgb rim);

// The white 4-connected areas of a picture. Areas are numbered in the order of
// their first pixel in raster order, so the numbering is deterministic.
struct WhiteAreas {
    int width = 0;
    int height = 0;
    std::vector<int> label;   // per pixel: area index, or -1 for a pixel that is not white
    std::vector<int> size;    // per area: pixel count
    std::vector<int> first;   // per area: raster index of its first pixel

    int areaAt(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return -1;
        return label[static_cast<size_t>(y) * width + x];
    }
    int count() const { return static_cast<int>(size.size()); }
};

WhiteAreas labelWhiteAreas(const QImage &picture);
// The same for the 4-connected areas of any one colour (the checker looks for
// tinted islands this way).
WhiteAreas labelAreasOfColour(const QImage &picture, QRgb colour);

// Chamfer (3-4) distance of every white pixel to the nearest pixel that is not
// white; the picture's outside counts as not white.
std::vector<int> distanceToEdge(const WhiteAreas &areas);

// For every area, the pixel farthest from the area's edge (first in raster
// order among equals), so a seed sits well inside even a thin area.
std::vector<QPoint> deepestPoints(const WhiteAreas &areas);

} // namespace forge
