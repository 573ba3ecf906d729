// The input program never outlives the engine, through the real binary: the
// engine launches a script (-ipc) that records its process id and waits; the
// engine is then ended by a signal or ends its session, and the script must
// be gone within a second. An input program that ends on its own early is
// reported on the error stream.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/harness.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using Cli::read_file;

const std::string linger = "tests/cli/server/linger.sh";
const std::string ends = "tests/cli/server/ends.sh";

// Gone: no such process, or a zombie that only waits for its parent's reaper.
bool process_gone(pid_t pid) {
  if (::kill(pid, 0) != 0) return errno == ESRCH;
  const std::string stat = read_file("/proc/" + std::to_string(pid) + "/stat");
  const auto close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

bool gone_before(pid_t pid, Clock::time_point deadline) {
  for (;;) {
    if (process_gone(pid)) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

class Input_program : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& script : {linger, ends})
      std::filesystem::permissions(
          script,
          std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec | std::filesystem::perms::others_exec,
          std::filesystem::perm_options::add);
  }
  void TearDown() override {
    // Nothing left running behind a failed test.
    if (program > 0 && !process_gone(program)) ::kill(program, SIGKILL);
    if (engine > 0) {
      ::kill(engine, SIGKILL);
      ::waitpid(engine, nullptr, 0);
    }
  }

  // Starts the engine on the lingering script, its outputs in a file, and
  // waits until the script has recorded its process id.
  void start(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> words{QUAVOR_BINARY, "-ipc", linger, "-ipa", "pid=" + dir + "/pid"};
    words.insert(words.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const std::string output = dir + "/output";
    engine = ::fork();
    ASSERT_GE(engine, 0);
    if (engine == 0) {
      const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int null = ::open("/dev/null", O_RDONLY);
      if (fd < 0 || null < 0) ::_exit(126);
      ::dup2(null, 0);
      ::dup2(fd, 1);
      ::dup2(fd, 2);
      // The engine starts with the default actions, whatever the test runner
      // was started with.
      for (int s : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) ::signal(s, SIG_DFL);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(dir + "/pid") && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(std::filesystem::exists(dir + "/pid")) << read_file(output);
    program = std::stoi(read_file(dir + "/pid"));
    ASSERT_GT(program, 0);
  }

  // The engine's status as the shell reports it (128 + signal).
  int wait_engine() {
    int wstatus = 0;
    while (::waitpid(engine, &wstatus, 0) < 0 && errno == EINTR) {
    }
    engine = -1;
    return WIFSIGNALED(wstatus) ? 128 + WTERMSIG(wstatus) : WEXITSTATUS(wstatus);
  }

  const Test_support::Temporary_directory scratch{"quavor_input_program_"};
  const std::string dir = scratch.string();
  pid_t engine = -1;
  pid_t program = -1;
};

TEST_F(Input_program, AnEndingSignalEndsTheInputProgramFirst) {
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(::strsignal(signal_number));
    std::filesystem::remove(dir + "/pid");
    start();
    ASSERT_FALSE(process_gone(program));
    ::kill(engine, signal_number);
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    EXPECT_TRUE(gone_before(program, deadline));
    // The signal still ends the engine as it would have.
    EXPECT_EQ(wait_engine(), 128 + signal_number);
    EXPECT_EQ(read_file(dir + "/output"), "");
  }
}

// Nothing can run in the engine on SIGKILL: the kernel ends the input program.
TEST_F(Input_program, TheKernelEndsTheInputProgramWhenTheEngineIsKilled) {
  start();
  ::kill(engine, SIGKILL);
  const auto deadline = Clock::now() + std::chrono::seconds(1);
  EXPECT_TRUE(gone_before(program, deadline));
  EXPECT_EQ(wait_engine(), 128 + SIGKILL);
}

// After Quitting, an input program that does not end by itself is terminated
// and reaped before the engine ends; the engine sent that signal, so nothing
// is said about it.
TEST_F(Input_program, AProgramThatLingersAfterQuitIsEndedWithTheSession) {
  start({"-ipa", "quit"});
  EXPECT_EQ(wait_engine(), 0);
  EXPECT_TRUE(process_gone(program));
  EXPECT_EQ(read_file(dir + "/output"), "");
}

struct Early_end_case {
  std::string argument;
  std::string err;
};

// The end of the requests ends the session with status 0 as before; how the
// program ended is said when it is not a plain success.
TEST_F(Input_program, AnEarlyEndIsSaid) {
  const Early_end_case cases[] = {
      {"status=0", ""},
      {"status=3", "quavor: the input program ended with status 3\n"},
      {"status=127", "quavor: the input program ended with status 127\n"},
      {"signal=KILL", "quavor: the input program was killed by signal 9\n"},
      {"signal=TERM", "quavor: the input program was killed by signal 15\n"},
  };
  for (const auto& c : cases) {
    const Cli::Result r = Cli::run({"-ipc", ends, "-ipa", c.argument}, Cli::Options().as("quavor"));
    EXPECT_EQ(r.err, c.err) << c.argument;
    EXPECT_EQ(r.status, 0) << c.argument;
    EXPECT_EQ(r.out, "") << c.argument;
  }
}

// The program cannot be run: the system's reason, with the invocation as a
// shell would need it.
TEST_F(Input_program, AProgramThatCannotBeRunIsNamed) {
  const std::string missing = dir + "/no such program";
  const std::string plain = dir + "/plain";
  std::ofstream(plain) << "not a program\n";
  struct Case {
    std::vector<std::string> arguments;
    std::string err;
  };
  const Case cases[] = {
      {{"-ipc", missing}, "quavor: cannot launch the input process \"\"" + missing + "\" -I \"" + dir +
                              "\"\": No such file or directory\n"},
      {{"-ipc", plain}, "quavor: cannot launch the input process \"\"" + plain + "\" -I \"" + dir +
                            "\"\": Permission denied\n"},
      {{"-ipc", "prog", "-ipa", "$(touch x)"},
       "quavor: cannot launch the input process \"\"prog\" -I \"" + dir +
           "\" $(touch x)\": an argument asks for a command substitution\n"},
  };
  for (const auto& c : cases) {
    const Cli::Result r = Cli::run(c.arguments, Cli::Options().as("quavor").set_env("HOME", dir));
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, 2);
  }
  EXPECT_FALSE(std::filesystem::exists("x"));
}

}  // namespace
