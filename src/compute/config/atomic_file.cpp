#include "config/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <mutex>
#include <vector>

#include "config/path.hpp"

namespace Atomic_file {

namespace {

// ---------------------------------------------------------------------------
// The temporary files awaiting their rename, readable from a signal handler:
// fixed storage, one flag per slot, the name written before its flag is set.
// Threads writing files at once claim and release slots under a lock; the
// handler takes no lock (the thread it interrupts may hold it) and reads the
// flags, which are lock-free atomics.

constexpr int slot_count = 64;
char slot_paths[slot_count][PATH_MAX];
std::atomic<int> slot_used[slot_count];
std::mutex slots_lock;
int slots_in_use = 0;

constexpr int cleaned_signals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int cleaned_signal_count = sizeof cleaned_signals / sizeof cleaned_signals[0];
struct sigaction saved_actions[cleaned_signal_count];
std::atomic<int> handler_installed[cleaned_signal_count];
static_assert(std::atomic<int>::is_always_lock_free, "flags read by a signal handler");
// Threads between claiming a name and having created its file: a signal
// handled on one thread must not end the process while another is about to
// create a file the handler has already looked for. Once the handler has
// begun (`ending`), no thread creates one: either a thread sees `ending`, or
// the handler sees it creating and waits for its file.
std::atomic<int> creating{0};
std::atomic<int> ending{0};

void unlink_registered() {
  for (int i = 0; i < slot_count; ++i)
    if (slot_used[i].load(std::memory_order_acquire)) ::unlink(slot_paths[i]);
}

// Opens (creates) a file whose name is registered.
int open_registered(const std::string& name, int flags, mode_t mode) {
  creating.fetch_add(1);
  if (ending.load() != 0) {
    creating.fetch_sub(1);
    errno = EINTR;
    return -1;
  }
  const int fd = ::open(name.c_str(), flags, mode);
  const int error = errno;
  creating.fetch_sub(1);
  errno = error;
  return fd;
}

// Removes every pending temporary file, puts back the action the signal had
// before and sends the signal again, so the process ends (or the earlier
// handler runs) as if this one had never been there.
void remove_temporaries_and_reraise(int signal_number) {
  const int saved_errno = errno;
  // Only when the signal is about to end the process: an earlier handler
  // that lets it go on must find files creatable afterwards.
  for (int k = 0; k < cleaned_signal_count; ++k)
    if (cleaned_signals[k] == signal_number && saved_actions[k].sa_handler == SIG_DFL) ending.store(1);
  unlink_registered();
  // Other threads creating files are let finish (for at most 50 ms: the one
  // this handler interrupted may be among them), then looked for again.
  for (int wait = 0; wait < 50 && creating.load() != 0; ++wait) {
    const struct timespec millisecond = {0, 1000000};
    ::nanosleep(&millisecond, nullptr);
  }
  unlink_registered();
  for (int k = 0; k < cleaned_signal_count; ++k)
    if (cleaned_signals[k] == signal_number && handler_installed[k].exchange(0)) {
      ::sigaction(signal_number, &saved_actions[k], nullptr);
    }
  errno = saved_errno;
  ::raise(signal_number);
}

void install_handlers() {
  struct sigaction action {};
  action.sa_handler = remove_temporaries_and_reraise;
  ::sigemptyset(&action.sa_mask);
  for (int signal_number : cleaned_signals) ::sigaddset(&action.sa_mask, signal_number);
  action.sa_flags = SA_RESTART;
  for (int k = 0; k < cleaned_signal_count; ++k) {
    struct sigaction previous {};
    if (::sigaction(cleaned_signals[k], nullptr, &previous) != 0) continue;
    // An ignored signal (nohup) cannot interrupt the write: nothing to clean.
    if (previous.sa_handler == SIG_IGN) continue;
    saved_actions[k] = previous;
    handler_installed[k].store(1, std::memory_order_release);
    ::sigaction(cleaned_signals[k], &action, nullptr);
  }
}

void restore_handlers() {
  for (int k = 0; k < cleaned_signal_count; ++k)
    if (handler_installed[k].exchange(0)) ::sigaction(cleaned_signals[k], &saved_actions[k], nullptr);
}

// The slot now holding the name, or -1 (with errno) when none is free or the
// name is too long to be kept.
int claim_slot(const std::string& name) {
  if (name.size() >= PATH_MAX) {
    errno = ENAMETOOLONG;
    return -1;
  }
  const std::lock_guard<std::mutex> hold(slots_lock);
  for (int i = 0; i < slot_count; ++i) {
    if (slot_used[i].load(std::memory_order_relaxed)) continue;
    std::memcpy(slot_paths[i], name.c_str(), name.size() + 1);
    slot_used[i].store(1, std::memory_order_release);
    if (slots_in_use++ == 0) install_handlers();
    return i;
  }
  errno = EMFILE;
  return -1;
}

void release_slot(int& slot) {
  if (slot < 0) return;
  const std::lock_guard<std::mutex> hold(slots_lock);
  slot_used[slot].store(0, std::memory_order_release);
  slot = -1;
  if (--slots_in_use == 0) restore_handlers();
}

// ---------------------------------------------------------------------------
// The stream: a stdio stream over the descriptor that remembers the first
// failure of the system, so the message names its true reason.

struct Sink {
  int fd = -1;
  bool owned = true;  // the standard output is left open
  int first_errno = 0;
};

void remember(Sink& sink, int error) {
  if (sink.first_errno == 0) sink.first_errno = error;
}

ssize_t sink_write(void* cookie, const char* buffer, std::size_t size) {
  Sink& sink = *static_cast<Sink*>(cookie);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(sink.fd, buffer + done, size - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    remember(sink, n < 0 ? errno : EIO);
    return -1;
  }
  return static_cast<ssize_t>(size);
}

int sink_close(void* cookie) {
  Sink& sink = *static_cast<Sink*>(cookie);
  // On Linux the descriptor is released even when close reports EINTR.
  if (sink.fd >= 0 && sink.owned && ::close(sink.fd) != 0 && errno != EINTR) remember(sink, errno);
  sink.fd = -1;
  return sink.first_errno == 0 ? 0 : -1;
}

// Beside the target, hidden, unique to this process and attempt. A long
// target name is shortened so the temporary name stays within the limit.
std::string temporary_name(const std::string& final_path, int attempt) {
  std::string base = Path::basename(final_path);
  if (base.size() > 200) base.resize(200);
  return Path::concat(Path::dirname(final_path),
                      "." + base + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp");
}

}  // namespace

struct Writer::State {
  std::string target;      // as the caller named it, for messages
  std::string final_path;  // the file replaced
  std::string temporary;   // empty when the target is written in place
  int slot = -1;
  Sink sink;
  std::FILE* stream = nullptr;
  bool done = false;

