// The bytes as a building description, read as the file flow reads a .qvb
// file; a description that reads is derived, checked and its report laid out
// into a string, and the outcome line is rendered as the driver renders it.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "checks/compute.hpp"
#include "config/quavor_configuration.hpp"
#include "criteria/check.hpp"
#include "description/input_data_types_read.hpp"
#include "fuzz_common.hpp"
#include "model/compute_data.hpp"
#include "report/report.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"
#include "text/scanner_utils.hpp"
#include "text/scanning.hpp"

namespace {

void check_and_report(Input_data_types::input_data data) {
  // The recorded file name must match the report's for the checks to go
  // past CR-0-11: point both at the scratch file.
  data.batiment.batiment_file_name = Fuzz_common::scratch_source_file_name();
  const Compute::checked_batiment checked = Compute::check_description(
      data.batiment,
      Check::run_context{Quavor_configuration::get_report_source_file_name(),
                         Quavor_configuration::get_report_target_file_name_opt(),
                         Quavor_configuration::get_compute_run_mode_opt(), Quavor_configuration::get_debug()});
  const Outcome::outcome& outcome = checked.outcome;
  Format::Printer report_ppf;
  Format::fprintf(report_ppf, "%a@.", Report::report_print, Report::batiment_make_report(outcome));
  Format::Printer outcome_ppf;
  if (outcome.compliant) {
    Format::fprintf(outcome_ppf, "%t@?@.", Check::all_tests_successful_logger(outcome.report_target_file_name));
  } else if (outcome.error_logger) {
    Format::fprintf(outcome_ppf, "%s: %t@?@.", "Erroneous qvb file", *outcome.error_logger);
  }
  static_cast<void>(report_ppf.contents());
  static_cast<void>(outcome_ppf.contents());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  Fuzz_common::reset_run_configuration();
  Scanning::Scanbuf ib =
      Scanning::Scanbuf::from_string(std::string(reinterpret_cast<const char*>(bytes), size));
  try {
    Input_data_types::input_data data = Input_data_types_read::scanner_input_data(ib);
    check_and_report(std::move(data));
  } catch (const Scan_failure& e) {
    // The driver's syntax error line, positioned.
    Format::Printer ppf;
    Format::fprintf(ppf, "%s\nSyntax error: %s@.", Scanner_utils::scanner_error_header(0, ib), std::string(e.what()));
  } catch (...) {
    Fuzz_common::classify_exception(std::current_exception(), "fuzz_description");
  }
  return 0;
}
