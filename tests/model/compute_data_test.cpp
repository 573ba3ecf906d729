// Derivation of the computed model: elements, plans and their contours,
// floors and roofs, wall classifications and totals, the building.
#include "model/compute_data.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "config/quavor_configuration.hpp"
#include "model/compute_data_utils.hpp"
#include "model/model_fixtures.hpp"
#include "text/exceptions.hpp"

namespace {

using namespace Model_fixtures;
using Quavor_pervasives_types::cardinal_point;

constexpr double eps = 1e-9;

// A segment as (x, y) of its position, then (x, y) of its vertex.
using Seg = std::array<double, 4>;

void expect_segments(const Compute_data_types::segments& actual, const std::vector<Seg>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Compute_data_types::segment& s = actual[i];
    const Seg& e = expected[i];
    EXPECT_NEAR(s.s_position.p_x, e[0], eps) << "segment " << i;
    EXPECT_NEAR(s.s_position.p_y, e[1], eps) << "segment " << i;
    EXPECT_NEAR(s.s_vertex.p_x, e[2], eps) << "segment " << i;
    EXPECT_NEAR(s.s_vertex.p_y, e[3], eps) << "segment " << i;
    EXPECT_NEAR(s.s_length, std::hypot(e[2] - e[0], e[3] - e[1]), eps) << "segment " << i;
    const auto d = e[0] == e[2] ? Compute_data_types::direction::Y : Compute_data_types::direction::X;
    EXPECT_EQ(s.s_direction, d) << "segment " << i;
  }
}

void expect_point_pondere(const Compute_data_types::point_pondere& c, double w, double x, double y) {
  EXPECT_NEAR(c.first, w, eps);
  EXPECT_NEAR(c.second.p_x, x, eps);
  EXPECT_NEAR(c.second.p_y, y, eps);
}

// ---------------------------------------------------------------------------
// Elements.

TEST(ElementBuilders, WallRectangleHeightAndGroundSurface) {
  const Compute_data_types::mur_ref x = Compute_data::mur_compute(mur({"M1n0", direction::X, 1.0, 2.0, 4.0, 0.2}));
  EXPECT_EQ(x->mur_rectangle.width, 4.0);
  EXPECT_EQ(x->mur_rectangle.height, 0.2);
  EXPECT_EQ(x->mur_rectangle.position, (Compute_data_types::point{1.0, 2.0}));
  EXPECT_EQ(x->mur_rectangle.vertices.vertex_ne, (Compute_data_types::point{5.0, 2.2}));
  EXPECT_EQ(x->mur_hauteur, 2.5);
  EXPECT_NEAR(x->mur_surface_au_sol, 0.8, eps);
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Info_unset>(x->mur_fondement));
  EXPECT_EQ(x->mur_nom, "M1n0");
  EXPECT_EQ(x->mur_direction, Compute_data_types::direction::X);

  const Compute_data_types::mur_ref y = Compute_data::mur_compute(mur({"M2n0", direction::Y, 0.0, 0.0, 3.0, 0.25}));
  EXPECT_EQ(y->mur_rectangle.width, 0.25);
  EXPECT_EQ(y->mur_rectangle.height, 3.0);
  EXPECT_NEAR(y->mur_surface_au_sol, 0.75, eps);
}

TEST(ElementBuilders, BeamSegmentFromOriginAlongDirection) {
  const Input_data_types::poutre px{{1.0, 2.0}, direction::X, 3.0, 4, "B1n0"};
  const Compute_data_types::poutre_ref bx = Compute_data::poutre_compute(px);
  EXPECT_EQ(bx->poutre_segment.s_vertex, (Compute_data_types::point{4.0, 2.0}));
  EXPECT_EQ(bx->poutre_segment.s_length, 3.0);
  EXPECT_EQ(bx->poutre_numero, 4);
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Info_unset>(bx->poutre_fondement));
  const Input_data_types::poutre py{{1.0, 2.0}, direction::Y, 3.0, 5, "B2n0"};
  EXPECT_EQ(Compute_data::poutre_compute(py)->poutre_segment.s_vertex, (Compute_data_types::point{1.0, 5.0}));
}

