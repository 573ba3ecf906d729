// expect: argument kind does not match conversion
#include <string>

#include "text/scanning.hpp"

void f(Scanning::Scanbuf& ib) {
  int n = 0;
  Scanning::scan(ib, "%f", n);
}
