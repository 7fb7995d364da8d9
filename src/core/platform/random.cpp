#include "random.h"

#include <chrono>

void RandomGenerator::seedFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    seed(static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

RandomGenerator &RandomGenerator::global()
{
    static RandomGenerator instance;
    return instance;
}
