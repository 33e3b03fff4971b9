// The generator: [0, 1) and never 1, reproducible from a seed, and uniform.
#include "runtime/Random.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <array>
#include <cmath>

TEST_CASE("every number lies in [0, 1), and all 24 bits set give the largest float below 1")
{
    CHECK(rt::Random::fromBits(0) == 0.0f);
    CHECK(rt::Random::fromBits(0xFFFFFF) == std::nextafter(1.0f, 0.0f));
    rt::Random generator;
    float lowest = 1, highest = 0;
    bool inside = true;
    for (int i = 0; i < 2'000'000; ++i) {
        const float r = generator.next();
        inside = inside && r >= 0.0f && r < 1.0f;
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    CHECK(inside);
    CHECK(lowest < 1e-5f);
    CHECK(highest > 1 - 1e-5f);
}

TEST_CASE("a seed fixes the sequence, and another seed gives another")
{
    const struct {
        const char* name;
        float seed, other;
    } rows[] = {
        { "a second apart", 3600.0f, 3601.0f },
        { "one float step apart", 43200.0f, std::nextafter(43200.0f, 1e6f) },
        { "midnight", 0.0f, 0.5f },
    };
    for (const auto& row : rows) {
        INFO(std::string(row.name));
        rt::Random a, b, c;
        a.next(); // a reseed restarts the sequence wherever it stood
        a.reseed(row.seed);
        b.reseed(row.seed);
        c.reseed(row.other);
        int differences = 0, mismatches = 0;
        for (int i = 0; i < 100; ++i) {
            const float x = a.next();
            mismatches += x != b.next();
            differences += x != c.next();
        }
        CHECK(mismatches == 0);
        CHECK(differences > 90);
    }
}

TEST_CASE("sixteen indices are drawn evenly")
{
    rt::Random generator;
    generator.reseed(12345.5f);
    constexpr int kDraws = 160'000;
    std::array<int, 16> counts {};
    for (int i = 0; i < kDraws; ++i)
        ++counts[static_cast<int>(generator.next() * 16)];
    for (int count : counts) { // expected 10000 each, standard deviation about 97
        CHECK(count > 9500);
        CHECK(count < 10500);
    }
}
