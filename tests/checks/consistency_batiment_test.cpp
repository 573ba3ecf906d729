#include "checks/consistency_batiment.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "checks/test_houses.hpp"
#include "config/quavor_configuration.hpp"
#include "test_support.hpp"

namespace {

using namespace Test_houses;
using namespace Test_houses::House_10x8;
using Outcome::comparison;
using Outcome::tolerance;
using Test_support::read_file;

failure fails(const std::string& code, const std::string& location, const std::string& message) {
  return failure{"Cohérence du bâtiment", code, location, message};
}

// ---------------------------------------------------------------------------
// Name tables and naming rule.

TEST(ConsistencyNomTables, KindNamesArticlesAndSuffixes) {
  const struct {
    Consistency_batiment::entity_kind kind;
    const char* name;
    const char* article;
  } cases[] = {{Consistency_batiment::entity_kind::Niveau, "niveau", "du "},
               {Consistency_batiment::entity_kind::Plan, "plan", "du "},
               {Consistency_batiment::entity_kind::Mur, "mur", "du "},
               {Consistency_batiment::entity_kind::Poteau, "poteau", "du "},
               {Consistency_batiment::entity_kind::Poutre, "poutre", "de la "},
               {Consistency_batiment::entity_kind::Tremie, "trémie", "de la "},
               {Consistency_batiment::entity_kind::Balcon, "balcon", "du "},
               {Consistency_batiment::entity_kind::Retrait, "retrait", "du "},
               {Consistency_batiment::entity_kind::Etage, "étage", "de l'"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Consistency_batiment::batiment_entity_name(c.kind), c.name);
    EXPECT_EQ(Consistency_batiment::batiment_entity_of_the(c.kind), c.article);
  }
  EXPECT_EQ(Consistency_batiment::batiment_entity_suffix_format(Consistency_batiment::entity_kind::Niveau), "n%d");
  EXPECT_EQ(Consistency_batiment::batiment_entity_suffix_format(Consistency_batiment::entity_kind::Etage), "%d");
  EXPECT_EQ(Consistency_batiment::batiment_entity_suffix(Consistency_batiment::entity_kind::Niveau, 1), "n1");
  EXPECT_EQ(Consistency_batiment::batiment_entity_suffix(Consistency_batiment::entity_kind::Etage, 12), "12");
  try {
    Consistency_batiment::batiment_entity_suffix_format(Consistency_batiment::entity_kind::Mur);
    FAIL() << "no fatal error";
  } catch (const Fatal_error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: batiment_entity_suffix_format: unexpected "
              "batiment entity mur");
  }
}

// ---------------------------------------------------------------------------
// The whole family.

// A fresh directory for the report probe; its name is as long as the
// paths the paragraphs below were laid out with.
struct Probe_directory : Test_support::Temporary_directory {
  Probe_directory() : Temporary_directory("quavor-check-a-") {}
  std::string path(const std::string& file) const { return (*this / file).string(); }
};

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

TEST(ConsistencyFamily, ValidHousesPassEveryCriterionOfTheFamily) {
  for (Input_data_types::batiment house : {r0_house(), r1_house()}) {
    const Probe_directory probe;
    house.batiment_file_name = probe.path("house.qvb");
    std::remove(probe.path("house.qvr").c_str());
    Checking checking(house);
    EXPECT_TRUE(
        session().make_checkings(critere::CR_0, Consistency_batiment::batiment_consistency_checkings, checking.b));
    EXPECT_FALSE(recorded_failure().has_value());
    EXPECT_EQ(session().get_checking_number(), 18);
    for (int i = Tqmv::critere_index(critere::CR_0); i <= Tqmv::critere_index(critere::CR_0_12); ++i)
      EXPECT_TRUE(Tqmv::critere_get_checked(Tqmv::critere_of_index(i), session().get_critere_checked_table())) << i;
    EXPECT_FALSE(exists(probe.path("house.qvr"))) << "the probe left a file";
    // Newest first: the file name paragraph, then the probe.
    EXPECT_EQ(paragraphs(critere::CR_0_11),
              (std::vector<std::string>{
                  "Pour ce bâtiment, le nom du fichier enregistré dans les données du bâtiment est correct:\n"
                  "  " + probe.path("house.qvb") + "\n"
                  "correspond au fichier du rapport en cours:\n"
                  "  " + probe.path("house.qvr"),
                  "Pour ce bâtiment, Le rapport de conformité au guide du bâtiment peut être enregistré:\n"
                  "le droit d'écriture du fichier " + probe.path("house.qvr") + "\n"
                  "est accordé par le système."}));
  }
}

TEST(ConsistencyFamily, DebuggingLinesNameEachCriterionEntered) {
  const Probe_directory probe;
  Input_data_types::batiment house = r0_house();
  house.batiment_file_name = probe.path("house.qvb");
  Checking checking(house);
  session().set_debug(true);
  testing::internal::CaptureStderr();
  session().make_checkings(critere::CR_0, Consistency_batiment::batiment_consistency_checkings, checking.b);
  const std::string err = testing::internal::GetCapturedStderr();
  session().set_debug(false);
  EXPECT_EQ(err,
            "Check (CR_0_11): cohérence du nom de fichier du bâtiment\n"
            "Check (CR_0_12): cohérence du type du bâtiment\n"
            "Check (CR_0_0): cohérence des dimensions du bâtiment\n"
            "Check (CR_0_10): cohérence de la pente de sol du bâtiment\n"
            "Check (CR_0_1): cohérence des niveaux\n"
            "Check (CR_0_9): cohérence des plans\n"
            "Check (CR_0_2): nombre minimal de murs de contreventement\n"
            "Check (CR_0_3): cohérence des murs\n"
            "Check (CR_0_4): cohérence des poteaux\n"
            "Check (CR_0_5): cohérence des poutres\n"
            "Check (CR_0_6): cohérence des trémies\n"
            "Check (CR_0_7): cohérence des balcons\n"
            "Check (CR_0_8): cohérence des retraits\n");
}

TEST(ConsistencyFamily, StopsAtTheFirstFailingCriterion) {
  const Probe_directory probe;
  Input_data_types::batiment house = r0_house();
  house.batiment_file_name = probe.path("house.qvb");
  house.batiment_longueur = 7.0;  // CR-0-0-0 fails: the plans are never looked at
  Checking checking(house);
  EXPECT_FALSE(
      session().make_checkings(critere::CR_0, Consistency_batiment::batiment_consistency_checkings, checking.b));
  EXPECT_EQ(session().get_checking_number(), 5);
  EXPECT_EQ(recorded_failure(),
            fails("CR-0-0-0", batiment_loc,
                  "les dimensions horizontales du bâtiment sont erronées:\n"
                  "  la longueur Lmax est 7.00 m, la largeur Lmin est 8.00 m, mais on a Lmax < Lmin"));
  EXPECT_FALSE(Tqmv::critere_get_checked(critere::CR_0_0, session().get_critere_checked_table()));
  EXPECT_FALSE(Tqmv::critere_get_checked(critere::CR_0_9, session().get_critere_checked_table()));
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_0_12, session().get_critere_checked_table()));
}

// ---------------------------------------------------------------------------
// CR-0-11: the report file can be written, the recorded name is the one read.

const std::string unwritable_text =
    "le rapport de conformité au guide du bâtiment ne peut pas être enregistré:\n"
    "le droit d'écriture du fichier\n"
    "  /nonexistent-quavor-dir/house.qvr\n"
    "n'est pas accordé par le système.\n"
    "\n"
    "Pour remédier à ce problème, vous devez intervenir:\n"
    "  - soit sauver le fichier du bâtiment dans un répertoire\n"
    "où l'écriture est autorisée,\n"
    "  - soit accorder le droit d'écriture au fichier du rappport\n";

TEST(ConsistencyReportFile, AnUnwritableReportIsAFatalFailure) {
  Input_data_types::batiment house = r0_house();
  house.batiment_file_name = "/nonexistent-quavor-dir/house.qvb";
  Checking checking(house);
  EXPECT_THROW(session().make(critere::CR_0_11, Consistency_batiment::batiment_file_name_checkings, checking.b),
               Error_wrong_test);
  EXPECT_EQ(recorded_failure(), fails("CR-0-11", batiment_loc, unwritable_text));
  // The fatal failure carries no closing paragraph.
  EXPECT_EQ(session().get_error_wrong_test_result().message.find("Pour plus d'information"), std::string::npos);
}

