#include "questioncycle.h"

#include "platform/numconv.h"

#include <vector>

bool isAnswerRight(const MapSurface &surface, const GameState &state)
{
    const auto t = std::size_t(state.targetRegion);
    return !surface.isWhite(state.seedX1[t], state.seedY1[t]);
}

namespace {

std::vector<int> unansweredRegions(const MapSurface &surface, const GameState &state)
{
    std::vector<int> regions;
    for (int i = 0; i < state.regionCount; ++i) {
        const auto k = std::size_t(i);
        if (surface.isWhite(state.seedX1[k], state.seedY1[k]))
            regions.push_back(i);
    }
    return regions;
}

} // namespace

int countUnanswered(const MapSurface &surface, const GameState &state)
{
    return int(unansweredRegions(surface, state).size());
}

std::optional<int> drawUnansweredRegion(const MapSurface &surface, const GameState &state,
                                        RandomGenerator &random)
{
    const std::vector<int> regions = unansweredRegions(surface, state);
    if (regions.empty())
        return std::nullopt;
    const auto pick = numconv::intFloor(double(regions.size()) * double(random.next()));
    return regions[std::size_t(pick)];
}

QString markText(float score, std::int16_t regionCount)
{
    const float mark = (score * 10.0f) / float(regionCount);
    return numconv::floatToText(mark) + QStringLiteral(" de 10");
}

bool isTestFinished(const MapSurface &surface, const GameState &state)
{
    return state.shared.hitCount >= state.regionCount || countUnanswered(surface, state) == 0;
}
