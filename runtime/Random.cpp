#include "runtime/Random.h"

#include <bit>
#include <cstdint>

namespace rt
{

namespace
{
constexpr int kDroppedBits = 32 - 24; // a float holds 24 significant bits
constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
} // namespace

void Random::reseed(float seed)
{
    // The seed's bit pattern, so that seeds one float step apart differ.
    engine_.seed(std::bit_cast<std::uint32_t>(seed));
}

float Random::next()
{
    return static_cast<float>(engine_() >> kDroppedBits) * kTwoToMinus24;
}

} // namespace rt