TEST(ElementBuilders, ColumnOpeningBalconySetBack) {
  const Compute_data_types::poteau_ref c = Compute_data::poteau_compute(Input_data_types::poteau{{3.0, 4.0}, "C1n0"});
  EXPECT_EQ(c->poteau_position, (Compute_data_types::point{3.0, 4.0}));
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Info_unset>(c->poteau_fondement));

  const Compute_data_types::tremie t =
      Compute_data::tremie_compute(Input_data_types::tremie{rect(2.0, 1.0, 1.0, 1.0), "T1n0"});
  expect_point_pondere(t.tremie_centre, 2.0, 2.0, 1.5);
  const Compute_data_types::balcon b =
      Compute_data::balcon_compute(Input_data_types::balcon{rect(3.0, 2.0, 10.0, 0.0), "B1n0"});
  expect_point_pondere(b.balcon_centre, 6.0, 11.5, 1.0);

  const Compute_data_types::retrait_ref r = Compute_data::retrait_compute(retrait(2.0, 3.0, 8.0, 5.0));
  EXPECT_EQ(r->retrait_surface, 6.0);
  EXPECT_EQ(r->retrait_centre, (Compute_data_types::point{9.0, 6.5}));
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Info_unset>(r->retrait_categorie));
}

// ---------------------------------------------------------------------------
// Plans.

TEST(PlanCompute, RectangleWithoutSetBack) {
  const Compute_data_types::plan p = Compute_data::plan_compute(plan_rect(10.0, 8.0));
  expect_segments(p.plan_contour, {{0, 0, 10, 0}, {10, 0, 10, 8}, {0, 8, 10, 8}, {0, 0, 0, 8}});
  expect_segments(p.plan_contour_x, {{0, 0, 10, 0}, {0, 8, 10, 8}});
  expect_segments(p.plan_contour_y, {{10, 0, 10, 8}, {0, 0, 0, 8}});
  expect_point_pondere(p.plan_centre, 80.0, 5.0, 4.0);
  EXPECT_EQ(p.plan_surface, 80.0);
  EXPECT_EQ(p.plan_base_surface, 80.0);
  EXPECT_EQ(p.plan_min_x, 0.0);
  EXPECT_EQ(p.plan_max_x, 10.0);
  EXPECT_EQ(p.plan_min_y, 0.0);
  EXPECT_EQ(p.plan_max_y, 8.0);
  EXPECT_EQ(p.plan_width, 10.0);
  EXPECT_EQ(p.plan_height, 8.0);
  EXPECT_EQ(p.plan_base_width, 10.0);
  EXPECT_EQ(p.plan_base_height, 8.0);
  EXPECT_EQ(p.plan_nom, "P0");
  EXPECT_EQ(p.plan_etage, 0);
}

TEST(PlanCompute, CornerSetBackNotchesTheContour) {
  const Compute_data_types::plan p = Compute_data::plan_compute(plan_rect(10.0, 8.0, {retrait(2.0, 3.0, 8.0, 5.0)}));
  // South and west edges stay; the set-back's west edge, the rest of the
  // north edge, the rest of the east edge and the set-back's south edge
  // follow, most recently added first.
  expect_segments(p.plan_contour,
                  {{0, 0, 10, 0}, {0, 0, 0, 8}, {8, 5, 8, 8}, {0, 8, 8, 8}, {10, 0, 10, 5}, {8, 5, 10, 5}});
  expect_segments(p.plan_contour_x, {{0, 0, 10, 0}, {0, 8, 8, 8}, {8, 5, 10, 5}});
  expect_segments(p.plan_contour_y, {{0, 0, 0, 8}, {8, 5, 8, 8}, {10, 0, 10, 5}});
  EXPECT_EQ(p.plan_surface, 74.0);
  EXPECT_EQ(p.plan_base_surface, 80.0);
  // (80 * (5, 4) - 6 * (9, 6.5)) / 74
  expect_point_pondere(p.plan_centre, 74.0, 346.0 / 74.0, 281.0 / 74.0);
  EXPECT_EQ(p.plan_width, 10.0);
  EXPECT_EQ(p.plan_height, 8.0);
  ASSERT_EQ(p.plan_retraits.size(), 1u);
  EXPECT_EQ(p.plan_retraits[0]->retrait_surface, 6.0);
}

