// The debugging switch in the file flow, through the real binary:
// `quavor -d -r examples/house_r1.qvb`. The error stream starts with
// "compute_file", then carries one "Check (CR_...)" line per criterion
// entered, in the order in which the families run them, and ends with the
// outcome; the report itself is the same as without -d.
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

struct Debug_run {
  Cli::Result with_debug;
  Cli::Result without;
  std::string report_with_debug;
  std::string report_without;
};

const Debug_run& debug_run() {
  static const Debug_run run = [] {
    Debug_run r;
    const Test_support::Temporary_directory scratch("quavor_debug_");
    const std::filesystem::path& dir = scratch.path();
    std::filesystem::create_directories(dir / "examples");
    std::filesystem::copy_file(std::filesystem::path(QUAVOR_SOURCE_DIR) / "examples" / "house_r1.qvb",
                               dir / "examples" / "house_r1.qvb");
    r.with_debug = Cli::run({"-d", "-r", "examples/house_r1.qvb"}, Cli::Options().in(dir.string()));
    r.report_with_debug = read_file(dir / "examples" / "house_r1.qvr");
    r.without = Cli::run({"-r", "examples/house_r1.qvb"}, Cli::Options().in(dir.string()));
    r.report_without = read_file(dir / "examples" / "house_r1.qvr");
    return r;
  }();
  return run;
}

// The lines as the families enter their criteria; the two lines whose text
// is left open (the floor diagonal, the slenderness) are matched by prefix.
const std::vector<std::string> check_lines = {
    "Check (CR_0_11): cohérence du nom de fichier du bâtiment",
    "Check (CR_0_12): cohérence du type du bâtiment",
    "Check (CR_0_0): cohérence des dimensions du bâtiment",
    "Check (CR_0_10): cohérence de la pente de sol du bâtiment",
    "Check (CR_0_1): cohérence des niveaux",
    "Check (CR_0_9): cohérence des plans",
    "Check (CR_0_2): nombre minimal de murs de contreventement",
    "Check (CR_0_3): cohérence des murs",
    "Check (CR_0_4): cohérence des poteaux",
    "Check (CR_0_5): cohérence des poutres",
    "Check (CR_0_6): cohérence des trémies",
    "Check (CR_0_7): cohérence des balcons",
    "Check (CR_0_8): cohérence des retraits",
    "Check (CR_1_0): limitation du nombre d'étages (max R+4, maconnerie R+1)",
    "Check (CR_1_1): limitation de la surface totale des trémies",
    "Check (CR_1_2): limitation de la hauteur du bâtiment",
    "Check (CR_1_3): limitation de la surface maximale du bâtiment",
    "Check (CR_1_4): ",
    "Check (CR_1_5): forme horizontale du bâtiment proche d'un rectangle",
    "Check (CR_1_6): limitation de la hauteur du sous-sol",
    "Check (CR_1_7): limitation de la hauteur d'étage",
    "Check (CR_1_8): limitation de la masse surfacique des planchers",
    "Check (CR_1_9): limitation des dimensions des trémies",
    "Check (CR_1_10): ",
    "Check (CR_2_1): regularité en élévation du bâtiment",
    "Check (CR_2_2): continuité des porteurs verticaux",
    "Check (CR_2_2_1): continuité verticale des poteaux",
    "Check (CR_2_2_2): continuité verticale des contreventements",
    "Check (CR_2_2_3): continuité horizontale des poutres",
    "Check (CR_2_3): limitation de la taille et du nombre des parties en retrait",
    "Check (CR_3_1): proportion des contreventements en facade",
    "Check (CR_3_2): longueur cumulée des contreventements en X et Y",
    "Check (CR_3_3): pas trop de murs en refend",
    "Check (CR_3_4): repartition contreventements par rapport au centre de gravité",
    "Check (CR_3_6): dimensionnement et qualité des éléments",
    "Check (CR_3_7): pa_min",
    "Check (CR_3_5): surface de plancher reprises par les murs",
    "Check (CR_3_5_0): calcul sp tous possibles",
    "Check (CR_3_5_1): sp correctement limités",
};

// Every "Check (CR_" occurrence, up to the end of its line.
std::vector<std::string> occurrences(const std::string& err, std::vector<bool>* at_line_start = nullptr) {
  std::vector<std::string> found;
  for (auto at = err.find("Check (CR_"); at != std::string::npos; at = err.find("Check (CR_", at + 1)) {
    auto end = err.find('\n', at);
    found.push_back(err.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (at_line_start) at_line_start->push_back(at == 0 || err[at - 1] == '\n');
  }
  return found;
}

TEST(FileFlowDebugging, ChecksInTheOrderOfTheFamilies) {
  const std::string& err = debug_run().with_debug.err;
  EXPECT_EQ(err.rfind("compute_file\n", 0), 0u) << err.substr(0, 200);
  const std::vector<std::string> found = occurrences(err);
  ASSERT_EQ(found.size(), check_lines.size()) << err;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const std::string& want = check_lines[i];
    if (want.back() == ' ')
      EXPECT_EQ(found[i].rfind(want, 0), 0u) << found[i];
    else
      EXPECT_EQ(found[i], want);
  }
}

TEST(FileFlowDebugging, OutcomeAndReportAreUnchanged) {
  const Debug_run& run = debug_run();
  EXPECT_EQ(run.with_debug.status, 0);
  EXPECT_EQ(run.without.status, 0);
  const std::string& outcome = run.without.err;
  ASSERT_FALSE(outcome.empty());
  ASSERT_GE(run.with_debug.err.size(), outcome.size());
  EXPECT_EQ(run.with_debug.err.substr(run.with_debug.err.size() - outcome.size()), outcome);
  EXPECT_EQ(run.with_debug.out, "");
  EXPECT_FALSE(run.report_without.empty());
  EXPECT_EQ(run.report_with_debug, run.report_without);
}

// Each "Check (CR_...)" line starts a line of its own.
TEST(FileFlowDebugging, EveryCheckLineStartsALine) {
  std::vector<bool> at_line_start;
  const std::vector<std::string> found = occurrences(debug_run().with_debug.err, &at_line_start);
  for (std::size_t i = 0; i < found.size(); ++i) EXPECT_TRUE(at_line_start[i]) << found[i];
}

}  // namespace
