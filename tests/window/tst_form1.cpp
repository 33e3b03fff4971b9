// Form1's start-up and close, under the scripted runtime.
#include "support/BoardHelpers.h"
#include "support/Doctest.h"

#include "runtime/Random.h"

using rt::Int16;

TEST_CASE("load reseeds from the clock before it draws")
{
    for (const float clock : { 0.25f, 43200.5f, 86399.99f }) { // just after midnight, noon, just before midnight
        CAPTURE(clock);
        rt::ScriptedPlatform platform;
        platform.clockReadings = { clock };
        Form1 form(platform);

        form.Form_Load();

        CHECK(platform.seeds == std::vector<float> { clock });
        CHECK(platform.draws == BarSlots::kCount * 4); // one value and three channels per bar
        // Every draw came after the reseed: the board is the start of the reseeded sequence.
        rt::Random generator;
        generator.reseed(clock);
        for (int i = 0; i < BarSlots::kCount; ++i)
            CHECK(form.Values[i] == Int16::truncate(generator.next() * 4096));
        CHECK(everyBarAtRest(form));
        CHECK(valuesOf(form) != Board {}); // the zeros of the new window are gone
    }
}

TEST_CASE("unload ends the program without cancelling")
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    Int16 cancel = 0;
    bool ended = false;
    try {
        form.Form_Unload(cancel);
    } catch (const rt::ScriptedPlatform::Ended& end) {
        ended = true;
        CHECK(end.status == 0);
    }
    CHECK_MESSAGE(ended, "unload returned instead of ending the program");
    CHECK(cancel == Int16(0));
}
