#include "description/quavor_pervasives_types_read.hpp"

#include "text/format.hpp"
#include "text/og_scanner.hpp"
#include "text/scanner_utils.hpp"

namespace Quavor_pervasives_types_read {

using namespace Quavor_pervasives_types;
using Scanning::r;
using Scanning::scan;

double scanner_float(Scanbuf& ib) {
  double x = 0.0;
  scan(ib, "%f", x);
  return x;
}

point scanner_point(Scanbuf& ib) {
  point p{};
  scan(ib, "{ p_x = %f ; p_y = %f ; }", p.p_x, p.p_y);
  return p;
}

direction scanner_direction(Scanbuf& ib) {
  char c = 0;
  scan(ib, "%c", c);
  if (c == 'X') return direction::X;
  if (c == 'Y') return direction::Y;
  Scanner_utils::scanner_error(1, ib, Format::sprintf("'%c' is not a valid direction", c));
}

solide scanner_solide(Scanbuf& ib) {
  solide s{};
  scan(ib, "{ s_lx = %r ; s_ly = %r ; s_lz = %r ; }", r(scanner_float, s.s_lx),
       r(scanner_float, s.s_ly), r(scanner_float, s.s_lz));
  return s;
}

points scanner_points(Scanbuf& ib) { return Og_scanner::scanner_List(scanner_point, ib); }

polygone scanner_polygone(Scanbuf& ib) { return Og_scanner::scanner_List(scanner_point, ib); }

}  // namespace Quavor_pervasives_types_read