TEST(ConsistencyReportFile, TheRunModeOfAReportRequestAddsANote) {
  Input_data_types::batiment house = r0_house();
  house.batiment_file_name = "/nonexistent-quavor-dir/house.qvb";
  Checking checking(house);
  session().set_compute_run_mode(Quavor_configuration::run_mode::Compute_qvr_from_qvb);
  session().set_report_source_file_name("house.qvb");
  session().set_report_target_file_name("house.qvr");
  EXPECT_THROW(session().make(critere::CR_0_11, Consistency_batiment::batiment_file_name_checkings, checking.b),
               Error_wrong_test);
  EXPECT_EQ(recorded_failure(), fails("CR-0-11", batiment_loc,
                                      unwritable_text +
                                          "\n"
                                          "Note: quavor a été appelé avec l'option\n"
                                          "  -r \"house.qvb\"\n"
                                          "le rapport aurait donc dû être écrit dans le fichier\n"
                                          "  house.qvr\n"
                                          "mais cette adresse ne correspond pas à l'adresse interne du bâtiment:\n"
                                          "  /nonexistent-quavor-dir/house.qvr\n"));
}

TEST(ConsistencyReportFile, TheProbeNeitherEmptiesNorLeavesAFile) {
  const Probe_directory probe;
  Input_data_types::batiment house = r0_house();
  house.batiment_file_name = probe.path("kept.qvb");
  const std::string report = probe.path("kept.qvr");
  {
    std::ofstream old(report);
    old << "an older report\n";
  }
  {
    Checking checking(house);
    EXPECT_TRUE(Consistency_batiment::batiment_report_file_name_writable_check(session(), checking.b));
  }
  EXPECT_EQ(read_file(report), "an older report\n");
  std::remove(report.c_str());
  {
    Checking checking(house);
    EXPECT_TRUE(Consistency_batiment::batiment_report_file_name_writable_check(session(), checking.b));
  }
  EXPECT_FALSE(exists(report));
}

TEST(ConsistencyReportFile, TheStandardOutputIsAlwaysWritable) {
  Input_data_types::batiment house = r0_house();
  house.batiment_file_name = "-";
  Checking checking(house);
  session().set_report_target_file_name("-");
  EXPECT_TRUE(session().make(critere::CR_0_11, Consistency_batiment::batiment_file_name_checkings, checking.b));
  EXPECT_FALSE(exists("-"));
}

TEST(ConsistencyReportFile, TheRecordedNameMustBeTheOneRead) {
  {
    Checking checking(r0_house());
    session().set_report_target_file_name("house.qvr");
    EXPECT_TRUE(Consistency_batiment::batiment_internal_file_name_check(session(), checking.b));
    EXPECT_EQ(paragraphs(critere::CR_0_11),
              (std::vector<std::string>{"Pour ce bâtiment, le nom du fichier enregistré dans les données du bâtiment "
                                        "est correct:\n  house.qvb correspond au fichier du rapport en cours: house.qvr"}));
  }
  {
    // Without a target name the building's own report name is taken.
    Checking checking(r0_house());
    EXPECT_TRUE(Consistency_batiment::batiment_internal_file_name_check(session(), checking.b));
    EXPECT_EQ(session().get_report_target_file_name_opt(), std::optional<std::string>("house.qvr"));
  }
  {
    Checking checking(r0_house());
    session().set_report_target_file_name("other.qvr");
    session().critere_enter_checking(critere::CR_0_11);
    EXPECT_FALSE(Consistency_batiment::batiment_internal_file_name_check(session(), checking.b));
    EXPECT_EQ(recorded_failure(), fails("CR-0-11", batiment_loc,
                                        "le nom du fichier enregistré dans les données du bâtiment est incorrect:\n"
                                        "  house.qvb ne correspond pas au fichier du rapport en cours:\n"
                                        "  other.qvr"));
  }
}

// ---------------------------------------------------------------------------
// CR-0-12: building type.

TEST(ConsistencyBatimentType, AgreesWithTheNumberOfStoreys) {
  {
    Running run(compute(r0_house()), critere::CR_0_12, Consistency_batiment::batiment_type_check);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(paragraphs(critere::CR_0_12),
              (std::vector<std::string>{
                  "Pour ce bâtiment, le type du bâtiment R0 est correct:\nen effet, le bâtiment comporte 0 étages"}));
  }
  {
    Running run(compute(r1_house()), critere::CR_0_12, Consistency_batiment::batiment_type_check);
    EXPECT_TRUE(run.result);
  }
  {
    Compute_data_types::batiment b = compute(r0_house());
    b.batiment_type = Quavor_data_types::batiment_type::R1;
    Running run(b, critere::CR_0_12, Consistency_batiment::batiment_type_check);
    EXPECT_FALSE(run.result);
    EXPECT_EQ(recorded_failure(), fails("CR-0-12", batiment_loc,
                                        "le type du bâtiment R1 est erroné\ncar le nombre d'étages du bâtiment est 0 "
                                        "et ce devrait être 1 pour ce type de bâtiment"));
  }
}

// ---------------------------------------------------------------------------
// CR-0-0: dimensions.

TEST(ConsistencyDimensions, LengthAtLeastWidthWithinAMillimetre) {
  const struct {
    double longueur, largeur;
    bool passes;
  } cases[] = {{10.0, 8.0, true}, {10.0005, 10.0, true}, {9.9995, 10.0, true}, {9.99, 10.0, false}};
  for (const auto& c : cases) {
    Compute_data_types::batiment b = compute(r0_house());
    b.batiment_longueur = c.longueur;
    b.batiment_largeur = c.largeur;
    Running run(b, critere::CR_0_0_0, Consistency_batiment::batiment_lmin_lmax_check);
    EXPECT_EQ(run.result, c.passes) << c.longueur;
  }
  Compute_data_types::batiment b = compute(r0_house());
  b.batiment_longueur = 10.0005;
  b.batiment_largeur = 10.0;
  {
    Running run(b, critere::CR_0_0_0, Consistency_batiment::batiment_lmin_lmax_check);
    EXPECT_EQ(paragraphs(critere::CR_0_0_0),
              (std::vector<std::string>{"les dimensions horizontales du bâtiment sont correctes:\n  la longueur Lmax "
                                        "est 10.00 m, la largeur Lmin est 10.00 m, et donc Lmax >= Lmin"}));
  }
  b.batiment_longueur = 9.99;
  Running run(b, critere::CR_0_0_0, Consistency_batiment::batiment_lmin_lmax_check);
  EXPECT_EQ(recorded_failure(),
            fails("CR-0-0-0", batiment_loc,
                  "les dimensions horizontales du bâtiment sont erronées:\n"
                  "  la longueur Lmax est 9.99 m, la largeur Lmin est 10.00 m, mais on a Lmax < Lmin"));
}

TEST(ConsistencyDimensions, DeclaredHeightIsTheSumOfTheLevels) {
  const struct {
    Input_data_types::batiment house;
    double hauteur;
    bool passes;
  } cases[] = {{r0_house(), 4.0, true},  {r0_house(), 4.0005, true}, {r0_house(), 4.002, false},
               {r1_house(), 6.66, true}, {r1_house(), 6.5, false}};
  for (const auto& c : cases) {
    Compute_data_types::batiment b = compute(c.house);
    b.batiment_hauteur = c.hauteur;
    Running run(b, critere::CR_0_0_1, Consistency_batiment::batiment_hauteur_consistency_check);
    EXPECT_EQ(run.result, c.passes) << c.hauteur;
  }
  {
    Running run(compute(r0_house()), critere::CR_0_0_1, Consistency_batiment::batiment_hauteur_consistency_check);
    EXPECT_EQ(paragraphs(critere::CR_0_0_1),
              (std::vector<std::string>{"la hauteur déclarée du bâtiment est correcte:\n  4.00 m est bien la hauteur "
                                        "calculée"}));
  }
  Compute_data_types::batiment b = compute(r1_house());
  b.batiment_hauteur = 6.5;
  Running run(b, critere::CR_0_0_1, Consistency_batiment::batiment_hauteur_consistency_check);
  EXPECT_EQ(recorded_failure(), fails("CR-0-0-1", batiment_loc,
                                      "la hauteur déclarée est incorrecte:\n  elle vaut 6.50 m, mais la hauteur "
                                      "calculée est 6.66 m"));
}

TEST(ConsistencyDimensions, TheCriterionRunsBothSubCriteria) {
  Running run(compute(r1_house()), critere::CR_0_0, Consistency_batiment::batiment_dimension_checkings);
  EXPECT_TRUE(run.result);
  EXPECT_EQ(session().get_checking_number(), 3);
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_0_0_1, session().get_critere_checked_table()));
}

// ---------------------------------------------------------------------------
// CR-0-10: ground slope.

Compute_data_types::batiment with_slope(double percentage) {
  Input_data_types::batiment house = r0_house();
  house.batiment_implantation.implantation_pente = percentage;
  return compute(house);
}

