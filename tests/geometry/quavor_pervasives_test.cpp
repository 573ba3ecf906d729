#include "geometry/quavor_pervasives.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "text/exceptions.hpp"

namespace {

using namespace Quavor_pervasives;

const std::string fatal_prefix = "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ";

// Runs f and returns the text of the Fatal_error it raises ("" when none).
std::string fatal_text(const std::function<void()>& f) {
  try {
    f();
  } catch (const Fatal_error& e) {
    return e.what();
  }
  return "";
}

// --- Tolerant comparisons --------------------------------------------------

struct Comparison_case {
  const char* op;
  std::function<bool(double, double)> f;
  double a;
  double b;
  bool expected;
};

TEST(Tolerant_comparisons, Operators_at_both_tolerances) {
  const std::vector<Comparison_case> cases = {
      // =~ : 0.001, inclusive
      {"=~", almost_equal, 1.0, 1.0005, true},
      {"=~", almost_equal, 1.0, 1.002, false},
      {"=~", almost_equal, 0.0, 0.001, true},
      {"=~", almost_equal, 0.0, 0.0011, false},
      {"=~", almost_equal, 0.0, -0.0009, true},
      {"<>~", almost_different, 1.0, 1.0005, false},
      {"<>~", almost_different, 1.0, 1.002, true},
      {"<>~", almost_different, 0.0, 0.001, false},
      {"<=~", almost_less_equal, 1.0, 1.0005, true},
      {"<=~", almost_less_equal, 1.0005, 1.0, true},
      {"<=~", almost_less_equal, 1.002, 1.0, false},
      {"<=~", almost_less_equal, 1.0, 2.0, true},
      {">=~", almost_greater_equal, 1.0, 1.0005, true},
      {">=~", almost_greater_equal, 1.0, 1.002, false},
      {">=~", almost_greater_equal, 2.0, 1.0, true},
      {"<~", almost_less, 1.0, 1.0005, false},
      {"<~", almost_less, 1.0, 1.002, true},
      {"<~", almost_less, 1.002, 1.0, false},
      {"<~", almost_less, 0.0, 0.0011, true},
      {">~", almost_greater, 1.0005, 1.0, false},
      {">~", almost_greater, 1.002, 1.0, true},
      {">~", almost_greater, 1.0, 1.002, false},
      // =~~ : 0.01, inclusive
      {"=~~", roughly_equal, 1.0, 1.005, true},
      {"=~~", roughly_equal, 0.0, 0.01, true},
      {"=~~", roughly_equal, 0.0, 0.011, false},
      {"=~~", roughly_equal, 1.0, 1.02, false},
      {"<>~~", roughly_different, 1.0, 1.005, false},
      {"<>~~", roughly_different, 1.0, 1.02, true},
      {"<>~~", roughly_different, 0.0, 0.01, false},
      {"<=~~", roughly_less_equal, 1.005, 1.0, true},
      {"<=~~", roughly_less_equal, 1.02, 1.0, false},
      {"<=~~", roughly_less_equal, 0.0, 5.0, true},
      {">=~~", roughly_greater_equal, 1.0, 1.005, true},
      {">=~~", roughly_greater_equal, 1.0, 1.02, false},
      {">=~~", roughly_greater_equal, 5.0, 0.0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " " + std::to_string(c.a) + " " + std::to_string(c.b));
    EXPECT_EQ(c.f(c.a, c.b), c.expected);
  }
}

TEST(Tolerant_comparisons, Three_way_comparisons) {
  struct Case {
    std::function<int(double, double)> f;
    double a, b;
    int expected;
  };
  const std::vector<Case> cases = {
      {compare_tilde, 1.0, 1.0005, 0},
      {compare_tilde, 1.0, 1.001, 0},
      {compare_tilde, 1.0, 1.0011, -1},
      {compare_tilde, 1.0011, 1.0, 1},
      {compare_tilde_tilde, 1.0, 1.009, 0},
      {compare_tilde_tilde, 1.0, 1.011, -1},
      {compare_tilde_tilde, 1.011, 1.0, 1},
      {[](double a, double b) { return almost_compare_float(0.5, a, b); }, 1.0, 1.4, 0},
      {[](double a, double b) { return almost_compare_float(0.5, a, b); }, 1.0, 1.6, -1},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cases[i].f(cases[i].a, cases[i].b), cases[i].expected);
  }
}

