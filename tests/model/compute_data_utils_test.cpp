// Queries over the computed model: measures, validity, relations between
// elements, contact with the contour, iteration, building-wide queries and
// the set-once slots.
#include "model/compute_data_utils.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/compute_data.hpp"
#include "model/model_fixtures.hpp"
#include "text/exceptions.hpp"

namespace {

using namespace Model_fixtures;
using Quavor_pervasives_types::cardinal_point;

const std::string fatal_prefix = "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ";

Compute_data_types::rectangle crect(double w, double h, double x, double y) {
  return Compute_pervasives::rectangle_compute_rectangle(w, h, {x, y});
}

Compute_data_types::segment seg(double x1, double y1, double x2, double y2) {
  return Compute_pervasives::vertices_compute_segment({x1, y1}, {x2, y2});
}

template <class F>
std::string fatal_message(F f) {
  try {
    f();
  } catch (const Fatal_error& e) {
    return e.what();
  }
  return "no fatal error";
}

Compute_data_types::tremie tremie(double w, double h, double x, double y) {
  return Compute_data::tremie_compute(Input_data_types::tremie{rect(w, h, x, y), "T1n0"});
}

Compute_data_types::poteau_ref poteau(double x, double y) {
  return Compute_data::poteau_compute(Input_data_types::poteau{{x, y}, "C1n0"});
}

Compute_data_types::poutre_ref poutre(double x, double y, direction d, double l) {
  return Compute_data::poutre_compute(Input_data_types::poutre{{x, y}, d, l, 1, "B1n0"});
}

Compute_data_types::mur_ref wall(const Wall& w) { return Compute_data::mur_compute(mur(w)); }

Compute_data_types::balcon balcon(double w, double h, double x, double y, std::string nom) {
  return Compute_data::balcon_compute(Input_data_types::balcon{rect(w, h, x, y), std::move(nom)});
}

Compute_data_types::plan plan_of(std::vector<Input_data_types::retrait> rs = {}) {
  return Compute_data::plan_compute(plan_rect(10.0, 8.0, std::move(rs)));
}

// 10 x 8 m with a 2 x 3 m set-back in the north-east corner, folded under a
// 2 x 2 m set-back in the north-west corner.
Compute_data_types::plan plan_on_plan_with_setbacks() {
  return Compute_data::plan_compute(
      plan_on_plan(plan_rect(10.0, 8.0, {retrait(2.0, 3.0, 8.0, 5.0, "R1n0")}), {retrait(2.0, 2.0, 0.0, 6.0, "R1n1")}));
}

// A yes/no query, asked on the row's input, and the answer it must get.
struct Row {
  std::string name;
  bool answer;
  bool expected;
};

void expect_rows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.answer, row.expected);
  }
}

// ---------------------------------------------------------------------------
// Measures.

TEST(DerivedMeasures, WallLengthThicknessAndCarriedFloorArea) {
  const Compute_data_types::mur_ref x = wall({"M1n0", direction::X, 0.0, 0.0, 4.0, 0.2});
  const Compute_data_types::mur_ref y = wall({"M2n0", direction::Y, 0.0, 0.0, 4.0, 0.2});
  EXPECT_EQ(Compute_data_utils::mur_longueur(*x), 4.0);
  EXPECT_EQ(Compute_data_utils::mur_epaisseur(*x), 0.2);
  EXPECT_EQ(Compute_data_utils::mur_longueur(*y), 4.0);
  EXPECT_EQ(Compute_data_utils::mur_epaisseur(*y), 0.2);
  EXPECT_EQ(Compute_data_utils::mur_lx(*y), 0.2);
  EXPECT_EQ(Compute_data_utils::mur_ly(*y), 4.0);
  EXPECT_TRUE(Compute_data_utils::mur_x(*x));
  EXPECT_TRUE(Compute_data_utils::mur_y(*y));
  EXPECT_EQ(Compute_data_utils::mur_coin_haut_droit(*x), (Compute_data_types::point{4.0, 0.2}));
  // The carried floor area is zero unless computed.
  Compute_data_types::mur m = *x;
  EXPECT_EQ(Compute_data_utils::mur_sp_value(m), 0.0);
  m.mur_sp = Quavor_data_types::Sp_value{12.5};
  EXPECT_EQ(Compute_data_utils::mur_sp_value(m), 12.5);
  m.mur_sp = Quavor_data_types::Sp_failure{};
  EXPECT_EQ(Compute_data_utils::mur_sp_value(m), 0.0);
}

