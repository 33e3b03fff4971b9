#include "runtime/Random.h"

#include <cstring>

namespace rt
{

void Random::reseed(float seed)
{
    // The seed's bit pattern, so that seeds one float step apart differ.
    std::uint32_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    engine_.seed(bits);
}

} // namespace rt
