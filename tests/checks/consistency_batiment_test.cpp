#include "checks/consistency_batiment.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
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
using house = Input_data_types::batiment;
using building = Compute_data_types::batiment;
using Input_data_types::balcon;
using Input_data_types::poutre;
using Input_data_types::retrait;
using Input_data_types::tremie;

failure fails(const std::string& code, const std::string& location, const std::string& message) {
  return failure{"Cohérence du bâtiment", code, location, message};
}

failure rdc(const std::string& code, const std::string& message) { return fails(code, rdc_loc, message); }

template <class Run>
void expect_fatal(Run run, const std::string& message) {
  try {
    run();
    FAIL() << "no fatal error";
  } catch (const Fatal_error& e) {
    EXPECT_EQ(std::string(e.what()), "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: " + message);
  }
}

// ---------------------------------------------------------------------------
// The houses the tables run on: a house changed before it is derived, or a
// derived building with one datum overridden.

using change = std::function<void(house&)>;

building with(house h, const change& c) {
  c(h);
  return compute(h);
}
building r0_with(const change& c) { return with(r0_house(), c); }
building r1_with(const change& c) { return with(r1_house(), c); }

building sized(building b, double longueur, double largeur) {
  b.batiment_longueur = longueur;
  b.batiment_largeur = largeur;
  return b;
}

building tall(building b, double hauteur) {
  b.batiment_hauteur = hauteur;
  return b;
}

building typed(building b, Quavor_data_types::batiment_type type) {
  b.batiment_type = type;
  return b;
}

building with_slope(double percentage) {
  return r0_with([percentage](house& h) { h.batiment_implantation.implantation_pente = percentage; });
}

// The slope with its derived justification flag overridden.
building flagged(double percentage, bool needs_justification) {
  building b = with_slope(percentage);
  b.batiment_implantation.implantation_pente_needs_justification = needs_justification;
  return b;
}

Input_data_types::niveau_plancher& ground(house& h) { return h.batiment_niveau_planchers.at(0); }
Input_data_types::mur& roof_wall(house& h, std::size_t i) { return h.batiment_niveau_toit.niveau_murs.at(i); }

void add_inner_wall(house& h, Input_data_types::mur m) {
  m.mur_categorie = Quavor_data_types::mur_categorie::Mur_en_refend;
  h.batiment_niveau_toit.niveau_murs.push_back(m);
}

// The elements of the ground floor of the R1 house.
change poteaux(std::vector<Input_data_types::poteau> v) {
  return [v](house& h) { ground(h).niveau_poteaux = v; };
}
change poutres(std::vector<poutre> v) {
  return [v](house& h) { ground(h).niveau_poutres = v; };
}
change tremies(std::vector<tremie> v) {
  return [v](house& h) { ground(h).niveau_categorie.plancher_tremies = v; };
}
change balcons(std::vector<balcon> v) {
  return [v](house& h) { ground(h).niveau_categorie.plancher_balcons = v; };
}
change retraits(std::vector<retrait> v) {
  return [v](house& h) { ground(h).niveau_plan.plan_retraits = v; };
}
change both(change a, change b) {
  return [a, b](house& h) {
    a(h);
    b(h);
  };
}

// A notch 2 m wide in the middle of the north facade of the ground floor.
const change north_notch = retraits({retrait{rect(2.0, 1.0, 4.0, 7.0), "R1n0"}});


// The measures of a criterion about one element.
std::vector<Outcome::measure> measures_of(critere c, const std::string& element) {
  std::vector<Outcome::measure> out;
  for (const auto& m : measures(c))
    if (m.element == element) out.push_back(m);
  return out;
}

// ---------------------------------------------------------------------------
// Name tables and naming rule.

TEST(ConsistencyNomTables, KindNamesArticlesAndSuffixes) {
  using entity = Consistency_batiment::entity_kind;
  const struct {
    entity kind;
    const char* name;
    const char* article;
  } cases[] = {
      {entity::Niveau, "niveau", "du "}, {entity::Plan, "plan", "du "},        {entity::Mur, "mur", "du "},
      {entity::Poteau, "poteau", "du "}, {entity::Poutre, "poutre", "de la "}, {entity::Tremie, "trémie", "de la "},
      {entity::Balcon, "balcon", "du "}, {entity::Retrait, "retrait", "du "},  {entity::Etage, "étage", "de l'"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Consistency_batiment::batiment_entity_name(c.kind), c.name) << c.name;
    EXPECT_EQ(Consistency_batiment::batiment_entity_of_the(c.kind), c.article) << c.name;
  }
  EXPECT_EQ(Consistency_batiment::batiment_entity_suffix_format(entity::Niveau), "n%d");
  EXPECT_EQ(Consistency_batiment::batiment_entity_suffix_format(entity::Etage), "%d");
  EXPECT_EQ(Consistency_batiment::batiment_entity_suffix(entity::Niveau, 1), "n1");
  EXPECT_EQ(Consistency_batiment::batiment_entity_suffix(entity::Etage, 12), "12");
  expect_fatal([] { (void)Consistency_batiment::batiment_entity_suffix_format(entity::Mur); },
               "batiment_entity_suffix_format: unexpected batiment entity mur");
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
  for (house h : {r0_house(), r1_house()}) {
    const Probe_directory probe;
    h.batiment_file_name = probe.path("house.qvb");
    std::remove(probe.path("house.qvr").c_str());
    Checking checking(h);
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
                  "  " +
                      probe.path("house.qvb") +
                      "\n"
                      "correspond au fichier du rapport en cours:\n"
                      "  " +
                      probe.path("house.qvr"),
                  "Pour ce bâtiment, Le rapport de conformité au guide du bâtiment peut être enregistré:\n"
                  "le droit d'écriture du fichier " +
                      probe.path("house.qvr") +
                      "\n"
                      "est accordé par le système."}));
  }
}

