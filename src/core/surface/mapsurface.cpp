#include "mapsurface.h"

#include "surface/floodfill.h"
#include "platform/numconv.h"

#include <cmath>
#include <optional>

namespace {

// Whole-pixel position inside `size`, or nothing for a point outside it (or
// not a number, which cannot name a pixel).
std::optional<QPoint> pixelPosition(QSize size, double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    // Anything this far out is outside every picture; the bound keeps the
    // conversion to a whole number defined.
    constexpr double kFar = 1e9;
    if (std::fabs(x) > kFar || std::fabs(y) > kFar)
        return std::nullopt;
    const std::int64_t px = numconv::roundHalfEven(x);
    const std::int64_t py = numconv::roundHalfEven(y);
    if (px < 0 || py < 0 || px >= size.width() || py >= size.height())
        return std::nullopt;
    return QPoint(int(px), int(py));
}

} // namespace

qint64 pixelAt(const QImage &image, double x, double y)
{
    const std::optional<QPoint> at = pixelPosition(image.size(), x, y);
    if (!at)
        return -1;
    return qint64(image.pixel(*at) & MapSurface::kRgbMask);
}

void MapSurface::load(const QImage &picture)
{
    // An RGB32 picture comes back shared with the caller's; the first fill
    // detaches it, so the caller's image never changes.
    persistentImage = picture.convertToFormat(QImage::Format_RGB32);
    displayedImage = persistentImage;
}

void MapSurface::refresh()
{
    // Implicit sharing makes this a copy in effect: the next fill detaches.
    displayedImage = persistentImage;
}

qsizetype MapSurface::fill(double x, double y)
{
    QImage &target = redraw ? persistentImage : displayedImage;
    const std::optional<QPoint> at = pixelPosition(target.size(), x, y);
    if (!at)
        return 0;
    return floodFill(target, at->x(), at->y(), colour);
}
