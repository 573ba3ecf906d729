#include "checks/geometry_batiment.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "checks/test_houses.hpp"
#include "config/quavor_configuration.hpp"

namespace {

using namespace Test_houses;
using namespace Test_houses::House_10x8;

failure fails(const std::string& code, const std::string& location, const std::string& message) {
  return failure{"Géométrie du bâtiment", code, location, message};
}

// The R0 or R1 house on an l x w plan (walls as for 10 x 8).
Input_data_types::batiment sized(Input_data_types::batiment house, double l, double w) {
  house.batiment_longueur = l;
  house.batiment_largeur = w;
  const Input_data_types::plan p0 = base_plan("P1n0", 0, l, w);
  if (house.batiment_niveau_planchers.empty()) {
    house.batiment_niveau_toit.niveau_plan = p0;
  } else {
    house.batiment_niveau_planchers.at(0).niveau_plan = p0;
    house.batiment_niveau_toit.niveau_plan = upper_plan("P1n1", 1, p0);
  }
  return house;
}

Input_data_types::niveau_plancher& ground(Input_data_types::batiment& h) { return h.batiment_niveau_planchers.at(0); }

Input_data_types::batiment with_floor_opening(Input_data_types::batiment house, const Input_data_types::rectangle& r) {
  ground(house).niveau_categorie.plancher_tremies = {Input_data_types::tremie{r, "T1n0"}};
  return house;
}

// ---------------------------------------------------------------------------
// CR-1-0

TEST(GeometryNombreDeNiveaux, AtMostOneStoreyAboveTheGround) {
  {
    Running run(compute(r0_house()), critere::CR_1_0, Geometry_batiment::batiment_nombre_de_niveaux_check);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(paragraphs(critere::CR_1_0),
              (std::vector<std::string>{"le bâtiment comporte un nombre acceptable d'étages:\n"
                                        "  il a 0 étage(s), ce qui n'est pas supérieur à\n"
                                        "  la limite autorisée pour ce bâtiment (1 étage(s))"}));
  }
  {
    Running run(compute(r1_house()), critere::CR_1_0, Geometry_batiment::batiment_nombre_de_niveaux_check);
    EXPECT_TRUE(run.result);
  }
  Compute_data_types::batiment b = compute(r1_house());
  b.batiment_nombre_etages = 2;
  Checking checking(b);
  EXPECT_FALSE(Geometry_batiment::batiment_nombre_de_niveaux_checks(session(), checking.b));
  EXPECT_EQ(recorded_failure(), fails("CR-1-0", batiment_loc,
                                      "le bâtiment comporte trop d'étages:\n"
                                      "  il a 2 étages, ce qui est supérieur à\n"
                                      "  la limite autorisée pour ce bâtiment (1 étages(s))"));
}

// ---------------------------------------------------------------------------
// CR-1-1

TEST(GeometryTremiesSurface, AtMostFivePercentOfTheDiaphragm) {
  const struct {
    const char* what;
    Input_data_types::batiment house;
    bool passes;
  } cases[] = {
      {"5 % exactly", with_floor_opening(r1_house(), rect(2.0, 2.0, 4.0, 3.0)), true},
      {"within a millimetre", with_floor_opening(r1_house(), rect(2.0, 2.00025, 4.0, 3.0)), true},
      {"5 % and 0.002 m2", with_floor_opening(r1_house(), rect(2.0, 2.001, 4.0, 3.0)), false},
  };
  for (const auto& c : cases) {
    Running run(compute(c.house), critere::CR_1_1, Geometry_batiment::batiment_tremies_surface_checkings);
    EXPECT_EQ(run.result, c.passes) << c.what;
    EXPECT_TRUE(paragraphs(critere::CR_1_1).empty());
  }
  {
    Running run(compute(cases[2].house), critere::CR_1_1, Geometry_batiment::batiment_tremies_surface_checkings);
    EXPECT_EQ(recorded_failure(),
              fails("CR-1-1", rdc_loc,
                    "la surface totale des trémies est de 4.00 m2, ce qui est supérieur à la limite de 4.00 m2 "
                    "autorisée pour ce bâtiment.\n(Cette limite vaut 5.00 % de la surface du plancher ou de la "
                    "charpente servant de diaphragme qui mesure 80.00 m2.)"));
  }
  // A balcony enlarges the diaphragm.
  Input_data_types::batiment house = cases[2].house;
  ground(house).niveau_categorie.plancher_balcons = {Input_data_types::balcon{rect(3.0, 1.0, 2.0, 8.0), "B1n0"}};
  Running run(compute(house), critere::CR_1_1, Geometry_batiment::batiment_tremies_surface_checkings);
  EXPECT_TRUE(run.result);
}

TEST(GeometryTremiesSurface, TheRoofSlabIsCheckedFirst) {
  Input_data_types::batiment house = with_floor_opening(r1_house(), rect(3.0, 2.0, 4.0, 3.0));
  Input_data_types::toiture_lourde dalle{Quavor_data_types::dalle_beton_categorie::Dalle_beton, 0.2,
                                         {Input_data_types::tremie{rect(3.0, 2.0, 4.0, 3.0), "T1n1"}}};
  house.batiment_niveau_toit.niveau_categorie.toiture_type = Input_data_types::Toiture_lourde{dalle};
  Running run(compute(house), critere::CR_1_1, Geometry_batiment::batiment_tremies_surface_checkings);
  EXPECT_EQ(recorded_failure(),
            fails("CR-1-1", etage_loc,
                  "la surface totale des trémies est de 6.00 m2, ce qui est supérieur à la limite de 4.00 m2 autorisée "
                  "pour ce bâtiment.\n(Cette limite vaut 5.00 % de la surface du plancher ou de la charpente servant "
                  "de diaphragme qui mesure 80.00 m2.)"));
}

// ---------------------------------------------------------------------------
// CR-1-2

TEST(GeometryHauteur, AtMostFifteenMetres) {
  const struct {
    double hauteur;
    bool passes;
  } cases[] = {{4.0, true}, {15.0005, true}, {15.002, false}};
  for (const auto& c : cases) {
    Compute_data_types::batiment b = compute(r0_house());
    b.batiment_hauteur = c.hauteur;
    Running run(b, critere::CR_1_2, Geometry_batiment::batiment_hauteur_checking);
    EXPECT_EQ(run.result, c.passes) << c.hauteur;
    if (c.hauteur == 4.0) {
      EXPECT_EQ(paragraphs(critere::CR_1_2),
                (std::vector<std::string>{"la hauteur déclarée du bâtiment est correcte: 4.00 m est bien inférieure à "
                                          "la limite autorisée 15.00 m"}));
    }
    if (!c.passes) {
      EXPECT_EQ(recorded_failure(), fails("CR-1-2", batiment_loc,
                                          "la hauteur est excessive: la hauteur renseignée est 15.00 m, mais la limite "
                                          "autorisée est 15.00 m"));
    }
  }
}

// ---------------------------------------------------------------------------
// CR-1-3

TEST(GeometrySurfaceTotale, LimitByBuildingType) {
  {
    Running run(compute(sized(r0_house(), 24.0, 20.0)), critere::CR_1_3,
                Geometry_batiment::batiment_surface_totale_checking);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(paragraphs(critere::CR_1_3),
              (std::vector<std::string>{"la surface du bâtiment est correcte: sa surface 480.00 m2, est inférieure à "
                                        "500.00 m2, la limite autorisée pour ce bâtiment"}));
  }
  {
    Running run(compute(sized(r1_house(), 24.0, 20.0)), critere::CR_1_3,
                Geometry_batiment::batiment_surface_totale_checking);
    EXPECT_EQ(recorded_failure(), fails("CR-1-3", batiment_loc,
                                        "la surface est trop importante: elle vaut 480.00 m2, mais la limite autorisée "
                                        "pour ce bâtiment est 400.00 m2"));
  }
  Running run(compute(sized(r1_house(), 20.0, 20.000025)), critere::CR_1_3,
              Geometry_batiment::batiment_surface_totale_checking);
  EXPECT_TRUE(run.result);
}

// ---------------------------------------------------------------------------
// CR-1-4

TEST(GeometryDiagonale, AtMostFiftyThreeMetres) {
  {
    Running run(compute(r1_house()), critere::CR_1_4, Geometry_batiment::batiment_diagonale_plancher_checkings);
    EXPECT_TRUE(run.result);
    const std::string text =
        "la diagonale du bâtiment est correcte: sa diagonale 12.81 m, est inférieure à 53.00 m, la limite autorisée "
        "pour ce bâtiment";
    EXPECT_EQ(paragraphs(critere::CR_1_4), (std::vector<std::string>{text, text}));
  }
  {
    Running run(compute(sized(r0_house(), 45.0, 28.0)), critere::CR_1_4,
                Geometry_batiment::batiment_diagonale_plancher_checkings);
    EXPECT_TRUE(run.result);
  }
  // Set-backs do not shorten the diagonal.
  Input_data_types::batiment house = sized(r0_house(), 50.0, 18.0);
  house.batiment_niveau_toit.niveau_plan.plan_retraits = {
      Input_data_types::retrait{rect(2.0, 3.0, 48.0, 15.0), "R1n0"}};
  Running run(compute(house), critere::CR_1_4, Geometry_batiment::batiment_diagonale_plancher_checkings);
  EXPECT_EQ(recorded_failure(),
            fails("CR-1-4", rdc_loc,
                  "la diagonale du plancher (ou de la charpente faisant office de diaphragme) est trop grande: elle "
                  "mesure 53.14 m, mais la limite autorisée pour ce bâtiment est 53.00 m"));
}

// ---------------------------------------------------------------------------
// CR-1-5

TEST(GeometryFormeHorizontale, PassesWithoutAParagraph) {
  Input_data_types::batiment house = r0_house();
  house.batiment_niveau_toit.niveau_plan.plan_retraits = {Input_data_types::retrait{rect(5.0, 4.0, 5.0, 4.0), "R1n0"}};
  Running run(compute(house), critere::CR_1_5, Geometry_batiment::batiment_forme_horizontale_checkings);
  EXPECT_TRUE(run.result);
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_1_5, session().get_critere_checked_table()));
  EXPECT_TRUE(paragraphs(critere::CR_1_5).empty());
}

