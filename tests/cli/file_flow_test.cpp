// End-to-end runs of the file flow over the cases of tests/cli/cases/. Each
// case is a directory holding the description `input.qvb` (whose
// batiment_file_name is "input.qvb"), the expected error stream
// `expected.err`, optionally `args` (default "-r input.qvb"), `stdin`,
// `expected.status` (default 0), `expected.out` (default empty),
// `expected.qvr` (the whole report) or `no_report` (no report may be left).
// The case runs in a scratch copy of its directory, so reports never land in
// the source tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/harness.hpp"

namespace {

using Test_support::read_file;

const std::filesystem::path cases_root = std::filesystem::path(QUAVOR_SOURCE_DIR) / "tests" / "cli" / "cases";

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> result;
  for (std::string w; in >> w;) result.push_back(w);
  return result;
}

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  if (std::filesystem::exists(cases_root))
    for (const auto& entry : std::filesystem::directory_iterator(cases_root))
      if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Copies the case's own files, not its expectations, into the directory.
void copy_case(const std::string& name, const std::filesystem::path& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(cases_root / name))
    if (entry.path().filename().string().rfind("expected", 0) != 0)
      std::filesystem::copy(entry.path(), dir / entry.path().filename());
}

class File_flow : public testing::TestWithParam<std::string> {};

TEST_P(File_flow, ReportErrorStreamAndStatusAreExact) {
  const std::filesystem::path source = cases_root / GetParam();
  const Test_support::Temporary_directory scratch;
  const std::filesystem::path& dir = scratch.path();
  copy_case(GetParam(), dir);
  const auto read_or = [&](const char* file, std::string fallback) {
    return std::filesystem::exists(source / file) ? read_file(source / file) : fallback;
  };
  Cli::Options options;
  options.in(dir.string()).with_stdin(read_or("stdin", ""));
  const Cli::Result r = Cli::run(words(read_or("args", "-r input.qvb")), options);

  EXPECT_EQ(r.err, read_file(source / "expected.err"));
  EXPECT_EQ(r.status, std::stoi(read_or("expected.status", "0")));
  EXPECT_EQ(r.out, read_or("expected.out", ""));
  if (std::filesystem::exists(source / "expected.qvr")) {
    ASSERT_TRUE(std::filesystem::exists(dir / "input.qvr"));
    EXPECT_EQ(read_file(dir / "input.qvr"), read_file(source / "expected.qvr"));
  }
  if (std::filesystem::exists(source / "no_report")) {
    EXPECT_FALSE(std::filesystem::exists(dir / "input.qvr"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, File_flow, testing::ValuesIn(case_names()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param;
                           std::replace_if(n.begin(), n.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                           return n;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(File_flow);

}  // namespace