TEST(DerivedMeasures, BaseRectangleAtTheBottomOfTheChain) {
  const Compute_data_types::plan p = plan_on_plan_with_setbacks();
  EXPECT_EQ(Compute_data_utils::plan_base_rectangle(p), crect(10.0, 8.0, 0.0, 0.0));
  EXPECT_EQ(Compute_data_utils::plan_rectangle(p), crect(10.0, 8.0, 0.0, 0.0));
  EXPECT_DOUBLE_EQ(Compute_data_utils::plan_diagonale(p), std::hypot(10.0, 8.0));
  const Compute_data_types::retraits all = Compute_data_utils::plan_all_retraits(p);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0]->retrait_nom, "R1n1");
  EXPECT_EQ(all[1]->retrait_nom, "R1n0");
}

// ---------------------------------------------------------------------------
// Validity: the sizes are inclusive lower bounds.

TEST(Validity, MinimumSizes) {
  expect_rows({
      {"beam 0.5", Compute_data_utils::poutre_valid(*poutre(0.0, 0.0, direction::X, 0.5)), true},
      {"beam 0.4999", Compute_data_utils::poutre_valid(*poutre(0.0, 0.0, direction::X, 0.4999)), false},
      {"opening 1", Compute_data_utils::tremie_valid(tremie(1.0, 1.0, 0.0, 0.0)), true},
      {"opening 0.999", Compute_data_utils::tremie_valid(tremie(1.0, 0.999, 0.0, 0.0)), false},
      {"balcony 0.3", Compute_data_utils::balcon_valid(balcon(1.0, 0.3, 0.0, 0.0, "B")), true},
      {"balcony 0.29", Compute_data_utils::balcon_valid(balcon(1.0, 0.29, 0.0, 0.0, "B")), false},
      {"set-back 1", Compute_data_utils::retrait_valid(*Compute_data::retrait_compute(retrait(1.0, 1.0, 0.0, 0.0))),
       true},
      {"set-back 0.5", Compute_data_utils::retrait_valid(*Compute_data::retrait_compute(retrait(0.5, 1.0, 0.0, 0.0))),
       false},
      {"plan 4", Compute_data_utils::plan_valid(Compute_data::plan_compute(plan_rect(5.0, 4.0))), true},
      {"plan 3.99", Compute_data_utils::plan_valid(Compute_data::plan_compute(plan_rect(5.0, 3.99))), false},
      {"wall 0.2", Compute_data_utils::mur_valid(*wall({"M", direction::X, 0.0, 0.0, 1.0})), true},
      {"wall 0", Compute_data_utils::mur_valid(*wall({"M", direction::X, 0.0, 0.0, 1.0, 0.0})), false},
  });
}

// ---------------------------------------------------------------------------
// Relations between rectangles.

