#include "painting.h"

void highlightRegion(MapSurface &surface, const GameState &state, int i)
{
    const RegionRecord &region = state.regions[std::size_t(i)];
    for (int area = 0; area < RegionRecord::kAreas; ++area) {
        if (region.hasArea(area))
            surface.fill(region.seed(area).x(), region.seed(area).y());
    }
}

void paintRegionPermanently(MapSurface &surface, const GameState &state, int i)
{
    const RegionRecord &region = state.regions[std::size_t(i)];
    surface.setAutoRedraw(true);
    for (int area = 0; area < RegionRecord::kAreas; ++area) {
        if (region.hasAreaToPaint(area))
            surface.fill(region.seed(area).x(), region.seed(area).y());
    }
    surface.setAutoRedraw(false);
    surface.refresh();
}

Identification identifyPaintedRegion(const MapSurface &surface, const GameState &state)
{
    // Every region's first area is looked at before any second area, and so on.
    for (int area = 0; area < RegionRecord::kAreas; ++area) {
        for (int i = 0; i < state.regionCount; ++i) {
            const RegionRecord &region = state.regions[std::size_t(i)];
            if (region.hasArea(area) && !surface.isWhite(region.seed(area).x(), region.seed(area).y()))
                return {i, area + 1};
        }
    }
    return {};
}
