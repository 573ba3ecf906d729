#include "geometry/compute_pervasives.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>

#include "config/quavor_configuration.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"

namespace Compute_pervasives {

namespace {

using Quavor_pervasives::almost_equal;
using Quavor_pervasives::compare_tilde;

const char* const assertion_source = "src/compute/compute_pervasives";

// A direction by its constructor name, for the fatal error texts.
void print_direction_name(Format::Printer& ppf, const direction& d) {
  Format::fprintf(ppf, "%s", Quavor_pervasives::string_of_direction(d));
}

[[noreturn]] void cannot_find_direction() {
  Quavor_configuration::fatal_error("vertices_compute_direction: cannot find direction of segment");
}

[[noreturn]] void inconsistent_directions(direction expected, direction computed) {
  Quavor_configuration::fatal_error(Format::asprintf(
      "vertices_compute_direction: inconsistent expected (%a) and computed (%a) directions",
      print_direction_name, expected, print_direction_name, computed));
}

// Position before vertex gives the candidate, equal ends a point, position
// after vertex (a gap between the two segments) nothing.
segment_intersection normalise_candidate(const segment& candidate) {
  switch (point_compare_tilde(candidate.s_position, candidate.s_vertex)) {
    case 0: return Si_point{candidate.s_position};
    case 1: return Si_empty{};
    default: return Si_segment{candidate};
  }
}

segment_intersection parallel_inter(const segment& s1, const segment& s2) {
  const bool en_y = s1.s_direction == direction::Y;
  // The coordinate across the direction, and the range along it.
  auto across = [en_y](const point& p) { return en_y ? p.p_x : p.p_y; };
  auto along = [en_y](const point& p) { return en_y ? p.p_y : p.p_x; };
  const double c1 = std::min(across(s1.s_position), across(s1.s_vertex));
  const double c2 = std::min(across(s2.s_position), across(s2.s_vertex));
  if (std::fabs(c1 - c2) > Quavor_pervasives::tilde_tolerance) return Si_empty{};
  const double lo = std::max(std::min(along(s1.s_position), along(s1.s_vertex)),
                             std::min(along(s2.s_position), along(s2.s_vertex)));
  const double hi = std::min(std::max(along(s1.s_position), along(s1.s_vertex)),
                             std::max(along(s2.s_position), along(s2.s_vertex)));
  const point from = en_y ? point{c1, lo} : point{lo, c1};
  const point to = en_y ? point{c1, hi} : point{hi, c1};
  const segment candidate{std::hypot(from.p_x - to.p_x, from.p_y - to.p_y), s1.s_direction, from, to};
  return normalise_candidate(candidate);
}

// A segment of (nearly) no length crossing a perpendicular one: its
// supporting line is no line at all, so the crossing is the point itself
// when it lies on the other segment, and nothing otherwise.
segment_intersection point_like_inter(const segment& s1, const segment& s2) {
  const bool s1_shorter = s1.s_length <= s2.s_length;
  const segment& dot = s1_shorter ? s1 : s2;
  const segment& other = s1_shorter ? s2 : s1;
  if (std::holds_alternative<Out>(segment_locate_point(other, dot.s_position))) return Si_empty{};
  return Si_point{dot.s_position};
}

segment_intersection perpendicular_inter(const segment& s1, const segment& s2) {
  const line_cartesian_equation e1 = line_to_equation(segment_support(s1));
  const line_cartesian_equation e2 = line_to_equation(segment_support(s2));
  const double det = e1.a * e2.b - e2.a * e1.b;
  if (std::fabs(det) <= Quavor_pervasives::float_epsilon) {
    // Two non-degenerate segments of different directions are never
    // parallel: only a segment reduced to a point gets here.
    if (s1.s_length > Quavor_pervasives::tilde_tolerance && s2.s_length > Quavor_pervasives::tilde_tolerance)
      throw Assertion_failure(assertion_source);
    return point_like_inter(s1, s2);
  }
  const double x = (e1.b * e2.c - e2.b * e1.c) / det;
  const double y = (e2.a * e1.c - e1.a * e2.c) / det;
  return Si_point{point{x, y}};
}

}  // namespace

point make_point(double x, double y) { return point{x, y}; }
vector add_vect(const vector& u, const vector& v) { return vector{u.v_x + v.v_x, u.v_y + v.v_y}; }
vector mul_k_vect(double k, const vector& v) { return vector{k * v.v_x, k * v.v_y}; }
point vector_translate_point(const vector& v, const point& p) { return point{p.p_x + v.v_x, p.p_y + v.v_y}; }
point point_translate_up(const point& p, double d) { return point{p.p_x, p.p_y + d}; }
point point_translate_right(const point& p, double d) { return point{p.p_x + d, p.p_y}; }

int point_compare_tilde(const point& p, const point& q) {
  const int cx = compare_tilde(p.p_x, q.p_x);
  return cx != 0 ? cx : compare_tilde(p.p_y, q.p_y);
}

line_cartesian_equation bipoint_to_equation(const point& pa, const point& pb) {
  return line_cartesian_equation{pb.p_y - pa.p_y, pa.p_x - pb.p_x, pa.p_y * pb.p_x - pa.p_x * pb.p_y};
}

line_cartesian_equation line_to_equation(const line& l) { return bipoint_to_equation(l.l_pa, l.l_pb); }

segment segment_from(const point& p, direction d, double len) {
  const point v = d == direction::X ? point{p.p_x + len, p.p_y} : point{p.p_x, p.p_y + len};
  return segment{len, d, p, v};
}

direction vertices_compute_direction(std::optional<direction> expected, const point& p, const point& q) {
  const bool same_x = almost_equal(p.p_x, q.p_x);
  const bool same_y = almost_equal(p.p_y, q.p_y);
  if (!expected) {
    if (same_x) return direction::Y;
    if (same_y) return direction::X;
    cannot_find_direction();
  }
  if (*expected == direction::X) {
    if (same_y) return direction::X;
    if (same_x) inconsistent_directions(direction::X, direction::Y);
    cannot_find_direction();
  }
  if (same_x) return direction::Y;
  if (same_y) inconsistent_directions(direction::Y, direction::X);
  cannot_find_direction();
}

segment dir_option_vertices_compute_segment(std::optional<direction> expected, const point& p,
                                            const point& q) {
  const direction d = vertices_compute_direction(expected, p, q);
  // Ties keep p as the position.
  const bool q_first = d == direction::Y ? q.p_y < p.p_y : q.p_x < p.p_x;
  const point& position = q_first ? q : p;
  const point& vertex = q_first ? p : q;
  return segment{std::hypot(p.p_x - q.p_x, p.p_y - q.p_y), d, position, vertex};
}

segment vertices_compute_segment(const point& p, const point& q) {
  return dir_option_vertices_compute_segment(std::nullopt, p, q);
}

segment direction_vertices_compute_segment(direction d, const point& p, const point& q) {
  return dir_option_vertices_compute_segment(d, p, q);
}

double segment_length(const segment& s) { return s.s_length; }
direction segment_direction(const segment& s) { return s.s_direction; }
point segment_position(const segment& s) { return s.s_position; }
point segment_vertex(const segment& s) { return s.s_vertex; }
bool segment_en_x(const segment& s) { return s.s_direction == direction::X; }
double segment_min_x(const segment& s) { return s.s_position.p_x; }
double segment_min_y(const segment& s) { return s.s_position.p_y; }
double segment_max_x(const segment& s) { return s.s_vertex.p_x; }
double segment_max_y(const segment& s) { return s.s_vertex.p_y; }
line segment_support(const segment& s) { return line{s.s_position, s.s_vertex}; }

localisation range_locate_value(double lo, double hi, double v) {
  if (almost_equal(v, lo)) return In{inside::Frame};
  if (v < lo) return Out{};
  if (almost_equal(v, hi)) return In{inside::Frame};
  if (v > hi) return Out{};
  return In{inside::Inside};
}

localisation segment_locate_point(const segment& s, const point& p) {
  const point& pos = s.s_position;
  if (s.s_direction == direction::X) {
    if (!almost_equal(p.p_y, pos.p_y)) return Out{};
    return range_locate_value(pos.p_x, s.s_vertex.p_x, p.p_x);
  }
  if (!almost_equal(p.p_x, pos.p_x)) return Out{};
  return range_locate_value(pos.p_y, s.s_vertex.p_y, p.p_y);
}

segment_intersection segment_inter_segment(const segment& s1, const segment& s2) {
  if (s1.s_direction == s2.s_direction) return parallel_inter(s1, s2);
  return perpendicular_inter(s1, s2);
}

segment_difference add_non_empty_segment(const segment& piece, const segment_difference& d) {
  if (!(piece.s_length > 0.0)) return d;
  if (const auto* one = std::get_if<Sd_segment>(&d)) return Sd_split{piece, one->value};
  if (std::holds_alternative<Sd_split>(d)) throw Assertion_failure(assertion_source);
  return Sd_segment{piece};
}

segment_difference segment_minus_segment(const segment& s1, const segment& s2) {
  const segment_intersection i = segment_inter_segment(s1, s2);
  const auto* common = std::get_if<Si_segment>(&i);
  if (common == nullptr) return Sd_segment{s1};
  const segment first = vertices_compute_segment(s1.s_position, common->value.s_position);
  const segment second = vertices_compute_segment(common->value.s_vertex, s1.s_vertex);
  return add_non_empty_segment(first, add_non_empty_segment(second, Sd_empty{}));
}

rectangle_vertices rectangle_compute_vertices(double width, double height, const point& position) {
  const double x = position.p_x;
  const double y = position.p_y;
  rectangle_vertices v{};
  v.vertex_sw = point{x, y};
  v.vertex_se = point{x + width, y};
  v.vertex_nw = point{x, y + height};
  v.vertex_ne = point{x + width, y + height};
  return v;
}

rectangle_edges data_vertices_compute_edges(const rectangle_vertices& v) {
  rectangle_edges e{};
  e.edge_south = direction_vertices_compute_segment(direction::X, v.vertex_sw, v.vertex_se);
  e.edge_east = direction_vertices_compute_segment(direction::Y, v.vertex_se, v.vertex_ne);
  e.edge_north = direction_vertices_compute_segment(direction::X, v.vertex_nw, v.vertex_ne);
  e.edge_west = direction_vertices_compute_segment(direction::Y, v.vertex_sw, v.vertex_nw);
  return e;
}

rectangle rectangle_compute_rectangle(double width, double height, const point& position) {
  const rectangle_vertices v = rectangle_compute_vertices(width, height, position);
  return rectangle{width, height, position, v, data_vertices_compute_edges(v)};
}

localisation locate_point_in(const point& pos, double width, double height, const point& p) {
  const localisation lx = range_locate_value(pos.p_x, pos.p_x + width, p.p_x);
  if (std::holds_alternative<Out>(lx)) return Out{};
  const localisation ly = range_locate_value(pos.p_y, pos.p_y + height, p.p_y);
  if (std::get<In>(lx).value != inside::Frame) return ly;
  if (std::holds_alternative<Out>(ly)) return Out{};
  return In{inside::Frame};
}

// Evaluated in this order, stopping at the first false.
bool point_is_in(const point& p, const point& pos, double width, double height) {
  using Quavor_pervasives::almost_less_equal;
  return almost_less_equal(pos.p_x, p.p_x) && almost_less_equal(p.p_x, pos.p_x + width) &&
         almost_less_equal(pos.p_y, p.p_y) && almost_less_equal(p.p_y, pos.p_y + height);
}

data_rectangle segment_data_rectangle(const segment& s) {
  const bool en_x = s.s_direction == direction::X;
  return data_rectangle{en_x ? s.s_length : 0.0, en_x ? 0.0 : s.s_length, s.s_position};
}

rectangle_intersection classify_rectangle(double width, double height, const point& position) {
  const double x = position.p_x;
  const double y = position.p_y;
  if (width < 0.0 || height < 0.0) return Ri_empty{};
  if (width == 0.0 && height == 0.0) return Ri_point{position};
  if (width == 0.0 && height > 0.0) return Ri_segment{segment{height, direction::Y, position, point{x, y + height}}};
  if (width > 0.0 && height == 0.0) return Ri_segment{segment{width, direction::X, position, point{x + width, y}}};
  if (width > 0.0 && height > 0.0) return Ri_rectangle{rectangle_compute_rectangle(width, height, position)};
  return Ri_empty{};  // a width or height that is not a number
}

// ---------------------------------------------------------------------------
// The neighbourhood of rectangles: a search tree over their extents.

namespace {

// Children per node of the search tree.
constexpr std::size_t capacite = 16;

// How far beyond a wall's extent its neighbours are looked for. The
// intersection of two rectangles applies no tolerance: its width is
// min(x + w) - max(x) exactly, and when one extent ends strictly before the
// other begins that difference is negative, so the pair shares nothing and no
// computation on it can fail. The bare extent would therefore do; the margin
// (0.01 m, ten times the tolerance of the length comparisons) also takes the
// walls that come that close, and stays small enough that levels of walls a
// few millimetres apart do not compare every wall with hundreds of others.
// Enlarging an extent by it never loses a wall: the enlarged ends are rounded
// outwards or kept.
constexpr double marge = Quavor_pervasives::tilde_tilde_tolerance;

boite union_boites(const boite& a, const boite& b) {
  return boite{std::min(a.x_min, b.x_min), std::max(a.x_max, b.x_max), std::min(a.y_min, b.y_min),
               std::max(a.y_max, b.y_max)};
}

// Sort-tile order: by the start on x, then, slice by slice, by the start on
// y, so that consecutive groups of `capacite` items are compact. No extent
// sorted here holds a value that is not a number.
void trier_par_tuiles(std::vector<std::uint32_t>& items, const std::vector<boite>& boites) {
  const auto par_x = [&boites](std::uint32_t a, std::uint32_t b) {
    return boites[a].x_min < boites[b].x_min || (boites[a].x_min == boites[b].x_min && a < b);
  };
  const auto par_y = [&boites](std::uint32_t a, std::uint32_t b) {
    return boites[a].y_min < boites[b].y_min || (boites[a].y_min == boites[b].y_min && a < b);
  };
  std::sort(items.begin(), items.end(), par_x);
  const std::size_t groupes = (items.size() + capacite - 1) / capacite;
  const auto tranches = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(groupes))));
  const std::size_t par_tranche = std::max<std::size_t>(1, tranches) * capacite;
  for (std::size_t debut = 0; debut < items.size(); debut += par_tranche) {
    const std::size_t fin = std::min(items.size(), debut + par_tranche);
    std::sort(items.begin() + static_cast<std::ptrdiff_t>(debut), items.begin() + static_cast<std::ptrdiff_t>(fin),
              par_y);
  }
}

}  // namespace

