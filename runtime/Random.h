#pragma once

#include <cstdint>

namespace rt
{

// The runtime's random-number generator: PCG32 (O'Neill's permuted
// congruential generator, XSH-RR output), with 24 of its bits per number so
// that every number is an exact float in [0, 1) and never 1.
class Random
{
public:
    Random() { reseed(0.0f); }

    // Restarts the sequence from a number; equal seeds give equal sequences.
    void reseed(float seed);
    // The next number of the sequence, uniform in [0, 1).
    float next();

private:
    std::uint32_t nextBits();

    std::uint64_t state_ = 0;
};

} // namespace rt
