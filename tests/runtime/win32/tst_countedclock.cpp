// The clock that Windows 7 falls back to, fed a time of day that advances
// only at the 15.6 ms timer tick, as Windows 7's does, and a counter of
// 1 MHz that advances 1 ms at each reading. (Under Wine the system's own
// time of day is precise, so only this can show a fallback that loses the
// counter's precision.)
#include "runtime/win32/CountedClock.h"

#include <doctest/doctest.h>

namespace
{

constexpr unsigned long long kStart = 134'000'000'000'000'000ULL; // 100 ns since 1601: in 2025
unsigned long long tickTime = kStart;
long long counted = 5'000'000;

void WINAPI tickingTimeOfDay(FILETIME* utc)
{
    utc->dwLowDateTime = DWORD(tickTime);
    utc->dwHighDateTime = DWORD(tickTime >> 32);
    tickTime += 156'250; // the 15.625 ms tick
}

BOOL WINAPI counter(LARGE_INTEGER* count)
{
    count->QuadPart = counted;
    counted += 1000;
    return TRUE;
}

BOOL WINAPI megahertz(LARGE_INTEGER* perSecond)
{
    perSecond->QuadPart = 1'000'000;
    return TRUE;
}

} // namespace

TEST_CASE("the Windows 7 clock keeps the counter's precision from the time of day it started at")
{
    const rt::CountedClock clock(tickingTimeOfDay, counter, megahertz);
    FILETIME start { DWORD(kStart), DWORD(kStart >> 32) };
    const double first = clock.unixSeconds();
    CHECK(first == doctest::Approx(rt::unixSecondsOf(start) + 0.001).epsilon(1e-12));
    for (int reading = 1; reading <= 8; ++reading)
        CHECK(clock.unixSeconds() - first == doctest::Approx(0.001 * reading).epsilon(1e-6));
}
