// Pictures drawn from Natural Earth outlines: the start-up screen's world
// map and the frames of the turning Earth.
#pragma once

#include "topojson.h"

#include <QImage>
#include <QPainterPath>
#include <vector>

namespace worldart {

enum class Continent { NorthAmerica, SouthAmerica, Europe, Africa, Asia, Oceania, Antarctica };

struct Shape {
    Continent continent;
    QPainterPath path; // x = longitude, y = latitude
};

// Sorts every country polygon into its continent; overseas parts and
// Russia (split along 60° E) are placed by where they lie.
std::vector<Shape> continentShapes(const std::vector<topojson::Feature> &countries);

// The 547 × 367 start-up background: continents in flat colours on white.
QImage startupBackground(const std::vector<Shape> &shapes);

// One turn of the Earth in orthographic projection: frames frames of size
// size, the globe diameter pixels wide at the frame's left edge, centred
// vertically; outside it the frame is transparent.
std::vector<QImage> turningEarth(const std::vector<Shape> &shapes, QSize size, int diameter,
                                 int frames);

} // namespace worldart
