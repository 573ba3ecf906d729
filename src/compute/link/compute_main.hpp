#pragma once
// The work of the serving flow: launching the input program, answering each
// request, computing a description and sending the replies.
#include <optional>
#include <string>
#include <vector>

#include "link/message_types.hpp"
#include "criteria/check.hpp"
#include "model/compute_data_types.hpp"

namespace Compute_main {

using Message_types::input_data;

// --- server state, kept for the life of the process -------------------------------
// The description of the last Read_data.
const std::optional<input_data>& get_read_data();
// The description that Validate_data accepted.
const std::optional<input_data>& get_validated_data();
// Empties both slots (a fresh server, for tests).
void reset_server_state();

// --- launching the input program -----------------------------------------------------
// The invocation text with the file names, the directory and the batch
// procedure that the engine itself quoted made safe for /bin/sh: inside their
// double quotes, "\", "$", "`" and "\"" get a backslash, so the input program
// receives them exactly as written. The command and the user's arguments stay
// as written.
std::string posix_input_process_command_invocation();
// The invocation without one outer pair of double quotes (the first and the
// last character, when both are double quotes).
std::string strip_outer_double_quotes(const std::string& text);

// Runs the invocation with /bin/sh -c, a pipe to the child's standard input
// and one from its standard output (its error stream is the engine's own), and
// stores the streams, the scanning buffer and the reply printer in the
// configuration. A launch that cannot start ends the process with a message
// naming the command and the system's reason, status 2.
void launch_input_process();
// After the input program's output ended before any communication: when the
// command interpreter could not run the command (status 126 or 127), ends the
// process with a message naming it, status 2; otherwise returns.
void check_input_process_started();

// --- replies --------------------------------------------------------------------------
// Each one is a communication with the fixed markers, written and flushed on
// the reply printer. A reply that cannot be written (the input program went
// away) ends the session: message on the error stream, status 2.
void send_computation_acknowledgment(const Message_types::computation_acknowledgment_message& message);
void send_computation_error(const Message_types::computation_error_message& message);
void send_computation_error_no_data();
// Sends Quitting, then ends the process with the status.
[[noreturn]] void send_quit_compute(int status);
[[noreturn]] void quit_compute(int status);

// --- requests -------------------------------------------------------------------------
void treat_input_process_communication(const Message_types::input_message& message);
// Computing then the computation when a description is given, else
// Error_no_validated_data.
void treat_compute_data_message(const std::optional<input_data>& d);

// The report files are named after the file named inside the description.
Check::run_context served_run_context(const Compute_data_types::batiment& b);
// The failure record the input program receives.
Wrong_test_result wrong_test_result_of(const Outcome::failure& f);
// Writes the computed model on the error-debugging printer when debugging.
void debug_print_compute_data(const Compute_data_types::batiment& b);
// Validate-and-report for one description, answered with Compute_data_done or
// Error_wrong_test_result.
void input_data_compute_report(const input_data& d);

}  // namespace Compute_main
