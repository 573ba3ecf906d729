#pragma once
// Runs the real quavor binary as a child process (no shell in between) and
// captures what it writes.
//
//   Cli::Result r = Cli::run({"-r", "house.qvb"});
//   Cli::Result r = Cli::run({"-i", "-"}, Cli::Options().with_stdin("{ ... }").in("/tmp"));
//   EXPECT_EQ(r.err, "...");  EXPECT_EQ(r.status, 1);
//
// The arguments exclude the program name: argv[0] is `argv0` when given,
// otherwise the program path. The working directory is that of the test
// (the repository root) unless `working_directory` says otherwise.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_support.hpp"

extern char** environ;

namespace Cli {

struct Result {
  std::string out;  // the standard output
  std::string err;  // the error stream
  int status = -1;  // the exit status; 128 + signal number when killed by a signal
};

struct Options {
  std::string stdin_text;  // written to the child's standard input, which is then closed
  // Environment changes: a value sets the variable, nullopt removes it.
  std::map<std::string, std::optional<std::string>> environment;
  std::string working_directory;  // empty: the test's own
  std::string program = QUAVOR_BINARY;  // the file executed
  std::optional<std::string> argv0;  // the invocation name; the program path when absent

  // Chained setters (designated initialisers of a partial set of fields are
  // refused by -Wextra).
  Options& with_stdin(std::string text) { stdin_text = std::move(text); return *this; }
  Options& set_env(const std::string& name, std::string value) { environment[name] = std::move(value); return *this; }
  Options& unset_env(const std::string& name) { environment[name] = std::nullopt; return *this; }
  Options& in(std::string directory) { working_directory = std::move(directory); return *this; }
  Options& executing(std::string path) { program = std::move(path); return *this; }
  Options& as(std::string name) { argv0 = std::move(name); return *this; }
};

using Test_support::read_file;

// The lines of a text, without their line feeds; a text ending with a line
// feed ends with an empty line.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

// Starts `program` with `arguments` in `directory`, its output streams
// discarded, and returns at once: for tests that signal a run under way.
inline pid_t start_quietly(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& directory) {
  std::vector<std::string> strings{program};
  strings.insert(strings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : strings) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(directory.c_str()) != 0) ::_exit(126);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  return pid;
}

namespace detail {

inline std::vector<std::string> child_environment(const Options& options) {
  std::map<std::string, std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry(*e);
    auto eq = entry.find('=');
    if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : options.environment) {
    if (value)
      env[name] = *value;
    else
      env.erase(name);
  }
  std::vector<std::string> result;
  for (const auto& [name, value] : env) result.push_back(name + "=" + value);
  return result;
}

inline std::vector<char*> c_strings(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (auto& s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

// Feeds the standard input and drains both outputs together, so that no
// pipe ever fills up and blocks the child.
inline void exchange(int in_fd, int out_fd, int err_fd, const std::string& input, Result& result) {
  std::size_t written = 0;
  if (input.empty()) {
    ::close(in_fd);
    in_fd = -1;
  }
  while (out_fd >= 0 || err_fd >= 0) {
    pollfd fds[3];
    int n = 0;
    if (in_fd >= 0) fds[n++] = {in_fd, POLLOUT, 0};
    if (out_fd >= 0) fds[n++] = {out_fd, POLLIN, 0};
    if (err_fd >= 0) fds[n++] = {err_fd, POLLIN, 0};
    if (::poll(fds, n, -1) < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("poll failed");
    }
    for (int i = 0; i < n; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == in_fd) {
        ssize_t w = ::write(in_fd, input.data() + written, input.size() - written);
        if (w > 0) written += static_cast<std::size_t>(w);
        if (w < 0 || written == input.size()) {
          ::close(in_fd);
          in_fd = -1;
        }
        continue;
      }
      char buffer[4096];
      ssize_t r = ::read(fds[i].fd, buffer, sizeof buffer);
      bool is_out = fds[i].fd == out_fd;
      if (r > 0) {
        (is_out ? result.out : result.err).append(buffer, static_cast<std::size_t>(r));
      } else if (r == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        (is_out ? out_fd : err_fd) = -1;
      }
    }
  }
  if (in_fd >= 0) ::close(in_fd);
}

}  // namespace detail

inline Result run(const std::vector<std::string>& arguments, const Options& options = Options()) {
  std::vector<std::string> argv_strings{options.argv0.value_or(options.program)};
  argv_strings.insert(argv_strings.end(), arguments.begin(), arguments.end());
  std::vector<std::string> env_strings = detail::child_environment(options);
  std::vector<char*> argv = detail::c_strings(argv_strings);
  std::vector<char*> envp = detail::c_strings(env_strings);

  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (::pipe2(in_pipe, O_CLOEXEC) != 0 || ::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe failed");
  // A child that stops reading its input must not kill the test.
  ::signal(SIGPIPE, SIG_IGN);
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::dup2(in_pipe[0], 0);
    ::dup2(out_pipe[1], 1);
    ::dup2(err_pipe[1], 2);
    if (!options.working_directory.empty() && ::chdir(options.working_directory.c_str()) != 0) ::_exit(126);
    ::execve(options.program.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(in_pipe[0]);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  Result result;
  detail::exchange(in_pipe[1], out_pipe[0], err_pipe[0], options.stdin_text, result);
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(wstatus))
    result.status = WEXITSTATUS(wstatus);
  else if (WIFSIGNALED(wstatus))
    result.status = 128 + WTERMSIG(wstatus);
  return result;
}

}  // namespace Cli
