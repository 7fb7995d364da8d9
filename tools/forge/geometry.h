// Small geometry helpers over OGR shared by the feature set and the projector.
#pragma once

#include "recipe.h"

#include <ogr_geometry.h>

#include <optional>
#include <vector>

namespace forge {

// Every polygon of a polygon, multipolygon or collection.
void collectPolygons(const OGRGeometry &g, std::vector<const OGRPolygon *> &out);

// A point inside the geometry.
std::optional<OGRPoint> innerPoint(const OGRGeometry &g);

// The polygon of `geometry` with the largest area, and a point inside it.
std::optional<OGRPoint> mainPoint(const OGRGeometry &geometry);

// Whether a longitude/latitude lies in `box`, one turn of longitude either way.
bool inBox(const GeoBox &box, double lon, double lat);

} // namespace forge
