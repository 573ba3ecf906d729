// expect: unknown conversion in scanning pattern
#include <string>

#include "text/scanning.hpp"

void f(Scanning::Scanbuf& ib) {
  double x = 0.0;
  Scanning::scan(ib, "%q", x);
}