// ---------------------------------------------------------------------------
// CR-1-6

TEST(GeometrySousSol, AtMostTwoAndAHalfMetres) {
  {
    Running run(compute(r0_house()), critere::CR_1_6, Geometry_batiment::batiment_hauteur_sous_sol_checking);
    EXPECT_TRUE(run.result);
    EXPECT_TRUE(paragraphs(critere::CR_1_6).empty());
  }
  const struct {
    double hauteur;
    bool passes;
  } cases[] = {{2.5, true}, {2.5005, true}, {2.6, false}};
  for (const auto& c : cases) {
    Input_data_types::batiment house = r0_house();
    house.batiment_sous_sol = Input_data_types::sous_sol{c.hauteur};
    Running run(compute(house), critere::CR_1_6, Geometry_batiment::batiment_hauteur_sous_sol_checking);
    EXPECT_EQ(run.result, c.passes) << c.hauteur;
    if (c.hauteur == 2.5) {
      EXPECT_EQ(paragraphs(critere::CR_1_6),
                (std::vector<std::string>{"la hauteur du sous-sol est correcte: sa hauteur 2.50 m est inférieure à "
                                          "2.50 m, la limite autorisée pour ce bâtiment"}));
    }
    if (!c.passes) {
      EXPECT_EQ(recorded_failure(), fails("CR-1-6", batiment_loc,
                                          "le sous-sol est trop haut: sa hauteur est 2.60 m, mais la limite autorisée "
                                          "pour ce bâtiment est 2.50 m"));
    }
  }
}

