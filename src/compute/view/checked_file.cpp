#include "view/checked_file.hpp"

#include <exception>

#include "config/quavor_configuration.hpp"
#include "description/input_data_types_read.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"
#include "text/scanner_utils.hpp"
#include "text/scanning.hpp"

namespace Checked_file {

std::string verdict_name(verdict v) {
  switch (v) {
    case verdict::compliant: return "compliant";
    case verdict::not_compliant: return "not-compliant";
    case verdict::fatal: return "fatal";
    case verdict::unreadable: return "unreadable";
  }
  throw Assertion_failure("src/compute/view/checked_file.cpp");
}

Check::run_context file_run_context(const std::string& path) {
  return Check::run_context{
      path, Quavor_configuration::remove_extension(path) + Quavor_configuration::report_target_file_extension(),
      Quavor_configuration::run_mode::Compute_qvr_from_qvb, false};
}

namespace {

std::string syntax_error_text(Scanning::Scanbuf& ib, const std::string& message) {
  return Format::asprintf("%s\nSyntax error: %s", Scanner_utils::scanner_error_header(0, ib), message);
}

// The verdict and the error-stream text of a completed check, as the file
// flow announces it.
void announce(result& r) {
  const Outcome::outcome& o = r.checked->outcome;
  if (o.compliant) {
    r.state = verdict::compliant;
    r.message = Format::asprintf("%t@?", Check::all_tests_successful_logger(o.report_target_file_name));
  } else if (o.failed && o.failed->fatal) {
    r.state = verdict::fatal;
    r.message = o.failed->text;
  } else if (o.error_logger) {
    r.state = verdict::not_compliant;
    r.message = Format::asprintf("%s: %t@?", "Erroneous qvb file", *o.error_logger);
  } else {
    r.state = verdict::fatal;
    r.message = "No error report generation for a wrong input data file";
  }
}

void read_and_check(result& r, Scanning::Scanbuf& ib) {
  try {
    const Input_data_types::input_data data = Input_data_types_read::scanner_input_data(ib);
    r.checked = Compute::check_description(data.batiment, file_run_context(r.path));
    announce(r);
  } catch (const Scan_failure& e) {
    r.state = verdict::unreadable;
    r.message = syntax_error_text(ib, e.message());
  } catch (const End_of_file&) {
    r.state = verdict::unreadable;
    r.message = syntax_error_text(ib, "Premature end of file");
  } catch (const Error_wrong_test& e) {
    r.state = verdict::fatal;
    r.message = e.result.message;
  } catch (const Fatal_error& e) {
    r.state = verdict::fatal;
    r.message = e.what();
  }
}

}  // namespace

result check_file(const std::string& path) {
  result r;
  r.path = path;
  try {
    Scanning::Scanbuf ib = Scanning::Scanbuf::from_file(path);
    read_and_check(r, ib);
  } catch (const std::exception& e) {
    // What the file flow's last resort prints: the engine failed on this
    // description; it cannot be said to be checked.
    r.checked.reset();
    r.state = verdict::unreadable;
    if (dynamic_cast<const Sys_error*>(&e) != nullptr)
      r.message = e.what();
    else
      r.message = Format::asprintf("quavorTQMV: error during computation, spurious exception %a",
                                   Quavor_configuration::print_quoted_string, exception_printed_form(e));
  }
  return r;
}

}  // namespace Checked_file
