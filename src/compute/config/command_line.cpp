#include "config/command_line.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "config/path.hpp"
#include "config/quavor_configuration.hpp"
#include "text/format.hpp"

namespace Command_line {

using namespace Quavor_configuration;

namespace {

// Ends the process after writing one line on the error stream.
[[noreturn]] void write_and_end(const std::string& line) {
  Format::fprintf(Format::err_formatter(), "%s@.", line);
  end_process(0);
}

// ---------------------------------------------------------------------------
// Settings that may be given once only.

// Rule N.
void set_input_process_needed_once(bool needed) {
  auto& field = configuration().input_process_needed;
  if (field)
    command_line_error(Format::sprintf(
        "the input process needed argument has been specified twice, first as %B and then as %B", *field, needed));
  field = needed;
}

void set_batch_mode_once(batch_mode_procedure procedure) {
  const auto field = get_batch_mode_procedure();
  if (field)
    command_line_error(Format::sprintf(
        "attempt to set twice the input process batch mode argument: cannot set it as %a when it has already been set as %a",
        [](Format::Printer& p, const batch_mode_procedure& b) { Format::fprintf(p, "%s", batch_mode_procedure_name(b)); },
        procedure,
        [](Format::Printer& p, const batch_mode_procedure& b) { Format::fprintf(p, "%s", batch_mode_procedure_name(b)); },
        *field));
  set_batch_mode_procedure(procedure);
}

// Rule B.
void set_batch_mode_by_name(const std::string& name) {
  auto procedure = batch_mode_procedure_of_name(name);
  if (!procedure)
    command_line_error(Format::sprintf("Unknown input process batch mode procedure %a", print_quoted_string, name));
  set_batch_mode_once(*procedure);
}

void set_input_process_source_file_once(const std::string& name) {
  auto& field = configuration().input_process_source_file_name;
  if (field)
    command_line_error(Format::sprintf(
        "the input process source file name argument has been specified twice, first as %a and then as %a",
        print_quoted_string, *field, print_quoted_string, name));
  field = name;
}

void set_report_target_file_once(const std::string& name) {
  auto& field = configuration().report_target_file_name;
  if (field)
    command_line_error(Format::sprintf(
        "the report target file name argument has been specified twice, first as %a and then as %a",
        print_quoted_string, *field, print_quoted_string, name));
  field = name;
}

// The same report source file may be named twice; naming one rules out the
// input program.
void set_report_source_file_once(const std::string& name) {
  auto& c = configuration();
  if (c.report_source_file_name) {
    if (*c.report_source_file_name != name)
      command_line_error(Format::sprintf(
          "the report source file name argument has been specified twice, first as %a and then as %a",
          print_quoted_string, *c.report_source_file_name, print_quoted_string, name));
    return;
  }
  if (c.input_process_needed == true)
    command_line_error("the input process cannot be launched, yet command line argument parsing tells to launch it");
  if (!c.input_process_needed) c.input_process_needed = false;
  c.report_source_file_name = name;
}

// ---------------------------------------------------------------------------
// Option rules.

void check_input_process_source_file_name(const std::string& name) {
  if (!is_input_process_source_file_name(name))
    command_line_error(Format::sprintf(
        "file %s is not a valid input process source file name, it has not the proper %s extension", name,
        input_process_source_file_extension()));
}

void check_report_source_file_name(const std::string& name) {
  if (!is_report_source_file_name(name))
    command_line_error(Format::sprintf(
        "file %s is not a valid report source file name it has not the proper %s extension", name,
        report_source_file_extension()));
}

// Rule S.
void rule_input_process_source_file(const std::string& name) {
  check_input_process_source_file_name(name);
  set_input_process_source_file_once(name);
}

// Rule R.
void rule_report_source_file(const std::string& name) {
  check_report_source_file_name(name);
  set_report_source_file_once(name);
}

// Rule T.
void rule_report_target_file(const std::string& name) {
  if (!is_report_target_file_name(name))
    command_line_error(Format::sprintf("file %s is not a report target file name it has not the proper %s extension",
                                       name, report_target_file_extension()));
  set_report_target_file_once(name);
}

// Rule C.
void rule_check_and_report(const std::string& name) {
  set_compute_run_mode(run_mode::Compute_qvc_from_gui);
  rule_input_process_source_file(name);
  set_input_process_needed_once(true);
}

// Rule G.
void rule_generate_report_source_file(const std::string& name) {
  set_compute_run_mode(run_mode::Compute_qvc_from_gui);
  set_input_process_source_file_once(name);
  set_input_process_needed_once(true);
  set_batch_mode_once(batch_mode_procedure::write_qvb);
}

// Rule P.
void rule_report(const std::string& name) {
  set_compute_run_mode(run_mode::Compute_qvr_from_qvb);
  rule_report_source_file(name);
  set_report_target_file_once(with_extension(name, report_target_file_extension()));
}

// Rule F.
std::shared_ptr<Format::Printer> open_log_printer(const std::string& name) {
  if (name == "-") return shared_printer(Format::std_formatter());
  try {
    // The log file stays open for the life of the process.
    return std::make_shared<Format::Printer>(Path::path_open_out(name));
  } catch (const Path::Sys_error& e) {
    Format::fprintf(Format::err_formatter(), "%s: while trying to open log file %s,\n  encountering error %s@.",
                    program_name(), name, std::string(e.what()));
    end_process(1);
  }
}

// Rule Y.
void rule_anonymous(const std::string& name) {
  if (!Path::exists(name)) command_line_error(Format::sprintf("cannot access file %a", print_quoted_string, name));
  if (is_input_process_source_file_name(name)) {
    set_compute_run_mode(run_mode::Compute_qvc_from_gui);
    rule_input_process_source_file(name);
  } else if (is_report_source_file_name(name)) {
    rule_report_source_file(name);
  } else {
    set_compute_run_mode(run_mode::Compute_qvc_from_gui);
    set_input_process_source_file_once(name);
  }
}

std::string input_process_directory_text() {
  if (configuration().input_process_command || get_source_execution())
    return "No where directory, since input process executable is a script";
  return Path::concat(software_directory(), "quavor_input_gui");
}

// ---------------------------------------------------------------------------
// The option table, in the order of the usage text.

struct option_spec {
  std::string name;
  bool takes_argument;
  std::function<void(const std::string&)> action;
  std::string help;
};

option_spec with_argument(std::string name, std::function<void(const std::string&)> action, std::string help) {
  return {std::move(name), true, std::move(action), std::move(help)};
}

option_spec flag(std::string name, std::function<void()> action, std::string help) {
  return {std::move(name), false, [action = std::move(action)](const std::string&) { action(); }, std::move(help)};
}

const std::vector<option_spec>& option_table() {
  static const std::string source_help =
      ": set the file name containing input process source data (file name argument must have \".qvc\" extension)";
  static const std::string report_source_help =
      ": set the source file name for quavor report (file name argument must have \".qvb\" extension)";
  static const std::string check_and_report_help =
      ": check source file and create a TQMV compliance report target file (file name argument must have \".qvc\" extension)\n"
      "  (report target file name has \".qvr\" default extension)\n"
      "  (as a side effect, this option also creates a report source file\n"
      "  (report source file name has \".qvb\" extension))";
  static const std::string c_help =
      ": check source file and create a TQMV compliance report target file (file name argument must have \".qvc\" extension)\n"
      "  (report target file name has \".qvr\" extension)\n"
      "  (as a side effect, this option also creates a report source file\n"
      "  (report source file name has \".qvb\" extension))";
  static const std::string generate_help =
      ": check source file completion and generate a report source file (file name argument must have \".qvc\" extension)\n"
      "  (report source file name has \".qvb\" extension)";
  static const std::string report_help =
      ": create a TQMV compliance report (a \".qvr\" file) from a complete building description (a \".qvb\" file)";
  static const std::string batch_help =
      ": run the argument procedure in batch mode (no user interaction).\n"
      "   Available procedures are:\n"
      "   * write-qvc: read a .qvc file then write it again\n"
      "   * write-qvb: read a .qvc file then write its .qvb counterpart\n"
      "   * verify-qvc: read a .qvc file then verify its TQMV conformance";
  auto set_command = [](const std::string& s) { configuration().input_process_command = s; };
  auto needed = [] { set_input_process_needed_once(true); };
  auto not_needed = [] { set_input_process_needed_once(false); };
  static const std::vector<option_spec> table = {
      with_argument("-input-process-source-file", rule_input_process_source_file, source_help),
      with_argument("-f", rule_input_process_source_file, source_help),
      with_argument("-input-process-argument", add_input_process_argument,
                    ": add a command line argument to the input process command"),
      with_argument("-input-process-command-directory", set_input_process_source_file_directory,
                    ": set the input process directory"),
      with_argument("-set-report-source-file", rule_report_source_file, report_source_help),
      with_argument("-i", rule_report_source_file, report_source_help),
      with_argument("-set-report-target-file", rule_report_target_file,
                    ": set the output file name for quavor report (file name argument must have \".qvr\" extension)"),
      with_argument("-o", rule_report_target_file,
                    ": set the output file name for quavor report target file(file name argument must have \".qvr\" extension)"),
      with_argument("-check-and-report", rule_check_and_report, check_and_report_help),
      with_argument("-c", rule_check_and_report, c_help),
      with_argument("-generate-report-source-file", rule_generate_report_source_file, generate_help),
      with_argument("-b", rule_generate_report_source_file, generate_help),
      with_argument("-report", rule_report, report_help),
      with_argument("-r", rule_report, report_help),
      with_argument("-input-process-command", set_command, ": set the input process command"),
      flag("-input-process", needed, ": do launch the input process command"),
      flag("-no-input-process", not_needed, ": do NOT launch the input process command"),
      with_argument("-input-process-batch-mode", set_batch_mode_by_name, batch_help),
      with_argument("-ipc", set_command, ": an alias for -input_process_command option above"),
      with_argument("-ipa", add_input_process_argument, ": an alias for -input_process_argument option above"),
      flag("-ipse", [] { set_source_execution(true); }, ": execute input process via source code interpretation"),
      flag("-ip", needed, ": an alias for -input_process option above"),
      flag("-nip", not_needed, ": an alias for -no_input_process option above"),
      with_argument("-ipbm", set_batch_mode_by_name, ": an alias for -input-process-batch-mode option above"),
      flag("-d", [] { set_debug(true); }, ": turn debugging on"),
      with_argument("-dcf", [](const std::string& name) { set_compute_error_debugging_formatter(open_log_printer(name)); },
                    "<filename> : set compute error debugging formatter to <filename>\n"
                    "  (default formatter is Format.err_formatter)"),
      with_argument("-dif", [](const std::string& name) { set_compute_input_debugging_formatter(open_log_printer(name)); },
                    "<filename> : set compute input debugging formatter to <filename>\n"
                    "  (default formatter is Format.err_formatter)"),
      flag("-where", [] { write_and_end(software_directory()); }, ": print software directory"),
      flag("-where-all",
           [] {
             Format::fprintf(Format::err_formatter(), "%s@.", software_directory());
             write_and_end(input_process_directory_text());
           },
           ": print software and input process directory"),
      flag("-which", [] { write_and_end(program_path()); }, ": print software executable path"),
      flag("-which-all",
           [] {
             Format::fprintf(Format::err_formatter(), "%s@.", program_path());
             write_and_end(get_input_process_command());
           },
           ": print software and input process executable paths"),
      flag("-v", [] { write_and_end(configuration().version); }, ": print software version number and exit"),
      flag("-version", [] { write_and_end(full_version()); }, ": print software full version and exit"),
  };
  return table;
}

const option_spec* find_option(const std::string& word) {
  for (const auto& option : option_table())
    if (option.name == word) return &option;
  return nullptr;
}

const char* const help_text = " Display this list of options";

}  // namespace

std::string usage_text() {
  std::string text = Format::sprintf("Usage: %s [options] <filename>\n  options are:", program_name()) + "\n";
  for (const auto& option : option_table()) text += "  " + option.name + " " + option.help + "\n";
  text += std::string("  -help ") + help_text + "\n";
  text += std::string("  --help ") + help_text + "\n";
  return text;
}

void parse_arguments(const std::vector<std::string>& arguments) {
  const std::string invocation = arguments.empty() ? std::string("quavor") : arguments[0];
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (word.empty() || word[0] != '-') {
      rule_anonymous(word);
      continue;
    }
    if (const option_spec* option = find_option(word)) {
      if (!option->takes_argument) {
        option->action("");
      } else if (i + 1 < arguments.size()) {
        option->action(arguments[++i]);
      } else {
        command_line_error(Format::sprintf("%s: option '%s' needs an argument.\n", invocation, word) + usage_text());
      }
    } else if (word == "-help" || word == "--help") {
      std::fputs(usage_text().c_str(), stdout);
      end_process(0);
    } else {
      command_line_error(Format::sprintf("%s: unknown option '%s'.\n", invocation, word) + usage_text());
    }
  }
}

void assign_configuration_fields() {
  auto& c = configuration();
  if (!c.input_process_needed) c.input_process_needed = true;
  if (c.debug) add_input_process_argument("-d True");
  if (auto procedure = get_batch_mode_procedure())
    add_input_process_argument(Format::sprintf("-batch \"%s\"", batch_mode_procedure_name(*procedure)));
  std::string directory;
  if (c.input_process_source_file_directory)
    directory = *c.input_process_source_file_directory;
  else if (c.input_process_source_file_name)
    directory = Path::dirname(*c.input_process_source_file_name);
  else
    directory = Path::tilde_subst("~");
  add_input_process_argument(Format::sprintf("-I %a", print_quoted_string, directory));
  if (c.input_process_source_file_name)
    add_input_process_argument(Format::sprintf("-f %a", print_quoted_string, *c.input_process_source_file_name));
}


void set_arguments(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  if (!arguments.empty()) set_invocation_name(arguments[0]);
  try {
    parse_arguments(arguments);
    assign_configuration_fields();
  } catch (const std::exception& e) {
    command_line_error(Format::sprintf("evaluation failed with message %a", print_quoted_string, std::string(e.what())));
  }
}

}  // namespace Command_line
