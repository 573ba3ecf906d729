#include "link/compute_main.hpp"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

#include "checks/compute.hpp"
#include "config/quavor_configuration.hpp"
#include "config/say.hpp"
#include "criteria/check.hpp"
#include "link/communication_types.hpp"
#include "link/communication_types_pprint.hpp"
#include "model/compute_data.hpp"
#include "model/compute_data_types_print.hpp"
#include "report/report.hpp"
#include "text/format.hpp"

extern char** environ;

namespace Compute_main {

namespace QC = Quavor_configuration;
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

// The launched input program, if any: its replies go down a pipe that it may
// close at any time.
pid_t input_process_pid = -1;

[[noreturn]] void launch_failure(const std::string& command, const std::string& reason) {
  Format::fprintf(Format::err_formatter(), "%s: cannot launch the input process %a: %s@.", QC::program_name(),
                  QC::print_quoted_string, command, reason);
  QC::exit_process(2);
}

// Inside the engine's own double quotes: what /bin/sh would still expand.
std::string shell_escaped_in_double_quotes(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '$' || c == '`' || c == '"') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

// How many of the first arguments the completion step put there itself: the
// -f element, the -I element, the -batch element and "-d True".
std::size_t engine_argument_count() {
  std::size_t n = 1;  // -I
  if (QC::get_input_process_source_file_name()) ++n;
  if (QC::get_batch_mode_procedure()) ++n;
  if (QC::get_debug()) ++n;
  return n;
}

// An element -f "name" (or -I "directory", -batch "procedure"): the quoted
// text made safe; any other element as it is.
std::string escaped_engine_argument(const std::string& element) {
  for (const char* prefix : {"-f \"", "-I \"", "-batch \""}) {
    const std::string p = prefix;
    if (element.size() > p.size() && element.compare(0, p.size(), p) == 0 && element.back() == '"')
      return p + shell_escaped_in_double_quotes(element.substr(p.size(), element.size() - p.size() - 1)) + "\"";
  }
  return element;
}

void check_reply_written() {
  if (input_process_pid < 0) return;
  std::FILE* channel = QC::get_input_process_out_channel();
  if (channel == nullptr || !std::ferror(channel)) return;
  const int error = errno;
  Format::fprintf(Format::err_formatter(), "%s: cannot send a reply to the input process: %s@.", QC::program_name(),
                  std::string(std::strerror(error == 0 ? EPIPE : error)));
  QC::exit_process(2);
}

void print_computed_batiment(Format::Printer& ppf, const Compute_data_types::batiment& b) {
  Compute_data_types_print::printer_batiment(Og_precedence::Ck_toplevel, ppf, b);
}

}  // namespace

const std::optional<input_data>& get_read_data() { return the_state().read_data; }
const std::optional<input_data>& get_validated_data() { return the_state().validated_data; }
void reset_server_state() { the_state() = server_state{}; }

std::string posix_input_process_command_invocation() {
  std::vector<std::string> elements = QC::get_input_process_arguments();
  const std::size_t engine_elements = std::min(engine_argument_count(), elements.size());
  std::string arguments;
  for (std::size_t i = 0; i < elements.size(); ++i)
    arguments += " " + (i < engine_elements ? escaped_engine_argument(elements[i]) : elements[i]);
  if (!QC::get_input_process_arguments_opt()) arguments.clear();
  return Format::sprintf("\"\"%s\"%s\"", QC::get_input_process_command(), arguments);
}

