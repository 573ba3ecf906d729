#pragma once
// Printers of the geometry of the computed model (segments, rectangles and
// the outcomes of their intersections and point locations), for the
// debugging dumps. Each type has a printer (context, layout printer, value)
// and a deferred form print_<type>(value).
#include "geometry/compute_pervasives_types.hpp"
#include "geometry/quavor_pervasives_types_print.hpp"
#include "text/format.hpp"
#include "text/og_precedence.hpp"
#include "text/og_printer.hpp"

namespace Compute_pervasives_types_print {

using Format::Printer;
using Og_precedence::context_kind;
using Og_printer::Thunk;
using namespace Compute_pervasives_types;

void printer_directed_segment(context_kind context, Printer& ppf, const directed_segment& s);
void printer_segment(context_kind context, Printer& ppf, const segment& s);
void printer_segments(context_kind context, Printer& ppf, const segments& ss);
// The description's segment and rectangle records.
void printer_data_segment(context_kind context, Printer& ppf, const data_segment& s);
void printer_data_rectangle(context_kind context, Printer& ppf, const data_rectangle& r);
void printer_segment_intersection(context_kind context, Printer& ppf,
                                  const segment_intersection& si);
void printer_segment_difference(context_kind context, Printer& ppf, const segment_difference& sd);
void printer_line_intersection(context_kind context, Printer& ppf, const line_intersection& li);
void printer_rectangle_vertices(context_kind context, Printer& ppf, const rectangle_vertices& v);
void printer_rectangle_edges(context_kind context, Printer& ppf, const rectangle_edges& e);
void printer_rectangle(context_kind context, Printer& ppf, const rectangle& r);
void printer_rectangle_intersection(context_kind context, Printer& ppf,
                                    const rectangle_intersection& ri);
void printer_inside(context_kind context, Printer& ppf, inside i);
void printer_localisation(context_kind context, Printer& ppf, const localisation& l);

Thunk print_directed_segment(const directed_segment& s);
Thunk print_segment(const segment& s);
Thunk print_segments(const segments& ss);
Thunk print_data_segment(const data_segment& s);
Thunk print_data_rectangle(const data_rectangle& r);
Thunk print_segment_intersection(const segment_intersection& si);
Thunk print_segment_difference(const segment_difference& sd);
Thunk print_line_intersection(const line_intersection& li);
Thunk print_rectangle_vertices(const rectangle_vertices& v);
Thunk print_rectangle_edges(const rectangle_edges& e);
Thunk print_rectangle(const rectangle& r);
Thunk print_rectangle_intersection(const rectangle_intersection& ri);
Thunk print_inside(inside i);
Thunk print_localisation(const localisation& l);

}  // namespace Compute_pervasives_types_print
