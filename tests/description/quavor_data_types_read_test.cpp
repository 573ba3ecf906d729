// Readers of the geometric leaves and of the description's vocabulary.
#include "description/quavor_data_types_read.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "description/quavor_pervasives_types_read.hpp"

namespace {

using Scanning::Scanbuf;
using namespace Quavor_data_types;
using namespace Quavor_data_types_read;
using namespace Quavor_pervasives_types_read;

std::string P(int n) { return "scanf: bad input at char number " + std::to_string(n) + ": "; }

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

// ---------------------------------------------------------------------------
// Geometric leaves

TEST(Description_leaves, Point) {
  EXPECT_EQ(read("{ p_x = 1. ; p_y = -2.5 ; }", scanner_point), (Quavor_pervasives_types::point{1.0, -2.5}));
  EXPECT_EQ(read("{p_x=1;p_y=2;}", scanner_point), (Quavor_pervasives_types::point{1.0, 2.0}));
  EXPECT_EQ(failure_of("{ p_x = 1. ; }", [](Scanbuf& ib) { scanner_point(ib); }),
            P(13) + "looking for 'p', found '}'");
  EXPECT_EQ(failure_of("{ p_y = 1. ; p_x = 2. ; }", [](Scanbuf& ib) { scanner_point(ib); }),
            P(4) + "looking for 'x', found 'y'");
}

TEST(Description_leaves, Direction) {
  EXPECT_EQ(read("X", scanner_direction), Quavor_pervasives_types::direction::X);
  EXPECT_EQ(read("Y ;", scanner_direction), Quavor_pervasives_types::direction::Y);
  EXPECT_EQ(failure_of("x", [](Scanbuf& ib) { scanner_direction(ib); }),
            header(0, 0, 1) + "'x' is not a valid direction");
  // No blank is skipped before the character.
  EXPECT_EQ(failure_of(" X", [](Scanbuf& ib) { scanner_direction(ib); }),
            header(0, 0, 1) + "' ' is not a valid direction");
  EXPECT_EQ(failure_of("", [](Scanbuf& ib) { scanner_direction(ib); }), "<End_of_file>");
}

TEST(Description_leaves, Solide) {
  EXPECT_EQ(read("{ s_lx = 8. ; s_ly = 0.2 ; s_lz = 2.5 ; }", scanner_solide),
            (Quavor_pervasives_types::solide{8.0, 0.2, 2.5}));
  // The float reader's step, then the solide's step.
  EXPECT_EQ(failure_of("{ s_lx = a ; s_ly = 0.2 ; s_lz = 2.5 ; }",
                       [](Scanbuf& ib) { scanner_solide(ib); }),
            P(9) + P(9) + "float_of_string");
}

TEST(Description_leaves, PointsAndPolygone) {
  const std::string text = "[ { p_x = 0. ; p_y = 0. ; } ; { p_x = 1. ; p_y = 0. ; } ; ]";
  Quavor_pervasives_types::polygone expected = {{0.0, 0.0}, {1.0, 0.0}};
  EXPECT_EQ(read(text, scanner_polygone), expected);
  EXPECT_EQ(read(text, scanner_points), expected);
  EXPECT_TRUE(read("[]", scanner_points).empty());
}

// ---------------------------------------------------------------------------
// Enumerations: every constructor name reads as its alternative; any other
// identifier fails with the type's kind text and a header spanning it.

template <class E>
void check_every_alternative(E (*reader)(Scanbuf&)) {
  for (std::size_t i = 0; i < alternative_count<E>(); ++i) {
    std::string name(constructor_names<E>::names[i]);
    SCOPED_TRACE(name);
    Scanbuf ib = Scanbuf::from_string(name + " ;");
    EXPECT_EQ(reader(ib), static_cast<E>(i));
    EXPECT_EQ(name_of(static_cast<E>(i)), name);
    EXPECT_EQ(ib.peek(), ' ');
  }
}

TEST(Description_enumerations, EveryAlternativeReads) {
  check_every_alternative(scanner_batiment_type);
  check_every_alternative(scanner_batiment_categorie);
  check_every_alternative(scanner_sol_categorie);
  check_every_alternative(scanner_zone_de_sismicite);
  check_every_alternative(scanner_qualite_du_chainage_categorie);
  check_every_alternative(scanner_beton_du_chainage_categorie);
  check_every_alternative(scanner_joint_vertical_categorie);
  check_every_alternative(scanner_joint_horizontal_categorie);
  check_every_alternative(scanner_maconnerie_categorie);
  check_every_alternative(scanner_mur_genre);
  check_every_alternative(scanner_mur_categorie);
  check_every_alternative(scanner_bois_categorie);
  check_every_alternative(scanner_plancher_bois_categorie);
  check_every_alternative(scanner_dalle_beton_categorie);
  check_every_alternative(scanner_plancher_beton_categorie);
}

TEST(Description_enumerations, ConstructorNamesInDeclarationOrder) {
  EXPECT_EQ(name_of(zone_de_sismicite::Zone1), "Zone1");
  EXPECT_EQ(name_of(maconnerie_categorie::Brique_creuse_12), "Brique_creuse_12");
  EXPECT_EQ(name_of(beton_du_chainage_categorie::C35_45), "C35_45");
  EXPECT_EQ(alternative_count<maconnerie_categorie>(), 8u);
  EXPECT_EQ(alternative_count<dalle_beton_categorie>(), 3u);
}

TEST(Description_enumerations, UnknownAlternativeNamesTheKind) {
  struct Case {
    std::function<void(Scanbuf&)> reader;
    std::string kind;
  };
  const std::vector<Case> cases = {
      {[](Scanbuf& ib) { scanner_batiment_type(ib); }, "categorie de batiment"},
      {[](Scanbuf& ib) { scanner_batiment_categorie(ib); }, "categorie de batiment"},
      {[](Scanbuf& ib) { scanner_sol_categorie(ib); }, "type de sol"},
      {[](Scanbuf& ib) { scanner_zone_de_sismicite(ib); }, "zone de sismicite"},
      {[](Scanbuf& ib) { scanner_qualite_du_chainage_categorie(ib); },
       "categorie de qualite du chainage"},
      {[](Scanbuf& ib) { scanner_beton_du_chainage_categorie(ib); },
       "categorie de beton du chainage"},
      {[](Scanbuf& ib) { scanner_joint_vertical_categorie(ib); }, "categorie de joint vertical"},
      {[](Scanbuf& ib) { scanner_joint_horizontal_categorie(ib); },
       "categorie de joint horizontal"},
      {[](Scanbuf& ib) { scanner_maconnerie_categorie(ib); }, "categorie de maconnerie"},
      {[](Scanbuf& ib) { scanner_mur_genre(ib); }, "genre de mur"},
      {[](Scanbuf& ib) { scanner_mur_categorie(ib); }, "categorie de mur"},
      {[](Scanbuf& ib) { scanner_bois_categorie(ib); }, "categorie de plancher bois"},
      {[](Scanbuf& ib) { scanner_dalle_beton_categorie(ib); }, "categorie de plancher beton"},
      {[](Scanbuf& ib) { scanner_plancher_categorie(ib); }, "categorie de plancher"},
      {[](Scanbuf& ib) { scanner_materiau_categorie(ib); }, "categorie de materiau"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(failure_of("Zone9 ;", c.reader), header(0, 0, 5) + "\"Zone9\" is not a valid " + c.kind);
  }
}

TEST(Description_enumerations, HeaderSpansTheIdentifierOnItsLine) {
  EXPECT_EQ(failure_of("\n\n  Sol_D ;\n", [](Scanbuf& ib) {
              Scanning::scan(ib, " ");
              scanner_sol_categorie(ib);
            }),
            header(2, 4, 9) + "\"Sol_D\" is not a valid type de sol");
}

TEST(Description_enumerations, LowerCaseIdentifierFailsOnItsCase) {
  EXPECT_EQ(failure_of("zone1 ;", [](Scanbuf& ib) { scanner_zone_de_sismicite(ib); }),
            header(0, 0, 5) + "Invalid case for ident 'zone1' when encountering character ' '");
}

// ---------------------------------------------------------------------------
// Alternatives with values

TEST(Description_alternatives, PlancherCategorie) {
  EXPECT_EQ(read("Plancher_bois Bois_feuillus", scanner_plancher_categorie),
            plancher_categorie(Plancher_bois{bois_categorie::Bois_feuillus}));
  EXPECT_EQ(read("Plancher_beton\n  Dalle_BCA", scanner_plancher_categorie),
            plancher_categorie(Plancher_beton{dalle_beton_categorie::Dalle_BCA}));
  EXPECT_EQ(failure_of("Plancher_bois Bois_x ;", [](Scanbuf& ib) { scanner_plancher_categorie(ib); }),
            P(20) + header(0, 14, 20) + "\"Bois_x\" is not a valid categorie de plancher bois");
  EXPECT_EQ(failure_of("Plancher_pierre ;", [](Scanbuf& ib) { scanner_plancher_categorie(ib); }),
            header(0, 0, 15) + "\"Plancher_pierre\" is not a valid categorie de plancher");
}

TEST(Description_alternatives, MateriauCategorie) {
  EXPECT_EQ(read("Bois", scanner_materiau_categorie), materiau_categorie(Bois{}));
  EXPECT_EQ(read("Beton", scanner_materiau_categorie), materiau_categorie(Beton{}));
  const std::string text =
      "Maconnerie { maconnerie_categorie = Brique_creuse_8 ; maconnerie_joint_horizontal = "
      "Joint_mince ; maconnerie_joint_vertical = Joint_rempli ; maconnerie_qualite_du_chainage = "
      "Chainage_4HA10 ; maconnerie_beton_du_chainage = C25_30 ; }";
  maconnerie expected{maconnerie_categorie::Brique_creuse_8, joint_horizontal_categorie::Joint_mince,
                      joint_vertical_categorie::Joint_rempli,
                      qualite_du_chainage_categorie::Chainage_4HA10,
                      beton_du_chainage_categorie::C25_30};
  EXPECT_EQ(read(text, scanner_materiau_categorie), materiau_categorie(Maconnerie{expected}));
  // A bad joint inside the record: the record's step, then " %r".
  std::string bad = text;
  bad.replace(bad.find("Joint_mince"), 11, "Joint_fin");
  const int end = static_cast<int>(bad.find("Joint_fin")) + 9;
  EXPECT_EQ(failure_of(bad, [](Scanbuf& ib) { scanner_materiau_categorie(ib); }),
            P(end) + P(end) + header(0, end - 9, end) +
                "\"Joint_fin\" is not a valid categorie de joint horizontal");
}

TEST(Description_alternatives, MurSp) {
  EXPECT_EQ(read("Sp_value 12.5", scanner_mur_sp), mur_sp(Sp_value{12.5}));
  EXPECT_EQ(read("Sp_failure", scanner_mur_sp), mur_sp(Sp_failure{}));
  EXPECT_EQ(read("Sp_not_yet_computed", scanner_mur_sp), mur_sp(Sp_not_yet_computed{}));
  auto run = [](Scanbuf& ib) { scanner_mur_sp(ib); };
  EXPECT_EQ(failure_of("Sp_bogus ;", run), header(0, 0, 8) + "Invalid mur sp value Sp_bogus");
  EXPECT_EQ(failure_of("sp_value 1. ;", run),
            header(0, 0, 0) + "Invalid mur sp value starting with character 's'");
  EXPECT_EQ(failure_of("Sp_value x", run), P(9) + "float_of_string");
  EXPECT_EQ(failure_of("", run), "<End_of_file>");
}

TEST(Description_alternatives, SousSolAndNames) {
  EXPECT_EQ(read("Sous_sol 2.2", scanner_sous_sol), (sous_sol{2.2}));
  EXPECT_EQ(failure_of("Sous-sol 2.2", [](Scanbuf& ib) { scanner_sous_sol(ib); }),
            P(4) + "looking for '_', found '-'");
  EXPECT_EQ(read("12", scanner_etage), 12);
  EXPECT_EQ(read(R"("M\"1")", scanner_nom), "M\"1");
}

TEST(Description_alternatives, FileNameIsTakenLiterally) {
  EXPECT_EQ(read(R"("C:\Users\me\house.qvb" ;)", scanner_file_name),
            R"(C:\Users\me\house.qvb)");
  EXPECT_EQ(read("\"a\nb\\n\"", scanner_file_name), "a\nb\\n");
  EXPECT_EQ(read("\"\"", scanner_file_name), "");
  EXPECT_EQ(failure_of("\"abc", [](Scanbuf& ib) { scanner_file_name(ib); }), "<End_of_file>");
  EXPECT_EQ(failure_of("abc", [](Scanbuf& ib) { scanner_file_name(ib); }),
            P(0) + "looking for '\"', found 'a'");
}

}  // namespace