TEST(PlanCompute, SetBackInsideTheBaseAddsItsFourEdges) {
  const Compute_data_types::plan p = Compute_data::plan_compute(plan_rect(10.0, 8.0, {retrait(2.0, 2.0, 4.0, 3.0)}));
  expect_segments(p.plan_contour, {{0, 0, 10, 0},
                                   {10, 0, 10, 8},
                                   {0, 8, 10, 8},
                                   {0, 0, 0, 8},
                                   {4, 3, 4, 5},
                                   {4, 5, 6, 5},
                                   {6, 3, 6, 5},
                                   {4, 3, 6, 3}});
  EXPECT_EQ(p.plan_surface, 76.0);
}

TEST(PlanCompute, SetBackAlongTheMiddleOfASideSplitsIt) {
  const Compute_data_types::plan p = Compute_data::plan_compute(plan_rect(10.0, 8.0, {retrait(2.0, 2.0, 8.0, 3.0)}));
  // The east edge loses (10, 3)-(10, 5): both remainders join the contour.
  expect_segments(p.plan_contour, {{0, 0, 10, 0},
                                   {0, 8, 10, 8},
                                   {0, 0, 0, 8},
                                   {8, 3, 8, 5},
                                   {8, 5, 10, 5},
                                   {10, 5, 10, 8},
                                   {10, 0, 10, 3},
                                   {8, 3, 10, 3}});
}

TEST(PlanCompute, PlanOnAPlanFoldsOverTheInnerContour) {
  const Input_data_types::plan inner = plan_rect(10.0, 8.0, {retrait(2.0, 3.0, 8.0, 5.0, "R1n0")});
  const Compute_data_types::plan p =
      Compute_data::plan_compute(plan_on_plan(inner, {retrait(2.0, 2.0, 0.0, 6.0, "R1n1")}));
  expect_segments(p.plan_contour, {{0, 0, 10, 0},
                                   {8, 5, 8, 8},
                                   {10, 0, 10, 5},
                                   {8, 5, 10, 5},
                                   {0, 0, 0, 6},
                                   {2, 8, 8, 8},
                                   {2, 6, 2, 8},
                                   {0, 6, 2, 6}});
  EXPECT_EQ(p.plan_base_surface, 74.0);
  EXPECT_EQ(p.plan_surface, 70.0);
  expect_point_pondere(p.plan_centre, 70.0, 342.0 / 70.0, 253.0 / 70.0);
  EXPECT_EQ(p.plan_base_width, 10.0);
  EXPECT_EQ(p.plan_base_height, 8.0);
  ASSERT_TRUE(std::holds_alternative<Compute_data_types::Base_plan>(p.plan_base));
  EXPECT_EQ(std::get<Compute_data_types::Base_plan>(p.plan_base).inner().plan_surface, 74.0);
}

TEST(PlanCompute, NarrowerUpperPlanHasSmallerWidthThanItsBase) {
  // A set-back over the whole east strip narrows the plan.
  const Compute_data_types::plan p = Compute_data::plan_compute(plan_rect(10.0, 8.0, {retrait(2.0, 8.0, 8.0, 0.0)}));
  EXPECT_EQ(p.plan_width, 8.0);
  EXPECT_EQ(p.plan_base_width, 10.0);
  EXPECT_EQ(p.plan_height, 8.0);
  EXPECT_EQ(p.plan_surface, 64.0);
}

TEST(PlanCompute, SetBacksCoveringNothingStopOnTheNullWeight) {
  // A set-back of no area gives a weighted mean over a null total weight.
  EXPECT_THROW(Compute_data::plan_compute(plan_rect(10.0, 8.0, {retrait(0.0, 0.0, 5.0, 5.0)})), Fatal_error);
}

// ---------------------------------------------------------------------------
// Floors and roofs.

