// Painting regions on the map surface: the study-mode highlight, the
// identification of a painted region and the permanent painting of a region
// answered right. Plain functions over the surface and the region tables.
#pragma once

#include "mapdata/gamestate.h"
#include "surface/mapsurface.h"

// Fills every area of region i on the displayed surface, reading each area's
// colour just before its fill. Areas whose seed has a zero coordinate are absent.
void highlightRegion(MapSurface &surface, const GameState &state, int i);

// Paints region i into the persistent image with the current fill colour and
// shows the result (the transient paint of the click disappears).
void paintRegionPermanently(MapSurface &surface, const GameState &state, int i);

struct Identification {
    int region = -1; // -1: the click painted no region
    int pass = 0;    // 1: found by its first area, 2 or 3: by its second or third
};

// After a study-mode click has painted the area under the pointer on a freshly
// repainted map: which region's seed is no longer white. The first area of
// every region is looked at before any second area, and so on.
Identification identifyPaintedRegion(const MapSurface &surface, const GameState &state);