TEST(ConsistencyPente, SlopeBelowTheMaximum) {
  const struct {
    double percentage;
    bool passes;
  } cases[] = {{5.0, true}, {34.99, true}, {35.0, false}, {100.05, false}, {150.0, false}};
  for (const auto& c : cases) {
    Running run(with_slope(c.percentage), critere::CR_0_10_0, Consistency_batiment::batiment_pente_de_sol_valid);
    EXPECT_EQ(run.result, c.passes) << c.percentage;
  }
  {
    Running run(with_slope(34.99), critere::CR_0_10_0, Consistency_batiment::batiment_pente_de_sol_valid);
    EXPECT_EQ(paragraphs(critere::CR_0_10_0),
              (std::vector<std::string>{"la pente de sol 34.99 % où est implanté le bâtiment est valide:\nelle est "
                                        "inférieure à la pente maximale autorisée 35.00 %"}));
  }
  {
    Running run(with_slope(35.0), critere::CR_0_10_0, Consistency_batiment::batiment_pente_de_sol_valid);
    EXPECT_EQ(recorded_failure(), fails("CR-0-10-0", batiment_loc,
                                        "la pente de sol où est implanté le bâtiment est invalide:\nelle vaut 35.00 %, "
                                        "mais la pente maximale autorisée est 35.00 %"));
  }
  Running run(with_slope(150.0), critere::CR_0_10_0, Consistency_batiment::batiment_pente_de_sol_valid);
  EXPECT_EQ(recorded_failure(), fails("CR-0-10-0", batiment_loc,
                                      "la pente de sol où est implanté le bâtiment est une donnée invalide:\nelle vaut "
                                      "150.00 %, mais cette pente devrait être comprise entre 0.0 et 1.0"));
}

TEST(ConsistencyPente, JustificationAgreesWithTheSlope) {
  {
    Running run(with_slope(10.0), critere::CR_0_10_1, Consistency_batiment::batiment_pente_de_sol_add_justification);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(paragraphs(critere::CR_0_10_1),
              (std::vector<std::string>{"la pente de sol 10.00 % où est implanté le bâtiment est acceptable.\nEn effet, "
                                        "elle est inférieure à 10.00 %, et ne nécessite donc pas de justification par "
                                        "un cabinet d'études spécialisé."}));
  }
  {
    // Just above 10 %: the derived flag asks for a justification.
    Running run(with_slope(10.05), critere::CR_0_10_1, Consistency_batiment::batiment_pente_de_sol_add_justification);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(paragraphs(critere::CR_0_10_1),
              (std::vector<std::string>{
                  "ATTENTION:\nLA PENTE DE SOL NÉCESSITE UNE JUSTIFICATION PAR UN CABINET D'ÉTUDES SPÉCIALISÉ.\nEn "
                  "effet, la pente de sol 10.05 % où est implanté le bâtiment est supérieure à 10.00 %, pente limite "
                  "sans justification du guide TQMV."}));
  }
  {
    Compute_data_types::batiment b = with_slope(20.0);
    b.batiment_implantation.implantation_pente_needs_justification = false;
    Running run(b, critere::CR_0_10_1, Consistency_batiment::batiment_pente_de_sol_add_justification);
    EXPECT_FALSE(run.result);
    EXPECT_EQ(recorded_failure(),
              fails("CR-0-10-1", batiment_loc,
                    "la pente de sol où est implanté le bâtiment et la nécessité de vérification de cette pente sont "
                    "incohérentes:\nla pente vaut 20.00 %, pourtant la nécessité de vérification est false"));
  }
  {
    Compute_data_types::batiment b = with_slope(5.0);
    b.batiment_implantation.implantation_pente_needs_justification = true;
    Running run(b, critere::CR_0_10_1, Consistency_batiment::batiment_pente_de_sol_add_justification);
    EXPECT_FALSE(run.result);
  }
  {
    Compute_data_types::batiment b = with_slope(36.0);
    Running run(b, critere::CR_0_10_1, Consistency_batiment::batiment_pente_de_sol_add_justification);
    EXPECT_FALSE(run.result);
  }
}

// ---------------------------------------------------------------------------
// CR-0-1: levels.

TEST(ConsistencyNiveaux, NamesEndWithTheStoreyAndAreUnique) {
  {
    Running run(compute(r1_house()), critere::CR_0_1, Consistency_batiment::batiment_niveaux_checkings);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(session().nom_tables().find(Consistency_batiment::entity_kind::Niveau, "Nv1"),
              std::optional<std::string>("1"));
  }
  {
    Input_data_types::batiment house = r1_house();
    house.batiment_niveau_toit.niveau_nom = "Nv2";
    Running run(compute(house), critere::CR_0_1, Consistency_batiment::batiment_niveaux_checkings);
    EXPECT_EQ(recorded_failure(),
              fails("CR-0-1", "Au second étage (niveau Nv2)",
                    "le nom du niveau Nv2 n'est pas valide. car il ne se termine pas par le numéro de son étage, 1"));
  }
  Input_data_types::batiment house = r1_house();
  house.batiment_niveau_toit.niveau_nom = "Nv0";
  house.batiment_niveau_toit.niveau_etage = 0;
  Running run(compute(house), critere::CR_0_1, Consistency_batiment::batiment_niveaux_checkings);
  EXPECT_EQ(recorded_failure(),
            fails("CR-0-1", rdc_loc, "le niveau Nv0 n'a pas un nom unique:\nun niveau de même nom apparaît à l'étage 0"));
}

// ---------------------------------------------------------------------------
// CR-0-9: plans.

TEST(ConsistencyPlans, NamesEnvelopeAndHeritage) {
  {
    Running run(compute(r1_house()), critere::CR_0_9, Consistency_batiment::batiment_plans_checkings);
    EXPECT_TRUE(run.result);
  }
  const Input_data_types::plan p0 = base_plan("P1n0", 0, 10.0, 8.0);
  const struct {
    Input_data_types::plan roof_plan;
    int roof_etage;
    failure expected;
  } cases[] = {
      {upper_plan("P1", 1, p0), 1,
       fails("CR-0-9", etage_loc,
             "le nom du plan P1 n'est pas valide. car il ne se termine pas par le numéro de son niveau, n1")},
      {upper_plan("P1n0", 0, p0), 0,
       fails("CR-0-9", "Au premier étage (niveau Nv1)",
             "le plan P1n0 n'a pas un nom unique:\nun plan de même nom apparaît au niveau Nv0")},
      {base_plan("P1n1", 1, 10.0, 8.0), 1,
       fails("CR-0-9", etage_loc,
             "le plan P1n1 possède une base rectangulaire,\nce qui est réservé au rez-de-chaussée (étage 0)")},
      {upper_plan("P1n1", 1, base_plan("P0n1", 1, 10.0, 8.0)), 1,
       fails("CR-0-9", etage_loc, "le plan P1n1 n'est pas fondé car il hérite de lui-même")},
      {upper_plan("P1n1", 1, base_plan("P9n2", 2, 10.0, 8.0)), 1,
       fails("CR-0-9", etage_loc,
             "le plan P1n1 n'est pas fondé:\n  il hérite du plan d'un étage supérieur, le plan P9n2 situé à l'étage "
             "2)")},
  };
  for (const auto& c : cases) {
    Input_data_types::batiment house = r1_house();
    house.batiment_niveau_toit.niveau_plan = c.roof_plan;
    house.batiment_niveau_toit.niveau_etage = c.roof_etage;
    Running run(compute(house), critere::CR_0_9, Consistency_batiment::batiment_plans_checkings);
    EXPECT_FALSE(run.result);
    EXPECT_EQ(recorded_failure(), c.expected);
  }
}

TEST(ConsistencyPlans, TheEnvelopeIsTheBuildingsRectangle) {
  const struct {
    double longueur, largeur;
    std::optional<std::string> message;
  } cases[] = {
      {10.0005, 7.9995, std::nullopt},
      {12.0, 8.0,
       "l'enveloppe rectangulaire est incorrecte:\nsa longueur est 10.00 m, mais ce devrait être 12.00 m, la longueur "
       "du bâtiment (aussi appelée dimension Lmax)"},
      {10.0, 7.5,
       "l'enveloppe rectangulaire est incorrecte:\nsa largeur est 8.00 m, mais ce devrait être 7.50 m, la largeur du "
       "bâtiment (aussi appelée dimension Lmin)"},
  };
  for (const auto& c : cases) {
    Compute_data_types::batiment b = compute(r1_house());
    b.batiment_longueur = c.longueur;
    b.batiment_largeur = c.largeur;
    Running run(b, critere::CR_0_9, Consistency_batiment::batiment_plans_checkings);
    EXPECT_EQ(run.result, !c.message.has_value());
    if (c.message) {
      EXPECT_EQ(recorded_failure(), fails("CR-0-9", batiment_loc, *c.message));
    }
  }
}

// ---------------------------------------------------------------------------
// CR-0-2: bracing walls in both directions.

