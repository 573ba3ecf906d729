#include "checks/report_file_probe.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Test_support::read_file;
using Test_support::Temporary_directory;
using Test_support::write_file;

struct timespec modified(const std::filesystem::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mtim;
}

// Each case prepares a fresh directory and names the report to probe in it.
// Whatever the answer, the probe changes nothing: the same entries, the same
// contents, the directory's time of modification unchanged.
TEST(ReportFileProbe, AnswersWithoutChangingAnything) {
  struct Case {
    const char* what;
    std::function<std::string(const std::filesystem::path&)> prepare;
    bool writable;
    bool as_superuser_too = true;
  };
  const std::vector<Case> cases{
      {"a new file", [](const auto& d) { return (d / "house.qvr").string(); }, true},
      {"an older report",
       [](const auto& d) {
         write_file(d / "house.qvr", "older report\n");
         return (d / "house.qvr").string();
       },
       true},
      {"the standard output", [](const auto&) { return std::string("-"); }, true},
      {"a missing directory", [](const auto& d) { return (d / "missing" / "house.qvr").string(); }, false},
      // The system would see only "h", a file the description does not name.
      {"a NUL byte in the name",
       [](const auto& d) { return (d / "h").string() + std::string(1, '\0') + "ouse.qvr"; }, false},
      {"a name longer than the system allows",
       [](const auto& d) { return (d / (std::string(256, 'h') + ".qvr")).string(); }, false},
      {"a directory", [](const auto& d) { return d.string(); }, false},
      {"a name ending with a separator", [](const auto& d) { return (d / "house.qvr").string() + "/"; }, false},
      // The report is written where the link leads.
      {"a link to a new file in the directory",
       [](const auto& d) {
         std::filesystem::create_symlink("elsewhere.qvr", d / "house.qvr");
         return (d / "house.qvr").string();
       },
       true},
      {"a link into a missing directory",
       [](const auto& d) {
         std::filesystem::create_symlink("missing/house.qvr", d / "house.qvr");
         return (d / "house.qvr").string();
       },
       false},
      // Opening a pipe nobody reads for writing would wait for a reader.
      {"a pipe nobody reads",
       [](const auto& d) {
         ::mkfifo((d / "house.qvr").c_str(), 0666);
         return (d / "house.qvr").string();
       },
       false},
      {"a read-only report",
       [](const auto& d) {
         write_file(d / "house.qvr", "older report\n");
         std::filesystem::permissions(d / "house.qvr", std::filesystem::perms::owner_read);
         return (d / "house.qvr").string();
       },
       false, false},
      {"a new file in a read-only directory",
       [](const auto& d) {
         std::filesystem::create_directory(d / "ro");
         std::filesystem::permissions(d / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
         return (d / "ro" / "house.qvr").string();
       },
       false, false},
  };
  for (const Case& c : cases) {
    if (::geteuid() == 0 && !c.as_superuser_too) continue;  // the superuser writes any file
    const Temporary_directory d;
    const std::string name = c.prepare(d.path());
    const auto entries = Test_support::entries(d.path());
    const struct timespec before = modified(d.path());
    EXPECT_EQ(Report_file_probe::writable(name), c.writable) << c.what;
    EXPECT_EQ(Test_support::entries(d.path()), entries) << c.what;
    const struct timespec after = modified(d.path());
    EXPECT_TRUE(before.tv_sec == after.tv_sec && before.tv_nsec == after.tv_nsec) << c.what;
    if (std::filesystem::is_regular_file(d / "house.qvr")) {
      EXPECT_EQ(read_file(d / "house.qvr"), "older report\n") << c.what;
    }
    std::filesystem::permissions(d.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    if (std::filesystem::exists(d / "ro")) std::filesystem::permissions(d / "ro", std::filesystem::perms::owner_all);
  }
}

// A report recorded as "~/house.qvr" is written in the home directory.
TEST(ReportFileProbe, ALeadingTildeIsTheHomeDirectory) {
  const Temporary_directory d;
  const char* home = std::getenv("HOME");
  const std::string saved = home ? home : "";
  ::setenv("HOME", d.path().c_str(), 1);
  EXPECT_TRUE(Report_file_probe::writable("~/house.qvr"));
  EXPECT_FALSE(Report_file_probe::writable("~/missing/house.qvr"));
  if (home) {
    ::setenv("HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("HOME");
  }
}

// Checks of descriptions recording the same name probe the same file at once
// (quavor-view --jobs), one of them sometimes while quavor writes it: all
// find it writable.
TEST(ReportFileProbe, ProbesOfTheSameFileAtOnceAllSeeItWritable) {
  const Temporary_directory d;
  const std::string report = (d / "input.qvr").string();
  std::atomic<int> not_writable{0};
  std::vector<std::thread> probes;
  for (int t = 0; t < 8; ++t)
    probes.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        if (t == 0 && i % 2 == 0) write_file(report, "report\n");
        if (t == 0 && i % 2 == 1) std::filesystem::remove(report);
        if (!Report_file_probe::writable(report)) ++not_writable;
      }
    });
  for (std::thread& p : probes) p.join();
  EXPECT_EQ(not_writable, 0);
}

}  // namespace
