// The sizing criteria of the bracing walls (CR-3-1 to CR-3-7) and the order
// of the family.
#include "checks/dimensionnement_batiment.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "checks/test_houses.hpp"
#include "model/compute_data.hpp"
#include "text/exceptions.hpp"

namespace {

using namespace Test_houses;
using namespace Test_houses::House_12x10;
using Input_data_types::batiment;
using Input_data_types::mur;
using Outcome::measure;
using Quavor_data_types::maconnerie;

const std::string rdc = "Au rez-de-chaussée (niveau Nv0), ";
const std::string fatal = "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ";

// The house with its walls replaced.
batiment r0_with_walls(std::vector<mur> murs) {
  batiment b = house_r0();
  b.batiment_niveau_toit.niveau_murs = std::move(murs);
  return b;
}

// The house with its four facade walls, 0.2 thick and at the corners, of
// the lengths given.
batiment r0_with_facades(double sud, double nord, double ouest, double est) {
  return r0_with_walls({wall("M1n0", direction::X, 0, 0, sud), wall("M2n0", direction::X, 0, 9.8, nord),
                        wall("M3n0", direction::Y, 0, 0, ouest), wall("M4n0", direction::Y, 11.8, 0, est)});
}

// The house built of hollow bricks 8 changed as told.
batiment r0_with_brique_8(const std::function<void(maconnerie&)>& change) {
  maconnerie m = brique_8();
  change(m);
  batiment b = house_r0();
  b.batiment_materiau = Quavor_data_types::Maconnerie{m};
  return b;
}

template <class Test>
std::string fatal_text(Test test, const batiment& b) {
  Checking k(b);
  try {
    test(k);
  } catch (const Fatal_error& e) {
    return e.what();
  }
  return "<no fatal error>";
}

failure fails(const std::string& code, const std::string& location, const std::string& message) {
  return failure{"Dimensionnement du bâtiment", code, location, message};
}

// How the recorded measures are compared with the expected ones: exactly,
// or with the values that differ only by the rounding of the check's
// arithmetic taken as recorded.
enum class measure_match { exact, rounded };

// What one run of a criterion on a house gives: its verdict and, where
// given, the failure recorded, the paragraphs and the measures.
struct outcome {
  const char* what;
  batiment house;
  bool passes;
  std::optional<failure> error = {};
  std::vector<std::string> said = {};
  std::vector<measure> measured = {};
};

void expect_outcomes(critere c, test_fn test, const std::vector<outcome>& cases,
                     measure_match match = measure_match::exact) {
  for (const outcome& k : cases) {
    SCOPED_TRACE(k.what);
    Checking checking(k.house);
    EXPECT_EQ(session().make(c, test, checking.b), k.passes) << k.what;
    if (k.error) {
      EXPECT_EQ(recorded_failure(), k.error) << k.what;
    }
    if (!k.said.empty()) {
      EXPECT_EQ(paragraphs(c, layout::unbroken), k.said) << k.what;
    }
    if (!k.measured.empty()) {
      const std::vector<measure> recorded = measures(c);
      EXPECT_EQ(recorded, match == measure_match::rounded ? rounded_as(recorded, k.measured) : k.measured) << k.what;
    }
  }
}

// ---------------------------------------------------------------------------
// CR-3-1

// The longest wall of a facade of the 12 x 10 house at Nv0 against 30 % of
// the building's dimension (0.3 x 12 or 0.3 x 10).
measure facade(const char* cote, const std::optional<std::string>& wall_name, double longueur, bool passed) {
  const std::string c = cote;
  const double dimension = c == "nord" || c == "sud" ? 12.0 : 10.0;
  return mesure(kept("longueur du plus long mur de la façade " + c), longueur, 0.3 * dimension,
                Outcome::comparison::at_least, Outcome::tolerance::none, "m", "Nv0", wall_name, passed);
}

std::string long_opposite_facades(const char* d) {
  return rdc + "il existe, dans la direction " + d +
         ", deux murs en façades opposées mesurant au moins 30.00 % de la longueur de la façade correspondante";
}

TEST(DimensionnementFacades, TwoLongOppositeFacadeWallsInOneDirection) {
  const failure none_long =
      fails("CR-3-1", rdc_loc,
            "il n'existe, dans aucune direction, deux murs en façades opposées mesurant au moins 30.00 % de la "
            "longueur de la façade correspondante");
  expect_outcomes(
      critere::CR_3_1, Dimensionnement_batiment::batiment_proportion_de_contreventements_de_facades_checkings,
      {{"long facades in X: the Y facades are not looked at",
        house_r0(),
        true,
        {},
        {long_opposite_facades("X")},
        {facade("nord", "M2n0", 12, true), facade("sud", "M1n0", 12, true)}},
       // 3.6 m of a 12 m building in X.
       {"exactly 30 % in X",
        r0_with_walls({wall("M1n0", direction::X, 0, 0, 3.6), wall("M2n0", direction::X, 8.4, 9.8, 3.6),
                       wall("M3n0", direction::Y, 0, 0, 2.9), wall("M4n0", direction::Y, 11.8, 0, 2.9)}),
        true},
       // 3.5 m of 12 m: the north facade fails first; 3.0 m of 10 m passes.
       {"short in X, exactly 30 % in Y",
        r0_with_walls({wall("M1n0", direction::X, 0, 0, 3.5), wall("M2n0", direction::X, 8.4, 9.8, 3.5),
                       wall("M3n0", direction::Y, 0, 0, 3.0), wall("M4n0", direction::Y, 11.8, 7, 3.0)}),
        true,
        {},
        {long_opposite_facades("Y")},
        {facade("nord", "M2n0", 3.5, false), facade("est", "M4n0", 3.0, true), facade("ouest", "M3n0", 3.0, true)}},
       {"everything short", r0_with_facades(3.5, 3.5, 2.9, 2.9), false, none_long},
       {"only the north and the west facades long enough", r0_with_facades(3.5, 12, 10, 2.9), false, none_long},
       {"a long X wall inside the plan is no facade wall",
        r0_with_walls({wall("M1n0", direction::X, 0, 0, 3.5), wall("M2n0", direction::X, 0, 9.8, 12),
                       wall("I1n0", direction::X, 0, 3, 12), wall("M3n0", direction::Y, 0, 0, 2.9),
                       wall("M4n0", direction::Y, 11.8, 0, 2.9)}),
        false, none_long},
       {"3.5995 m against 3.6 m without tolerance, 2.9 m of 10 m",
        r0_with_facades(12, 3.5995, 2.9, 2.9),
        false,
        {},
        {},
        {facade("nord", "M2n0", 3.5995, false), facade("est", "M4n0", 2.9, false)}},
       {"the longest of two walls stands for the facade",
        r0_with_walls({wall("M1n0", direction::X, 0, 0, 2), wall("M5n0", direction::X, 6, 0, 4),
                       wall("M2n0", direction::X, 0, 9.8, 12), wall("M3n0", direction::Y, 0, 0, 10)}),
        true,
        {},
        {},
        {facade("nord", "M2n0", 12, true), facade("sud", "M5n0", 4, true)}},
       {"a facade without a wall measures 0 m",
        r0_with_walls({wall("M1n0", direction::X, 0, 0, 12), wall("M3n0", direction::Y, 0, 0, 10)}),
        false,
        {},
        {},
        {facade("nord", std::nullopt, 0, false), facade("est", std::nullopt, 0, false)}}});
}

TEST(DimensionnementFacades, LengthAgainstThirtyPercentOfTheDimensionAsWrittenWithoutTolerance) {
  // 2.01 / 6.70 rounds to 0.29999999999999993, below 0.3, while 0.3 x 6.70
  // rounds to the double of 2.01.
  batiment square = house_r0();
  square.batiment_longueur = 6.7;
  square.batiment_largeur = 6.7;
  struct Case {
    const char* what;
    batiment house;
    direction d;
    double length;
    bool long_enough;
  };
  const std::vector<Case> cases{
      {"3.6 m of 12 m", house_r0(), direction::X, 3.6, true},
      {"3.5995 m of 12 m", house_r0(), direction::X, 3.5995, false},
      {"3.0 m of 10 m", house_r0(), direction::Y, 3.0, true},
      {"2.9995 m of 10 m", house_r0(), direction::Y, 2.9995, false},
      {"2.01 m of 6.70 m in X", square, direction::X, 2.01, true},
      {"2.01 m of 6.70 m in Y", square, direction::Y, 2.01, true},
      {"2.0099 m of 6.70 m in X", square, direction::X, 2.0099, false},
      {"2.0099 m of 6.70 m in Y", square, direction::Y, 2.0099, false},
  };
  for (const Case& c : cases) {
    Checking k(c.house);
    const auto long_enough =
        c.d == direction::X ? Dimensionnement_batiment::cvt_long_enough_x : Dimensionnement_batiment::cvt_long_enough_y;
    EXPECT_EQ(long_enough(k.b, *Compute_data::mur_compute(wall("A", c.d, 0, 0, c.length))), c.long_enough) << c.what;
  }
}

// ---------------------------------------------------------------------------
// CR-3-2

TEST(DimensionnementLongueursCumulees, RatioWithinTheBoundsWithTolerance) {
  const auto rapport = [](double value, bool passed) {
    return mesure("rapport des longueurs cumulées des murs de contreventements en X et en Y", value, 0.8,
                  Outcome::comparison::range, Outcome::tolerance::fine, "", "Nv0", std::nullopt, passed, 1.25);
  };
  // The south and north walls of the lengths given; lt_y = 20.
  const auto cumulated = [](double sud, double nord) { return r0_with_facades(sud, nord, 10, 10); };
  expect_outcomes(
      critere::CR_3_2, Dimensionnement_batiment::batiment_longueur_cumulee_des_contreventements_checkings,
      {{"1.2: the house",
        cumulated(12, 12),
        true,
        {},
        {rdc +
         "le rapport des longueurs cumulées des murs de contreventements en X (24.000) et en Y (20.000) est 1.200, ce "
         "rapport respecte bien les limites inférieure (0.800) et supérieure (1.250) autorisées"},
        {rapport(1.2, true)}},
       {"1.2505", cumulated(12, 13.01), true},
       {"1.2509", cumulated(12, 13.018), true, {}, {}, {rapport(1.2509, true)}},
       {"1.2511", cumulated(12, 13.022), false, {}, {}, {rapport(1.2511, false)}},
       {"1.26", cumulated(12, 13.2), false,
        fails("CR-3-2", rdc_loc,
              "le rapport des longueurs cumulées des murs de contreventements en X (25.200) et en Y (20.000) est "
              "1.260,\nce rapport ne respecte pas les limites inférieure (0.800) et supérieure (1.250) autorisées")},
       {"0.7995", cumulated(7.99, 8), true},
       {"0.795", cumulated(7.9, 8), false}},
      measure_match::rounded);
}

// ---------------------------------------------------------------------------
// CR-3-3

// Facade walls totalling 36 m and one inner X wall of length r.
batiment r0_with_inner_wall(double r) {
  return r0_with_walls({wall("M1n0", direction::X, 0, 0, 12), wall("M2n0", direction::X, 0, 9.8, 12),
                        wall("M3n0", direction::Y, 0, 2, 6), wall("M4n0", direction::Y, 11.8, 2, 6),
                        wall("I1n0", direction::X, 0, 5, r, 0.2, Quavor_data_types::Sp_value{10.0},
                             Quavor_data_types::mur_categorie::Mur_en_refend)});
}

std::string correct_share(const std::string& refend, const std::string& total, const std::string& part) {
  return rdc +
         "la répartition des murs en refend est correcte: la longueur totale des murs de contreventement en refend "
         "vaut " +
         refend + " m, la longueur totale des murs de contreventement vaut " + total +
         " m, la répartition des murs en refend est donc " + refend + " / " + total + ", soit " + part +
         " %; cette répartition est inférieure à 25.00 %, la limite autorisée pour ce bâtiment";
}

TEST(DimensionnementRefends, ShareOfInnerWallsAtMostAQuarterWithTolerance) {
  // r of 36 + r, computed as the level sums the lengths (the X walls, then
  // the Y walls).
  const auto share = [](double r, bool passed) {
    return mesure("répartition des murs en refend", r / ((12 + 12 + r) + (6 + 6)), 0.25, Outcome::comparison::at_most,
                  Outcome::tolerance::fine, "%", "Nv0", std::nullopt, passed);
  };
  expect_outcomes(critere::CR_3_3,
                  Dimensionnement_batiment::batiment_repartition_des_contreventements_en_refend_checkings,
                  {{"no inner wall", house_r0(), true, {}, {correct_share("0.00", "44.00", "0.00")}},
                   {"exactly a quarter",
                    r0_with_inner_wall(12.0),
                    true,
                    {},
                    {correct_share("12.00", "48.00", "25.00")},
                    {share(12.0, true)}},
                   {"25.09 %", r0_with_inner_wall(12.0576), true, {}, {}, {share(12.0576, true)}},
                   {"0.250936", r0_with_inner_wall(12.06), true},
                   {"25.11 %", r0_with_inner_wall(12.0705), false, {}, {}, {share(12.0705, false)}},
                   {"0.251559", r0_with_inner_wall(12.1), false,
                    fails("CR-3-3", rdc_loc,
                          "la répartition des murs en refend est incorrecte:\n"
                          "la longueur totale des murs de contreventement en refend vaut 12.10 m\n"
                          "la longueur totale des murs de contreventement vaut 48.10 m;\n"
                          "la répartition des murs en refend est donc 12.10 / 48.10, soit 25.16 %;\n"
                          "cette répartition est supérieure à 25.00 %, la limite autorisée pour ce bâtiment")}});
}

// ---------------------------------------------------------------------------
// CR-3-4

TEST(DimensionnementGravite, MurCumulateFromThePositionCorner) {
  const Compute_data_types::point g{6, 5};
  struct Case {
    mur m;
    Dimensionnement_batiment::repartition expected;
  };
  const std::vector<Case> cases{
      {wall("A", direction::X, 0, 0, 12), {0, 2.4, 0, 0}},
      {wall("A", direction::X, 0, 9.8, 12), {2.4, 0, 0, 0}},
      {wall("A", direction::X, 0, 4.9, 12), {1.2, 1.2, 0, 0}},     // crosses the line
      {wall("A", direction::X, 0, 5.2, 12), {1.2, 1.2, 0, 0}},     // one thickness above: still counted as crossing
      {wall("A", direction::X, 0, 5.2009, 12), {1.2, 1.2, 0, 0}},  // within tolerance
      {wall("A", direction::X, 0, 5.202, 12), {2.4, 0, 0, 0}},
      {wall("A", direction::X, 0, 4.75, 12), {0, 2.4, 0, 0}},
      {wall("A", direction::Y, 6.1, 0, 10), {0, 0, 1.0, 1.0}},
      {wall("A", direction::Y, 5.5, 0, 10), {0, 0, 2.0, 0}},
      {wall("A", direction::Y, 6.5, 0, 10, 0.4), {0, 0, 0, 4.0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.m.mur_position.p_x << "," << c.m.mur_position.p_y);
    const Dimensionnement_batiment::repartition r = Dimensionnement_batiment::mur_cumulate(
        g, Dimensionnement_batiment::repartition{}, *Compute_data::mur_compute(c.m));
    EXPECT_NEAR(r.north, c.expected.north, 1e-9);
    EXPECT_NEAR(r.south, c.expected.south, 1e-9);
    EXPECT_NEAR(r.west, c.expected.west, 1e-9);
    EXPECT_NEAR(r.east, c.expected.east, 1e-9);
  }
}

TEST(DimensionnementGravite, BoundedWithTolerance) {
  for (const auto& [value, inside] : std::vector<std::pair<double, bool>>{
           {0.3, true}, {0.2995, true}, {0.298, false}, {0.7009, true}, {0.702, false}})
    EXPECT_EQ(Dimensionnement_batiment::bounded(value, {0.3, 0.7}), inside) << value;
}

TEST(DimensionnementGravite, OneDirectionNarrowTheOtherWide) {
  struct Case {
    Dimensionnement_batiment::repartition parts;
    std::optional<bool> good_x;
    std::optional<bool> good_y;
  };
  const std::vector<Case> cases{{{0.5, 0.5, 0.65, 0.35}, true, false},
                                {{0.65, 0.35, 0.5, 0.5}, std::nullopt, true},
                                {{0.5, 0.5, 0.75, 0.25}, false, false},
                                {{0.4505, 0.5495, 0.3, 0.7}, true, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.parts.north << " " << c.parts.south << " " << c.parts.west << " "
                                    << c.parts.east);
    if (c.good_x) {
      EXPECT_EQ(Dimensionnement_batiment::good_repartition_x(c.parts), *c.good_x);
    }
    if (c.good_y) {
      EXPECT_EQ(Dimensionnement_batiment::good_repartition_y(c.parts), *c.good_y);
    }
  }
}

// The four shares read one way at Nv0: north and south within ns, east and
// west within eo; each passes when its flag says so.
std::vector<measure> share_measures(double n, double sd, double e, double w, std::pair<double, double> ns,
                                    std::pair<double, double> eo, std::vector<bool> passed) {
  const auto share = [](const char* q, double v, std::pair<double, double> r, bool p) {
    return mesure(q, v, r.first, Outcome::comparison::range, Outcome::tolerance::fine, "%", "Nv0", std::nullopt, p,
                  r.second);
  };
  return {share("répartition Nord", n, ns, passed[0]), share("répartition Sud", sd, ns, passed[1]),
          share("répartition Est", e, eo, passed[2]), share("répartition Ouest", w, eo, passed[3])};
}

const std::pair<double, double> narrow{0.45, 0.55};
const std::pair<double, double> wide{0.3, 0.7};

// North and south at 50 %: a passing reading records its shares only, a
// failing one records both readings.
std::vector<measure> east_west_shares(double est, double ouest, bool passed) {
  const std::vector<bool> verdicts{true, true, passed, passed};
  std::vector<measure> shares = share_measures(0.5, 0.5, est, ouest, narrow, wide, verdicts);
  if (passed) return shares;
  const std::vector<measure> other_way = share_measures(0.5, 0.5, est, ouest, wide, narrow, verdicts);
  shares.insert(shares.end(), other_way.begin(), other_way.end());
  return shares;
}

// Y walls of thickness w (west) and 1 - w (east): the west share is w, the
// east share 1 - w, both beyond their range by w - 0.7.
batiment thick_west(double w) {
  return r0_with_walls({wall("M1n0", direction::X, 0, 0, 12), wall("M2n0", direction::X, 0, 9.8, 12),
                        wall("M3n0", direction::Y, 0, 0, 10, w), wall("M4n0", direction::Y, 11 + w, 0, 10, 1 - w)});
}

std::vector<measure> thick_west_shares(double w, bool passed) {
  return east_west_shares((1 - w) * 10 / (w * 10 + (1 - w) * 10), w * 10 / (w * 10 + (1 - w) * 10), passed);
}

TEST(DimensionnementGravite, SharesOfTheWallsAroundTheCentreOfGravity) {
  const std::string v1(102, ' ');
  const std::string v2(104, ' ');
  const double nord = 12 * 0.65 / (12 * 0.35 + 12 * 0.65);
  const double sud = 12 * 0.35 / (12 * 0.35 + 12 * 0.65);
  expect_outcomes(
      critere::CR_3_4, Dimensionnement_batiment::batiment_repartition_contreventements_gravite_checkings,
      {{"balanced house",
        house_r0(),
        true,
        {},
        {rdc +
         "la dissymétrie d'implantation des contreventements est respectée. Les répartitions des contreventements "
         "sont:\n" +
         v2 + "Nord : 50.00 %, Sud   : 50.00 %,\n" + v2 + "Est  : 50.00 %, Ouest : 50.00 %,\n" + v1 +
         "ces répartitions respectent les limites de 45-55 % dans une direction et de 30-70 % dans l'autre.\n" + v1 +
         "Le centre de gravité du plancher se situe au point:\n" + v1 + "(g_x = 6.000, g_y = 5.000)"},
        east_west_shares(0.5, 0.5, true)},
       {"east 35 %, west 65 %",
        r0_with_walls({wall("M1n0", direction::X, 0, 0, 12), wall("M2n0", direction::X, 0, 9.8, 12),
                       wall("M3n0", direction::Y, 0, 0, 10, 0.65), wall("M4n0", direction::Y, 11.65, 0, 10, 0.35)}),
        true},
       {"east 25 %, west 75 %",
        r0_with_walls({wall("M1n0", direction::X, 0, 0, 12), wall("M2n0", direction::X, 0, 9.8, 12),
                       wall("M3n0", direction::Y, 0, 0, 10, 0.6), wall("M4n0", direction::Y, 11.8, 0, 10)}),
        false,
        fails("CR-3-4", rdc_loc,
              "la dissymétrie d'implantation des contreventements n'est pas respectée.\n"
              "Les répartitions actuelles sont:\n"
              "  Nord : 50.00 %, Sud   : 50.00 %,\n"
              "  Est  : 25.00 %, Ouest : 75.00 %,\n"
              "  \n"
              "ces répartitions ne respectent pas les limites de 45-55 % dans une direction et de 30-70 % dans "
              "l'autre.\n"
              "Le centre de gravité se situe au point: (g_x = 6.000, g_y = 5.000)"),
        {},
        east_west_shares(0.25, 0.75, false)},
       {"north 65 %, south 35 %: read the other way",
        r0_with_walls({wall("M1n0", direction::X, 0, 0, 12, 0.35), wall("M2n0", direction::X, 0, 9.35, 12, 0.65),
                       wall("M3n0", direction::Y, 0, 0, 10), wall("M4n0", direction::Y, 11.8, 0, 10)}),
        true,
        {},
        {},
        share_measures(nord, sud, 0.5, 0.5, wide, narrow, {true, true, true, true})},
       {"west 70.09 %: within the tolerance", thick_west(0.7009), true, {}, {}, thick_west_shares(0.7009, true)},
       {"west 70.11 %", thick_west(0.7011), false, {}, {}, thick_west_shares(0.7011, false)}});
}

// ---------------------------------------------------------------------------
// CR-3-6

// The mean length of the bracing walls in one direction at Nv0.
measure moyenne(const char* d, double value, bool passed) {
  return mesure(kept(std::string("longueur moyenne des murs de contreventement dans la direction ") + d), value, 2.0,
                Outcome::comparison::at_least, Outcome::tolerance::fine, "m", "Nv0", std::nullopt, passed);
}

TEST(DimensionnementQualite, MeanLengthPerDirection) {
  // Both X walls lx long, both Y walls ly long.
  const auto mean_length = [](double lx, double ly) { return r0_with_facades(lx, lx, ly, ly); };
  const auto too_short = [](const char* d, const char* moyenne) {
    return fails("CR-3-6-1", rdc_loc,
                 std::string("la longueur moyenne des murs de contreventement dans la direction ") + d + " est " +
                     moyenne + " m,\ncette moyenne est inférieure à la limite 2.00 m autorisée par le guide TQMV");
  };
  expect_outcomes(
      critere::CR_3_6_1, Dimensionnement_batiment::batiment_longueur_moyenne_contreventement_checkings,
      {{"the house",
        mean_length(12, 10),
        true,
        {},
        {rdc + "la longueur moyenne des murs de contreventement dans la direction Y est correcte. cette moyenne 10.00 "
               "m est supérieure à la limite 2.00 m autorisée par le guide TQMV",
         rdc + "la longueur moyenne des murs de contreventement dans la direction X est correcte. cette moyenne 12.00 "
               "m est supérieure à la limite 2.00 m autorisée par le guide TQMV"},
        {moyenne("X", 12, true), moyenne("Y", 10, true)}},
       {"1.9995 m in X", mean_length(1.9995, 10), true},
       {"1.9991 m in X", mean_length(1.9991, 10), true, {}, {}, {moyenne("X", 1.9991, true), moyenne("Y", 10, true)}},
       {"1.9989 m in X", mean_length(1.9989, 10), false, {}, {}, {moyenne("X", 1.9989, false)}},
       {"1.9 m in X", mean_length(1.9, 10), false, too_short("X", "1.90")},
       {"1.5 m in Y", mean_length(12, 1.5), false, too_short("Y", "1.50")}});
}

TEST(DimensionnementQualite, TieBeamsElementsAndVerticalJoints) {
  expect_outcomes(
      critere::CR_3_6_2, Dimensionnement_batiment::batiment_qualite_du_chainage_checkings,
      {{"4HA12",
        house_r0(),
        true,
        {},
        {"Pour ce bâtiment, le chaînage choisi est correct: 4HA12 est le chaînage préconisé par le guide"}},
       {"4HA10", r0_with_brique_8([](maconnerie& m) {
          m.maconnerie_qualite_du_chainage = Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA10;
        }),
        false,
        fails("CR-3-6-2", batiment_loc, "le chaînage choisi est 4HA10, mais pour ce bâtiment ce devrait être 4HA12")}});
  expect_outcomes(
      critere::CR_3_6_3, Dimensionnement_batiment::batiment_qualite_des_elements_checkings,
      {{"Brique creuse 8 on one storey",
        house_r0(),
        true,
        {},
        {"Pour ce bâtiment, la caractéristique des éléments est correcte: elle est définie comme Brique creuse 8, et "
         "c'est la caractéristique préconisée pour ce bâtiment"}},
       {"thin joints, two storeys: Brique creuse 12", house_r1(), false,
        fails("CR-3-6-3", batiment_loc,
              "la caractéristique des éléments ne convient pas: elle est définie comme Brique creuse 8, mais devrait "
              "être Brique creuse 12")}});
  const failure not_filled = fails("CR-3-6-4", batiment_loc,
                                   "les joints verticaux du bâtiment doivent impérativement être remplis, sous peine "
                                   "de perte importante de rigidité");
  expect_outcomes(critere::CR_3_6_4, Dimensionnement_batiment::batiment_joints_verticaux_remplis_checkings,
                  {{"filled",
                    house_r0(),
                    true,
                    {},
                    {"Pour ce bâtiment, les joints verticaux du bâtiment sont remplis ce qui est imposé par le guide"}},
                   {"half filled", r0_with_brique_8([](maconnerie& m) {
                      m.maconnerie_joint_vertical = Quavor_data_types::joint_vertical_categorie::Joint_mi_rempli;
                    }),
                    false, not_filled},
                   {"empty", r0_with_brique_8([](maconnerie& m) {
                      m.maconnerie_joint_vertical = Quavor_data_types::joint_vertical_categorie::Joint_vide;
                    }),
                    false, not_filled}});
}

TEST(DimensionnementQualite, UnsupportedBuildingsAreFatal) {
  const auto criterion = [](critere c, test_fn test) {
    return std::function<void(Checking&)>([c, test](Checking& k) { session().make(c, test, k.b); });
  };
  const auto chainage = criterion(critere::CR_3_6_2, Dimensionnement_batiment::batiment_qualite_du_chainage_checkings);
  const auto joints =
      criterion(critere::CR_3_6_4, Dimensionnement_batiment::batiment_joints_verticaux_remplis_checkings);
  const auto elements = criterion(critere::CR_3_6_3, Dimensionnement_batiment::batiment_qualite_des_elements_checkings);
  const std::function<void(Checking&)> family = [](Checking& k) {
    Dimensionnement_batiment::batiment_dimensionnement_des_contreventements_checkings(session(), k.b);
  };
  batiment bois = house_r0();
  bois.batiment_materiau = Quavor_data_types::Bois{};
  batiment beton = house_r0();
  beton.batiment_materiau = Quavor_data_types::Beton{};
  batiment zone3 = house_r0();
  zone3.batiment_zone_de_sismicite = Quavor_data_types::zone_de_sismicite::Zone3;
  const batiment plein = r0_with_brique_8(
      [](maconnerie& m) { m.maconnerie_categorie = Quavor_data_types::maconnerie_categorie::Granulats_courant_plein; });
  const batiment cellulaire = r0_with_brique_8([](maconnerie& m) {
    m.maconnerie_categorie = Quavor_data_types::maconnerie_categorie::Cellulaire_autoclave_rcn_3;
    m.maconnerie_joint_horizontal = Quavor_data_types::joint_horizontal_categorie::Joint_epais;
  });
  struct Case {
    const char* what;
    std::function<void(Checking&)> run;
    batiment house;
    std::string message;
  };
  const std::vector<Case> cases{
      {"tie beams of wood", chainage, bois, "les constructions en bois ne sont pas traitées"},
      {"tie beams of concrete", chainage, beton, "les constructions en béton ne sont pas traitées"},
      {"vertical joints of wood", joints, bois, "les constructions en bois ne sont pas traitées"},
      {"vertical joints of concrete", joints, beton, "les constructions en béton ne sont pas traitées"},
      {"elements of wood", elements, bois, "Le logiciel ne traite que les bâtiments construit en maconnerie"},
      {"elements in zone 3", elements, zone3, "Le logiciel ne traite que les bâtiments situés en zone de sismicité 5"},
      {"solid aggregates", elements, plein, "Le logiciel quavor ne traite pas les granulats courant pleins"},
      {"autoclaved aerated concrete with thick joints", elements, cellulaire,
       "Les bâtiments en maçonnerie de béton cellulaire autoclavé ne doivent pas avoir de joints horizontaux épais"},
      // Zone 3 stops the whole computation at the masonry element.
      {"the family in zone 3", family, zone3, "Le logiciel ne traite que les bâtiments situés en zone de sismicité 5"},
  };
  for (const Case& c : cases) EXPECT_EQ(fatal_text(c.run, c.house), fatal + c.message) << c.what;
}

TEST(DimensionnementQualite, Printers) {
  const std::vector<std::pair<Quavor_data_types::maconnerie_categorie, std::string>> categories{
      {Quavor_data_types::maconnerie_categorie::Granulats_courant_plein, "Granulats courant plein"},
      {Quavor_data_types::maconnerie_categorie::Granulats_courant_creux_40, "Granulats courant creux 40"},
      {Quavor_data_types::maconnerie_categorie::Granulats_courant_creux_60, "Granulats courant creux 60"},
      {Quavor_data_types::maconnerie_categorie::Cellulaire_autoclave_rcn_3, "Cellulaire autoclave RCN 3"},
      {Quavor_data_types::maconnerie_categorie::Cellulaire_autoclave_rcn_4, "Cellulaire autoclave RCN 4"},
      {Quavor_data_types::maconnerie_categorie::Brique_creuse_4, "Brique creuse 4"},
      {Quavor_data_types::maconnerie_categorie::Brique_creuse_8, "Brique creuse 8"},
      {Quavor_data_types::maconnerie_categorie::Brique_creuse_12, "Brique creuse 12"},
  };
  for (const auto& [c, text] : categories)
    EXPECT_EQ(Format::asprintf("%a", Dimensionnement_batiment::print_caracteristique_des_elements, c), text);
  const std::vector<std::pair<Quavor_data_types::qualite_du_chainage_categorie, std::string>> chainages{
      {Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA12, "4HA12"},
      {Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA10, "4HA10"},
  };
  for (const auto& [q, text] : chainages)
    EXPECT_EQ(Format::asprintf("%a", Dimensionnement_batiment::print_qualite_du_chainage_categorie, q), text);
}

TEST(DimensionnementQualite, Chainage4HA10FailsAfterTheMeanLengthPassed) {
  Checking k(r0_with_brique_8([](maconnerie& m) {
    m.maconnerie_qualite_du_chainage = Quavor_data_types::qualite_du_chainage_categorie::Chainage_4HA10;
    m.maconnerie_joint_vertical = Quavor_data_types::joint_vertical_categorie::Joint_vide;
  }));
  EXPECT_FALSE(session().make_checkings(
      critere::CR_3_6, Dimensionnement_batiment::batiment_dimensionnement_qualite_des_elements_checkings, k.b));
  EXPECT_TRUE(checked(critere::CR_3_6_1));
  EXPECT_FALSE(checked(critere::CR_3_6_2));
  EXPECT_FALSE(checked(critere::CR_3_6_3));
  EXPECT_FALSE(checked(critere::CR_3_6_4));
  EXPECT_EQ(failure_heading(), "Dimensionnement du bâtiment: échec du test CR-3-6-2:");
  EXPECT_EQ(session().get_checking_number(), 3);
}

// ---------------------------------------------------------------------------
// CR-3-7

// Two storeys of hollow bricks with thick joints on soil C: pa_min 2.8 %;
// the roof level's X walls have the thickness e.
batiment r1_thick_joints(double e) {
  batiment b = house_r1();
  b.batiment_implantation.implantation_sol = Quavor_data_types::sol_categorie::Sol_C;
  maconnerie m = brique_8();
  m.maconnerie_joint_horizontal = Quavor_data_types::joint_horizontal_categorie::Joint_epais;
  b.batiment_materiau = Quavor_data_types::Maconnerie{m};
  b.batiment_niveau_toit.niveau_murs[0] = wall("M1n1", direction::X, 0, 0, 12, e);
  b.batiment_niveau_toit.niveau_murs[1] = wall("M2n1", direction::X, 0, 10 - e, 12, e);
  return b;
}

// The ground-area ratio of the bracing walls in one direction.
measure pa(const char* niveau, const char* d, double value, double pa_min, bool passed) {
  return mesure(kept(std::string("rapport de la surface au sol des murs de contreventements dans la direction ") + d +
                     " sur la surface totale du plancher"),
                value, pa_min, Outcome::comparison::at_least, Outcome::tolerance::fine, "%", niveau, std::nullopt,
                passed);
}

TEST(DimensionnementPaMin, RatiosOfTheWallGroundAreaPerLevelAndDirection) {
  const std::string debut = rdc + "le rapport de la surface au sol des murs de contreventements dans la direction ";
  expect_outcomes(
      critere::CR_3_7, Dimensionnement_batiment::batiment_pa_min_checkings,
      {{"bricks, thin joints, R0, Sol_B: 1.4 %",
        house_r0(),
        true,
        {},
        {debut + "Y sur la surface totale du plancher est correcte: sa valeur 3.33 % est supérieure au pourcentage "
                 "minimum requis pour ce bâtiment (pa_min vaut 1.40 %)",
         debut + "X sur la surface totale du plancher est correcte: sa valeur 4.00 % est supérieure au pourcentage "
                 "minimum requis pour ce bâtiment (pa_min vaut 1.40 %)"},
        {pa("Nv0", "X", 0.04, 0.014, true), pa("Nv0", "Y", 4.0 / 120, 0.014, true)}},
       {"2.73 % of 2.8 %", r1_thick_joints(0.1365), true},
       {"2.71 % of 2.8 %: the limit - 0.0009",
        r1_thick_joints(0.1355),
        true,
        {},
        {},
        {pa("Nv1", "X", 0.0271, 0.028, true), pa("Nv1", "Y", 4.0 / 120, 0.028, true), pa("Nv0", "X", 0.04, 0.028, true),
         pa("Nv0", "Y", 4.0 / 120, 0.028, true)}},
       {"2.69 % of 2.8 %", r1_thick_joints(0.1345), false, {}, {}, {pa("Nv1", "X", 0.0269, 0.028, false)}},
       {"2.60 % of 2.8 %", r1_thick_joints(0.13), false,
        fails("CR-3-7", etage_loc,
              "le rapport de la surface au sol des murs de contreventements dans la direction X sur la surface totale "
              "du plancher est incorrecte:\nsa valeur 2.60 % est inférieure au pourcentage minimum requis pour ce "
              "bâtiment (pa_min vaut 2.80 %)")}},
      measure_match::rounded);
}

// ---------------------------------------------------------------------------
// The family

batiment r1_bricks_12() {
  batiment b = house_r1();
  maconnerie m = brique_8();
  m.maconnerie_categorie = Quavor_data_types::maconnerie_categorie::Brique_creuse_12;
  b.batiment_materiau = Quavor_data_types::Maconnerie{m};
  return b;
}

TEST(DimensionnementFamily, CompliantHousesMarkEveryCriterionInOrder) {
  for (const batiment& b : {house_r0(), r1_bricks_12()}) {
    Checking k(b);
    EXPECT_TRUE(session().make_checkings(
        critere::CR_3, Dimensionnement_batiment::batiment_dimensionnement_des_contreventements_checkings, k.b));
    for (int i = Tqmv::critere_index(critere::CR_3); i < Tqmv::critere_count; ++i)
      EXPECT_TRUE(checked(Tqmv::critere_of_index(i))) << i;
    EXPECT_EQ(session().get_checking_number(), 14);
  }
}

TEST(DimensionnementFamily, DebuggingLinesInTheFamilyOrder) {
  Checking k(house_r0());
  testing::internal::CaptureStderr();
  session().set_debug(true);
  EXPECT_TRUE(Dimensionnement_batiment::batiment_dimensionnement_des_contreventements_checkings(session(), k.b));
  session().set_debug(false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Check (CR_3_1): proportion des contreventements en facade\n"
            "Check (CR_3_2): longueur cumulée des contreventements en X et Y\n"
            "Check (CR_3_3): pas trop de murs en refend\n"
            "Check (CR_3_4): repartition contreventements par rapport au centre de gravité\n"
            "Check (CR_3_6): dimensionnement et qualité des éléments\n"
            "Check (CR_3_7): pa_min\n"
            "Check (CR_3_5): surface de plancher reprises par les murs\n"
            "Check (CR_3_5_0): calcul sp tous possibles\n"
            "Check (CR_3_5_1): sp correctement limités\n");
}

TEST(DimensionnementFamily, SpIsCheckedLast) {
  batiment b = house_r0();
  b.batiment_niveau_toit.niveau_murs[0].mur_sp = Quavor_data_types::Sp_value{102.002};
  Checking k(b);
  EXPECT_FALSE(Dimensionnement_batiment::batiment_dimensionnement_des_contreventements_checkings(session(), k.b));
  EXPECT_TRUE(checked(critere::CR_3_7));
  EXPECT_TRUE(checked(critere::CR_3_5_0));
  EXPECT_FALSE(checked(critere::CR_3_5_1));
  EXPECT_FALSE(checked(critere::CR_3_5));
  EXPECT_EQ(failure_heading(), "Dimensionnement du bâtiment: échec du test CR-3-5-1:");
}

}  // namespace