TEST(RectangleRelations, InsideOutsideAndIntersecting) {
  const Compute_data_types::mur_ref a = wall({"M1n0", direction::X, 0.0, 0.0, 4.0});
  const Compute_data_types::mur_ref side = wall({"M2n0", direction::X, 4.0, 0.0, 4.0});
  const Compute_data_types::mur_ref overlap = wall({"M3n0", direction::X, 3.99, 0.0, 4.0});
  const Compute_data_types::rectangle base = crect(10.0, 8.0, 0.0, 0.0);
  const Compute_data_types::plan p = plan_of({retrait(2.0, 3.0, 8.0, 5.0)});
  const Compute_data_types::plan chain = plan_on_plan_with_setbacks();
  const Compute_data_types::plan two =
      plan_of({retrait(2.0, 3.0, 8.0, 5.0, "R1n0"), retrait(2.0, 2.0, 0.0, 6.0, "R2n0")});
  const Compute_data_types::retrait copy = *two.plan_retraits[0];
  const Compute_data_types::plan q =
      plan_of({retrait(2.0, 3.0, 8.0, 5.0, "R1n0"), retrait(3.0, 1.0, 7.0, 7.0, "R2n0")});
  const Compute_data_types::plan r = plan_of({retrait(2.0, 3.0, 9.0, 5.0)});
  expect_rows({
      // Sharing a side is not an intersection.
      {"side", Compute_data_utils::mur_intersect_mur(*a, *side), false},
      {"overlap", Compute_data_utils::mur_intersect_mur(*a, *overlap), true},
      {"side outside", Compute_data_utils::rectangle_hors_rectangle(a->mur_rectangle, side->mur_rectangle), true},
      // Inside compares the common part with the first rectangle.
      {"inside", Compute_data_utils::rectangle_dans_rectangle(crect(2.0, 2.0, 8.0, 6.0), base), true},
      {"0.5 mm out", Compute_data_utils::rectangle_dans_rectangle(crect(2.0, 2.0, 8.0005, 6.0), base), true},
      {"2 mm out", Compute_data_utils::rectangle_dans_rectangle(crect(2.0, 2.0, 8.002, 6.0), base), false},
      // In the plan means in the base and out of the set-backs, down the
      // chain: a wall overlapping the set-back by 1 cm is not in the plan;
      // one along its side is.
      {"1 cm into", Compute_data_utils::rectangle_dans_plan(crect(0.2, 3.0, 8.0 - 0.19, 5.0), p), false},
      {"along", Compute_data_utils::rectangle_dans_plan(crect(0.2, 3.0, 7.8, 5.0), p), true},
      {"out of base", Compute_data_utils::rectangle_dans_plan(crect(1.0, 1.0, 9.5, 1.0), p), false},
      {"in base", Compute_data_utils::rectangle_dans_plan_base(crect(1.0, 1.0, 8.5, 6.0), p.plan_base), true},
      {"inner set-back", Compute_data_utils::rectangle_dans_plan(crect(1.0, 1.0, 8.5, 6.0), chain), false},
      {"outer set-back", Compute_data_utils::rectangle_dans_plan(crect(1.0, 1.0, 0.5, 6.5), chain), false},
      {"clear", Compute_data_utils::rectangle_dans_plan(crect(1.0, 1.0, 4.0, 4.0), chain), true},
      {"balcony along", Compute_data_utils::balcon_hors_plan(balcon(3.0, 1.5, 2.0, 8.0, "B1n0"), plan_of()), true},
      {"balcony across", Compute_data_utils::balcon_hors_plan(balcon(3.0, 1.5, 2.0, 7.0, "B2n0"), plan_of()), false},
      // A set-back lies in its own plan, skipping itself by identity: an
      // equal set-back that is not the same element overlaps the first one.
      {"first", Compute_data_utils::retrait_dans_plan(*two.plan_retraits[0], two), true},
      {"second", Compute_data_utils::retrait_dans_plan(*two.plan_retraits[1], two), true},
      {"copy", Compute_data_utils::retrait_dans_plan(copy, two), false},
      // Two set-backs that overlap are not both in the plan.
      {"overlapping", Compute_data_utils::retrait_dans_plan(*q.plan_retraits[0], q), false},
      // A set-back sticking out of the base is not in it.
      {"sticking out", Compute_data_utils::retrait_dans_plan(*r.plan_retraits[0], r), false},
  });
}

// ---------------------------------------------------------------------------
// Relations with segments.

TEST(SegmentRelations, BeamsAndSegmentsAgainstOpeningsSetBacksPlansAndSegments) {
  const Compute_data_types::plan p = plan_of({retrait(2.0, 3.0, 8.0, 5.0)});
  const Compute_data_types::plan chain = plan_on_plan_with_setbacks();
  const Compute_data_types::segment whole = seg(0.0, 0.0, 10.0, 0.0);
  const Compute_data_types::segment part = seg(2.0, 0.0, 4.0, 0.0);
  const Compute_data_types::rectangle base = crect(10.0, 8.0, 0.0, 0.0);
  const auto x_beam = [](double x, double y, double l) { return *poutre(x, y, direction::X, l); };
  expect_rows({
      {"beam inside", Compute_data_utils::poutre_dans_plan(x_beam(0.0, 4.0, 10.0), p), true},
      {"across the set-back", Compute_data_utils::poutre_dans_plan(x_beam(0.0, 6.0, 10.0), p), false},
      {"along its side", Compute_data_utils::poutre_dans_plan(x_beam(0.0, 5.0, 10.0), p), true},
      {"out of the base", Compute_data_utils::poutre_dans_plan(x_beam(0.0, 4.0, 10.5), p), false},
      {"opening", Compute_data_utils::poutre_intersect_tremie(x_beam(0.0, 2.0, 5.0), tremie(1.0, 1.0, 3.0, 1.5)), true},
      {"beside", Compute_data_utils::poutre_intersect_tremie(x_beam(0.0, 4.0, 5.0), tremie(1.0, 1.0, 3.0, 1.5)), false},
      {"set-back", Compute_data_utils::poutre_intersect_retrait(x_beam(0.0, 6.0, 10.0), *p.plan_retraits[0]), true},
      {"beam", Compute_data_utils::poutre_intersect_poutre(x_beam(0.0, 2.0, 5.0), x_beam(3.0, 2.0, 5.0)), true},
      {"y", Compute_data_utils::poutre_intersect_poutre(x_beam(0.0, 2.0, 5.0), *poutre(3.0, 0.0, direction::Y, 5.0)),
       false},
      {"part", Compute_data_utils::segment_dans_segment(part, whole), true},
      {"whole in part", Compute_data_utils::segment_dans_segment(whole, part), false},
      {"2 mm beyond", Compute_data_utils::segment_dans_segment(seg(8.0, 0.0, 10.002, 0.0), whole), false},
      {"0.5 mm beyond", Compute_data_utils::segment_dans_segment(seg(8.0, 0.0, 10.0005, 0.0), whole), true},
      {"intersect", Compute_data_utils::segment_intersect_segment(whole, part), true},
      {"clear", Compute_data_utils::segment_dans_plan(seg(0.0, 5.0, 10.0, 5.0), chain), true},
      {"inner set-back", Compute_data_utils::segment_dans_plan(seg(3.0, 6.0, 10.0, 6.0), chain), false},
      {"outer set-back", Compute_data_utils::segment_dans_plan(seg(0.0, 7.0, 5.0, 7.0), chain), false},
      {"outer side", Compute_data_utils::segment_dans_plan(seg(2.0, 6.0, 2.0, 8.0), chain), true},
      {"in rectangle", Compute_data_utils::segment_dans_rectangle(seg(0.0, 0.0, 10.0, 0.0), base), true},
      {"2 mm out", Compute_data_utils::segment_dans_rectangle(seg(0.0, 0.0, 10.002, 0.0), base), false},
      {"out", Compute_data_utils::segment_hors_rectangle(seg(0.0, 9.0, 10.0, 9.0), base), true},
      {"on the side", Compute_data_utils::segment_hors_rectangle(seg(0.0, 8.0, 10.0, 8.0), base), false},
  });
}

