// The bundled examples through the real binary, as a user runs them:
// `quavor -r examples/<name>.qvb` from a directory holding examples/. Both
// houses comply: the outcome text, the report's frame and its 51 sections in
// catalogue order are checked against texts written out by hand, and the
// report must equal the golden of the end-to-end case made from the same
// house.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/acceptance_headings.hpp"
#include "cli/harness.hpp"

namespace {

using Cli::read_file;
using Cli::lines_of;

const std::filesystem::path source_dir = QUAVOR_SOURCE_DIR;

// A fresh directory with examples/<name>.qvb copied in, removed at the end.
struct Example_run {
  const Test_support::Temporary_directory scratch{"quavor_examples_"};
  const std::filesystem::path& dir = scratch.path();
  Cli::Result result;
  std::string report;
  bool report_written = false;

  explicit Example_run(const std::string& name, std::vector<std::string> extra = {}) {
    std::filesystem::create_directories(dir / "examples");
    std::filesystem::copy_file(source_dir / "examples" / (name + ".qvb"), dir / "examples" / (name + ".qvb"));
    std::vector<std::string> arguments{"-r", "examples/" + name + ".qvb"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    result = Cli::run(arguments, Cli::Options().in(dir.string()));
    report_written = std::filesystem::exists(dir / "examples" / (name + ".qvr"));
    if (report_written) report = read_file(dir / "examples" / (name + ".qvr"));
  }
};

std::string success_text(const std::string& report_name) {
  return "Toutes les vérifications ont réussi.\n"
         "Le bâtiment est conforme aux recommandations du guide TQMV.\n"
         "\n"
         "Pour plus d'information, consulter le détail des calculs dans le fichier:\n"
         "\n"
         "  " +
         report_name + "\n";
}

using Acceptance::conclusion_heading;
using Acceptance::headings;

class Example : public ::testing::TestWithParam<std::string> {};

TEST_P(Example, CompliesAndAnnouncesItsReport) {
  const Example_run run(GetParam());
  EXPECT_EQ(run.result.err, success_text("examples/" + GetParam() + ".qvr"));
  EXPECT_EQ(run.result.out, "");
  EXPECT_EQ(run.result.status, 0);
  EXPECT_TRUE(run.report_written);
}

// Frame: title, empty line, source name, the blank line left by the source
// box (two columns of indentation), the sections, an empty line, the
// conclusion heading, an empty line, the two success lines, an empty line.
TEST_P(Example, ReportFrame) {
  const Example_run run(GetParam());
  ASSERT_TRUE(run.report_written);
  const std::vector<std::string> l = lines_of(run.report);
  ASSERT_GT(l.size(), 10u);
  EXPECT_EQ(l[0], "Rapport de conformité du bâtiment");
  EXPECT_EQ(l[1], "");
  EXPECT_EQ(l[2], "examples/" + GetParam() + ".qvb");
  EXPECT_EQ(l[3], "  ");
  EXPECT_EQ(l[4], "Cohérence du bâtiment");
  const std::vector<std::string> tail(l.end() - 7, l.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"", conclusion_heading, "", "Tous les tests ont été réussis.",
                                            "Le bâtiment est conforme au guide TQMV.", "", ""}));
}

// Every criterion was checked, so every heading appears once, in catalogue
// order; each heading starts a line at column 0 and is followed by an empty
// line; the paragraphs under it are indented.
TEST_P(Example, ReportListsAllCriteriaInCatalogueOrder) {
  const Example_run run(GetParam());
  ASSERT_TRUE(run.report_written);
  const std::vector<std::string> l = lines_of(run.report);
  std::size_t end = 4;
  while (end < l.size() && l[end] != conclusion_heading) ++end;
  ASSERT_LT(end, l.size());
  std::vector<std::string> found;
  for (std::size_t i = 4; i + 1 < end; ++i)
    if (!l[i].empty() && l[i][0] != ' ' && l[i + 1].empty()) found.push_back(l[i]);
  EXPECT_EQ(found, headings);
}

// The report equals the golden of the end-to-end case made from the same
// house (tests/cli/cases/ok_<type>, recorded under the name input.qvb), the
// file names aside.
TEST_P(Example, ReportMatchesTheGoldenOfItsCase) {
  const Example_run run(GetParam());
  ASSERT_TRUE(run.report_written);
  const std::string type = GetParam().substr(GetParam().find('_') + 1);
  std::string golden = read_file(source_dir / "tests" / "cli" / "cases" / ("ok_" + type) / "expected.qvr");
  ASSERT_FALSE(golden.empty());
  for (std::string::size_type at = golden.find("input.qv"); at != std::string::npos;
       at = golden.find("input.qv", at + 1)) {
    golden.replace(at, 5, "examples/" + GetParam());
    at += ("examples/" + GetParam()).size() - 5;
  }
  EXPECT_EQ(run.report, golden);
}

// The same description read from the standard input, report written to a
// named file: `-i - -o <target>` (the recorded name decides the internal
// target, so the target given must match it).
TEST_P(Example, ReadsFromTheStandardInput) {
  const Test_support::Temporary_directory scratch("quavor_examples_");
  const std::filesystem::path& dir = scratch.path();
  std::filesystem::create_directories(dir / "examples");
  const std::string text = read_file(source_dir / "examples" / (GetParam() + ".qvb"));
  const std::string target = "examples/" + GetParam() + ".qvr";
  const Cli::Result r = Cli::run({"-i", "-", "-o", target}, Cli::Options().in(dir.string()).with_stdin(text));
  // The recorded name examples/<name>.qvb gives examples/<name>.qvr, the
  // target given: the building passes, and the report names "-" as source.
  EXPECT_EQ(r.err, success_text(target));
  EXPECT_EQ(r.status, 0);
  ASSERT_TRUE(std::filesystem::exists(dir / target));
  const std::vector<std::string> l = lines_of(read_file(dir / target));
  ASSERT_GT(l.size(), 3u);
  EXPECT_EQ(l[2], "-");
}

INSTANTIATE_TEST_SUITE_P(Examples, Example, ::testing::Values("house_r0", "house_r1"));

// The outcome text for a report named house.qvr, as a user sees it.
TEST(ExampleOutcome, CompliantTextForHouseQvr) {
  const Test_support::Temporary_directory scratch("quavor_examples_");
  const std::filesystem::path& dir = scratch.path();
  std::string text = read_file(source_dir / "examples" / "house_r1.qvb");
  const std::string from = "\"examples/house_r1.qvb\"";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), "\"house.qvb\"");
  std::ofstream(dir / "house.qvb", std::ios::binary) << text;
  const Cli::Result r = Cli::run({"-r", "house.qvb"}, Cli::Options().in(dir.string()));
  EXPECT_EQ(r.err,
            "Toutes les vérifications ont réussi.\n"
            "Le bâtiment est conforme aux recommandations du guide TQMV.\n"
            "\n"
            "Pour plus d'information, consulter le détail des calculs dans le fichier:\n"
            "\n"
            "  house.qvr\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir / "house.qvr"));
}

}  // namespace