TEST(FloorCompute, BalconiesAddAndOpeningsRemoveSurface) {
  const Input_data_types::plancher f = plancher_beton({Input_data_types::tremie{rect(2.0, 2.0, 2.0, 2.0), "T1n0"}},
                                                      {Input_data_types::balcon{rect(3.0, 2.0, 10.0, 0.0), "B1n0"}});
  const Compute_data_types::plancher p =
      Compute_data::niveau_plancher_compute(niveau_plancher(plan_rect(10.0, 8.0), {}, 0, f));
  EXPECT_EQ(p.plancher_surface, 82.0);
  EXPECT_EQ(p.plancher_diaphragme_surface, 86.0);
  // (6 * (11.5, 1) - 4 * (3, 3) + 80 * (5, 4)) / 82
  expect_point_pondere(p.plancher_centre, 82.0, 457.0 / 82.0, 314.0 / 82.0);
  EXPECT_EQ(p.plancher_epaisseur, 0.2);
  EXPECT_EQ(p.plancher_charge_revetement, 100.0);
  EXPECT_EQ(p.plancher_charge_cloison, 50.0);
  ASSERT_EQ(p.plancher_balcons.size(), 1u);
  ASSERT_EQ(p.plancher_tremies.size(), 1u);
  EXPECT_EQ(p.plancher_plan.plan_surface, 80.0);
}

TEST(FloorCompute, FloorWithoutOpeningsOrBalconiesHasThePlanCentre) {
  const Compute_data_types::plancher p = Compute_data::niveau_plancher_compute(niveau_plancher(plan_rect(10.0, 8.0)));
  expect_point_pondere(p.plancher_centre, 80.0, 5.0, 4.0);
  EXPECT_EQ(p.plancher_surface, 80.0);
}

TEST(RoofCompute, LightRoofHasNoOpeningsAndNoThickness) {
  const Compute_data_types::toiture t = Compute_data::toiture_compute(niveau_toit(plan_rect(10.0, 8.0)));
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Toiture_legere>(t.toiture_categorie));
  EXPECT_EQ(t.toiture_epaisseur, 0.0);
  EXPECT_TRUE(t.toiture_tremies.empty());
  EXPECT_EQ(t.toiture_hauteur, 1.5);
  EXPECT_EQ(t.toiture_surface, 80.0);
}

TEST(RoofCompute, HeavyRoofOpeningsMoveTheCentreButNotTheSurface) {
  const Input_data_types::toiture_lourde slab{Quavor_data_types::dalle_beton_categorie::Dalle_BCA, 0.16,
                                              {Input_data_types::tremie{rect(2.0, 2.0, 2.0, 2.0), "T1n1"}}};
  const Input_data_types::toiture roof{Input_data_types::Toiture_lourde{slab}, 2.0,
                                       {Input_data_types::balcon{rect(3.0, 2.0, 10.0, 0.0), "B1n1"}}};
  const Compute_data_types::toiture t = Compute_data::toiture_compute(niveau_toit(plan_rect(10.0, 8.0), {}, 1, roof));
  ASSERT_TRUE(std::holds_alternative<Compute_data_types::Toiture_lourde>(t.toiture_categorie));
  EXPECT_EQ(std::get<Compute_data_types::Toiture_lourde>(t.toiture_categorie).value,
            (Compute_data_types::toiture_lourde{Quavor_data_types::dalle_beton_categorie::Dalle_BCA, 0.16}));
  EXPECT_EQ(t.toiture_epaisseur, 0.16);
  EXPECT_EQ(t.toiture_surface, 80.0);
  ASSERT_EQ(t.toiture_tremies.size(), 1u);
  expect_point_pondere(t.toiture_centre, 82.0, 457.0 / 82.0, 314.0 / 82.0);
}

// ---------------------------------------------------------------------------
// Levels.

// Four facade walls around a 10 x 8 plan, a bracing inner wall, a secondary
// inner wall and a secondary wall declared facade that stands inside.
Input_data_types::niveau_plancher classified_level() {
  const auto refend = mur_categorie::Mur_en_refend;
  const auto secondaire = mur_genre::Mur_secondaire;
  return niveau_plancher(plan_rect(10.0, 8.0),
                         {mur({"M1n0", direction::X, 0.0, 0.0, 10.0}),
                          mur({"M2n0", direction::X, 0.0, 7.8, 10.0}),
                          mur({"M3n0", direction::Y, 0.0, 0.2, 7.6}),
                          mur({"M4n0", direction::Y, 9.8, 0.2, 7.6}),
                          mur({"M5n0", direction::X, 0.2, 4.0, 4.0, 0.2, mur_genre::Mur_primaire, refend}),
                          mur({"M6n0", direction::Y, 5.0, 0.2, 3.8, 0.2, secondaire, refend}),
                          mur({"M7n0", direction::X, 5.0, 2.0, 3.0, 0.2, secondaire})});
}