TEST(ConsistencyContreventements, AtLeastOneInEachDirection) {
  {
    Running run(compute(r0_house()), critere::CR_0_2, Consistency_batiment::batiment_nombre_contreventements_checkings);
    EXPECT_TRUE(run.result);
  }
  for (const direction d : {direction::X, direction::Y}) {
    Input_data_types::batiment house = r0_house();
    for (auto& m : house.batiment_niveau_toit.niveau_murs)
      if (m.mur_direction == d) m.mur_genre = Quavor_data_types::mur_genre::Mur_secondaire;
    Running run(compute(house), critere::CR_0_2, Consistency_batiment::batiment_nombre_contreventements_checkings);
    EXPECT_EQ(recorded_failure(),
              fails("CR-0-2", rdc_loc,
                    std::string("il n'y a pas de murs de contreventement dans la direction ") +
                        (d == direction::X ? "X" : "Y")));
  }
}

// ---------------------------------------------------------------------------
// CR-0-3: walls.

using house_change = void (*)(Input_data_types::batiment&);

Input_data_types::mur& roof_wall(Input_data_types::batiment& house, std::size_t i) {
  return house.batiment_niveau_toit.niveau_murs.at(i);
}

void add_inner_wall(Input_data_types::batiment& house, Input_data_types::mur m) {
  m.mur_categorie = Quavor_data_types::mur_categorie::Mur_en_refend;
  house.batiment_niveau_toit.niveau_murs.push_back(m);
}

struct mur_case {
  const char* what;
  house_change change;
  std::optional<std::string> message;  // at the ground floor; absent: passes
};

TEST(ConsistencyMurs, FirstPassOverEveryWall) {
  const mur_case cases[] = {
      {"the valid house", [](Input_data_types::batiment&) {}, std::nullopt},
      {"duplicate name", [](Input_data_types::batiment& h) { roof_wall(h, 1).mur_nom = "M1n0"; },
       "le mur M1n0 n'a pas un nom unique:\nun mur de même nom apparaît au niveau Nv0"},
      {"name without the level suffix", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_nom = "M1"; },
       "le nom du mur M1 n'est pas valide. car il ne se termine pas par le numéro de son niveau, n0"},
      {"too thin", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_ly = 0.1; },
       "le mur primaire M1n0 n'est pas assez épais:\nil mesure 0.10 m mais la limite inférieure pour ce type de "
       "matériau est 0.20 m"},
      {"thin within a millimetre", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_ly = 0.1995; },
       std::nullopt},
      {"too thick", [](Input_data_types::batiment& h) { roof_wall(h, 2).mur_solide.s_lx = 0.65; },
       "le mur primaire M3n0 est trop épais:\nil mesure 0.65 m mais la limite supérieure pour ce type de matériau est "
       "0.60 m"},
      {"thin secondary wall",
       [](Input_data_types::batiment& h) {
         add_inner_wall(
             h, wall("M5n0", direction::Y, 5.0, 0.2, 0.1, 2.0, 2.5, Quavor_data_types::mur_categorie::Mur_en_refend,
                     Quavor_data_types::mur_genre::Mur_secondaire));
       },
       std::nullopt},
      {"short inner wall within a millimetre",
       [](Input_data_types::batiment& h) { add_inner_wall(h, wall("M5n0", direction::Y, 5.0, 0.2, 0.2, 0.7995)); },
       std::nullopt},
      {"too short",
       [](Input_data_types::batiment& h) { add_inner_wall(h, wall("M5n0", direction::Y, 5.0, 0.2, 0.2, 0.79)); },
       "le mur primaire M5n0 est trop court:\nsa longueur, 0.79 m, est inférieure à la limite inférieure autorisée "
       "0.80 m"},
      {"too long", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_lx = 10.01; },
       "le mur primaire M1n0 est trop long:\nsa longueur 10.01 m est supérieure à la limite supérieure autorisée "
       "10.00 m"},
      {"wrong height", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_lz = 2.6; },
       "le mur M1n0 n'a pas la bonne hauteur:\nsa hauteur (2.60 m) n'est pas celle de son niveau (2.50 m)"},
      {"height within a millimetre", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_lz = 2.5005; },
       std::nullopt},
      {"outside the plan", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_position.p_x = -0.5; },
       "le mur M1n0 n'est pas géométriquement inclus dans le bâtiment: son point bas gauche, (-0.50, 0.00), n'est "
       "pas dans le bâtiment"},
      {"outside by half a millimetre",
       [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_position.p_x = -0.0005; }, std::nullopt},
      {"inner wall declared facade",
       [](Input_data_types::batiment& h) {
         add_inner_wall(h, wall("M5n0", direction::Y, 5.0, 0.2, 0.2, 2.0));
         roof_wall(h, 4).mur_categorie = Quavor_data_types::mur_categorie::Mur_de_facade;
       },
       "le mur M5n0 est déclaré de façade, mais ce mur n'est pas géométriquement un mur de façade"},
      {"facade wall declared inner",
       [](Input_data_types::batiment& h) {
         roof_wall(h, 3).mur_categorie = Quavor_data_types::mur_categorie::Mur_en_refend;
       },
       "le mur M4n0 est déclaré en refend, mais ce mur n'est pas géométriquement un mur en refend"},
  };
  for (const auto& c : cases) {
    Input_data_types::batiment house = r0_house();
    c.change(house);
    Running run(compute(house), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
    EXPECT_EQ(run.result, !c.message.has_value()) << c.what;
    if (c.message) {
      EXPECT_EQ(recorded_failure(), fails("CR-0-3", rdc_loc, *c.message)) << c.what;
    }
  }
}

