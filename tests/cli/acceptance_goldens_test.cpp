// The recorded reports of the end-to-end cases (tests/cli/cases/*/expected.qvr)
// against the report frame: the title, an empty line, the source name, the
// blank line of the source box, headings at column 0 each followed by an
// empty line, only criteria in catalogue order, an empty line, the
// conclusion heading, an empty line, the verdict (the two success lines or
// a failure text ending with the test number), and an empty last line.
// A golden recorded with a wrong frame fails here, whatever the engine says.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "cli/acceptance_headings.hpp"
#include "cli/harness.hpp"

namespace {

using Cli::read_file;
using Cli::lines_of;

const std::filesystem::path cases_root = std::filesystem::path(QUAVOR_SOURCE_DIR) / "tests" / "cli" / "cases";

std::vector<std::string> cases_with_report() {
  std::vector<std::string> names;
  if (std::filesystem::exists(cases_root))
    for (const auto& entry : std::filesystem::directory_iterator(cases_root))
      // A case that starts with a report of its own keeps it: not the engine's.
      if (std::filesystem::exists(entry.path() / "expected.qvr") &&
          !std::filesystem::exists(entry.path() / "input.qvr"))
        names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Golden_report : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden_report, FollowsTheReportFrame) {
  const std::filesystem::path dir = cases_root / GetParam();
  const std::vector<std::string> l = lines_of(read_file(dir / "expected.qvr"));
  ASSERT_GT(l.size(), 8u);
  EXPECT_EQ(l[0], "Rapport de conformité du bâtiment");
  EXPECT_EQ(l[1], "");
  // The source name as given on the command line.
  const bool from_stdin =
      std::filesystem::exists(dir / "args") && read_file(dir / "args").find("-i -") != std::string::npos;
  EXPECT_EQ(l[2], from_stdin ? "-" : "input.qvb");
  EXPECT_EQ(l[3], "  ");

  const auto conclusion = std::find(l.begin(), l.end(), Acceptance::conclusion_heading);
  ASSERT_NE(conclusion, l.end());
  const std::size_t c = static_cast<std::size_t>(conclusion - l.begin());
  EXPECT_EQ(std::count(l.begin(), l.end(), Acceptance::conclusion_heading), 1);
  EXPECT_EQ(l[c - 1], "");
  ASSERT_LT(c + 2, l.size());
  EXPECT_EQ(l[c + 1], "");

  // The report ends with the verdict, a line break and the final newline.
  ASSERT_GE(l.size(), c + 5);
  EXPECT_EQ(l[l.size() - 1], "");
  EXPECT_EQ(l[l.size() - 2], "");
  const std::string& last = l[l.size() - 3];
  const bool success = last == "Le bâtiment est conforme au guide TQMV.";
  if (success) {
    EXPECT_EQ(l[c + 2], "Tous les tests ont été réussis.");
    EXPECT_EQ(l.size(), c + 6);
  } else {
    EXPECT_TRUE(std::regex_match(last, std::regex(R"(\(Test [0-9]+\)\.)"))) << last;
    EXPECT_NE(l[c + 2].find(": échec du test CR-"), std::string::npos) << l[c + 2];
  }
}

// The sections hold only criteria, in catalogue order, each once (none at
// all when the very first test fails); a compliant report holds all 51.
TEST_P(Golden_report, SectionsInCatalogueOrder) {
  const std::vector<std::string> l = lines_of(read_file(cases_root / GetParam() / "expected.qvr"));
  const auto conclusion = std::find(l.begin(), l.end(), Acceptance::conclusion_heading);
  ASSERT_NE(conclusion, l.end());
  const std::size_t end = static_cast<std::size_t>(conclusion - l.begin());
  const std::vector<std::string>& all = Acceptance::headings;
  std::size_t next = 0;  // the first catalogue position still allowed
  std::size_t count = 0;
  for (std::size_t i = 4; i + 1 < end; ++i) {
    if (l[i].empty() || l[i][0] == ' ' || !l[i + 1].empty()) continue;
    const auto at = std::find(all.begin() + static_cast<long>(std::min(next, all.size())), all.end(), l[i]);
    ASSERT_NE(at, all.end()) << "line " << i + 1 << ": " << l[i];
    next = static_cast<std::size_t>(at - all.begin()) + 1;
    ++count;
  }
  if (l[l.size() - 3] == "Le bâtiment est conforme au guide TQMV.") {
    EXPECT_EQ(count, all.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden_report, ::testing::ValuesIn(cases_with_report()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param;
                           std::replace_if(
                               n.begin(), n.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); },
                               '_');
                           return n;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Golden_report);

}  // namespace
