// expect: argument of the wrong kind for its conversion
#include <string>

#include "text/format.hpp"

void print_int(Format::Printer& ppf, const int& n) { Format::fprintf(ppf, "%d", n); }
std::string f() { return Format::asprintf("%a", print_int, std::string("x")); }
