#pragma once
// Formatted reading of the value text syntax.
//
// A scanning buffer holds one character of lookahead over a character
// source (a named file, an open channel, a function, a string) and counts
// the characters and line feeds fetched so far. Readers are written as
// patterns interpreted item by item against the buffer:
//
//   point p;
//   Scanning::scan(ib, "{ p_x = %f ; p_y = %f ; }", p.p_x, p.p_y);
//
// Each conversion stores into the matching argument; `%r` calls a nested
// reader given as `Scanning::r(reader, out)` (out = reader(ib)); `%_r` runs a
// reader given as `Scanning::r(reader)` and drops its result; `%s@x` takes
// every character up to the stop x, blanks included. Applying a
// pattern is one scan step: it clears the token buffer, runs the items, and
// re-raises every Scan_failure (those of nested readers included) as
// "scanf: bad input at char number %i: %s". End_of_file passes unchanged.
// The code after the call is the step's continuation: its failures are
// prefixed only by the steps that enclose it. Patterns are checked when the
// program is compiled: the conversions must match the arguments.
//
// One character of lookahead, no backtracking: each character is fetched
// from the source once; file sources are read in large blocks.
//
// This component is the scanning buffer over its character sources; it also
// gives the reading interface above, whose parts are components of their
// own (see the end of this header). Readers include this header only.
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/exceptions.hpp"
#include "text/scan_engine.hpp"
#include "text/scan_items.hpp"
#include "text/scan_numbers.hpp"
#include "text/scan_patterns.hpp"

namespace Scanning {

// A named file that cannot be opened for reading.
struct Open_failure : std::runtime_error {
  explicit Open_failure(const std::string& message) : std::runtime_error(message) {}
};

class Scanbuf {
 public:
  // The named file; the name "-" opens the standard input.
  static Scanbuf from_file(const std::string& name);
  // An open channel, e.g. a pipe from a child process. Its bytes are read
  // through the descriptor: nothing must have been read from `channel`
  // through stdio before. It is not closed at its end.
  static Scanbuf from_channel(std::FILE* channel);
  // An open file descriptor, closed at its end when `close_at_end`.
  static Scanbuf from_fd(int fd, bool close_at_end);
  // The same, read under the given name (the name its messages show).
  static Scanbuf from_named_fd(int fd, bool close_at_end, std::string name);
  // Characters given one by one by `next`; std::nullopt ends the input.
  static Scanbuf from_function(std::function<std::optional<char>()> next);
  // Blocks given one at a time by `next`, each valid until the next call (an
  // empty block ends the input), reported under `name`. An exception thrown
  // by `next` reaches the reader and leaves the buffer as it was: a later
  // peek asks `next` again, so a source can stop a reader at a point of its
  // choosing and let the next one go on from there.
  static Scanbuf from_blocks(std::string name, std::function<std::string_view()> next);
  static Scanbuf from_string(std::string text);

  Scanbuf(Scanbuf&&) noexcept;
  Scanbuf& operator=(Scanbuf&&) noexcept;
  ~Scanbuf();

  // The lookahead character (0..255), fetched if none is held; -1 at the
  // end of input.
  int peek() {
    if (current_valid_) return current_;
    // Inline while the current block lasts: most characters are read here.
    if (next_ != limit_) return take_from_block();
    if (end_of_input_) return -1;
    return fetch();
  }
  // The lookahead character; End_of_file at the end of input.
  char checked_peek() {
    int c = peek();
    if (c < 0) throw End_of_file();
    return static_cast<char>(c);
  }
  // Drops the held lookahead character.
  void consume() { current_valid_ = false; }
  // Consumes the next character when it is `c` and no lookahead is held,
  // without holding it first; false otherwise (nothing is fetched then).
  bool consume_if_next(char c) {
    if (current_valid_ || next_ == limit_ || *next_ != c) return false;
    ++next_;
    ++char_count_;
    if (c == '\n') ++line_count_;
    return true;
  }
  // Consumes the non-empty `run` when the held lookahead and the current
  // block hold it next; false otherwise (nothing is consumed then). `run`
  // holds no line feed.
  bool consume_if_next_run(std::string_view run) {
    if (current_valid_) {
      if (current_ != static_cast<unsigned char>(run[0])) return false;
      run.remove_prefix(1);
    }
    if (static_cast<std::size_t>(limit_ - next_) < run.size() ||
        std::char_traits<char>::compare(next_, run.data(), run.size()) != 0)
      return false;
    current_valid_ = false;
    next_ += run.size();
    char_count_ += static_cast<long long>(run.size());
    return true;
  }
  // Consumes blanks (space, tab, line feed, carriage return) and holds the
  // character after them.
  void skip_whites() {
    for (;;) {
      if (current_valid_) {
        if (!is_white(current_)) return;
        current_valid_ = false;
      }
      while (next_ != limit_ && is_white(static_cast<unsigned char>(*next_))) {
        if (*next_ == '\n') ++line_count_;
        ++next_;
        ++char_count_;
      }
      if (peek() < 0) return;
    }
  }
  static bool is_white(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
  // Fetches (peek) then reports whether the source has ended.
  bool end_of_input() { return peek() < 0; }

  // Characters consumed since the start of the source.
  long long char_count() const { return current_valid_ ? char_count_ - 1 : char_count_; }
  // Line feeds fetched so far (a held line feed included); the first line is 0.
  long long line_count() const { return line_count_; }
  // The file name, "-" for the standard input, "unnamed Stdlib input
  // channel", "unnamed function" or "unnamed character string".
  const std::string& name_of_input() const { return name_; }

  // The characters collected by the conversion being scanned.
  std::string token;

  class Source;

 private:
  Scanbuf(std::string name, std::unique_ptr<Source> source);
  int fetch();
  int take_from_block() {
    current_ = static_cast<unsigned char>(*next_++);
    current_valid_ = true;
    ++char_count_;
    if (current_ == '\n') ++line_count_;
    return current_;
  }

  // Unread characters of the current block.
  const char* next_ = nullptr;
  const char* limit_ = nullptr;
  bool end_of_input_ = false;
  bool current_valid_ = false;
  unsigned char current_ = 0;
  long long char_count_ = 0;
  long long line_count_ = 0;
  std::string name_;
  std::unique_ptr<Source> source_;
};

// The reading interface: the pattern grammar and its compile-time check
// (Scan_patterns), the pattern engine (Scan_engine), the items and their
// escapes (Scan_items), the numeric conversions (Scan_numbers).
using Scan_engine::scan;
using Scan_engine::scan_delimiter;
using Scan_items::quoted_char;
using Scan_numbers::float_of_string;
using Scan_numbers::int_of_string;
using Scan_patterns::r;

}  // namespace Scanning
