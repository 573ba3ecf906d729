#include "checks/geometry_batiment.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "checks/test_houses.hpp"
#include "config/quavor_configuration.hpp"

namespace {

using namespace Test_houses;
using namespace Test_houses::House_10x8;
using Outcome::comparison;
using Outcome::tolerance;
using house = Input_data_types::batiment;
using building = Compute_data_types::batiment;

failure fails(const std::string& code, const std::string& location, const std::string& message) {
  return failure{"Géométrie du bâtiment", code, location, message};
}

// ---------------------------------------------------------------------------
// The houses the tables run on: a house changed before it is derived, or a
// derived building with one datum overridden.

building changed(house h, const std::function<void(house&)>& change) {
  change(h);
  return compute(h);
}

building overridden(const house& h, const std::function<void(building&)>& change) {
  building b = compute(h);
  change(b);
  return b;
}

// The R0 or R1 house on an l x w plan (walls as for 10 x 8).
house sized(house h, double l, double w) {
  h.batiment_longueur = l;
  h.batiment_largeur = w;
  const Input_data_types::plan p0 = base_plan("P1n0", 0, l, w);
  if (h.batiment_niveau_planchers.empty()) {
    h.batiment_niveau_toit.niveau_plan = p0;
  } else {
    h.batiment_niveau_planchers.at(0).niveau_plan = p0;
    h.batiment_niveau_toit.niveau_plan = upper_plan("P1n1", 1, p0);
  }
  return h;
}

Input_data_types::niveau_plancher& ground(house& h) { return h.batiment_niveau_planchers.at(0); }

house with_floor_opening(house h, const Input_data_types::rectangle& r) {
  ground(h).niveau_categorie.plancher_tremies = {Input_data_types::tremie{r, "T1n0"}};
  return h;
}

// A 2 m wide opening in the ground floor of the R1 house.
house with_ground_opening(double hauteur) { return with_floor_opening(r1_house(), rect(2.0, hauteur, 4.0, 3.0)); }

// An opening in the ground floor of the R1 house on an l x w plan.
building opening_in(double l, double w, const Input_data_types::rectangle& r) {
  return compute(with_floor_opening(sized(r1_house(), l, w), r));
}

house with_slab(double epaisseur, double cloison) {
  house h = r1_house();
  ground(h).niveau_categorie.plancher_epaisseur = epaisseur;
  ground(h).niveau_categorie.plancher_charge_cloison = cloison;
  return h;
}

house with_basement(double hauteur) {
  house h = r0_house();
  h.batiment_sous_sol = Input_data_types::sous_sol{hauteur};
  return h;
}

building storeys(int nombre) {
  return overridden(r1_house(), [nombre](building& b) { b.batiment_nombre_etages = nombre; });
}

building tall(double hauteur) {
  return overridden(r0_house(), [hauteur](building& b) { b.batiment_hauteur = hauteur; });
}

building roof_at(double hauteur) {
  return overridden(r1_house(), [hauteur](building& b) { b.batiment_niveau_toit.niveau_hauteur = hauteur; });
}

building ground_floor_at(double hauteur) {
  return overridden(r1_house(), [hauteur](building& b) { b.batiment_niveau_planchers.at(0).niveau_hauteur = hauteur; });
}

building stretched(double longueur, double largeur) {
  return overridden(r0_house(), [longueur, largeur](building& b) {
    b.batiment_longueur = longueur;
    b.batiment_largeur = largeur;
  });
}

// The rows that assert a failure or the measures only.
outcome failing(const char* what, building b, failure error, given<std::string> said = {}) {
  return {what, std::move(b), false, std::move(error), std::move(said)};
}

outcome measuring(const char* what, building b, bool passes, std::vector<Outcome::measure> measured,
                  given<std::string> named = {}) {
  return {what, std::move(b), passes, {}, {}, std::move(measured), std::move(named)};
}

// Measures: every comparison with a limit, passing or not, at its tolerance. A measure
// keeps its quantity as a view: pass one of the literals, never a built string.
Outcome::measure at_most(std::string_view quantite, double valeur, double limite, tolerance tol, std::string_view unite,
                         std::optional<std::string> niveau, bool passed, std::optional<std::string> element = {}) {
  return mesure(quantite, valeur, limite, comparison::at_most, tol, unite, niveau, element, passed);
}

// The one measure of a criterion on the whole building.
std::vector<Outcome::measure> building_measure(std::string_view quantite, double valeur, double limite,
                                               std::string_view unite, bool passed) {
  return {at_most(quantite, valeur, limite, tolerance::fine, unite, {}, passed)};
}

// ---------------------------------------------------------------------------
// CR-1-0

TEST(GeometryNombreDeNiveaux, AtMostOneStoreyAboveTheGround) {
  const failure trop_d_etages = fails("CR-1-0", batiment_loc,
                                      "le bâtiment comporte trop d'étages:\n"
                                      "  il a 2 étages, ce qui est supérieur à\n"
                                      "  la limite autorisée pour ce bâtiment (1 étages(s))");
  const auto etages = [](int n, bool passed) {
    return std::vector<Outcome::measure>{at_most("nombre d'étages", n, 1, tolerance::none, "", {}, passed)};
  };
  expect_outcomes(critere::CR_1_0, Geometry_batiment::batiment_nombre_de_niveaux_check,
                  {{"R0",
                    compute(r0_house()),
                    true,
                    {},
                    {{"le bâtiment comporte un nombre acceptable d'étages:\n"
                      "  il a 0 étage(s), ce qui n'est pas supérieur à\n"
                      "  la limite autorisée pour ce bâtiment (1 étage(s))"}}},
                   measuring("R1", compute(r1_house()), true, etages(1, true)),
                   {"two storeys", storeys(2), false, trop_d_etages, {}, etages(2, false)}});
  // The same through the criterion's own entry point.
  Checking checking(storeys(2));
  EXPECT_FALSE(Geometry_batiment::batiment_nombre_de_niveaux_checks(session(), checking.b));
  EXPECT_EQ(recorded_failure(), trop_d_etages);
}

// ---------------------------------------------------------------------------
// CR-1-1

TEST(GeometryTremiesSurface, AtMostFivePercentOfTheDiaphragmRoofFirst) {
  const auto surfaces = [](double rez_de_chaussee, bool passed) {
    return std::vector<Outcome::measure>{
        at_most("surface totale des trémies", 0.0, 4.0, tolerance::fine, "m2", "Nv1", true),
        at_most("surface totale des trémies", rez_de_chaussee, 4.0, tolerance::fine, "m2", "Nv0", passed)};
  };
  expect_outcomes(
      critere::CR_1_1, Geometry_batiment::batiment_tremies_surface_checkings,
      {{"5 % exactly", compute(with_ground_opening(2.0)), true, {}, no_paragraph},
       {"within a millimetre", compute(with_ground_opening(2.00025)), true, {}, no_paragraph},
       failing("5 % and 0.002 m2", compute(with_ground_opening(2.001)),
               fails("CR-1-1", rdc_loc,
                     "la surface totale des trémies est de 4.00 m2, ce qui est supérieur à la limite de 4.00 m2 "
                     "autorisée pour ce bâtiment.\n(Cette limite vaut 5.00 % de la surface du plancher ou de la "
                     "charpente servant de diaphragme qui mesure 80.00 m2.)"),
               no_paragraph),
       {"a balcony enlarges the diaphragm",
        changed(with_ground_opening(2.001),
                [](house& h) {
                  ground(h).niveau_categorie.plancher_balcons = {
                      Input_data_types::balcon{rect(3.0, 1.0, 2.0, 8.0), "B1n0"}};
                }),
        true},
       failing("the roof slab is checked first",
               changed(with_floor_opening(r1_house(), rect(3.0, 2.0, 4.0, 3.0)),
                       [](house& h) {
                         Input_data_types::toiture_lourde dalle{
                             Quavor_data_types::dalle_beton_categorie::Dalle_beton,
                             0.2,
                             {Input_data_types::tremie{rect(3.0, 2.0, 4.0, 3.0), "T1n1"}}};
                         h.batiment_niveau_toit.niveau_categorie.toiture_type = Input_data_types::Toiture_lourde{dalle};
                       }),
               fails("CR-1-1", etage_loc,
                     "la surface totale des trémies est de 6.00 m2, ce qui est supérieur à la limite de 4.00 m2 "
                     "autorisée pour ce bâtiment.\n(Cette limite vaut 5.00 % de la surface du plancher ou de la "
                     "charpente servant de diaphragme qui mesure 80.00 m2.)")),
       measuring("2.00045", compute(with_ground_opening(2.00045)), true, surfaces(2.0 * 2.00045, true)),
       measuring("2.00055", compute(with_ground_opening(2.00055)), false, surfaces(2.0 * 2.00055, false))});
}

// ---------------------------------------------------------------------------
// CR-1-2

TEST(GeometryHauteur, AtMostFifteenMetresWithinAMillimetre) {
  const auto hauteur = [](double valeur, bool passed) {
    return building_measure("hauteur déclarée du bâtiment", valeur, 15.0, "m", passed);
  };
  expect_outcomes(critere::CR_1_2, Geometry_batiment::batiment_hauteur_checking,
                  {{"4",
                    tall(4.0),
                    true,
                    {},
                    {{"la hauteur déclarée du bâtiment est correcte: 4.00 m est bien inférieure à "
                      "la limite autorisée 15.00 m"}},
                    hauteur(4.0, true)},
                   {"15.0005", tall(15.0005), true},
                   measuring("15.0009", tall(15.0009), true, hauteur(15.0009, true)),
                   measuring("15.0011", tall(15.0011), false, hauteur(15.0011, false)),
                   failing("15.002", tall(15.002),
                           fails("CR-1-2", batiment_loc,
                                 "la hauteur est excessive: la hauteur renseignée est 15.00 m, mais la limite "
                                 "autorisée est 15.00 m"))});
}

// ---------------------------------------------------------------------------
// CR-1-3

TEST(GeometrySurfaceTotale, LimitByBuildingType) {
  const auto surface = [](double valeur, double limite, bool passed) {
    return building_measure("surface du bâtiment", valeur, limite, "m2", passed);
  };
  expect_outcomes(critere::CR_1_3, Geometry_batiment::batiment_surface_totale_checking,
                  {{"R0 24 x 20",
                    compute(sized(r0_house(), 24.0, 20.0)),
                    true,
                    {},
                    {{"la surface du bâtiment est correcte: sa surface 480.00 m2, est inférieure à "
                      "500.00 m2, la limite autorisée pour ce bâtiment"}}},
                   {"R1 24 x 20",
                    compute(sized(r1_house(), 24.0, 20.0)),
                    false,
                    fails("CR-1-3", batiment_loc,
                          "la surface est trop importante: elle vaut 480.00 m2, mais la limite autorisée "
                          "pour ce bâtiment est 400.00 m2"),
                    {},
                    surface(480.0, 400.0, false)},
                   {"R1 within a millimetre", compute(sized(r1_house(), 20.0, 20.000025)), true},
                   measuring("R0 500.0009", compute(sized(r0_house(), 25.0, 20.000036)), true,
                             surface(25.0 * 20.000036, 500.0, true)),
                   measuring("R0 500.0011", compute(sized(r0_house(), 25.0, 20.000044)), false,
                             surface(25.0 * 20.000044, 500.0, false))});
}

// ---------------------------------------------------------------------------
// CR-1-4

TEST(GeometryDiagonale, AtMostFiftyThreeMetresPerLevel) {
  const auto diagonale = [](const std::string& niveau, double valeur, bool passed) {
    return at_most("diagonale du plancher", valeur, 53.0, tolerance::fine, "m", niveau, passed);
  };
  const std::string correcte =
      "la diagonale du bâtiment est correcte: sa diagonale 12.81 m, est inférieure à 53.00 m, la limite autorisée "
      "pour ce bâtiment";
  expect_outcomes(
      critere::CR_1_4, Geometry_batiment::batiment_diagonale_plancher_checkings,
      {{"R1",
        compute(r1_house()),
        true,
        {},
        {{correcte, correcte}},
        {{diagonale("Nv1", std::sqrt(164.0), true), diagonale("Nv0", std::sqrt(164.0), true)}}},
       {"R0 45 x 28", compute(sized(r0_house(), 45.0, 28.0)), true},
       measuring("R0 50 x 18", compute(sized(r0_house(), 50.0, 18.0)), false,
                 {diagonale("Nv0", std::sqrt(2824.0), false)}),
       // Set-backs do not shorten the diagonal.
       failing("R0 50 x 18 set back",
               changed(sized(r0_house(), 50.0, 18.0),
                       [](house& h) {
                         h.batiment_niveau_toit.niveau_plan.plan_retraits = {
                             Input_data_types::retrait{rect(2.0, 3.0, 48.0, 15.0), "R1n0"}};
                       }),
               fails("CR-1-4", rdc_loc,
                     "la diagonale du plancher (ou de la charpente faisant office de diaphragme) est trop grande: "
                     "elle mesure 53.14 m, mais la limite autorisée pour ce bâtiment est 53.00 m"))});
}

// ---------------------------------------------------------------------------
// CR-1-5

TEST(GeometryFormeHorizontale, PassesWithoutAParagraph) {
  house h = r0_house();
  h.batiment_niveau_toit.niveau_plan.plan_retraits = {Input_data_types::retrait{rect(5.0, 4.0, 5.0, 4.0), "R1n0"}};
  Running run(compute(h), critere::CR_1_5, Geometry_batiment::batiment_forme_horizontale_checkings);
  EXPECT_TRUE(run.result);
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_1_5, session().get_critere_checked_table()));
  EXPECT_TRUE(paragraphs(critere::CR_1_5).empty());
}

