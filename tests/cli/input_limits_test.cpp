// Descriptions at and beyond the input limits: overflowing numbers, plans
// nested on plans, very long wall lists. Whatever the size, the run ends with
// a syntax error or a verdict, never with a crash.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/harness.hpp"

namespace {

using Cli::read_file;

std::string replace_once(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The one-storey example with `text` in place of its own, written under its
// own recorded name in a fresh directory; runs quavor -r on it there.
Cli::Result run_on(const std::string& text) {
  const Test_support::Temporary_directory dir;
  std::filesystem::create_directories(dir / "examples");
  Test_support::write_file(dir / "examples" / "house_r0.qvb", text);
  return Cli::run({"-r", "examples/house_r0.qvb"}, Cli::Options().in(dir.string()));
}

const std::string& example() {
  static const std::string text = read_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/house_r0.qvb");
  return text;
}

bool is_syntax_error(const Cli::Result& r) { return r.err.find("\nSyntax error: ") != std::string::npos; }

// ---------------------------------------------------------------------------
// Numbers: an overflowing literal is refused where it stands; large finite
// values are read and judged.

struct Number_case {
  const char* name;
  const char* from;
  const char* to;
  bool syntax_error;
};

class Numbers : public ::testing::TestWithParam<Number_case> {};

TEST_P(Numbers, SyntaxErrorOrVerdict) {
  const Number_case& c = GetParam();
  const Cli::Result r = run_on(replace_once(example(), c.from, c.to));
  EXPECT_EQ(r.status, c.syntax_error ? 1 : 0) << r.err;
  EXPECT_EQ(is_syntax_error(r), c.syntax_error) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, Numbers,
    ::testing::Values(
        Number_case{"width_1e999", "batiment_largeur = 9. ;", "batiment_largeur = 1e999 ;", true},
        Number_case{"x_minus_1e999", "p_x = 6.5 ;", "p_x = -1e999 ;", true},
        Number_case{"length_1e300", "s_lx = 4.5 ;", "s_lx = 1e300 ;", false},
        Number_case{"height_1e308", "batiment_hauteur = 3.7 ;", "batiment_hauteur = 1.7e308 ;", false},
        Number_case{"denormal", "p_x = 6.5 ;", "p_x = 1e-320 ;", false},
        Number_case{"numero_2_pow_31", "mur_numero = 1 ;", "mur_numero = 2147483648 ;", true},
        Number_case{"numero_huge", "mur_numero = 1 ;", "mur_numero = 99999999999999999999999 ;", true},
        Number_case{"numero_int_max", "mur_numero = 1 ;", "mur_numero = 2147483647 ;", false},
        Number_case{"etage_int_min", "niveau_etage = 0 ;", "niveau_etage = -2147483648 ;", false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Plans on plans: the ground-floor plan based on `depth` plans in a chain.

std::string nested_plans(int depth) {
  const std::string base =
      "Base_rectangle { rectangle_width = 12. ; rectangle_height = 9. ;\n"
      "              rectangle_position = { p_x = 0. ; p_y = 0. ; } ; }";
  const std::size_t at = example().find(base);
  EXPECT_NE(at, std::string::npos);
  std::string plans;
  plans.reserve(static_cast<std::size_t>(depth) * 120 + base.size());
  for (int i = 0; i < depth; ++i) plans += "Base_plan { plan_retraits = [ ] ; plan_base = ";
  plans += base;
  for (int i = 0; i < depth; ++i) plans += " ; plan_etage = 0 ; plan_nom = \"PLn0\" ; }";
  std::string text = example();
  text.replace(at, base.size(), plans);
  return text;
}

// The level's own plan counts: 1023 plans under it make 1024 in all, the
// bound; one more is refused with a single line naming the bound.
TEST(NestedPlans, UpToTheBoundAreRead) {
  for (int depth : {200, 1023}) {
    const Cli::Result r = run_on(nested_plans(depth));
    EXPECT_EQ(r.status, 0) << depth << r.err.substr(0, 2000);
    EXPECT_FALSE(is_syntax_error(r)) << depth << r.err.substr(0, 2000);
  }
}

TEST(NestedPlans, BeyondTheBoundAreASyntaxError) {
  for (int depth : {1024, 100000}) {
    const Cli::Result r = run_on(nested_plans(depth));
    EXPECT_EQ(r.status, 1) << depth;
    EXPECT_TRUE(is_syntax_error(r)) << depth << r.err.substr(0, 2000);
    EXPECT_NE(r.err.find("Syntax error: value nested deeper than 1024 levels"), std::string::npos)
        << depth << r.err.substr(0, 2000);
    // One clear line, not one prefix per enclosing reader.
    EXPECT_LT(r.err.size(), 1000u) << depth;
  }
}

// ---------------------------------------------------------------------------
// Long lists are read in linear time and space: 100 000 columns on the
// ground floor (each one outside the building: CR-0-4 fails).

TEST(LongLists, HundredThousandColumnsAreReadAndJudged) {
  std::string columns;
  for (int i = 0; i < 100000; ++i)
    columns += "{ poteau_position = { p_x = 50. ; p_y = " + std::to_string(i) + ". ; } ; poteau_nom = \"PX" +
               std::to_string(i) + "\" ; } ;\n";
  const std::string text =
      replace_once(example(), "niveau_poteaux = [", "niveau_poteaux = [\n" + columns);
  const Cli::Result r = run_on(text);
  EXPECT_EQ(r.status, 0) << r.err.substr(0, 2000);
  EXPECT_FALSE(is_syntax_error(r)) << r.err.substr(0, 2000);
}

}  // namespace