TEST(ConsistencyFamily, DebuggingLinesNameEachCriterionEntered) {
  const Probe_directory probe;
  house h = r0_house();
  h.batiment_file_name = probe.path("house.qvb");
  Checking checking(h);
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
  house h = r0_house();
  h.batiment_file_name = probe.path("house.qvb");
  h.batiment_longueur = 7.0;  // CR-0-0-0 fails: the plans are never looked at
  Checking checking(h);
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

TEST(ConsistencyReportFile, AnUnwritableReportIsAFatalFailure) {
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
  // The run mode of a report request adds a note.
  const struct {
    const char* what;
    bool report_request;
    std::string note;
  } cases[] = {{"plain", false, ""},
               {"report request", true,
                "\n"
                "Note: quavor a été appelé avec l'option\n"
                "  -r \"house.qvb\"\n"
                "le rapport aurait donc dû être écrit dans le fichier\n"
                "  house.qvr\n"
                "mais cette adresse ne correspond pas à l'adresse interne du bâtiment:\n"
                "  /nonexistent-quavor-dir/house.qvr\n"}};
  for (const auto& c : cases) {
    house h = r0_house();
    h.batiment_file_name = "/nonexistent-quavor-dir/house.qvb";
    Checking checking(h);
    if (c.report_request) {
      session().set_compute_run_mode(Quavor_configuration::run_mode::Compute_qvr_from_qvb);
      session().set_report_source_file_name("house.qvb");
      session().set_report_target_file_name("house.qvr");
    }
    EXPECT_THROW(session().make(critere::CR_0_11, Consistency_batiment::batiment_file_name_checkings, checking.b),
                 Error_wrong_test)
        << c.what;
    EXPECT_EQ(recorded_failure(), fails("CR-0-11", batiment_loc, unwritable_text + c.note)) << c.what;
    // The fatal failure carries no closing paragraph.
    EXPECT_EQ(session().get_error_wrong_test_result().message.find("Pour plus d'information"), std::string::npos)
        << c.what;
  }
}

TEST(ConsistencyReportFile, TheProbeNeitherEmptiesNorLeavesAFile) {
  const Probe_directory probe;
  house h = r0_house();
  h.batiment_file_name = probe.path("kept.qvb");
  const std::string report = probe.path("kept.qvr");
  std::ofstream(report) << "an older report\n";
  for (const bool older : {true, false}) {
    {
      Checking checking(h);
      EXPECT_TRUE(Consistency_batiment::batiment_report_file_name_writable_check(session(), checking.b)) << older;
    }
    if (older) {
      EXPECT_EQ(read_file(report), "an older report\n");
      std::remove(report.c_str());
    } else {
      EXPECT_FALSE(exists(report));
    }
  }
}

TEST(ConsistencyReportFile, TheStandardOutputIsAlwaysWritable) {
  house h = r0_house();
  h.batiment_file_name = "-";
  Checking checking(h);
  session().set_report_target_file_name("-");
  EXPECT_TRUE(session().make(critere::CR_0_11, Consistency_batiment::batiment_file_name_checkings, checking.b));
  EXPECT_FALSE(exists("-"));
}

TEST(ConsistencyReportFile, TheRecordedNameMustBeTheOneRead) {
  {
    Checking checking(r0_house());
    session().set_report_target_file_name("house.qvr");
    EXPECT_TRUE(Consistency_batiment::batiment_internal_file_name_check(session(), checking.b));
    EXPECT_EQ(
        paragraphs(critere::CR_0_11),
        (std::vector<std::string>{"Pour ce bâtiment, le nom du fichier enregistré dans les données du bâtiment "
                                  "est correct:\n  house.qvb correspond au fichier du rapport en cours: house.qvr"}));
  }
  {
    // Without a target name the building's own report name is taken.
    Checking checking(r0_house());
    EXPECT_TRUE(Consistency_batiment::batiment_internal_file_name_check(session(), checking.b));
    EXPECT_EQ(session().get_report_target_file_name_opt(), std::optional<std::string>("house.qvr"));
  }
  Checking checking(r0_house());
  session().set_report_target_file_name("other.qvr");
  session().critere_enter_checking(critere::CR_0_11);
  EXPECT_FALSE(Consistency_batiment::batiment_internal_file_name_check(session(), checking.b));
  EXPECT_EQ(recorded_failure(), fails("CR-0-11", batiment_loc,
                                      "le nom du fichier enregistré dans les données du bâtiment est incorrect:\n"
                                      "  house.qvb ne correspond pas au fichier du rapport en cours:\n"
                                      "  other.qvr"));
}

// ---------------------------------------------------------------------------
// CR-0-12: building type; CR-0-0: dimensions.

TEST(ConsistencyBatimentType, AgreesWithTheNumberOfStoreys) {
  const auto etages = [](double n, double attendu, bool passed) {
    return mesure("nombre d'étages", n, attendu, comparison::equal, tolerance::none, "", {}, {}, passed);
  };
  expect_outcomes(critere::CR_0_12, Consistency_batiment::batiment_type_check,
                  {{"R0",
                    compute(r0_house()),
                    true,
                    {},
                    {"Pour ce bâtiment, le type du bâtiment R0 est correct:\nen effet, le bâtiment comporte 0 étages"}},
                   {"R1", compute(r1_house()), true, {}, {}, {etages(1, 1, true)}},
                   {"R1 without its storey",
                    typed(compute(r0_house()), Quavor_data_types::batiment_type::R1),
                    false,
                    fails("CR-0-12", batiment_loc,
                          "le type du bâtiment R1 est erroné\ncar le nombre d'étages du bâtiment est 0 "
                          "et ce devrait être 1 pour ce type de bâtiment"),
                    {},
                    {etages(0, 1, false)}}});
}

TEST(ConsistencyDimensions, LengthAtLeastWidthWithinAMillimetre) {
  const auto r0 = [](double longueur, double largeur) { return sized(compute(r0_house()), longueur, largeur); };
  const auto lmax = [](double longueur, bool passed) {
    return mesure("longueur Lmax", longueur, 10.0, comparison::at_least, tolerance::fine, "m", {}, {}, passed);
  };
  expect_outcomes(critere::CR_0_0_0, Consistency_batiment::batiment_lmin_lmax_check,
                  {{"longer", r0(10.0, 8.0), true},
                   {"longer within a millimetre",
                    r0(10.0005, 10.0),
                    true,
                    {},
                    {"les dimensions horizontales du bâtiment sont correctes:\n  la longueur Lmax "
                     "est 10.00 m, la largeur Lmin est 10.00 m, et donc Lmax >= Lmin"}},
                   {"shorter within a millimetre", r0(9.9995, 10.0), true},
                   {"shorter", r0(9.99, 10.0), false,
                    fails("CR-0-0-0", batiment_loc,
                          "les dimensions horizontales du bâtiment sont erronées:\n"
                          "  la longueur Lmax est 9.99 m, la largeur Lmin est 10.00 m, mais on a Lmax < Lmin")},
                   {"0.9 mm shorter", r0(9.9991, 10.0), true, {}, {}, {lmax(9.9991, true)}},
                   {"1.1 mm shorter", r0(9.9989, 10.0), false, {}, {}, {lmax(9.9989, false)}}});
}

TEST(ConsistencyDimensions, DeclaredHeightIsTheSumOfTheLevels) {
  const auto declared = [](double hauteur, bool passed) {
    return mesure("hauteur déclarée du bâtiment", hauteur, 4.0, comparison::equal, tolerance::fine, "m", {}, {},
                  passed);
  };
  expect_outcomes(
      critere::CR_0_0_1, Consistency_batiment::batiment_hauteur_consistency_check,
      {{"R0 4.0",
        tall(compute(r0_house()), 4.0),
        true,
        {},
        {"la hauteur déclarée du bâtiment est correcte:\n  4.00 m est bien la hauteur calculée"}},
       {"R0 4.0005", tall(compute(r0_house()), 4.0005), true},
       {"R0 4.002", tall(compute(r0_house()), 4.002), false},
       {"R1 6.66", tall(compute(r1_house()), 6.66), true},
       {"R1 6.5", tall(compute(r1_house()), 6.5), false,
        fails("CR-0-0-1", batiment_loc,
              "la hauteur déclarée est incorrecte:\n  elle vaut 6.50 m, mais la hauteur calculée est 6.66 m")},
       {"R0 4.0009", tall(compute(r0_house()), 4.0009), true, {}, {}, {declared(4.0009, true)}},
       {"R0 4.0011", tall(compute(r0_house()), 4.0011), false, {}, {}, {declared(4.0011, false)}}});
}

TEST(ConsistencyDimensions, TheCriterionRunsBothSubCriteria) {
  Running run(compute(r1_house()), critere::CR_0_0, Consistency_batiment::batiment_dimension_checkings);
  EXPECT_TRUE(run.result);
  EXPECT_EQ(session().get_checking_number(), 3);
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_0_0_1, session().get_critere_checked_table()));
}

