// The description writer: exact layouts at the default margin, and
// descriptions written then read back.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "description/input_data_types_print.hpp"
#include "description/input_data_types_read.hpp"
#include "description/quavor_data_types_print.hpp"
#include "geometry/quavor_pervasives_types_print.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"
#include "text/scanning.hpp"

namespace {

using namespace Input_data_types;
using Og_precedence::context_kind;
using Og_precedence::Ck_argument;
using Og_precedence::Ck_record_field;
using Og_precedence::Ck_toplevel;
using Og_precedence::Ck_tuple_item;

// What a printer writes on a fresh string printer (margin 78). A value
// printed after a name starts with a break; it is printed inside a box, as
// it always is in a record, so that the break's size is known when it is
// laid out.
template <class P, class T>
std::string printed(const P& printer, const T& value, context_kind context = Ck_toplevel) {
  Format::Printer ppf;
  if (context != Ck_toplevel) ppf.open_box(Format::Box_kind::HOV, 0);
  printer(context, ppf, value);
  if (context != Ck_toplevel) ppf.close_box();
  return ppf.contents();
}

point pt(double x, double y) { return point{x, y}; }

rectangle rect(double w, double h, double x, double y) { return rectangle{w, h, pt(x, y)}; }

mur wall_m1() {
  return mur{mur_categorie::Mur_de_facade, pt(0, 0), direction::X, 1, mur_genre::Mur_primaire,
             solide{8, 0.2, 2.5}, "M1", Sp_not_yet_computed{}};
}

plan plan_on_rectangle(int etage, const std::string& nom, std::vector<retrait> retraits = {}) {
  return plan{std::move(retraits), Base_rectangle{rect(8, 6, 0, 0)}, etage, nom};
}

niveau_plancher level_nv0() {
  plancher p{Plancher_beton{dalle_beton_categorie::Dalle_beton}, 0.2, {}, {}, 100, 50};
  return niveau_plancher{p, {wall_m1()}, 2.5, {}, {}, plan_on_rectangle(0, "P0"), 0, "Nv0"};
}

niveau_toit roof_nv1() {
  toiture t{Toiture_legere{bois_categorie::Bois_resineux}, 1.5, {}};
  return niveau_toit{t, {}, 2.5, {}, {}, plan_on_rectangle(1, "P1"), 1, "Nv1"};
}

batiment small_building() {
  return batiment{batiment_type::R0,
                  batiment_categorie::Habitation,
                  "Rue d'Arbre",
                  batiment_implantation{sol_categorie::Sol_A, 0.05},
                  zone_de_sismicite::Zone2,
                  Beton{},
                  8,
                  6,
                  3,
                  3,
                  Sous_sol{2.5},
                  {},
                  roof_nv1(),
                  "house.qvb"};
}

// ---------------------------------------------------------------------------
// Exact layouts at margin 78.

TEST(DescriptionLayout, PointFitsOnOneLine) {
  EXPECT_EQ(printed(Quavor_pervasives_types_print::printer_point, pt(0, 0)),
            "{ p_x = 0.; p_y = 0.; }");
}

TEST(DescriptionLayout, PointAfterAFieldNameHasNoBoxOfItsOwn) {
  EXPECT_EQ(printed(Quavor_pervasives_types_print::printer_point, pt(1.5, -2), Ck_record_field),
            " { p_x = 1.5; p_y = -2.; }");
}

TEST(DescriptionLayout, WallBreaksBetweenFieldsAndKeepsSmallRecordsOnOneLine) {
  EXPECT_EQ(printed(Input_data_types_print::printer_mur, wall_m1()),
            "{\n"
            "  mur_categorie = Mur_de_facade;\n"
            "  mur_position = { p_x = 0.; p_y = 0.; };\n"
            "  mur_direction = X;\n"
            "  mur_numero = 1;\n"
            "  mur_genre = Mur_primaire;\n"
            "  mur_solide = { s_lx = 8.; s_ly = 0.2; s_lz = 2.5; };\n"
            "  mur_nom = \"M1\";\n"
            "  mur_sp = Sp_not_yet_computed;\n"
            "}");
}

TEST(DescriptionLayout, PlanWithASetBack) {
  plan p = plan_on_rectangle(0, "P0", {retrait{rect(2, 1, 6, 5), "R1"}});
  EXPECT_EQ(printed(Input_data_types_print::printer_plan, p),
            "{\n"
            "  plan_retraits = [\n"
            "    {\n"
            "      retrait_rectangle = {\n"
            "        rectangle_width = 2.;\n"
            "        rectangle_height = 1.;\n"
            "        rectangle_position = { p_x = 6.; p_y = 5.; };\n"
            "      };\n"
            "      retrait_nom = \"R1\";\n"
            "    };\n"
            "  ];\n"
            "  plan_base =\n"
            "    Base_rectangle {\n"
            "      rectangle_width = 8.;\n"
            "      rectangle_height = 6.;\n"
            "      rectangle_position = { p_x = 0.; p_y = 0.; };\n"
            "    };\n"
            "  plan_etage = 0;\n"
            "  plan_nom = \"P0\";\n"
            "}");
}

TEST(DescriptionLayout, FloorLevel) {
  EXPECT_EQ(printed(Input_data_types_print::printer_niveau_plancher, level_nv0()),
            "{\n"
            "  niveau_categorie = {\n"
            "    plancher_categorie = Plancher_beton Dalle_beton;\n"
            "    plancher_epaisseur = 0.2;\n"
            "    plancher_tremies = [];\n"
            "    plancher_balcons = [];\n"
            "    plancher_charge_revetement = 100.;\n"
            "    plancher_charge_cloison = 50.;\n"
            "  };\n"
            "  niveau_murs = [\n"
            "    {\n"
            "      mur_categorie = Mur_de_facade;\n"
            "      mur_position = { p_x = 0.; p_y = 0.; };\n"
            "      mur_direction = X;\n"
            "      mur_numero = 1;\n"
            "      mur_genre = Mur_primaire;\n"
            "      mur_solide = { s_lx = 8.; s_ly = 0.2; s_lz = 2.5; };\n"
            "      mur_nom = \"M1\";\n"
            "      mur_sp = Sp_not_yet_computed;\n"
            "    };\n"
            "  ];\n"
            "  niveau_hauteur = 2.5;\n"
            "  niveau_poteaux = [];\n"
            "  niveau_poutres = [];\n"
            "  niveau_plan = {\n"
            "    plan_retraits = [];\n"
            "    plan_base =\n"
            "      Base_rectangle {\n"
            "        rectangle_width = 8.;\n"
            "        rectangle_height = 6.;\n"
            "        rectangle_position = { p_x = 0.; p_y = 0.; };\n"
            "      };\n"
            "    plan_etage = 0;\n"
            "    plan_nom = \"P0\";\n"
            "  };\n"
            "  niveau_etage = 0;\n"
            "  niveau_nom = \"Nv0\";\n"
            "}");
}

// The siting record does not fit after its field name, but its two fields
// do fit together on the next line.
TEST(DescriptionLayout, SmallBuilding) {
  EXPECT_EQ(printed(Input_data_types_print::printer_input_data, input_data{small_building()}),
            "{\n"
            "  batiment = {\n"
            "    batiment_type = R0;\n"
            "    batiment_categorie = Habitation;\n"
            "    batiment_localisation = \"Rue d\\'Arbre\";\n"
            "    batiment_implantation = {\n"
            "      implantation_sol = Sol_A; implantation_pente = 0.05;\n"
            "    };\n"
            "    batiment_zone_de_sismicite = Zone2;\n"
            "    batiment_materiau = Beton;\n"
            "    batiment_largeur = 8.;\n"
            "    batiment_longueur = 6.;\n"
            "    batiment_hauteur = 3.;\n"
            "    batiment_hauteur_max_par_niveau = 3.;\n"
            "    batiment_sous_sol = Some (Sous_sol 2.5);\n"
            "    batiment_niveau_planchers = [];\n"
            "    batiment_niveau_toit = {\n"
            "      niveau_categorie = {\n"
            "        toiture_type = Toiture_legere Bois_resineux;\n"
            "        toiture_hauteur = 1.5;\n"
            "        toiture_balcons = [];\n"
            "      };\n"
            "      niveau_murs = [];\n"
            "      niveau_hauteur = 2.5;\n"
            "      niveau_poteaux = [];\n"
            "      niveau_poutres = [];\n"
            "      niveau_plan = {\n"
            "        plan_retraits = [];\n"
            "        plan_base =\n"
            "          Base_rectangle {\n"
            "            rectangle_width = 8.;\n"
            "            rectangle_height = 6.;\n"
            "            rectangle_position = { p_x = 0.; p_y = 0.; };\n"
            "          };\n"
            "        plan_etage = 1;\n"
            "        plan_nom = \"P1\";\n"
            "      };\n"
            "      niveau_etage = 1;\n"
            "      niveau_nom = \"Nv1\";\n"
            "    };\n"
            "    batiment_file_name = \"house.qvb\";\n"
            "  };\n"
            "}");
}

// ---------------------------------------------------------------------------
// Alternatives, options and numbers in their contexts.

struct Context_case {
  const char* what;
  std::function<std::string()> print;
  const char* expected;
};

class DescriptionAtoms : public ::testing::TestWithParam<Context_case> {};

TEST_P(DescriptionAtoms, PrintsAsExpected) { EXPECT_EQ(GetParam().print(), GetParam().expected); }

std::string basement(std::optional<sous_sol> s, context_kind c) {
  return printed(Input_data_types_print::printer_batiment_sous_sol, s, c);
}
std::string sp(mur_sp s, context_kind c) {
  return printed(Quavor_data_types_print::printer_mur_sp, s, c);
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, DescriptionAtoms,
    ::testing::Values(
        Context_case{"none", [] { return basement(std::nullopt, Ck_toplevel); }, "None"},
        Context_case{"none after a field", [] { return basement(std::nullopt, Ck_record_field); },
                     " None"},
        Context_case{"some basement", [] { return basement(Sous_sol{2.5}, Ck_toplevel); },
                     "Some (Sous_sol 2.5)"},
        Context_case{"some basement after a field",
                     [] { return basement(Sous_sol{2.5}, Ck_record_field); },
                     " Some (Sous_sol 2.5)"},
        Context_case{"basement as an argument",
                     [] { return printed(Input_data_types_print::printer_sous_sol, Sous_sol{2.5}, Ck_argument); },
                     " (Sous_sol 2.5)"},
        Context_case{"negative basement", [] { return basement(Sous_sol{-1}, Ck_toplevel); },
                     "Some (Sous_sol (-1.))"},
        Context_case{"sp value", [] { return sp(Sp_value{12.5}, Ck_record_field); },
                     " Sp_value 12.5"},
        Context_case{"negative sp value", [] { return sp(Sp_value{-1}, Ck_toplevel); },
                     "Sp_value (-1.)"},
        Context_case{"negative zero sp value", [] { return sp(Sp_value{-0.0}, Ck_toplevel); },
                     "Sp_value (-0.)"},
        Context_case{"sp failure", [] { return sp(Sp_failure{}, Ck_record_field); }, " Sp_failure"},
        Context_case{"sp in a tuple", [] { return sp(Sp_value{3}, Ck_tuple_item); }, "Sp_value 3."},
        Context_case{"sp as an argument", [] { return sp(Sp_value{3}, Ck_argument); },
                     " (Sp_value 3.)"},
        Context_case{"floor category",
                     [] {
                       return printed(Quavor_data_types_print::printer_plancher_categorie,
                                      plancher_categorie{Plancher_bois{bois_categorie::Bois_feuillus}});
                     },
                     "Plancher_bois Bois_feuillus"},
        Context_case{"name with escapes",
                     [] { return printed(Quavor_data_types_print::printer_niveau_nom, std::string("a\\b\"c'd\ne")); },
                     "\"a\\\\b\\\"c\\'d\ne\""},
        Context_case{"name after a field",
                     [] { return printed(Quavor_data_types_print::printer_niveau_nom, std::string("Nv0"), Ck_record_field); },
                     " \"Nv0\""},
        Context_case{"storey as an argument",
                     [] { return printed(Quavor_data_types_print::printer_etage, -1, Ck_argument); },
                     " (-1)"},
        Context_case{"cardinal point",
                     [] {
                       return printed(Quavor_pervasives_types_print::printer_cardinal_point,
                                      Quavor_pervasives_types::cardinal_point::West, Ck_record_field);
                     },
                     " West"},
        Context_case{"weighted point at top level",
                     [] {
                       return printed(Quavor_pervasives_types_print::printer_point_pondere,
                                      Quavor_pervasives_types::point_pondere{2.5, pt(1, 2)});
                     },
                     "2.5, { p_x = 1.; p_y = 2.; }"},
        Context_case{"weighted point after a field",
                     [] {
                       return printed(Quavor_pervasives_types_print::printer_point_pondere,
                                      Quavor_pervasives_types::point_pondere{2.5, pt(1, 2)},
                                      Ck_record_field);
                     },
                     " 2.5, { p_x = 1.; p_y = 2.; }"},
        Context_case{"weighted point as an argument",
                     [] {
                       return printed(Quavor_pervasives_types_print::printer_point_pondere,
                                      Quavor_pervasives_types::point_pondere{-2.5, pt(1, 2)},
                                      Ck_argument);
                     },
                     " (-2.5, { p_x = 1.; p_y = 2.; })"},
        Context_case{"points",
                     [] {
                       return printed(Quavor_pervasives_types_print::printer_points,
                                      Quavor_pervasives_types::points{pt(0, 0), pt(1, 0)});
                     },
                     "[ { p_x = 0.; p_y = 0.; }; { p_x = 1.; p_y = 0.; }; ]"},
        Context_case{"empty polygon after a field",
                     [] {
                       return printed(Quavor_pervasives_types_print::printer_polygone,
                                      Quavor_pervasives_types::polygone{}, Ck_record_field);
                     },
                     " []"},
        Context_case{"direction", [] { return printed(Quavor_pervasives_types_print::printer_direction, direction::Y); },
                     "Y"},
        Context_case{"float alias as an argument",
                     [] { return printed(Quavor_pervasives_types_print::printer_metre, -0.5, Ck_argument); },
                     " (-0.5)"},
        Context_case{"float alias after a field",
                     [] { return printed(Quavor_pervasives_types_print::printer_metre, -0.5, Ck_record_field); },
                     " -0.5"}),
    [](const ::testing::TestParamInfo<Context_case>& info) {
      std::string name;
      for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

TEST(DescriptionDeferred, PrintsAtTopLevel) {
  Format::Printer ppf;
  Format::fprintf(ppf, "point: %t", Quavor_pervasives_types_print::print_point(pt(1, 2)));
  EXPECT_EQ(ppf.contents(), "point: { p_x = 1.; p_y = 2.; }");
}

TEST(DescriptionDeferred, KeepsItsOwnCopyOfTheValue) {
  Og_printer::Thunk thunk;
  {
    niveau_toit roof = roof_nv1();
    thunk = Input_data_types_print::print_niveau_toit(roof);
  }
  Format::Printer ppf;
  thunk(ppf);
  EXPECT_EQ(ppf.contents(), printed(Input_data_types_print::printer_niveau_toit, roof_nv1()));
}

// ---------------------------------------------------------------------------
// Written, then read back.

// The description read back from what printer_input_data writes.
input_data written_and_read(const input_data& d) {
  Format::Printer ppf;
  Input_data_types_print::printer_input_data(Ck_toplevel, ppf, d);
  auto ib = Scanning::Scanbuf::from_string(ppf.contents());
  return Input_data_types_read::scanner_input_data(ib);
}

input_data read_file(const std::string& path) {
  auto ib = Scanning::Scanbuf::from_file(path);
  return Input_data_types_read::scanner_input_data(ib);
}

class ExampleRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleRoundTrip, ReadsBackTheSameDescription) {
  input_data d = read_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/" + GetParam());
  EXPECT_EQ(written_and_read(d), d);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleRoundTrip,
                         ::testing::Values("house_r0.qvb", "house_r1.qvb"),
                         [](const auto& info) {
                           return std::string(info.param).substr(0, std::string(info.param).find('.'));
                         });

// Random but well-formed descriptions. Each enumeration takes its values in
// turn, so that a few buildings use every alternative; lengths are hundredths
// (they print and read back exactly), names hold every character that needs
// an escape, blanks, a line feed and accented letters.
class Description_generator {
 public:
  explicit Description_generator(unsigned seed) : rng_(seed) {}

  batiment building(int n) {
    batiment b{};
    b.batiment_type = cycle<batiment_type>();
    b.batiment_categorie = cycle<batiment_categorie>();
    b.batiment_localisation = name();
    b.batiment_implantation = {cycle<sol_categorie>(), hundredths(0, 100)};
    b.batiment_zone_de_sismicite = cycle<zone_de_sismicite>();
    b.batiment_materiau = materiau(n);
    b.batiment_largeur = hundredths(1, 3000);
    b.batiment_longueur = hundredths(1, 3000);
    b.batiment_hauteur = hundredths(1, 1000);
    b.batiment_hauteur_max_par_niveau = hundredths(1, 500);
    if (n % 2 == 0) b.batiment_sous_sol = Sous_sol{hundredths(0, 400)};
    for (int i = 0, count = between(0, 2); i < count; ++i)
      b.batiment_niveau_planchers.push_back(level(plancher_value(), i));
    b.batiment_niveau_toit = level(toiture_value(), 2);
    b.batiment_file_name = file_name();
    return b;
  }

 private:
  int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  // k / 100 is the double nearest to the decimal text of k hundredths.
  double hundredths(int lo, int hi) { return between(lo, hi) / 100.0; }

  template <class E>
  E cycle() {
    int& next = counters_[Quavor_data_types::name_of(E{})];
    return static_cast<E>(next++ % Quavor_data_types::alternative_count<E>());
  }
  direction next_direction() { return (directions_++ % 2 == 0) ? direction::X : direction::Y; }

  std::string name() {
    static const std::string pieces[] = {"M", "n", "1", " ", "'", "\"", "\\", "é", "\n", "\t", "_"};
    std::string s;
    for (int i = 0, count = between(0, 6); i < count; ++i) s += pieces[between(0, 10)];
    return s;
  }
  // Read back verbatim: no backslash, double quote or apostrophe.
  std::string file_name() {
    static const std::string pieces[] = {"maison", "/", ".", "-", " ", "é", "2"};
    std::string s;
    for (int i = 0, count = between(1, 5); i < count; ++i) s += pieces[between(0, 6)];
    return s + ".qvb";
  }

  point position() { return point{hundredths(-2000, 2000), hundredths(-2000, 2000)}; }
  rectangle rect() { return rectangle{hundredths(1, 2000), hundredths(1, 2000), position()}; }

  materiau_categorie materiau(int n) {
    switch (n % 3) {
      case 0: return Bois{};
      case 1: return Beton{};
      default:
        // Spread the five masonry enumerations over the masonry buildings.
        return Maconnerie{maconnerie{cycle<maconnerie_categorie>(), cycle<joint_horizontal_categorie>(),
                                     cycle<joint_vertical_categorie>(),
                                     cycle<qualite_du_chainage_categorie>(),
                                     cycle<beton_du_chainage_categorie>()}};
    }
  }

  mur_sp sp() {
    switch (sps_++ % 3) {
      case 0: return Sp_failure{};
      case 1: return Sp_not_yet_computed{};
      default: return Sp_value{hundredths(0, 5000)};
    }
  }

  mur wall() {
    return mur{cycle<mur_categorie>(), position(), next_direction(), between(-5, 50), cycle<mur_genre>(),
               solide{hundredths(1, 2000), hundredths(1, 50), hundredths(1, 400)}, name(), sp()};
  }

  template <class T, class F>
  std::vector<T> some(int most, F make) {
    std::vector<T> v;
    for (int i = 0, count = between(0, most); i < count; ++i) v.push_back(make());
    return v;
  }

  std::vector<tremie> tremies() { return some<tremie>(2, [&] { return tremie{rect(), name()}; }); }
  std::vector<balcon> balcons() { return some<balcon>(2, [&] { return balcon{rect(), name()}; }); }

  plan plan_value(int depth) {
    plan p{};
    p.plan_retraits = some<retrait>(2, [&] { return retrait{rect(), name()}; });
    if (depth > 0 && between(0, 1) == 1)
      p.plan_base = make_base_plan(plan_value(depth - 1));
    else
      p.plan_base = Base_rectangle{rect()};
    p.plan_etage = between(-1, 3);
    p.plan_nom = name();
    return p;
  }

  plancher plancher_value() {
    plancher_categorie c;
    if (floors_++ % 2 == 0)
      c = Plancher_bois{cycle<bois_categorie>()};
    else
      c = Plancher_beton{cycle<dalle_beton_categorie>()};
    return plancher{c, hundredths(0, 50), tremies(), balcons(), hundredths(0, 50000),
                    hundredths(0, 50000)};
  }

  toiture toiture_value() {
    type_toiture t;
    if (roofs_++ % 2 == 0)
      t = Toiture_legere{cycle<bois_categorie>()};
    else
      t = Toiture_lourde{toiture_lourde{cycle<dalle_beton_categorie>(), hundredths(0, 50), tremies()}};
    return toiture{t, hundredths(0, 500), balcons()};
  }

  template <class C>
  niveau<C> level(C categorie, int etage) {
    niveau<C> l{};
    l.niveau_categorie = std::move(categorie);
    l.niveau_murs = some<mur>(3, [&] { return wall(); });
    l.niveau_hauteur = hundredths(1, 400);
    l.niveau_poteaux = some<poteau>(2, [&] { return poteau{position(), name()}; });
    l.niveau_poutres = some<poutre>(2, [&] {
      return poutre{position(), next_direction(), hundredths(1, 1000), between(0, 9), name()};
    });
    l.niveau_plan = plan_value(2);
    l.niveau_etage = etage;
    l.niveau_nom = name();
    return l;
  }

  std::mt19937 rng_;
  std::map<std::string_view, int> counters_;
  int directions_ = 0;
  int sps_ = 0;
  int floors_ = 0;
  int roofs_ = 0;
};

template <class E>
void expect_every_name_in(const std::string& text) {
  for (std::string_view name : Quavor_data_types::constructor_names<E>::names)
    EXPECT_NE(text.find(" " + std::string(name) + ";"), std::string::npos) << name;
}

TEST(GeneratedRoundTrip, ReadsBackTheSameDescriptions) {
  Description_generator generate(20261208);
  std::string all;
  for (int n = 0; n < 40; ++n) {
    input_data d{generate.building(n)};
    SCOPED_TRACE("building " + std::to_string(n));
    all += Format::asprintf("%t", Input_data_types_print::print_input_data(d));
    EXPECT_EQ(written_and_read(d), d);
  }
  // The generated descriptions use every alternative.
  expect_every_name_in<batiment_type>(all);
  expect_every_name_in<batiment_categorie>(all);
  expect_every_name_in<sol_categorie>(all);
  expect_every_name_in<zone_de_sismicite>(all);
  expect_every_name_in<qualite_du_chainage_categorie>(all);
  expect_every_name_in<beton_du_chainage_categorie>(all);
  expect_every_name_in<joint_vertical_categorie>(all);
  expect_every_name_in<joint_horizontal_categorie>(all);
  expect_every_name_in<maconnerie_categorie>(all);
  expect_every_name_in<mur_genre>(all);
  expect_every_name_in<mur_categorie>(all);
  expect_every_name_in<bois_categorie>(all);
  expect_every_name_in<dalle_beton_categorie>(all);
  for (const char* name : {"Plancher_bois", "Plancher_beton", "Toiture_legere", "Toiture_lourde",
                           "Base_rectangle", "Base_plan", "Bois;", "Beton;", "Maconnerie",
                           "Sp_failure;", "Sp_not_yet_computed;", "Sp_value", "None;", "Some",
                           "direction = X;", "direction = Y;", "[];"})
    EXPECT_NE(all.find(name), std::string::npos) << name;
}

TEST(GeneratedRoundTrip, KeepsBothBasementForms) {
  input_data with{small_building()};
  input_data without = with;
  without.batiment.batiment_sous_sol.reset();
  EXPECT_EQ(written_and_read(with), with);
  EXPECT_EQ(written_and_read(without), without);
}

TEST(GeneratedRoundTrip, KeepsPlansNestedThreeDeep) {
  plan inner = plan_on_rectangle(0, "P0", {retrait{rect(1, 1, 0, 0), "R0"}});
  plan middle{{}, make_base_plan(inner), 0, "P0b"};
  input_data d{small_building()};
  d.batiment.batiment_niveau_toit.niveau_plan = plan{{retrait{rect(2, 1, 6, 5), "R1"}}, make_base_plan(middle), 1, "P1"};
  EXPECT_EQ(written_and_read(d), d);
}

// ---------------------------------------------------------------------------
// What does not survive a write and a read.

TEST(WriteReadExceptions, FileNameBackslashesComeBackDoubled) {
  input_data d{small_building()};
  d.batiment.batiment_file_name = "C:\\maisons\\house.qvb";
  EXPECT_EQ(written_and_read(d).batiment.batiment_file_name, "C:\\\\maisons\\\\house.qvb");
}

TEST(WriteReadExceptions, NegativeSpValueIsWrittenInParenthesesAndRejected) {
  input_data d{small_building()};
  mur m = wall_m1();
  m.mur_sp = Sp_value{-1};
  d.batiment.batiment_niveau_toit.niveau_murs = {m};
  std::string text = Format::asprintf("%t", Input_data_types_print::print_input_data(d));
  EXPECT_NE(text.find("mur_sp = Sp_value (-1.);"), std::string::npos) << text;
  EXPECT_THROW(written_and_read(d), Scan_failure);
}

TEST(WriteReadExceptions, NegativeBasementIsWrittenInParenthesesAndRejected) {
  input_data d{small_building()};
  d.batiment.batiment_sous_sol = Sous_sol{-2.5};
  std::string text = Format::asprintf("%t", Input_data_types_print::print_input_data(d));
  EXPECT_NE(text.find("batiment_sous_sol = Some (Sous_sol (-2.5));"), std::string::npos) << text;
  EXPECT_THROW(written_and_read(d), Scan_failure);
}

TEST(WriteReadExceptions, FloatsKeepTwelveSignificantDigits) {
  input_data d{small_building()};
  d.batiment.batiment_largeur = 0.12345678901234;
  d.batiment.batiment_longueur = 123456789012345.0;
  batiment read = written_and_read(d).batiment;
  EXPECT_EQ(read.batiment_largeur, 0.123456789012);
  EXPECT_EQ(read.batiment_longueur, 123456789012000.0);
  EXPECT_NE(read, d.batiment);
}

struct Non_finite_case {
  double value;
  const char* text;
};

class WriteReadNonFinite : public ::testing::TestWithParam<Non_finite_case> {};

TEST_P(WriteReadNonFinite, IsWrittenByNameAndRejected) {
  input_data d{small_building()};
  d.batiment.batiment_hauteur = GetParam().value;
  std::string text = Format::asprintf("%t", Input_data_types_print::print_input_data(d));
  EXPECT_NE(text.find(std::string("batiment_hauteur = ") + GetParam().text + ";"), std::string::npos)
      << text;
  EXPECT_THROW(written_and_read(d), Scan_failure);
}

INSTANTIATE_TEST_SUITE_P(
    Floats, WriteReadNonFinite,
    ::testing::Values(Non_finite_case{std::numeric_limits<double>::quiet_NaN(), "nan"},
                      Non_finite_case{std::numeric_limits<double>::infinity(), "infinity"},
                      Non_finite_case{-std::numeric_limits<double>::infinity(), "neg_infinity"}),
    [](const auto& info) { return std::string(info.param.text); });

}  // namespace
