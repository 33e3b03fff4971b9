#pragma once

// A still of the middle of an exchange, which the tests of every platform
// show and read back against tests/support/scene.txt: bars 2 and 6 have slid
// 14 of their 30 frames towards each other's slot, so that they overlap
// each other and the resting bars 3, 4 and 5 between them.

#include "window/Form1.h"

#include <array>

namespace scene
{

inline constexpr int kA = 2, kB = 6, kFrames = 14;
// Every bar is longer than 810 twips, where the tests read the column.
inline constexpr std::array<int, BarSlots::kCount> kValues { 2000, 1100, 3000, 900, 2500, 1700, 3900, 1300, 2200, 1000,
    3500, 1500, 2800, 1200, 4095, 950 };
inline constexpr std::array<rt::Colour, BarSlots::kCount> kColours { 0x2040e0, 0x20a040, 0xc03030, 0x808000, 0x6020a0,
    0x00a0a0, 0xe08020, 0x4060a0, 0xa04080, 0x30c080, 0x907050, 0x5050f0, 0xd0d020, 0x206060, 0xf060a0, 0x609020 };

// Puts the board in the still: its values and colours, and the two bars
// moved as SwapBars(kA, kB) moves them in kFrames frames.
inline void pose(Form1& form)
{
    for (int i = 0; i < BarSlots::kCount; ++i) {
        form.Values[i] = kValues[std::size_t(i)];
        form.Shape1[i].setFillColor(kColours[std::size_t(i)]);
        form.Shape1[i].setBorderColor(kColours[std::size_t(i)]);
    }
    form.RefreshBars();
    const float step = float(8 * (kB - kA));
    form.Shape1[kA].setTop(form.Shape1[kA].top() + kFrames * step);
    form.Shape1[kB].setTop(form.Shape1[kB].top() - kFrames * step);
}

// Form1 as the program shows it, posed in the still once it has loaded.
class SceneForm final : public rt::Form
{
public:
    explicit SceneForm(rt::Platform& platform)
        : form(platform)
    {
    }
    rt::FormLayout layout() override { return form.layout(); }
    void Form_Load() override
    {
        form.Form_Load();
        pose(form);
    }
    void Form_Unload(rt::Int16& cancel) override { form.Form_Unload(cancel); }

    Form1 form;
};

} // namespace scene
