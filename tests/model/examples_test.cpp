// The computed model of the example descriptions, against values worked
// out by hand from the files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "description/input_data_types_read.hpp"
#include "model/compute_data.hpp"
#include "model/compute_data_utils.hpp"
#include "model/model_fixtures.hpp"
#include "text/scanning.hpp"

namespace {

using Model_fixtures::noms;
using V = std::vector<std::string>;

constexpr double eps = 1e-9;

Compute_data_types::input_data compute_example(const std::string& name) {
  Scanning::Scanbuf ib = Scanning::Scanbuf::from_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/" + name);
  return Compute_data::input_data_compute(Input_data_types_read::scanner_input_data(ib));
}

void expect_segment(const Compute_data_types::segment& s, double x1, double y1, double x2, double y2) {
  EXPECT_NEAR(s.s_position.p_x, x1, eps);
  EXPECT_NEAR(s.s_position.p_y, y1, eps);
  EXPECT_NEAR(s.s_vertex.p_x, x2, eps);
  EXPECT_NEAR(s.s_vertex.p_y, y2, eps);
}

// The 12 x 9 plan with the 2 x 2 set-back at its north-east corner.
void expect_notched_plan(const Compute_data_types::plan& p) {
  ASSERT_EQ(p.plan_contour.size(), 6u);
  expect_segment(p.plan_contour[0], 0, 0, 12, 0);
  expect_segment(p.plan_contour[1], 0, 0, 0, 9);
  expect_segment(p.plan_contour[2], 10, 7, 10, 9);
  expect_segment(p.plan_contour[3], 0, 9, 10, 9);
  expect_segment(p.plan_contour[4], 12, 0, 12, 7);
  expect_segment(p.plan_contour[5], 10, 7, 12, 7);
  EXPECT_EQ(p.plan_contour_x.size(), 3u);
  EXPECT_EQ(p.plan_contour_y.size(), 3u);
  EXPECT_NEAR(p.plan_surface, 104.0, eps);
  // (108 * (6, 4.5) - 4 * (11, 8)) / 104
  EXPECT_NEAR(p.plan_centre.first, 104.0, eps);
  EXPECT_NEAR(p.plan_centre.second.p_x, 604.0 / 104.0, eps);
  EXPECT_NEAR(p.plan_centre.second.p_y, 454.0 / 104.0, eps);
  EXPECT_EQ(p.plan_width, 12.0);
  EXPECT_EQ(p.plan_height, 9.0);
  EXPECT_EQ(p.plan_base_width, 12.0);
  EXPECT_EQ(p.plan_base_height, 9.0);
}

// Both examples have the same eight walls on their ground level; the
// R1 example repeats them on its roof level with the suffix n1.
template <class C>
void expect_house_walls(const Compute_data_types::niveau<C>& l, const std::string& n) {
  auto s = [&](std::vector<std::string> names) {
    for (std::string& name : names) name += n;
    return names;
  };
  EXPECT_EQ(noms(l.niveau_murs), s({"MS1", "MS2", "MN1", "MN2", "MI1", "MO1", "ME1", "MI2"}));
  EXPECT_EQ(noms(l.murs_refend_declares), s({"MI1", "MI2"}));
  EXPECT_EQ(noms(l.murs_facade_declares), s({"MS1", "MS2", "MN1", "MN2", "MO1", "ME1"}));
  EXPECT_EQ(noms(l.murs_facade_calcules), s({"MS1", "MS2", "MN1", "MN2", "MO1", "ME1"}));
  EXPECT_EQ(noms(l.murs_refend_calcules), s({"MI1", "MI2"}));
  EXPECT_EQ(noms(l.cvts), noms(l.niveau_murs));
  EXPECT_EQ(noms(l.cvts_x), s({"MS1", "MS2", "MN1", "MN2", "MI1"}));
  EXPECT_EQ(noms(l.cvts_y), s({"MO1", "ME1", "MI2"}));
  EXPECT_EQ(noms(l.cvts_x_facade_declares), s({"MS1", "MS2", "MN1", "MN2"}));
  EXPECT_EQ(noms(l.cvts_y_facade_declares), s({"MO1", "ME1"}));
  EXPECT_EQ(noms(l.cvts_x_refend_declares), s({"MI1"}));
  EXPECT_EQ(noms(l.cvts_y_refend_declares), s({"MI2"}));
  EXPECT_EQ(noms(l.cvts_x_refend_calcules), s({"MI1"}));
  EXPECT_EQ(noms(l.cvts_y_refend_calcules), s({"MI2"}));
  EXPECT_EQ(noms(l.cvts_x_facade_calcules), s({"MS1", "MS2", "MN1", "MN2"}));
  EXPECT_EQ(noms(l.cvts_y_facade_calcules), s({"MO1", "ME1"}));
  EXPECT_EQ(noms(l.cvts_x_facade_north), s({"MN1", "MN2"}));
  EXPECT_EQ(noms(l.cvts_x_facade_south), s({"MS1", "MS2"}));
  EXPECT_EQ(noms(l.cvts_y_facade_east), s({"ME1"}));
  EXPECT_EQ(noms(l.cvts_y_facade_west), s({"MO1"}));
  EXPECT_NEAR(l.lt_cvts_x, 21.3, eps);
  EXPECT_NEAR(l.lt_cvts_y, 18.1, eps);
  EXPECT_NEAR(l.lt_cvts, 39.4, eps);
  EXPECT_NEAR(l.lt_cvts_x_refend_calcules, 3.0, eps);
  EXPECT_NEAR(l.lt_cvts_y_refend_calcules, 3.0, eps);
  EXPECT_NEAR(l.lt_cvts_refend_calcules, 6.0, eps);
  EXPECT_NEAR(l.st_cvts_x, 4.26, eps);
  EXPECT_NEAR(l.st_cvts_y, 3.62, eps);
  EXPECT_EQ(l.n_cvts_x, 5);
  EXPECT_EQ(l.n_cvts_y, 3);
  // The east wall touches the contour piece left of the east side.
  const auto c = Compute_data_utils::mur_contact_contour_plan_option(*l.niveau_murs[6], l.niveau_plan);
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->contact_side, Compute_data_types::cardinal_point::East);
  expect_segment(c->contact_contour, 12, 0, 12, 7);
}

