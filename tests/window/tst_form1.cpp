// Form1's start-up, close and event wiring, under the scripted runtime.
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

TEST_CASE("the same clock gives the same board")
{
    const auto boardAt = [](float clock) {
        rt::ScriptedPlatform platform;
        platform.clockReadings = { clock };
        Form1 form(platform);
        form.Form_Load();
        return valueColourPairs(form);
    };
    CHECK(boardAt(3600.5f) == boardAt(3600.5f));
    CHECK(boardAt(3600.5f) != boardAt(3601.5f));
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

using ButtonOfForm = rt::Button Form1::*;

TEST_CASE("each button's click reaches its handler")
{
    const struct {
        const char* name;
        ButtonOfForm button;
        int sortKind;
        int draws;
    } rows[] = {
        { "Randomize", &Form1::RN, 0, 16 }, { "Bubble-sort", &Form1::BS, 1, 0 },
        { "Push-sort", &Form1::Command1, 2, 0 },
        { "Random sort", &Form1::PS, 3, 2 }, // draws one pair, accepted, on a sorted board
    };
    for (const auto& row : rows) {
        INFO(std::string(row.name));
        rt::ScriptedPlatform platform;
        Form1 form(platform);
        platform.randomNumbers = { 0.1f, 0.9f };

        (form.*row.button).click();

        CHECK(form.SortKind == Int16(row.sortKind));
        CHECK(platform.draws == row.draws);
    }
}

TEST_CASE("a disabled button delivers no click")
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    form.EnableButtons(rt::False);

    form.RN.click();
    form.BS.click();

    CHECK(platform.draws == 0);
    CHECK(form.SortKind == Int16(0));
}
