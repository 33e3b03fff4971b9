#pragma once

#include <cmath>
#include <stdexcept>

namespace rt
{

// The faults the runtime checks for on the program's behalf. The program has
// no error handlers of its own: a fault that fires ends in the default report.
enum class ErrorKind {
    Overflow, // a 16-bit integer result out of -32768..32767
    IndexOutOfRange, // an array or control-array index outside its bounds
    InvalidPropertyValue, // a control property call that failed
    FloatingPointFault, // a floating-point result that is not a finite number
};

// The name the default report shows for a fault.
const char* errorName(ErrorKind kind);

class RuntimeError : public std::runtime_error
{
public:
    explicit RuntimeError(ErrorKind kind);
    ErrorKind kind() const { return kind_; }

private:
    ErrorKind kind_;
};

// Raises a runtime error. It never returns.
[[noreturn]] void raise(ErrorKind kind);

// Returns x, or raises a floating-point fault when x is infinite or NaN.
inline float finite(float x)
{
    if (!std::isfinite(x))
        raise(ErrorKind::FloatingPointFault);
    return x;
}

} // namespace rt