// ---------------------------------------------------------------------------
// CR-1-6

TEST(GeometrySousSol, AtMostTwoAndAHalfMetresOnlyWithABasement) {
  const auto sous_sol = [](double valeur, bool passed) {
    return building_measure("hauteur du sous-sol", valeur, 2.5, "m", passed);
  };
  expect_outcomes(critere::CR_1_6, Geometry_batiment::batiment_hauteur_sous_sol_checking,
                  {{"no basement", compute(r0_house()), true, {}, no_paragraph, no_measure},
                   {"2.5",
                    compute(with_basement(2.5)),
                    true,
                    {},
                    {{"la hauteur du sous-sol est correcte: sa hauteur 2.50 m est inférieure à "
                      "2.50 m, la limite autorisée pour ce bâtiment"}}},
                   {"2.5005", compute(with_basement(2.5005)), true},
                   measuring("2.5009", compute(with_basement(2.5009)), true, sous_sol(2.5009, true)),
                   measuring("2.5011", compute(with_basement(2.5011)), false, sous_sol(2.5011, false)),
                   failing("2.6", compute(with_basement(2.6)),
                           fails("CR-1-6", batiment_loc,
                                 "le sous-sol est trop haut: sa hauteur est 2.60 m, mais la limite autorisée "
                                 "pour ce bâtiment est 2.50 m"))});
}

