// The animated exchange, frame by frame, under a scripted clock and pump.
#include "support/BoardHelpers.h"
#include "support/Doctest.h"

#include <vector>

using rt::Int16;

namespace
{

const Board kBoard { 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160 };

// Every bar's top edge, as the picture shows it at one pump.
using Tops = std::array<float, BarSlots::kCount>;

Tops topsOf(const Form1& form)
{
    Tops tops {};
    for (int i = 0; i < BarSlots::kCount; ++i)
        tops[i] = form.Shape1[i].top();
    return tops;
}

} // namespace

TEST_CASE("the two bars slide past each other, 8 twips a slot of distance in each of 30 frames")
{
    const struct {
        const char* name;
        int a, b;
    } rows[] = { { "neighbours", 4, 5 }, { "top and bottom", 0, 15 }, { "lower bar first", 9, 2 } };
    for (const auto& row : rows) {
        INFO(std::string(row.name));
        const int a = row.a, b = row.b;
        rt::ScriptedPlatform platform;
        Form1 form(platform);
        form.Form_Load();
        setValues(form, kBoard);
        const auto before = valueColourPairs(form);
        std::vector<Tops> frames;
        platform.onPump = [&] { frames.push_back(topsOf(form)); };

        const Int16 ia = a, ib = b;
        form.SwapBars(ia, ib);

        REQUIRE(int(frames.size()) == 30);
        const float step = 8.0f * float(b - a);
        for (int f = 0; f < 30; ++f) {
            for (int i = 0; i < BarSlots::kCount; ++i) {
                float expected = float(BarSlots::homeTop(i));
                if (i == a)
                    expected += float(f + 1) * step;
                else if (i == b)
                    expected -= float(f + 1) * step;
                CHECK(frames[f][i] == expected);
            }
        }
        // The last frame leaves each bar exactly on the other's slot.
        CHECK(frames.back()[a] == float(BarSlots::homeTop(b)));
        CHECK(frames.back()[b] == float(BarSlots::homeTop(a)));

        const auto after = valueColourPairs(form);
        CHECK(after[a] == before[b]);
        CHECK(after[b] == before[a]);
        for (int i = 0; i < BarSlots::kCount; ++i)
            if (i != a && i != b)
                CHECK(after[i] == before[i]);
        CHECK(everyBarAtRest(form));
    }
}

TEST_CASE("a frame waits until 0.008 s have passed on the clock, or the clock went back")
{
    const struct {
        const char* name;
        std::vector<float> readings; // start, then the readings that follow it
        int readsInFirstFrame;
    } rows[] = {
        { "5000.0073 waits, 5000.0078125 ends", { 5000.0f, 5000.0073f, 5000.0078125f }, 3 },
        { "threshold reached at once", { 5000.0f, 5000.0078125f }, 2 },
        { "early morning: 0.008 is not rounded to 1/128", { 100.0f, 100.0078125f, 100.008f }, 3 },
        { "past midnight ends the wait", { 86399.99f, 0.001f }, 2 },
        { "clock set back ends the wait", { 5000.0f, 4000.0f }, 2 },
    };
    for (const auto& row : rows) {
        INFO(std::string(row.name));
        rt::ScriptedPlatform platform;
        Form1 form(platform);
        platform.clockReadings.assign(row.readings.begin(), row.readings.end());
        platform.now = 7000.0f; // later frames read the running clock
        int readsAtFirstPump = -1;
        platform.onPump = [&] {
            if (readsAtFirstPump < 0)
                readsAtFirstPump = platform.clockReads;
        };

        const Int16 a = 3, b = 4;
        form.SwapBars(a, b);

        CHECK(readsAtFirstPump == row.readsInFirstFrame);
    }
}

TEST_CASE("values and colours change places only after the last pump")
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    setValues(form, kBoard);
    const auto before = valueColourPairs(form);
    bool unchangedAtEveryPump = true;
    platform.onPump = [&] { unchangedAtEveryPump = unchangedAtEveryPump && valueColourPairs(form) == before; };

    const Int16 a = 7, b = 12;
    form.SwapBars(a, b);

    CHECK(unchangedAtEveryPump);
    CHECK(platform.pumps == 30);
    CHECK(valuesOf(form)[7] == kBoard[12]);
}