// Each beam rests on a column or a wall at both ends.
template <class C>
void expect_beams_supported(const Compute_data_types::niveau<C>& l) {
  ASSERT_EQ(l.niveau_poutres.size(), 2u);
  const Compute_data_types::poutre& pt1 = *l.niveau_poutres[0];
  const Compute_data_types::poutre& pt2 = *l.niveau_poutres[1];
  EXPECT_TRUE(Compute_data_utils::poutre_position_intersect_poteau(pt1, *l.niveau_poteaux[0]));
  EXPECT_TRUE(Compute_data_utils::poutre_vertex_intersect_mur(pt1, *l.niveau_murs[6]));
  EXPECT_TRUE(Compute_data_utils::poutre_position_intersect_mur(pt2, *l.niveau_murs[5]));
  EXPECT_TRUE(Compute_data_utils::poutre_vertex_intersect_mur(pt2, *l.niveau_murs[7]));
  EXPECT_NEAR(pt1.poutre_segment.s_vertex.p_x, 11.8, eps);
}

TEST(ExampleHouseR0, Building) {
  const Compute_data_types::batiment b = compute_example("house_r0.qvb").batiment;
  EXPECT_EQ(b.batiment_nombre_etages, 0);
  EXPECT_EQ(b.batiment_file_name, "examples/house_r0.qvb");
  EXPECT_EQ(b.batiment_report_file_name, "examples/house_r0.qvr");
  EXPECT_NEAR(b.batiment_implantation.implantation_pente, 0.05, 1e-12);
  EXPECT_FALSE(b.batiment_implantation.implantation_pente_needs_justification);
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Soubassement>(b.batiment_sous_sol));
  EXPECT_EQ(Compute_data_utils::batiment_maconnerie_categorie(b),
            Quavor_data_types::maconnerie_categorie::Brique_creuse_8);
  EXPECT_NEAR(Compute_data_utils::batiment_surface(b), 104.0, eps);  // the roof level's plan: no floor level
  EXPECT_TRUE(b.batiment_niveau_planchers.empty());
}