boite rectangle_boite(const rectangle& r) {
  const double x0 = r.position.p_x;
  const double x1 = r.position.p_x + r.width;
  const double y0 = r.position.p_y;
  const double y1 = r.position.p_y + r.height;
  return boite{std::min(x0, x1), std::max(x0, x1), std::min(y0, y1), std::max(y0, y1)};
}

bool rectangle_sauvage(const rectangle& r) {
  return std::isnan(r.position.p_x) || std::isnan(r.position.p_x + r.width) || std::isnan(r.position.p_y) ||
         std::isnan(r.position.p_y + r.height);
}

bool boites_disjointes(const boite& a, const boite& b) {
  return a.x_max < b.x_min || b.x_max < a.x_min || a.y_max < b.y_min || b.y_max < a.y_min;
}

voisinage::voisinage(const std::vector<rectangle>& rectangles) {
  boites_.reserve(rectangles.size());
  sauvages_.reserve(rectangles.size());
  // Positions are kept on 32 bits in the tree; a longer list (which no
  // memory would hold) is compared whole.
  const bool trop_long = rectangles.size() >= std::numeric_limits<std::uint32_t>::max();
  for (std::size_t i = 0; i < rectangles.size(); ++i) {
    const rectangle& r = rectangles[i];
    const bool sauvage = trop_long || rectangle_sauvage(r);
    boites_.push_back(sauvage ? boite{} : rectangle_boite(r));
    sauvages_.push_back(sauvage ? 1 : 0);
    if (sauvage) liste_sauvages_.push_back(i);
  }
  construire();
}

