#include "checks/report_file_probe.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Test_support::read_file;
using Test_support::Temporary_directory;

TEST(ReportFileProbe, ANewFileIsWritableAndNotLeftBehind) {
  const Temporary_directory d;
  const std::filesystem::path report = d / "house.qvr";
  EXPECT_TRUE(Report_file_probe::writable(report.string()));
  EXPECT_FALSE(std::filesystem::exists(report));
}

TEST(ReportFileProbe, AnOlderReportIsKeptWhole) {
  const Temporary_directory d;
  const std::filesystem::path report = d / "house.qvr";
  std::ofstream(report) << "older report\n";
  EXPECT_TRUE(Report_file_probe::writable(report.string()));
  EXPECT_EQ(read_file(report), "older report\n");
}

TEST(ReportFileProbe, TheStandardOutputAndMissingDirectories) {
  const Temporary_directory d;
  EXPECT_TRUE(Report_file_probe::writable("-"));
  EXPECT_FALSE(Report_file_probe::writable((d / "missing" / "house.qvr").string()));
}

// Checks of descriptions recording the same name probe the same file at once
// (quavor-view --jobs): none may see it vanish between its two opens.
TEST(ReportFileProbe, ProbesOfTheSameFileAtOnceAllSeeItWritable) {
  const Temporary_directory d;
  const std::string report = (d / "input.qvr").string();
  std::atomic<int> not_writable{0};
  std::vector<std::thread> probes;
  for (int t = 0; t < 8; ++t)
    probes.emplace_back([&] {
      for (int i = 0; i < 5000; ++i)
        if (!Report_file_probe::writable(report)) ++not_writable;
    });
  for (std::thread& p : probes) p.join();
  EXPECT_EQ(not_writable, 0);
  EXPECT_TRUE(std::filesystem::is_empty(d.path()));
}

// The system would see only "h", a file the description does not name.
TEST(ReportFileProbe, ANameWithANulByteIsNotWritable) {
  const Temporary_directory d;
  EXPECT_FALSE(Report_file_probe::writable((d / "h").string() + std::string(1, '\0') + "ouse.qvr"));
  EXPECT_TRUE(std::filesystem::is_empty(d.path()));
}

TEST(ReportFileProbe, AReadOnlyReportIsNotWritable) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes any file";
  const Temporary_directory d;
  const std::filesystem::path report = d / "house.qvr";
  std::ofstream(report) << "older report\n";
  std::filesystem::permissions(report, std::filesystem::perms::owner_read);
  EXPECT_FALSE(Report_file_probe::writable(report.string()));
  EXPECT_EQ(read_file(report), "older report\n");
}

}  // namespace