TEST(ExampleHouseR0, RoofLevel) {
  const Compute_data_types::niveau_toit l = compute_example("house_r0.qvb").batiment.batiment_niveau_toit;
  expect_notched_plan(l.niveau_plan);
  expect_house_walls(l, "n0");
  expect_beams_supported(l);
  const Compute_data_types::toiture& t = l.niveau_categorie;
  ASSERT_TRUE(std::holds_alternative<Compute_data_types::Toiture_lourde>(t.toiture_categorie));
  EXPECT_EQ(t.toiture_epaisseur, 0.2);
  EXPECT_EQ(t.toiture_hauteur, 1.2);
  EXPECT_NEAR(t.toiture_surface, 104.0, eps);
  ASSERT_EQ(t.toiture_tremies.size(), 1u);
  // The 1 m x 1 m opening at (2, 2): (104 * plan centre - 1.0 * (2.5, 2.5)) / 103
  EXPECT_NEAR(t.toiture_centre.first, 103.0, eps);
  EXPECT_NEAR(t.toiture_centre.second.p_x, (604.0 - 1.0 * 2.5) / 103.0, eps);
  EXPECT_NEAR(t.toiture_centre.second.p_y, (454.0 - 1.0 * 2.5) / 103.0, eps);
  const Compute_data_types::retrait& r = *l.niveau_plan.plan_retraits[0];
  EXPECT_TRUE(Compute_data_utils::retrait_dans_plan(r, l.niveau_plan));
  EXPECT_EQ(Compute_data_utils::retrait_plan_categorie(r, l.niveau_plan),
            Compute_data_types::retrait_categorie::Retrait_en_plan);
}

TEST(ExampleHouseR1, Building) {
  const Compute_data_types::batiment b = compute_example("house_r1.qvb").batiment;
  EXPECT_EQ(b.batiment_nombre_etages, 1);
  EXPECT_EQ(b.batiment_report_file_name, "examples/house_r1.qvr");
  EXPECT_EQ(b.batiment_type, Quavor_data_types::batiment_type::R1);
  EXPECT_NEAR(b.batiment_hauteur, 6.7, eps);
  EXPECT_EQ(&Compute_data_utils::batiment_plan_rdc(b), &b.batiment_niveau_planchers[0].niveau_plan);
  EXPECT_NEAR(Compute_data_utils::batiment_surface(b), 104.0, eps);
}

TEST(ExampleHouseR1, GroundFloor) {
  const Compute_data_types::batiment b = compute_example("house_r1.qvb").batiment;
  ASSERT_EQ(b.batiment_niveau_planchers.size(), 1u);
  const Compute_data_types::niveau_plancher& l = b.batiment_niveau_planchers[0];
  expect_notched_plan(l.niveau_plan);
  expect_house_walls(l, "n0");
  expect_beams_supported(l);
  const Compute_data_types::plancher& f = l.niveau_categorie;
  EXPECT_NEAR(f.plancher_surface, 104.5, eps);
  EXPECT_NEAR(f.plancher_diaphragme_surface, 107.0, eps);
  // (3 * (2.5, -0.5) - 2.5 * (8.5, 6.75) + 104 * plan centre) / 104.5
  EXPECT_NEAR(f.plancher_centre.first, 104.5, eps);
  EXPECT_NEAR(f.plancher_centre.second.p_x, 590.25 / 104.5, eps);
  EXPECT_NEAR(f.plancher_centre.second.p_y, 435.625 / 104.5, eps);
  EXPECT_NEAR(Compute_data_utils::plancher_masse_surfacique_permanente(f), 470.0, eps);
}

TEST(ExampleHouseR1, RoofOnTheGroundPlan) {
  const Compute_data_types::niveau_toit l = compute_example("house_r1.qvb").batiment.batiment_niveau_toit;
  // No set-back of its own: the roof plan has the contour, surface and
  // centre of the plan it stands on.
  expect_notched_plan(l.niveau_plan);
  EXPECT_NEAR(l.niveau_plan.plan_base_surface, 104.0, eps);
  EXPECT_TRUE(l.niveau_plan.plan_retraits.empty());
  EXPECT_EQ(Compute_data_utils::plan_all_retraits(l.niveau_plan).size(), 1u);
  expect_house_walls(l, "n1");
  const Compute_data_types::toiture& t = l.niveau_categorie;
  EXPECT_TRUE(std::holds_alternative<Compute_data_types::Toiture_legere>(t.toiture_categorie));
  EXPECT_EQ(t.toiture_epaisseur, 0.0);
  EXPECT_NEAR(t.toiture_surface, 104.0, eps);
  EXPECT_NEAR(t.toiture_centre.second.p_x, 604.0 / 104.0, eps);
  // The set-back of the base plan is excluded from the roof plan.
  EXPECT_FALSE(Compute_data_utils::point_dans_plan({11.0, 8.0}, l.niveau_plan));
}

}  // namespace