// ---------------------------------------------------------------------------
// CR-0-10: ground slope.

Outcome::measure pente(std::string_view quantite, double value, double limit, comparison cmp, bool passed) {
  return cmp == comparison::range ? mesure(quantite, value, limit, cmp, tolerance::fine, "", {}, {}, passed, 1.0)
                                  : mesure(quantite, value, limit, cmp, tolerance::none, "", {}, {}, passed);
}

TEST(ConsistencyPente, SlopeAsAFactorInRangeThenBelowTheMaximum) {
  const auto in_range = [](double f, bool passed) { return pente("pente de sol", f, 0.0, comparison::range, passed); };
  const auto below = [](double f, bool passed) { return pente("pente de sol", f, 0.35, comparison::at_most, passed); };
  expect_outcomes(critere::CR_0_10_0, Consistency_batiment::batiment_pente_de_sol_valid,
                  {{"5 %", with_slope(5.0), true},
                   {"34.99 %",
                    with_slope(34.99),
                    true,
                    {},
                    {"la pente de sol 34.99 % où est implanté le bâtiment est valide:\nelle est "
                     "inférieure à la pente maximale autorisée 35.00 %"},
                    {in_range(0.3499, true), below(0.3499, true)}},
                   // Strictly below: the limit itself fails.
                   {"35 %",
                    with_slope(35.0),
                    false,
                    fails("CR-0-10-0", batiment_loc,
                          "la pente de sol où est implanté le bâtiment est invalide:\nelle vaut 35.00 %, "
                          "mais la pente maximale autorisée est 35.00 %"),
                    {},
                    {in_range(0.35, true), below(0.35, false)}},
                   {"100.05 %", with_slope(100.05), false},
                   {"100.09 %", with_slope(100.09), false, {}, {}, {in_range(1.0009, true), below(1.0009, false)}},
                   {"100.11 %", with_slope(100.11), false, {}, {}, {in_range(1.0011, false)}},
                   {"150 %", with_slope(150.0), false,
                    fails("CR-0-10-0", batiment_loc,
                          "la pente de sol où est implanté le bâtiment est une donnée invalide:\nelle vaut "
                          "150.00 %, mais cette pente devrait être comprise entre 0.0 et 1.0")}});
}

TEST(ConsistencyPente, JustificationAgreesWithTheSlope) {
  const auto slope = [](double f, bool without, bool below) {
    return std::vector<Outcome::measure>{pente("pente de sol sans justification", f, 0.1, comparison::at_most, without),
                                         pente("pente de sol", f, 0.35, comparison::at_most, below)};
  };
  expect_outcomes(
      critere::CR_0_10_1, Consistency_batiment::batiment_pente_de_sol_add_justification,
      {{"10 %",
        with_slope(10.0),
        true,
        {},
        {"la pente de sol 10.00 % où est implanté le bâtiment est acceptable.\nEn effet, "
         "elle est inférieure à 10.00 %, et ne nécessite donc pas de justification par "
         "un cabinet d'études spécialisé."},
        slope(0.1, true, true)},
       // Just above 10 %: the derived flag asks for a justification.
       {"10.05 %",
        with_slope(10.05),
        true,
        {},
        {"ATTENTION:\nLA PENTE DE SOL NÉCESSITE UNE JUSTIFICATION PAR UN CABINET D'ÉTUDES SPÉCIALISÉ.\nEn "
         "effet, la pente de sol 10.05 % où est implanté le bâtiment est supérieure à 10.00 %, pente limite "
         "sans justification du guide TQMV."}},
       // Above 10 % the criterion passes with its warning; the comparison did not.
       {"20 %", with_slope(20.0), true, {}, {}, slope(0.2, false, true)},
       {"20 % without its flag", flagged(20.0, false), false,
        fails("CR-0-10-1", batiment_loc,
              "la pente de sol où est implanté le bâtiment et la nécessité de vérification de cette pente sont "
              "incohérentes:\nla pente vaut 20.00 %, pourtant la nécessité de vérification est false")},
       {"5 % with the flag", flagged(5.0, true), false},
       {"36 %", with_slope(36.0), false}});
}

// ---------------------------------------------------------------------------
// CR-0-1: levels; CR-0-9: plans; CR-0-2: bracing walls in both directions.

TEST(ConsistencyNiveaux, NamesEndWithTheStoreyAndAreUnique) {
  expect_outcomes(
      critere::CR_0_1, Consistency_batiment::batiment_niveaux_checkings,
      {{"R1", compute(r1_house()), true},
       {"roof named Nv2", r1_with([](house& h) { h.batiment_niveau_toit.niveau_nom = "Nv2"; }), false,
        fails("CR-0-1", "Au second étage (niveau Nv2)",
              "le nom du niveau Nv2 n'est pas valide. car il ne se termine pas par le numéro de son étage, 1")},
       {"two levels Nv0", r1_with([](house& h) {
          h.batiment_niveau_toit.niveau_nom = "Nv0";
          h.batiment_niveau_toit.niveau_etage = 0;
        }),
        false, rdc("CR-0-1", "le niveau Nv0 n'a pas un nom unique:\nun niveau de même nom apparaît à l'étage 0")}});
  Running run(compute(r1_house()), critere::CR_0_1, Consistency_batiment::batiment_niveaux_checkings);
  EXPECT_EQ(session().nom_tables().find(Consistency_batiment::entity_kind::Niveau, "Nv1"),
            std::optional<std::string>("1"));
}