// ---------------------------------------------------------------------------
// CR-1-7

std::string hauteur_correcte(const std::string& niveau) {
  return "Au niveau " + niveau +
         ", la hauteur est correcte: 2.50 m est inférieure à 2.80 m, la limite autorisée pour ce bâtiment";
}

TEST(GeometryHauteurEtage, RoofLevelFirstThenTheFloorsAndNothingAfterTheFailure) {
  const auto hauteur = [](const std::string& niveau, double valeur, bool passed) {
    return at_most("hauteur du niveau", valeur, 2.8, tolerance::fine, "m", niveau, passed);
  };
  const auto trop_haut = [](const std::string& location, const std::string& valeur) {
    return fails("CR-1-7", location,
                 "la hauteur du niveau est " + valeur +
                     " m, ce qui est supérieur à la limite de 2.80 m autorisée pour ce batiment");
  };
  expect_outcomes(
      critere::CR_1_7, Geometry_batiment::batiment_hauteur_maximale_etage_checking,
      // Newest first: the floor level was visited after the roof level.
      {{"R1", compute(r1_house()), true, {}, {{hauteur_correcte("Nv0"), hauteur_correcte("Nv1")}}},
       {"roof 2.8005", roof_at(2.8005), true},
       measuring("roof 2.8009", roof_at(2.8009), true, {hauteur("Nv1", 2.8009, true), hauteur("Nv0", 2.5, true)}),
       measuring("roof 2.8011", roof_at(2.8011), false, {hauteur("Nv1", 2.8011, false)}),
       failing("roof 2.802", roof_at(2.802), trop_haut(etage_loc, "2.80")),
       failing("ground floor 2.9", ground_floor_at(2.9), trop_haut(rdc_loc, "2.90"), {{hauteur_correcte("Nv1")}})});
}