// ---------------------------------------------------------------------------
// Relations with points.

TEST(PointRelations, PointsColumnsAndBeamEnds) {
  const Compute_data_types::tremie t = tremie(2.0, 2.0, 2.0, 2.0);
  const Compute_data_types::plan two =
      plan_of({retrait(2.0, 3.0, 8.0, 5.0, "R1n0"), retrait(2.0, 2.0, 0.0, 6.0, "R2n0")});
  const Compute_data_types::plan chain = plan_on_plan_with_setbacks();
  const Compute_data_types::poteau_ref c = poteau(5.0, 5.0);
  const Compute_data_types::mur_ref m = wall({"M1n0", direction::X, 0.0, 0.0, 4.0});
  const Compute_data_types::plan p = plan_of({retrait(2.0, 3.0, 8.0, 5.0)});
  expect_rows({
      // The border counts within the tolerance.
      {"opening border", Compute_data_utils::point_dans_tremie({4.0005, 3.0}, t), true},
      {"interior border", Compute_data_utils::point_interieur_rectangle({4.0005, 3.0}, t.tremie_rectangle), false},
      {"2 mm out", Compute_data_utils::point_dans_tremie({4.002, 3.0}, t), false},
      {"interior", Compute_data_utils::point_interieur_rectangle({3.0, 3.0}, t.tremie_rectangle), true},
      // A plan with two set-backs.
      {"east set-back", Compute_data_utils::point_dans_plan({9.0, 6.0}, two), false},
      {"west set-back", Compute_data_utils::point_dans_plan({1.0, 7.0}, two), false},
      {"set-back border", Compute_data_utils::point_dans_plan({8.0005, 6.0}, two), true},
      {"clear", Compute_data_utils::point_dans_plan({5.0, 4.0}, two), true},
      {"2 mm out of base", Compute_data_utils::point_dans_plan({10.002, 4.0}, two), false},
      {"base", Compute_data_utils::point_dans_plan_base({9.0, 6.0}, two), true},
      {"in set-backs", Compute_data_utils::point_interieur_retraits({9.0, 6.0}, two.plan_retraits), true},
      {"no set-backs", Compute_data_utils::point_interieur_retraits({9.0, 6.0}, {}), false},
      // A plan on a plan.
      {"folded base", Compute_data_utils::point_dans_plan_base({9.0, 6.0}, chain.plan_base), false},
      {"inner set-back", Compute_data_utils::point_dans_plan({9.0, 6.0}, chain), false},
      {"outer set-back", Compute_data_utils::point_dans_plan({1.0, 7.0}, chain), false},
      {"chain clear", Compute_data_utils::point_dans_plan({5.0, 4.0}, chain), true},
      // Columns and beam ends.
      {"column 9 cm", Compute_data_utils::point_dans_poteau({5.09, 5.0}, *c), true},
      {"column 11 cm", Compute_data_utils::point_dans_poteau({5.11, 5.0}, *c), false},
      {"2 cm", Compute_data_utils::poutre_position_intersect_poteau(*poutre(5.02, 5.0, direction::X, 3.0), *c), false},
      {"5 mm", Compute_data_utils::poutre_position_intersect_poteau(*poutre(5.005, 5.0, direction::X, 3.0), *c), true},
      {"beam end", Compute_data_utils::poutre_vertex_intersect_poteau(*poutre(2.0, 5.0, direction::X, 3.0), *c), true},
      {"columns 0.5 mm", Compute_data_utils::poteau_dans_poteau(*c, *poteau(5.0005, 5.0)), true},
      {"columns 2 mm", Compute_data_utils::poteau_dans_poteau(*c, *poteau(5.002, 5.0)), false},
      {"wall", Compute_data_utils::poutre_position_intersect_mur(*poutre(4.0, 0.2, direction::Y, 3.0), *m), true},
      {"wall vertex", Compute_data_utils::poutre_vertex_intersect_mur(*poutre(4.0, 0.2, direction::Y, 3.0), *m), false},
      // Adjacent points are within one centimetre.
      {"1 cm", Compute_data_utils::points_adjacents({0.0, 0.0}, {0.01, 0.0}), true},
      {"diagonal", Compute_data_utils::points_adjacents({1.0, 1.0}, {1.005, 1.008}), true},
      {"1.1 cm", Compute_data_utils::points_adjacents({0.0, 0.0}, {0.011, 0.0}), false},
      // Columns in openings, set-backs and plans; on the set-back's side is facade.
      {"in set-back", Compute_data_utils::poteau_dans_retrait(*poteau(9.0, 6.0), *p.plan_retraits[0]), true},
      {"set-back side", Compute_data_utils::poteau_dans_retrait(*poteau(8.0, 6.0), *p.plan_retraits[0]), false},
      {"plan set-back", Compute_data_utils::poteau_dans_plan(*poteau(9.0, 6.0), p), false},
      {"plan side", Compute_data_utils::poteau_dans_plan(*poteau(8.0, 6.0), p), true},
      {"opening", Compute_data_utils::poteau_dans_tremie(*poteau(2.0, 2.0), tremie(1.0, 1.0, 2.0, 2.0)), true},
  });
}

