#pragma once
// Axis-parallel segments and rectangles of the computed model, and the
// outcomes of their intersections, differences and point locations.
//
// Alternatives carrying one value hold it in a field named `value`.
#include <optional>
#include <variant>
#include <vector>

#include "geometry/quavor_pervasives_types.hpp"

namespace Compute_pervasives_types {

using Quavor_pervasives_types::direction;
using Quavor_pervasives_types::line;
using Quavor_pervasives_types::point;

// A segment along one axis.  `s_position` is the end with the smaller
// coordinate along the direction, `s_vertex` the other end, `s_length` the
// Euclidean distance between them; every constructor keeps this.
struct directed_segment {
  double s_length;
  direction s_direction;
  point s_position;
  point s_vertex;
  bool operator==(const directed_segment&) const = default;
};
using segment = directed_segment;
using segments = std::vector<segment>;

// The segment of the description (a beam): it is only ever turned into a
// `segment`.  Field names and order are those of the description's record.
struct data_segment {
  point segment_position;
  direction segment_direction;
  double segment_length;
  bool operator==(const data_segment&) const = default;
};

// The rectangle of the description: width along x, height along y, position
// at the south-west corner.  Field names and order are those of the
// description's record; the operations taking a data rectangle accept any
// record with these three fields.
struct data_rectangle {
  double rectangle_width;
  double rectangle_height;
  point rectangle_position;
  bool operator==(const data_rectangle&) const = default;
};

struct Si_empty {
  bool operator==(const Si_empty&) const = default;
};
struct Si_point {
  point value;
  bool operator==(const Si_point&) const = default;
};
struct Si_segment {
  segment value;
  bool operator==(const Si_segment&) const = default;
};
using segment_intersection = std::variant<Si_empty, Si_point, Si_segment>;

struct Sd_empty {
  bool operator==(const Sd_empty&) const = default;
};
struct Sd_point {
  point value;
  bool operator==(const Sd_point&) const = default;
};
struct Sd_segment {
  segment value;
  bool operator==(const Sd_segment&) const = default;
};
struct Sd_split {
  segment first;
  segment second;
  bool operator==(const Sd_split&) const = default;
};
using segment_difference = std::variant<Sd_empty, Sd_point, Sd_segment, Sd_split>;

struct Li_empty {
  bool operator==(const Li_empty&) const = default;
};
struct Li_point {
  point value;
  bool operator==(const Li_point&) const = default;
};
struct Li_line {
  line value;
  bool operator==(const Li_line&) const = default;
};
using line_intersection = std::variant<Li_empty, Li_point, Li_line>;

struct rectangle_vertices {
  point vertex_sw;
  point vertex_se;
  point vertex_ne;
  point vertex_nw;
  bool operator==(const rectangle_vertices&) const = default;
};

struct rectangle_edges {
  segment edge_south;
  segment edge_east;
  segment edge_north;
  segment edge_west;
  bool operator==(const rectangle_edges&) const = default;
};

// A data rectangle completed with its corners and sides.
struct rectangle {
  double width;
  double height;
  point position;  // the south-west corner
  rectangle_vertices vertices;
  rectangle_edges edges;
  bool operator==(const rectangle&) const = default;
};

struct Ri_empty {
  bool operator==(const Ri_empty&) const = default;
};
struct Ri_point {
  point value;
  bool operator==(const Ri_point&) const = default;
};
struct Ri_segment {
  segment value;
  bool operator==(const Ri_segment&) const = default;
};
struct Ri_rectangle {
  rectangle value;
  bool operator==(const Ri_rectangle&) const = default;
};
using rectangle_intersection = std::variant<Ri_empty, Ri_point, Ri_segment, Ri_rectangle>;

// Where a located point lies when it is not outside: strictly inside, or on
// the border (within the geometric tolerance).
enum class inside { Inside, Frame };

struct Out {
  bool operator==(const Out&) const = default;
};
// Every localisation computed here carries its `inside`.
struct In {
  std::optional<inside> value;
  bool operator==(const In&) const = default;
};
using localisation = std::variant<Out, In>;

}  // namespace Compute_pervasives_types
