#include "CountedClock.h"

namespace rt
{

double unixSecondsOf(const FILETIME& utc)
{
    constexpr double kTicksPerSecond = 10'000'000;
    constexpr unsigned long long kTicksTo1970 = 116'444'736'000'000'000ULL;
    const unsigned long long ticks = (static_cast<unsigned long long>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    return static_cast<double>(ticks - kTicksTo1970) / kTicksPerSecond;
}

CountedClock::CountedClock(TimeOfDay timeOfDay, Count counter, Count frequency)
    : counter_(counter)
{
    FILETIME start;
    LARGE_INTEGER count, perSecond;
    timeOfDay(&start);
    counter(&count);
    frequency(&perSecond);
    start_ = unixSecondsOf(start);
    count_ = count.QuadPart;
    frequency_ = perSecond.QuadPart > 0 ? perSecond.QuadPart : 1;
}

double CountedClock::unixSeconds() const
{
    LARGE_INTEGER now;
    counter_(&now);
    return start_ + static_cast<double>(now.QuadPart - count_) / static_cast<double>(frequency_);
}

} // namespace rt
