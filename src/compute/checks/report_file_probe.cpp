#include "checks/report_file_probe.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "config/path.hpp"

namespace Report_file_probe {

namespace {

// Whether a file of that name could be created where there is none: the
// directory exists and we may write and search it, and the name is one the
// system accepts there.
bool creatable(const std::string& name) {
  if (name.empty() || name.back() == '/' || name.size() >= PATH_MAX) return false;
  if (Path::basename(name).size() > NAME_MAX) return false;
  return ::faccessat(AT_FDCWD, Path::dirname(name).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace

bool writable(const std::string& name) {
  if (name == "-") return true;
  // No file has a NUL byte in its name: the system would probe the file
  // named by the part before it.
  if (name.find('\0') != std::string::npos) return false;
  const std::string path = Path::followed_links(Path::tilde_subst(name));
  // Not blocking: a pipe nobody reads answers at once instead of hanging.
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  return errno == ENOENT && creatable(path);
}

}  // namespace Report_file_probe