// ---------------------------------------------------------------------------
// CR-1-8

TEST(GeometryMasseSurfacique, AtMostSixHundredFiftyWithinOneCentimetre) {
  // 0.2 m of concrete (500 kg/m2), 100 kg/m2 of load and the partitions.
  const auto masse = [](double cloison, bool passed) {
    return std::vector<Outcome::measure>{at_most("masse surfacique propre du plancher", 600.0 + cloison, 650.0,
                                                 tolerance::coarse, "kg/m2", "Nv0", passed)};
  };
  expect_outcomes(critere::CR_1_8, Geometry_batiment::batiment_masse_surfacique_plancher_checking,
                  {{"R1",
                    compute(r1_house()),
                    true,
                    {},
                    {{"Au niveau Nv0, la masse surfacique propre du plancher est correcte: 550.00 "
                      "kg/m2 est inférieur à 650.00 kg/m2, la limite pour ce bâtiment"}}},
                   measuring("partitions 50", compute(with_slab(0.2, 50.0)), true, masse(50.0, true)),
                   measuring("partitions 50.009", compute(with_slab(0.2, 50.009)), true, masse(50.009, true)),
                   measuring("partitions 50.011", compute(with_slab(0.2, 50.011)), false, masse(50.011, false)),
                   failing("partitions 50.02", compute(with_slab(0.2, 50.02)),
                           fails("CR-1-8", rdc_loc,
                                 "la masse surfacique propre du plancher est de 650.02 kg/m2, ce qui est "
                                 "supérieur à la limite de 650.00 kg/m2 pour ce bâtiment")),
                   // The roof is not a floor.
                   {"R0", compute(r0_house()), true, {}, no_paragraph}});
}

