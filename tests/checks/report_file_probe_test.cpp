#include "checks/report_file_probe.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A fresh directory of the test's own, removed with everything in it.
struct Fresh_directory {
  fs::path path;
  Fresh_directory() {
    std::string pattern = (fs::temp_directory_path() / "quavor-probe-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = pattern;
  }
  ~Fresh_directory() {
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
  }
};

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(ReportFileProbe, ANewFileIsWritableAndNotLeftBehind) {
  Fresh_directory d;
  const fs::path report = d.path / "house.qvr";
  EXPECT_TRUE(Report_file_probe::writable(report.string()));
  EXPECT_FALSE(fs::exists(report));
}

TEST(ReportFileProbe, AnOlderReportIsKeptWhole) {
  Fresh_directory d;
  const fs::path report = d.path / "house.qvr";
  std::ofstream(report) << "older report\n";
  EXPECT_TRUE(Report_file_probe::writable(report.string()));
  EXPECT_EQ(contents(report), "older report\n");
}

TEST(ReportFileProbe, TheStandardOutputAndMissingDirectories) {
  Fresh_directory d;
  EXPECT_TRUE(Report_file_probe::writable("-"));
  EXPECT_FALSE(Report_file_probe::writable((d.path / "missing" / "house.qvr").string()));
}

TEST(ReportFileProbe, AReadOnlyReportIsNotWritable) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes any file";
  Fresh_directory d;
  const fs::path report = d.path / "house.qvr";
  std::ofstream(report) << "older report\n";
  fs::permissions(report, fs::perms::owner_read);
  EXPECT_FALSE(Report_file_probe::writable(report.string()));
  EXPECT_EQ(contents(report), "older report\n");
}

}  // namespace
