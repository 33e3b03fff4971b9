// Must not build: a float becomes an Int16 only through a checked conversion.
#include "runtime/Int16.h"

rt::Int16 fromFloat(float r)
{
    return r * 4096;
}
