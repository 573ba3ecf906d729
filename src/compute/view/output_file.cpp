#include "view/output_file.hpp"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "config/atomic_file.hpp"
#include "text/exceptions.hpp"

namespace Output_file {

namespace {

[[noreturn]] void sys_error(const std::string& name, int error) {
  throw Sys_error(name + ": " + std::strerror(error));
}

// A name for a temporary file beside `name`, new to this process.
std::string temporary_name(const std::string& name) {
  static std::atomic<unsigned long> made{0};
  return name + "." + std::to_string(::getpid()) + "." + std::to_string(made++) + ".tmp";
}

// Writes `text` to `fd`, closes it and renames `temporary` over `name`; on
// any failure the temporary file is removed.
void write_and_rename(const std::string& name, const std::string& temporary, int fd, std::string_view text) {
  const auto fail = [&](int error) {
    ::unlink(temporary.c_str());
    sys_error(name, error);
  };
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) {
      const int error = errno;
      ::close(fd);
      fail(error);
    }
    done += static_cast<std::size_t>(written);
  }
  if (::close(fd) != 0) fail(errno);
  if (std::rename(temporary.c_str(), name.c_str()) != 0) fail(errno);
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
  for (int attempt = 0;; ++attempt) {
    const std::string temporary = temporary_name(name);
    // Registered before the file exists: an interruption at any moment
    // leaves no temporary file behind.
    const Atomic_file::Pending_name pending(temporary);
    // Created with the permission bits 0666 less the umask, as any new file.
    const int fd = pending.create(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      // Left by an earlier process of the same number.
      if (errno == EEXIST && attempt < 100) continue;
      sys_error(name, errno);
    }
    write_and_rename(name, temporary, fd, text);
    return;
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
