#pragma once
// Printers of the geometric leaves of a building description in the value
// text syntax: scalar aliases, directions, points, lines and solids. Each
// type has a printer (context, layout printer, value) and a deferred form
// print_<type>(value) that prints it at top level.
//
// These printers live with the types they print (the geometry layer) so that
// the computed-model printers of this layer can use them too.
#include <vector>

#include "geometry/quavor_pervasives_types.hpp"
#include "text/format.hpp"
#include "text/og_precedence.hpp"
#include "text/og_printer.hpp"

namespace Quavor_pervasives_types_print {

using Format::Printer;
using Og_precedence::context_kind;
using Og_printer::Thunk;
using namespace Quavor_pervasives_types;

// The equations of a polygon's sides.
using polygone_cartesian_equation = std::vector<line_cartesian_equation>;

// Float aliases print like plain floats, integer aliases like integers.
void printer_positive_float(context_kind context, Printer& ppf, positive_float x);
void printer_percentage(context_kind context, Printer& ppf, percentage x);
void printer_percentage_factor(context_kind context, Printer& ppf, percentage_factor x);
void printer_pente(context_kind context, Printer& ppf, pente x);
void printer_length(context_kind context, Printer& ppf, length x);
void printer_area(context_kind context, Printer& ppf, area x);
void printer_abscissa(context_kind context, Printer& ppf, abscissa x);
void printer_ordinate(context_kind context, Printer& ppf, ordinate x);
void printer_metre(context_kind context, Printer& ppf, metre x);
void printer_metre_carre(context_kind context, Printer& ppf, metre_carre x);
void printer_masse_volumique(context_kind context, Printer& ppf, masse_volumique x);
void printer_masse(context_kind context, Printer& ppf, masse x);
void printer_coefficient(context_kind context, Printer& ppf, coefficient x);
void printer_positive_int(context_kind context, Printer& ppf, positive_int i);

void printer_cardinal_point(context_kind context, Printer& ppf, cardinal_point c);
void printer_direction(context_kind context, Printer& ppf, direction d);
void printer_point(context_kind context, Printer& ppf, const point& p);
void printer_points(context_kind context, Printer& ppf, const points& ps);
// A pair (coefficient, point), written as a tuple.
void printer_point_pondere(context_kind context, Printer& ppf, const point_pondere& pp);
void printer_point_ponderes(context_kind context, Printer& ppf, const point_ponderes& pps);
void printer_vector(context_kind context, Printer& ppf, const vector& v);
void printer_line(context_kind context, Printer& ppf, const line& l);
void printer_line_cartesian_equation(context_kind context, Printer& ppf,
                                     const line_cartesian_equation& e);
void printer_bipoint(context_kind context, Printer& ppf, const bipoint& b);
void printer_polygone(context_kind context, Printer& ppf, const polygone& p);
void printer_polygone_cartesian_equation(context_kind context, Printer& ppf,
                                         const polygone_cartesian_equation& es);
void printer_solide(context_kind context, Printer& ppf, const solide& s);

Thunk print_positive_float(positive_float x);
Thunk print_percentage(percentage x);
Thunk print_percentage_factor(percentage_factor x);
Thunk print_pente(pente x);
Thunk print_length(length x);
Thunk print_area(area x);
Thunk print_abscissa(abscissa x);
Thunk print_ordinate(ordinate x);
Thunk print_metre(metre x);
Thunk print_metre_carre(metre_carre x);
Thunk print_masse_volumique(masse_volumique x);
Thunk print_masse(masse x);
Thunk print_coefficient(coefficient x);
Thunk print_positive_int(positive_int i);
Thunk print_cardinal_point(cardinal_point c);
Thunk print_direction(direction d);
Thunk print_point(const point& p);
Thunk print_points(const points& ps);
Thunk print_point_pondere(const point_pondere& pp);
Thunk print_point_ponderes(const point_ponderes& pps);
Thunk print_vector(const vector& v);
Thunk print_line(const line& l);
Thunk print_line_cartesian_equation(const line_cartesian_equation& e);
Thunk print_bipoint(const bipoint& b);
Thunk print_polygone(const polygone& p);
Thunk print_polygone_cartesian_equation(const polygone_cartesian_equation& es);
Thunk print_solide(const solide& s);

}  // namespace Quavor_pervasives_types_print
