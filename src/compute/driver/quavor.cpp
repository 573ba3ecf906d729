#include "driver/quavor.hpp"

#include <exception>
#include <string>

#include "config/path.hpp"
#include "config/quavor_configuration.hpp"
#include "config/say.hpp"
#include "text/format.hpp"

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

[[noreturn]] void not_yet_available(const std::string& flow) {
  Format::fprintf(Format::err_formatter(), "%s: the %s is not yet available@.", Quavor_configuration::program_name(),
                  flow);
  Quavor_configuration::exit_process(2);
}

}  // namespace

void compute_file() { not_yet_available("file flow"); }

void compute_server() { not_yet_available("serving flow"); }

int main(int argc, char** argv) {
  try {
    compute_fixed_values();
    Quavor_configuration::set_arguments(argc, argv);
    // The file flow needs a report source file and no input program.
    if (Quavor_configuration::get_input_process_needed() || !Quavor_configuration::get_report_source_file_name_opt())
      compute_server();
    compute_file();
  } catch (const std::exception& e) {
    Format::fprintf(Format::err_formatter(), "%s@.", std::string(e.what()));
  } catch (...) {
    Format::fprintf(Format::err_formatter(), "%s@.", "quavorTQMV: unknown exception");
  }
  Quavor_configuration::exit_process(2);
}

}  // namespace Quavor