// ---------------------------------------------------------------------------
// Contact with the contour.

TEST(ContourContact, EdgesAgainstTheBaseContourAndTheFoldedContour) {
  const Compute_data_types::plan bare = plan_of();
  const Compute_data_types::rectangle r = crect(2.0, 3.0, 8.0, 5.0);
  const auto before = Compute_data_utils::edges_find_edge_contact_contour_x(r.edges, bare.plan_contour_x);
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(before->first, cardinal_point::North);
  EXPECT_EQ(before->second, r.edges.edge_north);
  const Compute_data_types::plan folded = plan_of({retrait(2.0, 3.0, 8.0, 5.0)});
  const auto after = Compute_data_utils::edges_find_edge_contact_contour_x(r.edges, folded.plan_contour_x);
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->first, cardinal_point::South);
  EXPECT_EQ(after->second, r.edges.edge_south);
  // In y, contact is tried west then east.
  const auto east = Compute_data_utils::edges_find_edge_contact_contour_plan(crect(0.2, 3.0, 9.8, 1.0).edges, bare);
  ASSERT_TRUE(east.has_value());
  EXPECT_EQ(east->first, cardinal_point::East);
  EXPECT_FALSE(
      Compute_data_utils::edges_find_edge_contact_contour_plan(crect(1.0, 1.0, 4.0, 4.0).edges, bare).has_value());
  // Two contour segments holding one edge stop the fold.
  const Compute_data_types::segment s = seg(0.0, 0.0, 10.0, 0.0);
  const Compute_data_types::retrait_ref corner = Compute_data::retrait_compute(retrait(2.0, 2.0, 2.0, 0.0));
  EXPECT_THROW(Compute_data_utils::plan_contour_but_retrait({s, s}, *corner), Assertion_failure);
}