// ---------------------------------------------------------------------------
// CR-1-7

std::string hauteur_correcte(const std::string& niveau) {
  return "Au niveau " + niveau +
         ", la hauteur est correcte: 2.50 m est inférieure à 2.80 m, la limite autorisée pour ce bâtiment";
}

TEST(GeometryHauteurEtage, RoofLevelFirstThenTheFloors) {
  {
    Running run(compute(r1_house()), critere::CR_1_7, Geometry_batiment::batiment_hauteur_maximale_etage_checking);
    EXPECT_TRUE(run.result);
    // Newest first: the floor level was visited after the roof level.
    EXPECT_EQ(paragraphs(critere::CR_1_7), (std::vector<std::string>{hauteur_correcte("Nv0"), hauteur_correcte("Nv1")}));
  }
  {
    Compute_data_types::batiment b = compute(r1_house());
    b.batiment_niveau_toit.niveau_hauteur = 2.8005;
    Running run(b, critere::CR_1_7, Geometry_batiment::batiment_hauteur_maximale_etage_checking);
    EXPECT_TRUE(run.result);
  }
  {
    Compute_data_types::batiment b = compute(r1_house());
    b.batiment_niveau_toit.niveau_hauteur = 2.802;
    Running run(b, critere::CR_1_7, Geometry_batiment::batiment_hauteur_maximale_etage_checking);
    EXPECT_EQ(recorded_failure(), fails("CR-1-7", etage_loc,
                                        "la hauteur du niveau est 2.80 m, ce qui est supérieur à la limite de 2.80 m "
                                        "autorisée pour ce batiment"));
  }
  Compute_data_types::batiment b = compute(r1_house());
  b.batiment_niveau_planchers.at(0).niveau_hauteur = 2.9;
  Running run(b, critere::CR_1_7, Geometry_batiment::batiment_hauteur_maximale_etage_checking);
  EXPECT_EQ(recorded_failure(), fails("CR-1-7", rdc_loc,
                                      "la hauteur du niveau est 2.90 m, ce qui est supérieur à la limite de 2.80 m "
                                      "autorisée pour ce batiment"));
  EXPECT_EQ(paragraphs(critere::CR_1_7), (std::vector<std::string>{hauteur_correcte("Nv1")}));
}

