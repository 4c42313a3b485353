// The core's tests: plain C++, run by every build under its own compiler (natively, or under
// Wine for the Windows build).
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
