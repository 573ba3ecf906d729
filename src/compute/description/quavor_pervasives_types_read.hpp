#pragma once
// Readers of the geometric leaves of a building description.
#include "geometry/quavor_pervasives_types.hpp"
#include "text/scanning.hpp"

namespace Quavor_pervasives_types_read {

using Scanning::Scanbuf;

// "%f".
double scanner_float(Scanbuf& ib);
// "{ p_x = %f ; p_y = %f ; }".
Quavor_pervasives_types::point scanner_point(Scanbuf& ib);
// One character, X or Y; no blank is skipped.
Quavor_pervasives_types::direction scanner_direction(Scanbuf& ib);
// "{ s_lx = %r ; s_ly = %r ; s_lz = %r ; }".
Quavor_pervasives_types::solide scanner_solide(Scanbuf& ib);
// Lists of points.
Quavor_pervasives_types::points scanner_points(Scanbuf& ib);
Quavor_pervasives_types::polygone scanner_polygone(Scanbuf& ib);

}  // namespace Quavor_pervasives_types_read