// ---------------------------------------------------------------------------
// CR-1-8

Input_data_types::batiment with_slab(double epaisseur, double cloison) {
  Input_data_types::batiment house = r1_house();
  ground(house).niveau_categorie.plancher_epaisseur = epaisseur;
  ground(house).niveau_categorie.plancher_charge_cloison = cloison;
  return house;
}

TEST(GeometryMasseSurfacique, AtMostSixHundredFiftyWithinOneCentimetre) {
  {
    Running run(compute(r1_house()), critere::CR_1_8, Geometry_batiment::batiment_masse_surfacique_plancher_checking);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(paragraphs(critere::CR_1_8),
              (std::vector<std::string>{"Au niveau Nv0, la masse surfacique propre du plancher est correcte: 550.00 "
                                        "kg/m2 est inférieur à 650.00 kg/m2, la limite pour ce bâtiment"}));
  }
  {
    Running run(compute(with_slab(0.2, 50.009)), critere::CR_1_8,
                Geometry_batiment::batiment_masse_surfacique_plancher_checking);
    EXPECT_TRUE(run.result);
  }
  {
    Running run(compute(with_slab(0.2, 50.02)), critere::CR_1_8,
                Geometry_batiment::batiment_masse_surfacique_plancher_checking);
    EXPECT_EQ(recorded_failure(), fails("CR-1-8", rdc_loc,
                                        "la masse surfacique propre du plancher est de 650.02 kg/m2, ce qui est "
                                        "supérieur à la limite de 650.00 kg/m2 pour ce bâtiment"));
  }
  // The roof is not a floor.
  Running run(compute(r0_house()), critere::CR_1_8, Geometry_batiment::batiment_masse_surfacique_plancher_checking);
  EXPECT_TRUE(run.result);
  EXPECT_TRUE(paragraphs(critere::CR_1_8).empty());
}

// ---------------------------------------------------------------------------
// CR-1-9

