// Projection of longitude/latitude geometry (PROJ through OGR's coordinate
// transformation) into the pixels of a picture or of an inset.
#pragma once

#include "recipe.h"

#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QString>

#include <ogr_geometry.h>

#include <memory>
#include <optional>
#include <vector>

class OGRCoordinateTransformation;

namespace forge {

class Projector {
public:
    ~Projector();
    Projector(const Projector &) = delete;
    Projector &operator=(const Projector &) = delete;

    // Fits `frame` (or, when given, the points of `fit`) into `target`,
    // keeping the projection's proportions.
    static std::unique_ptr<Projector> create(const QString &projection, const GeoBox &frame,
                                             const QRect &target, QString *error,
                                             const std::vector<QPointF> &fit = {});

    // The geometry's polygons in pixels; parts far outside the frame are cut
    // away first so that the far side of the globe never folds over the map.
    QPainterPath path(const OGRGeometry &lonLat) const;
    std::optional<QPointF> point(double lon, double lat) const;
    const QRect &target() const { return area; }

private:
    Projector() = default;
    void addPolygon(QPainterPath &out, const OGRPolygon &polygon) const;
    void addGeometry(QPainterPath &out, const OGRGeometry &geometry) const;
    QPointF toPixel(double x, double y) const;

    OGRCoordinateTransformation *transform = nullptr;
    QRect area;
    GeoBox visible;
    double scale = 1;
    double centreX = 0;
    double centreY = 0;
};

} // namespace forge
