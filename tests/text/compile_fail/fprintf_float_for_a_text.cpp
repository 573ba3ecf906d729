// expect: argument of the wrong kind for its conversion
#include <string>

#include "text/format.hpp"

void f(Format::Printer& ppf) { Format::fprintf(ppf, "%s@.", 1.5); }
