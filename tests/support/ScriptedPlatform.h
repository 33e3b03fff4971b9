#pragma once

#include "runtime/Random.h"
#include "runtime/Runtime.h"

#include <deque>
#include <functional>
#include <vector>

namespace rt
{

// The platform under test: no window, no waiting. The test sets what the
// clock reads, what the generator draws and what happens at each pump, and
// reads back what the program asked for.
class ScriptedPlatform final : public Platform
{
public:
    // Thrown by end() so that a test sees where the program would have ended.
    struct Ended {
        int status;
    };

    // clock(): the scripted readings first, then `now`, which every read
    // advances by `tick`.
    std::deque<float> clockReadings;
    float now = 3600.0f;
    float tick = 1.0f / 512.0f;
    int clockReads = 0;
    // More reads than this means a wait that never ends: clock() throws
    // std::logic_error, so such a test fails at once instead of hanging.
    int clockReadLimit = 10'000'000;

    // pump(): counted, then onPump runs, if set.
    std::function<void()> onPump;
    int pumps = 0;

    // random(): the scripted numbers first, then the real generator.
    std::deque<float> randomNumbers;
    int draws = 0;
    std::vector<float> seeds;

    // messageBox(): recorded, then onMessageBox runs while the box is up, if set.
    std::vector<Message> messages;
    std::function<void()> onMessageBox;

    float clock() override;
    void pump() override;
    float random() override;
    void reseed(float seed) override;
    void messageBox(const Message& message) override;
    [[noreturn]] void end(int status) override { throw Ended { status }; }

private:
    Random generator_;
};

} // namespace rt
