#pragma once
// Tolerant comparison of floating-point numbers, sums, extrema, weighted
// means and polygon measures.  Nothing here keeps state.
//
// Tolerant comparisons, a OP b, and the functions that spell them:
//
//   operator   function                      true when                     tolerance
//   a =~ b     almost_equal(a, b)            |a - b| <= t                  0.001
//   a <>~ b    almost_different(a, b)        |a - b| >  t                  0.001
//   a <=~ b    almost_less_equal(a, b)       |a - b| <= t, or a < b        0.001
//   a >=~ b    almost_greater_equal(a, b)    |a - b| <= t, or a > b        0.001
//   a <~ b     almost_less(a, b)             |a - b| >  t and a < b        0.001
//   a >~ b     almost_greater(a, b)          |a - b| >  t and a > b        0.001
//   a =~~ b    roughly_equal(a, b)           |a - b| <= t                  0.01
//   a <>~~ b   roughly_different(a, b)       |a - b| >  t                  0.01
//   a <=~~ b   roughly_less_equal(a, b)      |a - b| <= t, or a < b        0.01
//   a >=~~ b   roughly_greater_equal(a, b)   |a - b| <= t, or a > b        0.01
//
// A difference of exactly t counts as equal.  `compare_tilde` and
// `compare_tilde_tilde` are the three-way forms (0, 1 or -1).
#include <cmath>
#include <concepts>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "geometry/quavor_pervasives_types.hpp"

