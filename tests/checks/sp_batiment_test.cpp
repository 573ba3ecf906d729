// The floor area carried by the bracing walls (CR-3-5), and the grid of
// wall and beam coordinates of a level.
#include "checks/sp_batiment.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/test_houses.hpp"
#include "checks/compute_sp.hpp"

namespace {

using namespace Test_houses;
using namespace Test_houses::House_12x10;

const std::string sp_failure_text =
    "le calcul de la surface de plancher reprise par le mur M1n0 a échoué. \n"
    "Probablement parce qu'il est impossible de déterminer les portions de plancher reprises par le mur. \n"
    "Essayez d'ajouter poutres et poteaux pour permettre la détection des surfaces de plancher reprises par ce mur.";

Input_data_types::batiment r0_with_sp(int wall, Quavor_data_types::mur_sp sp) {
  Input_data_types::batiment b = house_r0();
  b.batiment_niveau_toit.niveau_murs[wall].mur_sp = std::move(sp);
  return b;
}

// ---------------------------------------------------------------------------
// CR-3-5-0

TEST(SpDone, EveryBracingWallComputedRecordsOneParagraphPerLevel) {
  Checking k(house_r1());
  EXPECT_TRUE(session().make(critere::CR_3_5_0, Sp_batiment::batiment_sp_done_check, k.b));
  EXPECT_EQ(paragraphs(critere::CR_3_5_0, layout::unbroken),
            (std::vector<std::string>{
                "Au rez-de-chaussée (niveau Nv0), la surface de plancher reprise par chaque mur a été calculée",
                "Au premier étage (niveau Nv1), la surface de plancher reprise par chaque mur a été calculée"}));
}

TEST(SpDone, MissingValuesFailWithTheirMessages) {
  struct Case {
    Quavor_data_types::mur_sp sp;
    std::string message;
  };
  const std::vector<Case> cases{
      {Quavor_data_types::Sp_not_yet_computed{},
       "la surface de plancher reprise par le mur M1n0 n'a pas encore été calculée"},
      {Quavor_data_types::Sp_failure{}, sp_failure_text},
  };
  for (const Case& c : cases) {
    Checking k(r0_with_sp(0, c.sp));
    EXPECT_FALSE(session().make(critere::CR_3_5_0, Sp_batiment::batiment_sp_done_check, k.b));
    EXPECT_EQ(failure_heading(), "Dimensionnement du bâtiment: échec du test CR-3-5-0:");
    EXPECT_EQ(failure_line(), "Au rez-de-chaussée (niveau Nv0), " + c.message);
    EXPECT_TRUE(paragraphs(critere::CR_3_5_0, layout::unbroken).empty());
    EXPECT_EQ(failure_elements(), (std::vector<std::string>{"M1n0"}));
  }
}

TEST(SpDone, RoofLevelFailsBeforeAnyFloorLevelIsLookedAt) {
  Input_data_types::batiment b = house_r1();
  b.batiment_niveau_toit.niveau_murs[1].mur_sp = Quavor_data_types::Sp_not_yet_computed{};
  b.batiment_niveau_planchers[0].niveau_murs[0].mur_sp = Quavor_data_types::Sp_failure{};
  Checking k(b);
  EXPECT_FALSE(session().make(critere::CR_3_5_0, Sp_batiment::batiment_sp_done_check, k.b));
  EXPECT_EQ(failure_line(),
            "Au premier étage (niveau Nv1), la surface de plancher reprise par le mur M2n1 n'a pas encore été "
            "calculée");
}

TEST(SpDone, SecondaryWallsAreNeverExamined) {
  Input_data_types::batiment b = house_r0();
  b.batiment_niveau_toit.niveau_murs.push_back(wall("S1n0", direction::X, 2, 5, 3, 0.1, Quavor_data_types::Sp_failure{},
                                                    Quavor_data_types::mur_categorie::Mur_en_refend,
                                                    Quavor_data_types::mur_genre::Mur_secondaire));
  Checking k(b);
  EXPECT_TRUE(Sp_batiment::batiment_sp_checkings(session(), k.b));
  EXPECT_TRUE(checked(critere::CR_3_5_0));
  EXPECT_TRUE(checked(critere::CR_3_5_1));
}

// ---------------------------------------------------------------------------
// CR-3-5-1

TEST(SpMax, WallLinesThenTheLevelTotal) {
  Checking k(house_r0());
  EXPECT_TRUE(session().make(critere::CR_3_5_1, Sp_batiment::batiment_sp_max_check, k.b));
  // 12 m: 44 + 44 + 14; 10 m: 44 + 44.
  EXPECT_EQ(paragraphs(critere::CR_3_5_1, layout::unbroken),
            (std::vector<std::string>{
                "Au rez-de-chaussée (niveau Nv0), la surface de plancher reprise par chaque mur satisfait les "
                "contraintes de maxima spécifiées par le guide TQMV.(Les murs du niveau reprennent au total 40.00 m2 "
                "de surface de plancher.)",
                "Le mur M4n0, de longueur 10.00 m, reprend 10.00 m2 (Sp,max 88.00 m2)",
                "Le mur M3n0, de longueur 10.00 m, reprend 10.00 m2 (Sp,max 88.00 m2)",
                "Le mur M2n0, de longueur 12.00 m, reprend 10.00 m2 (Sp,max 102.00 m2)",
                "Le mur M1n0, de longueur 12.00 m, reprend 10.00 m2 (Sp,max 102.00 m2)"}));
}

TEST(SpMax, TwoStoreyBuildingUsesTheR1Table) {
  Checking k(house_r1());
  EXPECT_TRUE(session().make(critere::CR_3_5_1, Sp_batiment::batiment_sp_max_check, k.b));
  const auto p = paragraphs(critere::CR_3_5_1, layout::unbroken);
  ASSERT_EQ(p.size(), 10u);
  // The roof level is checked first, so it comes last, newest first: 12 m
  // gives 31 + 31 + 11, 10 m gives 31 + 31.
  EXPECT_EQ(p[9], "Le mur M1n1, de longueur 12.00 m, reprend 10.00 m2 (Sp,max 73.00 m2)");
  EXPECT_EQ(p[7], "Le mur M3n1, de longueur 10.00 m, reprend 10.00 m2 (Sp,max 62.00 m2)");
  EXPECT_EQ(p[4], "Le mur M1n0, de longueur 12.00 m, reprend 10.00 m2 (Sp,max 73.00 m2)");
}

TEST(SpMax, ThreeMetreWallAtItsMaximumWithinTolerance) {
  // An X wall 3.0 m long in an R0 building: Sp,max 20.
  struct Case {
    double sp;
    bool passes;
  };
  for (const Case& c : {Case{20.0, true}, Case{20.0005, true}, Case{20.002, false}, Case{19.0, true}}) {
    Input_data_types::batiment b = house_r0();
    b.batiment_niveau_toit.niveau_murs[0] =
        wall("M1n0", direction::X, 0, 0, 3.0, 0.2, Quavor_data_types::Sp_value{c.sp});
    Checking k(b);
    EXPECT_EQ(session().make(critere::CR_3_5_1, Sp_batiment::batiment_sp_max_check, k.b), c.passes) << c.sp;
    if (!c.passes) {
      EXPECT_EQ(failure_line(),
                "Au rez-de-chaussée (niveau Nv0), le mur M1n0 reprend une surface de plancher incorrecte:\n"
                "l'aire calculée 20.00 m2 est supérieure à 20.00 m2, le Sp,max de ce mur de 3.00 m");
    }
  }
}

// The measure of a wall's floor area against its Sp,max at Nv0.
Outcome::measure sp_measure(const std::string& mur, double sp, double sp_max, bool passed) {
  return Outcome::measure{"surface de plancher reprise", sp, sp_max, std::nullopt, Outcome::comparison::at_most,
                          Outcome::tolerance::fine, "m2", "Nv0", mur, passed};
}

TEST(SpMax, EveryWallRecordsItsAreaAgainstItsMaximum) {
  Checking k(house_r0());
  EXPECT_TRUE(session().make(critere::CR_3_5_1, Sp_batiment::batiment_sp_max_check, k.b));
  EXPECT_EQ(measures(critere::CR_3_5_1),
            (std::vector<Outcome::measure>{sp_measure("M1n0", 10, 102, true), sp_measure("M2n0", 10, 102, true),
                                           sp_measure("M3n0", 10, 88, true), sp_measure("M4n0", 10, 88, true)}));
  EXPECT_TRUE(measures(critere::CR_3_5_0).empty());
}

TEST(SpMax, MeasuresAtTheToleranceAndTheFailingWall) {
  // The 3.0 m wall M1n0 (Sp,max 20) is the first wall looked at.
  struct Case {
    double sp;
    std::vector<Outcome::measure> expected;
  };
  const std::vector<Case> cases{
      {20.0009,
       {sp_measure("M1n0", 20.0009, 20, true), sp_measure("M2n0", 10, 102, true), sp_measure("M3n0", 10, 88, true),
        sp_measure("M4n0", 10, 88, true)}},
      {20.0011, {sp_measure("M1n0", 20.0011, 20, false)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sp);
    Input_data_types::batiment b = house_r0();
    b.batiment_niveau_toit.niveau_murs[0] =
        wall("M1n0", direction::X, 0, 0, 3.0, 0.2, Quavor_data_types::Sp_value{c.sp});
    Checking k(b);
    EXPECT_EQ(session().make(critere::CR_3_5_1, Sp_batiment::batiment_sp_max_check, k.b),
              c.expected.back().passed);
    EXPECT_EQ(measures(critere::CR_3_5_1), c.expected);
    if (!c.expected.back().passed) {
      EXPECT_EQ(failure_elements(), (std::vector<std::string>{"M1n0"}));
    }
  }
}

TEST(SpMax, LengthOfAYWallIsItsRectangleHeight) {
  Input_data_types::batiment b = house_r0();
  b.batiment_niveau_toit.niveau_murs[2] = wall("M3n0", direction::Y, 0, 0, 4.0);
  Checking k(b);
  EXPECT_DOUBLE_EQ(Sp_batiment::mur_sp_max(k.b, *k.b.batiment_niveau_toit.niveau_murs[2]), 30.0);
  EXPECT_TRUE(session().make(critere::CR_3_5_1, Sp_batiment::batiment_sp_max_check, k.b));
  EXPECT_EQ(paragraphs(critere::CR_3_5_1, layout::unbroken)[2], "Le mur M3n0, de longueur 4.00 m, reprend 10.00 m2 (Sp,max 30.00 m2)");
}

TEST(SpMax, MissingValuesAreHandledWithTheirOwnTexts) {
  struct Case {
    Quavor_data_types::mur_sp sp;
    std::string message;
  };
  const std::vector<Case> cases{
      {Quavor_data_types::Sp_not_yet_computed{},
       "la surface de plancher reprise par le mur M1n0 n'a pas encore été calculée"},
      {Quavor_data_types::Sp_failure{}, "la surface de plancher reprise par le mur M1n0 n'a pas pu être calculée"},
  };
  for (const Case& c : cases) {
    Checking k(r0_with_sp(0, c.sp));
    EXPECT_FALSE(session().make(critere::CR_3_5_1, Sp_batiment::batiment_sp_max_check, k.b));
    EXPECT_EQ(failure_line(), "Au rez-de-chaussée (niveau Nv0), " + c.message);
    EXPECT_EQ(failure_elements(), (std::vector<std::string>{"M1n0"}));
    EXPECT_TRUE(measures(critere::CR_3_5_1).empty());
  }
}

TEST(SpMax, LevelWithoutBracingWallsPassesWithANullTotal) {
  Input_data_types::batiment b = house_r0();
  b.batiment_niveau_toit.niveau_murs.clear();
  Checking k(b);
  EXPECT_TRUE(Sp_batiment::batiment_sp_checkings(session(), k.b));
  EXPECT_EQ(paragraphs(critere::CR_3_5_1, layout::unbroken),
            (std::vector<std::string>{
                "Au rez-de-chaussée (niveau Nv0), la surface de plancher reprise par chaque mur satisfait les "
                "contraintes de maxima spécifiées par le guide TQMV.(Les murs du niveau reprennent au total 0.00 m2 "
                "de surface de plancher.)"}));
}

// ---------------------------------------------------------------------------
// CR-3-5 as a whole

TEST(SpCheckings, StopsAfterAFailedComputationCheck) {
  Checking k(r0_with_sp(3, Quavor_data_types::Sp_not_yet_computed{}));
  testing::internal::CaptureStderr();
  session().set_debug(true);
  EXPECT_FALSE(Sp_batiment::batiment_sp_checkings(session(), k.b));
  session().set_debug(false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Check (CR_3_5_0): calcul sp tous possibles\n");
  EXPECT_FALSE(checked(critere::CR_3_5_0));
  EXPECT_FALSE(checked(critere::CR_3_5_1));
  EXPECT_EQ(session().get_checking_number(), 1);
}

TEST(SpCheckings, BothSubCriteriaMarkedWhenTheyPass) {
  Checking k(house_r0());
  testing::internal::CaptureStderr();
  session().set_debug(true);
  EXPECT_TRUE(Sp_batiment::batiment_sp_checkings(session(), k.b));
  session().set_debug(false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Check (CR_3_5_0): calcul sp tous possibles\nCheck (CR_3_5_1): sp correctement limités\n");
  EXPECT_TRUE(checked(critere::CR_3_5_0));
  EXPECT_TRUE(checked(critere::CR_3_5_1));
  EXPECT_EQ(session().get_checking_number(), 2);
}

// ---------------------------------------------------------------------------
// Compute_sp

TEST(ComputeSp, BasicVerticesOfWallsAndBeams) {
  Input_data_types::batiment b = house_r0();
  b.batiment_niveau_toit.niveau_murs = {wall("A", direction::Y, 0, 0, 4), wall("B", direction::Y, 5, 1, 4),
                                        wall("C", direction::Y, 5, 0, 4)};
  b.batiment_niveau_toit.niveau_poutres = {Input_data_types::poutre{{2, 3}, direction::X, 3, 1, "P1n0"}};
  Checking k(b);
  const auto& l = k.b.batiment_niveau_toit;
  EXPECT_EQ(Compute_sp::get_abscisses_murs(l.niveau_murs), (std::vector<double>{0, 5, 5}));
  EXPECT_EQ(Compute_sp::get_ordonnees_murs(l.niveau_murs), (std::vector<double>{0, 1, 0}));
  EXPECT_EQ(Compute_sp::get_poutres_abscisses(l.niveau_poutres), (std::vector<double>{2, 5}));
  EXPECT_EQ(Compute_sp::get_poutres_ordonnees(l.niveau_poutres), (std::vector<double>{3, 3}));
  const Compute_sp::basic_vertices v = Compute_sp::create_basic_vertices(l);
  EXPECT_EQ(v.first, (std::vector<double>{0, 2, 5}));
  EXPECT_EQ(v.second, (std::vector<double>{0, 1, 3}));
  EXPECT_EQ(Compute_sp::_create_validated_cases(l), v);
}

TEST(ComputeSp, ValuesCompareExactly) {
  const auto v = Compute_sp::get_basic_vertices({1.0, 1.0005, 1.0}, {});
  EXPECT_EQ(v.first, (std::vector<double>{1.0, 1.0005}));
  EXPECT_TRUE(v.second.empty());
}

}  // namespace
