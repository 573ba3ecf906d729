#include "config/path.hpp"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "text/exceptions.hpp"
#include "text/format.hpp"

namespace Path {

namespace {

std::string home_from_environment() {
  const char* home = std::getenv("HOME");
  return home ? std::string(home) : std::string("~");
}

std::string& home_slot() {
  static std::string home = home_from_environment();
  return home;
}

std::vector<std::string> split_components(const std::string& name) {
  std::vector<std::string> components;
  std::string current;
  for (char c : name) {
    if (c == separator_char()) {
      if (!current.empty()) components.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) components.push_back(current);
  return components;
}

std::string join_components(const std::vector<std::string>& components) {
  std::string joined;
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i > 0) joined += separator();
    joined += components[i];
  }
  return joined;
}

// The candidates for a name: itself, then, when implicit, joined to each
// directory of the search stack.
// A name beginning with "~" is taken in the home directory first.
std::vector<std::string> candidates(const std::string& name) {
  const std::string expanded = tilde_subst(name);
  std::vector<std::string> all{expanded};
  if (is_implicit(expanded))
    for (const auto& directory : search_stack()) all.push_back(concat(directory, expanded));
  return all;
}

bool file_exists(const std::string& name) {
  struct stat st;
  return ::stat(name.c_str(), &st) == 0;
}

std::FILE* open_first(const std::string& name, const char* mode) {
  int first_errno = 0;
  for (const auto& candidate : candidates(name)) {
    if (std::FILE* f = std::fopen(candidate.c_str(), mode)) return f;
    if (first_errno == 0) first_errno = errno;
  }
  throw Sys_error(name + ": " + std::strerror(first_errno));
}

}  // namespace

const std::string& separator() {
  static const std::string sep = "/";
  return sep;
}

char separator_char() { return separator()[0]; }

const std::string& home_directory() { return home_slot(); }

void reinitialise() { home_slot() = home_from_environment(); }

std::vector<std::string>& search_stack() {
  static std::vector<std::string> stack;
  return stack;
}

file_extension to_file_extension(const std::string& text) {
  if (text.empty()) throw Invalid_argument("index out of bounds");
  if (text[0] != '.')
    throw Invalid_argument(Format::sprintf("Path.to_file_extension: first character of %S is %C; it should be %C.",
                                           text, text[0], '.'));
  return file_extension{text};
}

std::string concat(const std::string& directory, const std::string& name) {
  if (directory.empty() || directory.back() == separator_char()) return directory + name;
  return directory + separator() + name;
}

std::string dirname(const std::string& name) {
  std::size_t end = name.size();
  while (end > 0 && name[end - 1] == separator_char()) --end;
  if (end == 0) return name.empty() ? "." : separator();
  std::size_t slash = name.rfind(separator_char(), end - 1);
  if (slash == std::string::npos) return ".";
  while (slash > 0 && name[slash - 1] == separator_char()) --slash;
  return slash == 0 ? separator() : name.substr(0, slash);
}

std::string basename(const std::string& name) {
  std::size_t end = name.size();
  while (end > 0 && name[end - 1] == separator_char()) --end;
  if (end == 0) return name.empty() ? "." : separator();
  std::size_t slash = name.rfind(separator_char(), end - 1);
  std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  return name.substr(start, end - start);
}

bool is_relative(const std::string& name) { return name.empty() || name[0] != separator_char(); }

bool is_implicit(const std::string& name) {
  return is_relative(name) && name.rfind("./", 0) != 0 && name.rfind("../", 0) != 0;
}

std::string current_directory() {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return ".";
  return std::string(buffer.data());
}

// The file a name leads to once its symbolic links are followed (a relative
// link is taken in the directory of the link).
std::string followed_links(const std::string& name) {
  std::string current = name;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = ::readlink(current.c_str(), buffer.data(), buffer.size() - 1);
    if (n <= 0) return current;
    const std::string link(buffer.data(), static_cast<std::size_t>(n));
    current = is_relative(link) ? concat(dirname(current), link) : link;
  }
  return current;  // a loop of links: opening it reports the loop
}

