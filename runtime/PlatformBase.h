#pragma once

#include "Random.h"
#include "Runtime.h"

#include <string>

namespace rt
{

// What every platform's services share: the runtime's one generator, the
// clock as the local time of day, the end, and the one line with which
// start-up gives up. A platform supplies the instant, the pump and the
// message box.
class PlatformBase : public Platform
{
public:
    float clock() final { return localTimeOfDay(unixSeconds()); }
    float random() final { return generator_.next(); }
    void reseed(float seed) final { generator_.reseed(seed); }
    // At once: no unwinding and no destructors, so that a close in the middle
    // of a sort never returns into the sort. Output written so far is kept.
    [[noreturn]] void end(int status) override;

    // Start-up cannot go on: says "sortbars: " and why in one line on stderr
    // and ends the program with status 1. Where there is no window there is
    // no message box either.
    [[noreturn]] static void failStartUp(const std::string& why);
    // The same for a window that cannot be opened.
    [[noreturn]] static void cannotOpenWindow(const std::string& why)
    {
        failStartUp("no window can be opened: " + why);
    }

    // Seconds since midnight, local time, of an instant given in seconds
    // since the Unix epoch; the fraction of the second is kept whole.
    static float localTimeOfDay(double unixSeconds);

protected:
    // The current instant in seconds since the Unix epoch, to the finest
    // resolution the system offers.
    virtual double unixSeconds() const;

private:
    Random generator_;
};

} // namespace rt
