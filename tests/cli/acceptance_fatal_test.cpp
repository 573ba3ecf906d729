// Buildings that the guide's tables do not cover, through the real binary
// (`quavor -r input.qvb`): each ends with the fatal error text on the error
// stream and status 0, leaves no report behind, and leaves an older report
// exactly as it was (the write probe of the file-name check neither
// truncates nor leaves a file of its own).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/harness.hpp"

namespace {

using Cli::read_file;

// The two-storey example recorded as input.qvb.
std::string example() {
  std::string text = read_file(std::filesystem::path(QUAVOR_SOURCE_DIR) / "examples" / "house_r1.qvb");
  const std::string from = "\"examples/house_r1.qvb\"";
  text.replace(text.find(from), from.size(), "\"input.qvb\"");
  return text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The masonry record replaced by a bare material.
std::string with_material(const std::string& material) {
  std::string text = example();
  const auto start = text.find("batiment_materiau = Maconnerie");
  const auto end = text.find("} ;", start) + 3;
  text.replace(start, end - start, "batiment_materiau = " + material + " ;");
  return text;
}

const std::string fatal = "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: ";

struct Fatal_case {
  const char* name;
  std::string description;
  std::string message;
};

std::vector<Fatal_case> fatal_cases() {
  const std::string zone = "Le logiciel ne traite que les bâtiments situés en zone de sismicité 5";
  const std::string material = "Les bâtiments en bois ou béton ne sont pas encore traités";
  return {
      {"zone1", replaced(example(), "Zone5", "Zone1"), zone},
      {"zone4", replaced(example(), "Zone5", "Zone4"), zone},
      {"concrete", with_material("Beton"), material},
      {"wood", with_material("Bois"), material},
      {"solid_aggregate_blocks", replaced(example(), "Brique_creuse_12", "Granulats_courant_plein"),
       "Le logiciel quavor ne traite pas les granulats courant pleins"},
  };
}

class Fatal : public ::testing::TestWithParam<Fatal_case> {
 protected:
  void SetUp() override { std::ofstream(dir / "input.qvb", std::ios::binary) << GetParam().description; }
  Cli::Result run() const { return Cli::run({"-r", "input.qvb"}, Cli::Options().in(dir.string())); }
  const Test_support::Temporary_directory scratch{"quavor_fatal_"};
  const std::filesystem::path& dir = scratch.path();
};

TEST_P(Fatal, EndsWithTheFatalTextAndNoReport) {
  const Cli::Result r = run();
  EXPECT_EQ(r.err, fatal + GetParam().message + "\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(std::filesystem::exists(dir / "input.qvr"));
  // Nothing but the description is left in the directory.
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++entries;
  EXPECT_EQ(entries, 1u);
}

TEST_P(Fatal, LeavesAnOlderReportAsItWas) {
  const std::string older = "older report\nof several lines\n";
  std::ofstream(dir / "input.qvr", std::ios::binary) << older;
  const Cli::Result r = run();
  EXPECT_EQ(r.err, fatal + GetParam().message + "\n");
  EXPECT_EQ(read_file(dir / "input.qvr"), older);
}

INSTANTIATE_TEST_SUITE_P(Cases, Fatal, ::testing::ValuesIn(fatal_cases()),
                         [](const ::testing::TestParamInfo<Fatal_case>& info) { return info.param.name; });

}  // namespace
