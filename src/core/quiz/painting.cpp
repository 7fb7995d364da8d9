#include "painting.h"

namespace {

void fillIf(MapSurface &surface, bool present, double x, double y)
{
    if (present)
        surface.fill(x, y);
}

} // namespace

void highlightRegion(MapSurface &surface, const GameState &state, int i)
{
    const auto k = std::size_t(i);
    surface.fill(state.seedX1[k], state.seedY1[k]);
    fillIf(surface, state.seedX2[k] != 0 && state.seedY2[k] != 0, state.seedX2[k], state.seedY2[k]);
    fillIf(surface, state.seedY3[k] != 0 && state.seedX3[k] != 0, state.seedX3[k], state.seedY3[k]);
}

void paintRegionPermanently(MapSurface &surface, const GameState &state, int i)
{
    const auto k = std::size_t(i);
    surface.setAutoRedraw(true);
    surface.fill(state.seedX1[k], state.seedY1[k]);
    fillIf(surface, state.seedX2[k] > 0 && state.seedY2[k] > 0, state.seedX2[k], state.seedY2[k]);
    fillIf(surface, state.seedX3[k] > 0 && state.seedY3[k] > 0, state.seedX3[k], state.seedY3[k]);
    surface.setAutoRedraw(false);
    surface.refresh();
}

Identification identifyPaintedRegion(const MapSurface &surface, const GameState &state)
{
    const int n = state.regionCount;
    for (int i = 0; i < n; ++i) {
        const auto k = std::size_t(i);
        if (!surface.isWhite(state.seedX1[k], state.seedY1[k]))
            return {i, 1};
    }
    for (int i = 0; i < n; ++i) {
        const auto k = std::size_t(i);
        if (state.seedX2[k] != 0 && state.seedY2[k] != 0 &&
            !surface.isWhite(state.seedX2[k], state.seedY2[k]))
            return {i, 2};
    }
    for (int i = 0; i < n; ++i) {
        const auto k = std::size_t(i);
        if (state.seedX3[k] != 0 && state.seedY3[k] != 0 &&
            !surface.isWhite(state.seedX3[k], state.seedY3[k]))
            return {i, 3};
    }
    return {};
}
