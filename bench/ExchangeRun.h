#pragma once

// The timed runs that the exchange benchmarks share, on any platform: 30
// exchanges and a whole Push-sort in the program's window, and the pumps
// inside them, each against the paced ideal. Prints ratios measured in one run.

#include "runtime/Runtime.h"
#include "window/Form1.h"

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <iterator>

namespace bench
{

// Where the lines of a run go: standard output, unless the bench says otherwise.
inline void (*report)(const char* line) = [](const char* line) { std::fputs(line, stdout); };

[[gnu::format(printf, 1, 2)]] inline void say(const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    report(line);
}

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A platform, with every pump timed.
template <class Inner> class TimedPlatform final : public rt::Platform
{
public:
    float clock() override { return inner.clock(); }
    void pump() override
    {
        const auto start = Clock::now();
        inner.pump();
        pumpSeconds += secondsSince(start);
        ++pumps;
    }
    float random() override { return inner.random(); }
    void reseed(float seed) override { inner.reseed(seed); }
    void messageBox(const rt::Message& message) override { inner.messageBox(message); }
    [[noreturn]] void end(int status) override { inner.end(status); }

    Inner inner;
    double pumpSeconds = 0;
    long pumps = 0;
};

inline int inversions(const Form1& form)
{
    int count = 0;
    for (int i = 0; i < BarSlots::kCount; ++i)
        for (int j = i + 1; j < BarSlots::kCount; ++j)
            count += form.Values[j] < form.Values[i];
    return count;
}

template <class Inner> void run(Form1& form, TimedPlatform<Inner>& platform)
{
    // The clock is a float: from 01:08:16 on, start + 0.008 s rounds to start + 1/128 s.
    const double frame = platform.clock() >= 4096.0f ? 1.0 / 128 : 0.008;
    const double idealExchange = 30 * frame;

    const int pairs[][2] = { { 4, 5 }, { 0, 15 }, { 9, 2 }, { 7, 8 }, { 15, 0 }, { 3, 12 } };
    constexpr int kRounds = 5;
    double exchangeSeconds = 0;
    double worst = 0;
    for (int round = 0; round < kRounds; ++round)
        for (const auto& pair : pairs) {
            const rt::Int16 a = pair[0], b = pair[1];
            const auto start = Clock::now();
            form.SwapBars(a, b);
            const double seconds = secondsSince(start);
            exchangeSeconds += seconds;
            worst = std::max(worst, seconds);
        }
    const int exchanges = kRounds * int(std::size(pairs));
    say("exchange: %d exchanges, mean %.4f s, worst %.4f s; ideal 30 x %.7f s = %.4f s\n", exchanges,
        exchangeSeconds / exchanges, worst, frame, idealExchange);
    say("exchange duration / ideal: %.3f (worst %.3f; goal <= 1.02)\n", exchangeSeconds / exchanges / idealExchange,
        worst / idealExchange);
    say("pump with repaint / frame: %.2f%% (mean %.1f us over %ld pumps; goal <= 3%%)\n",
        100 * platform.pumpSeconds / platform.pumps / frame, 1e6 * platform.pumpSeconds / platform.pumps,
        platform.pumps);

    form.RN_Click();
    const int count = inversions(form);
    const auto start = Clock::now();
    form.Command1_Click();
    const double seconds = secondsSince(start);
    say("Push-sort: %d inversions in %.3f s; ideal %d x 30 x %.7f s = %.3f s\n", count, seconds, count, frame,
        count * idealExchange);
    say("Push-sort / ideal: %.3f (goal <= 1.02)\n", seconds / (count * idealExchange));
}

} // namespace bench
