// Reading whole building descriptions and their records.
#include "description/input_data_types_read.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "description/input_data_utils.hpp"

namespace {

using Scanning::Scanbuf;
using namespace Input_data_types;
using namespace Input_data_types_read;

std::string P(int n) { return "scanf: bad input at char number " + std::to_string(n) + ": "; }
std::string P(int n, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += P(n);
  return s;
}

std::string header(int line, int from, int to) {
  return "File \"unnamed character string\", line " + std::to_string(line) + ", characters " +
         std::to_string(from) + "-" + std::to_string(to) + ":\n";
}

std::string failure_of(const std::string& input, const std::function<void(Scanbuf&)>& run) {
  Scanbuf ib = Scanbuf::from_string(input);
  try {
    run(ib);
  } catch (const Scan_failure& failure) {
    return failure.what();
  } catch (const End_of_file&) {
    return "<End_of_file>";
  }
  return "<no failure>";
}

template <class F>
auto read(const std::string& input, F reader) {
  Scanbuf ib = Scanbuf::from_string(input);
  return reader(ib);
}

void read_description(Scanbuf& ib) { scanner_input_data(ib); }

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The end offset of the first occurrence of `word`.
int end_of(const std::string& text, const std::string& word) {
  return static_cast<int>(text.find(word) + word.size());
}

const std::string wall_text =
    "{ mur_categorie = Mur_de_facade ; mur_position = { p_x = 0. ; p_y = 0. ; } ; "
    "mur_direction = X ; mur_numero = 1 ; mur_genre = Mur_primaire ; mur_solide = { s_lx = 8. ; "
    "s_ly = 0.2 ; s_lz = 2.5 ; } ; mur_nom = \"M1\" ; mur_sp = Sp_not_yet_computed ; }";

const mur wall_value{mur_categorie::Mur_de_facade,
                     {0.0, 0.0},
                     direction::X,
                     1,
                     mur_genre::Mur_primaire,
                     {8.0, 0.2, 2.5},
                     "M1",
                     Sp_not_yet_computed{}};

// A small complete description: one roof level holding one wall.
const std::string description_text =
    "{ batiment = { batiment_type = R0 ; batiment_categorie = Habitation ; "
    "batiment_localisation = \"Pointe-\\195\\160-Pitre\" ; "
    "batiment_implantation = { implantation_sol = Sol_B ; implantation_pente = 5. ; } ; "
    "batiment_zone_de_sismicite = Zone3 ; batiment_materiau = Maconnerie { maconnerie_categorie = "
    "Brique_creuse_8 ; maconnerie_joint_horizontal = Joint_mince ; maconnerie_joint_vertical = "
    "Joint_rempli ; maconnerie_qualite_du_chainage = Chainage_4HA10 ; maconnerie_beton_du_chainage "
    "= C25_30 ; } ; batiment_largeur = 8. ; batiment_longueur = 10. ; batiment_hauteur = 4. ; "
    "batiment_hauteur_max_par_niveau = 2.8 ; batiment_sous_sol = None ; "
    "batiment_niveau_planchers = [ ] ; batiment_niveau_toit = { niveau_categorie = { "
    "toiture_type = Toiture_legere Bois_resineux ; toiture_hauteur = 1.5 ; toiture_balcons = [ ] ; "
    "} ; niveau_murs = [ " +
    wall_text +
    " ] ; niveau_hauteur = 2.5 ; niveau_poteaux = [ ] ; niveau_poutres = [ ] ; niveau_plan = { "
    "plan_retraits = [ ] ; plan_base = Base_rectangle { rectangle_width = 10. ; rectangle_height = "
    "8. ; rectangle_position = { p_x = 0. ; p_y = 0. ; } ; } ; plan_etage = 0 ; plan_nom = "
    "\"PLn0\" ; } ; niveau_etage = 0 ; niveau_nom = \"Nv0\" ; } ; batiment_file_name = "
    "\"house.qvb\" ; } ; }";

input_data description_value() {
  niveau_toit toit{toiture{Toiture_legere{bois_categorie::Bois_resineux}, 1.5, {}},
                   {wall_value},
                   2.5,
                   {},
                   {},
                   plan{{}, Base_rectangle{rectangle{10.0, 8.0, {0.0, 0.0}}}, 0, "PLn0"},
                   0,
                   "Nv0"};
  maconnerie m{maconnerie_categorie::Brique_creuse_8, joint_horizontal_categorie::Joint_mince,
               joint_vertical_categorie::Joint_rempli, qualite_du_chainage_categorie::Chainage_4HA10,
               beton_du_chainage_categorie::C25_30};
  batiment b{batiment_type::R0,
             batiment_categorie::Habitation,
             "Pointe-\xc3\xa0-Pitre",
             batiment_implantation{sol_categorie::Sol_B, 5.0},
             zone_de_sismicite::Zone3,
             Maconnerie{m},
             8.0,
             10.0,
             4.0,
             2.8,
             std::nullopt,
             {},
             toit,
             "house.qvb"};
  return input_data{b};
}

// ---------------------------------------------------------------------------
// Records

TEST(Description_records, WorkedWallExample) { EXPECT_EQ(read(wall_text, scanner_mur), wall_value); }

TEST(Description_records, WallDirection) {
  auto run = [](Scanbuf& ib) { scanner_mur(ib); };
  // "mur_direction = " ends at offset 93.
  EXPECT_EQ(failure_of(replaced(wall_text, "= X", "= x"), run),
            P(94) + header(0, 93, 94) + "'x' is not a valid direction");
  EXPECT_EQ(failure_of(replaced(wall_text, "= X", "= XY"), run),
            P(94) + "looking for ';', found 'Y'");
}

TEST(Description_records, SmallRecords) {
  EXPECT_EQ(read("{ rectangle_width = 2. ; rectangle_height = 3. ; rectangle_position = { p_x = 1. "
                 "; p_y = 4. ; } ; }",
                 scanner_rectangle),
            (rectangle{2.0, 3.0, {1.0, 4.0}}));
  EXPECT_EQ(read("{ tremie_rectangle = { rectangle_width = 1. ; rectangle_height = 2. ; "
                 "rectangle_position = { p_x = 0. ; p_y = 0. ; } ; } ; tremie_nom = \"T1n0\" ; }",
                 scanner_tremie),
            (tremie{{1.0, 2.0, {0.0, 0.0}}, "T1n0"}));
  EXPECT_EQ(read("{ balcon_rectangle = { rectangle_width = 3. ; rectangle_height = 1. ; "
                 "rectangle_position = { p_x = 0. ; p_y = -1. ; } ; } ; balcon_nom = \"B\" ; }",
                 scanner_balcon),
            (balcon{{3.0, 1.0, {0.0, -1.0}}, "B"}));
  EXPECT_EQ(read("{ retrait_rectangle = { rectangle_width = 3. ; rectangle_height = 1. ; "
                 "rectangle_position = { p_x = 0. ; p_y = 1. ; } ; } ; retrait_nom = \"R\" ; }",
                 scanner_retrait),
            (retrait{{3.0, 1.0, {0.0, 1.0}}, "R"}));
  EXPECT_EQ(read("{ poteau_position = { p_x = 1. ; p_y = 2. ; } ; poteau_nom = \"P\" ; }",
                 scanner_poteau),
            (poteau{{1.0, 2.0}, "P"}));
  EXPECT_EQ(read("{ poutre_position = { p_x = 1. ; p_y = 2. ; } ; poutre_direction = Y ; "
                 "poutre_length = 3.5 ; poutre_numero = 7 ; poutre_nom = \"PT\" ; }",
                 scanner_poutre),
            (poutre{{1.0, 2.0}, direction::Y, 3.5, 7, "PT"}));
  EXPECT_EQ(read("{ implantation_sol = Sol_C ; implantation_pente = 12.5 ; }",
                 scanner_batiment_implantation),
            (batiment_implantation{sol_categorie::Sol_C, 12.5}));
}

TEST(Description_records, FloorOpeningListForms) {
  const std::string tremie_text =
      "{ tremie_rectangle = { rectangle_width = 1. ; rectangle_height = 2. ; rectangle_position = "
      "{ p_x = 0. ; p_y = 0. ; } ; } ; tremie_nom = \"T\" ; }";
  struct Case {
    std::string list;
    std::size_t count;
  };
  const std::vector<Case> cases = {
      {"[ ]", 0}, {"[]", 0}, {"[ " + tremie_text + " ]", 1}, {"[ " + tremie_text + " ; ]", 1},
      {"[" + tremie_text + ";" + tremie_text + ";]", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    plancher p = read("{ plancher_categorie = Plancher_bois Bois_resineux ; plancher_epaisseur = "
                      "0.2 ; plancher_tremies = " +
                          c.list +
                          " ; plancher_balcons = [] ; plancher_charge_revetement = 100. ; "
                          "plancher_charge_cloison = 50 ; }",
                      scanner_plancher);
    EXPECT_EQ(p.plancher_tremies.size(), c.count);
    EXPECT_EQ(p.plancher_charge_cloison, 50.0);
  }
  EXPECT_EQ(failure_of("[ " + tremie_text + " ; ; ]", [](Scanbuf& ib) { scanner_tremies(ib); }),
            P(static_cast<int>(tremie_text.size()) + 5, 3) + "looking for '{', found ';'");
}

TEST(Description_records, HeavyAndLightRoofs) {
  toiture t = read(
      "{ toiture_type = Toiture_lourde { toiture_lourde_categorie = Dalle_beton ; "
      "toiture_lourde_epaisseur = 0.2 ; toiture_lourde_tremies = [ ] ; } ; toiture_hauteur = 0.3 "
      "; toiture_balcons = [ ] ; }",
      scanner_toiture);
  EXPECT_EQ(t.toiture_type,
            type_toiture(Toiture_lourde{toiture_lourde{dalle_beton_categorie::Dalle_beton, 0.2, {}}}));
  EXPECT_EQ(read("Toiture_legere Bois_feuillus", scanner_type_toiture),
            type_toiture(Toiture_legere{bois_categorie::Bois_feuillus}));
  EXPECT_EQ(failure_of("Toiture_plate ;", [](Scanbuf& ib) { scanner_type_toiture(ib); }),
            header(0, 0, 13) + "\"Toiture_plate\" is not a valid genre de toiture");
}

TEST(Description_records, PlanOnPlanToAnyDepth) {
  const std::string base =
      "Base_rectangle { rectangle_width = 10. ; rectangle_height = 8. ; rectangle_position = { "
      "p_x = 0. ; p_y = 0. ; } ; }";
  const std::string inner = "{ plan_retraits = [ ] ; plan_base = " + base +
                            " ; plan_etage = 0 ; plan_nom = \"A\" ; }";
  const std::string middle = "{ plan_retraits = [ ] ; plan_base = Base_plan " + inner +
                             " ; plan_etage = 0x1 ; plan_nom = \"B\" ; }";
  const std::string outer = "{ plan_retraits = [ ] ; plan_base = Base_plan " + middle +
                            " ; plan_etage = 0b10 ; plan_nom = \"C\" ; }";
  plan p = read(outer, scanner_plan);
  EXPECT_EQ(p.plan_etage, 2);
  const plan& b = std::get<Base_plan>(p.plan_base).inner();
  EXPECT_EQ(b.plan_etage, 1);
  EXPECT_EQ(b.plan_nom, "B");
  const plan& a = std::get<Base_plan>(b.plan_base).inner();
  EXPECT_EQ(a.plan_nom, "A");
  EXPECT_EQ(a.plan_base, plan_base(Base_rectangle{rectangle{10.0, 8.0, {0.0, 0.0}}}));
  EXPECT_EQ(read(outer, scanner_plan), p);
  EXPECT_EQ(failure_of("Base_cercle ;", [](Scanbuf& ib) { scanner_plan_base(ib); }),
            header(0, 0, 11) + "\"Base_cercle\" is not a valid plan");
}

TEST(Description_records, LevelNumbersAreDecimalOnly) {
  std::string text = replaced(description_text, "niveau_etage = 0", "niveau_etage = 0x1");
  const int at = end_of(text, "niveau_etage = 0");
  EXPECT_EQ(failure_of(text, read_description), P(at, 3) + "looking for ';', found 'x'");
}

// ---------------------------------------------------------------------------
// Whole descriptions

TEST(Description_whole, ReadsTheSmallDescription) {
  EXPECT_EQ(read(description_text, scanner_input_data), description_value());
}

TEST(Description_whole, CrLfLinesReadLikeLfLines) {
  std::string text = description_text;
  for (std::size_t at = text.find(" ; "); at != std::string::npos; at = text.find(" ; ", at + 4))
    text.replace(at, 3, " ;\r\n");
  EXPECT_EQ(read(text, scanner_input_data), description_value());
}

TEST(Description_whole, BasementForms) {
  struct Case {
    std::string text;
    std::optional<sous_sol> value;
  };
  for (const Case& c : std::vector<Case>{{"None", std::nullopt},
                                         {"Some Sous_sol 2.2", sous_sol{2.2}},
                                         {"Some (Sous_sol 2.2)", sous_sol{2.2}},
                                         {"Some(Sous_sol 2.2)", sous_sol{2.2}}}) {
    SCOPED_TRACE(c.text);
    std::string text = replaced(description_text, "batiment_sous_sol = None",
                                "batiment_sous_sol = " + c.text);
    EXPECT_EQ(read(text, scanner_input_data).batiment.batiment_sous_sol, c.value);
  }
}

TEST(Description_whole, WindowsPathIsKeptAsWritten) {
  std::string text = replaced(description_text, "\"house.qvb\"", R"("C:\Maisons\r1\house.qvb")");
  EXPECT_EQ(read(text, scanner_input_data).batiment.batiment_file_name,
            R"(C:\Maisons\r1\house.qvb)");
}

TEST(Description_whole, ReadingStopsAfterTheClosingBrace) {
  Scanbuf ib = Scanbuf::from_string(description_text + "\ngarbage {");
  EXPECT_EQ(scanner_input_data(ib), description_value());
  EXPECT_EQ(ib.peek(), '\n');
}

TEST(Description_whole, StartAndEndOfInput) {
  EXPECT_EQ(failure_of("\n" + description_text, read_description),
            P(0) + "looking for '{', found '\\n'");
  EXPECT_EQ(failure_of(" " + description_text, read_description),
            P(0) + "looking for '{', found ' '");
  EXPECT_EQ(failure_of("\xef\xbb\xbf" + description_text, read_description),
            P(0) + "looking for '{', found '\\239'");
  EXPECT_EQ(failure_of("", read_description), "<End_of_file>");
  EXPECT_EQ(failure_of(description_text.substr(0, description_text.size() / 2), read_description),
            "<End_of_file>");
  EXPECT_EQ(failure_of(description_text.substr(0, description_text.size() - 1), read_description),
            "<End_of_file>");
}

TEST(Description_whole, FieldsInExactOrderAndAllPresent) {
  // Misspelt: fails on the first differing character, inside two steps.
  EXPECT_EQ(failure_of(replaced(description_text, "batiment_type", "batiment_typ"), read_description),
            P(27, 2) + "looking for 'e', found ' '");
  // The last field of a record ends with ';' too.
  std::string no_semicolon = replaced(description_text, "Sp_not_yet_computed ; }", "Sp_not_yet_computed }");
  const int at = end_of(no_semicolon, "Sp_not_yet_computed ");
  // The wall step, the element step, the list step, the level step, the
  // building step and the description step.
  EXPECT_EQ(failure_of(no_semicolon, read_description), P(at, 6) + "looking for ';', found '}'");
  std::string swapped = replaced(description_text, "batiment_largeur = 8. ; batiment_longueur = 10.",
                                 "batiment_longueur = 10. ; batiment_largeur = 8.");
  const int at2 = static_cast<int>(swapped.find("batiment_longueur")) + 10;
  EXPECT_EQ(failure_of(swapped, read_description), P(at2, 2) + "looking for 'a', found 'o'");
}

TEST(Description_whole, NestedPrefixesCountTheEnclosingSteps) {
  struct Case {
    std::string from, to;
    int steps;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"Zone3", "Zone9", 2, "\"Zone9\" is not a valid zone de sismicite"},
      {"Brique_creuse_8", "Brique_creuse_9", 4, "\"Brique_creuse_9\" is not a valid categorie de maconnerie"},
      {"Mur_primaire", "Mur_tertiaire", 6, "\"Mur_tertiaire\" is not a valid genre de mur"},
      {"Bois_resineux", "Bois_exotique", 5, "\"Bois_exotique\" is not a valid categorie de plancher bois"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    std::string text = replaced(description_text, c.from, c.to);
    const int at = end_of(text, c.to);
    const int from = at - static_cast<int>(c.to.size());
    EXPECT_EQ(failure_of(text, read_description), P(at, c.steps) + header(0, from, at) + c.message);
  }
}

TEST(Description_whole, LowerCaseAlternativeInADescription) {
  std::string text = replaced(description_text, "= Habitation", "= habitation");
  const int at = end_of(text, "habitation");
  EXPECT_EQ(failure_of(text, read_description),
            P(at, 2) + header(0, at - 10, at) +
                "Invalid case for ident 'habitation' when encountering character ' '");
}

TEST(Description_whole, PositionHeaderCountsLines) {
  std::string text = replaced(description_text, "batiment_type = R0 ;", "\n batiment_type =\n R2 ;");
  const int at = end_of(text, "R2");
  EXPECT_EQ(failure_of(text, read_description),
            P(at, 2) + header(2, at - 2, at) + "\"R2\" is not a valid categorie de batiment");
}

// ---------------------------------------------------------------------------
// The sample houses

input_data read_example(const std::string& name) {
  Scanbuf ib = Scanbuf::from_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/" + name);
  return scanner_input_data(ib);
}

TEST(Description_examples, GroundFloorHouse) {
  input_data d = read_example("house_r0.qvb");
  const batiment& b = d.batiment;
  EXPECT_EQ(b.batiment_type, batiment_type::R0);
  EXPECT_EQ(b.batiment_file_name, "examples/house_r0.qvb");
  EXPECT_TRUE(b.batiment_niveau_planchers.empty());
  EXPECT_EQ(b.batiment_niveau_toit.niveau_nom, "Nv0");
  EXPECT_GE(b.batiment_niveau_toit.niveau_murs.size(), 6u);
  EXPECT_FALSE(b.batiment_niveau_toit.niveau_plan.plan_retraits.empty());
  EXPECT_EQ(Input_data_utils::plan_surface(b.batiment_niveau_toit.niveau_plan), 104.0);
}

TEST(Description_examples, OneStoreyHouse) {
  input_data d = read_example("house_r1.qvb");
  const batiment& b = d.batiment;
  EXPECT_EQ(b.batiment_type, batiment_type::R1);
  EXPECT_EQ(b.batiment_file_name, "examples/house_r1.qvb");
  ASSERT_EQ(b.batiment_niveau_planchers.size(), 1u);
  const niveau_plancher& rdc = b.batiment_niveau_planchers[0];
  EXPECT_FALSE(rdc.niveau_categorie.plancher_tremies.empty());
  EXPECT_FALSE(rdc.niveau_poteaux.empty());
  EXPECT_FALSE(rdc.niveau_poutres.empty());
  const plan& roof_plan = b.batiment_niveau_toit.niveau_plan;
  ASSERT_TRUE(std::holds_alternative<Base_plan>(roof_plan.plan_base));
  EXPECT_EQ(std::get<Base_plan>(roof_plan.plan_base).inner(), rdc.niveau_plan);
  EXPECT_EQ(Input_data_utils::plan_surface(roof_plan), 104.0);
}

}  // namespace
