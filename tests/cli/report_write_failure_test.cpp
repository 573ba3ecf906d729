// A report that cannot reach the disk is a failure of the run, never
// announced as written.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/harness.hpp"

namespace {

// The report goes through a link to a device that is always full: the device
// is written in place (it cannot be replaced) and the failure ends the run
// with status 2, the reason on the error stream.
TEST(ReportWriteFailure, FullDeviceEndsWithStatus2AndTheReason) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  const Test_support::Temporary_directory scratch;
  const std::filesystem::path& dir = scratch.path();
  std::string description =
      Test_support::read_file(std::filesystem::path(QUAVOR_SOURCE_DIR) / "examples" / "house_r1.qvb");
  const std::string recorded = "\"examples/house_r1.qvb\"";
  description.replace(description.find(recorded), recorded.size(), "\"h.qvb\"");
  Test_support::write_file(dir / "h.qvb", description);
  std::filesystem::create_symlink("/dev/full", dir / "h.qvr");

  const Cli::Result r = Cli::run({"-r", "h.qvb"}, Cli::Options().in(dir.string()));
  EXPECT_EQ(r.err, "quavorTQMV: the report could not be written: h.qvr: No space left on device\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "h.qvr"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

}  // namespace