namespace Quavor_pervasives {

using namespace Quavor_pervasives_types;

// The geometric tolerance of lengths and coordinates (metres).
inline constexpr double tilde_tolerance = 0.001;
// The looser tolerance of `=~~` and `is_almost_zero`.
inline constexpr double tilde_tilde_tolerance = 0.01;
// The smallest relative double step: below it two lines are parallel.
inline constexpr double float_epsilon = 2.220446049250313e-16;
// The largest finite double: the starting value of minimum searches (its
// negative starts the maximum searches).
inline constexpr double max_float = 1.7976931348623157e308;

bool almost_equal_float(double eps, double a, double b);
int almost_compare_float(double eps, double a, double b);
// Rounds x to the nearest multiple of 1/f, halves upwards.
double factor_float_approximation(double f, double x);

int compare_tilde(double a, double b);
int compare_tilde_tilde(double a, double b);

// The tolerant comparisons run in the inner loops of the geometry: they are
// defined here so that they inline.
inline bool is_almost_zero(double x) { return std::fabs(0.0 - x) <= tilde_tilde_tolerance; }

inline bool almost_equal(double a, double b) { return std::fabs(a - b) <= tilde_tolerance; }
inline bool almost_different(double a, double b) { return std::fabs(a - b) > tilde_tolerance; }
inline bool almost_less_equal(double a, double b) { return std::fabs(a - b) <= tilde_tolerance || a < b; }
inline bool almost_greater_equal(double a, double b) { return std::fabs(a - b) <= tilde_tolerance || a > b; }
inline bool almost_less(double a, double b) { return std::fabs(a - b) > tilde_tolerance && a < b; }
inline bool almost_greater(double a, double b) { return std::fabs(a - b) > tilde_tolerance && a > b; }
inline bool roughly_equal(double a, double b) { return std::fabs(a - b) <= tilde_tilde_tolerance; }
inline bool roughly_different(double a, double b) { return std::fabs(a - b) > tilde_tilde_tolerance; }
inline bool roughly_less_equal(double a, double b) { return std::fabs(a - b) <= tilde_tilde_tolerance || a < b; }
inline bool roughly_greater_equal(double a, double b) {
  return std::fabs(a - b) <= tilde_tilde_tolerance || a > b;
}

double percentage_of_factor(percentage_factor x);
percentage_factor factor_of_percentage(percentage x);
bool valid_percentage_factor(percentage_factor x);

std::string string_of_direction(direction d);
std::string string_of_cardinal_point(cardinal_point c);

template <class T, class Pred>
std::optional<T> find_option(Pred pred, const std::vector<T>& seq) {
  for (const T& e : seq)
    if (pred(e)) return e;
  return std::nullopt;
}

abscissa point_abscisse(const point& p);
ordinate point_ordonnee(const point& p);
double distance(const point& p, const point& q);
point points_milieu(const point& p, const point& q);
bipoint make_bipoint(const point& p, const point& q);
point bipoint_milieu(const bipoint& b);

double sigma(const std::vector<double>& seq);

template <class T, class F>
double sigma_f(F f, const std::vector<T>& seq) {
  double sum = 0.0;
  for (const T& e : seq) sum = sum + f(e);
  return sum;
}

// An empty sequence yields max_float.
template <class T, class F>
double min_f(F f, const std::vector<T>& seq) {
  double m = max_float;
  for (const T& e : seq) {
    const double v = f(e);
    if (v < m) m = v;
  }
  return m;
}

// An empty sequence yields -max_float.
template <class T, class F>
double max_f(F f, const std::vector<T>& seq) {
  double m = -max_float;
  for (const T& e : seq) {
    const double v = f(e);
    if (v > m) m = v;
  }
  return m;
}

// The pair (minimum, maximum), both searched in one pass.
template <class T, class F>
std::pair<double, double> min_max_f(F f, const std::vector<T>& seq) {
  double lo = max_float;
  double hi = -max_float;
  for (const T& e : seq) {
    const double v = f(e);
    if (v < lo) lo = v;
    if (v > hi) hi = v;
  }
  return {lo, hi};
}

// Raises the fatal error of a weighted mean whose coefficients sum to 0.0.
[[noreturn]] void null_coefficients_error();

// Over (coefficient, element) pairs: (W, S / W) with W the sum of the
// coefficients and S the sum of coefficient * f(element).  W is compared
// with 0.0 exactly: a tiny but non-zero total is accepted.
template <class T, class F>
std::pair<double, double> moyenne_ponderee_f(F f, const std::vector<std::pair<double, T>>& seq) {
  double w = 0.0;
  double s = 0.0;
  for (const auto& [c, e] : seq) {
    w = w + c;
    s = s + c * f(e);
  }
  if (w == 0.0) null_coefficients_error();
  return {w, s / w};
}

point barycentre(const point_ponderes& seq);
// The pair (total weight, barycentre).
point_pondere barycentre_pondere(const point_ponderes& seq);

bool polygone_degenere(const polygone& p);
// Signed: positive for counter-clockwise vertices, negative for clockwise.
area polygone_surface(const polygone& p);
// The mean of the vertices (not the centroid of the area).
point polygone_centre_gravite(const polygone& p);
point_pondere polygone_centre_pondere(const polygone& p);

// A rectangle measure accepts either the description's rectangle
// (rectangle_width, rectangle_height, rectangle_position) or the computed
// one (width, height, position).
template <class R>
concept data_rectangle_like = requires(const R& r) {
  { r.rectangle_width } -> std::convertible_to<double>;
  { r.rectangle_height } -> std::convertible_to<double>;
  { r.rectangle_position } -> std::convertible_to<point>;
};
template <class R>
concept computed_rectangle_like = requires(const R& r) {
  { r.width } -> std::convertible_to<double>;
  { r.height } -> std::convertible_to<double>;
  { r.position } -> std::convertible_to<point>;
};
template <class R>
concept rectangle_like = data_rectangle_like<R> || computed_rectangle_like<R>;

template <rectangle_like R>
double rectangle_like_width(const R& r) {
  if constexpr (data_rectangle_like<R>)
    return r.rectangle_width;
  else
    return r.width;
}
template <rectangle_like R>
double rectangle_like_height(const R& r) {
  if constexpr (data_rectangle_like<R>)
    return r.rectangle_height;
  else
    return r.height;
}

template <rectangle_like R>
point rectangle_position(const R& r) {
  if constexpr (data_rectangle_like<R>)
    return r.rectangle_position;
  else
    return r.position;
}

template <rectangle_like R>
area rectangle_surface(const R& r) {
  return rectangle_like_width(r) * rectangle_like_height(r);
}

template <rectangle_like R>
point rectangle_centre_gravite(const R& r) {
  const point pos = rectangle_position(r);
  return point{pos.p_x + rectangle_like_width(r) / 2.0, pos.p_y + rectangle_like_height(r) / 2.0};
}

// The pair (surface, centre).
template <rectangle_like R>
point_pondere rectangle_centre_pondere(const R& r) {
  return {rectangle_surface(r), rectangle_centre_gravite(r)};
}

}  // namespace Quavor_pervasives
