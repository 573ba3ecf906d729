#include "model/compute_data_utils.hpp"

#include <cmath>

#include "config/quavor_configuration.hpp"
#include "geometry/compute_pervasives.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "text/exceptions.hpp"

namespace Compute_data_utils {

using Compute_data_types::cardinal_point;
using Compute_data_types::direction;

namespace {

[[noreturn]] void assertion_failure() { throw Assertion_failure("src/compute/compute_data_utils"); }

bool is_area(const Compute_pervasives_types::rectangle_intersection& ri) {
  return std::holds_alternative<Compute_pervasives_types::Ri_rectangle>(ri);
}

// The common part of a segment and a rectangle, which cannot have an area.
Compute_pervasives_types::rectangle_intersection segment_rectangle_common(const Compute_data_types::segment& s,
                                                                          const Compute_data_types::rectangle& r) {
  Compute_pervasives_types::rectangle_intersection ri = Compute_pervasives::segment_inter_rectangle(s, r);
  if (is_area(ri)) assertion_failure();
  return ri;
}

bool is_inside(const Compute_data_types::localisation& l) {
  const auto* in = std::get_if<Compute_pervasives_types::In>(&l);
  return in && in->value == Compute_data_types::inside::Inside;
}

bool is_out(const Compute_data_types::localisation& l) {
  return std::holds_alternative<Compute_pervasives_types::Out>(l);
}

}  // namespace

// ---------------------------------------------------------------------------
// 2. Derived measures.

double mur_longueur(const Compute_data_types::mur& m) {
  return m.mur_direction == direction::X ? m.mur_rectangle.width : m.mur_rectangle.height;
}

double mur_epaisseur(const Compute_data_types::mur& m) {
  return m.mur_direction == direction::X ? m.mur_rectangle.height : m.mur_rectangle.width;
}

double mur_sp_value(const Compute_data_types::mur& m) {
  if (const auto* v = std::get_if<Quavor_data_types::Sp_value>(&m.mur_sp)) return v->value;
  return 0.0;
}

const Compute_data_types::rectangle& plan_base_rectangle(const Compute_data_types::base& b) {
  if (const auto* r = std::get_if<Compute_data_types::Base_rectangle>(&b)) return r->value;
  return plan_base_rectangle(std::get<Compute_data_types::Base_plan>(b).inner().plan_base);
}

const Compute_data_types::rectangle& plan_base_rectangle(const Compute_data_types::plan& p) {
  return plan_base_rectangle(p.plan_base);
}

const Compute_data_types::rectangle& plan_rectangle(const Compute_data_types::plan& p) {
  return plan_base_rectangle(p.plan_base);
}

double plan_diagonale(const Compute_data_types::plan& p) {
  const Compute_data_types::rectangle& r = plan_base_rectangle(p);
  return std::hypot(r.width, r.height);
}

Compute_data_types::retraits plan_all_retraits(const Compute_data_types::plan& p) {
  Compute_data_types::retraits all = p.plan_retraits;
  if (const auto* b = std::get_if<Compute_data_types::Base_plan>(&p.plan_base)) {
    Compute_data_types::retraits below = plan_all_retraits(b->inner());
    all.insert(all.end(), below.begin(), below.end());
  }
  return all;
}

// ---------------------------------------------------------------------------
// 3. Wall classification.

bool contreventement(const Compute_data_types::mur& m) {
  return m.mur_genre == Quavor_data_types::mur_genre::Mur_primaire;
}
bool mur_refend_declare(const Compute_data_types::mur& m) {
  return m.mur_categorie == Quavor_data_types::mur_categorie::Mur_en_refend;
}
bool mur_facade_declare(const Compute_data_types::mur& m) {
  return m.mur_categorie == Quavor_data_types::mur_categorie::Mur_de_facade;
}
bool contreventement_refend_declare(const Compute_data_types::mur& m) {
  return contreventement(m) && mur_refend_declare(m);
}
bool contreventement_facade_declare(const Compute_data_types::mur& m) {
  return contreventement(m) && mur_facade_declare(m);
}
bool contreventement_x(const Compute_data_types::mur& m) { return contreventement(m) && mur_x(m); }
bool contreventement_y(const Compute_data_types::mur& m) { return contreventement(m) && mur_y(m); }
bool contreventement_x_facade_declare(const Compute_data_types::mur& m) {
  return contreventement_x(m) && mur_facade_declare(m);
}
bool contreventement_y_facade_declare(const Compute_data_types::mur& m) {
  return contreventement_y(m) && mur_facade_declare(m);
}
bool contreventement_x_refend_declare(const Compute_data_types::mur& m) {
  return contreventement_x(m) && mur_refend_declare(m);
}
bool contreventement_y_refend_declare(const Compute_data_types::mur& m) {
  return contreventement_y(m) && mur_refend_declare(m);
}

std::optional<Compute_data_types::contact_contour> mur_contact_contour_plan_option(const Compute_data_types::mur& m,
                                                                                   const Compute_data_types::plan& p) {
  if (mur_x(m)) return edges_contact_contour_x(m.mur_rectangle.edges, p.plan_contour_x);
  return edges_contact_contour_y(m.mur_rectangle.edges, p.plan_contour_y);
}

bool mur_plan_facade_calcule(const Compute_data_types::mur& m, const Compute_data_types::plan& p) {
  return mur_contact_contour_plan_option(m, p).has_value();
}

bool mur_plan_refend_calcule(const Compute_data_types::mur& m, const Compute_data_types::plan& p) {
  return !mur_plan_facade_calcule(m, p);
}

bool contreventement_de_facade_oriente(cardinal_point c, const Compute_data_types::point& centre,
                                       const Compute_data_types::mur& m) {
  const Compute_data_types::point pos = mur_position(m);
  switch (c) {
    case cardinal_point::North:
      return mur_x(m) && pos.p_y > centre.p_y;
    case cardinal_point::South:
      return mur_x(m) && pos.p_y < centre.p_y;
    case cardinal_point::East:
      return mur_y(m) && pos.p_x > centre.p_x;
    case cardinal_point::West:
      return mur_y(m) && pos.p_x < centre.p_x;
  }
  return false;
}

// ---------------------------------------------------------------------------
// 4. Validity.

bool rectangle_non_degenere(const Compute_data_types::rectangle& r) { return r.width > 0.0 && r.height > 0.0; }
bool mur_valid(const Compute_data_types::mur& m) { return rectangle_non_degenere(m.mur_rectangle); }
bool poutre_non_degenere(const Compute_data_types::poutre& p) { return poutre_length(p) >= poutre_longueur_min; }
bool poutre_valid(const Compute_data_types::poutre& p) { return poutre_non_degenere(p); }
bool tremie_non_degenere(const Compute_data_types::tremie& t) { return tremie_surface(t) >= tremie_surface_min; }
bool tremie_valid(const Compute_data_types::tremie& t) { return tremie_non_degenere(t); }
bool balcon_non_degenere(const Compute_data_types::balcon& b) { return balcon_surface(b) >= balcon_surface_min; }
bool balcon_valid(const Compute_data_types::balcon& b) { return balcon_non_degenere(b); }
bool retrait_non_degenere(const Compute_data_types::retrait& r) { return retrait_surface(r) >= retrait_surface_min; }
bool retrait_valid(const Compute_data_types::retrait& r) { return retrait_non_degenere(r); }
bool plan_non_degenere(const Compute_data_types::plan& p) {
  const Compute_data_types::rectangle& r = plan_base_rectangle(p);
  return r.width * r.height >= plan_surface_min;
}
bool plan_valid(const Compute_data_types::plan& p) { return plan_non_degenere(p); }

// ---------------------------------------------------------------------------
// 5. Relations between rectangles.

bool rectangle_almost_equal_rectangle(const Compute_data_types::rectangle& r1,
                                      const Compute_data_types::rectangle& r2) {
  return Quavor_pervasives::almost_equal(r1.width, r2.width) && Quavor_pervasives::almost_equal(r1.height, r2.height) &&
         almost_equal_points(r1.position, r2.position);
}

bool rectangle_intersect_rectangle(const Compute_data_types::rectangle& r1, const Compute_data_types::rectangle& r2) {
  return is_area(Compute_pervasives::rectangle_inter_rectangle(r1, r2));
}
bool mur_intersect_mur(const Compute_data_types::mur& m1, const Compute_data_types::mur& m2) {
  return rectangle_intersect_rectangle(m1.mur_rectangle, m2.mur_rectangle);
}
bool mur_intersect_tremie(const Compute_data_types::mur& m, const Compute_data_types::tremie& t) {
  return rectangle_intersect_rectangle(m.mur_rectangle, t.tremie_rectangle);
}
bool mur_intersect_retrait(const Compute_data_types::mur& m, const Compute_data_types::retrait& r) {
  return rectangle_intersect_rectangle(m.mur_rectangle, r.retrait_rectangle);
}
bool tremie_intersect_tremie(const Compute_data_types::tremie& t1, const Compute_data_types::tremie& t2) {
  return rectangle_intersect_rectangle(t1.tremie_rectangle, t2.tremie_rectangle);
}
bool retrait_intersect_tremie(const Compute_data_types::retrait& r, const Compute_data_types::tremie& t) {
  return rectangle_intersect_rectangle(r.retrait_rectangle, t.tremie_rectangle);
}
bool retrait_intersect_retrait(const Compute_data_types::retrait& r1, const Compute_data_types::retrait& r2) {
  return rectangle_intersect_rectangle(r1.retrait_rectangle, r2.retrait_rectangle);
}
bool balcon_intersect_balcon(const Compute_data_types::balcon& b1, const Compute_data_types::balcon& b2) {
  return rectangle_intersect_rectangle(b1.balcon_rectangle, b2.balcon_rectangle);
}
bool rectangle_hors_rectangle(const Compute_data_types::rectangle& r1, const Compute_data_types::rectangle& r2) {
  return !rectangle_intersect_rectangle(r1, r2);
}
bool rectangle_hors_retrait(const Compute_data_types::rectangle& r, const Compute_data_types::retrait& s) {
  return rectangle_hors_rectangle(r, s.retrait_rectangle);
}
bool rectangle_hors_plan(const Compute_data_types::rectangle& r, const Compute_data_types::plan& p) {
  return rectangle_hors_rectangle(r, plan_base_rectangle(p));
}
bool balcon_hors_plan(const Compute_data_types::balcon& b, const Compute_data_types::plan& p) {
  return rectangle_hors_plan(b.balcon_rectangle, p);
}

bool rectangle_dans_rectangle(const Compute_data_types::rectangle& r1, const Compute_data_types::rectangle& r2) {
  const Compute_pervasives_types::rectangle_intersection ri = Compute_pervasives::rectangle_inter_rectangle(r1, r2);
  const auto* common = std::get_if<Compute_pervasives_types::Ri_rectangle>(&ri);
  return common && (common->value == r1 || rectangle_almost_equal_rectangle(common->value, r1));
}

namespace {

// Within the base and overlapping none of the set-backs down the chain of
// plans, `skipped` (when given) not counting among them.
bool rectangle_dans_plan_skipping(const Compute_data_types::retrait* skipped, const Compute_data_types::rectangle& r,
                                  const Compute_data_types::plan& p);

bool rectangle_dans_base_skipping(const Compute_data_types::retrait* skipped, const Compute_data_types::rectangle& r,
                                  const Compute_data_types::base& b) {
  if (const auto* rb = std::get_if<Compute_data_types::Base_rectangle>(&b))
    return rectangle_dans_rectangle(r, rb->value);
  return rectangle_dans_plan_skipping(skipped, r, std::get<Compute_data_types::Base_plan>(b).inner());
}

bool rectangle_dans_plan_skipping(const Compute_data_types::retrait* skipped, const Compute_data_types::rectangle& r,
                                  const Compute_data_types::plan& p) {
  if (!rectangle_dans_base_skipping(skipped, r, p.plan_base)) return false;
  for (const Compute_data_types::retrait_ref& s : p.plan_retraits)
    if (s.get() != skipped && rectangle_intersect_rectangle(r, s->retrait_rectangle)) return false;
  return true;
}

}  // namespace

bool rectangle_dans_plan(const Compute_data_types::rectangle& r, const Compute_data_types::plan& p) {
  return rectangle_dans_plan_skipping(nullptr, r, p);
}
bool rectangle_dans_plan_base(const Compute_data_types::rectangle& r, const Compute_data_types::base& b) {
  return rectangle_dans_base_skipping(nullptr, r, b);
}
bool rectangle_retrait_dans_plan(const Compute_data_types::retrait& s, const Compute_data_types::rectangle& r,
                                 const Compute_data_types::plan& p) {
  return rectangle_dans_plan_skipping(&s, r, p);
}
bool retrait_dans_plan(const Compute_data_types::retrait& s, const Compute_data_types::plan& p) {
  return rectangle_retrait_dans_plan(s, s.retrait_rectangle, p);
}
bool mur_dans_plan(const Compute_data_types::mur& m, const Compute_data_types::plan& p) {
  return rectangle_dans_plan(m.mur_rectangle, p);
}
bool tremie_dans_plan(const Compute_data_types::tremie& t, const Compute_data_types::plan& p) {
  return rectangle_dans_plan(t.tremie_rectangle, p);
}

// ---------------------------------------------------------------------------
// 6. Relations with segments.

bool almost_equal_points(const Compute_data_types::point& p, const Compute_data_types::point& q) {
  return Quavor_pervasives::almost_equal(p.p_x, q.p_x) && Quavor_pervasives::almost_equal(p.p_y, q.p_y);
}

bool almost_equal_segments(const Compute_data_types::segment& s1, const Compute_data_types::segment& s2) {
  return s1.s_direction == s2.s_direction && Quavor_pervasives::almost_equal(s1.s_length, s2.s_length) &&
         almost_equal_points(s1.s_position, s2.s_position) && almost_equal_points(s1.s_vertex, s2.s_vertex);
}

bool segment_intersect_segment(const Compute_data_types::segment& s1, const Compute_data_types::segment& s2) {
  return std::holds_alternative<Compute_pervasives_types::Si_segment>(
      Compute_pervasives::segment_inter_segment(s1, s2));
}

bool segment_dans_segment(const Compute_data_types::segment& s1, const Compute_data_types::segment& s2) {
  const Compute_pervasives_types::segment_intersection si = Compute_pervasives::segment_inter_segment(s1, s2);
  const auto* common = std::get_if<Compute_pervasives_types::Si_segment>(&si);
  return common && almost_equal_segments(common->value, s1);
}

bool segment_intersect_rectangle(const Compute_data_types::segment& s, const Compute_data_types::rectangle& r) {
  return !std::holds_alternative<Compute_pervasives_types::Ri_empty>(segment_rectangle_common(s, r));
}
bool segment_hors_rectangle(const Compute_data_types::segment& s, const Compute_data_types::rectangle& r) {
  return !segment_intersect_rectangle(s, r);
}
bool segment_hors_retrait(const Compute_data_types::segment& s, const Compute_data_types::retrait& r) {
  return segment_hors_rectangle(s, r.retrait_rectangle);
}

bool segment_dans_rectangle(const Compute_data_types::segment& s, const Compute_data_types::rectangle& r) {
  const Compute_pervasives_types::rectangle_intersection ri = segment_rectangle_common(s, r);
  if (const auto* common = std::get_if<Compute_pervasives_types::Ri_segment>(&ri))
    return almost_equal_segments(common->value, s);
  // A segment reduced to a point is within when that point is.
  if (const auto* common = std::get_if<Compute_pervasives_types::Ri_point>(&ri))
    return almost_equal_points(common->value, s.s_position) && almost_equal_points(common->value, s.s_vertex);
  return false;
}

namespace {

// The segment runs through the inside of the set-back (lying along its
// border does not count).
bool segment_traverse_retrait(const Compute_data_types::segment& s, const Compute_data_types::retrait& r) {
  const Compute_pervasives_types::rectangle_intersection ri = segment_rectangle_common(s, r.retrait_rectangle);
  const auto* common = std::get_if<Compute_pervasives_types::Ri_segment>(&ri);
  if (!common) return false;
  const Compute_data_types::point middle =
      Quavor_pervasives::points_milieu(common->value.s_position, common->value.s_vertex);
  return point_interieur_rectangle(middle, r.retrait_rectangle);
}

}  // namespace

bool segment_dans_plan(const Compute_data_types::segment& s, const Compute_data_types::plan& p) {
  if (!segment_dans_plan_base(s, p.plan_base)) return false;
  for (const Compute_data_types::retrait_ref& r : p.plan_retraits)
    if (segment_traverse_retrait(s, *r)) return false;
  return true;
}

bool segment_dans_plan_base(const Compute_data_types::segment& s, const Compute_data_types::base& b) {
  if (const auto* rb = std::get_if<Compute_data_types::Base_rectangle>(&b)) return segment_dans_rectangle(s, rb->value);
  return segment_dans_plan(s, std::get<Compute_data_types::Base_plan>(b).inner());
}

bool poutre_intersect_poutre(const Compute_data_types::poutre& p1, const Compute_data_types::poutre& p2) {
  return segment_intersect_segment(p1.poutre_segment, p2.poutre_segment);
}
bool poutre_intersect_tremie(const Compute_data_types::poutre& p, const Compute_data_types::tremie& t) {
  return segment_intersect_rectangle(p.poutre_segment, t.tremie_rectangle);
}
bool poutre_intersect_retrait(const Compute_data_types::poutre& p, const Compute_data_types::retrait& r) {
  return segment_intersect_rectangle(p.poutre_segment, r.retrait_rectangle);
}
bool poutre_dans_plan(const Compute_data_types::poutre& p, const Compute_data_types::plan& pl) {
  return segment_dans_plan(p.poutre_segment, pl);
}

// ---------------------------------------------------------------------------
// 7. Relations with points.

bool point_dans_rectangle(const Compute_data_types::point& p, const Compute_data_types::rectangle& r) {
  return !is_out(Compute_pervasives::rectangle_locate_point(r, p));
}
bool point_dans_mur(const Compute_data_types::point& p, const Compute_data_types::mur& m) {
  return point_dans_rectangle(p, m.mur_rectangle);
}
bool point_dans_tremie(const Compute_data_types::point& p, const Compute_data_types::tremie& t) {
  return point_dans_rectangle(p, t.tremie_rectangle);
}
bool point_dans_retrait(const Compute_data_types::point& p, const Compute_data_types::retrait& r) {
  return point_dans_rectangle(p, r.retrait_rectangle);
}
bool point_interieur_rectangle(const Compute_data_types::point& p, const Compute_data_types::rectangle& r) {
  return is_inside(Compute_pervasives::rectangle_locate_point(r, p));
}
bool point_interieur_retrait(const Compute_data_types::point& p, const Compute_data_types::retrait& r) {
  return point_interieur_rectangle(p, r.retrait_rectangle);
}
bool point_interieur_retraits(const Compute_data_types::point& p, const Compute_data_types::retraits& rs) {
  for (const Compute_data_types::retrait_ref& r : rs)
    if (point_interieur_retrait(p, *r)) return true;
  return false;
}
bool point_dans_plan(const Compute_data_types::point& p, const Compute_data_types::plan& pl) {
  return !point_interieur_retraits(p, pl.plan_retraits) && point_dans_plan_base(p, pl.plan_base);
}
bool point_dans_plan_base(const Compute_data_types::point& p, const Compute_data_types::base& b) {
  if (const auto* rb = std::get_if<Compute_data_types::Base_rectangle>(&b)) return point_dans_rectangle(p, rb->value);
  return point_dans_plan(p, std::get<Compute_data_types::Base_plan>(b).inner());
}
bool point_dans_plan_base(const Compute_data_types::point& p, const Compute_data_types::plan& pl) {
  return point_dans_plan_base(p, pl.plan_base);
}
bool point_dans_poteau(const Compute_data_types::point& p, const Compute_data_types::poteau& c) {
  return Quavor_pervasives::distance(p, c.poteau_position) <= poteau_rayon;
}
bool poteau_dans_poteau(const Compute_data_types::poteau& c1, const Compute_data_types::poteau& c2) {
  return almost_equal_points(c1.poteau_position, c2.poteau_position);
}
bool poteau_dans_tremie(const Compute_data_types::poteau& c, const Compute_data_types::tremie& t) {
  return point_dans_tremie(c.poteau_position, t);
}
// The border of a set-back is facade: a column standing on it is not in it.
bool poteau_dans_retrait(const Compute_data_types::poteau& c, const Compute_data_types::retrait& r) {
  return point_interieur_retrait(c.poteau_position, r);
}
bool poteau_dans_plan(const Compute_data_types::poteau& c, const Compute_data_types::plan& p) {
  return point_dans_plan(c.poteau_position, p);
}
bool poutre_position_intersect_poteau(const Compute_data_types::poutre& p, const Compute_data_types::poteau& c) {
  return points_adjacents(poutre_position(p), c.poteau_position);
}
bool poutre_vertex_intersect_poteau(const Compute_data_types::poutre& p, const Compute_data_types::poteau& c) {
  return points_adjacents(poutre_vertex(p), c.poteau_position);
}
bool poutre_position_intersect_mur(const Compute_data_types::poutre& p, const Compute_data_types::mur& m) {
  return point_dans_mur(poutre_position(p), m);
}
bool poutre_vertex_intersect_mur(const Compute_data_types::poutre& p, const Compute_data_types::mur& m) {
  return point_dans_mur(poutre_vertex(p), m);
}
bool points_adjacents(const Compute_data_types::point& p, const Compute_data_types::point& q) {
  return Quavor_pervasives::is_almost_zero(Quavor_pervasives::distance(p, q));
}

// ---------------------------------------------------------------------------
// 8. Contour and contact.

Compute_data_types::segments edges_to_segments(const Compute_data_types::rectangle_edges& e) {
  return {e.edge_south, e.edge_east, e.edge_north, e.edge_west};
}
Compute_data_types::segments rectangle_compute_contour(const Compute_data_types::rectangle& r) {
  return edges_to_segments(r.edges);
}
Compute_data_types::segments retrait_compute_contour(const Compute_data_types::retrait& r) {
  return rectangle_compute_contour(r.retrait_rectangle);
}

namespace {

// Prepends the pieces left of a contour segment once an edge is cut out.
void add_remainder(const Compute_pervasives_types::segment_difference& d, Compute_data_types::segments& pieces) {
  auto prepend = [&](const Compute_data_types::segment& s) { pieces.insert(pieces.begin(), s); };
  if (const auto* one = std::get_if<Compute_pervasives_types::Sd_segment>(&d)) prepend(one->value);
  if (const auto* two = std::get_if<Compute_pervasives_types::Sd_split>(&d)) {
    prepend(two->first);
    prepend(two->second);
  }
}

}  // namespace

Compute_data_types::segments plan_contour_but_retrait(const Compute_data_types::segments& contour,
                                                      const Compute_data_types::retrait& r) {
  Compute_data_types::segments remaining = contour;
  Compute_data_types::segments pieces;  // most recently added first
  for (const Compute_data_types::segment& e : retrait_compute_contour(r)) {
    Compute_data_types::segments containing;
    Compute_data_types::segments others;
    for (const Compute_data_types::segment& s : remaining)
      (segment_dans_segment(e, s) ? containing : others).push_back(s);
    if (containing.empty()) {
      pieces.insert(pieces.begin(), e);
    } else if (containing.size() == 1) {
      remaining = std::move(others);
      add_remainder(Compute_pervasives::segment_minus_segment(containing.front(), e), pieces);
    } else {
      assertion_failure();
    }
  }
  remaining.insert(remaining.end(), pieces.begin(), pieces.end());
  return remaining;
}

Compute_data_types::segments plan_contour_but_retraits(const Compute_data_types::segments& contour,
                                                       const Compute_data_types::retraits& rs) {
  Compute_data_types::segments c = contour;
  for (const Compute_data_types::retrait_ref& r : rs) c = plan_contour_but_retrait(c, *r);
  return c;
}

Compute_data_types::segments base_compute_contour(const Compute_data_types::base& b) {
  if (const auto* rb = std::get_if<Compute_data_types::Base_rectangle>(&b)) return rectangle_compute_contour(rb->value);
  return std::get<Compute_data_types::Base_plan>(b).inner().plan_contour;
}

void plan_compute_contour(Compute_data_types::plan& p) {
  p.plan_contour = plan_contour_but_retraits(base_compute_contour(p.plan_base), p.plan_retraits);
  p.plan_contour_x.clear();
  p.plan_contour_y.clear();
  for (const Compute_data_types::segment& s : p.plan_contour)
    (s.s_direction == direction::X ? p.plan_contour_x : p.plan_contour_y).push_back(s);
  p.plan_min_x =
      Quavor_pervasives::min_f([](const Compute_data_types::segment& s) { return s.s_position.p_x; }, p.plan_contour);
  p.plan_max_x =
      Quavor_pervasives::max_f([](const Compute_data_types::segment& s) { return s.s_vertex.p_x; }, p.plan_contour);
  p.plan_min_y =
      Quavor_pervasives::min_f([](const Compute_data_types::segment& s) { return s.s_position.p_y; }, p.plan_contour);
  p.plan_max_y =
      Quavor_pervasives::max_f([](const Compute_data_types::segment& s) { return s.s_vertex.p_y; }, p.plan_contour);
  p.plan_width = p.plan_max_x - p.plan_min_x;
  p.plan_height = p.plan_max_y - p.plan_min_y;
  plan_compute_base_dimensions(p);
}

void plan_compute_base_dimensions(Compute_data_types::plan& p) {
  if (const auto* rb = std::get_if<Compute_data_types::Base_rectangle>(&p.plan_base)) {
    p.plan_base_width = rb->value.width;
    p.plan_base_height = rb->value.height;
  } else {
    const Compute_data_types::plan& inner = std::get<Compute_data_types::Base_plan>(p.plan_base).inner();
    p.plan_base_width = inner.plan_width;
    p.plan_base_height = inner.plan_height;
  }
}

Compute_data_types::contact_contour contact(const Compute_data_types::segment& edge,
                                            const Compute_data_types::segment& contour, cardinal_point side) {
  return Compute_data_types::contact_contour{edge, contour, side};
}

namespace {

std::optional<Compute_data_types::contact_contour> edge_contour_contact(const Compute_data_types::segment& edge,
                                                                        const Compute_data_types::segments& contour,
                                                                        cardinal_point side) {
  for (const Compute_data_types::segment& s : contour)
    if (segment_dans_segment(edge, s)) return contact(edge, s, side);
  return std::nullopt;
}

bool edge_within(const Compute_data_types::segment& edge, const Compute_data_types::segments& contour) {
  return edge_contour_contact(edge, contour, cardinal_point::North).has_value();
}

}  // namespace

std::optional<Compute_data_types::contact_contour> edges_contact_contour_x(
    const Compute_data_types::rectangle_edges& e, const Compute_data_types::segments& contour_x) {
  if (auto c = edge_contour_contact(e.edge_north, contour_x, cardinal_point::North)) return c;
  return edge_contour_contact(e.edge_south, contour_x, cardinal_point::South);
}

std::optional<Compute_data_types::contact_contour> edges_contact_contour_y(
    const Compute_data_types::rectangle_edges& e, const Compute_data_types::segments& contour_y) {
  if (auto c = edge_contour_contact(e.edge_west, contour_y, cardinal_point::West)) return c;
  return edge_contour_contact(e.edge_east, contour_y, cardinal_point::East);
}

std::optional<Compute_data_types::contact_contour> edges_plan_contact_contour(
    const Compute_data_types::rectangle_edges& e, const Compute_data_types::plan& p) {
  if (auto c = edges_contact_contour_x(e, p.plan_contour_x)) return c;
  return edges_contact_contour_y(e, p.plan_contour_y);
}

std::optional<Compute_data_types::contact_contour> retrait_plan_contact_contour(const Compute_data_types::retrait& r,
                                                                                const Compute_data_types::plan& p) {
  return edges_plan_contact_contour(r.retrait_rectangle.edges, p);
}

std::optional<edge_contact> edges_find_edge_contact_contour_x(const Compute_data_types::rectangle_edges& e,
                                                              const Compute_data_types::segments& contour_x) {
  if (edge_within(e.edge_north, contour_x)) return edge_contact{cardinal_point::North, e.edge_north};
  if (edge_within(e.edge_south, contour_x)) return edge_contact{cardinal_point::South, e.edge_south};
  return std::nullopt;
}

std::optional<edge_contact> edges_find_edge_contact_contour_y(const Compute_data_types::rectangle_edges& e,
                                                              const Compute_data_types::segments& contour_y) {
  if (edge_within(e.edge_west, contour_y)) return edge_contact{cardinal_point::West, e.edge_west};
  if (edge_within(e.edge_east, contour_y)) return edge_contact{cardinal_point::East, e.edge_east};
  return std::nullopt;
}

std::optional<edge_contact> edges_find_edge_contact_contour_plan(const Compute_data_types::rectangle_edges& e,
                                                                 const Compute_data_types::plan& p) {
  if (auto c = edges_find_edge_contact_contour_x(e, p.plan_contour_x)) return c;
  return edges_find_edge_contact_contour_y(e, p.plan_contour_y);
}

Compute_data_types::retrait_categorie retrait_plan_categorie(const Compute_data_types::retrait& r,
                                                             const Compute_data_types::plan& p) {
  const std::optional<Compute_data_types::contact_contour> c = retrait_plan_contact_contour(r, p);
  if (!c) Quavor_configuration::fatal_error("retrait_categorie");
  const double ratio = c->contact_segment.s_length / c->contact_contour.s_length;
  return Quavor_pervasives::almost_less_equal(ratio, retrait_en_elevation_ratio_max)
             ? Compute_data_types::retrait_categorie::Retrait_en_elevation
             : Compute_data_types::retrait_categorie::Retrait_en_plan;
}

// ---------------------------------------------------------------------------
// 10. Building-wide queries.

const Compute_data_types::plan& batiment_plan_rdc(const Compute_data_types::batiment& b) {
  if (b.batiment_niveau_planchers.empty()) return b.batiment_niveau_toit.niveau_plan;
  for (const Compute_data_types::niveau_plancher& l : b.batiment_niveau_planchers)
    if (l.niveau_etage == 0) return l.niveau_plan;
  throw Not_found();
}

double batiment_surface(const Compute_data_types::batiment& b) { return batiment_plan_rdc(b).plan_surface; }

const Compute_data_types::maconnerie& batiment_maconnerie(const Compute_data_types::batiment& b) {
  const Compute_data_types::materiau_categorie& m = b.batiment_materiau_categorie;
  if (std::holds_alternative<Quavor_data_types::Bois>(m))
    Quavor_configuration::fatal_error("les constructions en bois ne sont pas traitées");
  if (std::holds_alternative<Quavor_data_types::Beton>(m))
    Quavor_configuration::fatal_error("les constructions en béton ne sont pas traitées");
  return std::get<Quavor_data_types::Maconnerie>(m).value;
}

Quavor_data_types::maconnerie_categorie batiment_maconnerie_categorie(const Compute_data_types::batiment& b) {
  return batiment_maconnerie(b).maconnerie_categorie;
}

Quavor_data_types::qualite_du_chainage_categorie batiment_qualite_du_chainage(const Compute_data_types::batiment& b) {
  return batiment_maconnerie(b).maconnerie_qualite_du_chainage;
}

double plancher_masse_surfacique_propre(const Compute_data_types::plancher& p) {
  const auto* beton = std::get_if<Quavor_data_types::Plancher_beton>(&p.plancher_categorie);
  if (!beton) return masse_surfacique_plancher_bois;
  switch (beton->value) {
    case Quavor_data_types::dalle_beton_categorie::Dalle_beton:
      return masse_volumique_dalle_beton * p.plancher_epaisseur;
    case Quavor_data_types::dalle_beton_categorie::Dalle_BCA:
      return masse_volumique_dalle_bca * p.plancher_epaisseur;
    case Quavor_data_types::dalle_beton_categorie::Dalle_hourdis:
      return masse_volumique_dalle_hourdis * p.plancher_epaisseur;
  }
  return 0.0;
}
double plancher_masse_surfacique_revetement(const Compute_data_types::plancher& p) {
  return p.plancher_charge_revetement;
}
double plancher_masse_surfacique_cloison(const Compute_data_types::plancher& p) { return p.plancher_charge_cloison; }
double plancher_masse_surfacique_permanente(const Compute_data_types::plancher& p) {
  return plancher_masse_surfacique_propre(p) + plancher_masse_surfacique_revetement(p) +
         plancher_masse_surfacique_cloison(p);
}
double batiment_plancher_masse_surfacique(const Compute_data_types::batiment&, const Compute_data_types::plancher& p) {
  return plancher_masse_surfacique_permanente(p);
}

// ---------------------------------------------------------------------------
// 11. Names in texts.

void print_nom_entity(Format::Printer& ppf, const std::string& nom) { Format::fprintf(ppf, "%s", nom); }
void print_niveau_nom(Format::Printer& ppf, const std::string& nom) { Format::fprintf(ppf, "%s", nom); }

// ---------------------------------------------------------------------------
// 12. Classification slots.

void already_classified_info_error() { Quavor_configuration::fatal_error("Attempt to set already classified info"); }

void poutre_set_fondement_info(Compute_data_types::poutre& p,
                               Compute_data_types::info<Compute_data_types::poutre_fondement> v) {
  set_info([](const Compute_data_types::poutre& x) { return x.poutre_fondement; },
           [](Compute_data_types::poutre& x, Compute_data_types::info<Compute_data_types::poutre_fondement> i) {
             x.poutre_fondement = std::move(i);
           },
           p, std::move(v));
}
void poutre_set_fondement(Compute_data_types::poutre& p, const Compute_data_types::poutre_fondement& f) {
  poutre_set_fondement_info(p, Compute_data_types::Info<Compute_data_types::poutre_fondement>{f});
}
void mur_set_fondement_info(Compute_data_types::mur& m, Compute_data_types::info<Compute_data_types::appui> v) {
  set_info([](const Compute_data_types::mur& x) { return x.mur_fondement; },
           [](Compute_data_types::mur& x, Compute_data_types::info<Compute_data_types::appui> i) {
             x.mur_fondement = std::move(i);
           },
           m, std::move(v));
}
void poteau_set_fondement_info(Compute_data_types::poteau& c, Compute_data_types::info<Compute_data_types::appui> v) {
  set_info([](const Compute_data_types::poteau& x) { return x.poteau_fondement; },
           [](Compute_data_types::poteau& x, Compute_data_types::info<Compute_data_types::appui> i) {
             x.poteau_fondement = std::move(i);
           },
           c, std::move(v));
}
void retrait_set_categorie_info(Compute_data_types::retrait& r,
                                Compute_data_types::info<Compute_data_types::retrait_categorie> v) {
  set_info([](const Compute_data_types::retrait& x) { return x.retrait_categorie; },
           [](Compute_data_types::retrait& x, Compute_data_types::info<Compute_data_types::retrait_categorie> i) {
             x.retrait_categorie = std::move(i);
           },
           r, std::move(v));
}

}  // namespace Compute_data_utils
