// Must build: the window sees the board and the core runtime, and a float
// becomes an Int16 through the checked conversions.
#include "board/Sorts.h"
#include "runtime/Runtime.h"
#include "window/Form1.h"

rt::Int16 fromFloat(float r)
{
    return rt::Int16::truncate(r * 4096) + rt::Int16::roundHalfEven(r);
}