TEST(LevelCompute, DeclaredAndComputedClassifications) {
  const Compute_data_types::niveau_plancher l = Compute_data::niveau_compute(classified_level());
  using V = std::vector<std::string>;
  EXPECT_EQ(noms(l.niveau_murs), (V{"M1n0", "M2n0", "M3n0", "M4n0", "M5n0", "M6n0", "M7n0"}));
  EXPECT_EQ(noms(l.murs_refend_declares), (V{"M5n0", "M6n0"}));
  EXPECT_EQ(noms(l.murs_facade_declares), (V{"M1n0", "M2n0", "M3n0", "M4n0", "M7n0"}));
  EXPECT_EQ(noms(l.murs_facade_calcules), (V{"M1n0", "M2n0", "M3n0", "M4n0"}));
  // x walls first, then y walls.
  EXPECT_EQ(noms(l.murs_refend_calcules), (V{"M5n0", "M7n0", "M6n0"}));
  EXPECT_EQ(noms(l.cvts), (V{"M1n0", "M2n0", "M3n0", "M4n0", "M5n0"}));
  EXPECT_EQ(noms(l.cvts_x), (V{"M1n0", "M2n0", "M5n0"}));
  EXPECT_EQ(noms(l.cvts_y), (V{"M3n0", "M4n0"}));
  EXPECT_EQ(noms(l.cvts_x_facade_declares), (V{"M1n0", "M2n0"}));
  EXPECT_EQ(noms(l.cvts_y_facade_declares), (V{"M3n0", "M4n0"}));
  EXPECT_EQ(noms(l.cvts_x_refend_declares), (V{"M5n0"}));
  EXPECT_EQ(noms(l.cvts_y_refend_declares), V{});
  EXPECT_EQ(noms(l.cvts_x_refend_calcules), (V{"M5n0"}));
  EXPECT_EQ(noms(l.cvts_y_refend_calcules), V{});
  EXPECT_EQ(noms(l.cvts_x_facade_calcules), (V{"M1n0", "M2n0"}));
  EXPECT_EQ(noms(l.cvts_y_facade_calcules), (V{"M3n0", "M4n0"}));
}

TEST(LevelCompute, FacingListsComparePositionWithThePlanCentre) {
  const Compute_data_types::niveau_plancher l = Compute_data::niveau_compute(classified_level());
  using V = std::vector<std::string>;
  EXPECT_EQ(noms(l.cvts_x_facade_north), (V{"M2n0"}));
  EXPECT_EQ(noms(l.cvts_x_facade_south), (V{"M1n0"}));
  EXPECT_EQ(noms(l.cvts_y_facade_east), (V{"M4n0"}));
  EXPECT_EQ(noms(l.cvts_y_facade_west), (V{"M3n0"}));
}

TEST(LevelCompute, Totals) {
  const Compute_data_types::niveau_plancher l = Compute_data::niveau_compute(classified_level());
  EXPECT_NEAR(l.lt_cvts_x, 24.0, eps);
  EXPECT_NEAR(l.lt_cvts_y, 15.2, eps);
  EXPECT_NEAR(l.lt_cvts, 39.2, eps);
  EXPECT_NEAR(l.lt_cvts_x_refend_calcules, 4.0, eps);
  EXPECT_EQ(l.lt_cvts_y_refend_calcules, 0.0);
  EXPECT_NEAR(l.lt_cvts_refend_calcules, 4.0, eps);
  EXPECT_NEAR(l.st_cvts_x, 4.8, eps);
  EXPECT_NEAR(l.st_cvts_y, 3.04, eps);
  EXPECT_EQ(l.n_cvts_x, 3);
  EXPECT_EQ(l.n_cvts_y, 2);
}

TEST(LevelCompute, ListsShareTheWallsOfTheLevel) {
  const Compute_data_types::niveau_plancher l = Compute_data::niveau_compute(classified_level());
  EXPECT_EQ(l.cvts_x_facade_north[0], l.niveau_murs[1]);
  EXPECT_EQ(l.cvts[4], l.niveau_murs[4]);
}