TEST(ConsistencyMurs, OutsideTheBuildingWhenInASetBack) {
  {
    // A set-back in the north-east corner: the north wall runs along it,
    // none of its corners strictly inside.
    Input_data_types::batiment house = r0_house();
    house.batiment_niveau_toit.niveau_plan.plan_retraits = {
        Input_data_types::retrait{rect(2.0, 3.0, 8.0, 5.0), "R1n0"}};
    Running run(compute(house), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
    EXPECT_EQ(recorded_failure(),
              fails("CR-0-3", rdc_loc, "le mur M2n0 n'est pas géométriquement inclus dans le bâtiment"));
  }
  Input_data_types::batiment house = r0_house();
  house.batiment_niveau_toit.niveau_plan.plan_retraits = {Input_data_types::retrait{rect(2.0, 2.0, 4.0, 3.0), "R1n0"}};
  add_inner_wall(house, wall("M5n0", direction::X, 4.5, 4.0, 1.0, 0.2));
  Running run(compute(house), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
  EXPECT_EQ(recorded_failure(),
            fails("CR-0-3", rdc_loc,
                  "le mur M5n0 n'est pas géométriquement inclus dans le bâtiment: son point bas gauche, (4.50, 4.00), "
                  "n'est pas dans le bâtiment"));
}

TEST(ConsistencyMurs, SecondPassOverlapsAndOpenings) {
  {
    // Walls meeting at a corner share exactly the square of the thickness.
    Running run(compute(r0_house()), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
    EXPECT_TRUE(run.result);
  }
  {
    Input_data_types::batiment house = r0_house();
    add_inner_wall(house, wall("M5n0", direction::X, 0.0, 0.1, 10.0, 0.2));
    Running run(compute(house), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
    EXPECT_EQ(recorded_failure(),
              fails("CR-0-3", rdc_loc,
                    "le mur M1n0 n'est pas disjoint du mur M5n0:\nles murs se superposent sur une aire de 1.00 m2 mais "
                    "l'aire de chevauchement maximale tolérée est 0.04 m2"));
  }
  Input_data_types::batiment house = r1_house();
  auto& floor = house.batiment_niveau_planchers.at(0);
  floor.niveau_categorie.plancher_tremies = {Input_data_types::tremie{rect(2.0, 2.0, 4.0, 3.0), "T1n0"}};
  Input_data_types::mur inner =
      wall("M5n0", direction::Y, 5.0, 0.2, 0.2, 7.6, 2.5, Quavor_data_types::mur_categorie::Mur_en_refend);
  floor.niveau_murs.push_back(inner);
  Running run(compute(house), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
  EXPECT_EQ(recorded_failure(),
            fails("CR-0-3", rdc_loc,
                  "une partie du mur M5n0 se trouve dans la trémie T1n0,\nce qui est incorrect car la partie haute "
                  "correspondante du mur M5n0 n'est rattachée à aucun support physique du bâtiment"));
}

TEST(ConsistencyMurs, NamesAreUniqueAcrossKinds) {
  Input_data_types::batiment house = r0_house();
  roof_wall(house, 1).mur_nom = "P1n0";
  Checking checking(house);
  EXPECT_TRUE(session().make_checkings(critere::CR_0_9, Consistency_batiment::batiment_plans_checkings, checking.b));
  EXPECT_FALSE(session().make_checkings(critere::CR_0_3, Consistency_batiment::batiment_murs_checkings, checking.b));
  EXPECT_EQ(recorded_failure(),
            fails("CR-0-3", rdc_loc, "le mur P1n0 n'a pas un nom unique:\nune entité de même nom apparaît au niveau Nv0"));
}

TEST(ConsistencyMurs, WoodAndConcreteAreNotHandled) {
  Compute_data_types::batiment b = compute(r0_house());
  b.batiment_materiau_categorie = Quavor_data_types::Bois{};
  Checking checking(b);
  try {
    session().make_checkings(critere::CR_0_3, Consistency_batiment::batiment_murs_checkings, checking.b);
    FAIL() << "no fatal error";
  } catch (const Fatal_error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: Les bâtiments en bois ou béton ne sont pas "
              "encore traités");
  }
}

// ---------------------------------------------------------------------------
// CR-0-4 to CR-0-8: columns, beams, openings, balconies, set-backs.

struct element_case {
  const char* what;
  house_change change;
  std::optional<std::string> message;
};

void expect_cases(critere c, checkings_fn test, const std::string& code, const std::string& location,
                  const std::vector<element_case>& cases) {
  for (const auto& k : cases) {
    Input_data_types::batiment house = r1_house();
    k.change(house);
    Running run(compute(house), c, test);
    EXPECT_EQ(run.result, !k.message.has_value()) << k.what;
    if (k.message) {
      EXPECT_EQ(recorded_failure(), fails(code, location, *k.message)) << k.what;
    }
  }
}

Input_data_types::niveau_plancher& ground(Input_data_types::batiment& h) { return h.batiment_niveau_planchers.at(0); }

TEST(ConsistencyPoteaux, InsideAndApart) {
  expect_cases(critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings, "CR-0-4", rdc_loc,
               {
                   {"one column",
                    [](Input_data_types::batiment& h) {
                      ground(h).niveau_poteaux = {{{5.0, 4.0}, "C1n0"}};
                    },
                    std::nullopt},
                   {"outside",
                    [](Input_data_types::batiment& h) {
                      ground(h).niveau_poteaux = {{{12.0, 4.0}, "C1n0"}};
                    },
                    "le poteau C1n0 n'est pas géométriquement inclus dans le bâtiment"},
                   {"same place within a millimetre",
                    [](Input_data_types::batiment& h) {
                      ground(h).niveau_poteaux = {{{5.0, 4.0}, "C1n0"}, {{5.0005, 4.0}, "C2n0"}};
                    },
                    "le poteau C1n0 et le poteau C2n0 ne sont pas disjoints"},
                   {"two millimetres apart",
                    [](Input_data_types::batiment& h) {
                      ground(h).niveau_poteaux = {{{5.0, 4.0}, "C1n0"}, {{5.002, 4.0}, "C2n0"}};
                    },
                    std::nullopt},
                   {"duplicate",
                    [](Input_data_types::batiment& h) {
                      ground(h).niveau_poteaux = {{{5.0, 4.0}, "C1n0"}, {{6.0, 4.0}, "C1n0"}};
                    },
                    "le poteau C1n0 n'a pas un nom unique:\nun poteau de même nom apparaît au niveau Nv0"},
               });
}

TEST(ConsistencyPoteaux, NamedLikeAWall) {
  Input_data_types::batiment house = r1_house();
  ground(house).niveau_poteaux = {{{5.0, 4.0}, "M1n0"}};
  Checking checking(house);
  EXPECT_TRUE(session().make_checkings(critere::CR_0_3, Consistency_batiment::batiment_murs_checkings, checking.b));
  EXPECT_FALSE(session().make_checkings(critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings, checking.b));
  EXPECT_EQ(recorded_failure(),
            fails("CR-0-4", rdc_loc,
                  "le poteau M1n0 n'a pas un nom unique:\nune entité de même nom apparaît au niveau Nv0"));
}

TEST(ConsistencyPoutres, LongEnoughInsideAndApart) {
  using P = Input_data_types::poutre;
  expect_cases(
      critere::CR_0_5, Consistency_batiment::batiment_poutres_checkings, "CR-0-5", rdc_loc,
      {
          {"crossing beams",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_poutres = {P{{0.2, 4.0}, direction::X, 9.6, 1, "B1n0"},
                                         P{{5.0, 0.2}, direction::Y, 7.6, 2, "B2n0"}};
           },
           std::nullopt},
          {"too short",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_poutres = {P{{1.0, 4.0}, direction::X, 0.4, 1, "B1n0"}};
           },
           "la poutre B1n0 n'est pas valide:\nsa longueur est trop faible"},
          {"end outside",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_poutres = {P{{5.0, 4.0}, direction::X, 6.0, 1, "B1n0"}};
           },
           "la poutre B1n0 n'est pas géométriquement incluse dans le bâtiment: son point extrémité, (11.00, 4.00), "
           "n'est pas dans le bâtiment"},
          {"overlapping",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_poutres = {P{{1.0, 4.0}, direction::X, 4.0, 1, "B1n0"},
                                         P{{3.0, 4.0}, direction::X, 4.0, 2, "B2n0"}};
           },
           "la poutre B1n0 et la poutre B2n0 ne sont pas disjointes"},
      });
}

TEST(ConsistencyTremies, LargeEnoughInsideAndApart) {
  using T = Input_data_types::tremie;
  expect_cases(
      critere::CR_0_6, Consistency_batiment::batiment_tremies_checkings, "CR-0-6", rdc_loc,
      {
          {"sharing a side",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_tremies = {T{rect(2.0, 2.0, 4.0, 3.0), "T1n0"},
                                                            T{rect(1.0, 2.0, 6.0, 3.0), "T2n0"}};
           },
           std::nullopt},
          {"too small",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_tremies = {T{rect(0.9, 1.0, 4.0, 3.0), "T1n0"}};
           },
           "la trémie T1n0 n'est pas valide:\nsa surface est trop faible"},
          {"outside",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_tremies = {T{rect(2.0, 2.0, 9.0, 3.0), "T1n0"}};
           },
           "la trémie T1n0 n'est pas géométriquement incluse dans le bâtiment"},
          {"overlapping",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_tremies = {T{rect(2.0, 2.0, 4.0, 3.0), "T1n0"},
                                                            T{rect(2.0, 2.0, 5.0, 4.0), "T2n0"}};
           },
           "la trémie T1n0 et la trémie T2n0 ne sont pas disjointes"},
      });
}

TEST(ConsistencyBalcons, OutsideOnTheFacadeAndNotTooDeep) {
  using B = Input_data_types::balcon;
  expect_cases(
      critere::CR_0_7, Consistency_batiment::batiment_balcons_checkings, "CR-0-7", rdc_loc,
      {
          {"north balcony 1 m deep",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_balcons = {B{rect(3.0, 1.0, 2.0, 8.0), "B1n0"}};
           },
           std::nullopt},
          {"within a millimetre",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_balcons = {B{rect(3.0, 1.0005, 2.0, 8.0), "B1n0"}};
           },
           std::nullopt},
          {"too deep",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_balcons = {B{rect(3.0, 1.2, 2.0, 8.0), "B1n0"}};
           },
           "le balcon B1n0 a une profondeur de 1.20 m, ce qui est supérieur à la limite autorisé de 1.00 m"},
          {"east balcony too deep",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_balcons = {B{rect(1.5, 3.0, 10.0, 2.0), "B1n0"}};
           },
           "le balcon B1n0 a une profondeur de 1.50 m, ce qui est supérieur à la limite autorisé de 1.00 m"},
          {"inside",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_balcons = {B{rect(3.0, 1.0, 2.0, 6.0), "B1n0"}};
           },
           "le balcon B1n0 n'est pas géométriquement situé à l'extérieur du bâtiment"},
          {"too small",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_balcons = {B{rect(0.5, 0.5, 2.0, 8.0), "B1n0"}};
           },
           "le balcon B1n0 n'est pas valide:\nsa surface est trop faible"},
          {"overlapping",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_categorie.plancher_balcons = {B{rect(3.0, 1.0, 2.0, 8.0), "B1n0"},
                                                            B{rect(3.0, 1.0, 4.0, 8.0), "B2n0"}};
           },
           "le balcon B1n0 et le balcon B2n0 ne sont pas disjoints"},
      });
}

TEST(ConsistencyBalcons, AFloatingBalconIsAFatalFailure) {
  Input_data_types::batiment house = r1_house();
  ground(house).niveau_categorie.plancher_balcons = {Input_data_types::balcon{rect(3.0, 1.0, 2.0, 9.0), "B1n0"}};
  Checking checking(house);
  EXPECT_THROW(session().make_checkings(critere::CR_0_7, Consistency_batiment::batiment_balcons_checkings, checking.b),
               Error_wrong_test);
  EXPECT_EQ(recorded_failure(),
            fails("CR-0-7", rdc_loc, "le balcon B1n0 n'est pas géométriquement basé sur la facade du bâtiment"));
}

