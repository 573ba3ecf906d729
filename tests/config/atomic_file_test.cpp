// Reports are replaced whole or not at all.
#include "config/atomic_file.hpp"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "test_support.hpp"

namespace {

using Test_support::entries;
using Test_support::read_file;
using Test_support::Temporary_directory;
using Test_support::write_file;

TEST(AtomicFile, CommitReplacesTheTargetWhole) {
  const Temporary_directory s("quavor_atomic_");
  write_file(s / "r.qvr", "older");
  Atomic_file::Writer w(s / "r.qvr");
  EXPECT_EQ(Atomic_file::pending_temporary_files(), 1);
  std::fputs("newer report", w.stream());
  std::fflush(w.stream());
  // Until the commit the older report is what a reader sees.
  EXPECT_EQ(read_file(s / "r.qvr"), "older");
  EXPECT_EQ(entries(s.path()).size(), 2u);
  w.commit();
  EXPECT_EQ(read_file(s / "r.qvr"), "newer report");
  EXPECT_EQ(entries(s.path()), (std::set<std::string>{"r.qvr"}));
  EXPECT_EQ(Atomic_file::pending_temporary_files(), 0);
}

TEST(AtomicFile, AbandonedOrDestroyedLeavesTheOlderTarget) {
  const Temporary_directory s("quavor_atomic_");
  write_file(s / "r.qvr", "older");
  {
    Atomic_file::Writer w(s / "r.qvr");
    std::fputs("half", w.stream());
    w.abandon();
  }
  {
    Atomic_file::Writer w(s / "r.qvr");
    std::fputs("half", w.stream());
  }
  EXPECT_EQ(read_file(s / "r.qvr"), "older");
  EXPECT_EQ(entries(s.path()), (std::set<std::string>{"r.qvr"}));
  EXPECT_EQ(Atomic_file::pending_temporary_files(), 0);
}

TEST(AtomicFile, NewFilesGetTheUsualPermissionBits) {
  const Temporary_directory s("quavor_atomic_");
  for (mode_t mask : {mode_t{022}, mode_t{077}, mode_t{002}}) {
    const mode_t saved = ::umask(mask);
    Atomic_file::Writer w(s / "r.qvr");
    w.commit();
    ::umask(saved);
    struct stat st;
    ASSERT_EQ(::stat((s / "r.qvr").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
  }
}

TEST(AtomicFile, ASymbolicLinkStaysAndItsFileIsReplaced) {
  const Temporary_directory s("quavor_atomic_");
  std::filesystem::create_directory(s / "real");
  write_file(s / "real/r.qvr", "older");
  std::filesystem::create_symlink("real/r.qvr", s / "link.qvr");
  Atomic_file::Writer w(s / "link.qvr");
  std::fputs("newer", w.stream());
  w.commit();
  EXPECT_TRUE(std::filesystem::is_symlink(s / "link.qvr"));
  EXPECT_EQ(read_file(s / "real/r.qvr"), "newer");
  EXPECT_EQ(entries(s.path()), (std::set<std::string>{"link.qvr", "real"}));
}

TEST(AtomicFile, FailuresNameTheTargetAndTheReason) {
  const Temporary_directory s("quavor_atomic_");
  try {
    Atomic_file::Writer w(s / "nodir/r.qvr");
    FAIL() << "no failure";
  } catch (const Sys_error& e) {
    EXPECT_EQ(std::string(e.what()), (s / "nodir/r.qvr").string() + ": No such file or directory");
  }
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Atomic_file::Writer w("/dev/full");
  std::fputs("x", w.stream());
  try {
    w.commit();
    FAIL() << "no failure";
  } catch (const Sys_error& e) {
    EXPECT_EQ(std::string(e.what()), "/dev/full: No space left on device");
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// Opening it would write the file named by the part before the NUL byte.
TEST(AtomicFile, ANameWithANulByteIsRefused) {
  const Temporary_directory s("quavor_atomic_");
  std::ofstream(s / "h") << "another file";
  const std::string target = (s / "h").string() + std::string(1, '\0') + "ouse.qvr";
  EXPECT_THROW(Atomic_file::Writer w(target), Sys_error);
  EXPECT_EQ(read_file(s / "h"), "another file");
  EXPECT_EQ(entries(s.path()), (std::set<std::string>{"h"}));
}

TEST(AtomicFile, ADirectoryIsNoTarget) {
  const Temporary_directory s("quavor_atomic_");
  std::filesystem::create_directory(s / "d.qvr");
  try {
    Atomic_file::Writer w(s / "d.qvr");
    FAIL() << "no failure";
  } catch (const Sys_error& e) {
    EXPECT_EQ(std::string(e.what()), (s / "d.qvr").string() + ": Is a directory");
  }
}

// A signal while the temporary file exists removes it and ends the process
// by that same signal.
TEST(AtomicFile, TerminatingSignalsRemoveTheTemporaryFile) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    const Temporary_directory s("quavor_atomic_");
    write_file(s / "r.qvr", "older");
    const pid_t pid = ::fork();
    if (pid == 0) {
      Atomic_file::Writer w(s / "r.qvr");
      std::fputs("half", w.stream());
      std::fflush(w.stream());
      ::raise(signal_number);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << signal_number;
    EXPECT_EQ(read_file(s / "r.qvr"), "older");
    EXPECT_EQ(entries(s.path()), (std::set<std::string>{"r.qvr"}));
  }
}

// Another writer's temporary file, its name registered before it was made,
// is removed by the signal too.
TEST(AtomicFile, TerminatingSignalsRemoveRegisteredNames) {
  const Temporary_directory s("quavor_atomic_");
  const pid_t pid = ::fork();
  if (pid == 0) {
    const std::string name = (s / "page.html.tmp").string();
    const Atomic_file::Pending_name pending(name);
    const int fd = pending.create(name, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0 || ::write(fd, "half", 4) != 4) ::_exit(1);
    ::raise(SIGTERM);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(entries(s.path()), std::set<std::string>{});
}

// The actions the signals had before come back once no file is pending.
TEST(AtomicFile, EarlierSignalActionsAreRestored) {
  const Temporary_directory s("quavor_atomic_");
  struct sigaction before {};
  ::sigaction(SIGTERM, nullptr, &before);
  {
    Atomic_file::Writer w(s / "r.qvr");
    struct sigaction during {};
    ::sigaction(SIGTERM, nullptr, &during);
    EXPECT_NE(during.sa_handler, before.sa_handler);
    w.commit();
  }
  struct sigaction after {};
  ::sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