TEST(LevelCompute, FloorAndLevelShareOnePlan) {
  const Compute_data_types::niveau_plancher l =
      Compute_data::niveau_compute(niveau_plancher(plan_rect(10.0, 8.0, {retrait(2.0, 3.0, 8.0, 5.0)})));
  EXPECT_EQ(l.niveau_plan, l.niveau_categorie.plancher_plan);
  EXPECT_EQ(l.niveau_plan.plan_retraits[0], l.niveau_categorie.plancher_plan.plan_retraits[0]);
  EXPECT_EQ(l.niveau_hauteur, 2.5);
  EXPECT_EQ(l.niveau_etage, 0);
  EXPECT_EQ(l.niveau_nom, "Nv0");
}

TEST(LevelCompute, WallLevelWithTheCentreFacesNeitherWay) {
  // On a plan 0.4 deep the centre is at y = 0.2: the wall at y = 0.2 is on
  // the north facade but level with the centre.
  const Compute_data_types::niveau_plancher l = Compute_data::niveau_compute(
      niveau_plancher(plan_rect(10.0, 0.4),
                      {mur({"M1n0", direction::X, 0.0, 0.2, 10.0}), mur({"M2n0", direction::X, 0.0, 0.0, 10.0})}));
  using V = std::vector<std::string>;
  EXPECT_EQ(noms(l.cvts_x_facade_calcules), (V{"M1n0", "M2n0"}));
  EXPECT_EQ(noms(l.cvts_x_facade_north), V{});
  EXPECT_EQ(noms(l.cvts_x_facade_south), (V{"M2n0"}));
}

TEST(LevelCompute, LevelWithoutBracingWallAlongX) {
  const Compute_data_types::niveau_plancher l =
      Compute_data::niveau_compute(niveau_plancher(plan_rect(10.0, 8.0), {mur({"M1n0", direction::Y, 0.0, 0.0, 8.0})}));
  EXPECT_EQ(l.n_cvts_x, 0);
  EXPECT_EQ(l.lt_cvts_x, 0.0);
  EXPECT_EQ(l.st_cvts_x, 0.0);
  EXPECT_EQ(l.n_cvts_y, 1);
  EXPECT_EQ(l.lt_cvts_y, 8.0);
}

TEST(LevelCompute, WallOnASetBackEdgeIsOnTheFacade) {
  // The set-back's south edge (8, 5)-(10, 5) is contour: an x wall below it
  // touches it with its north edge.
  const Compute_data_types::niveau_plancher l = Compute_data::niveau_compute(niveau_plancher(
      plan_rect(10.0, 8.0, {retrait(2.0, 3.0, 8.0, 5.0)}), {mur({"M1n0", direction::X, 8.0, 4.8, 2.0})}));
  ASSERT_EQ(l.murs_facade_calcules.size(), 1u);
  const auto c = Compute_data_utils::mur_contact_contour_plan_option(*l.niveau_murs[0], l.niveau_plan);
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->contact_side, cardinal_point::North);
}

TEST(LevelCompute, RoofLevelUsesTheRoofBuilder) {
  const Compute_data_types::niveau_toit l = Compute_data::niveau_compute(niveau_toit(plan_rect(10.0, 8.0)));
  EXPECT_EQ(l.niveau_categorie.toiture_surface, 80.0);
  EXPECT_EQ(l.niveau_etage, 1);
  EXPECT_EQ(l.niveau_nom, "Nv1");
}

// ---------------------------------------------------------------------------
// The building.

struct Slope_case {
  double pourcentage;
  double facteur;
  bool justification;
};

TEST(BuildingCompute, SlopeNeedsJustificationStrictlyAboveTenPercent) {
  for (const Slope_case& c : {Slope_case{10.0, 0.1, false}, Slope_case{10.05, 0.1005, true},
                              Slope_case{10.2, 0.102, true}, Slope_case{9.9, 0.099, false},
                              Slope_case{0.0, 0.0, false}}) {
    const Compute_data_types::batiment_implantation i = Compute_data::input_batiment_implantation_compute(
        Input_data_types::batiment_implantation{Quavor_data_types::sol_categorie::Sol_C, c.pourcentage});
    EXPECT_NEAR(i.implantation_pente, c.facteur, 1e-12) << c.pourcentage;
    EXPECT_EQ(i.implantation_pente_needs_justification, c.justification) << c.pourcentage;
    EXPECT_EQ(i.implantation_sol, Quavor_data_types::sol_categorie::Sol_C);
  }
}

