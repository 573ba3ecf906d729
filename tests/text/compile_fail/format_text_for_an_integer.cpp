// expect: argument of the wrong kind for its conversion
#include <string>

#include "text/format.hpp"

std::string f() { return Format::sprintf("%d", "text"); }