  [[noreturn]] void fail(int error) {
    discard();
    throw Sys_error(target + ": " + std::strerror(error));
  }

  void discard() noexcept {
    if (stream != nullptr) std::fclose(stream);
    stream = nullptr;
    if (sink.fd >= 0 && sink.owned) ::close(sink.fd);
    sink.fd = -1;
    if (!temporary.empty()) ::unlink(temporary.c_str());
    temporary.clear();
    release_slot(slot);
    done = true;
  }

  // Created with the permission bits 0666, less the umask, as any new report.
  bool open_temporary() {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string name = temporary_name(final_path, attempt);
      slot = claim_slot(name);
      if (slot < 0) return false;
      const int fd = open_registered(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        temporary = name;
        sink.fd = fd;
        return true;
      }
      const int error = errno;
      release_slot(slot);
      errno = error;
      if (error != EEXIST) return false;
    }
    return false;
  }

  void open_in_place() {
    sink.fd = ::open(final_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (sink.fd < 0) fail(errno);
  }
};

Writer::Writer(const std::string& target) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.target = target;
  if (target == "-") {
    // What was written on the standard output before comes first.
    std::fflush(stdout);
    s.target = "the standard output";
    s.sink.fd = STDOUT_FILENO;
    s.sink.owned = false;
  } else if (target.find('\0') != std::string::npos) {
    // The system would see only the name before the NUL byte: another file.
    s.fail(EINVAL);
  } else {
    s.final_path = Path::followed_links(Path::tilde_subst(target));
    open_file(s);
  }
  static const cookie_io_functions_t functions = {nullptr, sink_write, nullptr, sink_close};
  s.stream = ::fopencookie(&s.sink, "w", functions);
  if (s.stream == nullptr) s.fail(errno);
}

void Writer::open_file(State& s) {
  struct stat st;
  const bool exists = ::stat(s.final_path.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    s.open_in_place();
  } else {
    if (exists) {
      // A report the user may not write stays as it is, as when it was
      // opened in place.
      const int fd = ::open(s.final_path.c_str(), O_WRONLY | O_CLOEXEC);
      if (fd < 0) s.fail(errno);
      ::close(fd);
    }
    if (!s.open_temporary()) {
      if (!exists) s.fail(errno);
      s.open_in_place();
    }
  }
}

Writer::~Writer() {
  if (!state_->done) state_->discard();
}

std::FILE* Writer::stream() const { return state_->stream; }

void Writer::commit() {
  State& s = *state_;
  if (s.done) return;
  int error = 0;
  if (std::fflush(s.stream) != 0) error = s.sink.first_errno != 0 ? s.sink.first_errno : EIO;
  const int closed = std::fclose(s.stream);
  s.stream = nullptr;
  if (s.sink.first_errno != 0) error = s.sink.first_errno;
  if (error == 0 && closed != 0) error = EIO;
  if (error == 0 && !s.temporary.empty() && ::rename(s.temporary.c_str(), s.final_path.c_str()) != 0) error = errno;
  if (error != 0) s.fail(error);
  s.temporary.clear();
  release_slot(s.slot);
  s.done = true;
}

void Writer::abandon() noexcept {
  if (!state_->done) state_->discard();
}

Pending_name::Pending_name(const std::string& name) : slot_(claim_slot(name)) {}

Pending_name::~Pending_name() { release_slot(slot_); }

int Pending_name::create(const std::string& name, int flags, mode_t mode) const {
  return open_registered(name, flags, mode);
}

int pending_temporary_files() {
  const std::lock_guard<std::mutex> hold(slots_lock);
  return slots_in_use;
}

}  // namespace Atomic_file
