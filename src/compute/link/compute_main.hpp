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
// Input_process::launch: the program started with pipes to its standard input
// and from its standard output, the streams, the scanning buffer and the reply
// printer stored in the configuration.
void launch_input_process();

// --- replies --------------------------------------------------------------------------
// Each one is a communication with the fixed markers, written and flushed on
// the reply printer. A reply that cannot be written (the input program went
// away) ends the session: message on the error stream, then
// Compute_server::End_of_session with status 2.
void send_computation_acknowledgment(const Message_types::computation_acknowledgment_message& message);
void send_computation_error(const Message_types::computation_error_message& message);
void send_computation_error_no_data();
// Sends Quitting, then ends the session with the status
// (Compute_server::End_of_session).
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
