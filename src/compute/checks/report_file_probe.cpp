#include "checks/report_file_probe.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace Report_file_probe {

bool writable(const std::string& name) {
  if (name == "-") return true;
  // No file has a NUL byte in its name: the system would probe the file
  // named by the part before it.
  if (name.find('\0') != std::string::npos) return false;
  // Another check of a description recording the same name may create and
  // remove the same file between our two opens: then we look again.
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
      ::close(fd);
      ::unlink(name.c_str());
      return true;
    }
    if (errno != EEXIST) return false;
    fd = ::open(name.c_str(), O_WRONLY);
    if (fd >= 0) {
      ::close(fd);
      return true;
    }
    if (errno != ENOENT) return false;
  }
  return false;
}

}  // namespace Report_file_probe
