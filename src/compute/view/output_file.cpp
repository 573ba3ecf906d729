#include "view/output_file.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/exceptions.hpp"

namespace Output_file {

namespace {

[[noreturn]] void sys_error(const std::string& name, int error) {
  throw Sys_error(name + ": " + std::strerror(error));
}

// A fresh temporary file beside `name` ("<name>.XXXXXX"), open for writing.
int open_temporary(const std::string& name, std::string& temporary) {
  temporary = name + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) sys_error(name, errno);
  return fd;
}

// The process's file-creation mask, read once without changing it (setting
// it, even back, would race with the threads writing files).
mode_t creation_mask() {
  static const mode_t mask = [] {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
      if (key == "Umask:") {
        std::string octal;
        status >> octal;
        return static_cast<mode_t>(std::stoul(octal, nullptr, 8));
      }
    }
    return static_cast<mode_t>(022);
  }();
  return mask;
}

// Whether `name` is a regular file holding exactly `text`, read in pieces.
bool holds(const std::string& name, std::string_view text) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool same = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) == text.size();
  char piece[16384];
  for (std::size_t at = 0; same && at < text.size();) {
    const ssize_t got = ::read(fd, piece, std::min(sizeof piece, text.size() - at));
    if (got < 0 && errno == EINTR) continue;
    same = got > 0 && text.compare(at, static_cast<std::size_t>(got), piece, static_cast<std::size_t>(got)) == 0;
    if (same) at += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return same;
}

}  // namespace

void replace(const std::string& name, std::string_view text) {
  // Checking a folder again mostly finds the same results: a file that holds
  // them already is left as it is, its time stamp too, as build tools leave
  // what they would not change.
  if (holds(name, text)) return;
  std::string temporary;
  const int fd = open_temporary(name, temporary);
  // mkstemp creates the file private to its owner; a page is as readable as
  // any other file the user writes.
  ::fchmod(fd, 0666 & ~creation_mask());
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      ::unlink(temporary.c_str());
      sys_error(name, error);
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    sys_error(name, error);
  }
  if (std::rename(temporary.c_str(), name.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    sys_error(name, error);
  }
}

void ensure_writable_directory(const std::string& directory) {
  std::error_code ec;
  std::filesystem::create_directories(directory, ec);
  if (ec) throw Sys_error(directory + ": " + ec.message());
  if (!std::filesystem::is_directory(directory, ec)) throw Sys_error(directory + ": Not a directory");
  std::string temporary = (std::filesystem::path(directory) / ".quavor-view.XXXXXX").string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) sys_error(directory, errno);
  ::close(fd);
  ::unlink(temporary.c_str());
}

}  // namespace Output_file
