#pragma once
// Files a user cares about (the compliance report) are never left half
// written: the content goes to a temporary file beside the target, which
// replaces the target by a rename only once every byte has been written and
// the file closed without error. A failure, or SIGINT, SIGTERM or SIGHUP
// while the temporary file exists, removes it and leaves the older target as
// it was.
//
// Targets that are not regular files (a terminal, /dev/null, /dev/full, a
// pipe) cannot be replaced and are written in place, as is a writable target
// in a directory where no temporary file can be created.
#include <sys/types.h>

#include <cstdio>
#include <memory>
#include <string>

#include "text/exceptions.hpp"

namespace Atomic_file {

class Writer {
 public:
  // Prepares the temporary file for the target. A name beginning with "~" is
  // taken in the home directory; symbolic links are followed, so the file they
  // lead to is the one replaced and the links stay. Sys_error "<target>:
  // <reason>" when the target cannot be written (an existing target that is
  // not writable, a missing directory, ...). The name "-" is the standard
  // output, written through and left open ("the standard output" in messages).
  explicit Writer(const std::string& target);
  // Abandons the file unless it has been committed.
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // The stream to write on; every failed write is remembered.
  std::FILE* stream() const;

  // Flushes and closes the stream, then renames the temporary file over the
  // target. Sys_error "<target>: <reason>" when any write, the close or the
  // rename failed; the temporary file is removed then.
  void commit();
  // Closes the stream and removes the temporary file; the target is untouched.
  void abandon() noexcept;

  struct State;

 private:
  static void open_file(State& s);
  std::unique_ptr<State> state_;
};

// The name of a temporary file of another writer, registered for the time
// it lives so that SIGINT, SIGTERM or SIGHUP removes the file, as the
// Writer's own. The name is registered first, then the file made with
// create(): there is no moment when the file exists unregistered, even with
// other threads handling the signal. Any thread may register names; a name
// that does not fit (too long, or too many at once) is simply not registered.
class Pending_name {
 public:
  explicit Pending_name(const std::string& name);
  // ::open(name, flags, mode), seen by the signal handler.
  int create(const std::string& name, int flags, mode_t mode) const;
  // Unregisters the name; the file itself is the caller's to rename or remove.
  ~Pending_name();
  Pending_name(const Pending_name&) = delete;
  Pending_name& operator=(const Pending_name&) = delete;

 private:
  int slot_;
};

// How many temporary files are awaiting their rename (for tests).
int pending_temporary_files();

}  // namespace Atomic_file