TEST(ContourContact, SetBackCategoryByContactRatio) {
  // Against the bare contour the north edge covers 2 of 10 m: in elevation.
  const Compute_data_types::plan bare = plan_of();
  const Compute_data_types::retrait_ref r = Compute_data::retrait_compute(retrait(2.0, 3.0, 8.0, 5.0));
  const auto c = Compute_data_utils::retrait_plan_contact_contour(*r, bare);
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->contact_side, cardinal_point::North);
  EXPECT_EQ(c->contact_contour, bare.plan_contour[2]);
  const Compute_data_types::plan folded = plan_of({retrait(2.0, 3.0, 8.0, 5.0)});
  // The category has two values: not in plan is in elevation.
  const auto en_plan = [&](const Compute_data_types::retrait& s, const Compute_data_types::plan& q) {
    return Compute_data_utils::retrait_plan_categorie(s, q) == Compute_data_types::retrait_categorie::Retrait_en_plan;
  };
  expect_rows({
      {"2 of 10 m", en_plan(*r, bare), false},
      // Once folded, its south edge is a contour segment of its own: ratio 1.
      {"folded", en_plan(*folded.plan_retraits[0], folded), true},
      // 2.01 of 10 m is beyond 0.2 by more than the tolerance; 2.005 is not.
      {"2.02 of 10 m", en_plan(*Compute_data::retrait_compute(retrait(2.02, 3.0, 7.98, 5.0)), bare), true},
      {"2.005 of 10 m", en_plan(*Compute_data::retrait_compute(retrait(2.005, 3.0, 7.995, 5.0)), bare), false},
  });
  // Touching no contour is a fatal error.
  const Compute_data_types::retrait_ref inner = Compute_data::retrait_compute(retrait(2.0, 2.0, 4.0, 3.0));
  EXPECT_EQ(fatal_message([&] { Compute_data_utils::retrait_plan_categorie(*inner, bare); }),
            fatal_prefix + "retrait_categorie");
}

TEST(WallClassification, FacadeSouthSideInnerWallAndFacing) {
  const Compute_data_types::plan p = plan_of();
  const Compute_data_types::mur_ref south = wall({"M1n0", direction::X, 0.0, 0.0, 10.0});
  const auto c = Compute_data_utils::mur_contact_contour_plan_option(*south, p);
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->contact_side, cardinal_point::South);
  EXPECT_EQ(c->contact_segment, south->mur_rectangle.edges.edge_south);
  const Compute_data_types::mur_ref x = wall({"M1n0", direction::X, 0.0, 4.0, 10.0});
  const Compute_data_types::point centre{5.0, 4.0};
  expect_rows({
      {"facade", Compute_data_utils::mur_plan_facade_calcule(*south, p), true},
      {"inner", Compute_data_utils::mur_plan_refend_calcule(*wall({"M2n0", direction::X, 0.0, 4.0, 10.0}), p), true},
      // An x wall touching the west side only by its end is not on the facade.
      {"end", Compute_data_utils::mur_plan_facade_calcule(*wall({"M3n0", direction::X, 0.0, 3.0, 4.0}), p), false},
      // Facing compares the south-west corner.
      {"north", Compute_data_utils::contreventement_de_facade_oriente(cardinal_point::North, centre, *x), false},
      {"south", Compute_data_utils::contreventement_de_facade_oriente(cardinal_point::South, centre, *x), false},
      {"below", Compute_data_utils::contreventement_de_facade_oriente(cardinal_point::North, {5.0, 3.9}, *x), true},
      {"east", Compute_data_utils::contreventement_de_facade_oriente(cardinal_point::East, {-1.0, 3.9}, *x), false},
  });
}

// ---------------------------------------------------------------------------
// Iteration.

TEST(Iteration, PairsOfDistinctPositionsOnceEarlierFirst) {
  // Records the pairs it is called on and stops at the first one ending in `stop`.
  std::vector<std::pair<int, int>> seen;
  const auto record_until = [&seen](int stop) {
    return [&seen, stop](int a, int b) {
      seen.emplace_back(a, b);
      return b != stop;
    };
  };
  EXPECT_TRUE(Compute_data_utils::for_all_pair_rs(record_until(0), std::vector<int>{1, 2, 3}));
  EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 2}, {1, 3}, {2, 3}}));
  seen.clear();
  EXPECT_FALSE(Compute_data_utils::for_all_pair_rs(record_until(2), std::vector<int>{1, 2, 3}));
  EXPECT_EQ(seen.size(), 1u);
  seen.clear();
  EXPECT_TRUE(Compute_data_utils::for_all_pair(record_until(0), std::vector<int>{1, 2, 3}));
  EXPECT_EQ(seen.size(), 9u);
}