TEST(ConsistencyRetraits, LargeEnoughInsideAndApartFromOpenings) {
  using R = Input_data_types::retrait;
  expect_cases(
      critere::CR_0_8, Consistency_batiment::batiment_retraits_checkings, "CR-0-8", rdc_loc,
      {
          {"corner set-back",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_plan.plan_retraits = {R{rect(2.0, 3.0, 8.0, 5.0), "R1n0"}};
           },
           std::nullopt},
          {"too small",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_plan.plan_retraits = {R{rect(1.0, 0.9, 9.0, 7.1), "R1n0"}};
           },
           "le retrait R1n0 n'est pas valide:\nsa surface est trop faible"},
          {"outside the base",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_plan.plan_retraits = {R{rect(2.0, 2.0, 11.0, 3.0), "R1n0"}};
           },
           "le retrait R1n0 n'est pas géométriquement situé à l'intérieur du bâtiment"},
          {"overlapping another set-back",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_plan.plan_retraits = {R{rect(2.0, 3.0, 8.0, 5.0), "R1n0"},
                                                    R{rect(2.0, 5.5, 8.0, 0.0), "R2n0"}};
           },
           "le retrait R1n0 n'est pas géométriquement situé à l'intérieur du bâtiment"},
          {"over an opening",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_plan.plan_retraits = {R{rect(2.0, 3.0, 8.0, 5.0), "R1n0"}};
             ground(h).niveau_categorie.plancher_tremies = {Input_data_types::tremie{rect(2.0, 2.0, 7.0, 4.0), "T1n0"}};
           },
           "le retrait R1n0 et la trémie T1n0 ne sont pas disjoints"},
          {"duplicate",
           [](Input_data_types::batiment& h) {
             ground(h).niveau_plan.plan_retraits = {R{rect(2.0, 3.0, 8.0, 5.0), "R1n0"},
                                                    R{rect(2.0, 2.0, 8.0, 0.0), "R1n0"}};
           },
           "le retrait R1n0 n'a pas un nom unique:\nun retrait de même nom apparaît au niveau Nv0"},
      });
}

TEST(ConsistencyNoms, DuplicateMessagesOfEveryKind) {
  const struct {
    const char* what;
    critere c;
    checkings_fn test;
    house_change change;
    const char* message;
  } cases[] = {
      {"beams", critere::CR_0_5, Consistency_batiment::batiment_poutres_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_poutres = {Input_data_types::poutre{{1.0, 4.0}, direction::X, 1.0, 1, "B1n0"},
                                     Input_data_types::poutre{{1.0, 5.0}, direction::X, 1.0, 2, "B1n0"}};
       },
       "la poutre B1n0 n'a pas un nom unique:\nune poutre de même nom apparaît au niveau Nv0"},
      {"openings", critere::CR_0_6, Consistency_batiment::batiment_tremies_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_tremies = {Input_data_types::tremie{rect(1.0, 1.0, 2.0, 2.0), "T1n0"},
                                                        Input_data_types::tremie{rect(1.0, 1.0, 5.0, 2.0), "T1n0"}};
       },
       "la trémie T1n0 n'a pas un nom unique:\nune trémie de même nom apparaît au niveau Nv0"},
      {"balconies", critere::CR_0_7, Consistency_batiment::batiment_balcons_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_balcons = {Input_data_types::balcon{rect(2.0, 1.0, 1.0, 8.0), "B1n0"},
                                                        Input_data_types::balcon{rect(2.0, 1.0, 5.0, 8.0), "B1n0"}};
       },
       "le balcon B1n0 n'a pas un nom unique:\nun balcon de même nom apparaît au niveau Nv0"},
      {"an opening named like a column", critere::CR_0_6, Consistency_batiment::batiment_tremies_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_tremies = {Input_data_types::tremie{rect(1.0, 1.0, 2.0, 2.0), "T1n0"}};
         ground(h).niveau_poteaux = {{{5.0, 4.0}, "T1n0"}};
       },
       "la trémie T1n0 n'a pas un nom unique:\nune entité de même nom apparaît au niveau Nv0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Input_data_types::batiment house = r1_house();
    c.change(house);
    Checking checking(house);
    // The columns are named first, as in the family's order.
    session().make_checkings(critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings, checking.b);
    EXPECT_FALSE(session().make_checkings(c.c, c.test, checking.b));
    EXPECT_EQ(recorded_failure()->message, c.message);
  }
}

// ---------------------------------------------------------------------------
// Minimum sizes within the family's tolerance; a beam across a notch.

TEST(ConsistencyMinimumSizes, ComparedWithinAMillimetre) {
  using P = Input_data_types::poutre;
  using T = Input_data_types::tremie;
  using B = Input_data_types::balcon;
  using R = Input_data_types::retrait;
  const struct {
    const char* what;
    critere c;
    checkings_fn test;
    house_change change;
    Outcome::measure attendue;
  } cases[] = {
      {"beam of 0.4995 m", critere::CR_0_5, Consistency_batiment::batiment_poutres_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_poutres = {P{{1.0, 4.0}, direction::X, 0.4995, 1, "B1n0"}};
       },
       mesure("longueur de la poutre", 0.4995, 0.5, comparison::at_least, tolerance::fine, "m", "Nv0", "B1n0", true)},
      {"beam of 0.4989 m", critere::CR_0_5, Consistency_batiment::batiment_poutres_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_poutres = {P{{1.0, 4.0}, direction::X, 0.4989, 1, "B1n0"}};
       },
       mesure("longueur de la poutre", 0.4989, 0.5, comparison::at_least, tolerance::fine, "m", "Nv0", "B1n0", false)},
      {"opening of 0.9991 m2", critere::CR_0_6, Consistency_batiment::batiment_tremies_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_tremies = {T{rect(0.9991, 1.0, 4.0, 3.0), "T1n0"}};
       },
       mesure("surface de la trémie", 0.9991, 1.0, comparison::at_least, tolerance::fine, "m2", "Nv0", "T1n0", true)},
      {"opening of 0.9989 m2", critere::CR_0_6, Consistency_batiment::batiment_tremies_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_tremies = {T{rect(0.9989, 1.0, 4.0, 3.0), "T1n0"}};
       },
       mesure("surface de la trémie", 0.9989, 1.0, comparison::at_least, tolerance::fine, "m2", "Nv0", "T1n0", false)},
      {"balcony of 0.2991 m2", critere::CR_0_7, Consistency_batiment::batiment_balcons_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_balcons = {B{rect(0.2991, 1.0, 2.0, 8.0), "B1n0"}};
       },
       mesure("surface du balcon", 0.2991, 0.3, comparison::at_least, tolerance::fine, "m2", "Nv0", "B1n0", true)},
      {"balcony of 0.2989 m2", critere::CR_0_7, Consistency_batiment::batiment_balcons_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_balcons = {B{rect(0.2989, 1.0, 2.0, 8.0), "B1n0"}};
       },
       mesure("surface du balcon", 0.2989, 0.3, comparison::at_least, tolerance::fine, "m2", "Nv0", "B1n0", false)},
      {"set-back of 0.9991 m2", critere::CR_0_8, Consistency_batiment::batiment_retraits_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_plan.plan_retraits = {R{rect(0.9991, 1.0, 9.0009, 7.0), "R1n0"}};
       },
       mesure("surface du retrait", 0.9991, 1.0, comparison::at_least, tolerance::fine, "m2", "Nv0", "R1n0", true)},
      {"set-back of 0.9989 m2", critere::CR_0_8, Consistency_batiment::batiment_retraits_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_plan.plan_retraits = {R{rect(0.9989, 1.0, 9.0011, 7.0), "R1n0"}};
       },
       mesure("surface du retrait", 0.9989, 1.0, comparison::at_least, tolerance::fine, "m2", "Nv0", "R1n0", false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Input_data_types::batiment house = r1_house();
    c.change(house);
    Running run(compute(house), c.c, c.test);
    EXPECT_EQ(run.result, c.attendue.passed);
    ASSERT_FALSE(measures(c.c).empty());
    expect_measures({measures(c.c).front()}, {c.attendue});
    if (!c.attendue.passed) {
      EXPECT_EQ(failure_elements(), std::vector<std::string>{*c.attendue.element});
      EXPECT_NE(recorded_failure()->message.find(" n'est pas valide:\n"), std::string::npos);
    }
  }
}

// A notch 2 m wide in the middle of the north facade of the ground floor.
void north_notch(Input_data_types::batiment& h) {
  ground(h).niveau_plan.plan_retraits = {Input_data_types::retrait{rect(2.0, 1.0, 4.0, 7.0), "R1n0"}};
}

