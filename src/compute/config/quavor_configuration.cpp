#include "config/quavor_configuration.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "config/path.hpp"
#include "text/format.hpp"

namespace Quavor_configuration {

// ===========================================================================
// Values fixed at start-up.

namespace {

const std::string the_version = "3.1.0";

std::shared_ptr<Format::Printer> shared_printer(Format::Printer& printer) {
  // The stream printers live for the whole process: never deleted.
  return std::shared_ptr<Format::Printer>(&printer, [](Format::Printer*) {});
}

quavor_configuration initial_configuration() {
  quavor_configuration c;
  c.version = the_version;
  c.input_process_in_channel = stdin;
  c.input_process_out_channel = stdout;
  c.input_process_scanning_buffer = std::make_shared<Scanning::Scanbuf>(Scanning::Scanbuf::from_file("-"));
  c.input_process_formatter = shared_printer(Format::err_formatter());
  c.debug = false;
  c.compute_input_debugging_formatter = shared_printer(Format::err_formatter());
  c.compute_error_debugging_formatter = shared_printer(Format::err_formatter());
  return c;
}

quavor_configuration& the_configuration() {
  static quavor_configuration c = initial_configuration();
  return c;
}

// The first word of the process's command line, read before main's argv is
// at hand so that the program path is known from the start.
std::string initial_invocation_name() {
  std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
  std::string first;
  if (cmdline) std::getline(cmdline, first, '\0');
  return first.empty() ? std::string("quavor") : first;
}

struct program_location {
  std::string path;
  std::string directory;
  std::string name;
};

// A name without a separator was found by the shell through PATH: look it up
// there as well, then make it absolute against the current directory.
program_location locate_program(const std::string& invocation_name) {
  std::string found = Path::find_in_executable_path(invocation_name);
  if (found.empty()) found = invocation_name;
  program_location l;
  l.path = Path::full_path_win32(Path::current_directory(), found);
  l.directory = Path::dirname(l.path);
  l.name = Path::basename(l.path);
  return l;
}

program_location& the_program() {
  static program_location l = locate_program(initial_invocation_name());
  return l;
}

struct startup_settings {
  bool source_execution = false;
  std::optional<batch_mode_procedure> batch_mode;
};

startup_settings& the_settings() {
  static startup_settings s;
  return s;
}

const std::string& checked_extension(const std::string& text) {
  static_cast<void>(Path::to_file_extension(text));
  return text;
}

exit_hook& the_exit_hook() {
  static exit_hook hook;
  return hook;
}

}  // namespace

const std::string& version() { return the_version; }

const std::string& full_version() {
  static const std::string v = Format::sprintf("QuavorTQMV-%s", the_version);
  return v;
}

const std::string& program_path() { return the_program().path; }
const std::string& software_directory() { return the_program().directory; }
const std::string& program_name() { return the_program().name; }

void set_invocation_name(const std::string& invocation_name) { the_program() = locate_program(invocation_name); }

const std::string& input_process_source_file_extension() {
  static const std::string e = checked_extension(".qvc");
  return e;
}
const std::string& report_source_file_extension() {
  static const std::string e = checked_extension(".qvb");
  return e;
}
const std::string& report_target_file_extension() {
  static const std::string e = checked_extension(".qvr");
  return e;
}

std::string default_input_process_executable() {
  return Path::concat(Path::concat(software_directory(), "quavor_input_gui"), "quavor_input_gui.exe");
}

const std::string& script_directory() {
  static const std::string d = Path::concat("src", "input_gui");
  return d;
}

std::string script_path() {
  return Path::concat(Path::concat(Path::concat(Path::dirname(software_directory()), ".."), script_directory()),
                      "quavor_input_gui.py");
}

std::string script_command() { return Format::sprintf("cd %s && python %s", script_directory(), script_path()); }

bool get_source_execution() { return the_settings().source_execution; }
void set_source_execution(bool on) { the_settings().source_execution = on; }

std::string batch_mode_procedure_name(batch_mode_procedure procedure) {
  switch (procedure) {
    case batch_mode_procedure::write_qvb: return "write-qvb";
    case batch_mode_procedure::write_qvc: return "write-qvc";
    case batch_mode_procedure::verify_qvb: return "verify-qvb";
  }
  return "write-qvb";
}

std::optional<batch_mode_procedure> batch_mode_procedure_of_name(const std::string& name) {
  for (auto p : {batch_mode_procedure::write_qvb, batch_mode_procedure::write_qvc, batch_mode_procedure::verify_qvb})
    if (batch_mode_procedure_name(p) == name) return p;
  return std::nullopt;
}

std::optional<batch_mode_procedure> get_batch_mode_procedure() { return the_settings().batch_mode; }

quavor_configuration& configuration() { return the_configuration(); }

void reset_for_tests() {
  the_configuration() = initial_configuration();
  the_settings() = startup_settings{};
}

// ===========================================================================
// Errors.

void set_exit_hook(exit_hook hook) { the_exit_hook() = std::move(hook); }

void exit_process(int status) {
  // Whatever is still pending in the two stream printers is written out, as
  // at any end of the program.
  Format::std_formatter().print_flush();
  Format::err_formatter().print_flush();
  std::fflush(stdout);
  std::fflush(stderr);
  if (the_exit_hook()) the_exit_hook()(status);
  std::exit(status);
}

void fatal_error(const std::string& message) {
  throw Fatal_error(Format::sprintf("Fatal error in %s, please report to Vantrel: %s", full_version(), message));
}

void command_line_error(const std::string& message) {
  Format::fprintf(Format::err_formatter(), "%s: command line specification error,\n%s@.", program_name(), message);
  exit_process(1);
}

void print_quoted_string(Format::Printer& printer, const std::string& s) { Format::fprintf(printer, "\"%s\"", s); }

// ===========================================================================
// File kinds and derived names.

namespace {
bool has_kind(const std::string& name, const std::string& extension) {
  if (name == "-") return true;
  std::string last = Path::basename(name);
  return last.size() >= extension.size() && last.compare(last.size() - extension.size(), extension.size(), extension) == 0;
}

bool ends_with(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The name with its extension replaced; "-" stays "-".
std::string with_extension(const std::string& name, const std::string& extension) {
  return name == "-" ? name : remove_extension(name) + extension;
}
}  // namespace

bool is_input_process_source_file_name(const std::string& name) {
  return has_kind(name, input_process_source_file_extension());
}
bool is_report_source_file_name(const std::string& name) { return has_kind(name, report_source_file_extension()); }
bool is_report_target_file_name(const std::string& name) { return has_kind(name, report_target_file_extension()); }

std::string remove_extension(const std::string& name) {
  std::string last = Path::basename(name);
  std::size_t dot = last.rfind('.');
  if (dot == std::string::npos) return name;
  std::string extension = last.substr(dot);
  return ends_with(name, extension) ? name.substr(0, name.size() - extension.size()) : name;
}

// ===========================================================================
// Getters and setters.

const std::string& get_version() { return the_configuration().version; }

run_mode get_compute_run_mode() {
  auto& m = the_configuration().compute_run_mode;
  if (!m) fatal_error("Attempt to get the quavor run mode when none has been set");
  return *m;
}
std::optional<run_mode> get_compute_run_mode_opt() { return the_configuration().compute_run_mode; }
void set_compute_run_mode(run_mode mode) {
  auto& m = the_configuration().compute_run_mode;
  if (!m) m = mode;
}

bool get_input_process_needed() { return the_configuration().input_process_needed.value_or(false); }
std::optional<bool> get_input_process_needed_opt() { return the_configuration().input_process_needed; }
void set_input_process_needed(bool needed) { the_configuration().input_process_needed = needed; }

std::string get_input_process_command() {
  const auto& c = the_configuration().input_process_command;
  if (c) return *c;
  return get_source_execution() ? script_command() : default_input_process_executable();
}
std::optional<std::string> get_input_process_command_opt() { return the_configuration().input_process_command; }
void set_input_process_command(const std::string& command) { the_configuration().input_process_command = command; }

std::vector<std::string> get_input_process_arguments() {
  return the_configuration().input_process_arguments.value_or(std::vector<std::string>{});
}
std::optional<std::vector<std::string>> get_input_process_arguments_opt() {
  return the_configuration().input_process_arguments;
}
void add_input_process_argument(const std::string& argument) {
  auto& arguments = the_configuration().input_process_arguments;
  if (!arguments) arguments.emplace();
  arguments->insert(arguments->begin(), argument);
}

std::optional<std::string> get_input_process_source_file_directory() {
  return the_configuration().input_process_source_file_directory;
}
void set_input_process_source_file_directory(const std::string& directory) {
  the_configuration().input_process_source_file_directory = directory;
}

std::optional<std::string> get_input_process_source_file_name() {
  return the_configuration().input_process_source_file_name;
}

std::string get_report_source_file_name() {
  const auto& c = the_configuration();
  if (c.report_source_file_name) return *c.report_source_file_name;
  if (c.input_process_source_file_name)
    return with_extension(*c.input_process_source_file_name, report_source_file_extension());
  return "quavor_log" + report_source_file_extension();
}

std::string get_report_target_file_name() {
  const auto& c = the_configuration();
  if (c.report_target_file_name) return *c.report_target_file_name;
  return with_extension(get_report_source_file_name(), report_target_file_extension());
}

std::optional<std::string> get_report_source_file_name_opt() { return the_configuration().report_source_file_name; }
std::optional<std::string> get_report_target_file_name_opt() { return the_configuration().report_target_file_name; }
void set_report_source_file_name(const std::string& name) { the_configuration().report_source_file_name = name; }
void set_report_target_file_name(const std::string& name) { the_configuration().report_target_file_name = name; }

std::FILE* get_input_process_in_channel() { return the_configuration().input_process_in_channel; }
void set_input_process_in_channel(std::FILE* channel) { the_configuration().input_process_in_channel = channel; }
std::FILE* get_input_process_out_channel() { return the_configuration().input_process_out_channel; }
void set_input_process_out_channel(std::FILE* channel) { the_configuration().input_process_out_channel = channel; }
std::shared_ptr<Scanning::Scanbuf> get_input_process_scanning_buffer() {
  return the_configuration().input_process_scanning_buffer;
}
void set_input_process_scanning_buffer(std::shared_ptr<Scanning::Scanbuf> buffer) {
  the_configuration().input_process_scanning_buffer = std::move(buffer);
}
Format::Printer& get_input_process_formatter() { return *the_configuration().input_process_formatter; }
void set_input_process_formatter(std::shared_ptr<Format::Printer> printer) {
  the_configuration().input_process_formatter = std::move(printer);
}

bool get_debug() { return the_configuration().debug; }
void set_debug(bool on) { the_configuration().debug = on; }
Format::Printer& get_compute_input_debugging_formatter() {
  return *the_configuration().compute_input_debugging_formatter;
}
void set_compute_input_debugging_formatter(std::shared_ptr<Format::Printer> printer) {
  the_configuration().compute_input_debugging_formatter = std::move(printer);
}
Format::Printer& get_compute_error_debugging_formatter() {
  return *the_configuration().compute_error_debugging_formatter;
}
void set_compute_error_debugging_formatter(std::shared_ptr<Format::Printer> printer) {
  the_configuration().compute_error_debugging_formatter = std::move(printer);
}

// ===========================================================================
// Command line.

namespace {

// Ends the process after writing one line on the error stream.
[[noreturn]] void write_and_exit(const std::string& line) {
  Format::fprintf(Format::err_formatter(), "%s@.", line);
  exit_process(0);
}

// ---------------------------------------------------------------------------
// Settings that may be given once only.

// Rule N.
void set_input_process_needed_once(bool needed) {
  auto& field = the_configuration().input_process_needed;
  if (field)
    command_line_error(Format::sprintf(
        "the input process needed argument has been specified twice, first as %B and then as %B", *field, needed));
  field = needed;
}

void set_batch_mode_once(batch_mode_procedure procedure) {
  auto& field = the_settings().batch_mode;
  if (field)
    command_line_error(Format::sprintf(
        "attempt to set twice the input process batch mode argument: cannot set it as %a when it has already been set as %a",
        [](Format::Printer& p, const batch_mode_procedure& b) { Format::fprintf(p, "%s", batch_mode_procedure_name(b)); },
        procedure,
        [](Format::Printer& p, const batch_mode_procedure& b) { Format::fprintf(p, "%s", batch_mode_procedure_name(b)); },
        *field));
  field = procedure;
}

// Rule B.
void set_batch_mode_by_name(const std::string& name) {
  auto procedure = batch_mode_procedure_of_name(name);
  if (!procedure)
    command_line_error(Format::sprintf("Unknown input process batch mode procedure %a", print_quoted_string, name));
  set_batch_mode_once(*procedure);
}

void set_input_process_source_file_once(const std::string& name) {
  auto& field = the_configuration().input_process_source_file_name;
  if (field)
    command_line_error(Format::sprintf(
        "the input process source file name argument has been specified twice, first as %a and then as %a",
        print_quoted_string, *field, print_quoted_string, name));
  field = name;
}

void set_report_target_file_once(const std::string& name) {
  auto& field = the_configuration().report_target_file_name;
  if (field)
    command_line_error(Format::sprintf(
        "the report target file name argument has been specified twice, first as %a and then as %a",
        print_quoted_string, *field, print_quoted_string, name));
  field = name;
}

// The same report source file may be named twice; naming one rules out the
// input program.
void set_report_source_file_once(const std::string& name) {
  auto& c = the_configuration();
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
    exit_process(1);
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
  if (the_configuration().input_process_command || get_source_execution())
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
  auto set_command = [](const std::string& s) { the_configuration().input_process_command = s; };
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
      flag("-where", [] { write_and_exit(software_directory()); }, ": print software directory"),
      flag("-where-all",
           [] {
             Format::fprintf(Format::err_formatter(), "%s@.", software_directory());
             write_and_exit(input_process_directory_text());
           },
           ": print software and input process directory"),
      flag("-which", [] { write_and_exit(program_path()); }, ": print software executable path"),
      flag("-which-all",
           [] {
             Format::fprintf(Format::err_formatter(), "%s@.", program_path());
             write_and_exit(get_input_process_command());
           },
           ": print software and input process executable paths"),
      flag("-v", [] { write_and_exit(the_configuration().version); }, ": print software version number and exit"),
      flag("-version", [] { write_and_exit(full_version()); }, ": print software full version and exit"),
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
      exit_process(0);
    } else {
      command_line_error(Format::sprintf("%s: unknown option '%s'.\n", invocation, word) + usage_text());
    }
  }
}

void assign_configuration_fields() {
  auto& c = the_configuration();
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

std::string get_input_process_command_invocation() {
  std::string arguments;
  if (const auto& elements = the_configuration().input_process_arguments)
    for (const auto& element : *elements) arguments += " " + element;
  return Format::sprintf("\"\"%s\"%s\"", get_input_process_command(), arguments);
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

}  // namespace Quavor_configuration