TEST(Tolerant_comparisons, Almost_zero_and_explicit_tolerance) {
  EXPECT_TRUE(is_almost_zero(0.0));
  EXPECT_TRUE(is_almost_zero(0.01));
  EXPECT_TRUE(is_almost_zero(-0.01));
  EXPECT_FALSE(is_almost_zero(0.011));
  EXPECT_FALSE(is_almost_zero(-0.011));
  EXPECT_TRUE(almost_equal_float(0.1, 1.0, 1.1 - 1e-12));
  EXPECT_FALSE(almost_equal_float(0.1, 1.0, 1.2));
}

// --- Numbers ---------------------------------------------------------------

TEST(Numbers, Factor_float_approximation_rounds_halves_upwards) {
  struct Case {
    double f, x, expected;
  };
  const std::vector<Case> cases = {
      {100.0, 2.346, 2.35},
      {100.0, 2.3449, 2.34},
      {100.0, 1.005, 1.0},  // the double nearest 1.005 lies below it
      {10.0, 0.25, 0.3},
      {10.0, -0.25, -0.2},
      {1.0, 2.5, 3.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_DOUBLE_EQ(factor_float_approximation(c.f, c.x), c.expected);
  }
}

TEST(Numbers, Percentages) {
  EXPECT_DOUBLE_EQ(percentage_of_factor(0.125), 12.5);
  EXPECT_DOUBLE_EQ(factor_of_percentage(12.5), 0.125);
  EXPECT_TRUE(valid_percentage_factor(0.0));
  EXPECT_TRUE(valid_percentage_factor(1.0));
  EXPECT_TRUE(valid_percentage_factor(-0.001));
  EXPECT_TRUE(valid_percentage_factor(1.001));
  EXPECT_FALSE(valid_percentage_factor(-0.0011));
  EXPECT_FALSE(valid_percentage_factor(1.0011));
}

TEST(Names, Directions_and_cardinal_points) {
  EXPECT_EQ(string_of_direction(direction::X), "X");
  EXPECT_EQ(string_of_direction(direction::Y), "Y");
  EXPECT_EQ(string_of_cardinal_point(cardinal_point::North), "North");
  EXPECT_EQ(string_of_cardinal_point(cardinal_point::South), "South");
  EXPECT_EQ(string_of_cardinal_point(cardinal_point::East), "East");
  EXPECT_EQ(string_of_cardinal_point(cardinal_point::West), "West");
}

// --- Sequences -------------------------------------------------------------

TEST(Sequences, Find_option_gives_the_first_match) {
  const std::vector<int> seq = {1, 4, 6, 8};
  EXPECT_EQ(find_option([](int v) { return v % 2 == 0; }, seq), std::optional<int>(4));
  EXPECT_EQ(find_option([](int v) { return v > 10; }, seq), std::nullopt);
  EXPECT_EQ(find_option([](int) { return true; }, std::vector<int>{}), std::nullopt);
}

TEST(Sequences, Sums_start_from_zero) {
  EXPECT_EQ(sigma({}), 0.0);
  EXPECT_DOUBLE_EQ(sigma({1.5, 2.5, -1.0}), 3.0);
  const std::vector<point> pts = {{1, 2}, {3, 4}};
  EXPECT_DOUBLE_EQ(sigma_f(point_abscisse, pts), 4.0);
  EXPECT_EQ(sigma_f(point_abscisse, std::vector<point>{}), 0.0);
}

TEST(Sequences, Extrema_and_sentinels) {
  const std::vector<double> seq = {3.0, -1.0, 7.5, 2.0};
  auto id = [](double v) { return v; };
  EXPECT_EQ(min_f(id, seq), -1.0);
  EXPECT_EQ(max_f(id, seq), 7.5);
  EXPECT_EQ(min_max_f(id, seq), (std::pair<double, double>(-1.0, 7.5)));
  const std::vector<double> none;
  EXPECT_EQ(min_f(id, none), 1.7976931348623157e308);
  EXPECT_EQ(max_f(id, none), -1.7976931348623157e308);
  EXPECT_EQ(min_max_f(id, none), (std::pair<double, double>(1.7976931348623157e308, -1.7976931348623157e308)));
}

// --- Points and weighted means ---------------------------------------------

TEST(Points, Distances_and_midpoints) {
  EXPECT_DOUBLE_EQ(distance({0, 0}, {3, 4}), 5.0);
  EXPECT_EQ(points_milieu({0, 0}, {2, 6}), (point{1, 3}));
  EXPECT_EQ(make_bipoint({1, 2}, {3, 4}), (bipoint{{1, 2}, {3, 4}}));
  EXPECT_EQ(bipoint_milieu({{1, 2}, {3, 4}}), (point{2, 3}));
  EXPECT_EQ(point_abscisse({5, 6}), 5.0);
  EXPECT_EQ(point_ordonnee({5, 6}), 6.0);
}

TEST(Weighted_means, Mean_and_total_weight) {
  const std::vector<std::pair<double, double>> seq = {{1.0, 10.0}, {3.0, 20.0}};
  const auto [w, m] = moyenne_ponderee_f([](double v) { return v; }, seq);
  EXPECT_EQ(w, 4.0);
  EXPECT_DOUBLE_EQ(m, 17.5);
  // A negative weight removes its element (a set-back removed from a plan).
  const point_ponderes removed = {{4.0, {1, 1}}, {-2.0, {0, 0}}};
  EXPECT_EQ(barycentre_pondere(removed), (point_pondere{2.0, {2, 2}}));
  EXPECT_EQ(barycentre(removed), (point{2, 2}));
  // A tiny but non-zero total is accepted.
  const point_ponderes tiny = {{1e-300, {1, 2}}};
  EXPECT_EQ(barycentre(tiny), (point{1, 2}));
}

TEST(Weighted_means, Null_total_weight_is_fatal) {
  const std::string text = fatal_prefix + "moyenne_ponderee: sum of coefficients is null";
  EXPECT_EQ(fatal_text([] { barycentre({}); }), text);
  EXPECT_EQ(fatal_text([] { barycentre_pondere({{1.0, {0, 0}}, {-1.0, {1, 1}}}); }), text);
  EXPECT_EQ(fatal_text([] {
              moyenne_ponderee_f([](double v) { return v; }, std::vector<std::pair<double, double>>{});
            }),
            text);
}

// --- Polygons --------------------------------------------------------------

TEST(Polygons, Signed_surface) {
  struct Case {
    polygone p;
    double expected;
  };
  const std::vector<Case> cases = {
      {{{0, 0}, {4, 0}, {4, 3}, {0, 3}}, 12.0},
      {{{0, 0}, {0, 3}, {4, 3}, {4, 0}}, -12.0},
      {{{2, 2}}, 0.0},
      {{{0, 0}, {5, 5}}, 0.0},
      {{{0, 0}, {10, 0}, {10, 1}}, 5.0},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(polygone_surface(cases[i].p), cases[i].expected);
  }
}

TEST(Polygons, Degenerate_below_three_vertices) {
  EXPECT_TRUE(polygone_degenere({}));
  EXPECT_TRUE(polygone_degenere({{0, 0}, {1, 1}}));
  EXPECT_FALSE(polygone_degenere({{0, 0}, {1, 1}, {1, 0}}));
}

TEST(Polygons, Centre_is_the_mean_of_the_vertices) {
  const point c = polygone_centre_gravite({{0, 0}, {10, 0}, {10, 1}});
  EXPECT_NEAR(c.p_x, 6.667, 0.001);
  EXPECT_NEAR(c.p_y, 0.333, 0.001);
  const point_pondere cp = polygone_centre_pondere({{0, 0}, {4, 0}, {4, 3}, {0, 3}});
  EXPECT_EQ(cp, (point_pondere{12.0, {2, 1.5}}));
}

TEST(Polygons, Empty_polygon_is_fatal) {
  EXPECT_EQ(fatal_text([] { polygone_surface({}); }), fatal_prefix + "polygone_surface: empty polygone");
  EXPECT_EQ(fatal_text([] { polygone_centre_gravite({}); }),
            fatal_prefix + "polygone_centre_gravite: empty polygone");
  EXPECT_EQ(fatal_text([] { polygone_centre_pondere({}); }), fatal_prefix + "polygone_surface: empty polygone");
}

// --- Rectangle measures ----------------------------------------------------

struct Description_rectangle {
  double rectangle_width;
  double rectangle_height;
  point rectangle_position;
};

TEST(Rectangles, Measures_of_a_description_rectangle) {
  const Description_rectangle r{4.0, 2.0, {1.0, 1.0}};
  EXPECT_EQ(rectangle_position(r), (point{1, 1}));
  EXPECT_EQ(rectangle_surface(r), 8.0);
  EXPECT_EQ(rectangle_centre_gravite(r), (point{3, 2}));
  EXPECT_EQ(rectangle_centre_pondere(r), (point_pondere{8.0, {3, 2}}));
}

}  // namespace
