#include "PlatformBase.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace rt
{

void PlatformBase::end(int status)
{
    std::fflush(nullptr);
    std::_Exit(status);
}

void PlatformBase::failStartUp(const std::string& why)
{
    std::fprintf(stderr, "sortbars: %s\n", why.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

float PlatformBase::localTimeOfDay(double unixSeconds)
{
    // The whole seconds through the C library's time zone, the fraction as it is.
    const double whole = std::floor(unixSeconds);
    const std::time_t t = static_cast<std::time_t>(whole);
    std::tm local {};
#if defined(_WIN32)
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    const double secondsToday = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return static_cast<float>(secondsToday + (unixSeconds - whole));
}

double PlatformBase::unixSeconds() const
{
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

} // namespace rt
