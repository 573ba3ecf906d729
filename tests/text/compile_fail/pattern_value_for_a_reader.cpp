// expect: argument kind does not match conversion
#include <string>

#include "text/scanning.hpp"

void f(Scanning::Scanbuf& ib) {
  double x = 0.0;
  Scanning::scan(ib, "( %r )", x);
}