TEST(Iteration, LevelSearchesAndFacingWalls) {
  const Compute_data_types::niveau_plancher l = Compute_data::niveau_compute(niveau_plancher(
      plan_rect(10.0, 8.0), {mur({"M1n0", direction::X, 0.0, 0.0, 10.0}), mur({"M2n0", direction::Y, 9.8, 0.0, 8.0}),
                             mur({"M3n0", direction::X, 0.0, 4.0, 3.0})}));
  EXPECT_TRUE(Compute_data_utils::niveau_for_all_mur(
      [](const Compute_data_types::mur& m) { return m.mur_rectangle.height > 0.0; }, l));
  EXPECT_FALSE(Compute_data_utils::niveau_for_all_cvt(
      [](const Compute_data_types::mur& m) { return Compute_data_utils::mur_x(m); }, l));
  const auto found = Compute_data_utils::niveau_find_mur_opt(
      [](const Compute_data_types::mur& m) { return Compute_data_utils::mur_y(m); }, l);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(*found, l.niveau_murs[1]);
  EXPECT_FALSE(Compute_data_utils::niveau_exists_poteau([](const Compute_data_types::poteau&) { return true; }, l));
  EXPECT_EQ(Compute_data_utils::niveau_find_cvt_facade_south_opt(l),
            std::optional<Compute_data_types::mur_ref>{l.niveau_murs[0]});
  EXPECT_EQ(Compute_data_utils::niveau_find_cvt_facade_east_opt(l),
            std::optional<Compute_data_types::mur_ref>{l.niveau_murs[1]});
  EXPECT_FALSE(Compute_data_utils::niveau_find_cvt_facade_north_opt(l).has_value());
  EXPECT_FALSE(Compute_data_utils::niveau_find_cvt_facade_west_opt(l).has_value());
}

TEST(Iteration, PairsOfColumnsOfALevel) {
  Input_data_types::niveau_plancher in = niveau_plancher(plan_rect(10.0, 8.0));
  in.niveau_poteaux = {Input_data_types::poteau{{1.0, 1.0}, "C1n0"}, Input_data_types::poteau{{2.0, 2.0}, "C2n0"},
                       Input_data_types::poteau{{1.0005, 1.0}, "C3n0"}};
  const Compute_data_types::niveau_plancher l = Compute_data::niveau_compute(in);
  std::vector<std::string> seen;
  EXPECT_FALSE(Compute_data_utils::niveau_for_all_poteau_pair(
      [&](const Compute_data_types::poteau& a, const Compute_data_types::poteau& b) {
        seen.push_back(a.poteau_nom + "-" + b.poteau_nom);
        return !Compute_data_utils::poteau_dans_poteau(a, b);
      },
      l));
  EXPECT_EQ(seen, (std::vector<std::string>{"C1n0-C2n0", "C1n0-C3n0"}));
}

TEST(Iteration, EveryLevelOfTheBuilding) {
  const Compute_data_types::batiment b = Compute_data::input_batiment_pre_compute(batiment_r0());
  std::vector<std::string> noms_niveaux;
  EXPECT_TRUE(Compute_data_utils::batiment_for_all_niveau(
      [&](const auto& l) {
        noms_niveaux.push_back(l.niveau_nom);
        return true;
      },
      b));
  EXPECT_EQ(noms_niveaux, (std::vector<std::string>{"Nv0", "Nv1"}));
}

// ---------------------------------------------------------------------------
// Building-wide queries.

TEST(BuildingQueries, GroundFloorPlan) {
  Input_data_types::batiment in = batiment_r0();
  in.batiment_niveau_planchers[0].niveau_plan = plan_rect(10.0, 8.0, {retrait(2.0, 3.0, 8.0, 5.0)});
  const Compute_data_types::batiment b = Compute_data::input_batiment_pre_compute(in);
  EXPECT_EQ(Compute_data_utils::batiment_plan_rdc(b).plan_surface, 74.0);
  EXPECT_EQ(Compute_data_utils::batiment_surface(b), 74.0);

  in.batiment_niveau_planchers.clear();
  EXPECT_EQ(Compute_data_utils::batiment_surface(Compute_data::input_batiment_pre_compute(in)),
            80.0);  // the roof level's plan

  in.batiment_niveau_planchers = {niveau_plancher(plan_rect(10.0, 8.0), {}, 1)};
  const Compute_data_types::batiment no_ground = Compute_data::input_batiment_pre_compute(in);
  EXPECT_THROW(Compute_data_utils::batiment_plan_rdc(no_ground), Not_found);
}

