#pragma once
// Axis-parallel segments and rectangles: construction from the description's
// records, intersection, difference and point location.  Every comparison
// of coordinates or lengths here uses the geometric tolerance of 0.001 m.
#include <algorithm>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/compute_pervasives_types.hpp"
#include "geometry/quavor_pervasives.hpp"

namespace Compute_pervasives {

using namespace Compute_pervasives_types;
using Quavor_pervasives_types::bipoint;
using Quavor_pervasives_types::direction;
using Quavor_pervasives_types::line;
using Quavor_pervasives_types::line_cartesian_equation;
using Quavor_pervasives_types::point;
using Quavor_pervasives_types::point_pondere;
using Quavor_pervasives_types::vector;

// The rectangle measures are shared with Quavor_pervasives and accept either
// a description's rectangle or a computed one.
using Quavor_pervasives::rectangle_centre_gravite;
using Quavor_pervasives::rectangle_centre_pondere;
using Quavor_pervasives::rectangle_position;
using Quavor_pervasives::rectangle_surface;

// Points and vectors.  (The constructor of a point is `make_point`: a
// function may not share the name of the `point` type in scope.)
point make_point(double x, double y);
vector add_vect(const vector& u, const vector& v);
vector mul_k_vect(double k, const vector& v);
point vector_translate_point(const vector& v, const point& p);
point point_translate_up(const point& p, double d);
point point_translate_right(const point& p, double d);
// compare_tilde on x, then, when the x are equal within 0.001, on y.
int point_compare_tilde(const point& p, const point& q);

line_cartesian_equation line_to_equation(const line& l);
line_cartesian_equation bipoint_to_equation(const point& pa, const point& pb);

// Accepts the description's segment record or any record with its fields.
template <class S>
concept data_segment_like = requires(const S& s) {
  { s.segment_position } -> std::convertible_to<point>;
  { s.segment_direction } -> std::convertible_to<direction>;
  { s.segment_length } -> std::convertible_to<double>;
};

// The segment of the given length from a position along a direction; the
// length is not checked for sign.
segment segment_from(const point& position, direction d, double length);

inline segment data_segment_compute_segment(const data_segment& ds) {
  return segment_from(ds.segment_position, ds.segment_direction, ds.segment_length);
}
template <data_segment_like S>
segment data_segment_compute_segment(const S& ds) {
  return segment_from(ds.segment_position, ds.segment_direction, ds.segment_length);
}

// The direction of the segment joining p and q, checked against the
// expected one; fatal error when the points are not aligned along an axis.
direction vertices_compute_direction(std::optional<direction> expected, const point& p, const point& q);
segment dir_option_vertices_compute_segment(std::optional<direction> expected, const point& p,
                                            const point& q);
segment vertices_compute_segment(const point& p, const point& q);
segment direction_vertices_compute_segment(direction d, const point& p, const point& q);

double segment_length(const segment& s);
direction segment_direction(const segment& s);
point segment_position(const segment& s);
point segment_vertex(const segment& s);
bool segment_en_x(const segment& s);
double segment_min_x(const segment& s);
double segment_min_y(const segment& s);
double segment_max_x(const segment& s);
double segment_max_y(const segment& s);
line segment_support(const segment& s);

localisation range_locate_value(double lo, double hi, double v);
localisation segment_locate_point(const segment& s, const point& p);

segment_intersection segment_inter_segment(const segment& s1, const segment& s2);
// Adds a piece of positive length to a difference built so far.
segment_difference add_non_empty_segment(const segment& piece, const segment_difference& d);
segment_difference segment_minus_segment(const segment& s1, const segment& s2);

rectangle_vertices rectangle_compute_vertices(double width, double height, const point& position);
rectangle_edges data_vertices_compute_edges(const rectangle_vertices& v);
rectangle rectangle_compute_rectangle(double width, double height, const point& position);

template <Quavor_pervasives::data_rectangle_like R>
rectangle_vertices data_rectangle_compute_vertices(const R& dr) {
  return rectangle_compute_vertices(dr.rectangle_width, dr.rectangle_height, dr.rectangle_position);
}

template <Quavor_pervasives::data_rectangle_like R>
rectangle data_rectangle_compute_rectangle(const R& dr) {
  return rectangle_compute_rectangle(dr.rectangle_width, dr.rectangle_height, dr.rectangle_position);
}

template <Quavor_pervasives::rectangle_like R>
double rectangle_diagonale(const R& r) {
  return std::hypot(Quavor_pervasives::rectangle_like_width(r), Quavor_pervasives::rectangle_like_height(r));
}

// The cores of the point locations below, on the rectangle's position,
// width and height.
localisation locate_point_in(const point& position, double width, double height, const point& p);
bool point_is_in(const point& p, const point& position, double width, double height);

// In Frame on the border (within 0.001), In Inside strictly inside.
template <Quavor_pervasives::rectangle_like R>
localisation rectangle_locate_point(const R& r, const point& p) {
  return locate_point_in(Quavor_pervasives::rectangle_position(r), Quavor_pervasives::rectangle_like_width(r),
                         Quavor_pervasives::rectangle_like_height(r), p);
}

// Border included within 0.001.
template <Quavor_pervasives::rectangle_like R>
bool point_is_in_rectangle(const point& p, const R& r) {
  return point_is_in(p, Quavor_pervasives::rectangle_position(r), Quavor_pervasives::rectangle_like_width(r),
                     Quavor_pervasives::rectangle_like_height(r));
}

template <Quavor_pervasives::rectangle_like R>
rectangle_intersection point_inter_rectangle(const point& p, const R& r) {
  if (point_is_in_rectangle(p, r)) return Ri_point{p};
  return Ri_empty{};
}

data_rectangle segment_data_rectangle(const segment& s);
rectangle_intersection classify_rectangle(double width, double height, const point& position);

// Empty, a point, a segment or a rectangle, by exact comparisons of the
// width and the height with 0.0.
template <Quavor_pervasives::data_rectangle_like R>
rectangle_intersection data_rectangle_inter_classify(const R& dr) {
  return classify_rectangle(dr.rectangle_width, dr.rectangle_height, dr.rectangle_position);
}

// No tolerance: rectangles sharing only a side give a segment, only a
// corner a point.
template <Quavor_pervasives::rectangle_like R1, Quavor_pervasives::rectangle_like R2>
rectangle_intersection rectangle_inter_rectangle(const R1& r1, const R2& r2) {
  using Quavor_pervasives::rectangle_like_height;
  using Quavor_pervasives::rectangle_like_width;
  const point p1 = Quavor_pervasives::rectangle_position(r1);
  const point p2 = Quavor_pervasives::rectangle_position(r2);
  const double x_lo = std::max(p1.p_x, p2.p_x);
  const double y_lo = std::max(p1.p_y, p2.p_y);
  const double x_hi = std::min(p1.p_x + rectangle_like_width(r1), p2.p_x + rectangle_like_width(r2));
  const double y_hi = std::min(p1.p_y + rectangle_like_height(r1), p2.p_y + rectangle_like_height(r2));
  return classify_rectangle(x_hi - x_lo, y_hi - y_lo, point{x_lo, y_lo});
}

template <Quavor_pervasives::rectangle_like R>
rectangle_intersection segment_inter_rectangle(const segment& s, const R& r) {
  return rectangle_inter_rectangle(data_rectangle_compute_rectangle(segment_data_rectangle(s)), r);
}

// Intersects an earlier result with one more rectangle.
template <Quavor_pervasives::rectangle_like R>
rectangle_intersection rectangle_intersection_inter_rectangle(const rectangle_intersection& ri, const R& r) {
  if (const auto* p = std::get_if<Ri_point>(&ri)) return point_inter_rectangle(p->value, r);
  if (const auto* s = std::get_if<Ri_segment>(&ri)) return segment_inter_rectangle(s->value, r);
  if (const auto* q = std::get_if<Ri_rectangle>(&ri)) return rectangle_inter_rectangle(q->value, r);
  return Ri_empty{};
}

// The neighbourhood of the rectangles of a list (the walls of a level): for
// one rectangle, those that may share an area with it, found without
// comparing it with every other.
//
// The neighbours of a rectangle are every rectangle whose extent comes
// within 0.01 of its own on x and on y (touching ones are neighbours, a
// rectangle is its own neighbour), plus every rectangle with an end that is
// not a number, given in the order of the list. A rectangle that is not a
// neighbour meets the given one, under `rectangle_inter_rectangle`, in a
// rectangle of negative width or height: the intersection is empty.
// The extent of a rectangle on both axes, from its position and its position
// moved by its width and height (computed as the intersection does), the
// smaller end first.
struct boite {
  double x_min;
  double x_max;
  double y_min;
  double y_max;
};

// The extent of a rectangle; `sauvage` when one of its four ends is not a
// number (such a rectangle has no extent to compare).
boite rectangle_boite(const rectangle& r);
bool rectangle_sauvage(const rectangle& r);

// Whether two extents are strictly apart on x or on y.
bool boites_disjointes(const boite& a, const boite& b);

class voisinage {
 public:
  // Built once for the rectangles of a list, e.g. the walls of a level.
  explicit voisinage(const std::vector<rectangle>& rectangles);

  // The positions in the list of the neighbours of the rectangle at
  // position i (below `size()`; i included), increasing. `voisins` is emptied
  // first.
  void voisins_de(std::size_t i, std::vector<std::size_t>& voisins) const;

  std::size_t size() const { return boites_.size(); }

 private:
  // A node of the search tree: the union of the extents below it and the
  // range of its children in the level below (for the lowest level, the range
  // of walls in `ordre_`).
  struct noeud {
    boite b;
    std::uint32_t debut;
    std::uint32_t fin;
  };

  // A node to visit: its level and its rank in it.
  struct place {
    std::size_t niveau;
    std::size_t rang;
  };

  void construire();
  void chercher(const boite& q, std::vector<std::size_t>& voisins) const;

  std::vector<boite> boites_;
  std::vector<char> sauvages_;              // per wall: its extent is not a number
  std::vector<std::size_t> liste_sauvages_;  // their positions, increasing
  std::vector<std::uint32_t> ordre_;         // the other walls, in the tree's order
  std::vector<std::vector<noeud>> niveaux_;  // lowest level first
  mutable std::vector<place> pile_;          // kept from one search to the next
};

}  // namespace Compute_pervasives
