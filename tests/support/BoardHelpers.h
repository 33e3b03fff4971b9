#pragma once

// Helpers for tests that drive Form1 under the scripted runtime.

#include "support/ScriptedPlatform.h"
#include "window/Form1.h"

#include <algorithm>
#include <array>
#include <utility>

using Board = std::array<int, BarSlots::kCount>;

inline Board valuesOf(const Form1& form)
{
    Board values {};
    for (int i = 0; i < BarSlots::kCount; ++i)
        values[i] = form.Values[i].value();
    return values;
}

// Puts the given values on the board, as a draw would.
inline void setValues(Form1& form, const Board& values)
{
    for (int i = 0; i < BarSlots::kCount; ++i)
        form.Values[i] = values[i];
    form.RefreshBars();
}

// Each bar's (value, fill colour): what must stay together through a sort.
inline std::array<std::pair<int, rt::Colour>, BarSlots::kCount> valueColourPairs(const Form1& form)
{
    std::array<std::pair<int, rt::Colour>, BarSlots::kCount> pairs {};
    for (int i = 0; i < BarSlots::kCount; ++i)
        pairs[i] = { form.Values[i].value(), form.Shape1[i].fillColor() };
    return pairs;
}

inline bool everyBarAtRest(const Form1& form)
{
    for (int i = 0; i < BarSlots::kCount; ++i) {
        const rt::Bar& bar = form.Shape1[i];
        if (bar.top() != float(BarSlots::homeTop(i)) || bar.width() != float(form.Values[i])
            || bar.borderColor() != bar.fillColor())
            return false;
    }
    return true;
}
