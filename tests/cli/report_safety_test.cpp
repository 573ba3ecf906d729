// Nothing the user has is lost: an interrupted or failed run leaves the older
// report as it was, a report that is not completely written is a failure
// (status 2), the description is never overwritten by its own report, and
// every file name of the command line is taken as the path rules say ("~" in
// the home directory, "./x" and "x" the same file).
#include <gtest/gtest.h>
#include <dirent.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "cli/harness.hpp"

namespace {

using Test_support::entries;
using Test_support::Temporary_directory;
using Test_support::write_file;

// The bundled compliant house, recorded under the given file name.
std::string house(const std::string& recorded) {
  std::string text = Cli::read_file(std::string(QUAVOR_SOURCE_DIR) + "/examples/house_r1.qvb");
  const std::string name = "\"examples/house_r1.qvb\"";
  text.replace(text.find(name), name.size(), "\"" + recorded + "\"");
  return text;
}

// The same house with level names of `length` characters: each is printed
// in some twenty paragraphs, so the report is large (about 60 times the
// length) while the checks stay cheap.
std::string house_with_long_level_names(const std::string& recorded, std::size_t length) {
  std::string text = house(recorded);
  for (const char* level : {"0", "1"}) {
    const std::string name = std::string("\"Nv") + level + "\"";
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1))
      text.replace(at, name.size(), "\"" + std::string(length, 'N') + level + "\"");
  }
  return text;
}

// Runs quavor through the shell, so a test can redirect its streams or
// lower its limits: `script` sees the program as "$0" and the arguments as "$@".
Cli::Result run_shell(const std::string& script, const std::vector<std::string>& arguments,
                      const Cli::Options& base = Cli::Options()) {
  Cli::Options options = base;
  options.executing("/bin/sh");
  std::vector<std::string> words{"-c", script, QUAVOR_BINARY};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return Cli::run(words, options);
}

const std::string success_text(const std::string& report) {
  return "Toutes les vérifications ont réussi.\nLe bâtiment est conforme aux recommandations du guide TQMV.\n\n"
         "Pour plus d'information, consulter le détail des calculs dans le fichier:\n\n  " +
         report + "\n";
}

const std::string report_end = "Tous les tests ont été réussis.\nLe bâtiment est conforme au guide TQMV.\n\n";

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// ---------------------------------------------------------------------------
// 1. Atomic report writes.

// Waits until the run starts writing its report (a new entry in the
// directory, or the report changing), then lets `delay` pass and sends the
// signal. Returns the wait status and whether the signal was sent.
std::pair<int, bool> interrupt_while_writing(const Temporary_directory& s, int signal_number,
                                             std::chrono::microseconds delay) {
  const pid_t pid = Cli::start_quietly(QUAVOR_BINARY, {"-r", "h.qvb"}, s.path().string());
  const std::set<std::string> before = entries(s.path());
  const auto old_size = std::filesystem::file_size(s.path() / "h.qvr");
  bool sent = false;
  int wstatus = 0;
  for (;;) {
    if (::waitpid(pid, &wstatus, WNOHANG) == pid) return {wstatus, sent};
    std::error_code ec;
    const auto size = std::filesystem::file_size(s.path() / "h.qvr", ec);
    if (entries(s.path()) != before || ec || size != old_size) break;
  }
  std::this_thread::sleep_for(delay);
  sent = ::kill(pid, signal_number) == 0;
  ::waitpid(pid, &wstatus, 0);
  return {wstatus, sent};
}

TEST(AtomicReport, SignalWhileWritingLeavesTheOlderReportAndNoTemporaryFile) {
  const Temporary_directory s("quavor-safety-");
  write_file(s / "h.qvb", house_with_long_level_names("h.qvb", 400000));
  const std::string older = "an older report\n";
  int interrupted = 0;
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP})
    for (int delay : {0, 1000, 4000, 8000, 30000}) {
      SCOPED_TRACE("signal " + std::to_string(signal_number) + " after " + std::to_string(delay) + " us");
      write_file(s / "h.qvr", older);
      const auto [wstatus, sent] = interrupt_while_writing(s, signal_number, std::chrono::microseconds(delay));
      const std::string report = Cli::read_file(s / "h.qvr");
      // Either the older report, whole, or the new one, whole (the signal
      // came after the rename).
      if (report != older) {
        EXPECT_TRUE(ends_with(report, report_end));
      }
      if (WIFSIGNALED(wstatus)) {
        EXPECT_EQ(WTERMSIG(wstatus), signal_number);
        if (report == older) ++interrupted;
      } else {
        EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0);
        EXPECT_NE(report, older);
      }
      EXPECT_EQ(entries(s.path()), (std::set<std::string>{"h.qvb", "h.qvr"}));
    }
  // Most signals land while the report is being written.
  EXPECT_GE(interrupted, 5);
}

