#pragma once
// The geometric leaves of a building description: every element is drawn in
// one horizontal plane, in metres, x pointing East and y pointing North.
#include <utility>
#include <vector>

namespace Quavor_pervasives_types {

// Scalar quantities: plain doubles whose names document the unit.
using positive_float = double;
using percentage = double;
using percentage_factor = double;  // a ratio between 0 and 1
using pente = double;              // a slope
using length = double;
using area = double;
using abscissa = double;
using ordinate = double;
using metre = double;
using metre_carre = double;
using masse_volumique = double;
using masse = double;
using coefficient = double;
using positive_int = int;

enum class direction { X, Y };

enum class cardinal_point { North, South, East, West };

struct point {
  abscissa p_x;
  ordinate p_y;
  bool operator==(const point&) const = default;
};

struct vector {
  double v_x;
  double v_y;
  bool operator==(const vector&) const = default;
};

// The line through both points.
struct line {
  point l_pa;
  point l_pb;
  bool operator==(const line&) const = default;
};

struct bipoint {
  point b_pa;
  point b_pb;
  bool operator==(const bipoint&) const = default;
};

// The line a*x + b*y + c = 0.
struct line_cartesian_equation {
  double a;
  double b;
  double c;
  bool operator==(const line_cartesian_equation&) const = default;
};

// The extents of a box along x, y and height.
struct solide {
  double s_lx;
  double s_ly;
  double s_lz;
  bool operator==(const solide&) const = default;
};

// A weighted point: `first` is the coefficient (a surface, a weight),
// `second` the point.  A plain pair so that the weighted means accept it
// like any other (coefficient, element) pair.
using point_pondere = std::pair<coefficient, point>;

using points = std::vector<point>;
using point_ponderes = std::vector<point_pondere>;
// Vertices in order; the last one is implicitly joined to the first.
using polygone = std::vector<point>;

}  // namespace Quavor_pervasives_types
