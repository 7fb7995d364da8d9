// Reads the polygons of a TopoJSON file (the world-atlas package's format):
// quantised, delta-coded arcs shared between neighbouring shapes.
#pragma once

#include <QPointF>
#include <QString>
#include <vector>

namespace topojson {

using Ring = std::vector<QPointF>; // x = longitude, y = latitude, degrees

struct Feature {
    QString id;   // ISO 3166 numeric code for countries, empty when absent
    QString name; // properties.name
    std::vector<std::vector<Ring>> polygons; // each polygon: outer ring, then holes
};

// Reads every Polygon and MultiPolygon of the named object of the file.
// On failure returns an empty list and sets error.
std::vector<Feature> readObject(const QString &path, const QString &object, QString *error);

} // namespace topojson