// ---------------------------------------------------------------------------
// CR-1-9

TEST(GeometryTremieDimension, HalfThePlanAndAtMostFourMetresNamingTheOpening) {
  const auto longueur = [](char direction, double valeur, double limite, bool passed) {
    return at_most(
        direction == 'X' ? "longueur de la trémie dans la direction X" : "longueur de la trémie dans la direction Y",
        valeur, limite, tolerance::fine, "m", "Nv0", passed, "T1n0");
  };
  const auto trop_longue = [](const std::string& direction) {
    return fails("CR-1-9", rdc_loc,
                 "la trémie T1n0 a pour longueur 3.00 m dans la direction " + direction +
                     ", ce qui est supérieur à la limite de 2.50 m\n(Cette limite est le minimum entre 4.00 m et "
                     "50.00 % de 5.00 m.)");
  };
  const auto correcte = [](const std::string& direction, const std::string& valeur, const std::string& plan) {
    return "Au niveau Nv0, la trémie T1n0 a pour une longueur correcte dans la direction " + direction + ", " + valeur +
           " m est inférieure à la limite de 4.00 m\n(Cette limite est le minimum entre 4.00 m et 50.00 % de " + plan +
           " m.)";
  };
  // Half of the 5 x 4 plan: 2.5 m along X, 2 m along Y (both under the 4 m cap).
  const auto five_by_four = [](double x) { return opening_in(5.0, 4.0, rect(x, 1.0, 1.0, 1.0)); };
  expect_outcomes(critere::CR_1_9, Geometry_batiment::batiment_tremie_dimension_checking,
                  {{"20 x 10",
                    opening_in(20.0, 10.0, rect(4.0, 2.0, 5.0, 3.0)),
                    true,
                    {},
                    {{correcte("Y", "2.00", "10.00"), correcte("X", "4.00", "20.00")}}},
                   failing("X too long", five_by_four(3.0), trop_longue("X"), no_paragraph),
                   {"X within a millimetre", five_by_four(2.5005), true},
                   measuring("X 2.5009", five_by_four(2.5009), true,
                             {longueur('X', 2.5009, 2.5, true), longueur('Y', 1.0, 2.0, true)}, no_element),
                   measuring("X 2.5011", five_by_four(2.5011), false, {longueur('X', 2.5011, 2.5, false)}, {{"T1n0"}}),
                   // The y length is checked once x passed.
                   failing("Y too long", opening_in(20.0, 5.0, rect(2.0, 3.0, 1.0, 1.0)), trop_longue("Y"),
                           {{correcte("X", "2.00", "20.00")}})});
}

