// Two checks at once: checks of different houses run on threads at the same
// time give exactly the outcome and the report that each gives alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "checks/compute.hpp"
#include "description/input_data_types_read.hpp"
#include "report/report.hpp"
#include "text/format.hpp"
#include "text/scanning.hpp"
#include "test_support.hpp"

namespace {

// Compliant houses, failing ones of every family and a fatal one.
const char* const houses[] = {
    "examples/house_r0.qvb",
    "examples/house_r1.qvb",
    "tests/cli/cases/ok_b_tolerances/input.qvb",
    "tests/cli/cases/cr0_3_overlapping_walls/input.qvb",
    "tests/cli/cases/cr1_8_floor_mass/input.qvb",
    "tests/cli/cases/cr2_3_seven_set_backs/input.qvb",
    "tests/cli/cases/cr3_4_shares/input.qvb",
    "tests/cli/cases/cr3_5_1_sp_above_max/input.qvb",
    "tests/cli/cases/cr3_7_pa_min/input.qvb",
    "tests/cli/cases/fatal_zone3/input.qvb",
};

using Test_support::read_file;

// What one check produced, as text that two runs can compare.
struct result {
  std::string outcome;
  std::string report;
};

std::string describe(const Outcome::outcome& o) {
  std::string text = o.report_source_file_name + " -> " + o.report_target_file_name +
                     (o.compliant ? " compliant " : " not compliant ") + std::to_string(o.tests_run) + "\n";
  if (o.failed) text += o.failed->code + " " + std::to_string(o.failed->test_number) + " " + o.failed->text + "\n";
  for (const Outcome::criterion_result& r : o.criteres) {
    text += Outcome::code(r) + " " + Outcome::status_name(r.state) + " " + std::to_string(r.test_number.value_or(0)) + "\n";
    for (const std::string& p : Outcome::paragraph_texts(r)) text += "  " + p + "\n";
    for (const Outcome::measure& m : r.measures) {
      std::ostringstream line;
      line.precision(17);
      line << "  " << m.quantity << " " << m.value << " " << Outcome::comparison_name(m.compare) << " " << m.limit
           << (m.passed ? " passed\n" : " failed\n");
      text += line.str();
    }
  }
  return text;
}

// Reads, checks and renders the report of the description copied at `path`;
// a check that stops on an internal inconsistency gives its message.
result check_or_stop(const std::string& path) {
  Scanning::Scanbuf ib = Scanning::Scanbuf::from_string(read_file(path));
  Input_data_types::input_data data = Input_data_types_read::scanner_input_data(ib);
  // Each copy records its own absolute name, so that no two checks share a
  // report file and none depends on the working directory.
  data.batiment.batiment_file_name = path;
  const std::string target = path.substr(0, path.size() - 4) + ".qvr";
  const Compute::checked_batiment checked = Compute::check_description(
      data.batiment, Check::run_context{path, target, Quavor_configuration::run_mode::Compute_qvr_from_qvb, false});
  Format::Printer printer;
  Format::fprintf(printer, "%a@.", Report::report_print, Report::batiment_make_report(checked.outcome));
  return result{describe(checked.outcome), printer.contents()};
}

result check(const std::string& path) {
  try {
    return check_or_stop(path);
  } catch (const std::exception& e) {
    return result{std::string("stopped: ") + e.what(), ""};
  }
}

class ConcurrentChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::size_t i = 0; i < std::size(houses); ++i) {
      const std::string copy = directory.string() + "/house" + std::to_string(i) + ".qvb";
      std::filesystem::copy_file(QUAVOR_SOURCE_DIR "/" + std::string(houses[i]), copy);
      copies.push_back(copy);
    }
  }
  const Test_support::Temporary_directory directory{"quavor_concurrent."};
  std::vector<std::string> copies;
};

TEST_F(ConcurrentChecks, EachHouseGivesWhatItGivesAlone) {
  std::vector<result> alone;
  for (const std::string& copy : copies) alone.push_back(check(copy));
  // The set really mixes verdicts.
  int compliant = 0;
  for (const result& r : alone)
    compliant += r.outcome.find(" not compliant ") == std::string::npos && !r.outcome.starts_with("stopped") ? 1 : 0;
  EXPECT_GE(compliant, 2);
  EXPECT_GE(static_cast<int>(alone.size()) - compliant, 6);

  constexpr int rounds = 3;
  std::vector<std::vector<result>> together(copies.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < copies.size(); ++i)
    threads.emplace_back([&, i] {
      for (int round = 0; round < rounds; ++round) together[i].push_back(check(copies[i]));
    });
  for (std::thread& t : threads) t.join();

  for (std::size_t i = 0; i < copies.size(); ++i) {
    SCOPED_TRACE(houses[i]);
    ASSERT_EQ(together[i].size(), static_cast<std::size_t>(rounds));
    for (const result& r : together[i]) {
      EXPECT_EQ(r.outcome, alone[i].outcome);
      EXPECT_EQ(r.report, alone[i].report);
    }
  }
}

}  // namespace
