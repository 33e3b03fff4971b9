#pragma once

#include "Int16.h"

#include <array>

namespace rt
{

// A fixed array indexed 0..N-1 by 16-bit integers; any other index raises
// "Subscript out of range" instead of reaching memory outside the array.
template <class T, int N> class CheckedArray
{
public:
    T& operator[](Int16 i) { return items_[checked(i)]; }
    const T& operator[](Int16 i) const { return items_[checked(i)]; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static std::size_t checked(Int16 i)
    {
        if (i.value() < 0 || i.value() >= N)
            raise(ErrorKind::IndexOutOfRange);
        return static_cast<std::size_t>(i.value());
    }

    std::array<T, N> items_ {};
};

} // namespace rt