building roof_plan(Input_data_types::plan p, int etage) {
  return r1_with([&](house& h) {
    h.batiment_niveau_toit.niveau_plan = p;
    h.batiment_niveau_toit.niveau_etage = etage;
  });
}

TEST(ConsistencyPlans, NamesEnvelopeAndHeritage) {
  const Input_data_types::plan p0 = base_plan("P1n0", 0, 10.0, 8.0);
  const auto enveloppe = [](const char* cote, double value, double limit, const std::string& niveau, bool passed) {
    return mesure(kept(std::string(cote) + " de l'enveloppe rectangulaire"), value, limit, comparison::equal,
                  tolerance::fine, "m", niveau, {}, passed);
  };
  const auto r1 = [](double longueur, double largeur) { return sized(compute(r1_house()), longueur, largeur); };
  expect_outcomes(
      critere::CR_0_9, Consistency_batiment::batiment_plans_checkings,
      {{"R1", compute(r1_house()), true},
       {"name without the level", roof_plan(upper_plan("P1", 1, p0), 1), false,
        fails("CR-0-9", etage_loc,
              "le nom du plan P1 n'est pas valide. car il ne se termine pas par le numéro de son niveau, n1")},
       {"same name", roof_plan(upper_plan("P1n0", 0, p0), 0), false,
        fails("CR-0-9", "Au premier étage (niveau Nv1)",
              "le plan P1n0 n'a pas un nom unique:\nun plan de même nom apparaît au niveau Nv0")},
       {"base upstairs", roof_plan(base_plan("P1n1", 1, 10.0, 8.0), 1), false,
        fails("CR-0-9", etage_loc,
              "le plan P1n1 possède une base rectangulaire,\nce qui est réservé au rez-de-chaussée (étage 0)")},
       {"heir of itself", roof_plan(upper_plan("P1n1", 1, base_plan("P0n1", 1, 10.0, 8.0)), 1), false,
        fails("CR-0-9", etage_loc, "le plan P1n1 n'est pas fondé car il hérite de lui-même")},
       {"heir of an upper storey", roof_plan(upper_plan("P1n1", 1, base_plan("P9n2", 2, 10.0, 8.0)), 1), false,
        fails("CR-0-9", etage_loc,
              "le plan P1n1 n'est pas fondé:\n  il hérite du plan d'un étage supérieur, le plan P9n2 situé à l'étage "
              "2)")},
       // The envelope is the building's rectangle, per level.
       {"envelope within half a millimetre", r1(10.0005, 7.9995), true},
       {"envelope too short", r1(12.0, 8.0), false,
        fails("CR-0-9", batiment_loc,
              "l'enveloppe rectangulaire est incorrecte:\nsa longueur est 10.00 m, mais ce devrait être 12.00 m, la "
              "longueur du bâtiment (aussi appelée dimension Lmax)")},
       {"envelope too wide", r1(10.0, 7.5), false,
        fails("CR-0-9", batiment_loc,
              "l'enveloppe rectangulaire est incorrecte:\nsa largeur est 8.00 m, mais ce devrait être 7.50 m, la "
              "largeur du bâtiment (aussi appelée dimension Lmin)")},
       {"envelope 0.9 mm short",
        r1(10.0009, 8.0),
        true,
        {},
        {},
        {enveloppe("longueur", 10.0, 10.0009, "Nv0", true), enveloppe("largeur", 8.0, 8.0, "Nv0", true),
         enveloppe("longueur", 10.0, 10.0009, "Nv1", true), enveloppe("largeur", 8.0, 8.0, "Nv1", true)}},
       {"envelope 1.1 mm short",
        r1(10.0011, 8.0),
        false,
        {},
        {},
        {enveloppe("longueur", 10.0, 10.0011, "Nv0", false)}}});
}

// The R0 house with its walls of one direction secondary.
building secondary(direction d) {
  return r0_with([d](house& h) {
    for (auto& m : h.batiment_niveau_toit.niveau_murs)
      if (m.mur_direction == d) m.mur_genre = Quavor_data_types::mur_genre::Mur_secondaire;
  });
}

TEST(ConsistencyContreventements, AtLeastOneInEachDirection) {
  const auto count = [](const char* d, double n, bool passed) {
    return mesure(kept(std::string("nombre de murs de contreventement dans la direction ") + d), n, 1,
                  comparison::at_least, tolerance::none, "", "Nv0", {}, passed);
  };
  const auto none = [](const char* d) {
    return rdc("CR-0-2", std::string("il n'y a pas de murs de contreventement dans la direction ") + d);
  };
  expect_outcomes(
      critere::CR_0_2, Consistency_batiment::batiment_nombre_contreventements_checkings,
      {{"R0", compute(r0_house()), true, {}, {}, {count("X", 2, true), count("Y", 2, true)}},
       {"no X", secondary(direction::X), false, none("X")},
       {"no Y", secondary(direction::Y), false, none("Y"), {}, {count("X", 2, true), count("Y", 0, false)}}});
}

// ---------------------------------------------------------------------------
// CR-0-3: walls.