TEST(ConsistencyPoutres, TheWholeBeamLiesInThePlan) {
  using P = Input_data_types::poutre;
  expect_cases(critere::CR_0_5, Consistency_batiment::batiment_poutres_checkings, "CR-0-5", rdc_loc,
               {
                   {"across the notch",
                    [](Input_data_types::batiment& h) {
                      north_notch(h);
                      ground(h).niveau_poutres = {P{{3.0, 7.5}, direction::X, 4.0, 1, "B1n0"}};
                    },
                    "la poutre B1n0 n'est pas géométriquement incluse dans le bâtiment"},
                   {"along the notch's border",
                    [](Input_data_types::batiment& h) {
                      north_notch(h);
                      ground(h).niveau_poutres = {P{{3.0, 7.0}, direction::X, 4.0, 1, "B1n0"}};
                    },
                    std::nullopt},
                   {"an end in the notch: the end is named",
                    [](Input_data_types::batiment& h) {
                      north_notch(h);
                      ground(h).niveau_poutres = {P{{3.0, 7.5}, direction::X, 2.0, 1, "B1n0"}};
                    },
                    "la poutre B1n0 n'est pas géométriquement incluse dans le bâtiment: son point extrémité, (5.00, "
                    "7.50), n'est pas dans le bâtiment"},
               });
  Input_data_types::batiment house = r1_house();
  north_notch(house);
  ground(house).niveau_poutres = {P{{3.0, 7.5}, direction::X, 4.0, 1, "B1n0"}};
  Running run(compute(house), critere::CR_0_5, Consistency_batiment::batiment_poutres_checkings);
  EXPECT_EQ(failure_elements(), std::vector<std::string>{"B1n0"});
}

// ---------------------------------------------------------------------------
// Measures: every comparison with a limit, passing or not, at its tolerance;
// failures name their elements.

// The measures of a criterion about one element.
std::vector<Outcome::measure> measures_of(critere c, const std::string& element) {
  std::vector<Outcome::measure> out;
  for (const auto& m : measures(c))
    if (m.element == element) out.push_back(m);
  return out;
}

TEST(ConsistencyMeasures, TypeAgainstTheStoreyCount) {
  {
    Running run(compute(r1_house()), critere::CR_0_12, Consistency_batiment::batiment_type_check);
    expect_measures(measures(critere::CR_0_12),
                    {mesure("nombre d'étages", 1, 1, comparison::equal, tolerance::none, "", {}, {}, true)});
  }
  Compute_data_types::batiment b = compute(r0_house());
  b.batiment_type = Quavor_data_types::batiment_type::R1;
  Running run(b, critere::CR_0_12, Consistency_batiment::batiment_type_check);
  expect_measures(measures(critere::CR_0_12),
                  {mesure("nombre d'étages", 0, 1, comparison::equal, tolerance::none, "", {}, {}, false)});
}

TEST(ConsistencyMeasures, DimensionsWithinAMillimetre) {
  const struct {
    double longueur;
    bool passes;
  } cases[] = {{9.9991, true}, {9.9989, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.longueur);
    Compute_data_types::batiment b = compute(r0_house());
    b.batiment_longueur = c.longueur;
    b.batiment_largeur = 10.0;
    Running run(b, critere::CR_0_0_0, Consistency_batiment::batiment_lmin_lmax_check);
    EXPECT_EQ(run.result, c.passes);
    expect_measures(measures(critere::CR_0_0_0), {mesure("longueur Lmax", c.longueur, 10.0, comparison::at_least,
                                                         tolerance::fine, "m", {}, {}, c.passes)});
  }
  const struct {
    double hauteur;
    bool passes;
  } hauteurs[] = {{4.0009, true}, {4.0011, false}};
  for (const auto& c : hauteurs) {
    SCOPED_TRACE(c.hauteur);
    Compute_data_types::batiment b = compute(r0_house());
    b.batiment_hauteur = c.hauteur;
    Running run(b, critere::CR_0_0_1, Consistency_batiment::batiment_hauteur_consistency_check);
    EXPECT_EQ(run.result, c.passes);
    expect_measures(measures(critere::CR_0_0_1), {mesure("hauteur déclarée du bâtiment", c.hauteur, 4.0,
                                                         comparison::equal, tolerance::fine, "m", {}, {}, c.passes)});
  }
}

TEST(ConsistencyMeasures, SlopeAsAFactorInRangeThenBelowTheMaximum) {
  {
    Running run(with_slope(34.99), critere::CR_0_10_0, Consistency_batiment::batiment_pente_de_sol_valid);
    expect_measures(measures(critere::CR_0_10_0),
                    {mesure("pente de sol", 0.3499, 0.0, comparison::range, tolerance::fine, "", {}, {}, true, 1.0),
                     mesure("pente de sol", 0.3499, 0.35, comparison::at_most, tolerance::none, "", {}, {}, true)});
  }
  {
    // Strictly below: the limit itself fails.
    Running run(with_slope(35.0), critere::CR_0_10_0, Consistency_batiment::batiment_pente_de_sol_valid);
    expect_measures(measures(critere::CR_0_10_0),
                    {mesure("pente de sol", 0.35, 0.0, comparison::range, tolerance::fine, "", {}, {}, true, 1.0),
                     mesure("pente de sol", 0.35, 0.35, comparison::at_most, tolerance::none, "", {}, {}, false)});
  }
  const struct {
    double percentage;
    bool passes;
  } bornes[] = {{100.09, true}, {100.11, false}};
  for (const auto& c : bornes) {
    SCOPED_TRACE(c.percentage);
    Running run(with_slope(c.percentage), critere::CR_0_10_0, Consistency_batiment::batiment_pente_de_sol_valid);
    EXPECT_EQ(measures(critere::CR_0_10_0).at(0),
              mesure("pente de sol", c.percentage / 100.0, 0.0, comparison::range, tolerance::fine, "", {}, {},
                     c.passes, 1.0));
  }
}

TEST(ConsistencyMeasures, SlopeWithoutJustification) {
  {
    Running run(with_slope(10.0), critere::CR_0_10_1, Consistency_batiment::batiment_pente_de_sol_add_justification);
    expect_measures(measures(critere::CR_0_10_1),
                    {mesure("pente de sol sans justification", 0.1, 0.1, comparison::at_most, tolerance::none, "", {},
                            {}, true),
                     mesure("pente de sol", 0.1, 0.35, comparison::at_most, tolerance::none, "", {}, {}, true)});
  }
  // Above 10 % the criterion passes with its warning; the comparison did not.
  Running run(with_slope(20.0), critere::CR_0_10_1, Consistency_batiment::batiment_pente_de_sol_add_justification);
  EXPECT_TRUE(run.result);
  expect_measures(measures(critere::CR_0_10_1),
                  {mesure("pente de sol sans justification", 0.2, 0.1, comparison::at_most, tolerance::none, "", {}, {},
                          false),
                   mesure("pente de sol", 0.2, 0.35, comparison::at_most, tolerance::none, "", {}, {}, true)});
}

TEST(ConsistencyMeasures, EnvelopePerLevel) {
  {
    Compute_data_types::batiment b = compute(r1_house());
    b.batiment_longueur = 10.0009;
    Running run(b, critere::CR_0_9, Consistency_batiment::batiment_plans_checkings);
    EXPECT_TRUE(run.result);
    const auto enveloppe = [](const std::string& niveau) {
      return std::vector<Outcome::measure>{
          mesure("longueur de l'enveloppe rectangulaire", 10.0, 10.0009, comparison::equal, tolerance::fine, "m",
                 niveau, {}, true),
          mesure("largeur de l'enveloppe rectangulaire", 8.0, 8.0, comparison::equal, tolerance::fine, "m", niveau, {},
                 true)};
    };
    std::vector<Outcome::measure> attendues = enveloppe("Nv0");
    for (const auto& m : enveloppe("Nv1")) attendues.push_back(m);
    expect_measures(measures(critere::CR_0_9), attendues);
  }
  Compute_data_types::batiment b = compute(r1_house());
  b.batiment_longueur = 10.0011;
  Running run(b, critere::CR_0_9, Consistency_batiment::batiment_plans_checkings);
  EXPECT_FALSE(run.result);
  expect_measures(measures(critere::CR_0_9), {mesure("longueur de l'enveloppe rectangulaire", 10.0, 10.0011,
                                                     comparison::equal, tolerance::fine, "m", "Nv0", {}, false)});
}