std::string tilde_subst(const std::string& name) {
  if (name.empty() || name[0] != '~') return name;
  if (name.size() == 1) return home_directory();
  if (name[1] == separator_char()) return concat(home_directory(), name.substr(2));
  return name;  // "~user...": left alone
}

std::string path_normalize(const std::string& name) {
  bool absolute = !is_relative(name);
  bool trailing = !name.empty() && name.back() == separator_char();
  std::vector<std::string> components = split_components(name);
  // From the end towards the start; kept holds the processed tail, reversed.
  std::vector<std::string> kept;
  for (std::size_t i = components.size(); i-- > 0;) {
    const std::string& c = components[i];
    bool is_last = i + 1 == components.size();
    if (c == "." && !is_last) continue;
    if (c != ".." && !kept.empty() && kept.back() == "..") {
      kept.pop_back();
      continue;
    }
    kept.push_back(c);
  }
  std::vector<std::string> ordered(kept.rbegin(), kept.rend());
  if (absolute && ordered.empty()) return separator();  // the root directory
  std::string result = join_components(ordered);
  if (absolute) result = separator() + result;
  if (trailing && !ordered.empty()) result += separator();
  return result;
}

std::string compute_full_path(const std::string& directory, const std::string& name) {
  if (!is_relative(name)) return path_normalize(name);
  std::string dir = path_normalize(tilde_subst(directory));
  std::vector<std::string> components = split_components(dir);
  if (is_relative(dir) && !components.empty() && components.front() == ".") {
    components.erase(components.begin());
    dir = path_normalize(concat(current_directory(), join_components(components)));
  }
  return path_normalize(concat(dir, name));
}

std::string normalize(const std::string& name) {
  if (name == "-") return name;
  std::string full = compute_full_path(current_directory(), tilde_subst(name));
  // The parent of the root is the root.
  while (full.rfind("/..", 0) == 0 && (full.size() == 3 || full[3] == separator_char()))
    full = full.size() == 3 ? separator() : full.substr(3);
  return full;
}

std::string full_path_win32(const std::string& directory, const std::string& name) {
  std::string target = name;
  // The name designates a file relative to the directory.
  std::string located = compute_full_path(directory, name);
  struct stat st;
  if (::lstat(located.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t n = ::readlink(located.c_str(), buffer.data(), buffer.size() - 1);
    if (n > 0) {
      std::string link(buffer.data(), static_cast<std::size_t>(n));
      // A relative target is relative to the directory holding the link.
      target = is_relative(link) ? concat(dirname(located), link) : link;
    }
  }
  // No drive letters on this platform: the drive rule never applies.
  return compute_full_path(directory, target);
}

std::string find_in_executable_path(const std::string& name) {
  if (name.empty() || name.find(separator_char()) != std::string::npos) return name;
  const char* path = std::getenv("PATH");
  if (path == nullptr) return "";
  std::string entries(path);
  std::size_t start = 0;
  while (true) {
    std::size_t colon = entries.find(':', start);
    std::string directory = entries.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    // An empty entry stands for the current directory.
    std::string candidate = concat(directory.empty() ? "." : directory, name);
    struct stat st;
    if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
    if (colon == std::string::npos) return "";
    start = colon + 1;
  }
}

bool exists(const std::string& name) {
  if (name == "-") return true;
  for (const auto& candidate : candidates(name))
    if (file_exists(candidate)) return true;
  return false;
}

std::FILE* path_open_out(const std::string& name) {
  if (name == "-") return stdout;
  return open_first(name, "w");
}

std::FILE* path_open_in(const std::string& name) {
  if (name == "-") return stdin;
  return open_first(name, "r");
}

}  // namespace Path
