// The coordinates file parser, then the seed check on a small picture.
#include "fuzzinput.h"
#include "mapdata/coordinatesfile.h"
#include "mapdata/seedcheck.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto parsed = parseCoordinatesFile(bytes, QStringLiteral("fuzz"));
    if (const auto *error = std::get_if<LoadError>(&parsed)) {
        FUZZ_CHECK(!error->what.isEmpty());
        FUZZ_CHECK(!error->message().isEmpty());
        return 0;
    }
    const auto &map = std::get<MapDescription>(parsed);
    FUZZ_CHECK(!map.regions.empty() && map.regions.size() <= std::size_t(kMaxRegions));
    GameState state;
    storeMap(map, state);
    FUZZ_CHECK(state.regionCount == std::int16_t(map.regions.size()));

    // Two white halves split by a line: seeds land anywhere, in or out.
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(0xffffffff);
    for (int y = 0; y < picture.height(); ++y)
        picture.setPixel(32, y, 0xff000000);
    const auto error = checkSeeds(map, picture, QStringLiteral("fuzz"));
    if (error)
        FUZZ_CHECK(error->line >= 3 && !error->field.isEmpty());
    return 0;
}
