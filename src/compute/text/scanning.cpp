#include "text/scanning.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace Scanning {

// Hands out the source's characters block by block.
class Scanbuf::Source {
 public:
  virtual ~Source() = default;
  // Sets [next, limit) to the next non-empty block; false at the end.
  virtual bool refill(const char*& next, const char*& limit) = 0;
};

namespace {

class String_source final : public Scanbuf::Source {
 public:
  explicit String_source(std::string text) : text_(std::move(text)) {}
  bool refill(const char*& next, const char*& limit) override {
    if (given_ || text_.empty()) return false;
    given_ = true;
    next = text_.data();
    limit = text_.data() + text_.size();
    return true;
  }

 private:
  std::string text_;
  bool given_ = false;
};

// Reads the descriptor in large blocks; a pipe gives what is available
// without waiting for a full block, so an exchange with a child process
// does not stall.
class Fd_source final : public Scanbuf::Source {
 public:
  Fd_source(int fd, bool close_at_end)
      : fd_(fd), close_at_end_(close_at_end), block_(std::make_unique_for_overwrite<char[]>(block_size)) {}
  ~Fd_source() override { close_fd(); }
  bool refill(const char*& next, const char*& limit) override {
    if (fd_ < 0) return false;
    for (;;) {
      ssize_t n = ::read(fd_, block_.get(), block_size);
      if (n > 0) {
        next = block_.get();
        limit = block_.get() + n;
        return true;
      }
      if (n < 0 && errno == EINTR) continue;
      // End of file, or a read error which ends the input just the same.
      close_fd();
      return false;
    }
  }

 private:
  void close_fd() {
    if (fd_ >= 0 && close_at_end_) ::close(fd_);
    fd_ = -1;
  }
  int fd_;
  bool close_at_end_;
  // Read into, never read before: not cleared (a file per description, by
  // the thousand in a batch).
  static constexpr std::size_t block_size = 1 << 16;
  std::unique_ptr<char[]> block_;
};

class Function_source final : public Scanbuf::Source {
 public:
  explicit Function_source(std::function<std::optional<char>()> next) : next_(std::move(next)) {}
  bool refill(const char*& next, const char*& limit) override {
    std::optional<char> c = next_();
    if (!c) return false;
    character_ = *c;
    next = &character_;
    limit = &character_ + 1;
    return true;
  }

 private:
  std::function<std::optional<char>()> next_;
  char character_ = 0;
};

class Block_source final : public Scanbuf::Source {
 public:
  explicit Block_source(std::function<std::string_view()> next) : next_(std::move(next)) {}
  bool refill(const char*& next, const char*& limit) override {
    const std::string_view block = next_();
    if (block.empty()) return false;
    next = block.data();
    limit = block.data() + block.size();
    return true;
  }

 private:
  std::function<std::string_view()> next_;
};

}  // namespace

Scanbuf::Scanbuf(std::string name, std::unique_ptr<Source> source)
    : name_(std::move(name)), source_(std::move(source)) {}
Scanbuf::Scanbuf(Scanbuf&&) noexcept = default;
Scanbuf& Scanbuf::operator=(Scanbuf&&) noexcept = default;
Scanbuf::~Scanbuf() = default;

Scanbuf Scanbuf::from_file(const std::string& name) {
  if (name == "-") return Scanbuf("-", std::make_unique<Fd_source>(STDIN_FILENO, false));
  int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw Open_failure(name + ": " + std::strerror(errno));
  return Scanbuf(name, std::make_unique<Fd_source>(fd, true));
}

Scanbuf Scanbuf::from_channel(std::FILE* channel) {
  std::string name = channel == stdin ? "-" : "unnamed Stdlib input channel";
  return Scanbuf(name, std::make_unique<Fd_source>(::fileno(channel), false));
}

Scanbuf Scanbuf::from_fd(int fd, bool close_at_end) {
  std::string name = fd == STDIN_FILENO ? "-" : "unnamed Stdlib input channel";
  return Scanbuf(name, std::make_unique<Fd_source>(fd, close_at_end));
}

Scanbuf Scanbuf::from_named_fd(int fd, bool close_at_end, std::string name) {
  return Scanbuf(std::move(name), std::make_unique<Fd_source>(fd, close_at_end));
}

Scanbuf Scanbuf::from_function(std::function<std::optional<char>()> next) {
  return Scanbuf("unnamed function", std::make_unique<Function_source>(std::move(next)));
}

Scanbuf Scanbuf::from_blocks(std::string name, std::function<std::string_view()> next) {
  return Scanbuf(std::move(name), std::make_unique<Block_source>(std::move(next)));
}

Scanbuf Scanbuf::from_string(std::string text) {
  return Scanbuf("unnamed character string", std::make_unique<String_source>(std::move(text)));
}

int Scanbuf::fetch() {
  if (next_ == limit_) {
    if (!source_ || !source_->refill(next_, limit_)) {
      // The source has reported its end: a file is closed now.
      end_of_input_ = true;
      source_.reset();
      next_ = limit_ = nullptr;
      return -1;
    }
  }
  return take_from_block();
}

}  // namespace Scanning
