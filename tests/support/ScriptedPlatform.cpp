#include "ScriptedPlatform.h"

#include <stdexcept>

namespace rt
{

float ScriptedPlatform::clock()
{
    if (++clockReads > clockReadLimit)
        throw std::logic_error("the clock was read without end: a wait never finished");
    if (!clockReadings.empty()) {
        const float reading = clockReadings.front();
        clockReadings.pop_front();
        return reading;
    }
    const float reading = now;
    now += tick;
    return reading;
}

void ScriptedPlatform::pump()
{
    ++pumps;
    if (onPump)
        onPump();
}

float ScriptedPlatform::random()
{
    ++draws;
    if (!randomNumbers.empty()) {
        const float r = randomNumbers.front();
        randomNumbers.pop_front();
        return r;
    }
    return generator_.next();
}

void ScriptedPlatform::messageBox(const Message& message)
{
    messages.push_back(message);
    if (onMessageBox)
        onMessageBox();
}

void ScriptedPlatform::reseed(float seed)
{
    seeds.push_back(seed);
    generator_.reseed(seed);
}

} // namespace rt
