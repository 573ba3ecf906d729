// expect: malformed box description
#include <string>

#include "text/format.hpp"

void f(Format::Printer& ppf) { Format::fprintf(ppf, "@[<x 2>%d@]", 1); }