// The lowest level groups the walls; every level above groups the nodes of
// the one below, until one level holds at most `capacite` nodes.
void voisinage::construire() {
  std::vector<std::uint32_t> items;
  for (std::size_t i = 0; i < boites_.size(); ++i)
    if (sauvages_[i] == 0) items.push_back(static_cast<std::uint32_t>(i));
  if (items.empty()) return;
  trier_par_tuiles(items, boites_);
  ordre_ = std::move(items);
  std::vector<noeud> niveau;
  for (std::size_t debut = 0; debut < ordre_.size(); debut += capacite) {
    const std::size_t fin = std::min(ordre_.size(), debut + capacite);
    boite b = boites_[ordre_[debut]];
    for (std::size_t j = debut + 1; j < fin; ++j) b = union_boites(b, boites_[ordre_[j]]);
    niveau.push_back(noeud{b, static_cast<std::uint32_t>(debut), static_cast<std::uint32_t>(fin)});
  }
  while (niveau.size() > capacite) {
    std::vector<boite> boites_niveau;
    boites_niveau.reserve(niveau.size());
    for (const noeud& n : niveau) boites_niveau.push_back(n.b);
    std::vector<std::uint32_t> rang(niveau.size());
    std::iota(rang.begin(), rang.end(), 0U);
    trier_par_tuiles(rang, boites_niveau);
    std::vector<noeud> trie;
    trie.reserve(niveau.size());
    for (std::uint32_t k : rang) trie.push_back(niveau[k]);
    std::vector<noeud> parents;
    for (std::size_t debut = 0; debut < trie.size(); debut += capacite) {
      const std::size_t fin = std::min(trie.size(), debut + capacite);
      boite b = trie[debut].b;
      for (std::size_t j = debut + 1; j < fin; ++j) b = union_boites(b, trie[j].b);
      parents.push_back(noeud{b, static_cast<std::uint32_t>(debut), static_cast<std::uint32_t>(fin)});
    }
    niveaux_.push_back(std::move(trie));
    niveau = std::move(parents);
  }
  niveaux_.push_back(std::move(niveau));
}

