// What the map's pixels say about the quiz: whether the answer reached the
// asked region, and which regions are still white (not yet answered right).
#pragma once

#include "mapdata/gamestate.h"
#include "surface/mapsurface.h"

#include <vector>

// Right when the click's paint reached the first seed point of the region
// asked for; other areas of the same region do not count.
bool isAnswerRight(const MapSurface &surface, const GameState &state);

// Regions of the loaded map whose first seed pixel is still white.
std::vector<int> whiteRegions(const MapSurface &surface, const GameState &state);