TEST(ConsistencyMurs, EveryWallAloneThenAgainstTheOthers) {
  const auto mur = [](const std::string& message) { return rdc("CR-0-3", message); };
  expect_outcomes(
      critere::CR_0_3, Consistency_batiment::batiment_murs_checkings,
      {// Walls meeting at a corner share exactly the square of the thickness.
       {"the valid house", compute(r0_house()), true},
       {"duplicate name", r0_with([](house& h) { roof_wall(h, 1).mur_nom = "M1n0"; }), false,
        mur("le mur M1n0 n'a pas un nom unique:\nun mur de même nom apparaît au niveau Nv0")},
       {"name without the level suffix", r0_with([](house& h) { roof_wall(h, 0).mur_nom = "M1"; }), false,
        mur("le nom du mur M1 n'est pas valide. car il ne se termine pas par le numéro de son niveau, n0")},
       {"too thin", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_ly = 0.1; }), false,
        mur("le mur primaire M1n0 n'est pas assez épais:\nil mesure 0.10 m mais la limite inférieure pour ce type de "
            "matériau est 0.20 m")},
       {"thin within a millimetre", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_ly = 0.1995; }), true},
       {"too thick", r0_with([](house& h) { roof_wall(h, 2).mur_solide.s_lx = 0.65; }), false,
        mur("le mur primaire M3n0 est trop épais:\nil mesure 0.65 m mais la limite supérieure pour ce type de "
            "matériau est 0.60 m")},
       {"thin secondary wall", r0_with([](house& h) {
          add_inner_wall(
              h, wall("M5n0", direction::Y, 5.0, 0.2, 0.1, 2.0, 2.5, Quavor_data_types::mur_categorie::Mur_en_refend,
                      Quavor_data_types::mur_genre::Mur_secondaire));
        }),
        true},
       {"short inner wall within a millimetre",
        r0_with([](house& h) { add_inner_wall(h, wall("M5n0", direction::Y, 5.0, 0.2, 0.2, 0.7995)); }), true},
       {"too short", r0_with([](house& h) { add_inner_wall(h, wall("M5n0", direction::Y, 5.0, 0.2, 0.2, 0.79)); }),
        false,
        mur("le mur primaire M5n0 est trop court:\nsa longueur, 0.79 m, est inférieure à la limite inférieure "
            "autorisée 0.80 m")},
       {"too long", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_lx = 10.01; }), false,
        mur("le mur primaire M1n0 est trop long:\nsa longueur 10.01 m est supérieure à la limite supérieure "
            "autorisée 10.00 m")},
       {"wrong height", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_lz = 2.6; }), false,
        mur("le mur M1n0 n'a pas la bonne hauteur:\nsa hauteur (2.60 m) n'est pas celle de son niveau (2.50 m)")},
       {"height within a millimetre", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_lz = 2.5005; }), true},
       {"outside the plan", r0_with([](house& h) { roof_wall(h, 0).mur_position.p_x = -0.5; }), false,
        mur("le mur M1n0 n'est pas géométriquement inclus dans le bâtiment: son point bas gauche, (-0.50, 0.00), "
            "n'est pas dans le bâtiment")},
       {"outside by half a millimetre", r0_with([](house& h) { roof_wall(h, 0).mur_position.p_x = -0.0005; }), true},
       {"inner wall declared facade", r0_with([](house& h) {
          add_inner_wall(h, wall("M5n0", direction::Y, 5.0, 0.2, 0.2, 2.0));
          roof_wall(h, 4).mur_categorie = Quavor_data_types::mur_categorie::Mur_de_facade;
        }),
        false, mur("le mur M5n0 est déclaré de façade, mais ce mur n'est pas géométriquement un mur de façade")},
       {"facade wall declared inner",
        r0_with([](house& h) { roof_wall(h, 3).mur_categorie = Quavor_data_types::mur_categorie::Mur_en_refend; }),
        false, mur("le mur M4n0 est déclaré en refend, mais ce mur n'est pas géométriquement un mur en refend")},
       // A set-back in the north-east corner: the north wall runs along it,
       // none of its corners strictly inside.
       {"along a set-back", r0_with([](house& h) {
          h.batiment_niveau_toit.niveau_plan.plan_retraits = {retrait{rect(2.0, 3.0, 8.0, 5.0), "R1n0"}};
        }),
        false, mur("le mur M2n0 n'est pas géométriquement inclus dans le bâtiment")},
       {"in a set-back", r0_with([](house& h) {
          h.batiment_niveau_toit.niveau_plan.plan_retraits = {retrait{rect(2.0, 2.0, 4.0, 3.0), "R1n0"}};
          add_inner_wall(h, wall("M5n0", direction::X, 4.5, 4.0, 1.0, 0.2));
        }),
        false,
        mur("le mur M5n0 n'est pas géométriquement inclus dans le bâtiment: son point bas gauche, (4.50, 4.00), "
            "n'est pas dans le bâtiment")},
       {"overlapping",
        r0_with([](house& h) { add_inner_wall(h, wall("M5n0", direction::X, 0.0, 0.1, 10.0, 0.2)); }),
        false,
        mur("le mur M1n0 n'est pas disjoint du mur M5n0:\nles murs se superposent sur une aire de 1.00 m2 mais "
            "l'aire de chevauchement maximale tolérée est 0.04 m2"),
        {},
        {},
        {{"M1n0", "M5n0"}}},
       {"under an opening", r1_with([](house& h) {
          ground(h).niveau_categorie.plancher_tremies = {tremie{rect(2.0, 2.0, 4.0, 3.0), "T1n0"}};
          ground(h).niveau_murs.push_back(
              wall("M5n0", direction::Y, 5.0, 0.2, 0.2, 7.6, 2.5, Quavor_data_types::mur_categorie::Mur_en_refend));
        }),
        false,
        mur("une partie du mur M5n0 se trouve dans la trémie T1n0,\nce qui est incorrect car la partie haute "
            "correspondante du mur M5n0 n'est rattachée à aucun support physique du bâtiment")}});
}

TEST(ConsistencyMurs, WoodAndConcreteAreNotHandled) {
  building b = compute(r0_house());
  b.batiment_materiau_categorie = Quavor_data_types::Bois{};
  Checking checking(b);
  expect_fatal(
      [&] { session().make_checkings(critere::CR_0_3, Consistency_batiment::batiment_murs_checkings, checking.b); },
      "Les bâtiments en bois ou béton ne sont pas encore traités");
}

// ---------------------------------------------------------------------------
// CR-0-4 to CR-0-8: columns, beams, openings, balconies, set-backs, on the
// ground floor of the R1 house.

TEST(ConsistencyPoteaux, InsideAndApart) {
  const auto poteau = [](const std::string& message) { return rdc("CR-0-4", message); };
  expect_outcomes(critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings,
                  {{"one column", r1_with(poteaux({{{5.0, 4.0}, "C1n0"}})), true},
                   {"outside",
                    r1_with(poteaux({{{12.0, 4.0}, "C1n0"}})),
                    false,
                    poteau("le poteau C1n0 n'est pas géométriquement inclus dans le bâtiment"),
                    {},
                    {},
                    {{"C1n0"}}},
                   {"same place within a millimetre",
                    r1_with(poteaux({{{5.0, 4.0}, "C1n0"}, {{5.0005, 4.0}, "C2n0"}})),
                    false,
                    poteau("le poteau C1n0 et le poteau C2n0 ne sont pas disjoints"),
                    {},
                    {},
                    {{"C1n0", "C2n0"}}},
                   {"two millimetres apart", r1_with(poteaux({{{5.0, 4.0}, "C1n0"}, {{5.002, 4.0}, "C2n0"}})), true},
                   {"duplicate", r1_with(poteaux({{{5.0, 4.0}, "C1n0"}, {{6.0, 4.0}, "C1n0"}})), false,
                    poteau("le poteau C1n0 n'a pas un nom unique:\nun poteau de même nom apparaît au niveau Nv0")}});
}