TEST(BuildingCompute, ReportFileNameReplacesTheExtension) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"house.qvb", "house.qvr"},
      {"-", "-"},
      {"dir/house.qvb", "dir/house.qvr"},
      {"dir.d/house", "dir.d/house.qvr"},
      {"a/b.c.qvb", "a/b.c.qvr"},
      {"C:\\Users\\x\\h.qvb", "C:\\Users\\x\\h.qvr"},
      {"house", "house.qvr"},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(Compute_data::report_file_name_compute(name), expected) << name;
}

TEST(BuildingCompute, BasementAndMaterial) {
  EXPECT_EQ(Compute_data::sous_sol_option_compute(std::nullopt),
            Compute_data_types::sous_sol{Compute_data_types::Soubassement{}});
  EXPECT_EQ(Compute_data::sous_sol_option_compute(Quavor_data_types::Sous_sol{2.2}),
            Compute_data_types::sous_sol{Compute_data_types::Sous_sol{2.2}});
  EXPECT_EQ(Compute_data::materiau_categorie_compute(Quavor_data_types::Bois{}),
            Compute_data_types::materiau_categorie{Quavor_data_types::Bois{}});
  const Quavor_data_types::materiau_categorie m = Quavor_data_types::Maconnerie{maconnerie()};
  EXPECT_EQ(Compute_data::materiau_categorie_compute(m), m);
}

TEST(BuildingCompute, WholeBuilding) {
  const Compute_data_types::batiment b = Compute_data::input_batiment_pre_compute(batiment_r0(12.0));
  EXPECT_EQ(b.batiment_nombre_etages, 1);
  EXPECT_EQ(b.batiment_report_file_name, "house.qvr");
  EXPECT_EQ(b.batiment_file_name, "house.qvb");
  EXPECT_EQ(b.batiment_type, Quavor_data_types::batiment_type::R0);
  EXPECT_EQ(b.batiment_localisation, "Nice");
  EXPECT_NEAR(b.batiment_implantation.implantation_pente, 0.12, 1e-12);
  EXPECT_TRUE(b.batiment_implantation.implantation_pente_needs_justification);
  EXPECT_EQ(b.batiment_zone_de_sismicite, Quavor_data_types::zone_de_sismicite::Zone3);
  EXPECT_EQ(b.batiment_largeur, 8.0);
  EXPECT_EQ(b.batiment_longueur, 10.0);
  EXPECT_EQ(b.batiment_hauteur, 3.0);
  EXPECT_EQ(b.batiment_hauteur_max_par_niveau, 3.0);
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Soubassement>(b.batiment_sous_sol));
  ASSERT_EQ(b.batiment_niveau_planchers.size(), 1u);
  EXPECT_EQ(b.batiment_niveau_planchers[0].niveau_plan.plan_surface, 80.0);
  EXPECT_EQ(b.batiment_niveau_toit.niveau_etage, 1);
  EXPECT_EQ(Compute_data::pre_compute_batiment_compute_infos(b), b);
  const Compute_data_types::input_data d =
      Compute_data::input_data_compute(Input_data_types::input_data{batiment_r0()});
  EXPECT_EQ(d.batiment.batiment_nombre_etages, 1);
}

// ---------------------------------------------------------------------------
// Helpers.

TEST(ComputeDataHelpers, AddOptionPrepends) {
  EXPECT_EQ(Compute_data::add_option(std::optional<int>{1}, {2, 3}), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Compute_data::add_option(std::optional<int>{}, {2, 3}), (std::vector<int>{2, 3}));
}

TEST(ComputeDataHelpers, CentrePondereF) {
  const std::vector<Compute_data_types::point_pondere> v = {{2.0, {0.0, 0.0}}, {6.0, {4.0, 8.0}}};
  expect_point_pondere(Compute_data::centre_pondere_f([](const Compute_data_types::point_pondere& p) { return p; }, v),
                       8.0, 3.0, 6.0);
}

}  // namespace
