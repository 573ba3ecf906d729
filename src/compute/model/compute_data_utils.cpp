#include "model/compute_data_utils.hpp"

#include <cmath>

#include "config/quavor_configuration.hpp"
#include "geometry/compute_pervasives.hpp"
#include "geometry/quavor_pervasives.hpp"
#include "text/exceptions.hpp"

namespace Compute_data_utils {

namespace Cp = Compute_pervasives;
namespace Cpt = Compute_pervasives_types;
namespace Qp = Quavor_pervasives;
using Cdt::cardinal_point;
using Cdt::direction;

namespace {

[[noreturn]] void assertion_failure() { throw Assertion_failure("src/compute/compute_data_utils"); }

bool is_area(const Cpt::rectangle_intersection& ri) { return std::holds_alternative<Cpt::Ri_rectangle>(ri); }

// The common part of a segment and a rectangle, which cannot have an area.
Cpt::rectangle_intersection segment_rectangle_common(const Cdt::segment& s, const Cdt::rectangle& r) {
  Cpt::rectangle_intersection ri = Cp::segment_inter_rectangle(s, r);
  if (is_area(ri)) assertion_failure();
  return ri;
}

bool is_inside(const Cdt::localisation& l) {
  const auto* in = std::get_if<Cpt::In>(&l);
  return in && in->value == Cdt::inside::Inside;
}

bool is_out(const Cdt::localisation& l) { return std::holds_alternative<Cpt::Out>(l); }

}  // namespace

// ---------------------------------------------------------------------------
// 2. Derived measures.

double mur_longueur(const Cdt::mur& m) {
  return m.mur_direction == direction::X ? m.mur_rectangle.width : m.mur_rectangle.height;
}

double mur_epaisseur(const Cdt::mur& m) {
  return m.mur_direction == direction::X ? m.mur_rectangle.height : m.mur_rectangle.width;
}

double mur_sp_value(const Cdt::mur& m) {
  if (const auto* v = std::get_if<Quavor_data_types::Sp_value>(&m.mur_sp)) return v->value;
  return 0.0;
}

const Cdt::rectangle& plan_base_rectangle(const Cdt::base& b) {
  if (const auto* r = std::get_if<Cdt::Base_rectangle>(&b)) return r->value;
  return plan_base_rectangle(std::get<Cdt::Base_plan>(b).inner().plan_base);
}

const Cdt::rectangle& plan_base_rectangle(const Cdt::plan& p) { return plan_base_rectangle(p.plan_base); }

const Cdt::rectangle& plan_rectangle(const Cdt::plan& p) { return plan_base_rectangle(p.plan_base); }

double plan_diagonale(const Cdt::plan& p) {
  const Cdt::rectangle& r = plan_base_rectangle(p);
  return std::hypot(r.width, r.height);
}

Cdt::retraits plan_all_retraits(const Cdt::plan& p) {
  Cdt::retraits all = p.plan_retraits;
  if (const auto* b = std::get_if<Cdt::Base_plan>(&p.plan_base)) {
    Cdt::retraits below = plan_all_retraits(b->inner());
    all.insert(all.end(), below.begin(), below.end());
  }
  return all;
}

// ---------------------------------------------------------------------------
// 3. Wall classification.

bool contreventement(const Cdt::mur& m) { return m.mur_genre == Quavor_data_types::mur_genre::Mur_primaire; }
bool mur_refend_declare(const Cdt::mur& m) {
  return m.mur_categorie == Quavor_data_types::mur_categorie::Mur_en_refend;
}
bool mur_facade_declare(const Cdt::mur& m) {
  return m.mur_categorie == Quavor_data_types::mur_categorie::Mur_de_facade;
}
bool contreventement_refend_declare(const Cdt::mur& m) { return contreventement(m) && mur_refend_declare(m); }
bool contreventement_facade_declare(const Cdt::mur& m) { return contreventement(m) && mur_facade_declare(m); }
bool contreventement_x(const Cdt::mur& m) { return contreventement(m) && mur_x(m); }
bool contreventement_y(const Cdt::mur& m) { return contreventement(m) && mur_y(m); }
bool contreventement_x_facade_declare(const Cdt::mur& m) { return contreventement_x(m) && mur_facade_declare(m); }
bool contreventement_y_facade_declare(const Cdt::mur& m) { return contreventement_y(m) && mur_facade_declare(m); }
bool contreventement_x_refend_declare(const Cdt::mur& m) { return contreventement_x(m) && mur_refend_declare(m); }
bool contreventement_y_refend_declare(const Cdt::mur& m) { return contreventement_y(m) && mur_refend_declare(m); }

std::optional<Cdt::contact_contour> mur_contact_contour_plan_option(const Cdt::mur& m, const Cdt::plan& p) {
  if (mur_x(m)) return edges_contact_contour_x(m.mur_rectangle.edges, p.plan_contour_x);
  return edges_contact_contour_y(m.mur_rectangle.edges, p.plan_contour_y);
}

bool mur_plan_facade_calcule(const Cdt::mur& m, const Cdt::plan& p) {
  return mur_contact_contour_plan_option(m, p).has_value();
}

bool mur_plan_refend_calcule(const Cdt::mur& m, const Cdt::plan& p) { return !mur_plan_facade_calcule(m, p); }

bool contreventement_de_facade_oriente(cardinal_point c, const Cdt::point& centre, const Cdt::mur& m) {
  const Cdt::point pos = mur_position(m);
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

bool rectangle_non_degenere(const Cdt::rectangle& r) { return r.width > 0.0 && r.height > 0.0; }
bool mur_valid(const Cdt::mur& m) { return rectangle_non_degenere(m.mur_rectangle); }
bool poutre_non_degenere(const Cdt::poutre& p) { return poutre_length(p) >= poutre_longueur_min; }
bool poutre_valid(const Cdt::poutre& p) { return poutre_non_degenere(p); }
bool tremie_non_degenere(const Cdt::tremie& t) { return tremie_surface(t) >= tremie_surface_min; }
bool tremie_valid(const Cdt::tremie& t) { return tremie_non_degenere(t); }
bool balcon_non_degenere(const Cdt::balcon& b) { return balcon_surface(b) >= balcon_surface_min; }
bool balcon_valid(const Cdt::balcon& b) { return balcon_non_degenere(b); }
bool retrait_non_degenere(const Cdt::retrait& r) { return retrait_surface(r) >= retrait_surface_min; }
bool retrait_valid(const Cdt::retrait& r) { return retrait_non_degenere(r); }
bool plan_non_degenere(const Cdt::plan& p) {
  const Cdt::rectangle& r = plan_base_rectangle(p);
  return r.width * r.height >= plan_surface_min;
}
bool plan_valid(const Cdt::plan& p) { return plan_non_degenere(p); }

// ---------------------------------------------------------------------------
// 5. Relations between rectangles.

bool rectangle_almost_equal_rectangle(const Cdt::rectangle& r1, const Cdt::rectangle& r2) {
  return Qp::almost_equal(r1.width, r2.width) && Qp::almost_equal(r1.height, r2.height) &&
         almost_equal_points(r1.position, r2.position);
}

bool rectangle_intersect_rectangle(const Cdt::rectangle& r1, const Cdt::rectangle& r2) {
  return is_area(Cp::rectangle_inter_rectangle(r1, r2));
}
bool mur_intersect_mur(const Cdt::mur& m1, const Cdt::mur& m2) {
  return rectangle_intersect_rectangle(m1.mur_rectangle, m2.mur_rectangle);
}
bool mur_intersect_tremie(const Cdt::mur& m, const Cdt::tremie& t) {
  return rectangle_intersect_rectangle(m.mur_rectangle, t.tremie_rectangle);
}
bool mur_intersect_retrait(const Cdt::mur& m, const Cdt::retrait& r) {
  return rectangle_intersect_rectangle(m.mur_rectangle, r.retrait_rectangle);
}
bool tremie_intersect_tremie(const Cdt::tremie& t1, const Cdt::tremie& t2) {
  return rectangle_intersect_rectangle(t1.tremie_rectangle, t2.tremie_rectangle);
}
bool retrait_intersect_tremie(const Cdt::retrait& r, const Cdt::tremie& t) {
  return rectangle_intersect_rectangle(r.retrait_rectangle, t.tremie_rectangle);
}
bool retrait_intersect_retrait(const Cdt::retrait& r1, const Cdt::retrait& r2) {
  return rectangle_intersect_rectangle(r1.retrait_rectangle, r2.retrait_rectangle);
}
bool balcon_intersect_balcon(const Cdt::balcon& b1, const Cdt::balcon& b2) {
  return rectangle_intersect_rectangle(b1.balcon_rectangle, b2.balcon_rectangle);
}
bool rectangle_hors_rectangle(const Cdt::rectangle& r1, const Cdt::rectangle& r2) {
  return !rectangle_intersect_rectangle(r1, r2);
}
bool rectangle_hors_retrait(const Cdt::rectangle& r, const Cdt::retrait& s) {
  return rectangle_hors_rectangle(r, s.retrait_rectangle);
}
bool rectangle_hors_plan(const Cdt::rectangle& r, const Cdt::plan& p) {
  return rectangle_hors_rectangle(r, plan_base_rectangle(p));
}
bool balcon_hors_plan(const Cdt::balcon& b, const Cdt::plan& p) { return rectangle_hors_plan(b.balcon_rectangle, p); }

bool rectangle_dans_rectangle(const Cdt::rectangle& r1, const Cdt::rectangle& r2) {
  const Cpt::rectangle_intersection ri = Cp::rectangle_inter_rectangle(r1, r2);
  const auto* common = std::get_if<Cpt::Ri_rectangle>(&ri);
  return common && (common->value == r1 || rectangle_almost_equal_rectangle(common->value, r1));
}

namespace {

// Within the base and overlapping none of the set-backs down the chain of
// plans, `skipped` (when given) not counting among them.
bool rectangle_dans_plan_skipping(const Cdt::retrait* skipped, const Cdt::rectangle& r, const Cdt::plan& p);

bool rectangle_dans_base_skipping(const Cdt::retrait* skipped, const Cdt::rectangle& r, const Cdt::base& b) {
  if (const auto* rb = std::get_if<Cdt::Base_rectangle>(&b)) return rectangle_dans_rectangle(r, rb->value);
  return rectangle_dans_plan_skipping(skipped, r, std::get<Cdt::Base_plan>(b).inner());
}

bool rectangle_dans_plan_skipping(const Cdt::retrait* skipped, const Cdt::rectangle& r, const Cdt::plan& p) {
  if (!rectangle_dans_base_skipping(skipped, r, p.plan_base)) return false;
  for (const Cdt::retrait_ref& s : p.plan_retraits)
    if (s.get() != skipped && rectangle_intersect_rectangle(r, s->retrait_rectangle)) return false;
  return true;
}

}  // namespace

bool rectangle_dans_plan(const Cdt::rectangle& r, const Cdt::plan& p) {
  return rectangle_dans_plan_skipping(nullptr, r, p);
}
bool rectangle_dans_plan_base(const Cdt::rectangle& r, const Cdt::base& b) {
  return rectangle_dans_base_skipping(nullptr, r, b);
}
bool rectangle_retrait_dans_plan(const Cdt::retrait& s, const Cdt::rectangle& r, const Cdt::plan& p) {
  return rectangle_dans_plan_skipping(&s, r, p);
}
bool retrait_dans_plan(const Cdt::retrait& s, const Cdt::plan& p) {
  return rectangle_retrait_dans_plan(s, s.retrait_rectangle, p);
}
bool mur_dans_plan(const Cdt::mur& m, const Cdt::plan& p) { return rectangle_dans_plan(m.mur_rectangle, p); }
bool tremie_dans_plan(const Cdt::tremie& t, const Cdt::plan& p) { return rectangle_dans_plan(t.tremie_rectangle, p); }

// ---------------------------------------------------------------------------
// 6. Relations with segments.

bool almost_equal_points(const Cdt::point& p, const Cdt::point& q) {
  return Qp::almost_equal(p.p_x, q.p_x) && Qp::almost_equal(p.p_y, q.p_y);
}

bool almost_equal_segments(const Cdt::segment& s1, const Cdt::segment& s2) {
  return s1.s_direction == s2.s_direction && Qp::almost_equal(s1.s_length, s2.s_length) &&
         almost_equal_points(s1.s_position, s2.s_position) && almost_equal_points(s1.s_vertex, s2.s_vertex);
}

bool segment_intersect_segment(const Cdt::segment& s1, const Cdt::segment& s2) {
  return std::holds_alternative<Cpt::Si_segment>(Cp::segment_inter_segment(s1, s2));
}

bool segment_dans_segment(const Cdt::segment& s1, const Cdt::segment& s2) {
  const Cpt::segment_intersection si = Cp::segment_inter_segment(s1, s2);
  const auto* common = std::get_if<Cpt::Si_segment>(&si);
  return common && almost_equal_segments(common->value, s1);
}

bool segment_intersect_rectangle(const Cdt::segment& s, const Cdt::rectangle& r) {
  return !std::holds_alternative<Cpt::Ri_empty>(segment_rectangle_common(s, r));
}
bool segment_hors_rectangle(const Cdt::segment& s, const Cdt::rectangle& r) {
  return !segment_intersect_rectangle(s, r);
}
bool segment_hors_retrait(const Cdt::segment& s, const Cdt::retrait& r) {
  return segment_hors_rectangle(s, r.retrait_rectangle);
}

bool segment_dans_rectangle(const Cdt::segment& s, const Cdt::rectangle& r) {
  const Cpt::rectangle_intersection ri = segment_rectangle_common(s, r);
  if (const auto* common = std::get_if<Cpt::Ri_segment>(&ri)) return almost_equal_segments(common->value, s);
  // A segment reduced to a point is within when that point is.
  if (const auto* common = std::get_if<Cpt::Ri_point>(&ri))
    return almost_equal_points(common->value, s.s_position) && almost_equal_points(common->value, s.s_vertex);
  return false;
}

namespace {

// The segment runs through the inside of the set-back (lying along its
// border does not count).
bool segment_traverse_retrait(const Cdt::segment& s, const Cdt::retrait& r) {
  const Cpt::rectangle_intersection ri = segment_rectangle_common(s, r.retrait_rectangle);
  const auto* common = std::get_if<Cpt::Ri_segment>(&ri);
  if (!common) return false;
  const Cdt::point middle = Qp::points_milieu(common->value.s_position, common->value.s_vertex);
  return point_interieur_rectangle(middle, r.retrait_rectangle);
}

}  // namespace

bool segment_dans_plan(const Cdt::segment& s, const Cdt::plan& p) {
  if (!segment_dans_plan_base(s, p.plan_base)) return false;
  for (const Cdt::retrait_ref& r : p.plan_retraits)
    if (segment_traverse_retrait(s, *r)) return false;
  return true;
}

bool segment_dans_plan_base(const Cdt::segment& s, const Cdt::base& b) {
  if (const auto* rb = std::get_if<Cdt::Base_rectangle>(&b)) return segment_dans_rectangle(s, rb->value);
  return segment_dans_plan(s, std::get<Cdt::Base_plan>(b).inner());
}

bool poutre_intersect_poutre(const Cdt::poutre& p1, const Cdt::poutre& p2) {
  return segment_intersect_segment(p1.poutre_segment, p2.poutre_segment);
}
bool poutre_intersect_tremie(const Cdt::poutre& p, const Cdt::tremie& t) {
  return segment_intersect_rectangle(p.poutre_segment, t.tremie_rectangle);
}
bool poutre_intersect_retrait(const Cdt::poutre& p, const Cdt::retrait& r) {
  return segment_intersect_rectangle(p.poutre_segment, r.retrait_rectangle);
}
bool poutre_dans_plan(const Cdt::poutre& p, const Cdt::plan& pl) { return segment_dans_plan(p.poutre_segment, pl); }

// ---------------------------------------------------------------------------
// 7. Relations with points.

bool point_dans_rectangle(const Cdt::point& p, const Cdt::rectangle& r) {
  return !is_out(Cp::rectangle_locate_point(r, p));
}
bool point_dans_mur(const Cdt::point& p, const Cdt::mur& m) { return point_dans_rectangle(p, m.mur_rectangle); }
bool point_dans_tremie(const Cdt::point& p, const Cdt::tremie& t) {
  return point_dans_rectangle(p, t.tremie_rectangle);
}
bool point_dans_retrait(const Cdt::point& p, const Cdt::retrait& r) {
  return point_dans_rectangle(p, r.retrait_rectangle);
}
bool point_interieur_rectangle(const Cdt::point& p, const Cdt::rectangle& r) {
  return is_inside(Cp::rectangle_locate_point(r, p));
}
bool point_interieur_retrait(const Cdt::point& p, const Cdt::retrait& r) {
  return point_interieur_rectangle(p, r.retrait_rectangle);
}
bool point_interieur_retraits(const Cdt::point& p, const Cdt::retraits& rs) {
  for (const Cdt::retrait_ref& r : rs)
    if (point_interieur_retrait(p, *r)) return true;
  return false;
}
bool point_dans_plan(const Cdt::point& p, const Cdt::plan& pl) {
  return !point_interieur_retraits(p, pl.plan_retraits) && point_dans_plan_base(p, pl.plan_base);
}
bool point_dans_plan_base(const Cdt::point& p, const Cdt::base& b) {
  if (const auto* rb = std::get_if<Cdt::Base_rectangle>(&b)) return point_dans_rectangle(p, rb->value);
  return point_dans_plan(p, std::get<Cdt::Base_plan>(b).inner());
}
bool point_dans_plan_base(const Cdt::point& p, const Cdt::plan& pl) { return point_dans_plan_base(p, pl.plan_base); }
bool point_dans_poteau(const Cdt::point& p, const Cdt::poteau& c) {
  return Qp::distance(p, c.poteau_position) <= poteau_rayon;
}
bool poteau_dans_poteau(const Cdt::poteau& c1, const Cdt::poteau& c2) {
  return almost_equal_points(c1.poteau_position, c2.poteau_position);
}
bool poteau_dans_tremie(const Cdt::poteau& c, const Cdt::tremie& t) { return point_dans_tremie(c.poteau_position, t); }
// The border of a set-back is facade: a column standing on it is not in it.
bool poteau_dans_retrait(const Cdt::poteau& c, const Cdt::retrait& r) {
  return point_interieur_retrait(c.poteau_position, r);
}
bool poteau_dans_plan(const Cdt::poteau& c, const Cdt::plan& p) { return point_dans_plan(c.poteau_position, p); }
bool poutre_position_intersect_poteau(const Cdt::poutre& p, const Cdt::poteau& c) {
  return points_adjacents(poutre_position(p), c.poteau_position);
}
bool poutre_vertex_intersect_poteau(const Cdt::poutre& p, const Cdt::poteau& c) {
  return points_adjacents(poutre_vertex(p), c.poteau_position);
}
bool poutre_position_intersect_mur(const Cdt::poutre& p, const Cdt::mur& m) {
  return point_dans_mur(poutre_position(p), m);
}
bool poutre_vertex_intersect_mur(const Cdt::poutre& p, const Cdt::mur& m) { return point_dans_mur(poutre_vertex(p), m); }
bool points_adjacents(const Cdt::point& p, const Cdt::point& q) { return Qp::is_almost_zero(Qp::distance(p, q)); }

// ---------------------------------------------------------------------------
// 8. Contour and contact.

Cdt::segments edges_to_segments(const Cdt::rectangle_edges& e) {
  return {e.edge_south, e.edge_east, e.edge_north, e.edge_west};
}
Cdt::segments rectangle_compute_contour(const Cdt::rectangle& r) { return edges_to_segments(r.edges); }
Cdt::segments retrait_compute_contour(const Cdt::retrait& r) { return rectangle_compute_contour(r.retrait_rectangle); }

namespace {

// Prepends the pieces left of a contour segment once an edge is cut out.
void add_remainder(const Cpt::segment_difference& d, Cdt::segments& pieces) {
  auto prepend = [&](const Cdt::segment& s) { pieces.insert(pieces.begin(), s); };
  if (const auto* one = std::get_if<Cpt::Sd_segment>(&d)) prepend(one->value);
  if (const auto* two = std::get_if<Cpt::Sd_split>(&d)) {
    prepend(two->first);
    prepend(two->second);
  }
}

}  // namespace

Cdt::segments plan_contour_but_retrait(const Cdt::segments& contour, const Cdt::retrait& r) {
  Cdt::segments remaining = contour;
  Cdt::segments pieces;  // most recently added first
  for (const Cdt::segment& e : retrait_compute_contour(r)) {
    Cdt::segments containing;
    Cdt::segments others;
    for (const Cdt::segment& s : remaining) (segment_dans_segment(e, s) ? containing : others).push_back(s);
    if (containing.empty()) {
      pieces.insert(pieces.begin(), e);
    } else if (containing.size() == 1) {
      remaining = std::move(others);
      add_remainder(Cp::segment_minus_segment(containing.front(), e), pieces);
    } else {
      assertion_failure();
    }
  }
  remaining.insert(remaining.end(), pieces.begin(), pieces.end());
  return remaining;
}

Cdt::segments plan_contour_but_retraits(const Cdt::segments& contour, const Cdt::retraits& rs) {
  Cdt::segments c = contour;
  for (const Cdt::retrait_ref& r : rs) c = plan_contour_but_retrait(c, *r);
  return c;
}

Cdt::segments base_compute_contour(const Cdt::base& b) {
  if (const auto* rb = std::get_if<Cdt::Base_rectangle>(&b)) return rectangle_compute_contour(rb->value);
  return std::get<Cdt::Base_plan>(b).inner().plan_contour;
}

void plan_compute_contour(Cdt::plan& p) {
  p.plan_contour = plan_contour_but_retraits(base_compute_contour(p.plan_base), p.plan_retraits);
  p.plan_contour_x.clear();
  p.plan_contour_y.clear();
  for (const Cdt::segment& s : p.plan_contour)
    (s.s_direction == direction::X ? p.plan_contour_x : p.plan_contour_y).push_back(s);
  p.plan_min_x = Qp::min_f([](const Cdt::segment& s) { return s.s_position.p_x; }, p.plan_contour);
  p.plan_max_x = Qp::max_f([](const Cdt::segment& s) { return s.s_vertex.p_x; }, p.plan_contour);
  p.plan_min_y = Qp::min_f([](const Cdt::segment& s) { return s.s_position.p_y; }, p.plan_contour);
  p.plan_max_y = Qp::max_f([](const Cdt::segment& s) { return s.s_vertex.p_y; }, p.plan_contour);
  p.plan_width = p.plan_max_x - p.plan_min_x;
  p.plan_height = p.plan_max_y - p.plan_min_y;
  plan_compute_base_dimensions(p);
}

void plan_compute_base_dimensions(Cdt::plan& p) {
  if (const auto* rb = std::get_if<Cdt::Base_rectangle>(&p.plan_base)) {
    p.plan_base_width = rb->value.width;
    p.plan_base_height = rb->value.height;
  } else {
    const Cdt::plan& inner = std::get<Cdt::Base_plan>(p.plan_base).inner();
    p.plan_base_width = inner.plan_width;
    p.plan_base_height = inner.plan_height;
  }
}

Cdt::contact_contour contact(const Cdt::segment& edge, const Cdt::segment& contour, cardinal_point side) {
  return Cdt::contact_contour{edge, contour, side};
}

namespace {

std::optional<Cdt::contact_contour> edge_contour_contact(const Cdt::segment& edge, const Cdt::segments& contour,
                                                 cardinal_point side) {
  for (const Cdt::segment& s : contour)
    if (segment_dans_segment(edge, s)) return contact(edge, s, side);
  return std::nullopt;
}

bool edge_within(const Cdt::segment& edge, const Cdt::segments& contour) {
  return edge_contour_contact(edge, contour, cardinal_point::North).has_value();
}

}  // namespace

std::optional<Cdt::contact_contour> edges_contact_contour_x(const Cdt::rectangle_edges& e,
                                                            const Cdt::segments& contour_x) {
  if (auto c = edge_contour_contact(e.edge_north, contour_x, cardinal_point::North)) return c;
  return edge_contour_contact(e.edge_south, contour_x, cardinal_point::South);
}

std::optional<Cdt::contact_contour> edges_contact_contour_y(const Cdt::rectangle_edges& e,
                                                            const Cdt::segments& contour_y) {
  if (auto c = edge_contour_contact(e.edge_west, contour_y, cardinal_point::West)) return c;
  return edge_contour_contact(e.edge_east, contour_y, cardinal_point::East);
}

std::optional<Cdt::contact_contour> edges_plan_contact_contour(const Cdt::rectangle_edges& e, const Cdt::plan& p) {
  if (auto c = edges_contact_contour_x(e, p.plan_contour_x)) return c;
  return edges_contact_contour_y(e, p.plan_contour_y);
}

std::optional<Cdt::contact_contour> retrait_plan_contact_contour(const Cdt::retrait& r, const Cdt::plan& p) {
  return edges_plan_contact_contour(r.retrait_rectangle.edges, p);
}

std::optional<edge_contact> edges_find_edge_contact_contour_x(const Cdt::rectangle_edges& e,
                                                              const Cdt::segments& contour_x) {
  if (edge_within(e.edge_north, contour_x)) return edge_contact{cardinal_point::North, e.edge_north};
  if (edge_within(e.edge_south, contour_x)) return edge_contact{cardinal_point::South, e.edge_south};
  return std::nullopt;
}

std::optional<edge_contact> edges_find_edge_contact_contour_y(const Cdt::rectangle_edges& e,
                                                              const Cdt::segments& contour_y) {
  if (edge_within(e.edge_west, contour_y)) return edge_contact{cardinal_point::West, e.edge_west};
  if (edge_within(e.edge_east, contour_y)) return edge_contact{cardinal_point::East, e.edge_east};
  return std::nullopt;
}

std::optional<edge_contact> edges_find_edge_contact_contour_plan(const Cdt::rectangle_edges& e, const Cdt::plan& p) {
  if (auto c = edges_find_edge_contact_contour_x(e, p.plan_contour_x)) return c;
  return edges_find_edge_contact_contour_y(e, p.plan_contour_y);
}

Cdt::retrait_categorie retrait_plan_categorie(const Cdt::retrait& r, const Cdt::plan& p) {
  const std::optional<Cdt::contact_contour> c = retrait_plan_contact_contour(r, p);
  if (!c) Quavor_configuration::fatal_error("retrait_categorie");
  const double ratio = c->contact_segment.s_length / c->contact_contour.s_length;
  return Qp::almost_less_equal(ratio, retrait_en_elevation_ratio_max) ? Cdt::retrait_categorie::Retrait_en_elevation
                                                                      : Cdt::retrait_categorie::Retrait_en_plan;
}

// ---------------------------------------------------------------------------
// 10. Building-wide queries.

const Cdt::plan& batiment_plan_rdc(const Cdt::batiment& b) {
  if (b.batiment_niveau_planchers.empty()) return b.batiment_niveau_toit.niveau_plan;
  for (const Cdt::niveau_plancher& l : b.batiment_niveau_planchers)
    if (l.niveau_etage == 0) return l.niveau_plan;
  throw Not_found();
}

double batiment_surface(const Cdt::batiment& b) { return batiment_plan_rdc(b).plan_surface; }

const Cdt::maconnerie& batiment_maconnerie(const Cdt::batiment& b) {
  const Cdt::materiau_categorie& m = b.batiment_materiau_categorie;
  if (std::holds_alternative<Quavor_data_types::Bois>(m))
    Quavor_configuration::fatal_error("les constructions en bois ne sont pas traitées");
  if (std::holds_alternative<Quavor_data_types::Beton>(m))
    Quavor_configuration::fatal_error("les constructions en béton ne sont pas traitées");
  return std::get<Quavor_data_types::Maconnerie>(m).value;
}

Quavor_data_types::maconnerie_categorie batiment_maconnerie_categorie(const Cdt::batiment& b) {
  return batiment_maconnerie(b).maconnerie_categorie;
}

Quavor_data_types::qualite_du_chainage_categorie batiment_qualite_du_chainage(const Cdt::batiment& b) {
  return batiment_maconnerie(b).maconnerie_qualite_du_chainage;
}

double plancher_masse_surfacique_propre(const Cdt::plancher& p) {
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
double plancher_masse_surfacique_revetement(const Cdt::plancher& p) { return p.plancher_charge_revetement; }
double plancher_masse_surfacique_cloison(const Cdt::plancher& p) { return p.plancher_charge_cloison; }
double plancher_masse_surfacique_permanente(const Cdt::plancher& p) {
  return plancher_masse_surfacique_propre(p) + plancher_masse_surfacique_revetement(p) +
         plancher_masse_surfacique_cloison(p);
}
double batiment_plancher_masse_surfacique(const Cdt::batiment&, const Cdt::plancher& p) {
  return plancher_masse_surfacique_permanente(p);
}

// ---------------------------------------------------------------------------
// 11. Names in texts.

void print_nom_entity(Format::Printer& ppf, const std::string& nom) { Format::fprintf(ppf, "%s", nom); }
void print_niveau_nom(Format::Printer& ppf, const std::string& nom) { Format::fprintf(ppf, "%s", nom); }

// ---------------------------------------------------------------------------
// 12. Classification slots.

void already_classified_info_error() { Quavor_configuration::fatal_error("Attempt to set already classified info"); }

void poutre_set_fondement_info(Cdt::poutre& p, Cdt::info<Cdt::poutre_fondement> v) {
  set_info([](const Cdt::poutre& x) { return x.poutre_fondement; },
           [](Cdt::poutre& x, Cdt::info<Cdt::poutre_fondement> i) { x.poutre_fondement = std::move(i); }, p,
           std::move(v));
}
void poutre_set_fondement(Cdt::poutre& p, const Cdt::poutre_fondement& f) {
  poutre_set_fondement_info(p, Cdt::Info<Cdt::poutre_fondement>{f});
}
void mur_set_fondement_info(Cdt::mur& m, Cdt::info<Cdt::appui> v) {
  set_info([](const Cdt::mur& x) { return x.mur_fondement; },
           [](Cdt::mur& x, Cdt::info<Cdt::appui> i) { x.mur_fondement = std::move(i); }, m, std::move(v));
}
void poteau_set_fondement_info(Cdt::poteau& c, Cdt::info<Cdt::appui> v) {
  set_info([](const Cdt::poteau& x) { return x.poteau_fondement; },
           [](Cdt::poteau& x, Cdt::info<Cdt::appui> i) { x.poteau_fondement = std::move(i); }, c, std::move(v));
}
void retrait_set_categorie_info(Cdt::retrait& r, Cdt::info<Cdt::retrait_categorie> v) {
  set_info([](const Cdt::retrait& x) { return x.retrait_categorie; },
           [](Cdt::retrait& x, Cdt::info<Cdt::retrait_categorie> i) { x.retrait_categorie = std::move(i); }, r,
           std::move(v));
}

}  // namespace Compute_data_utils