TEST(ConsistencyPoutres, LongEnoughInsideAndApart) {
  const auto poutre_failure = [](const std::string& message) { return rdc("CR-0-5", message); };
  const auto incluse = "la poutre B1n0 n'est pas géométriquement incluse dans le bâtiment";
  expect_outcomes(
      critere::CR_0_5, Consistency_batiment::batiment_poutres_checkings,
      {{"crossing beams",
        r1_with(poutres(
            {poutre{{0.2, 4.0}, direction::X, 9.6, 1, "B1n0"}, poutre{{5.0, 0.2}, direction::Y, 7.6, 2, "B2n0"}})),
        true},
       {"too short", r1_with(poutres({poutre{{1.0, 4.0}, direction::X, 0.4, 1, "B1n0"}})), false,
        poutre_failure("la poutre B1n0 n'est pas valide:\nsa longueur est trop faible")},
       {"end outside",
        r1_with(poutres({poutre{{5.0, 4.0}, direction::X, 6.0, 1, "B1n0"}})),
        false,
        poutre_failure(std::string(incluse) + ": son point extrémité, (11.00, 4.00), n'est pas dans le bâtiment"),
        {},
        {},
        {{"B1n0"}}},
       {"overlapping",
        r1_with(poutres(
            {poutre{{1.0, 4.0}, direction::X, 4.0, 1, "B1n0"}, poutre{{3.0, 4.0}, direction::X, 4.0, 2, "B2n0"}})),
        false,
        poutre_failure("la poutre B1n0 et la poutre B2n0 ne sont pas disjointes"),
        {},
        {},
        {{"B1n0", "B2n0"}}},
       // The whole beam lies in the plan.
       {"across the notch",
        r1_with(both(north_notch, poutres({poutre{{3.0, 7.5}, direction::X, 4.0, 1, "B1n0"}}))),
        false,
        poutre_failure(incluse),
        {},
        {},
        {{"B1n0"}}},
       {"along the notch's border",
        r1_with(both(north_notch, poutres({poutre{{3.0, 7.0}, direction::X, 4.0, 1, "B1n0"}}))), true},
       {"an end in the notch: the end is named",
        r1_with(both(north_notch, poutres({poutre{{3.0, 7.5}, direction::X, 2.0, 1, "B1n0"}}))), false,
        poutre_failure(std::string(incluse) + ": son point extrémité, (5.00, 7.50), n'est pas dans le bâtiment")}});
}

TEST(ConsistencyTremies, LargeEnoughInsideAndApart) {
  const auto tremie_failure = [](const std::string& message) { return rdc("CR-0-6", message); };
  expect_outcomes(
      critere::CR_0_6, Consistency_batiment::batiment_tremies_checkings,
      {{"sharing a side",
        r1_with(tremies({tremie{rect(2.0, 2.0, 4.0, 3.0), "T1n0"}, tremie{rect(1.0, 2.0, 6.0, 3.0), "T2n0"}})), true},
       {"too small", r1_with(tremies({tremie{rect(0.9, 1.0, 4.0, 3.0), "T1n0"}})), false,
        tremie_failure("la trémie T1n0 n'est pas valide:\nsa surface est trop faible")},
       {"outside",
        r1_with(tremies({tremie{rect(2.0, 2.0, 9.0, 3.0), "T1n0"}})),
        false,
        tremie_failure("la trémie T1n0 n'est pas géométriquement incluse dans le bâtiment"),
        {},
        {},
        {{"T1n0"}}},
       {"overlapping",
        r1_with(tremies({tremie{rect(2.0, 2.0, 4.0, 3.0), "T1n0"}, tremie{rect(2.0, 2.0, 5.0, 4.0), "T2n0"}})), false,
        tremie_failure("la trémie T1n0 et la trémie T2n0 ne sont pas disjointes")}});
}

TEST(ConsistencyBalcons, OutsideOnTheFacadeAndNotTooDeep) {
  const auto balcon_failure = [](const std::string& message) { return rdc("CR-0-7", message); };
  expect_outcomes(
      critere::CR_0_7, Consistency_batiment::batiment_balcons_checkings,
      {{"north balcony 1 m deep", r1_with(balcons({balcon{rect(3.0, 1.0, 2.0, 8.0), "B1n0"}})), true},
       {"within a millimetre", r1_with(balcons({balcon{rect(3.0, 1.0005, 2.0, 8.0), "B1n0"}})), true},
       {"too deep", r1_with(balcons({balcon{rect(3.0, 1.2, 2.0, 8.0), "B1n0"}})), false,
        balcon_failure(
            "le balcon B1n0 a une profondeur de 1.20 m, ce qui est supérieur à la limite autorisé de 1.00 m")},
       {"east balcony too deep", r1_with(balcons({balcon{rect(1.5, 3.0, 10.0, 2.0), "B1n0"}})), false,
        balcon_failure(
            "le balcon B1n0 a une profondeur de 1.50 m, ce qui est supérieur à la limite autorisé de 1.00 m")},
       {"inside",
        r1_with(balcons({balcon{rect(3.0, 1.0, 2.0, 6.0), "B1n0"}})),
        false,
        balcon_failure("le balcon B1n0 n'est pas géométriquement situé à l'extérieur du bâtiment"),
        {},
        {},
        {{"B1n0"}}},
       {"too small", r1_with(balcons({balcon{rect(0.5, 0.5, 2.0, 8.0), "B1n0"}})), false,
        balcon_failure("le balcon B1n0 n'est pas valide:\nsa surface est trop faible")},
       {"overlapping",
        r1_with(balcons({balcon{rect(3.0, 1.0, 2.0, 8.0), "B1n0"}, balcon{rect(3.0, 1.0, 4.0, 8.0), "B2n0"}})), false,
        balcon_failure("le balcon B1n0 et le balcon B2n0 ne sont pas disjoints")}});
}

TEST(ConsistencyBalcons, AFloatingBalconIsAFatalFailure) {
  Checking checking(r1_with(balcons({balcon{rect(3.0, 1.0, 2.0, 9.0), "B1n0"}})));
  EXPECT_THROW(session().make_checkings(critere::CR_0_7, Consistency_batiment::batiment_balcons_checkings, checking.b),
               Error_wrong_test);
  EXPECT_EQ(recorded_failure(),
            rdc("CR-0-7", "le balcon B1n0 n'est pas géométriquement basé sur la facade du bâtiment"));
}