void voisinage::chercher(const boite& q, std::vector<std::size_t>& voisins) const {
  if (niveaux_.empty()) return;
  std::vector<place>& pile = pile_;
  pile.clear();
  const std::size_t haut = niveaux_.size() - 1;
  for (std::size_t k = 0; k < niveaux_[haut].size(); ++k)
    if (!boites_disjointes(q, niveaux_[haut][k].b)) pile.push_back(place{haut, k});
  while (!pile.empty()) {
    const place p = pile.back();
    pile.pop_back();
    const noeud& n = niveaux_[p.niveau][p.rang];
    if (p.niveau == 0) {
      for (std::size_t j = n.debut; j < n.fin; ++j)
        if (!boites_disjointes(q, boites_[ordre_[j]])) voisins.push_back(ordre_[j]);
      continue;
    }
    for (std::size_t k = n.debut; k < n.fin; ++k)
      if (!boites_disjointes(q, niveaux_[p.niveau - 1][k].b)) pile.push_back(place{p.niveau - 1, k});
  }
}

void voisinage::voisins_de(std::size_t i, std::vector<std::size_t>& voisins) const {
  voisins.clear();
  if (sauvages_[i] != 0) {
    voisins.resize(boites_.size());
    std::iota(voisins.begin(), voisins.end(), std::size_t{0});
    return;
  }
  const boite& b = boites_[i];
  chercher(boite{b.x_min - marge, b.x_max + marge, b.y_min - marge, b.y_max + marge}, voisins);
  voisins.insert(voisins.end(), liste_sauvages_.begin(), liste_sauvages_.end());
  std::sort(voisins.begin(), voisins.end());
}

}  // namespace Compute_pervasives
