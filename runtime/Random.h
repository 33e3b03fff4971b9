#pragma once

#include <random>

namespace rt
{

// The runtime's random-number generator: the standard Mersenne Twister, with
// 24 of its 32 bits per number, so that every number is an exact float in
// [0, 1) and never 1. (std::generate_canonical can round up to 1.)
class Random
{
public:
    Random() { reseed(0.0f); }

    // Restarts the sequence from a number; equal seeds give equal sequences.
    void reseed(float seed);
    // The next number of the sequence, uniform in [0, 1).
    float next();

private:
    std::mt19937 engine_;
};

} // namespace rt