TEST(BuildingQueries, MasonryOfWoodAndConcreteBuildings) {
  Input_data_types::batiment in = batiment_r0();
  const Compute_data_types::batiment brique = Compute_data::input_batiment_pre_compute(in);
  EXPECT_EQ(Compute_data_utils::batiment_maconnerie_categorie(brique),
            Quavor_data_types::maconnerie_categorie::Brique_creuse_8);
  EXPECT_EQ(Compute_data_utils::batiment_qualite_du_chainage(brique),
            Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA10);
  in.batiment_materiau = Quavor_data_types::Bois{};
  const Compute_data_types::batiment bois = Compute_data::input_batiment_pre_compute(in);
  EXPECT_EQ(fatal_message([&] { Compute_data_utils::batiment_maconnerie(bois); }),
            fatal_prefix + "les constructions en bois ne sont pas traitées");
  in.batiment_materiau = Quavor_data_types::Beton{};
  const Compute_data_types::batiment beton = Compute_data::input_batiment_pre_compute(in);
  EXPECT_EQ(fatal_message([&] { Compute_data_utils::batiment_qualite_du_chainage(beton); }),
            fatal_prefix + "les constructions en béton ne sont pas traitées");
}

TEST(BuildingQueries, FloorMasses) {
  using namespace Quavor_data_types;
  const std::vector<std::pair<plancher_categorie, double>> cases = {
      {Plancher_beton{dalle_beton_categorie::Dalle_beton}, 500.0},
      {Plancher_beton{dalle_beton_categorie::Dalle_BCA}, 400.0},
      {Plancher_beton{dalle_beton_categorie::Dalle_hourdis}, 320.0},
      {Plancher_bois{bois_categorie::Bois_feuillus}, 30.0},
  };
  for (const auto& [categorie, propre] : cases) {
    Input_data_types::plancher f = plancher_beton();
    f.plancher_categorie = categorie;
    const Compute_data_types::plancher p =
        Compute_data::niveau_plancher_compute(niveau_plancher(plan_rect(10.0, 8.0), {}, 0, f));
    EXPECT_NEAR(Compute_data_utils::plancher_masse_surfacique_propre(p), propre, 1e-9);
    EXPECT_NEAR(Compute_data_utils::plancher_masse_surfacique_permanente(p), propre + 150.0, 1e-9);
  }
}

// ---------------------------------------------------------------------------
// Set-once slots.

TEST(ClassificationSlots, BeamSupportIsSetOnce) {
  const Compute_data_types::poutre_ref b = poutre(0.0, 0.0, direction::X, 4.0);
  const Compute_data_types::poteau_ref c = poteau(0.0, 0.0);
  const Compute_data_types::mur_ref m = wall({"M1n0", direction::Y, 4.0, 0.0, 3.0});
  const Compute_data_types::poutre_fondement f{Compute_data_types::Appui_poteau{c}, Compute_data_types::Appui_mur{m}};
  Compute_data_utils::poutre_set_fondement(*b, f);
  ASSERT_TRUE(
      std::holds_alternative<Compute_data_types::Info<Compute_data_types::poutre_fondement>>(b->poutre_fondement));
  EXPECT_EQ(std::get<Compute_data_types::Info<Compute_data_types::poutre_fondement>>(b->poutre_fondement).value, f);
  EXPECT_EQ(fatal_message([&] { Compute_data_utils::poutre_set_fondement(*b, f); }),
            fatal_prefix + "Attempt to set already classified info");
  EXPECT_EQ(
      fatal_message([&] { Compute_data_utils::poutre_set_fondement_info(*b, Compute_data_types::Info_not_found{}); }),
      fatal_prefix + "Attempt to set already classified info");
}

TEST(ClassificationSlots, AnySlotThroughSetInfo) {
  Compute_data_types::retrait r = *Compute_data::retrait_compute(retrait(2.0, 3.0, 8.0, 5.0));
  Compute_data_utils::retrait_set_categorie_info(r, Compute_data_types::Info<Compute_data_types::retrait_categorie>{
                                                        Compute_data_types::retrait_categorie::Retrait_en_plan});
  EXPECT_THROW(Compute_data_utils::retrait_set_categorie_info(r, Compute_data_types::Info_irrelevant{}), Fatal_error);
  Compute_data_types::poteau c = *poteau(1.0, 1.0);
  Compute_data_utils::poteau_set_fondement_info(c, Compute_data_types::Info_irrelevant{});
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Info_irrelevant>(c.poteau_fondement));
}

TEST(NamesInTexts, NamesAreWrittenAsTheyAre) {
  Format::Printer ppf;
  Compute_data_utils::print_nom_entity(ppf, "M1n0");
  ppf.print_flush();
  EXPECT_EQ(ppf.contents(), "M1n0");
}

}  // namespace
