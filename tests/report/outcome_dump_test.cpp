// The outcome of the bundled two-storey example as data: codes, statuses,
// test numbers and measures, against a dump checked by hand against the
// report of the same check.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "checks/compute.hpp"
#include "description/input_data_types_read.hpp"
#include "report/report.hpp"
#include "text/format.hpp"
#include "text/scanning.hpp"
#include "test_support.hpp"

namespace {

using Test_support::read_file;

// Makes a directory the working directory for the life of the object.
class Working_directory {
 public:
  explicit Working_directory(const std::filesystem::path& directory) : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
  }
  ~Working_directory() {
    std::error_code ignored;
    std::filesystem::current_path(saved_, ignored);
  }
  Working_directory(const Working_directory&) = delete;
  Working_directory& operator=(const Working_directory&) = delete;

 private:
  std::filesystem::path saved_;
};

std::string number(double x) {
  std::ostringstream out;
  out.precision(6);
  out << x;
  return out.str();
}

std::string dump_measure(const Outcome::measure& m) {
  std::string line = "    " + std::string(m.quantity) + ": " + number(m.value) + " " + Outcome::comparison_name(m.compare) + " " +
                     number(m.limit);
  if (m.upper_limit) line += ".." + number(*m.upper_limit);
  if (!m.unit.empty()) line += " " + std::string(m.unit);
  line += " (tol " + number(Outcome::tolerance_value(m.tol)) + ")";
  if (m.niveau) line += " niveau " + *m.niveau;
  if (m.element) line += " element " + *m.element;
  return line + (m.passed ? " passed\n" : " failed\n");
}

std::string dump(const Outcome::outcome& o) {
  std::string text = std::string(o.compliant ? "compliant" : "not compliant") + ", " + std::to_string(o.tests_run) +
                     " tests\n";
  for (const Outcome::criterion_result& r : o.criteres) {
    text += Outcome::code(r) + " " + Outcome::status_name(r.state);
    if (r.test_number) text += " test " + std::to_string(*r.test_number);
    text += "\n";
    for (const Outcome::measure& m : r.measures) text += dump_measure(m);
  }
  return text;
}

// The check makes sure that its report can be written by creating it for a
// moment under its relative name: it runs in a fresh directory with an empty
// examples/, so that the checkout is left alone.
Compute::checked_batiment checked_example() {
  Scanning::Scanbuf ib = Scanning::Scanbuf::from_string(read_file(QUAVOR_SOURCE_DIR "/examples/house_r1.qvb"));
  const Input_data_types::input_data data = Input_data_types_read::scanner_input_data(ib);
  const Test_support::Temporary_directory scratch("quavor-outcome-");
  std::filesystem::create_directory(scratch / "examples");
  const Working_directory in_scratch(scratch.path());
  return Compute::check_description(data.batiment,
                                    Check::run_context{"examples/house_r1.qvb", "examples/house_r1.qvr",
                                                       Quavor_configuration::run_mode::Compute_qvr_from_qvb, false});
}

TEST(OutcomeDump, TheTwoStoreyExample) {
  EXPECT_EQ(dump(checked_example().outcome),
            read_file(QUAVOR_SOURCE_DIR "/tests/report/golden/house_r1_outcome.txt"));
}

// Every decimal number of the report's paragraphs is a measured value or a
// limit (shares as fractions, printed as percentages), but for the numbers
// that no check compares with a limit.
TEST(OutcomeDump, EveryNumberOfTheReportIsMeasured) {
  const Compute::checked_batiment checked = checked_example();
  std::set<long> measured;
  const auto add = [&measured](double x) {
    measured.insert(std::lround(x * 100));
    measured.insert(std::lround(x * 10000));
  };
  for (const Outcome::criterion_result& r : checked.outcome.criteres)
    for (const Outcome::measure& m : r.measures) {
      add(m.value);
      add(m.limit);
      if (m.upper_limit) add(*m.upper_limit);
    }
  Format::Printer printer;
  Format::fprintf(printer, "%a@.", Report::report_print, Report::batiment_make_report(checked.outcome));
  const std::string report = printer.contents();
  const std::set<std::string> not_compared = {
      "2.1",                 // the guide's version, in the titles
      "5.808", "4.365",      // the floor's centre of gravity
      "21.300", "18.100",    // the cumulated lengths whose ratio is compared
      "39.40",               // the total length whose inner share is compared
      "85.00", "99.00",      // the floor areas all the walls of a level carry
  };
  const std::regex decimal(R"((^|[^\w.])(\d+\.\d+)(?![\w]))");
  std::set<std::string> unmeasured;
  for (auto it = std::sregex_iterator(report.begin(), report.end(), decimal); it != std::sregex_iterator(); ++it) {
    const std::string text = (*it)[2];
    if (measured.count(std::lround(std::stod(text) * 100)) == 0 && not_compared.count(text) == 0)
      unmeasured.insert(text);
  }
  EXPECT_TRUE(unmeasured.empty()) << ::testing::PrintToString(unmeasured);
}

}  // namespace
