#include "geometry/quavor_pervasives.hpp"

#include <cmath>

#include "config/quavor_configuration.hpp"

namespace Quavor_pervasives {

bool almost_equal_float(double eps, double a, double b) { return std::fabs(a - b) <= eps; }

int almost_compare_float(double eps, double a, double b) {
  if (std::fabs(a - b) <= eps) return 0;
  return a > b ? 1 : -1;
}

double factor_float_approximation(double f, double x) { return std::floor(x * f + 0.5) / f; }

int compare_tilde(double a, double b) { return almost_compare_float(tilde_tolerance, a, b); }
int compare_tilde_tilde(double a, double b) { return almost_compare_float(tilde_tilde_tolerance, a, b); }
double percentage_of_factor(percentage_factor x) { return 100.0 * x; }
percentage_factor factor_of_percentage(percentage x) { return x / 100.0; }
bool valid_percentage_factor(percentage_factor x) {
  return almost_greater_equal(x, 0.0) && almost_less_equal(x, 1.0);
}

std::string string_of_direction(direction d) { return d == direction::X ? "X" : "Y"; }

std::string string_of_cardinal_point(cardinal_point c) {
  switch (c) {
    case cardinal_point::North: return "North";
    case cardinal_point::South: return "South";
    case cardinal_point::East: return "East";
    case cardinal_point::West: return "West";
  }
  return "";
}

abscissa point_abscisse(const point& p) { return p.p_x; }
ordinate point_ordonnee(const point& p) { return p.p_y; }
double distance(const point& p, const point& q) { return std::hypot(p.p_x - q.p_x, p.p_y - q.p_y); }

point points_milieu(const point& p, const point& q) {
  return point{(p.p_x + q.p_x) / 2.0, (p.p_y + q.p_y) / 2.0};
}
bipoint make_bipoint(const point& p, const point& q) { return bipoint{p, q}; }
point bipoint_milieu(const bipoint& b) { return points_milieu(b.b_pa, b.b_pb); }

double sigma(const std::vector<double>& seq) {
  double sum = 0.0;
  for (double v : seq) sum = sum + v;
  return sum;
}

void null_coefficients_error() {
  Quavor_configuration::fatal_error("moyenne_ponderee: sum of coefficients is null");
}

point_pondere barycentre_pondere(const point_ponderes& seq) {
  const auto [w, x] = moyenne_ponderee_f(point_abscisse, seq);
  const auto [w_y, y] = moyenne_ponderee_f(point_ordonnee, seq);
  (void)w_y;
  return {w, point{x, y}};
}

point barycentre(const point_ponderes& seq) { return barycentre_pondere(seq).second; }

bool polygone_degenere(const polygone& p) { return p.size() < 3; }

area polygone_surface(const polygone& p) {
  if (p.empty()) Quavor_configuration::fatal_error("polygone_surface: empty polygone");
  double sum = 0.0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const point& a = p[i];
    const point& b = p[(i + 1) % p.size()];
    sum = sum + (a.p_x * b.p_y - b.p_x * a.p_y);
  }
  return 0.5 * sum;
}

point polygone_centre_gravite(const polygone& p) {
  if (p.empty()) Quavor_configuration::fatal_error("polygone_centre_gravite: empty polygone");
  point_ponderes weighted;
  weighted.reserve(p.size());
  for (const point& v : p) weighted.push_back({1.0, v});
  return barycentre(weighted);
}

point_pondere polygone_centre_pondere(const polygone& p) {
  return {polygone_surface(p), polygone_centre_gravite(p)};
}

}  // namespace Quavor_pervasives
