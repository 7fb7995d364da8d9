#include "geometry.h"

#include <ogr_api.h>

namespace forge {

// OGRPolygon::PointOnSurface does not use GEOS in this GDAL; the C entry point does.
std::optional<OGRPoint> innerPoint(const OGRGeometry &g)
{
    OGRGeometryH h = OGR_G_PointOnSurface(OGRGeometry::ToHandle(const_cast<OGRGeometry *>(&g)));
    if (!h)
        return std::nullopt;
    OGRPoint p(OGR_G_GetX(h, 0), OGR_G_GetY(h, 0));
    OGR_G_DestroyGeometry(h);
    return p;
}

void collectPolygons(const OGRGeometry &g, std::vector<const OGRPolygon *> &out)
{
    switch (wkbFlatten(g.getGeometryType())) {
    case wkbPolygon:
        out.push_back(g.toPolygon());
        break;
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const OGRGeometry *part : *g.toGeometryCollection())
            collectPolygons(*part, out);
        break;
    default:
        break;
    }
}

std::optional<OGRPoint> mainPoint(const OGRGeometry &geometry)
{
    std::vector<const OGRPolygon *> parts;
    collectPolygons(geometry, parts);
    const OGRPolygon *largest = nullptr;
    double best = -1;
    for (const OGRPolygon *p : parts) {
        const double a = p->get_Area();
        if (a > best) {
            best = a;
            largest = p;
        }
    }
    if (!largest)
        return std::nullopt;
    return innerPoint(*largest);
}

bool inBox(const GeoBox &box, double lon, double lat)
{
    if (lat < box.lat0 || lat > box.lat1)
        return false;
    for (const double l : {lon, lon + 360, lon - 360}) {
        if (l >= box.lon0 && l <= box.lon1)
            return true;
    }
    return false;
}

} // namespace forge
