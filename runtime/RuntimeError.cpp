#include "RuntimeError.h"

namespace rt
{

const char* errorName(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::IndexOutOfRange:
        return "Subscript out of range";
    case ErrorKind::InvalidPropertyValue:
        return "Invalid property value";
    case ErrorKind::FloatingPointFault:
        return "Floating-point fault";
    }
    return "Unknown error";
}

RuntimeError::RuntimeError(ErrorKind kind)
    : std::runtime_error(errorName(kind))
    , kind_(kind)
{
}

void raise(ErrorKind kind)
{
    throw RuntimeError(kind);
}

} // namespace rt
