// Must not build: the core runtime sees no platform.
#include "runtime/qt/QtPlatform.h"
