// expect: compiles
// The same calls as the other snippets, with the arguments their formats
// and patterns ask for: proves that what the others meet is the checkers.
#include <string>

#include "text/format.hpp"
#include "text/scanning.hpp"

namespace {

void print_int(Format::Printer& ppf, const int& n) { Format::fprintf(ppf, "%d", n); }
void print_title(Format::Printer& ppf) { ppf.print_string("title"); }
int read_int(Scanning::Scanbuf& ib) {
  int n = 0;
  Scanning::scan(ib, "%d", n);
  return n;
}

}  // namespace

std::string formats(Format::Printer& ppf) {
  Format::fprintf(ppf, "@[<hov 2>%s@ %f@]@.", std::string("text"), 1.5);
  Format::fprintf(ppf, "%a %t %(@,%)", print_int, 3, print_title, Format::Fmt{"@ "});
  return Format::sprintf("%d %d %c %B", 1, 2L, 'c', true) + Format::asprintf("@[<v 0>%S@]", "s");
}

void patterns(Scanning::Scanbuf& ib) {
  double x = 0.0, y = 0.0;
  int n = 0;
  std::string s;
  char c = 0;
  Scanning::scan(ib, "{ x = %f ; y = %f ; }", x, y);
  Scanning::scan(ib, " %d %S %C %[a-z] %r %_r", n, s, c, s, Scanning::r(read_int, n), Scanning::r(read_int));
}
