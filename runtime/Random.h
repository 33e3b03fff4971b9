#pragma once

#include <cstdint>
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
    float next() { return fromBits(engine_() >> kDroppedBits); }

    // The number that 24 random bits stand for: bits / 2^24, so that all 24
    // bits set give the largest float below 1.
    static constexpr float fromBits(std::uint32_t bits) { return static_cast<float>(bits) * kTwoToMinus24; }

private:
    static constexpr int kDroppedBits = 32 - 24; // a float holds 24 significant bits
    static constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;

    std::mt19937 engine_;
};

} // namespace rt
