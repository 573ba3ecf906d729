#pragma once
// The single process-wide run configuration: what the command line asked for,
// the values fixed at start-up, and what the flows set (file names, channels,
// debugging printers). What a check records lives in its check session.
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "text/exceptions.hpp"
#include "text/scanning.hpp"

namespace Format {
class Printer;
}

namespace Quavor_configuration {

// ---------------------------------------------------------------------------
// Values fixed at start-up.

// "3.1.0"
const std::string& version();
// "QuavorTQMV-3.1.0": the first argument of every fatal error message.
const std::string& full_version();
// Absolute path of the running executable, its directory and its last component.
const std::string& program_path();
const std::string& software_directory();
const std::string& program_name();
// The three file-kind extensions ".qvc", ".qvb", ".qvr".
const std::string& input_process_source_file_extension();
const std::string& report_source_file_extension();
const std::string& report_target_file_extension();
// The input program: its default executable, its script form and the switch
// that selects the script form (-ipse).
std::string default_input_process_executable();
const std::string& script_directory();
std::string script_path();
std::string script_command();
bool get_source_execution();
void set_source_execution(bool on);

// The procedures the input program can run without user interaction.
enum class batch_mode_procedure { write_qvb, write_qvc, verify_qvb };
// "write-qvb", "write-qvc", "verify-qvb"
std::string batch_mode_procedure_name(batch_mode_procedure procedure);
// The procedure of that name, if any.
std::optional<batch_mode_procedure> batch_mode_procedure_of_name(const std::string& name);
std::optional<batch_mode_procedure> get_batch_mode_procedure();
void set_batch_mode_procedure(batch_mode_procedure procedure);

// What the command line asked the engine to produce (recorded, read only by the
// report-file check).
enum class run_mode { Compute_qvc_from_gui, Compute_qvb_from_qvc, Compute_qvr_from_qvb, Compute_qvr_from_qvc };

// ---------------------------------------------------------------------------
// The run configuration record.

struct quavor_configuration {
  std::string version;
  std::optional<run_mode> compute_run_mode;
  std::optional<bool> input_process_needed;
  std::optional<std::string> input_process_command;
  // Newest element first.
  std::optional<std::vector<std::string>> input_process_arguments;
  std::optional<std::string> input_process_source_file_directory;
  std::optional<std::string> input_process_source_file_name;
  std::optional<std::string> report_source_file_name;
  std::optional<std::string> report_target_file_name;
  std::FILE* input_process_in_channel;
  std::FILE* input_process_out_channel;
  std::shared_ptr<Scanning::Scanbuf> input_process_scanning_buffer;
  std::shared_ptr<Format::Printer> input_process_formatter;
  bool debug;
  std::shared_ptr<Format::Printer> compute_input_debugging_formatter;
  std::shared_ptr<Format::Printer> compute_error_debugging_formatter;
};

// The process-wide record itself.
quavor_configuration& configuration();

// Brings the process-wide configuration (record, batch procedure, source-execution
// switch) back to its start-up state.
void reset_for_tests();

// ---------------------------------------------------------------------------
// Errors.

// Raises Fatal_error with "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: <message>".
[[noreturn]] void fatal_error(const std::string& message);

// The end of the process with its status, asked for by the command line
// (-help, -version, a command-line error, ...) or by a flow; only the drivers
// end the process, when it reaches them. Not a std::exception, so that no
// handler of a failure answers it.
struct Process_end {
  int status;
};

// Writes the command-line error message (the program name, the fixed
// heading, then the message on a line of its own) on the error stream and
// ends the process with status 1.
[[noreturn]] void command_line_error(const std::string& message);

// Writes out whatever is pending in the two stream printers and the standard
// streams, as at any end of the program.
void flush_streams();
// Flushes the streams, then throws Process_end.
[[noreturn]] void end_process(int status);

// Writes the string between double quotes, with no escaping.
void print_quoted_string(Format::Printer& printer, const std::string& s);

// ---------------------------------------------------------------------------
// File kinds: true for "-" and for a name whose last component ends with the
// extension.
bool is_input_process_source_file_name(const std::string& name);
bool is_report_source_file_name(const std::string& name);
bool is_report_target_file_name(const std::string& name);

// The name with the extension of its last component removed.
std::string remove_extension(const std::string& name);
// The name with that extension in place of its own; "-" stays "-".
std::string with_extension(const std::string& name, const std::string& extension);

// A shared handle on a printer that lives for the whole process (never deleted).
std::shared_ptr<Format::Printer> shared_printer(Format::Printer& printer);

// The input program's shell command line: ""<command>"<arguments>".
std::string get_input_process_command_invocation();

// Fixes the program path, directory and name from the invocation name (done
// while reading the command line; exposed for tests).
void set_invocation_name(const std::string& invocation_name);

// ---------------------------------------------------------------------------
// Getters and setters.

const std::string& get_version();

// Fatal error when no run mode has been set.
run_mode get_compute_run_mode();
std::optional<run_mode> get_compute_run_mode_opt();
// Only the first setting counts; later ones are ignored.
void set_compute_run_mode(run_mode mode);

// Absent is read as false.
bool get_input_process_needed();
std::optional<bool> get_input_process_needed_opt();
void set_input_process_needed(bool needed);

// The command line's replacement command, else the script command (-ipse), else
// the default executable.
std::string get_input_process_command();
std::optional<std::string> get_input_process_command_opt();
void set_input_process_command(const std::string& command);

// Absent is read as empty; newest first.
std::vector<std::string> get_input_process_arguments();
std::optional<std::vector<std::string>> get_input_process_arguments_opt();
// Puts the argument in front.
void add_input_process_argument(const std::string& argument);

std::optional<std::string> get_input_process_source_file_directory();
void set_input_process_source_file_directory(const std::string& directory);

std::optional<std::string> get_input_process_source_file_name();

// The report source file: as set; else the input-process source file with
// ".qvb" for its extension; else "quavor_log.qvb". The report target file: as
// set; else the report source file with ".qvr" for its extension. "-" stays "-".
std::string get_report_source_file_name();
std::string get_report_target_file_name();
std::optional<std::string> get_report_source_file_name_opt();
std::optional<std::string> get_report_target_file_name_opt();
// Plain replacements (the serving flow names the files after each description).
void set_report_source_file_name(const std::string& name);
void set_report_target_file_name(const std::string& name);

std::FILE* get_input_process_in_channel();
void set_input_process_in_channel(std::FILE* channel);
std::FILE* get_input_process_out_channel();
void set_input_process_out_channel(std::FILE* channel);
std::shared_ptr<Scanning::Scanbuf> get_input_process_scanning_buffer();
void set_input_process_scanning_buffer(std::shared_ptr<Scanning::Scanbuf> buffer);
Format::Printer& get_input_process_formatter();
void set_input_process_formatter(std::shared_ptr<Format::Printer> printer);

bool get_debug();
void set_debug(bool on);
Format::Printer& get_compute_input_debugging_formatter();
void set_compute_input_debugging_formatter(std::shared_ptr<Format::Printer> printer);
Format::Printer& get_compute_error_debugging_formatter();
void set_compute_error_debugging_formatter(std::shared_ptr<Format::Printer> printer);

}  // namespace Quavor_configuration