TEST(GeometryTremieDimension, HalfThePlanAndAtMostFourMetres) {
  {
    Input_data_types::batiment house = with_floor_opening(sized(r1_house(), 20.0, 10.0), rect(4.0, 2.0, 5.0, 3.0));
    Running run(compute(house), critere::CR_1_9, Geometry_batiment::batiment_tremie_dimension_checking);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(paragraphs(critere::CR_1_9),
              (std::vector<std::string>{
                  "Au niveau Nv0, la trémie T1n0 a pour une longueur correcte dans la direction Y, 2.00 m est "
                  "inférieure à la limite de 4.00 m\n(Cette limite est le minimum entre 4.00 m et 50.00 % de 10.00 m.)",
                  "Au niveau Nv0, la trémie T1n0 a pour une longueur correcte dans la direction X, 4.00 m est "
                  "inférieure à la limite de 4.00 m\n(Cette limite est le minimum entre 4.00 m et 50.00 % de "
                  "20.00 m.)"}));
  }
  {
    Input_data_types::batiment house = with_floor_opening(sized(r1_house(), 5.0, 4.0), rect(3.0, 1.0, 1.0, 1.0));
    Running run(compute(house), critere::CR_1_9, Geometry_batiment::batiment_tremie_dimension_checking);
    EXPECT_EQ(recorded_failure(),
              fails("CR-1-9", rdc_loc,
                    "la trémie T1n0 a pour longueur 3.00 m dans la direction X, ce qui est supérieur à la limite de "
                    "2.50 m\n(Cette limite est le minimum entre 4.00 m et 50.00 % de 5.00 m.)"));
    EXPECT_TRUE(paragraphs(critere::CR_1_9).empty());
  }
  {
    // Within a millimetre of half the plan.
    Input_data_types::batiment house = with_floor_opening(sized(r1_house(), 5.0, 4.0), rect(2.5005, 1.0, 1.0, 1.0));
    Running run(compute(house), critere::CR_1_9, Geometry_batiment::batiment_tremie_dimension_checking);
    EXPECT_TRUE(run.result);
  }
  // The y length is checked once x passed.
  Input_data_types::batiment house = with_floor_opening(sized(r1_house(), 20.0, 5.0), rect(2.0, 3.0, 1.0, 1.0));
  Running run(compute(house), critere::CR_1_9, Geometry_batiment::batiment_tremie_dimension_checking);
  EXPECT_EQ(recorded_failure(),
            fails("CR-1-9", rdc_loc,
                  "la trémie T1n0 a pour longueur 3.00 m dans la direction Y, ce qui est supérieur à la limite de "
                  "2.50 m\n(Cette limite est le minimum entre 4.00 m et 50.00 % de 5.00 m.)"));
  EXPECT_EQ(paragraphs(critere::CR_1_9).size(), 1u);
}

// ---------------------------------------------------------------------------
// CR-1-10

TEST(GeometryElancement, LengthAtMostTwiceTheWidth) {
  const struct {
    double longueur, largeur;
    bool passes;
  } cases[] = {{20.0, 10.0, true}, {20.005, 10.0, true}, {20.05, 10.0, false}, {10.0, 0.0, false}};
  for (const auto& c : cases) {
    Compute_data_types::batiment b = compute(r0_house());
    b.batiment_longueur = c.longueur;
    b.batiment_largeur = c.largeur;
    Running run(b, critere::CR_1_10, Geometry_batiment::batiment_elancement_checking);
    EXPECT_EQ(run.result, c.passes) << c.longueur << " " << c.largeur;
    if (c.longueur == 20.0) {
      EXPECT_EQ(paragraphs(critere::CR_1_10),
                (std::vector<std::string>{"l'élancement du bâtiment est correct: il vaut 2.000, mais la limite "
                                          "autorisée pour ce bâtiment est 2.000"}));
    }
    if (c.longueur == 20.05) {
      EXPECT_EQ(recorded_failure(), fails("CR-1-10", batiment_loc,
                                          "l'élancement est trop important: il vaut 2.005, mais la limite autorisée "
                                          "pour ce bâtiment est 2.000"));
    }
  }
  Compute_data_types::batiment b = compute(r0_house());
  EXPECT_DOUBLE_EQ(Geometry_batiment::batiment_elancement(b), 1.25);
}

// ---------------------------------------------------------------------------
// Measures: every comparison with a limit, passing or not, at its tolerance.

using Outcome::comparison;
using Outcome::tolerance;

TEST(GeometryMeasures, StoreyCountAgainstItsIntegerLimit) {
  {
    Running run(compute(r1_house()), critere::CR_1_0, Geometry_batiment::batiment_nombre_de_niveaux_check);
    expect_measures(measures(critere::CR_1_0),
                    {mesure("nombre d'étages", 1, 1, comparison::at_most, tolerance::none, "", {}, {}, true)});
  }
  Compute_data_types::batiment b = compute(r1_house());
  b.batiment_nombre_etages = 2;
  Running run(b, critere::CR_1_0, Geometry_batiment::batiment_nombre_de_niveaux_check);
  expect_measures(measures(critere::CR_1_0),
                  {mesure("nombre d'étages", 2, 1, comparison::at_most, tolerance::none, "", {}, {}, false)});
}

