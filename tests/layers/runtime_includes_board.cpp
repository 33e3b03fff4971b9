// Must not build: the core runtime sees no layer above it.
#include "board/Sorts.h"
