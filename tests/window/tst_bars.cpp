// The bar board: drawing values, refreshing widths, and the initial colours.
#include "support/BoardHelpers.h"
#include "support/Doctest.h"

#include <cmath>

using rt::Int16;

TEST_CASE("Randomize scales each draw to a value of 0..4095")
{
    const struct {
        const char* name;
        float r;
        int value;
    } rows[] = {
        { "zero", 0.0f, 0 },
        { "one step", 1.0f / 4096, 1 },
        { "just under one step", std::nextafter(1.0f / 4096, 0.0f), 0 },
        { "half", 0.5f, 2048 },
        { "0.99999", 0.99999f, 4095 },
        { "largest number below 1", std::nextafter(1.0f, 0.0f), 4095 },
    };
    for (const auto& row : rows) {
        INFO(std::string(row.name));
        rt::ScriptedPlatform platform;
        Form1 form(platform);
        platform.randomNumbers.assign(BarSlots::kCount, row.r);

        form.RN_Click();

        for (int i = 0; i < BarSlots::kCount; ++i) {
            CHECK(form.Values[i].value() == row.value);
            CHECK(form.Shape1[i].width() == float(row.value));
        }
    }
}

TEST_CASE("a click on Randomize draws sixteen numbers, bar 0 first")
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    for (int i = 0; i < BarSlots::kCount; ++i)
        platform.randomNumbers.push_back(float(i) / 16);
    platform.randomNumbers.push_back(0.75f); // must stay undrawn

    form.RN.click();

    CHECK(platform.draws == BarSlots::kCount);
    for (int i = 0; i < BarSlots::kCount; ++i)
        CHECK(form.Values[i].value() == i * 256);
}

TEST_CASE("Randomize leaves colours, tops and the sort selector alone")
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    form.Form_Load();
    form.SortKind = 2;
    form.Shape1[3].setFillColor(rt::rgb(1, 2, 3)); // as a sort might have moved it
    const auto before = valueColourPairs(form);

    form.RN_Click();

    const auto after = valueColourPairs(form);
    for (int i = 0; i < BarSlots::kCount; ++i) {
        CHECK(after[i].second == before[i].second);
        CHECK(form.Shape1[i].top() == float(BarSlots::homeTop(i)));
    }
    CHECK(after != before); // the values did change
    CHECK(form.SortKind == Int16(2));
}

TEST_CASE("a colour channel is its draw times 255, a tie rounded to even")
{
    // 6743783 / 2^24 is the smallest 24-bit number over 0.4 whose product lands on a tie.
    const struct {
        const char* name;
        float r;
        float product; // r * 255 in single precision
        int channel;
    } rows[] = {
        { "tie goes down to even", 6743783.0f / 16777216.0f, 102.5f, 102 },
        { "tie goes up to even", 0.5f, 127.5f, 128 },
        { "zero", 0.0f, 0.0f, 0 },
        { "largest number below 1", std::nextafter(1.0f, 0.0f), std::nextafter(255.0f, 0.0f), 255 },
    };
    for (const auto& row : rows) {
        INFO(std::string(row.name));
        CHECK(row.r * 255.0f == row.product); // the row really is the case it names
        rt::ScriptedPlatform platform;
        Form1 form(platform);
        platform.randomNumbers.assign(3 * BarSlots::kCount, row.r);

        form.colourBars();

        CHECK(form.Shape1[0].fillColor() == rt::rgb(row.channel, row.channel, row.channel));
    }
}

TEST_CASE("colouring draws red, green and blue for each bar in turn")
{
    rt::ScriptedPlatform platform;
    Form1 form(platform);
    // Bar i draws red i/64, green (i+16)/64, blue (i+32)/64, one bar after another.
    for (int i = 0; i < BarSlots::kCount; ++i)
        for (int channel = 0; channel < 3; ++channel)
            platform.randomNumbers.push_back(float(i + 16 * channel) / 64);

    form.colourBars();

    CHECK(platform.draws == 3 * BarSlots::kCount);
    for (int i = 0; i < BarSlots::kCount; ++i) {
        const rt::Colour fill = form.Shape1[i].fillColor();
        CHECK(rt::redOf(fill) == std::lround(float(i) / 64 * 255));
        CHECK(rt::greenOf(fill) == std::lround(float(i + 16) / 64 * 255));
        CHECK(rt::blueOf(fill) == std::lround(float(i + 32) / 64 * 255));
        CHECK(form.Shape1[i].borderColor() == fill);
    }
}