TEST(GeometryMeasures, OpeningAreaPerLevelRoofFirst) {
  const struct {
    double hauteur;  // of the 2 m wide ground-floor opening
    bool passes;
  } cases[] = {{2.00045, true}, {2.00055, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hauteur);
    Running run(compute(with_floor_opening(r1_house(), rect(2.0, c.hauteur, 4.0, 3.0))), critere::CR_1_1,
                Geometry_batiment::batiment_tremies_surface_checkings);
    EXPECT_EQ(run.result, c.passes);
    expect_measures(measures(critere::CR_1_1),
                    {mesure("surface totale des trémies", 0.0, 4.0, comparison::at_most, tolerance::fine, "m2", "Nv1",
                            {}, true),
                     mesure("surface totale des trémies", 2.0 * c.hauteur, 4.0, comparison::at_most, tolerance::fine,
                            "m2", "Nv0", {}, c.passes)});
  }
}

TEST(GeometryMeasures, BuildingHeightWithinAMillimetre) {
  const struct {
    double hauteur;
    bool passes;
  } cases[] = {{4.0, true}, {15.0009, true}, {15.0011, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hauteur);
    Compute_data_types::batiment b = compute(r0_house());
    b.batiment_hauteur = c.hauteur;
    Running run(b, critere::CR_1_2, Geometry_batiment::batiment_hauteur_checking);
    EXPECT_EQ(run.result, c.passes);
    expect_measures(measures(critere::CR_1_2), {mesure("hauteur déclarée du bâtiment", c.hauteur, 15.0,
                                                       comparison::at_most, tolerance::fine, "m", {}, {}, c.passes)});
  }
}

TEST(GeometryMeasures, GroundAreaAgainstTheTypesLimit) {
  const struct {
    Input_data_types::batiment house;
    double surface, limite;
    bool passes;
  } cases[] = {
      {sized(r0_house(), 25.0, 20.000036), 25.0 * 20.000036, 500.0, true},   // 500.0009
      {sized(r0_house(), 25.0, 20.000044), 25.0 * 20.000044, 500.0, false},  // 500.0011
      {sized(r1_house(), 24.0, 20.0), 480.0, 400.0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.surface);
    Running run(compute(c.house), critere::CR_1_3, Geometry_batiment::batiment_surface_totale_checking);
    EXPECT_EQ(run.result, c.passes);
    expect_measures(measures(critere::CR_1_3), {mesure("surface du bâtiment", c.surface, c.limite, comparison::at_most,
                                                       tolerance::fine, "m2", {}, {}, c.passes)});
  }
}

TEST(GeometryMeasures, DiagonalPerLevel) {
  {
    Running run(compute(r1_house()), critere::CR_1_4, Geometry_batiment::batiment_diagonale_plancher_checkings);
    const double d = std::sqrt(164.0);
    expect_measures(measures(critere::CR_1_4),
                    {mesure("diagonale du plancher", d, 53.0, comparison::at_most, tolerance::fine, "m", "Nv1", {}, true),
                     mesure("diagonale du plancher", d, 53.0, comparison::at_most, tolerance::fine, "m", "Nv0", {},
                            true)});
  }
  Running run(compute(sized(r0_house(), 50.0, 18.0)), critere::CR_1_4,
              Geometry_batiment::batiment_diagonale_plancher_checkings);
  expect_measures(measures(critere::CR_1_4), {mesure("diagonale du plancher", std::sqrt(2824.0), 53.0,
                                                     comparison::at_most, tolerance::fine, "m", "Nv0", {}, false)});
}

TEST(GeometryMeasures, BasementHeightOnlyWithABasement) {
  {
    Running run(compute(r0_house()), critere::CR_1_6, Geometry_batiment::batiment_hauteur_sous_sol_checking);
    EXPECT_TRUE(measures(critere::CR_1_6).empty());
  }
  const struct {
    double hauteur;
    bool passes;
  } cases[] = {{2.5009, true}, {2.5011, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hauteur);
    Input_data_types::batiment house = r0_house();
    house.batiment_sous_sol = Input_data_types::sous_sol{c.hauteur};
    Running run(compute(house), critere::CR_1_6, Geometry_batiment::batiment_hauteur_sous_sol_checking);
    EXPECT_EQ(run.result, c.passes);
    expect_measures(measures(critere::CR_1_6), {mesure("hauteur du sous-sol", c.hauteur, 2.5, comparison::at_most,
                                                       tolerance::fine, "m", {}, {}, c.passes)});
  }
}

