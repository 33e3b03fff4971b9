#pragma once

#include <windows.h>

namespace rt
{

// Seconds since the Unix epoch of a FILETIME, which counts 100 ns from 1601.
double unixSecondsOf(const FILETIME& utc);

// The time of day where Windows has no precise clock (7, whose time of day
// advances only at the timer tick, about 15.6 ms): the coarse time read
// once, as it starts, and carried on by the performance counter, which
// counts well under a microsecond. The readings are the system's unless a
// test gives others.
class CountedClock
{
public:
    using TimeOfDay = void(WINAPI*)(FILETIME*);
    using Count = BOOL(WINAPI*)(LARGE_INTEGER*);

    explicit CountedClock(TimeOfDay timeOfDay = GetSystemTimeAsFileTime, Count counter = QueryPerformanceCounter,
        Count frequency = QueryPerformanceFrequency);

    double unixSeconds() const;

private:
    Count counter_;
    double start_ = 0;
    long long count_ = 0;
    long long frequency_ = 1;
};

} // namespace rt
