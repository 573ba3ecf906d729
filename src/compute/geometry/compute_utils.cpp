#include "geometry/compute_utils.hpp"

#include "geometry/quavor_pervasives.hpp"

namespace Compute_utils {

void print_distance(Format::Printer& ppf, const length& d) { Format::fprintf(ppf, "%.2f m", d); }

void print_area(Format::Printer& ppf, const area& a) { Format::fprintf(ppf, "%.2f m2", a); }

void print_masse_surfacique(Format::Printer& ppf, const double& m) { Format::fprintf(ppf, "%.2f kg/m2", m); }

void print_percentage(Format::Printer& ppf, const percentage_factor& x) {
  Format::fprintf(ppf, "%.2f %%", Quavor_pervasives::percentage_of_factor(x));
}

void print_rapport(Format::Printer& ppf, const double& r) { Format::fprintf(ppf, "%.3f", r); }

void print_bool(Format::Printer& ppf, const bool& b) { Format::fprintf(ppf, "%B", b); }

void print_direction(Format::Printer& ppf, const direction& d) {
  Format::fprintf(ppf, "%s", Quavor_pervasives::string_of_direction(d));
}

void print_point(Format::Printer& ppf, const point& p) { Format::fprintf(ppf, "(%.2f, %.2f)", p.p_x, p.p_y); }

}  // namespace Compute_utils
