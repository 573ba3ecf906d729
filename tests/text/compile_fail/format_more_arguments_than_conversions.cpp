// expect: more arguments than conversions
#include <string>

#include "text/format.hpp"

std::string f() { return Format::sprintf("%d", 1, 2); }
