// The feedback and start-up animations and the small button picture.
#pragma once

#include "../../common/gifwriter.h"

#include <vector>

namespace animations {

std::vector<gifwriter::Frame> looking();   // miro.gif: looking around, about 1.5 s
std::vector<gifwriter::Frame> hit();       // acierto.gif
std::vector<gifwriter::Frame> miss();      // fallo.gif
std::vector<gifwriter::Frame> lightBulb(); // idea.gif, looping

// The 28 × 19 picture of the "another region" button, drawn pixel-exact.
QImage anotherRegionArrow();

} // namespace animations
