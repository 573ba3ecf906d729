#include "link/compute_main.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "checks/compute.hpp"
#include "config/quavor_configuration.hpp"
#include "config/say.hpp"
#include "criteria/check.hpp"
#include "link/communication_types.hpp"
#include "link/communication_types_pprint.hpp"
#include "link/compute_server.hpp"
#include "link/input_process.hpp"
#include "model/compute_data.hpp"
#include "model/compute_data_types_print.hpp"
#include "report/report.hpp"
#include "text/format.hpp"

namespace Compute_main {

using namespace Message_types;

namespace {

struct server_state {
  std::optional<input_data> read_data;
  std::optional<input_data> validated_data;
};

server_state& the_state() {
  static server_state s;
  return s;
}

// The alternatives of a request, one callable each: std::visit over them
// refuses to compile when a request kind has no answer.
template <class... F>
struct overloaded : F... {
  using F::operator()...;
};
template <class... F>
overloaded(F...) -> overloaded<F...>;

void check_reply_written() {
  if (!Input_process::launched()) return;
  std::FILE* channel = Quavor_configuration::get_input_process_out_channel();
  if (channel == nullptr || !std::ferror(channel)) return;
  const int error = errno;
  Format::fprintf(Format::err_formatter(), "%s: cannot send a reply to the input process: %s@.",
                  Quavor_configuration::program_name(), std::string(std::strerror(error == 0 ? EPIPE : error)));
  throw Compute_server::End_of_session{2};
}

void print_computed_batiment(Format::Printer& ppf, const Compute_data_types::batiment& b) {
  Compute_data_types_print::printer_batiment(Og_precedence::Ck_toplevel, ppf, b);
}

}  // namespace

const std::optional<input_data>& get_read_data() { return the_state().read_data; }
const std::optional<input_data>& get_validated_data() { return the_state().validated_data; }
void reset_server_state() { the_state() = server_state{}; }

void launch_input_process() { Input_process::launch(); }

void send_computation_acknowledgment(const computation_acknowledgment_message& message) {
  Communication_types_pprint::print_computation_acknowledgment_communication(
      Quavor_configuration::get_input_process_formatter(), Communication_types::make_communication(message));
  check_reply_written();
}

void send_computation_error(const computation_error_message& message) {
  Communication_types_pprint::print_computation_error_communication(Quavor_configuration::get_input_process_formatter(),
                                                                    Communication_types::make_communication(message));
  check_reply_written();
}

void send_computation_error_no_data() { send_computation_error(Error_no_validated_data{}); }

void send_quit_compute(int status) {
  send_computation_acknowledgment(Quitting{});
  quit_compute(status);
}

void quit_compute(int status) { throw Compute_server::End_of_session{status}; }

void treat_compute_data_message(const std::optional<input_data>& d) {
  if (!d) {
    send_computation_error_no_data();
    return;
  }
  send_computation_acknowledgment(Computing{});
  input_data_compute_report(*d);
}

void treat_input_process_communication(const input_message& message) {
  server_state& state = the_state();
  std::visit(overloaded{
                 [&state](const Read_data& read) {
                   state.read_data = read.value;
                   send_computation_acknowledgment(Read_data_done{read.value});
                 },
                 [&state](const Validate_data&) {
                   if (!state.read_data) {
                     send_computation_error_no_data();
                     return;
                   }
                   state.validated_data = state.read_data;
                   send_computation_acknowledgment(Validate_data_done{});
                 },
                 [&state](const Invalidate_data&) {
                   state.read_data.reset();
                   state.validated_data.reset();
                   send_computation_acknowledgment(Invalidate_data_done{});
                 },
                 [&state](const Message_types::Compute_data&) {
                   // A copy: the computation must not see a slot replaced under it.
                   const std::optional<input_data> validated = state.validated_data;
                   treat_compute_data_message(validated);
                 },
                 [](const Quit&) { send_quit_compute(0); },
             },
             message);
}

// Each description names its own files: the report goes to the address it
// records.
Check::run_context served_run_context(const Compute_data_types::batiment& b) {
  Quavor_configuration::set_report_source_file_name(b.batiment_file_name);
  Quavor_configuration::set_report_target_file_name(b.batiment_report_file_name);
  return Check::run_context{b.batiment_file_name, b.batiment_report_file_name,
                            Quavor_configuration::get_compute_run_mode_opt(), Quavor_configuration::get_debug()};
}

void debug_print_compute_data(const Compute_data_types::batiment& b) {
  Say::fdebug([&b](Format::Printer& ppf) { Format::fprintf(ppf, "%a@.", print_computed_batiment, b); });
}

Wrong_test_result wrong_test_result_of(const Outcome::failure& f) {
  return Wrong_test_result{f.where.niveau_nom, f.record, Tqmv::critere_text(f.critere)};
}

void input_data_compute_report(const input_data& d) {
  const Compute::checked_batiment checked =
      Compute::check_description(d.batiment, [](const Compute_data_types::batiment& b) {
        debug_print_compute_data(b);
        return served_run_context(b);
      });
  const Outcome::outcome& outcome = checked.outcome;
  if (outcome.failed && outcome.failed->fatal) throw Error_wrong_test(wrong_test_result_of(*outcome.failed));
  Report::write_report_text_file(Report::batiment_make_report(outcome));
  if (outcome.compliant) {
    send_computation_acknowledgment(Compute_data_done{
        Format::asprintf("%t@?", Check::all_tests_successful_logger(outcome.report_target_file_name))});
    return;
  }
  send_computation_error(Error_wrong_test_result{error_wrong_test_result_of(wrong_test_result_of(*outcome.failed))});
}

}  // namespace Compute_main
