// Dimensions, surfaces and weighted centres taken from a description.
#include "description/input_data_utils.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace Input_data_types;
using namespace Input_data_utils;

mur wall(direction d, double lx, double ly) {
  return mur{mur_categorie::Mur_de_facade, {1.0, 2.0}, d, 1, mur_genre::Mur_primaire,
             {lx, ly, 2.5}, "M1n0", Sp_not_yet_computed{}};
}

retrait set_back(double w, double h, double x, double y) { return retrait{{w, h, {x, y}}, "R"}; }

plan rectangle_plan(double w, double h, std::vector<retrait> retraits = {}) {
  return plan{std::move(retraits), Base_rectangle{rectangle{w, h, {0.0, 0.0}}}, 0, "PLn0"};
}

void expect_point_pondere(const point_pondere& actual, double weight, double x, double y) {
  EXPECT_DOUBLE_EQ(actual.first, weight);
  EXPECT_DOUBLE_EQ(actual.second.p_x, x);
  EXPECT_DOUBLE_EQ(actual.second.p_y, y);
}

TEST(Input_data_utils_walls, LengthAndThicknessFollowTheDirection) {
  struct Case {
    direction d;
    double lx, ly;
    double longueur, epaisseur;
  };
  const std::vector<Case> cases = {
      {direction::X, 8.0, 0.2, 8.0, 0.2},
      {direction::Y, 0.2, 4.0, 4.0, 0.2},
      {direction::X, 0.2, 4.0, 0.2, 4.0},  // as declared, even when odd
  };
  for (const Case& c : cases) {
    mur m = wall(c.d, c.lx, c.ly);
    EXPECT_EQ(mur_longueur(m), c.longueur);
    EXPECT_EQ(mur_epaisseur(m), c.epaisseur);
    EXPECT_DOUBLE_EQ(mur_surface_au_sol(m), c.lx * c.ly);
    EXPECT_EQ(mur_lx(m), c.lx);
    EXPECT_EQ(mur_ly(m), c.ly);
    EXPECT_EQ(mur_lz(m), 2.5);
  }
}

TEST(Input_data_utils_walls, RectangleAndFields) {
  mur m = wall(direction::Y, 0.2, 4.0);
  EXPECT_EQ(mur_rectangle(m), (rectangle{0.2, 4.0, {1.0, 2.0}}));
  EXPECT_EQ(solide_position_rectangle({3.0, 1.0, 9.0}, {5.0, 6.0}), (rectangle{3.0, 1.0, {5.0, 6.0}}));
  EXPECT_EQ(mur_solide(m), (solide{0.2, 4.0, 2.5}));
  EXPECT_EQ(mur_position(m), (point{1.0, 2.0}));
  EXPECT_EQ(mur_direction(m), direction::Y);
  tremie t{{1.0, 1.0, {2.0, 2.0}}, "T"};
  EXPECT_EQ(tremie_rectangle(t), t.tremie_rectangle);
  poteau p{{3.0, 4.0}, "P"};
  EXPECT_EQ(poteau_position(p), (point{3.0, 4.0}));
  retrait r = set_back(1.0, 2.0, 3.0, 4.0);
  EXPECT_EQ(retrait_rectangle(r), r.retrait_rectangle);
  plan pl = rectangle_plan(10.0, 8.0);
  EXPECT_EQ(Input_data_utils::plan_base(pl), pl.plan_base);
}

TEST(Input_data_utils_centres, RectangleAndSetBacks) {
  expect_point_pondere(rectangle_centre_pondere({2.0, 3.0, {1.0, 1.0}}), 6.0, 2.0, 2.5);
  expect_point_pondere(centre_pondere_retrait(set_back(2.0, 3.0, 8.0, 5.0)), 6.0, 9.0, 6.5);
  // (6 at (9, 6.5)) and (2 at (1, 0.5)): weight 8, means 7 and 5.
  expect_point_pondere(
      centre_pondere_retraits({set_back(2.0, 3.0, 8.0, 5.0), set_back(2.0, 1.0, 0.0, 0.0)}), 8.0,
      7.0, 5.0);
  expect_point_pondere(barycentre_pondere({{1.0, {0.0, 0.0}}, {3.0, {4.0, 8.0}}}), 4.0, 3.0, 6.0);
}

