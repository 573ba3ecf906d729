// The catalogue of criteria and the guide tables.
#include "criteria/tqmv.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "config/quavor_configuration.hpp"
#include "model/compute_data_types.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"

namespace {

using Tqmv::critere;
using namespace Quavor_data_types;

const std::string fatal_prefix = "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ";

// The text of the fatal error that f raises ("" when none).
template <class F>
std::string fatal_text(F&& f) {
  try {
    f();
  } catch (const Fatal_error& e) {
    return e.what();
  }
  return "";
}

// ---------------------------------------------------------------------------
// The catalogue.

struct catalogue_case {
  critere c;
  const char* code;
  const char* principal;  // "" for none
};

const std::vector<catalogue_case> catalogue_cases = {
    {critere::CR_0, "CR-0", ""},
    {critere::CR_0_0, "CR-0-0", "CR-0"},
    {critere::CR_0_0_0, "CR-0-0-0", "CR-0"},
    {critere::CR_0_0_1, "CR-0-0-1", "CR-0"},
    {critere::CR_0_1, "CR-0-1", "CR-0"},
    {critere::CR_0_2, "CR-0-2", "CR-0"},
    {critere::CR_0_3, "CR-0-3", "CR-0"},
    {critere::CR_0_4, "CR-0-4", "CR-0"},
    {critere::CR_0_5, "CR-0-5", "CR-0"},
    {critere::CR_0_6, "CR-0-6", "CR-0"},
    {critere::CR_0_7, "CR-0-7", "CR-0"},
    {critere::CR_0_8, "CR-0-8", "CR-0"},
    {critere::CR_0_9, "CR-0-9", "CR-0"},
    {critere::CR_0_10, "CR-0-10", "CR-0"},
    {critere::CR_0_10_0, "CR-0-10-0", "CR-0"},
    {critere::CR_0_10_1, "CR-0-10-1", "CR-0"},
    {critere::CR_0_11, "CR-0-11", "CR-0"},
    {critere::CR_0_12, "CR-0-12", "CR-0"},
    {critere::CR_1, "CR-1", ""},
    {critere::CR_1_0, "CR-1-0", "CR-1"},
    {critere::CR_1_1, "CR-1-1", "CR-1"},
    {critere::CR_1_2, "CR-1-2", "CR-1"},
    {critere::CR_1_3, "CR-1-3", "CR-1"},
    {critere::CR_1_4, "CR-1-4", "CR-1"},
    {critere::CR_1_5, "CR-1-5", "CR-1"},
    {critere::CR_1_6, "CR-1-6", "CR-1"},
    {critere::CR_1_7, "CR-1-7", "CR-1"},
    {critere::CR_1_8, "CR-1-8", "CR-1"},
    {critere::CR_1_9, "CR-1-9", "CR-1"},
    {critere::CR_1_10, "CR-1-10", "CR-1"},
    {critere::CR_2, "CR-2", ""},
    {critere::CR_2_1, "CR-2-1", "CR-2"},
    {critere::CR_2_2, "CR-2-2", ""},
    {critere::CR_2_2_1, "CR-2-2-1", "CR-2-2"},
    {critere::CR_2_2_2, "CR-2-2-2", "CR-2-2"},
    {critere::CR_2_2_3, "CR-2-2-3", "CR-2-2"},
    {critere::CR_2_3, "CR-2-3", "CR-2"},
    {critere::CR_3, "CR-3", ""},
    {critere::CR_3_1, "CR-3-1", "CR-3"},
    {critere::CR_3_2, "CR-3-2", "CR-3"},
    {critere::CR_3_3, "CR-3-3", "CR-3"},
    {critere::CR_3_4, "CR-3-4", "CR-3"},
    {critere::CR_3_5, "CR-3-5", "CR-3"},
    {critere::CR_3_5_0, "CR-3-5-0", "CR-3-5"},
    {critere::CR_3_5_1, "CR-3-5-1", "CR-3-5"},
    {critere::CR_3_6, "CR-3-6", "CR-3"},
    {critere::CR_3_6_1, "CR-3-6-1", "CR-3-6"},
    {critere::CR_3_6_2, "CR-3-6-2", "CR-3-6"},
    {critere::CR_3_6_3, "CR-3-6-3", "CR-3-6"},
    {critere::CR_3_6_4, "CR-3-6-4", "CR-3-6"},
    {critere::CR_3_7, "CR-3-7", "CR-3"},
};

TEST(TqmvCatalogue, FiftyOneCodesInCatalogueOrder) {
  ASSERT_EQ(catalogue_cases.size(), 51u);
  ASSERT_EQ(Tqmv::critere_count, 51);
  for (int i = 0; i < 51; ++i) {
    SCOPED_TRACE(catalogue_cases[i].code);
    EXPECT_EQ(Tqmv::critere_index(catalogue_cases[i].c), i);
    EXPECT_EQ(Tqmv::all_criteres()[i], catalogue_cases[i].c);
    EXPECT_EQ(Tqmv::critere_nom(catalogue_cases[i].c), catalogue_cases[i].code);
  }
}

TEST(TqmvCatalogue, PrincipalCriteriaAndSections) {
  std::vector<std::string> sections;
  for (const catalogue_case& k : catalogue_cases) {
    SCOPED_TRACE(k.code);
    const auto principal = Tqmv::critere_principal(k.c);
    EXPECT_EQ(principal ? Tqmv::critere_nom(*principal) : std::string(), k.principal);
    EXPECT_EQ(Tqmv::critere_is_section(k.c), std::string(k.principal).empty());
    if (Tqmv::critere_is_section(k.c)) sections.push_back(k.code);
  }
  EXPECT_EQ(sections, (std::vector<std::string>{"CR-0", "CR-1", "CR-2", "CR-2-2", "CR-3"}));
}

TEST(TqmvCatalogue, FamiliesFollowThePositionInTheCatalogue) {
  for (int i = 0; i < 51; ++i) {
    const critere c = Tqmv::critere_of_index(i);
    SCOPED_TRACE(Tqmv::critere_nom(c));
    const char* expected = i <= 17   ? "Cohérence du bâtiment"
                           : i <= 29 ? "Géométrie du bâtiment"
                           : i <= 36 ? "Conception du bâtiment"
                                     : "Dimensionnement du bâtiment";
    EXPECT_EQ(Tqmv::critere_classification(c), expected);
  }
  EXPECT_EQ(Tqmv::famille_coherence, "Cohérence du bâtiment");
  EXPECT_EQ(Tqmv::famille_geometrie, "Géométrie du bâtiment");
  EXPECT_EQ(Tqmv::famille_conception, "Conception du bâtiment");
  EXPECT_EQ(Tqmv::famille_dimensionnement, "Dimensionnement du bâtiment");
}

TEST(TqmvCatalogue, GuideReferences) {
  EXPECT_EQ(Tqmv::tqmv_version, "2.1.4");
  EXPECT_EQ(Tqmv::tqmv_guide(), "guide 2.1.4");
  EXPECT_EQ(Tqmv::titre_cr_geo_tqmv("Nombre maximum de niveaux", 10, "2-1"),
            "Nombre maximum de niveaux (guide 2.1.4, p.10, Tab (2-1))");
  EXPECT_EQ(Tqmv::titre_cr_point_tqmv("Poids propre du plancher", 73, 2),
            "Poids propre du plancher (guide 2.1.4, p.73, point (2))");
}

struct title_case {
  critere c;
  int kind;  // index in the title variant: section, criterion, sub-criterion
  const char* text;
};

TEST(TqmvCatalogue, TitlesWithTheirKindsAndReferences) {
  const std::vector<title_case> cases = {
      {critere::CR_0, 0, "I Critères de cohérence interne des données du bâtiment"},
      {critere::CR_0_0_0, 2, "Cohérence des dimensions horizontales du bâtiment"},
      {critere::CR_0_1, 1, "Cohérence des niveaux"},
      {critere::CR_0_10_1, 2, "Pente de sol acceptable sous réserve d'étude spécialisée"},
      {critere::CR_1, 0, "II Critères de géométrie du bâtiment"},
      {critere::CR_1_0, 1, "Nombre maximum de niveaux (guide 2.1.4, p.10, Tab (2-1))"},
      {critere::CR_1_7, 1, "Limitation de la hauteur d'étage (guide 2.1.4, p.10, Tab (2-1))"},
      {critere::CR_1_8, 1, "Poids propre du plancher (guide 2.1.4, p.73, point (2))"},
      {critere::CR_1_10, 1, "Limitation de l'élancement du bâtiment (guide 2.1.4, p.73, point (6))"},
      {critere::CR_2_2, 1, "Continuité des porteurs verticaux (guide 2.1.4, p.73, point (5))"},
      {critere::CR_2_2_1, 2, "Continuité des poteaux (guide 2.1.4, p.73, point (5))"},
      {critere::CR_3_4, 1, "Limitation de la dissymétrie d'implantation (guide 2.1.4, p.74, point (11))"},
      {critere::CR_3_5, 1,
       "Limitation de la surface de plancher (Sp) reprise par les murs de contreventement (guide 2.1.4, p.74, "
       "point (12))"},
      {critere::CR_3_5_0, 2,
       "Surfaces de plancher reprises par les murs effectivement calculables (guide 2.1.4, p.74, point (14))"},
      {critere::CR_3_6_1, 2, "(13_1) Longueur moyenne des murs de contreventement"},
      {critere::CR_3_7, 1,
       "Rapport surface au sol des murs de contreventement / surface du plancher (guide 2.1.4, p.74, point "
       "(14))"},
  };
  for (const title_case& k : cases) {
    SCOPED_TRACE(Tqmv::critere_nom(k.c));
    const Tqmv::titre t = Tqmv::critere_title(k.c);
    EXPECT_EQ(static_cast<int>(t.index()), k.kind);
    EXPECT_EQ(Tqmv::titre_text(t), k.text);
  }
}

TEST(TqmvCatalogue, TextsAsWrittenTyposIncluded) {
  EXPECT_EQ(Tqmv::critere_text(critere::CR_0_4),
            "On vérifie que:\n- les poteauxs ont des noms uniques,\n- les poteauxs sont à l'intéreur du bâtiment.");
  EXPECT_EQ(Tqmv::critere_text(critere::CR_3),
            "Critères de dimensionnement du bâtimen:\nOn vérifie que:\n- les murs de façades parallèles sont "
            "suffisamment longs\n- ...");
  EXPECT_EQ(Tqmv::critere_text(critere::CR_2_3),
            "(2-3) Limitation de la taille et du nombre des parties en retrait.On vérifie que les planchers du "
            "bâtiment sont de surface décroissante lorsque le niveau s'élève.");
  // The typographic apostrophe U+2019, twice.
  const std::string cr_3_4 = Tqmv::critere_text(critere::CR_3_4);
  EXPECT_NE(cr_3_4.find("de part et d\xE2\x80\x99" "autre d\xE2\x80\x99une ligne"), std::string::npos);
  EXPECT_NE(cr_3_4.find("pour l\xE2\x80\x99" "autre direction."), std::string::npos);
  EXPECT_EQ(cr_3_4.find('\''), std::string::npos);
  const std::string cr_0 = Tqmv::critere_text(critere::CR_0);
  EXPECT_TRUE(cr_0.starts_with("(0) Cohérence du bâtiment:\nOn vérifie la cohérence des entrées"));
  EXPECT_NE(cr_0.find("- type du bâtiment corresponfant au nombre de niveauc,\n"), std::string::npos);
  EXPECT_TRUE(cr_0.ends_with("uniques,\n- cohérence des retraits, placement et noms uniques,"));
  EXPECT_EQ(Tqmv::critere_text(critere::CR_3_5_1),
            "Le total des surfaces de plancher repris par chaque mur de contreventement est inférieur au maximum "
            "fixé par le guide TQMV");
}

TEST(TqmvCatalogue, CriterionPrinters) {
  Format::Printer p;
  Tqmv::print_critere(p, critere::CR_0_1);
  EXPECT_EQ(p.contents(), "Critère CR-0-1\n  \"Cohérence des niveaux\"");
  Format::Printer q;
  Tqmv::print_critere_title(q, critere::CR_1_8);
  EXPECT_EQ(q.contents(), "Poids propre du plancher (guide 2.1.4, p.73, point (2))");
  EXPECT_EQ(Tqmv::critere_ident(critere::CR_3_6_2), "CR_3_6_2");
}

// ---------------------------------------------------------------------------
// Criterion tables.

class TqmvTables : public ::testing::Test {
 protected:
  void SetUp() override { Quavor_configuration::reset_for_tests(); }
};

TEST_F(TqmvTables, MakeCallsTheInitialiserOncePerCriterionInOrder) {
  std::vector<critere> seen;
  const auto table = Tqmv::make_critere_table([&seen](critere c) {
    seen.push_back(c);
    return Tqmv::critere_index(c) * 2;
  });
  ASSERT_EQ(seen.size(), 51u);
  for (int i = 0; i < 51; ++i) {
    EXPECT_EQ(seen[i], Tqmv::critere_of_index(i));
    EXPECT_EQ(Tqmv::get(table, Tqmv::critere_of_index(i)), 2 * i);
  }
}

TEST_F(TqmvTables, FreshTablesAreEmpty) {
  const auto checked = Tqmv::make_critere_checked_table();
  const auto loggers = Tqmv::make_critere_loggers_table();
  for (critere c : Tqmv::all_criteres()) {
    EXPECT_FALSE(Tqmv::critere_get_checked(c, checked));
    EXPECT_TRUE(Tqmv::get(loggers, c).empty());
  }
}

TEST_F(TqmvTables, ForAllStopsAtTheFirstFalse) {
  auto table = Tqmv::make_critere_checked_table();
  Tqmv::set(table, critere::CR_1_3, true);
  int calls = 0;
  EXPECT_FALSE(Tqmv::for_all_critere(
      [&calls](critere, bool flag) {
        ++calls;
        return !flag;
      },
      table));
  EXPECT_EQ(calls, Tqmv::critere_index(critere::CR_1_3) + 1);
  EXPECT_TRUE(Tqmv::for_all_critere([](critere, bool flag) { return !flag; }, Tqmv::make_critere_checked_table()));
}

TEST_F(TqmvTables, IterVisitsEveryEntryOnceInOrder) {
  auto table = Tqmv::make_critere_loggers_table();
  Tqmv::get(table, critere::CR_2_2_3).push_back([](Format::Printer&) {});
  std::vector<critere> seen;
  std::size_t loggers = 0;
  Tqmv::iter_critere(
      [&](critere c, const std::vector<Tqmv::logger>& entry) {
        seen.push_back(c);
        loggers += entry.size();
      },
      table);
  ASSERT_EQ(seen.size(), 51u);
  for (int i = 0; i < 51; ++i) EXPECT_EQ(seen[i], Tqmv::critere_of_index(i));
  EXPECT_EQ(loggers, 1u);
}

TEST_F(TqmvTables, MarkingTwiceIsFatalAndNamesTheCriterion) {
  auto table = Tqmv::make_critere_checked_table();
  Tqmv::critere_set_checked(critere::CR_0_1, table);
  EXPECT_TRUE(Tqmv::critere_get_checked(critere::CR_0_1, table));
  EXPECT_EQ(fatal_text([&] { Tqmv::critere_set_checked(critere::CR_0_1, table); }),
            fatal_prefix + "Attempt to check twice Critère CR-0-1\n  \"Cohérence des niveaux\"\n  Cohérence des niveaux");
}

TEST_F(TqmvTables, AllCheckedOrTheFirstNeverChecked) {
  auto table = Tqmv::make_critere_table([](critere) { return true; });
  EXPECT_TRUE(Tqmv::all_critere_is_checked(table));
  Tqmv::set(table, critere::CR_3_2, false);
  Tqmv::set(table, critere::CR_1_3, false);
  EXPECT_EQ(fatal_text([&] { Tqmv::all_critere_is_checked(table); }),
            fatal_prefix +
                "Critère CR-1-3\n  \"Limitation de la surface rectangulaire projetée au sol (guide 2.1.4, p.10, Tab "
                "(2-1))\"\n  has never been checked");
  EXPECT_TRUE(Tqmv::check_checked(critere::CR_0, true));
}

// ---------------------------------------------------------------------------
// Guide tables.

class TqmvGuide : public ::testing::Test {
 protected:
  void SetUp() override { Quavor_configuration::reset_for_tests(); }
};

materiau_categorie masonry(maconnerie_categorie c, joint_horizontal_categorie joint) {
  return Maconnerie{maconnerie{c, joint, joint_vertical_categorie::Joint_rempli,
                               qualite_du_chainage_categorie::Chainage_4HA10, beton_du_chainage_categorie::C25_30}};
}

Compute_data_types::batiment building(batiment_type type, zone_de_sismicite zone, materiau_categorie m,
                                      sol_categorie sol) {
  Compute_data_types::batiment b{};
  b.batiment_type = type;
  b.batiment_zone_de_sismicite = zone;
  b.batiment_materiau_categorie = m;
  b.batiment_implantation.implantation_sol = sol;
  return b;
}

TEST_F(TqmvGuide, ElementFamilies) {
  using enum Tqmv::element_maconnerie_categorie;
  const std::vector<std::pair<maconnerie_categorie, Tqmv::element_maconnerie_categorie>> cases = {
      {maconnerie_categorie::Granulats_courant_creux_40, Famille_granulats},
      {maconnerie_categorie::Granulats_courant_creux_60, Famille_granulats},
      {maconnerie_categorie::Brique_creuse_4, Famille_brique},
      {maconnerie_categorie::Brique_creuse_8, Famille_brique},
      {maconnerie_categorie::Brique_creuse_12, Famille_brique},
      {maconnerie_categorie::Cellulaire_autoclave_rcn_3, Famille_cellulaire},
      {maconnerie_categorie::Cellulaire_autoclave_rcn_4, Famille_cellulaire},
  };
  for (const auto& [c, famille] : cases) EXPECT_EQ(Tqmv::get_element_maconnerie_categorie(c), famille);
  EXPECT_EQ(fatal_text([] { Tqmv::get_element_maconnerie_categorie(maconnerie_categorie::Granulats_courant_plein); }),
            fatal_prefix + "Le logiciel quavor ne traite pas les granulats courant pleins");
}

TEST_F(TqmvGuide, PaMinTableInPercent) {
  using enum Tqmv::element_maconnerie_categorie;
  using enum joint_horizontal_categorie;
  struct row {
    Tqmv::element_maconnerie_categorie famille;
    joint_horizontal_categorie joint;
    batiment_type type;
    double a, b, c;
  };
  const std::vector<row> rows = {
      {Famille_granulats, Joint_mince, batiment_type::R0, 1.4, 1.7, 1.6},
      {Famille_granulats, Joint_mince, batiment_type::R1, 2.5, 3.1, 3.0},
      {Famille_granulats, Joint_epais, batiment_type::R0, 1.1, 1.4, 1.3},
      {Famille_granulats, Joint_epais, batiment_type::R1, 2.2, 2.7, 2.6},
      {Famille_brique, Joint_mince, batiment_type::R0, 1.1, 1.4, 1.3},
      {Famille_brique, Joint_mince, batiment_type::R1, 2.3, 2.8, 2.7},
      {Famille_brique, Joint_epais, batiment_type::R0, 1.7, 2.2, 2.0},
      {Famille_brique, Joint_epais, batiment_type::R1, 2.4, 3.0, 2.8},
      {Famille_cellulaire, Joint_mince, batiment_type::R0, 1.3, 1.6, 1.5},
      {Famille_cellulaire, Joint_mince, batiment_type::R1, 2.9, 3.5, 3.3},
  };
  for (const row& r : rows) {
    EXPECT_EQ(Tqmv::get_pa_min(r.famille, r.joint, r.type, sol_categorie::Sol_A), r.a);
    EXPECT_EQ(Tqmv::get_pa_min(r.famille, r.joint, r.type, sol_categorie::Sol_B), r.b);
    EXPECT_EQ(Tqmv::get_pa_min(r.famille, r.joint, r.type, sol_categorie::Sol_C), r.c);
  }
  EXPECT_EQ(fatal_text([] {
              Tqmv::get_pa_min(Famille_cellulaire, Joint_epais, batiment_type::R0, sol_categorie::Sol_A);
            }),
            fatal_prefix +
                "Les bâtiments en maçonnerie de béton cellulaire autoclavé ne doivent pas avoir de joints horizontaux "
                "épais");
}

TEST_F(TqmvGuide, PaMinOfABuildingIsAFraction) {
  const auto b = building(batiment_type::R1, zone_de_sismicite::Zone5,
                          masonry(maconnerie_categorie::Brique_creuse_8, joint_horizontal_categorie::Joint_epais),
                          sol_categorie::Sol_C);
  EXPECT_DOUBLE_EQ(Tqmv::pa_min(b), 0.028);
  const Tqmv::pa_min_argument expected{Tqmv::element_maconnerie_categorie::Famille_brique,
                                       joint_horizontal_categorie::Joint_epais, batiment_type::R1,
                                       sol_categorie::Sol_C};
  EXPECT_EQ(Tqmv::pa_min_arguments(b), expected);
  const auto r0 = building(batiment_type::R0, zone_de_sismicite::Zone5,
                           masonry(maconnerie_categorie::Granulats_courant_creux_40,
                                   joint_horizontal_categorie::Joint_mince),
                           sol_categorie::Sol_A);
  EXPECT_DOUBLE_EQ(Tqmv::pa_min(r0), 0.014);
}

// The zone is tested before the material, the material before the category.
TEST_F(TqmvGuide, PaMinChecksInOrder) {
  const auto plein = masonry(maconnerie_categorie::Granulats_courant_plein, joint_horizontal_categorie::Joint_mince);
  const auto cellulaire_epais =
      masonry(maconnerie_categorie::Cellulaire_autoclave_rcn_3, joint_horizontal_categorie::Joint_epais);
  struct fatal_case {
    zone_de_sismicite zone;
    materiau_categorie m;
    std::string message;
  };
  const std::vector<fatal_case> cases = {
      {zone_de_sismicite::Zone3, Bois{}, "Le logiciel ne traite que les bâtiments situés en zone de sismicité 5"},
      {zone_de_sismicite::Zone4, plein, "Le logiciel ne traite que les bâtiments situés en zone de sismicité 5"},
      {zone_de_sismicite::Zone5, Bois{}, "Le logiciel ne traite que les bâtiments construit en maconnerie"},
      {zone_de_sismicite::Zone5, Beton{}, "Le logiciel ne traite que les bâtiments construit en maconnerie"},
      {zone_de_sismicite::Zone5, plein, "Le logiciel quavor ne traite pas les granulats courant pleins"},
      {zone_de_sismicite::Zone5, cellulaire_epais,
       "Les bâtiments en maçonnerie de béton cellulaire autoclavé ne doivent pas avoir de joints horizontaux épais"},
  };
  for (const fatal_case& k : cases) {
    SCOPED_TRACE(k.message);
    const auto b = building(batiment_type::R0, k.zone, k.m, sol_categorie::Sol_B);
    EXPECT_EQ(fatal_text([&] { Tqmv::pa_min(b); }), fatal_prefix + k.message);
    EXPECT_EQ(fatal_text([&] { Tqmv::caracteristique_des_elements(b); }), fatal_prefix + k.message);
  }
}

TEST_F(TqmvGuide, RecommendedMasonryCategory) {
  using enum joint_horizontal_categorie;
  struct row {
    maconnerie_categorie built;
    joint_horizontal_categorie joint;
    maconnerie_categorie r0, r1;
  };
  const std::vector<row> rows = {
      {maconnerie_categorie::Granulats_courant_creux_60, Joint_mince, maconnerie_categorie::Granulats_courant_creux_40,
       maconnerie_categorie::Granulats_courant_creux_60},
      {maconnerie_categorie::Granulats_courant_creux_40, Joint_epais, maconnerie_categorie::Granulats_courant_creux_40,
       maconnerie_categorie::Granulats_courant_creux_60},
      {maconnerie_categorie::Brique_creuse_4, Joint_mince, maconnerie_categorie::Brique_creuse_8,
       maconnerie_categorie::Brique_creuse_12},
      {maconnerie_categorie::Brique_creuse_12, Joint_epais, maconnerie_categorie::Brique_creuse_4,
       maconnerie_categorie::Brique_creuse_8},
      {maconnerie_categorie::Cellulaire_autoclave_rcn_4, Joint_mince, maconnerie_categorie::Cellulaire_autoclave_rcn_3,
       maconnerie_categorie::Cellulaire_autoclave_rcn_4},
  };
  for (const row& r : rows) {
    const auto m = masonry(r.built, r.joint);
    EXPECT_EQ(Tqmv::caracteristique_des_elements(
                  building(batiment_type::R0, zone_de_sismicite::Zone5, m, sol_categorie::Sol_A)),
              r.r0);
    EXPECT_EQ(Tqmv::caracteristique_des_elements(
                  building(batiment_type::R1, zone_de_sismicite::Zone5, m, sol_categorie::Sol_C)),
              r.r1);
  }
}

TEST_F(TqmvGuide, WallThicknessLimits) {
  const std::vector<std::pair<maconnerie_categorie, double>> minima = {
      {maconnerie_categorie::Granulats_courant_plein, 0.15},
      {maconnerie_categorie::Granulats_courant_creux_40, 0.20},
      {maconnerie_categorie::Granulats_courant_creux_60, 0.20},
      {maconnerie_categorie::Cellulaire_autoclave_rcn_3, 0.25},
      {maconnerie_categorie::Cellulaire_autoclave_rcn_4, 0.25},
      {maconnerie_categorie::Brique_creuse_4, 0.20},
      {maconnerie_categorie::Brique_creuse_8, 0.20},
      {maconnerie_categorie::Brique_creuse_12, 0.20},
  };
  for (const auto& [c, minimum] : minima) {
    const auto m = masonry(c, joint_horizontal_categorie::Joint_mince);
    EXPECT_EQ(Tqmv::mur_minimum_epaisseur(m), minimum);
    EXPECT_EQ(Tqmv::mur_maximum_epaisseur(m), 0.6);
  }
  const std::string message = fatal_prefix + "Les bâtiments en bois ou béton ne sont pas encore traités";
  EXPECT_EQ(fatal_text([] { Tqmv::mur_minimum_epaisseur(Bois{}); }), message);
  EXPECT_EQ(fatal_text([] { Tqmv::mur_maximum_epaisseur(Beton{}); }), message);
}

TEST_F(TqmvGuide, LinearInterpolation) {
  EXPECT_DOUBLE_EQ(Tqmv::interpolation_L0_Lagrange({0.0, 0.0}, {1.0, 10.0}, 0.5), 5.0);
  EXPECT_DOUBLE_EQ(Tqmv::interpolation_L0_Lagrange({2.0, 4.0}, {4.0, 8.0}, 3.0), 6.0);
  EXPECT_DOUBLE_EQ(Tqmv::interpolation_L0_Lagrange({2.0, 4.0}, {4.0, 8.0}, 5.0), 10.0);
  EXPECT_EQ(fatal_text([] { Tqmv::interpolation_L0_Lagrange({1.0, 0.0}, {1.0, 5.0}, 1.0); }),
            fatal_prefix + "interpolation_L0_Lagrange: cannot interpolate within a null range");
}

struct sp_case {
  double l;
  double r0;
  double r1;
};

// Quarter-metre steps compared strictly: a length equal to a threshold takes
// the next interval's value; beyond 5.25 m every 5 m adds the 5 m value.
TEST_F(TqmvGuide, SpMaxSteps) {
  const std::vector<sp_case> cases = {
      {0.0, 0.0, 0.0},       {0.5, 5.0, 5.0},       {0.999, 9.99, 9.99},  {1.0, 10, 10},
      {1.249, 10, 10},       {1.25, 11, 10},        {1.49, 11, 10},       {1.5, 12, 11},
      {1.75, 13, 11},        {2.0, 14, 11},         {2.25, 15, 11},       {2.5, 16, 12},
      {2.75, 18, 12},        {3.0, 20, 12},         {3.25, 22, 13},       {3.5, 24, 15},
      {3.75, 27, 17},        {4.0, 30, 19},         {4.25, 33, 22},       {4.5, 36, 25},
      {4.75, 40, 28},        {4.999, 40, 28},       {5.0, 44, 31},        {5.249, 44, 31},
      {5.25, 46.5, 33.5},    {6.0, 54, 41},         {10.0, 88, 62},       {10.25, 90.5, 64.5},
      {15.0, 132, 93},
  };
  for (const sp_case& k : cases) {
    SCOPED_TRACE(k.l);
    EXPECT_DOUBLE_EQ(Tqmv::sp_max_R0(k.l), k.r0);
    EXPECT_DOUBLE_EQ(Tqmv::sp_max_R1(k.l), k.r1);
  }
}

TEST_F(TqmvGuide, SpMaxOfAbsurdLengthsStaysFinite) {
  EXPECT_GT(Tqmv::sp_max_R0(1e12), 8e12);
  EXPECT_TRUE(std::isnan(Tqmv::sp_max_R1(std::nan(""))));
}

TEST_F(TqmvGuide, SpMaxAndRValueByBuildingType) {
  const auto m = masonry(maconnerie_categorie::Brique_creuse_8, joint_horizontal_categorie::Joint_mince);
  const auto r0 = building(batiment_type::R0, zone_de_sismicite::Zone5, m, sol_categorie::Sol_A);
  const auto r1 = building(batiment_type::R1, zone_de_sismicite::Zone5, m, sol_categorie::Sol_A);
  EXPECT_EQ(Tqmv::batiment_sp_max(r0)(1.25), 11.0);
  EXPECT_EQ(Tqmv::batiment_sp_max(r1)(1.25), 10.0);
  EXPECT_EQ(Tqmv::batiment_r_value(r0), 0);
  EXPECT_EQ(Tqmv::batiment_r_value(r1), 1);
}

TEST_F(TqmvGuide, ParameterValues) {
  EXPECT_EQ(Tqmv::hauteur_max_etage, 2.8);
  EXPECT_EQ(Tqmv::surface_max_R0, 500.0);
  EXPECT_EQ(Tqmv::surface_max_R1, 400.0);
  EXPECT_EQ(Tqmv::surface_max_absolue, 950.0);
  EXPECT_EQ(Tqmv::masse_surfacique_max_plancher, 650.0);
  EXPECT_EQ(Tqmv::pente_max, 0.35);
  EXPECT_EQ(Tqmv::balcon_profondeur_max, 1.0);
  EXPECT_EQ(Tqmv::nombre_max_etages_maconnerie, 1);
}

}  // namespace
