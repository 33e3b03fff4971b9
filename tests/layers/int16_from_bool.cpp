// Must not build: a bool's true is 1, the program's is -1.
#include "runtime/Int16.h"

rt::Int16 fromBool(int a, int b)
{
    return a == b;
}
