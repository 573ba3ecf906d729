#include "link/compute_server.hpp"

#include <exception>
#include <string>

#include "config/quavor_configuration.hpp"
#include "config/say.hpp"
#include "link/communication_types_read.hpp"
#include "link/compute_main.hpp"
#include "link/input_process.hpp"
#include "link/message_types.hpp"
#include "link/message_types_read.hpp"
#include "text/format.hpp"
#include "text/scanner_utils.hpp"

namespace Compute_server {

using namespace Message_types;

namespace {

void send_wrong_communication(Scanbuf& ib, const std::string& message) {
  const std::string text =
      Format::sprintf("%s\nSyntax error: %s", Scanner_utils::scanner_error_header(0, ib), message);
  Compute_main::send_computation_error(Error_wrong_communication{Wrong_communication{text}});
}

void send_wrong_computation(const std::string& text) {
  Compute_main::send_computation_error(Error_wrong_computation{Wrong_computation{text}});
}

}  // namespace

void compute_server() {
  // Ends the input program however the session ends: unwinding runs it.
  const Input_process::Ender ender;
  if (Quavor_configuration::get_input_process_needed()) Compute_main::launch_input_process();
  compute_server_loop(*Quavor_configuration::get_input_process_scanning_buffer());
}

void compute_server_loop(Scanbuf& raw) {
  Communication_frame::Framed_buffer frame(raw);
  Scanbuf& ib = frame.buffer();
  for (;;) {
    // Blank and comment lines after the last communication are not the
    // start of another one: the end of the input is tested after them.
    compute_server_handler(ib, Message_types_read::skip_sharp_comments, ib);
    if (ib.end_of_input()) Compute_main::quit_compute(0);
    compute_server_handler(ib, [&frame](Scanbuf&) { loop_step(frame); }, ib);
  }
}

void loop_step(Communication_frame::Framed_buffer& frame) {
  const auto c = Communication_types_read::scanner_input_communication(frame);
  Compute_main::treat_input_process_communication(c.message);
}

void compute_server_handler(Scanbuf& ib, const std::function<void(Scanbuf&)>& step, Scanbuf& argument) {
  try {
    step(argument);
  } catch (const Communication_types_read::Cut_communication& failure) {
    send_wrong_communication(ib, failure.what());
    Compute_main::send_quit_compute(2);
  } catch (const Scan_failure& failure) {
    send_wrong_communication(ib, failure.message());
  } catch (const End_of_file&) {
    send_wrong_communication(ib, "Premature end of file");
    Compute_main::send_quit_compute(2);
  } catch (const Error_wrong_test& failure) {
    Compute_main::send_computation_error(Error_wrong_test_result{error_wrong_test_result_of(failure.result)});
  } catch (const Fatal_error& failure) {
    send_wrong_computation(failure.what());
  } catch (const std::exception& failure) {
    send_wrong_computation(Format::asprintf("quavorTQMV: error during computation, spurious exception %a",
                                            Quavor_configuration::print_quoted_string,
                                            exception_printed_form(failure)));
  }
}

}  // namespace Compute_server
