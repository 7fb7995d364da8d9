// The two pictures of a card: a locator drawn from the region's own map
// (the region in a strong colour, the rest muted, cropped around it) and
// a flag rendered from SVG with librsvg.
#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

namespace cards {

constexpr int kLocatorMaxWidth = 400;
constexpr int kLocatorMaxHeight = 300;
constexpr int kFlagHeight = 64;
constexpr int kFlagWidth = 85; // flag-icons draws every flag on a 4:3 field
constexpr QRgb kHighlight = 0xffd62828; // strong red that no map uses for land or sea
constexpr QRgb kMapSea = 0xffc6e2f5;    // the sea of the forge's maps
// A part of a region (an island) shown smaller than this on the locator, in
// pixels each way, is ringed so that the eye finds it.
constexpr int kSmallPartPixels = 6;

// Pixels of the 4-connected areas of one colour that hold the seeds.
// Seeds outside the picture or with a zero coordinate are skipped.
QImage regionMask(const QImage &map, const QList<QPoint> &seeds);

// Number of set pixels in a mask from regionMask.
qint64 maskArea(const QImage &mask);

// The locator: the map muted, the masked areas in kHighlight, cropped to a
// 4:3 window around the region (at least 400 × 300 map pixels when the map
// has them, so small regions keep their surroundings) and scaled down to
// fit 400 × 300. A region too small to see gets a ring around it, and so
// does each small island of a larger one. The lines the forge draws through
// the sea to tie a region's islands together are drawn as sea.
QImage locatorPicture(const QImage &map, const QImage &mask);

// At most maxColours colours: the most frequent ones stay exact (a flag's
// own colours), the rarer edge shades go to the nearest kept colour.
QImage limitColours(const QImage &image, int maxColours = 256);

// Renders an SVG file at exactly width × height with rsvg-convert (a size
// that is not a whole number of pixels would leave a see-through edge).
// A width of 0 keeps the flag's own proportions at that height.
bool renderSvg(const QString &svgPath, int width, int height, QImage *out, QString *error);

} // namespace cards
