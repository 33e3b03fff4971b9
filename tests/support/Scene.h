#pragma once

// A still of the middle of an exchange, which the tests of every platform
// show and read back against tests/support/scene.txt: bars 2 and 6 have slid
// 14 of their 30 frames towards each other's slot, so that they overlap
// each other and the resting bars 3, 4 and 5 between them. The still is the
// program's own exchange, SwapBars(2, 6), stopped at its 14th pump, so that
// a change in how the program moves its bars shows in the picture.

#include "window/Form1.h"

#include <array>
#include <cstdlib>

namespace scene
{

inline constexpr int kA = 2, kB = 6, kFrames = 14;
// Every bar is longer than 810 twips, where the tests read the column.
inline constexpr std::array<int, BarSlots::kCount> kValues { 2000, 1100, 3000, 900, 2500, 1700, 3900, 1300, 2200, 1000,
    3500, 1500, 2800, 1200, 4095, 950 };
inline constexpr std::array<rt::Colour, BarSlots::kCount> kColours { 0x2040e0, 0x20a040, 0xc03030, 0x808000, 0x6020a0,
    0x00a0a0, 0xe08020, 0x4060a0, 0xa04080, 0x30c080, 0x907050, 0x5050f0, 0xd0d020, 0x206060, 0xf060a0, 0x609020 };

// The platform the posed form runs on: every service is the real one's,
// except that while pose() runs, the pump ends the exchange at the kFrames'th
// frame instead of handling events.
class PosingPlatform final : public rt::Platform
{
public:
    explicit PosingPlatform(rt::Platform& real)
        : real_(real)
    {
    }
    float clock() override { return real_.clock(); }
    void pump() override
    {
        if (framesLeft_ < 0)
            real_.pump();
        else if (--framesLeft_ == 0)
            throw Stopped {};
    }
    float random() override { return real_.random(); }
    void reseed(float seed) override { real_.reseed(seed); }
    void messageBox(const rt::Message& message) override { real_.messageBox(message); }
    [[noreturn]] void end(int status) override
    {
        real_.end(status);
        std::abort(); // end() does not return
    }

    // Puts the board in the still: its values and colours, then
    // SwapBars(kA, kB) until its kFrames'th pump. FORM runs on this platform.
    void pose(Form1& form)
    {
        for (int i = 0; i < BarSlots::kCount; ++i) {
            form.Values[i] = kValues[std::size_t(i)];
            form.Shape1[i].setFillColor(kColours[std::size_t(i)]);
            form.Shape1[i].setBorderColor(kColours[std::size_t(i)]);
        }
        form.RefreshBars();
        framesLeft_ = kFrames;
        try {
            const rt::Int16 a = kA, b = kB;
            form.SwapBars(a, b);
        } catch (const Stopped&) {
        }
        framesLeft_ = -1;
    }

private:
    struct Stopped {
    };
    rt::Platform& real_;
    int framesLeft_ = -1;
};

// Form1 as the program shows it, posed in the still once it has loaded.
class SceneForm final : public rt::Form
{
public:
    explicit SceneForm(rt::Platform& platform)
        : posing_(platform)
        , form(posing_)
    {
    }
    rt::FormLayout layout() override { return form.layout(); }
    void Form_Load() override
    {
        form.Form_Load();
        posing_.pose(form);
    }
    void Form_Unload(rt::Int16& cancel) override { form.Form_Unload(cancel); }

private:
    PosingPlatform posing_; // before form, which runs on it

public:
    Form1 form;
};

} // namespace scene
