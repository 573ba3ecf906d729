#include "geometry/quavor_pervasives_types_print.hpp"

#include "text/exceptions.hpp"

namespace Quavor_pervasives_types_print {

using Og_printer::deferred;
using Og_printer::printer_Float;
using Og_printer::printer_Int;
using Og_printer::Record;

void printer_positive_float(context_kind context, Printer& ppf, positive_float x) {
  printer_Float(context, ppf, x);
}
void printer_percentage(context_kind context, Printer& ppf, percentage x) {
  printer_Float(context, ppf, x);
}
void printer_percentage_factor(context_kind context, Printer& ppf, percentage_factor x) {
  printer_Float(context, ppf, x);
}
void printer_pente(context_kind context, Printer& ppf, pente x) { printer_Float(context, ppf, x); }
void printer_length(context_kind context, Printer& ppf, length x) { printer_Float(context, ppf, x); }
void printer_area(context_kind context, Printer& ppf, area x) { printer_Float(context, ppf, x); }
void printer_abscissa(context_kind context, Printer& ppf, abscissa x) {
  printer_Float(context, ppf, x);
}
void printer_ordinate(context_kind context, Printer& ppf, ordinate x) {
  printer_Float(context, ppf, x);
}
void printer_metre(context_kind context, Printer& ppf, metre x) { printer_Float(context, ppf, x); }
void printer_metre_carre(context_kind context, Printer& ppf, metre_carre x) {
  printer_Float(context, ppf, x);
}
void printer_masse_volumique(context_kind context, Printer& ppf, masse_volumique x) {
  printer_Float(context, ppf, x);
}
void printer_masse(context_kind context, Printer& ppf, masse x) { printer_Float(context, ppf, x); }
void printer_coefficient(context_kind context, Printer& ppf, coefficient x) {
  printer_Float(context, ppf, x);
}
void printer_positive_int(context_kind context, Printer& ppf, positive_int i) {
  printer_Int(context, ppf, i);
}

void printer_cardinal_point(context_kind context, Printer& ppf, cardinal_point c) {
  switch (c) {
    case cardinal_point::North: return Og_printer::printer_constant(context, ppf, "North");
    case cardinal_point::South: return Og_printer::printer_constant(context, ppf, "South");
    case cardinal_point::East: return Og_printer::printer_constant(context, ppf, "East");
    case cardinal_point::West: return Og_printer::printer_constant(context, ppf, "West");
  }
  throw Assertion_failure("src/compute/quavor_pervasives_types_print");
}

void printer_direction(context_kind context, Printer& ppf, direction d) {
  switch (d) {
    case direction::X: return Og_printer::printer_constant(context, ppf, "X");
    case direction::Y: return Og_printer::printer_constant(context, ppf, "Y");
  }
  throw Assertion_failure("src/compute/quavor_pervasives_types_print");
}

void printer_point(context_kind context, Printer& ppf, const point& p) {
  Record(context, ppf).field("p_x", printer_abscissa, p.p_x).field("p_y", printer_ordinate, p.p_y).close();
}

void printer_points(context_kind context, Printer& ppf, const points& ps) {
  Og_printer::printer_List(printer_point, context, ppf, ps);
}

void printer_point_pondere(context_kind context, Printer& ppf, const point_pondere& pp) {
  Og_printer::open_tuple(context, ppf);
  printer_coefficient(Og_precedence::Ck_tuple_item, ppf, pp.first);
  Og_printer::tuple_separator(ppf);
  printer_point(Og_precedence::Ck_tuple_item, ppf, pp.second);
  Og_printer::close_tuple(context, ppf);
}

void printer_point_ponderes(context_kind context, Printer& ppf, const point_ponderes& pps) {
  Og_printer::printer_List(printer_point_pondere, context, ppf, pps);
}

void printer_vector(context_kind context, Printer& ppf, const vector& v) {
  Record(context, ppf).field("v_x", printer_Float, v.v_x).field("v_y", printer_Float, v.v_y).close();
}

void printer_line(context_kind context, Printer& ppf, const line& l) {
  Record(context, ppf).field("l_pa", printer_point, l.l_pa).field("l_pb", printer_point, l.l_pb).close();
}

void printer_line_cartesian_equation(context_kind context, Printer& ppf,
                                     const line_cartesian_equation& e) {
  Record(context, ppf)
      .field("a", printer_Float, e.a)
      .field("b", printer_Float, e.b)
      .field("c", printer_Float, e.c)
      .close();
}

void printer_bipoint(context_kind context, Printer& ppf, const bipoint& b) {
  Record(context, ppf).field("b_pa", printer_point, b.b_pa).field("b_pb", printer_point, b.b_pb).close();
}

void printer_polygone(context_kind context, Printer& ppf, const polygone& p) {
  Og_printer::printer_List(printer_point, context, ppf, p);
}

void printer_polygone_cartesian_equation(context_kind context, Printer& ppf,
                                         const polygone_cartesian_equation& es) {
  Og_printer::printer_List(printer_line_cartesian_equation, context, ppf, es);
}

void printer_solide(context_kind context, Printer& ppf, const solide& s) {
  Record(context, ppf)
      .field("s_lx", printer_length, s.s_lx)
      .field("s_ly", printer_length, s.s_ly)
      .field("s_lz", printer_length, s.s_lz)
      .close();
}

Thunk print_positive_float(positive_float x) { return deferred(printer_positive_float, x); }
Thunk print_percentage(percentage x) { return deferred(printer_percentage, x); }
Thunk print_percentage_factor(percentage_factor x) { return deferred(printer_percentage_factor, x); }
Thunk print_pente(pente x) { return deferred(printer_pente, x); }
Thunk print_length(length x) { return deferred(printer_length, x); }
Thunk print_area(area x) { return deferred(printer_area, x); }
Thunk print_abscissa(abscissa x) { return deferred(printer_abscissa, x); }
Thunk print_ordinate(ordinate x) { return deferred(printer_ordinate, x); }
Thunk print_metre(metre x) { return deferred(printer_metre, x); }
Thunk print_metre_carre(metre_carre x) { return deferred(printer_metre_carre, x); }
Thunk print_masse_volumique(masse_volumique x) { return deferred(printer_masse_volumique, x); }
Thunk print_masse(masse x) { return deferred(printer_masse, x); }
Thunk print_coefficient(coefficient x) { return deferred(printer_coefficient, x); }
Thunk print_positive_int(positive_int i) { return deferred(printer_positive_int, i); }
Thunk print_cardinal_point(cardinal_point c) { return deferred(printer_cardinal_point, c); }
Thunk print_direction(direction d) { return deferred(printer_direction, d); }
Thunk print_point(const point& p) { return deferred(printer_point, p); }
Thunk print_points(const points& ps) { return deferred(printer_points, ps); }
Thunk print_point_pondere(const point_pondere& pp) { return deferred(printer_point_pondere, pp); }
Thunk print_point_ponderes(const point_ponderes& pps) { return deferred(printer_point_ponderes, pps); }
Thunk print_vector(const vector& v) { return deferred(printer_vector, v); }
Thunk print_line(const line& l) { return deferred(printer_line, l); }
Thunk print_line_cartesian_equation(const line_cartesian_equation& e) {
  return deferred(printer_line_cartesian_equation, e);
}
Thunk print_bipoint(const bipoint& b) { return deferred(printer_bipoint, b); }
Thunk print_polygone(const polygone& p) { return deferred(printer_polygone, p); }
Thunk print_polygone_cartesian_equation(const polygone_cartesian_equation& es) {
  return deferred(printer_polygone_cartesian_equation, es);
}
Thunk print_solide(const solide& s) { return deferred(printer_solide, s); }

}  // namespace Quavor_pervasives_types_print