// A file system too small for the report: the run fails, the older report
// stays whole and no temporary file is left.
TEST(AtomicReport, FullFileSystemLeavesTheOlderReport) {
  const Temporary_directory s("quavor-safety-");
  std::filesystem::create_directory(s.path() / "small");
  if (::mount("tmpfs", (s / "small").c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "cannot mount a small file system here";
  const std::string target = s / "small/h.qvr";
  write_file(s / "h.qvb", house_with_long_level_names(s / "small/h.qvb", 10000));
  write_file(target, "an older report\n");
  const Cli::Result r = Cli::run({"-i", s / "h.qvb", "-o", target});
  const std::string report = Cli::read_file(target);
  const std::set<std::string> left = entries(s.path() / "small");
  ::umount((s / "small").c_str());
  EXPECT_EQ(r.err, "quavorTQMV: the report could not be written: " + target + ": No space left on device\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(report, "an older report\n");
  EXPECT_EQ(left, (std::set<std::string>{"h.qvr"}));
}

// ---------------------------------------------------------------------------
// 2. A write that fails is a failure.

TEST(WriteFailure, StandardOutputThatCannotBeWrittenEndsWithStatus2) {
  struct Case {
    const char* name;
    const char* script;
    const char* reason;
  };
  const Case cases[] = {
      {"full", "exec \"$0\" \"$@\" >/dev/full", "No space left on device"},
      {"closed", "exec \"$0\" \"$@\" >&-", "Bad file descriptor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Temporary_directory s("quavor-safety-");
    write_file(s / "h.qvb", house("-"));
    const Cli::Result r = run_shell(c.script, {"-i", "h.qvb", "-o", "-"}, Cli::Options().in(s.path().string()));
    EXPECT_EQ(r.err, std::string("quavorTQMV: the report could not be written: the standard output: ") + c.reason +
                         "\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(entries(s.path()), (std::set<std::string>{"h.qvb"}));
  }
}

TEST(WriteFailure, OutOfMemoryEndsWithStatus2) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
#endif
  const Temporary_directory s("quavor-safety-");
  std::string text = house("h.qvb");
  const std::string place = "\"12 rue des Tilleuls, Basse-Terre\"";
  text.replace(text.find(place), place.size(), "\"" + std::string(20'000'000, 'x') + "\"");
  write_file(s / "h.qvb", text);
  const Cli::Result r = run_shell("ulimit -v 30000 && exec \"$0\" \"$@\"", {"-r", "h.qvb"},
                                  Cli::Options().in(s.path().string()));
  EXPECT_EQ(r.err, "quavorTQMV: error during computation, out of memory\n");
  EXPECT_EQ(r.status, 2);
}

// ---------------------------------------------------------------------------
// 3. The description is never overwritten by its report.

TEST(SameFile, ReportLinkedToTheDescriptionIsRefused) {
  struct Case {
    const char* name;
    void (*link)(const std::filesystem::path& description, const std::filesystem::path& report);
  };
  const Case cases[] = {
      {"symbolic link", [](const std::filesystem::path& d,
                           const std::filesystem::path& r) { std::filesystem::create_symlink(d.filename(), r); }},
      {"hard link",
       [](const std::filesystem::path& d, const std::filesystem::path& r) { std::filesystem::create_hard_link(d, r); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Temporary_directory s("quavor-safety-");
    const std::string description = house("h.qvb");
    write_file(s / "h.qvb", description);
    c.link(s.path() / "h.qvb", s.path() / "h.qvr");
    const Cli::Result r = Cli::run({"-r", "h.qvb"}, Cli::Options().in(s.path().string()));
    EXPECT_EQ(r.err,
              "quavorTQMV: the report could not be written: h.qvr is the same file as the description h.qvb; "
              "the report is not written and the description is left as it is\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(Cli::read_file(s / "h.qvb"), description);
    EXPECT_EQ(entries(s.path()), (std::set<std::string>{"h.qvb", "h.qvr"}));
  }
}

// ---------------------------------------------------------------------------
// 4. A directory is not a description.

TEST(Directory, GivenAsDescriptionIsDiagnosed) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"-i", "d.qvb"}, {"-r", "d.qvb"}, {"d.qvb"}}) {
    SCOPED_TRACE(arguments.front());
    const Temporary_directory s("quavor-safety-");
    std::filesystem::create_directory(s.path() / "d.qvb");
    const Cli::Result r = Cli::run(arguments, Cli::Options().in(s.path().string()));
    EXPECT_EQ(r.err, "d.qvb: Is a directory\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(entries(s.path()), (std::set<std::string>{"d.qvb"}));
  }
}

// ---------------------------------------------------------------------------
// 5. "~" begins a name in the home directory wherever a file is opened or
// tested.

TEST(Tilde, NamesBeginningWithTildeAreTakenInTheHomeDirectory) {
  struct Case {
    std::vector<std::string> arguments;
    std::string report;        // as the success text names it
    std::string log;           // a log file expected in the home directory
  };
  const Case cases[] = {
      {{"-r", "~/h.qvb"}, "~/h.qvr", ""},
      {{"-i", "~/h.qvb", "-o", "~/h.qvr"}, "~/h.qvr", ""},
      {{"-i", "~/h.qvb"}, "HOME/h.qvr", ""},
      {{"~/h.qvb"}, "HOME/h.qvr", ""},
      {{"-dcf", "~/errors.log", "-r", "~/h.qvb"}, "~/h.qvr", "errors.log"},
      {{"-dif", "~/input.log", "-r", "~/h.qvb"}, "~/h.qvr", "input.log"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.back());
    const Temporary_directory s("quavor-safety-");
    std::filesystem::create_directory(s.path() / "home");
    const std::string home = s / "home";
    // The probe of CR-0-11 opens the recorded address as it is.
    write_file(home + "/h.qvb", house(home + "/h.qvb"));
    const Cli::Result r =
        Cli::run(c.arguments, Cli::Options().in(s.path().string()).set_env("HOME", home));
    std::string report = c.report;
    if (report.rfind("HOME", 0) == 0) report.replace(0, 4, home);
    EXPECT_EQ(r.err, success_text(report));
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(ends_with(Cli::read_file(home + "/h.qvr"), report_end));
    if (!c.log.empty()) {
      EXPECT_TRUE(std::filesystem::exists(home + "/" + c.log));
    }
    EXPECT_FALSE(std::filesystem::exists(s.path() / "~"));
  }
}

// ---------------------------------------------------------------------------
// 6. CR-0-11 compares the names as files, and prints them as written.

TEST(InternalFileName, TheSameFileGivesTheSameVerdictHoweverItsPathIsSpelt) {
  const Temporary_directory s("quavor-safety-");
  std::filesystem::create_directory(s.path() / "sub");
  write_file(s / "h.qvb", house("h.qvb"));
  for (const std::string& given : {std::string("./h.qvb"), std::string("sub/../h.qvb"), (s / "h.qvb").string(),
                                   (s / "sub/./../h.qvb").string()}) {
    SCOPED_TRACE(given);
    std::filesystem::remove(s.path() / "h.qvr");
    const Cli::Result r = Cli::run({"-r", given}, Cli::Options().in(s.path().string()));
    const std::string target = given.substr(0, given.size() - 4) + ".qvr";
    EXPECT_EQ(r.err, success_text(target));
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> lines = Cli::lines_of(Cli::read_file(s / "h.qvr"));
    ASSERT_GT(lines.size(), 50u);
    EXPECT_EQ(lines[46], "  Pour ce bâtiment, le nom du fichier enregistré dans les données du bâtiment est correct:");
    EXPECT_EQ(lines[47], "    h.qvb");
    EXPECT_EQ(lines[48], "  correspond au fichier du rapport en cours:");
    EXPECT_EQ(lines[49], "    " + target);
  }
}

TEST(InternalFileName, AnotherFileStillFails) {
  const Temporary_directory s("quavor-safety-");
  write_file(s / "h.qvb", house("h2.qvb"));
  const Cli::Result r = Cli::run({"-i", "h.qvb", "-o", "h.qvr"}, Cli::Options().in(s.path().string()));
  EXPECT_NE(r.err.find("le nom du fichier enregistré dans les données du bâtiment est incorrect"), std::string::npos);
  EXPECT_EQ(r.status, 0);
}

}  // namespace
