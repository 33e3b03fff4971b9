// The core test programs' main(): doctest's, whose exit status is the verdict.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
