// The quiz's rules: judging an answer, drawing the next region, the mark.
// Plain functions over the surface, the state and the generator.
#pragma once

#include "mapdata/gamestate.h"
#include "surface/mapsurface.h"
#include "platform/random.h"

#include <QString>
#include <optional>

// Right when the click's paint reached the first seed point of the region
// asked for; other areas of the same region do not count.
bool isAnswerRight(const MapSurface &surface, const GameState &state);

// Regions whose first seed pixel is still white: those not yet answered right.
int countUnanswered(const MapSurface &surface, const GameState &state);

// Draws uniformly among the regions still white. This gives the same chances
// as drawing again until a white one comes up, but cannot spin forever when
// bad seed data leaves no region white: then it draws nothing.
std::optional<int> drawUnansweredRegion(const MapSurface &surface, const GameState &state,
                                        RandomGenerator &random);

// The mark out of 10, in single precision as it is shown: "7,5 de 10".
QString markText(float score, std::int16_t regionCount);

// The test is over when every region has been answered right, or when no
// region is left to ask (a faulty seed point can no longer trap the learner).
bool isTestFinished(const MapSurface &surface, const GameState &state);
