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

}  // namespace

std::shared_ptr<Format::Printer> shared_printer(Format::Printer& printer) {
  // The stream printers live for the whole process: never deleted.
  return std::shared_ptr<Format::Printer>(&printer, [](Format::Printer*) {});
}

namespace {

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
void set_batch_mode_procedure(batch_mode_procedure procedure) { the_settings().batch_mode = procedure; }

quavor_configuration& configuration() { return the_configuration(); }

void reset_for_tests() {
  the_configuration() = initial_configuration();
  the_settings() = startup_settings{};
}

// ===========================================================================
// Errors.

void flush_streams() {
  Format::std_formatter().print_flush();
  Format::err_formatter().print_flush();
  std::fflush(stdout);
  std::fflush(stderr);
}

void end_process(int status) {
  flush_streams();
  throw Process_end{status};
}

void fatal_error(const std::string& message) {
  throw Fatal_error(Format::sprintf("Fatal error in %s, please report to Vantrel: %s", full_version(), message));
}

void command_line_error(const std::string& message) {
  Format::fprintf(Format::err_formatter(), "%s: command line specification error,\n%s@.", program_name(), message);
  end_process(1);
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
}  // namespace

std::string with_extension(const std::string& name, const std::string& extension) {
  return name == "-" ? name : remove_extension(name) + extension;
}

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
// The input program's command.

std::string get_input_process_command_invocation() {
  std::string arguments;
  if (const auto& elements = configuration().input_process_arguments)
    for (const auto& element : *elements) arguments += " " + element;
  return Format::sprintf("\"\"%s\"%s\"", get_input_process_command(), arguments);
}

}  // namespace Quavor_configuration