std::string strip_outer_double_quotes(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

void launch_input_process() {
  const std::string invocation = QC::get_input_process_command_invocation();
  if (QC::get_debug()) Say::debug(Format::sprintf("Launching input process '%s'", invocation));
  // The interpreter replaces itself with the input program ("exec"): no
  // shell process is left holding the pipes, so the input program closing its
  // output is seen at once as the end of the requests.
  std::string command = "exec " + strip_outer_double_quotes(posix_input_process_command_invocation());
  int to_child[2];
  int from_child[2];
  if (::pipe2(to_child, O_CLOEXEC) != 0) launch_failure(command, std::strerror(errno));
  if (::pipe2(from_child, O_CLOEXEC) != 0) launch_failure(command, std::strerror(errno));
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, to_child[0], 0);
  ::posix_spawn_file_actions_adddup2(&actions, from_child[1], 1);
  std::string shell = "sh";
  std::string option = "-c";
  char* argv[] = {shell.data(), option.data(), command.data(), nullptr};
  // The input program starts with the default action of a broken pipe,
  // whatever the engine inherited.
  posix_spawnattr_t attributes;
  ::posix_spawnattr_init(&attributes);
  sigset_t default_signals;
  ::sigemptyset(&default_signals);
  ::sigaddset(&default_signals, SIGPIPE);
  ::posix_spawnattr_setsigdefault(&attributes, &default_signals);
  ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  const int status = ::posix_spawn(&pid, "/bin/sh", &actions, &attributes, argv, environ);
  ::posix_spawnattr_destroy(&attributes);
  ::posix_spawn_file_actions_destroy(&actions);
  if (status != 0) launch_failure(command, std::strerror(status));
  ::close(to_child[0]);
  ::close(from_child[1]);
  // A reply to an input program that went away must end the session with a
  // message, not kill the engine.
  ::signal(SIGPIPE, SIG_IGN);
  input_process_pid = pid;
  std::FILE* in_channel = ::fdopen(from_child[0], "r");
  std::FILE* out_channel = ::fdopen(to_child[1], "w");
  if (in_channel == nullptr || out_channel == nullptr) launch_failure(command, std::strerror(errno));
  QC::set_input_process_in_channel(in_channel);
  QC::set_input_process_out_channel(out_channel);
  QC::set_input_process_scanning_buffer(
      std::make_shared<Scanning::Scanbuf>(Scanning::Scanbuf::from_channel(in_channel)));
  QC::set_input_process_formatter(std::make_shared<Format::Printer>(out_channel));
}

void check_input_process_started() {
  if (input_process_pid < 0) return;
  // Its output has ended: a command the interpreter could not run ends at once.
  int wstatus = 0;
  pid_t done = 0;
  for (int i = 0; i < 200 && done == 0; ++i) {
    done = ::waitpid(input_process_pid, &wstatus, WNOHANG);
    if (done == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (done != input_process_pid || !WIFEXITED(wstatus)) return;
  const int code = WEXITSTATUS(wstatus);
  if (code != 126 && code != 127) return;
  launch_failure(strip_outer_double_quotes(posix_input_process_command_invocation()),
                 code == 127 ? "command not found (status 127 of /bin/sh)"
                             : "command found but not executable (status 126 of /bin/sh)");
}

void send_computation_acknowledgment(const computation_acknowledgment_message& message) {
  Communication_types_pprint::print_computation_acknowledgment_communication(
      QC::get_input_process_formatter(), Communication_types::make_communication(message));
  check_reply_written();
}

void send_computation_error(const computation_error_message& message) {
  Communication_types_pprint::print_computation_error_communication(QC::get_input_process_formatter(),
                                                                    Communication_types::make_communication(message));
  check_reply_written();
}

void send_computation_error_no_data() { send_computation_error(Error_no_validated_data{}); }

void send_quit_compute(int status) {
  send_computation_acknowledgment(Quitting{});
  quit_compute(status);
}

void quit_compute(int status) { QC::exit_process(status); }

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
  if (const auto* read = std::get_if<Read_data>(&message)) {
    state.read_data = read->value;
    send_computation_acknowledgment(Read_data_done{read->value});
  } else if (std::holds_alternative<Validate_data>(message)) {
    if (!state.read_data) {
      send_computation_error_no_data();
      return;
    }
    state.validated_data = state.read_data;
    send_computation_acknowledgment(Validate_data_done{});
  } else if (std::holds_alternative<Invalidate_data>(message)) {
    state.read_data.reset();
    state.validated_data.reset();
    send_computation_acknowledgment(Invalidate_data_done{});
  } else if (std::holds_alternative<Message_types::Compute_data>(message)) {
    // A copy: the computation must not see a slot replaced under it.
    const std::optional<input_data> validated = state.validated_data;
    treat_compute_data_message(validated);
  } else {
    send_quit_compute(0);
  }
}

// Each description names its own files: the report goes to the address it
// records.
Check::run_context served_run_context(const Compute_data_types::batiment& b) {
  QC::set_report_source_file_name(b.batiment_file_name);
  QC::set_report_target_file_name(b.batiment_report_file_name);
  return Check::run_context{b.batiment_file_name, b.batiment_report_file_name, QC::get_compute_run_mode_opt(),
                            QC::get_debug()};
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