TEST(ConsistencyRetraits, LargeEnoughInsideAndApartFromOpenings) {
  const auto retrait_failure = [](const std::string& message) { return rdc("CR-0-8", message); };
  const retrait corner{rect(2.0, 3.0, 8.0, 5.0), "R1n0"};
  const std::string outside = "le retrait R1n0 n'est pas géométriquement situé à l'intérieur du bâtiment";
  expect_outcomes(
      critere::CR_0_8, Consistency_batiment::batiment_retraits_checkings,
      {{"corner set-back", r1_with(retraits({corner})), true},
       {"too small", r1_with(retraits({retrait{rect(1.0, 0.9, 9.0, 7.1), "R1n0"}})), false,
        retrait_failure("le retrait R1n0 n'est pas valide:\nsa surface est trop faible")},
       {"outside the base", r1_with(retraits({retrait{rect(2.0, 2.0, 11.0, 3.0), "R1n0"}})), false,
        retrait_failure(outside)},
       {"overlapping another set-back", r1_with(retraits({corner, retrait{rect(2.0, 5.5, 8.0, 0.0), "R2n0"}})), false,
        retrait_failure(outside)},
       {"over an opening",
        r1_with(both(retraits({corner}), tremies({tremie{rect(2.0, 2.0, 7.0, 4.0), "T1n0"}}))),
        false,
        retrait_failure("le retrait R1n0 et la trémie T1n0 ne sont pas disjoints"),
        {},
        {},
        {{"R1n0", "T1n0"}}},
       {"duplicate",
        r1_with(retraits({corner, retrait{rect(2.0, 2.0, 8.0, 0.0), "R1n0"}})),
        false,
        retrait_failure("le retrait R1n0 n'a pas un nom unique:\nun retrait de même nom apparaît au niveau Nv0"),
        {},
        {},
        {{"R1n0"}}}});
}

// A name is unique across the kinds: each criterion after the one that
// named the other kind first, as in the family's order.
TEST(ConsistencyNoms, DuplicateMessagesOfEveryKind) {
  const struct {
    const char* what;
    building b;
    critere first_c;
    checkings_fn first;
    critere c;
    checkings_fn test;
    failure expected;
  } cases[] = {
      {"a wall named like the plan", r0_with([](house& h) { roof_wall(h, 1).mur_nom = "P1n0"; }), critere::CR_0_9,
       Consistency_batiment::batiment_plans_checkings, critere::CR_0_3, Consistency_batiment::batiment_murs_checkings,
       rdc("CR-0-3", "le mur P1n0 n'a pas un nom unique:\nune entité de même nom apparaît au niveau Nv0")},
      {"a column named like a wall", r1_with(poteaux({{{5.0, 4.0}, "M1n0"}})), critere::CR_0_3,
       Consistency_batiment::batiment_murs_checkings, critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings,
       rdc("CR-0-4", "le poteau M1n0 n'a pas un nom unique:\nune entité de même nom apparaît au niveau Nv0")},
      {"beams",
       r1_with(poutres(
           {poutre{{1.0, 4.0}, direction::X, 1.0, 1, "B1n0"}, poutre{{1.0, 5.0}, direction::X, 1.0, 2, "B1n0"}})),
       critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings, critere::CR_0_5,
       Consistency_batiment::batiment_poutres_checkings,
       rdc("CR-0-5", "la poutre B1n0 n'a pas un nom unique:\nune poutre de même nom apparaît au niveau Nv0")},
      {"openings",
       r1_with(tremies({tremie{rect(1.0, 1.0, 2.0, 2.0), "T1n0"}, tremie{rect(1.0, 1.0, 5.0, 2.0), "T1n0"}})),
       critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings, critere::CR_0_6,
       Consistency_batiment::batiment_tremies_checkings,
       rdc("CR-0-6", "la trémie T1n0 n'a pas un nom unique:\nune trémie de même nom apparaît au niveau Nv0")},
      {"balconies",
       r1_with(balcons({balcon{rect(2.0, 1.0, 1.0, 8.0), "B1n0"}, balcon{rect(2.0, 1.0, 5.0, 8.0), "B1n0"}})),
       critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings, critere::CR_0_7,
       Consistency_batiment::batiment_balcons_checkings,
       rdc("CR-0-7", "le balcon B1n0 n'a pas un nom unique:\nun balcon de même nom apparaît au niveau Nv0")},
      {"an opening named like a column",
       r1_with(both(tremies({tremie{rect(1.0, 1.0, 2.0, 2.0), "T1n0"}}), poteaux({{{5.0, 4.0}, "T1n0"}}))),
       critere::CR_0_4, Consistency_batiment::batiment_poteaux_checkings, critere::CR_0_6,
       Consistency_batiment::batiment_tremies_checkings,
       rdc("CR-0-6", "la trémie T1n0 n'a pas un nom unique:\nune entité de même nom apparaît au niveau Nv0")},
  };
  for (const auto& k : cases) {
    Checking checking(k.b);
    EXPECT_TRUE(session().make_checkings(k.first_c, k.first, checking.b)) << k.what;
    EXPECT_FALSE(session().make_checkings(k.c, k.test, checking.b)) << k.what;
    EXPECT_EQ(recorded_failure(), k.expected) << k.what;
  }
}

// ---------------------------------------------------------------------------
// Measures of one element: every comparison with a limit, passing or not, at
// its tolerance; nothing is measured after a failed comparison.

TEST(ConsistencyMeasures, WallSizesHeightAndCornerOverlaps) {
  {
    Running run(compute(r0_house()), critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
    const double coin = 0.2 * 0.2;
    expect_measures(
        measures_of(critere::CR_0_3, "M1n0"),
        {mesure("épaisseur du mur", 0.2, 0.2, comparison::range, tolerance::fine, "m", "Nv0", "M1n0", true, 0.6),
         mesure("longueur du mur", 10.0, 0.8, comparison::range, tolerance::fine, "m", "Nv0", "M1n0", true, 10.0),
         mesure("hauteur du mur", 2.5, 2.5, comparison::equal, tolerance::fine, "m", "Nv0", "M1n0", true),
         // the west and east walls meet it at its corners (the east
         // corner's width is 10 - 9.8 in floating point)
         mesure("aire de chevauchement", coin, coin, comparison::at_most, tolerance::fine, "m2", "Nv0", "M1n0", true),
         mesure("aire de chevauchement", (10.0 - 9.8) * 0.2, coin, comparison::at_most, tolerance::fine, "m2", "Nv0",
                "M1n0", true)});
  }
  const auto sized_wall = [](const char* quantite, double v, double limit, bool passed, std::optional<double> upper) {
    return mesure(quantite, v, limit, upper ? comparison::range : comparison::equal, tolerance::fine, "m", "Nv0",
                  "M1n0", passed, upper);
  };
  // The south wall's measures: thickness, length, height, in this order.
  const struct {
    const char* what;
    building b;
    std::size_t index;
    Outcome::measure attendue;
  } cases[] = {
      {"thin within a millimetre", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_ly = 0.1991; }), 0,
       sized_wall("épaisseur du mur", 0.1991, 0.2, true, 0.6)},
      {"thin by more", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_ly = 0.1989; }), 0,
       sized_wall("épaisseur du mur", 0.1989, 0.2, false, 0.6)},
      {"long within a millimetre", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_lx = 10.0009; }), 1,
       sized_wall("longueur du mur", 10.0009, 0.8, true, 10.0)},
      {"long by more", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_lx = 10.0011; }), 1,
       sized_wall("longueur du mur", 10.0011, 0.8, false, 10.0)},
      {"height within a millimetre", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_lz = 2.5009; }), 2,
       sized_wall("hauteur du mur", 2.5009, 2.5, true, std::nullopt)},
      {"height off by more", r0_with([](house& h) { roof_wall(h, 0).mur_solide.s_lz = 2.5011; }), 2,
       sized_wall("hauteur du mur", 2.5011, 2.5, false, std::nullopt)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Running run(c.b, critere::CR_0_3, Consistency_batiment::batiment_murs_checkings);
    EXPECT_EQ(run.result, c.attendue.passed);
    const auto m = measures_of(critere::CR_0_3, "M1n0");
    ASSERT_EQ(m.size(), c.attendue.passed ? 5u : c.index + 1);
    expect_measures({m.at(c.index)}, {c.attendue});
    EXPECT_EQ(failure_elements(), c.attendue.passed ? std::vector<std::string>{} : std::vector<std::string>{"M1n0"});
  }
}

