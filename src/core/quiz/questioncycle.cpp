#include "questioncycle.h"

bool isAnswerRight(const MapSurface &surface, const GameState &state)
{
    const QPoint seed = state.regions[std::size_t(state.targetRegion)].seed(0);
    return !surface.isWhite(seed.x(), seed.y());
}

std::vector<int> whiteRegions(const MapSurface &surface, const GameState &state)
{
    std::vector<int> regions;
    for (int i = 0; i < state.regionCount; ++i) {
        const QPoint seed = state.regions[std::size_t(i)].seed(0);
        if (surface.isWhite(seed.x(), seed.y()))
            regions.push_back(i);
    }
    return regions;
}