TEST(GeometryMeasures, StoreyHeightRoofFirstAndNothingAfterTheFailure) {
  {
    Compute_data_types::batiment b = compute(r1_house());
    b.batiment_niveau_toit.niveau_hauteur = 2.8009;
    Running run(b, critere::CR_1_7, Geometry_batiment::batiment_hauteur_maximale_etage_checking);
    expect_measures(measures(critere::CR_1_7),
                    {mesure("hauteur du niveau", 2.8009, 2.8, comparison::at_most, tolerance::fine, "m", "Nv1", {}, true),
                     mesure("hauteur du niveau", 2.5, 2.8, comparison::at_most, tolerance::fine, "m", "Nv0", {}, true)});
  }
  Compute_data_types::batiment b = compute(r1_house());
  b.batiment_niveau_toit.niveau_hauteur = 2.8011;
  Running run(b, critere::CR_1_7, Geometry_batiment::batiment_hauteur_maximale_etage_checking);
  expect_measures(measures(critere::CR_1_7), {mesure("hauteur du niveau", 2.8011, 2.8, comparison::at_most,
                                                     tolerance::fine, "m", "Nv1", {}, false)});
}

TEST(GeometryMeasures, FloorMassWithinOneCentimetre) {
  // 0.2 m of concrete (500 kg/m2), 100 kg/m2 of load and the partitions.
  const struct {
    double cloison;
    bool passes;
  } cases[] = {{50.0, true}, {50.009, true}, {50.011, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cloison);
    Running run(compute(with_slab(0.2, c.cloison)), critere::CR_1_8,
                Geometry_batiment::batiment_masse_surfacique_plancher_checking);
    EXPECT_EQ(run.result, c.passes);
    expect_measures(measures(critere::CR_1_8),
                    {mesure("masse surfacique propre du plancher", 600.0 + c.cloison, 650.0, comparison::at_most,
                            tolerance::coarse, "kg/m2", "Nv0", {}, c.passes)});
  }
}

TEST(GeometryMeasures, OpeningLengthsPerDirectionNameTheOpening) {
  // Half of the 5 x 4 plan: 2.5 m along X, 2 m along Y (both under the 4 m cap).
  const struct {
    double largeur;
    bool passes;
  } cases[] = {{2.5009, true}, {2.5011, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.largeur);
    Input_data_types::batiment house = with_floor_opening(sized(r1_house(), 5.0, 4.0), rect(c.largeur, 1.0, 1.0, 1.0));
    Running run(compute(house), critere::CR_1_9, Geometry_batiment::batiment_tremie_dimension_checking);
    EXPECT_EQ(run.result, c.passes);
    std::vector<Outcome::measure> attendues{mesure("longueur de la trémie dans la direction X", c.largeur, 2.5,
                                                   comparison::at_most, tolerance::fine, "m", "Nv0", "T1n0", c.passes)};
    if (c.passes)
      attendues.push_back(mesure("longueur de la trémie dans la direction Y", 1.0, 2.0, comparison::at_most,
                                 tolerance::fine, "m", "Nv0", "T1n0", true));
    expect_measures(measures(critere::CR_1_9), attendues);
    EXPECT_EQ(failure_elements(), c.passes ? std::vector<std::string>{} : std::vector<std::string>{"T1n0"});
  }
}

TEST(GeometryMeasures, SlendernessIsAPlainRatio) {
  const struct {
    double longueur;
    bool passes;
  } cases[] = {{20.009, true}, {20.011, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.longueur);
    Compute_data_types::batiment b = compute(r0_house());
    b.batiment_longueur = c.longueur;
    b.batiment_largeur = 10.0;
    Running run(b, critere::CR_1_10, Geometry_batiment::batiment_elancement_checking);
    EXPECT_EQ(run.result, c.passes);
    expect_measures(measures(critere::CR_1_10), {mesure("élancement du bâtiment", c.longueur / 10.0, 2.0,
                                                        comparison::at_most, tolerance::fine, "", {}, {}, c.passes)});
  }
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
  Compute_data_types::batiment b = compute(r1_house());
  b.batiment_hauteur = 16.0;
  Checking checking(b);
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