// ---------------------------------------------------------------------------
// CR-1-10

TEST(GeometryElancement, LengthAtMostTwiceTheWidthAsAPlainRatio) {
  const auto elancement = [](double valeur, bool passed) {
    return building_measure("élancement du bâtiment", valeur, 2.0, "", passed);
  };
  expect_outcomes(critere::CR_1_10, Geometry_batiment::batiment_elancement_checking,
                  {{"20 x 10",
                    stretched(20.0, 10.0),
                    true,
                    {},
                    {{"l'élancement du bâtiment est correct: il vaut 2.000, mais la limite "
                      "autorisée pour ce bâtiment est 2.000"}}},
                   {"20.005 x 10", stretched(20.005, 10.0), true},
                   measuring("20.009 x 10", stretched(20.009, 10.0), true, elancement(20.009 / 10.0, true)),
                   measuring("20.011 x 10", stretched(20.011, 10.0), false, elancement(20.011 / 10.0, false)),
                   failing("20.05 x 10", stretched(20.05, 10.0),
                           fails("CR-1-10", batiment_loc,
                                 "l'élancement est trop important: il vaut 2.005, mais la limite autorisée "
                                 "pour ce bâtiment est 2.000")),
                   {"no width", stretched(10.0, 0.0), false}});
  EXPECT_DOUBLE_EQ(Geometry_batiment::batiment_elancement(compute(r0_house())), 1.25);
}

// ---------------------------------------------------------------------------
// The family.

TEST(GeometryFamily, AValidHousePassesEveryCriterion) {
  Checking checking(compute(r1_house()));
  EXPECT_TRUE(session().make_checkings(critere::CR_1, Geometry_batiment::batiment_geometrie_checkings, checking.b));
  EXPECT_EQ(session().get_checking_number(), 12);
  for (int i = Tqmv::critere_index(critere::CR_1); i <= Tqmv::critere_index(critere::CR_1_10); ++i)
    EXPECT_TRUE(Tqmv::critere_get_checked(Tqmv::critere_of_index(i), session().get_critere_checked_table())) << i;
}

TEST(GeometryFamily, StopsAtTheFirstFailingCriterion) {
  Checking checking(overridden(r1_house(), [](building& b) { b.batiment_hauteur = 16.0; }));
  EXPECT_FALSE(session().make_checkings(critere::CR_1, Geometry_batiment::batiment_geometrie_checkings, checking.b));
  EXPECT_EQ(session().get_checking_number(), 4);
  EXPECT_EQ(recorded_failure()->code, "CR-1-2");
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_1_1, session().get_critere_checked_table()));
  EXPECT_FALSE(Tqmv::critere_get_checked(critere::CR_1_3, session().get_critere_checked_table()));
}

TEST(GeometryFamily, DebuggingLinesNameEachCriterionEntered) {
  Checking checking(compute(r1_house()));
  session().set_debug(true);
  testing::internal::CaptureStderr();
  session().make_checkings(critere::CR_1, Geometry_batiment::batiment_geometrie_checkings, checking.b);
  const std::string err = testing::internal::GetCapturedStderr();
  session().set_debug(false);
  EXPECT_EQ(err,
            "Check (CR_1_0): limitation du nombre d'étages (max R+4, maconnerie R+1)\n"
            "Check (CR_1_1): limitation de la surface totale des trémies\n"
            "Check (CR_1_2): limitation de la hauteur du bâtiment\n"
            "Check (CR_1_3): limitation de la surface maximale du bâtiment\n"
            "Check (CR_1_4): limitation de la diagonale du plancher\n"
            "Check (CR_1_5): forme horizontale du bâtiment proche d'un rectangle\n"
            "Check (CR_1_6): limitation de la hauteur du sous-sol\n"
            "Check (CR_1_7): limitation de la hauteur d'étage\n"
            "Check (CR_1_8): limitation de la masse surfacique des planchers\n"
            "Check (CR_1_9): limitation des dimensions des trémies\n"
            "Check (CR_1_10): limitation de l'élancement du bâtiment\n");
}

}  // namespace
