#pragma once

#include "RuntimeError.h"

#include <cmath>
#include <compare>
#include <concepts>
#include <cstdint>
#include <type_traits>

namespace rt
{

// An integer type that is not bool.
template <class T>
concept Integer = std::integral<T> && !std::same_as<T, bool>;

// v as a 16-bit integer, or an overflow when it is outside -32768..32767.
template <std::integral T> constexpr std::int16_t narrowToInt16(T v)
{
    // Compared in the widest type of the same signedness, which holds both v and the bounds.
    const bool outside = std::is_signed_v<T> ? static_cast<long long>(v) < -32768 || static_cast<long long>(v) > 32767
                                             : static_cast<unsigned long long>(v) > 32767u;
    if (outside)
        raise(ErrorKind::Overflow);
    return static_cast<std::int16_t>(v);
}

// A signed 16-bit integer whose every operation is checked: a result outside
// -32768..32767 raises an overflow instead of wrapping. Arithmetic is done in
// int, where two 16-bit operands cannot overflow, and checked on the way back.
class Int16
{
public:
    constexpr Int16() = default;
    // Implicit from any integer type, so that a literal or an integer result
    // converts with its range checked.
    template <Integer T>
    constexpr Int16(T v)
        : v_(narrowToInt16(v))
    {
    }
    // Never from a floating-point number: that goes through truncate or
    // roundHalfEven, which check it for faults and range first.
    template <std::floating_point T> Int16(T) = delete;
    // Nor from a bool, whose true is 1: the program's true is -1 (rt::True).
    Int16(bool) = delete;

    // The integer part of x (truncated towards zero), as when a drawn random
    // number is scaled to an index or a value.
    static Int16 truncate(float x) { return fromFloat(std::trunc(finite(x))); }
    // x rounded to the nearest whole number, a tie going to the even neighbour.
    static Int16 roundHalfEven(float x) { return fromFloat(std::nearbyint(finite(x))); }

    constexpr int value() const { return v_; }
    constexpr explicit operator float() const { return static_cast<float>(v_); }

    friend constexpr Int16 operator+(Int16 a, Int16 b) { return Int16(a.v_ + b.v_); }
    friend constexpr Int16 operator-(Int16 a, Int16 b) { return Int16(a.v_ - b.v_); }
    friend constexpr Int16 operator*(Int16 a, Int16 b) { return Int16(a.v_ * b.v_); }
    constexpr Int16 operator-() const { return Int16(-v_); }
    constexpr Int16& operator++() { return *this = *this + 1; }
    constexpr Int16& operator--() { return *this = *this - 1; }

    friend constexpr bool operator==(Int16, Int16) = default;
    friend constexpr auto operator<=>(Int16, Int16) = default;

private:
    static Int16 fromFloat(float whole)
    {
        if (whole < -32768.0f || whole > 32767.0f)
            raise(ErrorKind::Overflow);
        return Int16(static_cast<int>(whole));
    }

    std::int16_t v_ = 0;
};

// The 16-bit booleans: true is -1 and false is 0.
inline constexpr Int16 True = -1;
inline constexpr Int16 False = 0;

} // namespace rt
