// A report that cannot reach the disk is a failure of the run, never
// announced as written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/harness.hpp"

namespace fs = std::filesystem;

namespace {

TEST(ReportWriteFailure, FullDiskEndsInTheSpuriousExceptionMessage) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  const fs::path dir = fs::temp_directory_path() / ("quavor-full-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ifstream in(fs::path(QUAVOR_SOURCE_DIR) / "examples" / "house_r1.qvb");
  std::stringstream text;
  text << in.rdbuf();
  std::string description = text.str();
  const std::string recorded = "\"examples/house_r1.qvb\"";
  description.replace(description.find(recorded), recorded.size(), "\"h.qvb\"");
  std::ofstream(dir / "h.qvb") << description;
  fs::create_symlink("/dev/full", dir / "h.qvr");

  const Cli::Result r = Cli::run({"-r", "h.qvb"}, Cli::Options().in(dir.string()));
  EXPECT_EQ(r.err,
            "quavorTQMV: error during computation, spurious exception "
            "\"Sys_error(\"h.qvr: No space left on device\")\"\n");
  EXPECT_EQ(r.status, 0);
  fs::remove_all(dir);
}

}  // namespace
