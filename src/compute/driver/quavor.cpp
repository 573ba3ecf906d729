#include "driver/quavor.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "checks/compute.hpp"
#include "config/command_line.hpp"
#include "config/path.hpp"
#include "config/quavor_configuration.hpp"
#include "config/say.hpp"
#include "criteria/check.hpp"
#include "description/input_data_types_read.hpp"
#include "link/compute_server.hpp"
#include "model/compute_data.hpp"
#include "report/report.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"
#include "text/scanner_utils.hpp"
#include "text/scanning.hpp"

namespace Quavor {

namespace {

// Every component's fixed values, computed before the command line is read
// (a wrong extension constant fails here, not in the middle of a run).
void compute_fixed_values() {
  static_cast<void>(Quavor_configuration::full_version());
  static_cast<void>(Quavor_configuration::program_path());
  static_cast<void>(Quavor_configuration::input_process_source_file_extension());
  static_cast<void>(Quavor_configuration::report_source_file_extension());
  static_cast<void>(Quavor_configuration::report_target_file_extension());
  static_cast<void>(Quavor_configuration::configuration());
  static_cast<void>(Path::home_directory());
  static_cast<void>(Path::search_stack());
}

}  // namespace

namespace {

[[noreturn]] void report_syntax_error(Scanning::Scanbuf& ib, const std::string& message, int status) {
  Format::fprintf(Format::err_formatter(), "%s\nSyntax error: %s@.", Scanner_utils::scanner_error_header(0, ib),
                  message);
  Quavor_configuration::end_process(status);
}

// What the command line set for this run.
Check::run_context file_run_context() {
  return Check::run_context{Quavor_configuration::get_report_source_file_name(),
                            Quavor_configuration::get_report_target_file_name_opt(),
                            Quavor_configuration::get_compute_run_mode_opt(), Quavor_configuration::get_debug()};
}

// Reads, derives, checks, writes the report, then announces the outcome: the
// report is on disk before the verdict is written. A fatal failure writes no
// report.
void compute_file_steps(Scanning::Scanbuf& ib) {
  const Input_data_types::input_data data = Input_data_types_read::scanner_input_data(ib);
  const Compute::checked_batiment checked = Compute::check_description(data.batiment, file_run_context());
  const Outcome::outcome& outcome = checked.outcome;
  if (outcome.failed && outcome.failed->fatal) {
    Format::fprintf(Format::err_formatter(), "%s@.", outcome.failed->text);
    Quavor_configuration::end_process(0);
  }
  Report::write_report_text_file(Report::batiment_make_report(outcome));
  if (outcome.compliant) {
    Format::fprintf(Format::err_formatter(), "%t@?@.", Check::all_tests_successful_logger(outcome.report_target_file_name));
    Quavor_configuration::end_process(0);
  }
  if (!outcome.error_logger) throw Fatal_error("No error report generation for a wrong input data file");
  Format::fprintf(Format::err_formatter(), "%s: %t@?@.", "Erroneous qvb file", *outcome.error_logger);
}

}  // namespace

void compute_file_body(Scanning::Scanbuf& ib) {
  try {
    compute_file_steps(ib);
  } catch (const Scan_failure& e) {
    report_syntax_error(ib, e.message(), 1);
  } catch (const End_of_file&) {
    report_syntax_error(ib, "Premature end of file", 2);
  } catch (const Error_wrong_test& e) {
    Format::fprintf(Format::err_formatter(), "%s@.", e.result.message);
    Quavor_configuration::end_process(0);
  } catch (const Sys_error& e) {
    // A report that is not (completely) on disk is no success.
    Format::fprintf(Format::err_formatter(), "quavorTQMV: %s@.", std::string(e.what()));
    Quavor_configuration::end_process(2);
  } catch (const std::bad_alloc&) {
    Format::fprintf(Format::err_formatter(), "quavorTQMV: error during computation, out of memory@.");
    Quavor_configuration::end_process(2);
  } catch (const Fatal_error& e) {
    Format::fprintf(Format::err_formatter(), "%s@.", std::string(e.what()));
  } catch (const std::exception& e) {
    Format::fprintf(Format::err_formatter(), "quavorTQMV: error during computation, spurious exception %a@.",
                    Quavor_configuration::print_quoted_string, exception_printed_form(e));
  }
}

namespace {

// The description named on the command line, "~" taken in the home
// directory; its messages show the name as it was given. A directory is
// refused: reading one would look like an empty description.
Scanning::Scanbuf open_description(const std::string& name) {
  if (name == "-") return Scanning::Scanbuf::from_file(name);
  const int fd = ::open(Path::tilde_subst(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Scanning::Open_failure(name + ": " + std::strerror(errno));
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw Sys_error(name + ": " + std::strerror(EISDIR));
  }
  return Scanning::Scanbuf::from_named_fd(fd, true, name);
}

}  // namespace

void compute_file() {
  if (Quavor_configuration::get_debug()) Say::debug("compute_file");
  Scanning::Scanbuf ib = open_description(Quavor_configuration::get_report_source_file_name());
  compute_file_body(ib);
  Quavor_configuration::end_process(0);
}

void compute_server() { Compute_server::compute_server(); }

int main(int argc, char** argv) {
  try {
    compute_fixed_values();
    Command_line::set_arguments(argc, argv);
    // The file flow needs a report source file and no input program.
    if (Quavor_configuration::get_input_process_needed() || !Quavor_configuration::get_report_source_file_name_opt())
      compute_server();
    compute_file();
  } catch (const Quavor_configuration::Process_end& end) {
    return end.status;
  } catch (const Compute_server::End_of_session& end) {
    Quavor_configuration::flush_streams();
    return end.status;
  } catch (const std::exception& e) {
    Format::fprintf(Format::err_formatter(), "%s@.", std::string(e.what()));
  } catch (...) {
    Format::fprintf(Format::err_formatter(), "%s@.", "quavorTQMV: unknown exception");
  }
  Quavor_configuration::flush_streams();
  return 2;
}

}  // namespace Quavor
