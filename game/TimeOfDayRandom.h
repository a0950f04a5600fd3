#pragma once

#include <cstdint>
#include <random>

// The serve's random source: reseeded from the time of day at every serve, then drawn from.
class TimeOfDayRandom {
public:
    // Seeds from the milliseconds elapsed since local midnight.
    void Randomize();
    void Seed(std::uint32_t seed) { m_engine.seed(seed); }
    // A number uniform in [0, 1), never 1.
    double Next();

private:
    std::mt19937 m_engine;
};
