#include "Random.h"

#include <bit>

namespace rt
{

namespace
{
constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL; // any odd constant
constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
} // namespace

void Random::reseed(float seed)
{
    // PCG's own seeding: step once, add the seed, step again.
    state_ = 0;
    nextBits();
    state_ += std::bit_cast<std::uint32_t>(seed);
    nextBits();
}

std::uint32_t Random::nextBits()
{
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<std::uint32_t>(old >> 59u);
    return std::rotr(xorshifted, static_cast<int>(rot));
}

float Random::next()
{
    return static_cast<float>(nextBits() >> 8) * kTwoToMinus24;
}

} // namespace rt
