// Must not build: the board sees no window.
#include "window/Form1.h"