// One measure a check took last (or first), at its tolerance; a failed one
// names its element, and for the minimum sizes says the element is invalid.
enum class taken { first, last, last_of_element };

struct one_measure {
  const char* what;
  building b;
  critere c;
  checkings_fn test;
  taken at;
  Outcome::measure attendue;
  std::vector<std::string> named;
  bool invalid;  // the failure says the element is not valid
};

// A minimum size on the ground floor of the R1 house, the first measure of
// its criterion.
one_measure minimum(const char* what, const change& element, critere c, checkings_fn test, const char* quantite,
                    double v, double limit, const char* unite, const char* name, bool passed) {
  return {what,
          r1_with(element),
          c,
          test,
          taken::first,
          mesure(quantite, v, limit, comparison::at_least, tolerance::fine, unite, "Nv0", name, passed),
          passed ? std::vector<std::string>{} : std::vector<std::string>{name},
          !passed};
}

TEST(ConsistencyMeasures, OneMeasureOfAnElement) {
  const auto depth = [](double v, bool passed) {
    return mesure("profondeur du balcon", v, 1.0, comparison::at_most, tolerance::fine, "m", "Nv0", "B1n0", passed);
  };
  const auto poutre_checks = Consistency_batiment::batiment_poutres_checkings;
  const auto tremie_checks = Consistency_batiment::batiment_tremies_checkings;
  const auto balcon_checks = Consistency_batiment::batiment_balcons_checkings;
  const auto retrait_checks = Consistency_batiment::batiment_retraits_checkings;
  const one_measure cases[] = {
      {"overlapping walls name both",
       r0_with([](house& h) { add_inner_wall(h, wall("M5n0", direction::X, 0.0, 0.1, 10.0, 0.2)); }),
       critere::CR_0_3,
       Consistency_batiment::batiment_murs_checkings,
       taken::last,
       mesure("aire de chevauchement", 10.0 * 0.1, 0.2 * 0.2, comparison::at_most, tolerance::fine, "m2", "Nv0", "M1n0",
              false),
       {"M1n0", "M5n0"},
       false},
      {"balcony 1.0009 m deep",
       r1_with(balcons({balcon{rect(3.0, 1.0009, 2.0, 8.0), "B1n0"}})),
       critere::CR_0_7,
       balcon_checks,
       taken::last_of_element,
       depth(1.0009, true),
       {},
       false},
      {"balcony 1.0011 m deep",
       r1_with(balcons({balcon{rect(3.0, 1.0011, 2.0, 8.0), "B1n0"}})),
       critere::CR_0_7,
       balcon_checks,
       taken::last_of_element,
       depth(1.0011, false),
       {"B1n0"},
       false},
      minimum("beam of 0.4995 m", poutres({poutre{{1.0, 4.0}, direction::X, 0.4995, 1, "B1n0"}}), critere::CR_0_5,
              poutre_checks, "longueur de la poutre", 0.4995, 0.5, "m", "B1n0", true),
      minimum("beam of 0.4989 m", poutres({poutre{{1.0, 4.0}, direction::X, 0.4989, 1, "B1n0"}}), critere::CR_0_5,
              poutre_checks, "longueur de la poutre", 0.4989, 0.5, "m", "B1n0", false),
      minimum("opening of 0.9991 m2", tremies({tremie{rect(0.9991, 1.0, 4.0, 3.0), "T1n0"}}), critere::CR_0_6,
              tremie_checks, "surface de la trémie", 0.9991, 1.0, "m2", "T1n0", true),
      minimum("opening of 0.9989 m2", tremies({tremie{rect(0.9989, 1.0, 4.0, 3.0), "T1n0"}}), critere::CR_0_6,
              tremie_checks, "surface de la trémie", 0.9989, 1.0, "m2", "T1n0", false),
      minimum("balcony of 0.2991 m2", balcons({balcon{rect(0.2991, 1.0, 2.0, 8.0), "B1n0"}}), critere::CR_0_7,
              balcon_checks, "surface du balcon", 0.2991, 0.3, "m2", "B1n0", true),
      minimum("balcony of 0.2989 m2", balcons({balcon{rect(0.2989, 1.0, 2.0, 8.0), "B1n0"}}), critere::CR_0_7,
              balcon_checks, "surface du balcon", 0.2989, 0.3, "m2", "B1n0", false),
      minimum("set-back of 0.9991 m2", retraits({retrait{rect(0.9991, 1.0, 9.0009, 7.0), "R1n0"}}), critere::CR_0_8,
              retrait_checks, "surface du retrait", 0.9991, 1.0, "m2", "R1n0", true),
      minimum("set-back of 0.9989 m2", retraits({retrait{rect(0.9989, 1.0, 9.0011, 7.0), "R1n0"}}), critere::CR_0_8,
              retrait_checks, "surface du retrait", 0.9989, 1.0, "m2", "R1n0", false),
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    Running run(k.b, k.c, k.test);
    EXPECT_EQ(run.result, k.attendue.passed);
    const auto m = k.at == taken::last_of_element ? measures_of(k.c, *k.attendue.element) : measures(k.c);
    ASSERT_FALSE(m.empty());
    expect_measures({k.at == taken::first ? m.front() : m.back()}, {k.attendue});
    EXPECT_EQ(failure_elements(), k.named);
    if (k.invalid) {
      EXPECT_NE(recorded_failure()->message.find(" n'est pas valide:\n"), std::string::npos);
    }
  }
}

}  // namespace
