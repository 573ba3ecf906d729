#pragma once
// What the tests of every subsystem share to work on the file system: a
// fresh temporary directory of the test's own, and reading and writing a
// whole file as bytes. Tests run in parallel (ctest -j): none of them may
// use a fixed path under the temporary directory.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>

namespace Test_support {

// A directory made fresh by mkdtemp under the system's temporary directory,
// removed with everything in it when it goes out of scope (its write
// permission given back first, for the tests that take it away).
class Temporary_directory {
 public:
  explicit Temporary_directory(const std::string& prefix = "quavor-test-") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + pattern);
    path_ = pattern;
  }
  ~Temporary_directory() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  Temporary_directory(const Temporary_directory&) = delete;
  Temporary_directory& operator=(const Temporary_directory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string string() const { return path_.string(); }
  // A name inside the directory.
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The whole content of a file, bytes as they are (empty when it cannot be read).
inline std::string read_file(const std::filesystem::path& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Writes the text as the whole content of the file, bytes as they are.
inline void write_file(const std::filesystem::path& name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
}

// The names of what a directory holds, without the directory's own path:
// what a test compares to say that nothing was left behind.
inline std::set<std::string> entries(const std::filesystem::path& directory) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(directory)) names.insert(e.path().filename().string());
  return names;
}

}  // namespace Test_support
