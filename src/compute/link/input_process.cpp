#include "link/input_process.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <wordexp.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

#include "config/quavor_configuration.hpp"
#include "config/say.hpp"
#include "link/compute_server.hpp"
#include "text/format.hpp"
#include "text/scanning.hpp"

namespace Input_process {

namespace {

// The signals that end the engine and must end the input program first.
constexpr int ending_signals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr std::size_t ending_signal_count = sizeof ending_signals / sizeof ending_signals[0];

// Read by the signal handler: the launched program, the engine itself (a
// handler running in a child between fork and exec must not act), and what
// each ending signal did before the engine took it over.
std::atomic<pid_t> launched_pid{-1};
pid_t engine_pid = -1;
struct sigaction previous_actions[ending_signal_count];
bool handlers_installed = false;

// How long the input program is given to end on its own once its input has
// ended, and then to end after SIGTERM.
constexpr long grace_milliseconds = 1000;
constexpr long poll_milliseconds = 10;

// Only async-signal-safe calls: the signal handler uses it too.
void sleep_milliseconds(long milliseconds) {
  timespec t{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  while (::nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

enum class Wait_result { ended, gone, running };

// Waits up to `milliseconds` for the program to end. `gone`: someone else has
// reaped it (the signal handler).
Wait_result wait_within(pid_t pid, long milliseconds, int& wstatus) {
  for (long waited = 0;; waited += poll_milliseconds) {
    const pid_t done = ::waitpid(pid, &wstatus, WNOHANG);
    if (done == pid) return Wait_result::ended;
    if (done < 0 && errno != EINTR) return Wait_result::gone;
    if (waited >= milliseconds) return Wait_result::running;
    sleep_milliseconds(poll_milliseconds);
  }
}

// SIGTERM, a moment, then SIGKILL; reaped in every case.
void terminate_and_reap(pid_t pid, int& wstatus) {
  ::kill(pid, SIGTERM);
  if (wait_within(pid, grace_milliseconds, wstatus) != Wait_result::running) return;
  ::kill(pid, SIGKILL);
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
}

extern "C" void end_on_signal(int signal_number) {
  const int saved_errno = errno;
  if (::getpid() == engine_pid) {
    const pid_t pid = launched_pid.exchange(-1);
    int wstatus = 0;
    if (pid > 0) terminate_and_reap(pid, wstatus);
  }
  // The signal then does what it did before (ends the engine, or runs the
  // handler another part of the engine had set); it is blocked until this
  // handler returns.
  for (std::size_t i = 0; i < ending_signal_count; ++i)
    if (ending_signals[i] == signal_number) ::sigaction(signal_number, &previous_actions[i], nullptr);
  ::raise(signal_number);
  errno = saved_errno;
}

// A signal the engine was started with ignored (nohup) stays ignored.
void install_signal_handlers() {
  if (handlers_installed) return;
  engine_pid = ::getpid();
  for (std::size_t i = 0; i < ending_signal_count; ++i) {
    ::sigaction(ending_signals[i], nullptr, &previous_actions[i]);
    if (previous_actions[i].sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = end_on_signal;
    ::sigemptyset(&action.sa_mask);
    for (int s : ending_signals) ::sigaddset(&action.sa_mask, s);
    ::sigaction(ending_signals[i], &action, nullptr);
  }
  handlers_installed = true;
}

void restore_signal_handlers() {
  if (!handlers_installed) return;
  for (std::size_t i = 0; i < ending_signal_count; ++i) ::sigaction(ending_signals[i], &previous_actions[i], nullptr);
  handlers_installed = false;
}

// At any exit that skips the session's own ending (std::exit from deep
// inside the engine), the input program is still ended, silently.
void end_at_exit() {
  const pid_t pid = launched_pid.exchange(-1);
  int wstatus = 0;
  if (pid > 0) terminate_and_reap(pid, wstatus);
}

[[noreturn]] void launch_failure(const std::string& command, const std::string& reason) {
  Format::fprintf(Format::err_formatter(), "%s: cannot launch the input process %a: %s@.",
                  Quavor_configuration::program_name(), Quavor_configuration::print_quoted_string, command, reason);
  throw Compute_server::End_of_session{2};
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
  if (Quavor_configuration::get_input_process_source_file_name()) ++n;
  if (Quavor_configuration::get_batch_mode_procedure()) ++n;
  if (Quavor_configuration::get_debug()) ++n;
  return n;
}

// An element the engine added: an option word, a blank, then its value,
// between double quotes when the engine quoted it (-f "name", -I "directory",
// -batch "procedure"; but -d True).
struct engine_element {
  std::string option;
  std::string value;
  bool quoted;
};

engine_element engine_element_of(const std::string& element) {
  const auto blank = element.find(' ');
  if (blank == std::string::npos) return {element, "", false};
  std::string value = element.substr(blank + 1);
  const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  if (quoted) value = value.substr(1, value.size() - 2);
  return {element.substr(0, blank), value, quoted};
}

// The elements of the invocation, with `engine` applied to the ones the
// engine added and the user's kept as they are.
template <class F>
void for_each_element(F engine, const std::function<void(const std::string&)>& user) {
  const std::vector<std::string> elements = Quavor_configuration::get_input_process_arguments();
  const std::size_t engine_elements = std::min(engine_argument_count(), elements.size());
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i < engine_elements)
      engine(elements[i], engine_element_of(elements[i]));
    else
      user(elements[i]);
  }
}

// The words of shell text, as the shell would make them, without running
// any command.
std::vector<std::string> shell_words(const std::string& text) {
  wordexp_t words{};
  const int status = ::wordexp(text.c_str(), &words, WRDE_NOCMD);
  if (status != 0) {
    if (status == WRDE_NOSPACE) ::wordfree(&words);
    switch (status) {
      case WRDE_BADCHAR:
        throw Unusable_invocation("an argument holds one of | & ; < > ( ) { } or a line break outside quotes");
      case WRDE_CMDSUB: throw Unusable_invocation("an argument asks for a command substitution");
      case WRDE_SYNTAX: throw Unusable_invocation("an argument has unbalanced quotes");
      default: throw Unusable_invocation(std::strerror(ENOMEM));
    }
  }
  std::vector<std::string> result(words.we_wordv, words.we_wordv + words.we_wordc);
  ::wordfree(&words);
  return result;
}

// Moves `fd` to `target` in the child, without the close-on-exec flag.
void move_descriptor(int fd, int target) {
  if (fd == target)
    ::fcntl(fd, F_SETFD, 0);
  else
    ::dup2(fd, target);
}

// In the child, between fork and exec: async-signal-safe calls only.
[[noreturn]] void run_child(char* const argv[], int to_child_read, int from_child_write, int error_write,
                            const sigset_t& engine_mask, pid_t engine) {
#ifdef __linux__
  // The kernel ends the input program when the engine dies, even by SIGKILL.
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (::getppid() != engine) ::_exit(127);
#else
  static_cast<void>(engine);
#endif
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  ::sigemptyset(&default_action.sa_mask);
  // The input program starts with the default action of a broken pipe,
  // whatever the engine inherited; the engine's own handlers are not its.
  ::sigaction(SIGPIPE, &default_action, nullptr);
  for (std::size_t i = 0; i < ending_signal_count; ++i)
    if (previous_actions[i].sa_handler != SIG_IGN) ::sigaction(ending_signals[i], &default_action, nullptr);
  ::sigprocmask(SIG_SETMASK, &engine_mask, nullptr);
  // Above the standard descriptors first, so that neither move overwrites
  // the other (the engine may have been started with them closed).
  const int input = ::fcntl(to_child_read, F_DUPFD_CLOEXEC, 3);
  const int output = ::fcntl(from_child_write, F_DUPFD_CLOEXEC, 3);
  if (input >= 0 && output >= 0) {
    move_descriptor(input, 0);
    move_descriptor(output, 1);
    ::execvp(argv[0], argv);
  }
  const int error = errno;
  ssize_t written = ::write(error_write, &error, sizeof error);
  static_cast<void>(written);
  ::_exit(127);
}

void close_descriptors(std::initializer_list<int> fds) {
  for (int fd : fds)
    if (fd >= 0) ::close(fd);
}

}  // namespace

std::vector<std::string> input_process_argv() {
  std::vector<std::string> argv = shell_words("\"" + Quavor_configuration::get_input_process_command() + "\"");
  if (argv.size() != 1) throw Unusable_invocation("the command has unbalanced quotes");
  if (!Quavor_configuration::get_input_process_arguments_opt()) return argv;
  std::string user_text;
  for_each_element(
      [&argv](const std::string&, const engine_element& e) {
        argv.push_back(e.option);
        if (!e.value.empty() || e.quoted) argv.push_back(e.value);
      },
      [&user_text](const std::string& element) { user_text += " " + element; });
  for (std::string& word : shell_words(user_text)) argv.push_back(std::move(word));
  return argv;
}

std::string posix_input_process_command_invocation() {
  std::string arguments;
  if (Quavor_configuration::get_input_process_arguments_opt())
    for_each_element(
        [&arguments](const std::string& element, const engine_element& e) {
          arguments += " " + (e.quoted ? e.option + " \"" + shell_escaped_in_double_quotes(e.value) + "\"" : element);
        },
        [&arguments](const std::string& element) { arguments += " " + element; });
  return Format::sprintf("\"\"%s\"%s\"", Quavor_configuration::get_input_process_command(), arguments);
}

std::string strip_outer_double_quotes(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

void launch() {
  const std::string invocation = Quavor_configuration::get_input_process_command_invocation();
  if (Quavor_configuration::get_debug()) Say::debug(Format::sprintf("Launching input process '%s'", invocation));
  const std::string command = strip_outer_double_quotes(posix_input_process_command_invocation());
  // The words are laid out before the fork: the child only calls exec.
  std::vector<std::string> words;
  try {
    words = input_process_argv();
  } catch (const Unusable_invocation& e) {
    launch_failure(command, e.what());
  }
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int to_child[2] = {-1, -1};
  int from_child[2] = {-1, -1};
  int exec_error[2] = {-1, -1};
  if (::pipe2(to_child, O_CLOEXEC) != 0 || ::pipe2(from_child, O_CLOEXEC) != 0 ||
      ::pipe2(exec_error, O_CLOEXEC) != 0) {
    const int error = errno;
    close_descriptors({to_child[0], to_child[1], from_child[0], from_child[1], exec_error[0], exec_error[1]});
    launch_failure(command, std::strerror(error));
  }
  install_signal_handlers();
  static const bool ended_at_exit = std::atexit(end_at_exit) == 0;
  static_cast<void>(ended_at_exit);
  // No ending signal between the fork and the record of the child: the
  // handler must know whom to end.
  sigset_t ending;
  sigset_t engine_mask;
  ::sigemptyset(&ending);
  for (int s : ending_signals) ::sigaddset(&ending, s);
  ::sigprocmask(SIG_BLOCK, &ending, &engine_mask);
  const pid_t engine = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) run_child(argv.data(), to_child[0], from_child[1], exec_error[1], engine_mask, engine);
  const int fork_error = errno;
  if (pid > 0) launched_pid.store(pid);
  ::sigprocmask(SIG_SETMASK, &engine_mask, nullptr);
  close_descriptors({to_child[0], from_child[1], exec_error[1]});
  if (pid < 0) {
    close_descriptors({to_child[1], from_child[0], exec_error[0]});
    launch_failure(command, std::strerror(fork_error));
  }
  // The exec succeeded when the error pipe closes without a word.
  int child_error = 0;
  ssize_t n = 0;
  while ((n = ::read(exec_error[0], &child_error, sizeof child_error)) < 0 && errno == EINTR) {
  }
  ::close(exec_error[0]);
  if (n == static_cast<ssize_t>(sizeof child_error)) {
    int wstatus = 0;
    while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    launched_pid.store(-1);
    close_descriptors({to_child[1], from_child[0]});
    launch_failure(command, std::strerror(child_error));
  }
  // A reply to an input program that went away must end the session with a
  // message, not kill the engine.
  ::signal(SIGPIPE, SIG_IGN);
  std::FILE* in_channel = ::fdopen(from_child[0], "r");
  std::FILE* out_channel = ::fdopen(to_child[1], "w");
  if (in_channel == nullptr || out_channel == nullptr) {
    const int error = errno;
    end();
    launch_failure(command, std::strerror(error));
  }
  Quavor_configuration::set_input_process_in_channel(in_channel);
  Quavor_configuration::set_input_process_out_channel(out_channel);
  Quavor_configuration::set_input_process_scanning_buffer(
      std::make_shared<Scanning::Scanbuf>(Scanning::Scanbuf::from_channel(in_channel)));
  Quavor_configuration::set_input_process_formatter(std::make_shared<Format::Printer>(out_channel));
}

bool launched() { return launched_pid.load() > 0; }

void end() noexcept {
  // Taken from the signal handler at once: it must never signal a process
  // id that this function has already reaped (and the system may reuse).
  // An ending signal from now on ends the engine at once, and the kernel the
  // input program (Linux).
  const pid_t pid = launched_pid.exchange(-1);
  if (pid <= 0) return;
  // Its end of input: nothing more will be written to it or read from it.
  // The reply printer and the buffer are replaced first, so that nothing is
  // left pointing at the closed streams.
  std::FILE* in_channel = Quavor_configuration::get_input_process_in_channel();
  std::FILE* out_channel = Quavor_configuration::get_input_process_out_channel();
  try {
    Quavor_configuration::set_input_process_formatter(std::make_shared<Format::Printer>());
    Quavor_configuration::set_input_process_scanning_buffer(nullptr);
  } catch (...) {
  }
  Quavor_configuration::set_input_process_in_channel(nullptr);
  Quavor_configuration::set_input_process_out_channel(nullptr);
  if (out_channel != nullptr) std::fclose(out_channel);
  if (in_channel != nullptr) std::fclose(in_channel);
  int wstatus = 0;
  const Wait_result result = wait_within(pid, grace_milliseconds, wstatus);
  if (result == Wait_result::running) terminate_and_reap(pid, wstatus);
  restore_signal_handlers();
  if (result != Wait_result::ended) return;
  try {
    if (WIFEXITED(wstatus) && WEXITSTATUS(wstatus) != 0)
      Format::fprintf(Format::err_formatter(), "%s: the input program ended with status %d@.",
                      Quavor_configuration::program_name(), WEXITSTATUS(wstatus));
    else if (WIFSIGNALED(wstatus))
      Format::fprintf(Format::err_formatter(), "%s: the input program was killed by signal %d@.",
                      Quavor_configuration::program_name(), WTERMSIG(wstatus));
  } catch (...) {
  }
}

}  // namespace Input_process
