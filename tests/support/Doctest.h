#pragma once

// doctest, with what the core tests compare printed in full when a check
// fails: boards of values, and traces of exchanges.

#include <doctest/doctest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

// The exchanges a sort made: (a, b) of each swap(a, b), in order.
using Trace = std::vector<std::pair<int, int>>;

namespace doctest
{

template <> struct StringMaker<Trace> {
    static String convert(const Trace& trace)
    {
        std::string text = "{";
        for (const auto& [a, b] : trace)
            text += " (" + std::to_string(a) + ", " + std::to_string(b) + ")";
        return (text + " }").c_str();
    }
};

template <std::size_t N> struct StringMaker<std::array<int, N>> {
    static String convert(const std::array<int, N>& values)
    {
        std::string text = "{";
        for (int v : values)
            text += " " + std::to_string(v);
        return (text + " }").c_str();
    }
};

} // namespace doctest
