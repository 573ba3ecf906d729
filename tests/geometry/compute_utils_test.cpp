#include "geometry/compute_utils.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace Compute_utils;
using Quavor_pervasives_types::direction;

template <class T>
std::string render(void (*printer)(Format::Printer&, const T&), const T& value) {
  return Format::asprintf("%a", printer, value);
}

TEST(Printers, Report_number_formats) {
  struct Case {
    std::string actual;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {render(print_distance, 3.0), "3.00 m"},
      {render(print_distance, 2.345), "2.35 m"},  // 2.345 lies above the half in binary
      {render(print_distance, 0.004), "0.00 m"},
      {render(print_area, 12.0), "12.00 m2"},
      {render(print_area, -0.5), "-0.50 m2"},
      {render(print_masse_surfacique, 150.0), "150.00 kg/m2"},
      {render(print_percentage, 0.05), "5.00 %"},
      {render(print_percentage, 0.125), "12.50 %"},
      {render(print_percentage, 1.0), "100.00 %"},
      {render(print_rapport, 0.2), "0.200"},
      {render(print_rapport, 1.0 / 3.0), "0.333"},
      {render(print_rapport, 2.0 / 3.0), "0.667"},
      {render(print_bool, true), "true"},
      {render(print_bool, false), "false"},
      {render(print_direction, direction::X), "X"},
      {render(print_direction, direction::Y), "Y"},
      {render(print_point, Quavor_pervasives_types::point{1, 2.5}), "(1.00, 2.50)"},
      {render(print_point, Quavor_pervasives_types::point{-0.001, 10.0}), "(-0.00, 10.00)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.actual, c.expected);
  }
}

TEST(Options, Or_else_evaluates_its_default_only_when_needed) {
  int calls = 0;
  auto deferred = [&calls] {
    ++calls;
    return std::optional<int>(7);
  };
  EXPECT_EQ(or_else(std::optional<int>(3), deferred), std::optional<int>(3));
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(or_else(std::optional<int>(), deferred), std::optional<int>(7));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(or_else(std::optional<int>(), [] { return std::optional<int>(); }), std::nullopt);
}

TEST(Options, Value_or_else_evaluates_its_default_only_when_needed) {
  int calls = 0;
  auto deferred = [&calls] {
    ++calls;
    return 7;
  };
  EXPECT_EQ(value_or_else(std::optional<int>(3), deferred), 3);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(value_or_else(std::optional<int>(), deferred), 7);
  EXPECT_EQ(calls, 1);
}

TEST(Options, Map_option_wraps_the_result) {
  auto twice = [](const int& v) { return std::to_string(2 * v); };
  EXPECT_EQ(map_option(std::optional<int>(4), twice), std::optional<std::string>("8"));
  EXPECT_EQ(map_option(std::optional<int>(), twice), std::nullopt);
}

}  // namespace
