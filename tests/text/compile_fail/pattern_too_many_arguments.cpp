// expect: too many arguments for scanning pattern
#include <string>

#include "text/scanning.hpp"

void f(Scanning::Scanbuf& ib) {
  double x = 0.0, y = 0.0;
  Scanning::scan(ib, "{ x = %f ; }", x, y);
}
