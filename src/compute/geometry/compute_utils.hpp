#pragma once
// The number formats of the report texts, and three operations on optional
// values.
//
// Operations on optional values, and the functions that spell them (the
// deferred argument is evaluated only when needed):
//
//   o ||| d    or_else(o, d)        o when it holds a value, else d()
//   o >>> d    value_or_else(o, d)  the value held by o, else d()
//   o --> f    map_option(o, f)     f applied to the value held by o, or nothing
#include <optional>
#include <type_traits>

#include "geometry/quavor_pervasives_types.hpp"
#include "text/format.hpp"

namespace Compute_utils {

using Quavor_pervasives_types::area;
using Quavor_pervasives_types::direction;
using Quavor_pervasives_types::length;
using Quavor_pervasives_types::percentage_factor;
using Quavor_pervasives_types::point;

// "%.2f m"
void print_distance(Format::Printer& ppf, const length& d);
// "%.2f m2"
void print_area(Format::Printer& ppf, const area& a);
// "%.2f kg/m2"
void print_masse_surfacique(Format::Printer& ppf, const double& m);
// "%.2f %%" of 100 x: 0.05 gives "5.00 %"
void print_percentage(Format::Printer& ppf, const percentage_factor& x);
// "%.3f"
void print_rapport(Format::Printer& ppf, const double& r);
// "%B"
void print_bool(Format::Printer& ppf, const bool& b);
// "%s": "X" or "Y"
void print_direction(Format::Printer& ppf, const direction& d);
// "(%.2f, %.2f)"
void print_point(Format::Printer& ppf, const point& p);

template <class T, class D>
std::optional<T> or_else(const std::optional<T>& o, D deferred) {
  if (o) return o;
  return deferred();
}

template <class T, class D>
T value_or_else(const std::optional<T>& o, D deferred) {
  if (o) return *o;
  return deferred();
}

template <class T, class F>
auto map_option(const std::optional<T>& o, F f) -> std::optional<std::decay_t<std::invoke_result_t<F, const T&>>> {
  if (o) return f(*o);
  return std::nullopt;
}

}  // namespace Compute_utils
