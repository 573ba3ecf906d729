#include "geometry/compute_pervasives_types_print.hpp"

#include <type_traits>

#include "text/exceptions.hpp"

namespace Compute_pervasives_types_print {

using Og_printer::deferred;
using Og_printer::printer_constant;
using Og_printer::printer_constructor;
using Og_printer::printer_Float;
using Og_printer::Record;
using Quavor_pervasives_types_print::printer_direction;
using Quavor_pervasives_types_print::printer_line;
using Quavor_pervasives_types_print::printer_point;

void printer_directed_segment(context_kind context, Printer& ppf, const directed_segment& s) {
  Record(context, ppf)
      .field("s_length", printer_Float, s.s_length)
      .field("s_direction", printer_direction, s.s_direction)
      .field("s_position", printer_point, s.s_position)
      .field("s_vertex", printer_point, s.s_vertex)
      .close();
}

void printer_segment(context_kind context, Printer& ppf, const segment& s) {
  printer_directed_segment(context, ppf, s);
}

void printer_segments(context_kind context, Printer& ppf, const segments& ss) {
  Og_printer::printer_List(printer_segment, context, ppf, ss);
}

void printer_data_segment(context_kind context, Printer& ppf, const data_segment& s) {
  Record(context, ppf)
      .field("segment_position", printer_point, s.segment_position)
      .field("segment_direction", printer_direction, s.segment_direction)
      .field("segment_length", printer_Float, s.segment_length)
      .close();
}

void printer_data_rectangle(context_kind context, Printer& ppf, const data_rectangle& r) {
  Record(context, ppf)
      .field("rectangle_width", printer_Float, r.rectangle_width)
      .field("rectangle_height", printer_Float, r.rectangle_height)
      .field("rectangle_position", printer_point, r.rectangle_position)
      .close();
}

void printer_segment_intersection(context_kind context, Printer& ppf,
                                  const segment_intersection& si) {
  std::visit(
      [&](const auto& alternative) {
        using A = std::decay_t<decltype(alternative)>;
        if constexpr (std::is_same_v<A, Si_empty>)
          printer_constant(context, ppf, "Si_empty");
        else if constexpr (std::is_same_v<A, Si_segment>)
          printer_constructor(context, ppf, "Si_segment", printer_segment, alternative.value);
        else
          printer_constructor(context, ppf, "Si_point", printer_point, alternative.value);
      },
      si);
}

// The two pieces left on either side of a removed part, as one tuple.
static void printer_split(context_kind context, Printer& ppf, const Sd_split& split) {
  Og_printer::open_tuple(context, ppf);
  printer_segment(Og_precedence::Ck_tuple_item, ppf, split.first);
  Og_printer::tuple_separator(ppf);
  printer_segment(Og_precedence::Ck_tuple_item, ppf, split.second);
  Og_printer::close_tuple(context, ppf);
}

void printer_segment_difference(context_kind context, Printer& ppf, const segment_difference& sd) {
  std::visit(
      [&](const auto& alternative) {
        using A = std::decay_t<decltype(alternative)>;
        if constexpr (std::is_same_v<A, Sd_empty>)
          printer_constant(context, ppf, "Sd_empty");
        else if constexpr (std::is_same_v<A, Sd_point>)
          printer_constructor(context, ppf, "Sd_point", printer_point, alternative.value);
        else if constexpr (std::is_same_v<A, Sd_segment>)
          printer_constructor(context, ppf, "Sd_segment", printer_segment, alternative.value);
        else
          printer_constructor(context, ppf, "Sd_split", printer_split, alternative);
      },
      sd);
}

void printer_line_intersection(context_kind context, Printer& ppf, const line_intersection& li) {
  std::visit(
      [&](const auto& alternative) {
        using A = std::decay_t<decltype(alternative)>;
        if constexpr (std::is_same_v<A, Li_empty>)
          printer_constant(context, ppf, "Li_empty");
        else if constexpr (std::is_same_v<A, Li_line>)
          printer_constructor(context, ppf, "Li_line", printer_line, alternative.value);
        else
          printer_constructor(context, ppf, "Li_point", printer_point, alternative.value);
      },
      li);
}

void printer_rectangle_vertices(context_kind context, Printer& ppf, const rectangle_vertices& v) {
  Record(context, ppf)
      .field("vertex_sw", printer_point, v.vertex_sw)
      .field("vertex_se", printer_point, v.vertex_se)
      .field("vertex_ne", printer_point, v.vertex_ne)
      .field("vertex_nw", printer_point, v.vertex_nw)
      .close();
}

void printer_rectangle_edges(context_kind context, Printer& ppf, const rectangle_edges& e) {
  Record(context, ppf)
      .field("edge_south", printer_segment, e.edge_south)
      .field("edge_east", printer_segment, e.edge_east)
      .field("edge_north", printer_segment, e.edge_north)
      .field("edge_west", printer_segment, e.edge_west)
      .close();
}

void printer_rectangle(context_kind context, Printer& ppf, const rectangle& r) {
  Record(context, ppf)
      .field("width", printer_Float, r.width)
      .field("height", printer_Float, r.height)
      .field("position", printer_point, r.position)
      .field("vertices", printer_rectangle_vertices, r.vertices)
      .field("edges", printer_rectangle_edges, r.edges)
      .close();
}

void printer_rectangle_intersection(context_kind context, Printer& ppf,
                                    const rectangle_intersection& ri) {
  std::visit(
      [&](const auto& alternative) {
        using A = std::decay_t<decltype(alternative)>;
        if constexpr (std::is_same_v<A, Ri_empty>)
          printer_constant(context, ppf, "Ri_empty");
        else if constexpr (std::is_same_v<A, Ri_point>)
          printer_constructor(context, ppf, "Ri_point", printer_point, alternative.value);
        else if constexpr (std::is_same_v<A, Ri_segment>)
          printer_constructor(context, ppf, "Ri_segment", printer_segment, alternative.value);
        else
          printer_constructor(context, ppf, "Ri_rectangle", printer_rectangle, alternative.value);
      },
      ri);
}

void printer_inside(context_kind context, Printer& ppf, inside i) {
  switch (i) {
    case inside::Frame: return printer_constant(context, ppf, "Frame");
    case inside::Inside: return printer_constant(context, ppf, "Inside");
  }
  throw Assertion_failure("src/compute/compute_pervasives_types_print");
}

void printer_localisation(context_kind context, Printer& ppf, const localisation& l) {
  if (const In* in = std::get_if<In>(&l))
    printer_constructor(context, ppf, "In", Og_printer::printer_Option(printer_inside), in->value);
  else
    printer_constant(context, ppf, "Out");
}

Thunk print_directed_segment(const directed_segment& s) { return deferred(printer_directed_segment, s); }
Thunk print_segment(const segment& s) { return deferred(printer_segment, s); }
Thunk print_segments(const segments& ss) { return deferred(printer_segments, ss); }
Thunk print_data_segment(const data_segment& s) { return deferred(printer_data_segment, s); }
Thunk print_data_rectangle(const data_rectangle& r) { return deferred(printer_data_rectangle, r); }
Thunk print_segment_intersection(const segment_intersection& si) {
  return deferred(printer_segment_intersection, si);
}
Thunk print_segment_difference(const segment_difference& sd) {
  return deferred(printer_segment_difference, sd);
}
Thunk print_line_intersection(const line_intersection& li) {
  return deferred(printer_line_intersection, li);
}
Thunk print_rectangle_vertices(const rectangle_vertices& v) {
  return deferred(printer_rectangle_vertices, v);
}
Thunk print_rectangle_edges(const rectangle_edges& e) { return deferred(printer_rectangle_edges, e); }
Thunk print_rectangle(const rectangle& r) { return deferred(printer_rectangle, r); }
Thunk print_rectangle_intersection(const rectangle_intersection& ri) {
  return deferred(printer_rectangle_intersection, ri);
}
Thunk print_inside(inside i) { return deferred(printer_inside, i); }
Thunk print_localisation(const localisation& l) { return deferred(printer_localisation, l); }

}  // namespace Compute_pervasives_types_print