TEST(ConsistencyMeasures, BracingWallCountsInBothDirections) {
  {
    Running run(compute(r0_house()), critere::CR_0_2, Consistency_batiment::batiment_nombre_contreventements_checkings);
    expect_measures(measures(critere::CR_0_2),
                    {mesure("nombre de murs de contreventement dans la direction X", 2, 1, comparison::at_least,
                            tolerance::none, "", "Nv0", {}, true),
                     mesure("nombre de murs de contreventement dans la direction Y", 2, 1, comparison::at_least,
                            tolerance::none, "", "Nv0", {}, true)});
  }
  Input_data_types::batiment house = r0_house();
  for (auto& m : house.batiment_niveau_toit.niveau_murs)
    if (m.mur_direction == direction::Y) m.mur_genre = Quavor_data_types::mur_genre::Mur_secondaire;
  Running run(compute(house), critere::CR_0_2, Consistency_batiment::batiment_nombre_contreventements_checkings);
  expect_measures(measures(critere::CR_0_2),
                  {mesure("nombre de murs de contreventement dans la direction X", 2, 1, comparison::at_least,
                          tolerance::none, "", "Nv0", {}, true),
                   mesure("nombre de murs de contreventement dans la direction Y", 0, 1, comparison::at_least,
                          tolerance::none, "", "Nv0", {}, false)});
}

TEST(ConsistencyMeasures, WallSizesHeightAndCornerOverlaps) {
  {
    Running run(compute(r0_house()), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
    const double coin = 0.2 * 0.2;
    expect_measures(measures_of(critere::CR_0_3, "M1n0"),
                    {mesure("épaisseur du mur", 0.2, 0.2, comparison::range, tolerance::fine, "m", "Nv0", "M1n0", true,
                            0.6),
                     mesure("longueur du mur", 10.0, 0.8, comparison::range, tolerance::fine, "m", "Nv0", "M1n0", true,
                            10.0),
                     mesure("hauteur du mur", 2.5, 2.5, comparison::equal, tolerance::fine, "m", "Nv0", "M1n0", true),
                     // the west and east walls meet it at its corners (the east
                     // corner's width is 10 - 9.8 in floating point)
                     mesure("aire de chevauchement", coin, coin, comparison::at_most, tolerance::fine, "m2", "Nv0",
                            "M1n0", true),
                     mesure("aire de chevauchement", (10.0 - 9.8) * 0.2, coin, comparison::at_most, tolerance::fine, "m2", "Nv0",
                            "M1n0", true)});
  }
  // The south wall's measures: thickness, length, height, in this order.
  const struct {
    const char* what;
    house_change change;
    std::size_t index;
    Outcome::measure attendue;
  } cases[] = {
      {"thin within a millimetre", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_ly = 0.1991; }, 0,
       mesure("épaisseur du mur", 0.1991, 0.2, comparison::range, tolerance::fine, "m", "Nv0", "M1n0", true, 0.6)},
      {"thin by more", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_ly = 0.1989; }, 0,
       mesure("épaisseur du mur", 0.1989, 0.2, comparison::range, tolerance::fine, "m", "Nv0", "M1n0", false, 0.6)},
      {"long within a millimetre", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_lx = 10.0009; }, 1,
       mesure("longueur du mur", 10.0009, 0.8, comparison::range, tolerance::fine, "m", "Nv0", "M1n0", true, 10.0)},
      {"long by more", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_lx = 10.0011; }, 1,
       mesure("longueur du mur", 10.0011, 0.8, comparison::range, tolerance::fine, "m", "Nv0", "M1n0", false, 10.0)},
      {"height within a millimetre", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_lz = 2.5009; }, 2,
       mesure("hauteur du mur", 2.5009, 2.5, comparison::equal, tolerance::fine, "m", "Nv0", "M1n0", true)},
      {"height off by more", [](Input_data_types::batiment& h) { roof_wall(h, 0).mur_solide.s_lz = 2.5011; }, 2,
       mesure("hauteur du mur", 2.5011, 2.5, comparison::equal, tolerance::fine, "m", "Nv0", "M1n0", false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Input_data_types::batiment house = r0_house();
    c.change(house);
    Running run(compute(house), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
    EXPECT_EQ(run.result, c.attendue.passed);
    const auto m = measures_of(critere::CR_0_3, "M1n0");
    // Nothing is measured after a failed comparison.
    ASSERT_EQ(m.size(), c.attendue.passed ? 5u : c.index + 1);
    expect_measures({m.at(c.index)}, {c.attendue});
    EXPECT_EQ(failure_elements(), c.attendue.passed ? std::vector<std::string>{} : std::vector<std::string>{"M1n0"});
  }
}

TEST(ConsistencyMeasures, AnOverlapNamesBothWalls) {
  Input_data_types::batiment house = r0_house();
  add_inner_wall(house, wall("M5n0", direction::X, 0.0, 0.1, 10.0, 0.2));
  Running run(compute(house), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
  EXPECT_FALSE(run.result);
  expect_measures({measures(critere::CR_0_3).back()}, {mesure("aire de chevauchement", 10.0 * 0.1, 0.2 * 0.2,
                                                              comparison::at_most, tolerance::fine, "m2", "Nv0",
                                                              "M1n0", false)});
  EXPECT_EQ(failure_elements(), (std::vector<std::string>{"M1n0", "M5n0"}));
}

TEST(ConsistencyMeasures, BalconyDepthWithinAMillimetre) {
  const struct {
    double profondeur;
    bool passes;
  } cases[] = {{1.0009, true}, {1.0011, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.profondeur);
    Input_data_types::batiment house = r1_house();
    ground(house).niveau_categorie.plancher_balcons = {
        Input_data_types::balcon{rect(3.0, c.profondeur, 2.0, 8.0), "B1n0"}};
    Running run(compute(house), critere::CR_0_7, Consistency_batiment::batiment_balcons_checkings);
    EXPECT_EQ(run.result, c.passes);
    const auto m = measures_of(critere::CR_0_7, "B1n0");
    ASSERT_FALSE(m.empty());
    expect_measures({m.back()}, {mesure("profondeur du balcon", c.profondeur, 1.0, comparison::at_most,
                                        tolerance::fine, "m", "Nv0", "B1n0", c.passes)});
    EXPECT_EQ(failure_elements(), c.passes ? std::vector<std::string>{} : std::vector<std::string>{"B1n0"});
  }
}

TEST(ConsistencyMeasures, FailuresNameTheirElements) {
  const struct {
    const char* what;
    critere c;
    checkings_fn test;
    house_change change;
    std::vector<std::string> elements;
  } cases[] = {
      {"column outside",
       critere::CR_0_4,
       Consistency_batiment::batiment_poteaux_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_poteaux = {{{12.0, 4.0}, "C1n0"}};
       },
       {"C1n0"}},
      {"columns together",
       critere::CR_0_4,
       Consistency_batiment::batiment_poteaux_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_poteaux = {{{5.0, 4.0}, "C1n0"}, {{5.0005, 4.0}, "C2n0"}};
       },
       {"C1n0", "C2n0"}},
      {"beams overlapping",
       critere::CR_0_5,
       Consistency_batiment::batiment_poutres_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_poutres = {Input_data_types::poutre{{1.0, 4.0}, direction::X, 4.0, 1, "B1n0"},
                                     Input_data_types::poutre{{3.0, 4.0}, direction::X, 4.0, 2, "B2n0"}};
       },
       {"B1n0", "B2n0"}},
      {"beam end outside",
       critere::CR_0_5,
       Consistency_batiment::batiment_poutres_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_poutres = {Input_data_types::poutre{{5.0, 4.0}, direction::X, 6.0, 1, "B1n0"}};
       },
       {"B1n0"}},
      {"opening outside",
       critere::CR_0_6,
       Consistency_batiment::batiment_tremies_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_tremies = {Input_data_types::tremie{rect(2.0, 2.0, 9.0, 3.0), "T1n0"}};
       },
       {"T1n0"}},
      {"balcony inside",
       critere::CR_0_7,
       Consistency_batiment::batiment_balcons_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_categorie.plancher_balcons = {Input_data_types::balcon{rect(3.0, 1.0, 2.0, 6.0), "B1n0"}};
       },
       {"B1n0"}},
      {"set-back over an opening",
       critere::CR_0_8,
       Consistency_batiment::batiment_retraits_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_plan.plan_retraits = {Input_data_types::retrait{rect(2.0, 3.0, 8.0, 5.0), "R1n0"}};
         ground(h).niveau_categorie.plancher_tremies = {Input_data_types::tremie{rect(2.0, 2.0, 7.0, 4.0), "T1n0"}};
       },
       {"R1n0", "T1n0"}},
      {"set-back named twice",
       critere::CR_0_8,
       Consistency_batiment::batiment_retraits_checkings,
       [](Input_data_types::batiment& h) {
         ground(h).niveau_plan.plan_retraits = {Input_data_types::retrait{rect(2.0, 3.0, 8.0, 5.0), "R1n0"},
                                                Input_data_types::retrait{rect(2.0, 2.0, 8.0, 0.0), "R1n0"}};
       },
       {"R1n0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Input_data_types::batiment house = r1_house();
    c.change(house);
    Running run(compute(house), c.c, c.test);
    EXPECT_FALSE(run.result);
    EXPECT_EQ(failure_elements(), c.elements);
  }
}

}  // namespace
