// Checks a map's seed points against its picture before the map is played. A
// seed off the picture, on a border line or in another region's white area
// would make the game judge clicks wrongly without a word, so such a map is
// refused like any other bad file, naming the line and the field.
#pragma once

#include "coordinatesfile.h"
#include "platform/loaderror.h"

#include <QImage>
#include <optional>

// Every seed that is given (a pair with no zero member; the first always)
// must lie inside `picture` on a white pixel, and no white area may hold the
// seeds of two regions (a region's own seeds may share one). `fileName` names
// the coordinates file in the error.
std::optional<LoadError> checkSeeds(const MapDescription &map, const QImage &picture,
                                    const QString &fileName);