TEST(Input_data_utils_plans, PlanWithoutSetBackIsItsBase) {
  plan p = rectangle_plan(10.0, 8.0);
  EXPECT_EQ(plan_surface(p), 80.0);
  EXPECT_EQ(plan_base_surface(p), 80.0);
  expect_point_pondere(plan_centre_pondere(p), 80.0, 5.0, 4.0);
  expect_point_pondere(centre_pondere_base(p.plan_base), 80.0, 5.0, 4.0);
}

TEST(Input_data_utils_plans, SetBackTakenOutOfTheBase) {
  plan p = rectangle_plan(10.0, 8.0, {set_back(2.0, 3.0, 8.0, 5.0)});
  EXPECT_EQ(retrait_surface(p.plan_retraits[0]), 6.0);
  EXPECT_EQ(plan_surface(p), 74.0);
  EXPECT_EQ(plan_base_surface(p), 80.0);
  // (80 at (5, 4)) minus (6 at (9, 6.5)).
  expect_point_pondere(plan_centre_pondere(p), 74.0, 346.0 / 74.0, 281.0 / 74.0);
}

TEST(Input_data_utils_plans, PlansOnPlansRecurse) {
  plan inner = rectangle_plan(10.0, 8.0, {set_back(2.0, 3.0, 8.0, 5.0)});
  plan middle{{set_back(1.0, 1.0, 0.0, 0.0)}, make_base_plan(inner), 1, "PLn1"};
  plan outer{{}, make_base_plan(middle), 2, "PLn2"};
  EXPECT_EQ(base_surface(middle.plan_base), 74.0);
  EXPECT_EQ(plan_base_surface(middle), 74.0);
  EXPECT_EQ(plan_surface(middle), 73.0);
  expect_point_pondere(centre_pondere_base(middle.plan_base), 74.0, 346.0 / 74.0, 281.0 / 74.0);
  // The inner centre (74 at (346/74, 281/74)) minus (1 at (0.5, 0.5)).
  expect_point_pondere(plan_centre_pondere(middle), 73.0, 345.5 / 73.0, 280.5 / 73.0);
  EXPECT_EQ(plan_surface(outer), 73.0);
  EXPECT_EQ(plan_base_surface(outer), 73.0);
  expect_point_pondere(plan_centre_pondere(outer), 73.0, 345.5 / 73.0, 280.5 / 73.0);
}

TEST(Input_data_utils_plans, SetBacksCoveringTheBaseHaveNoCentre) {
  plan p = rectangle_plan(2.0, 2.0, {set_back(2.0, 2.0, 0.0, 0.0)});
  EXPECT_EQ(plan_surface(p), 0.0);
  EXPECT_THROW(plan_centre_pondere(p), Fatal_error);
}

TEST(Input_data_utils_plans, UnsetBasePlanIsAnInternalError) {
  plan p{{}, Base_plan{}, 1, "PLn1"};
  EXPECT_THROW(plan_surface(p), Assertion_failure);
}

TEST(Input_data_utils_roofs, OnlyHeavyRoofsHaveOpenings) {
  tremie t{{1.0, 1.0, {2.0, 2.0}}, "T1n0"};
  type_toiture lourde = Toiture_lourde{toiture_lourde{dalle_beton_categorie::Dalle_beton, 0.2, {t}}};
  type_toiture legere = Toiture_legere{bois_categorie::Bois_resineux};
  EXPECT_EQ(toiture_categorie_tremies(lourde), std::vector<tremie>{t});
  EXPECT_TRUE(toiture_categorie_tremies(legere).empty());
}

}  // namespace
