// expect: more conversions than arguments
#include <string>

#include "text/format.hpp"

std::string f() { return Format::sprintf("%d %d", 1); }
