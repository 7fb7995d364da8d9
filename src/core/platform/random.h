// The program's one pseudo-random generator. Until the main window seeds it
// from the clock it gives the same sequence at every start, as the title
// screen's colours do. Code that draws takes the generator as a parameter, so
// tests can fix the sequence.
#pragma once

#include <cstdint>
#include <random>

class RandomGenerator {
public:
    RandomGenerator() = default;
    explicit RandomGenerator(std::uint32_t seed) : engine(seed) {}

    // Uniform float in [0, 1).
    float next()
    {
        return float(engine() >> 8) * (1.0f / 16777216.0f);
    }

    void seed(std::uint32_t value) { engine.seed(value); }
    void seedFromClock();

    // The program-wide instance.
    static RandomGenerator &global();

private:
    static constexpr std::uint32_t kStartSeed = 20021101u;
    std::mt19937 engine{kStartSeed};
};
