// Runs a harness over files outside the fuzzer: every argument is a file or
// a directory of files, each fed once to LLVMFuzzerTestOneInput. This is how
// the seed corpora and the regression inputs run as plain tests.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_common.hpp"

namespace {

bool run_file(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", p.c_str());
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int files = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    std::vector<std::filesystem::path> paths;
    if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') paths.push_back(entry.path());
    } else {
      paths.push_back(arg);
    }
    std::sort(paths.begin(), paths.end());
    for (const auto& p : paths) {
      ok = run_file(p) && ok;
      ++files;
    }
  }
  std::printf("%d inputs replayed\n", files);
  return ok ? 0 : 1;
}
