// The debugging dumps of the computed model: exact layouts of small
// elements, the alternatives in their contexts, and the whole model of each
// example.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <memory>
#include <string>

#include "description/input_data_types_read.hpp"
#include "geometry/compute_pervasives_types_print.hpp"
#include "model/compute_data.hpp"
#include "model/compute_data_types_print.hpp"
#include "text/format.hpp"
#include "text/scanning.hpp"

namespace {

using namespace Compute_data_types;
using Compute_pervasives_types::directed_segment;
using Og_precedence::context_kind;
using Og_precedence::Ck_record_field;
using Og_precedence::Ck_toplevel;
using Quavor_data_types::mur_categorie;
using Quavor_data_types::mur_genre;
using Quavor_data_types::Sp_value;

// What a printer writes on a fresh string printer; values after a name are
// printed inside a box, as they always are in a record.
template <class P, class T>
std::string printed(const P& printer, const T& value, context_kind context = Ck_toplevel,
                    int margin = 78) {
  Format::Printer ppf;
  ppf.set_margin(margin);
  if (context != Ck_toplevel) ppf.open_box(Format::Box_kind::HOV, 0);
  printer(context, ppf, value);
  if (context != Ck_toplevel) ppf.close_box();
  return ppf.contents();
}

// A margin wide enough for every value below to stay on one line.
constexpr int wide = 2000;

point pt(double x, double y) { return point{x, y}; }

directed_segment seg(double length, direction d, point from, point to) {
  return directed_segment{length, d, from, to};
}

// The rectangle of an 8 m by 0.2 m wall at the origin, corners and sides
// worked out by hand.
rectangle wall_rectangle() {
  point sw = pt(0, 0), se = pt(8, 0), ne = pt(8, 0.2), nw = pt(0, 0.2);
  return rectangle{8,
                   0.2,
                   sw,
                   {sw, se, ne, nw},
                   {seg(8, direction::X, sw, se), seg(0.2, direction::Y, se, ne),
                    seg(8, direction::X, nw, ne), seg(0.2, direction::Y, sw, nw)}};
}

mur computed_wall() {
  return mur{mur_categorie::Mur_de_facade, direction::X, 1, mur_genre::Mur_primaire, "M1",
             Sp_value{1.5}, 2.5, wall_rectangle(), 1.6, Info_unset{}};
}

TEST(ComputedLayout, Wall) {
  EXPECT_EQ(printed(Compute_data_types_print::printer_mur, computed_wall()),
            "{\n"
            "  mur_categorie = Mur_de_facade;\n"
            "  mur_direction = X;\n"
            "  mur_numero = 1;\n"
            "  mur_genre = Mur_primaire;\n"
            "  mur_nom = \"M1\";\n"
            "  mur_sp = Sp_value 1.5;\n"
            "  mur_hauteur = 2.5;\n"
            "  mur_rectangle = {\n"
            "    width = 8.;\n"
            "    height = 0.2;\n"
            "    position = { p_x = 0.; p_y = 0.; };\n"
            "    vertices = {\n"
            "      vertex_sw = { p_x = 0.; p_y = 0.; };\n"
            "      vertex_se = { p_x = 8.; p_y = 0.; };\n"
            "      vertex_ne = { p_x = 8.; p_y = 0.2; };\n"
            "      vertex_nw = { p_x = 0.; p_y = 0.2; };\n"
            "    };\n"
            "    edges = {\n"
            "      edge_south = {\n"
            "        s_length = 8.;\n"
            "        s_direction = X;\n"
            "        s_position = { p_x = 0.; p_y = 0.; };\n"
            "        s_vertex = { p_x = 8.; p_y = 0.; };\n"
            "      };\n"
            "      edge_east = {\n"
            "        s_length = 0.2;\n"
            "        s_direction = Y;\n"
            "        s_position = { p_x = 8.; p_y = 0.; };\n"
            "        s_vertex = { p_x = 8.; p_y = 0.2; };\n"
            "      };\n"
            "      edge_north = {\n"
            "        s_length = 8.;\n"
            "        s_direction = X;\n"
            "        s_position = { p_x = 0.; p_y = 0.2; };\n"
            "        s_vertex = { p_x = 8.; p_y = 0.2; };\n"
            "      };\n"
            "      edge_west = {\n"
            "        s_length = 0.2;\n"
            "        s_direction = Y;\n"
            "        s_position = { p_x = 0.; p_y = 0.; };\n"
            "        s_vertex = { p_x = 0.; p_y = 0.2; };\n"
            "      };\n"
            "    };\n"
            "  };\n"
            "  mur_surface_au_sol = 1.6;\n"
            "  mur_fondement = Info_unset;\n"
            "}");
}

// A support printed as a constructor argument: "(" stays after "Info" and
// ")" comes back under the "I" when the support does not fit.
TEST(ComputedLayout, ColumnStandingOnAColumn) {
  auto below = std::make_shared<poteau>(poteau{"P0", pt(1, 2), Info_not_found{}});
  poteau above{"P1", pt(1, 2), Info<appui>{Appui_poteau{below}}};
  EXPECT_EQ(printed(Compute_data_types_print::printer_poteau, above),
            "{\n"
            "  poteau_nom = \"P1\";\n"
            "  poteau_position = { p_x = 1.; p_y = 2.; };\n"
            "  poteau_fondement =\n"
            "    Info (\n"
            "      Appui_poteau {\n"
            "        poteau_nom = \"P0\";\n"
            "        poteau_position = { p_x = 1.; p_y = 2.; };\n"
            "        poteau_fondement = Info_not_found;\n"
            "      }\n"
            "    );\n"
            "}");
}

// ---------------------------------------------------------------------------
// Alternatives and flags, on one line.

struct One_line_case {
  const char* what;
  std::function<std::string()> print;
  const char* expected;
};

class ComputedOneLine : public ::testing::TestWithParam<One_line_case> {};

TEST_P(ComputedOneLine, PrintsAsExpected) { EXPECT_EQ(GetParam().print(), GetParam().expected); }

std::string implantation(bool needs_justification) {
  return printed(Compute_data_types_print::printer_batiment_implantation,
                 batiment_implantation{Quavor_data_types::sol_categorie::Sol_B, 0.05, needs_justification}, Ck_toplevel,
                 wide);
}

const directed_segment unit_x = seg(1, direction::X, pt(0, 0), pt(1, 0));
const char* const unit_x_text =
    "{ s_length = 1.; s_direction = X; s_position = { p_x = 0.; p_y = 0.; }; s_vertex = { p_x = 1.; p_y = 0.; }; }";

INSTANTIATE_TEST_SUITE_P(
    Alternatives, ComputedOneLine,
    ::testing::Values(
        One_line_case{"justification flag true", [] { return implantation(true); },
                      "{ implantation_sol = Sol_B; implantation_pente = 0.05; "
                      "implantation_pente_needs_justification = true; }"},
        One_line_case{"justification flag false", [] { return implantation(false); },
                      "{ implantation_sol = Sol_B; implantation_pente = 0.05; "
                      "implantation_pente_needs_justification = false; }"},
        One_line_case{"no basement",
                      [] { return printed(Compute_data_types_print::printer_sous_sol, sous_sol{Soubassement{}}); },
                      "Soubassement"},
        One_line_case{"basement",
                      [] { return printed(Compute_data_types_print::printer_sous_sol, sous_sol{Sous_sol{2.2}}); },
                      "Sous_sol 2.2"},
        One_line_case{"basement after a field",
                      [] {
                        return printed(Compute_data_types_print::printer_sous_sol, sous_sol{Sous_sol{2.2}},
                                       Ck_record_field);
                      },
                      " Sous_sol 2.2"},
        One_line_case{"unset set-back",
                      [] { return printed(Compute_data_types_print::printer_retrait, retrait{}, Ck_toplevel, wide); },
                      "{ retrait_rectangle = { width = 0.; height = 0.; position = { p_x = 0.; p_y = 0.; }; "
                      "vertices = { vertex_sw = { p_x = 0.; p_y = 0.; }; vertex_se = { p_x = 0.; p_y = 0.; }; "
                      "vertex_ne = { p_x = 0.; p_y = 0.; }; vertex_nw = { p_x = 0.; p_y = 0.; }; }; "
                      "edges = { edge_south = { s_length = 0.; s_direction = X; s_position = { p_x = 0.; p_y = 0.; }; "
                      "s_vertex = { p_x = 0.; p_y = 0.; }; }; edge_east = { s_length = 0.; s_direction = X; "
                      "s_position = { p_x = 0.; p_y = 0.; }; s_vertex = { p_x = 0.; p_y = 0.; }; }; "
                      "edge_north = { s_length = 0.; s_direction = X; s_position = { p_x = 0.; p_y = 0.; }; "
                      "s_vertex = { p_x = 0.; p_y = 0.; }; }; edge_west = { s_length = 0.; s_direction = X; "
                      "s_position = { p_x = 0.; p_y = 0.; }; s_vertex = { p_x = 0.; p_y = 0.; }; }; }; }; "
                      "retrait_nom = \"\"; retrait_surface = 0.; retrait_centre = { p_x = 0.; p_y = 0.; }; "
                      "retrait_categorie = Info_unset; }"},
        One_line_case{"set-back category",
                      [] {
                        return Format::asprintf("%t",
                                                Compute_data_types_print::print_info(
                                                    Compute_data_types_print::printer_retrait_categorie,
                                                    Compute_data_types::info<retrait_categorie>{
                                                        Info<retrait_categorie>{retrait_categorie::Retrait_en_plan}}));
                      },
                      "Info Retrait_en_plan"},
        One_line_case{"irrelevant",
                      [] {
                        return Format::asprintf("%t",
                                                Compute_data_types_print::print_info(
                                                    Compute_data_types_print::printer_retrait_categorie,
                                                    Compute_data_types::info<retrait_categorie>{Info_irrelevant{}}));
                      },
                      "Info_irrelevant"},
        One_line_case{"inside on the frame",
                      [] {
                        return printed(Compute_pervasives_types_print::printer_localisation,
                                       Compute_pervasives_types::localisation{
                                           Compute_pervasives_types::In{Compute_pervasives_types::inside::Frame}});
                      },
                      "In (Some Frame)"},
        One_line_case{"inside without detail",
                      [] {
                        return printed(Compute_pervasives_types_print::printer_localisation,
                                       Compute_pervasives_types::localisation{Compute_pervasives_types::In{}});
                      },
                      "In None"},
        One_line_case{"outside after a field",
                      [] {
                        return printed(Compute_pervasives_types_print::printer_localisation,
                                       Compute_pervasives_types::localisation{Compute_pervasives_types::Out{}},
                                       Ck_record_field);
                      },
                      " Out"},
        One_line_case{"empty segment intersection",
                      [] {
                        return printed(
                            Compute_pervasives_types_print::printer_segment_intersection,
                            Compute_pervasives_types::segment_intersection{Compute_pervasives_types::Si_empty{}});
                      },
                      "Si_empty"},
        One_line_case{"point intersection",
                      [] {
                        return printed(Compute_pervasives_types_print::printer_segment_intersection,
                                       Compute_pervasives_types::segment_intersection{
                                           Compute_pervasives_types::Si_point{pt(1, -2)}});
                      },
                      "Si_point { p_x = 1.; p_y = -2.; }"},
        One_line_case{"split difference",
                      [] {
                        return printed(Compute_pervasives_types_print::printer_segment_difference,
                                       Compute_pervasives_types::segment_difference{
                                           Compute_pervasives_types::Sd_split{unit_x, unit_x}},
                                       Ck_toplevel, wide);
                      },
                      "Sd_split ({ s_length = 1.; s_direction = X; s_position = { p_x = 0.; p_y = 0.; }; "
                      "s_vertex = { p_x = 1.; p_y = 0.; }; }, { s_length = 1.; s_direction = X; "
                      "s_position = { p_x = 0.; p_y = 0.; }; s_vertex = { p_x = 1.; p_y = 0.; }; })"},
        One_line_case{"empty line intersection",
                      [] {
                        return printed(
                            Compute_pervasives_types_print::printer_line_intersection,
                            Compute_pervasives_types::line_intersection{Compute_pervasives_types::Li_empty{}});
                      },
                      "Li_empty"},
        One_line_case{"segment rectangle intersection",
                      [] {
                        return printed(Compute_pervasives_types_print::printer_rectangle_intersection,
                                       Compute_pervasives_types::rectangle_intersection{
                                           Compute_pervasives_types::Ri_segment{unit_x}},
                                       Ck_toplevel, wide);
                      },
                      "Ri_segment { s_length = 1.; s_direction = X; s_position = { p_x = 0.; p_y = 0.; }; "
                      "s_vertex = { p_x = 1.; p_y = 0.; }; }"},
        One_line_case{"contact",
                      [] {
                        return printed(Compute_data_types_print::printer_contact_contour,
                                       contact_contour{unit_x, unit_x, cardinal_point::South}, Ck_toplevel, wide);
                      },
                      "{ contact_segment = { s_length = 1.; s_direction = X; s_position = { p_x = 0.; p_y = 0.; }; "
                      "s_vertex = { p_x = 1.; p_y = 0.; }; }; contact_contour = { s_length = 1.; s_direction = X; "
                      "s_position = { p_x = 0.; p_y = 0.; }; s_vertex = { p_x = 1.; p_y = 0.; }; }; "
                      "contact_side = South; }"},
        One_line_case{"light roof",
                      [] {
                        return printed(
                            Compute_data_types_print::printer_toiture_categorie,
                            toiture_categorie{Toiture_legere{Quavor_data_types::bois_categorie::Bois_feuillus}});
                      },
                      "Toiture_legere Bois_feuillus"},
        One_line_case{"missing wall", [] { return printed(Compute_data_types_print::printer_mur_ref, mur_ref{}); },
                      "<null>"},
        One_line_case{"no walls after a field",
                      [] { return printed(Compute_data_types_print::printer_murs, murs{}, Ck_record_field); }, " []"}),
    [](const ::testing::TestParamInfo<One_line_case>& info) {
      std::string name;
      for (const char* c = info.param.what; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      return name;
    });

// ---------------------------------------------------------------------------
// The whole computed model of each example.

class ExampleDump : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleDump, PrintsTheWholeComputedModel) {
  auto ib = Scanning::Scanbuf::from_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/" + GetParam());
  Input_data_types::input_data d = Input_data_types_read::scanner_input_data(ib);
  batiment b = Compute_data::input_batiment_pre_compute(d.batiment);
  Format::Printer ppf;
  // As the compute server writes it when debugging.
  Format::fprintf(ppf, "%t@.", Compute_data_types_print::print_batiment(b));
  std::string text = ppf.contents();
  EXPECT_EQ(text.substr(0, 20), "{\n  batiment_type = ");
  EXPECT_EQ(text.substr(text.size() - 3), "\n}\n");
  EXPECT_NE(text.find("  batiment_nombre_etages = " + std::to_string(b.batiment_nombre_etages) + ";\n}"),
            std::string::npos);
  // Every wall of the roof level is written in full.
  for (const mur_ref& m : b.batiment_niveau_toit.niveau_murs)
    EXPECT_NE(text.find("mur_nom = \"" + m->mur_nom + "\";"), std::string::npos) << m->mur_nom;
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleDump, ::testing::Values("house_r0.qvb", "house_r1.qvb"),
                         [](const auto& info) {
                           std::string file(info.param);
                           return file.substr(0, file.find('.'));
                         });

// A building of one light roof level over an 8 m by 6 m plan, with a
// basement and no walls: its dump, checked line by line against the model
// it describes, is kept in tests/model/golden.
const char* const small_building_qvb =
    "{ batiment = { batiment_type = R0 ; batiment_categorie = Habitation ;"
    " batiment_localisation = \"Rue d'Arbre\" ;"
    " batiment_implantation = { implantation_sol = Sol_A ; implantation_pente = 5. ; } ;"
    " batiment_zone_de_sismicite = Zone2 ; batiment_materiau = Beton ;"
    " batiment_largeur = 8. ; batiment_longueur = 6. ; batiment_hauteur = 3. ;"
    " batiment_hauteur_max_par_niveau = 3. ; batiment_sous_sol = Some (Sous_sol 2.5) ;"
    " batiment_niveau_planchers = [ ] ;"
    " batiment_niveau_toit = { niveau_categorie = { toiture_type = Toiture_legere Bois_resineux ;"
    " toiture_hauteur = 1.5 ; toiture_balcons = [ ] ; } ;"
    " niveau_murs = [ ] ; niveau_hauteur = 2.5 ; niveau_poteaux = [ ] ; niveau_poutres = [ ] ;"
    " niveau_plan = { plan_retraits = [ ] ; plan_base = Base_rectangle { rectangle_width = 8. ;"
    " rectangle_height = 6. ; rectangle_position = { p_x = 0. ; p_y = 0. ; } ; } ;"
    " plan_etage = 1 ; plan_nom = \"P1\" ; } ;"
    " niveau_etage = 1 ; niveau_nom = \"Nv1\" ; } ;"
    " batiment_file_name = \"house.qvb\" ; } ; }";

TEST(ComputedGolden, SmallBuilding) {
  auto ib = Scanning::Scanbuf::from_string(small_building_qvb);
  batiment b = Compute_data::input_batiment_pre_compute(
      Input_data_types_read::scanner_input_data(ib).batiment);
  Format::Printer ppf;
  Format::fprintf(ppf, "%t@.", Compute_data_types_print::print_batiment(b));
  std::ifstream golden(std::string(QUAVOR_SOURCE_DIR) + "/tests/model/golden/small_building_model.txt");
  ASSERT_TRUE(golden) << "missing golden file";
  std::stringstream expected;
  expected << golden.rdbuf();
  EXPECT_EQ(ppf.contents(), expected.str());
}

}  // namespace
